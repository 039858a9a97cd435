// The direct answer of a linear equation or inequality (no pages), the table
// every solver draws an equation with, and the test for an equation that
// already reads "x = constant". Shared by the linear, grouped and quadratic
// solvers.
#pragma once

#include "algebra/algebra_enums.hpp"
#include "algebra/rational.hpp"
#include "algebra/values.hpp"
#include "algebra/wide_rational.hpp"
#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

/// x relation solution, or the equation's truth for every x.
struct LinearSolution {
    Rational solution;  // meaningful for Status::unique only; else 0/1
    Relation relation = Relation::equal_to;
    Status status = Status::none;
    friend bool operator==(const LinearSolution&, const LinearSolution&) = default;
};

/// The equation read as P·x relation Q, with P the exponent-1 coefficients
/// of LHS minus those of RHS and Q the constants of RHS minus those of LHS
/// (other exponents are ignored). P ≠ 0: Q/P in lowest terms, the relation
/// flipped when P < 0, `unique`. P = 0: `infinite` when 0 relation Q holds,
/// else `none`, with 0/1 and the relation given. No denominator may be 0.
LinearSolution linearSolution(const PolyEquation& e);
/// The same answer of P·x relation Q from P and Q themselves: Q/P narrowed
/// to 64 bits (OverflowError when it does not fit), or the truth of 0
/// relation Q when P = 0.
LinearSolution linearSolutionOf(const WideRational& p, const WideRational& q, Relation relation);

/// LHS relation RHS: both sides as `polynomialTable` in `style`, the relation
/// in the equation's relation colour.
Engine_Table equationTable(Style style, const PolyEquation& e);

/// The side is the single term 1·v (without `negative`) or −1·v (with it),
/// coefficient written over 1; the letter is not looked at.
bool isLoneVariable(bool negative, const Polynomial& side);
/// The side is a single constant with a non-zero denominator; with `reduced`
/// also in lowest terms with a positive denominator.
bool isLoneConstant(bool reduced, const Polynomial& side);
/// LHS is the lone variable (never −v) and RHS a lone constant, which must be
/// reduced unless `anyConstant` (the solvers pass "style is decimal").
bool isSolvedForm(bool anyConstant, const PolyEquation& e);

}  // namespace tl
