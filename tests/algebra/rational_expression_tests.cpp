#include "algebra/rational_expression.hpp"

#include <gtest/gtest.h>

#include <span>

#include "algebra/rational_expression_reader.hpp"
#include "algebra/rational_expression_steps.hpp"
#include "algebra/tables.hpp"
#include "common/items.hpp"
#include "common/table_text.hpp"
#include "factored_values.hpp"

namespace tl {
namespace {

using testing::colors;
using testing::ratio;
using testing::show;
using testing::xl;

using States = std::optional<std::vector<Rational_Expression>>;

std::string shown(const std::optional<RationalStepPair>& pair) {
    return pair ? show((*pair)[0]) + "  ->  " + show((*pair)[1]) : "none";
}
std::string shown(const States& states) {
    if (!states) return "none";
    std::string s;
    for (const Rational_Expression& e : *states) s += (s.empty() ? "" : "  ->  ") + show(e);
    return s;
}
/// An expression numerator / denominator and the text expected of it.
struct Case {
    const char* numerator;
    const char* denominator;
    const char* expected;
};
template <class Shown>
void expectEach(std::span<const Case> cases, Shown shown) {
    for (const Case& c : cases)
        EXPECT_EQ(shown(ratio(c.numerator, c.denominator)), c.expected) << c.numerator << " / " << c.denominator;
}

std::string painted(const std::optional<RationalStepPair>& pair) { return colors((*pair)[0]) + "  " + colors((*pair)[1]); }

TEST(RationalExpression, Row) {
    const Rational_Expression zero;
    const Engine_Table numerator = polynomialRow(Style::rational_fraction, zero.poly_N);
    EXPECT_EQ(rationalExpressionRow(zero), numerator);
    EXPECT_EQ(rationalExpressionRow(zero, true),
              joinItem("/", numerator, polynomialRow(Style::rational_fraction, zero.poly_D), Color::black));
    const Rational_Expression red = makeColoredRationalExpression(xl("x"), xl("1"), Color::red);
    EXPECT_EQ(rationalExpressionRow(red), polynomialRow(Style::rational_fraction, red.poly_N));
    EXPECT_EQ(rationalExpressionRow(red, true).back(), (Engine_Row{"join_tag", "anon"}));
    EXPECT_EQ(rationalExpressionRow(red, true)[rationalExpressionRow(red, true).size() - 2],
              (Engine_Row{"join_color", "red"}));
    EXPECT_TRUE(isConstantOverOne(ratio("3", "1"), 3));
}

TEST(RationalExpression, StepPairs) {
    const Rational_Expression barred = makeColoredRationalExpression(xl("x + x^2"), xl("1"), Color::red);
    const auto order = standardOrderStepPair(barred);
    EXPECT_EQ(shown(order), "x, x^2 // 1  ->  x^2, x // 1");
    EXPECT_EQ(painted(order), "rr/k/k  rr/k/k");  // a step's expressions have black bars
    EXPECT_EQ(shown(standardOrderStepPair(ratio("x^2 + 1", "x - 1"))), "none");
    // A part of several groups is sorted group by group, keeping its value.
    EXPECT_EQ(shown(standardOrderStepPair(ratio("(1 + x)(x + 2)", "3"))), "1, x | x, 2 | (0)(1) // 3  ->  x, 1 | x, 2 | (0)(1) // 3");
    // Such a part never counts as in standard order, but a step that would change nothing is none.
    EXPECT_EQ(shown(standardOrderStepPair(ratio("(x + 1)(x + 2)", "x^2 + 1"))), "none");
    EXPECT_EQ(shown(standardOrderStepPair(ratio("(x + 1)(x + 2)", "(x + 1)(x + 3)"))), "none");
    EXPECT_EQ(shown(standardOrderStepPair(ratio("(x + 1)(x + 2)", "1 + x^2"))),
              "x, 1 | x, 2 | (0)(1) // 1, x^2  ->  x, 1 | x, 2 | (0)(1) // x^2, 1");

    const auto negative = negativeOneStepPair(ratio("-1", "-x - 1"));
    EXPECT_EQ(shown(negative), "-1 // -x, -1  ->  -1 // -1 | x, 1 | (0)(1)");
    EXPECT_EQ(painted(negative), "k/k/bb  k/k/b|bb|b(b)(b)");
    EXPECT_EQ(shown(negativeOneStepPair(ratio("-1", "-1"))), "none");
    // −1 comes out of the group that leads negative, when that keeps the value.
    const Case minusOne[] = {
        {"(-x - 1)(x + 2)", "1", "(-1)(x + 1)(x + 2)"},
        {"3x^2(-x + 4)", "1", "3x²(-1)(x − 4)"},
        {"(-x - 1)^3(x + 2)", "1", "(-1)(x + 1)^3(x + 2)"},
        {"(-x - 1)^2(x + 2)", "1", "(-1)(-(x + 1)^2(x + 2))"},  // an even power: no sign of its own to give
        {"(-x - 1)(x + 2) + 1", "1", "(-1)((x + 1)(x + 2) − 1)"},
        {"(-x - 1)^2(x + 2) + 1", "1", "(-1)(-(x + 1)^2(x + 2) − 1)"},
        {"(-x - 1)(x + 2) + (-x - 1)", "1", "(-1)((x + 1)(x + 2) − (-x − 1))"},  // the second group is its own
        {"-x^2 + 1", "1", "(-1)(x² − 1)"},
    };
    expectEach(minusOne, [](const Rational_Expression& e) {
        const auto pair = negativeOneStepPair(e);
        return pair ? tableText(rationalExpressionRow((*pair)[1])) : "none";
    });
    EXPECT_EQ(shown(factorStepPair(ratio("x^2 + 5x + 6", "2x + 4"))),
              "x^2, 5x, 6 // 2x, 4  ->  x, 2 | x, 3 | 1 | (0)(1)(2) // 2x, 4");
    EXPECT_EQ(painted(commonFactorStepPair(ratio("x^2 + 5x + 6", "2x + 4"))), "kkk/k/bb  kkk/k/bb|b(b)");
    EXPECT_EQ(transformBothParts(ratio("(x + 1)", "x(x - 1)"), false), std::nullopt);
    EXPECT_EQ(show(*transformBothParts(ratio("3(2)", "x"), true)), "2 | -6 // -x");
}

TEST(RationalExpression, CommonMonomial) {
    const auto simple = rationalReduceSteps(ratio("3x", "6"));
    EXPECT_EQ(shown(simple), "3x // 6  ->  x | 3(0) // 2 | 3(0)");
    EXPECT_EQ(painted(simple), "r/k/b  r|r(r)/k/b|b(b)");
    const Case cases[] = {
        {"6x(x + 1)", "4x^2(x - 1)", "3 | x, 1 | 2x(0)(1) // 2x | x, -1 | 2x(0)(1)"},
        {"2x(x + 1)", "2x^2(x - 1)", "x, 1 | 2x(0) // x | x, -1 | 2x(0)(1)"},
        {"(6/5)x", "9", "2/5x | 3(0) // 3 | 3(0)"},
        {"2x(x + 1)", "2x(x - 1)", "none"},
        {"3(x + 1)", "5(x - 1)", "none"},
        {"1(x + 1)", "2x", "none"},
        {"x + 1", "2x", "none"},
        {"0x^2", "0x", "none"},  // nothing in common with two zeros
    };
    expectEach(cases, [](const Rational_Expression& e) {
        const auto pair = rationalReduceSteps(e);
        return pair ? show((*pair)[1]) : "none";
    });
    // The layout of −1 and a common factor taken out: −1·(4x)·(x + 2) over 6x².
    const Polynomial_XL layout = factorOutGcfXL(Color::black, factorOutNegativeOneXL(xl("-4x^2 - 8x")))[1];
    EXPECT_EQ(show(layout), "-1 | 4x | x, 2 | (0)(1)(2)");
    const auto split = rationalReduceSteps(makeRationalExpression(recolorPolynomialXL(Color::blue, layout), xl("6x^2")));
    EXPECT_EQ(show((*split)[1]), "-1 | 2x | 2 | x, 2 | (0)(1)(2)(3) // 3x | 2x(0)");
    EXPECT_EQ(colors((*split)[1].poly_N), "b|r|r|bb|k(k)(r)(r)(k)");  // copied groups keep their colours
}

TEST(RationalExpression, Cancelling) {
    const auto shared = rationalCancelSteps(ratio("(x + 1)(x + 2)", "(x + 1)(x + 3)"));
    EXPECT_EQ(shown(shared), "x, 1 | x, 2 | (0)(1) // x, 1 | x, 3 | (0)(1)  ->  x, 1 | x, 2 | (1) // x, 1 | x, 3 | (1)");
    EXPECT_EQ(colors((*shared)[0]), "rr|kk|k(r)(k)/k/bb|kk|k(b)(k)");
    const Case cases[] = {
        {"x + 1", "(x + 1)(x + 2)", "1 // x, 1 | x, 2 | (1)"},
        {"(x + 1)(x + 1)", "(x + 1)(x + 5)", "x, 1 | x, 1 | (1) // x, 1 | x, 5 | (1)"},
        {"2(x + 1)", "2(x + 3)", "x, 1 | (0) // x, 3 | (0)"},
        {"(x + 1)(1)", "(x + 2)(1)", "none"},  // 1 never cancels
        {"(x + 1)(5)", "3(x + 2)", "none"},    // nothing to fold in front
        {"(5)(x + 1)", "(3)(x + 2)", "none"},
        {"4(2)(x + 1)", "(x + 3)", "2 | x, 1 | 8(1) // x, 3 | (0)"},  // folded
        {"x + 1", "x + 2", "none"},
        {"(x + 1)^2", "x + 1", "x, 1 | (0) // 1"},  // down to the smaller power
        {"2(x + 1) + 3", "x + 1", "none"},           // a group of one term of a sum never cancels
        {"3(3)(x + 1)", "(x + 1)(x + 2)", "3 | x, 1 | 9 // x, 1 | x, 2 | (1)"},
        {"2(2)", "(x + 1)(2)", "2 | 2 // x, 1 | 2 | (0)"},
        {"(x + 1)(x + 2)", "-(x + 1)", "x, 1 | x, 2 | -(1) // 1"},  // the sign goes up whole
    };
    expectEach(cases, [](const Rational_Expression& e) {
        const States states = rationalCancelSteps(e);
        return states ? show(states->back()) : "none";
    });
    EXPECT_EQ(colors((*rationalCancelSteps(ratio("2(2)", "(x + 1)(2)")))[0]), "k|r(k)/k/kk|b|k(k)(b)");
    // Cancelling again ends.
    EXPECT_EQ(shown(rationalCancelSteps(rationalCancelSteps(ratio("(x + 1)^2", "x + 1"))->back())), "none");
}

TEST(RationalExpression, Finishing) {
    const Case cases[] = {
        {"0", "x^2 + 1", "0 // x^2, 1  ->  0 // 1"},
        {"3x", "-2", "3x // -2  ->  -3x // 2"},
        {"6", "4", "none"},
        {"2x", "3x", "none"},
        {"x^2 + 1", "x^2 + 3", "x^2, 1 // x^2, 3"},
        {"x^2 + 1", "-2", "x^2, 1 // -2  ->  x^2, 1 | -(0) // 2"},
        {"(1/2)x", "-3", "1/2x // -3  ->  -1/2x // 3"},  // denominators kept
        {"(x + 1)(x + 2)", "(x + 1)(x + 3)", "none"},   // (x + 1) still cancels
        {"(2x)^2", "4x", "none"},                        // so does 2x
        {"x^2 + 1", "x^2 + 1", "none"},
        {"(x + 1)(x + 2)", "(x + 5)(x + 3)", "x, 1 | x, 2 | (0)(1) // x, 5 | x, 3 | (0)(1)"},
        {"x^2 + 1", "-(x + 3)", "x^2, 1 // x, 3 | -(0)  ->  x^2, 1 | -(0) // x, 3 | (0)"},
        // Every group of a product is finished itself, and no factor is shared.
        {"(x^2 - 1)(x + 3)", "(x - 1)(x + 2)", "none"},
        {"(x^2 + 2x + 1)(x)", "x + 1", "none"},
        {"x(-x^2)", "5(8)(-4x)", "none"},
        {"-5(-x - 3)", "2(2x + 6)(-3x - 4)(2x + 6)", "none"},
        {"x^2 + 1", "(x^2 - 4)(x + 3)", "none"},
        {"(x + 1)(x^2 + 1)", "x^4 + 3x^2 + 2", "none"},  // x² + 1, though nothing factors
        {"x(x + 1)", "x^2 + 2", "x, 1 | x(0) // x^2, 2"},
        {"x(x + 1)", "x^2 + 2x + 3", "x, 1 | x(0) // x^2, 2x, 3"},
        {"x(x + 1)", "x^2 + 3x", "none"},
        // Groups that mix letters are not compared, so they may share a factor; x + 1 and y + 1 share none.
        {"x + y + 1", "y + x + 1", "none"},
        {"(x + y + 1)(x + 2)", "(y + x + 1)(x + 3)", "none"},
        {"y + 1", "x + 1", "y, 1 // x, 1"},
        // A group of fractions factors when it does with its denominators cleared:
        // x²/2 − 1/2 as x² − 1, (1/2)x² − 1/3 not, as 3x² − 2 does not.
        {"x^2/2 - 1/2", "x + 3", "none"},
        {"(3/2)x^2 + (5/4)x - 1/4", "x + 3", "none"},  // 6x² + 5x − 1 = (6x − 1)(x + 1)
        {"x^2/2 - 1/3", "x + 3", "1/2x^2, -1/3 // x, 3"},
        {"(2x + 1)(x^2/4 - 1)", "x + 3", "none"},
        {"(2x + 1)(x^2/4 - 1/3)", "x + 3", "2x, 1 | 1/4x^2, -1/3 | (0)(1) // x, 3"},
    };
    expectEach(cases, [](const Rational_Expression& e) { return shown(rationalSimplifySteps(e)); });
    const auto own = makeColoredRationalExpression(xl("x^2 + 1"), xl("x^2 + 3"), Color::red);
    EXPECT_EQ(rationalSimplifySteps(own)->front().color, Color::red);
    // Denominators whose least common multiple, or a coefficient so cleared, passes 64 bits.
    EXPECT_THROW(rationalSimplifySteps(ratio("x^2/9223372036854775807 - 1/9223372036854775806", "x + 1")),
                 OverflowError);
    EXPECT_THROW(rationalSimplifySteps(ratio("4611686018427387903x^2/2 - 1/3", "x + 1")), OverflowError);
}

TEST(RationalExpression, NothingOverZeroIsSimplified) {
    // An expression over the zero polynomial has no value: not finished, and 0/0 is not 0.
    for (const auto& [numerator, denominator] : {std::pair{"x", "0"}, {"x + 1", "0"}, {"1", "0x"}, {"0", "0"},
                                                 {"0", "0x"}, {"x^2 + 1", "x - x"}, {"(x + 1)(x + 2)", "(x + 1)(0)"}})
        EXPECT_THROW(rationalSimplifySteps(ratio(numerator, denominator)), PreconditionError)
            << numerator << " / " << denominator;
}

TEST(RationalExpression, Reading) {
    const std::pair<const char*, const char*> cases[] = {
        {"(x + 1)(x + 2)/((x + 1)(x + 3))", "x, 1 | x, 2 | (0)(1) // x, 1 | x, 3 | (0)(1)"},
        {"3x(x - 2)", "x, -2 | 3x(0) // 1"},
        {"(2x^2 + 4x)/(6x)", "2x^2, 4x // 6x"},
        {"x/2 / (x - 1)^2", "1/2x // x, -1 | (0)^2"},
        // 1/x is no whole divisor: the "/" is the bar, and a sum beside it is refused.
        {"x + 1 / x", "column 1: a numerator of several terms: put it in parentheses, as in (x + 1)/2"},
        {"x/(x + 1)/(x + 2)", "column 2: a second \"/\": an expression has one"},
        // The fraction bar is the last "/" outside parentheses.
        {"(x + 1)/2x", "x, 1 // 2x"},
        {"6/4", "6 // 4"},
        {"3x/(-2)", "3x // -2"},
        {"(x^2+1)/(-2)", "x^2, 1 // -2"},
        {"(1/2)x/(x + 1)", "1/2x // x, 1"},
        {"x/2", "x // 2"},
        {"(x/2 + 1)(x - 1)", "1/2x, 1 | x, -1 | (0)(1) // 1"},
        {"x/", "column 3: expected a number, a letter x, y or z, or '(', found the end of the text"},
        {"/x", "column 1: expected a number, a letter x, y or z, or '(', found the end of the text"},
        {"(x + 1)/(x", "column 11: expected ')' to close the '(' at column 9, found the end of the text"},
        {"x)/2", "column 2: a \")\" without its \"(\""},
        {"x = 1", "column 3: a relation: this is an expression, not an equation"},
        {"x)", "column 2: a \")\" without its \"(\""},
    };
    for (const auto& [text, expected] : cases) {
        const auto read = readRationalExpression(text);
        EXPECT_EQ(read ? show(read.value()) : readErrorText(read.error()), expected) << text;
    }
}

}  // namespace
}  // namespace tl
