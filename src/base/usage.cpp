#include "base/usage.hpp"

#include <cstdio>
#include <iostream>
#include <string_view>

#include "base/text.hpp"

namespace tl {

bool asksForHelp(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") return false;
        if (arg == "--help") return true;
    }
    return false;
}

Operands readOperands(int argc, const char* const* argv, bool (*isOperand)(std::string_view)) {
    Operands read;
    bool optionsEnded = false;
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (optionsEnded || !arg.starts_with('-') || (isOperand && isOperand(arg))) {
            read.operands.emplace_back(arg);
        } else if (read.unknownOption.empty()) {
            read.unknownOption = arg;
        }
    }
    return read;
}

int refuseOption(std::string_view program, std::string_view option, std::ostream& err) {
    err << program << ": unknown option " << excerpt(option) << "\n";
    return 2;
}

namespace {

int outputLost(std::string_view program, std::ostream& err) {
    err << program << ": cannot write the output\n";
    return 1;
}

}  // namespace

int finishOutput(std::string_view program, int status, std::ostream& out, std::ostream& err) {
    const bool written = static_cast<bool>(out.flush());
    return status == 0 && !written ? outputLost(program, err) : status;
}

int finishOutput(std::string_view program, int status) {
    // std::cout hands its text to stdout; stdout keeps the error of any
    // write that failed since, even when its buffer is now empty.
    const bool written = static_cast<bool>(std::cout.flush()) && std::fflush(stdout) == 0 && !std::ferror(stdout);
    return status == 0 && !written ? outputLost(program, std::cerr) : status;
}

}  // namespace tl
