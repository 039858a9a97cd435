#include "app/registration.hpp"

#include <memory>

#include "app/app_delegate.hpp"
#include "platform/gfx/font.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/storyboard.hpp"

namespace tl {

namespace {

// A placeholder page until the strategy screens arrive: a greeting and a
// button that opens a second page.
ui::Label* addCentredLabel(ui::ViewController& vc, const std::string& text) {
    auto* label = vc.view()->add(std::make_unique<ui::Label>());
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    label->setText(text);
    label->setFont(gfx::Font::system(30, gfx::weight::medium));
    label->setTextAlignment(ui::TextAlignment::center);
    label->setAdjustsFontSizeToFitWidth(true);
    ui::LayoutGuide* guide = vc.safeAreaLayoutGuide();
    label->leadingAnchor().constraintEqualTo(guide->leadingAnchor(), 20);
    label->trailingAnchor().constraintEqualTo(guide->trailingAnchor(), -20);
    label->topAnchor().constraintEqualTo(guide->topAnchor(), 40);
    label->heightAnchor().constraintEqualToConstant(50);
    return label;
}

class SampleHomeVC : public ui::ViewController {
public:
    void viewDidLoad() override {
        ui::Label* label = addCentredLabel(*this, "Tellurandi");
        auto* next = view()->add(std::make_unique<ui::Button>());
        next->setTranslatesAutoresizingMaskIntoConstraints(false);
        next->setTitle("Next");
        next->titleLabel()->setFont(gfx::Font::system(30));
        next->setBackgroundColor(gfx::palette::lightGray);
        next->setTitleColor(gfx::palette::black);
        next->addTarget(nullptr, "next");
        next->centerXAnchor().constraintEqualTo(label->centerXAnchor());
        next->topAnchor().constraintEqualTo(label->bottomAnchor(), 30);
        next->widthAnchor().constraintEqualToConstant(160);
        next->heightAnchor().constraintEqualToConstant(60);
    }
    bool performAction(std::string_view action, ui::Responder* sender) override {
        if (action != "next") return false;
        performSegue("Sample_Segue", sender);
        return true;
    }
};

class SampleSecondVC : public ui::ViewController {
public:
    void viewDidLoad() override { addCentredLabel(*this, "Second page"); }
};

}  // namespace

void registerApplication() {
    ui::registerApplicationDelegate<AppDelegate>("AppDelegate");
    ui::registerViewController<SampleHomeVC>("SampleHomeVC");
    ui::registerViewController<SampleSecondVC>("SampleSecondVC");

    ui::StoryboardDescription board;
    ui::SceneDescription home;
    home.name = "Home";
    home.className = "SampleHomeVC";
    home.title = "Tellurandi";
    home.segues["Sample_Segue"] = "Second";
    ui::SceneDescription second;
    second.name = "Second";
    second.className = "SampleSecondVC";
    second.title = "Second";
    board.scenes = {home, second};
    board.initialScene = "Home";
    ui::Storyboard::setMain(std::move(board));
}

}  // namespace tl
