// drill-cards OUTDIR [WIDTH HEIGHT]: draws the front and the back of one card
// of every kind into OUTDIR as PNG files (2 pixels per point), so the
// pictures can be looked at without running the app. "--help" prints the
// usage; any failure stops it with one line and status 1, as does a list
// of the files written that cannot be printed.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "base/files.hpp"
#include "base/text.hpp"
#include "base/usage.hpp"
#include "drills/count_card.hpp"
#include "drills/double_cards.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/drawing_memory.hpp"

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

// One side of a card: its file and how it is drawn.
struct Side {
    std::string path;
    std::function<void(gfx::Context&)> draw;
};

constexpr double kPixelScale = 2.0;

// Runs `work` for `side`: why it gives (empty when all went well), or
// running out of memory or a broken precondition on the way, fails the side.
template <class Work>
void failingAs(const Side& side, Work&& work) {
    std::string why;
    try {
        why = work();
    } catch (const std::bad_alloc&) {
        why = "out of memory";
    } catch (const tl::PreconditionError& e) {
        why = e.what();
    }
    if (!why.empty()) throw CardFailure{tl::WriteResult::cannotDraw(side.path, why).failure()};
}

// Everything the text of the cards needs is loaded before any card's
// pixels take their share of memory: each side is drawn once into an image
// of one pixel (see gfx::loadFontsFor).
void prepareFonts(const std::vector<Side>& sides) {
    for (const Side& side : sides) failingAs(side, [&] { return gfx::loadFontsFor(side.draw, kPixelScale); });
}

void render(const Side& side, double width, double height) {
    failingAs(side, [&] {
        gfx::ImageSurface image(width, height, kPixelScale);
        std::string why = gfx::drawChecked(image, side.draw);
        if (why.empty())
            if (tl::WriteResult written = image.writePng(side.path); !written) throw CardFailure{written.failure()};
        return why;
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
        std::fprintf(stderr, "drill-cards: cannot create %s: %s\n", tl::excerptPath(dir).c_str(), made.message().c_str());
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
    const auto add = [&](const std::string& path, std::function<void(gfx::Context&)> draw) {
        sides.push_back({path, std::move(draw)});
    };
    for (bool front : {true, false}) {
        const std::string ending = front ? "_front.png" : "_back.png";
        for (const Count& c : counts)
            add(dir + "/" + c.file + ending, [=](gfx::Context& ctx) {
                drawCountStrategy(ctx, c.first, c.second, front, c.name, width, height);
            });
        for (const Double& d : doubles)
            add(dir + "/" + d.file + ending,
                [=](gfx::Context& ctx) { drawDoubles(ctx, d.kind, d.n, front, width, height); });
    }
    try {
        gfx::prepareForDrawing("drill-cards");
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
    tl::failWritesPastSizeLimit();
    try {
        return tl::finishOutput("drill-cards", run(argc, argv));
    } catch (const std::bad_alloc&) {
        std::fputs("drill-cards: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "drill-cards: %s\n", tl::oneLine(e.what(), "\\n").c_str());
    }
    return 1;
}
