#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/gfx/text.hpp"

using namespace gfx;

TEST(RecordingContext, KeepsPathsWithTheirStateAndTransform) {
    RecordingContext ctx;
    ctx.setStrokeColor(palette::red);
    ctx.setLineWidth(2.5);
    ctx.save();
    ctx.translate(10, 20);
    ctx.moveTo({0, 0});
    ctx.lineTo({5, 0});
    ctx.drawPath(PathMode::fillStroke);
    ctx.restore();
    ctx.moveTo({1, 1});
    ctx.lineTo({2, 2});
    ctx.drawPath(PathMode::stroke);
    auto paths = ctx.paths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].points(), (std::vector<Point>{{10, 20}, {15, 20}}));
    EXPECT_EQ(paths[0].stroke, palette::red);
    EXPECT_EQ(paths[0].lineWidth, 2.5);
    EXPECT_EQ(paths[1].points(), (std::vector<Point>{{1, 1}, {2, 2}}));
}

TEST(RecordingContext, RecordsRotatedText) {
    ScopedFakeFonts fonts;
    RecordingContext ctx;
    ContextScope scope(&ctx);
    ctx.translate(100, 50);
    ctx.rotate(-std::numbers::pi / 2);
    drawText("12", {0, 0}, {Font::monospacedDigit(10, weight::medium)});
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0].rotation, -std::numbers::pi / 2, 1e-12);
    // baseline at y + ascender (8) in the rotated frame: x grows by 8.
    EXPECT_NEAR(texts[0].baselineLeft.x, 108, 1e-9);
    EXPECT_NEAR(texts[0].baselineLeft.y, 50, 1e-9);
    EXPECT_EQ(texts[0].weight, weight::medium);
}

// Under a scale, sizes and widths are kept as drawn; the drawn bounds hold
// strokes with half their width, arcs and the texts' line boxes.
TEST(RecordingContext, KeepsScaledSizesAndTheDrawnBounds) {
    ScopedFakeFonts fonts;
    RecordingContext ctx;
    EXPECT_FALSE(ctx.drawnBounds());
    ctx.translate(10, 10);
    ctx.scale(0.5, 0.5);
    ctx.setLineWidth(4);
    ctx.addArc({0, 100}, 20, 0, 1, true);  // centre (10, 60), radius 10, line 2
    ctx.drawPath(PathMode::stroke);
    ctx.showText("abcd", {200, 40}, Font::system(20), palette::black);
    EXPECT_EQ(ctx.texts()[0].size, 10);
    EXPECT_EQ(ctx.texts()[0].box, (Rect{110, 22, 20, 10}));
    EXPECT_EQ(ctx.drawnBounds(), (Rect{-1, 22, 131, 49}));
}

TEST(Text, MeasuresLinesWithTheFakeFont) {
    ScopedFakeFonts fonts;
    Font f = Font::system(20);
    EXPECT_EQ(measureText("1234", f), (Size{40, 24}));
    EXPECT_EQ(measureText("ab\nabcdef", f), (Size{60, 48}));
    EXPECT_EQ(measureText("−", f).width, 10);  // one code point
    EXPECT_EQ(measureText("x", f.withSize(0)), (Size{0, 0}));
    EXPECT_EQ(measureText("x", f.withSize(std::nan(""))), (Size{0, 0}));
}

TEST(Text, DrawsLinesDownFromTheTopLeftAndFillsTheBackground) {
    ScopedFakeFonts fonts;
    RecordingContext ctx;
    drawText("no context", {0, 0}, {Font::system(10)});  // nothing current: no-op
    ContextScope scope(&ctx);
    drawText("ab\ncd", {5, 5}, {Font::system(10), palette::blue, palette::gray});
    ASSERT_EQ(ctx.rects().size(), 1u);
    EXPECT_EQ(ctx.rects()[0].rect, (Rect{5, 5, 10, 24}));
    EXPECT_EQ(ctx.rects()[0].colour, palette::gray);
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].baselineLeft, (Point{5, 13}));
    EXPECT_EQ(texts[1].baselineLeft, (Point{5, 25}));
    EXPECT_EQ(texts[1].colour, palette::blue);
}
