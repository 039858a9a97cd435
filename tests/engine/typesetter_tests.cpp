// Geometry of the typesetter's node kinds with fake-metric fonts at size 30:
// whole font 30 (a code point 15 wide, ascender 24, cap 21, x-height 15, line
// 36), fraction font 22.5 (a code point 11.25 wide, ascender 18, cap 15.75),
// exponent font 14; barSpace 5.
#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/box_items.hpp"
#include "common/items.hpp"
#include "common/number_items.hpp"
#include "typesetter_test_support.hpp"

namespace tl::testing {
namespace {

using gfx::FontKind;

Engine_Table integer(std::int64_t n, Color c = Color::black) { return integerItem(n, c); }
Engine_Table message(std::string_view text) { return messageTable(text); }

/// Replaces field `field` of the first row whose key is `key`.
Engine_Table withField(Engine_Table table, std::string_view key, std::size_t field, std::string value) {
    for (auto& row : table)
        if (!row.empty() && row[0] == key) {
            row.set(field, value);
            return table;
        }
    ADD_FAILURE() << "no row " << key;
    return table;
}

using Frame = TypesetterTest;

TEST_F(Frame, FontNameSelectsTheFamilyOnlyForTheExactMonospacedName) {
    struct Case {
        FontName name;
        FontKind kind;
    };
    for (auto [name, kind] : {Case{FontName::system, FontKind::monospacedDigit},
                              Case{FontName::monospaced_digit_system, FontKind::monospacedDigit},
                              Case{FontName::monospaced_system, FontKind::monospaced}}) {
        recorder.clear();
        draw(fontItem(name, message("x")), 0, 100);
        EXPECT_EQ(textNamed("x").kind, kind) << fontNameText(name);
    }
    recorder.clear();
    draw(message("x"), 0, 100);
    EXPECT_EQ(textNamed("x").kind, FontKind::monospacedDigit);
}

TEST_F(Frame, BarSpaceHasAFloorOfFivePoints) {
    // The fraction bar is half a bar space wide.
    for (auto [size, width] : {std::pair{30.0, 2.5}, {40.0, 2.5}, {48.0, 3.0}}) {
        recorder.clear();
        draw(rationalItem(3, 4), 0, 100, size);
        ASSERT_EQ(paths().size(), 1u);
        EXPECT_DOUBLE_EQ(paths()[0].lineWidth, width) << size;
    }
}

TEST_F(Frame, BlankAndUnknownKindsAreEmpty) {
    expectEmpty(blankTable(1).front(), "blank");
    Engine_Table unknown{{"start", "1"}, {"Message", "hi"}, {"message_color", "black"}, {"message_tag", "anon"}};
    expectEmpty(unknown, "unknown");
    // Inside a parent the unknown node contributes (0, 0, 0).
    Engine_Table sum = joinItem("+", unknown, integer(7));
    expectBox(measure(sum), 45 + 15, 36, 24);
    draw(sum, 0, 100);
    EXPECT_EQ(texts().size(), 2u);  // " + " and "7"
}

TEST_F(Frame, RowIndicesAreStrictDecimalIntegers) {
    Engine_Table t = message("ab");
    expectBox(measureTableNode(kSize, kMedium, t, "+1"), 30, 36, 24);
    for (const char* bad : {" 1", "1.0", "", "x", "1 "})
        EXPECT_THROW(measureTableNode(kSize, kMedium, t, bad), PreconditionError) << bad;
    EXPECT_THROW(measureTableNode(kSize, kMedium, t, "9"), PreconditionError);
}

using Leaves = TypesetterTest;

TEST_F(Leaves, IntegerAndOneLineMessageShareTheWholeLine) {
    expectBox(measure(integer(-12)), 45, 36, 24);
    expectBox(measure(message("a + b")), 75, 36, 24);
    draw(integer(-12, Color::red), 10, 100);
    auto t = textNamed("-12");
    expectPoint(t.baselineLeft, 10, 100);
    EXPECT_EQ(t.colour, gfx::palette::red);
    EXPECT_EQ(t.weight, kMedium);
    EXPECT_EQ(t.size, 30);
}

TEST_F(Leaves, TallerMessageIsCentredOnTheLine) {
    expectBox(measure(message("ab\ncd")), 30, 72, 42);
    draw(message("ab\ncd"), 0, 100);
    expectPoint(textNamed("ab").baselineLeft, 0, 82);
    expectPoint(textNamed("cd").baselineLeft, 0, 118);
}

TEST_F(Leaves, RationalStacksAroundABarHalfAnXHeightUp) {
    Engine_Table r = rationalItem(3, 14, Color::black, Color::blue, Color::green, Color::red);
    expectBox(measure(r), 22.5, 51.5, 28.75);
    draw(r, 0, 100);
    auto n = textNamed("3");
    expectPoint(n.baselineLeft, 5.625, 90);
    EXPECT_EQ(n.colour, gfx::palette::blue);
    EXPECT_EQ(n.size, 22.5);
    auto d = textNamed("14");
    expectPoint(d.baselineLeft, 0, 110.75);
    EXPECT_EQ(d.colour, gfx::palette::green);
    ASSERT_EQ(paths().size(), 1u);
    expectSegment(paths()[0], 0, 92.5, 22.5, 92.5, 2.5);
    EXPECT_EQ(paths()[0].stroke, gfx::palette::red);

    // The first colour is never read.
    Engine_Table odd = withField(r, "rational_color", 1, "purple");
    EXPECT_NO_THROW(draw(odd, 0, 100));
}

TEST_F(Leaves, SignedRationalPutsAWholeSizeMinusInFront) {
    Engine_Table minus = signedRationalItem(-3, 4);
    Engine_Table plus = signedRationalItem(3, 4);
    expectBox(measure(minus), 26.25, 51.5, 28.75);
    EXPECT_EQ(measure(plus), measure(rationalItem(3, 4)));

    draw(minus, 0, 100);
    auto sign = textNamed("-");
    EXPECT_EQ(sign.size, 30);
    expectPoint(sign.baselineLeft, 0, 98.5);
    expectPoint(textNamed("3").baselineLeft, 15, 90);
    expectSegment(paths()[0], 15, 92.5, 26.25, 92.5, 2.5);

    // With "+" the sign colour is never read.
    recorder.clear();
    EXPECT_NO_THROW(draw(withField(plus, "signed_rational_color", 1, "purple"), 0, 100));
    EXPECT_EQ(texts().size(), 2u);
}

TEST_F(Leaves, BadColourStopsTheDrawButNotTheMeasure) {
    Engine_Table t = withField(integer(5), "integer_color", 1, "light_gray");
    EXPECT_NO_THROW(measure(t));
    EXPECT_THROW(draw(t, 0, 100), PreconditionError);
    EXPECT_NO_THROW(draw(withField(integer(5), "integer_color", 1, "light gray"), 0, 100));
}

using Numbers = TypesetterTest;

TEST_F(Numbers, EveryNumberKindIsAsTallAsAFraction) {
    expectBox(measure(wholeItem(12)), 30, 36.5, 25.75);
    expectBox(measure(fractionItem(3, 4)), 11.25, 36.5, 25.75);
    expectBox(measure(fractionItem(-3, 4)), 26.25, 36.5, 25.75);
    // A mixed number reserves no room for a sign.
    expectBox(measure(mixedNumberItem(2, 1, 3)), 26.25, 36.5, 25.75);
    expectBox(measure(mixedNumberItem(2, -1, 3)), 37.5, 36.5, 25.75);
}

TEST_F(Numbers, NegativeFractionDrawsItsSignOnTheBaseline) {
    draw(fractionItem(-3, 4, Color::red, Color::blue), 0, 100);
    auto sign = textNamed("-");
    expectPoint(sign.baselineLeft, 0, 100);
    EXPECT_EQ(sign.size, 30);
    EXPECT_EQ(sign.colour, gfx::palette::red);
    expectPoint(textNamed("3").baselineLeft, 15, 90);
    expectPoint(textNamed("4").baselineLeft, 15, 110.75);
    ASSERT_EQ(paths().size(), 1u);
    expectSegment(paths()[0], 15, 92.5, 26.25, 92.5, 2.5);
    EXPECT_EQ(paths()[0].stroke, gfx::palette::red);
}

TEST_F(Numbers, MixedNumberSetsItsFractionRightAfterTheWhole) {
    draw(mixedNumberItem(12, 1, 3, Color::green), 0, 100);
    auto whole = textNamed("12");
    expectPoint(whole.baselineLeft, 0, 100);
    EXPECT_EQ(whole.colour, gfx::palette::green);
    expectPoint(textNamed("1").baselineLeft, 30, 90);
    expectPoint(textNamed("3").baselineLeft, 30, 110.75);
}

TEST_F(Numbers, NoBarWithoutAContext) {
    gfx::ContextScope none(nullptr);
    EXPECT_NO_THROW(draw(fractionItem(1, 2), 0, 100));
    EXPECT_TRUE(recorder.ops().empty());
}

using Joins = TypesetterTest;

TEST_F(Joins, OperatorSitsBetweenItsOperandsWithABlankEachSide) {
    Engine_Table sum = joinItem("+", message("a"), message("b"), Color::red);
    expectBox(measure(sum), 75, 36, 24);
    draw(sum, 10, 100);
    expectPoint(textNamed("a").baselineLeft, 10, 100);
    expectPoint(textNamed("b").baselineLeft, 70, 100);
    auto op = textNamed(" + ");
    expectPoint(op.baselineLeft, 25, 100);
    EXPECT_EQ(op.colour, gfx::palette::red);
    EXPECT_EQ(texts().back().text, " + ");  // drawn after both operands
}

TEST_F(Joins, AllThirteenOperatorsAndNoOthers) {
    for (const char* op : {"+", "\u2212", "\u00D7", "\u00F7", "=", "<", ">", "\u2264", "\u2265", "\u27A9", "\u2219",
                           "\u00B1", "?"})
        expectBox(measure(joinItem(op, message("a"), message("b"))), 75, 36, 24);
    for (const char* op : {"-", "*", "<=", "", "\u00B7"}) expectEmpty(joinItem(op, message("a"), message("b")), op);
}

TEST_F(Joins, BlankOperands) {
    Engine_Table sign = withField(joinItem("\u2212", message("a"), message("bc")), "join_locator", 1, "BLANK");
    expectBox(measure(sign), 45 + 30, 36, 24);
    draw(sign, 0, 100);
    expectPoint(textNamed(" \u2212 ").baselineLeft, 0, 100);
    expectPoint(textNamed("bc").baselineLeft, 45, 100);
    EXPECT_EQ(texts().size(), 2u);

    Engine_Table bare = withField(sign, "join_locator", 2, "BLANK");
    expectBox(measure(bare), 45, 0, 0);
    recorder.clear();
    draw(bare, 0, 100);
    EXPECT_EQ(texts().size(), 1u);

    expectEmpty(withField(withField(joinItem(juxtapositionJoinText, message("a"), message("b")), "join_locator", 1,
                                    "BLANK"),
                          "join_locator", 2, "BLANK"));

    // Powers and fractions need both operands.
    EXPECT_THROW(measure(withField(joinItem("^", integer(2), integer(3)), "join_locator", 2, "BLANK")),
                 PreconditionError);
}

TEST_F(Joins, OperandsAlignOnTheirBaselines) {
    // An integer (36 high, baseline 24) beside a whole (36.5 high, baseline 25.75).
    expectBox(measure(joinItem("+", integer(1), wholeItem(2))), 75, 37.75, 25.75);
}

TEST_F(Joins, JuxtapositionKeepsTheFontOthersUseTheDefault) {
    Engine_Table pair = joinItem(juxtapositionJoinText, message("a"), message("b"));
    draw(fontItem(FontName::monospaced_system, pair), 0, 100);
    EXPECT_EQ(textNamed("a").kind, FontKind::monospaced);
    expectPoint(textNamed("b").baselineLeft, 15, 100);
    EXPECT_EQ(textNamed("b").kind, FontKind::monospaced);

    recorder.clear();
    draw(fontItem(FontName::monospaced_system, joinItem("+", message("a"), message("b"))), 0, 100);
    EXPECT_EQ(textNamed("a").kind, FontKind::monospacedDigit);
    EXPECT_EQ(textNamed(" + ").kind, FontKind::monospaced);
}

TEST_F(Joins, PowerRaisesASmallerExponentDrawnOneWeightHeavier) {
    // Base (15, 36, 24); exponent at 14 is (7, 16.8, 11.2); overlap 24 − 15 + 2.8.
    Engine_Table power = joinItem("^", integer(2), integer(3));
    expectBox(measure(power), 22, 41, 29);
    draw(power, 0, 100);
    expectPoint(textNamed("2").baselineLeft, 0, 100);
    auto e = textNamed("3");
    expectPoint(e.baselineLeft, 15, 82.2);
    EXPECT_DOUBLE_EQ(e.size, 30 * 0.4666666666666667);
    EXPECT_EQ(e.weight, 0.56);

    // An exponent of an exponent: one step past heavy is bold again.
    recorder.clear();
    draw(joinItem("^", integer(2), joinItem("^", integer(3), integer(4))), 0, 100);
    EXPECT_EQ(textNamed("3").weight, 0.56);
    EXPECT_EQ(textNamed("4").weight, 0.4);
}

/// The row after the node at `row`: the rows of its operands.
Engine_Row& operandsOf(Engine_Table& table, std::string_view row) {
    return table[static_cast<std::size_t>(parseInt(row)) + 1];
}

/// Where a table that shares one row between two nodes draws its texts
/// exactly as the same table with two copies of the row does.
void expectSameTexts(const std::vector<gfx::RecordedText>& got, const std::vector<gfx::RecordedText>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].text, expected[i].text);
        expectPoint(got[i].baselineLeft, expected[i].baselineLeft.x, expected[i].baselineLeft.y);
        EXPECT_EQ(got[i].size, expected[i].size);
    }
}

// A row that two nodes share is measured at the size each sets it at: a
// power whose exponent is its own base draws as one with a copy of it does.
TEST_F(Joins, ARowSharedAtTwoSizesIsMeasuredAtEach) {
    const Engine_Table copies = joinItem("^", integer(2), integer(2));
    Engine_Table shared = copies;
    Engine_Row& operands = operandsOf(shared, tableRootRow(shared));
    ASSERT_NE(operands[1], operands[2]);
    operands.set(2, std::string(operands[1]));
    draw(copies, 0, 100);
    const auto expected = texts();
    recorder.clear();
    draw(shared, 0, 100);
    expectSameTexts(texts(), expected);
}

// And in the family each sets it in, with the system's own fonts: "Wii" set
// in the monospaced font and again in the default one, then a text after
// both.
TEST(SharedRows, ARowSharedByTwoFamiliesIsMeasuredInEach) {
    gfx::RecordingContext recorder;
    gfx::ContextScope scope(&recorder);
    const auto drawn = [&](const Engine_Table& table) {
        recorder.clear();
        drawTableNode(0, 100, 30, gfx::weight::medium, table, tableRootRow(table));
        return recorder.texts();
    };
    const Engine_Table pairOfCopies =
        joinItem(juxtapositionJoinText, fontItem(FontName::monospaced_system, messageTable("Wii")), messageTable("Wii"));
    const Engine_Table copies = joinItem("+", pairOfCopies, messageTable("end"));
    Engine_Table shared = copies;
    Engine_Row& pair = operandsOf(shared, operandsOf(shared, tableRootRow(shared))[1]);
    const std::string inFont(operandsOf(shared, pair[1])[1]);
    ASSERT_NE(pair[2], inFont);
    pair.set(2, inFont);
    const auto expected = drawn(copies);
    ASSERT_NE(expected[0].box.width, expected[1].box.width) << "the two families set \"Wii\" alike";
    expectSameTexts(drawn(shared), expected);
}

TEST_F(Joins, BuiltUpFractionCentresTheNarrowerPart) {
    Engine_Table f = joinItem("/", integer(1), integer(12), Color::blue);
    expectBox(measure(f), 30, 77, 46);
    draw(f, 0, 100);
    expectPoint(textNamed("1").baselineLeft, 7.5, 78);
    expectPoint(textNamed("12").baselineLeft, 0, 119);
    ASSERT_EQ(paths().size(), 1u);
    expectSegment(paths()[0], 0, 92.5, 30, 92.5, 2.5);
    EXPECT_EQ(paths()[0].stroke, gfx::palette::blue);
}

TEST_F(Joins, BlockLaysOutAColumnComputation) {
    // 12 + 3½ = 15½: whole column 30 wide, fraction column 11.25, operator "+ ".
    Engine_Table sum = joinItem("+", wholeItem(12), mixedNumberItem(3, 1, 2), Color::red);
    Engine_Table block = blockItem(joinItem("=", sum, mixedNumberItem(15, 1, 2), Color::green));
    expectBox(measure(block), 71.25, 137.5, 68.75);

    draw(block, 0, 200);
    expectPoint(textNamed("12").baselineLeft, 30, 158.5);
    expectPoint(textNamed("3").baselineLeft, 45, 200);
    expectPoint(textNamed("15").baselineLeft, 30, 246.5);
    auto op = textNamed("+ ");
    expectPoint(op.baselineLeft, 0, 200);
    EXPECT_EQ(op.colour, gfx::palette::red);
    for (const auto& t : texts()) EXPECT_EQ(t.text.find('='), std::string::npos) << "the relation is not shown";

    // Two fraction bars, then the two rules.
    auto p = paths();
    ASSERT_EQ(p.size(), 4u);
    expectSegment(p[2], 30, 215.75, 71.25, 215.75, 2.5);
    expectSegment(p[3], 30, 262.25, 71.25, 262.25, 2.5);
    EXPECT_EQ(p[3].stroke, gfx::palette::green);
}

using Unary = TypesetterTest;

TEST_F(Unary, RootAddsRoomAboveAndStrokesTheRadical) {
    Engine_Table root = unaryItem("\u221A", integer(4), Color::blue);
    expectBox(measure(root), 30, 42.25, 29);
    draw(root, 0, 100);
    expectPoint(textNamed("4").baselineLeft, 15, 100);
    auto recorded = paths();
    ASSERT_EQ(recorded.size(), 1u);
    const auto& radical = recorded[0];
    auto pts = radical.points();
    ASSERT_EQ(pts.size(), 4u);
    expectPoint(pts[0], 30, 73.5);
    expectPoint(pts[1], 12, 73.5);
    expectPoint(pts[2], 6, 109.5);
    expectPoint(pts[3], 1.5, 95.1);
    EXPECT_EQ(radical.mode, gfx::PathMode::fillStroke);
    EXPECT_EQ(radical.stroke, gfx::palette::blue);
    EXPECT_TRUE(radical.fill.isClear());
    EXPECT_DOUBLE_EQ(radical.lineWidth, 2.5);
    EXPECT_EQ(texts().size(), 1u);  // the root sign itself is never drawn
}

TEST_F(Unary, RootIndexIsSmallAndHeavierAndNeverWidens) {
    Engine_Table cube = unaryItem("\u221A3", integer(4));
    EXPECT_EQ(measure(cube), measure(unaryItem("\u221A", integer(4))));
    draw(cube, 0, 100);
    auto index = textNamed("3");
    expectPoint(index.baselineLeft, 0.75, 82.2);
    EXPECT_DOUBLE_EQ(index.size, 14);
    EXPECT_EQ(index.weight, 0.56);

    // "√7" is no root: it is a prefix text.
    expectBox(measure(unaryItem("\u221A7", integer(4))), 45, 36, 24);
}

TEST_F(Unary, BracketsGrowWithTheChild) {
    // Bracket font 1.125 × 36 = 40.5 at the light weight; 4.05 above its caps.
    Engine_Table pair = unaryItem("(]", integer(4), Color::magenta);
    expectBox(measure(pair), 55.5, 36, 24);
    draw(pair, 0, 100);
    auto left = textNamed("(");
    expectPoint(left.baselineLeft, 0, 104.35);
    EXPECT_DOUBLE_EQ(left.size, 40.5);
    EXPECT_EQ(left.weight, -0.4);
    EXPECT_EQ(left.colour, gfx::palette::magenta);
    expectPoint(textNamed("4").baselineLeft, 20.25, 100);
    expectPoint(textNamed("]").baselineLeft, 35.25, 104.35);

    recorder.clear();
    draw(unaryItem("][", integer(4)), 0, 100);
    EXPECT_EQ(texts().front().text, "]");
    EXPECT_EQ(texts().back().text, "[");
}

TEST_F(Unary, InvisibleOrEmptyBracketsShowOnlyTheChild) {
    Engine_Table invisible = unaryItem("()", integer(4), Color::invisible);
    EXPECT_EQ(measure(invisible), measure(integer(4)));
    draw(invisible, 0, 100);
    EXPECT_EQ(texts().size(), 1u);

    // Around a child of no height there is nothing to scale brackets to.
    expectEmpty(unaryItem("()", blankTable(1).front()));
}

TEST_F(Unary, PrefixTextAndTheFontChangeEndingAtTheUnaryNode) {
    Engine_Table neg = fontItem(FontName::monospaced_system, unaryItem("-", message("x"), Color::red));
    expectBox(measure(neg), 30, 36, 24);
    draw(neg, 0, 100);
    auto sign = textNamed("-");
    expectPoint(sign.baselineLeft, 0, 100);
    EXPECT_EQ(sign.kind, FontKind::monospaced);
    EXPECT_EQ(sign.colour, gfx::palette::red);
    EXPECT_EQ(textNamed("x").kind, FontKind::monospacedDigit);

    EXPECT_EQ(measure(unaryItem("", message("x"))), measure(message("x")));
}

using Cancelled = TypesetterTest;

TEST_F(Cancelled, BoxesAddOneRowPerReplacement) {
    expectBox(measure(fractionCancelNumeratorAndDenominatorItem(6, 8, 3, 4)), 11.25, 78, 46.5);
    expectBox(measure(fractionCancelNumeratorItem(6, 8, 3)), 11.25, 57.25, 46.5);
    expectBox(measure(fractionCancelDenominatorItem(6, 18, 9)), 22.5, 57.25, 25.75);
}

TEST_F(Cancelled, StrikesAndReplacesBothParts) {
    Engine_Table t = fractionCancelNumeratorAndDenominatorItem(6, 8, 30, 4, Color::black, Color::black, Color::red,
                                                               Color::blue, Color::green, Color::magenta);
    draw(t, 0, 100);
    auto top = textNamed("30");  // wider than the box, still centred
    expectPoint(top.baselineLeft, -5.625, 69.25);
    EXPECT_EQ(top.colour, gfx::palette::red);
    EXPECT_DOUBLE_EQ(top.size, 22.5);
    expectPoint(textNamed("4").baselineLeft, 0, 131.5);
    auto p = paths();
    ASSERT_EQ(p.size(), 3u);  // the bar, then the two strokes
    expectSegment(p[1], 0, 90, 11.25, 74.25, 1.675);
    EXPECT_EQ(p[1].stroke, gfx::palette::green);
    expectSegment(p[2], 0, 110.75, 11.25, 95, 1.675);
    EXPECT_EQ(p[2].stroke, gfx::palette::magenta);
}

TEST_F(Cancelled, ExtendedFractionSetsALeadingMinusInFront) {
    Engine_Table t = extendedFractionItem("\u00D7", -3, 4, 2, 2);
    expectBox(measure(t), 15 + 56.25, 36.5, 25.75);
    draw(t, 0, 100);
    expectPoint(textNamed("-").baselineLeft, 0, 100);
    expectPoint(textNamed("3 \u00D7 2").baselineLeft, 15, 90);
    expectPoint(textNamed("4 \u00D7 2").baselineLeft, 15, 110.75);

    recorder.clear();
    draw(extendedFractionItem("\u00D7", 3, 4, -2, 2), 0, 100);
    textNamed("3 \u00D7 -2");
}

using Boxes = TypesetterTest;

Engine_Table boxGrid() {
    return {{"start", "1"},
            {"box_grid", "4"},
            {"box_grid_terms", "\u00D7", "x", "+2", "x", "x\u00B2", "+2x", "+3", "+3x", "+6"},
            {"box_grid_colors", "black", "black", "black", "black", "red", "black", "black", "black", "blue"},
            {"box_grid_tag", "anon"}};
}

TEST_F(Boxes, BoxGridCellComesFromTheRuledBlock) {
    // Widest of the ruled block is "+2x" (45) plus a digit: cell 60.
    expectBox(measure(boxGrid()), 180, 180, 90);
    draw(boxGrid(), 0, 100);
    expectPoint(textNamed("\u00D7").baselineLeft, 22.5, 46);
    auto corner = textNamed("+6");
    expectPoint(corner.baselineLeft, 135, 166);
    EXPECT_EQ(corner.colour, gfx::palette::blue);

    auto p = paths();
    ASSERT_EQ(p.size(), 6u);
    expectSegment(p[0], 60, 70, 180, 70, 2.5);
    expectSegment(p[1], 60, 70, 60, 190, 2.5);
    expectSegment(p[4], 60, 190, 180, 190, 2.5);
    expectSegment(p[5], 180, 70, 180, 190, 2.5);
    for (const auto& line : p) EXPECT_EQ(line.stroke, gfx::palette::black);
}

TEST_F(Boxes, BoxTableRightAlignsEveryColumnToTheLongestEntry) {
    Engine_Table t = boxTableItem(1, 3, {7, 12, 305}, {Color::black, Color::red, Color::black});
    expectBox(measure(t), 165, 36, 18);
    draw(t, 0, 100);
    expectPoint(textNamed("7").baselineLeft, 30, 106);
    expectPoint(textNamed("12").baselineLeft, 75, 106);
    EXPECT_EQ(textNamed("12").colour, gfx::palette::red);
    expectPoint(textNamed("305").baselineLeft, 120, 106);
    EXPECT_TRUE(paths().empty());
}

TEST_F(Boxes, BoxTableCounts) {
    Engine_Table none{{"start", "1"}, {"box_table", "4", "0", "2"}, {"box_table_entries"}, {"box_table_colors"},
                      {"box_table_tag", "anon"}};
    expectBox(measure(none), 15, 0, 0);
    draw(none, 0, 100);
    EXPECT_TRUE(recorder.ops().empty());

    Engine_Table negative = withField(none, "box_table", 2, "-1");
    EXPECT_THROW(draw(negative, 0, 100), PreconditionError);
    EXPECT_THROW(measure(withField(none, "box_table", 3, "two")), PreconditionError);
    Engine_Table huge{{"start", "1"}, {"box_table", "4", "1", "4611686018427387904"}, {"box_table_entries", "12"},
                      {"box_table_colors", "black"}, {"box_table_tag", "anon"}};
    EXPECT_THROW(measure(huge), OverflowError);
}

}  // namespace
}  // namespace tl::testing
