// Whether two polynomials in one letter have a common factor of positive
// degree: exact, and without numbers beyond 64 bits.
//
// Euclid over the rationals lets its numbers grow fast (a quartic and a
// quintic with one-digit coefficients already leave 64 bits), so Euclid runs
// modulo primes below 2³¹ that divide no denominator and neither leading
// coefficient. A gcd of degree 0 modulo one such prime proves the two
// coprime. A gcd of positive degree modulo enough of them, whose product
// passes the bound on the resultant of the two (scaled to whole numbers),
// proves that resultant 0, and so a common factor.
#pragma once

#include <span>

#include "algebra/rational.hpp"

namespace tl {

/// Coefficients by ascending power (trailing zeros allowed, none at all for
/// 0); a zero denominator is a PreconditionError. 0 has every factor, a
/// non-zero constant none. Pairs so large that the proof would take more than
/// a thousand primes are refused with PreconditionError, unless the first
/// prime already proves them coprime.
bool haveCommonFactor(std::span<const Rational> a, std::span<const Rational> b);

}  // namespace tl
