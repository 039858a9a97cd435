#include "algebra/quadratic/opening_steps.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <numeric>
#include <set>

#include "algebra/equation_operations.hpp"
#include "algebra/side_operations.hpp"

namespace tl {

namespace {

Polynomial zeroSide(std::string variable = "x") {
    return makePolynomial({makeMonomial(makeDefaultRational(0, 1), 0, std::move(variable))});
}

/// The side without its x² terms; the zero term when none is left.
Polynomial withoutSquareTerms(const Polynomial& side, const std::string& variable) {
    std::vector<Monomial> kept;
    std::ranges::copy_if(side.terms, std::back_inserter(kept), isNotSquareTerm);
    return kept.empty() ? zeroSide(variable) : makePolynomial(std::move(kept));
}

/// The running sum s with m's coefficient added.
Rational rationalSumReducer(const Rational& s, const Monomial& m) { return addRational(m.coefficient, s).value(); }

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
            sum = rationalSumReducer(sum, m);
        }
    }
    close(sum, exponent);
    return sums.empty() ? zeroSide(variable) : makePolynomial(std::move(sums));
}

}  // namespace

std::int64_t countHigherPowerTerms(const PolyEquation& e) {
    std::int64_t count = 0;
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        count = std::accumulate(side->terms.begin(), side->terms.end(), count, countHigherPowerTermsClosure);
    return count;
}

Rational netCoefficient(const PolyEquation& e, std::uint64_t exponent) {
    auto sum = [exponent](const Polynomial& side) {
        Rational total = makeDefaultRational(0, 1);
        for (const Monomial& m : side.terms)
            if (m.exponent == exponent) total = rationalSumReducer(total, m);
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

bool equationHasOneLetter(const PolyEquation& e) {
    std::set<std::string> letters;
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms)
            if (isNonZeroVariableTermClosure(m)) letters.insert(m.variable);
    return letters.size() <= 1;
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

Engine_Step concatenateClosure(std::vector<Engine_Table> tables, Engine_Step page) {
    tables.insert(tables.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    return tables;
}

}  // namespace tl
