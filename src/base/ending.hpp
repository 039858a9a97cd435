// Ending the process at once, where nothing can be released (no memory
// left, a display that is gone), and holding standard error back without
// losing the line such an ending writes.
#pragma once

#include <string>
#include <string_view>

namespace tl {

/// Ends the process now with `status`: writes `line` whole to standard
/// error (the real one, even while a HeldBackErrors holds it back), removes
/// every name a RemovedOnSignal keeps (so no temporary file stays), then
/// _exit. Runs no destructor and takes no memory; safe in a signal handler
/// and in any thread.
[[noreturn]] void endAtOnce(std::string_view line, int status) noexcept;

/// While it lives, what the process writes to standard error (a library
/// that prints its messages there directly, say) goes to a file of its
/// own instead; release() gives standard error back with what was held.
/// A line endAtOnce writes meanwhile still reaches the real standard error.
/// One at a time.
class HeldBackErrors {
public:
    HeldBackErrors();
    ~HeldBackErrors() { restore(); }
    HeldBackErrors(const HeldBackErrors&) = delete;
    HeldBackErrors& operator=(const HeldBackErrors&) = delete;

    /// Standard error as it was, and what was held back.
    std::string release();

private:
    void restore();

    int saved_ = -1, kept_ = -1;
};

}  // namespace tl
