#include "platform/gfx/png_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

namespace gfx {

namespace {

/// A new file beside a target, named after it, hidden; removed when this
/// ends unless it was renamed to the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        // Made with O_EXCL, so a name another writer holds is never shared;
        // 0666 under the umask, as the target would be if written directly.
        // At most kNameKept bytes of the target's name, so that the longest
        // name a folder takes (255 bytes) leaves room for the ending.
        const std::filesystem::path dir = target.parent_path();
        std::string stem(1, '.');
        stem.append(target.filename().string(), 0, kNameKept);
        stem.append(".tmp-").append(std::to_string(getpid())).append("-");
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            name_ = (dir / (stem + std::to_string(counter_++))).string();  // may throw: nothing made yet
            const int fd = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                file_ = ::fdopen(fd, "wb");
                if (file_) return;
                ::close(fd);
                ::unlink(name_.c_str());
                break;
            }
            if (errno != EEXIST) break;
        }
        name_.clear();
    }
    ~TemporaryFile() {
        if (file_) std::fclose(file_);
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    std::FILE* file() const { return file_; }

    /// Flushes and closes the file, then gives it the target's name; false
    /// when any of these fails.
    bool moveTo(const std::filesystem::path& target) {
        const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!flushed || !closed || std::rename(name_.c_str(), target.c_str()) != 0) return false;
        name_.clear();
        return true;
    }

private:
    static constexpr std::size_t kNameKept = 200;
    static inline std::atomic<unsigned> counter_ = 0;
    std::string name_;
    std::FILE* file_ = nullptr;
};

cairo_status_t writeBytes(void* closure, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length ? CAIRO_STATUS_SUCCESS
                                                                                   : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

bool writePngFile(cairo_surface_t* surface, const std::string& path) {
    const std::filesystem::path target(path);
    TemporaryFile temporary(target);
    if (!temporary.file()) return false;
    cairo_surface_flush(surface);
    if (cairo_surface_write_to_png_stream(surface, writeBytes, temporary.file()) != CAIRO_STATUS_SUCCESS) return false;
    return temporary.moveTo(target);
}

}  // namespace gfx
