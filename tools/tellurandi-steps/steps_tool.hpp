// The whole tool behind main(): parse, run the entry, print or draw.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "common/tableau.hpp"

namespace tl::steps_tool {

/// Runs the tool on the arguments (argv without the program name): the
/// solution goes to `out`, every failure to `err` as one line. Returns the
/// exit status (0 done, 1 the entry refused its problem or a page could not
/// be written, 2 a malformed command line or operand). No exception leaves it.
/// `readyToDraw`, when given, runs once before the first picture is drawn
/// (the program readies the process for drawing there).
int runStepsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::function<void()>& readyToDraw = {});

/// The --text form of a solution: per page "page N: COMMENT", then one line
/// per table (tableText); line breaks shown as " / ".
std::string solutionText(const StepTriple& solution);

}  // namespace tl::steps_tool
