#include "algebra/zero_polynomial.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "algebra/factoring.hpp"
#include "algebra/modular.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

using u64 = std::uint64_t;

// ---- the groups the last one reaches ----------------------------------------------

/// The groups the last group reaches through factors, each after every group
/// it points at, the last group last. A loop with an explicit stack, so that
/// a long chain of groups takes no deep recursion.
std::vector<std::size_t> dependencyOrder(const Polynomial_XL& p) {
    require(!p.terms.empty(), "a polynomial without groups");
    const std::size_t n = p.terms.size();
    enum : std::uint8_t { unseen, open, done };
    std::vector<std::uint8_t> state(n, unseen);
    std::vector<std::vector<std::size_t>> pointers(n);
    const auto openGroup = [&](std::size_t g) {
        state[g] = open;
        for (const Term_XL& t : p.terms[g])
            for (const Factor& f : t.factors) {
                require(f.pointer < n, "a factor that points at no group");
                pointers[g].push_back(static_cast<std::size_t>(f.pointer));
            }
    };
    std::vector<std::size_t> order;
    std::vector<std::pair<std::size_t, std::size_t>> stack{{n - 1, 0}};  // group, next pointer
    openGroup(n - 1);
    while (!stack.empty()) {
        const std::size_t g = stack.back().first;
        const std::size_t k = stack.back().second;
        if (k < pointers[g].size()) {
            ++stack.back().second;
            const std::size_t j = pointers[g][k];
            if (state[j] == done) continue;
            require(state[j] == unseen, "a factor group that holds itself");
            openGroup(j);
            stack.emplace_back(j, 0);
            continue;
        }
        state[g] = done;
        order.push_back(g);
        stack.pop_back();
    }
    return order;
}

// ---- modulo a prime ------------------------------------------------------------------

constexpr int kPoints = 3;

/// The point a letter takes at the given try: a fixed, spread-out value.
u64 pointOf(const std::string& letter, int attempt, u64 p) {
    const u64 seed = 0x9E3779B97F4A7C15ULL * static_cast<u64>(attempt + 1) +
                     0xC2B2AE3D27D4EB4FULL * (letter.empty() ? 0 : static_cast<unsigned char>(letter[0]));
    return 2 + (seed ^ (seed >> 29)) % (p - 3);
}

/// The value of the last group modulo a prime at one point; none when the prime divides a denominator.
template <class Field>
std::optional<u64> valueMod(const Polynomial_XL& p, const std::vector<std::size_t>& order, const Field& f,
                            int attempt) {
    std::vector<u64> value(p.terms.size(), 0);
    for (const std::size_t g : order) {
        u64 sum = 0;
        for (const Term_XL& t : p.terms[g]) {
            const auto c = modular::residue(f, t.monomial.coefficient);
            if (!c) return std::nullopt;
            const u64 point = pointOf(t.monomial.variable, attempt, f.modulus());
            u64 term = f.multiply(*c, modular::power(f, point, t.monomial.exponent));
            for (const Factor& factor : t.factors)
                term = f.multiply(term, modular::power(f, value[factor.pointer], factor.exponent));
            sum = modular::add(f, sum, term);
        }
        value[g] = sum;
    }
    return value[p.terms.size() - 1];
}

/// Whether the value modulo the prime is not 0 at one of the points tried;
/// false too when the prime divides a denominator.
template <class Field>
bool provenNonZero(const Polynomial_XL& p, const std::vector<std::size_t>& order, const Field& f) {
    for (int attempt = 0; attempt < kPoints; ++attempt) {
        const auto v = valueMod(p, order, f, attempt);
        if (!v) return false;
        if (*v != 0) return true;
    }
    return false;
}

// ---- written out exactly ------------------------------------------------------------

/// A polynomial in one letter: non-zero coefficients by exponent.
using Sparse = std::map<u64, Rational>;

Rational sumOf(const Rational& a, const Rational& b) {
    const auto s = addRational(a, b);
    require(s.has_value(), "a coefficient over 0");
    return *s;
}

void addTerm(Sparse& into, u64 exponent, const Rational& c) {
    if (c.numerator == 0) return;
    const auto [at, fresh] = into.try_emplace(exponent, c);
    if (fresh) return;
    at->second = sumOf(at->second, c);
    if (at->second.numerator == 0) into.erase(at);
}

u64 degreeSum(u64 a, u64 b) {
    u64 d = 0;
    require(!__builtin_add_overflow(a, b, &d) && d <= kMaxDividedDegree,
            "a polynomial of a degree above " + std::to_string(kMaxDividedDegree) + " to write out");
    return d;
}

/// The most products of two coefficients that writing out may take: a zero
/// too large for it is refused in well under a second.
constexpr u64 kMaxCoefficientProducts = 2'000'000;

/// Coefficient products left to take.
struct Budget {
    u64 left = kMaxCoefficientProducts;
    void spend(u64 products) {
        require(products <= left, "a polynomial too large to write out");
        left -= products;
    }
};

Sparse product(const Sparse& a, const Sparse& b, Budget& budget) {
    budget.spend(static_cast<u64>(a.size()) * b.size());
    Sparse result;
    for (const auto& [i, x] : a)
        for (const auto& [j, y] : b) {
            const auto xy = multiplyRational(x, y);
            require(xy.has_value(), "a coefficient over 0");
            addTerm(result, degreeSum(i, j), *xy);
        }
    return result;
}

Sparse power(Sparse base, u64 exponent, Budget& budget) {
    Sparse result{{0, makeDefaultRational(1, 1)}};
    while (exponent > 0) {
        if (exponent & 1) result = product(result, base, budget);
        exponent >>= 1;
        if (exponent > 0) base = product(base, base, budget);
        if (base.empty() && exponent > 0) return {};  // 0 to a positive power
    }
    return result;
}

/// Whether the last group, written out, is 0.
bool writtenOutIsZero(const Polynomial_XL& p, const std::vector<std::size_t>& order) {
    std::set<std::string> letters;
    bool products = false;
    for (const std::size_t g : order)
        for (const Term_XL& t : p.terms[g]) {
            if (t.monomial.exponent > 0 && t.monomial.coefficient.numerator != 0) letters.insert(t.monomial.variable);
            products = products || !t.factors.empty();
        }
    if (letters.size() > 1) {
        // Several letters: only plain terms can be gathered, letter by letter.
        require(!products, "a product in several letters to write out");
        std::map<std::pair<std::string, u64>, Rational> gathered;
        for (const Term_XL& t : p.terms.back()) {
            const Monomial& m = t.monomial;
            const auto key = std::pair{m.exponent == 0 ? std::string() : m.variable, m.exponent};
            const auto [at, fresh] = gathered.try_emplace(key, m.coefficient);
            if (!fresh) at->second = sumOf(at->second, m.coefficient);
        }
        for (const auto& [key, c] : gathered)
            if (c.numerator != 0) return false;
        return true;
    }
    std::vector<Sparse> value(p.terms.size());
    Budget budget;
    for (const std::size_t g : order) {
        Sparse sum;
        for (const Term_XL& t : p.terms[g]) {
            Sparse term;
            addTerm(term, t.monomial.exponent, t.monomial.coefficient);
            // A coefficient or a factor that is 0 makes the term 0 without writing out the others.
            const auto zero = [&](const Factor& f) { return f.exponent > 0 && value[f.pointer].empty(); };
            if (term.empty() || std::ranges::any_of(t.factors, zero)) continue;
            for (const Factor& f : t.factors) term = product(term, power(value[f.pointer], f.exponent, budget), budget);
            for (const auto& [e, c] : term) addTerm(sum, e, c);
        }
        value[g] = std::move(sum);
    }
    return value[p.terms.size() - 1].empty();
}

}  // namespace

bool isZeroPolynomialXL(const Polynomial_XL& polynomial) {
    const std::vector<std::size_t> order = dependencyOrder(polynomial);
    for (const std::size_t g : order)
        for (const Term_XL& t : polynomial.terms[g])
            require(t.monomial.coefficient.denominator != 0, "a coefficient over 0");
    // Two primes, so that one of them divides no denominator: a 64-bit
    // number is no multiple of both.
    if (provenNonZero(polynomial, order, modular::Mersenne61{}) ||
        provenNonZero(polynomial, order, modular::Below31((u64{1} << 31) - 1)))
        return false;
    return writtenOutIsZero(polynomial, order);
}

}  // namespace tl
