// The grouped-equation entries: what they read and refuse, and their flags.
#include <gtest/gtest.h>

#include "common/table_text.hpp"
#include "step_builders.hpp"

using namespace tl::steps_tool;

namespace {

std::vector<std::string> lastPage(const char* entry, const std::string& equation, FlagValues flags = {}) {
    const tl::StepTriple s = findStepEntry(entry)->run({{equation}, std::move(flags)});
    std::vector<std::string> texts{s.comments.back().at(0)};
    for (const auto& table : s.steps.back()) texts.push_back(tl::tableText(table));
    return texts;
}

}  // namespace

TEST(ExtEntries, SolveAndSimplify) {
    FlagValues first;
    first.set(Flag::clearFractionsFirst, "");
    const tl::StepTriple s = findStepEntry("solveExtEquation")->run({{"(x + 1)/2 − 3(x − 1) = 4"}, first});
    EXPECT_EQ(s.comments.at(1).at(0), "clear fractions");
    EXPECT_EQ(lastPage("solveExtEquation", "(x + 1)/2 − 3(x − 1) = 4"),
              (std::vector<std::string>{"\U0001F60E", "(1/2)(x + 1) − 3(x − 1) = 4", "x = -1/5"}));
    EXPECT_EQ(lastPage("simplifyExtEquation", "(x + 1)/2 − 3(x − 1) = 4"),
              (std::vector<std::string>{"\U0001F60E", "(1/2)(x + 1) − 3(x − 1) = 4", "solution = -1/5", "valid solution"}));
    EXPECT_EQ(lastPage("simplifyExtEquation", "2(x + 1) >= 2x + 3"),
              (std::vector<std::string>{"\U0001F60E", "2(x + 1) ≥ 2x + 3", "FALSE, no solution"}));
    EXPECT_EQ(lastPage("simplifyExtEquation", "x(x + 2) = 3"),
              (std::vector<std::string>{"oops", "x(x + 2) = 3", "beyond module scope"}));
    EXPECT_EQ(lastPage("simplifyExtEquation", "x/0 = 3(x)"), (std::vector<std::string>{"oops", "(1/0)x = 3(x)", "division by zero"}));
    // A product of groups is no grouped equation.
    for (const char* entry : {"solveExtEquation", "simplifyExtEquation"})
        EXPECT_THROW(findStepEntry(entry)->run({{"2(x + 1)(x + 2) = 0"}, {}}), OperandError) << entry;
}
