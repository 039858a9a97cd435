#include "base/usage.hpp"

#include <string_view>

namespace tl {

bool asksForHelp(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") return false;
        if (arg == "--help") return true;
    }
    return false;
}

}  // namespace tl
