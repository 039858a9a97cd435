// What the benchmarks of whole runs share: the process's resident memory as
// Linux reports it, its high-water mark started afresh before a case, and a
// stream that counts what is written to it and keeps none of it.
#pragma once

#include <malloc.h>

#include <cstddef>
#include <fstream>
#include <streambuf>
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

/// Counts what is written to it and keeps none of it.
class CountingBuffer : public std::streambuf {
public:
    std::size_t count = 0;

protected:
    int_type overflow(int_type c) override {
        ++count;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
};

}  // namespace tl::bench
