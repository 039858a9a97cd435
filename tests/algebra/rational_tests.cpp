#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "algebra/values.hpp"
#include "algebra/rational.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"

using namespace tl;

namespace {

Rational q(std::int64_t n, std::int64_t d) { return makeDefaultRational(n, d); }

/// "n/d" exactly as held ("none" when absent), "!" after it when any part is not black.
std::string text(const std::optional<Rational>& r) {
    if (!r) return "none";
    const bool black = r->numerator_color == Color::black && r->denominator_color == Color::black &&
                       r->bar_color == Color::black;
    return std::to_string(r->numerator) + "/" + std::to_string(r->denominator) + (black ? "" : "!");
}

struct Row {
    const char* call;
    std::optional<Rational> got;
    const char* expected;
};
#define ROW(call, expected) Row{#call, call, expected}
/// A check that must hold, with its call as written.
#define HOLDS(call) std::pair<const char*, bool>{#call, call}

}  // namespace

TEST(Rational, ReductionAndArithmetic) {
    const std::int64_t min = INT64_MIN, max = INT64_MAX;
    const Row rows[] = {
        ROW(simplifyRational(q(3, 6)), "1/2"),           ROW(negateRational(q(3, 6)), "-1/2"),
        ROW(simplifyRational(q(4, -6)), "-2/3"),         ROW(simplifyRational(q(0, -7)), "0/1"),
        ROW(simplifyRational(q(5, 0)), "none"),          ROW(negateRational(q(5, 0)), "none"),
        ROW(negateRational(q(min, -1)), "-9223372036854775808/1"), ROW(simplifyRational(q(min, min)), "1/1"),
        ROW(addRational(q(1, 2), q(1, 3)), "5/6"),       ROW(addRational(q(1, 2), q(1, 0)), "none"),
        ROW(subtractRational(q(1, 2), q(1, 3)), "1/6"),  ROW(subtractRational(q(1, 2), q(1, 2)), "0/1"),
        ROW(multiplyRational(q(2, 3), q(3, -4)), "-1/2"), ROW(multiplyRational(q(2, 3), q(3, -4), false), "-6/12"),
        ROW(multiplyRational(q(2, 0), q(3, 4)), "none"), ROW(divideRational(q(1, 2), q(0, 5)), "none"),
        ROW(divideRational(q(1, 2), q(3, 0)), "none"),   ROW(divideRational(q(1, 2), q(3, 4)), "2/3"),
        ROW(divideRational(q(1, 2), q(-3, 4), false), "-4/6"), ROW(reciprocalRational(q(0, 3)), "none"),
        ROW(reciprocalRational(q(-2, 4)), "-2/1"),       ROW(negativeReciprocalRational(q(2, 3)), "-3/2"),
        ROW(negativeReciprocalRational(q(2, 0)), "none"),
        // Colours of the operands are not carried over.
        ROW(addRational(makeSingleColorRational(1, 2, Color::red), q(0, 1)), "1/2"),
        // Intermediates beyond 64 bits that reduce back into range are exact.
        ROW(addRational(q(1, max), q(1, max)), "2/9223372036854775807"),
        ROW(multiplyRational(q(max, 2), q(2, max)), "1/1"),
        ROW(subtractRational(q(0, 1), q(min, -1)), "-9223372036854775808/1"),
    };
    for (const Row& row : rows) EXPECT_EQ(text(row.got), row.expected) << row.call;
    // A result that does not fit throws: it is never "absent" (which means a zero denominator).
    const std::int64_t big = 3037000499;  // big² < 2^63 < (big + 1)²
    EXPECT_THROW(negateRational(q(min, 1)), OverflowError);
    EXPECT_THROW(multiplyRational(q(big + 1, 1), q(big + 1, 1)), OverflowError);
    EXPECT_THROW(addRational(q(max, 1), q(1, 1)), OverflowError);
    EXPECT_THROW(multiplyRational(q(1, max), q(1, 3), false), OverflowError);
    EXPECT_THROW(reciprocalRational(q(min, 1)), OverflowError);
}

// Like terms added up: exact whatever the order and however the values are
// split (the factoring entries' property test splits them at random), in
// lowest terms; refused only when the total leaves 64 bits.
TEST(Rational, SumsAreExact) {
    const std::int64_t min = INT64_MIN, max = INT64_MAX, p = 9223372036854775783;  // p prime
    using List = std::vector<Rational>;
    const std::pair<List, const char*> sums[] = {
        {{}, "0/1"},
        {{q(max, 1), q(max, 1), q(-max, 1), q(-max, 1), q(-4, 1)}, "-4/1"},
        {{q(-max, 1), q(-1, 1)}, "-9223372036854775808/1"},
        {{q(min, 1), q(max, 1), q(1, 1)}, "0/1"},
        {{q(1, 2), q(1, 3), q(1, -6)}, "2/3"},
        {{q(1, 3), q(1, p), q(-1, p)}, "1/3"},
        {{q(1, 3), q(max, p), q(max, p), q(-max, p), q(-max, p)}, "1/3"},
        // Fractions over PQ, QR and RP (primes near 2³¹) that add up to 0: their
        // common multiple, PQR, is 93 bits; beside a whole part of 2⁶², 155.
        {{q(4611686018427387904, 1), q(1, 4611685975477714963), q(256202621654216202, 4611685846628697223),
          q(-256202623801681789, 4611685885283401789)},
         "4611686018427387904/1"},
        {{q(min, min), q(1, min)}, "overflow"},  // (2⁶³ − 1)/2⁶³
        {{q(1, p), q(1, p - 2)}, "overflow"},
        {{q(min, 1), q(-1, 1)}, "overflow"},
        {{q(1, 2), q(1, 0)}, "none"},
    };
    for (const auto& [values, expected] : sums) {
        std::string got;
        try {
            got = text(sumRationals(values));
        } catch (const OverflowError& e) {
            EXPECT_STREQ(e.what(), "64-bit overflow in addition");
            got = "overflow";
        }
        EXPECT_EQ(got, expected) << values.size() << " values";
    }
}

// However the same values are ordered or grouped, the sum is the same: each
// list is summed whole, shuffled, and as the sum of its two halves' sums.
// The denominators share large factors, so their common multiples pass 64
// bits on the way, and the numerators are large, so the whole parts do too.
TEST(Rational, SumsDoNotDependOnOrderOrGrouping) {
    std::mt19937_64 random(20261207);
    const std::int64_t primes[] = {2147483647, 2147483629, 2147483587, 1000003, 999983, 7, 3, 2};
    const auto pick = [&](auto& from) { return from[random() % std::size(from)]; };
    const auto attempt = [](std::span<const Rational> values) -> std::optional<std::string> {
        try {
            return text(sumRationals(values));
        } catch (const OverflowError&) {
            return std::nullopt;
        }
    };
    int compared = 0;
    for (int list = 0; list < 2000; ++list) {
        std::vector<Rational> values;
        for (std::size_t k = 2 + random() % 8; k > 0; --k) {
            const std::int64_t d = pick(primes) * (random() % 2 ? pick(primes) : 1);
            const std::int64_t n = static_cast<std::int64_t>(random() >> (1 + random() % 62)) * (random() % 2 ? 1 : -1);
            values.push_back(q(n, d));
        }
        const std::optional<std::string> whole = attempt(values);
        std::vector<Rational> shuffled = values;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        EXPECT_EQ(attempt(shuffled), whole);
        const std::size_t half = values.size() / 2;
        const auto first = attempt(std::span(values).first(half)), second = attempt(std::span(values).subspan(half));
        if (!whole || !first || !second) continue;
        const std::vector<Rational> halves = {*sumRationals(std::span(values).first(half)),
                                              *sumRationals(std::span(values).subspan(half))};
        EXPECT_EQ(attempt(halves), whole);
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST(Rational, Predicates) {
    static_assert(!std::totally_ordered<Rational>);  // no ordering operators: 1/0 is incomparable
    const std::int64_t min = INT64_MIN, max = INT64_MAX;
    // Zero denominators: equal only to the same n/0, and neither ordered, square nor whole.
    for (const auto& [call, holds] : {
             HOLDS(q(1, 2) == q(2, 4)), HOLDS(q(2, -4) == q(-1, 2)), HOLDS(q(1, 0) == q(1, 0)),
             HOLDS(makeSingleColorRational(1, 2, Color::red) == q(1, 2)), HOLDS(rationalLessThan(q(-1, 2), q(1, 3))),
             HOLDS(rationalLessThan(q(1, -2), q(1, 3))), HOLDS(rationalLessThan(q(min, 1), q(max, 1))),
             HOLDS(rationalLessThan(q(1, max), q(1, max - 1))), HOLDS(rationalMatches(q(1, 2), false, q(2, 4))),
             HOLDS(rationalMatches(q(1, 2), true, q(1, 2))), HOLDS(isRationalSquare(q(0, 5))),
             HOLDS(isRationalSquare(q(4, 9))), HOLDS(isRationalSquare(q(8, 18))), HOLDS(isRationalSquare(q(-4, -9))),
             HOLDS(isWholeRational(true, q(6, 3))), HOLDS(isWholeRational(false, q(6, 1))),
             HOLDS(isWholeRational(true, q(min, -1)))})
        EXPECT_TRUE(holds) << call;
    for (const auto& [call, holds] : {
             HOLDS(q(1, 2) == q(1, 3)), HOLDS(q(1, 0) == q(2, 0)), HOLDS(q(0, 0) == q(3, 4)), HOLDS(q(3, 4) == q(0, 0)),
             HOLDS(q(0, 5) == q(1, 0)), HOLDS(rationalLessThan(q(1, 2), q(1, 0))),
             HOLDS(rationalLessThan(q(1, 0), q(1, 2))), HOLDS(rationalLessThan(q(1, 2), q(2, 4))),
             HOLDS(rationalMatches(q(1, 2), true, q(2, 4))), HOLDS(rationalMatches(q(1, 0), true, q(1, 0))),
             HOLDS(rationalMatches(q(0, 1), false, q(0, 0))), HOLDS(isRationalSquare(q(-4, 9))),
             HOLDS(isRationalSquare(q(2, 1))), HOLDS(isRationalSquare(q(4, 0))), HOLDS(isWholeRational(false, q(6, 3))),
             HOLDS(isWholeRational(true, q(6, 0)))})
        EXPECT_FALSE(holds) << call;
    // The sign and the need to reduce are absent for a zero denominator.
    struct Answer { const char* call; std::optional<bool> got, expected; };
    const Answer answers[] = {
        {"-(0/5)", isNegativeRational(q(0, 5)), false},      {"-(-1/-2)", isNegativeRational(q(-1, -2)), false},
        {"-(1/-2)", isNegativeRational(q(1, -2)), true},     {"+(-1/-2)", isPositiveRational(q(-1, -2)), true},
        {"+(0/2)", isPositiveRational(q(0, 2)), false},      {"-(1/0)", isNegativeRational(q(1, 0)), std::nullopt},
        {"+(1/0)", isPositiveRational(q(1, 0)), std::nullopt}, {"reduce 2/4", rationalNeedsReducing(q(2, 4)), true},
        {"reduce 1/-3", rationalNeedsReducing(q(1, -3)), true}, {"reduce 3/4", rationalNeedsReducing(q(3, 4)), false},
        {"reduce 1/0", rationalNeedsReducing(q(1, 0)), std::nullopt},
    };
    for (const Answer& a : answers) EXPECT_EQ(a.got, a.expected) << a.call;
}

TEST(Rational, OrderingsAgreeWithCrossMultiplication) {
    // Independent of the code under test: a < b when (a.n·b.d − b.n·a.d) and
    // a.d·b.d are non-zero and of opposite signs, in 128 bits.
    const auto less = [](const Rational& a, const Rational& b) {
        using checked::i128;
        const i128 diff = static_cast<i128>(a.numerator) * b.denominator - static_cast<i128>(b.numerator) * a.denominator;
        const i128 den = static_cast<i128>(a.denominator) * b.denominator;
        return diff != 0 && den != 0 && (diff < 0) != (den < 0);
    };
    const std::int64_t min = INT64_MIN, max = INT64_MAX;
    std::vector<Rational> values{q(min, 1), q(max, 1), q(1, max), q(1, min), q(min, max), q(max, min),
                                 q(max - 1, max), q(min, -1), q(3, 0), q(-3, 0), q(0, 0)};
    for (std::int64_t n = -3; n <= 3; ++n)
        for (std::int64_t d = -3; d <= 3; ++d) values.push_back(q(n, d));
    for (const Rational& a : values)
        for (const Rational& b : values) {
            const std::string pair = text(a) + " vs " + text(b);
            EXPECT_EQ(rationalLessThan(a, b), less(a, b)) << pair;
            EXPECT_EQ(rationalGreaterThan(a, b), less(b, a)) << pair;
            EXPECT_EQ(rationalLessThanOrEqual(a, b), !less(b, a)) << pair;
            EXPECT_EQ(rationalGreaterThanOrEqual(a, b), !less(a, b)) << pair;
            // Values with a number are ordered one way, equal, or the other way.
            if (a.denominator != 0 && b.denominator != 0) {
                EXPECT_EQ(rationalLessThan(a, b) + rationalEquals(a, b) + rationalGreaterThan(a, b), 1) << pair;
            }
        }
}

TEST(Rational, DecimalText) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.50", "15/10"}, {"2.000", "2/1"}, {"-0.25", "-25/100"}, {"7", "7/1"},   {"+3.5", "35/10"},
        {".5", "5/10"},    {"5.", "5/1"},    {"-.00", "0/1"},      {"100", "100/1"},
    };
    for (const auto& [decimal, expected] : cases)
        EXPECT_EQ(text(rationalFromDecimalText(decimal)), expected) << decimal;
    for (const char* bad : {"", ".", "-", "abc", "inf", "nan", "1e3", " 1", "1 ", "1.2.3", "0x10", "--1", "1,5"})
        EXPECT_EQ(text(rationalFromDecimalText(bad)), "0/1") << '"' << bad << '"';
    EXPECT_THROW(rationalFromDecimalText("99999999999999999999"), OverflowError);
}
