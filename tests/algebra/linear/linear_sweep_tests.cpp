// Random linear equations and inequalities (whole, fractional and decimal
// coefficients, terms on both sides, every relation) through every option:
// the closing answer must be right, checked by substituting into the
// equation with exact rationals on and around the boundary; the pages must
// hold together, equal those of the embedded run but for the opening, the
// closing and the sign-change notes, and draw inside the step view.
#include <gtest/gtest.h>

#include <cstdlib>

#include "algebra/linear/linear_solver.hpp"
#include "arithmetic/page_drawing.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/fake_fonts.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

Rational q(std::int64_t n, std::int64_t d = 1) { return makeDefaultRational(n, d); }

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

/// LHS(t) − RHS(t), exactly.
Rational difference(const PolyEquation& e, const Rational& t) {
    Rational sum = q(0);
    for (const auto& [side, sign] : {std::pair{&e.LHS, 1}, std::pair{&e.RHS, -1}})
        for (const Monomial& m : side->terms) {
            const Rational term = m.exponent == 0 ? m.coefficient : *multiplyRational(m.coefficient, t);
            sum = *addRational(sum, *multiplyRational(term, q(sign)));
        }
    return sum;
}

bool relates(const Rational& a, Relation r, const Rational& b) {
    const bool less = rationalLessThan(a, b), equal = rationalEquals(a, b);
    switch (r) {
        case Relation::equal_to: return equal;
        case Relation::less_than: return less;
        case Relation::greater_than: return !less && !equal;
        case Relation::less_than_or_equal_to: return less || equal;
        case Relation::greater_than_or_equal_to: return !less;
    }
    return false;
}
bool holds(const PolyEquation& e, const Rational& t) { return relates(difference(e, t), e.relation, q(0)); }

/// An answer line read back and checked against the equation: a status at
/// any x, or "x ⋄ value" on and around the boundary, where the linear
/// LHS − RHS is 0.
void expectRightAnswer(const PolyEquation& e, const std::string& text, Style style, const std::string& what) {
    if (text == rawValue(Status::infinite) || text == rawValue(Status::none)) {
        for (const Rational& t : {q(-1000000), q(0), q(1000000)})
            EXPECT_EQ(holds(e, t), text == rawValue(Status::infinite)) << what;
        return;
    }
    const auto blank = text.find(' '), value = text.find(' ', blank + 1);
    const Relation claimed = relationFromSymbol(text.substr(blank + 1, value - blank - 1)).value();
    const Rational f0 = difference(e, q(0)), slope = *subtractRational(difference(e, q(1)), f0);
    ASSERT_NE(slope.numerator, 0) << what << ": " << text;
    const Rational boundary = *divideRational(*multiplyRational(f0, q(-1)), slope);
    const std::string shown = text.substr(value + 1);
    if (style == Style::decimal) {
        const double b = static_cast<double>(boundary.numerator) / static_cast<double>(boundary.denominator);
        EXPECT_NEAR(std::strtod(shown.c_str(), nullptr), b, 1e-7 * std::max(1.0, std::abs(b))) << what << ": " << text;
    } else {
        const auto bar = shown.find('/');
        const std::int64_t d = bar == std::string::npos ? 1 : std::stoll(shown.substr(bar + 1));
        EXPECT_TRUE(rationalEquals(q(std::stoll(shown.substr(0, bar)), d), boundary)) << what << ": " << text;
    }
    for (const Rational& t : {*addRational(boundary, q(-1)), boundary, *addRational(boundary, q(1))})
        EXPECT_EQ(holds(e, t), relates(t, claimed, boundary)) << what << ": " << text;
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
