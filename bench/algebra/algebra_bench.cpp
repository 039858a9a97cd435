// What a worked algebra solution costs: building every page of it (the
// equation read beforehand), and drawing each page with the real faces at
// tablet size (1024 × 1366, scale 2), for the equations a learner meets
// first, each quadratic by the three methods, the simplification of
// (x² − 1)/(x + 1) written factored, and a grouped equation nested as deep
// as the reader takes it (the longest solution of them). BM_AlgebraCopy
// copies the finished pages (the floor under any build of them),
// BM_AlgebraLayout draws the slowest page into a recording (everything but
// the pixels). Then a long legal equation, x + x + … + x = 1, solved and
// drawn page by page at phone size as tellurandi-steps --png draws it, the
// font fitting of its first page alone, and all its tables read as text (as
// --text reads them).
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/rational_expression_steps.hpp"
#include "algebra/reader.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/recording_context.hpp"
#include "support/page_timing.hpp"

namespace {

using tl::StepTriple;

struct Case {
    std::string equation;  // as the table shows it
    std::string method;
    std::function<StepTriple()> build;
};

StepTriple triple(tl::LinearSteps s) { return {std::move(s.steps), std::move(s.comments), {}}; }

std::function<StepTriple()> linear(const char* text, bool clearFractions) {
    const tl::PolyEquation e = tl::readPolyEquation(text).value();
    return [=] {
        return triple(tl::solveLinearEquation(tl::Technique::balance, true, false, tl::Style::fraction,
                                              tl::Method::standard, clearFractions, e.LHS, e.RHS, e.relation,
                                              e.relation_color));
    };
}

std::function<StepTriple()> grouped(std::string_view text, bool clearFractions) {
    const tl::Ext_polyEquation e = tl::readExtEquation(text).value();
    return [=] {
        return triple(tl::solveExtEquation(tl::Technique::balance, true, false, tl::Style::fraction,
                                           tl::Method::standard, clearFractions, clearFractions, e.LHS, e.RHS,
                                           e.relation, e.relation_color));
    };
}

/// 2(2(…2(x + 1) + 1…) + 1) + 1 = 5 with groups nested as deep as the reader
/// takes them: a page for each pair of parentheses, each repeating the ones before.
std::string deepestGrouped() {
    std::string side = "x + 1";
    for (std::size_t i = 0; i < tl::kMaxGroupNestingDepth; ++i) side = "2(" + side + ") + 1";
    return side + " = 5";
}

std::function<StepTriple()> quadratic(const char* text, tl::Quadratic_method m) {
    const tl::PolyEquation e = tl::readPolyEquation(text).value();
    return [=] {
        return triple(tl::solveQuadratic(m, tl::Technique::balance, true, false, tl::Style::fraction,
                                         tl::Method::standard, false, e.LHS, e.RHS, e.relation, e.relation_color));
    };
}

/// As tellurandi-steps rationalCancelSteps shows it: the problem, then each
/// state of cancelling the common factor on a page of its own.
std::function<StepTriple()> cancelled(const char* numerator, const char* denominator) {
    const auto e = tl::makeRationalExpression(tl::readFactoredPolynomial(numerator).value(),
                                              tl::readFactoredPolynomial(denominator).value());
    return [=] {
        StepTriple t{{{tl::rationalExpressionRow(e)}}, {{"\U0001F914"}}, {}};
        const auto states = tl::rationalCancelSteps(e);
        for (const auto& state : states.value()) {
            t.steps.push_back({tl::rationalExpressionRow(state)});
            t.comments.push_back({t.steps.size() == 2 ? "before" : "after"});
        }
        return t;
    };
}

const std::vector<Case>& cases() {
    static const std::vector<Case> list{
        {"2x + 3 = 11", "linear", linear("2x + 3 = 11", false)},
        {"2(3(x + 1) + 4) = 20", "grouped", grouped("2(3(x + 1) + 4) = 20", false)},
        {"(x + 1)/2 − 3(x − 1) = 4", "grouped, cleared", grouped("(x + 1)/2 - 3(x - 1) = 4", true)},
        {"x² − 5x + 6 = 0", "factor", quadratic("x^2 - 5x + 6 = 0", tl::Quadratic_method::factor)},
        {"x² − 5x + 6 = 0", "formula", quadratic("x^2 - 5x + 6 = 0", tl::Quadratic_method::formula)},
        {"x² − 5x + 6 = 0", "square", quadratic("x^2 - 5x + 6 = 0", tl::Quadratic_method::complete_the_square)},
        {"2x² + 3x − 2 = 0", "factor", quadratic("2x^2 + 3x - 2 = 0", tl::Quadratic_method::factor)},
        {"2x² + 3x − 2 = 0", "formula", quadratic("2x^2 + 3x - 2 = 0", tl::Quadratic_method::formula)},
        {"2x² + 3x − 2 = 0", "square", quadratic("2x^2 + 3x - 2 = 0", tl::Quadratic_method::complete_the_square)},
        {"(x − 1)(x + 1)/(x + 1)", "cancel", cancelled("(x - 1)(x + 1)", "x + 1")},
        {"2(2(…2(x + 1) + 1…) + 1) + 1 = 5, 32 deep", "grouped, no target", grouped(deepestGrouped(), false)},
    };
    return list;
}

std::string label(std::size_t i) { return cases().at(i).equation + " | " + cases().at(i).method; }

void BM_AlgebraBuild(benchmark::State& state, std::size_t i) {
    std::size_t pages = 0;
    for (auto _ : state) {
        StepTriple t = cases().at(i).build();
        pages = t.steps.size();
        benchmark::DoNotOptimize(t);
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.SetLabel(label(i));
}

// The floor under a build: copying its finished pages, row by row.
void BM_AlgebraCopy(benchmark::State& state, std::size_t i) {
    const StepTriple t = cases().at(i).build();
    std::size_t rows = 0;
    for (const auto& page : t.steps)
        for (const auto& table : page) rows += table.size();
    for (auto _ : state) {
        StepTriple copy = t;
        benchmark::DoNotOptimize(copy);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetLabel(label(i));
}

void BM_AlgebraPages(benchmark::State& state, std::size_t i) {
    tl::bench::timeEveryPage(state, cases().at(i).build(), tl::bench::kTablet);
    state.SetLabel(label(i));
}

// The slowest page drawn into a recording: everything but the pixels.
void BM_AlgebraLayout(benchmark::State& state, std::size_t i) {
    const StepTriple t = cases().at(i).build();
    const std::size_t page = tl::bench::slowestPage(t, tl::bench::kTablet);
    for (auto _ : state) {
        gfx::RecordingContext context;
        tl::drawStepPage(context, tl::bench::kTablet.size, t, static_cast<std::int64_t>(page), tl::bench::kTablet.base);
        benchmark::DoNotOptimize(context.ops().size());
    }
    state.counters["page"] = static_cast<double>(page + 1);
    state.SetLabel(label(i));
}

/// x+x+…+x=1 with `terms` terms, written without blanks so that 4,999 terms
/// stay within the reader's 10,000 characters.
std::string longSum(std::int64_t terms) {
    std::string text = "x";
    for (std::int64_t i = 1; i < terms; ++i) text += "+x";
    return text + "=1";
}

StepTriple longSumSteps(std::int64_t terms) { return linear(longSum(terms).c_str(), false)(); }

void BM_LongEquationPages(benchmark::State& state) {
    const StepTriple t = longSumSteps(state.range(0));
    gfx::ImageSurface image(tl::bench::kPhone.size.width, tl::bench::kPhone.size.height, 2);
    for (auto _ : state)
        for (std::size_t p = 0; p < t.steps.size(); ++p) tl::bench::drawPage(image, t, p, tl::bench::kPhone.base);
    state.counters["pages"] = static_cast<double>(t.steps.size());
}
BENCHMARK(BM_LongEquationPages)->Arg(1000)->Arg(2000)->Arg(4999)->Unit(benchmark::kMillisecond)->MinTime(0.05);

void BM_LongEquationFit(benchmark::State& state) {
    const StepTriple t = longSumSteps(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(tl::bench::fitPageTables(t.steps.front(), tl::bench::kPhone));
}
BENCHMARK(BM_LongEquationFit)->Arg(1000)->Arg(2000)->Arg(4999)->Unit(benchmark::kMillisecond)->MinTime(0.05);

void BM_LongEquationText(benchmark::State& state) {
    const StepTriple t = longSumSteps(state.range(0));
    for (auto _ : state)
        for (const tl::Engine_Step& page : t.steps)
            for (const tl::Engine_Table& table : page) benchmark::DoNotOptimize(tl::tableText(table));
}
BENCHMARK(BM_LongEquationText)->Arg(1000)->Arg(2000)->Arg(4999)->Unit(benchmark::kMillisecond)->MinTime(0.05);

// Benchmarks are named by case number; the label says which case it is.
const bool registered = [] {
    for (std::size_t i = 0; i < cases().size(); ++i) {
        std::string n = std::to_string(i);
        n.insert(0, 1, '/');  // (not "/" + …, which g++ 12 warns about wrongly: -Wrestrict)
        // Fifteen runs, so that the build time is a median that a busy
        // machine moves little.
        benchmark::RegisterBenchmark(("BM_AlgebraBuild" + n).c_str(), BM_AlgebraBuild, i)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.1)
            ->Repetitions(15)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("BM_AlgebraCopy" + n).c_str(), BM_AlgebraCopy, i)->Unit(benchmark::kMicrosecond);
        // Page times, too, are medians of runs interleaved with the other cases.
        benchmark::RegisterBenchmark(("BM_AlgebraPages" + n).c_str(), BM_AlgebraPages, i)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.1)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("BM_AlgebraLayout" + n).c_str(), BM_AlgebraLayout, i)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
