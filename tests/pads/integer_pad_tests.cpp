// The integer pad: starting selections, choosing fields, options, arrows
// and captions, and the three lists of the done key.
#include "base/errors.hpp"
#include "pad_test_support.hpp"

using namespace tl;
using namespace pad_test;

namespace {

class IntegerPad : public PadTest {};

void pressTitle(UniversalIntegerPadView& pad, const std::string& title) {
    ui::Button key;
    key.setTitle(title);
    pad.keyPressed(&key);
}

}  // namespace

TEST_F(IntegerPad, TypesIntoTheSelectedFieldAndSendsEveryField) {
    FakeScreen screen;
    Hosted host({320, 600}, integerPad({{{"0", "0"}}}));
    host.pad->setDataSource(&screen);
    host.pad->setDelegate(&screen);
    press(host.root, {"🤔", "4", "5", "I2"});
    EXPECT_EQ(host.pad->selection(), 2);
    expectSelected(host.root, {2}, {1});
    press(host.root, {"I2", "6", "7", "🤔"});
    ASSERT_EQ(screen.sent.size(), 2u);
    EXPECT_EQ(screen.sent[0].inputs, (PadTables{{{"0", "0"}}}));
    EXPECT_EQ(screen.sent[0].options, StringGrid{});
    EXPECT_EQ(screen.sent[0].multiLine, StringGrid{});
    EXPECT_EQ(screen.sent[1].inputs, (PadTables{{{"45", "67"}}}));
}

TEST_F(IntegerPad, OptionRowsKeepOneChoiceEachAndSendTheirCaptionsUnchanged) {
    FakeScreen screen;
    Hosted host({320, 600}, integerPad({{{"0", "0"}}}, {}, {},
                                       {{{" top ", " bottom "}, {" left ", " right "}},
                                        {{" row ", " column "}, {" flyback ", " snake "}}}));
    host.pad->setDelegate(&screen);
    press(host.root, {"🤔", "O4098", "O4170", "O4170", "🤔"});
    ASSERT_EQ(screen.sent.size(), 2u);
    EXPECT_EQ(screen.sent[0].options, (StringGrid{{" top ", " left "}, {" row ", " flyback "}}));
    EXPECT_EQ(screen.sent[1].options, (StringGrid{{" bottom ", " left "}, {" row ", " snake "}}));
    expectSelected(host.root, {4098, 4170}, {4097, 4169});
    EXPECT_EQ(host.pad->selection(), 1);  // choosing never moves the edited field
}

TEST_F(IntegerPad, PolynomialRowsEndInAnArrowThatTurnsOverAndTravels) {
    FakeScreen screen(4, true);
    Hosted host({320, 600}, integerPad({{{"0"}}}, {{{"1", "0"}}}));
    host.pad->setDataSource(&screen);
    host.pad->setDelegate(&screen);
    EXPECT_EQ(text(host.root, 1027), "➘");
    EXPECT_EQ(colour(host.root, 1027), gfx::palette::cyan);
    press(host.root, {"P_option1027"});
    EXPECT_EQ(text(host.root, 1027), "➚");
    press(host.root, {"P_option1027", "P_option1027"});
    EXPECT_EQ(text(host.root, 1027), "➚");
    EXPECT_EQ(host.pad->selection(), 1);
    press(host.root, {"+/-", "P1026", "+/-", "3", "🤔"});
    ASSERT_EQ(screen.sent.size(), 1u);
    // Input tables first, then polynomial rows with their arrows; "-0" goes as "0".
    EXPECT_EQ(screen.sent[0].inputs, (PadTables{{{"0"}}, {{"1", "-3", "➚"}}}));
}

TEST_F(IntegerPad, MultiLineChoiceIsOneCaptionAmongAllTables) {
    FakeScreen screen;
    Hosted host({320, 600}, integerPad({{{"0"}}}, {}, {}, {}, {}, {{{"a", "b"}}, {{"c"}}}));
    host.pad->setDelegate(&screen);
    EXPECT_EQ(host.pad->multiLineSelection(), 3073);
    press(host.root, {"🤔", "M3137", "🤔"});
    EXPECT_EQ(screen.sent.at(0).multiLine, (StringGrid{{"a"}}));
    EXPECT_EQ(screen.sent.at(1).multiLine, (StringGrid{{"c"}}));
    expectSelected(host.root, {3137}, {3073});
}

TEST_F(IntegerPad, OnlyTheSelectedFieldStartsGreenWhenSeveralKindsAreGiven) {
    Hosted host({320, 600}, integerPad({{{"0", "0"}}, {{"0"}}}, {{{"1", "0"}}}, {{{"1", "2"}}}));
    expectSelected(host.root, {1}, {2, 65, 1025, 1026, 2049, 2050});
}

TEST_F(IntegerPad, OnlyEntryFieldsCanBecomeTheEditedField) {
    FakeScreen screen;
    Hosted host({320, 600}, integerPad({{{"0"}}}, {{{"1"}}}, {}, {{{" a ", " b "}}}));
    host.pad->setDataSource(&screen);
    // Titles naming a caption, an arrow or a cell the pad lacks are ignored.
    for (const char* title : {"I4097", "P1026", "I2", "I9"}) {
        pressTitle(*host.pad, title);
        EXPECT_EQ(host.pad->selection(), 1) << title;
    }
    press(host.root, {"7"});
    EXPECT_EQ(text(host.root, 4097), " a ");
    EXPECT_EQ(text(host.root, 1), "7");
    pressTitle(*host.pad, "I1025");  // any entry field, whatever the letter
    EXPECT_EQ(host.pad->selection(), 1025);
}

TEST_F(IntegerPad, APadWithoutFieldsStillTakesChoicesAndTheDoneKey) {
    FakeScreen screen;
    Hosted host({320, 600}, integerPad({}, {}, {}, {{{" up ", " down "}}}, {}, {{{"x", "y"}}}));
    host.pad->setDataSource(&screen);
    host.pad->setDelegate(&screen);
    EXPECT_EQ(host.pad->selection(), std::nullopt);
    press(host.root, {"1", "C", "DEL", "+/-", ".", "O4098", "M3074", "🤔"});
    ASSERT_EQ(screen.sent.size(), 1u);
    EXPECT_EQ(screen.sent[0].inputs, PadTables{});
    EXPECT_EQ(screen.sent[0].options, (StringGrid{{" down "}}));
    EXPECT_EQ(screen.sent[0].multiLine, (StringGrid{{"y"}}));
}

TEST_F(IntegerPad, DefaultsOutsideTheirRowStartOnTheFirstChoiceInPadAndDisplay) {
    FakeScreen screen;
    // Group 0 row 0 names choice 8 (whose tag is row 1's first choice);
    // group 1 has no default at all.
    Hosted host({320, 600}, integerPad({{{"0"}}}, {}, {}, {{{" a ", " b "}, {" c ", " d "}}, {{" e ", " f "}}},
                                       {{8, 1}}));
    host.pad->setDelegate(&screen);
    press(host.root, {"🤔"});
    EXPECT_EQ(host.pad->optionsSelections(), (std::vector<std::vector<std::int64_t>>{{4097, 4106}, {4161}}));
    EXPECT_EQ(screen.sent.at(0).options, (StringGrid{{" a ", " d "}, {" e "}}));
    expectSelected(host.root, {4097, 4161}, {4105});
}

TEST_F(IntegerPad, RefusesShapesBeyondTheTagLimitsAndPressesFromNoButton) {
    EXPECT_THROW(integerPad({{{"0", "0", "0", "0", "0", "0", "0", "0", "0"}}}), PreconditionError);
    EXPECT_THROW(integerPad({}, {{{"0", "0", "0", "0", "0", "0", "0", "0"}}}), PreconditionError);
    Hosted host({320, 600}, integerPad({{{"0"}}}));
    EXPECT_THROW(host.pad->keyPressed(nullptr), PreconditionError);
}

TEST_F(IntegerPad, TapsOnTheFieldsFallThroughTheLabelsToTheirButtons) {
    FakeScreen screen;
    Hosted<UniversalIntegerPadView, ui::Window> host({320, 600}, integerPad({{{"0", "0"}}}));
    ui::Window& window = host.root;
    host.pad->setDataSource(&screen);
    host.pad->setDelegate(&screen);
    const auto centre = [](const ui::View& v) { return v.convertToWindow({v.bounds().width / 2, v.bounds().height / 2}); };
    window.tap(centre(label(window, 2)));
    window.tap(centre(*button(window, "9")));
    window.tap(centre(*button(window, "🤔")));
    ASSERT_EQ(screen.sent.size(), 1u);
    EXPECT_EQ(screen.sent[0].inputs, (PadTables{{{"0", "9"}}}));
}
