// The convention every program of the system keeps on its command line:
// "--help" prints the usage on standard output and ends with status 0,
// whatever else is given; a command line it cannot read prints the usage
// (or one line saying what is wrong) on standard error, status 2. As with
// flags elsewhere, a "--" ends them: a "--help" after it is an operand.
#pragma once

namespace tl {

/// Whether `argv` (as main receives it, the program's name first) asks for
/// the usage: "--help" among the arguments before any "--".
bool asksForHelp(int argc, const char* const* argv);

}  // namespace tl
