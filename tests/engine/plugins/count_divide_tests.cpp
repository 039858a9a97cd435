#include <numbers>
#include <tuple>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using CountOp = testing::Recorder;
using DividePartialOp = testing::Recorder;
using DivideOp = testing::Recorder;
const gfx::Rgba kGray = toRgba(Color::gray), kLight = toRgba(Color::light_gray);

// Size 30, fake metrics: every character 15 wide, line height 36, s = 10.

// 500 − 123 counted down. Digit columns start at 25 (sign and s); the
// labels need 22.5, so the first line is at 27.5.
const StringList kCountGlobals{"COUNT DOWN", "3", "3", "377"};
const StringList kSteps{"500", "300", "200", "200", "70", "130", "130", "7", "123"};

TEST_F(CountOp, CountingPagesGolden) {
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(measureCountOp(30, "\u2212", kCountGlobals, {"STEP", std::to_string(n)}).height,
                  36 * (2 * n + 1) + 15 * n + 5 + 27.5);
    EXPECT_EQ(measureCountOp(30, "\u2212", kCountGlobals, {"COUNT SHORT", "3"}).width, 70);
    NodeBox box = measureCountOp(30, "\u2212", kCountGlobals, {"STEP", "3"});
    drawCountOp(0, box.baseline, 30, "\u2212", kSteps, {}, kCountGlobals, {"STEP", "3"});
    expectPlaced({{"500", 25, 27.5}, {"300", 25, 68.5}, {"200", 25, 114.5}, {"70", 40, 155.5}, {"130", 25, 201.5},
                  {"7", 55, 242.5}, {"123", 25, 288.5}, {"\u2212", 0, 68.5}, {"\u2212", 0, 242.5}});
    EXPECT_LE(288.5 + 36, box.height);
    for (double y : {108.25, 195.25, 282.25}) EXPECT_TRUE(hasLine({25, y}, {70, y})) << y;
    // Only the last step is gray: 130 (over the plain "to" of the step before), 123, 7.
    EXPECT_EQ(fills(kGray), (std::vector<gfx::Rect>{{25, 201.5, 45, 36}, {25, 288.5, 45, 36}, {55, 242.5, 15, 36}}));
    ASSERT_EQ(rotated().size(), 3u);
    EXPECT_NEAR(rotated()[0].rotation, -std::numbers::pi / 3, 1e-12);
}

TEST_F(CountOp, AddingPageAddsTheSecondStrip) {
    NodeBox box = measureCountOp(30, "\u2212", kCountGlobals, {"COUNT", "3"});
    EXPECT_EQ(box.width, 70 + 30 + 60 + 10);
    drawCountOp(0, box.baseline, 30, "\u2212", kSteps, {"300", "70", "7"}, kCountGlobals, {"COUNT", "3"});
    expectPlaced({{"300", 125, 27.5}, {"70", 140, 68.5}, {"7", 155, 109.5}, {"+", 100, 109.5}});
    EXPECT_EQ(shownAt("377", 125, 155.5)->colour, toRgba(Color::red));
    EXPECT_TRUE(hasLine({125, 149.25}, {170, 149.25}));
    EXPECT_EQ(fills(kGray).size(), 6u);  // every count, in both strips
    EXPECT_EQ(rotated().size(), 6u);
    canvas.clear();
    drawCountOp(0, box.baseline, 30, "\u2212", kSteps, {"300", "70", "7"}, kCountGlobals, {"SUMMARY", "3"});
    EXPECT_TRUE(fills(kGray).empty());
    EXPECT_EQ(shownAt("377", 125, 155.5)->colour, toRgba(Color::black));
}

TEST_F(CountOp, SingleColumnBoxHoldsItsStepsAndCountingUpAdds) {
    // 9 − 4: the lone label "1" is taller (18) than wide (7.5).
    StringList globals{"COUNT UP", "1", "1", "5"};
    NodeBox box = measureCountOp(30, "\u2212", globals, {"SUMMARY SHORT", "1"});
    drawCountOp(0, box.baseline, 30, "\u2212", {"4", "5", "9"}, {"5"}, globals, {"SUMMARY SHORT", "1"});
    double top = shown("9")[0].baselineLeft.y - 24;
    EXPECT_LE(top + 36, box.height);
    EXPECT_GE(shown("4")[0].baselineLeft.y - 24 - 5, 18);
    EXPECT_EQ(shown("+").size(), 1u);  // the sign; no second strip
    EXPECT_THROW(measureCountOp(30, "\u2212", {"COUNT DOWN", "3x", "3", "1"}, {"STEP", "1"}), PreconditionError);
    EXPECT_THROW(measureCountOp(30, "\u2212", kCountGlobals, {"STEP", "-1"}), PreconditionError);
    EXPECT_THROW(drawCountOp(0, 50, 30, "\u2212", {"500", "300"}, {}, kCountGlobals, {"STEP", "1"}),
                 PreconditionError);
}

// 986 ÷ 23 by partial quotients: grabs of 20, 20 and 2 groups.
const StringList kQuotientGlobals{"986", "23", "42", "20"};
const StringList kGrabs{"986", "460", "526", "460", "66", "46", "20"};
const StringList kMultiples{"20", "20", "2"};

TEST_F(DividePartialOp, AddingAndSolutionPagesGolden) {
    for (const char* type : {"ADD", "SOLUTION", "SUMMARY"})
        EXPECT_EQ(measureDividePartialOp(30, "\u00f7", kQuotientGlobals, {type, "3"}).height, 8 * 36 + 20);
    EXPECT_EQ(measureDividePartialOp(30, "\u00f7", kQuotientGlobals, {"GRAB AND CHOOSE", "3"}).height, 9 * 36 + 20);
    NodeBox box = measureDividePartialOp(30, "\u00f7", kQuotientGlobals, {"ADD", "3"});
    EXPECT_EQ(box.width, 30 + 20 + 45 + 85);
    drawDividePartialOp(0, box.baseline, 30, "\u00f7", kGrabs, kMultiples, kQuotientGlobals, {"ADD", "3"});
    // Dividend column 50 … 95; multiples right-aligned on 170, "+" ending at 140.
    expectPlaced({{"23", 0, 41}, {"986", 50, 41}, {"\u2212", 35, 77}, {"460", 50, 77}, {"20", 140, 77},
                  {"526", 50, 118}, {"66", 65, 195}, {"46", 65, 231}, {"2", 155, 231}, {"+", 125, 231},
                  {"20", 65, 272}, {"42", 140, 272}});
    EXPECT_TRUE(shown("42").size() == 1 && shown(" R 20").empty());  // quotient line held invisibly
    EXPECT_TRUE(hasLine({40, 77}, {40, 38.5}));
    EXPECT_TRUE(hasLine({38.75, 38.5}, {106.25, 38.5}));
    EXPECT_TRUE(hasLine({105, 38.5}, {105, 308}));
    EXPECT_TRUE(hasLine({140, 269.5}, {170, 269.5}));
    EXPECT_EQ(lineCount(2.5), 7);
    EXPECT_EQ(fills(kLight).size(), 3u);
    EXPECT_EQ(fills(kGray), (std::vector<gfx::Rect>{{140, 272, 30, 36}}));

    canvas.clear();
    drawDividePartialOp(0, box.baseline, 30, "\u00f7", kGrabs, kMultiples, kQuotientGlobals, {"SOLUTION", "3"});
    expectPlaced({{"42", 65, 0}, {" R 20", 95, 0}});
    EXPECT_EQ(fills(kLight).size(), 4u);  // quotient, remainder, last left, the sum
    canvas.clear();
    drawDividePartialOp(0, box.baseline, 30, "\u00f7", {"600", "375", "225", "150", "75", "75", "0"}, {"5", "2", "1"},
                        {"600", "75", "8", "0"}, {"SOLUTION", "3"});
    EXPECT_TRUE(shown(" R 0").empty());
    EXPECT_EQ(fills(kLight).size(), 2u);
    EXPECT_THROW(measureDividePartialOp(30, "\u00f7", kQuotientGlobals, {"ADD", "three"}), PreconditionError);
    EXPECT_THROW(drawDividePartialOp(0, 0, 30, "\u00f7", kGrabs, {"20"}, kQuotientGlobals, {"ADD", "3"}),
                 PreconditionError);
}

// 1234 ÷ 7 by long division, last page.
const StringList kLongGlobals{"1234", "7", "176", "2"};
const StringList kLong{"BB176", "71234", "BB7BB", "BB53B", "BB49B", "BBB44", "BBB42", "BBBB2"};
const StringList kLines{"0", "3", "2", "3", "1", "5", "3", "5", "2", "7", "4", "7"};

TEST_F(DivideOp, LongDivisionGolden) {
    EXPECT_EQ(measureDivideOp(30, "\u00f7", kLongGlobals, {"PROCESS", "0"}).height, 2 * 36 + 5);
    EXPECT_EQ(measureDivideOp(30, "\u00f7", kLongGlobals, {"MULTIPLY", "1"}).height, 2 * 77 + 36);
    EXPECT_EQ(measureDivideOp(30, "\u00f7", kLongGlobals, {"SUBTRACT", "1"}).height, 3 * 77);
    EXPECT_EQ(measureDivideOp(30, "\u00f7", kLongGlobals, {"PROCESS", "0"}).width, 75 + 60 + 20);
    EXPECT_EQ(measureDivideOp(30, "\u00f7", {"1234", "7", "176", "0"}, {"SUMMARY", "3"}).width, 75 + 20);
    NodeBox box = measureDivideOp(30, "\u00f7", kLongGlobals, {"SUMMARY", "3"});
    StringList shades(8, "NNNNN");
    shades[7] = "NNNNL";
    drawDivideOp(0, box.baseline, 30, "\u00f7", kLong, shades, kLines, kLongGlobals, {"SUMMARY", "3"});
    // The divisor's column, a 2s gap for the bracket, the dividend from 35;
    // rows at 0, 41, 77, 118, 154, 195, 231, 272 (5 more after even rows).
    expectPlaced({{"1", 50, 0}, {"6", 80, 0}, {" R 2", 95, 0}, {"7", 0, 41}, {"1", 35, 41}, {"7", 50, 77},
                  {"3", 65, 118}, {"9", 65, 154}, {"4", 65, 195}, {"2", 80, 231}, {"2", 80, 272}});
    EXPECT_TRUE(shown("B").empty());
    EXPECT_EQ(fills(kLight), (std::vector<gfx::Rect>{{80, 272, 15, 36}}));
    EXPECT_TRUE(hasLine({25, 77}, {25, 38.5}));  // upright in the middle of the gap
    EXPECT_TRUE(hasLine({23.75, 38.5}, {95, 38.5}));
    // Subtraction lines in the gaps under the product rows, a minus sign
    // just left of the number subtracted from.
    EXPECT_TRUE(hasLine({35, 115.5}, {65, 115.5}));
    EXPECT_TRUE(hasLine({50, 192.5}, {80, 192.5}));
    EXPECT_TRUE(hasLine({65, 269.5}, {95, 269.5}));
    expectPlaced({{"\u2212", 20, 77}, {"\u2212", 35, 154}, {"\u2212", 50, 231}});
    EXPECT_EQ(lineCount(2.5), 5);
}

TEST_F(DivideOp, SubtractPageShowsItsNewestLine) {
    StringList cells{"BB1BB", "71234", "BB7BB", "BB5BB"}, shades(4, "NNNNN");
    for (auto [kind, n, lines] : {std::tuple{"SUBTRACT", "0", 3}, {"SUBTRACT", "1", 4}, {"BRING DOWN", "2", 4}}) {
        canvas.clear();
        drawDivideOp(0, 100, 30, "\u00f7", cells, shades, kLines, kLongGlobals, {kind, n});
        EXPECT_EQ(lineCount(2.5), lines) << kind << " " << n;
    }
    EXPECT_THROW(measureDivideOp(30, "\u00f7", kLongGlobals, {"SUMMARY", "-1"}), PreconditionError);
    EXPECT_THROW(drawDivideOp(0, 0, 30, "\u00f7", {"BB176"}, {"NN"}, {}, kLongGlobals, {"PROCESS", "0"}),
                 PreconditionError);
    EXPECT_THROW(drawDivideOp(0, 0, 30, "\u00f7", {}, {}, {"0", "3"}, kLongGlobals, {"SUBTRACT", "0"}),
                 PreconditionError);
}

}  // namespace
}  // namespace tl
