// The workers of the linear solver, each on the cases its rules name, the
// equations in the terse notation of support/equation_text.hpp.
#include <gtest/gtest.h>

#include "algebra/linear/collecting_terms.hpp"
#include "algebra/linear/equation_rewrites.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/side_operations.hpp"
#include "base/random.hpp"
#include "support/equation_text.hpp"

using namespace tl;
using tl::testing::eq;
using tl::testing::S;

TEST(LinearSolution, AnswersAndStatus) {
    const struct {
        const char *equation, *answer;
    } cases[] = {
        {"2x + 3 = x - 1", "x = -4/1"}, {"3 - 2x < 7", "x > -2/1"}, {"x + 1 = x + 1", "infinite ="},
        {"x + 1 < x + 1", "none <"},    {"0x <= 5", "infinite ≤"},  {"0x >= 5", "none ≥"},
        {"0x > -3", "infinite >"},      {"0x = -3", "none ="},      {"(1/2)x = 1/3", "x = 2/3"},
        {"x^2 + x = 1", "x = 1/1"},     {"2x = 6/4", "x = 3/4"},    {"-x >= 2", "x ≤ -2/1"},
    };
    for (const auto& c : cases) {
        const LinearSolution s = linearSolution(eq(c.equation));
        const std::string rel(rawValue(s.relation));
        const std::string got = s.status == Status::unique     ? "x " + rel + " " + S(s.solution)
                                : s.status == Status::infinite ? "infinite " + rel
                                                               : "none " + rel;
        EXPECT_EQ(got, c.answer) << c.equation;
    }
}

TEST(LinearSolution, SolvedForm) {
    for (const char* yes : {"x = 3", "y = -1/2"}) EXPECT_TRUE(isSolvedForm(false, eq(yes))) << yes;
    for (const char* no : {"-x = 3", "2x = 6", "x = 6/4", "x = 3 + 0x^2", "3 = x", "x = 2x", "x = 3/(-4)"})
        EXPECT_FALSE(isSolvedForm(false, eq(no))) << no;
    EXPECT_TRUE(isSolvedForm(true, eq("x = 6/4")));
    EXPECT_TRUE(isLoneVariable(true, eq("-x = 3").LHS));
    EXPECT_FALSE(isLoneConstant(false, eq("x/0 = 1").LHS));
}

TEST(EquationSteps, ClearingFractions) {
    EXPECT_EQ(S(clearFractionsOfEquation(eq("(1/2)x + 1/3 = 1"))), "3x 2 = 6");
    EXPECT_EQ(S(clearFractionsOfEquation(eq("(1/2)x + 1/3 = 1"), 12)), "6x 4 = 12");
    EXPECT_EQ(S(clearFractionsOfEquation(eq("(3/(-1))x = 2"))), "-3x = 2");
    EXPECT_EQ(lcmOfEquationDenominators(eq("(1/4)x = 1/6")), 12);
    EXPECT_EQ(colorEquationDenominators(Color::red, eq("(1/4)x = 2")).LHS.terms[0].coefficient.denominator_color,
              Color::red);

    // Decimal style clears 2^a·5^b with the smallest power of ten it divides, anything else with its lcm;
    // its comment is "clear decimals" either way.
    auto clearing = [](Style style, std::int64_t lcm) {
        const FractionClearing f = fractionClearing(style, lcm);
        return std::to_string(f.factor) + " " + f.comment + ":" + f.note;
    };
    const std::string lcmNote =
        " is LCM of denominators\n\nwe can use any multiple of the\ndenominators to clear fractions";
    EXPECT_EQ(clearing(Style::fraction, 6), "6 clear fractions:6" + lcmNote);
    EXPECT_EQ(clearing(Style::decimal, 30), "30 clear decimals:30" + lcmNote);
    EXPECT_EQ(clearing(Style::decimal, 3), "3 clear decimals:3" + lcmNote);
    EXPECT_EQ(clearing(Style::rational_fraction, 8), "8 clear fractions:8" + lcmNote);
    EXPECT_EQ(clearing(Style::decimal, 8),
              "1000 clear decimals:\nhighest decimal place count\nis 3, multiply both sides\nby 10³ = 1000");
    EXPECT_EQ(clearing(Style::decimal, 100000000000),
              "100000000000 clear decimals:\nhighest decimal place count\nis 11, multiply both sides\nby 10... = "
              "100000000000");
    EXPECT_THROW(fractionClearing(Style::decimal, std::int64_t{1} << 62), OverflowError);
}

TEST(TransposeAdvice, EquationsAndAdvice) {
    const std::string consider =
                          "\nconsider taking x-terms\nto the right hand side\nto get (positive)x\n\nor exchange sides",
                      exchanging =
                          "\nexchanging sides first as\nan alternative to taking\nx-terms to the right\nhand side",
                      taking =
                          "\ntaking x-terms to the\nright hand side to get a\n(positive)x\n\nconsider exchanging sides",
                      takingLeft = "\ntaking x-term to the\nleft hand side to get a\n(positive)x";
    using enum Technique;
    using enum Method;
    const struct {
        Technique technique;
        Method method;
        std::int64_t draw;  // 0: no draw may be made
        const char *equation, *equations;
        std::string advice;
    } cases[] = {
        {transpose, standard, 0, "2x + 3 = 5x + 1", "2x 3 = 5x** 1 | 2x -5x** 3 = 1 | -3x 3 = 1", consider},
        {balance, standard, 0, "2x + 3 = 5x + 1", "2x 3 = 5x** 1 | 2x -5x** 3 = 5x -5x** 1 | -3x 3 = 1", consider},
        {transpose, smart, 2, "2x + 3 = 5x + 1", "2x** 3 = 5x 1 | 3 = 5x -2x** 1 | 3 = 3x 1", taking},
        {transpose, smart, 1, "2x + 3 < 5x + 1", "2x 3 < 5x 1 | 5x 1 >* 2x** 3 | 5x -2x** 1 > 3 | 3x 1 > 3",
         exchanging},
        // Equal coefficients: the left one is not the smaller.
        {transpose, smart, 0, "3x + 1 = 3x + 2", "3x 1 = 3x** 2 | 3x -3x** 1 = 2 | 1 = 2", ""},
        // Not both sides hold a constant: towards the side without one.
        {transpose, smart, 0, "2x = 5x + 1", "2x = 5x** 1 | 2x -5x** = 1 | -3x = 1", ""},
        {balance, smart, 0, "y + 2 = 4y", "1y** 2 = 4y | 1y -1y** 2 = 4y -1y** | 2 = 3y", ""},
        // A negative x-term on the right only, beside a constant.
        {transpose, smart, 0, "3 = -2x + 5", "3 = -2x** 5 | 2x** 3 = 5", takingLeft},
        {balance, smart, 0, "3 = -2x + 5", "3 = -2x** 5 | 2x** 3 = -2x 2x** 5 | 2x 3 = 5", takingLeft},
        {transpose, standard, 0, "0 = -2x + 5", "0 = -2x** 5 | 2x** = 5", ""},
        // The opposite goes right after the x-term, whatever follows it.
        {balance, smart, 0, "3 = 5 - 2x + 0", "3 = 5 -2x** 0 | 2x** 3 = 5 -2x 2x** 0 | 2x 3 = 5 0", takingLeft},
    };
    for (const auto& c : cases) {
        ScriptedRandom random{c.draw};
        ScopedRandomSource scope(random);
        const auto r = transposeAdvice(c.technique, true, c.method, eq(c.equation));
        ASSERT_TRUE(r) << c.equation;
        EXPECT_EQ(S(r->equations), c.equations) << c.equation << " draw " << c.draw;
        EXPECT_EQ(r->advice, c.advice) << c.equation;
        EXPECT_EQ(random.remaining(), c.draw == 0 ? 1u : 0u) << c.equation;
    }
    // Without the colour flag nothing turns red.
    const auto plain = transposeAdvice(transpose, false, standard, eq("2x + 3 < 5x + 1"));
    EXPECT_EQ(S(plain->equations), "2x 3 < 5x 1 | 2x -5x 3 < 1 | -3x 3 < 1");
    for (const char* nothing : {"3 = -2x + 5", "x + 1 = 3", "1 = 2", "-2x + 5 = 0", "3 = 2x + 5", "3 = -2x"})
        EXPECT_FALSE(transposeAdvice(transpose, true, standard, eq(nothing))) << nothing;
}

TEST(ConstantMove, SourceAndTarget) {
    const struct {
        Technique technique;
        const char *equation, *equations;
    } cases[] = {
        {Technique::transpose, "2x + 3 = 7", "2x 3* = 7 | 2x = 7 -3* | 2x = 7 -3"},
        {Technique::balance, "3 = 2x + 1", "3 = 2x 1* | 3 -1* = 2x 1 -1* | 3 -1 = 2x 1 -1"},
        {Technique::balance, "2x + 3 = 0x", "2x 3* = 0x | 2x 3 -3* = 0x -3* | 2x 3 -3 = 0x -3"},
        // Only the right side holds an x-term and a constant: it gives its constant.
        {Technique::transpose, "2x = 3x + 1", "2x = 3x 1* | 2x -1* = 3x | 2x -1 = 3x"},
    };
    for (const auto& c : cases) {
        PolyEquation e = eq(c.equation);
        e.LHS = recolorPolynomial(Color::blue, e.LHS);  // colours that came with it never reach the page
        const ConstantMove m = moveConstantTerm(c.technique, true, e);
        EXPECT_TRUE(m.didMove) << c.equation;
        EXPECT_EQ(S({m.marked, m.moved, m.black}), c.equations) << c.equation;
    }
    for (const char* still : {"2x = 7", "3 = 5", "2x = 3x"}) {
        const ConstantMove m = moveConstantTerm(Technique::transpose, true, eq(still));
        EXPECT_FALSE(m.didMove) << still;
        EXPECT_EQ(S({m.marked, m.moved, m.black}), S({eq(still), eq(still), eq(still)})) << still;
    }
}
