// Operations on one side of a polynomial equation (a `Polynomial`), the
// per-term rules the equation steps map over a side, and the conversions from
// the flat equation form to the grouped one.
//
// Every operation is a pure function: it returns a new value. A coefficient
// an operation computes is built black, and a term it rebuilds gets a black
// variable colour; terms keep their order unless an operation says otherwise.
// Arithmetic is exact: a result beyond 64 bits throws OverflowError, and an
// operation that would have to divide by zero throws PreconditionError (the
// solvers test for zero denominators before they call any of these).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "algebra/values.hpp"
#include "common/enums.hpp"

namespace tl {

// ---- per-term tests ---------------------------------------------------------

/// The coefficient's numerator is not 0 (the denominator is not looked at).
bool isNonZeroTerm(const Monomial& m);
/// The coefficient's denominator is not 1 (so −1, 0 and 2 all count).
bool hasFractionalCoefficient(const Monomial& m);

// ---- tests of a side --------------------------------------------------------

/// Some coefficient has denominator 0.
bool sideHasZeroDenominator(const Polynomial& p);
/// Some coefficient has gcd(numerator, denominator) ≠ 1 or a negative
/// denominator: 0/5 and 3/−1 count, 0/1 does not.
bool sideHasUnreducedCoefficient(const Polynomial& p);
/// Some coefficient has a denominator other than 1 (4/2 and 3/−1 count).
bool sideHasFraction(const Polynomial& p);
/// The terms stand in descending exponent (terms of equal exponent in any
/// order): the side equals its stable sort by `higherExponentFirst`.
bool isInDescendingOrder(const Polynomial& p);

// ---- numbers of a side ------------------------------------------------------

/// lcm of all denominators, starting from 1: 1 for an empty side, 0 when a
/// denominator is 0, never negative.
std::int64_t lcmOfDenominators(const Polynomial& p);
/// gcd of all numerators, starting from 0: never negative; 0 for an empty
/// side or when every numerator is 0. OverflowError for 2⁶³ (numerators of
/// −2⁶³ and 0 only), which magnitudeGcdOfNumerators gives.
std::int64_t gcdOfNumerators(const Polynomial& p);
/// The same as unsigned, for every side.
std::uint64_t magnitudeGcdOfNumerators(const Polynomial& p);

// ---- rewrites of a side -----------------------------------------------------

/// Every coefficient n/d in lowest terms with a positive denominator
/// (4/−6 → −2/3, 0/−7 → 0/1, n/0 → ±1/0, 0/0 stays 0/0); black.
Polynomial reduceCoefficientsOfSide(const Polynomial& p);
/// Every coefficient reduced as by `reduceCoefficientsOfSide`, then its
/// numerator negated; black.
Polynomial negateSide(const Polynomial& p);
/// Without the terms whose numerator is 0; none left gives the single term
/// 0/1 with exponent 0 in "x". With `recolor` the result is all black,
/// otherwise colours are kept.
Polynomial removeZeroTerms(bool recolor, const Polynomial& p);
/// Every coefficient n/d becomes (n·(L/d))/1, L = `lcmOfDenominators`(p); black.
/// A denominator of 0 (L = 0) is a PreconditionError.
Polynomial clearFractionsOfSide(const Polynomial& p);

/// The side with its like terms added, and whether any two terms were added.
struct CombinedSide {
    Polynomial side;
    bool changed = false;
};
/// Like terms (same exponent, and same variable unless constants; with
/// `simpleOnly` also both of denominator 1) are added into the place of the
/// first of them; terms that come out 0 are dropped (none left: the single
/// term 0/1 in "x"). A coefficient nothing was added to keeps its colours;
/// variable colours come out black. Adding a zero denominator is a
/// PreconditionError.
CombinedSide combineLikeTermsOfSide(bool simpleOnly, const Polynomial& p);

// ---- colours of a side ------------------------------------------------------

/// Every term coloured c, coefficient and variable alike.
Polynomial recolorPolynomial(Color c, const Polynomial& p);
/// Every coefficient with a denominator other than 1 gets denominator colour
/// c; all other colours kept.
Polynomial colorFractionDenominators(Color c, const Polynomial& p);
/// The first term's coefficient all in c and its variable colour black; the
/// other terms unchanged. An empty side comes back unchanged.
Polynomial colorFirstTerm(Color c, const Polynomial& p);
/// As `colorFirstTerm`, for the last term.
Polynomial colorLastTerm(Color c, const Polynomial& p);

// ---- conversions ------------------------------------------------------------

/// One group holding every term of p unchanged, as plain (non-group) terms.
Ext_polynomial extPolynomialFromPolynomial(const Polynomial& p);
/// Both sides converted by `extPolynomialFromPolynomial`, the same relation,
/// relation colour black.
Ext_polyEquation extEquationFromPolyEquation(const PolyEquation& e);

// ---- per-term rules ---------------------------------------------------------

/// m's exponent is not 2.
bool isNotSquareTerm(const Monomial& m);
/// m's exponent is greater than m2's: the order "descending exponent".
bool higherExponentFirst(const Monomial& m, const Monomial& m2);
/// The rule m ↦ m.coefficient ÷ (first coefficient of `terms`), in lowest
/// terms, black, same exponent and variable. An empty list is a
/// PreconditionError; so is, when the rule runs, a division by zero.
std::function<Monomial(const Monomial&)> divideByLeadingCoefficientClosure(const std::vector<Monomial>& terms);
/// A plain term (q/1, m's exponent and variable, black) with q = m's
/// numerator ÷ g truncated towards zero. g = 0 is a PreconditionError.
Term divideTermByCommonDivisor(const Monomial& m, std::int64_t g);
/// The test of a first-match search: true when m's exponent is 1, otherwise
/// adds 1 to `counter` and gives false. Searching a side with the counter
/// starting at 0 leaves the index of its first linear term (or its length).
bool countUntilLinearTerm(const Monomial& m, std::size_t& counter);
/// As `countUntilLinearTerm`, for the first constant term (exponent 0).
bool countUntilConstantTerm(const Monomial& m, std::size_t& counter);

// ---- comment text -----------------------------------------------------------

/// The comment of the step that divides both sides by the common divisor n:
/// "\n|n| is greatest common divisor\n\nfactor out  n\ndivide both sides by  n",
/// or for n = −1 " \nfactor out  -1\ndivide both sides by  -1".
std::string commonDivisorComment(std::int64_t n);

}  // namespace tl
