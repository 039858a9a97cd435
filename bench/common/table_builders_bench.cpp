// What the page format costs to write: the leaf and join builders every
// table is made of, one equation's display table, a copy of it (the floor
// under building it, one allocation per row), and a whole linear solution
// (each page repeats the equations worked through before it).
#include <benchmark/benchmark.h>

#include "algebra/linear/linear_solution.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/reader.hpp"
#include "common/items.hpp"

namespace {

using namespace tl;

PolyEquation equation(const char* text) { return readPolyEquation(text).value(); }

void BM_MessageTable(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(messageTable("12", Color::red));
}
BENCHMARK(BM_MessageTable);

// A chain of n joins, each adding a message on the right, as a sum of terms is drawn.
void BM_JoinChain(benchmark::State& state) {
    const auto n = state.range(0);
    for (auto _ : state) {
        Engine_Table t = messageTable("1");
        for (std::int64_t i = 0; i < n; ++i) t = joinItem("+", std::move(t), messageTable("x"));
        benchmark::DoNotOptimize(t);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_JoinChain)->Arg(4)->Arg(16)->Arg(64)->Complexity();

void BM_EquationTable(benchmark::State& state) {
    const PolyEquation e = equation("2x + 3 - 3 = 11 - 3");
    for (auto _ : state) benchmark::DoNotOptimize(equationTable(Style::fraction, e));
}
BENCHMARK(BM_EquationTable);

void BM_EquationTableCopy(benchmark::State& state) {
    const Engine_Table t = equationTable(Style::fraction, equation("2x + 3 - 3 = 11 - 3"));
    for (auto _ : state) {
        Engine_Table copy = t;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_EquationTableCopy);

void BM_SolveLinear(benchmark::State& state) {
    const PolyEquation e = equation("2x + 3 = 11");
    for (auto _ : state)
        benchmark::DoNotOptimize(solveLinearEquation(Technique::balance, true, false, Style::fraction,
                                                     Method::standard, false, e.LHS, e.RHS, e.relation,
                                                     e.relation_color));
}
BENCHMARK(BM_SolveLinear)->Unit(benchmark::kMicrosecond);

}  // namespace
