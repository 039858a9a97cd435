// Whether two polynomials in one letter have a common factor of positive
// degree: exact, and within a stated amount of work.
//
// Euclid over the rationals lets its numbers grow fast (a quartic and a
// quintic with one-digit coefficients already leave 64 bits), so Euclid runs
// modulo primes below 2³¹ that divide no denominator and neither leading
// coefficient. A gcd of degree 0 modulo one such prime proves the two
// coprime. A gcd of positive degree is the image of the true gcd, or of a
// multiple of it for a rare unlucky prime: its coefficients, read back as
// fractions (from one prime, or from up to four images of the same degree
// joined by the Chinese remainder theorem), give a candidate that proves a
// common factor once it divides both exactly, in whole numbers of at most
// 127 bits. A gcd of positive degree modulo primes whose product passes the
// bound on the resultant of the two (scaled to whole numbers) proves that
// resultant 0, and so a common factor, too.
#pragma once

#include <cstdint>
#include <span>

#include "algebra/rational.hpp"
#include "algebra/work_allowance.hpp"

namespace tl {

/// The work a caller allows its comparisons together, in coefficients
/// touched: Euclid modulo one prime on polynomials of degrees m and n
/// touches at most (m + 1)·(n + 1) of them (few, for most pairs: the
/// remainders soon lose degree), a division of degree n by degree d
/// (n − d + 1)·(d + 1). The default takes two polynomials of degree 10,000
/// through a few primes in well under a second.
struct CompareAllowance : WorkAllowance {
    static constexpr std::uint64_t kDefault = 500'000'000;
    explicit CompareAllowance(std::uint64_t amount = kDefault)
        : WorkAllowance{amount, "polynomials too large to compare"} {}
};

/// The most one prime's Euclid on a and b can count against an allowance
/// (trailing zeros not counted); 0 when either is 0 or a non-zero constant.
std::uint64_t commonFactorTestCost(std::span<const Rational> a, std::span<const Rational> b);

/// Coefficients by ascending power (trailing zeros allowed, none at all for
/// 0); a zero denominator is a PreconditionError. 0 has every factor, a
/// non-zero constant none. A pair that the allowance left cannot decide is
/// refused with PreconditionError ("polynomials too large to compare"):
/// before any work when one prime's Euclid alone could pass it, and as soon
/// as it is clear that only more primes than the allowance pays for could
/// decide it. The work done is taken off `allowance`.
bool haveCommonFactor(std::span<const Rational> a, std::span<const Rational> b, CompareAllowance& allowance);
/// The same with an allowance of its own.
bool haveCommonFactor(std::span<const Rational> a, std::span<const Rational> b);

}  // namespace tl
