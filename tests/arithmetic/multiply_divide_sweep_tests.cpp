// Sweeps the multiplication, division and partition builders over many
// operand pairs (all small pairs, seeded random larger ones, zero patterns,
// 0 and the largest number the screen takes): every solution has one comment
// per page, opens with "🤔" and closes with "😎", its closing page holds the
// right product, quotient and remainder or partition, every table of every
// page passes the typesetter's measure pass, and a sample of solutions (every
// one with the largest number) draws page by page as the step view does.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "base/text.hpp"
#include "common/records.hpp"
#include "page_drawing.hpp"
#include "step_reading.hpp"

using namespace tl;
using namespace tl::testing;
using Lines = std::vector<std::string>;
using Pair = std::pair<std::int64_t, std::int64_t>;

namespace {

/// All pairs up to `small`, `count` seeded random pairs below `limit`, and
/// pairs of numbers with zero digits inside and at the end, 0, 1 and the
/// largest number below `limit` (each with itself too). The sanitizer build
/// takes a sample.
std::vector<Pair> operandPairs(std::int64_t small, int count, std::int64_t limit) {
    small /= kSweepDivisor > 1 ? 2 : 1;
    count /= kSweepDivisor;
    std::vector<Pair> pairs;
    for (std::int64_t a = 0; a <= small; ++a)
        for (std::int64_t b = 0; b <= small; ++b) pairs.emplace_back(a, b);
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<std::int64_t> draw(1, limit - 1);
    for (int k = 0; k < count; ++k) pairs.emplace_back(draw(random), draw(random));
    std::vector<std::int64_t> zeros{10, 100, 101, 105, 110, 200, 209, 300, 305, 409, 500, 707, 990};
    if (limit > 1000) zeros.insert(zeros.end(), {1000, 1001, 1010, 2020, 3003, 4050, 9009, 9900});
    zeros.insert(zeros.end(), {0, 1, limit - 1});
    for (auto a : zeros)
        for (auto b : zeros)
            if (a < limit && b < limit) pairs.emplace_back(a, b);
    return pairs;
}

/// Whether the n-th solution of a sweep is also drawn page by page: a
/// sample, and every solution with the largest number `top`.
bool drawn(std::size_t n, Pair p, std::int64_t top) {
    return n % static_cast<std::size_t>(7 * kSweepDivisor) == 0 || p.first == top || p.second == top;
}

}  // namespace

TEST_F(SweepWithFonts, MultiplicationByPartialAndStandardProducts) {
    const auto pairs = operandPairs(40, 400, 1000);
    for (std::size_t n = 0; n < pairs.size(); ++n) {
        const auto [a, b] = pairs[n];
        const std::string what = std::to_string(a) + " × " + std::to_string(b);
        const std::string answer = what + " = " + std::to_string(a * b);
        for (const bool standard : {false, true}) {
            auto model = arithmeticModel(std::to_string(a), std::to_string(b),
                                         {{n % 2 ? " left to right " : " right to left "}});
            const auto t = standard ? model.multiplyStandardSteps() : model.multiplyPartialSteps();
            expectWellFormed(t, what);
            ASSERT_EQ(messages(t.steps.back()).at(0), answer);
            if (drawn(n, pairs[n], 999)) expectEveryPageDraws(t, what, answer);
            if (t.steps.size() == 3) continue;  // a simple case

            // The partial product rows add up to the product written last.
            const auto& rec = record(t.steps.back());
            const auto globals = row(rec, "tableau_op_globals");
            const auto rows = grid(row(rec, "tableau_op_tableau"),
                                   static_cast<std::size_t>(parseInt(globals.at(1))));
            const auto carryRows = static_cast<std::size_t>(parseInt(globals.at(2)));
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(parseInt(globals.at(0)))) << what;
            EXPECT_EQ(digitsOf(rows.back()), std::to_string(a * b)) << what;
            std::int64_t sum = 0;
            const std::size_t end = rows.size() - (globals.at(3) == "true" ? 0 : 1);
            for (std::size_t r = carryRows + 2; r < end; ++r) sum += parseInt(digitsOf(rows[r]));
            EXPECT_EQ(sum, a * b) << what;
            // Every carry shown has been added and crossed out.
            const auto codes = grid(row(rec, "tableau_op_attributes"), rows.front().size());
            for (std::size_t r = 0; r < carryRows; ++r)
                for (const auto& code : codes[r])
                    EXPECT_TRUE(code == "NNN" || code == "YYC") << what;
        }
    }
}

TEST_F(SweepWithFonts, DivisionByPartialQuotientsAndLongDivision) {
    auto pairs = operandPairs(30, 400, 10000);
    // Quotients of up to 19 digits, past which the next power of ten leaves 64 bits.
    for (const std::int64_t b : {2L, 3L, 12L, 97L, 4611686018427387903L}) pairs.emplace_back(INT64_MAX, b);
    // The random pairs follow the small ones; every other one gets a divisor
    // of at most two digits, so that most quotients have several digits.
    const std::size_t small = kSweepDivisor > 1 ? 16 : 31, randomEnd = small * small + 400 / kSweepDivisor;
    for (std::size_t n = 0; n < pairs.size(); ++n) {
        auto [a, b] = pairs[n];
        if (n >= small * small && n < randomEnd && n % 2 == 0 && b > 99) b = b % 97 + 2;
        const std::string what = std::to_string(a) + " ÷ " + std::to_string(b);
        auto model = arithmeticModel(std::to_string(a), std::to_string(b));
        for (const bool standard : {false, true}) {
            const auto t = standard ? model.divideStandardSteps() : model.dividePartialSteps();
            expectWellFormed(t, what);
            if (drawn(n, {a, b}, 9999)) expectEveryPageDraws(t, what);
            if (b == 0) {
                EXPECT_EQ(messages(t.steps.back()), Lines{what + " IS NOT DEFINED"});
                continue;
            }
            const std::int64_t q = a / b, r = a % b;
            if (t.steps.size() == 3) {
                EXPECT_EQ(messages(t.steps.back()), Lines{what + " = " + std::to_string(q) +
                                                          (r ? " R " + std::to_string(r) : "")});
                continue;
            }
            EXPECT_EQ(messages(t.steps.back()), Lines{what});
            const auto& rec = record(t.steps.back());
            if (!standard) {
                const auto tableau = row(rec, "divide_partial_op_tableau");
                const auto partials = row(rec, "divide_partial_op_partials");
                EXPECT_EQ(row(rec, "divide_partial_op_globals"),
                          (Lines{std::to_string(a), std::to_string(b), std::to_string(q),
                                 std::to_string(r)}));
                ASSERT_EQ(tableau.size(), 2 * partials.size() + 1) << what;
                std::int64_t quotient = 0, left = a;
                for (std::size_t i = 0; i < partials.size(); ++i) {
                    quotient += parseInt(partials[i]);
                    EXPECT_EQ(parseInt(tableau[2 * i + 1]), b * parseInt(partials[i])) << what;
                    left -= parseInt(tableau[2 * i + 1]);
                    EXPECT_EQ(parseInt(tableau[2 * i + 2]), left) << what;
                }
                EXPECT_EQ(quotient, q) << what;
                EXPECT_EQ(left, r) << what;
                continue;
            }
            const std::string qText = std::to_string(q);
            EXPECT_EQ(t.steps.size(), 4 + 4 * qText.size()) << what;
            const auto tableau = row(rec, "divide_op_tableau");
            const auto background = row(rec, "divide_op_background_tableau");
            ASSERT_EQ(tableau.size(), background.size()) << what;
            ASSERT_EQ(tableau.size(), 2 + 2 * qText.size()) << what;
            const std::size_t width = std::to_string(a).size() + std::to_string(b).size();
            for (std::size_t i = 0; i < tableau.size(); ++i) {
                EXPECT_EQ(tableau[i].size(), width) << what;
                EXPECT_EQ(background[i].size(), width) << what;
            }
            std::string quotientRow = tableau.front(), remainderRow = tableau.back();
            std::erase(quotientRow, 'B');
            std::erase(remainderRow, 'B');
            EXPECT_EQ(quotientRow, qText) << what;
            EXPECT_EQ(parseInt(remainderRow), r) << what;
            EXPECT_EQ(row(rec, "divide_op_lines").size(), 4 * qText.size()) << what;
        }
    }
}

TEST_F(SweepWithFonts, LatticeAndGrid) {
    const std::vector<std::vector<std::string>> orders[] = {
        {{" top ", " left "}, {" row ", " flyback "}},
        {{" bottom ", " right "}, {" column ", " snake "}},
        {{" top ", " right "}, {" column ", " flyback "}},
        {{" bottom ", " left "}, {" row ", " snake "}},
    };
    const auto pairs = operandPairs(25, 300, 10000);
    for (std::size_t n = 0; n < pairs.size(); ++n) {
        const auto [a, b] = pairs[n];
        const std::string what = std::to_string(a) + " × " + std::to_string(b);
        const std::string product = std::to_string(a * b);
        // Each model with its own fill order, checked as a whole solution.
        const auto solved = [&]<class Model>(Model model, std::size_t order) {
            model.inputs = {{{std::to_string(a), std::to_string(b)}}};
            model.options = orders[order % 4];
            const auto t = model.solve();
            expectWellFormed(t, what);
            EXPECT_EQ(messages(t.steps.back()).at(0), what + " = " + product);
            if (drawn(n, pairs[n], 9999)) expectEveryPageDraws(t, what, what + " = " + product);
            return t;
        };

        const auto l = solved(Multiply_Lattice_Model{}, n);
        if (l.steps.size() > 2) {
            // Each band's last digit is the product digit it ends at.
            const auto products = row(record(l.steps.back()), "lattice_multiply_products");
            std::string fromBands;
            for (const auto& page : l.steps)
                for (const auto& m : messages(page))
                    if (m.ends_with(" at end of this diagonal"))
                        fromBands.insert(0, m.substr(0, 1));
            EXPECT_EQ(fromBands, digitsOf(products)) << what;
            EXPECT_EQ(parseInt(fromBands), a * b) << what;
            const std::size_t cells = std::to_string(a).size() * std::to_string(b).size();
            EXPECT_EQ(l.steps.size(), cells + products.size() + 3) << what;
        }

        const auto g = solved(Multiply_Grid_Model{}, n + 1);
        if (g.steps.size() > 2) {
            std::int64_t sum = 0;
            for (const auto& p : row(record(g.steps.back()), "grid_multiply_partials"))
                sum += parseInt(p);
            EXPECT_EQ(sum, a * b) << what;
            EXPECT_TRUE(messages(g.steps.back()).back().ends_with(" = " + product)) << what;
        }
    }
}

TEST_F(SweepWithFonts, Partition) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> draw(0, 99999);
    // Everything up to 999, random numbers of up to five digits, and the
    // zero patterns of five digits with the largest number.
    std::vector<std::int64_t> values;
    for (std::int64_t k = 0; k < 1000 / kSweepDivisor; ++k) values.push_back(k);
    for (int k = 0; k < 1000 / kSweepDivisor; ++k) values.push_back(draw(random));
    values.insert(values.end(), {10000, 10001, 10010, 10100, 11000, 20202, 90009, 99990, 99999});
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::int64_t value = values[k];
        const std::string n = std::to_string(value);
        Partition_Model model;
        model.inputs = {{{n}}};
        const auto t = model.solve();
        expectWellFormed(t, n);
        ASSERT_EQ(t.steps.size(), 3u);
        if (k % 7 == 0 || value >= 10000) expectEveryPageDraws(t, n);
        EXPECT_EQ(t.steps[2], t.steps[1]);
        const auto lines = messages(t.steps[1]);
        if (lines.size() == 1) {
            EXPECT_EQ(lines[0], n + " adores being itself");
            continue;
        }
        std::int64_t sum = 0, parts = 0;
        std::string rest = lines.at(1);
        for (std::size_t plus; (plus = rest.find('+')) != std::string::npos; ++parts) {
            sum += parseInt(rest.substr(0, plus));
            rest = rest.substr(plus + 1);
        }
        EXPECT_EQ(sum + parseInt(rest), value) << n;
        EXPECT_GE(parts + 1, 2) << n;
    }
}
