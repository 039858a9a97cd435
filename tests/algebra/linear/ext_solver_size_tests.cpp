// Grouped equations as deep and as wide as the reader takes them, worked to
// their answers, each put back into the equation as written (exactly).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/reader.hpp"
#include "common/table_text.hpp"
#include "support/algebra_answers.hpp"
#include "support/recording_checks.hpp"

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

/// The closing root of the solution, put back into the equation, makes it hold.
void expectExactRoot(const LinearSteps& s, const Ext_polyEquation& e) {
    const std::string line = tableText(s.steps.back().back());
    const auto root = line.starts_with("x = ") ? Evaluator<Surd>(line.substr(4)).value() : std::nullopt;
    const auto net = root && root->b.numerator == 0 ? netAt(e, root->a) : std::nullopt;
    EXPECT_TRUE(net && net->numerator == 0) << s.comments.back().at(0) << ": " << line;
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
    expectExactRoot(s, e);
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

/// All the table rows of the solution's pages.
std::size_t solutionRows(const LinearSteps& s) {
    std::size_t rows = 0;
    for (const Engine_Step& page : s.steps)
        for (const Engine_Table& t : page) rows += t.size();
    return rows;
}

TEST(ExtSolverSize, DeepestGroupsAreSolvedWithEveryOption) {
    // The nestings above at the reader's depth, in every style and with
    // every option: each solved (its root exact, where it is not decimal or
    // left to the caller), and within the rows a solution may hold.
    const std::vector<Wrap> shapes[] = {
        {{"2(", ") + 1"}}, {{"(", ")/2 − 1"}, {"2(", ") + x"}}, {{"-3(", ") + x"}}, {{"(1/2)(", " + 1) − 2"}, {"-2(", " − x)"}}};
    const char* inner[] = {"x + 1", "x − 3", "2x + 5", "x"};
    const char* rhs[] = {"5", "7", "4(x − 1)", "(x + 1)/3"};
    std::size_t most = 0;
    for (std::size_t k = 0; k < std::size(shapes); ++k) {
        const std::string text = nested(kMaxGroupNestingDepth, inner[k], shapes[k], rhs[k]);
        const Ext_polyEquation e = readExtEquation(text).value();
        for (int options = 0; options < 96; options += kSanitizerSlowdown) {
            const auto style = static_cast<Style>(options % 3);
            const auto technique = static_cast<Technique>(options / 3 % 2);
            const bool colored = options / 6 % 2, embedded = options / 12 % 2, first = options / 24 % 2,
                       clear = options / 48 % 2;
            SCOPED_TRACE(text + ", options " + std::to_string(options));
            const LinearSteps s = solveExtEquation(technique, colored, embedded, style, Method::standard, first,
                                                   clear, e.LHS, e.RHS, e.relation, e.relation_color);
            EXPECT_NE(s.comments.back().at(0), "oops");
            if (!embedded && style != Style::decimal) expectExactRoot(s, e);
            most = std::max(most, solutionRows(s));
        }
    }
    EXPECT_LE(most, kMaxExtSolutionRows);
    EXPECT_GT(most, kMaxExtSolutionRows * 8 / 10);  // the bound is chosen near them
}

TEST(ExtSolverSize, GroupsSideBySideUpToTheBound) {
    // Each pair of parentheses adds two pages, and an equation to every
    // later page: the rows grow with the cube of their number. The most
    // groups solved in each style (decimals take more rows), one more
    // refused with the out-of-scope page alone.
    const struct {
        Style style;
        std::size_t most;
        const char* answer;
    } edges[] = {{Style::fraction, 38, "x = 1/76"},
                 {Style::rational_fraction, 38, "x = 1/76"},
                 {Style::decimal, 34, "x = 0.014705882"}};
    const auto sideBySide = [](std::size_t groups) {
        std::string side = "2(x)";
        for (std::size_t g = 1; g < groups; ++g) side += " + 2(x)";
        return side + " = 1";
    };
    for (const auto& [style, most, answer] : edges) {
        const auto solvedEquation = readExtEquation(sideBySide(most)).value();
        const LinearSteps solved =
            solveExtEquation(Technique::balance, true, false, style, Method::standard, false, false,
                             solvedEquation.LHS, solvedEquation.RHS, solvedEquation.relation, solvedEquation.relation_color);
        EXPECT_EQ(tableText(solved.steps.back().back()), answer);
        EXPECT_EQ(solved.steps.size(), 2 * most + 2);
        EXPECT_LE(solutionRows(solved), kMaxExtSolutionRows);
        const auto e = readExtEquation(sideBySide(most + 1)).value();
        const LinearSteps refused = solveExtEquation(Technique::balance, true, false, style, Method::standard, false,
                                                     false, e.LHS, e.RHS, e.relation, e.relation_color);
        EXPECT_EQ(refused.comments, std::vector<std::vector<std::string>>{{"oops"}});
        EXPECT_EQ(tableText(refused.steps.at(0).at(3)), "beyond module scope");
    }
    // As wide as the reader takes it: refused at once, in one short page.
    std::string side = "2(x)";
    while (side.size() + 11 <= kMaxEquationTextLength) side += " + 2(x)";
    const auto e = readExtEquation(side + " = 1").value();
    const LinearSteps s = solveExtEquation(Technique::balance, true, false, Style::fraction, Method::standard, false,
                                           false, e.LHS, e.RHS, e.relation, e.relation_color);
    EXPECT_EQ(s.comments, std::vector<std::vector<std::string>>{{"oops"}});
    EXPECT_LT(solutionRows(s), 50'000u);
}
