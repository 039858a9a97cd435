#include <numbers>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using CountOp = testing::Recorder;

// 500 − 123 counted down, at size 30 (digit 15, line height 36, s = 10).
// The strip's digit columns start at 25 (the sign, 15 wide, then s); labels
// need 22.5 ("100" in the half font), so the first line is at 27.5.
const StringList kGlobals{"COUNT DOWN", "3", "3", "377"};
const StringList kSteps{"500", "300", "200", "200", "70", "130", "130", "7", "123"};
const StringList kCounts{"300", "70", "7"};

TEST_F(CountOp, HeightGrowsByTwoLinesAndFifteenPerStep) {
    for (int n = 1; n <= 3; ++n) {
        NodeBox box = measureCountOp(30, "\u2212", kGlobals, {"STEP", std::to_string(n)});
        EXPECT_EQ(box.height, 36 * (2 * n + 1) + 15 * n + 5 + 27.5) << n;
        EXPECT_EQ(box.width, 4 * 15 + 10);
    }
    // The adding pages carry a second strip: 30, "+100" and s more.
    EXPECT_EQ(measureCountOp(30, "\u2212", kGlobals, {"COUNT", "3"}).width, 70 + 30 + 60 + 10);
    EXPECT_EQ(measureCountOp(30, "\u2212", kGlobals, {"SUMMARY", "3"}).width, 170);
    EXPECT_EQ(measureCountOp(30, "\u2212", kGlobals, {"COUNT SHORT", "3"}).width, 70);
    EXPECT_EQ(measureCountOp(30, "\u2212", kGlobals, {"SUMMARY SHORT", "3"}).width, 70);
}

TEST_F(CountOp, StepsChainDownTheStripRightAligned) {
    NodeBox box = measureCountOp(30, "\u2212", kGlobals, {"STEP", "3"});
    drawCountOp(0, box.baseline, 30, "\u2212", kSteps, {}, kGlobals, {"STEP", "3"});
    // Each step: from, count 41 lower, to 46 below that; the next step starts
    // where the last one ended.
    struct Cell {
        const char* text;
        double left, top;
    };
    const Cell golden[] = {{"500", 25, 27.5},   {"300", 25, 68.5}, {"200", 25, 114.5}, {"70", 40, 155.5},
                           {"130", 25, 201.5},  {"7", 55, 242.5},  {"123", 25, 288.5}, {"\u2212", 0, 68.5},
                           {"\u2212", 0, 155.5}, {"\u2212", 0, 242.5}};
    for (const auto& c : golden) EXPECT_TRUE(shownAt(c.text, c.left, c.top)) << c.text << " at " << c.top;
    EXPECT_LE(288.5 + 36, box.height);
    for (double y : {68.5, 155.5, 242.5}) EXPECT_TRUE(hasSegment({25, y + 39.75}, {70, y + 39.75}, 2.5)) << y;
    // Only the last step is gray: 130 (drawn over the plain "to"), 7, 123.
    auto gray = fills(toRgba(Color::gray));
    ASSERT_EQ(gray.size(), 3u);
    EXPECT_EQ(gray[0], (gfx::Rect{25, 201.5, 45, 36}));
    EXPECT_EQ(gray[1], (gfx::Rect{25, 288.5, 45, 36}));
    EXPECT_EQ(gray[2], (gfx::Rect{55, 242.5, 15, 36}));
    // Labels 100, 10, 1 at −60 degrees.
    std::vector<std::string> labels;
    for (const auto& t : visibleTexts())
        if (t.rotation != 0) {
            labels.push_back(t.text);
            EXPECT_NEAR(t.rotation, -std::numbers::pi / 3, 1e-12);
        }
    EXPECT_EQ(labels, (std::vector<std::string>{"100", "10", "1"}));
}

TEST_F(CountOp, FirstPageShadesTheWholeStep) {
    NodeBox box = measureCountOp(30, "\u2212", kGlobals, {"SHOW", "1"});
    drawCountOp(0, box.baseline, 30, "\u2212", {"500", "?", "?"}, {}, kGlobals, {"SHOW", "1"});
    EXPECT_TRUE(shownAt("500", 25, 27.5));
    EXPECT_TRUE(shownAt("?", 55, 68.5));
    EXPECT_TRUE(shownAt("?", 55, 114.5));
    EXPECT_EQ(fills(toRgba(Color::gray)).size(), 3u);
}

TEST_F(CountOp, AddingPageShowsTheCountsAndTheTotalInRed) {
    NodeBox box = measureCountOp(30, "\u2212", kGlobals, {"COUNT", "3"});
    drawCountOp(0, box.baseline, 30, "\u2212", kSteps, kCounts, kGlobals, {"COUNT", "3"});
    // Second strip: "+" at 100, digit columns from 125 to 170.
    EXPECT_TRUE(shownAt("300", 125, 27.5));
    EXPECT_TRUE(shownAt("70", 140, 68.5));
    EXPECT_TRUE(shownAt("7", 155, 109.5));
    EXPECT_TRUE(shownAt("+", 100, 109.5));
    auto total = shownAt("377", 125, 155.5);
    ASSERT_TRUE(total);
    EXPECT_EQ(total->colour, toRgba(Color::red));
    EXPECT_TRUE(hasSegment({125, 149.25}, {170, 149.25}, 2.5));
    // Every count is gray, in both strips; the from and to numbers are not.
    EXPECT_EQ(fills(toRgba(Color::gray)).size(), 6u);
    EXPECT_LE(170, box.width);
    int secondLabels = 0;
    for (const auto& t : visibleTexts()) secondLabels += t.rotation != 0 && t.baselineLeft.x > 100;
    EXPECT_EQ(secondLabels, 3);
}

TEST_F(CountOp, SummaryIsPlainAndTheTotalBlack) {
    NodeBox box = measureCountOp(30, "\u2212", kGlobals, {"SUMMARY", "3"});
    drawCountOp(0, box.baseline, 30, "\u2212", kSteps, kCounts, kGlobals, {"SUMMARY", "3"});
    EXPECT_TRUE(fills(toRgba(Color::gray)).empty());
    auto total = shownAt("377", 125, 155.5);
    ASSERT_TRUE(total);
    EXPECT_EQ(total->colour, toRgba(Color::black));
}

TEST_F(CountOp, ShortPagesDrawNoSecondStrip) {
    // 2000 − 1995 counted up: one step, the sign "+".
    StringList globals{"COUNT UP", "4", "1", "5"};
    NodeBox box = measureCountOp(30, "\u2212", globals, {"COUNT SHORT", "1"});
    drawCountOp(0, box.baseline, 30, "\u2212", {"1995", "5", "2000"}, {"5"}, globals, {"COUNT SHORT", "1"});
    EXPECT_EQ(shown("+").size(), 1u);  // the sign only
    EXPECT_TRUE(shown("\u2212").empty());
    for (const auto& t : visibleTexts()) EXPECT_LT(t.baselineLeft.x, box.width);
}

TEST_F(CountOp, SingleColumnBoxHoldsItsSteps) {
    // 9 − 4: the lone label "1" is taller (18) than wide (7.5).
    StringList globals{"COUNT DOWN", "1", "1", "5"};
    NodeBox box = measureCountOp(30, "\u2212", globals, {"SUMMARY SHORT", "1"});
    drawCountOp(0, box.baseline, 30, "\u2212", {"9", "4", "5"}, {"4"}, globals, {"SUMMARY SHORT", "1"});
    auto five = shown("5");
    ASSERT_EQ(five.size(), 1u);
    EXPECT_LE(five[0].baselineLeft.y - 24 + 36, box.height);
    auto nine = shown("9");
    ASSERT_EQ(nine.size(), 1u);
    EXPECT_GE(nine[0].baselineLeft.y - 24 - 5, 18);  // the upright "1" fits above
}

TEST_F(CountOp, BrokenRecordsAreRejected) {
    EXPECT_THROW(measureCountOp(30, "\u2212", {"COUNT DOWN", "3", "3"}, {"STEP"}), PreconditionError);
    EXPECT_THROW(measureCountOp(30, "\u2212", {"COUNT DOWN", "3x", "3", "1"}, {"STEP", "1"}), PreconditionError);
    EXPECT_THROW(measureCountOp(30, "\u2212", kGlobals, {"STEP", "-1"}), PreconditionError);
    EXPECT_THROW(drawCountOp(0, 50, 30, "\u2212", {"500", "300"}, {}, kGlobals, {"STEP", "1"}), PreconditionError);
}

}  // namespace
}  // namespace tl
