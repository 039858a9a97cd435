#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"
#include "platform/ui/table_view.hpp"
#include "platform/ui/table_view_controller.hpp"
#include "platform/ui/window.hpp"
#include "test_scenes.hpp"

using namespace ui;

namespace {

// A drill-menu-like source: one section of five 75-point rows.
struct Menu : TableViewDataSource, TableViewDelegate {
    std::vector<std::string> titles{"count on", "combine to ten", "make a ten from nine",
                                    "make a ten from eight", "all random"};
    std::string identifier = "TextCell";
    std::vector<IndexPath> selections;

    int numberOfRows(TableView&, int) override { return static_cast<int>(titles.size()); }
    std::optional<std::string> titleForHeader(TableView&, int) override { return "count"; }
    TableViewCell* cellForRow(TableView& table, IndexPath path) override {
        TableViewCell* cell = table.dequeueReusableCell(identifier, path);
        cell->textLabel()->setText(titles.at(static_cast<std::size_t>(path.row)));
        cell->textLabel()->setFont(gfx::Font::monospacedDigit(30, gfx::weight::medium));
        return cell;
    }
    double heightForRow(TableView&, IndexPath) override { return 75; }
    void didSelectRow(TableView&, IndexPath path) override { selections.push_back(path); }
};

class Tables : public ::testing::Test {
protected:
    Tables() : window({0, 0, 390, 300}) {
        table = window.add(std::make_unique<TableView>(gfx::Rect{0, 0, 390, 300}));
        table->registerCell("TextCell");
        table->setDataSource(&menu);
        table->setDelegate(&menu);
        window.layoutIfNeeded();
    }
    gfx::ScopedFakeFonts fonts;
    Menu menu;
    Window window;
    TableView* table;
};

}  // namespace

TEST_F(Tables, RowsFollowTheHeaderAtTheirHeights) {
    ASSERT_EQ(table->numberOfSections(), 1);
    EXPECT_EQ(table->numberOfRows(0), 5);
    EXPECT_EQ(table->rectForRow({0, 0}), (gfx::Rect{0, TableView::kHeaderHeight, 390, 75}));
    EXPECT_EQ(table->rectForRow({0, 4}).y, TableView::kHeaderHeight + 4 * 75);
    EXPECT_EQ(table->contentHeight(), TableView::kHeaderHeight + 5 * 75);
    TableViewCell* cell = table->cellForRow({0, 2});
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->reuseIdentifier(), "TextCell");
    EXPECT_EQ(cell->textLabel()->text(), "make a ten from nine");
    EXPECT_EQ(cell->textLabel()->font().pointSize(), 30);
    // The header band is not a row.
    EXPECT_FALSE(table->indexPathForRow({100, 10}).has_value());
}

// A tap selects the row, highlights it and tells the delegate; the row stays
// selected until it is deselected (animated: the highlight fades out).
TEST_F(Tables, TapSelectsAndDeselectClears) {
    window.tap({100, TableView::kHeaderHeight + 75 + 10});
    ASSERT_EQ(menu.selections.size(), 1u);
    EXPECT_EQ(menu.selections[0], (IndexPath{0, 1}));
    ASSERT_TRUE(table->indexPathForSelectedRow().has_value());
    EXPECT_EQ(*table->indexPathForSelectedRow(), (IndexPath{0, 1}));
    EXPECT_TRUE(table->cellForRow({0, 1})->isSelected());

    window.tap({100, TableView::kHeaderHeight + 10});
    EXPECT_EQ(*table->indexPathForSelectedRow(), (IndexPath{0, 0}));
    EXPECT_FALSE(table->cellForRow({0, 1})->isSelected());
    EXPECT_TRUE(table->cellForRow({0, 0})->isSelected());

    ScopedManualClock clock;
    table->deselectRow({0, 0}, true);
    EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
    View* highlight = table->cellForRow({0, 0})->selectedBackgroundView();
    EXPECT_EQ(highlight->alpha(), 0);
    EXPECT_GT(highlight->presentedAlpha(), 0.9);
    finishAnimations();
    EXPECT_EQ(highlight->presentedAlpha(), 0);
}

// Content taller than the table scrolls by drag and wheel, within its range;
// a drag selects nothing.
TEST_F(Tables, ScrollingStaysInRangeAndDragsDoNotSelect) {
    double range = table->contentHeight() - 300;
    window.sendTouch({100, 250}, TouchPhase::began);
    window.sendTouch({100, 200}, TouchPhase::moved);
    window.sendTouch({100, 150}, TouchPhase::ended);
    EXPECT_EQ(table->contentOffset(), 100);
    EXPECT_TRUE(menu.selections.empty());
    // The row under a point moves with the content: row 1 starts at 103 in
    // the content, at 3 on screen.
    EXPECT_EQ(*table->indexPathForRow({10, 2}), (IndexPath{0, 0}));
    EXPECT_EQ(*table->indexPathForRow({10, 3}), (IndexPath{0, 1}));

    EXPECT_TRUE(window.scroll({100, 100}, 1000));
    EXPECT_EQ(table->contentOffset(), range);
    window.scroll({100, 100}, -5000);
    EXPECT_EQ(table->contentOffset(), 0);
    EXPECT_FALSE(window.scroll({100, 1000}, 10));  // outside the table
}

TEST_F(Tables, ReloadReusesCellsAndUnknownIdentifiersFail) {
    TableViewCell* before = table->cellForRow({0, 0});
    menu.titles.pop_back();
    table->reloadData();
    EXPECT_EQ(table->numberOfRows(0), 4);
    // The same cells come back from the pool (in some order).
    bool reused = false;
    for (int r = 0; r < 4; ++r) reused = reused || table->cellForRow({0, r}) == before;
    EXPECT_TRUE(reused);

    menu.identifier = "OtherCell";
    try {
        table->reloadData();
        FAIL() << "no error";
    } catch (const tl::PreconditionError& e) {
        EXPECT_NE(std::string(e.what()).find("OtherCell"), std::string::npos);
    }
    EXPECT_THROW(table->dequeueReusableCell("TextCell", {0, 0}), tl::PreconditionError);
}

namespace {

// The menu pattern: the storyboard gives the table (outlet) and its cell
// identifier; choosing a row performs a segue; coming back clears the row.
class MenuVC : public TableViewController {
public:
    Menu menu;
    int numberOfRows(TableView& t, int section) override { return menu.numberOfRows(t, section); }
    std::optional<std::string> titleForHeader(TableView& t, int section) override {
        return menu.titleForHeader(t, section);
    }
    TableViewCell* cellForRow(TableView& t, IndexPath path) override { return menu.cellForRow(t, path); }
    double heightForRow(TableView& t, IndexPath path) override { return menu.heightForRow(t, path); }
    void didSelectRow(TableView& t, IndexPath path) override {
        menu.didSelectRow(t, path);
        performSegue("Card_Segue", this);
    }
};

}  // namespace

TEST(TableScenes, AMenuSceneSelectsSeguesAndClearsOnReturn) {
    gfx::ScopedFakeFonts fonts;
    Screen::main().reset();
    registerViewController<MenuVC>("MenuVC").outlet("tableView", &MenuVC::tableView);
    registerViewController<ViewController>("PlainVC");
    SceneDescription menuScene = test_scenes::scene("Menu", "MenuVC");
    menuScene.segues["Card_Segue"] = "Card";
    menuScene.views.push_back(test_scenes::sceneView("TableView", "tableView"));
    menuScene.cellIdentifiers = {"TextCell"};
    Storyboard::setMain({{menuScene, test_scenes::scene("Card", "PlainVC")}, "Menu"});
    {
        HeadlessHost host;
        auto* menu = dynamic_cast<MenuVC*>(host.window().navigationController()->topViewController());
        ASSERT_NE(menu, nullptr);
        // The table fills the safe area, below the bars.
        EXPECT_EQ(menu->tableView->frame(), (gfx::Rect{0, 64, 390, 844 - 64}));
        host.tapTitle("combine to ten");
        ASSERT_EQ(menu->menu.selections.size(), 1u);
        EXPECT_EQ(menu->menu.selections[0], (IndexPath{0, 1}));
        EXPECT_EQ(host.window().navigationController()->depth(), 2u);
        EXPECT_TRUE(menu->tableView->indexPathForSelectedRow().has_value());  // stays selected meanwhile
        host.back();
        EXPECT_FALSE(menu->tableView->indexPathForSelectedRow().has_value());
        host.finishAnimations();
        EXPECT_EQ(menu->tableView->cellForRow({0, 1})->selectedBackgroundView()->presentedAlpha(), 0);
    }
    Storyboard::clearMain();
}
