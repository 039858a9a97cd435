// The longest inputs the readers accept, answered in every output (JSON,
// --text, and the pages drawn) on a thread with a 1 MB stack: measuring,
// drawing and reading a table as text must not take stack in proportion to
// the length of a sum, nor the solvers in proportion to anything but the
// nesting the reader bounds.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "algebra/reader.hpp"
#include "command_line.hpp"
#include "common/dump.hpp"
#include "page_images.hpp"
#include "steps_tool.hpp"
#include "support/small_stack.hpp"
#include "support/text_lines.hpp"

using namespace tl;
using namespace tl::steps_tool;
namespace fs = std::filesystem;

namespace {

std::string repeated(const std::string& part, std::size_t n, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0) text.append(separator);
        text.append(part);
    }
    return text;
}

/// "x+x+…+x=1" of at most the longest text the reader takes.
std::string longestSum() {
    const std::size_t terms = (kMaxEquationTextLength - 1) / 2;  // "x" and "+" each, and "=1"
    return repeated("x", terms, "+") + "=1";
}

/// The page with the most table rows, alone: the one that takes the most
/// to draw.
StepTriple longestPage(const StepTriple& solution) {
    std::size_t longest = 0, rows = 0;
    for (std::size_t page = 0; page < solution.steps.size(); ++page) {
        std::size_t r = 0;
        for (const Engine_Table& table : solution.steps[page]) r += table.size();
        if (r > rows) {
            longest = page;
            rows = r;
        }
    }
    return {{solution.steps.at(longest)}, {solution.comments.at(longest)}, solution.parameters};
}

using tl::testing::lines;

/// The signs between the terms of a line of text, in order.
std::vector<std::string> signsBetweenTerms(const std::string& line) {
    std::vector<std::string> signs;
    for (std::size_t at = 0; (at = line.find(' ', at)) != std::string::npos; ++at)
        for (const std::string sign : {"+", "\u2212"})
            if (line.compare(at + 1, sign.size() + 1, sign + " ") == 0) signs.push_back(sign);
    return signs;
}

struct LongInput {
    std::vector<std::string> args;
    // The first table of the first page as text, when it reads as written.
    std::string firstLine;
};

struct Answers {
    std::string json, text;
    bool drawn = false;
};

/// The entry's solution in the three outputs (only its longest page drawn,
/// to keep the test short), on a thread with a 1 MB stack.
Answers answersOnASmallStack(const std::vector<std::string>& args) {
    Answers answers;
    const fs::path dir = fs::temp_directory_path() / ("tl_steps_stack_" + std::to_string(getpid()));
    tl::testing::onSmallStack([&] {
        std::string error;
        const auto line = parseCommandLine(args, error);
        ASSERT_TRUE(line) << error;
        const StepTriple solution = line->entry->run(line->input);
        std::ostringstream json;
        writeTriple(json, solution);
        answers.json = json.str();
        answers.text = solutionText(solution);
        answers.drawn = writePageImages(longestPage(solution), {dir, 390, 844}, error);
        EXPECT_EQ(error, "");
    });
    EXPECT_GT(fs::file_size(dir / "page-01.png"), 1000u);
    fs::remove_all(dir);
    return answers;
}

}  // namespace

/// Each input answered in the three outputs on a small stack, its first
/// table read as written where one is given; the answers.
std::vector<Answers> expectAnswered(const std::vector<LongInput>& inputs) {
    std::vector<Answers> answers;
    for (const LongInput& c : inputs) {
        EXPECT_LE(c.args[1].size(), kMaxEquationTextLength);
        SCOPED_TRACE(c.args[0] + " of " + std::to_string(c.args[1].size()) + " characters");
        const Answers& a = answers.emplace_back(answersOnASmallStack(c.args));
        EXPECT_TRUE(a.drawn);
        EXPECT_TRUE(a.json.starts_with("{\n  \"comments\": ")) << a.json.substr(0, 100);
        const std::vector<std::string> text = lines(a.text);
        if (text.size() < 2) {
            ADD_FAILURE() << "less than a page of text";
            continue;
        }
        EXPECT_EQ(text[0].substr(0, 8), "page 1: ");
        if (!c.firstLine.empty()) {
            EXPECT_EQ(text[1], c.firstLine);
        }
    }
    return answers;
}

TEST(StepsOnASmallStack, TheLongestSumsAreSolved) {
    const std::string sum = longestSum();
    const std::string sumAsRead = repeated("x", (sum.size() - 1) / 2, " + ") + " = 1";
    expectAnswered({
        {{"solveLinearEquation", sum}, sumAsRead},
        {{"solveQuadratic", "x^2 + " + repeated("x", 2480, " + ") + " = 0"}, ""},
    });
}

// x⁹⁹⁹⁹ + 1 = (x + 1)(x⁹⁹⁹⁸ − x⁹⁹⁹⁷ + … − x + 1): the last quotient, on a
// page of its own, is 9,999 terms whose signs alternate.
TEST(StepsOnASmallStack, TheLongestPolynomialsAreFactored) {
    const std::vector<Answers> answers = expectAnswered({
        {{"factorCompletely", "x^9999 + 1"}, ""},
        {{"factorTrinomialXL", "x^10000 + x"}, ""},
        {{"factorOutGcfXL", repeated("2x", 1660, " + ")}, repeated("2x", 1660, " + ")},
    });
    ASSERT_FALSE(answers.empty());
    const std::vector<std::string> text = lines(answers[0].text);
    const auto quotient = std::max_element(text.begin(), text.end(),
                                           [](const std::string& l, const std::string& r) { return l.size() < r.size(); });
    ASSERT_NE(quotient, text.end());
    const std::vector<std::string> signs = signsBetweenTerms(*quotient);
    ASSERT_EQ(signs.size(), 9998u);
    for (std::size_t i = 0; i < signs.size(); ++i) ASSERT_EQ(signs[i], i % 2 ? "+" : "\u2212") << "sign " << i;
    EXPECT_TRUE(quotient->ends_with(" + 1"));
}

TEST(StepsOnASmallStack, TheLongestRationalExpressionsAreSimplified) {
    const std::string longNumerator = std::string("(").append(repeated("x", 2490, " + ")).append(")/(x + 1)");
    expectAnswered({
        {{"rationalSimplifySteps", longNumerator}, longNumerator},
        {{"rationalCancelSteps", longNumerator}, longNumerator},
        {{"rationalReduceSteps", longNumerator}, longNumerator},
    });
}

// Groups nested as deep as the reader takes them, and side by side as many
// as fit in its longest text.
TEST(StepsOnASmallStack, TheDeepestAndLongestGroupsAreWorked) {
    const std::string nested = repeated("2(", 32, "") + "x + 1" + repeated(") + 1", 32, "") + " = 5";
    const std::string product = repeated("(x)", 3330, "") + " = 0";
    expectAnswered({
        {{"solveExtEquation", nested}, nested},
        {{"algebraTable", product}, product},
    });
}

