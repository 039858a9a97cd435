// The command line of tellurandi-steps.
//
//   tellurandi-steps BUILDER FIELD... [--option TEXT]... [--row] [--png DIR] [--screen WxH]
//   tellurandi-steps --list
//
// The fields become inputs[0][0] (one input table of one row). Each --option
// appends its text, blanks included, to the current option row; --row starts
// a new option row. So " top " " left " / " row " " flyback " is
//   --option " top " --option " left " --row --option " row " --option " flyback "
// A field may start with "-" ("-5"); after "--" every argument is a field.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"

namespace tl::steps_tool {

struct CommandLine {
    bool list = false;
    std::string builder;
    ModelFields fields;
    std::optional<std::string> pngDirectory;
    int screenWidth = 390;
    int screenHeight = 844;
};

/// The parsed arguments (argv without the program name), or nothing with a
/// reason in `error`.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error);

/// The usage text.
std::string usageText();

}  // namespace tl::steps_tool
