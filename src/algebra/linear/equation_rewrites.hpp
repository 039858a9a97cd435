// Equation-level workers of the linear solvers: clearing fractions or
// decimals, recolouring, and the folds that turn equations into page tables
// (also the tables of the "descending powers" page, which the quadratic
// methods show too).
//
// Pure functions on values; exact arithmetic (beyond 64 bits: OverflowError).
// Every rewrite gives the relation colour black unless it says otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/values.hpp"
#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

// ---- clearing fractions -----------------------------------------------------

bool equationHasFraction(const PolyEquation& e);
/// lcm of the two sides' `lcmOfDenominators`.
std::int64_t lcmOfEquationDenominators(const PolyEquation& e);
/// Both sides multiplied by the one lcm of all denominators, every
/// coefficient over 1 (`clearFractionsOfSide` of the joined sides).
PolyEquation clearFractionsOfEquation(const PolyEquation& e);
/// The same with both sides multiplied by `multiple`, a multiple of that lcm.
PolyEquation clearFractionsOfEquation(const PolyEquation& e, std::int64_t multiple);
/// The denominators other than 1 drawn in c, on both sides.
PolyEquation colorEquationDenominators(Color c, const PolyEquation& e);

/// How a clearing step with lcm L clears: the factor, the note under the
/// step, and the step's comment. Decimal style with L = 2^a·5^b clears with
/// the smallest power of ten that L divides ("...multiply both sides\nby
/// 10ᵏ = M"); any other L clears with L ("L is LCM of denominators...").
/// The comment is "clear decimals" in decimal style, else "clear fractions".
struct FractionClearing {
    std::int64_t factor = 1;
    std::string note;
    std::string comment;
};
FractionClearing fractionClearing(Style style, std::int64_t lcm);

// ---- colours and tables -----------------------------------------------------

/// LHS all in `lhs`, RHS all in `rhs`, the relation in `relation`.
PolyEquation recolorEquation(Color lhs, Color rhs, Color relation, const PolyEquation& e);
/// e all black.
PolyEquation blackEquation(const PolyEquation& e);
/// `partial` followed by the table of e all black (the step of a fold).
std::vector<Engine_Table> blackEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                    const PolyEquation& e);
/// Appends the table of e as it is.
void equationTableClosure(std::vector<Engine_Table>& tables, const PolyEquation& e, Style style);
/// The tables a "descending powers" page adds: `first` (the table of the
/// first equation of `sides`, as shown before), the tables of the others,
/// then the note, or the one blank table when there is none.
Engine_Step descendingPowersTables(Style style, Engine_Table first, const ConvenientSides& sides);

}  // namespace tl
