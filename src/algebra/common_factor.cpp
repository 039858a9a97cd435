#include "algebra/common_factor.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "base/errors.hpp"

namespace tl {

namespace {

/// Residues modulo a prime p < 2³¹, by ascending power: products fit 64 bits.
using Residues = std::vector<std::uint64_t>;

constexpr std::uint64_t kLargestPrime = 2147483647;  // 2³¹ − 1
constexpr int kMostPrimes = 1000;

std::uint64_t powerMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t m) {
    std::uint64_t result = 1 % m;
    for (base %= m; exponent > 0; exponent >>= 1, base = base * base % m)
        if (exponent & 1) result = result * base % m;
    return result;
}

/// Miller–Rabin with the bases 2, 7 and 61, exact below 4 759 123 141.
bool isPrime(std::uint64_t n) {
    if (n < 2 || n % 2 == 0) return n == 2;
    std::uint64_t d = n - 1;
    int s = 0;
    for (; d % 2 == 0; d /= 2) ++s;
    for (const std::uint64_t a : {2u, 7u, 61u}) {
        if (a % n == 0) continue;
        std::uint64_t x = powerMod(a, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int r = 1; r < s && composite; ++r) {
            x = x * x % n;
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

std::uint64_t residue(std::int64_t n, std::uint64_t p) {
    const std::int64_t r = n % static_cast<std::int64_t>(p);
    return static_cast<std::uint64_t>(r < 0 ? r + static_cast<std::int64_t>(p) : r);
}

void trim(Residues& r) {
    while (!r.empty() && r.back() == 0) r.pop_back();
}

/// a modulo p; none when p divides a denominator or the leading numerator.
std::optional<Residues> reduced(std::span<const Rational> a, std::uint64_t p) {
    Residues r;
    for (const Rational& c : a) {
        const std::uint64_t d = residue(c.denominator, p);
        if (d == 0) return std::nullopt;
        r.push_back(residue(c.numerator, p) * powerMod(d, p - 2, p) % p);
    }
    if (r.back() == 0) return std::nullopt;
    return r;
}

/// The degree of gcd(a, b) modulo p, for a and b not 0.
std::size_t gcdDegree(Residues a, Residues b, std::uint64_t p) {
    while (!b.empty()) {
        const std::uint64_t inverse = powerMod(b.back(), p - 2, p);
        for (std::uint64_t& c : b) c = c * inverse % p;
        while (a.size() >= b.size()) {
            const std::uint64_t lead = a.back();
            const std::size_t shift = a.size() - b.size();
            for (std::size_t i = 0; i + 1 < b.size(); ++i) a[shift + i] = (a[shift + i] + p - lead * b[i] % p) % p;
            a.pop_back();
            trim(a);
        }
        std::swap(a, b);
    }
    return a.size() - 1;
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

}  // namespace

bool haveCommonFactor(std::span<const Rational> a, std::span<const Rational> b) {
    const auto hasZeroDenominator = [](const Rational& c) { return c.denominator == 0; };
    require(std::ranges::none_of(a, hasZeroDenominator) && std::ranges::none_of(b, hasZeroDenominator),
            "a zero denominator in a polynomial");
    a = withoutTrailingZeros(a);
    b = withoutTrailingZeros(b);
    if (a.empty() || b.empty()) return a.size() != 1 && b.size() != 1;  // gcd(0, b) is b
    if (a.size() == 1 || b.size() == 1) return false;
    // |Res(A, B)| ≤ ‖A‖^deg B · ‖B‖^deg A for A and B the two made whole.
    const long double bound = static_cast<long double>(b.size() - 1) * normBits(a) +
                              static_cast<long double>(a.size() - 1) * normBits(b) + 1;
    long double proven = 0;
    int primes = 0;
    for (std::uint64_t p = kLargestPrime;; p = previousPrime(p)) {
        const auto x = reduced(a, p), y = reduced(b, p);
        if (!x || !y) continue;
        if (gcdDegree(*x, *y, p) == 0) return false;
        proven += std::log2(static_cast<long double>(p));
        if (proven > bound) return true;
        require(++primes < kMostPrimes, "polynomials too large to compare");
    }
}

}  // namespace tl
