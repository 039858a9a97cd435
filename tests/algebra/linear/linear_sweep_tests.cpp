// Random linear equations and inequalities (whole, fractional and decimal
// coefficients, terms on both sides, every relation) through every option:
// the closing answer must be right, checked by substituting into the
// equation with exact rationals on and around the boundary; the pages must
// hold together, equal those of the embedded run but for the opening, the
// closing and the sign-change notes, and draw inside the step view. The same
// with one power from 2 to 4 added alike to both sides, which must cancel,
// and with a power of another letter added alike, which must cancel too.
#include <gtest/gtest.h>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/side_operations.hpp"
#include "arithmetic/page_drawing.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "support/algebra_answers.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

Polynomial randomSide(RandomSource& r, const std::string& letter = "x") {
    std::vector<Monomial> terms;
    for (auto n = r.uniformInRange(1, 3); n > 0; --n) {
        Rational c;
        switch (r.uniformInRange(0, 2)) {
            case 0: c = q(r.uniformInRange(-9, 9)); break;
            case 1: c = q(r.uniformInRange(-20, 20), r.uniformInRange(2, 12)); break;
            default: c = q(r.uniformInRange(-999, 999), std::int64_t{10} * (r.uniformInRange(0, 1) ? 10 : 1));
        }
        terms.push_back(makeMonomial(c, static_cast<std::uint64_t>(r.uniformInRange(0, 1)), letter));
    }
    return makePolynomial(terms);
}

/// The answer against LHS − RHS = c₀ + c₁v, worked out exactly (terms
/// that cancel, of any letter, evaluate alike on both sides).
void expectRightAnswer(const PolyEquation& e, const std::string& text, Style style, const std::string& what,
                       const std::string& letter = "x") {
    SCOPED_TRACE(what);
    const Rational c0 = netAt(e, q(0)).value(), c1 = *subtractRational(netAt(e, q(1)).value(), c0);
    expectLinearAnswer(text, letter, c0, c1, e.relation, style);
}

/// The tables of a page less the two blank tables and the sign-change note at its end.
std::size_t withoutNote(const Engine_Step& page) {
    return page.size() >= 3 && tableText(page.back()).starts_with("notice  -") ? page.size() - 3 : page.size();
}

}  // namespace

TEST(LinearSweep, AnswersPagesAndDrawing) {
    gfx::ScopedFakeFonts fonts;
    SystemRandom r(20240711);
    const int count = 10000 / kSweepDivisor;
    for (int i = 0; i < count; ++i) {
        const PolyEquation e = makeEquationXL(randomSide(r), randomSide(r), allRelations[r.uniformInRange(0, 4)]);
        const auto technique = static_cast<Technique>(r.uniformInRange(0, 1));
        const auto style = static_cast<Style>(r.uniformInRange(0, 2));
        const auto method = static_cast<Method>(r.uniformInRange(0, 1));
        const bool colored = r.uniformInRange(0, 1) == 1, clear = r.uniformInRange(0, 1) == 1;
        const std::int64_t draw = r.uniformInRange(1, 5);
        auto solve = [&](bool embedded) {
            ScriptedRandom fixed{draw};
            ScopedRandomSource scope(fixed);
            return solveLinearEquation(technique, colored, embedded, style, method, clear, e.LHS, e.RHS, e.relation,
                                       e.relation_color);
        };
        const LinearSteps full = solve(false);
        const std::string what = "case " + std::to_string(i);

        ASSERT_EQ(full.steps.size(), full.comments.size()) << what;
        for (const auto& c : full.comments) {
            ASSERT_EQ(c.size(), 1u) << what;
            EXPECT_TRUE(clear || (c[0] != "clear fractions" && c[0] != "clear decimals")) << what;
        }
        ASSERT_GE(full.steps.size(), 3u) << what;
        EXPECT_EQ(full.comments.front()[0], "🤔") << what;
        EXPECT_EQ(full.comments.back()[0], "😎") << what;
        expectRightAnswer(e, tableText(full.steps.back().back()), style, what + " closing");
        // The last working page ends in the answer too (before the advice, on an x-terms page).
        const Engine_Step& last = full.steps[full.steps.size() - 2];
        const std::size_t answer =
            withoutNote(last) - (full.comments[full.steps.size() - 2][0].ends_with(" to one side") ? 2 : 1);
        expectRightAnswer(e, tableText(last.at(answer)), style, what + " last step");

        if (i % 2 == 0) {
            const LinearSteps embedded = solve(true);
            ASSERT_EQ(embedded.steps.size() + 2, full.steps.size()) << what;
            for (std::size_t p = 0; p < embedded.steps.size(); ++p) {
                EXPECT_EQ(embedded.comments[p], full.comments[p + 1]) << what;
                const Engine_Step &inner = embedded.steps[p], &page = full.steps[p + 1];
                EXPECT_TRUE(inner.size() <= withoutNote(page) && std::equal(inner.begin(), inner.end(), page.begin()))
                    << what << " page " << p;
            }
        }
        if (i % (40 * kSweepDivisor) == 0) expectEveryPageDraws({full.steps, full.comments, {}}, what);
    }
}

// A random linear equation with the same a·xᵖ (p from 2 to 4) put on both
// sides, on the left as one term or split in two: the powers cancel, and
// the answer is that of the equation without them.
TEST(LinearSweep, PowersThatCancelAcrossTheSides) {
    SystemRandom r(20261207);
    for (int i = 0; i < 2000 / kSweepDivisor && !HasFailure(); ++i) {
        PolyEquation e = makeEquationXL(randomSide(r), randomSide(r), allRelations[r.uniformInRange(0, 4)]);
        const auto p = static_cast<std::uint64_t>(r.uniformInRange(2, 4));
        const std::int64_t n = r.uniformInRange(-9, 9) | 1, d = r.uniformInRange(1, 4), t = r.uniformInRange(-5, 5);
        auto insert = [&r](Polynomial& side, const Monomial& m) {
            side.terms.insert(side.terms.begin() + r.uniformInRange(0, std::ssize(side.terms)), m);
        };
        insert(e.RHS, makeMonomialX(q(n, d), p));
        if (r.uniformInRange(0, 1) == 0) {
            insert(e.LHS, makeMonomialX(q(n, d), p));
        } else {
            insert(e.LHS, makeMonomialX(q(n - t * d, d), p));
            insert(e.LHS, makeMonomialX(q(t), p));
        }
        const auto style = static_cast<Style>(r.uniformInRange(0, 2));
        ScriptedRandom fixed{r.uniformInRange(1, 5)};
        ScopedRandomSource scope(fixed);
        const LinearSteps s = solveLinearEquation(static_cast<Technique>(r.uniformInRange(0, 1)),
                                                  r.uniformInRange(0, 1) == 1, false, style,
                                                  static_cast<Method>(r.uniformInRange(0, 1)),
                                                  r.uniformInRange(0, 1) == 1, e.LHS, e.RHS, e.relation,
                                                  e.relation_color);
        const std::string what = "case " + std::to_string(i) + ": " + tableText(s.steps.front().front());
        ASSERT_EQ(s.steps.size(), s.comments.size()) << what;
        ASSERT_GE(s.steps.size(), 3u) << what;
        EXPECT_EQ(s.comments.front()[0], "🤔") << what;
        EXPECT_EQ(s.comments.back()[0], "😎") << what;
        expectRightAnswer(e, tableText(s.steps.back().back()), style, what);
    }
}

// A random linear equation in one letter v with the same a·wᵖ of another
// letter w (p from 1 to 4) put on both sides: on the left as one term or
// split in two, on the right as one term or, for the grouped solver, as
// k(a/k·wᵖ). The letter w cancels, and the answer, for v, is that of the
// equation without it: from the linear solver, the grouped solver and the
// textless pipeline.
TEST(LinearSweep, LettersThatCancelAcrossTheSides) {
    SystemRandom r(20261208);
    for (int i = 0; i < 2000 / kSweepDivisor && !HasFailure(); ++i) {
        const std::int64_t v = r.uniformInRange(0, 2), w = (v + r.uniformInRange(1, 2)) % 3;
        const std::string letter(1, "xyz"[v]), other(1, "xyz"[w]);
        PolyEquation e =
            makeEquationXL(randomSide(r, letter), randomSide(r, letter), allRelations[r.uniformInRange(0, 4)]);
        const auto p = static_cast<std::uint64_t>(r.uniformInRange(1, 4));
        const std::int64_t n = r.uniformInRange(-9, 9) | 1, d = r.uniformInRange(1, 4), t = r.uniformInRange(-5, 5);
        auto insert = [&r](Polynomial& side, const Monomial& m) {
            const auto at = r.uniformInRange(0, std::ssize(side.terms));
            side.terms.insert(side.terms.begin() + at, m);
            return static_cast<std::size_t>(at);
        };
        const std::size_t right = insert(e.RHS, makeMonomial(q(n, d), p, other));
        if (r.uniformInRange(0, 1) == 0) {
            insert(e.LHS, makeMonomial(q(n, d), p, other));
        } else {
            insert(e.LHS, makeMonomial(q(n - t * d, d), p, other));
            insert(e.LHS, makeMonomial(q(t), p, other));
        }
        const auto style = static_cast<Style>(r.uniformInRange(0, 2));
        const auto technique = static_cast<Technique>(r.uniformInRange(0, 1));
        const auto method = static_cast<Method>(r.uniformInRange(0, 1));
        const bool colored = r.uniformInRange(0, 1) == 1, clear = r.uniformInRange(0, 1) == 1;
        ScriptedRandom fixed{r.uniformInRange(1, 5), r.uniformInRange(1, 5)};
        ScopedRandomSource scope(fixed);
        const std::string what = "case " + std::to_string(i) + ": " + tableText(equationTable(style, e));

        const LinearSteps s = solveLinearEquation(technique, colored, false, style, method, clear, e.LHS, e.RHS,
                                                  e.relation, e.relation_color);
        ASSERT_EQ(s.steps.size(), s.comments.size()) << what;
        ASSERT_GE(s.steps.size(), 3u) << what;
        EXPECT_EQ(s.comments.back()[0], "😎") << what;
        expectRightAnswer(e, tableText(s.steps.back().back()), style, what, letter);

        // The right side's added term as k(a/k·wᵖ), a group multiplied out on the way.
        const std::int64_t k = r.uniformInRange(2, 5);
        Ext_polynomial grouped{{{makeTerm(makeMonomial(q(n, d * k), p, other), {false, 0})}}};
        std::vector<Term> top = extPolynomialFromPolynomial(e.RHS).terms.back();
        top[right] = makeTerm(makeMonomial(q(k), 0, letter), {true, 0});
        grouped.terms.push_back(std::move(top));
        const Ext_polynomial left = extPolynomialFromPolynomial(e.LHS);
        const LinearSteps g = solveExtEquation(technique, colored, false, style, method, r.uniformInRange(0, 1) == 1,
                                               clear, left, grouped, e.relation, e.relation_color);
        ASSERT_EQ(g.steps.size(), g.comments.size()) << what;
        EXPECT_EQ(g.comments.back()[0], "😎") << what;
        expectRightAnswer(e, tableText(g.steps.back().back()), style, what + " grouped", letter);

        const auto direct = simplifyExtEquation(left, grouped, e.relation, e.relation_color);
        ASSERT_TRUE(std::holds_alternative<LinearSolution>(direct)) << what;
        const LinearSolution& answer = std::get<LinearSolution>(direct);
        const Rational c0 = netAt(e, q(0)).value(), c1 = *subtractRational(netAt(e, q(1)).value(), c0);
        if (c1.numerator == 0) {
            EXPECT_EQ(answer.status, holds(e.relation, c0) ? Status::infinite : Status::none) << what;
        } else {
            EXPECT_EQ(answer.status, Status::unique) << what;
            EXPECT_EQ(answer.relation, signOf(c1) > 0 ? e.relation : flipRelation(e.relation)) << what;
            EXPECT_TRUE(rationalEquals(answer.solution, *divideRational(*negateRational(c0), c1))) << what;
        }
    }
}
