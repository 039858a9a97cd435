// Exact root tests for the rational root search: whether p·x + c divides a
// polynomial with whole coefficients, decided without a 64-bit limit on the
// intermediate values; bounds that rule out candidates far from every root,
// and tests on the values at 1 and −1 that rule out most of the others at the
// cost of a division. What each test costs is stated in one unit, a term
// evaluated: the work of taking one term into the value of the polynomial
// modulo the test prime, about a multiplication of residues.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "algebra/work_allowance.hpp"
#include "base/checked.hpp"

namespace tl {

/// One power of the variable with its whole coefficient.
struct WholeTerm {
    std::uint64_t exponent = 0;
    checked::i128 coefficient = 0;
};

class RationalRootTest {
public:
    /// Terms in any order; like powers are added up and zero sums dropped.
    explicit RationalRootTest(const std::vector<std::pair<std::uint64_t, std::int64_t>>& terms);

    /// Whether −q/p and q/p can be roots, for p, q ≥ 1 coprime.
    struct Signs {
        bool negative = false;
        bool positive = false;
    };
    /// The cheapest test, exact: a root s/t (t ≥ 1, s and t coprime) makes the
    /// polynomial (t·x − s)·g with g whole (Gauss), so t − s divides its value
    /// at 1 and t + s its value at −1. A value of 0 rules nothing out.
    Signs passValueTests(std::uint64_t p, std::uint64_t q) const;

    /// The next test: for one p ≥ 1, `weights(p)`; then for each q ≥ 1
    /// whether −q/p and q/p pass a test that every root passes (the value of
    /// the polynomial modulo a prime). Those that fail are certainly no roots.
    std::vector<std::uint64_t> weights(std::uint64_t p) const;
    Signs mayBeRoots(const std::vector<std::uint64_t>& weights, std::uint64_t q) const;
    /// What one call of `weights` or of `mayBeRoots` costs: a term evaluated
    /// per term, and the powers of the gaps between them.
    std::uint64_t evaluationCost() const { return evaluationCost_; }

    /// Whether −c/p is a root, for p ≥ 1 and c ≠ 0 coprime, |c| < 2⁶⁴, decided exactly and
    /// the work spent from `allowance` as it goes (a term evaluated per 32-bit
    /// limb of the numbers divided). When |c| or p is above 1 and the powers
    /// spread over more than kMaxExactSpan (highest less lowest), that division
    /// is not taken on and PreconditionError is thrown.
    bool isRoot(std::uint64_t p, checked::i128 c, WorkAllowance& allowance) const;

    /// q from `lo` to `hi` holds every q ≥ 1 for which q/p can be the size of a
    /// non-zero root (a conservative Cauchy bound on the roots and on their
    /// reciprocals) once `computeBounds` has run; all q when the bounds have
    /// not been worked out or do not narrow it, none for a single power.
    struct Range {
        std::uint64_t lo = 1;
        std::uint64_t hi = UINT64_MAX;
    };
    Range candidateRange(std::uint64_t p) const;
    /// Works out the bounds on the size of the roots, for `boundsCost()`.
    void computeBounds();
    std::uint64_t boundsCost() const;

    /// The spread of the powers, highest less lowest (0 for none).
    std::uint64_t span() const;
    /// The widest spread of powers decided by exact division.
    static constexpr std::uint64_t kMaxExactSpan = 10000;

private:
    bool dividesExactly(std::uint64_t p, checked::i128 c, WorkAllowance& allowance) const;

    std::vector<WholeTerm> terms_;          // exponents descending, no zero coefficient
    std::vector<std::uint64_t> residues_;  // coefficients modulo the test prime
    checked::i128 atOne_ = 0;              // the value at 1
    checked::i128 atMinusOne_ = 0;         // the value at −1
    std::uint64_t evaluationCost_ = 0;
    long double logUpper_ = 0;             // log2 of a bound above every |root|
    long double logLower_ = 0;             // log2 of a bound below every non-zero |root|
    bool bounded_ = false;
};

}  // namespace tl
