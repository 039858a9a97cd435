// Problem picking, the menus and the flash-card screens, the latter driven
// through the headless host as a learner would use them.
#include <cstdlib>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "base/random.hpp"
#include "drills/drill_scenes.hpp"
#include "drills/drill_screens.hpp"
#include "drills/problems.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"

using namespace tl::drills;

namespace {

/// Row `row`'s pick under a script of random answers, written out, or
/// "refused" where an answer is outside the range asked for; every answer
/// of the script must be used.
struct Pick {
    int row;
    std::vector<std::int64_t> script;
    const char* expected;
};

template <class Picker>
void expectPicks(Picker pick, std::initializer_list<Pick> picks) {
    for (const Pick& p : picks) {
        tl::ScriptedRandom random;
        for (std::int64_t answer : p.script) random.push(answer);
        tl::ScopedRandomSource scope(random);
        std::string got = "refused";
        try {
            got = pick(p.row);
            EXPECT_EQ(random.remaining(), 0u) << "row " << p.row << ": " << got;
        } catch (const tl::PreconditionError&) {
        }
        EXPECT_EQ(got, p.expected) << "row " << p.row << ", first answer " << (p.script.empty() ? -1 : p.script[0]);
    }
}

}  // namespace

// Each row draws from its own ranges (an answer at a range's ends is taken,
// one beyond them is refused); "all random" draws first the kind, then that
// row's draws (counting kind 3 draws below 8, plus 2).
TEST(Picking, RowsAndTheirRanges) {
    const char* no = "refused";
    expectPicks(
        [](int row) {
            const CountProblem p = pickCountProblem(row);
            return p.name + " " + std::to_string(p.first) + " " + std::to_string(p.second);
        },
        {{0, {1}, "count on 1 1"},  // 1 always comes with 1, one draw only
         {0, {2, 2}, "count on 2 2"}, {0, {9, 3}, "count on 9 3"}, {0, {3, 1}, "count on 3 1"},
         {0, {2, 3}, no}, {0, {9, 4}, no}, {0, {0}, no}, {0, {10}, no},
         {1, {5}, "combine to ten 5 5"}, {1, {9}, "combine to ten 9 1"}, {1, {4}, no},
         {2, {1}, "make a ten 9 1"}, {2, {9}, "make a ten 9 9"}, {2, {0}, no},
         {3, {2}, "make a ten 8 2"}, {3, {9}, "make a ten 8 9"}, {3, {1}, no},
         {4, {0, 9, 3}, "count on 9 3"}, {4, {1, 7}, "combine to ten 7 3"}, {4, {2, 5}, "make a ten 9 5"},
         {4, {3, 0}, "make a ten 8 2"}, {4, {3, 7}, "make a ten 8 9"}, {4, {3, 8}, no}, {4, {4}, no},
         {5, {}, no}});
    expectPicks([](int row) { return std::to_string(pickDoublesProblem(row)); },
                {{0, {1}, "1"}, {0, {9}, "9"}, {0, {0}, no}, {0, {10}, no},
                 {1, {2}, "18"}, {1, {9}, "25"}, {1, {1}, no},
                 {2, {2}, "34"}, {2, {9}, "41"}, {2, {1}, no},
                 {3, {3}, "51"}, {3, {9}, "57"}, {3, {2}, no},
                 {4, {0, 1}, "1"}, {4, {1, 2}, "18"}, {4, {3, 3}, "51"}, {4, {3, 2}, no}, {4, {4}, no}});
}

// Over many mixed picks every kind comes up about a quarter of the time and
// nothing falls outside what the cards can show.
TEST(Picking, MixedRowsSpreadOverTheKinds) {
    tl::SystemRandom random(20240611);
    tl::ScopedRandomSource scope(random);
    std::map<std::int64_t, int> kinds;
    for (int i = 0; i < 4000; ++i) {
        std::int64_t code = pickDoublesProblem(4);
        std::int64_t n = code % 16;
        const std::int64_t lowest[4] = {1, 2, 2, 3};
        ASSERT_TRUE(code / 16 <= 3 && n >= lowest[code / 16] && n <= 9) << code;
        ++kinds[code / 16];
    }
    std::map<std::string, int> names;
    for (int i = 0; i < 4000; ++i) {
        CountProblem p = pickCountProblem(4);
        if (p.name == "count on") {
            ASSERT_TRUE(p.second >= 1 && p.second <= std::min<std::int64_t>(3, p.first));
        } else if (p.name == "combine to ten") {
            ASSERT_EQ(p.first + p.second, 10);
        } else {
            ASSERT_EQ(p.name, "make a ten");
            ASSERT_TRUE(p.first == 9 || (p.first == 8 && p.second >= 2));
        }
        ++names[p.name == "make a ten" ? p.name + std::to_string(p.first) : p.name];
    }
    ASSERT_EQ(kinds.size(), 4u);
    ASSERT_EQ(names.size(), 4u);
    for (auto [kind, count] : kinds) EXPECT_NEAR(count, 1000, 150) << kind;
    for (auto [name, count] : names) EXPECT_NEAR(count, 1000, 150) << name;
}

// ---- The screens in the headless host ---------------------------------------

namespace {

class DrillApp : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Screen::main().reset();
        tl::registerDrillClasses();
    }
    void TearDown() override {
        ui::Storyboard::clearMain();
        ui::Screen::main().reset();
    }
    void launchAt(const char* scene) {
        ui::StoryboardDescription board;
        board.scenes = tl::drillScenes();
        board.initialScene = scene;
        ui::Storyboard::setMain(board);
        host = std::make_unique<ui::HeadlessHost>();
    }
    ui::NavigationController& nav() { return *host->window().navigationController(); }
    template <class T>
    T* top() {
        return dynamic_cast<T*>(nav().topViewController());
    }

    /// Writes the window to $TL_DRILL_SHOTS/`name`.png when that is set.
    void shot(const std::string& name) {
        const char* dir = std::getenv("TL_DRILL_SHOTS");
        EXPECT_TRUE(!dir || host->renderPng(std::string(dir) + "/" + name + ".png")) << name;
    }

    gfx::ScopedFakeFonts fonts;
    std::unique_ptr<ui::HeadlessHost> host;
};

}  // namespace

TEST_F(DrillApp, MenusShowFiveRowsUnderOneHeader) {
    for (const char* scene : {tl::kCountMenuScene, tl::kDoubleMenuScene}) {
        launchAt(scene);
        auto* menu = top<DrillMenu>();
        ASSERT_NE(menu, nullptr);
        ui::TableView* table = menu->tableView;
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->numberOfSections(), 1);
        ASSERT_EQ(table->numberOfRows(0), 5);
        EXPECT_EQ(menu->titleForHeader(*table, 0), scene == tl::kCountMenuScene ? "count" : "double");
        const std::vector<std::string> expected =
            scene == tl::kCountMenuScene
                ? std::vector<std::string>{"count on from largest", "combine to ten", "make a ten from nine",
                                           "make a ten from eight", "all random"}
                : std::vector<std::string>{"double", "double plus one", "double minus one", "make a double",
                                           "all random"};
        for (int row = 0; row < 5; ++row) {
            EXPECT_EQ(table->rectForRow({0, row}).height, 75);
            ui::TableViewCell* cell = table->cellForRow({0, row});
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->textLabel()->text(), expected[row]);
            const gfx::Font& font = cell->textLabel()->font();
            EXPECT_EQ(font.kind(), gfx::FontKind::monospacedDigit);
            EXPECT_EQ(font.pointSize(), 30);
            EXPECT_EQ(font.weight(), gfx::weight::medium);
        }
        // In the smallest window the long rows shrink rather than lose their ends.
        host->resize(ui::kMinimumWindowSize);
        for (int row = 0; row < 5; ++row) {
            const ui::Label& label = *table->cellForRow({0, row})->textLabel();
            EXPECT_EQ(label.layoutText(label.bounds().size()).shown(), expected[row]);
        }
        host.reset();
    }
}

// A learner picks a row, sees the front, taps, and the back fades in over a
// second; a second tap turns the card back; the menu comes back unselected.
TEST_F(DrillApp, CountingRowOpensACardThatFlips) {
    launchAt(tl::kCountMenuScene);
    auto* menu = top<Count_Menu_VC>();
    ASSERT_NE(menu, nullptr);

    tl::ScriptedRandom random{4};
    tl::ScopedRandomSource scope(random);
    host->tapTitle("make a ten from nine");
    ASSERT_EQ(nav().depth(), 2u);
    auto* screen = top<Count_VC>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->countsName, "make a ten");
    EXPECT_EQ(screen->countsFirst, 9);
    EXPECT_EQ(screen->countsSecond, 4);
    ASSERT_TRUE(menu->tableView->indexPathForSelectedRow().has_value());
    EXPECT_EQ(menu->tableView->indexPathForSelectedRow()->row, 2);

    host->window().layoutIfNeeded();
    Count_First* front = screen->linkFirst;
    Count_Flip* back = screen->linkFlip;
    ASSERT_NE(front, nullptr);
    ASSERT_NE(back, nullptr);
    for (CountCardView* card : {static_cast<CountCardView*>(front), static_cast<CountCardView*>(back)}) {
        EXPECT_EQ(card->countsName, "make a ten");
        EXPECT_EQ(card->countsFirst, 9);
        EXPECT_EQ(card->countsSecond, 4);
        EXPECT_NE(card->tag(), 0);
        EXPECT_EQ(card->frame(), screen->linkFirst->frame());
    }
    EXPECT_TRUE(front->isFront());
    EXPECT_FALSE(back->isFront());
    EXPECT_EQ(front->alpha(), 1);
    EXPECT_EQ(back->alpha(), 0);
    auto* note = screen->view()->add(std::make_unique<ui::Label>(gfx::Rect{0, 600, 100, 20}));
    note->setText("untagged");

    const gfx::Rect area = front->frame();
    const gfx::Point middle = front->convertToWindow({area.width / 2, area.height / 2});
    host->tap(middle);
    EXPECT_EQ(front->alpha(), 0);
    EXPECT_EQ(back->alpha(), 1);
    host->wait(0.5);
    EXPECT_GT(back->presentedAlpha(), 0.1);
    EXPECT_LT(back->presentedAlpha(), 0.9);
    shot("count_mid");
    host->wait(0.5);
    EXPECT_EQ(front->presentedAlpha(), 0);
    EXPECT_EQ(back->presentedAlpha(), 1);
    shot("count_back");

    // The hidden front still passes the touch on; two more taps, the second
    // during the fade, leave the back shown; the label keeps its alpha.
    host->tap(middle);
    EXPECT_EQ(front->alpha(), 1);
    host->wait(0.3);
    host->tap(middle);
    EXPECT_EQ(front->alpha(), 0);
    EXPECT_EQ(back->alpha(), 1);
    host->wait(1.0);
    EXPECT_EQ(back->presentedAlpha(), 1);
    EXPECT_EQ(note->alpha(), 1);
    EXPECT_EQ(random.remaining(), 0u);

    EXPECT_TRUE(host->back());
    host->finishAnimations();
    EXPECT_EQ(top<Count_Menu_VC>(), menu);
    EXPECT_FALSE(menu->tableView->indexPathForSelectedRow().has_value());
}

TEST_F(DrillApp, DoublesRowOpensItsCard) {
    launchAt(tl::kDoubleMenuScene);
    tl::ScriptedRandom random{2, 5};
    tl::ScopedRandomSource scope(random);
    host->tapTitle("all random");
    auto* screen = top<Double_VC>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->doublesName, 37);
    ASSERT_NE(screen->linkFirst, nullptr);
    ASSERT_NE(screen->linkFlip, nullptr);
    EXPECT_EQ(screen->linkFirst->doublesName, 37);
    EXPECT_EQ(screen->linkFlip->doublesName, 37);
    EXPECT_EQ(screen->linkFlip->alpha(), 0);
    shot("double_back");
}

// Without a chosen row, with another segue or another destination, the card
// screen keeps its own problem and nothing is drawn at random.
TEST_F(DrillApp, SeguesWithoutAProblemLeaveTheDefaults) {
    launchAt(tl::kCountMenuScene);
    tl::ScriptedRandom empty;
    tl::ScopedRandomSource scope(empty);
    auto* menu = top<Count_Menu_VC>();
    menu->performSegue("Count_Segue", menu);
    auto* screen = top<Count_VC>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->countsName, "count on");
    EXPECT_EQ(screen->countsFirst, 9);
    EXPECT_EQ(screen->countsSecond, 3);
    EXPECT_EQ(screen->linkFlip->countsSecond, 3);

    menu->tableView->selectRow({0, 1});
    Count_VC other;
    Double_VC wrongClass;
    ui::StoryboardSegue elsewhere{"Other_Segue", menu, &other};
    menu->prepareForSegue(elsewhere, menu);
    ui::StoryboardSegue mismatched{"Count_Segue", menu, &wrongClass};
    menu->prepareForSegue(mismatched, menu);
    EXPECT_EQ(other.countsName, "count on");
    EXPECT_EQ(wrongClass.doublesName, 1);

    Double_Menu_VC doublesMenu;
    Double_VC doubles;
    ui::StoryboardSegue unselected{"Double_Segue", &doublesMenu, &doubles};
    doublesMenu.prepareForSegue(unselected, &doublesMenu);
    EXPECT_EQ(doubles.doublesName, 1);
}
