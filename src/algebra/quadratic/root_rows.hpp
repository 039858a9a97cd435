// How the quadratic solvers write a root a + b·√c: as two signed numbers
// (fraction style), as one fraction over a common denominator
// (rational_fraction style) or as an 8-digit decimal; and the line
// "x = r₁ or x = r₂" that names the roots.
#pragma once

#include <string>

#include "algebra/algebra_enums.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/values.hpp"
#include "common/tableau.hpp"

namespace tl {

/// One root as a table. Decimal: "%.8g" of a + b·√c. Fraction: a and b
/// each as a signed number, b's sign moved into the join ("1 − 3/2√5").
/// Rational_fraction: (A ± B√c)/L over L = lcm of the denominators, no bar
/// when L is 1. A root with b = 0 is a alone. A root with a part over 0 (in
/// decimal style also one with b ≠ 0 and c < 0) has no number and is drawn
/// as in fraction style. Beyond 64 bits: OverflowError.
Engine_Table quadraticSolutionRows(const Quadratic_solution& root, Style style = Style::fraction);

/// "v = r₁" for a repeated rational root, otherwise "v = r₁ or v = r₂";
/// rational roots drawn in `rationalStyle`, irrational ones in
/// `irrationalStyle`. Roots that are absent (status none) are a broken
/// precondition.
Engine_Table rootsLine(const std::string& variable, const QuadraticRoots& roots, Style rationalStyle,
                       Style irrationalStyle);

}  // namespace tl
