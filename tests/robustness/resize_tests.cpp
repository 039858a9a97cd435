// The step view and the flash cards at sizes no device has: nothing at all,
// a sliver, very wide, very tall. Drawing must finish without an exception
// and with only finite numbers in the recording; paging must still work, and
// back at phone size the page draws as before.
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "drills/double_cards.hpp"
#include "drills/drill_screens.hpp"
#include "engine/step_page.hpp"
#include "engine/universal_engine_vc.hpp"
#include "robustness/app_session.hpp"

namespace tl {
namespace {

using testing::AppSession;
using testing::expectFinite;

/// Sizes a window can take (a screen is never empty).
const std::vector<gfx::Size> kScreenSizes = {
    {1, 1}, {12, 30}, {30, 12}, {6000, 40}, {40, 6000}, {20000, 20000},
};
/// Sizes a view can take, empty ones too.
const std::vector<gfx::Size> kOddSizes = {
    {0, 0}, {0, 844}, {390, 0}, {1, 1}, {12, 30}, {30, 12}, {6000, 40}, {40, 6000}, {20000, 20000},
};

std::string name(gfx::Size s) { return std::to_string(s.width) + " × " + std::to_string(s.height); }

void expectInside(const gfx::RecordingContext& context, gfx::Size size, const std::string& what) {
    const auto drawn = context.drawnBounds();
    ASSERT_TRUE(drawn) << what;
    EXPECT_TRUE(drawn->x >= -1e-9 && drawn->y >= -1e-9 && drawn->maxX() <= size.width + 1e-9 &&
                drawn->maxY() <= size.height + 1e-9)
        << what;
}

TEST(Resize, StepScreenOfTheLargestLatticeAtOddSizes) {
    AppSession app;
    app.host().tapTitle("lattice multiplication");
    for (const char* key : {"9", "9", "9", "9", "I2", "9", "9", "9", "9", "\U0001F914"}) app.host().tapTitle(key);
    auto* steps = dynamic_cast<UniversalEngineVC*>(app.top());
    ASSERT_NE(steps, nullptr);
    UniversalEngineView* view = steps->universalEngineView();
    const auto atPhone = expectFinite(app.draw(), "phone");

    for (gfx::Size size : kScreenSizes) {
        SCOPED_TRACE(name(size));
        ASSERT_NO_THROW(app.host().resize(size));
        expectFinite(app.draw(), name(size));
        // A tap in the bottom band pages on wherever that band ended up (on
        // a window too small to hold more than the navigation bar the tap
        // would go back instead).
        const gfx::Rect b = view->bounds();
        if (b.width < 1 || b.height < 12) continue;
        const std::int64_t before = view->step;
        ASSERT_NO_THROW(app.host().tap(view->convertToWindow({b.width * 0.75, b.height - 1})));
        ASSERT_EQ(app.top(), steps);
        expectFinite(app.draw(), name(size) + " after a tap");
        EXPECT_GE(view->step, 0);
        EXPECT_LT(view->step, static_cast<std::int64_t>(steps->detailSteps.size()));
        view->step = before;
    }

    app.host().resize({390, 844});
    view->step = 0;
    EXPECT_EQ(expectFinite(app.draw(), "phone again"), atPhone);
}

// The page drawing itself, below the view: the largest lattice's worst pages
// at every odd size and at sizes a layout should never produce.
TEST(Resize, StepPageAtOddAndEmptySizes) {
    Multiply_Lattice_Model model;
    model.inputs = {{{"9999", "9999"}}};
    model.options = {{" bottom ", " right "}, {" column ", " snake "}};
    const StepTriple t = model.solve();
    std::vector<gfx::Size> sizes = kOddSizes;
    sizes.insert(sizes.end(), {{-10, 500}, {500, -10}, {-1, -1}, {1e9, 1e9}});
    for (gfx::Size size : sizes)
        for (std::size_t page : {std::size_t{0}, t.steps.size() / 2, t.steps.size() - 1}) {
            gfx::RecordingContext context;
            ASSERT_NO_THROW(drawStepPage(context, size, t, static_cast<std::int64_t>(page), 30)) << name(size);
            expectFinite(context, name(size) + " page " + std::to_string(page + 1));
            // No room at all (the navigator band takes 10 points): nothing drawn.
            if (size.width <= 0 || size.height <= 10) {
                EXPECT_TRUE(context.ops().empty()) << name(size);
            }
        }
}

// The base text size follows the window's width both ways on the pad's
// keys (the done key at 1.5 times), the step view's navigator and, shown
// again after the step screen was widened, the pad.
TEST(Resize, BaseTextSizeFollowsTheWindowWidth) {
    AppSession app;
    app.host().tapTitle("column addition");
    const auto size = [&](std::string_view key) {
        return ui::findButton(app.host().window(), key)->titleLabel()->font().pointSize();
    };
    for (const auto& [width, base] : {std::pair{390.0, 30.0}, {1024.0, 32.0}, {390.0, 30.0}}) {
        app.host().resize({width, 844});
        EXPECT_EQ(size("5"), base);
        EXPECT_EQ(size("\U0001F914"), 1.5 * base);
    }
    app.host().tapTitle("\U0001F914");
    app.host().resize({1024, 844});
    double navigator = 0;
    for (const auto& text : app.draw().texts())
        if (text.text == kNavigatorLine) navigator = text.size;
    EXPECT_EQ(navigator, 32);
    ASSERT_TRUE(app.host().back());
    EXPECT_EQ(size("5"), 32);
}

/// Every face of every card a drill can show, drawn at `size`; `inside`:
/// all of it within the view.
void drawEveryCard(gfx::Size size, bool inside = false) {
    const auto check = [&](ui::View& card, const std::string& what, bool shown) {
        card.setFrame({0, 0, size.width, size.height});
        gfx::RecordingContext context;
        ASSERT_NO_THROW(card.drawHierarchy(context)) << what;
        expectFinite(context, what);
        if (inside && shown) expectInside(context, size, what);
    };
    for (bool front : {true, false}) {
        for (const char* kind : {"count on", "combine to ten", "make a ten"})
            for (std::int64_t first = 0; first <= 10; ++first) {
                std::unique_ptr<drills::CountCardView> card;
                if (front)
                    card = std::make_unique<drills::Count_First>();
                else
                    card = std::make_unique<drills::Count_Flip>();
                card->countsName = kind;
                card->countsFirst = first;
                card->countsSecond = 10 - first;
                check(*card, name(size) + " " + kind + " " + std::to_string(first), true);
            }
        for (std::int64_t code = 0; code < 80; ++code) {
            std::unique_ptr<drills::DoubleCardView> card;
            if (front)
                card = std::make_unique<drills::Double_First>();
            else
                card = std::make_unique<drills::Double_Flip>();
            card->doublesName = code;
            check(*card, name(size) + " doubles " + std::to_string(code), drills::doublesProblem(code).has_value());
        }
    }
}

TEST(Resize, FlashCardsAtOddSizes) {
    for (gfx::Size size : kOddSizes) drawEveryCard(size);
}

// Turned either way, at phone, tablet and desktop sizes, a card shows all
// of its title, pictures and equation.
TEST(Resize, FlashCardsKeepTheirDrawingInsideTheView) {
    for (gfx::Size size : {gfx::Size{390, 700}, {844, 390}, {1280, 800}, {1366, 1024}, {1024, 1302}})
        drawEveryCard(size, true);
}

// The flash-card screens inside the app, resized while a card flips.
TEST(Resize, DrillScreensAtOddSizes) {
    for (const char* drill : {"counting on and making ten", "doubles"}) {
        SCOPED_TRACE(drill);
        AppSession app;
        app.host().tapTitle(drill);
        auto* menu = dynamic_cast<drills::DrillMenu*>(app.top());
        ASSERT_NE(menu, nullptr);
        app.host().tapTitle(menu->pickList().back());
        for (gfx::Size size : kScreenSizes) {
            ASSERT_NO_THROW(app.host().resize(size)) << name(size);
            expectFinite(app.draw(), name(size));
            ASSERT_NO_THROW(app.host().tap({size.width / 2, size.height / 2})) << name(size);
            app.host().wait(0.5);
            expectFinite(app.draw(), name(size) + " while flipping");
            app.host().finishAnimations();
        }
    }
}

}  // namespace
}  // namespace tl
