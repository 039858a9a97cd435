#include "app/storyboard.hpp"

#include <string>

#include "drills/drill_scenes.hpp"
#include "screens/strategy_screens.hpp"

namespace tl {

namespace {

// The segue by which the menu opens `scene`.
std::string showSegue(const std::string& scene) { return "Show_" + scene; }

struct Strategy {
    const char* className;
    const char* title;  // the menu row and the navigation bar's title
};

struct Group {
    const char* header;
    std::vector<Strategy> strategies;
};

const std::vector<Group>& strategyGroups() {
    static const std::vector<Group> groups = {
        {"addition",
         {{"Add_Column_VC", "column addition"},
          {"Add_Trade_VC", "addition by trading"},
          {"Add_Partial_VC", "partial sums"}}},
        {"subtraction",
         {{"Subtract_Trade_VC", "subtraction by trading"},
          {"Subtract_Trade_First_VC", "trade first, then subtract"},
          {"Subtract_Partial_VC", "partial differences"},
          {"Subtract_Count_VC", "count up or count down"}}},
        {"multiplication",
         {{"Multiply_Standard_VC", "standard multiplication"},
          {"Multiply_Partial_VC", "partial products"},
          {"Multiply_Lattice_VC", "lattice multiplication"},
          {"Multiply_Grid_VC", "grid multiplication"}}},
        {"division",
         {{"Divide_Standard_VC", "long division"},
          {"Divide_Partial_VC", "partial quotients"}}},
        {"place value", {{"Partition_VC", "partition a number"}}},
    };
    return groups;
}

struct Drill {
    const char* scene;
    const char* title;
};

const std::vector<Drill> kDrills = {{kCountMenuScene, "counting on and making ten"},
                                    {kDoubleMenuScene, "doubles"}};

}  // namespace

std::vector<MenuSection> appMenu() {
    std::vector<MenuSection> sections;
    for (const Group& group : strategyGroups()) {
        MenuSection section{group.header, {}};
        for (const Strategy& s : group.strategies) section.rows.push_back({s.title, showSegue(s.className)});
        sections.push_back(std::move(section));
    }
    MenuSection drills{"drills", {}};
    for (const Drill& d : kDrills) drills.rows.push_back({d.title, showSegue(d.scene)});
    sections.push_back(std::move(drills));
    return sections;
}

ui::StoryboardDescription appStoryboard() {
    ui::StoryboardDescription board;

    ui::SceneDescription menu;
    menu.name = kMenuScene;
    menu.className = kMenuScene;
    menu.title = "Tellurandi";
    ui::SceneView table;
    table.className = "TableView";
    table.outlet = "tableView";
    menu.views.push_back(table);
    menu.cellIdentifiers = {Strategy_Menu_VC::kCellIdentifier};

    for (const Group& group : strategyGroups()) {
        for (const Strategy& s : group.strategies) {
            menu.segues[showSegue(s.className)] = s.className;
            ui::SceneDescription scene;
            scene.name = s.className;
            scene.className = s.className;
            scene.title = s.title;
            for (const StrategyScreenValues& values : strategyScreenValues())
                if (values.className == s.className) scene.segues[values.segue] = kStepScene;
            board.scenes.push_back(std::move(scene));
        }
    }

    // The drills bring their own scenes; the menu leads to their two menus.
    for (const Drill& d : kDrills) menu.segues[showSegue(d.scene)] = d.scene;
    for (ui::SceneDescription& scene : drillScenes()) board.scenes.push_back(std::move(scene));

    ui::SceneDescription steps;
    steps.name = kStepScene;
    steps.className = kStepScene;
    steps.title = "steps";
    board.scenes.push_back(std::move(steps));

    board.scenes.insert(board.scenes.begin(), std::move(menu));
    board.initialScene = kMenuScene;
    return board;
}

}  // namespace tl
