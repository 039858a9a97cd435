#include "algebra/equation_operations.hpp"

#include <algorithm>

#include "algebra/side_operations.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

bool isSingleConstant(const Polynomial& p) { return p.terms.size() == 1 && p.terms.front().exponent == 0; }

/// Red for an even exponent, blue for an odd one.
Color parityColor(std::uint64_t exponent) { return exponent % 2 == 0 ? Color::red : Color::blue; }

}  // namespace

PolyEquation negateEquation(const PolyEquation& e) {
    // Multiplying both sides by −1 reverses an inequality.
    return makeColoredEquationXL(negateSide(e.LHS), negateSide(e.RHS), flipRelation(e.relation), e.relation_color);
}

bool sideHasNoVariableTerms(const Polynomial& p) {
    return std::ranges::all_of(p.terms, [](const Monomial& m) { return m.exponent == 0; });
}

bool equationHasNoVariableTerms(const Polynomial& LHS, const Polynomial& RHS, Relation) {
    return sideHasNoVariableTerms(LHS) && sideHasNoVariableTerms(RHS);
}

bool sidesAreEqualConstants(const Polynomial& LHS, const Polynomial& RHS, Relation) {
    return isSingleConstant(LHS) && isSingleConstant(RHS) &&
           rationalMatches(RHS.terms.front().coefficient, defaultFalse(), LHS.terms.front().coefficient);
}

OverCommonDenominator<Polynomial> expandToCommonDenominator(const std::vector<Monomial>& terms) {
    std::int64_t L = 1;
    for (const Monomial& m : terms)
        if (hasFractionalCoefficient(m)) L = lcm(L, m.coefficient.denominator);
    if (L == 1) return {makePolynomial({}), false, false};
    require(L != 0, "cannot expand to a common denominator: a denominator is 0");
    std::vector<Monomial> expanded = terms;
    bool changed = false;
    for (Monomial& m : expanded) {
        Rational& r = m.coefficient;
        if (r.denominator == L) continue;
        r.numerator = checked::mul(r.numerator, checked::div(L, r.denominator));
        r.denominator = L;
        changed = true;
    }
    return {makePolynomial(std::move(expanded)), true, changed};
}

OverCommonDenominator<PolyEquation> commonDenominatorEquation(const Polynomial& LHS, const Polynomial& RHS,
                                                              Relation relation) {
    std::vector<Monomial> joined = LHS.terms;
    joined.insert(joined.end(), RHS.terms.begin(), RHS.terms.end());
    auto [side, hasCommon, changed] = expandToCommonDenominator(joined);
    Polynomial left = makePolynomial({}), right = makePolynomial({});
    if (hasCommon) {
        const auto split = side.terms.begin() + static_cast<std::ptrdiff_t>(LHS.terms.size());
        left.terms.assign(side.terms.begin(), split);
        right.terms.assign(split, side.terms.end());
    }
    return {makeEquationXL(std::move(left), std::move(right), relation), hasCommon, changed};
}

Polynomial_XL polynomialXLFromPolynomial(const Polynomial& p) {
    std::vector<Term_XL> group;
    group.reserve(p.terms.size());
    for (const Monomial& m : p.terms) group.push_back(makeTermXL(m, {}));
    return makePolynomialXL(std::vector<std::vector<Term_XL>>{std::move(group)});
}

Polynomial sortedByDescendingExponent(const Polynomial& p) {
    Polynomial result = p;
    std::ranges::stable_sort(result.terms, higherExponentFirst);
    return result;
}

std::optional<Polynomial> sortedIfNotDescending(const Polynomial& p) {
    if (isInDescendingOrder(p)) return std::nullopt;
    return sortedByDescendingExponent(p);
}

bool isSingleWholeConstant(bool exact, const Polynomial& p) {
    if (!isSingleConstant(p)) return false;
    const Rational& r = p.terms.front().coefficient;
    if (r.denominator == 0) return false;
    return exact ? r.denominator == 1 : checked::rem(r.numerator, r.denominator) == 0;
}

std::array<Polynomial_XL, 2> substituteNegativeVariable(const Polynomial& p) {
    // written: group j is −x, the root term a·(group j)^e.
    // workedOut: group j is ±x^e, the root term a·(group j).
    std::vector<std::vector<Term_XL>> written, workedOut;
    std::vector<Term_XL> writtenRoot, workedOutRoot;
    for (const Monomial& m : p.terms) {
        if (m.exponent == 0) {
            writtenRoot.push_back(makeTermXL(m, {}));
            workedOutRoot.push_back(makeTermXL(m, {}));
            continue;
        }
        const std::uint64_t j = written.size();
        const Color c = parityColor(m.exponent);
        const auto group = [&](std::int64_t sign, std::uint64_t exponent) {
            return std::vector<Term_XL>{
                makeTermXL(makeColoredMonomial(makeSingleColorRational(sign, 1, c), exponent, m.variable, c), {})};
        };
        written.push_back(group(-1, 1));
        workedOut.push_back(group(m.exponent % 2 == 0 ? 1 : -1, m.exponent));
        const Monomial coefficient = makeColoredMonomial(m.coefficient, 0, m.variable, c);
        writtenRoot.push_back(makeTermXL(coefficient, {makeColoredFactor(j, m.exponent, c, c)}));
        workedOutRoot.push_back(makeTermXL(coefficient, {makeColoredFactor(j, 1, c, c)}));
    }
    written.push_back(std::move(writtenRoot));
    workedOut.push_back(std::move(workedOutRoot));
    return {makePolynomialXL(std::move(written)), makePolynomialXL(std::move(workedOut))};
}

}  // namespace tl
