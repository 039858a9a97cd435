// Small functions on signed 64-bit integers and on decimal numerals written
// as text, and random integers drawn while avoiding a list.
//
// Every result that leaves the 64-bit range throws OverflowError; arguments
// outside a function's domain throw PreconditionError.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/checked.hpp"

namespace tl {

std::int64_t absoluteValue(std::int64_t n);
/// Never negative; gcd(0, b) = |b|, gcd(0, 0) = 0.
std::int64_t gcd(std::int64_t a, std::int64_t b);
/// gcd(|a|, |b|) as unsigned, exact for every a and b (INT64_MIN is 2⁶³ in
/// size): gcd(0, b) = |b|, gcd(0, 0) = 0.
std::uint64_t magnitudeGcd(std::int64_t a, std::int64_t b);
/// The same in 128 bits.
checked::u128 magnitudeGcd(checked::i128 a, checked::i128 b);
/// 0 when a or b is 0, else |a · (b / gcd(a, b))|.
std::int64_t lcm(std::int64_t a, std::int64_t b);
/// 1 for exponent 0 (also for base 0).
std::int64_t power(std::int64_t base, std::uint64_t exponent);
/// 10^n for 0 ≤ n ≤ 18.
std::int64_t powerOfTen(std::int64_t n);
/// Decimal digits of |n|; 1 for 0.
std::int64_t digitCount(std::int64_t n);
/// s with s·s = n, or none (also for negative n).
std::optional<std::int64_t> exactSquareRoot(std::int64_t n);
/// The largest s with s·s ≤ n; none for n < 1.
std::optional<std::int64_t> floorSquareRoot(std::int64_t n);
/// The positive divisors of n ≥ 1, ascending.
std::vector<std::int64_t> divisors(std::int64_t n);
/// The positive divisors of |n| for n ≠ 0, ascending: every 64-bit n, INT64_MIN
/// (|n| = 2⁶³) included.
std::vector<std::uint64_t> divisorsOfMagnitude(std::int64_t n);

/// n = squareFactor² × rest, rest free of square factors.
struct SquareSplit {
    std::int64_t squareFactor = 0;
    std::int64_t rest = 0;
    friend bool operator==(const SquareSplit&, const SquareSplit&) = default;
};
/// (k, m) with n = k²·m; (0, 1) for 0; none for negative n.
std::optional<SquareSplit> splitSquareFactor(std::int64_t n);

/// ⌊√n⌋ for every n of 128 bits.
checked::u128 wideFloorSquareRoot(checked::u128 n);
/// n = squareFactor² × rest for n ≥ 1 of up to 128 bits (0 is a broken
/// precondition). rest is free of square factors whenever it is below 2⁶³: a
/// part of n of 2⁶³ or more that Pollard's rho does not split within its
/// allowance (some four million steps, a tenth of a second: as a rule any
/// factor below 2⁴⁴ is found) stays in rest whole.
struct WideSquareSplit {
    checked::u128 squareFactor = 0;
    checked::u128 rest = 0;
    friend bool operator==(const WideSquareSplit&, const WideSquareSplit&) = default;
};
WideSquareSplit splitWideSquareFactor(checked::u128 n);

/// True when both are ≤ 0 or both are ≥ 0.
bool sameSignOrZero(std::int64_t a, std::int64_t b);

template <class T>
void swapValues(T& a, T& b) {
    T t = std::move(a);
    a = std::move(b);
    b = std::move(t);
}

/// Exactly "0".
bool isZeroText(std::string_view text);
/// Exactly one character left after removing every "0".
bool hasSingleNonZeroDigit(std::string_view text);
/// hasSingleNonZeroDigit and beginning with "1".
bool isPowerOfTenText(std::string_view text);
/// "1" followed by n zeros, for every n ≥ 0 (also past the 64-bit range).
std::string powerOfTenText(std::int64_t n);

/// Character counts of two texts and the larger of them.
struct TextLengths {
    std::int64_t first = 0;
    std::int64_t second = 0;
    std::int64_t longer = 0;
    friend bool operator==(const TextLengths&, const TextLengths&) = default;
};
TextLengths textLengths(std::string_view a, std::string_view b);

/// The digit value of a plain or superscript digit given as its upper-case
/// hexadecimal code point ("35" and "2075" give 5); 0 for any other text.
std::int64_t digitValueOfCodePoint(std::string_view codePointHex);
/// A Unicode scalar's value in upper-case hexadecimal without leading zeros
/// ("33" for "3", "B9" for "¹", "2074" for "⁴").
std::string scalarHexText(char32_t scalar);

/// A value of lo…hi not in `excluded`, drawn from randomSource(). lo > hi,
/// or every value of the range excluded, is a broken precondition.
std::int64_t randomIntAvoiding(std::int64_t lo, std::int64_t hi, const std::vector<std::int64_t>& excluded);
std::string randomIntTextAvoiding(std::int64_t lo, std::int64_t hi, const std::vector<std::int64_t>& excluded);

/// A pair (a, b), a from lo1…hi1 avoiding excluded1, b from lo2…hi2 avoiding
/// excluded2; with `coprime`, gcd(a, b) = 1; with `distinct`, a ≠ b. A pair
/// that cannot exist is a broken precondition.
std::pair<std::int64_t, std::int64_t> randomPairAvoiding(std::int64_t lo1, std::int64_t hi1,
                                                         const std::vector<std::int64_t>& excluded1,
                                                         std::int64_t lo2, std::int64_t hi2,
                                                         const std::vector<std::int64_t>& excluded2, bool coprime,
                                                         bool distinct);
/// As randomPairAvoiding, as decimal texts; a pair holding 0 passes the coprime test.
std::pair<std::string, std::string> randomPairTextAvoiding(std::int64_t lo1, std::int64_t hi1,
                                                           const std::vector<std::int64_t>& excluded1,
                                                           std::int64_t lo2, std::int64_t hi2,
                                                           const std::vector<std::int64_t>& excluded2,
                                                           bool coprime, bool distinct);

}  // namespace tl
