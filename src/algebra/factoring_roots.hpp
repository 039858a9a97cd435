// Exact root tests for the rational root search: whether p·x + c divides a
// polynomial with whole coefficients, decided without a 64-bit limit on the
// intermediate values, and bounds that rule out candidates far from every root.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

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

    /// The cheap test first: for one p ≥ 1, `weights(p)`; then for each q ≥ 1
    /// whether −q/p and q/p pass a test that every root passes (the value of
    /// the polynomial modulo a prime). Those that fail are certainly no roots.
    struct Signs {
        bool negative = false;
        bool positive = false;
    };
    std::vector<std::uint64_t> weights(std::int64_t p) const;
    Signs mayBeRoots(const std::vector<std::uint64_t>& weights, std::int64_t q) const;

    /// Whether −c/p is a root, for p ≥ 1 and c ≠ 0 coprime, decided exactly. When
    /// |c| or p is above 1 and there are more than kMaxExactSpan powers between
    /// the highest and the lowest term, the value is too large to decide and
    /// OverflowError is thrown.
    bool isRoot(std::int64_t p, std::int64_t c) const;

    /// q from `lo` to `hi` holds every q ≥ 1 for which q/p can be the size of a
    /// non-zero root (a conservative Cauchy bound on the roots and on their
    /// reciprocals); all q when the bounds do not narrow it.
    struct Range {
        std::int64_t lo = 1;
        std::int64_t hi = INT64_MAX;
    };
    Range candidateRange(std::int64_t p) const;

    /// The widest spread of powers decided by exact division.
    static constexpr std::uint64_t kMaxExactSpan = 10000;

private:
    bool dividesExactly(std::int64_t p, std::int64_t c) const;

    std::vector<WholeTerm> terms_;          // exponents descending, no zero coefficient
    std::vector<std::uint64_t> residues_;  // coefficients modulo the test prime
    long double logUpper_ = 0;             // log2 of a bound above every |root|
    long double logLower_ = 0;             // log2 of a bound below every non-zero |root|
    bool bounded_ = false;
};

}  // namespace tl
