// A number in parentheses with no letter or group after it is that number:
// every algebra entry answers a text holding one page for page as it answers
// the text without the parentheses, and for random fractions the roots the
// pages state, put back into the equation, hold exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/random.hpp"
#include "common/table_text.hpp"
#include "step_builders.hpp"
#include "support/algebra_answers.hpp"
#include "support/recording_checks.hpp"

using namespace tl::steps_tool;
using tl::Rational;
using tl::testing::q;
using tl::testing::Surd;

namespace {

tl::StepTriple run(const std::string& entry, const std::string& operand, const FlagValues& flags = {}) {
    return findStepEntry(entry)->run({{operand}, flags});
}

/// The flags each solver is run with here: every style, with and without
/// clearing fractions, the advice's draw fixed.
std::vector<FlagValues> solverFlags(const std::string& entry) {
    std::vector<FlagValues> all;
    for (const char* style : {"fraction", "rational_fraction", "decimal"})
        for (const bool clear : {false, true}) {
            if (clear && entry == "algebraTable") continue;  // it takes the style only
            FlagValues f;
            f.set(Flag::style, style);
            if (clear) f.set(Flag::clearFractions, "");
            if (entry != "algebraTable") f.set(Flag::draw, "1");
            all.push_back(f);
            if (entry == "solveQuadratic")
                for (const char* method : {"formula", "complete_the_square"}) {
                    all.push_back(f);
                    all.back().set(Flag::quadraticMethod, method);
                }
        }
    return all;
}

}  // namespace

TEST(BracketedNumbers, EveryEntryAnswersAsWithoutTheParentheses) {
    struct Case {
        std::vector<std::string> entries;
        const char* bracketed;
        const char* twin;
    };
    const std::vector<std::string> flat = {"solveLinearEquation", "solveQuadratic", "solveExtEquation",
                                           "simplifyExtEquation", "algebraTable"};
    const std::vector<std::string> quadratic = {"solveQuadratic", "algebraTable"};
    const std::vector<std::string> grouped = {"solveExtEquation", "simplifyExtEquation", "algebraTable"};
    const std::vector<std::string> factoring = {"factorCompletely", "factorTrinomialXL", "factorOutGcfXL"};
    const std::vector<std::string> rational = {"rationalSimplifySteps", "rationalCancelSteps", "rationalReduceSteps"};
    const Case cases[] = {
        {flat, "x + (3/4) = 1", "x + 3/4 = 1"},
        {flat, "x − (3/4) = 1", "x − 3/4 = 1"},
        {flat, "x + (−3/4) = 1", "x − 3/4 = 1"},
        {flat, "(2/4) - x < (−1.50)", "2/4 - x < −1.50"},
        {flat, "2x + (5) = 3x − (−2)", "2x + 5 = 3x + 2"},
        {flat, "x/(−3) = (2/(−6))", "x/(−3) = 2/(−6)"},
        {flat, "x + (1/0) = 1", "x + 1/0 = 1"},
        {quadratic, "x^2 + (3/4) = 1", "x^2 + 3/4 = 1"},
        {quadratic, "x² − 5x + (6) = 0", "x² − 5x + 6 = 0"},
        {quadratic, "(−2) + x^2 = (1/4)x", "−2 + x^2 = (1/4)x"},
        {grouped, "2(x + (3/4)) = (5)", "2(x + 3/4) = 5"},
        {grouped, "(1/2)(x − (2.5)) + (1) = x", "(1/2)(x − 2.5) + 1 = x"},
        {factoring, "x^2 - (4)", "x^2 - 4"},
        {factoring, "2x^2 + 5x + (2)", "2x^2 + 5x + 2"},
        {factoring, "(6) + 4x", "6 + 4x"},
        {factoring, "3x(x + (2))", "3x(x + 2)"},
        {rational, "(x^2 - (1))/(x + 1)", "(x^2 - 1)/(x + 1)"},
        {rational, "(2x + (2))/((4))", "(2x + 2)/4"},
        {rational, "(x + (1/2))/(x^2 − (1/4))", "(x + 1/2)/(x^2 − 1/4)"},
    };
    for (const Case& c : cases)
        for (const std::string& entry : c.entries) {
            const bool solver = entry.starts_with("solve") || entry == "algebraTable";
            for (const FlagValues& flags : solver ? solverFlags(entry) : std::vector<FlagValues>{{}}) {
                tl::StepTriple answer, expected;
                ASSERT_NO_THROW(answer = run(entry, c.bracketed, flags)) << entry << " | " << c.bracketed;
                expected = run(entry, c.twin, flags);
                EXPECT_EQ(answer, expected) << entry << " | " << c.bracketed;
            }
        }
    // Groups still read as groups: a product of a bracketed number and a
    // group, or a power of one, is no flat equation.
    EXPECT_THROW(run("solveLinearEquation", "x + 2(3) = 1"), OperandError);
    EXPECT_THROW(run("solveQuadratic", "x + (3/4)^2 = 1"), OperandError);
}

// For random fractions p/q: a linear or quadratic equation with (p/q) as a
// term, spelt in any of the ways the reader takes ("(p/q)", "−(−p/q)",
// "(p/(−q))"), is solved page for page as the one with p/q is, and each root
// its closing page states satisfies the equation exactly.
TEST(BracketedNumbers, RandomFractionsSolveAsWrittenWithoutParentheses) {
    tl::SystemRandom random(4711);
    const auto draw = [&](std::int64_t lo, std::int64_t hi) { return random.uniformInRange(lo, hi); };
    int checkedRoots = 0;
    const int rounds = 400 / tl::testing::kSanitizerSlowdown;
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        const bool quadratic = draw(0, 1) == 1;
        // LHS − RHS = A x² + B x + C, added up here as the terms are written.
        Rational net[3] = {q(0), q(0), q(0)};
        std::string sides[2][2];  // [left, right][bracketed, twin]
        const auto add = [&](int side, const std::string& bracketedSign, const std::string& bracketed,
                             const std::string& twinSign, const std::string& twin) {
            for (int k = 0; k < 2; ++k) {
                std::string& s = sides[side][k];
                const std::string& sign = k == 0 ? bracketedSign : twinSign;
                if (s.empty()) s = sign == "+" ? "" : sign;
                else s += " " + sign + " ";
                s += k == 0 ? bracketed : twin;
            }
        };
        const auto addTo = [&](int power, int side, const Rational& value) {
            net[power] = (side == 0 ? tl::addRational(net[power], value) : tl::subtractRational(net[power], value)).value();
        };
        // The letter's terms, whole coefficients; the leading one never 0.
        for (int power = quadratic ? 2 : 1; power >= 1; --power) {
            std::int64_t c = draw(-9, 9);
            if (power == (quadratic ? 2 : 1) && c == 0) c = 1;
            const int side = static_cast<int>(draw(0, 1));
            const std::string text = std::to_string(c < 0 ? -c : c) + (power == 2 ? "x^2" : "x");
            add(side, c < 0 ? "-" : "+", text, c < 0 ? "-" : "+", text);
            addTo(power, side, q(c));
        }
        // One or two constants p/q, each in parentheses in one text and bare in the other.
        for (auto k = draw(1, 2); k > 0; --k) {
            const std::int64_t p = draw(0, 60), d = draw(1, 12);
            const bool negative = draw(0, 1) == 1;
            const std::string fraction = std::to_string(p) + (d == 1 && draw(0, 1) ? "" : "/" + std::to_string(d));
            const std::string minus = draw(0, 1) ? "-" : "\u2212";
            const std::string sign = negative ? minus : "+", opposite = negative ? "+" : minus;
            const int side = static_cast<int>(draw(0, 1));
            switch (draw(0, 2)) {
                case 0: add(side, sign, "(" + fraction + ")", sign, fraction); break;
                case 1: add(side, opposite, "(" + minus + fraction + ")", sign, fraction); break;
                default: {  // the denominator's sign as written
                    const std::string over = std::to_string(p) + "/(" + minus + std::to_string(d) + ")";
                    add(side, opposite, "(" + over + ")", opposite, over);
                }
            }
            addTo(0, side, q(negative ? -p : p, d));
        }
        for (auto& side : sides)
            if (side[0].empty()) side[0] = side[1] = "0";
        const std::string bracketed = sides[0][0] + " = " + sides[1][0], twin = sides[0][1] + " = " + sides[1][1];
        SCOPED_TRACE(bracketed);

        std::vector<std::string> entries = {"solveQuadratic"};
        if (!quadratic) entries.push_back("solveLinearEquation");
        for (const std::string& entry : entries)
            for (const FlagValues& flags : solverFlags(entry)) {
                tl::StepTriple answer;
                ASSERT_NO_THROW(answer = run(entry, bracketed, flags)) << entry;
                ASSERT_EQ(answer, run(entry, twin, flags)) << entry;
                if (flags.choice(Flag::style) == "decimal") continue;  // exact roots only
                const Surd A{net[2]}, B{net[1]}, C{net[0]};
                const Surd D = B * B - Surd{q(4)} * A * C;
                std::vector<std::string> lines;
                for (const tl::Engine_Table& t : answer.steps.back()) lines.push_back(tl::tableText(t));
                if (quadratic && D.a.numerator < 0) {
                    EXPECT_NE(std::find(lines.begin(), lines.end(), "no solution"), lines.end()) << entry;
                    continue;
                }
                const auto rootLine = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("x = "); });
                ASSERT_NE(rootLine, lines.end()) << entry << ": " << tl::tableText(answer.steps.back().back());
                for (const std::string& root : tl::testing::rootTexts(*rootLine, "x = ")) {
                    const auto r = tl::testing::Evaluator<Surd>(root).value();
                    ASSERT_TRUE(r) << entry << ": " << root;
                    EXPECT_TRUE(((A * *r + B) * *r + C).isZero()) << entry << ": x = " << root;
                    ++checkedRoots;
                }
            }
    }
    EXPECT_GT(checkedRoots, rounds);
}
