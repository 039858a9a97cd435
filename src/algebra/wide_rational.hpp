// Exact rationals in 128 bits, for what the solvers work out without writing
// it down: an equation's net coefficients (one side's total less the
// other's) and the answers drawn from them. Only what a page writes is
// narrowed to the 64 bits of a Rational, so a value such as −2⁶³ that fits
// is answered, however its parts were reached.
#pragma once

#include <span>

#include "algebra/rational.hpp"
#include "base/checked.hpp"

namespace tl {

/// n/d in lowest terms with d > 0.
struct WideRational {
    checked::i128 numerator = 0;
    checked::i128 denominator = 1;
    friend bool operator==(const WideRational&, const WideRational&) = default;
};

/// n/d in lowest terms with a positive denominator; d ≠ 0 (else
/// PreconditionError); −2¹²⁷ for n or d is beyond it (OverflowError).
WideRational wideRational(checked::i128 n, checked::i128 d);
inline WideRational wideRational(const Rational& r) { return wideRational(r.numerator, r.denominator); }

/// −1, 0 or 1.
int sign(const WideRational& r);

/// a − b, exact: OverflowError beyond 128 bits, never for two values whose
/// parts fit 64 bits.
WideRational wideDifference(const WideRational& a, const WideRational& b);
/// a / b, exact; b ≠ 0 (else PreconditionError); OverflowError when the
/// result does not fit 128 bits.
WideRational wideQuotient(const WideRational& a, const WideRational& b);
/// The sum of the values (each in lowest terms over a positive
/// denominator), exact: the numerators over each denominator are added up
/// first, then those sums joined over their least common multiple with the
/// whole part kept apart. OverflowError when a sum over one denominator,
/// that common multiple or the total passes 128 bits: never while the
/// common multiple L of the denominators and L times the sum of the values'
/// sizes are below 2¹²⁶.
WideRational wideSum(std::span<const WideRational> values);
/// a · b, exact, the factors cancelled across first: OverflowError only when
/// the product itself does not fit 128 bits.
WideRational wideProduct(const WideRational& a, const WideRational& b);
/// −a (always fits: no part is −2¹²⁷).
inline WideRational wideNegation(const WideRational& a) { return {-a.numerator, a.denominator}; }

/// r as a Rational in lowest terms with a positive denominator, or
/// OverflowError ("64-bit overflow") when a part does not fit 64 bits.
Rational narrowed(const WideRational& r);

/// The sum of the values, exact: none gives 0, one is taken as it stands
/// (1/−2⁶³ too), several are added up by sumRationals, whose total must fit
/// 64 bits (else OverflowError). No denominator may be 0.
WideRational wideSum(std::span<const Rational> values);

/// A Rational of the value −r written so that it fits: −n/d, else n/(−d)
/// (so −(−2⁶³/1) is −2⁶³/−1), and −1/1 for −2⁶³/−2⁶³; the colours kept.
/// For exact sums (`sumRationals`) of terms moved across.
Rational negatedExactly(const Rational& r);

}  // namespace tl
