// The worst inputs known to the factoring and rational-expression entries,
// answered as tellurandi-steps answers them (the whole tool: reading, the
// entry, and the JSON or --text written to a sink), each with the peak
// resident size of the process while it answered (VmHWM, reset before the
// case); then the common-factor test alone on pairs written out densely,
// which the reader's 10,000 characters cannot reach but its Euclid can.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "algebra/common_factor.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "support/process_memory.hpp"
#include "support/sparse_sums.hpp"
#include "support/steps_run.hpp"

namespace {

using tl::bench::resetPeakMemory;
using tl::bench::statusKiB;

// ---- polynomials written out -------------------------------------------------------

using tl::testing::coprimeSparse;
using tl::testing::fraction;
using tl::testing::sharedCubic;

/// (x^d + x + 1)(x^(d−1) + x + 1)… as many groups as fit in `length` characters.
std::string highGroups(std::uint64_t d, std::size_t length) {
    std::string text;
    for (std::uint64_t k = d;; --k) {
        const std::string group = "(x^" + std::to_string(k) + "+x+1)";
        if (text.size() + group.size() > length) return text;
        text += group;
    }
}

/// (x+10)(x+11)… as many linear groups as fit, with `sign` before the number.
std::string linearGroups(char sign, std::size_t length) {
    std::string text;
    for (int k = 10;; ++k) {
        const std::string group = std::string("(x") + sign + std::to_string(k) + ")";
        if (text.size() + group.size() > length) return text;
        text += group;
    }
}

/// s(x^d + 1)(x − 1)^k written out: k + 1 factors found one after another,
/// each pass over a quotient of some d terms.
std::string timesPowerOfXMinusOne(std::int64_t s, std::uint64_t d, int k) {
    std::string text;
    std::int64_t binomial = 1;  // k choose j
    std::vector<std::string> low, high;
    for (int j = 0; j <= k; ++j) {
        const std::string sign = (k - j) % 2 == 0 ? " + " : " - ";
        const std::string c = std::to_string(s * binomial);
        high.push_back(sign + c + "x^" + std::to_string(d + static_cast<std::uint64_t>(j)));
        low.push_back(sign + c + (j == 0 ? "" : j == 1 ? "x" : "x^" + std::to_string(j)));
        binomial = binomial * (k - j) / (j + 1);
    }
    for (auto it = high.rbegin(); it != high.rend(); ++it) text += *it;
    for (auto it = low.rbegin(); it != low.rend(); ++it) text += *it;
    return text.substr(3);  // the leading term is positive
}

// ---- the entries ---------------------------------------------------------------------

struct Case {
    std::string label;  // what the table shows
    std::vector<std::string> args;
};

std::string groupCount(const std::string& text) { return std::to_string(std::ranges::count(text, '(')); }

const std::vector<Case>& cases() {
    static const std::vector<Case> list = [] {
        std::vector<Case> c;
        for (const std::uint64_t d : {1500u, 5000u, 9997u})
            c.push_back({"S·A/(S·B), degree " + std::to_string(d) + " (not finished)",
                         {"rationalSimplifySteps", sharedCubic(d)}});
        c.push_back({"A/B coprime, degree 10000 (finished)", {"rationalSimplifySteps", coprimeSparse(10000)}});
        std::string four;
        for (int k = 2; k < 6; ++k) four.append("(x^10000+x^" + std::to_string(k) + "+1)");
        c.push_back({"x^10000 + x + 1 over four groups of degree 10000 (the most compared)",
                     {"rationalSimplifySteps", fraction("x^10000+x+1", four)}});
        const std::string many = highGroups(9999, 9990);
        const std::string over = groupCount(many) + " groups of degree ~10000 over x + 2";
        c.push_back({over, {"rationalSimplifySteps", many + "/(x+2)"}});
        c.push_back({over, {"rationalCancelSteps", many + "/(x+2)"}});
        const std::string upper = highGroups(9999, 4990), lower = highGroups(9000, 4990);
        c.push_back({groupCount(upper) + " × " + groupCount(lower) + " groups of degree ~10000 (refused)",
                     {"rationalSimplifySteps", upper + "/(" + lower + ")"}});
        const std::string up = linearGroups('+', 4990), down = linearGroups('-', 4990);
        c.push_back({groupCount(up) + " × " + groupCount(down) + " linear groups (finished)",
                     {"rationalSimplifySteps", up + "/(" + down + ")"}});
        c.push_back({"(x² + x + 1)^(2⁶³ − 1)/(x² + x + 3)^(2⁶³ − 2)",
                     {"rationalSimplifySteps", "(x^2+x+1)^9223372036854775807/(x^2+x+3)^9223372036854775806"}});
        c.push_back({"2x^(2⁶³ − 1)/(4x^(2⁶³ − 2))",
                     {"rationalReduceSteps", "(2x^9223372036854775807)/(4x^9223372036854775806)"}});
        c.push_back({"x^9999 + 1", {"factorCompletely", "x^9999 + 1"}});
        c.push_back({"x^10000 − 1", {"factorCompletely", "x^10000 - 1"}});
        c.push_back({"x^10000 − 1", {"factorTrinomialXL", "x^10000 - 1"}});
        c.push_back({"x^10000 − 1", {"chooseFactoringMethod", "x^10000 - 1", "guess and check"}});
        c.push_back({"x^10000 + x", {"factorOutGcfXL", "x^10000 + x"}});
        // The rational root search over many divisors: H = 897612484786617600 has 103,680 of them.
        const std::string h = "897612484786617600";
        c.push_back({"x² + 963761198400", {"factorCompletely", "x^2 + 963761198400"}});
        c.push_back({"963761198400x² + H (6,720 × 103,680 divisors)", {"factorCompletely", "963761198400x^2 + " + h}});
        c.push_back({"Hx² + Hx + H", {"factorCompletely", h + "x^2 + " + h + "x + " + h}});
        c.push_back({"Hx¹⁰ + (2⁶³ − 1)x⁹ + (2⁶³ − 1)x + H (roots far apart)",
                     {"factorCompletely", h + "x^10 + 9223372036854775807x^9 + 9223372036854775807x + " + h}});
        c.push_back({"x⁴ − 963761198400x³ + x − 963761198400 (two roots)",
                     {"factorCompletely", "x^4 - 963761198400x^3 + x - 963761198400"}});
        // x + 1, then a quotient of 9,999 terms whose roots bound some ten million
        // pairs of divisors: the values at ±1 rule out all but a few thousand.
        const std::string p = "9223372036854775783";  // the largest prime below 2⁶³
        const auto sparse = [&](int d) {
            return h + "x^" + std::to_string(d) + " + " + p + "x^" + std::to_string(d - 1) + " + " + p + "x + " + h;
        };
        c.push_back({"Hx^9999 + H", {"factorCompletely", h + "x^9999 + " + h}});
        c.push_back({"Hx^9999 + Px^9998 + Px + H (P prime)", {"factorCompletely", sparse(9999)}});
        c.push_back({"Hx^9999 + Px^9998 + Px + H (P prime)", {"factorTrinomialXL", sparse(9999)}});
        c.push_back({"Hx^9999 + Px^9998 + Px + H (P prime)",
                     {"chooseFactoringMethod", sparse(9999), "guess and check"}});
        c.push_back({"1/(Hx^1839 + Px^1838 + Px + H)", {"rationalSimplifySteps", "1/(" + sparse(1839) + ")"}});
        c.push_back({"1/(Hx^9999 + Px^9998 + Px + H)", {"rationalSimplifySteps", "1/(" + sparse(9999) + ")"}});
        // rationalSimplifySteps spends one allowance on its root searches and
        // its comparisons together: groups whose searches take most of it
        // (H's 103,680 divisors against each other), then groups of high
        // degree to compare with what is left.
        const std::string searched = "(" + h + "x^2+" + p + "x+" + h + ")";
        std::string searchedFour, ninePairs;
        for (int k = 0; k < 4; ++k) searchedFour += searched;
        for (int k = 0; k < 9; ++k)
            ninePairs += "(x^" + std::to_string(5000 + k) + "+5x^" + std::to_string(4999 + k) + "+7)";
        c.push_back({"(Hx² + Px + H) four times over x^10000 + 2x + 3 (267 characters)",
                     {"rationalSimplifySteps", searchedFour + "/(x^10000+2x+3)"}});
        c.push_back({"(Hx² + Px + H) five times, (Mx² + Px + H), x^10000 + 2x + 3 over 9 groups of degree ~5000",
                     {"rationalSimplifySteps",
                      searchedFour + searched + "(963761198400x^2+" + p + "x+" + h + ")(x^10000+2x+3)/(" + ninePairs + ")"}});
        c.push_back({"(x^9901 + 1)(x − 1)^30 written out (31 factors)",
                     {"factorCompletely", timesPowerOfXMinusOne(1, 9901, 30)}});
        const std::string cubed = timesPowerOfXMinusOne(897612484786617600, 9995, 3);
        c.push_back({"H(x^9995 + 1)(x − 1)³ written out (4 factors)", {"factorCompletely", cubed}});
        c.push_back({"H(x^9995 + 1)(x − 1)³ written out (4 factors)", {"chooseFactoringMethod", cubed, "ac method"}});
        return c;
    }();
    return list;
}

void BM_Entry(benchmark::State& state, std::size_t i, bool text) {
    std::vector<std::string> args = cases().at(i).args;
    if (text) args.push_back("--text");
    const tl::bench::StepsRun run = tl::bench::timeStepsTool(state, args);
    state.counters["status"] = run.status;
    state.counters["out_KiB"] = static_cast<double>(run.out) / 1024;
    state.counters["peak_MiB"] = run.peakKiB / 1024;
    state.SetLabel(args.front() + " | " + cases().at(i).label);
}

// ---- the common-factor test alone --------------------------------------------------

using Dense = std::vector<tl::Rational>;

std::vector<std::int64_t> randomDense(tl::RandomSource& random, std::size_t degree) {
    std::vector<std::int64_t> c(degree + 1);
    for (std::int64_t& k : c) k = random.uniformInRange(-9, 9);
    c.back() = 1;
    return c;
}

std::vector<std::int64_t> product(const std::vector<std::int64_t>& a, const std::vector<std::int64_t>& b) {
    std::vector<std::int64_t> c(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) c[i + j] += a[i] * b[j];  // at most 5,001 · 81
    return c;
}

Dense rationals(const std::vector<std::int64_t>& c) {
    Dense d;
    for (const std::int64_t k : c) d.push_back(tl::makeDefaultRational(k, 1));
    return d;
}

struct Pair {
    std::string label;
    Dense a, b;
};

const std::vector<Pair>& pairs() {
    static const std::vector<Pair> list = [] {
        tl::SystemRandom random(2718);
        std::vector<Pair> p;
        p.push_back({"dense, degree 10000, coprime", rationals(randomDense(random, 10000)),
                     rationals(randomDense(random, 10000))});
        const std::vector<std::int64_t> cubic{1, 1, 0, 1};
        p.push_back({"dense, degree 10000, sharing x³ + x + 1",
                     rationals(product(cubic, randomDense(random, 9997))),
                     rationals(product(cubic, randomDense(random, 9997)))});
        const std::vector<std::int64_t> half = randomDense(random, 5000);
        p.push_back({"dense, degree 10000, sharing a factor of degree 5000",
                     rationals(product(half, randomDense(random, 5000))),
                     rationals(product(half, randomDense(random, 5000)))});
        // x² + 3·10¹⁸x + 1 (monic, it reads back from four primes) times
        // cofactors of 0s and 1s: the products stay within 64 bits.
        const auto bits = [&](std::size_t degree) {
            std::vector<std::int64_t> c(degree + 1);
            for (std::int64_t& k : c) k = random.uniformInRange(0, 1);
            c.front() = c.back() = 1;
            return c;
        };
        const std::vector<std::int64_t> big{1, 3'000'000'000'000'000'001, 1};
        for (const std::size_t d : {5000u, 9998u})
            p.push_back({"dense, degree " + std::to_string(d + 2) + ", sharing x² + 3·10¹⁸x + 1",
                         rationals(product(big, bits(d))), rationals(product(big, bits(d)))});
        // 9·10¹⁸x + 1 made monic reads back from no four primes, and the
        // resultant's bound would take thousands: refused.
        const std::vector<std::int64_t> unreadable{1, 9'000'000'000'000'000'001};
        p.push_back({"dense, degree 10000, sharing 9·10¹⁸x + 1 (refused)", rationals(product(unreadable, bits(9999))),
                     rationals(product(unreadable, bits(9999)))});
        return p;
    }();
    return list;
}

void BM_CommonFactor(benchmark::State& state, std::size_t i) {
    const Pair& pair = pairs().at(i);
    int answer = 0;
    resetPeakMemory();
    for (auto _ : state) {
        try {
            answer = tl::haveCommonFactor(pair.a, pair.b) ? 1 : 0;
        } catch (const tl::PreconditionError&) {
            answer = -1;
        }
    }
    state.counters["shared"] = answer;  // 1 shared, 0 coprime, −1 refused
    state.counters["peak_MiB"] = statusKiB("VmHWM") / 1024;
    state.SetLabel(pair.label);
}

const bool registered = [] {
    for (std::size_t i = 0; i < cases().size(); ++i)
        for (const bool text : {false, true}) {
            const std::string name = "BM_Entry/" + std::to_string(i) + (text ? "/text" : "/json");
            benchmark::RegisterBenchmark(name.c_str(), BM_Entry, i, text)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2);
        }
    for (std::size_t i = 0; i < pairs().size(); ++i) {
        const std::string name = "BM_CommonFactor/" + std::to_string(i);
        benchmark::RegisterBenchmark(name.c_str(), BM_CommonFactor, i)->Unit(benchmark::kMillisecond)->MinTime(0.2);
    }
    return true;
}();

}  // namespace
