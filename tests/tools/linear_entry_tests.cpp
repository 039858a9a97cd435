// The solveLinearEquation entry: what it reads and what it refuses.
#include <gtest/gtest.h>

#include "step_builders.hpp"

using namespace tl;
using namespace tl::steps_tool;

namespace {

StepTriple solve(const std::string& equation, FlagValues flags = {}) {
    return findStepEntry("solveLinearEquation")->run({{equation}, std::move(flags)});
}

std::string refusal(const std::string& equation) {
    try {
        solve(equation);
    } catch (const OperandError& e) {
        return e.what();
    }
    return "read";
}

}  // namespace

TEST(LinearEntry, RefusesWhatItCannotRead) {
    EXPECT_EQ(refusal("2(x + 1) = 8"), "an equation with parentheses: solve it with solveExtEquation");
    EXPECT_EQ(refusal("2x + = 3"), "column 6: expected a number, a letter x, y or z, or '(', found the relation =");
}

TEST(LinearEntry, NonLinearEquationsAreOutOfScope) {
    for (const char* text : {"x^2 + x = 2", "2x^2 = 8", "x + y = 3"}) {
        const StepTriple t = solve(text);
        ASSERT_EQ(t.steps.size(), 1u) << text;
        EXPECT_EQ(t.comments, (std::vector<std::vector<std::string>>{{"oops"}})) << text;
        EXPECT_EQ(t.steps[0].size(), 5u) << text;
    }
}

TEST(LinearEntry, DrawChoosesTheAdvice) {
    // 2x + 3 = 5x + 1 with smart: a draw of 1 exchanges the sides first.
    FlagValues one, two;
    for (FlagValues* f : {&one, &two}) f->set(Flag::method, "smart");
    one.set(Flag::draw, "1");
    two.set(Flag::draw, "2");
    EXPECT_EQ(solve("2x + 3 = 5x + 1", one).steps[1].size(), 5u);
    EXPECT_EQ(solve("2x + 3 = 5x + 1", two).steps[1].size(), 4u);
}
