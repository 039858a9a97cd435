// The four steps of completing the square, each on the equation the one
// before leaves: a x² + b x + c = 0 → x² + b x + c = 0 → x² + b x = q →
// (x + h)² = h² + q → x + h = ±√s → the roots. A step marks what it takes
// or changes red and what it adds blue, whatever the colour option.
#pragma once

#include <array>
#include <optional>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"
#include "common/tableau.hpp"

namespace tl {

struct LeadingCoefficientDivision {
    PolyEquation before;          // the leading coefficient a red
    Ext_polyEquation multiplied;  // (1/a)(LHS) = (1/a)(RHS), 1/a red
    PolyEquation after;           // the left side divided by a
    Engine_Step notes;            // "divide both sides by  a", "or multiply by  1/a"
};
/// Absent when the leading coefficient is already 1.
std::optional<LeadingCoefficientDivision> divideByLeadingCoefficientStep(const PolyEquation& e);

/// [before (the constant red), after (its negation red, alone on the right)];
/// absent when the left side does not end in a constant.
std::optional<std::array<PolyEquation, 2>> constantTermToRightStep(const PolyEquation& e);

struct SquareCompletion {
    /// [x² + p x = q with p red, x² + p x + h² = q + h² with both h² blue]
    std::array<PolyEquation, 2> equations;
    Polynomial_Equation_XL square;  // (x + h)² = h² + q, h red
    Engine_Step notes;              // halve p to h; square to h², add to both sides; "complete the square"
};
/// h = p/2 for the x term p·x that ends the left side; absent when the left
/// side does not end in an x term. Numbers in the notes are drawn in `style`.
std::optional<SquareCompletion> completeTheSquareStep(Style style, const PolyEquation& e);

/// The tables that take the square root of x² + p x = q (or x² = q) and
/// name the roots: "negative RHS, no solution"; for a repeated root
/// x + h = 0 (unless h is 0) and x = −h; otherwise x + h = ±√s in red, for
/// rational roots x = −h ± √s (unless h is 0), and the roots line.
Engine_Step squareRootAndSolveStep(Style style, const PolyEquation& e);

}  // namespace tl
