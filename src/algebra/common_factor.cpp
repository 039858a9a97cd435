#include "algebra/common_factor.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "algebra/modular.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

using modular::i128;
using modular::u128;

/// Residues modulo a prime p < 2³¹, by ascending power.
using Residues = std::vector<std::uint64_t>;

constexpr std::uint64_t kLargestPrime = 2147483647;  // 2³¹ − 1
/// Images joined for one candidate: four primes below 2³¹ keep their product below 2¹²⁴.
constexpr std::size_t kMostImages = 4;

/// Arithmetic modulo one of the primes.
using Field = modular::Below31;

/// Miller–Rabin for n < 2³¹ with the bases 2, 7 and 61 (exact below 4 759 123 141).
bool isPrime(std::uint64_t n) {
    if (n < 2 || n % 2 == 0) return n == 2;
    std::uint64_t d = n - 1;
    int s = 0;
    for (; d % 2 == 0; d /= 2) ++s;
    const modular::Below31 ring(n);
    for (const std::uint64_t a : {2u, 7u, 61u}) {
        if (a % n == 0) continue;
        std::uint64_t x = modular::power(ring, a % n, d);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int r = 1; r < s && composite; ++r) {
            x = ring.multiply(x, x);
            composite = x != n - 1;
        }
        if (composite) return false;
    }
    return true;
}

std::uint64_t previousPrime(std::uint64_t p) {
    do p -= 2;
    while (!isPrime(p));
    return p;
}

void trim(Residues& r) {
    while (!r.empty() && r.back() == 0) r.pop_back();
}

/// a modulo p; none when p divides a denominator or the leading numerator.
std::optional<Residues> reduced(std::span<const Rational> a, const Field& f) {
    Residues r;
    r.reserve(a.size());
    for (const Rational& c : a) {
        const auto residue = modular::residue(f, c);
        if (!residue) return std::nullopt;
        r.push_back(*residue);
    }
    if (r.back() == 0) return std::nullopt;
    return r;
}

/// A gcd of a and b modulo p, for a and b not 0: the monic one times a
/// factor that is not 0. Each divisor's leading coefficient is inverted
/// once, unless both are short (linear, say, as in most pairs), when finding
/// an inverse would cost more than it saves: then lead(b)·a − lead(a)·x^shift·b
/// takes off a's leading term instead (which multiplies all of a, hence
/// short ones only).
/// Each step spends the terms of b under its leading one from `allowance`
/// (for two of degrees m ≤ n, about (m + 1)·(n + 1) in all, at most twice
/// that).
Residues gcdOf(Residues a, Residues b, const Field& f, WorkAllowance& allowance) {
    constexpr std::size_t kShort = 32;
    // A long dividend's terms are reduced only where they are read (its
    // leading one, and all of them when the remainder becomes the divisor)
    // and otherwise kept below 2⁶² + p: adding (p − 1)² keeps them below
    // 2⁶³, and a multiple of p near 2⁶² taken off those at 2⁶² or above
    // brings them back.
    constexpr std::uint64_t kHigh = std::uint64_t{1} << 62;
    const std::uint64_t p = f.modulus(), highMultiple = kHigh / p * p;
    const auto trimReduced = [&](Residues& r) {
        while (!r.empty() && (r.back() = f.reduce(r.back())) == 0) r.pop_back();
    };
    if (a.size() < b.size()) std::swap(a, b);
    while (!b.empty()) {
        const std::size_t below = b.size() - 1;  // b's terms under its leading one
        for (std::uint64_t& c : b) c = f.reduce(c);  // the remainder of a long step
        if (a.size() > kShort) {
            const std::uint64_t inverse = modular::inverse(f, b.back());
            while (a.size() >= b.size()) {
                allowance.spend(below);
                // a − q·x^shift·b with q = lead(a)/lead(b): the leading term
                // goes, the rest gains p − q times b.
                const std::uint64_t minusQuotient = p - f.multiply(a.back(), inverse);
                std::uint64_t* row = a.data() + (a.size() - b.size());
                for (std::size_t i = 0; i < below; ++i) {
                    const std::uint64_t v = row[i] + minusQuotient * b[i];
                    row[i] = v >= kHigh ? v - highMultiple : v;
                }
                a.pop_back();
                trimReduced(a);
            }
        } else {
            const std::uint64_t leadB = b.back();
            while (a.size() >= b.size()) {
                allowance.spend(below);
                const std::uint64_t minusLead = p - a.back();
                const std::size_t shift = a.size() - b.size();
                for (std::size_t i = 0; i < shift; ++i) a[i] = f.multiply(a[i], leadB);
                std::uint64_t* row = a.data() + shift;
                for (std::size_t i = 0; i < below; ++i) row[i] = f.reduce(row[i] * leadB + minusLead * b[i]);
                a.pop_back();
                trim(a);
            }
        }
        std::swap(a, b);
    }
    return a;
}

/// log₂ of a bound on the Euclidean norm of a times the product of its denominators.
long double normBits(std::span<const Rational> a) {
    const auto bits = [](std::int64_t n) { return std::log2(std::fabs(static_cast<long double>(n))); };
    long double largest = 0, scale = 0;
    for (const Rational& c : a) {
        if (c.numerator != 0) largest = std::max(largest, bits(c.numerator));
        scale += bits(c.denominator);
    }
    return largest + scale + 0.5L * std::log2(static_cast<long double>(a.size()));
}

std::span<const Rational> withoutTrailingZeros(std::span<const Rational> a) {
    while (!a.empty() && a.back().numerator == 0) a = a.first(a.size() - 1);
    return a;
}

std::uint64_t product(std::uint64_t a, std::uint64_t b) {
    std::uint64_t r;
    return __builtin_mul_overflow(a, b, &r) ? UINT64_MAX : r;
}

// ---- a candidate read back from the images ---------------------------------------

constexpr i128 kLeast = static_cast<i128>(u128{1} << 127);

/// |n|, for n above −2¹²⁷.
i128 magnitude(i128 n) { return n < 0 ? -n : n; }

i128 gcd128(i128 a, i128 b) {
    a = magnitude(a);
    b = magnitude(b);
    while (b != 0) a = std::exchange(b, a % b);
    return a;
}

/// ⌊√n⌋.
u128 floorRoot(u128 n) {
    u128 s = static_cast<u128>(std::sqrt(static_cast<long double>(n)));
    while (s > 0 && s * s > n) --s;
    while ((s + 1) * (s + 1) <= n) ++s;
    return s;
}

struct Fraction {
    i128 numerator = 0;
    i128 denominator = 1;  // positive, and coprime to the numerator
};

/// The fraction n/d ≡ u (mod m) with |n| and d at most √(m/2), when there is
/// one (then it is the only one); m below 2¹²⁴.
std::optional<Fraction> fractionOf(u128 u, u128 m) {
    const i128 bound = static_cast<i128>(floorRoot(m / 2));
    i128 r0 = static_cast<i128>(m), r1 = static_cast<i128>(u), t0 = 0, t1 = 1;
    while (r1 > bound) {
        const i128 q = r0 / r1;
        r0 = std::exchange(r1, r0 - q * r1);
        t0 = std::exchange(t1, t0 - q * t1);
    }
    if (t1 == 0 || magnitude(t1) > bound) return std::nullopt;
    if (t1 < 0) r1 = -r1, t1 = -t1;
    if (gcd128(r1, t1) != 1) return std::nullopt;
    return Fraction{r1, t1};
}

/// The monic gcds modulo the primes tried, of the least degree met, joined
/// coefficient by coefficient by the Chinese remainder theorem.
class Images {
public:
    /// Takes the gcd modulo p; true when it adds to what the candidate is read from.
    bool add(const Residues& g, std::uint64_t p) {
        if (count_ > 0 && g.size() > joined_.size()) return false;  // p is unlucky
        if (count_ > 0 && g.size() == joined_.size()) {
            if (count_ == kMostImages) return false;
            // x ≡ joined (mod m), x ≡ g (mod p): x = joined + m·k, k = (g − joined)·m⁻¹ mod p.
            const Field f(p);
            const std::uint64_t inverse = modular::inverse(f, static_cast<std::uint64_t>(modulus_ % p));
            for (std::size_t i = 0; i < g.size(); ++i) {
                const std::uint64_t old = static_cast<std::uint64_t>(joined_[i] % p);
                const std::uint64_t k = f.multiply((g[i] + p - old) % p, inverse);
                joined_[i] += modulus_ * k;
            }
            modulus_ *= p;
            ++count_;
            return true;
        }
        joined_.assign(g.begin(), g.end());  // the first image, or one of lower degree: those before were unlucky
        modulus_ = p;
        count_ = 1;
        return true;
    }
    bool full() const { return count_ == kMostImages; }

    /// The candidate in whole numbers, primitive with a positive leading
    /// coefficient; none when a coefficient reads back as no fraction, or
    /// the whole numbers leave 64 bits.
    std::optional<std::vector<std::int64_t>> candidate() const {
        std::vector<Fraction> fractions;
        i128 common = 1;  // the lcm of the denominators
        for (const u128 c : joined_) {
            const auto f = fractionOf(c, modulus_);
            if (!f) return std::nullopt;
            if (__builtin_mul_overflow(common / gcd128(common, f->denominator), f->denominator, &common))
                return std::nullopt;
            fractions.push_back(*f);
        }
        std::vector<i128> whole;
        i128 content = 0;
        for (const Fraction& f : fractions) {
            i128 w;
            // −2¹²⁷, which has no magnitude, counts as beyond 127 bits too.
            if (__builtin_mul_overflow(f.numerator, common / f.denominator, &w) || w == kLeast) return std::nullopt;
            whole.push_back(w);
            content = gcd128(content, w);
        }
        std::vector<std::int64_t> result;
        for (const i128 w : whole) {
            const i128 n = w / content;  // the leading 1 makes the content positive
            if (n < INT64_MIN || n > INT64_MAX) return std::nullopt;
            result.push_back(static_cast<std::int64_t>(n));
        }
        return result;
    }

private:
    std::vector<u128> joined_;
    u128 modulus_ = 1;
    std::size_t count_ = 0;
};

/// a times the lcm of its denominators; none beyond 127 bits.
std::optional<std::vector<i128>> wholeMultiple(std::span<const Rational> a) {
    i128 common = 1;
    for (const Rational& c : a) {
        const i128 d = magnitude(c.denominator);
        if (__builtin_mul_overflow(common / gcd128(common, d), d, &common)) return std::nullopt;
    }
    std::vector<i128> result;
    result.reserve(a.size());
    for (const Rational& c : a) {
        i128 w;
        // c.numerator/c.denominator · common, the denominator dividing common exactly.
        if (__builtin_mul_overflow(static_cast<i128>(c.numerator), common / c.denominator, &w)) return std::nullopt;
        result.push_back(w);
    }
    return result;
}

enum class Verdict { divides, doesNotDivide, unknown };

/// Whether g (primitive, positive leading coefficient) divides a in whole
/// numbers, which for a primitive g is whether it divides over the
/// rationals; unknown when a number leaves 127 bits on the way.
Verdict divides(const std::vector<std::int64_t>& g, std::vector<i128> a) {
    if (a.size() < g.size()) return Verdict::doesNotDivide;
    const std::size_t d = g.size() - 1;
    const i128 lead = g.back();
    for (std::size_t k = a.size() - g.size() + 1; k-- > 0;) {
        // A quotient coefficient that is not whole: no quotient in whole numbers, so none at all.
        if (a[k + d] % lead != 0) return Verdict::doesNotDivide;
        const i128 q = a[k + d] / lead;
        if (q < INT64_MIN || q > INT64_MAX) return Verdict::unknown;
        for (std::size_t j = 0; j < d; ++j)
            if (__builtin_sub_overflow(a[k + j], q * g[j], &a[k + j])) return Verdict::unknown;
        a[k + d] = 0;
    }
    for (std::size_t j = 0; j < d; ++j)
        if (a[j] != 0) return Verdict::doesNotDivide;
    return Verdict::divides;
}

}  // namespace

std::uint64_t commonFactorTestCost(std::span<const Rational> a, std::span<const Rational> b) {
    a = withoutTrailingZeros(a);
    b = withoutTrailingZeros(b);
    if (a.size() < 2 || b.size() < 2) return 0;
    return product(a.size(), b.size());
}

bool haveCommonFactor(std::span<const Rational> a, std::span<const Rational> b, CompareAllowance& allowance) {
    const auto hasZeroDenominator = [](const Rational& c) { return c.denominator == 0; };
    require(std::ranges::none_of(a, hasZeroDenominator) && std::ranges::none_of(b, hasZeroDenominator),
            "a zero denominator in a polynomial");
    a = withoutTrailingZeros(a);
    b = withoutTrailingZeros(b);
    if (a.empty() || b.empty()) return a.size() != 1 && b.size() != 1;  // gcd(0, b) is b
    if (a.size() == 1 || b.size() == 1) return false;

    const std::uint64_t reduction = a.size() + b.size();
    const std::uint64_t euclid = commonFactorTestCost(a, b);
    allowance.requireLeft(static_cast<long double>(euclid) + static_cast<long double>(reduction));

    // |Res(A, B)| ≤ ‖A‖^deg B · ‖B‖^deg A for A and B the two made whole;
    // worked out at the first gcd of positive degree (most pairs never meet one).
    std::optional<long double> bound;
    long double proven = 0;
    Images images;
    std::optional<std::vector<i128>> wholeA, wholeB;
    bool madeWhole = false;
    bool readable = true;  // whether a candidate may still settle it
    std::uint64_t lastEuclid = euclid;  // the work of the last prime's Euclid
    for (std::uint64_t p = kLargestPrime;; p = previousPrime(p)) {
        allowance.spend(reduction);
        const Field f(p);
        auto x = reduced(a, f), y = reduced(b, f);
        if (!x || !y) continue;
        const std::uint64_t before = allowance.left;
        Residues g = gcdOf(std::move(*x), std::move(*y), f, allowance);
        lastEuclid = before - allowance.left;
        if (g.size() == 1) return false;
        const std::uint64_t inverse = modular::inverse(f, g.back());
        for (std::uint64_t& c : g) c = f.multiply(c, inverse);
        if (!bound)
            bound = static_cast<long double>(b.size() - 1) * normBits(a) +
                    static_cast<long double>(a.size() - 1) * normBits(b) + 1;
        proven += std::log2(static_cast<long double>(p));
        if (proven > *bound) return true;
        if (readable && images.add(g, p)) {
            if (const auto candidate = images.candidate()) {
                if (!std::exchange(madeWhole, true)) wholeA = wholeMultiple(a), wholeB = wholeMultiple(b);
                Verdict verdict = Verdict::unknown;
                if (wholeA && wholeB) {
                    const std::uint64_t d = candidate->size();
                    allowance.spend(product(a.size() - d + 1, d) + product(b.size() - d + 1, d));
                    verdict = divides(*candidate, *wholeA);
                    if (verdict == Verdict::divides) verdict = divides(*candidate, *wholeB);
                }
                if (verdict == Verdict::divides) return true;
            }
            if (images.full()) readable = false;
        }
        // With no candidate left to read, only the bound can settle it: refuse
        // at once when the primes it needs would pass the allowance.
        if (!readable) {
            const long double primes = std::ceil((*bound - proven) / 30);
            allowance.requireLeft(primes * static_cast<long double>(lastEuclid + reduction));
        }
    }
}

bool haveCommonFactor(std::span<const Rational> a, std::span<const Rational> b) {
    CompareAllowance allowance;
    return haveCommonFactor(a, b, allowance);
}

}  // namespace tl
