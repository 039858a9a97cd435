// The quadratic solver: one equation in one variable, worked page by page
// by factoring, by the quadratic formula or by completing the square.
//
// The three methods share their opening (problem page, tidying, the degree
// test, "polynomial = 0" in descending powers) and their closing page (the
// exact roots and their kind); an equation the opening leaves without a
// term above the first power goes to the linear solver instead.
#pragma once

#include "algebra/algebra_enums.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/values.hpp"
#include "common/enums.hpp"

namespace tl {

/// The pages and their comment lines, as the linear solver gives them.
using QuadraticSteps = LinearSteps;

/// Options as for solveLinearEquation; the methods read only:
/// - colored: the formula page's a, b, c in red, blue, gray; the
///   factoring method's fraction and zero-product marks red (completing the
///   square always marks its steps);
/// - embedded: no problem page and no closing page;
/// - style: how numbers are drawn;
/// - clearFractions: passed to the linear solver for a linear equation
///   (the factoring method always clears fractions first).
/// technique and method are passed on as the linear hand-over fixes them.
/// A zero denominator gives the "division by zero" page; an equation of
/// degree 3 or more, a quadratic inequality, a quadratic in more than one
/// letter and numbers beyond 64 bits give the "beyond module scope" page of
/// the equation as given, embedded or not.
QuadraticSteps solveQuadraticByFormula(Technique technique, bool colored, bool embedded, Style style, Method method,
                                       bool clearFractions, const Polynomial& LHS, const Polynomial& RHS,
                                       Relation relation, Color relation_color);
QuadraticSteps solveQuadraticByCompletingTheSquare(Technique technique, bool colored, bool embedded, Style style,
                                                   Method method, bool clearFractions, const Polynomial& LHS,
                                                   const Polynomial& RHS, Relation relation, Color relation_color);
QuadraticSteps solveQuadraticByFactoring(Technique technique, bool colored, bool embedded, Style style, Method method,
                                         bool clearFractions, const Polynomial& LHS, const Polynomial& RHS,
                                         Relation relation, Color relation_color);

/// The method chosen by `quadraticMethod`, its result unchanged.
QuadraticSteps solveQuadratic(Quadratic_method quadraticMethod, Technique technique, bool colored, bool embedded,
                              Style style, Method method, bool clearFractions, const Polynomial& LHS,
                              const Polynomial& RHS, Relation relation, Color relation_color);

}  // namespace tl
