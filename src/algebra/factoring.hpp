// Factoring one group of a factored polynomial: the greatest common monomial
// factor, linear factors by the rational root test, the order in which two
// factors are shown, and moving a negative sign into a binomial factor.
//
// The step operations return [before, after]: before draws the part about to
// change in the given colour, after draws the new parts in it. Every rewrite
// keeps the value of the polynomial; an operation asked to work on a value it
// cannot rewrite throws PreconditionError (the tests say beforehand whether
// it can), and a 64-bit overflow throws OverflowError.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "algebra/factoring_basics.hpp"
#include "algebra/work_allowance.hpp"

namespace tl {

/// Two values of one step: before and after.
using StepPairXL = std::array<Polynomial_XL, 2>;

// ---- greatest common factor --------------------------------------------------

/// The working group has at least two terms and a common factor: the gcd of its
/// numerators is above 1, or its smallest exponent is not 0. A group whose
/// numerators are all 0 has none.
bool hasCommonFactorXL(const Polynomial_XL& polynomial);

/// The working group's common factor g·x^e (g the gcd of the numerators, negated
/// with `takeSign` when a one-group value leads negative, OverflowError when it
/// is 2⁶³ and not negated; e the smallest exponent) taken out. One group: after
/// is [group ÷ g·x^e], [g·x^e·(0)], all in `color`. Several groups: the working
/// group is replaced by [g·x^e] and [group ÷ g·x^e], both in `color`, and every
/// factor that pointed at it now points at both, in `color`; all else is black
/// (for the layout of factorOutNegativeOneXL this gives [−1], [g·x^e],
/// [group ÷ g·x^e], [1·(0)·(1)·(2)]). Denominators stay as they are.
StepPairXL factorOutGcfXL(bool takeSign, Color color, const Polynomial_XL& polynomial);
inline StepPairXL factorOutGcfXL(Color color, const Polynomial_XL& polynomial) {
    return factorOutGcfXL(false, color, polynomial);
}

/// (numerator / g) over the same denominator, exponent − e, black; the term's
/// factors are kept. A g of 0 divides by 1.
Term_XL divideTermByGcfXL(const Term_XL& term, std::int64_t g, std::uint64_t e);
/// divideTermByGcfXL with every colour of the monomial set to `color`.
Term_XL divideTermByGcfColoredXL(const Term_XL& term, std::int64_t g, std::uint64_t e, Color color);

/// For one group of at least two terms: ±gcd of the numerators (the sign of the
/// first term) times the variable to the smallest exponent.
std::optional<Monomial> greatestCommonMonomialXL(const Polynomial_XL& polynomial);
/// The first group divided by greatestCommonMonomialXL, term by divideMonomialXL;
/// none without a common monomial or when it is 0.
std::optional<Polynomial_XL> divideByCommonMonomialXL(const Polynomial_XL& polynomial);
/// (numerator / g) over the same denominator, exponent − e, in `variable`.
Term_XL divideMonomialXL(const Monomial& monomial, std::int64_t g, std::uint64_t e, const std::string& variable);
/// Group 0 of any value, at least two terms: the signed gcd of its numerators
/// times the variable to the smallest exponent; none when that is 1.
std::optional<Monomial> commonMonomialOfFirstGroupXL(const Polynomial_XL& polynomial);

// ---- rational roots ---------------------------------------------------------------

/// The work the rational root searches of one task may do together. While a
/// scope is open on a thread, every search there (findRationalRootFactor, and
/// all that calls it: factorCompletely, isFactorableXL, the factoring steps,
/// rationalSimplifySteps, whose comparisons of finished parts spend from it
/// too) spends from the allowance of the outermost open scope; a search outside every scope opens one of its own. The work is
/// counted in terms evaluated (one term of the polynomial taken into its value
/// at a candidate modulo a prime; see factoring_roots.hpp), and beyond the
/// allowance the search is refused with PreconditionError (kRefusal): a
/// search that has not tested every candidate never says there is no factor.
/// A term evaluated takes some 5 ns: the default allowance is spent in about
/// 1.3 s, nearly twice what the costliest entry known to succeed takes.
class RootSearchScope {
public:
    static constexpr std::uint64_t kDefaultAllowance = 250'000'000;
    static constexpr char kRefusal[] = "too many possible rational roots to test";

    /// Opens a scope with `allowance`, unless one is open already: then this
    /// one shares that one's.
    explicit RootSearchScope(std::uint64_t allowance = kDefaultAllowance);
    ~RootSearchScope();
    RootSearchScope(const RootSearchScope&) = delete;
    RootSearchScope& operator=(const RootSearchScope&) = delete;

    /// What the searches in this scope spend from.
    WorkAllowance& allowance() const { return *active_; }

private:
    std::optional<WorkAllowance> own_;
    WorkAllowance* active_ = nullptr;
};

/// The first linear factor p·x ± q by the rational root test on the first group
/// (p from the divisors of the leading numerator, q of the last, coprime; for
/// one pair the root −q/p before q/p). Terms with coefficient 0 take no part.
/// None when the group has no degree, a coefficient is not whole (denominator
/// other than 1) or a term has factors: the numerators alone are then not the
/// polynomial. Each candidate is decided exactly, whatever the size of the
/// values on the way; PreconditionError for a candidate that may be a root but
/// would have to be checked across more than 10,000 powers (p or q above 1),
/// and for a search beyond its allowance (RootSearchScope). A coefficient of
/// −2⁶³ is searched like any other; OverflowError when the factor found,
/// p·x + 2⁶³ or 2⁶³·x ± q, cannot be written in 64 bits.
std::optional<Polynomial_XL> findRationalRootFactor(const Polynomial_XL& polynomial);
/// The highest degree synthetic division takes on (its quotient is dense).
inline constexpr std::uint64_t kMaxDividedDegree = 10000;
/// The quotient of the first group by the linear factor (integer synthetic
/// division, like terms added up, remainder dropped), descending, no zero terms.
/// OverflowError only when like terms added up or a quotient coefficient pass 64 bits.
/// A factor without an x-term (p = 0), or a dividend of a degree above
/// kMaxDividedDegree, is refused with PreconditionError.
Polynomial_XL divideByLinearFactor(const Polynomial_XL& factor, const Polynomial_XL& polynomial);
/// The linear factors in the order found, then the last quotient; none when the
/// degree is below 2, the group has fewer than two terms, or no factor is found.
/// All its searches share one allowance (RootSearchScope).
std::optional<std::vector<Polynomial_XL>> factorCompletely(const Polynomial_XL& polynomial);

// ---- linear factors of a group ---------------------------------------------------

/// The working group has two terms or more, its first of exponent 2 or more,
/// and factorCompletely finds a factor of it (a factor found counts even where
/// it, or a quotient after it, cannot be written in 64 bits).
bool isFactorableXL(const Polynomial_XL& polynomial);
/// The working group rewritten as the product of factorCompletely's groups, in
/// `color` (a repeated factor gives two groups; the last quotient a group of its
/// own). One group: the new expression is 1 times every new group. Several:
/// the working group is replaced by the new groups and the expression term
/// points at all of them; its other factors and its monomial are black.
StepPairXL factorTrinomialXL(Color color, const Polynomial_XL& polynomial);
/// factorTrinomialXL; unless `method` is "guess and check", the first two new
/// groups (a·x + b, c·x + d) are exchanged when not both
/// gcd(a·c, max(|a·d|, |b·c|)) = |a| and gcd(b·d, min(|a·d|, |b·c|)) = |b|.
StepPairXL chooseFactoringMethod(Color color, std::string_view method, const Polynomial_XL& polynomial);

// ---- a negative sign moved into a factor ---------------------------------------------

/// k·(a₀x + c₀)(a₁x + c₁)…: the expression is one term with a negative
/// coefficient, groups 0 and 1 are binomials a·x, c referenced once each by it
/// (exponent 1) and by nothing else, and c₀, c₁ differ in sign.
bool hasOppositeFactorSignsXL(const Polynomial_XL& polynomial);
/// For the binomial a·x + c whose constant is negative: [a·x + c], [c + a·x],
/// [−c − a·x] with [−1·(0)]; none when the test fails.
std::optional<std::array<Polynomial_XL, 3>> signMoveStepsXL(const Polynomial_XL& polynomial);
/// The binomial with the negative constant and the expression coefficient both
/// negated, both binomials written constant first, the new parts in `color`;
/// every other group is kept. None when the test fails.
std::optional<Polynomial_XL> negateFactorAndCoefficientXL(Color color, const Polynomial_XL& polynomial);

}  // namespace tl
