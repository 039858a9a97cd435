#include "drills/drill_scenes.hpp"

#include "drills/drill_screens.hpp"

namespace tl {

using namespace drills;

void registerDrillClasses() {
    ui::registerViewController<Count_Menu_VC>("Count_Menu_VC").outlet("tableView", &Count_Menu_VC::tableView);
    ui::registerViewController<Double_Menu_VC>("Double_Menu_VC").outlet("tableView", &Double_Menu_VC::tableView);
    ui::registerViewController<Count_VC>("Count_VC")
        .outlet("linkFirst", &Count_VC::linkFirst)
        .outlet("linkFlip", &Count_VC::linkFlip);
    ui::registerViewController<Double_VC>("Double_VC")
        .outlet("linkFirst", &Double_VC::linkFirst)
        .outlet("linkFlip", &Double_VC::linkFlip);
    ui::registerView<Count_First>("Count_First");
    ui::registerView<Count_Flip>("Count_Flip");
    ui::registerView<Double_First>("Double_First");
    ui::registerView<Double_Flip>("Double_Flip");
}

namespace {

ui::SceneDescription menuScene(const char* name, const char* title, const char* segue, const char* destination) {
    ui::SceneDescription scene;
    scene.name = name;
    scene.className = name;
    scene.title = title;
    scene.segues[segue] = destination;
    ui::SceneView table;
    table.className = "TableView";
    table.outlet = "tableView";
    scene.views.push_back(table);
    scene.cellIdentifiers = {"TextCell"};
    return scene;
}

ui::SceneDescription cardScene(const char* name, const char* frontClass, const char* backClass) {
    ui::SceneDescription scene;
    scene.name = name;
    scene.className = name;
    ui::SceneView front;
    front.className = frontClass;
    front.outlet = "linkFirst";
    front.tag = 1;
    front.alpha = 1;
    ui::SceneView back = front;
    back.className = backClass;
    back.outlet = "linkFlip";
    back.tag = 2;
    back.alpha = 0;
    scene.views = {front, back};
    return scene;
}

}  // namespace

std::vector<ui::SceneDescription> drillScenes() {
    return {menuScene(kCountMenuScene, "count", "Count_Segue", kCountCardScene),
            cardScene(kCountCardScene, "Count_First", "Count_Flip"),
            menuScene(kDoubleMenuScene, "double", "Double_Segue", kDoubleCardScene),
            cardScene(kDoubleCardScene, "Double_First", "Double_Flip")};
}

}  // namespace tl
