#include <clocale>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/checked.hpp"
#include "base/random.hpp"
#include "base/text.hpp"
#include "base/usage.hpp"

using namespace tl;

TEST(StrictParser, AcceptsOnlySignAndDigits) {
    const std::pair<const char*, std::int64_t> good[] = {{"0", 0},  {"+3", 3}, {"-3", -3}, {"007", 7},
        {"9223372036854775807", INT64_MAX}, {"-9223372036854775808", INT64_MIN}};
    for (const auto& [text, value] : good) EXPECT_EQ(tryParseInt(text), value) << text;
    for (const char* bad : {"", "-", "+", " 3", "3 ", "+-3", "--3", "3.0", "1e3", "0x1F", "٣", "3\n",
                            "9223372036854775808", "-9223372036854775809"})
        EXPECT_FALSE(tryParseInt(bad).has_value()) << '"' << bad << '"';
}

TEST(StrictParser, ThrowsTypedErrors) {
    EXPECT_THROW(parseInt("abc"), PreconditionError);
    EXPECT_THROW(parseInt("99999999999999999999"), OverflowError);
    EXPECT_EQ(parseInt("-42"), -42);
}

TEST(Checked, RejectsOverflowAtTheEdges) {
    namespace c = checked;
    using c::kMax, c::kMin;
    EXPECT_EQ(c::add(kMax - 1, 1), kMax);
    EXPECT_THROW(c::add(kMax, 1), OverflowError);
    EXPECT_THROW(c::sub(kMin, 1), OverflowError);
    EXPECT_THROW(c::mul(kMax / 2 + 1, 2), OverflowError);
    EXPECT_EQ(c::mul(-1, kMax), -kMax);
    EXPECT_THROW(c::neg(kMin), OverflowError);
    EXPECT_THROW(c::abs(kMin), OverflowError);
    EXPECT_THROW(c::div(kMin, -1), OverflowError);
    EXPECT_THROW(c::div(1, 0), PreconditionError);
    EXPECT_THROW(c::rem(1, 0), PreconditionError);
    EXPECT_EQ(c::rem(kMin, -1), 0);
    EXPECT_EQ(c::div(-7, 2), -3);
    EXPECT_EQ(c::rem(-7, 2), -1);
    EXPECT_EQ(c::pow(10, 18), 1000000000000000000);
    EXPECT_THROW(c::pow(10, 19), OverflowError);
    EXPECT_EQ(c::pow(-2, 63), kMin);
    EXPECT_EQ(c::pow(7, 0), 1);
    EXPECT_THROW(c::pow(2, -1), PreconditionError);
    EXPECT_THROW(c::narrow(static_cast<c::i128>(kMax) + 1), OverflowError);
}

TEST(WideDecimal, WritesEvery128BitValue) {
    using checked::i128;
    const i128 min = -(i128{1} << 126) - (i128{1} << 126);
    EXPECT_EQ(wideDecimal(0), "0");
    EXPECT_EQ(wideDecimal(-7), "-7");
    EXPECT_EQ(wideDecimal(static_cast<i128>(checked::kMax) * 10 + 9), "92233720368547758079");
    EXPECT_EQ(wideDecimal(min), "-170141183460469231731687303715884105728");
    EXPECT_EQ(wideDecimal(-(min + 1)), "170141183460469231731687303715884105727");
}

TEST(FormatG8, MatchesPrintfWhateverTheLocale) {
    for (double v : {0.0, 1.0, -2.5, 0.1, 1.0 / 3.0, 123456789.0, 1e20, 1e-7, 2.000000001, 1234.5678})
    {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.8g", v);
        EXPECT_EQ(formatG8(v), expected) << v;
    }
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        EXPECT_EQ(formatG8(2.5), "2.5");
        std::setlocale(LC_ALL, "C");
    }
}

// Line breaks as given, every other control character as "?": ASCII's (a
// carriage return and DEL too), the C1 ones U+0080 to U+009F (U+009B may
// start a terminal's control sequence), the line and paragraph separators;
// the rest, UTF-8 and stray bytes included, as it is.
TEST(OneLine, SendsNoControlCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb\r\n", "a / b? / "},
        {"\x1b[2J\t\x7f", "?[2J??"},
        {"3 \u2212 x", "3 \u2212 x"},
        {"", ""},
        {"x\xc2\x9b" "2Jy", "x?2Jy"},
        {"\u0080\u0085\u009f\u00a0\u00e9", "???\u00a0\u00e9"},  // C1 only: no-break space and é stay
        {"a\u2028b\u2029c\u2027\u202a", "a?b?c\u2027\u202a"},
        {"\xc2", "\xc2"},            // a character cut short is no control character
        {"\xe2\x80", "\xe2\x80"},
        {"\x9b\x80", "\x9b\x80"},  // nor are stray continuation bytes
    };
    for (const auto& [text, line] : cases) EXPECT_EQ(oneLine(text, " / "), line) << text;
}

// A quoted text: short ones whole (on one line), long ones cut after
// kExcerptCharacters characters, never inside one, then "…".
TEST(Excerpt, CutsLongTextsBetweenCharacters) {
    const std::string a199(199, 'a'), a200(200, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {std::string("a\nb\r\0\x1b", 6), "a\\nb???"}, {a200, a200}, {a200 + "b", a200 + "\u2026"},
        {a199 + "\u00e9" + "b", a199 + "\u00e9\u2026"}, {a199 + "\U0001F600b", a199 + "\U0001F600\u2026"},
        {a199 + "\u2212", a199 + "\u2212"}, {a199 + "\n\u2212b", a199 + "\\n\u2026"},
        {std::string(1000, '\0'), std::string(200, '?') + "\u2026"},
        {std::string(1000, '\x80'), std::string(800, '\x80') + "\u2026"}};  // stray continuation bytes: 4 a character
    for (const auto& [text, shown] : cases) EXPECT_EQ(excerpt(text), shown) << text.size();
}

TEST(Random, ScriptedSourceAnswersInOrderAndChecksRanges) {
    ScriptedRandom script{3, 0, 9};
    ScopedRandomSource scope(script);
    EXPECT_EQ(randomSource().uniformInRange(1, 5), 3);
    EXPECT_EQ(randomSource().uniformBelow(4), 0u);
    EXPECT_THROW(randomSource().uniformInRange(0, 5), PreconditionError);  // 9 is outside
    EXPECT_THROW(randomSource().uniformInRange(0, 5), PreconditionError);  // script exhausted
}

TEST(Random, SystemSourceStaysInRange) {
    SystemRandom rng(7);
    for (int i = 0; i < 1000; ++i) {
        auto v = rng.uniformInRange(-3, 3);
        EXPECT_GE(v, -3);
        EXPECT_LE(v, 3);
        EXPECT_LT(rng.uniformBelow(5), 5u);
    }
    EXPECT_THROW(rng.uniformInRange(2, 1), PreconditionError);
    EXPECT_THROW(rng.uniformBelow(0), PreconditionError);
}

// "--help" anywhere among the arguments asks for the usage; the program's
// own name is no argument, and after "--" nothing is a flag.
TEST(Usage, HelpAnywhereBeforeTheEndOfFlags) {
    struct Case {
        std::vector<const char*> argv;
        bool help;
    };
    for (const Case& c : {Case{{"p"}, false}, Case{{"p", "--help"}, true}, Case{{"p", "dir", "--help"}, true},
                          Case{{"p", "--help", "1", "2"}, true}, Case{{"p", "--", "--help"}, false},
                          Case{{"p", "--help=1"}, false}, Case{{"p", "-help"}, false}, Case{{"--help"}, false},
                          Case{{"p", "help"}, false}, Case{{"p", "--text", "--help", "--"}, true}}) {
        std::vector<const char*> argv = c.argv;
        argv.push_back(nullptr);
        EXPECT_EQ(tl::asksForHelp(static_cast<int>(c.argv.size()), argv.data()), c.help) << c.argv.size();
    }
}
