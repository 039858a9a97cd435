// The three steps of solving "quadratic = 0" by factoring, on whole-number
// coefficients in descending powers: divide out the common factor, write
// the side as a product of linear factors, and split it by the zero-product
// rule. Also the folds that turn grouped equations into page tables.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"
#include "common/tableau.hpp"

namespace tl {

struct CommonFactorDivision {
    /// [the equation, its quadratic side's coefficients red; d(side ÷ d) = 0,
    /// d red; (side ÷ d) = 0], the sides in their places.
    std::array<Ext_polyEquation, 3> equations;
    std::string comment;  // commonDivisorComment(d)
};
/// d = gcd of the quadratic side's numerators, negative when its first
/// coefficient is. Absent when neither side is 0, d is 1, or the side has
/// no constant term (its factored form keeps the factor in front).
std::optional<CommonFactorDivision> divideByCommonFactorStep(const PolyEquation& e);

/// The quadratic side as (q₁x − p₁)(q₂x − p₂) from its rational roots p/q
/// (smaller denominator first, then smaller |p|, then the negative root), or
/// k·x(qx − p) when one root is 0; the other side 0, the sides in their
/// places. Absent for no real roots, irrational roots and the repeated root 0.
std::optional<Polynomial_Equation_XL> factorQuadraticSide(const PolyEquation& e);

/// The zero-product rule: for each root p/q its factor equation qx − p = 0
/// (highlighted: red when `colored`) and its solution x = p/q, a zero root
/// first as its solution twice; a repeated root gives one list (the repeated
/// root 0: x = 0 and a copy drawn clear). No rational roots: "no solution" or
/// "factors but not over integers" instead of lists.
struct ZeroProductSplit {
    std::optional<std::array<PolyEquation, 2>> first;
    std::optional<std::array<PolyEquation, 2>> second;
    std::optional<std::string> message;
};
ZeroProductSplit quadraticFactorability(bool colored, const PolyEquation& e);

/// Every coefficient of every group in `c`; variables and parentheses black.
Ext_polynomial recolorExtPolynomialCoefficients(Color c, const Ext_polynomial& side);
/// LHS coefficients in `left`, RHS coefficients in `right`; relation colour black.
Ext_polyEquation recolorExtEquationCoefficients(Color left, Color right, const Ext_polyEquation& e);

/// `partial` followed by the table of e (all black with the second).
std::vector<Engine_Table> extEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                  const Ext_polyEquation& e);
std::vector<Engine_Table> blackExtEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                       const Ext_polyEquation& e);

}  // namespace tl
