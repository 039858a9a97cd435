// Every step over random factored polynomials and rational expressions keeps
// the value: before and after are evaluated at several rational points with
// exact arithmetic, and factor lists multiply back to what they factor.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <utility>

#include "algebra/rational_expression_steps.hpp"
#include "base/random.hpp"
#include "factored_values.hpp"
#include "support/recording_checks.hpp"

namespace tl {
namespace {

using testing::show;
using testing::valueAt;

const Rational kPoints[] = {makeDefaultRational(-5, 3), makeDefaultRational(-1, 2), makeDefaultRational(2, 5),
                            makeDefaultRational(3, 2), makeDefaultRational(5, 1), makeDefaultRational(4, 7)};

Term_XL term(std::int64_t n, std::uint64_t exponent, std::int64_t d = 1) {
    return makeTermXL(makeMonomialX(makeDefaultRational(n, d), exponent), {});
}

/// Random values built from integer roots and factors.
class Draw {
public:
    explicit Draw(std::uint64_t seed) : random_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    std::int64_t nonZero(std::int64_t bound) { return in(0, 1) ? in(1, bound) : -in(1, bound); }

    /// c·Π(p·x + q) multiplied out, highest power first (now and then shuffled,
    /// with a zero term or a coefficient over 2).
    GroupXL expanded(std::int64_t roots) {
        std::vector<std::int64_t> c{nonZero(3)};  // c[i]: coefficient of x^i
        for (std::int64_t k = in(0, roots); k > 0; --k) {
            const std::int64_t p = in(1, 2), q = in(-4, 4);
            std::vector<std::int64_t> next(c.size() + 1, 0);
            for (std::size_t i = 0; i < c.size(); ++i) next[i] += q * c[i], next[i + 1] += p * c[i];
            c = next;
        }
        const std::int64_t denominator = in(0, 7) == 0 ? 2 : 1;
        GroupXL g;
        for (std::size_t i = c.size(); i-- > 0;)
            if (c[i] != 0 || in(0, 9) == 0)
                g.push_back(term(c[i], i, denominator));
        if (g.empty()) g.push_back(term(1, 0));
        if (in(0, 4) == 0)
            for (std::int64_t i = std::ssize(g) - 1; i > 0; --i) std::swap(g[i], g[in(0, i)]);
        return g;
    }
    /// One group, or a product c·x^e·(g₀)^k₀·… of linear, monomial, constant
    /// and expanded groups (now and then a sum with one more term).
    Polynomial_XL part() {
        if (in(0, 2) == 0) return Polynomial_XL{{expanded(3)}};
        Polynomial_XL p;
        Term_XL root = term(nonZero(4), in(0, 2));
        for (std::int64_t k = in(1, 3); k > 0; --k) {
            const std::int64_t shape = in(0, 5);
            if (shape <= 2)
                p.terms.push_back({term(in(1, 3), 1), term(nonZero(5), 0)});
            else if (shape == 3)
                p.terms.push_back({term(nonZero(6), in(0, 2))});
            else
                p.terms.push_back(expanded(2));
            root.factors.push_back(makeFactor(p.terms.size() - 1, shape <= 3 && in(0, 3) == 0 ? 2 : 1));
        }
        GroupXL expression{root};
        if (in(0, 5) == 0) expression.push_back(term(nonZero(3), 0));
        p.terms.push_back(expression);
        return p;
    }

private:
    SystemRandom random_;
};

/// Where `before` has a value, `after` has the same (times `sign`).
void expectSameValue(const Polynomial_XL& before, const Polynomial_XL& after, const std::string& step, int sign = 1) {
    for (const Rational& x : kPoints) {
        const auto a = valueAt(before, x), b = valueAt(after, x);
        ASSERT_TRUE(a && b && rationalEquals(*a, *multiplyRational(*b, makeDefaultRational(sign, 1))))
            << step << ": " << show(before) << "  ->  " << show(after);
    }
}
void expectSameValue(const Rational_Expression& before, const Rational_Expression& after, const std::string& step) {
    for (const Rational& x : kPoints) {
        const auto a = valueAt(before, x);
        if (!a) continue;
        const auto b = valueAt(after, x);
        ASSERT_TRUE(b && rationalEquals(*a, *b)) << step << ": " << show(before) << "  ->  " << show(after);
    }
}

void checkPart(const Polynomial_XL& p) {
    const auto pair = [&](const std::array<Polynomial_XL, 2>& steps, const char* name) {
        expectSameValue(p, steps[0], name);
        expectSameValue(p, steps[1], name);
    };
    if (hasCommonFactorXL(p)) pair(factorOutGcfXL(true, Color::red, p), "factorOutGcfXL");
    if (isFactorableXL(p)) {
        pair(factorTrinomialXL(Color::red, p), "factorTrinomialXL");
        pair(chooseFactoringMethod(Color::red, "ac method", p), "chooseFactoringMethod");
    }
    if (p.terms.size() == 1)
        if (const auto factors = factorCompletely(p)) {
            Polynomial_XL product;
            Term_XL all = term(1, 0);
            for (std::size_t i = 0; i < factors->size(); ++i) {
                product.terms.push_back(factors->at(i).terms.front());
                all.factors.push_back(makeFactor(i, 1));
            }
            product.terms.push_back({all});
            expectSameValue(p, product, "factorCompletely");
        }
    expectSameValue(p, factorOutNegativeOneXL(p), "factorOutNegativeOneXL");
    expectSameValue(p, sortedGroupsXL(p), "sortedGroupsXL");
    expectSameValue(p, removeZeroTermsXL(true, p), "removeZeroTermsXL");
    if (const auto folded = expandXL(false, p)) expectSameValue(p, *folded, "expandXL");
    expectSameValue(p, *expandXL(true, p), "expandXL negated", -1);
    if (const auto moved = negateFactorAndCoefficientXL(Color::red, p)) expectSameValue(p, *moved, "sign move");
}

void checkExpression(const Rational_Expression& e) {
    const auto pair = [&](const std::optional<RationalStepPair>& steps, const char* name) {
        if (!steps) return;
        expectSameValue(e, (*steps)[0], name);
        expectSameValue(e, (*steps)[1], name);
        EXPECT_NE(show((*steps)[0]), show((*steps)[1])) << name << " changes nothing: " << show(e);
    };
    pair(standardOrderStepPair(e), "standard order");
    pair(factorStepPair(e), "factor");
    pair(commonFactorStepPair(e), "common factor");
    pair(negativeOneStepPair(e), "-1");
    pair(rationalReduceSteps(e), "reduce");
    for (auto* builder : {&rationalCancelSteps, &rationalSimplifySteps})
        if (const auto states = (*builder)(e))
            for (const Rational_Expression& s : *states) expectSameValue(e, s, "cancel or simplify");
    // Cancelling over and over ends.
    Rational_Expression current = e;
    int rounds = 0;
    for (auto states = rationalCancelSteps(current); states; states = rationalCancelSteps(current)) {
        current = states->back();
        ASSERT_LT(++rounds, 8) << show(e);
    }
}

TEST(RationalExpressionSweep, EveryStepKeepsTheValue) {
    Draw draw(90210);
    for (int i = 0; i < 10000 / tl::testing::kSanitizerSlowdown; ++i) {
        const Rational_Expression e = makeRationalExpression(draw.part(), draw.part());
        try {
            checkPart(e.poly_N);
            checkExpression(e);
        } catch (const std::exception& x) {
            FAIL() << x.what() << ": " << show(e);
        }
        if (::testing::Test::HasFatalFailure()) return;
    }
}

// ---- finished exactly in lowest terms ------------------------------------------------

/// A polynomial by ascending powers, exact, without trailing zeros (none for 0).
using Dense = std::vector<Rational>;

Dense dense(std::vector<std::int64_t> ascending) {
    while (!ascending.empty() && ascending.back() == 0) ascending.pop_back();
    Dense d;
    for (std::int64_t c : ascending) d.push_back(makeDefaultRational(c, 1));
    return d;
}
Dense product(const Dense& a, const Dense& b) {
    Dense c(a.size() + b.size() - 1, makeDefaultRational(0, 1));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) c[i + j] = *addRational(c[i + j], *multiplyRational(a[i], b[j]));
    return c;
}
/// Euclid over the rationals, each remainder scaled to lead with 1.
Dense gcdOf(Dense a, Dense b) {
    while (!b.empty()) {
        while (a.size() >= b.size()) {
            const Rational f = *divideRational(a.back(), b.back());
            for (std::size_t i = 0, shift = a.size() - b.size(); i < b.size(); ++i)
                a[shift + i] = *subtractRational(a[shift + i], *multiplyRational(f, b[i]));
            while (!a.empty() && a.back().numerator == 0) a.pop_back();
        }
        for (Rational& c : a) c = *divideRational(c, a.back());
        std::swap(a, b);
    }
    return a;
}

/// A group's value, and whether it passes the tests of a finished sum.
struct DrawnGroup {
    Dense value;
    bool finished = true;
};
/// p·x + q, p > 0, gcd(p, q) = 1 (x itself for q = 0); a·x² + b·x + c, a > 0,
/// gcd(a, b, c) = 1, without a rational root; with `quartic` the product of two
/// such quadratics (finished, though no prime); the rest not finished: a
/// product of two linear groups (but x²), k·(p·x + q) with q ≠ 0, or −1 times.
DrawnGroup drawnGroup(Draw& d, bool quartic) {
    const auto linear = [&] {
        for (;;)
            if (const std::int64_t p = d.in(1, 2), q = d.in(-3, 3); std::gcd(p, q) == 1) return dense({q, p});
    };
    const auto quadratic = [&] {
        for (;;) {
            const std::int64_t a = d.in(1, 2), b = d.in(-2, 2), c = d.nonZero(3), disc = b * b - 4 * a * c;
            std::int64_t root = 0;
            while (root * root < disc) ++root;
            if (root * root != disc && std::gcd(std::gcd(a, b), c) == 1) return dense({c, b, a});
        }
    };
    switch (d.in(quartic ? 0 : 1, 5)) {
        case 0: {
            const Dense a = quadratic();
            return {product(a, quadratic())};
        }
        case 1: return {linear()};
        case 2: return {quadratic()};
        case 3: {
            const Dense a = linear(), g = product(a, linear());
            return {g, std::ranges::count_if(g, [](const Rational& c) { return c.numerator != 0; }) == 1};
        }
        case 4: return {product(dense({d.in(2, 3)}), dense({d.nonZero(3), 1})), false};
        default: return {product(dense({-1}), d.in(0, 1) ? linear() : quadratic()), false};
    }
}
GroupXL groupOf(const Dense& value) {
    GroupXL g;
    for (std::size_t i = value.size(); i-- > 0;)
        if (value[i].numerator != 0) g.push_back(term(value[i].numerator, i));
    return g;
}

/// A part: one drawn group, or c·x^e times one or two of them to powers up to
/// 3; its value takes each group once (the powers change no common factor,
/// and Euclid stays within 64 bits); finished when every group is.
struct DrawnPart {
    Polynomial_XL part;
    Dense value;
    bool finished = true;
};
DrawnPart drawnPart(Draw& d, std::int64_t coefficient) {
    if (d.in(0, 3) == 0) {
        const DrawnGroup g = drawnGroup(d, true);
        return {Polynomial_XL{{groupOf(g.value)}}, g.value, g.finished};
    }
    const std::uint64_t e = d.in(0, 1);
    DrawnPart p{{}, dense({e ? 0 : coefficient, e ? coefficient : 0}), true};
    Term_XL root = term(coefficient, e);
    for (std::int64_t k = d.in(1, 2); k > 0; --k) {
        const DrawnGroup g = drawnGroup(d, false);
        p.part.terms.push_back(groupOf(g.value));
        root.factors.push_back(makeFactor(p.part.terms.size() - 1, d.in(1, 3)));
        p.value = product(p.value, g.value);
        p.finished = p.finished && g.finished;
    }
    p.part.terms.push_back({root});
    return p;
}

TEST(RationalExpressionSweep, FinishedExactlyInLowestTerms) {
    Draw draw(4711);
    int finished = 0, shared = 0, tidy = 0;
    for (int i = 0; i < 3000 / tl::testing::kSanitizerSlowdown && !HasFailure(); ++i) {
        // Coprime numbers in front, the denominator's positive: nothing to cancel, no sign to move.
        const std::int64_t below = draw.in(1, 3);
        std::int64_t above = draw.nonZero(3);
        while (std::gcd(above, below) != 1) above = draw.nonZero(3);
        const DrawnPart n = drawnPart(draw, above), d = drawnPart(draw, below);
        const Rational_Expression e = makeRationalExpression(n.part, d.part);
        const bool lowest = gcdOf(n.value, d.value).size() == 1;
        const auto states = rationalSimplifySteps(e);
        EXPECT_TRUE(!states || lowest) << "finished, though not in lowest terms: " << show(e);
        if (n.finished && d.finished) {
            ++tidy;
            EXPECT_EQ(states ? states->size() : 0, lowest ? 1u : 0u) << show(e);
        }
        finished += states.has_value();
        shared += !lowest;
    }
    for (const int count : {finished, shared, tidy}) EXPECT_GT(count, 200 / tl::testing::kSanitizerSlowdown);
}

}  // namespace
}  // namespace tl
