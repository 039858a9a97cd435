#include "algebra/factoring_roots.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

#include "algebra/modular.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

using checked::i128;
using u32 = std::uint32_t;
using u64 = std::uint64_t;
using checked::u128;

/// The test prime, 2⁶¹ − 1.
constexpr modular::Mersenne61 kField;
constexpr u64 kPrime = modular::Mersenne61::kPrime;

// ---- whole numbers of any size, as far as exact division needs them -------------------------

/// Sign and magnitude, 32-bit limbs from the lowest, no leading zero limb.
class BigInt {
public:
    explicit BigInt(i128 v) : negative_(v < 0) {
        for (u128 m = checked::magnitude(v); m != 0; m >>= 32) limbs_.push_back(static_cast<u32>(m));
    }
    bool isZero() const { return limbs_.empty(); }
    std::size_t limbCount() const { return limbs_.size(); }

    /// this · f for |f| < 2⁶⁴.
    void multiply(i128 f) {
        if (f < 0) negative_ = !negative_;
        const auto m = static_cast<u64>(checked::magnitude(f));
        u128 carry = 0;
        for (u32& limb : limbs_) {
            carry += static_cast<u128>(limb) * m;
            limb = static_cast<u32>(carry);
            carry >>= 32;
        }
        for (; carry != 0; carry >>= 32) limbs_.push_back(static_cast<u32>(carry));
        trim();
    }
    /// this / d for d ≥ 1 when d divides it; false (this undefined) when not.
    bool divideExactly(u64 d) {
        u128 rest = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            rest = (rest << 32) | limbs_[i];
            limbs_[i] = static_cast<u32>(rest / d);
            rest %= d;
        }
        trim();
        return rest == 0;
    }
    /// this + v.
    void add(const BigInt& v) {
        if (v.negative_ == negative_) {
            addMagnitude(v.limbs_);
        } else if (compareMagnitude(v.limbs_) >= 0) {
            subtractMagnitude(v.limbs_);
        } else {
            BigInt r = v;
            r.subtractMagnitude(limbs_);
            *this = std::move(r);
        }
        trim();
    }

private:
    void trim() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
        if (limbs_.empty()) negative_ = false;
    }
    int compareMagnitude(const std::vector<u32>& o) const {
        if (limbs_.size() != o.size()) return limbs_.size() < o.size() ? -1 : 1;
        for (std::size_t i = limbs_.size(); i-- > 0;)
            if (limbs_[i] != o[i]) return limbs_[i] < o[i] ? -1 : 1;
        return 0;
    }
    void addMagnitude(const std::vector<u32>& o) {
        if (limbs_.size() < o.size()) limbs_.resize(o.size(), 0);
        u64 carry = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            carry += static_cast<u64>(limbs_[i]) + (i < o.size() ? o[i] : 0);
            limbs_[i] = static_cast<u32>(carry);
            carry >>= 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<u32>(carry));
    }
    void subtractMagnitude(const std::vector<u32>& o) {  // |this| ≥ |o|
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t d = static_cast<std::int64_t>(limbs_[i]) - (i < o.size() ? o[i] : 0) - borrow;
            borrow = d < 0 ? 1 : 0;
            limbs_[i] = static_cast<u32>(d + (borrow << 32));
        }
    }

    bool negative_ = false;
    std::vector<u32> limbs_;
};

long double log2Of(i128 v) { return std::log2(static_cast<long double>(checked::magnitude(v))); }

constexpr int kBisectionSteps = 100;
/// What one term of one bisection step costs, in terms evaluated (a power of 2 in long double).
constexpr std::uint64_t kBisectionTermCost = 12;
/// What a 32-bit limb of one step of exact division costs, in terms evaluated
/// (a multiplication, an addition and a division by 64 bits: about as much).
constexpr std::uint64_t kLimbCost = 1;

/// log2 of the positive root R of 1 = Σ 2^(logs[i] − logs[0])·R^(−gap(i)) over i ≥ 1 (gaps ≥ 1),
/// by bisection: the sum falls as R grows, so the root is where it crosses 1.
template <class Gap>
long double cauchyBound(const std::vector<long double>& logs, Gap gap) {
    const auto above = [&](long double t) {  // whether log2 R ≤ t
        long double sum = 0;
        // A term below 2⁻²⁰⁰ counts as 2⁻²⁰⁰: no sum near 1 notices it, and a
        // power of 2 that underflows takes the slow path of the library.
        for (std::size_t i = 1; i < logs.size(); ++i)
            sum += std::exp2(std::max(logs[i] - logs[0] - static_cast<long double>(gap(i)) * t, -200.0L));
        return sum <= 1;
    };
    long double lo = -140, hi = 140;  // coefficients below 2¹²⁸ in size, gaps at least 1
    for (int step = 0; step < kBisectionSteps; ++step) {
        const long double mid = (lo + hi) / 2;
        (above(mid) ? hi : lo) = mid;
    }
    return hi;
}

/// Whether d divides v; only 0 is divided by 0.
bool divides(i128 d, i128 v) { return d == 0 ? v == 0 : v % d == 0; }

/// Slack on the logarithmic bounds, far above the rounding of long double.
constexpr long double kBoundSlack = 1e-6L;

}  // namespace

RationalRootTest::RationalRootTest(const std::vector<std::pair<std::uint64_t, std::int64_t>>& terms) {
    std::vector<std::pair<std::uint64_t, std::int64_t>> sorted = terms;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [exponent, coefficient] : sorted) {
        if (!terms_.empty() && terms_.back().exponent == exponent)
            terms_.back().coefficient += coefficient;  // as many terms as memory holds: no 128-bit overflow
        else
            terms_.push_back({exponent, coefficient});
        if (terms_.back().coefficient == 0) terms_.pop_back();
    }
    for (std::size_t i = 0; i < terms_.size(); ++i) {
        const WholeTerm& t = terms_[i];
        residues_.push_back(modular::residue(t.coefficient, kPrime));
        // As many terms as memory holds, each below 2⁶³ times their number: no 128-bit overflow.
        atOne_ += t.coefficient;
        atMinusOne_ += t.exponent % 2 == 1 ? -t.coefficient : t.coefficient;
        const u64 gap = i == 0 ? 1 : terms_[i - 1].exponent - t.exponent;
        evaluationCost_ += gap == 1 ? 1 : 1 + static_cast<u64>(std::bit_width(gap));
    }
}

std::uint64_t RationalRootTest::span() const {
    return terms_.empty() ? 0 : terms_.front().exponent - terms_.back().exponent;
}

std::uint64_t RationalRootTest::boundsCost() const {
    return 2 * kBisectionSteps * kBisectionTermCost * static_cast<u64>(terms_.size());
}

void RationalRootTest::computeBounds() {
    if (terms_.size() < 2 || bounded_) return;
    // Cauchy: every root has |r| ≤ R, R the positive root of |a_N|·x^N − Σ |aₑ|·x^e (e < N); the
    // reciprocals of the non-zero roots are the roots of the reversed polynomial.
    std::vector<long double> logs;
    for (const WholeTerm& t : terms_) logs.push_back(log2Of(t.coefficient));
    const std::size_t last = terms_.size() - 1;
    logUpper_ = cauchyBound(logs, [&](std::size_t i) { return terms_[0].exponent - terms_[i].exponent; }) + kBoundSlack;
    std::reverse(logs.begin(), logs.end());
    logLower_ = -cauchyBound(logs, [&](std::size_t i) { return terms_[last - i].exponent - terms_.back().exponent; }) -
                kBoundSlack;
    bounded_ = true;
}

RationalRootTest::Signs RationalRootTest::passValueTests(u64 p, u64 q) const {
    // −q/p is s/t with t − s = p + q and t + s = p − q; q/p the other way round.
    const i128 sum = static_cast<i128>(p) + q, difference = static_cast<i128>(p) - q;
    return {divides(sum, atOne_) && divides(difference, atMinusOne_),
            divides(difference, atOne_) && divides(sum, atMinusOne_)};
}

RationalRootTest::Range RationalRootTest::candidateRange(u64 p) const {
    if (terms_.size() == 1) return {1, 0};  // a single power has no root but 0
    Range range;
    if (!bounded_) return range;
    const long double lp = std::log2(static_cast<long double>(p));
    if (lp + logUpper_ < 62) range.hi = static_cast<u64>(std::floor(std::exp2(lp + logUpper_))) + 1;
    if (const long double l = lp + logLower_; l > 0)  // beyond 2⁶², 2⁶² is low enough
        range.lo = l < 62 ? std::max<u64>(1, static_cast<u64>(std::floor(std::exp2(l))) - 1) : u64{1} << 62;
    return range;
}

std::vector<std::uint64_t> RationalRootTest::weights(u64 p) const {
    // aₑ·p^(N−e) for the evaluation of p^(N−m)·P(x/p)/x^m as Σ aₑ·p^(N−e)·x^(e−m).
    std::vector<u64> w;
    const u64 y = p % kPrime;
    u64 yPower = 1;
    for (std::size_t i = 0; i < terms_.size(); ++i) {
        if (i > 0) {
            const u64 gap = terms_[i - 1].exponent - terms_[i].exponent;
            yPower = kField.multiply(yPower, gap == 1 ? y : modular::power(kField, y, gap));
        }
        w.push_back(kField.multiply(residues_[i], yPower));
    }
    return w;
}

RationalRootTest::Signs RationalRootTest::mayBeRoots(const std::vector<std::uint64_t>& weights, u64 q) const {
    if (weights.empty()) return {true, true};
    // Horner over the gaps between powers, for x = −q and x = q at once.
    const u64 x = q % kPrime;
    u64 negative = weights.front(), positive = weights.front();
    for (std::size_t i = 1; i < weights.size(); ++i) {
        const u64 gap = terms_[i - 1].exponent - terms_[i].exponent;
        const u64 xGap = gap == 1 ? x : modular::power(kField, x, gap);
        positive = modular::add(kField, kField.multiply(positive, xGap), weights[i]);
        const u64 n = kField.multiply(negative, xGap);
        negative = modular::add(kField, gap % 2 == 1 ? modular::negate(kField, n) : n, weights[i]);
    }
    return {negative == 0, positive == 0};
}

bool RationalRootTest::isRoot(u64 p, i128 c, WorkAllowance& allowance) const {
    require(p >= 1 && c != 0, "a root test of a factor without both terms");
    require(checked::magnitude(c) <= UINT64_MAX, "a root test of a constant beyond 64 bits");
    if (terms_.empty()) return true;
    if (terms_.size() == 1) return false;
    // ±1 to any power is ±1: the values at ±1, exact in 128 bits.
    if (p == 1 && (c == 1 || c == -1)) return (c == 1 ? atMinusOne_ : atOne_) == 0;
    if (span() > kMaxExactSpan)
        throw PreconditionError("a root test over powers more than " + std::to_string(kMaxExactSpan) + " apart");
    return dividesExactly(p, c, allowance);
}

bool RationalRootTest::dividesExactly(u64 p, i128 c, WorkAllowance& allowance) const {
    // Synthetic division by p·x + c. With p and c coprime, a root −c/p makes every
    // quotient coefficient whole (Gauss), so a division with a remainder rules it out.
    auto term = terms_.begin();
    BigInt quotient(term->coefficient);
    if (!quotient.divideExactly(p)) return false;
    for (std::uint64_t e = term->exponent; e-- > terms_.back().exponent;) {
        allowance.spend(kLimbCost * (quotient.limbCount() + 2));  // a limb or two more than the quotient's
        const bool present = (term + 1)->exponent == e;
        if (present) ++term;
        BigInt rest = quotient;
        rest.multiply(-c);
        if (present) rest.add(BigInt(term->coefficient));
        if (e == terms_.back().exponent) return rest.isZero();
        if (!rest.divideExactly(p)) return false;
        quotient = std::move(rest);
    }
    return false;  // not reached: the loop ends at the lowest power
}

}  // namespace tl
