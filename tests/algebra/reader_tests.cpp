#include <functional>
#include <span>

#include <gtest/gtest.h>

#include "algebra/rational_expression_reader.hpp"
#include "algebra/reader.hpp"
#include "support/algebra_forms.hpp"
#include "support/equation_printer.hpp"

using namespace tl;
using tl::testing::widened;

namespace {

/// The plain print of a group: every number exactly as held ("n/d", "n/(-d)").
std::string groupText(const Polynomial_XL& p, std::size_t g) { return tl::testing::Printer().group(p, g); }

std::string text(const AnyEquation& any) {
    return std::visit([](const auto& e) {
        return tl::testing::Printer().equation(widened(e.LHS), e.relation, widened(e.RHS));
    }, any);
}

/// A text the reader takes, the form it reads it in and the equation as read.
struct Reading {
    const char* text;
    std::size_t form;  // 0 flat, 1 grouped, 2 factored
    const char* read;
};

void expectReadings(std::span<const Reading> readings) {
    for (const Reading& c : readings) {
        const auto r = readEquation(c.text);
        ASSERT_TRUE(r.ok()) << c.text << ": " << readErrorText(r.error());
        EXPECT_EQ(r.value().index(), c.form) << c.text;
        EXPECT_EQ(text(r.value()), c.read) << c.text;
    }
}

}  // namespace

TEST(EquationReader, ReadsEveryFormAsWritten) {
    const Reading cases[] = {
        {"(3/4)x - 0.25 = 2x^2 + 1", 0, "3/4x - 25/100 = 2x^2 + 1"},
        {"2/4x + 0 - 0x = 0", 0, "2/4x + 0 + 0x = 0"},  // unreduced, zero terms kept (−0 is 0)
        {"x/0 = 1", 0, "1/0x = 1"},
        {"0/0 + 3x/4 = -x/3", 0, "0/0 + 3/4x = -1/3x"},
        {"−x² + .5 ≥ 3/4 x", 0, "-x^2 + 5/10 ≥ 3/4x"},
        {"3/4x<=z/3", 0, "3/4x ≤ 1/3z"},
        {"y>=-1.50", 0, "y ≥ -15/10"},
        {"x/(−3) < 2/(-4)", 0, "1/(-3)x < 2/(-4)"},
        {"x¹² - 2y³ > 0x^0", 0, "x^12 - 2y^3 > 0"},
        {"-9223372036854775808 = 9223372036854775807", 0, "-9223372036854775808 = 9223372036854775807"},
        {"-(−1/2)x + (2.5)y = 2.", 0, "1/2x + 25/10y = 2"},
        {"2(3(x + 1) + 4) = 20", 1, "2(3(x + 1) + 4) = 20"},
        {"(x + 1)/2 - 3(x - 1) = 4", 1, "1/2(x + 1) - 3(x - 1) = 4"},
        {"x(x + 2) = 3", 1, "x(x + 2) = 3"},
        {"(1/2)(x + 4) = 3", 1, "1/2(x + 4) = 3"},
        {"3(2) + x = 10", 1, "3(2) + x = 10"},
        {"-(x+1)/2 = 2/3(-x) - 2x(x)/(-5)", 1, "-1/2(x + 1) = 2/3(-x) - 2/(-5)x(x)"},
        {"3x(x - 2) = 0", 1, "3x(x - 2) = 0"},
        {"(x + 1)(x + 2) = 0", 2, "(x + 1)(x + 2) = 0"},
        {"2(x + 1)(x − 3)^2 = 3(x)", 2, "2(x + 1)(x - 3)^2 = 3(x)"},
        {"(x(x+1)^1 + 2)/4 = 0", 2, "1/4(x(x + 1) + 2) = 0"},
    };
    expectReadings(cases);
    // Inner groups first, the top level last, as the solvers and tables expect.
    const auto factored = std::get<2>(readEquation("2(x + 1)(x − 3)² = 0").value()).LHS.terms;
    ASSERT_EQ(factored.size(), 3u);
    ASSERT_EQ(factored[2].size(), 1u);
    EXPECT_EQ(groupText(makePolynomialXL(factored), 1), "x - 3");
    EXPECT_EQ(std::pair(factored[2][0].factors[1].pointer, factored[2][0].factors[1].exponent), std::pair(1ul, 2ul));
    const auto grouped = readExtEquation("2(3(x + 1) + 4) = 20").value().LHS.terms;
    ASSERT_EQ(grouped.size(), 3u);
    EXPECT_EQ(std::pair(grouped[1][0].sub_exp, grouped[2][0].sub_exp),
              std::pair(std::pair<bool, std::uint64_t>{true, 0}, std::pair<bool, std::uint64_t>{true, 1}));
}

TEST(EquationReader, RefusesWithTheColumn) {
    // The column of the refusal, 0 when the text is read.
    const auto column = [](auto read) {
        return [read](std::string_view t) -> std::size_t { const auto r = read(t); return r.ok() ? 0 : r.error().position; };
    };
    using Read = std::function<std::size_t(std::string_view)>;
    const Read equation = column(readEquation), flat = column(readPolyEquation), grouped = column(readExtEquation),
               factored = column(readFactoredPolynomial);
    struct Case { Read read; std::string text; std::size_t position; } cases[] = {
        {equation, "", 1}, {equation, "x + 1", 6}, {equation, "x = 1 = 2", 7}, {equation, "x + = 1", 5},
        {equation, "2x^ = 1", 5}, {equation, "x^-1 = 2", 3}, {equation, "2^3 = x", 2}, {equation, "xy = 1", 2},
        {equation, "a = 1", 1}, {equation, "x = 1 $", 7}, {equation, "x = \xff", 5}, {equation, "x = \t\x01", 6},
        {equation, "x = 1.2.3", 8}, {equation, "x = .", 5}, {equation, "x = 99999999999999999999", 5},
        {equation, "x = 1/99999999999999999999", 7}, {equation, "x = 0.00000000000000000001", 5},
        {equation, "x^99999999999999999999 = 1", 3}, {equation, "(x + 1 = 2", 8}, {equation, "x + 1) = 2", 6},
        {equation, "3/4x/2 = 1", 5}, {equation, "2.5/3 = x", 1}, {equation, "x/2.5 = 1", 3}, {equation, "x/y = 1", 2},
        {equation, "x = 2 <= 3", 7}, {equation, "x − − 1 = 0", 5}, {equation, "x² = ²", 6}, {equation, "() = 1", 2},
        {equation, "x(1) x = 1", 6}, {equation, "-(-9223372036854775808)x = 1", 4},
        {equation, std::string(33, '(') + "x" + std::string(33, ')') + " = 1", 33},
        {equation, std::string(10001, 'x'), kMaxEquationTextLength + 1},
        {flat, "1 + 2(x + 1) = 3", 6}, {grouped, "x = (x + 1)(x + 2)", 12}, {grouped, "(x - 3)² = 0", 8},
        {factored, "x + 1 = 2", 7}, {factored, "(2x)/(x)", 5},
    };
    for (const Case& c : cases) EXPECT_EQ(c.read(c.text), c.position) << c.text;
    EXPECT_EQ(readEquation(std::string(32, '(') + "x" + std::string(32, ')') + " = 1").value().index(), 1u);
}

TEST(EquationReader, ReadsFactoredPolynomialsFromAPosition) {
    const std::string quotient = "(x + 1)(x + 2) / ((x + 1)(x + 3))";
    const auto numerator = readFactoredPolynomialAt(quotient, 0).value();
    EXPECT_EQ(groupText(numerator.polynomial, 2), "(x + 1)(x + 2)");
    ASSERT_EQ(numerator.end, quotient.find('/'));
    const auto denominator = readFactoredPolynomialAt(quotient, numerator.end + 1).value();
    EXPECT_EQ(groupText(denominator.polynomial, 3), "((x + 1)(x + 3))");
    EXPECT_EQ(denominator.end, quotient.size());
    EXPECT_EQ(readFactoredPolynomialAt("(2x^2 + 4x)/(6x)", 0).value().end, 11u);
    EXPECT_EQ(readFactoredPolynomialAt("−x/2 = 1", 0).value().end, 7u);  // "/2" divides the term
    EXPECT_EQ(readFactoredPolynomialAt("x = ", 4).error().position, 5u);
    EXPECT_EQ(columnOfOffset("−x", 3), 2u);
}

// A number in parentheses with no letter or group after it is that number,
// in every reader: each text reads exactly as its twin without the
// parentheses (2/4 unreduced, 2.5 as 25/10, a denominator's sign as written).
TEST(EquationReader, BracketedNumbersReadAsTheNumber) {
    const char* equations[][2] = {
        {"x + (3/4) = 1", "x + 3/4 = 1"},
        {"x - (3/4) = 1", "x - 3/4 = 1"},
        {"x + (−3/4) = 1", "x − 3/4 = 1"},
        {"x − (-3/4) = (2/4)", "x + 3/4 = 2/4"},
        {"(2.5) = x", "2.5 = x"},
        {"x + ( .50 ) > -(7)", "x + .50 > -7"},
        {"x^2 + (3/4) = 1", "x^2 + 3/4 = 1"},
        {"x + (3/(−4)) ≤ (+0)", "x + 3/(−4) ≤ 0"},
        {"x/0 + (1/0) = 1", "x/0 + 1/0 = 1"},
        {"-(−2) + x >= (-9223372036854775808)", "2 + x >= -9223372036854775808"},
        {"2(x + (3/4)) = (1)", "2(x + 3/4) = 1"},
        {"(x + (1/2))(x − (1/2)) = 0", "(x + 1/2)(x − 1/2) = 0"},
        {"x + ((3/4)) = 1", "x + 1(3/4) = 1"},  // the outer parentheses a group of the number
        {"x - (9223372036854775808) = 1", "x - 9223372036854775808 = 1"},
    };
    for (const auto& [bracketed, twin] : equations) {
        const auto read = readEquation(bracketed), expected = readEquation(twin);
        ASSERT_TRUE(read.ok()) << bracketed << ": " << readErrorText(read.error());
        ASSERT_TRUE(expected.ok()) << twin;
        EXPECT_EQ(read.value().index(), expected.value().index()) << bracketed;
        EXPECT_EQ(text(read.value()), text(expected.value())) << bracketed;
        EXPECT_EQ(readPolyEquation(bracketed).ok(), readPolyEquation(twin).ok()) << bracketed;
        EXPECT_EQ(readExtEquation(bracketed).ok(), readExtEquation(twin).ok()) << bracketed;
    }
    const char* polynomials[][2] = {
        {"x^2 - (4)", "x^2 - 4"}, {"(−3/4) + x", "−3/4 + x"}, {"3x(x + (2.5))", "3x(x + 2.5)"},
        {"(x + (1/2))(x - (1/(-2)))^2", "(x + 1/2)(x - 1/(-2))^2"}, {"(0)", "0"},
    };
    const auto side = [](const Polynomial_XL& p) { return tl::testing::Printer().side(p); };
    for (const auto& [bracketed, twin] : polynomials) {
        const auto read = readPolynomial(bracketed), expected = readPolynomial(twin);
        ASSERT_TRUE(read.ok()) << bracketed << ": " << readErrorText(read.error());
        EXPECT_EQ(side(read.value()), side(expected.value())) << bracketed;
        EXPECT_EQ(side(readFactoredPolynomial(bracketed).value()), side(read.value())) << bracketed;
    }
    const char* expressions[][2] = {
        {"(x^2 - (1))/(x + 1)", "(x^2 - 1)/(x + 1)"}, {"(x + (1/2))/((2))", "(x + 1/2)/2"},
        {"x/(x − (3/4))", "x/(x − 3/4)"}, {"(3/4)/(x + (1))", "(3/4)/(x + 1)"},
    };
    for (const auto& [bracketed, twin] : expressions) {
        const auto read = readRationalExpression(bracketed), expected = readRationalExpression(twin);
        ASSERT_TRUE(read.ok()) << bracketed << ": " << readErrorText(read.error());
        EXPECT_EQ(side(read.value().poly_N) + " / " + side(read.value().poly_D),
                  side(expected.value().poly_N) + " / " + side(expected.value().poly_D))
            << bracketed;
    }
    // A number is no group: parentheses 32 deep around one are read.
    const std::string deep = std::string(32, '(') + "(3/4)" + std::string(32, ')') + " = x";
    ASSERT_TRUE(readExtEquation(deep).ok()) << readErrorText(readExtEquation(deep).error());
    EXPECT_EQ(readExtEquation(deep).value().LHS.terms.front().front().monomial.coefficient.denominator, 4);
}

// What parentheses around a number meant where something follows them, they
// still mean: a coefficient before a letter or a group, a group before a
// power or a divisor, a group after a number or a letter; and the same texts
// are still refused at the same column.
TEST(EquationReader, BracketedNumbersBeforeAnythingElseKeepTheirReading) {
    const Reading cases[] = {
        {"(3/4)x = (−2)y", 0, "3/4x = -2y"},
        {"(3/4)(x + 1) = 1", 1, "3/4(x + 1) = 1"},
        {"2(3) + x = x(1)", 1, "2(3) + x = x(1)"},
        {"(3)(x + 1) = (2.5)(1)", 1, "3(x + 1) = 25/10(1)"},
        {"(3/4)^2 = x", 2, "(3/4)^2 = x"},
        {"x + (3)² = 1", 2, "x + (3)^2 = 1"},
        {"(3/4)/2 = x", 1, "1/2(3/4) = x"},
        {"x + (3)/(−2) = 1", 1, "x + 1/(-2)(3) = 1"},
        {"(3)(4) = x", 1, "3(4) = x"},
        // A number the term's sign would take beyond 64 bits stays in its group.
        {"x - (-9223372036854775808) = 1", 1, "x - 1(-9223372036854775808) = 1"},
        {"x − (−922337203685477580.8) = 1", 1, "x - 1(-9223372036854775808/10) = 1"},
    };
    expectReadings(cases);
    const std::pair<const char*, std::size_t> refused[] = {
        {"(3)2 = 1", 4}, {"(3)/x = 1", 4}, {"(2.5/4) = x", 2}, {"x + (3/4 = 1", 10}, {"(3/4)x/3 = 1", 7},
        {"(3/4)^ = 1", 8}, {"((3/4) = 1", 8}, {"(3/4)) = 1", 6},
    };
    for (const auto& [t, column] : refused) {
        const auto r = readEquation(t);
        ASSERT_FALSE(r.ok()) << t;
        EXPECT_EQ(r.error().position, column) << t << ": " << r.error().message;
    }
}

// Parentheses a reader does not take are refused at the first group, or the
// first product or power of groups, in the words of the command line: what
// was typed and the entry that takes it, never a function of the code.
TEST(EquationReader, NotesOnParenthesesNameTheEntryThatTakesThem) {
    const std::string grouped = "an equation with parentheses: solve it with solveExtEquation";
    const std::string factored =
        "a product or a power of parentheses: multiply it out first, or show it with algebraTable";
    using Read = std::function<std::string(std::string_view)>;
    const auto refusal = [](auto read) -> Read {
        return [read](std::string_view t) { const auto r = read(t); return r.ok() ? "" : readErrorText(r.error()); };
    };
    const Read flat = refusal(readPolyEquation), groups = refusal(readExtEquation);
    const struct {
        Read read;
        const char* text;
        std::string refused;
    } cases[] = {
        {flat, "2(x + 1) = 8", "column 2: " + grouped},
        {flat, "x = 3 + (x − 1)", "column 9: " + grouped},
        {flat, "x(x + 2) = 3", "column 2: " + grouped},
        {flat, "(x + 1)(x - 3) = 0", "column 1: " + grouped},
        {flat, "2x − 3(4) < (x + 1)²", "column 7: " + grouped},
        {groups, "(x + 1)(x - 3) = 0", "column 8: " + factored},
        {groups, "2(x + 1)^2 = 8", "column 9: " + factored},
        {groups, "x = 3 − (x − 1)²", "column 16: " + factored},
        {groups, "x + 2(x)(x) = 1", "column 9: " + factored},
        {groups, "2(3(x + 1)(x + 2)) = 1", "column 11: " + factored},
        // What the readers take, they read.
        {flat, "2x + 3 = 11", ""},
        {groups, "2(3(x + 1) + 4) = 20", ""},
    };
    for (const auto& c : cases) {
        const std::string refused = c.read(c.text);
        EXPECT_EQ(refused, c.refused) << c.text;
        for (const char* name : {"readEquation", "readPolyEquation", "readExtEquation", "readFactoredPolynomial"})
            EXPECT_EQ(refused.find(name), std::string::npos) << c.text << ": " << refused;
    }
}
