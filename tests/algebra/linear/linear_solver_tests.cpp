// Worked solutions of the linear solver, page by page, read as plain text
// with the problem page and red counts (tests/support/solution_pages.hpp).
// Options are words:
// transpose (else balance), colored, embedded, rational_fraction or decimal
// (else fraction), smart (else standard), clear, draw1 (else a draw of 2).
#include <gtest/gtest.h>

#include "algebra/linear/linear_solver.hpp"
#include "algebra/reader.hpp"
#include "base/random.hpp"
#include "support/solution_pages.hpp"

using namespace tl;

namespace {

std::string solved(const std::string& options, const std::string& equation) {
    auto has = [&](const char* word) {
        return (" " + options + " ").find(std::string(" ") + word + " ") != std::string::npos;
    };
    ScriptedRandom draw{has("draw1") ? 1 : 2};
    ScopedRandomSource scope(draw);
    const Style style = has("decimal")             ? Style::decimal
                        : has("rational_fraction") ? Style::rational_fraction
                                                   : Style::fraction;
    const PolyEquation e = readPolyEquation(equation).value();
    const LinearSteps s = solveLinearEquation(
        has("transpose") ? Technique::transpose : Technique::balance, has("colored"), has("embedded"), style,
        has("smart") ? Method::smart : Method::standard, has("clear"), e.LHS, e.RHS, e.relation, e.relation_color);
    EXPECT_EQ(s.steps.size(), s.comments.size());
    return tl::testing::pagesText(s.steps, s.comments, {.reds = true, .problem = true});
}

struct Golden {
    const char *options, *equation, *pages;
};

void expectGolden(const std::vector<Golden>& cases) {
    for (const Golden& c : cases) EXPECT_EQ(solved(c.options, c.equation), c.pages) << c.options << " | " << c.equation;
}

}  // namespace

// The problem page and the ten short cuts.
TEST(LinearSolverGolden, ProblemPageAndShortCuts) {
    expectGolden({
        {"", "x = 3", R"(🤔: x = 3
solve: [1]
😎: [1])"},
        {"embedded", "x = 3", R"(solve: x = 3)"},
        {"", "-x = 3", R"(🤔: -x = 3 ; x = -3
solve: [2] _ ; _ ; notice  -x  to  x  conversion⏎multiplication of both sides⏎by (-1)
😎: [2])"},
        {"colored embedded", "3 < -x", R"(solve: 3 < -x ; -3 > x{1} ; x < -3{1})"},
        {"", "2 = 2", R"(🤔: 2 = 2 ; TRUE, solution is all values of variable
solve: [2]
😎: [2])"},
        {"", "x = 6/4", R"(🤔: x = 6/4 ; x = 3/2
solve: [2]
😎: [2])"},
        {"decimal", "x = 6/4", R"(🤔: x = 1.5
solve: [1]
😎: [1])"},
        {"rational_fraction", "x = 3", R"(🤔: x = 3 ; x = 3
solve: [2]
😎: [2])"},
        {"embedded", "x + 0 = 5", R"(solve: x = 5)"},
        {"colored embedded", "-x > 6/4", R"(solve: -x > 6/4 ; -x > 3/2 ; x < -3/2{1})"},
        {"embedded", "6/4 = -x", R"(solve: 6/4 = -x ; 3/2 = -x ; -3/2 = x ; x = -3/2)"},
        {"colored embedded", "6/4 < x", R"(solve: 6/4 < x ; 3/2 < x ; x > 3/2{1})"},
        {"embedded", "4/2 = 6/4", R"(solve: 4/2 = 6/4 ; 2 = 3/2 ; FALSE, no solution)"},
    });
}

// The final step: division on the integer and the reciprocal route, the
// sign change, V on the right, the status page.
TEST(LinearSolverGolden, FinalPages) {
    expectGolden({
        {"", "2x = 6", R"(🤔: 2x = 6 ; x = 3
solve for x: [1] 2x/2 = 6/2 ; x = 3
😎: [1] x = 3)"},
        {"transpose embedded", "2x = 6", R"(solve for x: 2x = 6 ; x = 6/2 ; x = 3)"},
        {"colored embedded", "-2x < 6", R"(solve for x: -2x < 6 ; -2x/-2 > 6/-2{5} ; x > -3{1})"},
        {"embedded", "(2/3)x = 4", R"(solve for x: (2/3)x = 4 ; (3/2)((2/3)x) = (3/2)(4) ; x = 12/2 ; x = 6)"},
        {"", "x + 3 = x + 5", R"(🤔: x + 3 = x + 5 ; FALSE, no solution
x terms to one side: [1] x − x + 3 = x − x + 5 ; 3 = 5 ; _
solve: [3] FALSE, no solution
😎: [1] FALSE, no solution)"},
        {"embedded", "8 = x + 3", R"(constant terms opposite to x: 8 = x + 3 ; 8 − 3 = x + 3 − 3 ; 5 = x
solve for x: [3] x = 5)"},
        {"transpose colored embedded", "1 < (-2/3)x", R"(solve for x: 1 < (-2/3)x ; (-3/2)(1) > x{3} ; -3/2 > x{1} ; x < -3/2{1})"},
        {"embedded", "x + 3 = 2x + 3", R"(x terms to one side: x + 3 = 2x + 3 ; x − 2x + 3 = 2x − 2x + 3 ; -x + 3 = 3 ; ⏎consider taking x-terms⏎to the right hand side⏎to get (positive)x⏎⏎or exchange sides
constant terms opposite to x: [3] -x + 3 − 3 = 3 − 3 ; -x = 0
solve for x: [5] x = 0)"},
    });
}

// Tidying: simplify, combine, clear fractions or decimals, combine again.
TEST(LinearSolverGolden, Tidying) {
    expectGolden({
        {"clear colored embedded", "x/2 + x/3 = 5", R"(clear fractions: (1/2)x + (1/3)x = 5{2} ; 6((1/2)x + (1/3)x) = 6(5){2} ; 3x + 2x = 30 ; _ ; _ ; 6 is LCM of denominators⏎⏎we can use any multiple of the⏎denominators to clear fractions
combine like terms: (1/2)x + (1/3)x = 5 ; 6((1/2)x + (1/3)x) = 6(5) ; 3x + 2x = 30 ; 5x = 30
solve for x: [4] 5x/5 = 30/5{4} ; x = 6)"},
        {"decimal clear embedded", "0.25x - 0.5 = 1.75", R"(clear decimals: 0.25x − 0.5 = 1.75 ; 100(0.25x − 0.5) = 100(1.75) ; 25x − 50 = 175 ; _ ; _ ; ⏎highest decimal place count⏎is 2, multiply both sides⏎by 10² = 100
constant terms opposite to x: [3] 25x − 50 + 50 = 175 + 50 ; 25x = 225
solve for x: [5] 25x/25 = 225/25 ; x = 9)"},
        {"decimal clear embedded", "(1/4)x = 1/5", R"(clear decimals: 0.25x = 0.2 ; 100(0.25x) = 100(0.2) ; 25x = 20 ; _ ; _ ; ⏎highest decimal place count⏎is 2, multiply both sides⏎by 10² = 100
solve for x: [3] 25x/25 = 20/25 ; x = 0.8)"},
        {"decimal clear embedded", "(1/3)x = 1/2", R"(clear decimals: 0.33333333x = 0.5 ; 6(0.33333333x) = 6(0.5) ; 2x = 3 ; _ ; _ ; 6 is LCM of denominators⏎⏎we can use any multiple of the⏎denominators to clear fractions
solve for x: [3] 2x/2 = 3/2 ; x = 1.5)"},
        {"decimal clear", "(2/3)x = 3", R"(🤔: 0.66666667x = 3 ; x = 4.5
clear decimals: [1] 3(0.66666667x) = 3(3) ; 2x = 9 ; _ ; _ ; 3 is LCM of denominators⏎⏎we can use any multiple of the⏎denominators to clear fractions
solve for x: [3] 2x/2 = 9/2 ; x = 4.5
😎: [1] x = 4.5)"},
        {"embedded", "(2/4)x + 1/3 = 1", R"(simplify: (2/4)x + 1/3 = 1 ; (1/2)x + 1/3 = 1
constant terms opposite to x: [2] (1/2)x + 1/3 − 1/3 = 1 − 1/3 ; (1/2)x = 2/3
solve for x: [4] (2/1)((1/2)x) = (2/1)(2/3) ; x = 4/3)"},
        {"embedded", "2x + 3x = 10", R"(combine simple like terms: 2x + 3x = 10 ; 5x = 10
solve for x: [2] 5x/5 = 10/5 ; x = 2)"},
    });
}

// Collecting: the x-terms step with its advice, the constant-terms step.
TEST(LinearSolverGolden, CollectingTerms) {
    expectGolden({
        {"transpose colored embedded", "2x + 3 = 7", R"(constant terms opposite to x: 2x + 3 = 7{2} ; 2x = 7 − 3{2} ; 2x = 4
solve for x: 2x + 3 = 7 ; 2x = 7 − 3 ; 2x = 4 ; x = 4/2{2} ; x = 2)"},
        {"transpose smart draw1 colored embedded", "2x + 3 < 5x + 1", R"(x terms to one side: 2x + 3 < 5x + 1 ; 5x + 1 > 2x + 3{3} ; 5x − 2x + 1 > 3{3} ; 3x + 1 > 3 ; ⏎exchanging sides first as⏎an alternative to taking⏎x-terms to the right⏎hand side
constant terms opposite to x: [1] 5x + 1 > 2x + 3 ; 5x − 2x + 1 > 3 ; 3x + 1 > 3{2} ; 3x > 3 − 1{2} ; 3x > 2
solve for x: [3] 3x + 1 > 3 ; 3x > 3 − 1 ; 3x > 2 ; x > 2/3{2} ; x > 2/3{1})"},
    });
}

// Powers above the first that cancel across the sides: within a side by
// combining, equal squares on both sides, anything higher by gathering
// everything on the left.
TEST(LinearSolverGolden, PowersThatCancel) {
    expectGolden({
        {"", "x^2 - x^2 + x = 2", R"(🤔: x² − x² + x = 2 ; x = 2
combine simple like terms: [2]
😎: [2])"},
        {"", "x^2 + x = x^2 + 2", R"(🤔: x² + x = x² + 2 ; x = 2
same square term on both sides: [2]
😎: [2])"},
        {"embedded", "x^3 + 2x = x^3 + 6", R"(descending powers of x: x³ + 2x = x³ + 6 ; 2x − 6 = 0 ; left hand side for convenience
constant terms opposite to x: [2] 2x − 6 + 6 = 0 + 6 ; 2x = 6
solve for x: [4] 2x/2 = 6/2 ; x = 3)"},
        {"embedded", "x^3 + x^2 + x = x^3 + x^2 + 2", R"(same square term on both sides: x³ + x² + x = x³ + x² + 2 ; x³ + x = x³ + 2
descending powers of x: [2] x − 2 = 0 ; left hand side for convenience
constant terms opposite to x: [3] x − 2 + 2 = 0 + 2 ; x = 2)"},
        {"colored embedded", "2x^2 + 3 > 2x^2 - x", R"(same square term on both sides: 2x² + 3 > 2x² − x ; 3 > -x
solve for x: [2] -3 < x{1} ; x > -3{1})"},
        {"embedded", "y^4 = y^4 + 1", R"(descending powers of y: y⁴ = y⁴ + 1 ; -1 = 0 ; left hand side for convenience
solve: [2] FALSE, no solution)"},
    });
}

// The terms of another letter cancel as powers do (within a side by
// combining, squares on both sides, anything else by gathering on the
// left), and the equation is solved for the letter left.
TEST(LinearSolverGolden, LettersThatCancel) {
    expectGolden({
        {"", "y^2 - y^2 + x = 3", R"(🤔: y² − y² + x = 3 ; x = 3
combine simple like terms: [2]
😎: [2])"},
        {"embedded", "x^2 + y = x^2 + 2", R"(same square term on both sides: x² + y = x² + 2 ; y = 2)"},
        {"embedded", "y + x = y + 3", R"(descending powers of x: y + x = y + 3 ; x − 3 = 0 ; left hand side for convenience
constant terms opposite to x: [2] x − 3 + 3 = 0 + 3 ; x = 3)"},
        {"embedded", "2x + z^3 + y^2 = y^2 + z^3 + 6", R"(same square term on both sides: 2x + z³ + y² = y² + z³ + 6 ; 2x + z³ = z³ + 6
descending powers of x: [2] 2x − 6 = 0 ; left hand side for convenience
constant terms opposite to x: [3] 2x − 6 + 6 = 0 + 6 ; 2x = 6
solve for x: [5] 2x/2 = 6/2 ; x = 3)"},
        {"embedded decimal", "3y - x/2 = 2 + 3y", R"(descending powers of x: 3y − 0.5x = 2 + 3y ; -0.5x − 2 = 0 ; left hand side for convenience
constant terms opposite to x: [2] -0.5x − 2 + 2 = 0 + 2 ; -0.5x = 2
solve for x: [4] -2(-0.5x) = -2(2) ; x = -4)"},
        {"", "y + x = x + y + 2", R"(🤔: y + x = x + y + 2 ; FALSE, no solution
descending powers of y: [1] -2 = 0 ; left hand side for convenience
solve: [2] FALSE, no solution
😎: [1] FALSE, no solution)"},
    });
}

// One page, comment "oops", whatever embedded is: a zero denominator, an
// equation not linear in one letter (a square that stays once both sides are
// gathered, a second letter), numbers beyond 64 bits.
TEST(LinearSolverGolden, FailurePages) {
    expectGolden({
        {"", "x/0 = 1", R"(oops: (1/0)x = 1 ; _ ; _ ; division by zero ; please correct)"},
        {"embedded decimal", "x/0 = 1", R"(oops: (1/0)x = 1 ; _ ; _ ; division by zero ; please correct)"},
        {"embedded", "x^2 + x = 2", R"(oops: x² + x = 2 ; _ ; _ ; beyond module scope ; please correct)"},
        {"", "x^3 + x^2 = x^3 + 4", R"(oops: x³ + x² = x³ + 4 ; _ ; _ ; beyond module scope ; please correct)"},
        {"embedded", "x^2 + x = 2x^2 + 1", R"(oops: x² + x = 2x² + 1 ; _ ; _ ; beyond module scope ; please correct)"},
        {"embedded", "y^2 - x^2 + x = 3", R"(oops: y² − x² + x = 3 ; _ ; _ ; beyond module scope ; please correct)"},
        {"embedded", "x + 2y = y + x + z", R"(oops: x + 2y = y + x + z ; _ ; _ ; beyond module scope ; please correct)"},
        {"", "x/3 = 9223372036854775807", R"(oops: (1/3)x = 9223372036854775807 ; _ ; _ ; beyond module scope ; please correct)"},
        {"embedded", "0x^2 + 0y + x = 3", R"(solve: x = 3)"},
    });
}
