// The simplification steps of a rational expression: showing the monomial
// factor numerator and denominator have in common, cancelling the factor groups
// they share, and recognising a finished expression with its last tidy step.
//
// Each builder returns the successive states of its step, the first being the
// state before it, or nothing when it does not apply; the states keep the
// value of the expression. Which builder a simplification applies when is the
// caller's choice: rationalSimplifySteps answers whether it is finished.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "algebra/rational_expression.hpp"

namespace tl {

// ---- the common monomial factor ------------------------------------------------------

/// Where a part keeps its monomial factor: in the factor group `group`, pointed
/// at by the expression term's factor at `factorPosition`, or, without a
/// position, the expression term's own monomial (`group` then is the root).
struct MonomialLocation {
    std::size_t group = 0;
    std::optional<std::size_t> factorPosition;
    friend bool operator==(const MonomialLocation&, const MonomialLocation&) = default;
};

/// For a part whose expression is one term: the first factor pointing at a
/// group of one plain term that is not −1, 0 or 1; else the term's own
/// monomial unless it is one of those; else none.
std::optional<MonomialLocation> monomialFactorLocation(const Polynomial_XL& part);

/// The part with the monomial M at `group` written as g·x^k times the quotient
/// M ÷ g·x^k (in `color`). For the root's own monomial: [quotient], the old
/// groups one place on, and the root g·x^k·(0)·(the old factors). For a factor
/// group: that group replaced by [g·x^k] and [quotient], every factor pointing
/// at it pointing at both; the root term is black but for those factors.
Polynomial_XL splitCommonMonomial(const Polynomial_XL& part, std::size_t group, std::int64_t g, std::uint64_t k,
                                  Color color);

/// The same power of the group one place further on, black.
Factor shiftFactorPointer(const Factor& factor);

/// [before, after]: the two monomial factors coloured (numerator red,
/// denominator blue), then each split into their common monomial g·x^k (g the
/// gcd of the numerators, k the smaller exponent) and the quotient. None when a
/// part is not one product with a monomial factor, the two monomials are equal,
/// or they share nothing (g of 1 and an exponent 0, or both numerators 0).
std::optional<RationalStepPair> rationalReduceSteps(const Rational_Expression& e);

// ---- cancelling and finishing ------------------------------------------------------

/// [before, after] when numerator and denominator share factor groups: before
/// draws the shared groups red over blue, after has them removed (a power only
/// down to the smaller exponent of the two) and is then folded by
/// transformBothParts, which also moves the sign of a denominator that is a
/// negative unit. [e, folded] when nothing cancels but folding applies; none
/// otherwise. Only the expression itself and the groups its one term points at
/// can cancel.
std::optional<std::vector<Rational_Expression>> rationalCancelSteps(const Rational_Expression& e);

/// [e] when the expression is finished (each part that is a sum, and each
/// group a product multiplies, in standard order, not leading negative,
/// without common factor and not factorable, and numerator and denominator
/// share no group, no monomial factor and no factor of positive degree, found
/// by haveCommonFactor on the groups written out, all pairs within what the
/// root searches left of the entry's allowance (at most a CompareAllowance's
/// default): PreconditionError "polynomials too large to compare" beyond it;
/// an expression with a group that mixes letters is never
/// finished); [e, tidied] when only a last tidy step is left: a negative
/// one-term denominator's sign moved up, or a zero numerator over any non-zero
/// denominator made 0 over 1; none when it is not yet simplified. A
/// denominator that is the zero polynomial (isZeroPolynomialXL) is a
/// PreconditionError: the expression has no value. The rational root
/// searches of all its parts and groups, then the comparisons, share one
/// allowance (RootSearchScope), so the whole entry answers or is refused
/// within it.
std::optional<std::vector<Rational_Expression>> rationalSimplifySteps(const Rational_Expression& e);

}  // namespace tl
