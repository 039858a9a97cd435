#include "platform/gfx/drawing_memory.hpp"

#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>

#include "base/errors.hpp"
#include "base/ending.hpp"
#include "base/text.hpp"
#include "platform/gfx/font.hpp"
#include "platform/gfx/pango_fonts.hpp"

namespace gfx {

namespace {

// What loading fonts may take: fontconfig's setup, a stack for each helper
// thread, the font files (measured: about 50 MB for the first picture,
// less for each after it).
constexpr std::size_t kFontRoom = std::size_t{64} << 20;

// How many threads the process runs now (0 when that cannot be read).
std::size_t threadCount() {
    std::error_code ec;
    std::size_t n = 0;
    for (std::filesystem::directory_iterator it("/proc/self/task", ec), end; !ec && it != end; it.increment(ec)) ++n;
    return ec ? 0 : n;
}

// Waits, at most 2 s, until no more threads run than `before`: the helper
// threads Pango started since have ended, and their memory is free again.
void awaitHelperThreads(std::size_t before) {
    for (int waited = 0; threadCount() > before && waited < 2000; ++waited) usleep(1000);
}

// ---- GLib's messages ----------------------------------------------------------
//
// One writer for the whole process (GLib takes only one): it ends the
// process on a fatal error with one line, keeps Pango's warnings for the
// watch that is active, and hands everything else to GLib's own writer.

char gProgram[64] = "tellurandi";

// Ends the process for GLib's fatal `message`, as prepareForDrawing says.
// Memory may be gone: the line is made in a fixed buffer, control
// characters shown as "?", at most about 300 bytes of the message.
[[noreturn]] void endOnFatalError(const char* message) {
    char line[sizeof gProgram + 320];
    std::size_t n = 0;
    const auto put = [&](std::string_view text, std::size_t most) {
        std::size_t i = 0;
        while (i < text.size() && i < most) {
            const std::size_t control = tl::controlLength(text, i);
            const std::size_t length = control > 0 ? control : tl::characterLength(text, i);
            const std::size_t shown = control > 0 ? 1 : length;
            if (n + shown + 4 > sizeof line) break;  // room for "…" and the line break
            if (control > 0)
                line[n++] = '?';
            else
                for (std::size_t k = 0; k < length; ++k) line[n++] = text[i + k];
            i += length;
        }
        return i < text.size();
    };
    put({gProgram, std::strlen(gProgram)}, sizeof gProgram);
    put(": ", 2);
    if (put({message, std::strlen(message)}, 300)) put("\u2026", 3);  // "…"
    line[n++] = '\n';
    tl::endAtOnce({line, n}, 1);
}

class PangoWatch;
std::mutex gWatchMutex;
PangoWatch* gActiveWatch = nullptr;
// The first of Pango's warnings while no watch was active (text measured
// with a font that could not be loaded, say), until a watch takes it.
std::string gUnwatched;

// Pango's warnings while it lives: the first is kept (and none printed); a
// warning that came while none was active counts as its first, as what was
// measured then is drawn now.
class PangoWatch {
public:
    PangoWatch() {
        std::lock_guard lock(gWatchMutex);
        outer_ = gActiveWatch;
        gActiveWatch = this;
        first_.swap(gUnwatched);
    }
    ~PangoWatch() {
        std::lock_guard lock(gWatchMutex);
        gActiveWatch = outer_;
    }
    PangoWatch(const PangoWatch&) = delete;
    PangoWatch& operator=(const PangoWatch&) = delete;

    std::string first() const {
        std::lock_guard lock(gWatchMutex);
        return first_;
    }

    // Keeps `message` for the watch that is active, or for the next one.
    static void keep(const char* message) noexcept {
        std::lock_guard lock(gWatchMutex);
        std::string& first = gActiveWatch ? gActiveWatch->first_ : gUnwatched;
        if (!first.empty()) return;
        try {
            first = *message ? message : "a warning from Pango";
        } catch (const std::bad_alloc&) {
            first = "out of memory";  // short enough to need no memory
        }
    }

private:
    PangoWatch* outer_;
    std::string first_;
};

GLogWriterOutput writeLog(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data) {
    const char *domain = "", *message = "";
    for (gsize i = 0; i < count; ++i) {
        const std::string_view key = fields[i].key;
        if (key == "GLIB_DOMAIN" && fields[i].length < 0) domain = static_cast<const char*>(fields[i].value);
        if (key == "MESSAGE" && fields[i].length < 0) message = static_cast<const char*>(fields[i].value);
    }
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_FLAG_FATAL)) endOnFatalError(*message ? message : "a fatal error in GLib");
    if ((level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) && std::string_view(domain) == "Pango") {
        PangoWatch::keep(message);
        return G_LOG_WRITER_HANDLED;
    }
    return g_log_writer_default(level, fields, count, data);
}

// Loads the fonts (see prepareForDrawing): empty, or why they could not be.
std::string loadFonts() {
    if (!canReserve(kFontRoom)) return "out of memory";
    // Pango reads fontconfig's own configuration too, in a helper thread of
    // its own that would print any message as it goes: read here, first.
    if (!FcInit()) return "fontconfig cannot read its configuration";
    PangoWatch watch;
    const Font faces[] = {Font::system(17), Font::monospaced(17), Font::monospacedDigit(17)};
    const bool shaped = std::all_of(std::begin(faces), std::end(faces),
                                    [](const Font& font) { return detail::hasGlyphs(font.face(), "0"); });
    if (std::string warning = watch.first(); !warning.empty()) return warning;
    return shaped ? "" : "no face has glyphs for the digits";
}

}  // namespace

void prepareForDrawing(std::string_view program) {
    static std::mutex mutex;
    static bool prepared = false;
    std::lock_guard lock(mutex);
    if (prepared) return;

    mallopt(M_ARENA_MAX, 1);
    const std::size_t kept = std::min(program.size(), sizeof gProgram - 1);
    std::memcpy(gProgram, program.data(), kept);
    gProgram[kept] = '\0';
    static const bool installed = (g_log_set_writer_func(writeLog, nullptr, nullptr), true);
    static_cast<void>(installed);

    const std::size_t threads = threadCount();
    tl::HeldBackErrors held;
    std::string failure;
    try {
        failure = loadFonts();
    } catch (const std::bad_alloc&) {
        failure = "out of memory";
    } catch (const tl::PreconditionError& e) {
        failure = e.what();
    }
    awaitHelperThreads(threads);
    const std::string messages = held.release();
    if (messages.find("out of memory") != std::string::npos) failure = "out of memory";
    if (!failure.empty()) throw tl::PreconditionError("cannot load the fonts: " + failure);
    std::fputs(messages.c_str(), stderr);
    prepared = true;
}

bool canReserve(std::size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) return false;
    munmap(block, bytes);
    return true;
}

std::unique_ptr<ImageSurface> makeImage(double width, double height, double scale, std::string& why) {
    try {
        return std::make_unique<ImageSurface>(width, height, scale);
    } catch (const std::bad_alloc&) {
        why = "out of memory";
    } catch (const tl::PreconditionError& e) {
        why = e.what();
    }
    return nullptr;
}

std::string drawChecked(ImageSurface& image, const std::function<void(Context&)>& draw) {
    try {
        if (!canReserve(kDrawingHeadroom)) return "out of memory";
        PangoWatch watch;
        {
            ContextScope scope(&image.context());
            draw(image.context());
        }
        if (std::string warning = watch.first(); !warning.empty()) return warning;
    } catch (const std::bad_alloc&) {
        return "out of memory";
    }
    if (image.drawingStatus() != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(image.drawingStatus());
    return "";
}

std::string loadFontsFor(const std::function<void(Context&)>& draw, double scale) {
    if (!canReserve(kFontRoom)) return "out of memory";
    const std::size_t threads = threadCount();
    std::string failure;
    try {
        ImageSurface pixel(1 / scale, 1 / scale, scale, ImageSurface::Start::transparent);
        failure = drawChecked(pixel, draw);
    } catch (const std::bad_alloc&) {
        failure = "out of memory";
    }
    awaitHelperThreads(threads);
    return failure;
}

}  // namespace gfx
