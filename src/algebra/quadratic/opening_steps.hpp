// Equation-level workers that the quadratic methods open with and the linear
// solvers share: per-term filters, tests and rewrites of whole equations
// (zero denominators, zero terms, reducing, combining, equal square terms,
// orientation towards "polynomial = 0"), and the join of a nested run's pages
// to the tables before them.
//
// Pure functions on values; exact arithmetic (beyond 64 bits: OverflowError).
// Every rewrite gives the relation colour black unless it says otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"
#include "algebra/wide_rational.hpp"
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
/// The terms of LHS then RHS of exponent above 1, whatever their
/// coefficients, counted by that fold.
std::int64_t countHigherPowerTerms(const PolyEquation& e);

/// The coefficient of v^exponent in LHS − RHS: the sum of the coefficients
/// of that exponent on the left less the same sum on the right, exact. Each
/// side's sum is added up exactly (`sumRationals`: OverflowError when it does
/// not fit 64 bits); their difference may need up to 128 bits.
WideRational netCoefficient(const PolyEquation& e, std::uint64_t exponent);

/// The degree of LHS − RHS once like terms of both sides are gathered (the
/// same power of the same letter): the highest power of a letter whose net
/// coefficient is not 0, or 0 when none is left. A coefficient over 0 is a
/// broken precondition; sums beyond 64 bits throw OverflowError.
std::uint64_t netDegree(const PolyEquation& e);

/// The letter of the first term of LHS then RHS that passes `test`, or "x".
std::string equationVariable(const PolyEquation& e, bool (*test)(const Monomial&));

/// The letter an equation is solved for: the one letter left once like terms
/// of both sides are gathered (as `netDegree` gathers them); when none or
/// several are left, `equationVariable`(e, test). So y + x = y + 3 is
/// solved for x.
std::string solvingLetter(const PolyEquation& e, bool (*test)(const Monomial&));

/// At most one letter is left once like terms of both sides are gathered (as
/// `netDegree` gathers them): the terms of other letters cancel, as in
/// y² − y² + x = 3 or y + x = y + 3. Preconditions as `netDegree`.
bool equationHasOneLetter(const PolyEquation& e);

/// The terms as written that name a letter (`isNonZeroVariableTermClosure`)
/// all name the same one, or there are none: no other letter is left to
/// cancel.
bool termsNameOneLetter(const PolyEquation& e);

// ---- tests and rewrites of an equation --------------------------------------

inline PolyEquation withSides(Polynomial LHS, Polynomial RHS, Relation relation) {
    return makeEquationXL(std::move(LHS), std::move(RHS), relation);
}

/// f(side) on both sides, relation kept, relation colour black.
template <class F>
PolyEquation onBothSides(const PolyEquation& e, F f) {
    return withSides(f(e.LHS), f(e.RHS), e.relation);
}

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

/// For each letter whose squares stand on both sides with the first ones of
/// equal coefficients, every square of that letter dropped from both sides
/// (a side left without terms becomes 0); absent when no letter's do. With
/// one letter: when both sides hold x² terms and their first ones are equal.
std::optional<PolyEquation> removeSameSquareTerm(const PolyEquation& e);

/// The equations of the "descending powers" page and its note.
struct ConvenientSides {
    std::vector<PolyEquation> equations;  // the equation given first
    std::optional<std::string> note;
};
/// Towards "polynomial = 0" in descending powers: RHS 0: LHS sorted (absent
/// when it already is); LHS 0: the sides exchanged, the relation flipped
/// ("exchange sides for convenience"); otherwise everything gathered on the
/// left, like terms (the same power of the same letter) added, so the terms
/// of a letter that cancel go ("left hand side for convenience").
std::optional<ConvenientSides> exchangeSidesForConvenience(const PolyEquation& e);

// ---- pages ------------------------------------------------------------------

/// `tables` followed by `page` (both taken by value: tables passed as a
/// temporary are lent instead of copied).
Engine_Step concatenateClosure(std::vector<Engine_Table> tables, Engine_Step page);
/// The same join, as the grouped solver puts its problem table over a page.
inline Engine_Step appendGroupClosure(std::vector<Engine_Table> tables, Engine_Step page) {
    return concatenateClosure(std::move(tables), std::move(page));
}
/// How a solver puts tables over each page of a nested solution.
using PagePrefixClosure = Engine_Step (*)(std::vector<Engine_Table>, Engine_Step);

}  // namespace tl
