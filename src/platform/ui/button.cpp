#include "platform/ui/button.hpp"

#include "platform/gfx/context.hpp"

namespace ui {

namespace {
constexpr double kHighlightedTitleAlpha = 0.2;
}

Button::Button(gfx::Rect frame) : View(frame) {
    label_.setFont(gfx::Font::system(15));
    label_.setTextAlignment(TextAlignment::center);
    label_.setTextColor({0, 122.0 / 255, 1, 1});  // the system tint
}

void Button::setTitle(std::string title) {
    title_ = std::move(title);
    label_.setText(title_);
    setNeedsDisplay();
}

void Button::setTitleColor(gfx::Rgba colour) {
    label_.setTextColor(colour);
    setNeedsDisplay();
}

void Button::addTarget(Responder* target, std::string action) {
    targets_.push_back({target == nullptr, ResponderHandle(target), std::move(action)});
}

void Button::sendActions() {
    // Copies: an action may add targets to, or destroy, this button.
    std::vector<Target> targets = targets_;
    ViewHandle self = handle();
    for (const auto& t : targets) {
        if (!self) return;
        if (t.chain)
            sendAction(t.action, nullptr, this);
        else if (Responder* target = t.target.get())
            sendAction(t.action, target, this);
    }
}

gfx::Size Button::intrinsicContentSize() const {
    gfx::Size title = label_.intrinsicContentSize();
    if (title.height == 0) title.height = label_.font().lineHeight();
    return {title.width + 2 * kHorizontalPadding, title.height + 2 * kVerticalPadding};
}

void Button::drawRect(gfx::Rect rect) {
    (void)rect;
    // The title label is drawn here rather than kept as a subview, so the
    // button's subviews are only those its owner adds.
    label_.drawText(bounds(), highlighted_ ? kHighlightedTitleAlpha : 1.0);
}

bool Button::inside(const std::vector<Touch>& touches) const {
    if (touches.empty()) return false;
    return bounds().contains(touches.front().locationIn(this));
}

void Button::setHighlighted(bool value) {
    if (value == highlighted_) return;
    highlighted_ = value;
    setNeedsDisplay();
}

// A button keeps its touches: they do not travel on along the chain.
void Button::touchesBegan(const std::vector<Touch>& touches) {
    tracking_ = true;
    setHighlighted(inside(touches));
}

void Button::touchesMoved(const std::vector<Touch>& touches) {
    if (tracking_) setHighlighted(inside(touches));
}

void Button::touchesEnded(const std::vector<Touch>& touches) {
    if (!tracking_) return;
    tracking_ = false;
    setHighlighted(false);
    if (inside(touches)) sendActions();  // last: the actions may destroy this button
}

void Button::touchesCancelled(const std::vector<Touch>& touches) {
    (void)touches;
    tracking_ = false;
    setHighlighted(false);
}

}  // namespace ui
