// Equations with parenthesised groups: the checks and rewrites that run
// before and between the worked steps (zero denominators, zero terms, groups
// whose multiplier is 1, constant groups), the flattening of a side's top
// level, and recolouring.
//
// A side is a list of groups; the last group is the side as written (the top
// level), every other group the inside of a pair of parentheses, reached
// through exactly one group term of a later group. Positions are never
// renumbered: a group emptied by a rewrite stays in place as the zero term.
// Pure functions; exact arithmetic (a result beyond 64 bits throws
// OverflowError).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "algebra/values.hpp"

namespace tl {

using ExtGroup = std::vector<Term>;

/// 0/1, exponent 0, variable "x", a plain term, every colour black.
Term zeroTerm();
Term makeColoredTerm(Monomial monomial, bool isGroupTerm, std::uint64_t group, Color parenthesisColor);
inline bool isGroupTermClosure(const Term& t) { return t.sub_exp.first; }
/// The coefficient's numerator is not 0 (a group term judged by its multiplier).
inline bool isNonZeroTermXL(const Term& t) { return t.monomial.coefficient.numerator != 0; }

/// The side is well formed: it has a top-level group, no group is empty, and
/// every group term refers to an earlier group that no other group term
/// refers to. Anything else is a PreconditionError.
void requireWellFormedExtSide(const Ext_polynomial& side);

/// Some term of some group (group terms included) has denominator 0.
bool extSideHasZeroDenominator(const Ext_polynomial& side);
bool extEquationHasZeroDenominator(const Ext_polyEquation& e);

/// The terms of coefficient 0 dropped group by group; a group term whose
/// group has come down to the single term 0 is dropped too, until nothing
/// more goes. An emptied group becomes the zero term. With `recolor` every
/// colour is reset to black.
Ext_polynomial removeZeroTermsOfExtSide(bool recolor, const Ext_polynomial& side);
/// Relation kept, relation colour black (as every equation-level wrapper here).
Ext_polyEquation removeZeroTermsOfExtEquation(bool recolor, const Ext_polyEquation& e);

/// The first group term whose multiplier equals 1 replaced, at its place, by
/// the terms of its group; absent when there is none.
std::optional<Ext_polynomial> unwrapUnitGroupOnce(const Ext_polynomial& side);
/// unwrapUnitGroupOnce until nothing is left to unwrap.
Ext_polynomial unwrapUnitGroups(Ext_polynomial side);
Ext_polyEquation unwrapUnitGroupsOfExtEquation(const Ext_polyEquation& e);

/// The first group term k(c) of a constant multiplier k over a group holding
/// the one constant c, replaced by the constant k·c in lowest terms; absent
/// when there is none.
std::optional<Ext_polynomial> foldConstantGroupOnce(const Ext_polynomial& side);
/// Folds until nothing is left; absent when nothing folds at all.
std::optional<Ext_polynomial> foldConstantGroups(const Ext_polynomial& side);
/// Absent when neither side folds.
std::optional<Ext_polyEquation> foldConstantGroupsOfEquation(const Ext_polyEquation& e);
inline std::optional<Ext_polyEquation> foldConstantGroupsOfExtEquation(const Ext_polyEquation& e) {
    return foldConstantGroupsOfEquation(e);
}

/// The top-level group holds a group term.
bool sideHasParentheses(const Ext_polynomial& side);
bool equationHasParentheses(const Ext_polyEquation& e);
inline bool extEquationHasGroup(const Ext_polyEquation& e) { return equationHasParentheses(e); }

/// Multiplying out would multiply a power of one letter by a power of
/// another (y(x + 1) holds the product xy), which no term can hold: such a
/// side is beyond the solvers, whatever cancels later.
bool sideMultipliesLetters(const Ext_polynomial& side);
bool extEquationMultipliesLetters(const Ext_polyEquation& e);

/// The monomials of the top-level group in order (a group term would give
/// its multiplier alone: callers flatten only sides without parentheses).
Polynomial polynomialFromExtPolynomial(const Ext_polynomial& side);
PolyEquation polyEquationFromExtEquation(const Ext_polyEquation& e);

/// Every colour of the term (coefficient, variable, parentheses) set to `c`.
Term recolorTerm(Color c, const Term& t);
Ext_polynomial recolorExtPolynomial(Color c, const Ext_polynomial& side);
/// The LHS in `left`, the RHS in `right`, the relation in `relation`.
Ext_polyEquation recolorExtEquation(Color left, Color right, Color relation, const Ext_polyEquation& e);
/// Only the coefficient's colours set to `c`; variable and parentheses black.
Term recolorTermCoefficientClosure(Color c, const Term& t);
ExtGroup recolorGroupCoefficientsClosure(Color c, const ExtGroup& group);

}  // namespace tl
