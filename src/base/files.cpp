#include "base/files.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/removed_on_signal.hpp"
#include "base/text.hpp"

namespace tl {

namespace {

std::string errorText(int error) { return std::generic_category().message(error); }

// At most this many bytes of the target's name go into the temporary
// file's, so that the longest name a folder takes (255 bytes) leaves room
// for the ending.
constexpr std::size_t kNameKept = 200;
std::atomic<unsigned> gHiddenCount = 0;

// A fresh hidden name beside `target`, in its folder: ".NAME.tmp-PID-N".
std::string hiddenNameBeside(const std::string& target) {
    const std::filesystem::path path(target);
    std::string name(1, '.');
    name.append(path.filename().string(), 0, kNameKept);
    name.append(".tmp-").append(std::to_string(getpid())).append("-").append(std::to_string(gHiddenCount++));
    return (path.parent_path() / name).string();
}

// How many times a name is tried where another process may have taken it
// already, or changes what is there meanwhile.
constexpr int kNameAttempts = 100;

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

WriteResult WriteResult::cannotDraw(std::string_view path, std::string_view reason) {
    std::string line = "cannot draw ";
    line.append(excerptPath(path)).append(": ").append(reason);
    return WriteResult(std::move(line));
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

// Where the system cannot rename so: an old kernel, or a file system
// without renameat2's flags.
bool cannotRenameSo(int error) { return error == EINVAL || error == ENOSYS; }

WriteResult renameOverRegularFile(const std::string& from, const std::string& to) {
    // Another process may take the name away or put one there between two
    // calls: each such change is answered by trying again, a few times.
    for (int attempt = 0;; ++attempt) {
        if (attempt == kNameAttempts) return WriteResult::cannotWrite(to, "another process keeps changing it");
        // Most writes make a new name: that needs no look at what is there.
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
        if (const int error = errno; error != EEXIST) {
            if (cannotRenameSo(error)) break;
            return WriteResult::cannotWrite(to, error);
        }
        // Something is there. The two names change places in one step, and
        // what was displaced (now at `from`, a name of ours alone) is looked
        // at after: nothing can come to `to` between a look and the
        // replacing. Until it has been looked at, `from` may hold what is not
        // ours: a signal that would remove it waits.
        const SignalsDeferred deferred;
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) != 0) {
            const int error = errno;
            if (error == ENOENT) continue;  // gone again
            if (cannotRenameSo(error)) break;
            return WriteResult::cannotWrite(to, error);
        }
        struct stat displaced {};
        const int looked = ::lstat(from.c_str(), &displaced) == 0 ? 0 : errno;
        if (looked == 0 && S_ISREG(displaced.st_mode)) {
            ::unlink(from.c_str());  // the file replaced; if it stays, it stays hidden, no harm
            return {};
        }
        // Anything else goes back where it was.
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) != 0)
            return WriteResult::cannotWrite(to, errno);
        return looked == 0 ? WriteResult::notRegularFile(to) : WriteResult::cannotWrite(to, looked);
    }
    // Without renameat2: a look, then the rename (another process could put
    // something at `to` between the two).
    if (WriteResult replaceable = checkReplaceable(to); !replaceable) return replaceable;
    if (std::rename(from.c_str(), to.c_str()) != 0) return WriteResult::cannotWrite(to, errno);
    return {};
}

WriteResult removeRegularFile(const std::string& path) {
    // What is at `path` is moved aside to a name of ours alone first, looked
    // at there, and removed only if it is a regular file: what came to
    // `path` meanwhile is never the one removed. Anything else goes back.
    const SignalsDeferred deferred;
    std::string aside;
    int moved = -1;
    for (int attempt = 0; attempt < kNameAttempts && moved != 0; ++attempt) {
        aside = hiddenNameBeside(path);
        moved = ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE);
        if (moved != 0 && errno != EEXIST) break;
    }
    if (moved == 0) {
        struct stat status {};
        const int looked = ::lstat(aside.c_str(), &status) == 0 ? 0 : errno;
        if (looked == 0 && S_ISREG(status.st_mode)) {
            if (::unlink(aside.c_str()) == 0) return {};
            const int error = errno;
            static_cast<void>(::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE));
            return WriteResult::cannotRemove(path, error);
        }
        if (::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0)
            return WriteResult::cannotRemove(path, errno);
        return looked == 0 ? WriteResult::notRegularFile(path) : WriteResult::cannotRemove(path, looked);
    }
    const int error = errno;
    if (error == ENOENT) return {};
    if (!cannotRenameSo(error)) return WriteResult::cannotRemove(path, error);
    // Without renameat2: a look, then the removal.
    if (WriteResult replaceable = checkReplaceable(path); !replaceable) return replaceable;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return WriteResult::cannotRemove(path, errno);
    return {};
}

void failWritesPastSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

// ---- TemporaryFile -----------------------------------------------------------------

TemporaryFile::TemporaryFile(std::string target) : target_(std::move(target)) {
    // Nothing is made for a target that could not be replaced.
    result_ = checkReplaceable(target_);
    if (!result_) return;
    // Made with O_EXCL, so a name another writer holds is never shared;
    // 0666 under the umask, as the target would be if written directly.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name_ = hiddenNameBeside(target_);
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
