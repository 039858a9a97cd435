// The worked solver of grouped equations and the textless pipeline on the
// examples and edge cases of their behaviour: each run read as its comments,
// the derivation on its last working page and its closing answer.
#include <algorithm>

#include <gtest/gtest.h>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/reader.hpp"
#include "common/table_text.hpp"

using namespace tl;

namespace {

struct Options {
    Style style = Style::fraction;
    bool fractionsFirst = false, clearFractions = false, embedded = false;
};

LinearSteps solve(std::string_view text, Options o = {}) {
    const auto read = readExtEquation(text);
    EXPECT_TRUE(read.ok()) << text;
    const Ext_polyEquation& e = read.value();
    return solveExtEquation(Technique::transpose, true, o.embedded, o.style, Method::standard, o.fractionsFirst,
                            o.clearFractions, e.LHS, e.RHS, e.relation, e.relation_color);
}

std::string joined(const std::vector<std::string>& parts) {
    std::string s;
    for (const auto& p : parts) s.append(s.empty() ? "" : " ; ").append(p);
    return s;
}

/// "comments | the tables of the last page but the closing one".
std::string reading(const LinearSteps& s) {
    std::vector<std::string> comments, tables;
    for (const auto& c : s.comments) comments.push_back(c.at(0));
    const bool closes = comments.back() == "\U0001F60E";
    for (const auto& t : s.steps.at(s.steps.size() - (closes && s.steps.size() > 1 ? 2 : 1))) tables.push_back(tableText(t));
    return joined(comments) + " | " + joined(tables) + (closes ? " | " + tableText(s.steps.back().back()) : "");
}

}  // namespace

TEST(ExtSolver, WorkedRuns) {
    const Options rf{Style::rational_fraction}, de{Style::decimal}, first{Style::fraction, true, false},
        embedded{Style::fraction, false, false, true};
    const std::tuple<const char*, Options, const char*> cases[] = {
        {"2(x + 1) = 8", {},
         "🤔 ; distribute to remove (  ) ; constant terms opposite to x ; solve for x ; 😎 | "
         "2(x + 1) = 8 ; 2x + 2 = 8 ; 2x = 8 − 2 ; 2x = 6 ; x = 6/2 ; x = 3 | x = 3"},
        {"2(x + 1) = 8", embedded,
         "distribute to remove (  ) ; constant terms opposite to x ; solve for x | "
         "2(x + 1) = 8 ; 2x + 2 = 8 ; 2x = 8 − 2 ; 2x = 6 ; x = 6/2 ; x = 3"},
        {"2(3(x + 1) + 4) = 20", rf,
         "🤔 ; distribute to remove (  ) ; combine simple like terms ; distribute to remove (  ) ; "
         "constant terms opposite to x ; solve for x ; 😎 | 2(3(x + 1) + 4) = 20 ; 2(3x + 3 + 4) = 20 ; "
         "2(3x + 7) = 20 ; 6x + 14 = 20 ; 6x = 20 − 14 ; 6x = 6 ; x = 6/6 ; x = 1 | x = 1"},
        {"(x + 1)/2 - 3(x - 1) = 4", first,
         "🤔 ; clear fractions ; distribute to remove (  ) ; combine simple like terms ; "
         "constant terms opposite to x ; solve for x ; 😎 | (1/2)(x + 1) − 3(x − 1) = 4 ; "
         "2((1/2)(x + 1) − 3(x − 1)) = 2(4) ; x + 1 − 6(x − 1) = 8 ; x + 1 − 6x + 6 = 8 ; -5x + 7 = 8 ; "
         "-5x = 8 − 7 ; -5x = 1 ; x = 1/-5 ; x = -1/5 | x = -1/5"},
        // Constant groups fold without a page; the linear pages follow under the problem.
        {"3(2) + x = 10", {}, "🤔 ; constant terms opposite to x ; 😎 | 3(2) + x = 10 ; 6 + x = 10 ; x = 10 − 6 ; x = 4 | x = 4"},
        // Already solved once flattened: no linear pages.
        {"2(x/2) = 6/4", {}, "🤔 ; simplify ; distribute to remove (  ) ; 😎 | 2((1/2)x) = 6/4 ; 2((1/2)x) = 3/2 ; x = 3/2 | x = 3/2"},
        {"2(x + 1) = 3", de, "🤔 ; distribute to remove (  ) ; constant terms opposite to x ; solve for x ; 😎 | "
                             "2(x + 1) = 3 ; 2x + 2 = 3 ; 2x = 3 − 2 ; 2x = 1 ; x = 1/2 ; x = 0.5 | x = 0.5"},
        {"2(x + 1) = 2x + 2", {},
         "🤔 ; distribute to remove (  ) ; x terms to one side ; solve ; 😎 | 2(x + 1) = 2x + 2 ; 2x + 2 = 2x + 2 ; "
         "2x − 2x + 2 = 2 ; 2 = 2 ; TRUE, solution is all values of variable | TRUE, solution is all values of variable"},
        // The letter of the answer is the flattened equation's, not that of a dropped 0y.
        {"0y + 2(x) = 4", {}, "🤔 ; distribute to remove (  ) ; solve for x ; 😎 | 2(x) = 4 ; 2x = 4 ; x = 4/2 ; x = 2 | x = 2"},
        // Multiplying out makes squares: the out-of-scope page ends the run, no answer.
        {"x(x + 2) = 3", {},
         "🤔 ; distribute to remove (  ) ; oops | x(x + 2) = 3 ; x² + 2x = 3 ;  ;  ; beyond module scope ; please correct"},
        {"y(y + 2) = 3", embedded,
         "distribute to remove (  ) ; oops | y(y + 2) = 3 ; y² + 2y = 3 ;  ;  ; beyond module scope ; please correct"},
        {"2(x + 3y) = 4", {}, "🤔 ; distribute to remove (  ) ; oops | 2(x + 3y) = 4 ; 2x + 6y = 4 ;  ;  ; beyond module scope ; please correct"},
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
    // Clearing fractions first is the grouped solver's step only when asked.
    const LinearSteps later = solve("(x + 1)/2 = 3", {Style::fraction, false, true});
    EXPECT_EQ(std::ranges::count(later.comments, std::vector<std::string>{"clear fractions"}), 1);  // the linear solver's
    EXPECT_EQ(solve("(x + 1)/2 = 3", first).steps[1].back()[1][1],
              "\n2 is LCM of denominators\n\nwe can use any multiple of the\ndenominators to clear fractions");
}

TEST(ExtSolver, SimplifyExtEquation) {
    const std::pair<const char*, const char*> cases[] = {
        {"2x + 1 = 5", "= 2 valid solution"},
        {"3(4) + x = 20", "= 8 valid solution"},
        {"2(x + 1) = x/2 + 5", "= 2 valid solution"},
        {"2(3(x + 1) + 4) = 20", "= 1 valid solution"},
        {"-2(x + 1) < 4", "> -3 valid solution"},
        {"(x + 1)/2 - 3(x - 1) = 4", "= -1/5 valid solution"},
        {"y(3) = 6", "= 2 valid solution"},
        {"2(x + 1) = 2x + 2", "= 0 TRUE, solution is all values of variable"},
        {"2(x + 1) >= 2x + 3", "≥ 0 FALSE, no solution"},
        {"x(x + 2) = 3", "beyond module scope"},
        {"2(x + y) = 4", "beyond module scope"},
        {"9223372036854775807(x + 2) = 1", "beyond module scope"},
        {"2(x/0) = 1", "division by zero"},
    };
    for (const auto& [text, expected] : cases) {
        const Ext_polyEquation e = readExtEquation(text).value();
        const auto result = simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color);
        std::string got;
        if (const auto* s = std::get_if<LinearSolution>(&result)) {
            const Rational& r = s->solution;
            got.append(relationSymbol(s->relation)).append(" ").append(std::to_string(r.numerator));
            if (r.denominator != 1) got.append("/").append(std::to_string(r.denominator));
            got.append(" ").append(rawValue(s->status));
        } else {
            got = failureText(std::get<ExtFailure>(result));
        }
        EXPECT_EQ(got, expected) << text;
    }
}
