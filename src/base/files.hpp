// Writing a file whole or not at all, and only over a regular file.
//
//     tl::TemporaryFile file("out/page-01.png");   // .page-01.png.tmp-PID-N beside it
//     file.write(bytes, size);
//     if (tl::WriteResult written = file.commit(); !written)
//         std::fprintf(stderr, "PROGRAM: %s\n", written.failure().c_str());
//
// The bytes go to a hidden temporary file beside the target (same folder,
// so the same file system), which takes the target's name only once every
// byte is written, flushed and closed. Any failure on the way (a full disk,
// a file size limit, an exception) removes the temporary file and leaves
// whatever was at the target before.
//
// Only a regular file at the target is replaced. Anything else there (a
// device, a named pipe, a socket, a folder, a symbolic link, even one to a
// regular file) is left as it is and the write fails with "PATH: not a
// regular file"; this is checked when the temporary file is made and again
// when it is renamed, in one step with the renaming where the system can
// (renameat2), so that nothing put there in between is replaced.
//
// While a temporary file exists, a signal that would end the process
// removes it first (see base/removed_on_signal.hpp). A write past the
// process's file size limit fails as one on a full disk does, once the
// program has called failWritesPastSizeLimit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/removed_on_signal.hpp"

namespace tl {

/// How a write ended: written (true), or why not in one line naming the file.
class [[nodiscard]] WriteResult {
public:
    /// Written.
    WriteResult() = default;
    /// "cannot write PATH: REASON".
    static WriteResult cannotWrite(std::string_view path, std::string_view reason);
    /// As above, the reason being the system's text for the error number.
    static WriteResult cannotWrite(std::string_view path, int error);
    /// "PATH: not a regular file".
    static WriteResult notRegularFile(std::string_view path);
    /// "cannot draw PATH: REASON": the picture for PATH could not be drawn.
    static WriteResult cannotDraw(std::string_view path, std::string_view reason);
    /// "cannot remove PATH: REASON", the reason as above.
    static WriteResult cannotRemove(std::string_view path, int error);

    explicit operator bool() const { return failure_.empty(); }
    /// Why the file was not written, naming it; empty when it was.
    const std::string& failure() const { return failure_; }

private:
    explicit WriteResult(std::string failure) : failure_(std::move(failure)) {}
    std::string failure_;
};

/// Written unless something other than a regular file is at `path` (or its
/// kind cannot be read).
WriteResult checkReplaceable(const std::string& path);

/// Gives the file at `from` the name `to`, replacing a regular file there and
/// nothing else: with anything else at `to` both names are left as they are.
WriteResult renameOverRegularFile(const std::string& from, const std::string& to);

/// Removes the regular file at `path` (done when nothing is there): "PATH:
/// not a regular file" for anything else, which stays, "cannot remove PATH:
/// REASON" when it cannot be. What is there is moved aside first and looked
/// at there, so that nothing put at `path` meanwhile is removed.
WriteResult removeRegularFile(const std::string& path);

/// A write past the process's file size limit (ulimit -f) then fails with
/// "File too large", as one on a full disk does, instead of ending the
/// process by SIGXFSZ, which would leave its temporary file behind. Every
/// program calls it first thing.
void failWritesPastSizeLimit();

/// A hidden file beside `target`, written, then given the target's name by
/// commit(); removed unless that succeeds.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    /// True while the file is open and every write so far went through.
    explicit operator bool() const { return file_ != nullptr && result_ && writeError_ == 0; }
    /// The first failure so far, naming the target.
    WriteResult result() const;
    const std::string& target() const { return target_; }

    /// Appends `size` bytes; false (the reason kept) when they cannot be.
    /// Throws nothing, so it can be called back from C.
    bool write(const void* data, std::size_t size) noexcept;
    /// Fails the write for `reason` (kept unless a failure came first).
    void fail(std::string_view reason);
    /// Flushes and closes the file, then renames it to the target.
    WriteResult commit();

private:
    void failWith(int error);
    void discard();

    std::string target_, name_;
    std::FILE* file_ = nullptr;
    WriteResult result_;
    int writeError_ = 0;  // the first failed write's, until result_ takes it
    std::optional<RemovedOnSignal> guard_;
};

/// Writes `bytes` to `path` whole or not at all (through a TemporaryFile).
WriteResult writeFileWhole(const std::string& path, std::string_view bytes);

}  // namespace tl
