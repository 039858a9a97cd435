// Grouped equations on the examples and edge cases of their behaviour: the
// tidying, the display table, the four worked steps and the worked solver,
// equations written as text and read back as the step view reads their tables
// (the textless pipeline: through its tool entry, tests/tools/ext_entry_tests.cpp).
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
std::string show(const std::optional<ExtStepPair>& s) { return s ? show(s->before) + " ⇒ " + show(s->after) : "none"; }
std::string show(const std::optional<ExtClearedFractions>& c) {
    if (!c) return "none";
    const auto& [marked, multiplied, result, lcm] = *c;
    return show(marked) + " ⇒ " + show(multiplied) + " ⇒ " + show(result) + " (" + std::to_string(lcm) + ")";
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
    {"fold", [](const auto& e) { const auto f = foldConstantGroupsOfEquation(e); return f ? show(*f) : "none"; }},
    {"simplify", [](const auto& e) { return show(simplifyStep(e)); }},
    {"clear", [](const auto& e) { return show(clearFractionsStep(false, e)); }},
    {"combine", [](const auto& e) { return show(combineSimpleLikeTermsStep(true, e)); }},
    {"distribute", [](const auto& e) { return show(distributeStep(false, e)); }},
};

struct Options {
    Style style = Style::fraction;
    bool fractionsFirst = false, clearFractions = false, embedded = false;
    Technique technique = Technique::transpose;
};

LinearSteps solve(std::string_view text, Options o = {}) {
    const Ext_polyEquation e = equation(text);
    return solveExtEquation(o.technique, true, o.embedded, o.style, Method::standard, o.fractionsFirst,
                            o.clearFractions, e.LHS, e.RHS, e.relation, e.relation_color);
}

/// "comments | the tables of the last page but the closing one | the answer".
std::string reading(const LinearSteps& s) {
    std::string r;
    for (const auto& c : s.comments) r.append(r.empty() ? "" : " ; ").append(c.at(0));
    const bool closes = s.comments.back().at(0) == "\U0001F60E";
    const Engine_Step& last = s.steps.at(s.steps.size() - (closes ? 2 : 1));
    for (std::size_t t = 0; t < last.size(); ++t) r.append(t == 0 ? " | " : " ; ").append(tableText(last[t]));
    return closes ? r.append(" | ").append(tableText(s.steps.back().back())) : r;
}

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
        {"distribute", "y(y + 2) = y(2)", "y(y + 2) = y(2) ⇒ y² + 2y = y(2)"},
        {"distribute", "(2/3)(3x/4 - 1/2) = 1", "2(3x/4 − 1/2)/3 = 1 ⇒ x/2 − 1/3 = 1"},
        {"distribute", "5 = -2(x - 1)", "5 = -2(x − 1) ⇒ 5 = -2x + 2"},
    };
    for (const auto& [step, text, expected] : cases)
        EXPECT_EQ(kSteps.at(step)(equation(text)), expected) << step << ": " << text;
}

TEST(ExtSteps, TablesInEveryStyle) {
    const Style rf = Style::rational_fraction, fr = Style::fraction, de = Style::decimal;
    const std::tuple<const char*, Style, const char*> cases[] = {
        {"3x - 2 - x + x^2 = -3x + 0x + 0", rf, "3x − 2 − x + x² = -3x + 0x + 0"},
        {"2(x + 1) = -1(x + 1)", rf, "2(x + 1) = -(x + 1)"},
        {"1(x + 1) = 1(x + 1)", rf, "x + 1 = x + 1"},
        {"1(x + 1) = -1(x + 1)", fr, "(x + 1) = -(x + 1)"},
        {"3x - 1(x + 1) = x + 1(x)", de, "3x − (x + 1) = x + (x)"},
        {"(2/3)(x + 1) = (1/2)(x + 1)", rf, "2(x + 1)/3 = (x + 1)/2"},
        {"(2/3)(x + 1) = x - (1/2)(x + 1)", fr, "(2/3)(x + 1) = x − (1/2)(x + 1)"},
        {"x - (1/2)(x + 1) = 2x(x - 1)", de, "x − (x + 1)/2 = 2x(x − 1)"},
        {"2(3(x + 1) + 4) = x^12", rf, "2(3(x + 1) + 4) = x..."},
        {"x/2 + 2(x/3) = 0.5", de, "0.5x + 2(0.33333333x) = 0.5"},
        // −2⁶³ after another term is a subtraction of its magnitude, as in a flat equation.
        {"x = 2 - 9223372036854775808(x + 1)", rf, "x = 2 − 9223372036854775808(x + 1)"},
        {"x = 2 - 9223372036854775808(x + 1)", fr, "x = 2 − 9223372036854775808(x + 1)"},
        {"x = 2 - 9223372036854775808x(x + 1)", de, "x = 2 − 9.223372e+18x(x + 1)"},
        {"(x - 1) - 9223372036854775808 = 1", rf, "x − 1 − 9223372036854775808 = 1"},
        {"(x - 1) - 9223372036854775808 = 1", fr, "(x − 1) − 9223372036854775808 = 1"},
        {"(x - 1) - 9223372036854775808 = 1", de, "x − 1 − 9.223372e+18 = 1"},
        {"2 = 3(x - 1) - 9223372036854775808x/5", rf, "2 = 3(x − 1) − 9223372036854775808x/5"},
        {"2 = 3(x - 1) - 9223372036854775808x/5", fr, "2 = 3(x − 1) − (9223372036854775808/5)x"},
        {"2(x - 9223372036854775808) = 1", fr, "2(x − 9223372036854775808) = 1"},
        {"-9223372036854775808(x + 1) = -9223372036854775808", rf, "-9223372036854775808(x + 1) = -9223372036854775808"},
        // A unit over a negative denominator is written out: its sign is not its numerator's.
        {"2(x + 1)/(-2) + 5 = 3 - (x + 1)/(-1)", fr, "(-2/2)(x + 1) + 5 = 3 − (-1/1)(x + 1)"},
        {"2(x + 1)/(-2) + 5 = 3 - (x + 1)/(-1)", rf, "2(x + 1)/(-2) + 5 = 3 − (x + 1)/(-1)"},
    };
    for (const auto& [text, style, reading] : cases) EXPECT_EQ(show(equation(text), style), reading) << text;
    EXPECT_EQ(show(Ext_polyEquation{}), "unexpected error");

    // The join before a term takes its numerator colour, the parentheses their
    // own, the multiplier its numerator colour, its bar and denominator their own.
    Ext_polyEquation e = equation("x - (2/3)(x + 1) = 1");
    Term& groupTerm = e.LHS.terms.back()[1];
    groupTerm.monomial.coefficient = makeThreeColorRational(-2, 3, Color::red, Color::blue, Color::green);
    groupTerm.sub_exp_parenthesis_color = Color::cyan;
    std::string colourRows;
    for (const Engine_Row& row : extEquationTable(rf, e))
        if (row[0].ends_with("_color") && row[1] != "black") colourRows += std::string(row[1]) + " ";
    EXPECT_EQ(colourRows, "red cyan blue green red ");  // 2, (), 3, the bar, the "−"
}

TEST(ExtSteps, ColoursReferencesAndLetters) {
    // Marks: the multiplier, its parentheses and the group's terms before; the products after.
    const auto d = *distributeStep(true, equation("3(x + 1) + 5 = 20"));
    const auto& before = d.before.LHS.terms;
    EXPECT_EQ((std::vector{colours(before[1][0]), colours(before[0][1]), colours(before[1][1])}),
              (std::vector{kRed, kRed, kBlack}));
    EXPECT_EQ(before[1][0].sub_exp_parenthesis_color, Color::red);
    EXPECT_EQ(colours(d.after.LHS.terms[1][0]), kRed);
    EXPECT_EQ(colours(d.after.LHS.terms[1][2]), kBlack);
    const auto c = *clearFractionsStep(true, equation("x/2 + 1/3 = 5/6"));
    EXPECT_EQ(colours(c.marked.LHS.terms[0][1]), (std::vector{Color::black, Color::red, Color::black, Color::black}));
    EXPECT_EQ(c.multiplied.RHS.terms[1][0].monomial.coefficient.numerator_color, Color::red);
    const auto recoloured = recolorExtEquation(Color::red, Color::blue, Color::green, equation("2(x + 1) = 3"));
    EXPECT_EQ((std::vector{recoloured.LHS.terms[1][0].sub_exp_parenthesis_color, recoloured.relation_color,
                           recoloured.RHS.terms[0][0].monomial.coefficient.numerator_color}),
              (std::vector{Color::red, Color::green, Color::blue}));
    EXPECT_EQ(removeZeroTermsOfExtEquation(true, recoloured).relation_color, Color::black);
    EXPECT_EQ(colours(recolorTermCoefficientClosure(Color::red, recoloured.LHS.terms[1][0])),
              (std::vector{Color::red, Color::red, Color::red, Color::black}));

    // An emptied group stays at its place as the zero term; a group term that moves up keeps its reference.
    const Ext_polynomial unwrapped = unwrapUnitGroups(equation("1(3(x + 1)) = 5").LHS);
    EXPECT_EQ(tableText(extTermsTable(1, Style::rational_fraction, unwrapped.terms)), "0");
    EXPECT_TRUE(unwrapped.terms.back()[0].sub_exp.first);
    // Only the top levels count: the group below is left unreferenced.
    EXPECT_FALSE(equationHasParentheses(removeZeroTermsOfExtEquation(true, equation("0(x + 1) + x = 4"))));
    EXPECT_TRUE(extEquationHasZeroDenominator(equation("x = 3(1/0 + x)")));
    // Constants are like terms whatever their letter.
    Ext_polyEquation constants = equation("3 + 4 = y(2)");
    constants.LHS.terms.back()[0].monomial.variable = "y";
    EXPECT_EQ(show(combineSimpleLikeTermsStep(true, constants)->after), "7 = y(2)");
    // A group term must refer to an earlier group, once.
    Ext_polynomial cyclic = equation("2(x + 1) = 3").LHS;
    cyclic.terms[0][0] = makeTerm(makeMonomialX(makeDefaultRational(1, 1), 0), {true, 1});
    EXPECT_THROW(requireWellFormedExtSide(cyclic), PreconditionError);
    EXPECT_THROW(requireWellFormedExtSide(Ext_polynomial{}), PreconditionError);
    // A letter times another, at any depth, has no term to hold it; a letter times constants or itself has.
    for (const char* text : {"y(x + 1) = 3", "3 = y(2(x + 1))", "x(2(3(y))) = 1", "2(z(x)) = 1", "x = y^2(x + 1)"})
        EXPECT_TRUE(extEquationMultipliesLetters(equation(text))) << text;
    for (const char* text : {"y(y + 1) + x = y^2", "2(y(3)) + x = 6y + 1", "x(3) + y(2) = z", "x(2(3 + x)) = 1"})
        EXPECT_FALSE(extEquationMultipliesLetters(equation(text))) << text;
}

TEST(ExtSolver, WorkedRuns) {
    const Options rf{Style::rational_fraction, false, false, false, Technique::balance}, de{Style::decimal},
        first{Style::fraction, true, false}, embedded{Style::fraction, false, false, true};
    const std::tuple<const char*, Options, const char*> cases[] = {
        {"2(x + 1) = 8", {},
         "🤔 ; distribute to remove (  ) ; constant terms opposite to x ; solve for x ; 😎 | "
         "2(x + 1) = 8 ; 2x + 2 = 8 ; 2x = 8 − 2 ; 2x = 6 ; x = 6/2 ; x = 3 | x = 3"},
        {"2(3(x + 1) + 4) = 20", rf,
         "🤔 ; distribute to remove (  ) ; combine simple like terms ; distribute to remove (  ) ; "
         "constant terms opposite to x ; solve for x ; 😎 | 2(3(x + 1) + 4) = 20 ; 2(3x + 3 + 4) = 20 ; "
         "2(3x + 7) = 20 ; 6x + 14 = 20 ; 6x + 14 − 14 = 20 − 14 ; 6x = 6 ; 6x/6 = 6/6 ; x = 1 | x = 1"},
        {"(x + 1)/2 - 3(x - 1) = 4", first,
         "🤔 ; clear fractions ; distribute to remove (  ) ; combine simple like terms ; "
         "constant terms opposite to x ; solve for x ; 😎 | (1/2)(x + 1) − 3(x − 1) = 4 ; "
         "2((1/2)(x + 1) − 3(x − 1)) = 2(4) ; x + 1 − 6(x − 1) = 8 ; x + 1 − 6x + 6 = 8 ; -5x + 7 = 8 ; "
         "-5x = 8 − 7 ; -5x = 1 ; x = 1/-5 ; x = -1/5 | x = -1/5"},
        // Constant groups fold without a page; the linear pages follow under the problem.
        {"3(2) + x = 10", {},
         "🤔 ; constant terms opposite to x ; 😎 | 3(2) + x = 10 ; 6 + x = 10 ; x = 10 − 6 ; x = 4 | x = 4"},
        // Already solved once flattened: no linear pages.
        {"2(x/2) = 6/4", {},
         "🤔 ; simplify ; distribute to remove (  ) ; 😎 | 2((1/2)x) = 6/4 ; 2((1/2)x) = 3/2 ; x = 3/2 | x = 3/2"},
        // A multiplier 2/(-2) is written out, and "simplify" makes it −1.
        {"5 + 2(x + 1)/(-2) = 3", {},
         "🤔 ; simplify ; distribute to remove (  ) ; combine simple like terms ; constant terms opposite to x ; "
         "solve for x ; 😎 | 5 + (-2/2)(x + 1) = 3 ; 5 − (x + 1) = 3 ; 5 − x − 1 = 3 ; 4 − x = 3 ; -x = 3 − 4 ; "
         "-x = -1 ; x = 1 | x = 1"},
        {"2(x + 1) = 3", de, "🤔 ; distribute to remove (  ) ; constant terms opposite to x ; solve for x ; 😎 | "
                             "2(x + 1) = 3 ; 2x + 2 = 3 ; 2x = 3 − 2 ; 2x = 1 ; x = 1/2 ; x = 0.5 | x = 0.5"},
        // The letter of the answer is the flattened equation's, not that of a dropped 0y.
        {"0y + 2(x) = 4", {},
         "🤔 ; distribute to remove (  ) ; solve for x ; 😎 | 2(x) = 4 ; 2x = 4 ; x = 4/2 ; x = 2 | x = 2"},
        // Multiplying out makes squares: the out-of-scope page ends the run, no answer.
        {"x(x + 2) = 3", {},
         "🤔 ; distribute to remove (  ) ; oops | x(x + 2) = 3 ; x² + 2x = 3 ;  ;  ; beyond module scope ; "
         "please correct"},
        // Squares that cancel once multiplied out leave a linear equation.
        {"x(x + 1) = x(x + 2)", {},
         "🤔 ; distribute to remove (  ) ; distribute to remove (  ) ; same square term on both sides ; "
         "x terms to one side ; solve for x ; 😎 | x(x + 1) = x(x + 2) ; x² + x = x(x + 2) ; x² + x = x² + 2x ; "
         "x = 2x ; x − 2x = 0 ; -x = 0 ; x = 0 | x = 0"},
        {"2(x + 3y) = 4", embedded,
         "distribute to remove (  ) ; oops | 2(x + 3y) = 4 ; 2x + 6y = 4 ;  ;  ; beyond module scope ; please correct"},
        // Terms of another letter that cancel once multiplied out leave one letter.
        {"2(y + 1) + x = 2y + 5", {},
         "🤔 ; distribute to remove (  ) ; descending powers of x ; constant terms opposite to x ; 😎 | "
         "2(y + 1) + x = 2y + 5 ; 2y + 2 + x = 2y + 5 ; x − 3 = 0 ; x = 0 + 3 ; x = 3 | x = 3"},
        // A letter times another has no term to hold it: one page, before any step.
        {"y(x + 1) = 3", {}, "oops | y(x + 1) = 3 ;  ;  ; beyond module scope ; please correct"},
        {"y(x) = y(x) + x - 3", embedded,
         "oops | y(x) = y(x) + x − 3 ;  ;  ; beyond module scope ; please correct"},
        // Numbers beyond 64 bits and zero denominators: one page with the equation as given.
        {"9223372036854775807(x + 2) = 1", {},
         "oops | 9223372036854775807(x + 2) = 1 ;  ;  ; beyond module scope ; please correct"},
        {"2(x/0) = 1", embedded, "oops | 2((1/0)x) = 1 ;  ;  ; division by zero ; please correct"},
    };
    for (const auto& [text, options, expected] : cases) EXPECT_EQ(reading(solve(text, options)), expected) << text;

    // Without parentheses once tidied, the linear solver's own run, embedded or not.
    const auto flat = readPolyEquation("x + 2 = 4").value();
    for (const bool embedded : {false, true})
        EXPECT_EQ(solve("1(x + 2) = 0(x) + 4", {Style::fraction, false, false, embedded}),
                  solveLinearEquation(Technique::transpose, true, embedded, Style::fraction, Method::standard, false,
                                      flat.LHS, flat.RHS, flat.relation, flat.relation_color));
    // The answer of a run in rational_fraction style is drawn in fraction style.
    const Engine_Table answer = solve("2(x + 1) = 3", rf).steps.back().back();
    EXPECT_TRUE(std::ranges::any_of(answer, [](const Engine_Row& row) { return row[0] == "signed_rational"; }));
    // Many parentheses: each page repeats the ones before it, and shares their tables.
    std::string many = "2(x)";
    for (int i = 0; i < 30; ++i) many += " + 2(x)";
    EXPECT_EQ(tableText(solve(many + " = 1").steps.back().back()), "x = 1/62");
    // A solution too large to show: the out-of-scope page alone.
    for (int i = 0; i < 140; ++i) many += " + 2(x)";
    EXPECT_EQ(solve(many + " = 1").comments, std::vector<std::vector<std::string>>{{"oops"}});
    // Clearing fractions first is the grouped solver's step only when asked.
    const LinearSteps later = solve("(x + 1)/2 = 3", {Style::fraction, false, true});
    EXPECT_EQ(std::ranges::count(later.comments, std::vector<std::string>{"clear fractions"}), 1);
    EXPECT_EQ(solve("(x + 1)/2 = 3", first).steps[1].back()[1][1],
              "\n2 is LCM of denominators\n\nwe can use any multiple of the\ndenominators to clear fractions");

    // Without pages: squares that cancel once multiplied out leave the linear answer; others stay out of scope.
    auto direct = [](std::string_view text) {
        const Ext_polyEquation e = readExtEquation(text).value();
        return simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color);
    };
    const auto cancelled = direct("x(x + 1) = x(x + 2) - 3");
    ASSERT_TRUE(std::holds_alternative<LinearSolution>(cancelled));
    EXPECT_EQ(std::get<LinearSolution>(cancelled).solution, makeDefaultRational(3, 1));
    EXPECT_EQ(std::get<LinearSolution>(cancelled).status, Status::unique);
    EXPECT_EQ(direct("x(x + 2) = 3"), (std::variant<LinearSolution, ExtFailure>(ExtFailure::beyond_module_scope)));
    EXPECT_EQ(direct("y(x) - x(y) + x = 3"),
              (std::variant<LinearSolution, ExtFailure>(ExtFailure::beyond_module_scope)));
    const auto otherLetter = direct("3(y^2 + x) = 3y^2 + 6");
    ASSERT_TRUE(std::holds_alternative<LinearSolution>(otherLetter));
    EXPECT_EQ(std::get<LinearSolution>(otherLetter).solution, makeDefaultRational(2, 1));
}
