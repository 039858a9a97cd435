// The command line of tellurandi-steps.
//
//   tellurandi-steps ENTRY OPERAND... [--FLAG [VALUE]]... [--text | --png DIR [--screen WxH]]
//   tellurandi-steps --list | --help
//
// The first argument that is no flag names the entry, the following ones are
// its operands, exactly as many as it names. A flag is written --name VALUE or
// --name=VALUE; which flags an entry takes, and their values, the entry says
// (step_builders.hpp). Arguments that begin with a single "-" ("-5",
// "-x = 3") are operands; after "--" every argument is one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "step_builders.hpp"

namespace tl::steps_tool {

enum class Output { json, text, png };

/// The screen sizes --screen takes, in points, on each side.
inline constexpr int kSmallestScreen = 1;
inline constexpr int kLargestScreen = 4096;

struct CommandLine {
    bool list = false;  // --list or --help: the usage and nothing else
    const StepEntry* entry = nullptr;
    EntryInput input;
    Output output = Output::json;
    std::string pngDirectory;
    int screenWidth = 390;
    int screenHeight = 844;
};

/// The parsed arguments (argv without the program name), or nothing with a
/// one-line reason in `error`.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error);

/// The usage text, every entry with what it reads.
std::string usageText();

}  // namespace tl::steps_tool
