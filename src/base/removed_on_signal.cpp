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

// The handler may run in any thread at any moment, even while a name is
// being added or let go, and may call only async-signal-safe functions. So
// the names live in a fixed table, each entry's state an atomic: the
// handler takes an entry that is live (and only such an entry), and from
// then on no one else touches it. The handlers themselves are in place only
// while some name is kept.

constexpr int kSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};
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
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(signal, &byDefault, nullptr);
    // Installed with SA_NODEFER, the signal is not blocked here: raised again
    // it ends the process at once, as it would have without the handler.
    ::raise(signal);
}

// Changed under the mutex only (never by the handler).
std::mutex gHandlersMutex;
std::size_t gNamesKept = 0;
struct sigaction gBefore[std::size(kSignals)];
bool gInstalled[std::size(kSignals)];

bool byDefault(const struct sigaction& action) {
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_DFL;
}

void installHandlers() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        gInstalled[i] = false;
        struct sigaction now {};
        // A signal the process ignores (as under nohup) or handles itself
        // does not end it: that stays as it is.
        if (::sigaction(kSignals[i], nullptr, &now) != 0 || !byDefault(now)) continue;
        struct sigaction removing {};
        removing.sa_handler = removeNamesAndEnd;
        sigemptyset(&removing.sa_mask);
        for (int other : kSignals)
            if (other != kSignals[i]) sigaddset(&removing.sa_mask, other);
        removing.sa_flags = SA_NODEFER;
        gBefore[i] = now;
        gInstalled[i] = ::sigaction(kSignals[i], &removing, nullptr) == 0;
    }
}

void restoreHandlers() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (!gInstalled[i]) continue;
        gInstalled[i] = false;
        // What was there before comes back, unless the handler was replaced since.
        struct sigaction now {};
        if (::sigaction(kSignals[i], nullptr, &now) == 0 && !(now.sa_flags & SA_SIGINFO) &&
            now.sa_handler == removeNamesAndEnd)
            ::sigaction(kSignals[i], &gBefore[i], nullptr);
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
    for (int signal : kSignals) sigaddset(&deferred, signal);
    pthread_sigmask(SIG_BLOCK, &deferred, &before_);
}

SignalsDeferred::~SignalsDeferred() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace tl
