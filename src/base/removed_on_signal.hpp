// Names a signal removes before it ends the process: the temporary files
// being written, so that none is left behind.
//
// While a name is kept, every signal that would end the process (its
// default action) and may come from outside it removes the name first:
// SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2,
// SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO, SIGPWR, SIGSTKFLT and the
// real-time signals SIGRTMIN to SIGRTMAX. The process then ends by the same
// signal, as it would have (status 128 + n, a core where that is the
// default). A signal the process ignores or handles itself keeps doing so.
// SIGKILL cannot be caught, so it leaves the name behind; the faults
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS, SIGABRT) are left to
// whoever handles them, a sanitizer's runtime say.
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
