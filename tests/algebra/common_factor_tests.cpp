#include "algebra/common_factor.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>
#include <vector>

#include "base/errors.hpp"
#include "base/random.hpp"
#include "support/recording_checks.hpp"

namespace tl {
namespace {

using Dense = std::vector<Rational>;

Dense whole(const std::vector<std::int64_t>& ascending) {
    Dense d;
    for (std::int64_t c : ascending) d.push_back(makeDefaultRational(c, 1));
    return d;
}
Dense whole(std::initializer_list<std::int64_t> ascending) { return whole(std::vector<std::int64_t>(ascending)); }
/// Π (x − r) over the roots, in whole numbers.
Dense withRoots(const std::vector<std::int64_t>& roots) {
    std::vector<std::int64_t> c{1};
    for (std::int64_t r : roots) {
        c.push_back(0);
        for (std::size_t i = c.size() - 1; i > 0; --i) c[i] = c[i - 1] - r * c[i];
        c[0] *= -r;
    }
    Dense d;
    for (std::int64_t n : c) d.push_back(makeDefaultRational(n, 1));
    return d;
}

TEST(CommonFactor, Table) {
    const Rational half = makeDefaultRational(1, 2), third = makeDefaultRational(1, 3);
    const struct {
        Dense a, b;
        bool shared;
    } cases[] = {
        {{}, {}, true},                             // 0 and 0
        {{}, whole({1, 1}), true},                  // 0 and x + 1
        {{}, whole({5}), false},                    // 0 and 5
        {whole({5, 0, 0}), whole({0, 1}), false},   // 5 and x
        {whole({1, 1}), whole({1, 1}), true},
        {whole({1, 1}), whole({-1, 1}), false},
        {whole({0, 1}), whole({0, 0, 3}), true},    // x and 3x²
        {whole({2, 0, 3, 0, 1}), whole({1, 0, 1}), true},  // x⁴ + 3x² + 2 and x² + 1, neither with a root
        {Dense{third, half}, whole({2, 3}), true},  // (1/2)x + 1/3 and 3x + 2
        // Beyond 64 bits for Euclid over the rationals:
        {whole({8, 10, 9, 4, 4}), whole({11, 5, 2, -7, 3, 1}), false},
        {whole({8, 10, 9, 4, 0, 0, 0, 0, 17}), whole({11, 5, 2, -7, 13, 0, 0, 1}), false},
        {whole({7, 1000010, 1000003, 0, 1, 1}), whole({5, 5, -999983, -999982, 1}), true},  // x + 1
        {whole({7, 1000003, 0, 0, 1}), whole({5, 0, -999983, 1}), false},
        {whole({INT64_MIN + 1, 1}), whole({INT64_MIN + 1, 1, 0}), true},
        {whole({INT64_MAX, INT64_MAX}), whole({INT64_MAX, 1}), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(haveCommonFactor(cases[i].a, cases[i].b), cases[i].shared) << "case " << i;
        EXPECT_EQ(haveCommonFactor(cases[i].b, cases[i].a), cases[i].shared) << "case " << i << ", swapped";
    }
    EXPECT_THROW(haveCommonFactor(Dense{makeDefaultRational(1, 0)}, whole({1, 1})), PreconditionError);
}

// Products of x − r for whole roots share a factor exactly when they share a
// root; of degree up to 6 with roots up to 60 Euclid over 64-bit rationals
// would not get through.
TEST(CommonFactor, SharedRootsBeyondEuclid) {
    SystemRandom random(31337);
    for (int i = 0; i < 500 / tl::testing::kSanitizerSlowdown; ++i) {
        std::vector<std::int64_t> roots[2];
        for (auto& list : roots)
            for (std::int64_t k = random.uniformInRange(3, 6); k > 0; --k)
                list.push_back(random.uniformInRange(-60, 60));
        const bool expected =
            std::ranges::any_of(roots[0], [&](std::int64_t r) { return std::ranges::count(roots[1], r) > 0; });
        ASSERT_EQ(haveCommonFactor(withRoots(roots[0]), withRoots(roots[1])), expected) << i;
    }
}

// ---- an independent exact gcd: primitive remainders over the integers ------------------

__extension__ using Big = __int128;
using Whole = std::vector<Big>;  // ascending, no trailing zeros

Big magnitude(Big n) { return n < 0 ? -n : n; }
Big gcdOf(Big a, Big b) {
    for (a = magnitude(a), b = magnitude(b); b != 0;) a = std::exchange(b, a % b);
    return a;
}
void trimmed(Whole& w) {
    while (!w.empty() && w.back() == 0) w.pop_back();
}

/// The polynomial times the lcm of its denominators; none beyond 127 bits.
std::optional<Whole> wholeOf(const Dense& d) {
    Big common = 1;
    for (const Rational& c : d)
        if (__builtin_mul_overflow(common / gcdOf(common, c.denominator), magnitude(c.denominator), &common))
            return std::nullopt;
    Whole w;
    for (const Rational& c : d) {
        Big v;
        if (__builtin_mul_overflow(Big{c.numerator}, common / c.denominator, &v)) return std::nullopt;
        w.push_back(v);
    }
    trimmed(w);
    return w;
}

/// Whether the two have a common factor of positive degree, by Euclid on
/// primitive pseudo-remainders; none when a number leaves 127 bits.
std::optional<bool> sharedByRemainders(const Dense& da, const Dense& db) {
    auto a = wholeOf(da), b = wholeOf(db);
    if (!a || !b) return std::nullopt;
    if (a->empty() || b->empty()) return a->size() != 1 && b->size() != 1;
    if (a->size() < b->size()) std::swap(a, b);
    while (!b->empty()) {
        Whole r = *a;
        while (r.size() >= b->size()) {  // r·lead(b) − lead(r)·x^shift·b
            const Big lead = r.back();
            const std::size_t shift = r.size() - b->size();
            for (std::size_t i = 0; i < r.size(); ++i) {
                Big scaled, taken = 0;
                if (__builtin_mul_overflow(r[i], b->back(), &scaled)) return std::nullopt;
                if (i >= shift && __builtin_mul_overflow(lead, (*b)[i - shift], &taken)) return std::nullopt;
                if (__builtin_sub_overflow(scaled, taken, &r[i])) return std::nullopt;
            }
            trimmed(r);
            Big content = 0;
            for (const Big c : r) content = gcdOf(content, c);
            for (Big& c : r) c /= content;
        }
        a = std::move(b);
        b = std::move(r);
    }
    return a->size() > 1;
}

Dense scaledRandomly(const std::vector<std::int64_t>& whole, RandomSource& random) {
    // The same factors written with denominators: all over d, each as (k·c)/(k·d).
    const std::int64_t d = random.uniformInRange(1, 3) * (random.uniformInRange(0, 1) ? 1 : -1);
    Dense result;
    for (const std::int64_t c : whole) {
        const std::int64_t k = random.uniformInRange(1, 3);
        result.push_back(makeDefaultRational(k * c, k * d));
    }
    return result;
}

std::vector<std::int64_t> randomWhole(RandomSource& random, std::int64_t degree, std::int64_t size = 9) {
    std::vector<std::int64_t> c;
    for (std::int64_t i = 0; i <= degree; ++i) c.push_back(random.uniformInRange(-size, size));
    if (c.back() == 0) c.back() = 1;
    return c;
}

std::vector<std::int64_t> times(const std::vector<std::int64_t>& a, const std::vector<std::int64_t>& b) {
    std::vector<std::int64_t> c(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) c[i + j] += a[i] * b[j];
    return c;
}

// Small pairs, half of them built with a common factor, against Euclid on
// primitive remainders in 128 bits.
TEST(CommonFactor, AgreesWithExactRemainders) {
    SystemRandom random(4242);
    int checked = 0, shared = 0;
    const int samples = 3000 / tl::testing::kSanitizerSlowdown;
    for (int i = 0; i < samples; ++i) {
        std::vector<std::int64_t> a, b;
        if (i % 2 == 0) {
            const auto g = randomWhole(random, random.uniformInRange(1, 2));
            a = times(g, randomWhole(random, random.uniformInRange(0, 3)));
            b = times(g, randomWhole(random, random.uniformInRange(0, 3)));
        } else {
            a = randomWhole(random, random.uniformInRange(1, 5));
            b = randomWhole(random, random.uniformInRange(1, 5), random.uniformInRange(1, 9));
        }
        const Dense x = scaledRandomly(a, random), y = scaledRandomly(b, random);
        const auto expected = sharedByRemainders(x, y);
        if (!expected) continue;
        ++checked;
        shared += *expected ? 1 : 0;
        ASSERT_EQ(haveCommonFactor(x, y), *expected) << "sample " << i;
    }
    EXPECT_GT(checked, samples * 9 / 10);
    EXPECT_GT(shared, checked / 3);
}

std::int64_t twos(std::int64_t n) { return std::countr_zero(static_cast<std::uint64_t>(n)); }

/// xⁿ + s as coefficients.
Dense powerPlus(std::int64_t n, std::int64_t s) {
    Dense d(static_cast<std::size_t>(n) + 1, makeDefaultRational(0, 1));
    d.front() = makeDefaultRational(s, 1);
    d.back() = makeDefaultRational(1, 1);
    return d;
}

// High degrees with the answer known in closed form: xⁿ + 1 and xᵐ + 1 share
// a root of unity exactly when n and m hold the same power of 2, xⁿ − 1 and
// xᵐ + 1 when n holds more 2s than m, xⁿ − 1 and xᵐ − 1 always (x − 1); and
// a factor planted in two sparse polynomials is found.
TEST(CommonFactor, HighDegreesWithKnownAnswers) {
    SystemRandom random(777);
    for (int i = 0; i < 60 / tl::testing::kSanitizerSlowdown; ++i) {
        const std::int64_t n = random.uniformInRange(1, 10000), m = random.uniformInRange(1, 10000);
        EXPECT_EQ(haveCommonFactor(powerPlus(n, 1), powerPlus(m, 1)), twos(n) == twos(m)) << n << ", " << m;
        EXPECT_EQ(haveCommonFactor(powerPlus(n, -1), powerPlus(m, 1)), twos(n) > twos(m)) << n << ", " << m;
        EXPECT_TRUE(haveCommonFactor(powerPlus(n, -1), powerPlus(m, -1))) << n << ", " << m;
    }
    for (int i = 0; i < 16 / tl::testing::kSanitizerSlowdown; ++i) {
        const auto g = randomWhole(random, random.uniformInRange(1, 4), 5);
        const auto sparse = [&] {
            std::vector<std::int64_t> c(static_cast<std::size_t>(random.uniformInRange(1000, 3000)) + 1, 0);
            for (int k = 0; k < 6; ++k) c[random.uniformBelow(c.size())] = random.uniformInRange(-9, 9);
            c.front() = c.back() = 1;
            return c;
        };
        EXPECT_TRUE(haveCommonFactor(whole(times(g, sparse())), whole(times(g, sparse())))) << i;
    }
}
// The first primes tried are 2³¹ − 1, 2147483629 and 2147483587. A gcd
// modulo the first of higher degree than the true one (an unlucky prime)
// must not be taken for it, nor a prime that divides a denominator or a
// leading coefficient be used at all.
TEST(CommonFactor, UnluckyAndUnusablePrimes) {
    constexpr std::int64_t p0 = 2147483647, p1 = 2147483629;
    const struct {
        Dense a, b;
        bool shared;
    } cases[] = {
        // (x − 1)(x + 2) and (x − 1)(x + 2 + p0): modulo p0 both are (x − 1)(x + 2).
        {whole({-2, 1, 1}), whole({-2 - p0, 1 + p0, 1}), true},
        // x + 2 and (x + 2 + p0)(x + 5): coprime, though not modulo p0.
        {whole({2, 1}), whole(times({2 + p0, 1}, {5, 1})), false},
        // The same fooling p0 and p1 together, whose images are joined before the third prime.
        {whole({-2, 1, 1}), whole({-2 - p0 * p1, 1 + p0 * p1, 1}), true},
        {whole({2, 1}), whole({2 + p0 * p1, 1}), false},
        // p0 divides a denominator, or a leading coefficient.
        {Dense{makeDefaultRational(1, 1), makeDefaultRational(1, p0)}, whole({p0, 1}), true},  // x/p0 + 1 and x + p0
        {whole({0, -1, p0}), whole({-1, p0}), true},  // x(p0·x − 1) and p0·x − 1
        {whole({1, 0, p0}), whole({-1, p0}), false},  // p0·x² + 1 and p0·x − 1
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(haveCommonFactor(cases[i].a, cases[i].b), cases[i].shared) << "case " << i;
        EXPECT_EQ(haveCommonFactor(cases[i].b, cases[i].a), cases[i].shared) << "case " << i << ", swapped";
        EXPECT_EQ(sharedByRemainders(cases[i].a, cases[i].b), cases[i].shared) << "case " << i << ", oracle";
    }
}

// Coefficients too large for the resultant's bound to be reached within a
// thousand primes: a common factor that reads back from the images is still
// proven by dividing, one that does not is proven by the bound when that is
// affordable and refused when it is not.
TEST(CommonFactor, LargeCoefficients) {
    SystemRandom random(99);
    const auto large = [&](std::size_t degree) {
        std::vector<std::int64_t> c(degree + 1);
        for (std::int64_t& k : c) k = random.uniformInRange(-(std::int64_t{1} << 55), std::int64_t{1} << 55);
        c.back() = 1;
        return c;
    };
    const auto bits = [&](std::size_t degree) {
        std::vector<std::int64_t> c(degree + 1);
        for (std::int64_t& k : c) k = random.uniformInRange(0, 1);
        c.front() = c.back() = 1;
        return c;
    };
    const std::vector<std::int64_t> small{1, 1, 1}, big{1, 3'000'000'000'000'000'001, 1},
        unreadable{1, 9'000'000'000'000'000'001};
    EXPECT_TRUE(haveCommonFactor(whole(times(small, large(300))), whole(times(small, large(300)))));
    EXPECT_TRUE(haveCommonFactor(whole(times(big, bits(300))), whole(times(big, bits(300)))));
    EXPECT_TRUE(haveCommonFactor(whole(times(unreadable, bits(40))), whole(times(unreadable, bits(41)))));
    EXPECT_THROW(haveCommonFactor(whole(times(unreadable, bits(2000))), whole(times(unreadable, bits(2001)))),
                 PreconditionError);
}

TEST(CommonFactor, Allowance) {
    SystemRandom random(5);
    const Dense a = whole(randomWhole(random, 100)), b = whole(randomWhole(random, 100));
    EXPECT_EQ(commonFactorTestCost(a, b), 101u * 101u);
    EXPECT_EQ(commonFactorTestCost(a, whole({5, 0})), 0u);
    EXPECT_EQ(commonFactorTestCost(Dense{}, b), 0u);
    // Refused before any work when one prime's Euclid could pass what is left.
    CompareAllowance small{101 * 101};
    EXPECT_THROW(haveCommonFactor(a, b, small), PreconditionError);
    EXPECT_EQ(small.left, 101u * 101u);
    // What a comparison does is taken off; a shared allowance runs out.
    CompareAllowance shared;
    EXPECT_FALSE(haveCommonFactor(whole({1, 1}), whole({2, 1}), shared));
    EXPECT_LT(shared.left, CompareAllowance::kDefault);
    shared.left = 3 * 101 * 101;
    EXPECT_NO_THROW(haveCommonFactor(a, b, shared));
    EXPECT_THROW(
        {
            for (int i = 0; i < 100; ++i) haveCommonFactor(a, b, shared);
        },
        PreconditionError);
}

}  // namespace
}  // namespace tl
