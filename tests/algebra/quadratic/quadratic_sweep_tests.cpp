// Random equations through each method, their closing page checked without
// the solver: every root it names is put back into the equation exactly
// (in Q(√m) for a ± b√m; decimals to 7 digits), two roots are distinct and
// ascending, and the status follows the discriminant of the equation as
// generated ("no solution" only when it is negative). The same with one
// power from 2 to 5 added alike to both sides, which must cancel, and with a
// power of another letter added alike, which must cancel too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "algebra/quadratic/quadratic_solver.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "support/algebra_answers.hpp"
#include "support/recording_checks.hpp"

using namespace tl;
using namespace tl::testing;
using namespace std::string_view_literals;

namespace {

std::int64_t draw(std::int64_t lo, std::int64_t hi) {
    static SystemRandom random(2024);
    return random.uniformInRange(lo, hi);
}

/// An equation A v² + B v + C = 0 spread over two sides.
struct Generated {
    Rational A, B, C;
    std::string letter;
    Polynomial LHS{{}}, RHS{{}};
};

/// kind 0, 1: k(q₁v − p₁)(q₂v − p₂), distinct or repeated roots; 2:
/// irrational roots; 3: no real roots; 4: linear (the v² terms cancel); 5: any.
Generated generate(int kind) {
    std::int64_t a = 0, b = draw(-20, 20), c = draw(-20, 20);
    if (kind <= 1) {
        const std::int64_t p1 = draw(-9, 9), q1 = draw(1, 4), k = draw(1, 3) * (draw(0, 1) ? 1 : -1);
        const std::int64_t p2 = kind == 0 ? draw(-9, 9) : p1, q2 = kind == 0 ? draw(1, 4) : q1;
        a = k * q1 * q2, b = -k * (q1 * p2 + q2 * p1), c = k * p1 * p2;
    } else if (kind != 4) {
        for (a = draw(1, 9) * (draw(0, 1) ? 1 : -1); true; b = draw(-20, 20), c = draw(-20, 20))
            if (const std::int64_t D = b * b - 4 * a * c; kind == 5 || (kind == 2 ? D > 0 && !isSquare(D) : D < 0))
                break;
    }
    static constexpr std::int64_t denominators[] = {1, 1, 1, 2, 3, 4, 6, 8, 10, 100, 1000};
    const std::int64_t den = denominators[draw(0, std::size(denominators) - 1)];
    Generated g{q(a, den), q(b, den), q(c, den), std::string(1, "xyz"[draw(0, 2)])};
    // Each power on the left, on the right, on both or twice on the left;
    // numbers over `den` as written (2/10 stays 2/10).
    for (auto [value, exponent] : {std::pair{a, 2}, {b, 1}, {c, 0}}) {
        auto term = [&](std::int64_t n) {
            return makeMonomial(makeDefaultRational(n, den), exponent, exponent == 0 ? "x" : g.letter);
        };
        const std::int64_t t = draw(1, 9), where = draw(0, 3);
        if (where == 0 && value != 0) g.LHS.terms.push_back(term(value));
        if (where == 1 && value != 0) g.RHS.terms.push_back(term(-value));
        if (where == 2) g.LHS.terms.push_back(term(value + t)), g.RHS.terms.push_back(term(t));
        if (where == 3) g.LHS.terms.push_back(term(value - t)), g.LHS.terms.push_back(term(t));
    }
    for (Polynomial* side : {&g.LHS, &g.RHS}) {
        if (side->terms.empty()) side->terms.push_back(makeMonomialX(makeDefaultRational(0, 1), 0));
        for (std::size_t i = side->terms.size(); i > 1; --i) std::swap(side->terms[i - 1], side->terms[draw(0, i - 1)]);
    }
    return g;
}

/// The value of one root "v = r" of `line`, r put back into the equation.
double checkedRoot(const Generated& g, const std::string& root, bool rational) {
    if (root.find_first_of(".e") != std::string::npos) {
        const auto value = [](const Rational& x) { return static_cast<double>(x.numerator) / static_cast<double>(x.denominator); };
        const double A = value(g.A), B = value(g.B), C = value(g.C), r = std::stod(root);
        EXPECT_NEAR((A * r + B) * r + C, 0, 1e-7 * (std::abs(A * r * r) + std::abs(B * r) + std::abs(C))) << root;
        return r;
    }
    const auto v = Evaluator<Surd>(root).value();
    // A(u² + w²m) + Bu + C = 0 and w(2Au + B) = 0.
    EXPECT_TRUE(v && ((Surd{g.A} * *v + Surd{g.B}) * *v + Surd{g.C}).isZero()) << root;
    EXPECT_EQ(v && v->b.numerator == 0, rational) << root;
    return static_cast<double>(Evaluator<long double>(root).value().value_or(NAN));
}

void checkClosingPage(const Generated& g, const Engine_Step& closing) {
    std::vector<std::string> page;
    for (const Engine_Table& t : closing) page.push_back(tableText(t));
    const std::string label = g.letter + " = ";
    if (g.A.numerator == 0) {  // the problem, then v = value or the status
        ASSERT_EQ(page.size(), 2u);
        if (g.B.numerator == 0) {
            EXPECT_EQ(page[1], g.C.numerator == 0 ? "TRUE, solution is all values of variable" : "FALSE, no solution");
        } else {
            EXPECT_TRUE(page[1].starts_with(label)) << page[1];
            checkedRoot({q(0), g.B, g.C, g.letter}, page[1].substr(label.size()), true);
        }
        return;
    }
    const Rational D = (Surd{g.B} * Surd{g.B} - Surd{q(4)} * Surd{g.A} * Surd{g.C}).a;
    const bool rational = isSquare(D);
    // The problem, two blanks, the roots (none for "no solution"), the status.
    const std::size_t at = D.numerator < 0 ? 3 : 4;
    ASSERT_GT(page.size(), at);
    EXPECT_EQ(page[at], D.numerator < 0    ? "no solution"
                        : D.numerator == 0 ? "repeated rational solution"
                        : rational ? "distinct rational solutions"
                                   : "distinct irrational solutions");
    if (D.numerator < 0) return;
    std::vector<double> roots;
    for (const std::string& root : rootTexts(page[3], label)) roots.push_back(checkedRoot(g, root, rational));
    EXPECT_EQ(roots.size(), D.numerator == 0 ? 1u : 2u) << page[3];
    if (roots.size() == 2) {
        EXPECT_LT(roots[0], roots[1]) << page[3];
    }
}

/// g solved by `method` in a random style, with and without colours and
/// clearing: one comment line a page, opened and closed by the emoji, and
/// the closing page's roots those of g.
void solveAndCheck(Quadratic_method method, const Generated& g) {
    const auto style = static_cast<Style>(draw(0, 2));
    const QuadraticSteps r = solveQuadratic(method, Technique::balance, draw(0, 1), false, style, Method::standard,
                                            draw(0, 1), g.LHS, g.RHS, Relation::equal_to, Color::black);
    SCOPED_TRACE(std::string(rawValue(method)) + ", " + std::string(rawValue(style)) + ": " +
                 tableText(r.steps.front().front()));
    ASSERT_EQ(r.steps.size(), r.comments.size());
    EXPECT_TRUE(std::ranges::all_of(r.comments, [](const auto& c) { return c.size() == 1; }));
    EXPECT_EQ(r.comments.front().front(), "\U0001F914");
    EXPECT_EQ(r.comments.back().front(), "\U0001F60E");
    checkClosingPage(g, r.steps.back());
}

}  // namespace

TEST(QuadraticSweep, ClosingPagesStateTheRoots) {
    SystemRandom linearDraws(7);
    ScopedRandomSource scoped(linearDraws);
    for (const Quadratic_method method : allCases<Quadratic_method>())
        for (int i = 0; i < 10000 / tl::testing::kSanitizerSlowdown && !HasFailure(); ++i) {
            solveAndCheck(method, generate(i % 6));
        }
}

// The same equations with a·vᵖ (p from 2 to 5) put on both sides at random
// places: the powers cancel, and the roots are those of the equation as
// generated, by every method.
TEST(QuadraticSweep, PowersThatCancelAcrossTheSides) {
    SystemRandom linearDraws(11);
    ScopedRandomSource scoped(linearDraws);
    for (const Quadratic_method method : allCases<Quadratic_method>())
        for (int i = 0; i < 2000 / tl::testing::kSanitizerSlowdown && !HasFailure(); ++i) {
            Generated g = generate(i % 6);
            const Monomial added = makeMonomial(makeDefaultRational(draw(-9, 9) | 1, draw(1, 4)),
                                                static_cast<std::uint64_t>(draw(2, 5)), g.letter);
            for (Polynomial* side : {&g.LHS, &g.RHS})
                side->terms.insert(side->terms.begin() + draw(0, std::ssize(side->terms)), added);
            solveAndCheck(method, g);
        }
}

// The same equations with a·wᵖ of another letter w (p from 1 to 5) put on
// both sides at random places, on the left whole or split in two: the letter
// cancels, and the roots, for the equation's own letter, are those of the
// equation as generated, by every method.
TEST(QuadraticSweep, LettersThatCancelAcrossTheSides) {
    SystemRandom linearDraws(13);
    ScopedRandomSource scoped(linearDraws);
    for (const Quadratic_method method : allCases<Quadratic_method>())
        for (int i = 0; i < 1000 / tl::testing::kSanitizerSlowdown && !HasFailure(); ++i) {
            Generated g = generate(i % 6);
            const std::string other(1, "xyz"[("xyz"sv.find(g.letter) + static_cast<std::size_t>(draw(1, 2))) % 3]);
            const auto p = static_cast<std::uint64_t>(draw(1, 5));
            const std::int64_t n = draw(-9, 9) | 1, d = draw(1, 4), t = draw(-5, 5);
            auto insert = [](Polynomial& side, const Monomial& m) {
                side.terms.insert(side.terms.begin() + draw(0, std::ssize(side.terms)), m);
            };
            insert(g.RHS, makeMonomial(makeDefaultRational(n, d), p, other));
            if (draw(0, 1) == 0) {
                insert(g.LHS, makeMonomial(makeDefaultRational(n, d), p, other));
            } else {
                insert(g.LHS, makeMonomial(makeDefaultRational(n - t * d, d), p, other));
                insert(g.LHS, makeMonomial(makeDefaultRational(t, 1), p, other));
            }
            solveAndCheck(method, g);
        }
}
