// Grouped equations as deep and as wide as the reader takes them: every
// depth up to the deepest is worked to its answer, which is checked by
// putting it back into the equation as written, with exact rationals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/reader.hpp"
#include "common/table_text.hpp"
#include "support/algebra_answers.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

/// What goes before and after the text inside a pair of parentheses.
struct Wrap {
    const char *before, *after;
};

/// `inner` wrapped `depth` times, by the wraps in turn, then ` = rhs`.
std::string nested(std::size_t depth, std::string inner, const std::vector<Wrap>& wraps, const std::string& rhs) {
    for (std::size_t i = 0; i < depth; ++i) inner = wraps[i % wraps.size()].before + inner + wraps[i % wraps.size()].after;
    return inner + " = " + rhs;
}

/// `term` written `count` times, joined by " + ", then ` = rhs`.
std::string repeated(std::size_t count, const std::string& term, const std::string& rhs) {
    std::string side = term;
    for (std::size_t i = 1; i < count; ++i) side += " + " + term;
    return side + " = " + rhs;
}

struct Solved {
    Ext_polyEquation equation;
    LinearSteps steps;
};

Solved solve(const std::string& text, Style style = Style::fraction, bool fractionsFirst = false) {
    const auto read = readExtEquation(text);
    EXPECT_TRUE(read.ok()) << text;
    const Ext_polyEquation& e = read.value();
    return {e, solveExtEquation(Technique::balance, true, false, style, Method::standard, fractionsFirst, false,
                                e.LHS, e.RHS, e.relation, e.relation_color)};
}

/// The root on the closing page ("x = value"), put back into the equation as
/// written: both sides come out equal.
void expectRootSubstitutesBack(const Solved& s) {
    ASSERT_EQ(s.steps.comments.back(), std::vector<std::string>{"\U0001F60E"});
    const std::string line = tableText(s.steps.steps.back().back());
    ASSERT_TRUE(line.starts_with("x = ")) << line;
    const auto root = Evaluator<Surd>(line.substr(4)).value();
    ASSERT_TRUE(root && root->b.numerator == 0) << line;
    const auto net = netAt(s.equation, root->a);
    ASSERT_TRUE(net.has_value()) << line;
    EXPECT_EQ(net->numerator, 0) << line;
}

}  // namespace

TEST(ExtSolverSize, EveryDepthTheReaderTakesIsSolved) {
    struct Shape {
        const char* inner;
        std::vector<Wrap> wraps;
        const char* rhs;
        Style style;
        bool fractionsFirst;
    };
    // Multipliers that double at every level, that halve and double in turn,
    // that triple with x at every level (the answers run to 3³²), and groups
    // on both sides.
    const Shape shapes[] = {
        {"x + 1", {{"2(", ") + 1"}}, "5", Style::fraction, false},
        {"x − 3", {{"(", ")/2 − 1"}, {"2(", ") + x"}}, "7", Style::rational_fraction, true},
        {"2x + 5", {{"-3(", ") + x"}}, "4(x − 1)", Style::fraction, false},
        {"x", {{"(1/2)(", " + 1) − 2"}, {"-2(", " − x)"}}, "(x + 1)/3", Style::decimal, false},
    };
    for (const Shape& shape : shapes)
        for (std::size_t depth = 1; depth <= kMaxGroupNestingDepth; ++depth) {
            const std::string text = nested(depth, shape.inner, shape.wraps, shape.rhs);
            SCOPED_TRACE(text);
            const Solved s = solve(text, shape.style, shape.fractionsFirst);
            if (shape.style == Style::decimal) {
                const Rational c0 = *netAt(s.equation, q(0)), c1 = *subtractRational(*netAt(s.equation, q(1)), c0);
                expectLinearAnswer(tableText(s.steps.steps.back().back()), "x", c0, c1, Relation::equal_to, shape.style);
            } else {
                expectRootSubstitutesBack(s);
            }
        }
    // One level more is the reader's to refuse.
    EXPECT_FALSE(readExtEquation(nested(kMaxGroupNestingDepth + 1, "x + 1", {{"2(", ") + 1"}}, "5")).ok());
}

TEST(ExtSolverSize, TheDeepestEquationPageByPage) {
    const Solved s = solve(nested(kMaxGroupNestingDepth, "x + 1", {{"2(", ") + 1"}}, "5"));
    // The problem, a distribution and a combination per level, the linear
    // solver's two pages, the answer: 2³²x + 2³³ − 1 = 5.
    EXPECT_EQ(s.steps.steps.size(), 1 + 2 * kMaxGroupNestingDepth + 2 + 1);
    EXPECT_EQ(tableText(s.steps.steps.back().back()), "x = -4294967293/2147483648");
    expectRootSubstitutesBack(s);
}

TEST(ExtSolverSize, ManyGroupsSideBySide) {
    // Many parentheses in a row: each a page and an equation more on every later page.
    for (const std::size_t groups : {1, 2, 20, 61, 100}) {
        const Solved s = solve(repeated(groups, "2(x)", "1"));
        SCOPED_TRACE(groups);
        expectRootSubstitutesBack(s);
    }
    // As wide as the reader takes it: more than a page can show, refused
    // (without building the pages first).
    std::string widest = repeated(1, "2(x)", "1");
    while (widest.size() + 7 <= kMaxEquationTextLength) widest.insert(0, "2(x) + ");
    ASSERT_TRUE(readExtEquation(widest).ok());
    EXPECT_EQ(solve(widest).steps.comments, std::vector<std::vector<std::string>>{{"oops"}});
}
