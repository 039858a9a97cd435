// Ending the process when its X display goes away.
//
//     sdl::endOnDisplayLoss("tellurandi");   // before and after SDL's video starts
//
// Once the X server has gone (or the connection to it broke), every Xlib
// call fails, and Xlib's own answer is to exit: that runs the destructors,
// and destroying a window waits for a reply that never comes. From this
// call on, the loss instead prints one line on standard error,
// "PROGRAM: the display NAME was lost" (NAME being DISPLAY), and ends the
// process at once with status 1, releasing nothing but the temporary files
// being written (see tl::endAtOnce). SIGPIPE, unless the
// program handles it, is ignored: a write to a closed connection then
// fails and is reported as the loss, where it would end the process
// without a word.
#pragma once

#include <string>
#include <string_view>

namespace sdl {

/// Installs the ending described above for every X connection of the
/// process; again, to name another program or display. Does nothing in a
/// build without Xlib.
void endOnDisplayLoss(std::string_view programName);

/// The line printed ("PROGRAM: the display NAME was lost", then a line
/// break), the program and the display as tl::excerpt quotes them.
std::string displayLossLine(std::string_view programName, std::string_view displayName);

}  // namespace sdl
