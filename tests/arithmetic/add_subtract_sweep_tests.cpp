// Every addition and subtraction builder over the screens' whole input range:
// all small pairs, every pattern of zeros, nines and ones up to four digits,
// and random pairs from a fixed seed. Each solution must hold together: one
// comment per page, "🤔" first and "😎" last, the right answer, a finished
// tableau that really computes it, and pages the typesetter can measure and
// draw. The sanitizer build takes fewer random pairs.
#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "arithmetic/arithmetic_model.hpp"
#include "base/text.hpp"
#include "page_drawing.hpp"
#include "step_reading.hpp"

using namespace tl;
using namespace tl::testing;
using Rows = std::vector<std::string>;
using Grid = std::vector<std::vector<std::string>>;
using i64 = std::int64_t;

namespace {

std::vector<std::pair<long, long>> operandPairs() {
    std::set<std::pair<long, long>> pairs;
    for (long a = 0; a <= 30; ++a)
        for (long b = 0; b <= 30; ++b) pairs.insert({a, b});

    // Numbers of up to four digits made of 0 and 9, or of 0 and 1: places
    // that are empty, exhausted by a trade, carry, or stay the same.
    std::vector<long> patterns{0};
    for (long digit : {1, 9}) {
        std::vector<long> layer{digit};
        for (int digits = 1; digits <= 4; ++digits) {
            patterns.insert(patterns.end(), layer.begin(), layer.end());
            std::vector<long> next;
            for (long n : layer)
                for (long d : {0L, digit}) next.push_back(n * 10 + d);
            layer = next;
        }
    }
    for (long a : patterns)
        for (long b : patterns) pairs.insert({a, b});

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> digitCount(1, 4);
    auto draw = [&] {
        const int digits = digitCount(random);
        long hi = 1;
        for (int i = 0; i < digits; ++i) hi *= 10;
        const long lo = digits == 1 ? 0 : hi / 10;
        return std::uniform_int_distribution<long>(lo, hi - 1)(random);
    };
    for (int i = 0; i < 1200 / kSweepDivisor; ++i) pairs.insert({draw(), draw()});
    return {pairs.begin(), pairs.end()};
}

const std::vector<std::pair<long, long>>& pairs() {
    static const auto all = operandPairs();
    return all;
}

i64 rowValue(const std::vector<std::string>& cells) { return parseInt(digitsOf(cells)); }

// The frame every solution shares, the problem on the first page and the
// answer on the last; returns false (after reporting) when the solution is
// too broken to look into. Every fifth solution has its tables measured,
// which covers each shape and keeps the run short; a sample, and every
// solution with the largest number, is drawn whole as the step view draws it.
bool checkFrame(const StepTriple& t, const std::string& problem, const std::string& answer) {
    static std::size_t solutions = 0;
    const bool measure = solutions++ % 5 == 0;
    if (!expectWellFormed(t, problem, measure) || t.steps.size() < 3) return false;
    EXPECT_EQ(messages(t.steps.front()), Rows{problem});
    if (messages(t.steps.back()).empty()) return false;
    EXPECT_EQ(messages(t.steps.back()).at(0), answer) << problem;
    if ((solutions - 1) % static_cast<std::size_t>(7 * kSweepDivisor) == 0 || problem.find("9999") != std::string::npos)
        expectEveryPageDraws(t, problem, answer);
    return true;
}

/// Checks the frame of `problem` worked to `result`, and that it is a short cut
/// (the answer alone, no tableau) exactly when `simple`. Returns whether the
/// solution has a tableau to look into, whose `globals` row (when named) must
/// not change from page to page.
bool worked(const StepTriple& t, const std::string& problem, const std::string& result, bool simple,
            const char* globals = nullptr) {
    if (!checkFrame(t, problem, problem + " = " + result)) return false;
    EXPECT_EQ(t.steps.size() == 3 && !hasRecord(t.steps.back()), simple) << problem;
    if (simple) return false;
    if (globals != nullptr) {
        const Rows first = row(record(t.steps[1]), globals);
        for (std::size_t i = 2; i < t.steps.size(); ++i) EXPECT_EQ(row(record(t.steps[i]), globals), first) << problem;
    }
    return true;
}

void checkColumnAddition(long a, long b) {
    const std::string A = std::to_string(a), B = std::to_string(b), S = std::to_string(a + b);
    const StepTriple t = arithmeticModel(A, B).addColumnSteps();
    if (!worked(t, A + " + " + B, S, a == 0 || b == 0)) return;
    const Rows header = row(record(t.steps.back()), "add_column");
    EXPECT_EQ(header.at(1), header.at(2)) << "reserved rows differ from the finished rows: " << A << " + " << B;
    const Grid g = grid(row(record(t.steps.back()), "add_column_tableau"), S.size());
    EXPECT_EQ(digitsOf(g.back()), S) << A << " + " << B;
    // Every regroup row still adds up to the sum.
    for (std::size_t r = 2; r < g.size(); ++r) {
        i64 value = 0;
        for (const auto& cell : g[r]) value = value * 10 + (cell == "Z" ? 0 : parseInt(cell));
        EXPECT_EQ(value, a + b) << "row " << r << " of " << A << " + " << B;
    }
}

void checkPartial(long a, long b, bool subtract, const char* option) {
    const std::string A = std::to_string(a), B = std::to_string(b);
    const long result = subtract ? a - b : a + b;
    const std::string problem = A + (subtract ? " - " : " + ") + B;
    auto model = arithmeticModel(A, B, {{option}});
    const StepTriple t = subtract ? model.subtractPartialSteps() : model.addPartialSteps();
    if (!worked(t, problem, std::to_string(result), a == 0 || b == 0 || result <= 0, "tableau_op_globals")) return;
    const Engine_Table& last = record(t.steps.back());
    const Rows globals = row(last, "tableau_op_globals");
    const Rows locals = row(last, "tableau_op_locals");
    EXPECT_EQ(globals.at(0), locals.at(0)) << "finished rows miscounted: " << problem;
    const Grid g = grid(row(last, "tableau_op_tableau"), static_cast<std::size_t>(parseInt(globals.at(1))));
    const std::size_t partials = g.size() == 3 ? 1 : g.size() - 3;
    EXPECT_EQ(globals.at(3), partials == 1 ? "true" : "false") << problem;
    i64 total = 0;
    for (std::size_t r = 2; r < 2 + partials; ++r) total += rowValue(g[r]);
    EXPECT_EQ(total, result) << problem;
    EXPECT_EQ(rowValue(g.back()), result) << problem;
}

void checkAddTrade(long a, long b) {
    const std::string A = std::to_string(a), B = std::to_string(b), S = std::to_string(a + b);
    const StepTriple t = arithmeticModel(A, B).addTradeSteps();
    if (!worked(t, A + " + " + B, S, a == 0 || b == 0, "tableau_op_globals")) return;
    const Engine_Table& last = record(t.steps.back());
    EXPECT_EQ(row(last, "tableau_op_globals").at(0), row(last, "tableau_op_locals").at(0));
    const Grid g = grid(row(last, "tableau_op_tableau"), S.size());
    const Grid codes = grid(row(last, "tableau_op_attributes"), S.size());
    EXPECT_EQ(digitsOf(g.back()), S);
    for (const auto& code : codes.back()) EXPECT_EQ(code, "YNC") << "sum digit left hidden: " << A << " + " << B;
    // The carry row holds nothing but written carries.
    if (g.size() == 4) {
        for (const auto& cell : g[0]) EXPECT_TRUE(cell == "B" || cell == "1") << A << " + " << B;
    }
}

void checkSubtractTrade(long a, long b, bool tradeFirst) {
    const std::string A = std::to_string(a), B = std::to_string(b), D = std::to_string(a - b);
    const std::string problem = A + " \u2212 " + B;
    auto model = arithmeticModel(A, B);
    const StepTriple t = tradeFirst ? model.subtractTradeFirstSteps() : model.subtractTradeSteps();
    if (!worked(t, problem, D, b == 0 || a <= b, "tableau_op_globals")) return;
    const Engine_Table& last = record(t.steps.back());
    const Rows globals = row(last, "tableau_op_globals");
    EXPECT_EQ(globals.at(0), row(last, "tableau_op_locals").at(0));
    const std::size_t k = static_cast<std::size_t>(parseInt(globals.at(2)));
    const Grid g = grid(row(last, "tableau_op_tableau"), A.size());
    const Grid codes = grid(row(last, "tableau_op_attributes"), A.size());
    ASSERT_EQ(g.size(), k + 3);
    EXPECT_EQ(digitsOf(g.back()), D);
    // In each column the last value written above the minuend, less the
    // subtrahend digit, is the difference digit shown.
    for (std::size_t c = 0; c < A.size(); ++c) {
        std::size_t top = 0;
        while (g[top][c] == "B") ++top;
        const i64 s = g[k + 1][c] == "Z" ? 0 : parseInt(g[k + 1][c]);
        const i64 shown = g[k + 2][c] == "Z" ? 0 : parseInt(g[k + 2][c]);
        EXPECT_EQ(parseInt(g[top][c]) - s, shown) << problem << " column " << c;
        EXPECT_EQ(codes[k + 2][c], "YNC") << problem;
        for (std::size_t r = top + 1; r <= k; ++r) EXPECT_EQ(codes[r][c].substr(0, 2), "YY") << problem;
    }
}

void checkCount(long a, long b, bool up) {
    const std::string A = std::to_string(a), B = std::to_string(b), D = std::to_string(a - b);
    const std::string problem = A + " \u2212 " + B;
    const StepTriple t = arithmeticModel(A, B, {{up ? " count up " : " count down "}}).subtractCountSteps();
    if (!worked(t, problem, D, b == 0 || a <= b, "count_op_globals")) return;
    const Engine_Table& last = record(t.steps.back());
    const Rows chain = row(last, "count_op_tableau");
    const Rows countUps = row(last, "count_op_count_ups");
    ASSERT_EQ(chain.size(), countUps.size() * 3) << problem;
    i64 current = up ? b : a;
    i64 total = 0;
    for (std::size_t i = 0; i < countUps.size(); ++i) {
        const i64 count = parseInt(countUps[i]);
        EXPECT_GT(count, 0) << problem;
        EXPECT_EQ(parseInt(chain[3 * i]), current) << problem;
        EXPECT_EQ(chain[3 * i + 1], countUps[i]) << problem;
        current = up ? current + count : current - count;
        EXPECT_EQ(parseInt(chain[3 * i + 2]), current) << problem;
        total += count;
    }
    EXPECT_EQ(current, up ? a : b) << problem;
    EXPECT_EQ(total, a - b) << problem;
    EXPECT_EQ(row(last, "count_op_locals"),
              (Rows{countUps.size() < 2 ? "SUMMARY SHORT" : "SUMMARY", std::to_string(countUps.size())}));
    // One counting page per count, between the first step and the adding page.
    EXPECT_EQ(t.steps.size(), countUps.size() + 4) << problem;
}

}  // namespace

TEST_F(SweepWithFonts, ColumnAddition) {
    for (auto [a, b] : pairs()) checkColumnAddition(a, b);
}

TEST_F(SweepWithFonts, PartialSumsAndDifferences) {
    for (auto [a, b] : pairs())
        for (const char* option : {" left to right ", " right to left "}) {
            checkPartial(a, b, false, option);
            checkPartial(a, b, true, option);
        }
}

TEST_F(SweepWithFonts, AdditionByTrading) {
    for (auto [a, b] : pairs()) checkAddTrade(a, b);
}

TEST_F(SweepWithFonts, SubtractionByTrading) {
    for (auto [a, b] : pairs()) {
        checkSubtractTrade(a, b, false);
        checkSubtractTrade(a, b, true);
    }
}

TEST_F(SweepWithFonts, SubtractionByCounting) {
    for (auto [a, b] : pairs()) {
        checkCount(a, b, false);
        checkCount(a, b, true);
    }
}

// Up to the largest 64-bit number the counts never aim past the range.
TEST_F(SweepWithFonts, SubtractionByCountingNearTheLargestNumber) {
    const long top = INT64_MAX;
    for (auto [a, b] : {std::pair{top, 1L}, {top, top - 6}, {top, top / 10}, {top - 1, 999999999999999999L}})
        for (const bool up : {false, true}) checkCount(a, b, up);
}
