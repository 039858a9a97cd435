// The grouped-equation entries (and through them simplifyExtEquation): the
// last page of each, what they refuse, --clear-fractions-first.
#include <gtest/gtest.h>

#include "common/table_text.hpp"
#include "step_builders.hpp"

using namespace tl::steps_tool;

TEST(ExtEntries, LastPages) {
    const char* cases[][3] = {
        {"simplifyExtEquation", "(x + 1)/2 − 3(x − 1) = 4",
         "😎: (1/2)(x + 1) − 3(x − 1) = 4 ; solution = -1/5 ; valid solution"},
        {"simplifyExtEquation", "2(3(x + 1) + 4) = 20", "😎: 2(3(x + 1) + 4) = 20 ; solution = 1 ; valid solution"},
        {"simplifyExtEquation", "2(x + 1) = x/2 + 5", "😎: 2(x + 1) = (1/2)x + 5 ; solution = 2 ; valid solution"},
        {"simplifyExtEquation", "-2(x + 1) < 4", "😎: -2(x + 1) < 4 ; solution > -3 ; valid solution"},
        {"simplifyExtEquation", "2x + 1 = 5", "😎: 2x + 1 = 5 ; solution = 2 ; valid solution"},
        {"simplifyExtEquation", "3(4) + x = 20", "😎: 3(4) + x = 20 ; solution = 8 ; valid solution"},
        {"simplifyExtEquation", "2(x + 1) = 2x + 2", "😎: 2(x + 1) = 2x + 2 ; TRUE, solution is all values of variable"},
        {"simplifyExtEquation", "2(x + 1) >= 2x + 3", "😎: 2(x + 1) ≥ 2x + 3 ; FALSE, no solution"},
        {"simplifyExtEquation", "x(x + 2) = 3", "oops: x(x + 2) = 3 ; beyond module scope"},
        {"simplifyExtEquation", "9223372036854775807(x + 2) = 1",
         "oops: 9223372036854775807(x + 2) = 1 ; beyond module scope"},
        {"simplifyExtEquation", "x/0 = 3(x)", "oops: (1/0)x = 3(x) ; division by zero"},
    };
    for (const auto& [entry, equation, expected] : cases) {
        const tl::StepTriple s = findStepEntry(entry)->run({{equation}, {}});
        std::string reading = s.comments.back().at(0) + ":";
        for (const auto& table : s.steps.back())
            reading.append(reading.ends_with(":") ? " " : " ; ").append(tl::tableText(table));
        EXPECT_EQ(reading, expected) << entry << " " << equation;
    }
    FlagValues first;
    first.set(Flag::clearFractionsFirst, "");
    const tl::StepTriple s = findStepEntry("solveExtEquation")->run({{"(x + 1)/2 = 3"}, first});
    EXPECT_EQ(s.comments.at(1).at(0), "clear fractions");
    // A product of groups is no grouped equation.
    for (const char* entry : {"solveExtEquation", "simplifyExtEquation"})
        EXPECT_THROW(findStepEntry(entry)->run({{"2(x + 1)(x + 2) = 0"}, {}}), OperandError) << entry;
}
