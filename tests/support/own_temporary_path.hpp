// A file name in the system's temporary folder that is this process's own:
// test programs run side by side (the two builds, or two checkouts on one
// machine) never write, read or remove each other's files.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace tl::testing {

/// The temporary folder's `name`, the process id in front: "/tmp/4242_name".
inline std::filesystem::path ownTemporaryPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "_" + name);
}

}  // namespace tl::testing
