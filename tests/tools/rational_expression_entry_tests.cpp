// The factoring and rational-expression entries: one page per value returned.
#include <gtest/gtest.h>

#include "step_builders.hpp"

using namespace tl;
using namespace tl::steps_tool;

namespace {

std::vector<std::vector<std::string>> comments(const char* entry, std::vector<std::string> operands) {
    return findStepEntry(entry)->run({std::move(operands), {}}).comments;
}

}  // namespace

TEST(RationalExpressionEntries, OnePagePerValue) {
    using Comments = std::vector<std::vector<std::string>>;
    const std::string problem = "\U0001F914";
    EXPECT_EQ(comments("rationalCancelSteps", {"(x + 1)(x + 2)/((x + 1)(x + 3))"}),
              (Comments{{problem}, {"before"}, {"after"}}));
    EXPECT_EQ(comments("rationalSimplifySteps", {"3x(x - 2)"}), (Comments{{problem}, {"finished"}}));
    EXPECT_EQ(comments("rationalReduceSteps", {"(2x^2 + 4x)/(6x)"}), (Comments{{problem}, {"does not apply"}}));
    EXPECT_EQ(comments("rationalReduceSteps", {"(6x^2)/(4x)"}), (Comments{{problem}, {"before"}, {"after"}}));
    EXPECT_EQ(comments("factorCompletely", {"x^2 + 5x + 6"}),
              (Comments{{problem}, {"factor 1"}, {"factor 2"}, {"last quotient"}}));
    EXPECT_EQ(comments("chooseFactoringMethod", {"x^2 + 1", "guess and check"}), (Comments{{problem}, {"does not apply"}}));
    EXPECT_THROW(comments("factorOutGcfXL", {"x^2 = 1"}), OperandError);
    EXPECT_THROW(comments("rationalCancelSteps", {"x/(x + 1)/2x"}), OperandError);
}
