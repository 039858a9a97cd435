#include "algebra/linear/equation_steps.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>

#include "algebra/equation_operations.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/side_operations.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/layout.hpp"

namespace tl {

namespace {

PolyEquation withSides(Polynomial LHS, Polynomial RHS, Relation relation) {
    return makeEquationXL(std::move(LHS), std::move(RHS), relation);
}

/// f(side) on both sides, relation kept, relation colour black.
template <class F>
PolyEquation onBothSides(const PolyEquation& e, F f) {
    return withSides(f(e.LHS), f(e.RHS), e.relation);
}

Polynomial zeroSide(std::string variable = "x") {
    return makePolynomial({makeMonomial(makeDefaultRational(0, 1), 0, std::move(variable))});
}

/// The side without its x² terms; the zero term when none is left.
Polynomial withoutSquareTerms(const Polynomial& side, const std::string& variable) {
    std::vector<Monomial> kept;
    std::ranges::copy_if(side.terms, std::back_inserter(kept), isNotSquareTerm);
    return kept.empty() ? zeroSide(variable) : makePolynomial(std::move(kept));
}

/// The terms of equal exponent of a side in descending order added up; the
/// groups that come out 0 dropped (none left: the zero term).
Polynomial sumByExponent(const Polynomial& sorted) {
    const std::string variable = sorted.terms.front().variable;
    std::vector<Monomial> sums;
    auto close = [&](const Rational& sum, std::uint64_t exponent) {
        const Rational reduced = simplifyRational(sum).value();
        if (reduced.numerator != 0) sums.push_back(makeMonomial(reduced, exponent, variable));
    };
    Rational sum = makeDefaultRational(0, 1);
    std::uint64_t exponent = sorted.terms.front().exponent;
    for (const Monomial& m : sorted.terms) {
        if (m.exponent < exponent) {
            close(sum, exponent);
            sum = m.coefficient;
            exponent = m.exponent;
        } else {
            sum = addRational(m.coefficient, sum).value();
        }
    }
    close(sum, exponent);
    return sums.empty() ? zeroSide(variable) : makePolynomial(std::move(sums));
}

/// The exponent of `prime` in n, and n without it.
std::int64_t takeOutPrime(std::int64_t& n, std::int64_t prime) {
    std::int64_t count = 0;
    while (n % prime == 0) n /= prime, ++count;
    return count;
}

}  // namespace

Rational netCoefficient(const PolyEquation& e, std::uint64_t exponent) {
    auto sum = [exponent](const Polynomial& side) {
        Rational total = makeDefaultRational(0, 1);
        for (const Monomial& m : side.terms)
            if (m.exponent == exponent) total = addRational(m.coefficient, total).value();
        return total;
    };
    return subtractRational(sum(e.LHS), sum(e.RHS)).value();
}

std::uint64_t netDegree(const PolyEquation& e) {
    std::set<std::uint64_t, std::greater<>> exponents;
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms)
            if (isNonZeroVariableTermClosure(m)) exponents.insert(m.exponent);
    for (const std::uint64_t exponent : exponents)
        if (netCoefficient(e, exponent).numerator != 0) return exponent;
    return 0;
}

std::string equationVariable(const PolyEquation& e, bool (*test)(const Monomial&)) {
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms)
            if (test(m)) return m.variable;
    return std::string(rawValue(Var::x));
}

bool equationHasZeroDenominator(const PolyEquation& e) {
    return sideHasZeroDenominator(e.LHS) || sideHasZeroDenominator(e.RHS);
}

PolyEquation removeZeroTermsOfEquation(bool recolor, const PolyEquation& e) {
    return onBothSides(e, [recolor](const Polynomial& side) { return removeZeroTerms(recolor, side); });
}

bool equationHasUnreducedCoefficient(const PolyEquation& e) {
    return sideHasUnreducedCoefficient(e.LHS) || sideHasUnreducedCoefficient(e.RHS);
}

PolyEquation reduceCoefficientsOfEquation(const PolyEquation& e) { return onBothSides(e, reduceCoefficientsOfSide); }

CombinedEquation combineLikeTermsOfEquation(bool simpleOnly, const PolyEquation& e) {
    auto [LHS, leftChanged] = combineLikeTermsOfSide(simpleOnly, e.LHS);
    auto [RHS, rightChanged] = combineLikeTermsOfSide(simpleOnly, e.RHS);
    return {withSides(std::move(LHS), std::move(RHS), e.relation), leftChanged || rightChanged};
}

std::optional<PolyEquation> removeSameSquareTerm(const PolyEquation& e) {
    const auto left = std::ranges::find_if(e.LHS.terms, isSquareTermClosure);
    const auto right = std::ranges::find_if(e.RHS.terms, isSquareTermClosure);
    if (left == e.LHS.terms.end() || right == e.RHS.terms.end()) return std::nullopt;
    if (!rationalEquals(left->coefficient, right->coefficient)) return std::nullopt;
    return withSides(withoutSquareTerms(e.LHS, left->variable), withoutSquareTerms(e.RHS, right->variable), e.relation);
}

std::optional<ConvenientSides> exchangeSidesForConvenience(const PolyEquation& e) {
    const Polynomial zero = zeroSide();
    const std::string exchangeNote = "exchange sides for convenience";
    // The sides change places, so an inequality turns round (0 < p is p > 0).
    const Relation exchanged = flipRelation(e.relation);
    if (e.RHS == zero) {
        if (isInDescendingOrder(e.LHS)) return std::nullopt;
        return ConvenientSides{{e, withSides(sortedByDescendingExponent(e.LHS), e.RHS, e.relation)}, std::nullopt};
    }
    if (e.LHS == zero) {
        if (isInDescendingOrder(e.RHS)) return ConvenientSides{{e, withSides(e.RHS, e.LHS, exchanged)}, exchangeNote};
        const Polynomial sorted = sortedByDescendingExponent(e.RHS);
        return ConvenientSides{{e, withSides(e.LHS, sorted, e.relation), withSides(sorted, e.LHS, exchanged)},
                               exchangeNote};
    }
    std::vector<Monomial> all = e.LHS.terms;
    const Polynomial negated = negateSide(e.RHS);
    all.insert(all.end(), negated.terms.begin(), negated.terms.end());
    const Polynomial gathered = sumByExponent(sortedByDescendingExponent(makePolynomial(std::move(all))));
    const Polynomial right = zeroSide(gathered.terms.front().variable);
    return ConvenientSides{{e, withSides(gathered, right, e.relation)}, "left hand side for convenience"};
}

bool equationHasFraction(const PolyEquation& e) { return sideHasFraction(e.LHS) || sideHasFraction(e.RHS); }

std::int64_t lcmOfEquationDenominators(const PolyEquation& e) {
    return lcm(lcmOfDenominators(e.LHS), lcmOfDenominators(e.RHS));
}

PolyEquation clearFractionsOfEquation(const PolyEquation& e) {
    std::vector<Monomial> joined = e.LHS.terms;
    joined.insert(joined.end(), e.RHS.terms.begin(), e.RHS.terms.end());
    std::vector<Monomial> cleared = clearFractionsOfSide(makePolynomial(std::move(joined))).terms;
    const auto split = cleared.begin() + static_cast<std::ptrdiff_t>(e.LHS.terms.size());
    return withSides(makePolynomial({cleared.begin(), split}), makePolynomial({split, cleared.end()}), e.relation);
}

PolyEquation clearFractionsOfEquation(const PolyEquation& e, std::int64_t multiple) {
    const std::int64_t L = lcmOfEquationDenominators(e);
    require(L != 0 && multiple % L == 0, "clearing fractions by a number that is no multiple of their lcm");
    const std::int64_t scale = multiple / L;
    return onBothSides(clearFractionsOfEquation(e), [scale](const Polynomial& side) {
        Polynomial scaled = side;
        for (Monomial& m : scaled.terms) m.coefficient.numerator = checked::mul(m.coefficient.numerator, scale);
        return scaled;
    });
}

PolyEquation colorEquationDenominators(Color c, const PolyEquation& e) {
    return onBothSides(e, [c](const Polynomial& side) { return colorFractionDenominators(c, side); });
}

FractionClearing fractionClearing(Style style, std::int64_t L) {
    std::int64_t rest = L;
    const std::int64_t twos = takeOutPrime(rest, 2), fives = takeOutPrime(rest, 5);
    if (style == Style::decimal && rest == 1) {
        const std::int64_t k = std::max(twos, fives);
        const std::string power = std::to_string(powerOfTen(k));
        return {powerOfTen(k),
                "\nhighest decimal place count\nis " + std::to_string(k) + ", multiply both sides\nby 10" +
                    superscriptDigit(std::to_string(k)) + " = " + power,
                "clear decimals"};
    }
    return {L,
            std::to_string(L) +
                " is LCM of denominators\n\nwe can use any multiple of the\ndenominators to clear fractions",
            style == Style::decimal ? "clear decimals" : "clear fractions"};
}

PolyEquation recolorEquation(Color lhs, Color rhs, Color relation, const PolyEquation& e) {
    return makeColoredEquationXL(recolorPolynomial(lhs, e.LHS), recolorPolynomial(rhs, e.RHS), e.relation, relation);
}

PolyEquation blackEquation(const PolyEquation& e) {
    return recolorEquation(Color::black, Color::black, Color::black, e);
}

std::vector<Engine_Table> blackEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                    const PolyEquation& e) {
    partial.push_back(equationTable(style, blackEquation(e)));
    return partial;
}

void equationTableClosure(std::vector<Engine_Table>& tables, const PolyEquation& e, Style style) {
    tables.push_back(equationTable(style, e));
}

Engine_Step concatenateClosure(const std::vector<Engine_Table>& tables, Engine_Step page) {
    Engine_Step joined;
    joined.reserve(tables.size() + page.size());
    joined.insert(joined.end(), tables.begin(), tables.end());
    joined.insert(joined.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    return joined;
}

}  // namespace tl
