// The step screen in the headless app: a strategy-like screen hands it a
// hand-built solution by segue; it shows page 1 and pages with taps.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/items.hpp"
#include "common/number_items.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"

namespace tl::testing {
namespace {

StepTriple threePages() {
    return {{{messageTable("first page")}, {messageTable("second page"), fractionItem(1, 2)}, {wholeItem(3)}},
            {{"\U0001F914"}, {"add each place value"}, {"\U0001F60E"}},
            {"NO PARAMETERS"}};
}

/// Stands in for a strategy screen: hands its solution over in prepareForSegue.
class SourceVC : public ui::ViewController {
public:
    void prepareForSegue(ui::StoryboardSegue& segue, ui::Responder*) override {
        if (segue.identifier != "Steps_Segue") return;
        StepTriple solution = threePages();
        if (auto* steps = dynamic_cast<UniversalEngineVC*>(segue.destination)) {
            steps->detailSteps = solution.steps;
            steps->detailComments = solution.comments;
            steps->detailParameters = solution.parameters;
        }
    }
};

class StepScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Screen::main().reset();
        ui::registerViewController<SourceVC>("SourceVC");
        ui::registerViewController<UniversalEngineVC>("UniversalEngineVC");
        ui::SceneDescription source, steps;
        source.name = "Source";
        source.className = "SourceVC";
        source.segues["Steps_Segue"] = "Steps";
        steps.name = "Steps";
        steps.className = "UniversalEngineVC";
        ui::Storyboard::setMain({{source, steps}, "Source"});
    }
    void TearDown() override {
        ui::Storyboard::clearMain();
        ui::Screen::main().reset();
    }

    std::vector<std::string> shownTexts(ui::HeadlessHost& host) {
        gfx::RecordingContext context;
        host.window().render(context);
        std::vector<std::string> out;
        for (const auto& t : context.texts()) out.push_back(t.text);
        return out;
    }
    static bool shows(const std::vector<std::string>& texts, std::string_view text) {
        return std::find(texts.begin(), texts.end(), std::string(text)) != texts.end();
    }

    /// A tap in the step view's bottom band, on the right or the left half.
    static gfx::Point bandTap(UniversalEngineView& view, bool right) {
        gfx::Rect b = view.bounds();
        return view.convertToWindow({b.width * (right ? 0.75 : 0.25), b.height * 0.95});
    }

    gfx::ScopedFakeFonts fonts;
};

TEST_F(StepScreen, OpensOnTheFirstPageAndPagesWithTaps) {
    ui::HeadlessHost host;
    ui::NavigationController* nav = host.window().navigationController();
    nav->topViewController()->performSegue("Steps_Segue", nullptr);
    ASSERT_EQ(nav->depth(), 2u);
    auto* screen = dynamic_cast<UniversalEngineVC*>(nav->topViewController());
    ASSERT_NE(screen, nullptr);
    UniversalEngineView* view = screen->universalEngineView();
    ASSERT_EQ(view->superview(), screen->view());
    EXPECT_EQ(view->dataSource, screen);

    auto texts = shownTexts(host);
    EXPECT_TRUE(shows(texts, "first page"));
    EXPECT_TRUE(shows(texts, "\U0001F914"));
    EXPECT_TRUE(shows(texts, kNavigatorLine));
    EXPECT_EQ(view->totalSteps, 3);

    // The view fills the safe area less 5 points on every side.
    ui::LayoutGuide::Insets safe = screen->safeAreaLayoutGuide()->insets();
    gfx::Rect root = screen->view()->bounds();
    EXPECT_EQ(view->frame(), (gfx::Rect{safe.left + 5, safe.top + 5, root.width - safe.left - safe.right - 10,
                                        root.height - safe.top - safe.bottom - 10}));

    host.tap(bandTap(*view, true));
    EXPECT_EQ(view->step, 1);
    texts = shownTexts(host);
    EXPECT_TRUE(shows(texts, "second page"));
    EXPECT_TRUE(shows(texts, "add each place value"));
    EXPECT_FALSE(shows(texts, "first page"));

    host.tap(bandTap(*view, false));
    host.tap(bandTap(*view, false));
    EXPECT_EQ(view->step, 2) << "back from the first page wraps to the last";
    EXPECT_TRUE(shows(shownTexts(host), "3"));

    // A tap above the band changes nothing.
    gfx::Rect b = view->bounds();
    host.tap(view->convertToWindow({b.width * 0.75, b.height * 0.5}));
    EXPECT_EQ(view->step, 2);
}

TEST_F(StepScreen, NothingToShowMeansAnEmptyViewThatIgnoresTaps) {
    UniversalEngineVC screen;
    EXPECT_EQ(screen.numberOfSteps(), 0);
    EXPECT_EQ(screen.stepTables(0), std::nullopt);
    UniversalEngineView* view = screen.universalEngineView();
    view->setFrame({0, 0, 300, 600});
    screen.view();  // loads: the screen becomes the view's data source

    gfx::RecordingContext context;
    gfx::ContextScope scope(&context);
    view->drawRect(view->bounds());
    EXPECT_TRUE(context.ops().empty());
    EXPECT_EQ(view->totalSteps, 0);
    view->touchesBegan({ui::Touch{{250, 590}, ui::TouchPhase::began, view}});
    EXPECT_EQ(view->step, 0);

    // Fewer comment entries than pages: the page without one is absent too.
    StepTriple solution = threePages();
    screen.detailSteps = solution.steps;
    screen.detailComments = {solution.comments[0]};
    EXPECT_EQ(screen.numberOfSteps(), 3);
    EXPECT_EQ(screen.stepTables(2), solution.steps[2]);
    EXPECT_EQ(screen.stepTables(-1), std::nullopt);
    EXPECT_EQ(screen.stepComments(1), std::nullopt);
}

}  // namespace
}  // namespace tl::testing
