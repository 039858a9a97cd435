#include "algebra/linear/linear_solution.hpp"

#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/tables.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

/// Whether 0 relation q holds for q of sign `sign`.
bool zeroRelates(Relation relation, int sign) {
    switch (relation) {
        case Relation::equal_to: return sign == 0;
        case Relation::less_than: return sign > 0;
        case Relation::greater_than: return sign < 0;
        case Relation::less_than_or_equal_to: return sign >= 0;
        case Relation::greater_than_or_equal_to: return sign <= 0;
    }
    return false;
}

bool isSingleTerm(const Polynomial& side, std::uint64_t exponent) {
    return side.terms.size() == 1 && side.terms.front().exponent == exponent;
}

}  // namespace

LinearSolution linearSolutionOf(const WideRational& p, const WideRational& q, Relation relation) {
    if (p.numerator == 0)
        return {makeDefaultRational(0, 1), relation, zeroRelates(relation, sign(q)) ? Status::infinite : Status::none};
    return {narrowed(wideQuotient(q, p)), sign(p) < 0 ? flipRelation(relation) : relation, Status::unique};
}

LinearSolution linearSolution(const PolyEquation& e) {
    // P·x relation Q, with Q the constants moved to the right. P and Q are
    // worked out in 128 bits: only the answer Q/P is written, and it may fit
    // where they do not (−2⁶³ = −2⁶³x has P = Q = 2⁶³).
    return linearSolutionOf(netCoefficient(e, 1), wideNegation(netCoefficient(e, 0)), e.relation);
}

Engine_Table equationTable(Style style, const PolyEquation& e) {
    return writtenTable([&](ItemWriter& w) {
        const auto left = writePolynomial(w, style, e.LHS.terms);
        return w.join(rawValue(e.relation), left, writePolynomial(w, style, e.RHS.terms), e.relation_color);
    });
}

bool isLoneVariable(bool negative, const Polynomial& side) {
    if (!isSingleTerm(side, 1)) return false;
    const Rational& c = side.terms.front().coefficient;
    return c.denominator == 1 && c.numerator == (negative ? -1 : 1);
}

bool isLoneConstant(bool reduced, const Polynomial& side) {
    if (!isSingleTerm(side, 0)) return false;
    const Rational& c = side.terms.front().coefficient;
    if (c.denominator == 0) return false;
    return !reduced || !rationalNeedsReducing(c).value();
}

bool isSolvedForm(bool anyConstant, const PolyEquation& e) {
    return isLoneVariable(false, e.LHS) && isLoneConstant(!anyConstant, e.RHS);
}

}  // namespace tl
