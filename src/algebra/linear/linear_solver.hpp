// The linear solver: one linear equation or inequality in one variable,
// worked page by page (problem, tidying, higher powers that cancel across the
// sides, collecting terms, division, answer), and the two failure pages the
// solvers share.
#pragma once

#include <string>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/values.hpp"
#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

/// A worked solution: the pages and, per page, its comment lines (always
/// one); the two lists have equal length.
struct LinearSteps {
    std::vector<Engine_Step> steps;
    std::vector<std::vector<std::string>> comments;

    void addPage(Engine_Step page, std::string comment);
    /// Appends `nested`'s pages, each prefixed with `prefix` by `join`, and
    /// its comments (taken by value: a solution or prefix passed as a
    /// temporary lends its pages or tables, the prefix to the last page).
    void append(LinearSteps nested, Engine_Step prefix = {}, PagePrefixClosure join = concatenateClosure);
    friend bool operator==(const LinearSteps&, const LinearSteps&) = default;
};

/// The one-page answer to an equation with a coefficient over 0: the
/// equation's table, two blank tables, "division by zero", "please correct";
/// comment "oops".
LinearSteps divisionByZeroPage(const Engine_Table& equation);
/// The same page for an equation the solvers cannot work (not linear in one
/// letter, or numbers beyond 64 bits): "beyond module scope" in place of
/// "division by zero".
LinearSteps outOfScopePage(const Engine_Table& equation);

/// The non-zero variable terms share one letter, and with like powers of
/// both sides gathered no power above 1 keeps a coefficient other than 0
/// (x² + x = x² + 2 is linear, x² + x = 2 is not).
bool isLinearInOneVariable(const PolyEquation& e);

/// The worked solution of LHS relation RHS.
/// - technique: how terms cross the relation (balance adds the opposite to
///   both sides, transpose moves it);
/// - colored: what a step works on is drawn red;
/// - embedded: no problem page, no closing page, no sign-change note (for a
///   caller that shows its own);
/// - style: how numbers are drawn; method: the advice of the x-terms step
///   (smart may exchange the sides, drawn from randomSource());
/// - clearFractions: run the "clear fractions" ("clear decimals") step.
/// A zero denominator gives divisionByZeroPage, an equation that is not
/// linear in one letter, or whose numbers leave 64 bits, outOfScopePage
/// (both with the equation as given, whatever `embedded` is).
LinearSteps solveLinearEquation(Technique technique, bool colored, bool embedded, Style style, Method method,
                                bool clearFractions, const Polynomial& LHS, const Polynomial& RHS, Relation relation,
                                Color relation_color);

}  // namespace tl
