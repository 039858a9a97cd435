// Solving a linear equation or inequality with parenthesised groups, such as
// 2(3(x + 1) + 4) = 20: worked page by page (tidy, fold, simplify, clear
// fractions, combine and distribute until no parentheses are left, then the
// linear solver's pages and a closing answer), or directly.
#pragma once

#include <cstddef>
#include <string_view>
#include <variant>

#include "algebra/algebra_enums.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/values.hpp"

namespace tl {

/// The most table rows the pages of a worked solution hold together. Every
/// working page repeats the equations worked through before it, so with
/// groups side by side the rows grow with the cube of their number; groups
/// nested as deep as the reader takes them stay below it (some 1.4 million
/// rows at most, 86 MB of JSON).
inline constexpr std::size_t kMaxExtSolutionRows = 1'500'000;

/// The worked solution: the pages and one comment line per page.
///
/// `clearFractionsFirst` runs this solver's own "clear fractions" step on the
/// grouped equation; `clearFractions` is the linear solver's option for the
/// flattened one. The linear solver finishes every equation once its
/// parentheses are gone (with `embedded` set, except for an equation that
/// had none, which it solves as given). An equation that multiplying out
/// makes non-linear (x(x + 2) = 3) or that holds two letters ends with the
/// linear solver's out-of-scope page; any step whose numbers leave 64 bits,
/// and a solution too large to show (more than kMaxExtSolutionRows table
/// rows on all its pages together, or a page of more than 250,000: very
/// many parentheses side by side), give that page alone. A malformed side
/// (see requireWellFormedExtSide) is a PreconditionError.
LinearSteps solveExtEquation(Technique technique, bool colored, bool embedded, Style style, Method method,
                             bool clearFractionsFirst, bool clearFractions, const Ext_polynomial& LHS,
                             const Ext_polynomial& RHS, Relation relation, Color relation_color);

/// Why simplifyExtEquation has no answer.
enum class ExtFailure {
    division_by_zero,     // a coefficient has denominator 0
    beyond_module_scope,  // not linear in one letter once multiplied out, or its numbers too large
};
/// The failure as the solvers' pages word it.
constexpr std::string_view failureText(ExtFailure f) {
    return f == ExtFailure::division_by_zero ? "division by zero" : "beyond module scope";
}

/// The direct solution of the equation, or why there is none. After the
/// checks of solveExtEquation (zero denominators, then zero terms dropped,
/// unit groups unwrapped and letters multiplied by others refused) both
/// sides are multiplied out exactly in 128 bits: each term's coefficient
/// times the multipliers of the groups around it, taken in turn from the
/// outside in, and the like terms of both sides added up by wideSum into
/// the net coefficients. Linear in one letter as isLinearInOneVariable
/// judges it, the answer is linearSolutionOf those, and must fit 64 bits; a
/// value past 128 bits or an answer past 64 is beyond_module_scope.
std::variant<LinearSolution, ExtFailure> simplifyExtEquation(const Ext_polynomial& LHS, const Ext_polynomial& RHS,
                                                             Relation relation, Color relation_color);

}  // namespace tl
