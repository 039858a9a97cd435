// Residue arithmetic checked against plain 128-bit remainders: both rings at
// the edges of their ranges and on random residues.
#include "algebra/modular.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/errors.hpp"
#include "base/random.hpp"

namespace tl {
namespace {

using modular::i128;
using modular::u128;
using modular::u64;

constexpr u64 kMersenne = (u64{1} << 61) - 1;

u64 oracleProduct(u64 a, u64 b, u64 m) { return static_cast<u64>(static_cast<u128>(a) * b % m); }

u64 oraclePower(u64 base, u64 exponent, u64 m) {
    u64 result = 1 % m;
    for (; exponent > 0; --exponent) result = oracleProduct(result, base, m);
    return result;
}

/// Calls `check` with the largest residues and a few hundred random ones below m.
template <class Check>
void onResidues(u64 m, Check check) {
    SystemRandom random(20261207);
    std::vector<u64> values{0, 1, 2, m - 2, m - 1};
    std::erase_if(values, [m](u64 v) { return v >= m; });
    for (int i = 0; i < 300; ++i) values.push_back(random.uniformBelow(m));
    for (const u64 a : values)
        for (const u64 b : {u64{0}, u64{1}, m - 1, values[(a + 7) % values.size()], random.uniformBelow(m)})
            check(a, b);
}

TEST(Modular, ProductsAndSumsMatchRemainders) {
    for (const u64 m : {u64{2}, u64{3}, u64{65537}, u64{2147483629}, (u64{1} << 31) - 1}) {
        const modular::Below31 ring(m);
        onResidues(m, [&](u64 a, u64 b) {
            ASSERT_EQ(ring.multiply(a, b), oracleProduct(a, b, m)) << a << "·" << b << " mod " << m;
            ASSERT_EQ(modular::add(ring, a, b), (a + b) % m) << a << "+" << b << " mod " << m;
        });
    }
    const modular::Mersenne61 ring;
    onResidues(kMersenne, [&](u64 a, u64 b) {
        ASSERT_EQ(ring.multiply(a, b), oracleProduct(a, b, kMersenne)) << a << "·" << b;
        ASSERT_EQ(modular::add(ring, a, b), (a + b) % kMersenne) << a << "+" << b;
        ASSERT_EQ(modular::add(ring, a, modular::negate(ring, a)), 0u) << a;
    });
}

TEST(Modular, BarrettReducesEveryNumberBelowTwoToThe63) {
    SystemRandom random(7);
    for (const u64 m : {u64{2}, u64{3}, u64{1000003}, (u64{1} << 31) - 1}) {
        const modular::Below31 ring(m);
        std::vector<u64> xs{0, m - 1, m, m + 1, (u64{1} << 62) + m, (u64{1} << 63) - 1, (u64{1} << 63) - m};
        for (int i = 0; i < 1000; ++i) xs.push_back(random.uniformBelow(u64{1} << 63));
        for (const u64 x : xs) ASSERT_EQ(ring.reduce(x), x % m) << x << " mod " << m;
    }
    for (const u64 m : {u64{0}, u64{1}, u64{1} << 31})
        EXPECT_THROW(modular::Below31{m}, PreconditionError) << m;
}

TEST(Modular, PowersAndInverses) {
    const auto check = [](const auto& ring) {
        const u64 m = ring.modulus();
        for (const u64 base : {u64{0}, u64{1}, u64{2}, m - 1, m / 3})
            for (const u64 exponent : {0, 1, 2, 3, 31, 64, 65})
                ASSERT_EQ(modular::power(ring, base, exponent), oraclePower(base, exponent, m))
                    << base << "^" << exponent << " mod " << m;
        // Fermat: a^(m − 1) = 1 for a prime m.
        onResidues(m, [&](u64 a, u64) {
            if (a == 0) return;
            ASSERT_EQ(modular::power(ring, a, m - 1), 1u) << a;
            ASSERT_EQ(ring.multiply(a, modular::inverse(ring, a)), 1u) << a;
        });
    };
    check(modular::Below31((u64{1} << 31) - 1));
    check(modular::Below31(2));
    check(modular::Below31(7));
    check(modular::Mersenne61{});
}

TEST(Modular, ResiduesOfWholeNumbersAndFractions) {
    struct Case {
        i128 n;
        u64 m;
        u64 residue;
    };
    const i128 least64 = INT64_MIN, least128 = static_cast<i128>(u128{1} << 127),
               most128 = static_cast<i128>((u128{1} << 127) - 1);
    for (const Case& c : std::vector<Case>{{0, 7, 0},
                                           {-1, 7, 6},
                                           {-7, 7, 0},
                                           {-8, 7, 6},
                                           {INT64_MAX, kMersenne, 3},
                                           {least64, kMersenne, kMersenne - 4},
                                           {least64, 2, 0},
                                           {least128, kMersenne, kMersenne - 32},  // 2¹²⁷ = 2^(2·61 + 5) ≡ 2⁵
                                           {most128, kMersenne, 31}}) {
        EXPECT_EQ(modular::residue(c.n, c.m), c.residue);
        if (c.n >= least64 && c.n <= INT64_MAX) {
            EXPECT_EQ(modular::residue(static_cast<std::int64_t>(c.n), c.m), c.residue);
        }
    }
    const modular::Below31 ring(7);
    const auto of = [&](std::int64_t n, std::int64_t d) { return modular::residue(ring, makeDefaultRational(n, d)); };
    EXPECT_EQ(of(3, 1), 3u);
    EXPECT_EQ(of(1, 2), 4u);   // 2·4 = 8 ≡ 1
    EXPECT_EQ(of(1, -2), 3u);  // −4 ≡ 3
    EXPECT_EQ(of(-10, 3), 6u);  // −10 ≡ 4, 4·5 = 20 ≡ 6
    EXPECT_EQ(of(0, 5), 0u);
    EXPECT_FALSE(of(1, 14).has_value());
    EXPECT_FALSE(of(1, 0).has_value());
}

}  // namespace
}  // namespace tl
