// Measures of the real, pinned faces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/font.hpp"
#include "platform/gfx/pango_fonts.hpp"
#include "platform/gfx/system_fonts.hpp"
#include "platform/gfx/text.hpp"

using namespace gfx;

namespace {

const std::vector<std::string> kDigits{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

double width(std::string_view text, const Font& font) { return measureText(text, font).width; }

}  // namespace

TEST(SystemFonts, DigitsAreAllAsWideAsZeroInTheMonospacedFonts) {
    for (const Font& font : {Font::monospacedDigit(30), Font::monospacedDigit(30, weight::medium),
                             Font::monospacedDigit(30, weight::heavy), Font::monospaced(30)}) {
        double zero = width("0", font);
        EXPECT_GT(zero, 0);
        for (const auto& digit : kDigits) EXPECT_DOUBLE_EQ(width(digit, font), zero) << digit;
        // Tabular digits keep their width in any neighbourhood (no kerning between them).
        EXPECT_NEAR(width("1711", font), 4 * zero, 1e-9);
    }
    // Without tabular figures the system font's "1" is narrower, so the feature is what makes the difference.
    EXPECT_LT(width("1", Font::system(30)), width("0", Font::system(30)));
}

TEST(SystemFonts, WidthsScaleLinearlyAndEmptySizesMeasureZero) {
    const std::string text = "12 + 345 − 6 = 351 🤔";
    for (const Font& unit : {Font::system(1), Font::monospacedDigit(1, weight::medium), Font::monospaced(1)}) {
        double w1 = width(text, unit);
        ASSERT_GT(w1, 0);
        for (double size : {0.25, 7.5, 30.0, 123.0}) EXPECT_NEAR(width(text, unit.withSize(size)), w1 * size, 1e-9 * size);
        EXPECT_EQ(measureText(text, unit.withSize(0)), (Size{0, 0}));
        EXPECT_EQ(measureText(text, unit.withSize(-3)), (Size{0, 0}));
    }
    EXPECT_EQ(width("", Font::system(30)), 0);
}

TEST(SystemFonts, TextOfSeveralLinesIsTheWidestLineByLinesTimesLineHeight) {
    Font font = Font::monospacedDigit(20, weight::medium);
    Size size = measureText("1\n22\n333", font);
    EXPECT_DOUBLE_EQ(size.width, width("333", font));
    EXPECT_DOUBLE_EQ(size.height, 3 * font.lineHeight());
    // An emoji line does not make its line taller: the primary face decides.
    EXPECT_DOUBLE_EQ(measureText("🤔\n😎", font).height, 2 * font.lineHeight());
}

TEST(SystemFonts, MetricsComeFromThePinnedFaces) {
    Font inter = Font::system(1);
    // Inter's own tables (2816 units per em): ascender 2728, descender −680, cap height 2048, x-height 1536.
    EXPECT_NEAR(inter.ascender(), 0.96875, 1e-4);
    EXPECT_NEAR(inter.descender(), -0.241477, 1e-4);
    EXPECT_NEAR(inter.capHeight(), 0.727273, 1e-4);
    EXPECT_NEAR(inter.xHeight(), 0.545455, 1e-4);
    EXPECT_GE(inter.lineHeight(), inter.ascender() - inter.descender());
    // All Inter weights share these vertical measures; sizes multiply them.
    Font bold = Font::system(30, weight::bold);
    EXPECT_NEAR(bold.capHeight(), 30 * inter.capHeight(), 1e-9);
    EXPECT_NEAR(bold.lineHeight(), 30 * inter.lineHeight(), 1e-9);

    for (const Font& font : {Font::monospaced(1), *Font::named("ChalkDuster", 1)}) {
        EXPECT_GT(font.ascender(), font.capHeight());
        EXPECT_GT(font.capHeight(), font.xHeight());
        EXPECT_GT(font.xHeight(), 0);
        EXPECT_LT(font.descender(), 0);
        EXPECT_GE(font.lineHeight(), font.ascender() - font.descender());
    }
}

TEST(SystemFonts, WeightsPickTheNearestFace) {
    const std::string text = "Hello 0123";
    std::vector<double> steps{weight::ultraLight, weight::thin,  weight::light, weight::regular, weight::medium,
                              weight::semibold,   weight::bold,  weight::heavy, weight::black};
    double previous = 0;
    for (double w : steps) {
        double current = width(text, Font::system(30, w));
        EXPECT_GT(current, previous) << "weight " << w;  // Inter widens with every heavier face
        previous = current;
    }
    // 0.25 lies nearest to medium; the weight asked for is kept on the font.
    EXPECT_DOUBLE_EQ(width(text, Font::system(30, 0.25)), width(text, Font::system(30, weight::medium)));
    EXPECT_EQ(Font::system(30, 0.25).weight(), 0.25);
    // The same request gives the same face, so equal fonts compare equal.
    EXPECT_EQ(Font::monospacedDigit(30, weight::medium), Font::monospacedDigit(30, weight::medium));
    EXPECT_NE(Font::monospacedDigit(30, weight::medium), Font::monospacedDigit(30, weight::bold));
    EXPECT_EQ(Font::monospacedDigit(30).kind(), FontKind::monospacedDigit);
}

TEST(SystemFonts, NamedFontsArePresentOnlyWhenInstalled) {
    auto chalk = Font::named("ChalkDuster", 40);
    ASSERT_TRUE(chalk.has_value());
    EXPECT_EQ(chalk->kind(), FontKind::named);
    EXPECT_EQ(chalk->face().name(), "ChalkDuster");
    EXPECT_NE(width("Chalk 12", *chalk), width("Chalk 12", Font::system(40)));
    EXPECT_FALSE(Font::named("NoSuchFont", 40).has_value());
    EXPECT_FALSE(Font::named("", 40).has_value());
}

TEST(SystemFonts, SymbolsAndEmojiHaveGlyphsInEveryKind) {
    const std::string symbols = "−×÷≤≥±√➩∙➘➚⁰¹²³⁴⁵⁶⁷⁸⁹ prior next 🤔😎👈🏽👉🏽";
    for (const Font& font : {Font::system(30, weight::medium), Font::monospacedDigit(30, weight::medium),
                             Font::monospaced(30), *Font::named("ChalkDuster", 30)}) {
        EXPECT_TRUE(detail::hasGlyphs(font.face(), symbols)) << font.face().name();
        EXPECT_FALSE(detail::hasGlyphs(font.face(), "\u0378")) << "an unassigned code point has no glyph";
    }
    // A skin-tone sequence is one picture, as wide as the bare emoji.
    Font font = Font::system(30);
    EXPECT_DOUBLE_EQ(width("👈🏽", font), width("👈", font));
    EXPECT_NEAR(width("👈🏽", font), 30 * 2550.0 / 2048.0, 1e-3);  // Noto Color Emoji's advance
}

TEST(SystemFonts, EmojiPresentationSequencesMeasureWithTheColourFace) {
    const double emoji = 30 * 2550.0 / 2048.0;  // Noto Color Emoji's advance
    for (const Font& font : {Font::system(30), Font::monospacedDigit(30, weight::medium), Font::monospaced(30)}) {
        for (std::string sequence : {"☘️", "❤️", "✔️", "☺️", "1️⃣", "#️⃣"}) {
            EXPECT_NEAR(width(sequence, font), emoji, 1e-3) << sequence << " in " << font.face().name();
            EXPECT_TRUE(detail::hasGlyphs(font.face(), sequence)) << sequence;
        }
        // The keycap's digit is part of the picture: tabular figures around it keep their own width.
        EXPECT_NEAR(width("1️⃣0", font), emoji + width("0", font), 1e-3) << font.face().name();
    }
    // Without the selector a character the text face has keeps its text glyph.
    EXPECT_LT(width("❤", Font::system(30)), emoji - 1);
    EXPECT_NEAR(width("1", Font::monospacedDigit(30)), width("0", Font::monospacedDigit(30)), 1e-9);
}

TEST(SystemFonts, MalformedTextStillMeasures) {
    Font font = Font::system(30);
    double w = width("12\xff\xfe", font);
    EXPECT_GT(w, width("12", font));
    EXPECT_DOUBLE_EQ(width("12\xff\xfe", font), w);  // and the same again, from the cache
}
