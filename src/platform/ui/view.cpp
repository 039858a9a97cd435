#include "platform/ui/view.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/errors.hpp"
#include "platform/ui/view_controller.hpp"

namespace ui {

ViewHooks& viewHooks() {
    static ViewHooks hooks;
    return hooks;
}

ViewHandle::ViewHandle(const View* view) : responder_(view) {}

// Made only from a view, so the responder is one.
View* ViewHandle::get() const { return static_cast<View*>(responder_.get()); }

namespace {

// Draws through another context with every colour's alpha multiplied by a
// factor: the fallback for contexts without transparency layers. Overlapping
// shapes inside a faded view then show through each other, which a layer
// would avoid; for the fades the system uses the difference is slight.
class FadedContext final : public gfx::Context {
public:
    FadedContext(gfx::Context& inner, double alpha) : inner_(inner), alpha_(alpha) {}

    void save() override { inner_.save(); }
    void restore() override { inner_.restore(); }
    void translate(double dx, double dy) override { inner_.translate(dx, dy); }
    void rotate(double radians) override { inner_.rotate(radians); }
    void scale(double sx, double sy) override { inner_.scale(sx, sy); }
    void setStrokeColor(gfx::Rgba c) override { inner_.setStrokeColor(fade(c)); }
    void setFillColor(gfx::Rgba c) override { inner_.setFillColor(fade(c)); }
    void setLineWidth(double width) override { inner_.setLineWidth(width); }
    void moveTo(gfx::Point p) override { inner_.moveTo(p); }
    void lineTo(gfx::Point p) override { inner_.lineTo(p); }
    void addArc(gfx::Point centre, double radius, double start, double end, bool clockwise) override {
        inner_.addArc(centre, radius, start, end, clockwise);
    }
    void closePath() override { inner_.closePath(); }
    void drawPath(gfx::PathMode mode) override { inner_.drawPath(mode); }
    void fillRect(gfx::Rect r) override { inner_.fillRect(r); }
    void strokeRect(gfx::Rect r) override { inner_.strokeRect(r); }
    void showText(std::string_view line, gfx::Point baselineLeft, const gfx::Font& font,
                  gfx::Rgba colour) override {
        inner_.showText(line, baselineLeft, font, fade(colour));
    }
    bool beginTransparencyLayer(double alpha) override { return inner_.beginTransparencyLayer(alpha); }
    void endTransparencyLayer() override { inner_.endTransparencyLayer(); }

private:
    gfx::Rgba fade(gfx::Rgba c) const { return {c.r, c.g, c.b, c.a * alpha_}; }

    gfx::Context& inner_;
    double alpha_;
};

}  // namespace

View::View(gfx::Rect frame) : frame_(frame) {}

View::~View() {
    forgetHandles();
    // Children go first, while this view is still whole, so each drops its
    // own constraints; then the constraints that name this view.
    while (!subviews_.empty()) {
        std::unique_ptr<View> last = std::move(subviews_.back());
        subviews_.pop_back();
        last->superview_ = nullptr;
    }
    detail::dropConstraintsOf(this);
}

void View::setFrame(gfx::Rect frame) {
    if (frame == frame_) return;
    frame_ = frame;
    requestDisplay();
}

gfx::Point View::convertToWindow(gfx::Point p) const {
    for (const View* v = this; v->superview_; v = v->superview_) {
        p.x += v->frame_.x;
        p.y += v->frame_.y;
    }
    return p;
}

gfx::Point View::convertFromWindow(gfx::Point p) const {
    gfx::Point origin = convertToWindow({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

View* View::addSubview(std::unique_ptr<View> view) {
    tl::require(view != nullptr, "addSubview: no view");
    tl::require(view->superview_ == nullptr, "addSubview: the view already has a superview");
    for (const View* v = this; v; v = v->superview_)
        tl::require(v != view.get(), "addSubview: a view cannot contain itself");
    view->superview_ = this;
    subviews_.push_back(std::move(view));
    requestDisplay();
    return subviews_.back().get();
}

std::unique_ptr<View> View::removeFromSuperview() {
    View* parent = superview_;
    if (!parent) return nullptr;
    auto& list = parent->subviews_;
    auto it = std::find_if(list.begin(), list.end(), [this](const auto& p) { return p.get() == this; });
    tl::require(it != list.end(), "removeFromSuperview: not among its superview's subviews");
    std::unique_ptr<View> self = std::move(*it);
    list.erase(it);
    superview_ = nullptr;
    parent->requestDisplay();
    return self;
}

View* View::rootView() const {
    const View* v = this;
    while (v->superview_) v = v->superview_;
    return const_cast<View*>(v);
}

Window* View::window() const { return rootView()->asWindow(); }

View* View::viewWithTag(int tag) {
    if (tag_ == tag) return this;
    for (const auto& sub : subviews_)
        if (View* found = sub->viewWithTag(tag)) return found;
    return nullptr;
}

void View::setBackgroundColor(gfx::Rgba colour) {
    if (colour == background_) return;
    background_ = colour;
    setNeedsDisplay();
}

void View::setHidden(bool hidden) {
    if (hidden == hidden_) return;
    hidden_ = hidden;
    requestDisplay();
}

void View::setAlpha(double alpha) {
    tl::require(!std::isnan(alpha), "setAlpha: not a number");
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == alpha_) return;
    alpha_ = alpha;
    requestDisplay();
}

double View::presentedAlpha() const {
    const auto& hook = viewHooks().presentedAlpha;
    return hook ? hook(*this) : alpha_;
}

void View::drawRect(gfx::Rect rect) { (void)rect; }

void View::setNeedsDisplay() {
    if (needsDisplay_) return;
    needsDisplay_ = true;
    if (const auto& hook = viewHooks().displayRequested) hook(*this);
}

// Geometry and tree changes: the view is drawn anew and the host is told
// even when the flag is already set (a view made since the last draw starts
// flagged, and its first appearance needs a redraw all the same).
void View::requestDisplay() {
    needsDisplay_ = true;
    if (const auto& hook = viewHooks().displayRequested) hook(*this);
}

void View::drawHierarchy(gfx::Context& context) {
    needsDisplay_ = false;
    if (hidden_) return;
    double alpha = std::clamp(presentedAlpha(), 0.0, 1.0);
    if (alpha <= 0) return;

    bool layer = alpha < 1 && context.beginTransparencyLayer(alpha);
    std::optional<FadedContext> faded;
    if (alpha < 1 && !layer) faded.emplace(context, alpha);
    gfx::Context& target = faded ? static_cast<gfx::Context&>(*faded) : context;
    {
        gfx::ContextScope scope(&target);
        gfx::Rect box = bounds();
        if (!background_.isClear()) {
            target.save();
            target.setFillColor(background_);
            target.fillRect(box);
            target.restore();
        }
        target.save();
        drawRect(box);
        target.restore();
        // By index: drawing may add or remove subviews.
        for (std::size_t i = 0; i < subviews_.size(); ++i) {
            View* sub = subviews_[i].get();
            target.save();
            target.translate(sub->frame_.x, sub->frame_.y);
            sub->drawHierarchy(target);
            target.restore();
        }
    }
    if (layer) context.endTransparencyLayer();
}

View* View::hitTest(gfx::Point point) {
    if (hidden_ || !interaction_ || alpha_ < 0.01) return nullptr;
    if (!bounds().contains(point)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        View* sub = it->get();
        gfx::Point local{point.x - sub->frame_.x, point.y - sub->frame_.y};
        if (View* hit = sub->hitTest(local)) return hit;
    }
    return this;
}

Responder* View::nextResponder() const {
    if (controller_) return controller_;
    return superview_;
}

}  // namespace ui
