#include <cmath>
#include <numbers>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using Frame = testing::Recorder;
using AddColumn = testing::Recorder;
using TableauOp = testing::Recorder;
const gfx::Rgba kGray = toRgba(Color::gray), kLight = toRgba(Color::light_gray);

TEST_F(Frame, SpacingRotatedLabelsAndStrictFields) {
    EXPECT_EQ(plugin::spacingUnit(40), 10);
    EXPECT_EQ(plugin::spacingUnit(60), 12);
    auto attrs = plugin::attributes(20);  // line height 24, ascender 16
    drawRotated("12", attrs, 100, 50, 0);
    drawRotated("12", attrs, 100, 50, -std::numbers::pi / 2);
    gfx::drawText("x", {0, 0}, attrs);  // the transform is back to what it was
    auto t = canvas.texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_TRUE(near(t[0].baselineLeft, {100, 50 - 12 + 16}));  // middle on the point
    EXPECT_EQ(t[0].weight, gfx::weight::medium);
    EXPECT_EQ(t[0].kind, gfx::FontKind::monospacedDigit);
    EXPECT_TRUE(near(t[1].baselineLeft, {104, 50}));
    EXPECT_TRUE(near(t[2].baselineLeft, {0, 16}));
    {
        gfx::ContextScope none(nullptr);  // no canvas: a quiet no-op
        EXPECT_NO_THROW(drawRotated("10", attrs, 5, 5, 1));
    }
    EXPECT_EQ(canvas.texts().size(), 3u);
    EXPECT_THROW(plugin::integerAt({"x", " 12"}, 1), PreconditionError);
    EXPECT_THROW(plugin::integerAt({"3"}, 1), PreconditionError);
    EXPECT_THROW(colourNamed("light_gray"), PreconditionError);
}

// 58 + 67 at size 30: digits 15 wide, line height 36, s = 10. "100" in the
// half font is 22.5 wide, so rows start 27.5 down; columns at 25, 50, 75.
const StringGrid kSum{{"Z", "5", "8"}, {"Z", "6", "7"}, {"Z", "11", "15"}, {"Z", "12", "5"}, {"1", "2", "5"}};
const StringGrid kSumCodes{{"YC", "YC", "YC"}, {"YC", "YC", "YC"}, {"YC", "YC", "YC"}, {"YC", "YC", "YC"},
                           {"YG", "NG", "YR"}};

TEST_F(AddColumn, FinishedSumGolden) {
    NodeBox box = measureAddColumn(30, "+", 5, 5, 3);
    EXPECT_EQ(box.width, 15 + 3 * 15 + 3 * 10);  // label, three digits, three gaps
    EXPECT_EQ(box.height, 36 * 5 + 5 * 6 + 22.5 + 5);
    EXPECT_EQ(measureAddColumn(30, "+", 5, 2, 3), box);  // "first step" page: same box
    drawAddColumn(0, box.baseline, 30, "+", 5, 5, 3, kSum, kSumCodes);
    // Rows at 27.5, 68.5, 114.5 (10 more after the second addend), 155.5,
    // 196.5; two-digit sums at 0.7 of the size, centred on their column.
    expectPlaced({{"+", 0, 68.5}, {"5", 50, 27.5}, {"7", 75, 68.5}, {"11", 47, 119.9}, {"15", 72, 119.9},
                  {"12", 47, 160.9}, {"5", 75, 155.5}, {"1", 25, 196.5}, {"5", 75, 196.5}});
    EXPECT_EQ(shownAt("15", 72, 119.9)->size, 21);
    EXPECT_FALSE(shownAt("2", 50, 196.5));  // hidden by "NG", column kept
    EXPECT_EQ(fills(kGray), (std::vector<gfx::Rect>{{25, 196.5, 15, 36}}));
    EXPECT_EQ(fills(kLight), (std::vector<gfx::Rect>{{75, 196.5, 15, 36}}));
    EXPECT_EQ(canvas.rects().size(), 2u);  // "Z" cells draw no shade
    EXPECT_TRUE(hasLine({25, 108.25}, {90, 108.25}));
    EXPECT_TRUE(hasLine({45, 0}, {45, 232.5}, 1.25));  // separators to the reserved rows
    EXPECT_TRUE(hasLine({70, 0}, {70, 232.5}, 1.25));
    EXPECT_EQ(lineCount(2.5) + lineCount(1.25), 3);
    const double angle = -0.425 * std::numbers::pi;
    auto labels = rotated();
    ASSERT_EQ(labels.size(), 3u);
    const char* places[] = {"100", "10", "1"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(labels[i].text, places[i]);
        EXPECT_EQ(labels[i].size, 15);
        // Turned about (column centre − 3.75, 22.5); the baseline lies 3 below the middle.
        EXPECT_NEAR(labels[i].baselineLeft.x, 28.75 + 25 * i - 3 * std::sin(angle), 1e-9);
        EXPECT_NEAR(labels[i].baselineLeft.y, 22.5 + 3 * std::cos(angle), 1e-9);
    }
}

TEST_F(AddColumn, SingleColumnBoxHoldsItsRows) {
    // 2 + 3: the lone label "1" is taller (18) than wide (7.5).
    NodeBox box = measureAddColumn(30, "+", 3, 3, 1);
    drawAddColumn(0, box.baseline, 30, "+", 3, 3, 1, {{"2"}, {"3"}, {"5"}}, {{"YC"}, {"YC"}, {"YC"}});
    double top = shown("5")[0].baselineLeft.y - 24;
    EXPECT_LE(top + 36, box.height);
    EXPECT_GE(top - 46 - 41 - 5, 18);
}

TEST_F(AddColumn, BrokenRecordsThrowAndNoCanvasIsQuiet) {
    EXPECT_THROW(measureAddColumn(30, "+", 3, 2, 0), PreconditionError);
    EXPECT_THROW(drawAddColumn(0, 50, 30, "+", 3, 1, 2, {{"1", "2"}}, {{"YC"}}), PreconditionError);
    EXPECT_THROW(drawAddColumn(0, 50, 30, "+", 3, 1, 2, {{"1", "2"}}, {{"YC", "Y"}}), PreconditionError);
    canvas.clear();
    gfx::ContextScope none(nullptr);
    EXPECT_NO_THROW(drawAddColumn(0, 120, 30, "+", 5, 5, 3, kSum, kSumCodes));
    EXPECT_TRUE(canvas.ops().empty());
}

// 302 − 47 by trading, last page: two small trade rows (font 21, line
// height 25.2, "10" 21 wide), the operands, the result.
const StringList kTradeGlobals{"5", "3", "2", "true"}, kTradeLocals{"5", "false"};
const StringGrid kTrade{{"B", "9", "B"}, {"2", "10", "12"}, {"3", "0", "2"}, {"Z", "4", "7"}, {"2", "5", "5"}};
const StringGrid kTradeCodes{{"NNN", "YNC", "NNN"}, {"YNC", "YYR", "YNC"}, {"YYC", "YYC", "YYC"},
                             {"YNC", "YNC", "YNC"}, {"YNG", "YNG", "YNG"}};

TEST_F(TableauOp, TradingGolden) {
    NodeBox box = measureTableauOp(30, "\u2212", kTradeGlobals, kTradeLocals);
    EXPECT_EQ(box.width, 90);
    EXPECT_NEAR(box.height, 3 * 36 + 2 * 25.2 + 22.5 + 5 * 10, 1e-9);
    // The first page (operands only) keeps room for a result row.
    EXPECT_EQ(measureTableauOp(30, "\u2212", kTradeGlobals, {"4", "false"}), box);
    drawTableauOp(0, box.baseline, 30, "\u2212", kTrade, kTradeCodes, kTradeGlobals, kTradeLocals);
    // Trade rows at 27.5 and 57.7, operands at 87.9 and 128.9, result at 174.9.
    expectPlaced({{"9", 52.25, 27.5}, {"10", 47, 57.7}, {"3", 25, 87.9}, {"\u2212", 0, 128.9}, {"4", 50, 128.9},
                  {"5", 75, 174.9}});
    EXPECT_TRUE(shown("B").empty());
    int boxes = 0;  // every shown trade cell holds a box as wide as "10"
    for (const auto& t : canvas.texts()) boxes += t.text == "10" && t.colour.isClear();
    EXPECT_EQ(boxes, 4);
    EXPECT_EQ(fills(kLight), (std::vector<gfx::Rect>{{47, 57.7, 21, 25.2}}));
    EXPECT_EQ(fills(kGray).size(), 3u);
    // Crossings run from lower left to upper right, the trade one over its box.
    EXPECT_TRUE(hasLine({47, 82.9}, {68, 57.7}, 3));
    for (double left : {25.0, 50.0, 75.0}) EXPECT_TRUE(hasLine({left, 123.9}, {left + 15, 87.9}, 3));
    EXPECT_EQ(lineCount(3), 4);
    // A single result: a rule above it and one below it.
    EXPECT_TRUE(hasLine({25, 168.65}, {90, 168.65}));
    EXPECT_TRUE(hasLine({25, 214.65}, {90, 214.65}));
    EXPECT_EQ(lineCount(2.5), 2);
}

TEST_F(TableauOp, PartialSumsAndDifferences) {
    // 57 + 68 summing its partials: Z57, Z68, Z15, 110, 125.
    StringList globals{"5", "3", "0", "false"}, locals{"5", "true"};
    StringGrid tableau{{"Z", "5", "7"}, {"Z", "6", "8"}, {"Z", "1", "5"}, {"1", "1", "0"}, {"1", "2", "5"}};
    NodeBox box = measureTableauOp(30, "+", globals, locals);
    EXPECT_EQ(box.height, 5 * 36 + 22.5 + 50);
    drawTableauOp(0, box.baseline, 30, "+", tableau, StringGrid(5, StringList(3, "YNC")), globals, locals);
    expectPlaced({{"+", 0, 68.5}, {"5", 75, 114.5}, {"+", 0, 155.5}, {"0", 75, 155.5}, {"2", 50, 201.5}});
    for (double y : {108.25, 195.25, 241.25}) EXPECT_TRUE(hasLine({25, y}, {90, y})) << y;
    EXPECT_EQ(lineCount(2.5), 3);
    // 52 - 38: the "-" cell ends where the "6" of the next column begins.
    canvas.clear();
    globals = {"5", "2", "0", "false"};
    drawTableauOp(0, 100, 30, "-", {{"5", "2"}, {"3", "8"}, {"-", "6"}}, StringGrid(3, StringList(2, "YNC")),
                  globals, {"3", "false"});
    auto minus = shown("-"), six = shown("6");
    ASSERT_EQ(minus.size(), 2u);
    EXPECT_TRUE(near(minus[1].baselineLeft, {six[0].baselineLeft.x - 15, six[0].baselineLeft.y}));
}

TEST_F(TableauOp, BrokenRecordsThrow) {
    StringGrid one{{"1", "2"}};
    StringList ok{"3", "2", "0", "true"};
    EXPECT_THROW(measureTableauOp(30, "+", {"3", "x", "0", "true"}, {"2", "false"}), PreconditionError);
    EXPECT_THROW(measureTableauOp(30, "+", {"3", "2"}, {"2", "false"}), PreconditionError);
    EXPECT_THROW(measureTableauOp(30, "+", {"3", "2", "-1", "true"}, {"2", "false"}), PreconditionError);
    EXPECT_THROW(drawTableauOp(0, 50, 30, "+", one, {{"YNC", "YN"}}, ok, {"1", "false"}), PreconditionError);
    EXPECT_THROW(drawTableauOp(0, 50, 30, "+", one, {}, ok, {"1", "false"}), PreconditionError);
}

}  // namespace
}  // namespace tl
