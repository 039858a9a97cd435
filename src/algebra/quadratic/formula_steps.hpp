// The page on which the formula method solves a x² + b x + c = 0: the
// standard form, the formula, the values of a, b and c, the formula with
// them put in, and the roots.
#pragma once

#include "algebra/values.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The tables of the formula page for `e`, which reads "polynomial = 0" in
/// descending powers (its first left term is the x² term). With `colored`,
/// a is drawn red, b blue and c gray wherever they stand. Numbers are drawn
/// as signed fractions, irrational roots over one denominator; a negative
/// discriminant ends the page with "no solution".
Engine_Step substituteInFormulaSteps(bool colored, const PolyEquation& e);

}  // namespace tl
