// The window: the root of the view tree. It holds the root controller (a
// navigation controller in the app), turns touches in window coordinates
// into hit-tested deliveries along the responder chain, keeps the layout
// solved, and tells the host when something needs drawing.
#pragma once

#include <memory>
#include <vector>

#include "platform/gfx/context.hpp"
#include "platform/ui/view.hpp"
#include "platform/ui/view_controller.hpp"

namespace ui {

class NavigationController;

class Window : public View {
public:
    explicit Window(gfx::Rect frame);
    ~Window() override;

    Window* asWindow() const override { return const_cast<Window*>(this); }

    /// Shows `controller`'s view over the whole window (and owns it).
    void setRootViewController(std::unique_ptr<ViewController> controller);
    ViewController* rootViewController() const { return root_.get(); }
    /// The root controller when it is a navigation controller, else nullptr.
    NavigationController* navigationController() const;

    /// Layout runs before the next draw or touch.
    void setNeedsLayout() { needsLayout_ = true; }
    bool needsLayout() const { return needsLayout_; }
    /// Places the root controller's view (and the navigation container's
    /// screens) and solves the constraints of the tree, when needed.
    void layoutIfNeeded();
    /// The window and the main screen take `size` (points); layout re-solves.
    void resize(gfx::Size size);

    // Touches in window coordinates. A touch that begins goes to the view hit
    // at that point; its moves and end go to the same view while it exists.
    void sendTouch(gfx::Point point, TouchPhase phase);
    /// A touch that begins and ends at `point`.
    void tap(gfx::Point point);
    /// A scroll by `dy` points (positive: content moves up) at `point`: the
    /// nearest scrolling view under the point takes it. Returns whether one did.
    bool scroll(gfx::Point point, double dy);

    /// Something on screen changed since the last render, or an animation runs.
    bool needsRedraw() const;
    /// Lays out and draws the whole tree into `context` (origin at the window's top left).
    void render(gfx::Context& context);

    /// The window, then the application.
    Responder* nextResponder() const override;

private:
    std::unique_ptr<ViewController> root_;
    ViewHandle touched_;
    bool needsLayout_ = true;
};

namespace detail {
/// The windows that exist now, oldest first (animations look through them).
const std::vector<Window*>& liveWindows();
}  // namespace detail

}  // namespace ui
