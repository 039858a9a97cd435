// Equation-level workers of the linear and quadratic solvers: per-term
// filters, tests and rewrites of whole equations (zero denominators, zero
// terms, reducing, combining, clearing fractions, equal square terms,
// orientation towards "polynomial = 0"), recolouring, and the folds that turn
// equations into page tables.
//
// Pure functions on values; exact arithmetic (beyond 64 bits: OverflowError).
// Every rewrite gives the relation colour black unless it says otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"
#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

// ---- per-term filters -------------------------------------------------------

inline bool isSquareTermClosure(const Monomial& m) { return m.exponent == 2; }
inline bool isLinearTerm(const Monomial& m) { return m.exponent == 1; }
inline bool isConstantTerm(const Monomial& m) { return m.exponent == 0; }
inline bool isZeroTermClosure(const Monomial& m) { return m.coefficient.numerator == 0; }
/// Numerator not 0 and exponent above 0: the term that names the variable.
inline bool isNonZeroVariableTermClosure(const Monomial& m) { return m.coefficient.numerator != 0 && m.exponent > 0; }
inline bool isNonZeroLinearTermClosure(const Monomial& m) { return m.coefficient.numerator != 0 && m.exponent == 1; }
/// count + 1 for a term of exponent above 1 (the degree test's fold).
inline std::int64_t countHigherPowerTermsClosure(std::int64_t count, const Monomial& m) {
    return count + (m.exponent > 1 ? 1 : 0);
}

/// The coefficient of v^exponent in LHS − RHS: the sum of the coefficients
/// of that exponent on the left less the same sum on the right.
Rational netCoefficient(const PolyEquation& e, std::uint64_t exponent);

/// The highest exponent whose `netCoefficient` is not 0: the degree of
/// LHS − RHS once like powers of both sides are gathered (0 for none above
/// the constant). Letters are not told apart.
std::uint64_t netDegree(const PolyEquation& e);

/// The letter of the first term of LHS then RHS that passes `test`, or "x".
std::string equationVariable(const PolyEquation& e, bool (*test)(const Monomial&));

// ---- tests and rewrites of an equation --------------------------------------

bool equationHasZeroDenominator(const PolyEquation& e);
/// `removeZeroTerms`(recolor, side) on both sides.
PolyEquation removeZeroTermsOfEquation(bool recolor, const PolyEquation& e);
bool equationHasUnreducedCoefficient(const PolyEquation& e);
PolyEquation reduceCoefficientsOfEquation(const PolyEquation& e);

struct CombinedEquation {
    PolyEquation equation;
    bool changed = false;
};
/// `combineLikeTermsOfSide`(simpleOnly, side) on both sides; changed when
/// either side changed.
CombinedEquation combineLikeTermsOfEquation(bool simpleOnly, const PolyEquation& e);

/// When both sides hold x² terms and their first ones have equal
/// coefficients, every x² term dropped from both sides (a side that was that
/// one term becomes 0); otherwise absent.
std::optional<PolyEquation> removeSameSquareTerm(const PolyEquation& e);

/// The equations of the "descending powers" page and its note.
struct ConvenientSides {
    std::vector<PolyEquation> equations;  // the equation given first
    std::optional<std::string> note;
};
/// Towards "polynomial = 0" in descending powers: RHS 0: LHS sorted (absent
/// when it already is); LHS 0: the sides exchanged, the relation flipped
/// ("exchange sides for convenience"); otherwise everything gathered on the
/// left, like terms added ("left hand side for convenience").
std::optional<ConvenientSides> exchangeSidesForConvenience(const PolyEquation& e);

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
/// `tables` followed by `page` (taken by value: a page passed as a temporary
/// lends its tables instead of having them copied).
Engine_Step concatenateClosure(const std::vector<Engine_Table>& tables, Engine_Step page);

}  // namespace tl
