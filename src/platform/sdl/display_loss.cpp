#include "platform/sdl/display_loss.hpp"

#include <signal.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "base/ending.hpp"
#include "base/text.hpp"

#if TL_HAVE_X11
// Last: Xlib's header defines macros that clash with others.
#include <X11/Xlib.h>
#endif

namespace sdl {

namespace {

// The whole line, made when the ending is installed: when the display is
// lost, only a write of it is left to do.
std::string gLine;

#if TL_HAVE_X11
// Xlib's handler for a connection it can no longer use. Returning would
// have Xlib exit; so this never returns.
[[noreturn]] int displayLost(Display*) { tl::endAtOnce(gLine, 1); }
#endif

}  // namespace

std::string displayLossLine(std::string_view programName, std::string_view displayName) {
    const std::string name = tl::excerpt(displayName);
    return tl::excerpt(programName) + ": the display " + (name.empty() ? "" : name + " ") + "was lost\n";
}

void endOnDisplayLoss(std::string_view programName) {
    const char* display = std::getenv("DISPLAY");
    gLine = displayLossLine(programName.empty() ? program_invocation_short_name : programName, display ? display : "");
#if TL_HAVE_X11
    XSetIOErrorHandler(displayLost);
    // A write to a connection the server has closed would otherwise end the
    // process by SIGPIPE, unannounced; it fails instead, and Xlib reports the
    // loss. A handler the program installed itself stays.
    struct sigaction current {};
    if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace sdl
