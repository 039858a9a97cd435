// Equations with parenthesised groups, step by step and whole: tidying,
// folding, the display table in the three styles, the four worked steps,
// the textless pipeline and the worked solver. Equations are written as
// text and compared as the step view reads their tables.
#include <algorithm>
#include <functional>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/ext_steps.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/reader.hpp"
#include "common/table_text.hpp"

using namespace tl;

namespace {

Ext_polyEquation equation(std::string_view text) {
    const auto read = readExtEquation(text);
    EXPECT_TRUE(read.ok()) << text;
    return read.value();
}

std::string show(const Ext_polyEquation& e, Style style = Style::rational_fraction) {
    return tableText(extEquationTable(style, e));
}
std::string show(const std::optional<Ext_polyEquation>& e) { return e ? show(*e) : "none"; }
std::string show(const std::optional<ExtStepPair>& s) { return s ? show(s->before) + " ⇒ " + show(s->after) : "none"; }
std::string show(const std::optional<ExtClearedFractions>& c) {
    return c ? show(c->marked) + " ⇒ " + show(c->multiplied) + " ⇒ " + show(c->result) + " (" + std::to_string(c->lcm) + ")"
             : "none";
}

/// The colours of a term's coefficient (numerator, denominator, bar) and variable.
std::vector<Color> colours(const Term& t) {
    const Rational& c = t.monomial.coefficient;
    return {c.numerator_color, c.denominator_color, c.bar_color, t.monomial.variable_color};
}
const std::vector<Color> kRed(4, Color::red), kBlack(4, Color::black);

using Step = std::function<std::string(const Ext_polyEquation&)>;
const std::map<std::string, Step> kSteps{
    {"zeros", [](const auto& e) { return show(removeZeroTermsOfExtEquation(true, e)); }},
    {"unwrap", [](const auto& e) { return show(unwrapUnitGroupsOfExtEquation(e)); }},
    {"fold", [](const auto& e) { return show(foldConstantGroupsOfEquation(e)); }},
    {"simplify", [](const auto& e) { return show(simplifyStep(e)); }},
    {"clear", [](const auto& e) { return show(clearFractionsStep(false, e)); }},
    {"combine", [](const auto& e) { return show(combineSimpleLikeTermsStep(true, e)); }},
    {"distribute", [](const auto& e) { return show(distributeStep(false, e)); }},
};

}  // namespace

TEST(ExtSteps, Goldens) {
    const char* cases[][3] = {
        {"zeros", "0x + 0 = 5", "0 = 5"},
        {"zeros", "5(0) + 2 = 7", "2 = 7"},
        {"zeros", "4 + 3(0x) = 1", "4 = 1"},
        {"zeros", "5(2(0x)) + 1 = 0(y + 1) + 2x", "1 = 2x"},
        {"unwrap", "1(x + 2) = 2/2(x + 2)", "x + 2 = x + 2"},
        {"unwrap", "1(3(x + 1)) = 3 + 1(5)", "3(x + 1) = 3 + 5"},
        {"fold", "2(5) + x = 3(4)", "10 + x = 12"},
        {"fold", "(1/2)(4/3) = 2(3(4))", "2/3 = 24"},
        {"fold", "3(5x) = 3(x + 1)", "none"},
        {"fold", "3x(5) = 2(3(x + 1))", "none"},
        {"simplify", "4/2x + 2/(-4) = 3", "4x/2 + 2/-4 = 3 ⇒ 2x − 1/2 = 3"},
        {"simplify", "2/2(x + 1) = 3/(-6)x", "2(x + 1)/2 = 3x/-6 ⇒ x + 1 = -x/2"},
        {"simplify", "3(x/2 + 1) = 1(x)", "none"},
        {"clear", "x/2 + 1/3 = 5/6", "x/2 + 1/3 = 5/6 ⇒ 6(x/2 + 1/3) = 6(5/6) ⇒ 3x + 2 = 5 (6)"},
        {"clear", "(1/2)(x + 4) = x/(-3)", "(x + 4)/2 = x/-3 ⇒ 6((x + 4)/2) = 6(x/-3) ⇒ 3(x + 4) = -2x (6)"},
        {"clear", "(1/2)(x + 4) = 3", "(x + 4)/2 = 3 ⇒ 2((x + 4)/2) = 2(3) ⇒ x + 4 = 6 (2)"},
        {"clear", "3(x/2 + 1) = 4", "none"},
        {"combine", "3(x + 1) + 5 = 20", "none"},
        {"combine", "2x - 2x + 4 = x - x", "2x − 2x + 4 = x − x ⇒ 4 = 0"},
        {"combine", "x/2 + x/2 = 3x + 4/2x", "none"},
        {"combine", "2x + 3 + x/2 + 5x - 3 = 1", "2x + 3 + x/2 + 5x − 3 = 1 ⇒ 7x + x/2 = 1"},
        {"combine", "2(x + x) + y + y = 2", "2(x + x) + y + y = 2 ⇒ 2(2x) + 2y = 2"},
        {"distribute", "3(x) + 2(x) = 1", "3(x) + 2(x) = 1 ⇒ 3x + 2(x) = 1"},
        {"distribute", "2(3(x + 1) + 4) = 20", "2(3(x + 1) + 4) = 20 ⇒ 2(3x + 3 + 4) = 20"},
        {"distribute", "x(x + 2) = 3", "x(x + 2) = 3 ⇒ x² + 2x = 3"},
        {"distribute", "y(y + 2) = y(2)", "y(y + 2) = y(2) ⇒ y² + 2y = y(2)"},
        {"distribute", "(2/3)(3x/4 - 1/2) = 1", "2(3x/4 − 1/2)/3 = 1 ⇒ x/2 − 1/3 = 1"},
        {"distribute", "5 = -2(x - 1)", "5 = -2(x − 1) ⇒ 5 = -2x + 2"},
        {"distribute", "x + 1 = 2", "none"},
    };
    for (const auto& [step, text, expected] : cases) EXPECT_EQ(kSteps.at(step)(equation(text)), expected) << step << ": " << text;
}

TEST(ExtSteps, TablesInEveryStyle) {
    const Style rf = Style::rational_fraction, fr = Style::fraction, de = Style::decimal;
    const std::tuple<const char*, Style, const char*> cases[] = {
        {"3x - 2 = -3x", rf, "3x − 2 = -3x"},
        {"2 - x + x^2 = 0x + 0", rf, "2 − x + x² = 0x + 0"},
        {"2(x + 1) = -1(x + 1)", rf, "2(x + 1) = -(x + 1)"},
        {"1(x + 1) = 1(x + 1)", rf, "x + 1 = x + 1"},
        {"1(x + 1) = -1(x + 1)", fr, "(x + 1) = -(x + 1)"},
        {"3x - 1(x + 1) = x + 1(x)", de, "3x − (x + 1) = x + (x)"},
        {"(2/3)(x + 1) = (1/2)(x + 1)", rf, "2(x + 1)/3 = (x + 1)/2"},
        {"(2/3)(x + 1) = x - (1/2)(x + 1)", fr, "(2/3)(x + 1) = x − (1/2)(x + 1)"},
        {"x - (1/2)(x + 1) = 2x(x - 1)", de, "x − (x + 1)/2 = 2x(x − 1)"},
        {"2(3(x + 1) + 4) = x^12", rf, "2(3(x + 1) + 4) = x..."},
        {"x/2 + 2(x/3) = 0.5", de, "0.5x + 2(0.33333333x) = 0.5"},
        {"x = 2 - 9223372036854775808(x + 1)", rf, "x = 2 + -9223372036854775808(x + 1)"},
    };
    for (const auto& [text, style, reading] : cases) EXPECT_EQ(show(equation(text), style), reading) << text;
    EXPECT_EQ(show(Ext_polyEquation{}), "unexpected error");

    // The join before a term takes its numerator colour, the parentheses
    // their own, a group term's bar its bar colour, its denominator the denominator colour.
    Ext_polyEquation e = equation("x - (2/3)(x + 1) = 1");
    Term& groupTerm = e.LHS.terms.back()[1];
    groupTerm.monomial.coefficient = makeThreeColorRational(-2, 3, Color::red, Color::blue, Color::green);
    groupTerm.sub_exp_parenthesis_color = Color::cyan;
    const Engine_Table table = extEquationTable(rf, e);
    const auto colourOf = [&](const std::string& kind, const std::string& text) {
        for (auto r = table.begin(); r != table.end(); ++r)
            if (*r == Engine_Row{kind, text})
                return std::find_if(r, table.end(), [&](const Engine_Row& row) { return row[0] == kind + "_color"; })->at(1);
        return std::string("absent");
    };
    EXPECT_EQ(colourOf("join", "\u2212") + colourOf("join", "/") + colourOf("unary", "()") + colourOf("message", "3"),
              "redgreencyanblue");
}

TEST(ExtSteps, ColoursReferencesAndLetters) {
    // Marks: the multiplier, its parentheses and the group's terms before; the products after.
    const auto d = *distributeStep(true, equation("3(x + 1) + 5 = 20"));
    EXPECT_EQ(colours(d.before.LHS.terms[1][0]), kRed);
    EXPECT_EQ(d.before.LHS.terms[1][0].sub_exp_parenthesis_color, Color::red);
    EXPECT_EQ(colours(d.before.LHS.terms[0][1]), kRed);
    EXPECT_EQ(colours(d.before.LHS.terms[1][1]), kBlack);
    EXPECT_EQ(colours(d.after.LHS.terms[1][0]), kRed);
    EXPECT_EQ(colours(d.after.LHS.terms[1][2]), kBlack);
    const auto c = *clearFractionsStep(true, equation("x/2 + 1/3 = 5/6"));
    EXPECT_EQ(colours(c.marked.LHS.terms[0][1]), (std::vector{Color::black, Color::red, Color::black, Color::black}));
    EXPECT_EQ(c.multiplied.RHS.terms[1][0].monomial.coefficient.numerator_color, Color::red);

    const Ext_polyEquation recoloured = recolorExtEquation(Color::red, Color::blue, Color::green, equation("2(x + 1) = 3"));
    EXPECT_EQ(colours(recoloured.LHS.terms[0][0]), kRed);
    EXPECT_EQ(recoloured.LHS.terms[1][0].sub_exp_parenthesis_color, Color::red);
    EXPECT_EQ(recoloured.RHS.terms[0][0].monomial.coefficient.numerator_color, Color::blue);
    EXPECT_EQ(recoloured.relation_color, Color::green);
    EXPECT_EQ(removeZeroTermsOfExtEquation(true, recoloured).relation_color, Color::black);
    const Term coefficientOnly = recolorTermCoefficient(Color::red, recoloured.LHS.terms[1][0]);
    EXPECT_EQ(colours(coefficientOnly), (std::vector{Color::red, Color::red, Color::red, Color::black}));
    EXPECT_EQ(coefficientOnly.sub_exp_parenthesis_color, Color::black);

    // An emptied group stays at its place as the zero term; a group term that moves up keeps its reference.
    const Ext_polynomial unwrapped = unwrapUnitGroups(equation("1(3(x + 1)) = 5").LHS);
    EXPECT_EQ(tableText(extTermsTable(1, Style::rational_fraction, unwrapped.terms)), "0");
    EXPECT_TRUE(unwrapped.terms.back()[0].sub_exp.first);
    // Only the top levels count: the group below is left unreferenced.
    EXPECT_FALSE(equationHasParentheses(removeZeroTermsOfExtEquation(true, equation("0(x + 1) + x = 4"))));
    EXPECT_TRUE(extEquationHasZeroDenominator(equation("x = 3(1/0 + x)")));
    // Constants are like terms whatever their letter; a product takes the multiplier's letter over a constant.
    Ext_polyEquation constants = equation("3 + 4 = y(2)");
    constants.LHS.terms.back()[0].monomial.variable = "y";
    EXPECT_EQ(show(combineSimpleLikeTermsStep(true, constants)->after), "7 = y(2)");
    EXPECT_EQ(distributeStep(false, constants)->after.RHS.terms.back()[0].monomial.variable, "y");

    // A group term must refer to an earlier group, once.
    Ext_polynomial cyclic = equation("2(x + 1) = 3").LHS;
    cyclic.terms[0][0] = makeTerm(makeMonomialX(makeDefaultRational(1, 1), 0), {true, 1});
    EXPECT_THROW(requireWellFormedExtSide(cyclic), PreconditionError);
    EXPECT_THROW(requireWellFormedExtSide(Ext_polynomial{}), PreconditionError);
}
