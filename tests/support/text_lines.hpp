// A program's output split into its lines.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace tl::testing {

/// The lines of `text`, without their line ends.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

}  // namespace tl::testing
