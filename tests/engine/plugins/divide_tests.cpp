#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using DividePartialOp = testing::Recorder;
using DivideOp = testing::Recorder;

// Size 30, fake metrics: every character 15 wide, line height 36, s = 10.

// 986 ÷ 23 by partial quotients: three grabs of 20, 20 and 2 groups.
const StringList kPartialGlobals{"986", "23", "42", "20"};
const StringList kPartialTableau{"986", "460", "526", "460", "66", "46", "20"};
const StringList kPartials{"20", "20", "2"};

TEST_F(DividePartialOp, HeightFollowsTheGrabsAndTheChoiceLine) {
    for (const char* type : {"ADD", "SOLUTION", "SUMMARY", "GRAB"})
        EXPECT_EQ(measureDividePartialOp(30, "\u00f7", kPartialGlobals, {type, "3"}).height, 8 * 36 + 20) << type;
    EXPECT_EQ(measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"GRAB AND CHOOSE", "3"}).height, 9 * 36 + 20);
    EXPECT_EQ(measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"PROBLEM", "0"}).height, 3 * 36 + 5);
    // Divisor, 2s, dividend, then the wider of " R 20" and 30 + "+" + s + "42".
    EXPECT_EQ(measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"ADD", "3"}).width, 30 + 20 + 45 + 85);
}

TEST_F(DividePartialOp, AddingPageLaysOutGrabsAndMultiples) {
    NodeBox box = measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"ADD", "3"});
    drawDividePartialOp(0, box.baseline, 30, "\u00f7", kPartialTableau, kPartials, kPartialGlobals, {"ADD", "3"});
    // Dividend column 50 … 95, multiples right-aligned on 170, "+" ending at 140.
    struct Cell {
        const char* text;
        double left, top;
    };
    const Cell golden[] = {{"23", 0, 41},   {"986", 50, 41},  {"460", 50, 77},  {"20", 140, 77},  {"526", 50, 118},
                           {"460", 50, 154}, {"20", 140, 154}, {"66", 65, 195}, {"46", 65, 231},  {"2", 155, 231},
                           {"20", 65, 272}, {"+", 125, 231},  {"42", 140, 272}, {"\u2212", 35, 77}, {"\u2212", 50, 231}};
    for (const auto& c : golden) EXPECT_TRUE(shownAt(c.text, c.left, c.top)) << c.text << " at " << c.top;
    EXPECT_LE(272 + 36, box.height);
    // The quotient line above the bracket takes its place but stays invisible.
    bool hiddenQuotient = false;
    for (const auto& t : canvas.texts()) hiddenQuotient |= t.text == "42" && t.colour.isClear();
    EXPECT_TRUE(hiddenQuotient);
    // Bracket, separator, three underlines and the multiples' underline.
    EXPECT_TRUE(hasSegment({40, 77}, {40, 38.5}, 2.5));
    EXPECT_TRUE(hasSegment({38.75, 38.5}, {106.25, 38.5}, 2.5));
    EXPECT_TRUE(hasSegment({105, 38.5}, {105, 308}, 2.5));
    EXPECT_TRUE(hasSegment({50, 115.5}, {95, 115.5}, 2.5));
    EXPECT_TRUE(hasSegment({65, 269.5}, {95, 269.5}, 2.5));
    EXPECT_TRUE(hasSegment({140, 269.5}, {170, 269.5}, 2.5));
    EXPECT_EQ(segments(2.5).size(), 7u);
    // Every multiple light gray, their sum gray.
    EXPECT_EQ(fills(toRgba(Color::light_gray)).size(), 3u);
    auto gray = fills(toRgba(Color::gray));
    ASSERT_EQ(gray.size(), 1u);
    EXPECT_EQ(gray[0], (gfx::Rect{140, 272, 30, 36}));
}

TEST_F(DividePartialOp, SolutionShowsQuotientRemainderAndLastLeft) {
    NodeBox box = measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"SOLUTION", "3"});
    drawDividePartialOp(0, box.baseline, 30, "\u00f7", kPartialTableau, kPartials, kPartialGlobals, {"SOLUTION", "3"});
    EXPECT_TRUE(shownAt("42", 65, 0));
    EXPECT_TRUE(shownAt(" R 20", 95, 0));
    auto light = fills(toRgba(Color::light_gray));
    // Quotient line (2 texts), the last remainder, the sum.
    EXPECT_EQ(light.size(), 4u);
    canvas.clear();
    StringList even{"600", "75", "8", "0"};
    drawDividePartialOp(0, 100, 30, "\u00f7", {"600", "375", "225", "150", "75", "75", "0"}, {"5", "2", "1"}, even,
                        {"SOLUTION", "3"});
    EXPECT_TRUE(shown(" R 0").empty());
    EXPECT_EQ(fills(toRgba(Color::light_gray)).size(), 2u);  // quotient line and the sum only
}

TEST_F(DividePartialOp, ChoicePageHighlightsTheNewGrabAndHidesWhatIsLeft) {
    NodeBox box = measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"CHOICE", "1"});
    drawDividePartialOp(0, box.baseline, 30, "\u00f7", kPartialTableau, kPartials, kPartialGlobals, {"CHOICE", "1"});
    EXPECT_EQ(fills(toRgba(Color::light_gray)).size(), 2u);  // amount and multiple
    EXPECT_TRUE(shown("526").empty());
    canvas.clear();
    drawDividePartialOp(0, 100, 30, "\u00f7", kPartialTableau, kPartials, kPartialGlobals, {"PROBLEM", "0"});
    EXPECT_TRUE(fills(toRgba(Color::light_gray)).empty());
    EXPECT_EQ(segments(2.5).size(), 3u);  // bracket sides and the separator
}

TEST_F(DividePartialOp, BrokenRecordsAreRejected) {
    EXPECT_THROW(measureDividePartialOp(30, "\u00f7", {"986", "23", "42"}, {"ADD", "3"}), PreconditionError);
    EXPECT_THROW(measureDividePartialOp(30, "\u00f7", kPartialGlobals, {"ADD", "three"}), PreconditionError);
    EXPECT_THROW(drawDividePartialOp(0, 0, 30, "\u00f7", kPartialTableau, {"20"}, kPartialGlobals, {"ADD", "3"}),
                 PreconditionError);
}

// 1234 ÷ 7 by long division, last page.
const StringList kLongGlobals{"1234", "7", "176", "2"};
const StringList kLongTableau{"BB176", "71234", "BB7BB", "BB53B", "BB49B", "BBB44", "BBB42", "BBBB2"};
const StringList kLongShades{"NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNL"};
const StringList kLongLines{"0", "3", "2", "3", "1", "5", "3", "5", "2", "7", "4", "7"};

TEST_F(DivideOp, BoxFollowsTheFinishedLinesAndThePageKind) {
    StringList globals = kLongGlobals;
    EXPECT_EQ(measureDivideOp(30, "\u00f7", globals, {"PROCESS", "0"}).height, 2 * 36 + 5);
    EXPECT_EQ(measureDivideOp(30, "\u00f7", globals, {"MULTIPLY", "1"}).height, 2 * 77 + 36);
    EXPECT_EQ(measureDivideOp(30, "\u00f7", globals, {"SUBTRACT", "1"}).height, 3 * 77);
    // "71234", " R 2" and 2s: the remainder counts on every page.
    EXPECT_EQ(measureDivideOp(30, "\u00f7", globals, {"PROCESS", "0"}).width, 75 + 60 + 20);
    globals[3] = "0";
    EXPECT_EQ(measureDivideOp(30, "\u00f7", globals, {"SUMMARY", "3"}).width, 75 + 20);
}

TEST_F(DivideOp, CellsBracketAndSubtractionLines) {
    NodeBox box = measureDivideOp(30, "\u00f7", kLongGlobals, {"SUMMARY", "3"});
    drawDivideOp(0, box.baseline, 30, "\u00f7", kLongTableau, kLongShades, kLongLines, kLongGlobals, {"SUMMARY", "3"});
    // The divisor's column, a 2s gap for the bracket, then the dividend from 35.
    // Rows at 0, 41, 77, 118, 154, 195, 231, 272 (5 more after even rows).
    struct Cell {
        const char* text;
        double left, top;
    };
    const Cell golden[] = {{"1", 50, 0},   {"7", 65, 0},   {"6", 80, 0},   {"7", 0, 41},  {"1", 35, 41},
                           {"4", 80, 41},  {"7", 50, 77},  {"5", 50, 118}, {"3", 65, 118}, {"4", 50, 154},
                           {"9", 65, 154}, {"4", 65, 195}, {"2", 80, 231}, {"2", 80, 272}, {" R 2", 95, 0}};
    for (const auto& c : golden) EXPECT_TRUE(shownAt(c.text, c.left, c.top)) << c.text << " at " << c.top;
    EXPECT_TRUE(shown("B").empty());
    EXPECT_EQ(fills(toRgba(Color::light_gray)), (std::vector<gfx::Rect>{{80, 272, 15, 36}}));
    EXPECT_LE(272 + 36, box.height);
    // The bracket's upright stands in the middle of the gap.
    EXPECT_TRUE(hasSegment({25, 77}, {25, 38.5}, 2.5));
    EXPECT_TRUE(hasSegment({23.75, 38.5}, {95, 38.5}, 2.5));
    // Each subtraction line runs in the gap under its product row, with a
    // minus sign just left of the number subtracted from.
    EXPECT_TRUE(hasSegment({35, 115.5}, {65, 115.5}, 2.5));
    EXPECT_TRUE(hasSegment({50, 192.5}, {80, 192.5}, 2.5));
    EXPECT_TRUE(hasSegment({65, 269.5}, {95, 269.5}, 2.5));
    EXPECT_TRUE(shownAt("\u2212", 20, 77));
    EXPECT_TRUE(shownAt("\u2212", 35, 154));
    EXPECT_TRUE(shownAt("\u2212", 50, 231));
    EXPECT_EQ(segments(2.5).size(), 5u);
}

TEST_F(DivideOp, SubtractPageDrawsItsNewestLine) {
    StringList tableau{"BB1BB", "71234", "BB7BB", "BB5BB"};
    StringList shades(4, "NNNNN");
    NodeBox box = measureDivideOp(30, "\u00f7", kLongGlobals, {"SUBTRACT", "0"});
    drawDivideOp(0, box.baseline, 30, "\u00f7", tableau, shades, kLongLines, kLongGlobals, {"SUBTRACT", "0"});
    EXPECT_EQ(segments(2.5).size(), 3u);
    EXPECT_TRUE(shown(" R 2").empty());
    canvas.clear();
    drawDivideOp(0, box.baseline, 30, "\u00f7", tableau, shades, kLongLines, kLongGlobals, {"SUBTRACT", "1"});
    EXPECT_EQ(segments(2.5).size(), 4u);
    canvas.clear();
    drawDivideOp(0, box.baseline, 30, "\u00f7", tableau, shades, kLongLines, kLongGlobals, {"BRING DOWN", "2"});
    EXPECT_EQ(segments(2.5).size(), 4u);
}

TEST_F(DivideOp, BrokenRecordsAreRejected) {
    EXPECT_THROW(measureDivideOp(30, "\u00f7", kLongGlobals, {"SUMMARY", "-1"}), PreconditionError);
    EXPECT_THROW(measureDivideOp(30, "\u00f7", {"1234", "7", "176"}, {"SUMMARY", "1"}), PreconditionError);
    // A shade row shorter than its cells, and too few line entries.
    EXPECT_THROW(drawDivideOp(0, 0, 30, "\u00f7", {"BB176"}, {"NN"}, {}, kLongGlobals, {"PROCESS", "0"}),
                 PreconditionError);
    EXPECT_THROW(drawDivideOp(0, 0, 30, "\u00f7", {}, {}, {"0", "3"}, kLongGlobals, {"SUBTRACT", "0"}),
                 PreconditionError);
}

}  // namespace
}  // namespace tl
