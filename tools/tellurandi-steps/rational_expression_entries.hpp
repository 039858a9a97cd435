// The entries of the factoring and rational-expression operations: each reads
// a factored polynomial or a rational expression, shows it on a first page
// ("🤔"), then every value the operation returns as its display table, one
// page per value ("does not apply" when it returns none, or when the test
// that guards a factoring step says no).
#pragma once

#include "step_builders.hpp"

namespace tl::steps_tool {

/// EXPRESSION: rationalSimplifySteps, rationalCancelSteps, rationalReduceSteps.
StepTriple rationalSimplifyEntry(const EntryInput& input);
StepTriple rationalCancelEntry(const EntryInput& input);
StepTriple rationalReduceEntry(const EntryInput& input);
/// POLYNOMIAL: factorCompletely, and factorTrinomialXL and factorOutGcfXL drawing in red.
StepTriple factorCompletelyEntry(const EntryInput& input);
StepTriple factorTrinomialEntry(const EntryInput& input);
StepTriple factorOutGcfEntry(const EntryInput& input);
/// POLYNOMIAL METHOD: chooseFactoringMethod in red ("guess and check" keeps the order found).
StepTriple chooseFactoringMethodEntry(const EntryInput& input);

}  // namespace tl::steps_tool
