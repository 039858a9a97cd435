// A small storyboard for the controller, navigation and host tests: a home
// screen with a "Go" button that performs "Detail_Segue", and a detail
// screen with a "Done" button that goes back from inside its own action.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"

namespace test_scenes {

/// What happened, in order, across all test controllers.
inline std::vector<std::string>& journal() {
    static std::vector<std::string> log;
    return log;
}

inline ui::Button* addButton(ui::View& parent, const std::string& title, gfx::Rect frame) {
    auto* button = parent.add(std::make_unique<ui::Button>(frame));
    button->setTitle(title);
    return button;
}

class DetailVC : public ui::ViewController {
public:
    std::string note = "unset";
    static inline int alive = 0;
    DetailVC() { ++alive; }
    ~DetailVC() override {
        --alive;
        journal().push_back("Detail destroyed");
    }
    void viewDidLoad() override {
        journal().push_back("Detail viewDidLoad note=" + note);
        addButton(*view(), "Done", {20, 200, 120, 44})->addTarget(nullptr, "done");
    }
    bool performAction(std::string_view action, ui::Responder*) override {
        if (action != "done") return false;
        navigationController()->popViewController();
        // Still alive here: destruction waits for the end of the dispatch.
        journal().push_back("Detail after pop, note=" + note + ", view " +
                            (view()->subviews().empty() ? "empty" : "whole"));
        return true;
    }
};

class HomeVC : public ui::ViewController {
public:
    int loads = 0, appearances = 0;
    ui::View* panel = nullptr;  // an outlet
    void viewDidLoad() override {
        ++loads;
        journal().push_back(std::string("Home viewDidLoad panel=") + (panel ? "bound" : "none"));
        auto* go = addButton(*view(), "Go", {20, 100, 120, 44});
        go->addTarget(nullptr, "go");
    }
    void viewWillAppear() override { ++appearances; }
    bool performAction(std::string_view action, ui::Responder* sender) override {
        if (action != "go") return false;
        performSegue("Detail_Segue", sender);
        return true;
    }
    void prepareForSegue(ui::StoryboardSegue& segue, ui::Responder*) override {
        journal().push_back("Home prepare " + segue.identifier);
        if (auto* detail = dynamic_cast<DetailVC*>(segue.destination)) detail->note = "from home";
    }
};

inline void registerClasses() {
    ui::registerViewController<HomeVC>("HomeVC").outlet("panel", &HomeVC::panel);
    ui::registerViewController<DetailVC>("DetailVC");
}

/// A scene `name` of the view controller class `className`.
inline ui::SceneDescription scene(std::string name, std::string className, std::string title = "") {
    ui::SceneDescription s;
    s.name = std::move(name);
    s.className = std::move(className);
    s.title = std::move(title);
    return s;
}

/// A view of the class `className` in a scene, bound to `outlet` if that is not empty.
inline ui::SceneView sceneView(std::string className, std::string outlet) {
    ui::SceneView v;
    v.className = std::move(className);
    v.outlet = std::move(outlet);
    return v;
}

inline ui::StoryboardDescription storyboard() {
    ui::StoryboardDescription board;
    ui::SceneDescription home = scene("Home", "HomeVC", "Home");
    home.segues["Detail_Segue"] = "Detail";
    ui::SceneView panel = sceneView("View", "panel");
    panel.tag = 7;
    panel.margins = {-1, 0, 0, 0};  // pinned to the bottom and sides only
    home.views.push_back(panel);
    board.scenes = {home, scene("Detail", "DetailVC", "Detail")};
    board.initialScene = "Home";
    return board;
}

/// Registers the classes and sets the storyboard as the main one.
inline void install() {
    registerClasses();
    ui::Storyboard::setMain(storyboard());
    journal().clear();
}

/// A test over these scenes with fake fonts, on a fresh main screen.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Screen::main().reset();
        install();
    }
    void TearDown() override {
        ui::Storyboard::clearMain();
        ui::Screen::main().reset();
    }
    gfx::ScopedFakeFonts fonts;
};

}  // namespace test_scenes
