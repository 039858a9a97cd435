// drill-cards OUTDIR [WIDTH HEIGHT]: draws the front and the back of one card
// of every kind into OUTDIR as PNG files (2 pixels per point), so the
// pictures can be looked at without running the app. "--help" prints the
// usage; any failure stops it with one line and status 1, as does a list
// of the files written that cannot be printed.
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <glib.h>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "base/usage.hpp"
#include "drills/count_card.hpp"
#include "drills/double_cards.hpp"
#include "platform/gfx/cairo_context.hpp"

namespace {

constexpr int kLargestSide = 10000;  // points; at 2 pixels a point within Cairo's 32767

constexpr const char* kUsage =
    "usage: drill-cards OUTDIR [WIDTH HEIGHT]\n"
    "       drill-cards --help\n"
    "Draws the front and the back of one card of every drill kind into OUTDIR (made if\n"
    "missing) as PNG files at 2 pixels per point: NAME_front.png and NAME_back.png.\n"
    "A card is 390x700 points unless WIDTH and HEIGHT say otherwise, whole numbers of\n"
    "points from 1 to 10000 (a 10000x10000 card needs about 1.9 GB of memory).\n"
    "Status: 0 done; 1 a card could not be drawn or written (the first failure stops it);\n"
    "2 a malformed command line.\n";

// A card side in points: a whole number from 1 to kLargestSide, or none.
std::optional<double> side(const std::string& text) {
    const auto n = tl::tryParseInt(text);
    if (!n || *n <= 0 || *n > kLargestSide) return std::nullopt;
    return static_cast<double>(*n);
}

// A card that could not be drawn or written: its file and why.
struct CardFailure {
    std::string message;
};

// One side of a card: its file, the file as messages name it (the folder
// cut short as tl::excerpt cuts it) and how it is drawn.
struct Side {
    std::string path;
    std::string shown;
    std::function<void(gfx::Context&)> draw;
};

constexpr double kPixelScale = 2.0;

// Whether `bytes` more address space can be had now. (Reserved and let go
// at once: only a memory limit such as `ulimit -v` can refuse it.)
bool canReserve(std::size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) return false;
    munmap(block, bytes);
    return true;
}

// How many threads the process runs now (0 when that cannot be read).
std::size_t threadCount() {
    std::error_code ec;
    std::size_t n = 0;
    for (std::filesystem::directory_iterator it("/proc/self/task", ec), end; !ec && it != end; it.increment(ec)) ++n;
    return ec ? 0 : n;
}

// Pango's warnings while a side is drawn: the first is kept. Pango draws the
// text of a font it could not load (say, for want of memory) as boxes, with
// only a warning, once: so any warning of Pango's fails the side.
class PangoWarnings {
public:
    PangoWarnings() {
        static const bool installed = (g_log_set_writer_func(write, nullptr, nullptr), true);
        static_cast<void>(installed);
        std::lock_guard lock(mutex_);
        active_ = this;
    }
    ~PangoWarnings() {
        std::lock_guard lock(mutex_);
        active_ = nullptr;
    }
    PangoWarnings(const PangoWarnings&) = delete;
    PangoWarnings& operator=(const PangoWarnings&) = delete;

    std::string first() const {
        std::lock_guard lock(mutex_);
        return first_;
    }

private:
    static GLogWriterOutput write(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data) {
        const char *domain = "", *message = "";
        for (gsize i = 0; i < count; ++i) {
            const std::string_view key = fields[i].key;
            if (key == "GLIB_DOMAIN" && fields[i].length < 0) domain = static_cast<const char*>(fields[i].value);
            if (key == "MESSAGE" && fields[i].length < 0) message = static_cast<const char*>(fields[i].value);
        }
        if ((level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) && std::string_view(domain) == "Pango") {
            std::lock_guard lock(mutex_);
            if (active_) {
                if (active_->first_.empty()) active_->first_ = *message ? message : "a warning from Pango";
                return G_LOG_WRITER_HANDLED;
            }
        }
        return g_log_writer_default(level, fields, count, data);
    }

    static inline std::mutex mutex_;
    static inline PangoWarnings* active_ = nullptr;
    std::string first_;
};

// Runs `work` on the side that messages name `shown`: running out of
// memory or a broken precondition on the way is a failure of that side.
template <class Work>
void failingAs(const std::string& shown, Work&& work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        throw CardFailure{"cannot draw " + shown + ": out of memory"};
    } catch (const tl::PreconditionError& e) {
        throw CardFailure{"cannot draw " + shown + ": " + e.what()};
    }
}

// Draws a side into `image`; a failure on the way is the side's.
void drawInto(const Side& side, gfx::ImageSurface& image) {
    PangoWarnings warnings;
    {
        gfx::ContextScope scope(&image.context());
        side.draw(image.context());
    }
    if (const std::string warning = warnings.first(); !warning.empty())
        throw CardFailure{"cannot draw " + side.shown + ": " + warning};
    if (image.drawingStatus() != CAIRO_STATUS_SUCCESS)
        throw CardFailure{"cannot draw " + side.shown + ": " + cairo_status_to_string(image.drawingStatus())};
}

// What loading the fonts for one side may take: fontconfig's setup, a
// stack for each helper thread, the font files (measured: about 50 MB for
// the first side, less for each after it; glyph images of large text take
// more, but Cairo reports running out of memory for those).
constexpr std::size_t kFontRoom = std::size_t{64} << 20;

// Pango and GLib end the process when they find no memory (for a helper
// thread, a font, a layout). So everything the text needs is made before a
// card's pixels take their share of memory: every side is drawn once into an
// image of one pixel at the same transform, which loads every face at every
// size the sides use (Pango's font map and Cairo's font cache keep them), and
// the helper threads Pango starts for that are let finish.
void prepareFonts(const std::vector<Side>& sides) {
    // Each helper thread would get a malloc arena of its own, which keeps
    // 64 MB of address space for good: a limit on it (`ulimit -v`) would
    // then leave less for the cards. One arena serves them all.
    mallopt(M_ARENA_MAX, 1);
    for (const Side& side : sides)
        failingAs(side.shown, [&] {
            if (!canReserve(kFontRoom)) throw std::bad_alloc();
            gfx::ImageSurface pixel(1 / kPixelScale, 1 / kPixelScale, kPixelScale,
                                    gfx::ImageSurface::Start::transparent);
            drawInto(side, pixel);
        });
    for (int waited = 0; threadCount() > 1 && waited < 2000; ++waited) usleep(1000);
}

// What drawing and writing one side may take beside its pixels, once the
// fonts are loaded: Cairo's rasteriser, the glyph images of its text and the
// PNG encoder (measured: under 2 MB at every size up to 10000 points square).
constexpr std::size_t kHeadroom = std::size_t{32} << 20;

void render(const Side& side, double width, double height) {
    failingAs(side.shown, [&] {
        gfx::ImageSurface image(width, height, kPixelScale);
        if (!canReserve(kHeadroom)) throw std::bad_alloc();
        drawInto(side, image);
        if (tl::WriteResult written = image.writePng(side.path); !written) throw CardFailure{written.failure()};
    });
    std::printf("%s\n", side.path.c_str());
}

int run(int argc, char** argv) {
    if (tl::asksForHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Before a "--" an argument starting with "-" is an option, and --help
    // is the only one; a negative number is a size, refused below.
    const tl::Operands args = tl::readOperands(argc, argv, [](std::string_view arg) {
        return tl::tryParseInt(arg).has_value();
    });
    if (!args.unknownOption.empty()) return tl::refuseOption("drill-cards", args.unknownOption, std::cerr);
    const std::vector<std::string>& operands = args.operands;
    if (operands.size() != 1 && operands.size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string dir = operands[0];
    if (dir.empty()) {
        std::fputs("drill-cards: OUTDIR needs a folder name\n", stderr);
        return 2;
    }
    const bool sized = operands.size() == 3;
    const std::optional<double> w = sized ? side(operands[1]) : 390.0;
    const std::optional<double> h = sized ? side(operands[2]) : 700.0;
    if (!w || !h) {
        std::fprintf(stderr, "drill-cards: the size must be two whole numbers from 1 to %d\n", kLargestSide);
        return 2;
    }
    const double width = *w, height = *h;
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    if (made) {
        std::fprintf(stderr, "drill-cards: cannot create %s: %s\n", tl::excerpt(dir).c_str(), made.message().c_str());
        return 1;
    }
    using namespace tl::drills;
    struct Count {
        const char* file;
        const char* name;
        int first, second;
    };
    const Count counts[] = {{"count_on", "count on", 9, 3},
                            {"combine", "combine to ten", 7, 3},
                            {"make_ten", "make a ten", 8, 7}};
    struct Double {
        const char* file;
        DoublesKind kind;
        int n;
    };
    const Double doubles[] = {{"double", DoublesKind::double_, 7},
                              {"double_plus_one", DoublesKind::doublePlusOne, 9},
                              {"double_minus_one", DoublesKind::doubleMinusOne, 5},
                              {"make_double", DoublesKind::makeADouble, 6}};
    std::vector<Side> sides;
    const std::string shownDir = tl::excerpt(dir);
    for (bool front : {true, false}) {
        const std::string ending = front ? "_front.png" : "_back.png";
        for (const Count& c : counts)
            sides.push_back({dir + "/" + c.file + ending, shownDir + "/" + c.file + ending, [=](gfx::Context& ctx) {
                                 drawCountStrategy(ctx, c.first, c.second, front, c.name, width, height);
                             }});
        for (const Double& d : doubles)
            sides.push_back({dir + "/" + d.file + ending, shownDir + "/" + d.file + ending,
                             [=](gfx::Context& ctx) { drawDoubles(ctx, d.kind, d.n, front, width, height); }});
    }
    try {
        prepareFonts(sides);
        for (const Side& side : sides) render(side, width, height);
    } catch (const CardFailure& failure) {
        std::fprintf(stderr, "drill-cards: %s\n", failure.message.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return tl::finishOutput("drill-cards", run(argc, argv));
    } catch (const std::bad_alloc&) {
        std::fputs("drill-cards: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "drill-cards: %s\n", e.what());
    }
    return 1;
}
