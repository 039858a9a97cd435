// The solvers' exact arithmetic beyond 64 bits: differences and quotients of
// values near both ends of 64 bits, put back with numbers of any size.
#include <gtest/gtest.h>

#include <initializer_list>
#include <span>

#include "algebra/wide_rational.hpp"
#include "base/random.hpp"
#include "support/exact_surds.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

using checked::i128;

constexpr std::int64_t kMin = INT64_MIN, kMax = INT64_MAX;

WideRational w(i128 n, i128 d = 1) { return WideRational{n, d}; }

/// The value exactly, with numbers of any size.
BigFraction big(const WideRational& r) { return {bigInt(r.numerator), bigInt(r.denominator)}; }

bool inLowestTerms(const WideRational& r) {
    i128 a = r.numerator < 0 ? -r.numerator : r.numerator, b = r.denominator;
    while (a != 0) b = std::exchange(a, b % a);
    return b == 1 && r.denominator > 0;
}

}  // namespace

TEST(WideRational, NearTheEndsOf64Bits) {
    const i128 two63 = i128{1} << 63;
    EXPECT_EQ(wideRational(4, -6), w(-2, 3));
    EXPECT_EQ(wideRational(0, kMin), w(0));
    EXPECT_EQ(wideRational(makeDefaultRational(kMin, kMin)), w(1));
    EXPECT_EQ(wideDifference(w(0), w(kMin)), w(two63));
    EXPECT_EQ(wideDifference(w(kMin), w(kMax)), w(-2 * two63 + 1));
    EXPECT_EQ(wideQuotient(w(two63), w(two63)), w(1));
    EXPECT_EQ(wideQuotient(w(kMin), w(2)), w(kMin / 2));
    EXPECT_EQ(wideQuotient(w(5), w(kMin)), w(-5, two63));
    EXPECT_THROW(wideQuotient(w(1), w(0)), PreconditionError);
    EXPECT_THROW(wideQuotient(w(two63 * two63 / 2), w(1, 4)), OverflowError);
    EXPECT_EQ(narrowed(w(kMin)), makeDefaultRational(kMin, 1));
    EXPECT_THROW(narrowed(w(two63)), OverflowError);
    EXPECT_THROW(narrowed(w(1, two63)), OverflowError);
    EXPECT_EQ(sign(w(kMin)), -1);
    EXPECT_EQ(sign(w(0)), 0);

    // A single value is taken as it stands, several must add up within 64 bits.
    const Rational overMin = makeDefaultRational(1, kMin);
    EXPECT_EQ(wideSum(std::vector<Rational>{overMin}), w(-1, two63));
    EXPECT_EQ(wideSum(std::vector<Rational>{}), w(0));
    EXPECT_EQ(wideSum(std::vector<Rational>{makeDefaultRational(kMax, 1), makeDefaultRational(1, 1),
                                            makeDefaultRational(-2, 1)}),
              w(kMax - 1));
    EXPECT_THROW(wideSum(std::vector<Rational>{makeDefaultRational(kMax, 1), makeDefaultRational(1, 1)}), OverflowError);

    // −r written where it fits, its colours kept.
    const Rational minusMin = negatedExactly(makeSingleColorRational(kMin, 1, Color::red));
    EXPECT_EQ(std::pair(minusMin.numerator, minusMin.denominator), std::pair(kMin, std::int64_t{-1}));
    EXPECT_EQ(minusMin.numerator_color, Color::red);
    const Rational one = negatedExactly(makeDefaultRational(kMin, kMin)), third = negatedExactly(makeDefaultRational(1, 3));
    EXPECT_EQ(std::pair(one.numerator, one.denominator), std::pair(std::int64_t{-1}, std::int64_t{1}));
    EXPECT_EQ(std::pair(third.numerator, third.denominator), std::pair(std::int64_t{-1}, std::int64_t{3}));
}

// Differences and quotients of random values near the ends of 64 bits, put
// back exactly; each in lowest terms with a positive denominator.
TEST(WideRational, DifferencesAndQuotientsPutBack) {
    SystemRandom r(7719);
    const std::int64_t near[] = {kMin, kMin + 1, kMax, kMax - 1, 1, -1, 2, 3, -6, std::int64_t{1} << 62};
    const auto draw = [&]() -> std::int64_t {
        const std::int64_t v = near[r.uniformInRange(0, 9)];
        return r.uniformInRange(0, 2) == 0 ? v : nudged(v / r.uniformInRange(1, 1000), r.uniformInRange(-3, 3));
    };
    for (int i = 0; i < 2000; ++i) {
        std::int64_t an = draw(), ad = draw(), bn = draw(), bd = draw();
        if (ad == 0) ad = 1;
        if (bd == 0) bd = kMin;
        const WideRational a = wideRational(an, ad), b = wideRational(bn, bd);
        const BigFraction A{BigInt(an), BigInt(ad)}, B{BigInt(bn), BigInt(bd)};
        const WideRational d = wideDifference(a, b);
        EXPECT_TRUE(inLowestTerms(d)) << i;
        EXPECT_TRUE(big(d) == A + -B) << i;
        if (bn == 0) continue;
        const WideRational q = wideQuotient(a, b);  // of 64-bit parts: never beyond 126 bits
        EXPECT_TRUE(inLowestTerms(q)) << i;
        EXPECT_TRUE(big(q) == A / B) << i;
    }
}

// Sums over one denominator first, then over the least common multiple of
// the denominators; products cancelled across: each fails only when what it
// works out passes 128 bits.
TEST(WideRational, SumsAndProductsBeyond64Bits) {
    const i128 two62 = i128{1} << 62, two63 = i128{1} << 63, two126 = two63 * two63;
    const auto wideSum = [](std::initializer_list<WideRational> values) {
        return tl::wideSum(std::span<const WideRational>(values.begin(), values.size()));
    };
    // Primes near 2⁴³: any three have a common multiple past 128 bits.
    const i128 p1 = 8796093022151, p2 = 8796093022141, p3 = 8796093022091;
    EXPECT_EQ(wideSum({w(1, p1), w(1, p2), w(1, p3), w(-1, p1), w(-1, p2)}), w(1, p3));  // cancelled first
    EXPECT_EQ(wideSum({w(1, p1), w(3, p2), w(-1, p1), w(2, p2), w(two126, 1), w(-two126, 1)}), w(5, p2));
    EXPECT_EQ(wideSum({w(two126 - 1), w(two126 - 1), w(-two126 + 1)}), w(two126 - 1));  // 2¹²⁷ − 2 on the way
    EXPECT_EQ(wideSum({w(7, 3), w(5, 6), w(-1, 2)}), w(8, 3));
    EXPECT_EQ(wideSum({}), w(0));
    EXPECT_THROW(wideSum({w(1, p1), w(1, p2), w(1, p3)}), OverflowError);  // the common multiple
    EXPECT_EQ(wideSum({w(1, 3 * two62), w(1, 5 * two62)}), w(1, 15 * two62 / 8));  // b·d would pass 128 bits
    EXPECT_EQ(wideSum({w(1, two126), w(-1, two126)}), w(0));
    EXPECT_EQ(wideSum({w(two126), w(two126 - 1)}), w(2 * (two126 - 1) + 1));
    EXPECT_EQ(wideSum({w(kMin), w(0)}), w(kMin));
    EXPECT_THROW(wideSum({w(two126), w(two126)}), OverflowError);                      // the sum
    EXPECT_THROW(wideSum({w(-two126), w(-two126)}), OverflowError);                    // −2¹²⁷ is beyond too
    EXPECT_THROW(wideSum({w(1, two63 * 2 + 1), w(1, two63 * 2 - 1)}), OverflowError);  // the lcm

    EXPECT_EQ(wideProduct(w(two126 / 4, 3), w(9, two126 / 4)), w(3));  // cancelled across first
    EXPECT_EQ(wideProduct(w(kMin), w(kMin)), w(two126));
    EXPECT_EQ(wideProduct(w(0), w(5, two126)), w(0));
    EXPECT_EQ(wideProduct(w(-7, two63), w(two63, 7)), w(-1));
    EXPECT_THROW(wideProduct(w(two126), w(2)), OverflowError);
    EXPECT_THROW(wideProduct(w(-two126), w(2)), OverflowError);
    EXPECT_THROW(wideProduct(w(1, two126), w(1, 3)), OverflowError);

    EXPECT_EQ(wideNegation(w(-3, 4)), w(3, 4));
    EXPECT_EQ(wideNegation(w(0)), w(0));
}
