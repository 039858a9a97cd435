// The rational-expression entries of tellurandi-steps on what a reader could
// type: each refusal with its status, column and message, the same from every
// entry that reads an EXPRESSION, and the texts they still read.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/steps_outcome.hpp"

namespace {

const char* const kEntries[] = {"rationalSimplifySteps", "rationalCancelSteps", "rationalReduceSteps"};

using Outcome = tl::testing::StepsOutcome;

Outcome run(const std::string& entry, const std::string& expression) {
    return tl::testing::runSteps({entry, expression, "--text"});
}

constexpr const char* kOverZero = "the denominator is 0: an expression over 0 has no value";
constexpr const char* kCoefficientOverZero = "a coefficient over 0 has no value";
constexpr const char* kNumeratorSum = "a numerator of several terms: put it in parentheses, as in (x + 1)/2";
constexpr const char* kDenominatorSum = "a denominator of several terms: put it in parentheses, as in x/(x + 1)";

TEST(RationalEntries, RefusalsNameTheirColumn) {
    const struct {
        const char* expression;
        std::size_t column;
        std::string message;
    } cases[] = {
        // No value: the denominator is the zero polynomial, or a coefficient is over 0.
        {"x/0", 3, kOverZero},
        {"(x + 1)/0", 9, kOverZero},
        {"1/(0x)", 3, kOverZero},
        {"0/0", 3, kOverZero},
        {"0/(0x)", 3, kOverZero},
        {"x/ (x - x)", 4, kOverZero},
        {"(x - 1)(x + 1)/((x + 1)(0))", 16, kOverZero},
        {"x/((x + 1)^2 - (x^2 + 2x + 1))", 3, kOverZero},
        {"6x/(0x^2)", 4, kOverZero},
        {"(x/0)/(x + 1)", 4, kCoefficientOverZero},
        {"1/((0/0)x)", 7, kCoefficientOverZero},
        // One letter: groups of several letters are not compared.
        {"(x + y + 1)/(y + x + 1)", 6, "the letter y beside x: an expression is in one letter"},
        {"(x^2 + y^2 + 1)/(y^2 + x^2 + 1)", 8, "the letter y beside x: an expression is in one letter"},
        {"(x + y + 1)(x + 2)/((y + x + 1)(x + 3))", 6, "the letter y beside x: an expression is in one letter"},
        {"(y + 1)/(x + 1)", 10, "the letter x beside y: an expression is in one letter"},
        {"2y/(3x)", 6, "the letter x beside y: an expression is in one letter"},
        {"(z^0 + x)/(z + 1)", 12, "the letter z beside x: an expression is in one letter"},
        // A sum beside the fraction bar.
        {"x/2 + 1", 3, kDenominatorSum},
        {"x + 1/2", 1, kNumeratorSum},
        {"3x/4 + 1", 4, kDenominatorSum},
        {"  x + 1 / x", 3, kNumeratorSum},
        {"(x + 1)/(x + 2) + 1", 9, kDenominatorSum},
        {"x/(x + 1) - 2", 3, kDenominatorSum},
        // What may not follow a part, in the polynomial entries' words.
        {"x x", 3, "expected '+', '−' or the end, found the letter x"},
        {"xy", 2, "expected '+', '−' or the end, found the letter y"},
        {"x^2^3", 4, "expected '+', '−' or the end, found '^'"},
        {"(x+1)/(x+1)x", 12, "expected '+', '−' or the end, found the letter x"},
        {"x = 1", 3, "a relation: this is an expression, not an equation"},
        {"x/(x + 1)/2x", 2, "a second \"/\": an expression has one"},
        {"x)/2", 2, "a \")\" without its \"(\""},
    };
    for (const auto& c : cases)
        for (const char* entry : kEntries) {
            const Outcome o = run(entry, c.expression);
            EXPECT_EQ(o.status, 2) << entry << " " << c.expression;
            EXPECT_EQ(o.out, "") << entry << " " << c.expression;
            EXPECT_EQ(o.err, "tellurandi-steps: " + std::string(entry) + ": column " + std::to_string(c.column) + ": " +
                                 c.message + "\n")
                << c.expression;
        }
}

TEST(RationalEntries, StillRead) {
    // The problem page shows the expression as read: parts of one term beside the bar, in any one letter.
    const std::pair<const char*, const char*> cases[] = {
        {"(x + 1)/2", "(x + 1)/2"},
        {"x/(2 + 1)", "x/(2 + 1)"},
        {"6/4", "6/4"},
        {"3x/(-2)", "3x/-2"},
        {"(1/2)x/(x + 1)", "(x/2)/(x + 1)"},
        {"x/2 / (x - 1)", "(x/2)/(x − 1)"},
        {"x + 1", "x + 1"},
        {"0/(x^2 + 1)", "0/(x² + 1)"},
        {"(y - 1)(y + 1)/(y + 1)", "(y − 1)(y + 1)/(y + 1)"},
        {"(z^2 + 1)/(-2)", "(z² + 1)/-2"},
        {"x + y^0", "x + 1"},
        {"x/(x - x + 1)", "x/(x − x + 1)"},
        {"1/((x + 1)^20000 - 1)", "1/((x + 1)^20000 − 1)"},
    };
    for (const auto& [expression, shown] : cases)
        for (const char* entry : kEntries) {
            const Outcome o = run(entry, expression);
            EXPECT_EQ(o.status, 0) << entry << " " << expression << ": " << o.err;
            const std::string problemPage = o.out.substr(0, o.out.find('\n', o.out.find('\n') + 1));
            EXPECT_EQ(problemPage, std::string("page 1: \U0001F914\n") + shown) << entry << " " << expression;
        }
}

}  // namespace
