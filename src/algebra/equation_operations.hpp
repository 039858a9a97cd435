// Operations on whole equations and sides that complete the side operations:
// tests on an equation, a rewrite over one common denominator, the negation
// of both sides, sorting and conversions of a side, and the builder that
// writes a polynomial with −x put in the place of x.
//
// Pure functions, exact arithmetic: a result beyond 64 bits throws
// OverflowError, a division by zero PreconditionError.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "algebra/values.hpp"

namespace tl {

/// Both sides negated (`negateSide`); an inequality's relation is flipped
/// (−x > −3 from x < 3), an equality's kept; the relation colour is kept.
PolyEquation negateEquation(const PolyEquation& e);

/// No term has an exponent other than 0 (true for an empty side; 0·x is a
/// variable term).
bool sideHasNoVariableTerms(const Polynomial& p);
/// Neither side has a variable term; the relation takes no part.
bool equationHasNoVariableTerms(const Polynomial& LHS, const Polynomial& RHS, Relation relation);
/// Each side is one constant term and the two are equal by
/// cross-multiplication (false for a denominator 0); the relation takes no part.
bool sidesAreEqualConstants(const Polynomial& LHS, const Polynomial& RHS, Relation relation);

/// A value rewritten over a common denominator, with its two flags.
template <class Value>
struct OverCommonDenominator {
    Value value;
    /// Some denominator is not 1; `value` is meaningful only when this holds.
    bool hasCommonDenominator = false;
    /// Some coefficient was rewritten.
    bool changed = false;
};
/// With L the lcm of the denominators other than 1: every term n/d with
/// d ≠ L becomes (n·(L/d))/L, keeping its colours (1 becomes 6/6 for L = 6).
/// L = 1 gives no terms and both flags false. A denominator 0 is a
/// PreconditionError.
OverCommonDenominator<Polynomial> expandToCommonDenominator(const std::vector<Monomial>& terms);
/// Both sides over one common denominator (the lcm serves both), relation
/// kept, relation colour black; empty sides when no term has a fraction.
OverCommonDenominator<PolyEquation> commonDenominatorEquation(const Polynomial& LHS, const Polynomial& RHS,
                                                              Relation relation);

/// One group holding every term of p unchanged, without factors.
Polynomial_XL polynomialXLFromPolynomial(const Polynomial& p);
/// p's terms by descending exponent, terms of equal exponent in their order.
Polynomial sortedByDescendingExponent(const Polynomial& p);
/// Absent when p is in descending order, else `sortedByDescendingExponent`(p).
std::optional<Polynomial> sortedIfNotDescending(const Polynomial& p);
/// p is one constant term with a denominator other than 0 that is 1 (`exact`)
/// or divides its numerator (otherwise).
bool isSingleWholeConstant(bool exact, const Polynomial& p);

/// p with −x in the place of x, twice: [the powers of −x written out
/// (a·(−x)^e), the powers worked out (a·(±x^e))]. Non-constant term j has
/// its group j; the root holds one term per term of p. Terms of even
/// exponent are drawn red, of odd exponent blue.
std::array<Polynomial_XL, 2> substituteNegativeVariable(const Polynomial& p);

}  // namespace tl
