// The app shell: the menu and its navigation, paging on the step screen,
// coming back to a pad, and failures that end in a page instead of the app.
#include "app/storyboard.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/items.hpp"
#include "drills/drill_screens.hpp"
#include "engine/step_page.hpp"
#include "platform/ui/storyboard.hpp"
#include "screens/app_driver.hpp"
#include "screens/strategy_screens.hpp"

namespace tl {
namespace {

using testing::AppDriver;
using testing::contains;
using testing::pageTexts;

TEST(AppMenu, ListsEveryStrategyByOperationAndEachRowOpensAScreenWithABackControl) {
    AppDriver app;
    ASSERT_EQ(app.topScene(), kMenuScene);
    EXPECT_FALSE(app.host().back());
    std::vector<std::string> headers;
    std::size_t rows = 0;
    for (const MenuSection& s : appMenu()) {
        headers.push_back(s.header);
        rows += s.rows.size();
    }
    EXPECT_EQ(headers, (std::vector<std::string>{"addition", "subtraction", "multiplication", "division",
                                                 "place value", "drills"}));
    EXPECT_EQ(rows, strategyScreenValues().size() + 2);
    for (const MenuSection& s : appMenu()) {
        for (const MenuRow& r : s.rows) {
            SCOPED_TRACE(r.text);
            app.tap({r.text});
            EXPECT_EQ(app.navigation().depth(), 2u);
            std::string back = app.navigation().navigationBar()->backTitle();
            ASSERT_FALSE(back.empty());
            app.tap({back});  // the learner taps the back control itself
            EXPECT_EQ(app.topScene(), kMenuScene);
        }
    }
    app.tap({"counting on and making ten"});
    EXPECT_EQ(app.topScene(), "Count_Menu_VC");
    ASSERT_TRUE(app.host().back());
    app.tap({"doubles"});
    EXPECT_EQ(app.topScene(), "Double_Menu_VC");
}

// From the first screen to a drill card and over to its back, with the
// problems picked by a scripted source: the front shows the problem, a tap
// anywhere fades the back in over one second.
TEST(AppDrills, AMenuRowOpensACardWhoseBackFadesInOverOneSecond) {
    struct Case {
        const char* menu;
        const char* row;
        std::int64_t draw;
        std::vector<std::string> front, back;
    };
    const Case cases[] = {
        {"counting on and making ten", "make a ten from eight", 7, {"make a ten", "8 + 7"},
         {"make that ten", "8 + 7 = 10 + 5 = 15"}},
        {"doubles", "double minus one", 5, {"double minus 1", "5 + 4"},
         {"double 5 minus 1", "5 + 4 = 5 + 5 \u2212 1 = 9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        AppDriver app;
        ScriptedRandom random{c.draw};
        ScopedRandomSource scope(random);
        app.tap({c.menu, c.row});
        EXPECT_EQ(random.remaining(), 0u);
        ASSERT_NE(dynamic_cast<drills::FlashCardScreen*>(app.top()), nullptr);
        const auto shows = [&](const std::vector<std::string>& texts) {
            for (const std::string& t : texts)
                if (!app.drew(t)) return false;
            return true;
        };
        EXPECT_TRUE(shows(c.front));
        EXPECT_FALSE(app.drew(c.back[1]));

        const gfx::Rect b = app.top()->view()->bounds();
        app.host().tap(app.top()->view()->convertToWindow({b.width / 2, b.height / 2}));
        app.host().wait(0.5);
        EXPECT_TRUE(app.drew(c.back[1]));  // both faces, half way
        EXPECT_TRUE(app.drew(c.front[1]));
        app.host().wait(0.5);
        EXPECT_TRUE(shows(c.back));
        EXPECT_FALSE(app.drew(c.front[0]));

        ASSERT_TRUE(app.host().back());
        app.host().finishAnimations();
        EXPECT_EQ(app.navigation().depth(), 2u);
    }
}

// Opens a strategy by its menu row (and option taps), enters 45 and 67 and
// asks for the steps.
void askSteps(AppDriver& app, std::initializer_list<std::string_view> opening) {
    app.tap(opening);
    app.type("45");
    app.tap({"I2", "6", "7", "\U0001F914"});
}

TEST(StepScreen, PagingWithPriorAndNextWrapsAtBothEnds) {
    AppDriver app;
    askSteps(app, {"column addition"});
    ASSERT_NE(app.steps(), nullptr);
    const auto pages = static_cast<std::int64_t>(app.steps()->detailSteps.size());
    ASSERT_GE(pages, 3);
    EXPECT_TRUE(app.drew("\U0001F914"));
    app.prior();
    EXPECT_EQ(app.page(), pages - 1);
    EXPECT_TRUE(app.drew("\U0001F60E"));
    app.next();
    EXPECT_EQ(app.page(), 0);
    app.next();
    EXPECT_EQ(app.page(), 1);
    EXPECT_TRUE(app.drew(kNavigatorLine));
}

// A window draws a frame between two events, and the step view learns its
// page count as it draws: the headless host must do the same, or a tap
// straight after the segue would be lost.
TEST(StepScreen, ATapRightAfterTheSegueTurnsThePage) {
    AppDriver app;
    askSteps(app, {"column addition"});
    ASSERT_NE(app.steps(), nullptr);
    UniversalEngineView* view = app.steps()->universalEngineView();
    const gfx::Rect b = view->bounds();
    app.host().tap(view->convertToWindow({b.width * 0.75, b.height - 10}));
    EXPECT_EQ(app.page(), 1);
}

TEST(StepScreen, BackReturnsToThePadWithItsNumbersAndAFreshEntryReplacesTheModel) {
    AppDriver app;
    askSteps(app, {"partial sums", "O4098"});
    ASSERT_NE(app.steps(), nullptr);
    ASSERT_TRUE(app.host().back());
    ASSERT_NE(app.screen(), nullptr);
    EXPECT_EQ(app.label(1), "45");
    EXPECT_EQ(app.label(2), "67");
    EXPECT_EQ(app.screen()->modelFields().options, (StringGrid{{" right to left "}}));

    // The second field is still the one being edited.
    app.tap({"DEL", "O4097", "\U0001F914"});
    ASSERT_NE(app.steps(), nullptr);
    const ModelFields& model = app.screenBelow()->modelFields();
    EXPECT_EQ(model.inputs, (PadTables{{{"45", "6"}}}));
    EXPECT_EQ(model.options, (StringGrid{{" left to right "}}));
    EXPECT_TRUE(model.multiLine.empty());
}

// Models whose builders go wrong, to see the step screen survive them.
struct BrokenModel : ModelFields {
    StepTriple refuse() const { throw PreconditionError("no such number"); }
    StepTriple overflow() const { throw OverflowError("too large"); }
    StepTriple malformed() const {
        return {{{Engine_Table{{"start", "one"}, {"message", "7"}}}}, {{"look"}}, {"NO PARAMETERS"}};
    }
};
using Refusing_VC = StrategyScreen<BrokenModel, &BrokenModel::refuse>;
using Overflowing_VC = StrategyScreen<BrokenModel, &BrokenModel::overflow>;
using Malformed_VC = StrategyScreen<BrokenModel, &BrokenModel::malformed>;

template <class Screen>
void launchBroken(const char* name) {
    registerApplication();
    ui::ClassRegistry::addViewController(name, [] {
        return std::make_unique<Screen>(StrategyScreenValues{"Broken_VC", "Broken_Segue", {"enter both numbers"},
                                                             {{{"0", "0"}}}, {}, 4, false});
    });
    ui::StoryboardDescription board = appStoryboard();
    ui::SceneDescription scene;
    scene.name = "Broken_VC";
    scene.className = name;
    scene.title = "broken";
    scene.segues["Broken_Segue"] = kStepScene;
    board.scenes.push_back(scene);
    board.initialScene = "Broken_VC";
    ui::Storyboard::setMain(board);
}

TEST(StepScreen, ABuilderThatBreaksAPreconditionShowsUnexpectedErrorAndTheLearnerCanGoBack) {
    for (int which = 0; which < 2; ++which) {
        if (which == 0) launchBroken<Refusing_VC>("Refusing_VC");
        else launchBroken<Overflowing_VC>("Overflowing_VC");
        AppDriver app(true);
        app.tap({"\U0001F914"});
        ASSERT_NE(app.steps(), nullptr);
        ASSERT_EQ(app.steps()->detailSteps.size(), 1u);
        EXPECT_TRUE(contains(pageTexts(app.steps()->detailSteps[0]), "unexpected error"));
        EXPECT_TRUE(app.drew("unexpected error"));
        ASSERT_TRUE(app.host().back());
        EXPECT_EQ(app.topScene(), "Broken_VC");
    }
}

TEST(StepScreen, ATableThatCannotBeDrawnShowsSystemErrorInTable) {
    launchBroken<Malformed_VC>("Malformed_VC");
    AppDriver app(true);
    app.tap({"\U0001F914"});
    ASSERT_NE(app.steps(), nullptr);
    EXPECT_TRUE(app.drew("system error in table"));
    ASSERT_TRUE(app.host().back());
}

}  // namespace
}  // namespace tl
