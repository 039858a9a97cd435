#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"

using namespace ui;

// With the fake fonts a 30-point font advances 15 per character, has an
// ascender of 24 and a line height of 36.
class LabelText : public testing::Test {
protected:
    gfx::ScopedFakeFonts fonts;

    std::unique_ptr<Label> label(std::string text, gfx::Rect frame) {
        auto l = std::make_unique<Label>(frame);
        l->setFont(gfx::Font::system(30, 0.1));
        l->setText(std::move(text));
        l->setTextAlignment(TextAlignment::center);
        return l;
    }
};

TEST_F(LabelText, FitsAtFullSizeCentredOnTheLineBox) {
    auto l = label("0", {0, 0, 100, 50});
    auto t = l->layoutText(l->bounds().size());
    EXPECT_EQ(t.scale, 1);
    EXPECT_EQ(t.shown(), "0");
    EXPECT_DOUBLE_EQ(t.baselineLeft.x, 42.5);
    EXPECT_DOUBLE_EQ(t.baselineLeft.y, 31);  // (50 − 36) / 2 + 24
    EXPECT_EQ(l->intrinsicContentSize(), (gfx::Size{15, 36}));
    EXPECT_FALSE(l->isUserInteractionEnabled());  // a tap on it falls through to what lies below
}

TEST_F(LabelText, ShrinksToTheWidthKeepingTheBaselineOrTheCentre) {
    auto l = label("0123456789", {0, 0, 100, 50});  // 150 wide at full size
    l->setAdjustsFontSizeToFitWidth(true);
    auto t = l->layoutText(l->bounds().size());
    EXPECT_DOUBLE_EQ(t.scale, 2.0 / 3.0);
    EXPECT_EQ(t.shown(), "0123456789");
    ASSERT_EQ(t.runs.size(), 1u);
    EXPECT_DOUBLE_EQ(t.runs[0].font->pointSize(), 20);
    EXPECT_DOUBLE_EQ(t.runs[0].font->weight(), 0.1);
    EXPECT_DOUBLE_EQ(t.baselineLeft.x, 0);
    EXPECT_DOUBLE_EQ(t.baselineLeft.y, 31);  // where the 30-point baseline would be

    l->setBaselineAdjustment(BaselineAdjustment::alignCenters);
    t = l->layoutText(l->bounds().size());
    EXPECT_DOUBLE_EQ(t.baselineLeft.y, 29);  // (50 − 24) / 2 + 16: the small line box centred
}

TEST_F(LabelText, CutsTheTailWithAnEllipsisBelowTheFloorOrWithoutShrinking) {
    auto l = label("0123456789", {0, 0, 100, 50});
    l->setAdjustsFontSizeToFitWidth(true);
    l->setMinimumScaleFactor(0.8);  // 24 points, 12 per character: 120 > 100
    auto t = l->layoutText(l->bounds().size());
    EXPECT_DOUBLE_EQ(t.scale, 0.8);
    EXPECT_EQ(t.shown(), "0123456…");
    EXPECT_DOUBLE_EQ(t.width, 96);
    EXPECT_DOUBLE_EQ(t.baselineLeft.x, 2);

    l->setAdjustsFontSizeToFitWidth(false);
    t = l->layoutText(l->bounds().size());
    EXPECT_EQ(t.shown(), "01234…");
    t = l->layoutText({10, 50});  // not even "…" fits
    EXPECT_EQ(t.shown(), "");
    l->setText("ab➘cd");  // cut between code points, never inside one
    t = l->layoutText({61, 50});
    EXPECT_EQ(t.shown(), "ab➘…");
}

TEST_F(LabelText, AttributedRunsKeepTheirFontsAndColoursAndShrinkTogether) {
    Label l({0, 0, 60, 40});
    l.setFont(gfx::Font::system(20));
    l.setTextColor(gfx::palette::black);
    l.setAdjustsFontSizeToFitWidth(true);
    l.setAttributedText({{{"12", gfx::Font::monospacedDigit(40), gfx::palette::red}, {"+3", std::nullopt, std::nullopt}}});
    EXPECT_EQ(l.text(), "12+3");
    EXPECT_EQ(l.intrinsicContentSize(), (gfx::Size{60, 48}));  // 40 + 20 wide, the taller line

    l.setFrame({0, 0, 30, 40});
    gfx::RecordingContext ctx;
    {
        gfx::ContextScope scope(&ctx);
        l.drawRect(l.bounds());
    }
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "12");
    EXPECT_DOUBLE_EQ(texts[0].size, 20);
    EXPECT_EQ(texts[0].kind, gfx::FontKind::monospacedDigit);
    EXPECT_EQ(texts[0].colour, gfx::palette::red);
    EXPECT_EQ(texts[1].text, "+3");
    EXPECT_DOUBLE_EQ(texts[1].size, 10);
    EXPECT_EQ(texts[1].colour, gfx::palette::black);
    EXPECT_DOUBLE_EQ(texts[1].baselineLeft.x, 20);
    EXPECT_DOUBLE_EQ(texts[0].baselineLeft.y, texts[1].baselineLeft.y);  // one baseline: (40 − 48) / 2 + 32

    l.setText("x");  // plain text replaces the runs
    EXPECT_TRUE(l.attributedText().runs.empty());
}

TEST_F(LabelText, ButtonTitleIsCentredDimmedWhilePressedAndSizesTheButton) {
    Button b({0, 0, 100, 60});
    b.titleLabel()->setFont(gfx::Font::system(30));
    b.setTitleColor(gfx::palette::black);
    b.setTitle("DEL");
    EXPECT_EQ(b.currentTitle(), "DEL");
    EXPECT_EQ(b.intrinsicContentSize(),
              (gfx::Size{45 + 2 * Button::kHorizontalPadding, 36 + 2 * Button::kVerticalPadding}));

    gfx::RecordingContext ctx;
    b.drawHierarchy(ctx);
    b.touchesBegan({Touch{{50, 30}, TouchPhase::began, nullptr}});
    b.drawHierarchy(ctx);
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "DEL");
    EXPECT_DOUBLE_EQ(texts[0].baselineLeft.x, 27.5);
    EXPECT_DOUBLE_EQ(texts[0].baselineLeft.y, 36);
    EXPECT_EQ(texts[0].colour, gfx::palette::black);
    EXPECT_LT(texts[1].colour.a, 1);

    // A selector button shrinks its title to its width when asked.
    b.titleLabel()->setAdjustsFontSizeToFitWidth(true);
    b.setFrame({0, 0, 30, 60});
    ctx.clear();
    b.drawHierarchy(ctx);
    ASSERT_EQ(ctx.texts().size(), 1u);
    EXPECT_DOUBLE_EQ(ctx.texts()[0].size, 20);
}
