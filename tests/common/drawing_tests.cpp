#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "common/drawing.hpp"
#include "common/layout.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"

using namespace tl;

namespace {

// Fake metrics: every code point advances 0.5 × size; line height 1.2 × size.
class TextDrawing : public ::testing::Test {
protected:
    gfx::ScopedFakeFonts fonts;
    static gfx::TextAttributes at(double size) { return {gfx::Font::system(size, gfx::weight::medium)}; }
};

}  // namespace

TEST(LayoutValues, BaseSizeFollowsTheMainScreenWidth) {
    const double saved = mainScreenWidth();
    setMainScreenWidth(428);
    EXPECT_EQ(screenScaledFontSize(), 30);
    setMainScreenWidth(428.5);
    EXPECT_EQ(screenScaledFontSize(), 32);
    setMainScreenWidth(saved);
}

TEST(LayoutValues, MetricsAndSuperscripts) {
    EXPECT_EQ(barSpaceFor(30), 5);
    EXPECT_EQ(barSpaceFor(40), 5);
    EXPECT_EQ(barSpaceFor(48), 6);
    EXPECT_EQ(superscriptDigit("0"), "\u2070");
    EXPECT_EQ(superscriptDigit("1"), "\u00B9");
    EXPECT_EQ(superscriptDigit("9"), "\u2079");
    for (const char* other : {"10", "", " 1", "x"}) EXPECT_EQ(superscriptDigit(other), "...") << other;
}

TEST_F(TextDrawing, FitKeepsTheStartSizeWhenTheLinesFit) {
    EXPECT_EQ(fitFontSize(100, 100, {}, at(17)), 17);
    EXPECT_EQ(fitFontSize(0, 0, {}, at(17)), 17);
    EXPECT_EQ(fitFontSize(50, 12, {"abcdefghij"}, at(10)), 10);  // 50 wide, 12 high: exactly fits
}

TEST_F(TextDrawing, FitShrinksInStepsOfFivePercent) {
    // 10 characters at size s are 5s wide: the box of 60 needs s ≤ 12.
    double expected = 20;
    int steps = 0;
    while (5 * expected > 60) expected *= 0.95, ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_DOUBLE_EQ(fitFontSize(60, 1000, {"abcdefghij"}, at(20)), expected);
    // Two lines: twice the tallest line's height (2 × 1.2s) must fit the height of 20.
    EXPECT_EQ(fitFontSize(100, 24, {"a", "b"}, at(10)), 10);
    EXPECT_DOUBLE_EQ(fitFontSize(100, 20, {"a", "b"}, at(10)), 10 * 0.95 * 0.95 * 0.95 * 0.95);
}

TEST_F(TextDrawing, FitStopsAtAFloor) {
    EXPECT_EQ(fitFontSize(0, 100, {"a"}, at(30)), minimumFittedFontSize);
    EXPECT_EQ(fitFontSize(100, -10, {"a"}, at(30)), minimumFittedFontSize);
    EXPECT_EQ(fitFontSize(1, 1, {std::string(500, 'w')}, at(30)), minimumFittedFontSize);
    EXPECT_EQ(fitFontSize(100, 100, {"a"}, at(std::numeric_limits<double>::infinity())), minimumFittedFontSize);
    EXPECT_EQ(fitFontSize(100, 100, {"a"}, at(std::nan(""))), minimumFittedFontSize);
    EXPECT_EQ(fitFontSize(std::nan(""), 100, {"a"}, at(30)), minimumFittedFontSize);
    EXPECT_EQ(fitFontSizeForAll(100, 20, {{"a"}, {"a", "b"}, {}}, at(10)), fitFontSize(100, 20, {"a", "b"}, at(10)));
    EXPECT_EQ(fitFontSizeForAll(100, 100, {}, at(10)), 10);
}

TEST_F(TextDrawing, LinesAreCentredEachOnItsOwnWidth) {
    gfx::RecordingContext context;
    gfx::ContextScope scope(&context);
    drawTextLines(10, 20, 100, 100, 10, gfx::weight::medium, {"ab", "abcd"}, true, gfx::palette::red,
                  gfx::palette::clear);
    const auto texts = context.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "ab");
    EXPECT_EQ(texts[0].baselineLeft, (gfx::Point{55, 28}));   // centre 60, width 10; baseline 20 + 8
    EXPECT_EQ(texts[1].baselineLeft, (gfx::Point{50, 40}));   // next line 12 lower
    EXPECT_EQ(texts[0].colour, gfx::palette::red);
    EXPECT_EQ(texts[0].size, 10);
    EXPECT_EQ(texts[0].weight, gfx::weight::medium);  // drawn at the caller's weight
    EXPECT_EQ(texts[0].kind, gfx::FontKind::system);
    EXPECT_TRUE(context.rects().empty());
}

TEST_F(TextDrawing, LeftAlignedLinesAtTheFittedSize) {
    gfx::RecordingContext context;
    gfx::ContextScope scope(&context);
    drawTextLines(0, 0, 20, 100, 10, gfx::weight::regular, {"abcdefgh"}, false, gfx::palette::black,
                  gfx::palette::white);
    const auto texts = context.texts();
    ASSERT_EQ(texts.size(), 1u);
    const double fitted = fitFontSize(20, 100, {"abcdefgh"}, at(10));
    EXPECT_LT(fitted, 10);
    EXPECT_EQ(texts[0].size, fitted);
    EXPECT_EQ(texts[0].baselineLeft, (gfx::Point{0, 0.8 * fitted}));
    EXPECT_EQ(context.rects().size(), 1u);  // the background behind the text
}

TEST(LineDrawing, FillsAndStrokesOneSegment) {
    gfx::RecordingContext context;
    drawLine(&context, gfx::palette::blue, 1, 2, 30, 40);
    drawLine(&context, Color::red, 0, 0, 5, 5, 0.5);
    drawLine(nullptr, Color::red, 0, 0, 5, 5);
    const auto paths = context.paths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].points(), (std::vector<gfx::Point>{{1, 2}, {30, 40}}));
    EXPECT_EQ(paths[0].mode, gfx::PathMode::fillStroke);
    EXPECT_EQ(paths[0].lineWidth, 2.5);
    EXPECT_EQ(paths[0].stroke, gfx::palette::blue);
    EXPECT_EQ(paths[0].fill, gfx::palette::blue);
    EXPECT_EQ(paths[1].lineWidth, 0.5);
    EXPECT_EQ(paths[1].stroke, gfx::palette::red);
}
