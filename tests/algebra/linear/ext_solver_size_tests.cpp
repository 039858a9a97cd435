// Grouped equations as deep and as wide as the reader takes them, worked to
// their answers, each put back into the equation as written (exactly).
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

/// The text before and after the inside of a pair of parentheses.
using Wrap = std::pair<std::string, std::string>;

/// `inner` wrapped `depth` times, by the wraps in turn, then " = rhs".
std::string nested(std::size_t depth, std::string inner, const std::vector<Wrap>& wraps, const std::string& rhs) {
    for (std::size_t i = 0; i < depth; ++i) {
        const auto& [before, after] = wraps[i % wraps.size()];
        inner = before + inner + after;
    }
    return inner + " = " + rhs;
}

/// The worked solution, its closing root put back into the equation.
LinearSteps expectSolved(const std::string& text, Style style = Style::fraction, bool fractionsFirst = false) {
    SCOPED_TRACE(text);
    const auto read = readExtEquation(text);
    if (!read.ok()) {
        ADD_FAILURE() << "refused";
        return {};
    }
    const Ext_polyEquation& e = read.value();
    LinearSteps s = solveExtEquation(Technique::balance, true, false, style, Method::standard, fractionsFirst, false,
                                     e.LHS, e.RHS, e.relation, e.relation_color);
    const std::string line = tableText(s.steps.back().back());
    const auto root = line.starts_with("x = ") ? Evaluator<Surd>(line.substr(4)).value() : std::nullopt;
    const auto net = root && root->b.numerator == 0 ? netAt(e, root->a) : std::nullopt;
    EXPECT_TRUE(net && net->numerator == 0) << s.comments.back().at(0) << ": " << line;
    return s;
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
    // Multipliers that double at every level (2³²x + 2³³ − 1 = 5 at the
    // deepest), that halve and double in turn, that triple with x at every
    // level (3³²), and groups on both sides.
    const Shape shapes[] = {
        {"x + 1", {{"2(", ") + 1"}}, "5", Style::fraction, false},
        {"x − 3", {{"(", ")/2 − 1"}, {"2(", ") + x"}}, "7", Style::rational_fraction, true},
        {"2x + 5", {{"-3(", ") + x"}}, "4(x − 1)", Style::fraction, false},
        {"x", {{"(1/2)(", " + 1) − 2"}, {"-2(", " − x)"}}, "(x + 1)/3", Style::fraction, false},
    };
    for (const Shape& shape : shapes)
        for (std::size_t depth = 1; depth <= kMaxGroupNestingDepth; ++depth) {
            const auto s = expectSolved(nested(depth, shape.inner, shape.wraps, shape.rhs), shape.style,
                                        shape.fractionsFirst);
            // The problem, a distribution and a combination per level, the
            // linear solver's two pages, the answer.
            if (&shape == shapes) {
                EXPECT_EQ(s.steps.size(), 2 * depth + 4);
            }
        }
    EXPECT_FALSE(readExtEquation(nested(kMaxGroupNestingDepth + 1, "x + 1", {{"2(", ") + 1"}}, "5")).ok());
}

TEST(ExtSolverSize, ManyGroupsSideBySide) {
    // Each pair of parentheses adds a page, and an equation to every later page.
    std::string side = "2(x)";
    for (std::size_t groups = 2; groups <= 100; ++groups) {
        side += " + 2(x)";
        if (groups % 33 == 1) expectSolved(side + " = 1");
    }
    // As wide as the reader takes it: a page too long to draw, refused.
    while (side.size() + 11 <= kMaxEquationTextLength) side += " + 2(x)";
    ASSERT_TRUE(readExtEquation(side + " = 1").ok());
    const auto e = readExtEquation(side + " = 1").value();
    EXPECT_EQ(solveExtEquation(Technique::balance, true, false, Style::fraction, Method::standard, false, false,
                               e.LHS, e.RHS, e.relation, e.relation_color)
                  .comments,
              std::vector<std::vector<std::string>>{{"oops"}});
}
