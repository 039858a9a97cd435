// Everyday operations on factored polynomials (Polynomial_XL): tests, clean-up,
// reordering, taking out −1, folding single-term factor groups into the
// coefficient, recolouring terms and groups, and the group surgery the
// factoring steps share.
//
// A Polynomial_XL is a list of groups; the last group is the expression (the
// root) and a Factor of a term points at another group by index. Every
// operation returns a new value. An index that names no group, a value without
// the group or term an operation reads, or a zero denominator met by the
// arithmetic, throws PreconditionError; a 64-bit overflow throws OverflowError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"

namespace tl {

using GroupXL = std::vector<Term_XL>;

// ---- terms, groups and their colours ----------------------------------------

/// The term with `color` on its coefficient, variable and every factor (as recolorTermXL).
Term_XL colorTermXL(Color color, const Term_XL& term);
/// colorTermXL on every term of the group.
GroupXL recolorGroupXL(Color color, const GroupXL& group);
/// The first group of the polynomial, recoloured.
GroupXL recolorFirstGroupXL(Color color, const Polynomial_XL& polynomial);
/// Factor (index, exponent 1), both colours `color` when index ≥ threshold, else black.
Factor makeFactorForIndex(std::uint64_t index, std::uint64_t threshold, Color color);
/// The term drawn black, except its factors that point at groups first … end − 1.
Term_XL blackenedExceptXL(const Term_XL& term, std::uint64_t first, std::uint64_t end);

/// The first term of the last group: the expression's (first) term;
/// PreconditionError for a value without one.
const Term_XL& expressionTermXL(const Polynomial_XL& polynomial);
Term_XL& expressionTermXL(Polynomial_XL& polynomial);

/// Equal monomials and neither term has a factor (a factored term equals no term).
bool termXLEquals(const Term_XL& a, const Term_XL& b);
/// The constant 0 in `variable`, black, without factors: what an emptied group becomes.
Term_XL zeroTermXL(const std::string& variable);

/// The group the factoring steps work on: group 0 of a one-group value, else the
/// group the last factor of the first expression term points at. None when the
/// value has no groups, or its first expression term has no factor.
std::optional<std::size_t> findWorkingGroupXL(const Polynomial_XL& polynomial);
/// findWorkingGroupXL, or PreconditionError for a value without a working group.
std::size_t workingGroupXL(const Polynomial_XL& polynomial);

/// The group at `index` replaced by `replacement` (one or more groups, placed at
/// index…index+m−1). Pointers past the old group move on by m − 1, and every
/// factor (index, k) becomes the factors (index, k) … (index+m−1, k): the value
/// stays the same when the replacement groups multiply to the old one. The new
/// factors take `factorColor` when given, else the colours of the factor they
/// replace. The root (last group) cannot be replaced.
Polynomial_XL replaceGroupByProductXL(const Polynomial_XL& polynomial, std::size_t index,
                                      const std::vector<GroupXL>& replacement,
                                      std::optional<Color> factorColor = std::nullopt);

// ---- tests -------------------------------------------------------------------

/// Some coefficient of some group has denominator 0.
bool hasZeroDenominatorXL(const Polynomial_XL& polynomial);
/// The last group is one term without factors equal to n/1 with exponent 0 and
/// variable "x"; false for a value without groups.
bool equalsConstantXL(std::int64_t n, const Polynomial_XL& polynomial);
bool equalsRationalConstantXL(const Rational& r, const Polynomial_XL& polynomial);
/// One group, no factors, terms by descending exponent.
bool isInStandardOrderXL(const Polynomial_XL& polynomial);
/// Both one group of the same length with equal monomials position by position.
bool sameSingleGroupXL(const Polynomial_XL& a, const Polynomial_XL& b);
/// The numerator of the first term of the first group is negative.
bool leadingCoefficientIsNegativeXL(const Polynomial_XL& polynomial);
/// For exactly one non-empty group: the highest exponent of a term with a non-zero
/// coefficient; none otherwise and when every coefficient is 0.
std::optional<std::uint64_t> degreeXL(const Polynomial_XL& polynomial);
/// The monomial of the first term of a value of exactly one non-empty group.
std::optional<Monomial> firstMonomialXL(const Polynomial_XL& polynomial);
/// Degree 1: `monomial` for one non-zero term, else `binomial`; none for other degrees.
std::optional<Linear_Category> linearCategoryXL(const Polynomial_XL& polynomial);
/// Degree 2: by the non-zero terms in standard order; none for other degrees.
std::optional<Quadratic_Category> quadraticCategoryXL(const Polynomial_XL& polynomial);
/// A dispatch hint for the quadratic methods, not a verdict on factorability:
/// one term, a·x² + b·x, and any three or more terms all give `factors` without
/// looking further (x² + x + 1 gives `factors`); only a·x² + c is judged, by −a·c
/// (numerators only) being a square, negative, or neither. Nothing may use it
/// to decide whether a quadratic really factors: that is isFactorableXL.
std::optional<Quadratic_Factorabilty> quadraticFactorabilityXL(const Polynomial_XL& polynomial);

// ---- rewrites ------------------------------------------------------------------

/// Terms with numerator 0 dropped in every group, then, pass by pass, terms with
/// a factor pointing at a group that is the single term 0; an emptied group
/// becomes zeroTermXL (variable of the first term of the first group). With
/// `recolor` every colour is black.
Polynomial_XL removeZeroTermsXL(bool recolor, const Polynomial_XL& polynomial);
/// Every coefficient of every group in lowest terms over a positive
/// denominator (10/5 is 2, 5/10 is 1/2, 2/(−4) is −1/2, 0/5 is 0), black where
/// it changed; the terms keep their places, powers, letters and factors, and a
/// coefficient already so written keeps its colours. A coefficient over 0 is a
/// PreconditionError; one whose lowest terms need 2⁶³ (−2⁶³ over −1) an
/// OverflowError.
GroupXL coefficientsInLowestTermsXL(const GroupXL& group);
Polynomial_XL coefficientsInLowestTermsXL(const Polynomial_XL& polynomial);
/// The group with its like terms added up: the terms without factors of one
/// power, when there are several and no term with factors shares their
/// power, become one term where the first of them stands, their exact sum
/// (sumRationals: whatever their number, order and size on the way;
/// OverflowError "64-bit overflow in addition" only for a total beyond 64
/// bits), in lowest terms and black, or none for a sum of 0. Every other
/// term, a power written once or a term with factors, keeps its term with its
/// coefficient in lowest terms as coefficientsInLowestTermsXL writes it, so
/// that a term alone reads as a sum of like terms does. A group so emptied
/// becomes zeroTermXL in the letter of its first term of the highest power. A
/// coefficient over 0 is a PreconditionError.
GroupXL addLikeTermsXL(const GroupXL& group);
/// addLikeTermsXL on every group.
Polynomial_XL addLikeTermsXL(const Polynomial_XL& polynomial);
/// One group: the first group's terms by descending (ascending) exponent; equal
/// exponents keep their order.
Polynomial_XL sortedByExponentXL(const Polynomial_XL& polynomial);
Polynomial_XL sortedAscendingXL(const Polynomial_XL& polynomial);
/// Every group's terms by descending exponent, factors and indices kept: the
/// same value in standard order group by group.
Polynomial_XL sortedGroupsXL(const Polynomial_XL& polynomial);
/// −1 · (−P), black. A one-group value gives [−1], [the group negated], [1·(0)·(1)].
/// Of several groups (indices moved on by one past the new group 0), the old
/// root becomes a negated group of its own after the others and the new root
/// is 1·(0)·(that group). When group 0 leads negative and one expression term
/// alone names it, it is shown negated: to an odd power that term keeps its
/// sign, and when it is the only one it keeps its monomial with the factor
/// (0) put first, c·(−1)·(−g₀)·…; to an even power the value does not change.
/// Either way the value is kept.
Polynomial_XL factorOutNegativeOneXL(const Polynomial_XL& polynomial);
/// One group: the first group with every numerator negated.
Polynomial_XL negatedXL(const Polynomial_XL& polynomial);

/// Folds the leading single-term factor groups of a one-term factored expression
/// into its coefficient (each raised to its factor's exponent), the term taking
/// the letter of the first of them with a power when it has none; none when there
/// is nothing to fold and `negate` is clear. With `negate` set the result is
/// always the negated value: the coefficient is negated (folding or not), a
/// single plain term is negated, and a sum L becomes −1·(L) with every group kept.
std::optional<Polynomial_XL> expandXL(bool negate, const Polynomial_XL& polynomial);

}  // namespace tl
