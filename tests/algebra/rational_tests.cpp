#include <gtest/gtest.h>

#include "algebra/values.hpp"
#include "algebra/rational.hpp"
#include "base/errors.hpp"

using namespace tl;

namespace {

Rational q(std::int64_t n, std::int64_t d) { return makeDefaultRational(n, d); }

/// Same numerator and denominator as written, and all black.
::testing::AssertionResult isExactly(const std::optional<Rational>& r, std::int64_t n, std::int64_t d) {
    if (!r) return ::testing::AssertionFailure() << "absent, expected " << n << "/" << d;
    if (r->numerator != n || r->denominator != d)
        return ::testing::AssertionFailure() << r->numerator << "/" << r->denominator << ", expected " << n << "/" << d;
    if (r->numerator_color != Color::black || r->denominator_color != Color::black || r->bar_color != Color::black)
        return ::testing::AssertionFailure() << "not black";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(Rational, Reduction) {
    EXPECT_TRUE(isExactly(simplifyRational(q(3, 6)), 1, 2));
    EXPECT_TRUE(isExactly(negateRational(q(3, 6)), -1, 2));
    EXPECT_TRUE(isExactly(simplifyRational(q(4, -6)), -2, 3));
    EXPECT_TRUE(isExactly(simplifyRational(q(0, -7)), 0, 1));
    EXPECT_FALSE(simplifyRational(q(5, 0)));
    EXPECT_FALSE(negateRational(q(5, 0)));
    EXPECT_TRUE(isExactly(negateRational(q(INT64_MIN, -1)), INT64_MIN, 1));
    EXPECT_THROW(negateRational(q(INT64_MIN, 1)), OverflowError);
    EXPECT_TRUE(isExactly(simplifyRational(q(INT64_MIN, INT64_MIN)), 1, 1));
}

TEST(Rational, Arithmetic) {
    EXPECT_TRUE(isExactly(addRational(q(1, 2), q(1, 3)), 5, 6));
    EXPECT_FALSE(addRational(q(1, 2), q(1, 0)));
    EXPECT_TRUE(isExactly(subtractRational(q(1, 2), q(1, 3)), 1, 6));
    EXPECT_TRUE(isExactly(subtractRational(q(1, 2), q(1, 2)), 0, 1));
    EXPECT_TRUE(isExactly(multiplyRational(q(2, 3), q(3, -4)), -1, 2));
    EXPECT_TRUE(isExactly(multiplyRational(q(2, 3), q(3, -4), false), -6, 12));
    EXPECT_FALSE(multiplyRational(q(2, 0), q(3, 4)));
    EXPECT_FALSE(divideRational(q(1, 2), q(0, 5)));
    EXPECT_FALSE(divideRational(q(1, 2), q(3, 0)));
    EXPECT_TRUE(isExactly(divideRational(q(1, 2), q(3, 4)), 2, 3));
    EXPECT_TRUE(isExactly(divideRational(q(1, 2), q(-3, 4), false), -4, 6));
    EXPECT_FALSE(reciprocalRational(q(0, 3)));
    EXPECT_TRUE(isExactly(reciprocalRational(q(-2, 4)), -2, 1));
    EXPECT_TRUE(isExactly(negativeReciprocalRational(q(2, 3)), -3, 2));
    EXPECT_FALSE(negativeReciprocalRational(q(2, 0)));
    // Colours of the operands are not carried over.
    EXPECT_TRUE(isExactly(addRational(makeSingleColorRational(1, 2, Color::red), q(0, 1)), 1, 2));
}

TEST(Rational, LargeValuesAreExactOrThrow) {
    // Intermediates beyond 64 bits that reduce back into range are exact.
    const std::int64_t big = 3037000499;  // big² < 2^63 < (big + 1)²
    EXPECT_TRUE(isExactly(addRational(q(1, INT64_MAX), q(1, INT64_MAX)), 2, INT64_MAX));
    EXPECT_TRUE(isExactly(multiplyRational(q(INT64_MAX, 2), q(2, INT64_MAX)), 1, 1));
    EXPECT_TRUE(isExactly(subtractRational(q(0, 1), q(INT64_MIN, -1)), INT64_MIN, 1));
    // A result that does not fit throws: it is never "absent" (which means a zero denominator).
    EXPECT_THROW(multiplyRational(q(big + 1, 1), q(big + 1, 1)), OverflowError);
    EXPECT_THROW(addRational(q(INT64_MAX, 1), q(1, 1)), OverflowError);
    EXPECT_THROW(multiplyRational(q(1, INT64_MAX), q(1, 3), false), OverflowError);
    EXPECT_THROW(reciprocalRational(q(INT64_MIN, 1)), OverflowError);
}

TEST(Rational, EqualityAndOrder) {
    EXPECT_TRUE(q(1, 2) == q(2, 4));
    EXPECT_TRUE(q(2, -4) == q(-1, 2));
    EXPECT_TRUE(makeSingleColorRational(1, 2, Color::red) == q(1, 2));
    EXPECT_FALSE(q(1, 2) == q(1, 3));
    // Zero denominators: equal only to the same n/0.
    EXPECT_TRUE(q(1, 0) == q(1, 0));
    EXPECT_FALSE(q(1, 0) == q(2, 0));
    EXPECT_FALSE(q(0, 0) == q(3, 4));
    EXPECT_FALSE(q(3, 4) == q(0, 0));
    EXPECT_FALSE(q(0, 5) == q(1, 0));

    EXPECT_TRUE(rationalLessThan(q(-1, 2), q(1, 3)));
    EXPECT_TRUE(rationalLessThan(q(1, -2), q(1, 3)));
    EXPECT_FALSE(rationalLessThan(q(1, 2), q(1, 0)));
    EXPECT_FALSE(rationalLessThan(q(1, 0), q(1, 2)));
    EXPECT_FALSE(rationalLessThan(q(1, 2), q(2, 4)));
    static_assert(!std::totally_ordered<Rational>);  // no ordering operators: 1/0 is incomparable
    EXPECT_TRUE(rationalLessThan(q(INT64_MIN, 1), q(INT64_MAX, 1)));  // cross products beyond 64 bits
    EXPECT_TRUE(rationalLessThan(q(1, INT64_MAX), q(1, INT64_MAX - 1)));

    EXPECT_FALSE(rationalMatches(q(1, 2), true, q(2, 4)));
    EXPECT_TRUE(rationalMatches(q(1, 2), false, q(2, 4)));
    EXPECT_TRUE(rationalMatches(q(1, 2), true, q(1, 2)));
    EXPECT_FALSE(rationalMatches(q(1, 0), true, q(1, 0)));
    EXPECT_FALSE(rationalMatches(q(0, 1), false, q(0, 0)));
}

TEST(Rational, Tests) {
    EXPECT_EQ(isNegativeRational(q(0, 5)), false);
    EXPECT_EQ(isNegativeRational(q(-1, -2)), false);
    EXPECT_EQ(isNegativeRational(q(1, -2)), true);
    EXPECT_EQ(isPositiveRational(q(-1, -2)), true);
    EXPECT_EQ(isPositiveRational(q(0, 2)), false);
    EXPECT_FALSE(isNegativeRational(q(1, 0)));
    EXPECT_FALSE(isPositiveRational(q(1, 0)));
    EXPECT_EQ(rationalNeedsReducing(q(2, 4)), true);
    EXPECT_EQ(rationalNeedsReducing(q(1, -3)), true);
    EXPECT_EQ(rationalNeedsReducing(q(3, 4)), false);
    EXPECT_FALSE(rationalNeedsReducing(q(1, 0)));

    EXPECT_TRUE(isRationalSquare(q(0, 5)));
    EXPECT_TRUE(isRationalSquare(q(4, 9)));
    EXPECT_TRUE(isRationalSquare(q(8, 18)));
    EXPECT_TRUE(isRationalSquare(q(-4, -9)));
    EXPECT_FALSE(isRationalSquare(q(-4, 9)));
    EXPECT_FALSE(isRationalSquare(q(2, 1)));
    EXPECT_FALSE(isRationalSquare(q(4, 0)));
    EXPECT_TRUE(isWholeRational(true, q(6, 3)));
    EXPECT_FALSE(isWholeRational(false, q(6, 3)));
    EXPECT_TRUE(isWholeRational(false, q(6, 1)));
    EXPECT_FALSE(isWholeRational(true, q(6, 0)));
    EXPECT_TRUE(isWholeRational(true, q(INT64_MIN, -1)));
}

TEST(Rational, DecimalText) {
    EXPECT_TRUE(isExactly(rationalFromDecimalText("1.50"), 15, 10));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("2.000"), 2, 1));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("-0.25"), -25, 100));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("7"), 7, 1));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("+3.5"), 35, 10));
    EXPECT_TRUE(isExactly(rationalFromDecimalText(".5"), 5, 10));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("5."), 5, 1));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("-.00"), 0, 1));
    EXPECT_TRUE(isExactly(rationalFromDecimalText("100"), 100, 1));
    for (const char* bad : {"", ".", "-", "abc", "inf", "nan", "1e3", " 1", "1 ", "1.2.3", "0x10", "--1", "1,5"})
        EXPECT_TRUE(isExactly(rationalFromDecimalText(bad), 0, 1)) << '"' << bad << '"';
    EXPECT_THROW(rationalFromDecimalText("99999999999999999999"), OverflowError);
}

