// Random linear equations and inequalities (whole, fractional and decimal
// coefficients, terms on both sides, every relation) through every option:
// the closing answer must be right, checked by substituting into the
// equation with exact rationals on and around the boundary; the pages must
// hold together, equal those of the embedded run but for the opening, the
// closing and the sign-change notes, and draw inside the step view. The same
// with one power from 2 to 4 added alike to both sides, which must cancel.
#include <gtest/gtest.h>

#include "algebra/linear/linear_solver.hpp"
#include "arithmetic/page_drawing.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "support/algebra_answers.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

Polynomial randomSide(RandomSource& r) {
    std::vector<Monomial> terms;
    for (auto n = r.uniformInRange(1, 3); n > 0; --n) {
        Rational c;
        switch (r.uniformInRange(0, 2)) {
            case 0: c = q(r.uniformInRange(-9, 9)); break;
            case 1: c = q(r.uniformInRange(-20, 20), r.uniformInRange(2, 12)); break;
            default: c = q(r.uniformInRange(-999, 999), std::int64_t{10} * (r.uniformInRange(0, 1) ? 10 : 1));
        }
        terms.push_back(makeMonomialX(c, static_cast<std::uint64_t>(r.uniformInRange(0, 1))));
    }
    return makePolynomial(terms);
}

/// The answer against LHS − RHS = c₀ + c₁x, worked out exactly.
void expectRightAnswer(const PolyEquation& e, const std::string& text, Style style, const std::string& what) {
    SCOPED_TRACE(what);
    const Rational c0 = netAt(e, q(0)).value(), c1 = *subtractRational(netAt(e, q(1)).value(), c0);
    expectLinearAnswer(text, "x", c0, c1, e.relation, style);
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
