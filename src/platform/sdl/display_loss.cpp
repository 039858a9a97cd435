#include "platform/sdl/display_loss.hpp"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "base/text.hpp"

#if TL_HAVE_X11
// Last: Xlib's header defines macros that clash with others.
#include <X11/Xlib.h>
#endif

namespace sdl {

namespace {

constexpr std::size_t kLongestName = 200;  // bytes of a name shown whole

// The whole line, made when the ending is installed: when the display is
// lost, only a write of it is left to do.
std::array<char, 4 * kLongestName> gLine{};
std::size_t gLineLength = 0;

/// `text` cut to its first `most` bytes, and not inside a UTF-8 sequence.
std::string_view cut(std::string_view text, std::size_t most) {
    if (text.size() <= most) return text;
    std::size_t end = most;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

#if TL_HAVE_X11
// Xlib's handler for a connection it can no longer use. Returning would
// have Xlib exit; so this never returns.
[[noreturn]] int displayLost(Display*) {
    for (std::size_t written = 0; written < gLineLength;) {
        const ssize_t n = write(STDERR_FILENO, gLine.data() + written, gLineLength - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    _exit(1);
}
#endif

}  // namespace

std::string displayLossLine(std::string_view programName, std::string_view displayName) {
    std::string name = tl::oneLine(cut(displayName, kLongestName), "?");
    if (displayName.size() > kLongestName) name += "\u2026";
    const std::string program = tl::oneLine(cut(programName, kLongestName), "?");
    return program + ": the display " + (name.empty() ? "" : name + " ") + "was lost\n";
}

void endOnDisplayLoss(std::string_view programName) {
    const char* display = std::getenv("DISPLAY");
    const std::string line =
        displayLossLine(programName.empty() ? program_invocation_short_name : programName, display ? display : "");
    gLineLength = std::min(line.size(), gLine.size());
    std::copy_n(line.begin(), gLineLength, gLine.begin());
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
