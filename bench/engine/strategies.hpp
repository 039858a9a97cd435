// The fourteen step builders by name, each with the entry that gives it the
// most work within its screen's digit limit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/tableau.hpp"

namespace tl::bench {

/// The strategies' names in menu order (strategies() has the same order).
inline constexpr const char* kStrategyNames[] = {
    "add_column",        "add_trade",         "add_partial",      "subtract_trade",  "subtract_trade_first",
    "subtract_partial",  "subtract_count",    "multiply_standard", "multiply_partial", "multiply_lattice",
    "multiply_grid",     "divide_standard",   "divide_partial",   "partition",
};

struct Strategy {
    std::string name;
    std::function<StepTriple()> build;  // at the heaviest entry
    std::string entry;                  // that entry, for the report
};

/// The strategies in menu order. The heaviest entry of each is picked once,
/// among numbers of the full digit count, by the number of pages it yields
/// and then by the number of table rows.
const std::vector<Strategy>& strategies();

}  // namespace tl::bench
