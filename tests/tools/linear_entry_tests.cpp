// The solveLinearEquation entry: what it refuses, what it reads, --draw.
#include <gtest/gtest.h>

#include "step_builders.hpp"

using namespace tl::steps_tool;

namespace {

tl::StepTriple solve(const std::string& equation, FlagValues flags = {}) {
    return findStepEntry("solveLinearEquation")->run({{equation}, std::move(flags)});
}

std::string refusal(const std::string& equation) {
    try {
        solve(equation);
    } catch (const OperandError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(LinearEntry, ReadsFlatEquationsOnly) {
    EXPECT_EQ(refusal("2(x + 1) = 8"), "an equation with parentheses: solve it with solveExtEquation");
    EXPECT_EQ(refusal("2x + = 3"), "column 6: expected a number, a letter x, y or z, or '(', found the relation =");
    // Not linear in one letter: the one out-of-scope page.
    for (const char* text : {"x^2 + x = 2", "2x^2 = 8", "x + y = 3"})
        EXPECT_EQ(solve(text).comments, (std::vector<std::vector<std::string>>{{"oops"}})) << text;
}

TEST(LinearEntry, DrawChoosesTheAdvice) {
    // 2x + 3 = 5x + 1, smart: a draw of 1 exchanges the sides first (four equations and the advice).
    for (const auto& [draw, tables] : {std::pair{"1", 5u}, std::pair{"2", 4u}}) {
        FlagValues flags;
        flags.set(Flag::method, "smart");
        flags.set(Flag::draw, draw);
        EXPECT_EQ(solve("2x + 3 = 5x + 1", flags).steps.at(1).size(), tables) << draw;
    }
}
