// View controllers: a root view made on first use, the load and appear
// callbacks, a safe-area guide, and segues.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/layout.hpp"
#include "platform/ui/responder.hpp"
#include "platform/ui/view.hpp"

namespace ui {

class NavigationController;
class Storyboard;
class ViewController;

/// A segue about to be performed: its identifier, source and destination.
struct StoryboardSegue {
    std::string identifier;
    ViewController* source = nullptr;
    ViewController* destination = nullptr;
};

class ViewController : public Responder {
public:
    ViewController();
    ~ViewController() override;

    /// The root view, made (white, with loadView) and loaded (viewDidLoad,
    /// once) on first use.
    View* view();
    bool isViewLoaded() const { return loaded_ != nullptr; }

    /// Makes the root view; the default is a plain white view.
    virtual std::unique_ptr<View> loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
    virtual void viewDidDisappear() {}

    /// The root view's bounds less the status and navigation bars.
    LayoutGuide* safeAreaLayoutGuide();

    /// Makes the destination of `identifier` from the storyboard, calls
    /// prepareForSegue on this controller, then pushes the destination.
    /// An unknown identifier is a PreconditionError naming it.
    void performSegue(std::string_view identifier, Responder* sender);
    virtual void prepareForSegue(StoryboardSegue& segue, Responder* sender) {
        (void)segue;
        (void)sender;
    }

    NavigationController* navigationController() const { return navigation_; }
    /// The title shown in the navigation bar.
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    /// The storyboard scene this controller was made from (empty if made in code).
    const std::string& sceneName() const { return scene_; }
    /// The storyboard that made this controller (nullptr if made in code).
    const Storyboard* storyboard() const { return storyboard_; }

    /// Recomputes the safe-area insets from the screen and the navigation bar.
    void updateSafeArea();

    Responder* nextResponder() const override;

private:
    friend class NavigationController;
    friend class Storyboard;
    friend class Window;

    // The root view is owned here while it is off screen, and by its
    // superview while a container shows it; `loaded_` always points at it.
    std::unique_ptr<View> view_;
    View* loaded_ = nullptr;
    std::unique_ptr<LayoutGuide> safeArea_;
    NavigationController* navigation_ = nullptr;
    const Storyboard* storyboard_ = nullptr;
    // Runs between loadView and viewDidLoad: the storyboard's scene content and outlets.
    std::function<void(ViewController&)> sceneBuilder_;
    bool loading_ = false;
    std::string title_;
    std::string scene_;
};

}  // namespace ui
