// The rewrites of grouped sides that work in one pass (unwrapping unit
// groups, folding constant groups, combining like terms, multiplying out
// every group) against the way their results are defined: one rewrite at a
// time, found from the start each time, on random well-formed sides, with
// numbers large enough that some steps leave 64 bits.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_steps.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "support/recording_checks.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

class SideMaker {
public:
    explicit SideMaker(std::uint64_t seed) : random_(seed) {}

    /// A side of up to `groups` pairs of parentheses, nested or side by side.
    Ext_polynomial side(int groups) {
        Ext_polynomial s;
        left_ = groups;
        group(s, 0);
        return s;
    }
    std::int64_t pick(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }

private:
    std::uint64_t group(Ext_polynomial& s, int depth) {
        std::vector<Term> terms;
        for (std::int64_t i = pick(1, depth == 0 ? 8 : 4); i > 0; --i) {
            if (left_ > 0 && depth < 4 && pick(0, 2) == 0) {
                --left_;
                const std::uint64_t inner = group(s, depth + 1);
                terms.push_back(makeTerm(monomial(true), {true, inner}));
            } else {
                terms.push_back(makeTerm(monomial(false), {false, 0}));
            }
        }
        s.terms.push_back(std::move(terms));
        return s.terms.size() - 1;
    }
    Monomial monomial(bool multiplier) {
        static constexpr std::int64_t kDenominators[] = {1, 1, 1, 1, 2, 3, -2, 4};
        static constexpr std::int64_t kLarge = std::int64_t{1} << 62;
        // Multipliers of 1 (unwrapped), small numbers, 0 now and then, and
        // large ones whose products and sums leave 64 bits.
        const std::int64_t n = multiplier && pick(0, 3) == 0 ? 1
                               : pick(0, 9) == 0             ? pick(-kLarge, kLarge)
                                                             : pick(-4, 4);
        const std::int64_t d = multiplier && n == 1 ? 1 : kDenominators[pick(0, std::size(kDenominators) - 1)];
        const std::uint64_t exponent = multiplier && n == 1 ? 0 : static_cast<std::uint64_t>(pick(0, 2) == 0 ? 0 : 1);
        return makeMonomial(makeDefaultRational(n, d), exponent, pick(0, 4) == 0 ? "y" : "x");
    }

    SystemRandom random_;
    int left_ = 0;
};

/// Every number of the side as written, colours left out.
std::string numbers(const Ext_polynomial& side) {
    std::string s;
    for (const auto& g : side.terms) {
        s += "[";
        for (const Term& t : g) {
            const Monomial& m = t.monomial;
            s.append(" ").append(std::to_string(m.coefficient.numerator));
            s.append("/").append(std::to_string(m.coefficient.denominator));
            s.append(m.variable).append("^").append(std::to_string(m.exponent));
            if (t.sub_exp.first) s.append("(").append(std::to_string(t.sub_exp.second)).append(")");
        }
        s += " ]";
    }
    return s;
}
std::string numbers(const Ext_polyEquation& e) { return numbers(e.LHS) + " = " + numbers(e.RHS); }

/// The result of `f`, or "64 bits" when its numbers leave them.
template <class F>
std::string numbersOrOverflow(F f) {
    try {
        return numbers(f());
    } catch (const OverflowError&) {
        return "64 bits";
    }
}

/// Like terms combined as the step defines it: each term looks back for a
/// like term kept before it, else adds every like term after it.
ExtGroup combinedByPairs(const ExtGroup& g) {
    const auto like = [](const Term& a, const Term& b) {
        return !a.sub_exp.first && !b.sub_exp.first && a.monomial.exponent == b.monomial.exponent &&
               (a.monomial.exponent == 0 || a.monomial.variable == b.monomial.variable) &&
               a.monomial.coefficient.denominator == 1 && b.monomial.coefficient.denominator == 1;
    };
    ExtGroup kept;
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (std::ranges::any_of(kept, [&](const Term& k) { return like(k, g[i]); })) continue;
        Term t = g[i];
        for (std::size_t j = i + 1; j < g.size(); ++j)
            if (like(g[i], g[j]))
                t.monomial.coefficient = addRational(g[j].monomial.coefficient, t.monomial.coefficient).value();
        kept.push_back(t);
    }
    std::erase_if(kept, [](const Term& t) { return t.monomial.coefficient.numerator == 0; });
    return kept.empty() ? ExtGroup{zeroTerm()} : kept;
}

}  // namespace

TEST(ExtRewriteSweep, OnePassRewritesMatchOneRewriteAtATime) {
    SideMaker maker(20261207);
    int unwrapped = 0, folded = 0, combined = 0;
    for (int i = 0; i < 4000 / kSanitizerSlowdown && !HasFailure(); ++i) {
        const Ext_polynomial side = maker.side(static_cast<int>(maker.pick(0, 12)));
        SCOPED_TRACE(numbers(side));

        Ext_polynomial once = side;
        while (auto next = unwrapUnitGroupOnce(once)) once = std::move(*next);
        EXPECT_EQ(numbers(unwrapUnitGroups(side)), numbers(once));
        unwrapped += numbers(once) != numbers(side);

        const std::string oneByOne = numbersOrOverflow([&] {
            std::optional<Ext_polynomial> f = foldConstantGroupOnce(side);
            if (f)
                while (auto next = foldConstantGroupOnce(*f)) f = std::move(next);
            return f.value_or(Ext_polynomial{});
        });
        EXPECT_EQ(numbersOrOverflow([&] { return foldConstantGroups(side).value_or(Ext_polynomial{}); }), oneByOne);
        folded += oneByOne != numbers(Ext_polynomial{});

        for (const ExtGroup& g : side.terms) {
            const std::string byPairs = numbersOrOverflow([&] { return Ext_polynomial{{combinedByPairs(g)}}; });
            EXPECT_EQ(numbersOrOverflow([&] {
                          ExtGroup c = g;
                          combineSimpleLikeTermsOfGroup(true, c);
                          return Ext_polynomial{{c}};
                      }),
                      byPairs);
            combined += byPairs != numbers(Ext_polynomial{{g}});
        }
    }
    // The sweep reaches what it is for.
    EXPECT_GT(unwrapped, 100 / kSanitizerSlowdown);
    EXPECT_GT(folded, 100 / kSanitizerSlowdown);
    EXPECT_GT(combined, 100 / kSanitizerSlowdown);
}

TEST(ExtRewriteSweep, DistributingEverythingAtOnceMatchesTheWorkedSteps) {
    SideMaker maker(7122026);
    int overflows = 0;
    for (int i = 0; i < 3000 / kSanitizerSlowdown && !HasFailure(); ++i) {
        Ext_polyEquation e;
        e.LHS = maker.side(static_cast<int>(maker.pick(0, 10)));
        e.RHS = maker.side(static_cast<int>(maker.pick(0, 4)));
        SCOPED_TRACE(numbers(e));
        const std::string stepwise = numbersOrOverflow([&] {
            Ext_polyEquation w = e;
            while (true) {
                if (auto k = combineSimpleLikeTermsStep(true, w)) w = std::move(k->after);
                auto d = distributeStep(true, w);
                if (!d) return w;
                w = std::move(d->after);
            }
        });
        EXPECT_EQ(numbersOrOverflow([&] { return combineAndDistributeAll(e); }), stepwise);
        overflows += stepwise == "64 bits";
    }
    EXPECT_GT(overflows, 50 / kSanitizerSlowdown);
}
