#include "base/removed_on_signal.hpp"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <mutex>

namespace tl {

namespace {

// Every signal whose default action ends the process and that may come
// from outside it: all but SIGKILL, which cannot be caught, and the faults
// the process raises itself (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP,
// SIGSYS, SIGABRT), which are left to whoever handles them (a sanitizer's
// runtime, a debugger). Made once, before any handler is in place.
struct Signals {
    int list[NSIG]{};
    std::size_t count = 0;
};

const Signals& endingSignals() {
    static const Signals signals = [] {
        Signals made;
        const auto add = [&made](int signal) {
            for (std::size_t i = 0; i < made.count; ++i)
                if (made.list[i] == signal) return;
            if (signal > 0 && signal < NSIG && made.count < std::size(made.list)) made.list[made.count++] = signal;
        };
        for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ,
                           SIGVTALRM, SIGPROF})
            add(signal);
#ifdef SIGIO
        add(SIGIO);
#endif
#ifdef SIGPOLL
        add(SIGPOLL);
#endif
#ifdef SIGPWR
        add(SIGPWR);
#endif
#ifdef SIGSTKFLT
        add(SIGSTKFLT);
#endif
        // The real-time signals the C library leaves to programs.
        for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) add(signal);
        return made;
    }();
    return signals;
}

// The handler may run in any thread at any moment, even while a name is
// being added or let go, and may call only async-signal-safe functions. So
// the names live in a fixed table, each entry's state an atomic: the
// handler takes an entry that is live (and only such an entry), and from
// then on no one else touches it. The handlers themselves are in place only
// while some name is kept.

constexpr std::size_t kSlots = 32;
constexpr std::size_t kLongestName = 4096;  // with its NUL: the longest path the system takes

enum SlotState : int { kFree, kFilling, kLive, kRemoving };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kLongestName];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free state");

Slot gSlots[kSlots];

void removeNamesAndEnd(int signal) {
    removeKeptNamesNow();
    // Then the process ends as the signal would have ended it without the
    // handler (its status 128 + n to a shell, a core where that is the
    // default): by the signal itself, its default action back.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(signal, &byDefault, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    _exit(128 + signal);  // not reached: the signal ended the process
}

// Changed under the mutex only (never by the handler).
std::mutex gHandlersMutex;
std::size_t gNamesKept = 0;
struct sigaction gBefore[NSIG];
bool gInstalled[NSIG];

bool byDefault(const struct sigaction& action) {
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_DFL;
}

void installHandlers() {
    const Signals& signals = endingSignals();
    for (std::size_t i = 0; i < signals.count; ++i) {
        const int signal = signals.list[i];
        gInstalled[i] = false;
        struct sigaction now {};
        // A signal the process ignores (as under nohup, or SIGXFSZ, see
        // failWritesPastSizeLimit) or handles itself does not end it: that
        // stays as it is.
        if (::sigaction(signal, nullptr, &now) != 0 || !byDefault(now)) continue;
        struct sigaction removing {};
        removing.sa_handler = removeNamesAndEnd;
        sigemptyset(&removing.sa_mask);
        for (std::size_t j = 0; j < signals.count; ++j)
            if (j != i) sigaddset(&removing.sa_mask, signals.list[j]);
        removing.sa_flags = SA_NODEFER;
        gBefore[i] = now;
        gInstalled[i] = ::sigaction(signal, &removing, nullptr) == 0;
    }
}

void restoreHandlers() {
    const Signals& signals = endingSignals();
    for (std::size_t i = 0; i < signals.count; ++i) {
        if (!gInstalled[i]) continue;
        gInstalled[i] = false;
        // What was there before comes back, unless the handler was replaced since.
        struct sigaction now {};
        if (::sigaction(signals.list[i], nullptr, &now) == 0 && !(now.sa_flags & SA_SIGINFO) &&
            now.sa_handler == removeNamesAndEnd)
            ::sigaction(signals.list[i], &gBefore[i], nullptr);
    }
}

}  // namespace

// A name another handler took may not be removed yet when this one ends the
// process: it is removed here too (a second unlink of a name is harmless,
// and a taken entry is never let go).
void removeKeptNamesNow() noexcept {
    for (Slot& slot : gSlots) {
        int state = kLive;
        if (slot.state.compare_exchange_strong(state, kRemoving) || state == kRemoving) ::unlink(slot.path);
    }
}

RemovedOnSignal::RemovedOnSignal(const std::string& path) {
    const std::size_t length = std::strlen(path.c_str());  // as the system reads it
    if (length >= kLongestName) {
        error_ = ENAMETOOLONG;
        return;
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        int free = kFree;
        if (!gSlots[i].state.compare_exchange_strong(free, kFilling)) continue;
        std::memcpy(gSlots[i].path, path.c_str(), length + 1);
        {
            std::lock_guard lock(gHandlersMutex);
            if (gNamesKept++ == 0) installHandlers();
        }
        gSlots[i].state.store(kLive);
        slot_ = static_cast<int>(i);
        return;
    }
    error_ = EMFILE;
}

void RemovedOnSignal::release() {
    if (slot_ < 0) return;
    int live = kLive;
    // When this fails a handler is removing the name and ending the process:
    // the entry stays the handler's.
    gSlots[slot_].state.compare_exchange_strong(live, kFree);
    slot_ = -1;
    std::lock_guard lock(gHandlersMutex);
    if (--gNamesKept == 0) restoreHandlers();
}

SignalsDeferred::SignalsDeferred() {
    sigset_t deferred;
    sigemptyset(&deferred);
    const Signals& signals = endingSignals();
    for (std::size_t i = 0; i < signals.count; ++i) sigaddset(&deferred, signals.list[i]);
    pthread_sigmask(SIG_BLOCK, &deferred, &before_);
}

SignalsDeferred::~SignalsDeferred() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace tl
