// Pixels drawn through the Cairo context into an image.
#include <glib.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/text.hpp"

#include "pixels.hpp"

using namespace gfx;

namespace {

constexpr Pixel kWhite{255, 255, 255, 255};
constexpr Pixel kRed{255, 0, 0, 255};
constexpr Pixel kBlue{0, 0, 255, 255};

bool isReddish(Pixel p) { return p.a == 255 && p.r > 200 && p.g < 80 && p.b < 80; }
bool isDark(Pixel p) { return p.a == 255 && p.r < 128 && p.g < 128 && p.b < 128; }
bool isColourful(Pixel p) {
    int hi = std::max({p.r, p.g, p.b}), lo = std::min({p.r, p.g, p.b});
    return p.a == 255 && hi - lo > 60;
}

/// Device-pixel box of every pixel that `test` accepts in the rows [y0, y1).
struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1, count = 0;
};
template <class Test>
Ink inkOf(const ImageSurface& image, Test test, int y0 = 0, int y1 = -1) {
    Ink ink;
    if (y1 < 0) y1 = image.pixelHeight();
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < image.pixelWidth(); ++x)
            if (test(image.pixel(x, y))) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

/// The ink that `test` accepts once `text` is drawn at `at` on a fresh white surface at scale 2.
template <class Test>
Ink inkOfText(const std::string& text, Point at, const TextAttributes& attributes, Test test, double width = 200) {
    ImageSurface image(width, 50, 2);
    ContextScope scope(&image.context());
    drawText(text, at, attributes);
    return inkOf(image, test);
}

}  // namespace

TEST(ImageSurface, HasDevicePixelsAtItsScaleAndChecksItsArguments) {
    ImageSurface image(390, 844, 2);
    EXPECT_EQ(image.pixelWidth(), 780);
    EXPECT_EQ(image.pixelHeight(), 1688);
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(779, 1687), kWhite);
    EXPECT_THROW(image.pixel(780, 0), tl::PreconditionError);
    EXPECT_THROW(image.pixel(0, -1), tl::PreconditionError);

    ImageSurface clear(0.1 * 3, 10, 10, ImageSurface::Start::transparent);
    EXPECT_EQ(clear.pixelWidth(), 3);  // 0.1 × 3 × 10 is a hair above 3: no extra pixel
    EXPECT_EQ(clear.pixel(1, 1), (Pixel{0, 0, 0, 0}));

    EXPECT_THROW(ImageSurface(0, 10), tl::PreconditionError);
    EXPECT_THROW(ImageSurface(10, 10, -1), tl::PreconditionError);
    EXPECT_THROW(ImageSurface(40000, 10), tl::PreconditionError);
}

TEST(CairoContext, FillsRectanglesOnWholePixelsAtEveryScale) {
    for (double scale : {1.0, 2.0, 3.0}) {
        ImageSurface image(20, 10, scale);
        Context& ctx = image.context();
        ctx.setFillColor(palette::red);
        ctx.fillRect({5, 2, 10, 4});
        auto px = [&](double x, double y) { return image.pixel(int(x * scale), int(y * scale)); };
        EXPECT_EQ(px(5, 2), kRed);
        EXPECT_EQ(px(14.9, 5.9), kRed);
        EXPECT_EQ(px(4.9, 3), kWhite);
        EXPECT_EQ(px(15, 3), kWhite);
        EXPECT_EQ(px(6, 1.9), kWhite);
        EXPECT_EQ(px(6, 6), kWhite);
    }
}

TEST(CairoContext, StrokesLinesCentredOnThePathAtScaleTwo) {
    ImageSurface image(20, 10, 2);
    Context& ctx = image.context();
    ctx.setStrokeColor(palette::blue);
    ctx.setLineWidth(2);
    ctx.moveTo({2, 5});
    ctx.lineTo({18, 5});
    ctx.drawPath(PathMode::stroke);
    // Points 4..6 vertically are device rows 8..11; butt caps end at x = 2 and 18.
    for (int y = 8; y < 12; ++y) EXPECT_EQ(image.pixel(20, y), kBlue) << y;
    EXPECT_EQ(image.pixel(20, 7), kWhite);
    EXPECT_EQ(image.pixel(20, 12), kWhite);
    EXPECT_EQ(image.pixel(4, 9), kBlue);
    EXPECT_EQ(image.pixel(3, 9), kWhite);
    EXPECT_EQ(image.pixel(36, 9), kWhite);
}

TEST(CairoContext, FillAndStrokePaintsTheInsideThenTheEdge) {
    ImageSurface image(30, 30, 1);
    Context& ctx = image.context();
    ctx.setFillColor(palette::red);
    ctx.setStrokeColor(palette::blue);
    ctx.setLineWidth(4);
    ctx.moveTo({5, 5});
    ctx.lineTo({25, 5});
    ctx.lineTo({25, 25});
    ctx.lineTo({5, 25});
    ctx.closePath();
    ctx.drawPath(PathMode::fillStroke);
    EXPECT_EQ(image.pixel(15, 15), kRed);
    EXPECT_EQ(image.pixel(15, 6), kBlue);   // the stroke covers the inner half of the edge
    EXPECT_EQ(image.pixel(15, 3), kBlue);   // and the outer half
    EXPECT_EQ(image.pixel(15, 1), kWhite);
    // The path is consumed: drawing again paints nothing.
    ctx.setFillColor(palette::green);
    ctx.drawPath(PathMode::fill);
    EXPECT_EQ(image.pixel(15, 15), kRed);
}

TEST(CairoContext, ArcsTurnClockwiseOnScreenWhenAsked) {
    ImageSurface image(40, 40, 1);
    Context& ctx = image.context();
    ctx.setFillColor(palette::red);
    // From angle 0 to π clockwise on screen passes through the bottom (+y).
    ctx.addArc({20, 20}, 15, 0, std::numbers::pi, true);
    ctx.closePath();
    ctx.drawPath(PathMode::fill);
    EXPECT_EQ(image.pixel(20, 30), kRed);
    EXPECT_EQ(image.pixel(20, 10), kWhite);
    // Counter-clockwise, the same angles pass through the top.
    ctx.setFillColor(palette::blue);
    ctx.addArc({20, 20}, 15, 0, std::numbers::pi, false);
    ctx.closePath();
    ctx.drawPath(PathMode::fill);
    EXPECT_EQ(image.pixel(20, 10), kBlue);
    EXPECT_EQ(image.pixel(20, 30), kRed);
}

TEST(CairoContext, StateAndTransformNestAndRectanglesLeaveAPathAlone) {
    ImageSurface image(40, 40, 1);
    Context& ctx = image.context();
    ctx.setFillColor(palette::red);
    ctx.save();
    ctx.setFillColor(palette::blue);
    ctx.translate(20, 20);
    ctx.fillRect({0, 0, 5, 5});
    ctx.restore();
    ctx.fillRect({0, 0, 5, 5});
    EXPECT_EQ(image.pixel(22, 22), kBlue);
    EXPECT_EQ(image.pixel(2, 2), kRed);
    EXPECT_THROW(ctx.restore(), tl::PreconditionError);
    EXPECT_THROW(ctx.scale(0, 1), tl::PreconditionError);

    // A rectangle or a text drawn halfway through a path does not end it.
    ctx.setStrokeColor(palette::blue);
    ctx.setLineWidth(2);
    ctx.moveTo({0, 35});
    ctx.lineTo({20, 35});
    ctx.fillRect({30, 0, 5, 5});
    ctx.showText("1", {30, 20}, Font::system(10), palette::black);
    ctx.lineTo({39, 35});
    ctx.drawPath(PathMode::stroke);
    EXPECT_EQ(image.pixel(10, 35), kBlue);
    EXPECT_EQ(image.pixel(30, 35), kBlue);
}

TEST(CairoContext, TransparencyLayersCompositeTheirShapesAsAWhole) {
    ImageSurface image(60, 20, 1);
    Context& ctx = image.context();
    ASSERT_TRUE(ctx.beginTransparencyLayer(0.5));
    ctx.setFillColor(palette::red);
    ctx.fillRect({0, 0, 20, 20});
    ctx.setFillColor(palette::blue);
    ctx.fillRect({10, 0, 20, 20});
    ctx.endTransparencyLayer();
    EXPECT_TRUE(isNear(image.pixel(5, 10), {255, 128, 128, 255}));
    // Where the shapes overlap only the upper one shows, at half strength over white.
    EXPECT_TRUE(isNear(image.pixel(15, 10), {128, 128, 255, 255}));
    EXPECT_TRUE(isNear(image.pixel(25, 10), {128, 128, 255, 255}));
    EXPECT_EQ(image.pixel(35, 10), kWhite);

    // Layers nest (half of half), and each end restores the colours and transform of its start.
    ctx.setFillColor(palette::green);
    ctx.beginTransparencyLayer(0.5);
    ctx.translate(40, 0);
    ctx.setFillColor(palette::black);
    ctx.beginTransparencyLayer(0.5);
    ctx.fillRect({0, 0, 10, 10});
    ctx.endTransparencyLayer();
    ctx.endTransparencyLayer();
    EXPECT_TRUE(isNear(image.pixel(45, 5), {191, 191, 191, 255}));
    ctx.fillRect({50, 10, 10, 10});
    EXPECT_EQ(image.pixel(55, 15), (Pixel{0, 255, 0, 255}));  // green, at full strength and untranslated
}

TEST(CairoContext, TransparencyLayersAndSavesMustNest) {
    ImageSurface image(20, 20, 1);
    Context& ctx = image.context();
    EXPECT_THROW(ctx.endTransparencyLayer(), tl::PreconditionError);
    EXPECT_THROW(ctx.beginTransparencyLayer(std::nan("")), tl::PreconditionError);
    ctx.save();
    ctx.beginTransparencyLayer(0.5);
    EXPECT_THROW(ctx.restore(), tl::PreconditionError);  // the save belongs outside the layer
    ctx.save();
    EXPECT_THROW(ctx.endTransparencyLayer(), tl::PreconditionError);  // a save inside is still open
    ctx.restore();
    ctx.setFillColor(palette::red);
    ctx.fillRect({0, 0, 10, 10});
    ctx.endTransparencyLayer();
    ctx.restore();
    // The refusals left nothing broken: the layer landed and drawing goes on.
    EXPECT_TRUE(isNear(image.pixel(5, 5), {255, 128, 128, 255}));
    ctx.setFillColor(palette::blue);
    ctx.fillRect({10, 10, 10, 10});
    EXPECT_EQ(image.pixel(15, 15), kBlue);
}

TEST(CairoContext, ClosesOpenLayersAndSavesWhenDestroyed) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 10);
    cairo_t* cr = cairo_create(surface);
    {
        CairoContext ctx(cr);
        ctx.save();
        ctx.beginTransparencyLayer(1);
        ctx.setFillColor(palette::red);
        ctx.fillRect({0, 0, 10, 10});
        ctx.save();
    }
    // The caller's Cairo context draws into its own surface again, in a sound state, with the layer landed.
    EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_get_group_target(cr), surface);
    cairo_surface_flush(surface);
    std::uint32_t argb;
    std::memcpy(&argb, cairo_image_surface_get_data(surface), 4);
    EXPECT_EQ(argb, 0xFFFF0000u);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

TEST(CairoContext, TextSitsOnItsBaselineWithTheMeasuredWidth) {
    const double scale = 2;
    ImageSurface image(200, 100, scale);
    ContextScope scope(&image.context());
    Font font = Font::system(40, weight::medium);
    // "H" has no overshoot: its ink runs from the baseline up by the cap height.
    drawText("HH", {10, 10}, {font, palette::red});
    Ink ink = inkOf(image, isReddish);
    ASSERT_GT(ink.count, 0);
    double baseline = (10 + font.ascender()) * scale;
    EXPECT_NEAR(ink.bottom + 1, baseline, 1.0);
    EXPECT_NEAR(ink.top, baseline - font.capHeight() * scale, 1.0);
    // The second H starts one advance of "H" after the first: same ink, shifted.
    double advance = measureText("H", font).width * scale;
    Ink one = inkOfText("H", {10, 10}, {font, palette::red}, isReddish);
    EXPECT_NEAR(ink.right - one.right, advance, 1.0);
    EXPECT_EQ(ink.left, one.left);
}

TEST(CairoContext, DrawsEmojiInColourAndTextInItsColour) {
    const TextAttributes digits{Font::monospacedDigit(30, weight::medium), palette::red};
    auto notRedOverWhite = [](Pixel p) { return !isReddish(p) && p.g < 250 && !(p.r > 250 && p.g == p.b); };
    EXPECT_GT(inkOfText("12 − 3", {5, 5}, digits, isReddish, 130).count, 200);
    EXPECT_EQ(inkOfText("12 − 3", {5, 5}, digits, notRedOverWhite, 130).count, 0);
    // Black text could not make colourful pixels: they are the emoji's own.
    EXPECT_GT(inkOfText("🤔 👈🏽", {5, 5}, {Font::system(30), palette::black}, isColourful, 130).count, 500);
}

TEST(CairoContext, DrawsEmojiPresentationSequencesInColourWhereTheyMeasure) {
    auto greenish = [](Pixel p) { return p.a == 255 && p.g > p.r + 40 && p.g > p.b + 40; };
    Font font = Font::system(30);
    // The shamrock with the selector is the colour picture: black text could not make green.
    EXPECT_GT(inkOfText("☘️", {5, 5}, {font, palette::black}, greenish, 100).count, 300);
    // The heart without the selector is the text face's glyph in the text colour; with it, the red picture.
    EXPECT_GT(inkOfText("❤", {5, 5}, {font, palette::black}, isDark, 100).count, 300);
    EXPECT_EQ(inkOfText("❤", {5, 5}, {font, palette::black}, isColourful, 100).count, 0);
    EXPECT_GT(inkOfText("❤️", {5, 5}, {font, palette::black}, isReddish, 100).count, 300);

    // What follows the sequence starts one measured advance of it later,
    // under the monospaced-digit font's even digits too.
    for (const Font& f : {font, Font::monospacedDigit(30, weight::medium)}) {
        for (std::string sequence : {"☘️", "1️⃣"}) {
            Ink h = inkOfText(sequence + "H", {5, 5}, {f, palette::red}, isReddish);
            Ink alone = inkOfText("H", {5 + measureText(sequence, f).width, 5}, {f, palette::red}, isReddish);
            ASSERT_GT(alone.count, 0);
            EXPECT_NEAR(h.left, alone.left, 1) << sequence;
            EXPECT_NEAR(h.right, alone.right, 1) << sequence;
        }
    }
}

TEST(CairoContext, DrawsWithRealGlyphsUnderFakeFonts) {
    ScopedFakeFonts fake;
    ImageSurface image(100, 40, 1);
    ContextScope scope(&image.context());
    drawText("Ab", {5, 5}, {Font::system(24), palette::black, palette::clear});
    drawText("Ab", {50, 5}, {*Font::named("NoSuchFace", 24), palette::black, palette::clear});
    EXPECT_GT(inkOf(image, isDark, 0, 40).count, 40);
    EXPECT_LT(inkOf(image, isDark).left, 50);
    EXPECT_GT(inkOf(image, isDark).right, 50);
}

// Text far below a pixel leaves no mark and no complaint, whatever makes it
// small: its own size or the transform (a card scaled into a view one point
// high sets emoji at thousandths of a pixel, where Pango cannot size the
// colour face).
TEST(CairoContext, TextFarBelowAPixelLeavesNoMarkAndNoComplaint) {
    int complaints = 0;
    const auto count = [](const gchar*, GLogLevelFlags, const gchar*, gpointer n) { ++*static_cast<int*>(n); };
    const guint handler = g_log_set_handler("Pango", GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING),
                                            count, &complaints);
    struct Case {
        double surfaceScale, transform, size;
    };
    for (const Case c : {Case{2, 1e-4, 0.125}, Case{2, 1.0 / 390, 0.125}, Case{0.004, 1, 1}, Case{1, 1, 0.004},
                         Case{2, 1e-4, 40}, Case{1e-2, 1e-2, 30}, Case{2, 2.5e-4, 30}, Case{1, -1e-3, 5}}) {
        for (std::string text : {"🌿", "☘️", "🍄", "❌", "Ab 12"}) {
            ImageSurface image(20, 20, c.surfaceScale);
            Context& ctx = image.context();
            ctx.translate(10, 10);
            ctx.scale(c.transform, c.transform);
            ContextScope scope(&ctx);
            drawText(text, {0, 0}, {Font::system(c.size), palette::black});
            EXPECT_EQ(inkOf(image, [](Pixel p) { return p != kWhite; }).count, 0)
                << text << " at " << c.size << " under " << c.surfaceScale * c.transform;
        }
    }
    // (The same texts at a readable size do leave a mark.)
    for (std::string text : {"🌿", "Ab 12"}) {
        ImageSurface image(40, 40, 1);
        Context& ctx = image.context();
        ContextScope scope(&ctx);
        drawText(text, {0, 0}, {Font::system(20), palette::black});
        EXPECT_GT(inkOf(image, [](Pixel p) { return p != kWhite; }).count, 0) << text;
    }
    g_log_remove_handler("Pango", handler);
    EXPECT_EQ(complaints, 0);
}

TEST(ImageSurface, WritesAPng) {
    ImageSurface image(30, 20, 2);
    image.context().setFillColor(palette::green);
    image.context().fillRect({0, 0, 10, 10});
    auto path = std::filesystem::temp_directory_path() / ("tl_gfx_test_" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(image.writePng(path.string()));
    std::ifstream in(path, std::ios::binary);
    char signature[8] = {};
    in.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    in.close();
    std::filesystem::remove(path);
    EXPECT_FALSE(image.writePng("/nonexistent-dir/x.png"));

    // A name as long as a folder takes (255 bytes) is written, and only it.
    const auto dir = std::filesystem::temp_directory_path() / ("tl_gfx_long_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string longest = std::string(251, 'n') + ".png";
    EXPECT_TRUE(image.writePng((dir / longest).string()));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{longest});
    std::filesystem::remove_all(dir);
}
