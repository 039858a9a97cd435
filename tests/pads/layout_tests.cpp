// Geometry of the pads' parts, solved by the layout engine.
#include "pad_test_support.hpp"
#include "pads/info_view.hpp"
#include "pads/integer_io_view.hpp"
#include "pads/numeric_pad_view.hpp"

using namespace tl;
using namespace pad_test;

namespace {

class PadLayout : public PadTest {};

void expectRect(gfx::Rect actual, gfx::Rect expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6);
    EXPECT_NEAR(actual.y, expected.y, 1e-6);
    EXPECT_NEAR(actual.width, expected.width, 1e-6);
    EXPECT_NEAR(actual.height, expected.height, 1e-6);
}

// An entry display of `size`; at(tag) is the frame of a label.
struct Display : Hosted<UniversalIntegerIOView> {
    Display(gfx::Size size, const PadTables& inputs, const PadTables& polynomials, const PadTables& fractions,
            const PadTables& options = {})
        : Hosted(size, std::make_unique<UniversalIntegerIOView>(gfx::Rect{}, inputs, polynomials, fractions, options,
                                                                 OptionDefaults{}, PadTables{})) {}
    gfx::Rect at(std::int64_t tag) { return frameIn(label(root, tag)); }
};

}  // namespace

TEST_F(PadLayout, PadStacksPromptEntryAndKeypadByTheirRatios) {
    Hosted host({320, 600}, integerPad({{{"0", "0"}}}));
    const auto& parts = host.pad->subviews();
    ASSERT_EQ(parts.size(), 3u);
    const gfx::Rect prompt = frameIn(*parts[0]), entry = frameIn(*parts[1]), keypad = frameIn(*parts[2]);
    EXPECT_NEAR(keypad.height, 411.63, 0.005);
    EXPECT_NEAR(prompt.height, 109.77, 0.005);
    EXPECT_NEAR(entry.height, 68.60, 0.005);
    EXPECT_NEAR(entry.y, prompt.maxY() + 5, 1e-6);
    EXPECT_NEAR(keypad.y, entry.maxY() + 5, 1e-6);
    EXPECT_NEAR(keypad.maxY(), 600, 1e-6);
    EXPECT_NEAR(keypad.width, 320, 1e-6);
    expectRect(frameIn(*parts[0]->subviews()[1]), {0, prompt.height / 2, 320, prompt.height / 2});
    expectRect(frameIn(label(host.root, 2)), {(320 + 5) / 2.0, entry.y, (320 - 5) / 2.0, entry.height});
}

TEST_F(PadLayout, KeypadRowsAreEqualAndTheLastRowIsOneHalfHalf) {
    Hosted host({401, 403}, std::make_unique<UniversalNumericPadView>());
    const double row = (403 - 3) / 4.0, key = (401 - 3) / 4.0, last = 3 * row + 3;
    expectRect(frameIn(*button(host.root, "7")), {0, 0, key, row});
    expectRect(frameIn(*button(host.root, "DEL")), {3 * key + 3, 2 * row + 2, key, row});
    expectRect(frameIn(*button(host.root, "0")), {0, last, (401 - 2) / 2.0, row});
    expectRect(frameIn(*button(host.root, ".")), {(401 - 2) / 2.0 + 1, last, (401 - 2) / 4.0, row});
    expectRect(frameIn(*button(host.root, "🤔")), {401 - (401 - 2) / 4.0, last, (401 - 2) / 4.0, row});
}

// Made at one width, the parts take the base size of every later width at
// their next layout.
TEST_F(PadLayout, BaseTextSizeFollowsTheMainScreenWidth) {
    UniversalNumericPadView keypad;
    UniversalInfoView prompt({"line"}, {});
    UniversalIntegerIOView display({}, {{{"0"}}}, {{{"1"}}}, {}, {}, {}, {});
    for (const auto& [width, size] : {std::pair{390.0, 30.0}, {430.0, 32.0}, {428.0, 30.0}, {1024.0, 32.0}}) {
        SCOPED_TRACE(width);
        setMainScreenWidth(width);
        for (ui::View* part : std::initializer_list<ui::View*>{&keypad, &prompt, &display}) ui::layoutIfNeeded(part);
        EXPECT_EQ(button(keypad, "5")->titleLabel()->font().pointSize(), size);
        EXPECT_EQ(button(keypad, "🤔")->titleLabel()->font().pointSize(), 1.5 * size);
        EXPECT_EQ(static_cast<ui::Label&>(*prompt.subviews().at(0)).font().pointSize(), size);
        EXPECT_EQ(label(display, 1).font().pointSize(), size);
        EXPECT_EQ(label(display, 1026).font().pointSize(), size);  // a polynomial row's arrow
        EXPECT_EQ(button(display, "I1")->titleLabel()->font().pointSize(), size);
    }
}

TEST_F(PadLayout, OrdinaryLinesShareWidthAndHeight) {
    Display one({300, 100}, {{{"0", "0"}}}, {}, {});
    expectRect(one.at(1), {0, 0, 147.5, 100});
    expectRect(one.at(2), {152.5, 0, 147.5, 100});
    // An option line above the input line: two lines 50 high, 5 apart.
    Display two({300, 105}, {{{"0", "0"}}}, {}, {}, {{{" a ", " b "}}});
    expectRect(two.at(4097), {0, 0, 147.5, 50});
    expectRect(two.at(1), {0, 55, 147.5, 50});
    // Two rows of a table side by side: 5 inside a row, 10 between rows.
    Display rows({330, 60}, {{{"0", "0"}, {"0", "0"}}}, {}, {});
    expectRect(rows.at(2), {82.5, 0, 77.5, 60});
    expectRect(rows.at(9), {170, 0, 77.5, 60});
    // A polynomial row's arrow is a cell like the others.
    Display poly({310, 40}, {}, {{{"1", "0"}}}, {});
    expectRect(poly.at(1027), {210, 0, 100, 40});
}

TEST_F(PadLayout, FractionLinesStackNumeratorOverDenominator) {
    Display fraction({200, 160}, {{{"0"}}}, {}, {{{"1", "2"}}});
    expectRect(fraction.at(1), {0, 0, 200, 50});
    expectRect(fraction.at(2049), {0, 55, 200, 50});
    expectRect(fraction.at(2050), {0, 110, 200, 50});
    const double h = (160 - 5) / 3.0;
    Display mixed({205, 160}, {{{"0"}}}, {}, {{{"1", "2", "3"}}});
    expectRect(mixed.at(2049), {0, h + 5, 100, 2 * h});
    expectRect(mixed.at(2051), {105, h + 5 + (2 * h - 5) / 2 + 5, 100, (2 * h - 5) / 2});
    Display alone({100, 85}, {}, {}, {{{"1", "2"}}});
    expectRect(alone.at(2050), {0, 45, 100, 40});
}

TEST_F(PadLayout, FractionLinesBelowFractionLinesAndMixedRowsLayOutSoundly) {
    // Ordinary line h, two fraction lines of 2h + 5 each: 5h + 20 = 220.
    Display stacked({100, 220}, {{{"0"}}}, {}, {{{"1", "2"}}, {{"3", "4"}}});
    expectRect(stacked.at(2050), {0, 90, 100, 40});
    expectRect(stacked.at(2113), {0, 135, 100, 40});
    expectRect(stacked.at(2114), {0, 180, 100, 40});
    // Without an ordinary line the first fraction line sets the unit.
    Display only({100, 170}, {}, {}, {{{"1", "2"}}, {{"3", "4", "5"}}});
    expectRect(only.at(2049), {0, 0, 100, 40});
    expectRect(only.at(2113), {0, 90, 47.5, 80});
    // A fraction beside a mixed number: the first row sets the line's
    // height (2h + 5) and the mixed number fits it.
    Display mixedRow({320, 160}, {{{"0"}}}, {}, {{{"1", "2"}, {"3", "4", "5"}}});
    const double w = (320 - 10 - 5) / 3.0;
    expectRect(mixedRow.at(2050), {0, 110, w, 50});
    expectRect(mixedRow.at(2057), {w + 10, 55, w, 105});
    expectRect(mixedRow.at(2059), {2 * w + 15, 110, w, 50});
}

TEST_F(PadLayout, EmptyTablesAndOddFractionRowsLeaveTheRestIntact) {
    Display odd({300, 100}, {{}, {{}, {"0", "0"}}}, {}, {{{"9"}}});
    expectRect(odd.at(viewTag(1, 1, 0, Tag::input)), {0, 0, 147.5, 100});
    expectRect(odd.at(viewTag(1, 1, 1, Tag::input)), {152.5, 0, 147.5, 100});
    EXPECT_TRUE(label(odd.root, 2049).isHidden());  // a one-cell fraction row has no place
    EXPECT_TRUE(button(odd.root, "F2049")->isHidden());
    Display nothing({300, 100}, {}, {}, {});
    EXPECT_TRUE(nothing.pad->subviews().empty());
}
