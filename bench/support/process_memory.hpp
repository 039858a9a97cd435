// What the benchmarks of whole runs share: the process's resident memory as
// Linux reports it and its high-water mark started afresh before a case.
#pragma once

#include <malloc.h>

#include <cstddef>
#include <fstream>
#include <string>

namespace tl::bench {

/// A line of /proc/self/status in KiB ("VmHWM", "VmRSS"); 0 when absent.
inline double statusKiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1));
    return 0;
}

/// Gives the heap's free memory back and starts the high-water mark of the
/// resident memory afresh at what is left.
inline void resetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace tl::bench
