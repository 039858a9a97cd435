#include "common/integers.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_set>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/records.hpp"

namespace tl {

using checked::i128;

std::int64_t absoluteValue(std::int64_t n) { return checked::abs(n); }

std::int64_t gcd(std::int64_t a, std::int64_t b) { return std::gcd(checked::abs(a), checked::abs(b)); }

std::uint64_t magnitudeGcd(std::int64_t a, std::int64_t b) {
    return std::gcd(checked::magnitude(a), checked::magnitude(b));
}

checked::u128 magnitudeGcd(i128 a, i128 b) { return checked::wideGcd(checked::magnitude(a), checked::magnitude(b)); }

std::int64_t lcm(std::int64_t a, std::int64_t b) {
    if (a == 0 || b == 0) return 0;
    return checked::abs(checked::mul(a, b / gcd(a, b)));
}

std::int64_t power(std::int64_t base, std::uint64_t exponent) {
    std::int64_t result = 1;
    for (std::uint64_t i = 0; i < exponent; ++i) {
        result = checked::mul(result, base);
        // Once the product is 0 or ±1 with base ±1 it can no longer change
        // beyond a sign; stop early so a huge exponent does not spin.
        if (result == 0) return 0;
        if (base == 1) return 1;
        if (base == -1) return (exponent - i - 1) % 2 == 0 ? result : -result;
    }
    return result;
}

std::int64_t powerOfTen(std::int64_t n) {
    require(n >= 0, "negative power of ten");
    return checked::pow(10, n);
}

std::int64_t digitCount(std::int64_t n) {
    std::int64_t m = checked::abs(n), count = 1;
    while (m >= 10) m /= 10, ++count;
    return count;
}

namespace {
/// Integer part of (√n + 0.5) for n ≥ 0, through double precision.
std::int64_t roundedRoot(std::int64_t n) {
    return static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)) + 0.5);
}
i128 square(std::int64_t s) { return static_cast<i128>(s) * s; }
}  // namespace

std::optional<std::int64_t> exactSquareRoot(std::int64_t n) {
    if (n < 0) return std::nullopt;
    const std::int64_t s = roundedRoot(n);
    if (square(s) == n) return s;
    return std::nullopt;
}

std::optional<std::int64_t> floorSquareRoot(std::int64_t n) {
    if (n < 1) return std::nullopt;
    std::int64_t s = roundedRoot(n);
    if (square(s) > n) s -= 1;
    return s;
}

namespace {

using u64 = std::uint64_t;
__extension__ using u128 = unsigned __int128;

u64 mulMod(u64 a, u64 b, u64 m) { return static_cast<u64>(static_cast<u128>(a) * b % m); }

u64 powMod(u64 base, u64 exponent, u64 m) {
    u64 result = 1;
    for (base %= m; exponent > 0; exponent >>= 1) {
        if (exponent & 1) result = mulMod(result, base, m);
        base = mulMod(base, base, m);
    }
    return result;
}

/// Miller–Rabin with the first twelve primes as bases: exact below 2^64.
bool isPrime(u64 n) {
    static constexpr u64 bases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    if (n < 2) return false;
    for (u64 p : bases)
        if (n % p == 0) return n == p;
    u64 d = n - 1;
    int s = 0;
    for (; d % 2 == 0; d /= 2) ++s;
    for (u64 a : bases) {
        u64 x = powMod(a, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int i = 1; i < s && composite; ++i) {
            x = mulMod(x, x, n);
            composite = x != n - 1;
        }
        if (composite) return false;
    }
    return true;
}

/// Multiplication modulo an odd n < 2^63 in Montgomery form (x·2^64 mod n):
/// no division in the loop of Pollard's rho.
class Montgomery {
public:
    explicit Montgomery(u64 n) : n_(n), negInverse_(1) {
        u64 inverse = n;  // correct to 3 bits for odd n; each step doubles them
        for (int i = 0; i < 5; ++i) inverse *= 2 - n * inverse;
        negInverse_ = 0 - inverse;
    }
    u64 multiply(u64 a, u64 b) const {
        const u128 t = static_cast<u128>(a) * b;
        const u64 m = static_cast<u64>(t) * negInverse_;
        const u64 u = static_cast<u64>((t + static_cast<u128>(m) * n_) >> 64);  // below 2^128 as n < 2^63
        return u >= n_ ? u - n_ : u;
    }
    /// a + b mod n for a, b < n (below 2^64 as n < 2^63).
    u64 add(u64 a, u64 b) const {
        const u64 sum = a + b;
        return sum >= n_ ? sum - n_ : sum;
    }

private:
    u64 n_;
    u64 negInverse_;
};

u64 gcdOf(u64 a, u64 b) { return std::gcd(a, b); }
u128 gcdOf(u128 a, u128 b) { return checked::wideGcd(a, b); }

/// Brent's variant of Pollard's rho for an odd composite n that is not a
/// square, in the Montgomery form `mont` of n (multiply, add): a proper
/// factor, or none once about `allowance` steps found none.
template <class Word, class Form>
std::optional<Word> rhoFactor(Word n, const Form& mont, u64 allowance) {
    const auto distance = [](Word a, Word b) { return a > b ? a - b : b - a; };
    u64 steps = 0;
    for (Word c = 1; steps < allowance; ++c) {
        const auto f = [&](Word v) { return mont.add(mont.multiply(v, v), c); };
        Word x = 2, y = 2, saved = 2, g = 1, product = 1;
        for (u64 r = 1; g == 1 && steps < allowance; r *= 2) {
            x = y;
            for (u64 i = 0; i < r; ++i) y = f(y);
            steps += r;
            for (u64 k = 0; k < r && g == 1; k += 128) {
                saved = y;
                const u64 batch = std::min<u64>(128, r - k);
                for (u64 i = 0; i < batch; ++i) {
                    y = f(y);
                    product = mont.multiply(product, distance(x, y));
                }
                steps += batch;
                g = gcdOf(product, n);
            }
        }
        if (g == n) {  // the batch overshot: step again one at a time
            do {
                saved = f(saved);
                g = gcdOf(distance(x, saved), n);
            } while (g == 1);
        }
        if (g != 1 && g != n) return g;
    }
    return std::nullopt;
}

/// A proper factor of an odd composite n (products of differences batched
/// before each gcd; a factor of x·R is a factor of x since R = 2^64 is
/// prime to n).
u64 properFactor(u64 n) { return rhoFactor(n, Montgomery(n), std::numeric_limits<u64>::max()).value(); }

/// Appends the prime factors of n > 1 (with repeats, in no order).
void primeFactors(u64 n, std::vector<u64>& out) {
    if (n == 1) return;
    if (isPrime(n)) {
        out.push_back(n);
        return;
    }
    if (const auto root = exactSquareRoot(static_cast<std::int64_t>(n))) {  // rho is slowest on p²
        primeFactors(static_cast<u64>(*root), out);
        primeFactors(static_cast<u64>(*root), out);
        return;
    }
    const u64 d = properFactor(n);
    primeFactors(d, out);
    primeFactors(n / d, out);
}

/// The prime factors of n ≥ 1 with repeats, ascending. Small primes by
/// division, the rest by Pollard's rho: the slowest n, a product of two
/// primes near 2^31.5, takes some 10^5 modular products (well under a
/// millisecond); most take microseconds.
std::vector<u64> sortedPrimeFactors(u64 n) {
    std::vector<u64> primes;
    for (u64 p = 2; p < 64; ++p)
        for (; n % p == 0; n /= p) primes.push_back(p);
    primeFactors(n, primes);
    std::sort(primes.begin(), primes.end());
    return primes;
}

/// Calls `each(p, k)` for each prime p of `primes` (ascending, with
/// repeats) and the number k of times it occurs.
template <class Each>
void forEachPrimePower(const std::vector<u64>& primes, Each each) {
    for (std::size_t i = 0; i < primes.size();) {
        const std::size_t j = std::upper_bound(primes.begin() + i, primes.end(), primes[i]) - primes.begin();
        each(static_cast<std::int64_t>(primes[i]), j - i);
        i = j;
    }
}

}  // namespace

std::vector<std::int64_t> divisors(std::int64_t n) {
    require(n >= 1, "divisors of a number below 1");
    std::vector<std::int64_t> out;
    for (const u64 d : divisorsOfMagnitude(n)) out.push_back(static_cast<std::int64_t>(d));  // each at most n
    return out;
}

std::vector<std::uint64_t> divisorsOfMagnitude(std::int64_t n) {
    require(n != 0, "divisors of 0");
    // From the prime factors: a 19-digit n needs no √n trial divisions.
    std::vector<u64> out{1};
    forEachPrimePower(sortedPrimeFactors(checked::magnitude(n)), [&](std::int64_t p, std::size_t k) {
        const std::size_t count = out.size();
        u64 power = 1;
        for (std::size_t e = 0; e < k; ++e) {
            power *= static_cast<u64>(p);  // every product divides |n|: no overflow
            for (std::size_t i = 0; i < count; ++i) out.push_back(out[i] * power);
        }
    });
    std::sort(out.begin(), out.end());
    return out;
}

std::optional<SquareSplit> splitSquareFactor(std::int64_t n) {
    if (n < 0) return std::nullopt;
    if (n == 0) return SquareSplit{0, 1};
    // Each prime goes into k once per pair and into m once when its power is odd.
    std::int64_t k = 1, m = 1;
    forEachPrimePower(sortedPrimeFactors(static_cast<u64>(n)), [&](std::int64_t p, std::size_t count) {
        for (std::size_t pair = 0; pair < count / 2; ++pair) k *= p;  // k² divides n: no overflow
        if (count % 2 == 1) m *= p;
    });
    return SquareSplit{k, m};
}

u128 wideFloorSquareRoot(u128 n) {
    if (n == 0) return 0;
    // From a floating-point estimate, then exact steps: s is the largest with s² ≤ n.
    u128 s = static_cast<u128>(std::sqrt(static_cast<long double>(n)));
    const auto squareAbove = [n](u128 r) { return r > (u128{1} << 64) - 1 || r * r > n; };
    while (squareAbove(s)) --s;
    while (!squareAbove(s + 1)) ++s;
    return s;
}

namespace {

using checked::fullProduct;
using checked::Wide256;

/// Multiplication modulo an odd n of up to 128 bits in Montgomery form
/// (x·2^128 mod n).
class WideMontgomery {
public:
    explicit WideMontgomery(u128 n) : n_(n) {
        u128 inverse = n;  // correct to 3 bits for odd n; each step doubles them
        for (int i = 0; i < 6; ++i) inverse *= 2 - n * inverse;
        negInverse_ = 0 - inverse;
        one_ = (0 - n) % n;  // 2^128 mod n
        u128 square = one_;  // 2^256 mod n, by 128 doublings
        for (int i = 0; i < 128; ++i) square = doubled(square);
        rSquare_ = square;
    }
    u128 multiply(u128 a, u128 b) const { return reduce(fullProduct(a, b)); }
    u128 toForm(u128 a) const { return multiply(a % n_, rSquare_); }
    u128 one() const { return one_; }
    u128 minusOne() const { return n_ - one_; }
    u128 add(u128 a, u128 b) const {
        const u128 sum = a + b;
        return sum < a || sum >= n_ ? sum - n_ : sum;
    }

private:
    u128 doubled(u128 a) const { return add(a, a); }
    /// t·2^-128 mod n for t < n·2^128.
    u128 reduce(const Wide256& t) const {
        const u128 m = t.low * negInverse_;
        const Wide256 mn = fullProduct(m, n_);
        // t + m·n is a multiple of 2^128: its low half is 0, with a carry
        // exactly when t's low half is not 0.
        const u128 carryIn = t.low != 0 ? 1 : 0;
        u128 high = t.high + mn.high;
        bool carry = high < t.high;
        high += carryIn;
        carry = carry || (carryIn != 0 && high == 0);
        return carry || high >= n_ ? high - n_ : high;
    }

    u128 n_;
    u128 negInverse_ = 0;
    u128 one_ = 0;
    u128 rSquare_ = 0;
};

/// Miller–Rabin with the first sixteen primes as bases, for odd n ≥ 2^63:
/// exact below 3.3·10^24; a larger composite that passed every base would be
/// taken for a prime, and left whole.
bool isProbablePrime(u128 n) {
    static constexpr u64 bases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53};
    const WideMontgomery mont(n);
    u128 d = n - 1;
    int s = 0;
    for (; d % 2 == 0; d /= 2) ++s;
    for (const u64 base : bases) {
        u128 x = mont.one(), power = mont.toForm(base);
        for (u128 e = d; e > 0; e >>= 1) {
            if (e & 1) x = mont.multiply(x, power);
            power = mont.multiply(power, power);
        }
        if (x == mont.one() || x == mont.minusOne()) continue;
        bool composite = true;
        for (int i = 1; i < s && composite; ++i) {
            x = mont.multiply(x, x);
            composite = x != mont.minusOne();
        }
        if (composite) return false;
    }
    return true;
}

/// A proper factor of an odd composite n ≥ 2^63 that is not a square, or
/// none within about four million steps (enough, as a rule, for any factor
/// below 2^44).
std::optional<u128> wideProperFactor(u128 n) { return rhoFactor(n, WideMontgomery(n), u64{1} << 22); }

/// Adds n's prime factors to `primes` (with repeats), or n itself to `whole`
/// when it is 2^63 or more and cannot be split.
void wideFactors(u128 n, std::vector<u128>& primes, std::vector<u128>& whole) {
    if (n == 1) return;
    if (n >> 63 == 0) {  // within the reach of the 64-bit Montgomery form
        for (const u64 p : sortedPrimeFactors(static_cast<u64>(n))) primes.push_back(p);
        return;
    }
    if (const u128 s = wideFloorSquareRoot(n); s * s == n) {
        wideFactors(s, primes, whole);
        wideFactors(s, primes, whole);
        return;
    }
    if (n % 2 == 0) {
        primes.push_back(2);
        wideFactors(n / 2, primes, whole);
        return;
    }
    const std::optional<u128> d = isProbablePrime(n) ? std::nullopt : wideProperFactor(n);
    if (!d) {
        whole.push_back(n);
        return;
    }
    wideFactors(*d, primes, whole);
    wideFactors(n / *d, primes, whole);
}

}  // namespace

WideSquareSplit splitWideSquareFactor(u128 n) {
    require(n != 0, "the square factor of 0");
    std::vector<u128> primes, whole;
    for (u64 p = 2; p < 64; ++p)
        for (; n % p == 0; n /= p) primes.push_back(p);
    wideFactors(n, primes, whole);
    std::sort(primes.begin(), primes.end());
    // Each prime goes into k once per pair and into m once when its power is odd.
    WideSquareSplit split{1, 1};
    for (std::size_t i = 0; i < primes.size();) {
        const std::size_t j = std::upper_bound(primes.begin() + i, primes.end(), primes[i]) - primes.begin();
        for (std::size_t pair = 0; pair < (j - i) / 2; ++pair) split.squareFactor *= primes[i];
        if ((j - i) % 2 == 1) split.rest *= primes[i];
        i = j;
    }
    for (const u128 w : whole) split.rest *= w;  // every product divides n: no overflow
    return split;
}

bool sameSignOrZero(std::int64_t a, std::int64_t b) { return (a <= 0 && b <= 0) || (a >= 0 && b >= 0); }

bool isZeroText(std::string_view text) { return text == "0"; }

bool hasSingleNonZeroDigit(std::string_view text) {
    std::int64_t left = 0;
    for (const std::string& c : characterStrings(text))
        if (c != "0") ++left;
    return left == 1;
}

bool isPowerOfTenText(std::string_view text) {
    return hasSingleNonZeroDigit(text) && !text.empty() && text.front() == '1';
}

std::string powerOfTenText(std::int64_t n) {
    require(n >= 0, "negative power of ten");
    std::string text(static_cast<std::size_t>(n) + 1, '0');
    text.front() = '1';
    return text;
}

TextLengths textLengths(std::string_view a, std::string_view b) {
    const std::int64_t la = characterStringCount(a), lb = characterStringCount(b);
    return {la, lb, std::max(la, lb)};
}

std::int64_t digitValueOfCodePoint(std::string_view hex) {
    static const char* const plain[] = {"30", "31", "32", "33", "34", "35", "36", "37", "38", "39"};
    static const char* const superscript[] = {"2070", "B9",   "B2",   "B3",   "2074",
                                              "2075", "2076", "2077", "2078", "2079"};
    for (std::int64_t v = 0; v < 10; ++v)
        if (hex == plain[v] || hex == superscript[v]) return v;
    return 0;
}

std::string scalarHexText(char32_t scalar) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kHexDigits[scalar % 16]);
        scalar /= 16;
    } while (scalar != 0);
    return text;
}

// --- random draws ----------------------------------------------------------

namespace {

/// Draws beyond which a pair search over a space too large to enumerate gives up.
constexpr std::int64_t kMaxPairDraws = 1 << 22;
/// Pair spaces up to this size are enumerated to prove a pair exists.
constexpr i128 kEnumerableSpace = 1 << 20;

bool contains(const std::vector<std::int64_t>& list, std::int64_t v) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

i128 rangeSize(std::int64_t lo, std::int64_t hi) { return static_cast<i128>(hi) - lo + 1; }

/// lo ≤ hi and some value of the range lies outside `excluded`.
void requireDrawable(std::int64_t lo, std::int64_t hi, const std::vector<std::int64_t>& excluded) {
    require(lo <= hi, "random range with lo > hi");
    std::unordered_set<std::int64_t> inRange;
    for (std::int64_t v : excluded)
        if (v >= lo && v <= hi) inRange.insert(v);
    require(static_cast<i128>(inRange.size()) < rangeSize(lo, hi), "every value of the random range is excluded");
}

std::int64_t drawAvoiding(std::int64_t lo, std::int64_t hi, const std::vector<std::int64_t>& excluded) {
    std::int64_t x = randomSource().uniformInRange(lo, hi);
    while (contains(excluded, x)) x = randomSource().uniformInRange(lo, hi);
    return x;
}

struct PairRules {
    const std::vector<std::int64_t>& excluded1;
    const std::vector<std::int64_t>& excluded2;
    bool coprime;
    bool distinct;
    bool zeroPassesCoprime;

    bool accepts(std::int64_t a, std::int64_t b) const {
        if (contains(excluded1, a) || contains(excluded2, b)) return false;
        if (coprime && !(zeroPassesCoprime && (a == 0 || b == 0)) && magnitudeGcd(a, b) != 1) return false;
        if (distinct && a == b) return false;
        return true;
    }
};

std::pair<std::int64_t, std::int64_t> drawPair(std::int64_t lo1, std::int64_t hi1, std::int64_t lo2, std::int64_t hi2,
                                               const PairRules& rules) {
    requireDrawable(lo1, hi1, rules.excluded1);
    requireDrawable(lo2, hi2, rules.excluded2);
    // Each range is at most 2^64 values: bound them one by one first, or
    // their product could overflow even 128 bits.
    const i128 size1 = rangeSize(lo1, hi1), size2 = rangeSize(lo2, hi2);
    const bool enumerable =
        size1 <= kEnumerableSpace && size2 <= kEnumerableSpace && size1 * size2 <= kEnumerableSpace;
    if (enumerable) {
        bool exists = false;
        for (std::int64_t a = lo1; a <= hi1 && !exists; ++a)
            for (std::int64_t b = lo2; b <= hi2 && !exists; ++b) exists = rules.accepts(a, b);
        require(exists, "no pair of the random ranges meets the conditions");
    }
    for (std::int64_t draws = 0;; ++draws) {
        require(enumerable || draws < kMaxPairDraws, "no acceptable random pair found");
        const std::int64_t a = randomSource().uniformInRange(lo1, hi1);
        const std::int64_t b = randomSource().uniformInRange(lo2, hi2);
        if (rules.accepts(a, b)) return {a, b};
    }
}

}  // namespace

std::int64_t randomIntAvoiding(std::int64_t lo, std::int64_t hi, const std::vector<std::int64_t>& excluded) {
    requireDrawable(lo, hi, excluded);
    return drawAvoiding(lo, hi, excluded);
}

std::string randomIntTextAvoiding(std::int64_t lo, std::int64_t hi, const std::vector<std::int64_t>& excluded) {
    return std::to_string(randomIntAvoiding(lo, hi, excluded));
}

std::pair<std::int64_t, std::int64_t> randomPairAvoiding(std::int64_t lo1, std::int64_t hi1,
                                                         const std::vector<std::int64_t>& excluded1,
                                                         std::int64_t lo2, std::int64_t hi2,
                                                         const std::vector<std::int64_t>& excluded2, bool coprime,
                                                         bool distinct) {
    return drawPair(lo1, hi1, lo2, hi2, PairRules{excluded1, excluded2, coprime, distinct, false});
}

std::pair<std::string, std::string> randomPairTextAvoiding(std::int64_t lo1, std::int64_t hi1,
                                                           const std::vector<std::int64_t>& excluded1,
                                                           std::int64_t lo2, std::int64_t hi2,
                                                           const std::vector<std::int64_t>& excluded2,
                                                           bool coprime, bool distinct) {
    const auto [a, b] = drawPair(lo1, hi1, lo2, hi2, PairRules{excluded1, excluded2, coprime, distinct, true});
    return {std::to_string(a), std::to_string(b)};
}

}  // namespace tl
