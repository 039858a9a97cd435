// Names a signal removes before it ends the process: the temporary files
// being written, so that none is left behind.
//
// While a name is kept, SIGHUP, SIGINT, SIGQUIT and SIGTERM, where they
// would end the process (their default action), remove it first; the
// process then ends by the same signal. A signal the process ignores or
// handles itself keeps doing so. SIGKILL cannot be caught, so it leaves
// the name behind.
#pragma once

#include <signal.h>

#include <string>

namespace tl {

/// While this lives, the signals above remove `path` before they end the
/// process. At most 32 names at a time, each shorter than 4096 bytes.
class RemovedOnSignal {
public:
    explicit RemovedOnSignal(const std::string& path);
    ~RemovedOnSignal() { release(); }
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

    /// 0, or why the name is not kept (ENAMETOOLONG, or EMFILE when 32 are).
    int error() const { return error_; }
    /// A signal no longer removes the name.
    void release();

private:
    int slot_ = -1;
    int error_ = 0;
};

/// Removes every name kept now, for a process about to end at once (see
/// endAtOnce). Async-signal-safe.
void removeKeptNamesNow() noexcept;

/// While it lives, the signals above wait in the calling thread (they are
/// blocked, and arrive when it ends): for the few system calls during which
/// a kept name holds something that is not the process's own.
class SignalsDeferred {
public:
    SignalsDeferred();
    ~SignalsDeferred();
    SignalsDeferred(const SignalsDeferred&) = delete;
    SignalsDeferred& operator=(const SignalsDeferred&) = delete;

private:
    sigset_t before_;  // the thread's signal mask as it was
};

}  // namespace tl
