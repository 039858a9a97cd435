// tellurandi-steps run in this process as its main() runs it: the status and
// everything written to standard output and standard error.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "steps_tool.hpp"

namespace tl::testing {

struct StepsOutcome {
    int status = 0;
    std::string out, err;
};

inline StepsOutcome runSteps(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = steps_tool::runStepsTool(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace tl::testing
