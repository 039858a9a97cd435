// The convention every program of the system keeps on its command line:
// "--help" prints the usage on standard output and ends with status 0,
// whatever else is given; a command line it cannot read prints the usage
// (or one line saying what is wrong) on standard error, status 2. As with
// flags elsewhere, a "--" ends them: a "--help" after it is an operand.
// Output that cannot be written (a full disk, say) turns a success into
// status 1, with one line on standard error.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

/// Whether `argv` (as main receives it, the program's name first) asks for
/// the usage: "--help" among the arguments before any "--".
bool asksForHelp(int argc, const char* const* argv);

/// The operands of a program whose only option is "--help" (asked for
/// first, by asksForHelp): its arguments after its name, the first "--"
/// taken out. Before that "--" an argument that starts with "-" is an
/// option, unless `isOperand` takes it as an operand (as "-" for standard
/// input, say); `unknownOption` is then the first option, and the operands
/// are not to be used.
struct Operands {
    std::vector<std::string> operands;
    std::string unknownOption;
};
Operands readOperands(int argc, const char* const* argv, bool (*isOperand)(std::string_view) = nullptr);

/// The line a program writes for an option it does not take, status 2:
/// "PROGRAM: unknown option OPTION" (the option as tl::excerpt shows it).
int refuseOption(std::string_view program, std::string_view option, std::ostream& err);

/// The status a program ends with once `out` is flushed: `status`, unless it
/// is 0 and some of what went to `out` was lost; then 1, after the line
/// "PROGRAM: cannot write the output" on `err`.
int finishOutput(std::string_view program, int status, std::ostream& out, std::ostream& err);

/// As above for standard output, whether written through std::cout or
/// through C's stdout (printf), with the line on standard error.
int finishOutput(std::string_view program, int status);

}  // namespace tl
