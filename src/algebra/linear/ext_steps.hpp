// The worked steps of equations with parenthesised groups: reducing the
// coefficients ("simplify"), clearing the fractions of the top level,
// combining like terms inside each group and multiplying out one pair of
// parentheses. Each step gives the equations its page shows, or nothing
// when it has nothing to do.
#pragma once

#include <cstdint>
#include <optional>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/values.hpp"

namespace tl {

/// An equation before and after a step.
struct ExtStepPair {
    Ext_polyEquation before;
    Ext_polyEquation after;
};

/// The three stages of clearing fractions with the multiple `lcm`.
struct ExtClearedFractions {
    Ext_polyEquation marked;      // the denominators of the top level marked
    Ext_polyEquation multiplied;  // each side as lcm(side)
    Ext_polyEquation result;      // the top level multiplied out, unit groups unwrapped
    std::int64_t lcm = 1;
};

/// Every coefficient of the side in lowest terms with a positive
/// denominator, then the groups whose multiplier became 1 unwrapped; nothing
/// when every coefficient already was. Rewritten terms are black.
std::optional<Ext_polynomial> reduceSideCoefficients(const Ext_polynomial& side);
/// Both sides reduced; the after equation keeps the relation and its colour.
std::optional<ExtStepPair> simplifyStep(const Ext_polyEquation& e);

/// Both sides multiplied by the lcm of the denominators of the two top
/// levels (inner groups are not looked at); nothing when that lcm is 1.
/// `colored` marks the denominators and the multiple red.
std::optional<ExtClearedFractions> clearFractionsStep(bool colored, const Ext_polyEquation& e);

/// Two plain terms of equal exponent with the same letter, or both
/// constants; with `simple` both coefficients also written as whole numbers.
bool combineSimpleLikeTermsClosure(const Term& candidate, const Term& current, bool simple);
/// In every group, like terms added into the place of the first of them and
/// terms of coefficient 0 dropped; nothing when no two terms were added.
std::optional<Ext_polynomial> combineSimpleLikeTermsOfSide(bool simple, const Ext_polynomial& side);
/// The same within one group, in place; whether two terms were added.
bool combineSimpleLikeTermsOfGroup(bool simple, ExtGroup& group);
std::optional<ExtStepPair> combineSimpleLikeTermsStep(bool simple, const Ext_polyEquation& e);

/// The side with its first group term marked (`colored`: red) and the side
/// with it multiplied out.
struct ExtDistribution {
    Ext_polynomial marked;
    Ext_polynomial distributed;
};
/// The first group term (by group position) multiplied into its group, whose
/// terms take its place. A product's letter is the inner term's when that
/// has a variable, else the multiplier's when it has one, else the inner
/// term's. Nothing when the side has no group term.
std::optional<ExtDistribution> distributeFirstGroupOfSide(bool colored, const Ext_polynomial& side);
/// One pair of parentheses multiplied out, on the left side when it has one,
/// else on the right.
std::optional<ExtStepPair> distributeStep(bool colored, const Ext_polyEquation& e);

/// The equation that combineSimpleLikeTermsStep(true, …) and distributeStep
/// in turn leave once no parentheses are left, with the same numbers (and
/// the same OverflowError where a step's numbers leave 64 bits), but
/// without the pages' equations in between: in place, in time near the
/// size of the equation times its number of groups. Colours are not kept.
Ext_polyEquation combineAndDistributeAll(Ext_polyEquation e);

}  // namespace tl
