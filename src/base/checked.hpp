// Checked signed 64-bit arithmetic: every operation either gives the exact
// result or throws OverflowError (or PreconditionError for a zero divisor).
#pragma once

#include <cstdint>

#include "base/errors.hpp"

namespace tl::checked {

using i64 = std::int64_t;
__extension__ using i128 = __int128;
__extension__ using u128 = unsigned __int128;

inline constexpr i64 kMin = INT64_MIN;
inline constexpr i64 kMax = INT64_MAX;

inline i64 add(i64 a, i64 b) {
    i64 r;
    if (__builtin_add_overflow(a, b, &r)) throw OverflowError("64-bit overflow in addition");
    return r;
}
inline i64 sub(i64 a, i64 b) {
    i64 r;
    if (__builtin_sub_overflow(a, b, &r)) throw OverflowError("64-bit overflow in subtraction");
    return r;
}
inline i64 mul(i64 a, i64 b) {
    i64 r;
    if (__builtin_mul_overflow(a, b, &r)) throw OverflowError("64-bit overflow in multiplication");
    return r;
}
inline i64 neg(i64 a) {
    if (a == kMin) throw OverflowError("64-bit overflow in negation");
    return -a;
}
inline i64 abs(i64 a) { return a < 0 ? neg(a) : a; }
/// |a| as unsigned: exact for every a, INT64_MIN included.
inline std::uint64_t magnitude(i64 a) {
    return a < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
}
inline u128 magnitude(i128 a) { return a < 0 ? u128{0} - static_cast<u128>(a) : static_cast<u128>(a); }
/// The number of size m with the sign asked for: −m for every m up to 2⁶³,
/// +m only up to 2⁶³ − 1 (OverflowError "64-bit overflow in negation" for
/// 2⁶³, the size of INT64_MIN, and beyond).
inline i64 withSign(std::uint64_t m, bool negative) {
    if (negative) {
        if (m > std::uint64_t{1} << 63) throw OverflowError("64-bit overflow in negation");
        return static_cast<i64>(std::uint64_t{0} - m);
    }
    if (m > static_cast<std::uint64_t>(kMax)) throw OverflowError("64-bit overflow in negation");
    return static_cast<i64>(m);
}

/// Truncating division, as C++ `/`.
inline i64 div(i64 a, i64 b) {
    if (b == 0) throw PreconditionError("division by zero");
    if (a == kMin && b == -1) throw OverflowError("64-bit overflow in division");
    return a / b;
}
/// Remainder of truncating division, as C++ `%` (sign of the dividend).
inline i64 rem(i64 a, i64 b) {
    if (b == 0) throw PreconditionError("remainder by zero");
    if (b == -1) return 0;
    return a % b;
}

/// base^exponent by squaring; exponent must not be negative.
inline i64 pow(i64 base, i64 exponent) {
    require(exponent >= 0, "negative exponent");
    i64 result = 1;
    while (exponent > 0) {
        if (exponent & 1) result = mul(result, base);
        exponent >>= 1;
        if (exponent > 0) base = mul(base, base);
    }
    return result;
}

// Checked signed 128-bit arithmetic, for exact intermediates wider than the
// 64 bits a page writes.
inline i128 wideAdd(i128 a, i128 b) {
    i128 r;
    if (__builtin_add_overflow(a, b, &r)) throw OverflowError("128-bit overflow in addition");
    return r;
}

inline i128 wideSub(i128 a, i128 b) {
    i128 r;
    if (__builtin_sub_overflow(a, b, &r)) throw OverflowError("128-bit overflow in subtraction");
    return r;
}

inline i128 wideMul(i128 a, i128 b) {
    i128 r;
    if (__builtin_mul_overflow(a, b, &r)) throw OverflowError("128-bit overflow in multiplication");
    return r;
}

/// gcd(a, b); gcd(0, b) = b.
inline u128 wideGcd(u128 a, u128 b) {
    while (a != 0) {
        const u128 r = b % a;
        b = a;
        a = r;
    }
    return b;
}

/// A whole number of up to 256 bits, in two halves.
struct Wide256 {
    u128 high = 0, low = 0;
    friend bool operator==(const Wide256&, const Wide256&) = default;
};

/// a·b exactly, for every a and b of 128 bits.
inline Wide256 fullProduct(u128 a, u128 b) {
    const u128 mask = (u128{1} << 64) - 1;
    const u128 a0 = a & mask, a1 = a >> 64, b0 = b & mask, b1 = b >> 64;
    const u128 low = a0 * b0, cross1 = a1 * b0, cross2 = a0 * b1, high = a1 * b1;
    // The middle column, with its carries into the high half.
    const u128 middle = (low >> 64) + (cross1 & mask) + (cross2 & mask);
    return {high + (cross1 >> 64) + (cross2 >> 64) + (middle >> 64), (middle << 64) | (low & mask)};
}

/// Narrows a 128-bit intermediate back to 64 bits, or throws OverflowError.
inline i64 narrow(i128 v) {
    if (v < static_cast<i128>(kMin) || v > static_cast<i128>(kMax))
        throw OverflowError("64-bit overflow");
    return static_cast<i64>(v);
}

}  // namespace tl::checked
