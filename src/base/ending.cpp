#include "base/ending.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "base/removed_on_signal.hpp"

namespace tl {

namespace {

// Where the real standard error is while it is held back; -1 while it is not.
std::atomic<int> gRealErrors{-1};

// Writes `line` whole to `fd`; false when the descriptor is no longer open.
bool writeWhole(int fd, std::string_view line) noexcept {
    for (std::size_t written = 0; written < line.size();) {
        const ssize_t n = ::write(fd, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EBADF) return false;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void endAtOnce(std::string_view line, int status) noexcept {
    const int held = gRealErrors.load();
    // A holder that has just let go has closed its copy: standard error is
    // the real one again by then.
    if (held < 0 || !writeWhole(held, line)) writeWhole(STDERR_FILENO, line);
    removeKeptNamesNow();
    _exit(status);
}

HeldBackErrors::HeldBackErrors() {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    kept_ = ::memfd_create("held-back-errors", MFD_CLOEXEC);
    if (saved_ < 0 || kept_ < 0) {
        restore();  // then nothing is held back
        return;
    }
    // Known before standard error moves, so that no fatal line goes astray.
    gRealErrors.store(saved_);
    if (::dup2(kept_, STDERR_FILENO) < 0) restore();
}

std::string HeldBackErrors::release() {
    std::string text;
    std::fflush(stderr);
    if (kept_ >= 0 && saved_ >= 0 && ::lseek(kept_, 0, SEEK_SET) == 0) {
        char buffer[4096];
        for (ssize_t got; (got = ::read(kept_, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(got));
    }
    restore();
    return text;
}

void HeldBackErrors::restore() {
    if (saved_ >= 0) {
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        gRealErrors.store(-1);  // standard error is the real one again: only now is the copy let go
        ::close(saved_);
        saved_ = -1;
    }
    if (kept_ >= 0) ::close(kept_);
    kept_ = -1;
}

}  // namespace tl
