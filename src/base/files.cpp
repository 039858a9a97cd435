#include "base/files.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <system_error>

#include "base/text.hpp"

namespace tl {

namespace {

std::string errorText(int error) { return std::generic_category().message(error); }

// ---- Names a signal removes ---------------------------------------------------
//
// The handler may run in any thread at any moment, even while a name is
// being added or let go, and may call only async-signal-safe functions. So
// the names live in a fixed table, each entry's state an atomic: the
// handler takes an entry that is live (and only such an entry), and from
// then on no one else touches it. The handlers themselves are in place only
// while some name is kept.

constexpr int kSignals[] = {SIGHUP, SIGINT, SIGTERM};
constexpr std::size_t kSlots = 32;
constexpr std::size_t kLongestName = 4096;  // with its NUL: the longest path the system takes

enum SlotState : int { kFree, kFilling, kLive, kRemoving };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kLongestName];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free state");

Slot gSlots[kSlots];

// Removes every kept name, for a process about to end at once. A name
// another handler took may not be removed yet when this one ends the
// process: it is removed here too (a second unlink of a name is harmless,
// and a taken entry is never let go).
void removeKeptNames() noexcept {
    for (Slot& slot : gSlots) {
        int state = kLive;
        if (slot.state.compare_exchange_strong(state, kRemoving) || state == kRemoving) ::unlink(slot.path);
    }
}

void removeNamesAndEnd(int signal) {
    removeKeptNames();
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

// At most this many bytes of the target's name go into the temporary
// file's, so that the longest name a folder takes (255 bytes) leaves room
// for the ending.
constexpr std::size_t kNameKept = 200;
std::atomic<unsigned> gTemporaryCount = 0;

}  // namespace

// ---- WriteResult ---------------------------------------------------------------

WriteResult WriteResult::cannotWrite(std::string_view path, std::string_view reason) {
    std::string line = "cannot write ";
    line.append(excerptPath(path)).append(": ").append(reason);
    return WriteResult(std::move(line));
}

WriteResult WriteResult::cannotWrite(std::string_view path, int error) {
    return cannotWrite(path, errorText(error));
}

WriteResult WriteResult::notRegularFile(std::string_view path) {
    return WriteResult(excerptPath(path) + ": not a regular file");
}

WriteResult WriteResult::cannotRemove(std::string_view path, int error) {
    std::string line = "cannot remove ";
    line.append(excerptPath(path)).append(": ").append(errorText(error));
    return WriteResult(std::move(line));
}

// ---- Names and renames -----------------------------------------------------------

WriteResult checkReplaceable(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0)
        return S_ISREG(status.st_mode) ? WriteResult() : WriteResult::notRegularFile(path);
    const int error = errno;
    return error == ENOENT ? WriteResult() : WriteResult::cannotWrite(path, error);
}

WriteResult renameOverRegularFile(const std::string& from, const std::string& to) {
    // Most writes make a new name: that needs no look at what is there.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    const int error = errno;
    // EINVAL and ENOSYS: a file system or kernel that cannot rename so.
    if (error != EEXIST && error != EINVAL && error != ENOSYS) return WriteResult::cannotWrite(to, error);
    if (WriteResult replaceable = checkReplaceable(to); !replaceable) return replaceable;
    if (std::rename(from.c_str(), to.c_str()) != 0) return WriteResult::cannotWrite(to, errno);
    return {};
}

WriteResult removeRegularFile(const std::string& path) {
    if (WriteResult replaceable = checkReplaceable(path); !replaceable) return replaceable;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return WriteResult::cannotRemove(path, errno);
    return {};
}

// ---- RemovedOnSignal ---------------------------------------------------------------

void endAtOnce(std::string_view line, int status) noexcept {
    for (std::size_t written = 0; written < line.size();) {
        const ssize_t n = ::write(STDERR_FILENO, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    removeKeptNames();
    _exit(status);
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

// ---- TemporaryFile -----------------------------------------------------------------

TemporaryFile::TemporaryFile(std::string target) : target_(std::move(target)) {
    // Nothing is made for a target that could not be replaced.
    result_ = checkReplaceable(target_);
    if (!result_) return;
    // Made with O_EXCL, so a name another writer holds is never shared;
    // 0666 under the umask, as the target would be if written directly.
    const std::filesystem::path path(target_);
    const std::filesystem::path dir = path.parent_path();
    std::string stem(1, '.');
    stem.append(path.filename().string(), 0, kNameKept);
    stem.append(".tmp-").append(std::to_string(getpid())).append("-");
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        name_ = (dir / (stem + std::to_string(gTemporaryCount++))).string();
        guard_.emplace(name_);
        if (guard_->error() != 0) {
            failWith(guard_->error());
            break;
        }
        const int fd = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            file_ = ::fdopen(fd, "wb");
            if (file_) return;
            failWith(errno);
            ::close(fd);
            discard();
            return;
        }
        const int error = errno;
        guard_.reset();
        if (error != EEXIST) {
            failWith(error);
            break;
        }
    }
    name_.clear();
    guard_.reset();
    failWith(EEXIST);  // kept only when nothing failed before
}

TemporaryFile::~TemporaryFile() { discard(); }

void TemporaryFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!name_.empty()) ::unlink(name_.c_str());
    name_.clear();
    guard_.reset();
}

WriteResult TemporaryFile::result() const {
    return result_ && writeError_ != 0 ? WriteResult::cannotWrite(target_, writeError_) : result_;
}

void TemporaryFile::failWith(int error) {
    if (result_ && writeError_ == 0) result_ = WriteResult::cannotWrite(target_, error != 0 ? error : EIO);
}

void TemporaryFile::fail(std::string_view reason) {
    if (result_ && writeError_ == 0) result_ = WriteResult::cannotWrite(target_, reason);
}

bool TemporaryFile::write(const void* data, std::size_t size) noexcept {
    if (!*this) return false;
    errno = 0;
    if (std::fwrite(data, 1, size, file_) == size) return true;
    writeError_ = errno != 0 ? errno : EIO;
    return false;
}

WriteResult TemporaryFile::commit() {
    result_ = result();
    writeError_ = 0;
    if (file_ && result_) {
        errno = 0;
        if (std::fflush(file_) != 0 || std::ferror(file_)) failWith(errno);
        errno = 0;
        const int closed = std::fclose(file_);
        file_ = nullptr;
        if (closed != 0) failWith(errno);
        if (result_) {
            result_ = renameOverRegularFile(name_, target_);
            if (result_) {
                name_.clear();
                guard_.reset();
            }
        }
    } else if (result_) {
        result_ = WriteResult::cannotWrite(target_, "written already");
    }
    discard();
    return result_;
}

WriteResult writeFileWhole(const std::string& path, std::string_view bytes) {
    TemporaryFile file(path);
    file.write(bytes.data(), bytes.size());
    return file.commit();
}

}  // namespace tl
