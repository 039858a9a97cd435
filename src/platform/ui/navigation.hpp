// A navigation controller: a stack of screens under a navigation bar.
//
// The top screen's root view fills the controller's view; the bar (status
// bar area plus 44 points, with the top screen's title and, below the root,
// a back control) is drawn over it, and the screens' safe areas start below
// it. Going back destroys the top screen (after the current event dispatch)
// and shows the one below as it was.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"
#include "platform/ui/view_controller.hpp"

namespace ui {

class NavigationController;

/// The bar across the top of a navigation controller's view.
class NavigationBar : public View {
public:
    explicit NavigationBar(NavigationController& owner);

    /// The back control's text ("‹ " and the title of the screen below, or
    /// "‹ Back" when it has none); empty on the root screen.
    std::string backTitle() const;
    /// The back control's rectangle in the bar's coordinates (empty on the root screen).
    gfx::Rect backControlFrame() const;

    /// The top screen's title.
    std::string title() const;
    /// The box the title is laid out in, clear of the back control: centred
    /// in the bar when the title fits there at full size, else the whole room
    /// beside the back control (empty without a title).
    gfx::Rect titleFrame() const;
    /// The title as drawn in titleFrame: shrunk to fit, down to three
    /// quarters of its size, then cut at the tail with "…".
    Label::TextLayout titleLayout() const;

    void drawRect(gfx::Rect rect) override;
    void touchesBegan(const std::vector<Touch>& touches) override;
    void touchesMoved(const std::vector<Touch>& touches) override;
    void touchesEnded(const std::vector<Touch>& touches) override;
    void touchesCancelled(const std::vector<Touch>& touches) override;

private:
    void setUpTitle(Label& label) const;

    NavigationController& owner_;
    bool pressed_ = false;  // a touch began on the back control
};

class NavigationController : public ViewController {
public:
    explicit NavigationController(std::unique_ptr<ViewController> root);
    ~NavigationController() override;

    /// Shows `controller` on top (loading its view now, if not yet loaded).
    void pushViewController(std::unique_ptr<ViewController> controller);
    /// Removes the top screen (not the root) and shows the one below;
    /// returns false when only the root is left.
    bool popViewController();

    ViewController* topViewController() const;
    std::size_t depth() const { return stack_.size(); }
    ViewController* controllerAt(std::size_t index) const;
    NavigationBar* navigationBar() const { return bar_; }

    /// Sets the frames of the bar and of the top screen's root view from
    /// this controller's view (before the layout engine runs).
    void layoutContainer();

    std::unique_ptr<View> loadView() override;

private:
    void show(ViewController& controller);
    void hide(ViewController& controller);
    void requestRelayout();

    std::vector<std::unique_ptr<ViewController>> stack_;
    NavigationBar* bar_ = nullptr;
};

}  // namespace ui
