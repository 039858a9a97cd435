// The quadratic methods page by page, on the examples and edge cases their
// rules name, each solution read as plain text (tests/support/solution_pages.hpp).
#include <gtest/gtest.h>

#include <algorithm>

#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/quadratic/root_rows.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/reader.hpp"
#include "base/errors.hpp"
#include "common/table_text.hpp"
#include "support/solution_pages.hpp"

using namespace tl;
using tl::testing::pagesText;

namespace {

/// The texts of the items (and join and unary texts) drawn in `c`, as
/// "k:texts" for each table k that has any.
std::string marks(const Engine_Step& page, Color c) {
    std::string out;
    for (const Engine_Table& t : page) {
        std::string marked;
        for (std::size_t i = 1; i < t.size(); ++i) {
            const std::string_view key = t[i][0];
            if (!key.ends_with("_color") || std::ranges::find(t[i], colorName(c)) == t[i].end()) continue;
            const std::string item(key.substr(0, key.size() - 6));
            for (std::size_t j = i; j-- > 0;)
                if (t[j][0] == item) {
                    for (std::size_t k = 1; k < t[j].size(); ++k) marked += t[j][k];
                    break;
                }
        }
        if (!marked.empty())
            out += (out.empty() ? "" : " ; ") + std::to_string(&t - &page.front()) + ":" + marked;
    }
    return out;
}

struct Case {
    Quadratic_method method = Quadratic_method::factor;
    const char* equation = "";
    Style style = Style::fraction;
    bool colored = false;
    bool embedded = false;
};

QuadraticSteps solve(const Case& r) {
    const PolyEquation e = readPolyEquation(r.equation).value();
    return solveQuadratic(r.method, Technique::balance, r.colored, r.embedded, r.style, Method::standard, false,
                          e.LHS, e.RHS, e.relation, e.relation_color);
}

constexpr auto F = Quadratic_method::formula, C = Quadratic_method::complete_the_square,
               P = Quadratic_method::factor;
constexpr auto D = Style::decimal, R = Style::rational_fraction;

}  // namespace

// Every page of each run: the methods' examples and their opening and
// closing variants. Embedded, the same run leaves out its first and last
// pages ("🤔", "😎"); completing the square ignores the colour option.
TEST(QuadraticPages, Golden) {
    const struct { Case run; const char* pages; } cases[] = {
        {{F, "x^2 - 5x + 6 = 0"}, R"(substitute in formula and solve: [1] _ ; _ ; for  ax² + bx + c = 0 ,  a ≠ 0 ; x = (-b ± √b² − 4ac)/2a ; _ ; _ ; _ ; a = 1 , b = -5 and c = 6 ; x = (-(-5) ± √((-5)^2 − 4(1)(6)))/(2(1)) ; _ ; _ ; _ ; x = 2 or x = 3 ; from calculator
😎: [3] x = 2 or x = 3 ; distinct rational solutions)"},
        {{F, "x^2 + 1 = 0"}, R"(substitute in formula and solve: [1] _ ; _ ; for  ax² + bx + c = 0 ,  a ≠ 0 ; x = (-b ± √b² − 4ac)/2a ; _ ; _ ; _ ; a = 1 , b = 0 and c = 1 ; x = (0 ± √(0^2 − 4(1)(1)))/(2(1)) ; _ ; _ ; _ ; no solution
😎: [3] no solution)"},
        {{F, "0 = 6 + x^2 - 5x"}, R"(descending powers of x: [1] 0 = x² − 5x + 6 ; x² − 5x + 6 = 0 ; exchange sides for convenience
substitute in formula and solve: [3] _ ; _ ; for  ax² + bx + c = 0 ,  a ≠ 0 ; x = (-b ± √b² − 4ac)/2a ; _ ; _ ; _ ; a = 1 , b = -5 and c = 6 ; x = (-(-5) ± √((-5)^2 − 4(1)(6)))/(2(1)) ; _ ; _ ; _ ; x = 2 or x = 3 ; from calculator
😎: [1] _ ; _ ; x = 2 or x = 3 ; distinct rational solutions)"},
        {{F, "x = 3"}, R"(😎: [1] x = 3)"},
        {{F, "x^2 + 2x = x^2 + 4"}, R"(same square term on both sides: [1] 2x = 4
solve for x: [2] x = 4/2 ; x = 2
😎: [1] x = 2)"},
        {{F, "x^2 - 2 = 0", D}, R"(substitute in formula and solve: [1] _ ; _ ; for  ax² + bx + c = 0 ,  a ≠ 0 ; x = (-b ± √b² − 4ac)/2a ; _ ; _ ; _ ; a = 1 , b = 0 and c = -2 ; x = (0 ± √(0^2 − 4(1)(-2)))/(2(1)) ; _ ; _ ; _ ; x = -√2 or x = √2 ; from calculator
😎: [3] x = -1.4142136 or x = 1.4142136 ; distinct irrational solutions)"},
        {{F, "x^2 + 1/0 = 0", Style::fraction, false, true}, R"(oops: x² + 1/0 = 0 ; _ ; _ ; division by zero ; please correct)"},
        {{F, "2/4x^2 - 2 = 0"}, R"(simplify: [1] (1/2)x² − 2 = 0
substitute in formula and solve: [2] _ ; _ ; for  ax² + bx + c = 0 ,  a ≠ 0 ; x = (-b ± √b² − 4ac)/2a ; _ ; _ ; _ ; a = 1/2 , b = 0 and c = -2 ; x = (0 ± √(0^2 − 4(1/2)(-2)))/(2(1/2)) ; _ ; _ ; _ ; x = -2 or x = 2 ; from calculator
😎: [1] _ ; _ ; x = -2 or x = 2 ; distinct rational solutions)"},
        {{C, "x^2 + 2x - 3 = 0"}, R"(constant term to right hand side: [1] x² + 2x = 3 ; _
complete the square: [2] x² + 2x + 1 = 3 + 1 ; (x + 1)^2 = 4 ; halve x coefficient from 2 to 1 ; square to 1 , add to both sides ; complete the square
square root and solve: [4] x + 1 = ±√4 ; x = -1 ± 2 ; x = -3 or x = 1
😎: [1] _ ; _ ; x = -3 or x = 1 ; distinct rational solutions)"},
        {{C, "2x^2 + 4x - 6 = 0"}, R"(divide by coefficient of x²: [1] (1/2)(2x² + 4x − 6) = (1/2)(0) ; x² + 2x − 3 = 0 ; divide both sides by  2 ; or multiply by  1/2
constant term to right hand side: [3] x² + 2x = 3 ; _
complete the square: [4] x² + 2x + 1 = 3 + 1 ; (x + 1)^2 = 4 ; halve x coefficient from 2 to 1 ; square to 1 , add to both sides ; complete the square
square root and solve: [6] x + 1 = ±√4 ; x = -1 ± 2 ; x = -3 or x = 1
😎: [1] _ ; _ ; x = -3 or x = 1 ; distinct rational solutions)"},
        {{C, "x^2 + 2x + 5 = 0"}, R"(constant term to right hand side: [1] x² + 2x = -5 ; _
complete the square: [2] x² + 2x + 1 = -5 + 1 ; (x + 1)^2 = -4 ; halve x coefficient from 2 to 1 ; square to 1 , add to both sides ; complete the square
square root and solve: [4] negative RHS, no solution
😎: [1] _ ; _ ; no solution)"},
        {{C, "x^2 - 4 = 0"}, R"(constant term to right hand side: [1] x² = 4 ; _
square root and solve: [2] x = ±√4 ; x = -2 or x = 2
😎: [1] _ ; _ ; x = -2 or x = 2 ; distinct rational solutions)"},
        {{C, "x^2 + 2x = 0"}, R"(complete the square: [1] x² + 2x + 1 = 0 + 1 ; (x + 1)^2 = 1 ; halve x coefficient from 2 to 1 ; square to 1 , add to both sides ; complete the square
square root and solve: [3] x + 1 = ±√1 ; x = -1 ± 1 ; x = -2 or x = 0
😎: [1] _ ; _ ; x = -2 or x = 0 ; distinct rational solutions)"},
        {{C, "x^2 + 2x + 1 = 0"}, R"(constant term to right hand side: [1] x² + 2x = -1 ; _
complete the square: [2] x² + 2x + 1 = -1 + 1 ; (x + 1)^2 = 0 ; halve x coefficient from 2 to 1 ; square to 1 , add to both sides ; complete the square
square root and solve: [4] x + 1 = 0 ; x = -1
😎: [1] _ ; _ ; x = -1 ; repeated rational solution)"},
        {{C, "y^2 + 3y - 4 = 0", R}, R"(constant term to right hand side: [1] y² + 3y = 4 ; _
complete the square: [2] y² + 3y + 9/4 = 4 + 9/4 ; (y + 3/2)^2 = 25/4 ; halve y coefficient from 3 to 3/2 ; square to 9/4 , add to both sides ; complete the square
square root and solve: [4] y + 3/2 = ±√(25/4) ; y = -3/2 ± 5/2 ; y = -4 or y = 1
😎: [1] _ ; _ ; y = -4 or y = 1 ; distinct rational solutions)"},
        {{C, "x^2 = 0"}, R"(square root and solve: [1] x = 0
😎: [1] _ ; _ ; x = 0 ; repeated rational solution)"},
        {{P, "x^2 - 5x + 6 = 0", Style::fraction, true}, R"(complete the factorization: [1] (x − 2)(x − 3) = 0
zero-product rule: [2] _ ; _ ; x − 2 = 0 or x − 3 = 0 ; x = 2 or x = 3
😎: [1] _ ; _ ; x = 2 or x = 3 ; distinct rational solutions ; (number line order))"},
        {{P, "x^2 - 2 = 0"}, R"(no solution: [1] _ ; _ ; factors but not over integers
😎: [3] x = -√2 or x = √2 ; distinct irrational solutions ; (number line order)⏎⏎shown for convenience)"},
        {{P, "2x^2 - 10x + 12 = 0"}, R"(simplify the equation: [1] 2(x² − 5x + 6) = 0 ; x² − 5x + 6 = 0 ; ⏎2 is greatest common divisor⏎⏎factor out  2⏎divide both sides by  2
complete the factorization: [3] (x − 2)(x − 3) = 0
zero-product rule: [4] _ ; _ ; x − 2 = 0 or x − 3 = 0 ; x = 2 or x = 3
😎: [1] _ ; _ ; x = 2 or x = 3 ; distinct rational solutions ; (number line order))"},
        {{P, "1/2x^2 - 1/2 = 0", Style::fraction, true}, R"(clear fractions: [1] 2((1/2)x² − 1/2) = 2(0) ; x² − 1 = 0 ; _ ; _ ; 2 is LCM of denominators⏎⏎we can use any multiple of the⏎denominators to clear fractions
complete the factorization: [3] (x + 1)(x − 1) = 0
zero-product rule: [4] _ ; _ ; x + 1 = 0 or x − 1 = 0 ; x = -1 or x = 1
😎: [1] _ ; _ ; x = -1 or x = 1 ; distinct rational solutions ; (number line order))"},
        {{P, "0.25x^2 - 0.01 = 0", D}, R"(clear decimals: [1] 100(0.25x² − 0.01) = 100(0) ; 25x² − 1 = 0 ; _ ; _ ; ⏎highest decimal place count⏎is 2, multiply both sides⏎by 10² = 100
complete the factorization: [3] (5x + 1)(5x − 1) = 0
zero-product rule: [4] _ ; _ ; 5x + 1 = 0 or 5x − 1 = 0 ; x = -1/5 or x = 1/5
😎: [1] _ ; _ ; x = -1/5 or x = 1/5 ; distinct rational solutions ; (number line order))"},
        {{P, "1/4x^2 - 1/5 = 0", D}, R"(clear decimals: [1] 100(0.25x² − 0.2) = 100(0) ; 25x² − 20 = 0 ; _ ; _ ; ⏎highest decimal place count⏎is 2, multiply both sides⏎by 10² = 100
simplify the equation: [3] 5(5x² − 4) = 0 ; 5x² − 4 = 0 ; ⏎5 is greatest common divisor⏎⏎factor out  5⏎divide both sides by  5
no solution: [5] _ ; _ ; factors but not over integers
😎: [1] _ ; _ ; x = -0.89442719 or x = 0.89442719 ; distinct irrational solutions ; (number line order)⏎⏎shown for convenience)"},
        {{P, "1/3x^2 - 3 = 0", D}, R"(clear decimals: [1] 3(0.33333333x² − 3) = 3(0) ; x² − 9 = 0 ; _ ; _ ; 3 is LCM of denominators⏎⏎we can use any multiple of the⏎denominators to clear fractions
complete the factorization: [3] (x + 3)(x − 3) = 0
zero-product rule: [4] _ ; _ ; x + 3 = 0 or x − 3 = 0 ; x = -3 or x = 3
😎: [1] _ ; _ ; x = -3 or x = 3 ; distinct rational solutions ; (number line order))"},
        {{P, "-x^2 + 5x - 6 = 0"}, R"(simplify the equation: [1] -(x² − 5x + 6) = 0 ; x² − 5x + 6 = 0 ;  ⏎factor out  -1⏎divide both sides by  -1
complete the factorization: [3] (x − 2)(x − 3) = 0
zero-product rule: [4] _ ; _ ; x − 2 = 0 or x − 3 = 0 ; x = 2 or x = 3
😎: [1] _ ; _ ; x = 2 or x = 3 ; distinct rational solutions ; (number line order))"},
        {{P, "6x^2 - 5x + 1 = 0"}, R"(complete the factorization: [1] (2x − 1)(3x − 1) = 0
zero-product rule: [2] _ ; _ ; 2x − 1 = 0 or 3x − 1 = 0 ; x = 1/2 or x = 1/3
😎: [1] _ ; _ ; x = 1/3 or x = 1/2 ; distinct rational solutions ; (number line order))"},
        {{P, "x^2 - 4x + 4 = 0"}, R"(complete the factorization: [1] (x − 2)(x − 2) = 0
zero-product rule: [2] _ ; _ ; x − 2 = 0 ; x = 2
😎: [1] _ ; _ ; x = 2 ; repeated rational solution)"},
        {{P, "x^2 = 0"}, R"(zero-product rule: [1] _ ; _ ; x = 0 ; _
😎: [4] repeated rational solution)"},
        {{P, "-x^2 + 3x = 0"}, R"(complete the factorization: [1] -x(x − 3) = 0
zero-product rule: [2] _ ; _ ; x = 0 or x − 3 = 0 ; x = 0 or x = 3
😎: [1] _ ; _ ; x = 0 or x = 3 ; distinct rational solutions ; (number line order))"},
        {{P, "x^2 + 1 = 0"}, R"(no solution: [1] _ ; _ ; no solution
😎: [4])"},
        {{P, "y^2 - 9 = 0"}, R"(complete the factorization: [1] (y + 3)(y − 3) = 0
zero-product rule: [2] _ ; _ ; y + 3 = 0 or y − 3 = 0 ; y = -3 or y = 3
😎: [1] _ ; _ ; y = -3 or y = 3 ; distinct rational solutions ; (number line order))"},
        // Powers above the square that cancel go on the "descending powers" page, or the linear solver's.
        {{P, "x^3 + x^2 = x^3 + 4"}, R"(descending powers of x: [1] x² − 4 = 0 ; left hand side for convenience
complete the factorization: [2] (x + 2)(x − 2) = 0
zero-product rule: [3] _ ; _ ; x + 2 = 0 or x − 2 = 0 ; x = -2 or x = 2
😎: [1] _ ; _ ; x = -2 or x = 2 ; distinct rational solutions ; (number line order))"},
        {{F, "x^3 + x = x^3 + 4"}, R"(descending powers of x: [1] x − 4 = 0 ; left hand side for convenience
constant terms opposite to x: [2] x = 0 + 4 ; x = 4
😎: [1] x = 4)"},
        {{P, "x^4 + x^2 + x = x^4 + x^2 + 1"}, R"(same square term on both sides: [1] x⁴ + x = x⁴ + 1
descending powers of x: [2] x − 1 = 0 ; left hand side for convenience
constant terms opposite to x: [3] x = 0 + 1 ; x = 1
😎: [1] x = 1)"},
        {{C, "x^2 + 3 < x^2 + 3x"}, R"(same square term on both sides: [1] 3 < 3x
solve for x: [2] 3/3 < x ; 1 < x ; x > 1
😎: [1] x > 1)"},
        // The terms of another letter cancel the same way, squares letter by letter.
        {{P, "y^2 + x^2 - 5x = y^2 - 6"}, R"(same square term on both sides: [1] x² − 5x = -6
descending powers of x: [2] x² − 5x + 6 = 0 ; left hand side for convenience
complete the factorization: [3] (x − 2)(x − 3) = 0
zero-product rule: [4] _ ; _ ; x − 2 = 0 or x − 3 = 0 ; x = 2 or x = 3
😎: [1] _ ; _ ; x = 2 or x = 3 ; distinct rational solutions ; (number line order))"},
        {{F, "z + x^2 = z + 4"}, R"(descending powers of x: [1] x² − 4 = 0 ; left hand side for convenience
substitute in formula and solve: [2] _ ; _ ; for  ax² + bx + c = 0 ,  a ≠ 0 ; x = (-b ± √b² − 4ac)/2a ; _ ; _ ; _ ; a = 1 , b = 0 and c = -4 ; x = (0 ± √(0^2 − 4(1)(-4)))/(2(1)) ; _ ; _ ; _ ; x = -2 or x = 2 ; from calculator
😎: [1] _ ; _ ; x = -2 or x = 2 ; distinct rational solutions)"},
        {{C, "y^2 - y^2 + z^2 = 9"}, R"(combine like terms: [1] z² = 9
descending powers of z: [2] z² − 9 = 0 ; left hand side for convenience
constant term to right hand side: [3] z² = 9 ; _
square root and solve: [4] z = ±√9 ; z = -3 or z = 3
😎: [1] _ ; _ ; z = -3 or z = 3 ; distinct rational solutions)"},
        {{F, "y^3 + x = y^3 + 2"}, R"(descending powers of x: [1] x − 2 = 0 ; left hand side for convenience
constant terms opposite to x: [2] x = 0 + 2 ; x = 2
😎: [1] x = 2)"},
    };
    for (const auto& c : cases) {
        const QuadraticSteps whole = solve(c.run);
        EXPECT_EQ(pagesText(whole.steps, whole.comments), c.pages) << c.run.equation;
        QuadraticSteps embedded = solve({c.run.method, c.run.equation, c.run.style, c.run.colored, true});
        if (whole.comments.front().front() == "\U0001F914") {
            embedded.steps.insert(embedded.steps.begin(), whole.steps.front());
            embedded.steps.push_back(whole.steps.back());
            embedded.comments.insert(embedded.comments.begin(), {"\U0001F914"});
            embedded.comments.push_back({"\U0001F60E"});
        }
        EXPECT_EQ(embedded, whole) << c.run.equation;
        if (c.run.method == C) {  // completing the square marks whatever the option
            EXPECT_EQ(solve({C, c.run.equation, c.run.style, !c.run.colored}), whole) << c.run.equation;
        }
    }
}

// Degree 3 or more once both sides are gathered, an inequality on the
// quadratic path, two letters and a root beyond 64 bits: the one page of
// the equation as given, embedded or not, by every method.
TEST(QuadraticPages, OutOfScope) {
    const auto refused = [](Quadratic_method method, const char* equation, bool embedded) {
        return solve({method, equation, D, false, embedded}) ==
               outOfScopePage(equationTable(D, readPolyEquation(equation).value()));
    };
    for (const char* equation :
         {"x^3 + x^2 - 1 = 0", "x^3 = 8", "x^3 + x^2 = 2x^3", "x^3 + x^2 < x^3 + 4", "x^2 - 5x + 6 < 0", "x^2 >= 2x", "x^2 + y = 1", "y^2 = 1 + x", "y^2 + x^2 = 2y^2 + 1", "y + x^2 = 2y + 1",
          "x^2 - 9223372036854775807x - 9223372036854775808 = 0"})
        for (const Quadratic_method method : allCases<Quadratic_method>())
            for (const bool embedded : {false, true}) EXPECT_TRUE(refused(method, equation, embedded)) << equation;
    // Numbers beyond 64 bits on the way: refused by the methods whose pages
    // would write them, answered by the others.
    const struct {
        const char* equation;
        std::vector<Quadratic_method> refusing;
    } overflowing[] = {
        {"x^2 + 4611686018427387904x = 0", {C}},  // the square of half the x coefficient, 2¹²²
        // The lcm of the denominators when fractions are cleared, half the x coefficient.
        {"1/9223372036854775807x^2 + 1/9223372036854775806x = 0", {P, C}},
        {"4294967296x^2 + 4294967296x = 1/3", {}},  // the discriminant only
    };
    for (const auto& c : overflowing)
        for (const Quadratic_method method : allCases<Quadratic_method>())
            for (const bool embedded : {false, true})
                EXPECT_EQ(refused(method, c.equation, embedded), std::ranges::count(c.refusing, method) == 1)
                    << c.equation << " " << rawValue(method);
}

// What each step marks: completing the square always (red what it takes,
// blue what it adds); the formula page and the factoring fraction and
// zero-product steps only with the colour option; the common factor always.
TEST(QuadraticPages, Marks) {
    const struct { Case run; std::size_t page; Color colour; const char* marked; } cases[] = {
        {{F, "x^2 - 5x + 6 = 0", Style::fraction, true}, 1, Color::red, "8:a1= ; 9:11"},
        {{F, "x^2 - 5x + 6 = 0", Style::fraction, true}, 1, Color::blue, "0:5− ; 8: , b-5= ; 9:-5-5"},
        {{C, "x^2 + 2x - 3 = 0"}, 1, Color::red, "0:3− ; 1:3"},
        {{C, "x^2 + 2x - 3 = 0"}, 2, Color::red, "1:2+ ; 3:1+ ; 4:halve x coefficient from 2 to 1"},
        {{C, "x^2 + 2x - 3 = 0"}, 2, Color::blue, "2:1+1+ ; 5:square to 1 , add to both sides"},
        {{C, "2x^2 + 4x - 6 = 0"}, 1, Color::red, "0:2 ; 1:+12+12 ; 3:divide both sides by  2 ; 4:or multiply by  +12"},
        {{P, "x^2 - 5x + 6 = 0", Style::fraction, true}, 2, Color::red, "4:x2−0= or x3−0="},
        {{P, "1/2x^2 - 1/2 = 0", Style::fraction, true}, 1, Color::red, "0:+12+12 ; 1:22"},
        {{P, "2x^2 - 10x + 12 = 0"}, 1, Color::red, "0:210−12+ ; 1:2"},
        {{P, "x^2 = 0", Style::fraction, true}, 1, Color::clear, "4:x0="},
        {{F, "2x + 4 = 0", Style::fraction, true}, 1, Color::red, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(marks(solve(c.run).steps.at(c.page), c.colour), c.marked) << c.run.equation << " " << c.page;
}

TEST(QuadraticPages, RootRows) {
    auto q = [](std::int64_t an, std::int64_t ad, std::int64_t bn, std::int64_t bd, std::int64_t c) {
        return makeQuadraticSolution(makeDefaultRational(an, ad), makeDefaultRational(bn, bd), c);
    };
    constexpr auto Fr = Style::fraction;
    const struct { Quadratic_solution root; Style style; const char* shown; } cases[] = {
        {q(1, 1, 1, 1, 2), D, "2.4142136"},   {q(-3, 2, 1, 2, 5), D, "-0.38196601"}, {q(1, 2, 1, 3, 5), R, "(3 + 2√5)/6"},
        {q(2, 1, 3, 1, 7), R, "2 + 3√7"},     {q(0, 1, -2, 3, 7), R, "-2√7/3"},      {q(0, 1, -1, 1, 2), R, "-√2"},
        {q(-3, 4, 0, 1, 0), R, "-3/4"},       {q(1, 1, -3, 2, 5), Fr, "1 − (3/2)√5"}, {q(1, 1, -1, 1, 2), Fr, "1 − √2"},
        {q(0, 1, 1, 1, 2), Fr, "√2"},         {q(0, 1, -2, 3, 2), Fr, "(-2/3)√2"},   {q(5, 2, 0, 1, 0), Fr, "5/2"},
        {q(-100000000, 1, 1, 1, 9999999999999999), D, "-5e-09"},  // a and √c cancel: not rounding noise
        // A part over 0 has no number, √ of a negative c no decimal: drawn as written.
        {q(1, 0, 0, 1, 0), D, "1/0"},         {q(-1, 0, 1, 1, 2), D, "-1/0 + √2"},   {q(0, 0, 0, 1, 0), R, "0/0"},
        {q(1, 1, -3, 0, 2), R, "1 − (3/0)√2"}, {q(1, 1, -3, 0, 2), Fr, "1 − (3/0)√2"}, {q(1, 1, 1, 1, -2), D, "1 + √(-2)"},
        {q(3, 2, 0, 1, -2), D, "1.5"},
    };
    for (const auto& c : cases) EXPECT_EQ(tableText(quadraticSolutionRows(c.root, c.style)), c.shown) << c.shown;
    EXPECT_THROW(quadraticSolutionRows(q(1, 3, INT64_MAX, 2, 5), R), OverflowError);
}
