// drill-cards OUTDIR [WIDTH HEIGHT]: draws the front and the back of one card
// of every kind into OUTDIR as PNG files (2 pixels per point), so the
// pictures can be looked at without running the app.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/text.hpp"
#include "drills/count_card.hpp"
#include "drills/double_cards.hpp"
#include "platform/gfx/cairo_context.hpp"

namespace {

// A card side in points: a whole number from 1 to 10000, or none.
std::optional<double> side(const char* text) {
    const auto n = tl::tryParseInt(text);
    if (!n || *n <= 0 || *n > 10000) return std::nullopt;
    return static_cast<double>(*n);
}

bool render(const std::string& path, double width, double height, const std::function<void(gfx::Context&)>& draw) {
    gfx::ImageSurface image(width, height, 2.0);
    {
        gfx::ContextScope scope(&image.context());
        draw(image.context());
    }
    if (!image.writePng(path)) {
        std::fprintf(stderr, "drill-cards: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: drill-cards OUTDIR [WIDTH HEIGHT]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::optional<double> w = argc == 4 ? side(argv[2]) : 390.0;
    const std::optional<double> h = argc == 4 ? side(argv[3]) : 700.0;
    if (!w || !h) {
        std::fprintf(stderr, "drill-cards: the size must be two whole numbers from 1 to 10000\n");
        return 2;
    }
    const double width = *w, height = *h;
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    if (made) {
        std::fprintf(stderr, "drill-cards: cannot create %s: %s\n", dir.c_str(), made.message().c_str());
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
    bool ok = true;
    for (bool front : {true, false}) {
        const std::string side = front ? "_front.png" : "_back.png";
        for (const Count& c : counts)
            ok &= render(dir + "/" + c.file + side, width, height, [&](gfx::Context& ctx) {
                drawCountStrategy(ctx, c.first, c.second, front, c.name, width, height);
            });
        for (const Double& d : doubles)
            ok &= render(dir + "/" + d.file + side, width, height,
                         [&](gfx::Context& ctx) { drawDoubles(ctx, d.kind, d.n, front, width, height); });
    }
    return ok ? 0 : 1;
}
