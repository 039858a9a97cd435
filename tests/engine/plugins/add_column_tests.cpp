#include <cmath>
#include <numbers>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using testing::Recorder;
using Frame = Recorder;
using AddColumn = Recorder;

TEST(RendererFrame, SpacingUnitNeverFallsBelowTenPoints) {
    EXPECT_EQ(plugin::spacingUnit(30), 10);
    EXPECT_EQ(plugin::spacingUnit(40), 10);
    EXPECT_EQ(plugin::spacingUnit(60), 12);
}

TEST_F(Frame, RotatedLabelStartsAtThePointWithItsMiddleOnIt) {
    auto attrs = plugin::attributes(20);  // line height 24, ascender 16
    drawRotated("12", attrs, 100, 50, 0);
    gfx::drawText("x", {0, 0}, attrs);  // the transform is back to what it was
    auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(near(texts[0].baselineLeft, {100, 50 - 12 + 16}));
    EXPECT_EQ(texts[0].weight, gfx::weight::medium);
    EXPECT_EQ(texts[0].kind, gfx::FontKind::monospacedDigit);
    EXPECT_TRUE(near(texts[1].baselineLeft, {0, 16}));
    EXPECT_EQ(texts[1].rotation, 0);

    canvas.clear();
    drawRotated("12", attrs, 100, 50, -std::numbers::pi / 2);  // reads upward
    texts = canvas.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0].rotation, -std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(texts[0].baselineLeft.x, 104, 1e-9);
    EXPECT_NEAR(texts[0].baselineLeft.y, 50, 1e-9);
}

TEST_F(Frame, RotatedLabelWithoutACanvasDrawsNothing) {
    gfx::ContextScope none(nullptr);
    EXPECT_NO_THROW(drawRotated("10", plugin::attributes(20), 5, 5, -0.425 * std::numbers::pi));
    EXPECT_TRUE(canvas.ops().empty());
}

TEST(RendererFrame, ColourNamesAndRecordFieldsAreReadStrictly) {
    EXPECT_EQ(plugin::namedColour("light gray"), toRgba(Color::light_gray));
    EXPECT_THROW(plugin::namedColour("light_gray"), PreconditionError);
    EXPECT_EQ(plugin::integerAt({"x", "12"}, 1), 12);
    EXPECT_THROW(plugin::integerAt({"x", " 12"}, 1), PreconditionError);
    EXPECT_THROW(plugin::integerAt({"3"}, 1), PreconditionError);
    EXPECT_EQ(plugin::powerOfTenText(3), "1000");
    EXPECT_THROW(plugin::powerOfTenText(-1), PreconditionError);
}

// 58 + 67 at size 30 (fake metrics): digit 15 wide, line height 36, s = 10;
// the half font's "100" is 22.5 wide, so the rows start 27.5 below the top.
const StringGrid kSumTableau{
    {"Z", "5", "8"}, {"Z", "6", "7"}, {"Z", "11", "15"}, {"Z", "12", "5"}, {"1", "2", "5"}};
const StringGrid kSumCodes{{"YC", "YC", "YC"}, {"YC", "YC", "YC"}, {"YC", "YC", "YC"}, {"YC", "YC", "YC"},
                           {"YG", "YG", "YG"}};

TEST_F(AddColumn, BoxFollowsTheReservedRowsNotTheCurrentOnes) {
    NodeBox last = measureAddColumn(30, "+", 5, 5, 3);
    EXPECT_EQ(last.width, 15 + 3 * 15 + 3 * 10);  // label, three digits, three gaps
    EXPECT_EQ(last.height, 36 * 5 + 5 * 6 + 22.5 + 5);
    EXPECT_EQ(last.baseline, last.height / 2);
    EXPECT_EQ(measureAddColumn(30, "+", 5, 2, 3), last);  // the "first step" page
    EXPECT_EQ(measureAddColumn(60, "+", 5, 5, 3).width, 30 + 3 * 30 + 3 * 12);
}

TEST_F(AddColumn, CellsSitInTheirColumnsAndRows) {
    NodeBox box = measureAddColumn(30, "+", 5, 5, 3);
    drawAddColumn(0, box.baseline, 30, "+", 5, 5, 3, kSumTableau, kSumCodes);
    // Columns start at 25, 50, 75; rows at 27.5, 68.5, 114.5 (10 points more
    // after the second addend), 155.5, 196.5.
    struct Cell {
        const char* text;
        double left, top, size;
    };
    const Cell golden[] = {
        {"+", 0, 68.5, 30},      {"5", 50, 27.5, 30},      {"8", 75, 27.5, 30},   {"6", 50, 68.5, 30},
        {"7", 75, 68.5, 30},     {"11", 47, 119.9, 21},    {"15", 72, 119.9, 21}, {"12", 47, 160.9, 21},
        {"5", 75, 155.5, 30},    {"1", 25, 196.5, 30},     {"2", 50, 196.5, 30},  {"5", 75, 196.5, 30},
    };
    for (const auto& c : golden) {
        auto t = shownAt(c.text, c.left, c.top);
        ASSERT_TRUE(t) << c.text << " at " << c.left << ", " << c.top;
        EXPECT_EQ(t->size, c.size) << c.text;
    }
    int unrotated = 0;
    for (const auto& t : visibleTexts()) unrotated += t.rotation == 0;
    EXPECT_EQ(unrotated, 12);  // no "Z" is ever drawn
    // The last row is shaded gray, one digit box per cell; nothing else is.
    auto gray = fills(toRgba(Color::gray));
    ASSERT_EQ(gray.size(), 3u);
    EXPECT_EQ(gray[0], (gfx::Rect{25, 196.5, 15, 36}));
    EXPECT_EQ(canvas.rects().size(), 3u);
}

TEST_F(AddColumn, PlaceValuesLeanOverEveryColumnIncludingAnEmptyOne) {
    NodeBox box = measureAddColumn(30, "+", 5, 5, 3);
    drawAddColumn(0, box.baseline, 30, "+", 5, 5, 3, kSumTableau, kSumCodes);
    const double angle = -0.425 * std::numbers::pi;
    const char* labels[] = {"100", "10", "1"};
    for (int i = 0; i < 3; ++i) {
        std::vector<gfx::RecordedText> t;
        for (const auto& text : shown(labels[i]))
            if (text.rotation != 0) t.push_back(text);
        ASSERT_EQ(t.size(), 1u) << labels[i];
        EXPECT_NEAR(t[0].rotation, angle, 1e-12);
        EXPECT_EQ(t[0].size, 15);
        // Rotated about a point half a half-font digit left of the column's
        // centre, 5 above the rows; the baseline lies 3 below the middle.
        gfx::Point anchor{25 + 25.0 * i + 7.5 - 3.75, 22.5};
        EXPECT_NEAR(t[0].baselineLeft.x, anchor.x - 3 * std::sin(angle), 1e-9);
        EXPECT_NEAR(t[0].baselineLeft.y, anchor.y + 3 * std::cos(angle), 1e-9);
    }
}

TEST_F(AddColumn, RuleUnderTheAddendsAndSeparatorsDownToTheReservedRows) {
    // The first step page: two rows, but separators run through all five.
    NodeBox box = measureAddColumn(30, "+", 5, 2, 3);
    drawAddColumn(0, box.baseline, 30, "+", 5, 2, 3, {kSumTableau[0], kSumTableau[1]}, {kSumCodes[0], kSumCodes[1]});
    EXPECT_TRUE(hasSegment({25, 108.25}, {90, 108.25}, 2.5));
    EXPECT_EQ(segments(2.5).size(), 1u);
    auto separators = segments(1.25);
    ASSERT_EQ(separators.size(), 2u);
    EXPECT_TRUE(hasSegment({45, 0}, {45, 27.5 + 5 * 41}, 1.25));
    EXPECT_TRUE(hasSegment({70, 0}, {70, 27.5 + 5 * 41}, 1.25));
    EXPECT_LE(27.5 + 5 * 41, box.height);
    for (const auto& p : canvas.paths()) EXPECT_EQ(p.stroke, toRgba(Color::black));
}

TEST_F(AddColumn, CodesShowShadeOrHideButEveryCellKeepsItsColumn) {
    StringGrid tableau{{"Z", "4", "7"}, {"3", "Z", "9"}};
    StringGrid codes{{"YG", "NG", "YR"}, {"YC", "YG", "YN"}};
    NodeBox box = measureAddColumn(30, "+", 3, 2, 3);
    drawAddColumn(0, box.baseline, 30, "+", 3, 2, 3, tableau, codes);
    EXPECT_TRUE(shown("4").empty());          // hidden by its code
    EXPECT_TRUE(shownAt("7", 75, 27.5));      // still in the third column
    EXPECT_TRUE(shownAt("9", 75, 68.5));
    EXPECT_TRUE(shownAt("3", 25, 68.5));
    EXPECT_TRUE(fills(toRgba(Color::gray)).empty());  // "Z" cells draw no shade
    auto light = fills(toRgba(Color::light_gray));
    ASSERT_EQ(light.size(), 1u);
    EXPECT_EQ(light[0], (gfx::Rect{75, 27.5, 15, 36}));
}

TEST_F(AddColumn, SingleColumnBoxHoldsItsRows) {
    // 2 + 3: the lone label "1" is taller (18) than wide (7.5).
    NodeBox box = measureAddColumn(30, "+", 3, 3, 1);
    drawAddColumn(0, box.baseline, 30, "+", 3, 3, 1, {{"2"}, {"3"}, {"5"}}, {{"YC"}, {"YC"}, {"YC"}});
    auto five = shown("5");
    ASSERT_EQ(five.size(), 1u);
    double rowBottom = five[0].baselineLeft.y - 24 + 36;
    EXPECT_LE(rowBottom, box.height);
    double rowsTop = five[0].baselineLeft.y - 24 - 41 - 46;
    EXPECT_GE(rowsTop - 5, 18);  // the upright "1" fits above the rows
}

TEST_F(AddColumn, BrokenRecordsAreRejected) {
    EXPECT_THROW(measureAddColumn(30, "+", 3, 2, 0), PreconditionError);
    EXPECT_THROW(drawAddColumn(0, 50, 30, "+", 3, 1, 2, {{"1", "2"}}, {{"YC"}}), PreconditionError);
    EXPECT_THROW(drawAddColumn(0, 50, 30, "+", 3, 1, 2, {{"1", "2"}}, {{"YC", "Y"}}), PreconditionError);
    EXPECT_THROW(drawAddColumn(0, 50, 30, "+", 3, 2, 1, {{"1"}, {"2"}}, {{"YC"}}), PreconditionError);
}

TEST_F(AddColumn, WithoutACanvasNothingFails) {
    gfx::ContextScope none(nullptr);
    NodeBox box = measureAddColumn(30, "+", 5, 5, 3);
    EXPECT_NO_THROW(drawAddColumn(0, box.baseline, 30, "+", 5, 5, 3, kSumTableau, kSumCodes));
    EXPECT_TRUE(canvas.ops().empty());
}

}  // namespace
}  // namespace tl
