#include <clocale>
#include <cstdio>
#include <optional>
#include <random>
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
// start a terminal's control sequence), the line and paragraph separators,
// and each byte that is no part of a UTF-8 character (0x9B alone is that
// start on a terminal of 8-bit characters); the rest, UTF-8, as it is.
TEST(OneLine, SendsNoControlCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb\r\n", "a / b? / "},
        {"\x1b[2J\t\x7f", "?[2J??"},
        {"3 \u2212 x", "3 \u2212 x"},
        {"", ""},
        {"x\xc2\x9b" "2Jy", "x?2Jy"},
        {"\u0080\u0085\u009f\u00a0\u00e9", "???\u00a0\u00e9"},  // C1 only: no-break space and é stay
        {"a\u2028b\u2029c\u2027\u202a", "a?b?c\u2027\u202a"},
        // Bytes that are no part of a UTF-8 character, one "?" each.
        {"x\x9b" "2Jy", "x?2Jy"},                          // a lone C1 byte
        {"\xc2", "?"},                                     // a character cut short
        {"\xe2\x80", "??"},
        {"\xf0\x9f\x98", "???"},
        {"\xe2\x80" "a\u2212", "??a\u2212"},
        {"\x9b\x80", "??"},                                // stray continuation bytes
        {"\xc0\xaf\xc1\xbf", "????"},                      // overlong forms
        {"\xe0\x9f\xbf\xf0\x8f\xbf\xbf", "???????"},
        {"\xed\xa0\x80\xed\xbf\xbf", "??????"},              // surrogates
        {"\xf4\x90\x80\x80\xf5\x80\xf8\xff", "????????"},  // beyond U+10FFFF
        // The edges of each length, valid.
        {"\u0080\u07ff\u0800\ud7ff\ue000\uffff\U00010000\U0010FFFF",
         "?\u07ff\u0800\ud7ff\ue000\uffff\U00010000\U0010FFFF"},
        {"\U0001F914\U0001F600", "\U0001F914\U0001F600"},
    };
    for (const auto& [text, line] : cases) EXPECT_EQ(oneLine(text, " / "), line) << text;
}

namespace {

// The code points of `text` as UTF-8 reads them (Unicode's definition: the
// shortest form, no surrogate, nothing beyond U+10FFFF), or none when the
// text is not valid UTF-8.
std::optional<std::vector<char32_t>> codePoints(const std::string& text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int ones = lead < 0x80 ? 0 : lead < 0xc0 ? -1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : lead < 0xf8 ? 4 : -1;
        if (ones < 0) return std::nullopt;
        const std::size_t length = ones == 0 ? 1 : static_cast<std::size_t>(ones);
        if (i + length > text.size()) return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7f >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) return std::nullopt;
            point = point << 6 | (next & 0x3f);
        }
        const char32_t shortest = length == 1 ? 0 : length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (point < shortest || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff)) return std::nullopt;
        points.push_back(point);
        i += length;
    }
    return points;
}

bool isControl(char32_t point) {
    return point < 0x20 || (point >= 0x7f && point <= 0x9f) || point == 0x2028 || point == 0x2029;
}

// `point` in UTF-8.
std::string encoded(char32_t point) {
    if (point < 0x80) return std::string(1, static_cast<char>(point));
    const std::size_t length = point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
    std::string bytes(length, '\0');
    for (std::size_t k = length - 1; k > 0; --k, point >>= 6) bytes[k] = static_cast<char>(0x80 | (point & 0x3f));
    bytes[0] = static_cast<char>(((0xff00 >> length) & 0xff) | point);
    return bytes;
}

}  // namespace

// Any bytes at all (random ones, and random runs of the bytes that start,
// continue or cannot be in UTF-8) come out of oneLine as valid UTF-8 with
// no control character; a text of printable characters comes out as it is.
TEST(OneLine, GivesValidUtf8WithoutControlCharactersForAnyBytes) {
    std::mt19937_64 random(20240611);
    const std::vector<unsigned char> awkward = {0x00, 0x0a, 0x0d, 0x1b, 0x7f, 0x80, 0x9b, 0xbf, 0xc0, 0xc1, 0xc2,
                                                0xdf, 0xe0, 0xe2, 0xed, 0xef, 0xf0, 0xf4, 0xf5, 0xf8, 0xfe, 0xff};
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 24, '\0');
        for (char& c : text)
            c = static_cast<char>(round % 2 == 0 ? random() % 256 : awkward[random() % awkward.size()]);
        for (const std::string& shown : {oneLine(text, " / "), oneLine(text, "\\n"), excerpt(text)}) {
            const auto points = codePoints(shown);
            ASSERT_TRUE(points.has_value())
                << ::testing::PrintToString(text) << " gave " << ::testing::PrintToString(shown);
            for (const char32_t point : *points)
                ASSERT_FALSE(isControl(point)) << ::testing::PrintToString(text) << " gave U+" << std::hex << static_cast<std::uint32_t>(point);
        }
        // Printable characters of every length of UTF-8 stay as they are.
        std::string printable;
        for (std::size_t n = random() % 12; n > 0; --n) {
            char32_t point;
            do point = static_cast<char32_t>(random() % 0x110000);
            while (isControl(point) || (point >= 0xd800 && point <= 0xdfff));
            printable += encoded(point);
        }
        ASSERT_EQ(oneLine(printable, " / "), printable) << ::testing::PrintToString(printable);
    }
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
        // A byte that is no part of a UTF-8 character is one, as the "?" it shows as.
        {std::string(1000, '\x80'), std::string(200, '?') + "\u2026"},
        {a199 + "\xe2\x80", a199 + "?\u2026"}, {a199 + "\xf0\x9f\x98\x80", a199 + "\U0001F600"}};
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
