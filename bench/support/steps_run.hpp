// A whole tellurandi-steps run timed as the learner's command line runs it:
// reading, the entry, and the JSON or --text written out, to streams that
// count the bytes and keep none of them.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "steps_tool.hpp"
#include "support/counting_buffer.hpp"  // (tests/support)
#include "support/process_memory.hpp"

namespace tl::bench {

struct StepsRun {
    int status = 0;          // of the last run
    std::size_t out = 0;     // bytes on standard output, last run
    std::size_t err = 0;     // bytes on standard error, last run
    double startKiB = 0;     // resident memory before the first run
    double peakKiB = 0;      // its high-water mark over all runs
};

/// Runs tellurandi-steps with `args` once per iteration of `state`, the
/// high-water mark of the resident memory started afresh before the first.
inline StepsRun timeStepsTool(benchmark::State& state, const std::vector<std::string>& args) {
    tl::testing::CountingBuffer out, err;
    std::ostream outStream(&out), errStream(&err);
    StepsRun run;
    resetPeakMemory();
    run.startKiB = statusKiB("VmRSS");
    for (auto _ : state) {
        out.count = err.count = 0;
        run.status = steps_tool::runStepsTool(args, outStream, errStream);
    }
    run.out = out.count;
    run.err = err.count;
    run.peakKiB = statusKiB("VmHWM");
    return run;
}

}  // namespace tl::bench
