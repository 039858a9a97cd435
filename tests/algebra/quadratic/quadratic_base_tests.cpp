// The roots, the step exclusions and the opening workers of an equation, each
// on the cases its rules name, the equations in the terse notation of
// support/equation_text.hpp.
#include <gtest/gtest.h>

#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/quadratic/step_exclusions.hpp"
#include "base/errors.hpp"
#include "support/equation_text.hpp"

using namespace tl;
using tl::testing::eq;
using tl::testing::S;

TEST(StepExclusions, ByShapeAndStyle) {
    using enum Step_exclusions;
    const struct {
        Style style;
        const char* equation;
        Step_exclusions expected;
    } cases[] = {
        {Style::fraction, "x + 2 = 5", reduce_and_clear},     {Style::decimal, "x + 2 = 5", reduce_and_clear},
        {Style::fraction, "(1/2)x = 3", reduce_and_clear},    {Style::fraction, "(2/3)x = 3", clear},
        {Style::fraction, "(1/2)x + x = 3", none},            {Style::rational_fraction, "x = 1/2", clear},
        {Style::fraction, "x + 1/2 = 0 + 3", none},           {Style::fraction, "x + 1/2 = 0", clear},
        {Style::fraction, "(1/2)x = 1/3", clear},             {Style::fraction, "(1/2)x + 0 = 1/3", clear},
        {Style::fraction, "(1/2)x + x = 1/3", none},          {Style::fraction, "(1/2)x + (1/4)x = 1", none},
        {Style::fraction, "(1/2)x + 1/4 = 1/3", none},        {Style::decimal, "x = 1/2", reduce_and_clear},
        {Style::decimal, "-x + 0 = 1/2", reduce_and_clear},   {Style::decimal, "2x = 1/2", reduce},
        {Style::decimal, "(1/2)x = 3", reduce},
    };
    for (const auto& c : cases) EXPECT_EQ(stepExclusions(c.style, eq(c.equation)), c.expected) << c.equation;
}

TEST(QuadraticSolution, RootsAndStatus) {
    auto text = [](const std::optional<Quadratic_solution>& r) {
        if (!r) return std::string("-");
        return r->c == 0 ? S(r->a) : S(r->a) + " + " + S(r->b) + "√" + std::to_string(r->c);
    };
    const struct {
        const char *equation, *roots;
        Quadratic_status status;
    } cases[] = {
        {"x^2 - 5x + 6 = 0", "2/1 3/1", Quadratic_status::rational_distinct},
        {"x^2 - 2x - 1 = 0", "1/1 + -1/1√2 1/1 + 1/1√2", Quadratic_status::irrational_distinct},
        {"-x^2 + 2x - 1 = 0", "1/1 1/1", Quadratic_status::rational_repeated},
        {"(1/2)x^2 + (1/3)x = 0", "-2/3 0/1", Quadratic_status::rational_distinct},
        {"x^2 + 1 = 0", "- -", Quadratic_status::none},
        {"x^3 + x^2 - 1 = 0", "-1/1 1/1", Quadratic_status::rational_distinct},
        {"6 - x^2 = 5x", "-6/1 1/1", Quadratic_status::rational_distinct},
        {"(1/4)x^2 - 1/4 = 0", "-1/1 1/1", Quadratic_status::rational_distinct},
        {"x^2 - 3 = 0", "0/1 + -1/1√3 0/1 + 1/1√3", Quadratic_status::irrational_distinct},
        // No x² term: no roots rather than a division by zero.
        {"x + 1 = 0", "- -", Quadratic_status::none},
        // The discriminant beyond 64 bits, the roots within them.
        {"3037000500x^2 + 3037000500x - 3037000500 = 0", "-1/2 + -1/2√5 -1/2 + 1/2√5",
         Quadratic_status::irrational_distinct},
    };
    for (const auto& c : cases) {
        const QuadraticRoots r = quadraticSolution(eq(c.equation));
        EXPECT_EQ(text(r.root1) + " " + text(r.root2), c.roots) << c.equation;
        EXPECT_EQ(r.status, c.status) << c.equation;
    }
    // A root of 2⁶³ cannot be written.
    EXPECT_THROW(quadraticSolution(eq("x^2 - 9223372036854775807x - 9223372036854775808 = 0")), OverflowError);
}

TEST(EquationSteps, SquareTermsAndOrientation) {
    EXPECT_EQ(S(removeSameSquareTerm(eq("2x^2 + 3 = 2x^2 + x")).value()), "3 = 1x");
    EXPECT_EQ(S(removeSameSquareTerm(eq("x^2 = x^2")).value()), "0 = 0");
    EXPECT_EQ(S(removeSameSquareTerm(eq("x^2 + x^2 = x^2 + 1")).value()), "0 = 1");
    EXPECT_FALSE(removeSameSquareTerm(eq("x^2 = 2x^2")));
    EXPECT_FALSE(removeSameSquareTerm(eq("(1/2)x^2 = (1/3)x^2 + 1")));
    // Letter by letter: only the squares of a letter that match go.
    EXPECT_EQ(S(removeSameSquareTerm(eq("y^2 + x^2 + x = y^2 + 3")).value()), "1x^2 1x = 3");
    EXPECT_EQ(S(removeSameSquareTerm(eq("x^2 + y^2 = 2y^2 + x^2 + 1")).value()), "1y^2 = 2y^2 1");
    EXPECT_EQ(S(removeSameSquareTerm(eq("z^2 + y^2 = y^2 + z^2")).value()), "0 = 0");
    EXPECT_FALSE(removeSameSquareTerm(eq("y^2 + x = x^2 + 3")));

    const struct {
        const char *equation, *equations, *note;
    } cases[] = {
        {"6 + x^2 - 5x = 0", "6 1x^2 -5x = 0 | 1x^2 -5x 6 = 0", ""},
        {"0 = x^2 - 5x + 6", "0 = 1x^2 -5x 6 | 1x^2 -5x 6 = 0", "exchange sides for convenience"},
        {"0 = 6 + x^2 - 5x", "0 = 6 1x^2 -5x | 0 = 1x^2 -5x 6 | 1x^2 -5x 6 = 0", "exchange sides for convenience"},
        {"x^2 = 5x - 6", "1x^2 = 5x -6 | 1x^2 -5x 6 = 0", "left hand side for convenience"},
        {"x^2 + 3x = 3x + 4", "1x^2 3x = 3x 4 | 1x^2 -4 = 0", "left hand side for convenience"},
        {"y^2 = y^2", "1y^2 = 1y^2 | 0 = 0", "left hand side for convenience"},
        // Like terms are the same power of the same letter.
        {"y + x = y + 3", "1y 1x = 1y 3 | 1x -3 = 0", "left hand side for convenience"},
        {"y^3 + x^3 + 2x = y^3 + 4", "1y^3 1x^3 2x = 1y^3 4 | 1x^3 2x -4 = 0", "left hand side for convenience"},
        {"y + x = 2y + z", "1y 1x = 2y 1z | -1y 1x -1z = 0", "left hand side for convenience"},
        // Exchanging the sides of an inequality turns it round.
        {"0 < x^2 - 1", "0 < 1x^2 -1 | 1x^2 -1 > 0", "exchange sides for convenience"},
    };
    for (const auto& c : cases) {
        const auto r = exchangeSidesForConvenience(eq(c.equation));
        ASSERT_TRUE(r) << c.equation;
        EXPECT_EQ(S(r->equations), c.equations) << c.equation;
        EXPECT_EQ(r->note.value_or(""), c.note) << c.equation;
    }
    EXPECT_FALSE(exchangeSidesForConvenience(eq("x^2 - 5x + 6 = 0")));
}

// The terms above the first power, the degree once like powers of both sides
// are gathered, and the one-letter test, on terms that cancel within a side,
// across the sides, or have a coefficient of 0.
TEST(EquationSteps, DegreeAndLetters) {
    const struct {
        const char* equation;
        std::int64_t higherTerms;
        std::uint64_t degree;
        bool oneLetter;
    } cases[] = {
        {"x^2 + 3x = 1", 1, 2, true},
        {"x^2 + x = x^2 + 2", 2, 1, true},
        {"x^3 + x^2 = x^3 + 4", 3, 2, true},
        {"x^5 + x^2 = 2x^2 + x^5 - x^5", 5, 5, true},
        {"x^2 - x^2 + x = 2", 2, 1, true},
        {"(1/2)x^2 + (1/2)x^2 = x^2 + x", 3, 1, true},
        {"0x^3 + x = 1", 1, 1, true},
        {"y^4 = y^4 + 1", 2, 0, true},
        {"3 = 5", 0, 0, true},
        // Like terms are the same power of the same letter; the letters of
        // terms that cancel do not count.
        {"x^2 = y^2", 2, 2, false},
        {"x^2 + y = x^2 + 2", 2, 1, true},
        {"0y + x = 1", 0, 1, true},
        {"y^2 - y^2 + x = 3", 2, 1, true},
        {"y + x = y + 3", 0, 1, true},
        {"2z^3 + x^2 = z^3 + z^3 + 1", 4, 2, true},
        {"y + x = x + y + 2", 0, 0, true},
        {"y^2 - x^2 + x = 3", 2, 2, false},
        {"x + y = 2", 0, 1, false},
        {"x + y = y/2 + y/2 + x + z", 0, 1, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(countHigherPowerTerms(eq(c.equation)), c.higherTerms) << c.equation;
        EXPECT_EQ(netDegree(eq(c.equation)), c.degree) << c.equation;
        EXPECT_EQ(equationHasOneLetter(eq(c.equation)), c.oneLetter) << c.equation;
    }
    // The letter solved for is the one left, else the first one named.
    const std::pair<const char*, const char*> letters[] = {
        {"y + x = y + 3", "x"}, {"y^2 + 2z = y^2", "z"}, {"y = y + 1", "y"}, {"x + y = x + y", "x"}, {"3 = 4", "x"},
    };
    for (const auto& [equation, letter] : letters)
        EXPECT_EQ(solvingLetter(eq(equation), isNonZeroVariableTermClosure), letter) << equation;
    EXPECT_THROW(equationHasOneLetter(eq("x/0 = 1")), PreconditionError);
}
