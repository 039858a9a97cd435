// tellurandi-shot: runs the app without a window from a script and writes
// screenshots. Usage: tellurandi-shot SCRIPT (or "-" for standard input);
// "--help" prints the usage.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "app/registration.hpp"
#include "base/errors.hpp"
#include "base/files.hpp"
#include "base/text.hpp"
#include "base/usage.hpp"
#include "platform/gfx/drawing_memory.hpp"
#include "script.hpp"

namespace {

constexpr const char* kUsage =
    "usage: tellurandi-shot SCRIPT   (\"-\" reads the script from standard input)\n"
    "       tellurandi-shot --help\n"
    "Runs the app without a window and writes screenshots. The script has one command a line:\n"
    "  screen WxH [SCALE]   the screen in points (1 to 10000 a side) and its scale (above 0, at\n"
    "                       most 8; 2 by default); before the first other command it sets the\n"
    "                       size the app starts at, later it resizes\n"
    "  tap X Y              a tap at a point\n"
    "  tap-title TEXT       a tap on the visible button, back control or table row with that\n"
    "                       text (a back control's text starts with \"‹ \")\n"
    "  back                 back one screen\n"
    "  wait SECONDS         the animation clock moves on\n"
    "  shot FILE.png        the window as PNG at the screen's scale\n"
    "Blank lines and lines starting with \"#\" are skipped.\n"
    "Status: 0 done; 1 a command failed (\"line N: ...\"); 2 a malformed command line, a\n"
    "script that cannot be read, or a line of it over 1 MB (\"line N: ...\").\n";

// One line on standard error, its control characters shown as "?".
int fail(int status, const std::string& message) {
    std::cerr << "tellurandi-shot: " << tl::oneLine(message, "\\n") << "\n";
    return status;
}

// "cannot read NAME: REASON", the reason the system's for `error`.
std::string cannotRead(const std::string& name, int error) {
    return "cannot read " + name + ": " + (error != 0 ? std::strerror(error) : "the read failed");
}

// Runs the script in `in`; one that cannot be read to its end (a folder, say)
// is named as `name` (as messages show it) and ends with status 2, as one
// that cannot be opened.
// (std::cin reads through stdin, which alone keeps the error).
int runFrom(std::istream& in, const std::string& name) {
    int readError = 0;
    const int status = shot::runScript(in, "AppDelegate", std::cerr, &readError);
    const bool unread = in.bad() || (&in == &std::cin && std::ferror(stdin));
    return unread ? fail(2, cannotRead(name, readError)) : status;
}

int run(int argc, char** argv) {
    if (tl::asksForHelp(argc, argv)) {
        std::cout << kUsage;
        return 0;
    }
    // Before a "--" an argument starting with "-" is an option, and --help
    // is the only one; "-" alone is the standard input.
    const tl::Operands args = tl::readOperands(argc, argv, [](std::string_view arg) { return arg == "-"; });
    if (!args.unknownOption.empty()) return tl::refuseOption("tellurandi-shot", args.unknownOption, std::cerr);
    if (args.operands.size() != 1) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string& path = args.operands[0];
    if (path.empty()) return fail(2, "SCRIPT needs a file name");
    // A closed standard input is told at once: a file opened later (a
    // font's, say) could take its number and be read in its place.
    if (path == "-" && ::fcntl(STDIN_FILENO, F_GETFD) < 0) return fail(2, cannotRead("the standard input", errno));
    gfx::prepareForDrawing("tellurandi-shot");
    tl::registerApplication();
    if (path == "-") return runFrom(std::cin, "the standard input");
    errno = 0;
    std::ifstream file(path);
    if (!file) return fail(2, cannotRead(tl::excerptPath(path), errno));
    return runFrom(file, tl::excerptPath(path));
}

}  // namespace

int main(int argc, char** argv) {
    tl::failWritesPastSizeLimit();
    try {
        return tl::finishOutput("tellurandi-shot", run(argc, argv));
    } catch (const std::exception& e) {
        return fail(1, e.what());
    }
}
