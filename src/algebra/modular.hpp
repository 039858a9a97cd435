// Arithmetic on residues, for the exact tests that look at polynomials
// modulo primes. Two rings, each reducing a product the fastest way for its
// modulus: Barrett's method below 2³¹, folding for the Mersenne prime
// 2⁶¹ − 1. What builds on the product (sums, powers, inverses, the residues
// of whole numbers and of fractions) is written once for both.
//
// A residue is a number below the modulus; the functions take residues and
// give residues unless they say otherwise.
#pragma once

#include <cstdint>
#include <optional>

#include "algebra/rational.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"

namespace tl::modular {

using u64 = std::uint64_t;
using checked::i128;
using checked::u128;

/// Residues modulo m, for 2 ≤ m < 2³¹ (prime or not).
class Below31 {
public:
    explicit Below31(u64 m) : m_(checkedModulus(m)), scale_(UINT64_MAX / m_) {}
    u64 modulus() const { return m_; }
    /// x mod m by Barrett's method, for every x < 2⁶³ (so a sum of two
    /// products of residues): the estimated quotient is at most one short.
    u64 reduce(u64 x) const {
        const u64 q = static_cast<u64>((static_cast<u128>(x) * scale_) >> 64);
        const u64 r = x - q * m_;
        return r >= m_ ? r - m_ : r;
    }
    u64 multiply(u64 a, u64 b) const { return reduce(a * b); }

private:
    static u64 checkedModulus(u64 m) {
        require(m >= 2 && m < (u64{1} << 31), "a modulus outside 2 to 2³¹ − 1");
        return m;
    }

    u64 m_;
    u64 scale_;  // ⌊(2⁶⁴ − 1)/m⌋
};

/// Residues modulo the Mersenne prime 2⁶¹ − 1.
class Mersenne61 {
public:
    static constexpr u64 kPrime = (u64{1} << 61) - 1;
    static constexpr u64 modulus() { return kPrime; }
    static u64 multiply(u64 a, u64 b) { return fold(static_cast<u128>(a) * b); }

private:
    /// v mod 2⁶¹ − 1 for v < 2¹²²: 2⁶¹ ≡ 1, so the high bits add to the low ones.
    static u64 fold(u128 v) {
        u64 r = static_cast<u64>(v & kPrime) + static_cast<u64>(v >> 61);
        r = (r & kPrime) + (r >> 61);
        return r >= kPrime ? r - kPrime : r;
    }
};

/// a + b (the modulus is below 2⁶³, so the sum does not wrap).
template <class Ring>
u64 add(const Ring& ring, u64 a, u64 b) {
    const u64 s = a + b;
    return s >= ring.modulus() ? s - ring.modulus() : s;
}

/// −a.
template <class Ring>
u64 negate(const Ring& ring, u64 a) {
    return a == 0 ? 0 : ring.modulus() - a;
}

/// base^exponent by squaring; 0⁰ is 1.
template <class Ring>
u64 power(const Ring& ring, u64 base, u64 exponent) {
    u64 result = 1;
    while (exponent > 0) {
        if (exponent & 1) result = ring.multiply(result, base);
        exponent >>= 1;
        if (exponent > 0) base = ring.multiply(base, base);
    }
    return result;
}

/// a⁻¹ for a prime modulus and a ≠ 0 (Fermat: a^(p − 2)).
template <class Ring>
u64 inverse(const Ring& ring, u64 a) {
    return power(ring, a, ring.modulus() - 2);
}

/// n mod m, for any whole n and m ≥ 1.
inline u64 residue(std::int64_t n, u64 m) {
    const u64 r = checked::magnitude(n) % m;
    return n < 0 && r != 0 ? m - r : r;
}
inline u64 residue(i128 n, u64 m) {
    const u64 r = static_cast<u64>(checked::magnitude(n) % m);
    return n < 0 && r != 0 ? m - r : r;
}

/// The fraction c modulo a prime; none when the prime divides its denominator.
template <class Ring>
std::optional<u64> residue(const Ring& ring, const Rational& c) {
    const u64 d = residue(c.denominator, ring.modulus());
    if (d == 0) return std::nullopt;
    const u64 n = residue(c.numerator, ring.modulus());
    return d == 1 || n == 0 ? n : ring.multiply(n, inverse(ring, d));
}

}  // namespace tl::modular
