#include "algebra/side_operations.hpp"

#include <algorithm>
#include <numeric>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

/// p with every term replaced by f(term).
template <class F>
Polynomial mapTerms(const Polynomial& p, F f) {
    std::vector<Monomial> terms;
    terms.reserve(p.terms.size());
    for (const Monomial& m : p.terms) terms.push_back(f(m));
    return makePolynomial(std::move(terms));
}

/// n/d in lowest terms with a positive denominator, black. Without a
/// denominator only the numerator's sign is kept (5/0 → 1/0), and 0/0 stays.
Rational reducedCoefficient(const Rational& r) {
    if (r.denominator == 0) return makeDefaultRational((r.numerator > 0) - (r.numerator < 0), 0);
    return *simplifyRational(r);
}

/// The single term 0/1 in "x" that stands for an empty side.
Polynomial zeroSide() { return makePolynomial({makeMonomialX(makeDefaultRational(0, 1), 0)}); }

/// Like terms: equal exponents and, unless constants, equal variables; with
/// `simpleOnly` both of denominator 1 as well.
bool areLikeTerms(const Monomial& a, const Monomial& b, bool simpleOnly) {
    if (simpleOnly && (a.coefficient.denominator != 1 || b.coefficient.denominator != 1)) return false;
    return a.exponent == b.exponent && (a.exponent == 0 || a.variable == b.variable);
}

/// The term rebuilt with its coefficient all in c and a black variable colour.
Monomial withColoredCoefficient(Color c, const Monomial& m) {
    return makeMonomial(recolorRational(m.coefficient, c), m.exponent, m.variable);
}

/// The test of a first-match search for the exponent `wanted`.
bool countUntilExponent(const Monomial& m, std::uint64_t wanted, std::size_t& counter) {
    if (m.exponent == wanted) return true;
    ++counter;
    return false;
}

}  // namespace

bool isNonZeroTerm(const Monomial& m) { return m.coefficient.numerator != 0; }

bool hasFractionalCoefficient(const Monomial& m) { return m.coefficient.denominator != 1; }

bool sideHasZeroDenominator(const Polynomial& p) {
    return std::ranges::any_of(p.terms, [](const Monomial& m) { return m.coefficient.denominator == 0; });
}

bool sideHasUnreducedCoefficient(const Polynomial& p) {
    return std::ranges::any_of(p.terms, [](const Monomial& m) {
        const Rational& r = m.coefficient;
        // gcd(n, 0) = |n|, so n/0 is reduced only for n = ±1.
        if (r.denominator == 0) return r.numerator != 1 && r.numerator != -1;
        return *rationalNeedsReducing(r);
    });
}

bool sideHasFraction(const Polynomial& p) { return std::ranges::any_of(p.terms, hasFractionalCoefficient); }

bool isInDescendingOrder(const Polynomial& p) {
    // A stable sort leaves the side as it is exactly when no term has a
    // higher exponent than the one before it.
    return std::ranges::adjacent_find(p.terms, [](const Monomial& a, const Monomial& b) {
               return higherExponentFirst(b, a);
           }) == p.terms.end();
}

std::int64_t lcmOfDenominators(const Polynomial& p) {
    std::int64_t result = 1;
    for (const Monomial& m : p.terms) result = lcm(result, m.coefficient.denominator);
    return result;
}

std::int64_t gcdOfNumerators(const Polynomial& p) { return checked::withSign(magnitudeGcdOfNumerators(p), false); }

std::uint64_t magnitudeGcdOfNumerators(const Polynomial& p) {
    std::uint64_t result = 0;
    for (const Monomial& m : p.terms) result = std::gcd(result, checked::magnitude(m.coefficient.numerator));
    return result;
}

Polynomial reduceCoefficientsOfSide(const Polynomial& p) {
    return mapTerms(p, [](const Monomial& m) {
        return makeMonomial(reducedCoefficient(m.coefficient), m.exponent, m.variable);
    });
}

Polynomial negateSide(const Polynomial& p) {
    return mapTerms(p, [](const Monomial& m) {
        const Rational r = reducedCoefficient(m.coefficient);
        return makeMonomial(makeDefaultRational(checked::neg(r.numerator), r.denominator), m.exponent, m.variable);
    });
}

Polynomial removeZeroTerms(bool recolor, const Polynomial& p) {
    std::vector<Monomial> kept;
    std::ranges::copy_if(p.terms, std::back_inserter(kept), isNonZeroTerm);
    Polynomial result = kept.empty() ? zeroSide() : makePolynomial(std::move(kept));
    return recolor ? recolorPolynomial(Color::black, result) : result;
}

Polynomial clearFractionsOfSide(const Polynomial& p) {
    const std::int64_t L = lcmOfDenominators(p);
    require(L != 0, "cannot clear fractions: a denominator is 0");
    return mapTerms(p, [L](const Monomial& m) {
        const Rational& r = m.coefficient;
        return makeMonomial(makeDefaultRational(checked::mul(r.numerator, checked::div(L, r.denominator)), 1),
                            m.exponent, m.variable);
    });
}

CombinedSide combineLikeTermsOfSide(bool simpleOnly, const Polynomial& p) {
    const std::vector<Monomial>& t = p.terms;
    const auto like = [simpleOnly](const Monomial& a, const Monomial& b) { return areLikeTerms(a, b, simpleOnly); };
    std::vector<Monomial> result;
    bool changed = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        // Likeness is an equivalence, so a term with a like term before it
        // has already been added into that term's group.
        if (std::any_of(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(i),
                        [&](const Monomial& earlier) { return like(earlier, t[i]); }))
            continue;
        // Added up exactly: only the total is written, so a total that fits
        // is written whatever the partial sums in between.
        std::vector<Rational> likeTerms{t[i].coefficient};
        for (std::size_t j = i + 1; j < t.size(); ++j)
            if (like(t[j], t[i])) likeTerms.push_back(t[j].coefficient);
        Rational sum = t[i].coefficient;
        if (likeTerms.size() > 1) {
            const auto added = sumRationals(likeTerms);
            require(added.has_value(), "cannot combine like terms: a denominator is 0");
            sum = *added;
            changed = true;
        }
        if (sum.numerator != 0) result.push_back(makeMonomial(sum, t[i].exponent, t[i].variable));
    }
    return {result.empty() ? zeroSide() : makePolynomial(std::move(result)), changed};
}

Polynomial recolorPolynomial(Color c, const Polynomial& p) {
    return mapTerms(p, [c](const Monomial& m) { return colorMonomial(c, m); });
}

Polynomial colorFractionDenominators(Color c, const Polynomial& p) {
    return mapTerms(p, [c](Monomial m) {
        if (hasFractionalCoefficient(m)) m.coefficient.denominator_color = c;
        return m;
    });
}

Polynomial colorFirstTerm(Color c, const Polynomial& p) {
    Polynomial result = p;
    if (!result.terms.empty()) result.terms.front() = withColoredCoefficient(c, result.terms.front());
    return result;
}

Polynomial colorLastTerm(Color c, const Polynomial& p) {
    Polynomial result = p;
    if (!result.terms.empty()) result.terms.back() = withColoredCoefficient(c, result.terms.back());
    return result;
}

Ext_polynomial extPolynomialFromPolynomial(const Polynomial& p) {
    std::vector<Term> group;
    group.reserve(p.terms.size());
    for (const Monomial& m : p.terms) group.push_back(makeTerm(m, {false, 0}));
    return makePolynomialXL(std::vector<std::vector<Term>>{std::move(group)});
}

Ext_polyEquation extEquationFromPolyEquation(const PolyEquation& e) {
    return makeEquationXL(extPolynomialFromPolynomial(e.LHS), extPolynomialFromPolynomial(e.RHS), e.relation);
}

bool isNotSquareTerm(const Monomial& m) { return m.exponent != 2; }

bool higherExponentFirst(const Monomial& m, const Monomial& m2) { return m.exponent > m2.exponent; }

std::function<Monomial(const Monomial&)> divideByLeadingCoefficientClosure(const std::vector<Monomial>& terms) {
    const Rational leading = at(terms, std::size_t{0}).coefficient;
    return [leading](const Monomial& m) {
        const auto quotient = divideRational(m.coefficient, leading);
        require(quotient.has_value(), "cannot divide by the leading coefficient: division by zero");
        return makeMonomial(*quotient, m.exponent, m.variable);
    };
}

Term divideTermByCommonDivisor(const Monomial& m, std::int64_t g) {
    require(g != 0, "cannot divide a term by the common divisor 0");
    const std::int64_t q = checked::div(m.coefficient.numerator, g);
    return makeTerm(makeMonomial(makeDefaultRational(q, 1), m.exponent, m.variable), {false, 0});
}

bool countUntilLinearTerm(const Monomial& m, std::size_t& counter) { return countUntilExponent(m, 1, counter); }

bool countUntilConstantTerm(const Monomial& m, std::size_t& counter) { return countUntilExponent(m, 0, counter); }

std::string commonDivisorComment(std::int64_t n) {
    std::string text;
    if (n == -1) {
        text = " \n";
    } else {
        // |n| unsigned, so that the most negative integer is written too.
        text.append("\n").append(std::to_string(checked::magnitude(n))).append(" is greatest common divisor\n\n");
    }
    const std::string number = std::to_string(n);
    return text.append("factor out  ").append(number).append("\ndivide both sides by  ").append(number);
}

}  // namespace tl
