// The slowest and largest inputs the reader accepts, through the solvers'
// entries as tellurandi-steps runs them: the time to build the pages and
// write them as JSON or as --text (to a stream that only counts the bytes),
// the bytes written, the pages and their rows, and the peak resident memory
// of the run (VmHWM, reset before each case through /proc/self/clear_refs).
// The grouped solver answers a solution of more than kMaxExtSolutionRows
// rows with its out-of-scope page: the widest groups side by side it still
// solves, the deepest nestings, and inputs just beyond are here, with the
// longest flat sums for the other entries.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "algebra/reader.hpp"
#include "command_line.hpp"
#include "steps_tool.hpp"
#include "support/steps_run.hpp"

namespace {

/// `unit` repeated `count` times, `between` between them.
std::string repeated(const std::string& unit, std::size_t count, const std::string& between) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += (i ? between : "") + unit;
    return text;
}

/// As many `unit`s as the reader takes in one text with `tail`.
std::string widest(const std::string& unit, const std::string& between, const std::string& tail) {
    return repeated(unit, (tl::kMaxEquationTextLength - tail.size() + between.size()) / (unit.size() + between.size()),
                    between) +
           tail;
}

/// `inner` wrapped as deep as the reader takes it.
std::string deepest(std::string inner, const std::string& before, const std::string& after, const std::string& rhs) {
    for (std::size_t i = 0; i < tl::kMaxGroupNestingDepth; ++i) inner = before + inner + after;
    return inner + " = " + rhs;
}

struct Case {
    std::string label;  // what the table shows
    std::vector<std::string> args;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> list = [] {
        const auto side = [](std::size_t groups) { return repeated("2(x)", groups, " + ") + " = 1"; };
        std::vector<Case> c{
            {"solveExtEquation 2(x) + … = 1, 38 groups (most solved)", {"solveExtEquation", side(38)}},
            {"solveExtEquation 2(x) + … = 1, 39 groups (refused)", {"solveExtEquation", side(39)}},
            {"solveExtEquation 2(x) + … = 1, 34 groups, decimal (most solved)",
             {"solveExtEquation", side(34), "--style", "decimal"}},
            {"solveExtEquation 2(x)+… = 1, 10,000 chars (refused)", {"solveExtEquation", widest("2(x)", "+", "=1")}},
            {"solveExtEquation 2(2(2(x)))+… = 1, 10,000 chars (refused)",
             {"solveExtEquation", widest("2(2(2(x)))", "+", "=1")}},
            {"solveExtEquation -3(…-3(2x + 5) + x…) + x = 4(x − 1), 32 deep, decimal (the most rows nested)",
             {"solveExtEquation", deepest("2x + 5", "-3(", ") + x", "4(x − 1)"), "--style", "decimal"}},
            {"solveExtEquation 2(2(…2(x + 1) + 1…) + 1) + 1 = 5, 32 deep, decimal",
             {"solveExtEquation", deepest("x + 1", "2(", ") + 1", "5"), "--style", "decimal"}},
            {"simplifyExtEquation -(x)-(x)… = 1, 10,000 chars", {"simplifyExtEquation", widest("-(x)", "", "=1")}},
            {"simplifyExtEquation 2(2(x))+… = 1, 10,000 chars", {"simplifyExtEquation", widest("2(2(x))", "+", "=1")}},
            {"solveLinearEquation x+x+…+x = 1, 4,999 terms, decimal",
             {"solveLinearEquation", widest("x", "+", "=1"), "--style", "decimal"}},
            {"solveQuadratic 0.1x²+0.2x²+… = 2, 10,000 chars, factor, rational_fraction",
             {"solveQuadratic", [] {
                  std::string t;
                  for (int i = 0; t.size() + 10 < tl::kMaxEquationTextLength; ++i)
                      t += (i ? "+0." : "0.") + std::to_string(i % 9 + 1) + "x^2";
                  return t + "=2";
              }(),
              "--style", "rational_fraction", "--colored", "--clear-fractions"}},
            {"solveQuadratic y^2+y+… = 1, 10,000 chars, complete the square, decimal",
             {"solveQuadratic", widest("y^2+y", "+", "=1"), "--quadratic-method", "complete_the_square", "--style",
              "decimal"}},
            {"algebraTable (x+1)(x+1)… = 0, 10,000 chars, decimal",
             {"algebraTable", widest("(x+1)", "", "=0"), "--style", "decimal"}},
        };
        return c;
    }();
    return list;
}

/// The pages and their rows, as the entry builds them.
std::pair<std::size_t, std::size_t> pagesAndRows(const std::vector<std::string>& args) {
    std::string error;
    const auto line = tl::steps_tool::parseCommandLine(args, error);
    if (!line) return {0, 0};
    const tl::StepTriple t = line->entry->run(line->input);
    std::size_t rows = 0;
    for (const auto& page : t.steps)
        for (const auto& table : page) rows += table.size();
    return {t.steps.size(), rows};
}

void BM_SolverLimit(benchmark::State& state, std::size_t i, bool text) {
    std::vector<std::string> args = cases().at(i).args;
    if (text) args.push_back("--text");
    const auto [pages, rows] = pagesAndRows(args);
    const tl::bench::StepsRun run = tl::bench::timeStepsTool(state, args);
    if (run.status != 0) state.SkipWithError("the entry failed");
    state.counters["bytes"] = static_cast<double>(run.out + run.err);
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_MiB"] = run.peakKiB / 1024;
    state.counters["start_MiB"] = run.startKiB / 1024;
    state.SetLabel(cases().at(i).label);
}

// Named by case number and output; the label says which case it is.
const bool registered = [] {
    for (std::size_t i = 0; i < cases().size(); ++i)
        for (const bool text : {false, true}) {
            std::string name = text ? "BM_SolverLimit/text/" : "BM_SolverLimit/json/";
            name += std::to_string(i);
            benchmark::RegisterBenchmark(name.c_str(), BM_SolverLimit, i, text)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
        }
    return true;
}();

}  // namespace
