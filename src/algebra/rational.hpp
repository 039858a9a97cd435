// Exact rational numbers of the algebra engine, with their display colours.
//
// A value keeps what it was given: it is not kept in lowest terms, and its
// denominator may be negative or 0. A denominator of 0 marks a value that has
// no number: operations that meet one give an absent result. Every
// intermediate is computed in 128 bits and narrowed at the end; a result that
// does not fit 64 bits throws OverflowError (it is never reported as absent,
// which callers read as a zero denominator). Arithmetic results are black.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/enums.hpp"

namespace tl {

struct Rational {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
    Color numerator_color = Color::black;
    Color denominator_color = Color::black;
    Color bar_color = Color::black;
};

inline constexpr bool defaultReduceFlag = true;
/// An exact or reduce flag left clear.
constexpr bool defaultFalse() { return false; }

Rational makeDefaultRational(std::int64_t numerator, std::int64_t denominator);
Rational makeSingleColorRational(std::int64_t numerator, std::int64_t denominator, Color c);
Rational makeFullyColoredRational(const Rational& r, Color c);
Rational makeThreeColorRational(std::int64_t numerator, std::int64_t denominator, Color numerator_color,
                                Color denominator_color, Color bar_color);
Rational rationalWithDefaultColors(const Rational& r);
Rational recolorRational(const Rational& r, Color c);

/// Equal by cross-multiplication; colours take no part. A value with
/// denominator 0 equals only a value n/0 with the same n.
bool rationalEquals(const Rational& a, const Rational& b);

/// a < b when a.n·b.d − b.n·a.d and a.d·b.d are non-zero and of opposite
/// signs. Not a total order: a value with denominator 0 is neither less nor
/// greater than any other.
bool rationalLessThan(const Rational& a, const Rational& b);

/// The other three orderings, each read off rationalLessThan: a > b is
/// b < a, a ≤ b is not b < a, a ≥ b is not a < b. So a value with
/// denominator 0 is ≤ and ≥ every value, and > none.
inline bool rationalGreaterThan(const Rational& a, const Rational& b) { return rationalLessThan(b, a); }
inline bool rationalLessThanOrEqual(const Rational& a, const Rational& b) { return !rationalLessThan(b, a); }
inline bool rationalGreaterThanOrEqual(const Rational& a, const Rational& b) { return !rationalLessThan(a, b); }

inline bool operator==(const Rational& a, const Rational& b) { return rationalEquals(a, b); }
// No ordering operators on purpose: rationalLessThan is no strict weak order
// (a value with denominator 0 is incomparable), so it must not reach std::sort.

/// False when either denominator is 0. With `exact`, numerators and
/// denominators equal as written; otherwise equal by cross-multiplication.
bool rationalMatches(const Rational& a, bool exact, const Rational& b);

/// a + b over the product of the denominators, in lowest terms with a
/// positive denominator; absent when that product is 0.
std::optional<Rational> addRational(const Rational& a, const Rational& b);
std::optional<Rational> subtractRational(const Rational& a, const Rational& b);
/// The exact sum of all the values, in lowest terms with a positive
/// denominator (0/1 for none); absent when a denominator is 0. Values over one
/// denominator are added in 128 bits whatever their number and order, and the
/// sums over different denominators joined in lowest terms: OverflowError
/// ("64-bit overflow in addition") only when the total does not fit 64 bits,
/// or when the denominators left after their sums cancel share so little that
/// their lowest common multiple passes 127 bits.
std::optional<Rational> sumRationals(std::span<const Rational> values);
/// With `reduce`, in lowest terms; without, only the sign moved to the numerator.
std::optional<Rational> multiplyRational(const Rational& a, const Rational& b, bool reduce = defaultReduceFlag);
/// Absent when b.denominator is 0 or a.denominator·b.numerator is 0.
std::optional<Rational> divideRational(const Rational& a, const Rational& b, bool reduce = defaultReduceFlag);
std::optional<Rational> simplifyRational(const Rational& r);
std::optional<Rational> negateRational(const Rational& r);
std::optional<Rational> reciprocalRational(const Rational& r);
std::optional<Rational> negativeReciprocalRational(const Rational& r);

/// Absent when the denominator is 0.
std::optional<bool> isNegativeRational(const Rational& r);
std::optional<bool> isPositiveRational(const Rational& r);
std::optional<bool> rationalNeedsReducing(const Rational& r);

/// Non-negative and, in lowest terms, numerator and denominator are squares.
bool isRationalSquare(const Rational& r);
/// With `reduced`, whole in lowest terms (6/3 is whole); without, a written denominator of 1.
bool isWholeRational(bool reduced, const Rational& r);

/// A decimal numeral: an optional sign, digits with at most one ".", nothing
/// else. "1.50" gives 15/10, "2.000" 2/1, "-0.25" −25/100, "7" 7/1. Any other
/// text gives 0/1; digits beyond 64 bits throw OverflowError.
Rational rationalFromDecimalText(std::string_view text);

}  // namespace tl
