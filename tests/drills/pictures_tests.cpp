// The picture primitives and the card layout, on fake-metrics fonts.
#include <cmath>

#include <gtest/gtest.h>

#include "drills/card_layout.hpp"
#include "drills/count_card.hpp"
#include "drills/double_cards.hpp"
#include "drills/pictures.hpp"
#include "recorded.hpp"

using namespace tl::drills;
using drill_test::expectNear;
using gfx::Point;

namespace {

class Pictures : public ::testing::Test {
protected:
    gfx::ScopedFakeFonts fonts;
    gfx::RecordingContext ctx;
};

constexpr double kEps = 1e-9;

}  // namespace

// The default frame's colours and widths show in the outline drawn below.
TEST(FrameGeometry, DefaultFrameAndItsInverses) {
    frame f = defaultFrame();
    EXPECT_DOUBLE_EQ(f.tenFrameSpan(), 617.5);
    EXPECT_DOUBLE_EQ(f.tenFrameCell(), 235.0 * 5 / 12);
    // Each inverse gives back the width it measures, whatever the width was.
    for (double width : {250.0, 100.0, 731.5}) {
        f.frameWidth = width;
        const double span = f.tenFrameSpan(), cell = f.tenFrameCell();
        f.frameWidth = 1;
        f.frameWidthForHeight(span);
        EXPECT_DOUBLE_EQ(f.frameWidth, width);
        f.frameWidth = 1;
        f.frameWidthForCounter(cell);
        EXPECT_DOUBLE_EQ(f.frameWidth, width);
    }
}

// The ten-frame's open outline, middle line and four row lines at scale 1.
TEST_F(Pictures, FrameOutlineAndGrid) {
    drawFrame(ctx, 10, 700, 1, defaultFrame());
    auto paths = ctx.paths();
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].mode, gfx::PathMode::fillStroke);
    EXPECT_EQ(paths[0].fill, gfx::palette::cyan);
    EXPECT_EQ(paths[0].stroke, gfx::palette::white);
    EXPECT_EQ(paths[0].lineWidth, 5.0);
    std::vector<Point> expected{{15, 697.5},  {257.5, 697.5}, {257.5, 85}, {12.5, 85}, {12.5, 700},
                                {135, 695},   {135, 87.5},    {15, 575},   {255, 575}, {15, 452.5},
                                {255, 452.5}, {15, 330},      {255, 330},  {15, 207.5}, {255, 207.5}};
    auto points = paths[0].points();
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expectNear(points[i], expected[i]);
}

// Seven counters: five up the left column, two at the bottom of the right one;
// an eleventh counter is kept but never drawn.
TEST_F(Pictures, FilledFrameFillsColumnsFromTheBottom) {
    filledFrame f = makeFilledFrame();
    for (int i = 0; i < 7; ++i) f.counters.push_back(makeCounter(90, gfx::palette::red, gfx::palette::black, "", {}));
    drawFilledFrame(ctx, 0, 700, 1, f);
    auto discs = drill_test::discs(ctx);
    ASSERT_EQ(discs.size(), 7u);
    // Drawn row by row from the bottom, each row's right counter after its left one.
    const std::vector<Point> expected{{63.75, 636.25}, {186.25, 636.25}, {63.75, 513.75}, {186.25, 513.75},
                                      {63.75, 391.25}, {63.75, 268.75},  {63.75, 146.25}};
    for (std::size_t i = 0; i < expected.size(); ++i) expectNear(discs[i].centre, expected[i]);
    EXPECT_DOUBLE_EQ(discs[0].radius, 45 - 1.5);

    ctx.clear();
    for (int i = 0; i < 4; ++i) f.counters.push_back(f.counters.front());
    drawFilledFrame(ctx, 0, 700, 0.5, f);
    EXPECT_EQ(drill_test::discs(ctx).size(), 10u);
    // Sizes scale, line widths do not: c = (125 − 15)/2.
    expectNear(drill_test::discs(ctx)[0].centre, {27.5 + 5, 700 - 32.5});
    EXPECT_DOUBLE_EQ(drill_test::discs(ctx)[0].radius, 22.5 - 1.5);
}

TEST_F(Pictures, TowerStacksBricksCentredOnTheBottomOne) {
    std::vector<box> bricks{makeBox(60, 4, gfx::palette::white, gfx::palette::lightGray, "", ""),
                            makeBox(40, 4, gfx::palette::black, gfx::palette::lightGray, "", "")};
    drawTower(ctx, bricks, 100, 500, 2);
    auto drawn = drill_test::boxes(ctx);
    ASSERT_EQ(drawn.size(), 2u);
    expectNear(drawn[0].bottomLeft, {100, 500});
    expectNear(drawn[1].bottomLeft, {120, 380});  // 10 points in and 60 up, at scale 2
    EXPECT_DOUBLE_EQ(drawn[1].side, 80);
    EXPECT_EQ(drawn[1].edgeWidth, 4.0);  // line widths do not scale

    ctx.clear();
    drawTower(ctx, {}, 100, 500, 1);
    EXPECT_TRUE(ctx.ops().empty());
}

// Faces are centred across the box with their top at y − 1.5·L + half their
// height, in the chalk font, or the medium system font where it is missing.
TEST_F(Pictures, BoxFacesAndTheirFont) {
    box b = makeBox(40, 3, gfx::palette::black, gfx::palette::lightGray, "AB", "x");
    drawBox(ctx, 0, 100, 1, b);
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "AB");
    EXPECT_EQ(texts[0].kind, gfx::FontKind::named);
    EXPECT_DOUBLE_EQ(texts[0].size, 30);
    EXPECT_EQ(texts[0].colour, gfx::palette::white);
    expectNear(texts[0].baselineLeft, {5, 58 + 24});
    expectNear(texts[1].baselineLeft, {12.5, 58 + 24});
    auto drawn = drill_test::boxes(ctx);
    ASSERT_EQ(drawn.size(), 1u);
    expectNear(drawn[0].bottomLeft, {0, 100});

    gfx::FakeFontProvider noChalk({"ChalkDuster"});
    gfx::ScopedFontProvider scope(noChalk);
    ctx.clear();
    drawBox(ctx, 0, 100, 1, b);
    ASSERT_EQ(ctx.texts().size(), 2u);
    EXPECT_EQ(ctx.texts()[0].kind, gfx::FontKind::system);
    EXPECT_EQ(ctx.texts()[0].weight, gfx::weight::medium);
    EXPECT_DOUBLE_EQ(ctx.texts()[0].size, 30);
}

// A number too wide for three quarters of the counter shrinks in 5% steps
// to the first size that fits, and stays centred.
TEST_F(Pictures, CounterNumberShrinksToFit) {
    drawCounter(ctx, 50, 60, 1, makeCounter(40, gfx::palette::blue, gfx::palette::black, "12345", gfx::palette::white));
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0].size, 30 * std::pow(0.95, 18), 1e-9);  // 2.5·size ≤ 30 first at k = 18
    expectNear(drill_test::centre(texts[0]), {50, 60});
    EXPECT_EQ(texts[0].weight, gfx::weight::medium);
    EXPECT_DOUBLE_EQ(drill_test::discs(ctx)[0].radius, 18.5);

    ctx.clear();
    drawCounter(ctx, 50, 60, 1, makeCounter(40, gfx::palette::blue, gfx::palette::black, "7", gfx::palette::white));
    EXPECT_DOUBLE_EQ(ctx.texts()[0].size, 30);
}

// ---- Card layout ------------------------------------------------------------

TEST(CardLayout, LabelFittingAndPictureScales) {
    gfx::ScopedFakeFonts fonts;
    // The reference label is 17 code points: 8.5 × size wide.
    PictureScale wide = fitLabels(600);
    EXPECT_EQ(wide.fontSize, 40);
    EXPECT_DOUBLE_EQ(wide.L, 48);
    EXPECT_NEAR(fitLabels(340).fontSize, 40, 1e-12);
    EXPECT_NEAR(fitLabels(300).fontSize, 40 * std::pow(0.95, 3), 1e-12);

    // Tall and narrow: three boxes are capped at A/6, twelve are set by the height.
    EXPECT_NEAR(doublesPictureScale(3, 0.5, 300, 2000).scale, 300.0 / 360, 1e-12);
    double L = 1.2 * 40 * std::pow(0.95, 3);
    EXPECT_NEAR(doublesPictureScale(12, 0.5, 300, 700).scale, (700 - 3 * L) / 12.5 / 60, 1e-12);

    EXPECT_NEAR(countPictureScale(250, 545, 144 + 625).scale, 1, 1e-12);
    EXPECT_NEAR(countPictureScale(250, 800, 2000).scale, 1, 1e-12);
    EXPECT_NEAR(countPictureScale(250, 400, 2000).scale, 0.71, 1e-12);
    EXPECT_NEAR(countPictureScale(250, 600, 600).scale, (600 - 144) / 2.5 / 250, 1e-12);
}

// No room gives no picture (never a negative, mirrored one), and fitting
// into no width at all still ends, at the smallest size.
TEST(CardLayout, DegenerateExtentsEnd) {
    gfx::ScopedFakeFonts fonts;
    for (double A : {0.0, -50.0, 1e-9}) {
        PictureScale fit = fitLabels(A);
        EXPECT_GE(fit.fontSize, kSmallestFontSize);
        EXPECT_LT(fit.fontSize * 0.95, kSmallestFontSize);
    }
    EXPECT_EQ(countPictureScale(250, 40, 1000).scale, 0);
    EXPECT_EQ(countPictureScale(250, 400, 100).scale, 0);
    EXPECT_EQ(doublesPictureScale(5, 0.5, 300, 100).scale, 0);
    EXPECT_EQ(doublesPictureScale(0, 0, 300, 700).scale, 300.0 / 360);
}

TEST_F(Pictures, TitleAndEquationPlacement) {
    // Portrait 600 × 1000: size 40, L 48.
    drawCountStrategy(ctx, 9, 3, true, "count on", 600, 1000);
    auto texts = ctx.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "count on");
    expectNear(texts[0].baselineLeft, {220, 12 + 32});
    EXPECT_EQ(texts[1].text, "9 + 3");
    expectNear(texts[1].baselineLeft, {250, 940 + 32});
    EXPECT_EQ(texts[0].kind, gfx::FontKind::system);
    EXPECT_EQ(texts[0].weight, gfx::weight::medium);
    EXPECT_EQ(texts[0].colour, gfx::palette::black);

    // Landscape: the portrait card of the short side (600 × 1000) scaled by
    // 0.6 to the view's height and centred across it (from x = 320).
    ctx.clear();
    drawDouble(ctx, 1, true, 1000, 600);
    texts = ctx.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "double");
    expectNear(texts[0].baselineLeft, {320 + 0.6 * (600 - 120) / 2.0, 0.6 * 44});
    expectNear(texts[1].baselineLeft, {320 + 0.6 * (600 - 100) / 2.0, 0.6 * 972});
    EXPECT_NEAR(texts[0].size, 0.6 * 40, 1e-12);
}

// On the back a too-wide equation shrinks to 95% of A; the title keeps its size.
TEST_F(Pictures, BackEquationShrinks) {
    drawDoublePlusOne(ctx, 9, false, 300, 800);
    auto texts = ctx.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "9 + 8 = 8 + 1 + 8 = 17");
    const double fitted = 40 * std::pow(0.95, 3);
    EXPECT_NEAR(texts[0].size, fitted, 1e-9);
    const double width = 22 * 0.5 * texts[1].size;
    EXPECT_LE(width, 0.95 * 300);
    EXPECT_GT(width / 0.95, 0.95 * 300);
    EXPECT_NEAR(drill_test::centre(texts[1]).x, 150, 1e-9);
}

// A view with no area draws nothing; one too short for the label bands
// draws its texts but no picture.
TEST_F(Pictures, SmallViewsDrawNoPicture) {
    for (auto [w, h] : {std::pair{0.0, 500.0}, {500.0, 0.0}, {-3.0, -4.0}}) {
        drawCountStrategy(ctx, 9, 3, false, "count on", w, h);
        drawDoubleMinusOne(ctx, 5, false, w, h);
    }
    EXPECT_TRUE(ctx.ops().empty());

    drawCountStrategy(ctx, 9, 3, false, "count on", 40, 1000);  // less than 45 points across
    drawMakeADouble(ctx, 6, false, 2, 3);                        // shorter than three label heights
    drawCountStrategy(ctx, 9, 3, true, "count on", 30, 30);
    EXPECT_TRUE(ctx.paths().empty());
    EXPECT_EQ(ctx.texts().size(), 6u);
}
