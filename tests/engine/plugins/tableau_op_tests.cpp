#include <cmath>
#include <numbers>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using TableauOp = testing::Recorder;

// Size 30 with fake metrics: digit 15 wide, line height 36; carry font 21
// (line height 25.2, "10" 21 wide); s = 10; labels of three columns need
// 22.5, so rows start 27.5 below the top; columns start at 25, 50, 75.

// 302 − 47 by trading, last page: two trade rows, the operands, the result.
const StringList kTradeGlobals{"5", "3", "2", "true"};
const StringGrid kTrade{{"B", "9", "B"}, {"2", "10", "12"}, {"3", "0", "2"}, {"Z", "4", "7"}, {"2", "5", "5"}};
const StringGrid kTradeCodes{{"NNN", "YNC", "NNN"},
                             {"YNC", "YYR", "YNC"},
                             {"YYC", "YYC", "YYC"},
                             {"YNC", "YNC", "YNC"},
                             {"YNG", "YNG", "YNG"}};

TEST_F(TableauOp, BoxReservesAResultRowAndTheCarryRowsAreSmall) {
    NodeBox trade = measureTableauOp(30, "\u2212", kTradeGlobals, {"5", "false"});
    EXPECT_EQ(trade.width, 15 + 3 * 15 + 3 * 10);
    EXPECT_NEAR(trade.height, 3 * 36 + 2 * 25.2 + 22.5 + 5 * 10, 1e-9);
    EXPECT_EQ(trade.baseline, trade.height / 2);
    // The first page shows only the operands and still has room for a result.
    EXPECT_EQ(measureTableauOp(30, "\u2212", kTradeGlobals, {"4", "false"}), trade);
    EXPECT_EQ(measureTableauOp(30, "+", {"3", "2", "0", "true"}, {"2", "false"}),
              measureTableauOp(30, "+", {"3", "2", "0", "true"}, {"3", "false"}));
}

TEST_F(TableauOp, TradeRowsOperandsAndResultLineUp) {
    NodeBox box = measureTableauOp(30, "\u2212", kTradeGlobals, {"5", "false"});
    drawTableauOp(0, box.baseline, 30, "\u2212", kTrade, kTradeCodes, kTradeGlobals, {"5", "false"});
    // Trade rows at 27.5 and 57.7 (small), operands at 87.9 and 128.9, the
    // result 10 further down at 174.9.
    EXPECT_TRUE(shownAt("9", 57.5 - 5.25, 27.5));
    EXPECT_TRUE(shownAt("10", 57.5 - 10.5, 57.7));
    EXPECT_TRUE(shownAt("3", 25, 87.9));
    EXPECT_TRUE(shownAt("\u2212", 0, 128.9));  // operator beside the second operand
    EXPECT_TRUE(shownAt("4", 50, 128.9));
    EXPECT_TRUE(shownAt("5", 75, 174.9));
    EXPECT_TRUE(shown("B").empty());
    EXPECT_EQ(shown("9")[0].size, 21);
    // Every shown trade cell has a box as wide as "10" (drawn invisibly).
    int boxes = 0;
    for (const auto& t : canvas.texts()) boxes += t.text == "10" && t.colour.isClear();
    EXPECT_EQ(boxes, 4);
    // Rules: under the operands, and under the single result.
    EXPECT_TRUE(hasSegment({25, 174.9 - 6.25}, {90, 174.9 - 6.25}, 2.5));
    EXPECT_TRUE(hasSegment({25, 220.9 - 6.25}, {90, 220.9 - 6.25}, 2.5));
    EXPECT_EQ(segments(2.5).size(), 2u);
    EXPECT_LE(220.9 - 6.25, box.height);
}

TEST_F(TableauOp, CrossingsRunFromLowerLeftToUpperRight) {
    NodeBox box = measureTableauOp(30, "\u2212", kTradeGlobals, {"5", "false"});
    drawTableauOp(0, box.baseline, 30, "\u2212", kTrade, kTradeCodes, kTradeGlobals, {"5", "false"});
    auto crossings = segments(3.0);
    ASSERT_EQ(crossings.size(), 4u);
    // The crossed "10" trade cell: its light gray box, crossed corner to corner.
    EXPECT_TRUE(hasSegment({47, 57.7 + 25.2}, {68, 57.7}, 3.0));
    auto light = fills(toRgba(Color::light_gray));
    ASSERT_EQ(light.size(), 1u);
    EXPECT_NEAR(light[0].x, 47, 1e-9);
    EXPECT_NEAR(light[0].width, 21, 1e-9);
    // The operand digits 3, 0, 2, each crossed within its own column.
    for (double left : {25.0, 50.0, 75.0}) EXPECT_TRUE(hasSegment({left, 87.9 + 36}, {left + 15, 87.9}, 3.0));
    EXPECT_EQ(fills(toRgba(Color::gray)).size(), 3u);  // the result row
}

TEST_F(TableauOp, PartialSumsGetThePlusSignAndTwoLowerRules) {
    // 57 + 68 right to left, summing page: Z57, Z68, Z15, 110, 125.
    StringList globals{"5", "3", "0", "false"}, locals{"5", "true"};
    StringGrid tableau{{"Z", "5", "7"}, {"Z", "6", "8"}, {"Z", "1", "5"}, {"1", "1", "0"}, {"1", "2", "5"}};
    StringGrid codes(5, StringList(3, "YNC"));
    NodeBox box = measureTableauOp(30, "+", globals, locals);
    EXPECT_EQ(box.height, 5 * 36 + 22.5 + 50);
    drawTableauOp(0, box.baseline, 30, "+", tableau, codes, globals, locals);
    // Rows at 27.5, 68.5, 114.5, 155.5 and, after the summation gap, 201.5.
    for (double top : {27.5, 68.5, 114.5, 155.5, 201.5}) {
        bool found = false;
        for (const auto& t : visibleTexts()) found |= t.rotation == 0 && near(t.baselineLeft.y - 24, top);
        EXPECT_TRUE(found) << top;
    }
    EXPECT_TRUE(shownAt("+", 0, 68.5));   // the operator
    EXPECT_TRUE(shownAt("+", 0, 155.5));  // beside the last partial row
    EXPECT_TRUE(hasSegment({25, 108.25}, {90, 108.25}, 2.5));
    EXPECT_TRUE(hasSegment({25, 195.25}, {90, 195.25}, 2.5));
    EXPECT_TRUE(hasSegment({25, 241.25}, {90, 241.25}, 2.5));
    EXPECT_EQ(segments(2.5).size(), 3u);
}

TEST_F(TableauOp, MinusCellEndsWhereTheNextDigitBegins) {
    // 52 - 38, a partial difference: "-" then "6" in two columns.
    StringList globals{"5", "2", "0", "false"}, locals{"3", "false"};
    StringGrid tableau{{"5", "2"}, {"3", "8"}, {"-", "6"}};
    StringGrid codes(3, StringList(2, "YNC"));
    NodeBox box = measureTableauOp(30, "-", globals, locals);
    drawTableauOp(0, box.baseline, 30, "-", tableau, codes, globals, locals);
    auto minus = shown("-");
    ASSERT_EQ(minus.size(), 2u);  // the operator and the cell
    auto six = shown("6");
    ASSERT_EQ(six.size(), 1u);
    EXPECT_NEAR(minus[1].baselineLeft.x + 15, six[0].baselineLeft.x, 1e-9);
    EXPECT_NEAR(minus[1].baselineLeft.y, six[0].baselineLeft.y, 1e-9);
    EXPECT_NEAR(minus[0].baselineLeft.x, 0, 1e-9);
}

TEST_F(TableauOp, FourColumnsLabelTheirPlaces) {
    StringList globals{"3", "4", "0", "true"}, locals{"2", "false"};
    StringGrid tableau{{"1", "2", "3", "4"}, {"Z", "Z", "5", "6"}};
    StringGrid codes(2, StringList(4, "YNC"));
    NodeBox box = measureTableauOp(30, "+", globals, locals);
    drawTableauOp(0, box.baseline, 30, "+", tableau, codes, globals, locals);
    const double angle = -0.425 * std::numbers::pi;
    std::vector<std::string> labels;
    for (const auto& t : visibleTexts())
        if (t.rotation != 0) {
            labels.push_back(t.text);
            EXPECT_NEAR(t.rotation, angle, 1e-12);
        }
    EXPECT_EQ(labels, (std::vector<std::string>{"1000", "100", "10", "1"}));
    // Labels need "1000" in the half font (30 wide): rows start 35 down.
    EXPECT_TRUE(shownAt("1", 25, 35));
}

TEST_F(TableauOp, HiddenAndEmptyCellsDrawNothingButKeepTheirColumn) {
    StringList globals{"3", "3", "0", "true"}, locals{"2", "false"};
    StringGrid tableau{{"Z", "4", "7"}, {"B", "8", "1"}};
    StringGrid codes{{"YNG", "NNG", "YNC"}, {"YNC", "YNR", "NNN"}};
    NodeBox box = measureTableauOp(30, "+", globals, locals);
    drawTableauOp(0, box.baseline, 30, "+", tableau, codes, globals, locals);
    EXPECT_TRUE(shown("4").empty());
    EXPECT_TRUE(shownAt("7", 75, 27.5));
    EXPECT_TRUE(shownAt("B", 25, 68.5));  // a shown "B" is drawn like any text
    for (const auto& t : shown("1")) EXPECT_NE(t.rotation, 0);  // only the place label
    EXPECT_TRUE(fills(toRgba(Color::gray)).empty());
    EXPECT_EQ(fills(toRgba(Color::light_gray)).size(), 1u);
}

TEST_F(TableauOp, BrokenRecordsAreRejected) {
    StringGrid one{{"1", "2"}};
    EXPECT_THROW(measureTableauOp(30, "+", {"3", "x", "0", "true"}, {"2", "false"}), PreconditionError);
    EXPECT_THROW(measureTableauOp(30, "+", {"3", "2"}, {"2", "false"}), PreconditionError);
    EXPECT_THROW(measureTableauOp(30, "+", {"3", "2", "-1", "true"}, {"2", "false"}), PreconditionError);
    EXPECT_THROW(drawTableauOp(0, 50, 30, "+", one, {{"YNC", "YN"}}, {"3", "2", "0", "true"}, {"1", "false"}),
                 PreconditionError);
    EXPECT_THROW(drawTableauOp(0, 50, 30, "+", one, {}, {"3", "2", "0", "true"}, {"1", "false"}), PreconditionError);
}

TEST_F(TableauOp, WithoutACanvasNothingFails) {
    gfx::ContextScope none(nullptr);
    NodeBox box = measureTableauOp(30, "\u2212", kTradeGlobals, {"5", "false"});
    EXPECT_NO_THROW(drawTableauOp(0, box.baseline, 30, "\u2212", kTrade, kTradeCodes, kTradeGlobals, {"5", "false"}));
    EXPECT_TRUE(canvas.ops().empty());
}

}  // namespace
}  // namespace tl
