// Views: a rectangle in its superview, ordered subviews (owned), a tag,
// background colour, hidden/alpha/interaction flags, custom drawing and touches.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/gfx/color.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/ui/layout.hpp"
#include "platform/ui/responder.hpp"

namespace ui {

class ViewController;
class Window;
class View;

/// Hooks through which the window, the host and the animation code follow
/// the view tree without the views knowing them. Unset hooks do nothing.
struct ViewHooks {
    /// Called when a view starts to need redrawing (once per view until it
    /// is drawn again) or the tree changes; the host schedules one redraw.
    std::function<void(View& view)> displayRequested;
    /// The alpha presented now, while an animation moves `view`'s alpha;
    /// returns the view's model alpha when none runs. Unset: the model alpha.
    std::function<double(const View& view)> presentedAlpha;
};

/// The process's hooks (main thread only).
ViewHooks& viewHooks();

/// Tells whether a view still exists: an event handler or an action may
/// destroy views (a screen popped from inside a key press).
class ViewHandle {
public:
    ViewHandle() = default;
    explicit ViewHandle(const View* view);
    /// The view, or nullptr once it has been destroyed.
    View* get() const;
    explicit operator bool() const { return get() != nullptr; }

private:
    ResponderHandle responder_;
};

class View : public Responder, public Anchors<View> {
public:
    explicit View(gfx::Rect frame = {});
    ~View() override;

    // Geometry. The frame is in the superview's coordinates; bounds are
    // (0, 0, width, height).
    gfx::Rect frame() const { return frame_; }
    void setFrame(gfx::Rect frame);
    gfx::Rect bounds() const { return {0, 0, frame_.width, frame_.height}; }
    gfx::Point convertToWindow(gfx::Point p) const;
    gfx::Point convertFromWindow(gfx::Point p) const;

    // The tree. The superview owns its subviews.
    View* addSubview(std::unique_ptr<View> view);
    template <class T>
    T* add(std::unique_ptr<T> view) {
        return static_cast<T*>(addSubview(std::move(view)));
    }
    std::unique_ptr<View> removeFromSuperview();
    View* superview() const { return superview_; }
    const std::vector<std::unique_ptr<View>>& subviews() const { return subviews_; }
    /// The window at the root of this view's tree, or nullptr when the
    /// root is no window.
    Window* window() const;
    /// This view as a window; only Window answers non-null.
    virtual Window* asWindow() const { return nullptr; }
    /// The top of this view's tree (the view itself when it has no superview).
    View* rootView() const;

    // Tags: viewWithTag looks at the receiver first, then its subtree depth
    // first in subview order; the first match wins.
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    View* viewWithTag(int tag);

    // Appearance.
    gfx::Rgba backgroundColor() const { return background_; }
    void setBackgroundColor(gfx::Rgba colour);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    /// The model alpha (an animation moves the presented alpha towards it).
    double alpha() const { return alpha_; }
    void setAlpha(double alpha);
    /// The alpha drawn now: the model value unless an animation is running.
    double presentedAlpha() const;
    bool isUserInteractionEnabled() const { return interaction_; }
    void setUserInteractionEnabled(bool enabled) { interaction_ = enabled; }

    // Layout.
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool value) { translatesMask_ = value; }
    /// The size the content wants, or a negative component for "none".
    virtual gfx::Size intrinsicContentSize() const { return {-1, -1}; }
    /// Called after the layout engine has set the frames of this view's subtree.
    virtual void layoutSubviews() {}

    // Drawing. `drawRect` draws the view's own content in its bounds into the
    // current context (the background is already filled).
    virtual void drawRect(gfx::Rect rect);
    /// Marks the view for redrawing; repeated calls before a redraw coalesce.
    void setNeedsDisplay();
    bool needsDisplay() const { return needsDisplay_; }
    /// Draws this view and its subtree, back to front, into `context`
    /// (with this view's origin at the context's current origin).
    void drawHierarchy(gfx::Context& context);

    /// A handle that turns null when this view is destroyed.
    ViewHandle handle() const { return ViewHandle(this); }

    // Events. Hit testing goes front to back and skips hidden views, views
    // with alpha below 0.01, views without user interaction, and points
    // outside the bounds. `point` is in this view's coordinates.
    virtual View* hitTest(gfx::Point point);

    // The responder chain: superview, or the view controller whose root view this is.
    Responder* nextResponder() const override;
    ViewController* viewController() const { return controller_; }

private:
    friend class ViewController;
    friend class Window;

    void requestDisplay();

    gfx::Rect frame_;
    View* superview_ = nullptr;
    std::vector<std::unique_ptr<View>> subviews_;
    ViewController* controller_ = nullptr;  // set when this is a controller's root view
    int tag_ = 0;
    gfx::Rgba background_ = gfx::palette::clear;
    bool hidden_ = false;
    double alpha_ = 1.0;
    bool interaction_ = true;
    bool translatesMask_ = true;
    bool needsDisplay_ = true;
};

}  // namespace ui
