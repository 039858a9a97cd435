#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/integers.hpp"

using namespace tl;

TEST(Integers, GcdLcmPowers) {
    // (6, 12): a divisor of the other, no remainder by zero.
    for (const auto& [a, b, g] : {std::array<std::int64_t, 3>{0, 0, 0}, {-12, 18, 6}, {0, -5, 5}, {6, 12, 6}, {17, 5, 1}})
        EXPECT_EQ(gcd(a, b), g) << a << ' ' << b;
    EXPECT_EQ(lcm(0, 7), 0);
    EXPECT_EQ(lcm(-4, 6), 12);
    EXPECT_THROW(lcm(INT64_MAX, INT64_MAX - 1), OverflowError);
    EXPECT_THROW(gcd(INT64_MIN, 2), OverflowError);
    EXPECT_EQ(power(0, 0), 1);
    EXPECT_EQ(power(-2, 3), -8);
    EXPECT_EQ(power(-1, UINT64_MAX), -1);
    EXPECT_EQ(power(0, 5), 0);
    EXPECT_THROW(power(2, 63), OverflowError);
    EXPECT_EQ(power(-2, 63), INT64_MIN);
    EXPECT_EQ(powerOfTen(0), 1);
    EXPECT_EQ(powerOfTen(18), 1'000'000'000'000'000'000);
    EXPECT_THROW(powerOfTen(19), OverflowError);
    EXPECT_THROW(powerOfTen(-1), PreconditionError);
    EXPECT_EQ(absoluteValue(-7), 7);
    EXPECT_THROW(absoluteValue(INT64_MIN), OverflowError);
}

TEST(Integers, DigitCountsAndSigns) {
    EXPECT_EQ(digitCount(0), 1);
    EXPECT_EQ(digitCount(-100), 3);
    EXPECT_EQ(digitCount(99), 2);
    EXPECT_EQ(digitCount(INT64_MAX), 19);
    EXPECT_THROW(digitCount(INT64_MIN), OverflowError);
    EXPECT_TRUE(sameSignOrZero(0, -3));
    EXPECT_TRUE(sameSignOrZero(0, 3));
    EXPECT_TRUE(sameSignOrZero(-2, -3));
    EXPECT_FALSE(sameSignOrZero(-1, 1));
    int a = 1, b = 2;
    swapValues(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST(Integers, SquareRoots) {
    EXPECT_EQ(exactSquareRoot(0), 0);
    EXPECT_EQ(exactSquareRoot(49), 7);
    EXPECT_FALSE(exactSquareRoot(15));
    EXPECT_FALSE(exactSquareRoot(-4));
    EXPECT_FALSE(floorSquareRoot(0));
    EXPECT_EQ(floorSquareRoot(15), 3);
    EXPECT_EQ(floorSquareRoot(16), 4);
    EXPECT_EQ(floorSquareRoot(1), 1);
    // Near 2^63 the rounded root's square leaves 64 bits; it must still be compared exactly.
    EXPECT_FALSE(exactSquareRoot(INT64_MAX));
    EXPECT_EQ(floorSquareRoot(INT64_MAX), 3037000499);
    EXPECT_EQ(exactSquareRoot(3037000499LL * 3037000499LL), 3037000499);
}

TEST(Integers, Divisors) {
    EXPECT_THROW(divisors(0), PreconditionError);
    EXPECT_THROW(divisors(-6), PreconditionError);
    // Every divisor and no other, for small n and for 19-digit ones (built
    // from the prime factors, not by √n trial divisions).
    for (std::int64_t n = 1; n <= 2000; ++n) {
        std::vector<std::int64_t> all;
        for (std::int64_t d = 1; d <= n; ++d)
            if (n % d == 0) all.push_back(d);
        ASSERT_EQ(divisors(n), all) << n;
    }
    const std::pair<std::int64_t, std::size_t> large[] = {
        {INT64_MAX, 96},                // 7² · 73 · 127 · 337 · 92737 · 649657
        {963761198400, 6720},           // highly composite
        {4611686018427387904, 63},      // 2^62
        {9223372036854775783, 2},       // the largest prime below 2^63
        {3037000493LL * 3037000453LL, 4},  // two primes near 2^31.5
    };
    for (const auto& [n, count] : large) {
        const auto list = divisors(n);
        EXPECT_EQ(list.size(), count) << n;
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end()) && std::ranges::all_of(list, [n](std::int64_t d) { return n % d == 0; }))
            << n;
    }
    // Of the magnitude, for either sign: −2⁶³ has the 64 powers of 2 up to 2⁶³.
    EXPECT_THROW(divisorsOfMagnitude(0), PreconditionError);
    const auto twos = divisorsOfMagnitude(INT64_MIN);
    EXPECT_TRUE(twos.size() == 64 && twos.back() == std::uint64_t{1} << 63 && std::ranges::is_sorted(twos));
    EXPECT_EQ(divisorsOfMagnitude(-12), (std::vector<std::uint64_t>{1, 2, 3, 4, 6, 12}));
}

TEST(Integers, SplitSquareFactor) {
    EXPECT_EQ(splitSquareFactor(0), (SquareSplit{0, 1}));
    EXPECT_FALSE(splitSquareFactor(-8));
    // The largest k whose square divides n, found counting down from √n.
    for (std::int64_t n = 1; n <= 5000; ++n) {
        std::int64_t k = 1;
        for (std::int64_t j = 2; j * j <= n; ++j)
            if (n % (j * j) == 0) k = j;
        EXPECT_EQ(splitSquareFactor(n), (SquareSplit{k, n / (k * k)})) << n;
    }
    // Far beyond trial division to √n: a prime, a square and a cube of primes
    // near the cube root, a large prime squared times a small one, 2^62.
    const std::int64_t p = 2097143, big = 3037000493;  // both prime
    EXPECT_EQ(splitSquareFactor(INT64_MAX - 24), (SquareSplit{1, INT64_MAX - 24}));
    EXPECT_EQ(splitSquareFactor(p * p * p), (SquareSplit{p, p}));
    EXPECT_EQ(splitSquareFactor(p * p * 2097169), (SquareSplit{p, 2097169}));
    EXPECT_EQ(splitSquareFactor(big * big), (SquareSplit{big, 1}));
    EXPECT_EQ(splitSquareFactor(INT64_MAX), (SquareSplit{7, INT64_MAX / 49}));
    EXPECT_EQ(splitSquareFactor(std::int64_t{1} << 62), (SquareSplit{std::int64_t{1} << 31, 1}));
    // Two primes near 2^31 (the slowest to factor), and the square of a prime above 2^21.
    EXPECT_EQ(splitSquareFactor(2147483647LL * 2147483629), (SquareSplit{1, 2147483647LL * 2147483629}));
    EXPECT_EQ(splitSquareFactor(3035993LL * 3035993 * 1000003), (SquareSplit{3035993, 1000003}));
}

// Beyond 64 bits (a quadratic's discriminant): n = k²·m put back exactly,
// m free of squares wherever it is below 2⁶³ (checked by the 64-bit split).
TEST(Integers, WideSquareRootsAndSquareFactors) {
    using checked::u128;
    const u128 max = ~u128{0}, two64 = u128{1} << 64;
    const struct {
        u128 n, root;
    } roots[] = {{0, 0}, {1, 1}, {3, 1}, {max, two64 - 1}, {(two64 - 1) * (two64 - 1), two64 - 1},
                 {(two64 - 1) * (two64 - 1) - 1, two64 - 2}, {u128{1} << 126, u128{1} << 63}};
    for (const auto& c : roots) EXPECT_TRUE(wideFloorSquareRoot(c.n) == c.root) << static_cast<double>(c.n);

    const u128 m61 = (u128{1} << 61) - 1, m31 = (u128{1} << 31) - 1, m127 = max >> 1;  // primes
    const u128 below63 = 9223372036854775783u, below64 = 18446744073709551557u;  // the largest primes below 2⁶³, 2⁶⁴
    const u128 p40 = 1099511627689, p41 = 2199023255531;                        // primes below 2⁴⁰ and 2⁴¹
    const struct {
        u128 n, k, m;
    } splits[] = {
        {1, 1, 1},
        {m61 * m61 * 3, m61, 3},
        {m31 * m31 * m61, m31, m61},
        {below63 * below63, below63, 1},
        {u128{1} << 126, u128{1} << 63, 1},
        {4 * u128{INT64_MAX}, 14, INT64_MAX / 49},  // 2⁶³ − 1 = 7²·73·127·337·92737·649657
        {p40 * p40 * p41, p40, p41},                 // 121 bits, found by Pollard's rho
        {m127, 1, m127},                             // a prime
        {below64 * below63, 1, below64 * below63},   // two primes beyond the rho's reach
    };
    for (const auto& c : splits) {
        const WideSquareSplit s = splitWideSquareFactor(c.n);
        EXPECT_TRUE(s == (WideSquareSplit{c.k, c.m})) << static_cast<double>(c.n);
    }
    EXPECT_THROW(splitWideSquareFactor(0), PreconditionError);

    // Random k²·m of up to 128 bits.
    SystemRandom r(20261207);
    for (int i = 0; i < 300; ++i) {
        const auto draw = [&](int bits) {
            return static_cast<u128>(r.uniformInRange(1, (std::int64_t{1} << bits) - 1));
        };
        const int kBits = static_cast<int>(r.uniformInRange(1, 40)), mBits = static_cast<int>(r.uniformInRange(1, 47));
        const u128 k = draw(kBits), m = draw(mBits);
        const u128 n = k * k * m;
        const WideSquareSplit s = splitWideSquareFactor(n);
        ASSERT_TRUE(s.squareFactor * s.squareFactor * s.rest == n) << static_cast<double>(n);
        EXPECT_TRUE(s.squareFactor % k == 0) << static_cast<double>(n);  // k² divides n
        ASSERT_LT(s.rest, u128{1} << 63);  // at most m, which is below 2⁴⁷
        const auto rest = static_cast<std::int64_t>(s.rest);
        EXPECT_EQ(splitSquareFactor(rest), (SquareSplit{1, rest})) << static_cast<double>(n);
    }
}

TEST(Numerals, Texts) {
    EXPECT_TRUE(isZeroText("0"));
    EXPECT_FALSE(isZeroText("00"));
    EXPECT_FALSE(isZeroText(""));
    for (const char* yes : {"7", "300", "0040", "-"}) EXPECT_TRUE(hasSingleNonZeroDigit(yes)) << yes;
    for (const char* no : {"0", "", "12", "-10"}) EXPECT_FALSE(hasSingleNonZeroDigit(no)) << no;
    for (const char* yes : {"1", "10", "1000"}) EXPECT_TRUE(isPowerOfTenText(yes)) << yes;
    for (const char* no : {"2000", "0100", "", "11"}) EXPECT_FALSE(isPowerOfTenText(no)) << no;
    EXPECT_EQ(powerOfTenText(0), "1");
    EXPECT_EQ(powerOfTenText(3), "1000");
    // The text goes on past the largest 64-bit power of ten.
    EXPECT_EQ(powerOfTenText(18), std::to_string(powerOfTen(18)));
    EXPECT_EQ(powerOfTenText(19), "10000000000000000000");
    EXPECT_EQ(powerOfTenText(25), "10000000000000000000000000");
    EXPECT_THROW(powerOfTenText(-1), PreconditionError);
    EXPECT_EQ(textLengths("305", "−12"), (TextLengths{3, 3, 3}));
    EXPECT_EQ(textLengths("", "ab"), (TextLengths{0, 2, 2}));
    const std::pair<const char*, int> codePoints[] = {{"2075", 5}, {"B2", 2}, {"B9", 1}, {"39", 9},
                                                      {"41", 0},   {"b9", 0}, {"00B9", 0}};
    for (const auto& [code, digit] : codePoints) EXPECT_EQ(digitValueOfCodePoint(code), digit) << code;
}

TEST(Numerals, ScalarHexTextReadsBackAsItsDigit) {
    const std::pair<char32_t, const char*> texts[] = {{U'3', "33"},     {U'¹', "B9"},       {U'⁴', "2074"},
                                                      {U'\0', "0"},     {U'\U0001F914', "1F914"}, {U'\x0A', "A"}};
    for (const auto& [scalar, hex] : texts) EXPECT_EQ(scalarHexText(scalar), hex) << hex;
    // Every plain and superscript digit comes back as its value, whatever writes its superscript.
    const char32_t superscripts[] = {U'⁰', U'¹', U'²', U'³', U'⁴', U'⁵', U'⁶', U'⁷', U'⁸', U'⁹'};
    for (std::int64_t v = 0; v < 10; ++v) {
        EXPECT_EQ(digitValueOfCodePoint(scalarHexText(static_cast<char32_t>(U'0' + v))), v);
        EXPECT_EQ(digitValueOfCodePoint(scalarHexText(superscripts[v])), v);
    }
}

TEST(RandomDraws, RedrawUntilAcceptable) {
    ScriptedRandom script{3, 4, 5};
    ScopedRandomSource scope(script);
    EXPECT_EQ(randomIntAvoiding(1, 9, {3, 4}), 5);
    script.push(7);
    EXPECT_EQ(randomIntTextAvoiding(-9, 9, {}), "7");

    // (2, 4) shares a factor, (3, 3) is not distinct, (3, 4) passes.
    for (std::int64_t v : {2, 4, 3, 3, 3, 4}) script.push(v);
    EXPECT_EQ(randomPairAvoiding(1, 9, {}, 1, 9, {}, true, true), std::make_pair(std::int64_t{3}, std::int64_t{4}));
    EXPECT_EQ(script.remaining(), 0u);

    // A pair holding 0 passes the coprime test of the text form only.
    for (std::int64_t v : {0, 6, 1, 6}) script.push(v);
    EXPECT_EQ(randomPairAvoiding(0, 9, {}, 1, 9, {}, true, false), std::make_pair(std::int64_t{1}, std::int64_t{6}));
    for (std::int64_t v : {0, 6}) script.push(v);
    EXPECT_EQ(randomPairTextAvoiding(0, 9, {}, 1, 9, {}, true, false), std::make_pair(std::string("0"), std::string("6")));
}

TEST(RandomDraws, ImpossibleRequestsAreRefused) {
    ScriptedRandom script;  // any draw would throw for want of a script
    ScopedRandomSource scope(script);
    EXPECT_THROW(randomIntAvoiding(5, 4, {}), PreconditionError);
    EXPECT_THROW(randomIntAvoiding(1, 3, {1, 2, 3, 7}), PreconditionError);
    EXPECT_THROW(randomPairAvoiding(2, 2, {}, 4, 4, {}, true, false), PreconditionError);
    EXPECT_THROW(randomPairAvoiding(2, 2, {}, 2, 2, {}, false, true), PreconditionError);
    EXPECT_THROW(randomPairTextAvoiding(1, 2, {}, 1, 2, {2}, false, false), PreconditionError);
    EXPECT_EQ(script.remaining(), 0u);
    script.push(5);  // the whole 64-bit range is a valid range
    EXPECT_EQ(randomIntAvoiding(INT64_MIN, INT64_MAX, {0}), 5);
    for (std::int64_t v : {-8, 9}) script.push(v);  // two whole ranges: far too many pairs to list
    EXPECT_EQ(randomPairAvoiding(INT64_MIN, INT64_MAX, {}, INT64_MIN, INT64_MAX, {}, true, true),
              std::make_pair(std::int64_t{-8}, std::int64_t{9}));
}
