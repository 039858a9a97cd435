#include "platform/ui/view_controller.hpp"

#include "base/errors.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"
#include "platform/ui/window.hpp"

namespace ui {

ViewController::ViewController() = default;

ViewController::~ViewController() {
    if (!loaded_) return;
    loaded_->controller_ = nullptr;
    // The views go before the safe-area guide their constraints refer to; a
    // root view still shown by a container goes with its controller.
    if (view_)
        view_.reset();
    else if (loaded_->superview())
        loaded_->removeFromSuperview();
    loaded_ = nullptr;
}

std::unique_ptr<View> ViewController::loadView() {
    auto root = std::make_unique<View>(Screen::main().bounds());
    root->setBackgroundColor(gfx::palette::white);
    return root;
}

View* ViewController::view() {
    if (loaded_) return loaded_;
    tl::require(!loading_, "a view controller's view was asked for while it was being made");
    loading_ = true;
    std::unique_ptr<View> root;
    try {
        root = loadView();
    } catch (...) {
        loading_ = false;
        throw;
    }
    loading_ = false;
    tl::require(root != nullptr, "loadView made no view");
    view_ = std::move(root);
    loaded_ = view_.get();
    loaded_->controller_ = this;
    safeArea_ = std::make_unique<LayoutGuide>(loaded_);
    updateSafeArea();
    if (sceneBuilder_) sceneBuilder_(*this);
    viewDidLoad();
    return loaded_;
}

LayoutGuide* ViewController::safeAreaLayoutGuide() {
    view();
    return safeArea_.get();
}

void ViewController::updateSafeArea() {
    if (!safeArea_) return;
    const Screen& screen = Screen::main();
    LayoutGuide::Insets insets;
    insets.top = screen.statusBarHeight() + (navigation_ ? kNavigationBarHeight : 0);
    insets.bottom = screen.bottomInset();
    safeArea_->setInsets(insets);
}

void ViewController::performSegue(std::string_view identifier, Responder* sender) {
    const SceneDescription* destination =
        storyboard_ ? storyboard_->segueDestination(scene_, identifier) : nullptr;
    tl::require(destination != nullptr, "no segue \"" + std::string(identifier) + "\" from scene \"" +
                                            scene_ + "\"");
    NavigationController* navigation = navigation_;
    tl::require(navigation != nullptr, "segue \"" + std::string(identifier) +
                                           "\" performed outside a navigation controller");
    std::unique_ptr<ViewController> next = storyboard_->instantiate(destination->name);
    StoryboardSegue segue{std::string(identifier), this, next.get()};
    prepareForSegue(segue, sender);
    navigation->pushViewController(std::move(next));
}

Responder* ViewController::nextResponder() const {
    if (loaded_ && loaded_->superview()) return loaded_->superview();
    if (navigation_) return navigation_;
    return nullptr;
}

}  // namespace ui
