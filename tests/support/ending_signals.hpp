// The signals that end a process by default and may come from outside it:
// the ones a temporary file must not outlive.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <vector>

namespace tl::testing {

/// Every signal whose default action ends the process, SIGKILL and the
/// faults (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS, SIGABRT) aside;
/// the real-time ones as the C library leaves them to programs.
inline std::vector<int> endingSignals() {
    std::vector<int> signals{SIGHUP,  SIGINT,  SIGQUIT, SIGTERM,   SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2,
                             SIGXCPU, SIGXFSZ, SIGIO,   SIGVTALRM, SIGPROF, SIGPWR,  SIGSTKFLT};
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) signals.push_back(signal);
    return signals;
}

/// A child process's signals as a program finds them when started from a
/// shell: each of `signals` by default and not blocked, and no core dumped.
inline void startAsFromAShell(const std::vector<int>& signals) {
    sigset_t unblocked;
    sigemptyset(&unblocked);
    for (int signal : signals) {
        ::signal(signal, SIG_DFL);
        sigaddset(&unblocked, signal);
    }
    sigprocmask(SIG_UNBLOCK, &unblocked, nullptr);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
}

}  // namespace tl::testing
