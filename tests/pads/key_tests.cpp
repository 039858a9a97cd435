// The editing keys of the integer and real-number pads, as tables of
// (start text, key, digit limit, negatives allowed) → text.
#include "pad_test_support.hpp"

using namespace tl;
using namespace pad_test;

namespace {

struct KeyCase {
    std::string start, key;
    std::int64_t digits;
    bool negative;
    std::string result;
};

template <class Pad, class Screen>
std::string afterKey(const KeyCase& c) {
    Screen screen(c.digits, c.negative);
    Hosted host({320, 600}, std::make_unique<Pad>(gfx::Rect{}, std::vector<std::string>{"p"}, PadTables{{{c.start}}},
                                                  PadTables{}, PadTables{}, PadTables{}, OptionDefaults{},
                                                  PadTables{}));
    host.pad->setDataSource(&screen);
    press(host.root, {c.key});
    return text(host.root, 1);
}

template <class Pad, class Screen, std::size_t N>
void expectKeys(const KeyCase (&cases)[N]) {
    for (const auto& c : cases)
        EXPECT_EQ((afterKey<Pad, Screen>(c)), c.result)
            << '"' << c.start << "\" " << c.key << " limit " << c.digits << (c.negative ? " signed" : "");
}

class PadKeys : public PadTest {};

}  // namespace

TEST_F(PadKeys, IntegerFields) {
    const KeyCase cases[] = {
        {"0", "7", 4, false, "7"},        {"0", "0", 4, false, "0"},         {"123", "4", 4, false, "1234"},
        {"1234", "5", 4, false, "1234"},  {"1234", "DEL", 4, false, "123"},  {"7", "DEL", 4, false, "0"},
        {"1234", "C", 4, false, "0"},     {"5", "+/-", 4, false, "5"},       {"5", ".", 4, false, "5"},
        {"0", "3", 0, false, "3"},        {"3", "4", 0, false, "3"},         {"0", "+/-", 4, true, "-0"},
        {"-0", "5", 4, true, "-5"},       {"-5", "+/-", 4, true, "5"},       {"-0", "+/-", 4, true, "0"},
        {"-123", "4", 4, true, "-1234"},  {"-1234", "5", 4, true, "-1234"},  {"-5", "DEL", 4, true, "-0"},
        {"-0", "DEL", 4, true, "-0"},     {"-12", "DEL", 4, true, "-1"},     {"-12", "C", 4, true, "0"},
        // Texts given at creation may be empty or odd; limits may be extreme.
        {"", "DEL", 4, false, "0"},       {"-", "DEL", 4, true, "-0"},       {"12", "9", -3, false, "12"},
        {"-1", "2", INT64_MAX, true, "-12"},
    };
    expectKeys<UniversalIntegerPadView, FakeScreen>(cases);
}

TEST_F(PadKeys, RealFieldsCountDigitsNotSignPointOrLeadingZero) {
    const KeyCase cases[] = {
        {"1234", "5", 4, true, "1234"},      {"1234", ".", 4, true, "1234."},    {"1234.", "5", 4, true, "1234."},
        {"0", "5", 4, true, "5"},            {"0.", "5", 4, true, "0.5"},        {"0.123", "4", 4, true, "0.1234"},
        {"0.1234", "5", 4, true, "0.1234"},  {"-0", "7", 4, true, "-7"},         {"-0", ".", 4, true, "-0."},
        {"-0.123", "4", 4, true, "-0.1234"}, {"-0.1234", "5", 4, true, "-0.1234"}, {"-12.3", "4", 4, true, "-12.34"},
        {"3.5", ".", 4, true, "3.5"},        {"0.", "DEL", 4, true, "0"},        {"-0.", "DEL", 4, true, "-0"},
        {"3.5", "+/-", 4, false, "3.5"},
    };
    expectKeys<UniversalRealPadView, FakeRealScreen>(cases);
}

TEST_F(PadKeys, TheDigitLimitIsAskedOnlyWhenTheRuleNeedsIt) {
    FakeScreen screen(4, true);
    Hosted host({320, 600}, integerPad({{{"0"}}}));
    host.pad->setDataSource(&screen);
    press(host.root, {"5"});  // "0" is replaced without asking
    EXPECT_EQ(screen.digitQuestions, 0);
    press(host.root, {"6", "C", "+/-", "7"});  // so is "-0"
    EXPECT_EQ(screen.digitQuestions, 1);
    EXPECT_EQ(text(host.root, 1), "-7");
}

TEST_F(PadKeys, WithoutDataSourceDigitsAndSignDoNothing) {
    Hosted host({320, 600}, integerPad({{{"12"}}}));
    press(host.root, {"3", "+/-"});
    EXPECT_EQ(text(host.root, 1), "12");
    press(host.root, {"DEL"});
    EXPECT_EQ(text(host.root, 1), "1");
}

TEST_F(PadKeys, RealPadSendsInputFieldsAsShownAndOtherFieldsWithoutNegativeZero) {
    FakeRealScreen screen(4, true);
    Hosted host({320, 600}, std::make_unique<UniversalRealPadView>(
                                gfx::Rect{}, std::vector<std::string>{"p"}, PadTables{{{"0", "0", "0"}}},
                                PadTables{{{"0"}}}, PadTables{{{"0", "0"}}}, PadTables{}, OptionDefaults{}, PadTables{}));
    host.pad->setDataSource(&screen);
    host.pad->setDelegate(&screen);
    press(host.root, {"+/-", "I2", "3", ".", "P1025", "+/-", "F2050", "+/-", "2", "🤔"});
    ASSERT_EQ(screen.sent.size(), 1u);
    EXPECT_EQ(screen.sent[0].inputs, (PadTables{{{"-0", "3.", "0"}}, {{"0", "➘"}}, {{"0", "-2"}}}));
}
