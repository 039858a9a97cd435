// The screenshot script: one command a line, run against the app headless.
//
//     screen 1024x1366        the screen size in points (and an optional scale)
//     tap 195 420             a tap at a point
//     tap-title Next          a tap on the visible control with that title
//     back                    back one screen
//     wait 0.5                the animation clock moves on (seconds)
//     shot home.png           the window as PNG at the screen's scale
//
// Blank lines and lines starting with "#" are skipped. The app launches at
// the first command after the leading `screen` commands. A tap outside the
// window fails, as a tap on a title that is not shown does.
#pragma once

#include <iosfwd>
#include <string_view>

namespace shot {

/// Runs `script` against the main storyboard with the delegate class
/// `delegateClassName`. Returns 0, or 1 after writing "line N: what went
/// wrong" to `errors` for the first command that fails (its control
/// characters shown as "?", a long text quoted in part), or 2 after
/// "line N: longer than 1 MB (1048576 bytes)" for a line over 1 MB, read no
/// further. A read that fails ends the script as its end does: the caller
/// tells the two apart by `script.bad()` (for std::cin, by stdin's error),
/// and `readError`, when given, is then the system's error number for it
/// (0 when it gave none).
int runScript(std::istream& script, std::string_view delegateClassName, std::ostream& errors,
              int* readError = nullptr);

}  // namespace shot
