// Which tidying steps the linear solver leaves out for an equation's shape.
#pragma once

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"

namespace tl {

/// From the terms of both sides and their fractional terms F (denominator
/// not 1): whether "simplify" (reduce), the clearing step (clear), both or
/// neither is left out. No fraction: both. Fraction styles: one fractional
/// x term, the only x term: both when its numerator is 1, else clear; one
/// other fraction: clear when there is one constant, or one non-zero
/// constant; two fractions of different exponents in an equation of two
/// terms, or of three with a zero: clear; else none. Decimal style: one
/// fractional constant beside a single x term of numerator ±1 and one
/// constant (or two, one of them 0): both; else reduce. The relation is not
/// read.
Step_exclusions stepExclusions(Style style, const PolyEquation& e);

/// Equality by case.
constexpr bool stepExclusionsEquals(Step_exclusions a, Step_exclusions b) { return a == b; }

}  // namespace tl
