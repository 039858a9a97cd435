#include "algebra/quadratic/opening_steps.hpp"

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <set>
#include <span>

#include "algebra/equation_operations.hpp"
#include "algebra/side_operations.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

Polynomial zeroSide(std::string variable = "x") {
    return makePolynomial({makeMonomial(makeDefaultRational(0, 1), 0, std::move(variable))});
}

/// The side without the squares of the letters `letters`; the zero term in
/// the first of them when none is left.
Polynomial withoutSquareTerms(const Polynomial& side, const std::vector<std::string>& letters) {
    std::vector<Monomial> kept;
    std::ranges::copy_if(side.terms, std::back_inserter(kept), [&](const Monomial& m) {
        return isNotSquareTerm(m) || std::ranges::find(letters, m.variable) == letters.end();
    });
    return kept.empty() ? zeroSide(letters.front()) : makePolynomial(std::move(kept));
}

/// The first square of `letter` on the side, if any.
const Monomial* firstSquareOf(const Polynomial& side, const std::string& letter) {
    const auto found = std::ranges::find_if(
        side.terms, [&](const Monomial& m) { return isSquareTermClosure(m) && m.variable == letter; });
    return found == side.terms.end() ? nullptr : &*found;
}

/// The sum of the coefficients, exact (OverflowError beyond 64 bits).
Rational sideTotal(std::span<const Rational> coefficients) {
    const auto total = sumRationals(coefficients);
    require(total.has_value(), "a coefficient over 0 has no value to gather");
    return *total;
}

/// LHS − RHS with like terms of both sides gathered: the net coefficient of
/// each power above 0 of each letter, those that come out 0 left out. Each
/// side's total is exact in 64 bits, their difference in 128.
using NetTerms = std::map<std::pair<std::uint64_t, std::string>, WideRational>;
NetTerms netVariableTerms(const PolyEquation& e) {
    std::map<std::pair<std::uint64_t, std::string>, std::pair<std::vector<Rational>, std::vector<Rational>>> sides;
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms) {
            if (m.exponent == 0) continue;
            auto& [left, right] = sides[{m.exponent, m.variable}];
            (side == &e.LHS ? left : right).push_back(m.coefficient);
        }
    NetTerms net;
    for (const auto& [key, coefficients] : sides) {
        const WideRational d = wideDifference(wideSum(coefficients.first), wideSum(coefficients.second));
        if (d.numerator != 0) net.emplace(key, d);
    }
    return net;
}

/// The letters of `netVariableTerms`.
std::set<std::string> remainingLetters(const PolyEquation& e) {
    std::set<std::string> letters;
    for (const auto& [key, coefficient] : netVariableTerms(e)) letters.insert(key.second);
    return letters;
}

/// The like terms of a side in descending order added up exactly: within
/// each run of equal exponents, the terms of each letter in the order the
/// letters first come (constants whatever their letter, in the side's first
/// letter); the sums that come out 0 dropped (none left: the zero term).
Polynomial sumByExponent(const Polynomial& sorted) {
    const std::string variable = sorted.terms.front().variable;
    std::vector<Monomial> sums;
    const std::vector<Monomial>& terms = sorted.terms;
    for (std::size_t begin = 0, end = 0; begin < terms.size(); begin = end) {
        const std::uint64_t exponent = terms[begin].exponent;
        std::vector<std::pair<std::string, std::vector<Rational>>> byLetter;  // at most one per letter
        for (end = begin; end < terms.size() && terms[end].exponent == exponent; ++end) {
            const std::string& letter = exponent == 0 ? variable : terms[end].variable;
            auto group = std::ranges::find(byLetter, letter, &std::pair<std::string, std::vector<Rational>>::first);
            if (group == byLetter.end()) group = byLetter.insert(group, {letter, {}});
            group->second.push_back(terms[end].coefficient);
        }
        for (const auto& [letter, coefficients] : byLetter) {
            const Rational sum = sideTotal(coefficients);
            if (sum.numerator != 0) sums.push_back(makeMonomial(sum, exponent, letter));
        }
    }
    return sums.empty() ? zeroSide(variable) : makePolynomial(std::move(sums));
}

}  // namespace

std::int64_t countHigherPowerTerms(const PolyEquation& e) {
    std::int64_t count = 0;
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        count = std::accumulate(side->terms.begin(), side->terms.end(), count, countHigherPowerTermsClosure);
    return count;
}

WideRational netCoefficient(const PolyEquation& e, std::uint64_t exponent) {
    auto sum = [exponent](const Polynomial& side) {
        std::vector<Rational> coefficients;
        for (const Monomial& m : side.terms)
            if (m.exponent == exponent) coefficients.push_back(m.coefficient);
        return wideSum(coefficients);
    };
    return wideDifference(sum(e.LHS), sum(e.RHS));
}

std::uint64_t netDegree(const PolyEquation& e) {
    const NetTerms net = netVariableTerms(e);
    return net.empty() ? 0 : net.rbegin()->first.first;  // ordered by exponent first
}

std::string equationVariable(const PolyEquation& e, bool (*test)(const Monomial&)) {
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms)
            if (test(m)) return m.variable;
    return std::string(rawValue(Var::x));
}

std::string solvingLetter(const PolyEquation& e, bool (*test)(const Monomial&)) {
    const std::set<std::string> letters = remainingLetters(e);
    return letters.size() == 1 ? *letters.begin() : equationVariable(e, test);
}

bool equationHasOneLetter(const PolyEquation& e) { return remainingLetters(e).size() <= 1; }

bool termsNameOneLetter(const PolyEquation& e) {
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
    // Letter by letter, in the order the left side's squares name them.
    std::vector<std::string> letters, dropped;
    for (const Monomial& m : e.LHS.terms) {
        if (!isSquareTermClosure(m) || std::ranges::find(letters, m.variable) != letters.end()) continue;
        letters.push_back(m.variable);
        const Monomial* right = firstSquareOf(e.RHS, m.variable);
        if (right && rationalEquals(m.coefficient, right->coefficient)) dropped.push_back(m.variable);
    }
    if (dropped.empty()) return std::nullopt;
    return withSides(withoutSquareTerms(e.LHS, dropped), withoutSquareTerms(e.RHS, dropped), e.relation);
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
    // The terms of the right side cross with their signs turned, exactly
    // (only the sums are written: a term of −2⁶³ may cross to one that fits).
    std::vector<Monomial> all = e.LHS.terms;
    for (Monomial m : e.RHS.terms) {
        m.coefficient = negatedExactly(m.coefficient);
        all.push_back(std::move(m));
    }
    const Polynomial gathered = sumByExponent(sortedByDescendingExponent(makePolynomial(std::move(all))));
    const Polynomial right = zeroSide(gathered.terms.front().variable);
    return ConvenientSides{{e, withSides(gathered, right, e.relation)}, "left hand side for convenience"};
}

Engine_Step concatenateClosure(std::vector<Engine_Table> tables, Engine_Step page) {
    tables.insert(tables.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    return tables;
}

}  // namespace tl
