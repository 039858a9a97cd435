// The algebra entries of tellurandi-steps: what each refuses and reads, the
// last page of the grouped ones (and through them simplifyExtEquation),
// --draw and --clear-fractions-first, and one page per value returned by the
// factoring and rational-expression ones.
#include <gtest/gtest.h>

#include <string>

#include "algebra/factoring.hpp"
#include "base/errors.hpp"
#include "common/table_text.hpp"
#include "step_builders.hpp"
#include "support/sparse_sums.hpp"

using namespace tl::steps_tool;
using Comments = std::vector<std::vector<std::string>>;

namespace {

tl::StepTriple run(const char* entry, std::vector<std::string> operands, FlagValues flags = {}) {
    return findStepEntry(entry)->run({std::move(operands), std::move(flags)});
}

std::string refusal(const char* entry, const std::string& operand) {
    try {
        run(entry, {operand});
    } catch (const OperandError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(LinearEntry, ReadsFlatEquationsOnly) {
    EXPECT_EQ(refusal("solveLinearEquation", "2(x + 1) = 8"),
              "an equation with parentheses: solve it with solveExtEquation");
    EXPECT_EQ(refusal("solveLinearEquation", "2x + = 3"),
              "column 6: expected a number, a letter x, y or z, or '(', found the relation =");
    // Not linear in one letter: the one out-of-scope page.
    for (const char* text : {"x^2 + x = 2", "2x^2 = 8", "x + y = 3"})
        EXPECT_EQ(run("solveLinearEquation", {text}).comments, (Comments{{"oops"}})) << text;
}

// The terms of a letter that cancel leave it out of the count: every
// solving entry answers for the letter left, as for powers that cancel.
TEST(SolverEntries, LettersThatCancel) {
    for (const char* equation : {"y^2 - y^2 + x = 3", "x^2 - x^2 + x = 3", "y^2 + x = y^2 + 3", "z + x = z + 3"}) {
        for (const char* entry : {"solveLinearEquation", "solveQuadratic", "solveExtEquation"}) {
            const tl::StepTriple s = run(entry, {equation});
            EXPECT_EQ(tl::tableText(s.steps.back().back()), "x = 3") << entry << " | " << equation;
        }
        EXPECT_EQ(tl::tableText(run("simplifyExtEquation", {equation}).steps.back().at(1)), "solution = 3") << equation;
    }
    EXPECT_EQ(tl::tableText(run("solveExtEquation", {"2(y + 1) + x = 2y + 5"}).steps.back().back()), "x = 3");
    EXPECT_EQ(tl::tableText(run("simplifyExtEquation", {"y(x + 1) = x(y) + 3"}).steps.back().back()),
              "beyond module scope");
}

TEST(LinearEntry, DrawChoosesTheAdvice) {
    // 2x + 3 = 5x + 1, smart: a draw of 1 exchanges the sides first (four equations and the advice).
    for (const auto& [draw, tables] : {std::pair{"1", 5u}, std::pair{"2", 4u}}) {
        FlagValues flags;
        flags.set(Flag::method, "smart");
        flags.set(Flag::draw, draw);
        EXPECT_EQ(run("solveLinearEquation", {"2x + 3 = 5x + 1"}, flags).steps.at(1).size(), tables) << draw;
    }
}

// A value over 0 has no number: every style shows it as its fraction, sign
// included, never as "inf" or "nan"; the solvers show it on their one "oops"
// page. A negative denominator keeps its written form.
TEST(AlgebraTableEntry, ZeroDenominatorsShowTheirFraction) {
    const char* styles[] = {"fraction", "rational_fraction", "decimal"};
    struct InEachStyle {
        const char* equation;
        const char* tables[3];  // in the styles above
    };
    const auto inStyle = [&](const char* entry, const char* equation, std::size_t k) {
        FlagValues flags;
        flags.set(Flag::style, styles[k]);
        return run(entry, {equation}, flags);
    };
    const InEachStyle cases[] = {
        {"x/0 = 1", {"(1/0)x = 1", "x/0 = 1", "(1/0)x = 1"}},
        {"0x/0 = 1", {"(0/0)x = 1", "0x/0 = 1", "(0/0)x = 1"}},
        {"-x/0 = 1", {"(-1/0)x = 1", "-x/0 = 1", "(-1/0)x = 1"}},
        {"-3x^2/0 = 1", {"(-3/0)x² = 1", "-3x²/0 = 1", "(-3/0)x² = 1"}},
        {"1 - x/0 = -3/0", {"1 − (1/0)x = -3/0", "1 − x/0 = -3/0", "1 − (1/0)x = -3/0"}},
        {"0/0 = x", {"0/0 = x", "0/0 = x", "0/0 = x"}},
        {"2(x/0 + 1) = 5", {"2((1/0)x + 1) = 5", "2(x/0 + 1) = 5", "2((1/0)x + 1) = 5"}},
        {"2(x + 1)/0 = 5", {"(2/0)(x + 1) = 5", "2(x + 1)/0 = 5", "2(x + 1)/0 = 5"}},
        {"(x + 1)(x - 2)/0 = 0", {"(1/0)(x + 1)(x − 2) = 0", "(x + 1)(x − 2)/0 = 0", "(x + 1)(x − 2)/0 = 0"}},
        // A non-zero denominator as its value, a negative one as written.
        {"x/4 = 1", {"(1/4)x = 1", "x/4 = 1", "0.25x = 1"}},
        {"x + 15x/(-4) = 2", {"x + (-15/4)x = 2", "x + 15x/-4 = 2", "x + -3.75x = 2"}},
    };
    for (const auto& c : cases)
        for (std::size_t k = 0; k < 3; ++k) {
            const tl::StepTriple s = inStyle("algebraTable", c.equation, k);
            EXPECT_EQ(tl::tableText(s.steps.at(0).at(0)), c.tables[k]) << c.equation << " | " << styles[k];
        }
    // The solvers stop at the zero denominator, on one page that shows it.
    const InEachStyle problems[] = {
        {"x/0 = 1", {"(1/0)x = 1", "x/0 = 1", "(1/0)x = 1"}},
        {"0x/0 = 1", {"(0/0)x = 1", "0x/0 = 1", "(0/0)x = 1"}},
        {"-x/0 + x^2 = 1", {"(-1/0)x + x² = 1", "-x/0 + x² = 1", "(-1/0)x + x² = 1"}},
    };
    for (const char* entry : {"solveLinearEquation", "solveQuadratic", "solveExtEquation"})
        for (const auto& c : problems)
            for (std::size_t k = 0; k < 3; ++k) {
                const tl::StepTriple s = inStyle(entry, c.equation, k);
                EXPECT_EQ(s.comments, (Comments{{"oops"}})) << entry << " | " << c.equation << " | " << styles[k];
                EXPECT_EQ(tl::tableText(s.steps.at(0).at(0)), c.tables[k])
                    << entry << " | " << c.equation << " | " << styles[k];
            }
}

TEST(ExtEntries, LastPages) {
    const char* cases[][2] = {
        {"(x + 1)/2 − 3(x − 1) = 4", "😎: (1/2)(x + 1) − 3(x − 1) = 4 ; solution = -1/5 ; valid solution"},
        {"2(3(x + 1) + 4) = 20", "😎: 2(3(x + 1) + 4) = 20 ; solution = 1 ; valid solution"},
        {"2(x + 1) = x/2 + 5", "😎: 2(x + 1) = (1/2)x + 5 ; solution = 2 ; valid solution"},
        {"-2(x + 1) < 4", "😎: -2(x + 1) < 4 ; solution > -3 ; valid solution"},
        {"2x + 1 = 5", "😎: 2x + 1 = 5 ; solution = 2 ; valid solution"},
        {"3(4) + x = 20", "😎: 3(4) + x = 20 ; solution = 8 ; valid solution"},
        {"2(x + 1) = 2x + 2", "😎: 2(x + 1) = 2x + 2 ; TRUE, solution is all values of variable"},
        {"2(x + 1) >= 2x + 3", "😎: 2(x + 1) ≥ 2x + 3 ; FALSE, no solution"},
        {"x(x + 2) = 3", "oops: x(x + 2) = 3 ; beyond module scope"},
        {"9223372036854775807(x + 2) = 1", "oops: 9223372036854775807(x + 2) = 1 ; beyond module scope"},
        {"x/0 = 3(x)", "oops: (1/0)x = 3(x) ; division by zero"},
    };
    for (const auto& [equation, expected] : cases) {
        const tl::StepTriple s = run("simplifyExtEquation", {equation});
        std::string reading = s.comments.back().at(0) + ":";
        for (const auto& table : s.steps.back())
            reading.append(reading.ends_with(":") ? " " : " ; ").append(tl::tableText(table));
        EXPECT_EQ(reading, expected) << equation;
    }
    FlagValues first;
    first.set(Flag::clearFractionsFirst, "");
    EXPECT_EQ(run("solveExtEquation", {"(x + 1)/2 = 3"}, first).comments.at(1).at(0), "clear fractions");
    // A product of groups is no grouped equation: the refusal names the entry that takes it.
    for (const char* entry : {"solveExtEquation", "simplifyExtEquation"}) {
        EXPECT_THROW(run(entry, {"2(x + 1)(x + 2) = 0"}), OperandError) << entry;
        EXPECT_EQ(refusal(entry, "(x + 1)(x - 3) = 0"),
                  "column 8: a product or a power of parentheses: multiply it out first, or show it with algebraTable")
            << entry;
    }
}

TEST(RationalExpressionEntries, OnePagePerValue) {
    const std::string problem = "\U0001F914";
    const struct {
        const char* entry;
        std::vector<std::string> operands;
        Comments comments;
    } cases[] = {
        {"rationalCancelSteps", {"(x + 1)(x + 2)/((x + 1)(x + 3))"}, {{problem}, {"before"}, {"after"}}},
        {"rationalSimplifySteps", {"3x(x - 2)"}, {{problem}, {"finished"}}},
        // Not finished while a group still factors or leads negative, or a factor is shared.
        {"rationalSimplifySteps", {"(x^2 - 1)(x + 3)/((x - 1)(x + 2))"}, {{problem}, {"does not apply"}}},
        {"rationalSimplifySteps", {"(x^2+2x+1)(x)/(x+1)"}, {{problem}, {"does not apply"}}},
        {"rationalSimplifySteps", {"(x(-x^2))/(5(8)(-4x))"}, {{problem}, {"does not apply"}}},
        {"rationalSimplifySteps", {"(-5(-x - 3))/(2(2x + 6)(-3x - 4)(2x + 6))"}, {{problem}, {"does not apply"}}},
        {"rationalSimplifySteps", {"(x + 1)(x^2 + 1)/(x^2 + 2)"}, {{problem}, {"finished"}}},
        {"rationalSimplifySteps", {"(7x^6 + 4x^3 + 9x^2 + 10x + 8)/(x^5 + 13x^4 - 7x^3 + 2x^2 + 5x + 11)"},
         {{problem}, {"finished"}}},
        // The fraction bar is the last "/" outside parentheses.
        {"rationalSimplifySteps", {"6/4"}, {{problem}, {"does not apply"}}},
        {"rationalSimplifySteps", {"3x/(-2)"}, {{problem}, {"before"}, {"after"}}},
        {"rationalSimplifySteps", {"(x^2+1)/(-2)"}, {{problem}, {"before"}, {"after"}}},
        {"rationalSimplifySteps", {"(1/2)x/(x + 1)"}, {{problem}, {"finished"}}},
        {"rationalReduceSteps", {"(2x^2 + 4x)/(6x)"}, {{problem}, {"does not apply"}}},
        {"rationalReduceSteps", {"(6x^2)/(4x)"}, {{problem}, {"before"}, {"after"}}},
        {"factorCompletely", {"x^2 + 5x + 6"}, {{problem}, {"factor 1"}, {"factor 2"}, {"last quotient"}}},
        {"chooseFactoringMethod", {"x^2 + 1", "guess and check"}, {{problem}, {"does not apply"}}},
        // A large constant: answered, as x² + 1 is.
        {"factorCompletely", {"x^2 + 963761198400"}, {{problem}, {"does not apply"}}},
        {"chooseFactoringMethod", {"6x^2 + 963761198400", "ac method"}, {{problem}, {"does not apply"}}},
        {"factorCompletely", {"x^4 - 963761198400x^3 + x - 963761198400"}, {{problem}, {"factor 1"}, {"factor 2"}, {"last quotient"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(run(c.entry, c.operands).comments, c.comments) << c.entry;
    EXPECT_THROW(run("factorOutGcfXL", {"x^2 = 1"}), OperandError);
    EXPECT_THROW(run("rationalCancelSteps", {"x/(x + 1)/2x"}), OperandError);
}

// (S·A)/(S·B) written out as sums, S = x³ + x + 1 and A, B sparse with
// constant term 1: never finished, decided at once; without S, finished.
// Parts whose comparisons would take too long are refused before any.
TEST(RationalExpressionEntries, LongSumsSharingAFactor) {
    const std::string problem = "\U0001F914";
    for (const std::uint64_t d : {300u, 1500u, 4000u}) {
        const std::string shared = tl::testing::sharedCubic(d), coprime = tl::testing::coprimeSparse(d);
        EXPECT_EQ(run("rationalSimplifySteps", {shared}).comments, (Comments{{problem}, {"does not apply"}})) << d;
        EXPECT_EQ(run("rationalSimplifySteps", {coprime}).comments, (Comments{{problem}, {"finished"}})) << d;
    }
    // One group of degree 10,000 over four such is compared (about 4·10⁸ steps of Euclid), over five refused.
    std::string four;
    for (int k = 2; k < 6; ++k) four.append("(x^10000+x^" + std::to_string(k) + "+1)");
    EXPECT_EQ(run("rationalSimplifySteps", {"(x^10000+x+1)/(" + four + ")"}).comments,
              (Comments{{problem}, {"finished"}}));
    EXPECT_THROW(run("rationalSimplifySteps", {"(x^10000+x+1)/(" + four + "(x^10000+x^6+1))"}), tl::PreconditionError);
    std::string upper, lower;
    for (int k = 0; k < 40; ++k) {
        upper.append("(x^" + std::to_string(9999 - k) + "+x+1)");
        lower.append("(x^" + std::to_string(8999 - k) + "+x+1)");
    }
    try {
        run("rationalSimplifySteps", {upper + "/(" + lower + ")"});
        ADD_FAILURE() << "not refused";
    } catch (const tl::PreconditionError& e) {
        EXPECT_STREQ(e.what(), "polynomials too large to compare");
    }
}

// The root searches and the comparisons of one rationalSimplifySteps spend
// one allowance, in terms evaluated (a coefficient touched counting a third):
// comparisons that what the searches left cannot pay for are refused, and
// what they spend is taken off.
TEST(RationalExpressionEntries, SearchesAndComparisonsShareOneAllowance) {
    const Comments finished{{"\U0001F914"}, {"finished"}};
    std::string four;
    for (int k = 2; k < 6; ++k) four.append("(x^10000+x^" + std::to_string(k) + "+1)");
    const std::string fourPairs = "(x^10000+x+1)/(" + four + ")";  // 4·10001² ≈ 4.0·10⁸ coefficients at most
    {
        const tl::RootSearchScope scope(140'000'000);
        EXPECT_EQ(run("rationalSimplifySteps", {fourPairs}).comments, finished);
    }
    {
        const tl::RootSearchScope scope(130'000'000);
        EXPECT_THROW(run("rationalSimplifySteps", {fourPairs}), tl::PreconditionError);
    }
    // Euclid on this pair touches some 2.5·10⁷ coefficients; its root searches next to nothing.
    const tl::RootSearchScope scope(100'000'000);
    EXPECT_EQ(run("rationalSimplifySteps", {"(x^10000+2x+3)/(x^5000+5x^4999+7)"}).comments, finished);
    EXPECT_TRUE(scope.allowance().left > 91'000'000 && scope.allowance().left < 92'000'000) << scope.allowance().left;
}
