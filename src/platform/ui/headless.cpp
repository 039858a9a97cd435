#include "platform/ui/headless.hpp"

#include <algorithm>
#include <memory>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/drawing_memory.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/dispatch.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/table_view.hpp"

namespace ui {

namespace {

// The part of `rect` (in `view`'s coordinates) that a tap can reach, in
// window coordinates. A touch outside a view's bounds reaches none of its
// subviews, so the rectangle is cut down to the bounds of the view and of
// every ancestor up to the window (a table's rows to the table's visible
// bounds). Nothing when no area is left, when the view or an ancestor is
// hidden or transparent, or when an ancestor is closed to touches, or the
// view itself is and `ownTouches` holds (a label lets touches through).
std::optional<gfx::Rect> tappableRect(const View& view, gfx::Rect rect, bool ownTouches = true) {
    const gfx::Point origin = view.convertToWindow({rect.x, rect.y});
    double left = origin.x, top = origin.y, right = origin.x + rect.width, bottom = origin.y + rect.height;
    for (const View* v = &view; v; v = v->superview()) {
        if (v->isHidden() || v->alpha() < 0.01) return std::nullopt;
        if (!v->isUserInteractionEnabled() && (ownTouches || v != &view)) return std::nullopt;
        const gfx::Point at = v->convertToWindow({0, 0});
        left = std::max(left, at.x);
        top = std::max(top, at.y);
        right = std::min(right, at.x + v->bounds().width);
        bottom = std::min(bottom, at.y + v->bounds().height);
    }
    const gfx::Rect visible{left, top, right - left, bottom - top};
    if (visible.isEmpty()) return std::nullopt;
    return visible;
}

bool reachable(const View& view) { return tappableRect(view, view.bounds()).has_value(); }

gfx::Point middle(gfx::Rect r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

// Whether a tap at `point` (window coordinates) lands on a view that `takes`
// accepts or inside one, rather than on a view in front or on nothing.
template <class F>
bool landsOn(Window& window, gfx::Point point, F&& takes) {
    for (View* hit = window.hitTest(window.convertFromWindow(point)); hit; hit = hit->superview())
        if (takes(*hit)) return true;
    return false;
}

// The middle of the part of `rect` (in `view`'s coordinates) that a tap can
// reach (`ownTouches` as for tappableRect), when a tap there lands on a view
// that `takes` accepts or inside one.
template <class F>
std::optional<gfx::Point> tapPoint(Window& window, const View& view, gfx::Rect rect, bool ownTouches, F&& takes) {
    const std::optional<gfx::Rect> visible = tappableRect(view, rect, ownTouches);
    if (!visible || !landsOn(window, middle(*visible), takes)) return std::nullopt;
    return middle(*visible);
}

// As above, when a tap there lands on `target` itself.
std::optional<gfx::Point> tapPoint(Window& window, const View& target, gfx::Rect rect) {
    return tapPoint(window, target, rect, true, [&](const View& v) { return &v == &target; });
}

// A title as the script gives it: the control's text without the blanks at
// its ends (an option button's title may have them for spacing).
bool sameTitle(std::string_view text, std::string_view title) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return title.empty();
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1) == title;
}

// Front to back: later subviews first, children before their parent.
template <class F>
View* searchFrontToBack(View& view, F&& match) {
    const auto& subs = view.subviews();
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if (View* found = searchFrontToBack(**it, match)) return found;
    return match(view) ? &view : nullptr;
}

}  // namespace

tl::WriteResult renderToPng(View& view, const std::string& path, double scale) {
    gfx::Rect b = view.bounds();
    tl::require(b.width > 0 && b.height > 0, "cannot render a view without area");
    std::string why;
    const std::unique_ptr<gfx::ImageSurface> image = gfx::makeImage(b.width, b.height, scale, why);
    if (image) why = gfx::drawChecked(*image, [&](gfx::Context& context) { view.drawHierarchy(context); });
    if (!why.empty()) return tl::WriteResult::cannotDraw(path, why);
    return image->writePng(path);
}

Button* findButton(View& root, std::string_view title) {
    View* found = searchFrontToBack(root, [title](View& v) {
        auto* button = dynamic_cast<Button*>(&v);
        return button && sameTitle(button->currentTitle(), title) && reachable(*button);
    });
    return static_cast<Button*>(found);
}

std::optional<gfx::Point> locateTitle(Window& window, std::string_view title) {
    window.layoutIfNeeded();
    if (Button* button = findButton(window, title)) return tapPoint(window, *button, button->bounds());
    // A button may show its text in a label over it (an entry pad's option
    // keys do): the label's visible part, where a tap goes through to a button.
    std::optional<gfx::Point> underLabel;
    searchFrontToBack(window, [&](View& v) {
        const auto* label = dynamic_cast<const Label*>(&v);
        if (label && sameTitle(label->text(), title))
            underLabel = tapPoint(window, *label, label->bounds(), false,
                                  [](const View& w) { return dynamic_cast<const Button*>(&w) != nullptr; });
        return underLabel.has_value();
    });
    if (underLabel) return underLabel;
    if (NavigationController* navigation = window.navigationController()) {
        NavigationBar* bar = navigation->navigationBar();
        if (bar && !bar->backTitle().empty() && sameTitle(bar->backTitle(), title))
            if (auto point = tapPoint(window, *bar, bar->backControlFrame())) return point;
    }
    View* cell = searchFrontToBack(window, [title](View& v) {
        auto* c = dynamic_cast<TableViewCell*>(&v);
        return c && c->textLabel() && sameTitle(c->textLabel()->text(), title) && reachable(*c);
    });
    if (cell) return tapPoint(window, *cell, cell->bounds());
    return std::nullopt;
}

HeadlessHost::HeadlessHost(std::string_view delegateClassName) {
    AnimationClock::useManualTime(0);
    try {
        application_ = launchApplication(delegateClassName);
        settle();
    } catch (...) {
        AnimationClock::useRealTime();
        throw;
    }
}

HeadlessHost::~HeadlessHost() {
    application_->terminate();
    application_.reset();
    AnimationClock::useRealTime();
}

int HeadlessHost::run(Application&) { return 0; }

void HeadlessHost::settle() {
    Window& w = window();
    w.layoutIfNeeded();
    if (!w.needsRedraw()) return;
    frame_.clear();
    w.render(frame_);
}

void HeadlessHost::resize(gfx::Size size) {
    window().resize(size);
    settle();
}

void HeadlessHost::tap(gfx::Point point) {
    window().tap(point);
    settle();
}

void HeadlessHost::tapTitle(std::string_view title) {
    std::optional<gfx::Point> point = locateTitle(window(), title);
    tl::require(point.has_value(), "nothing titled \"" + tl::excerpt(title) + "\" is visible");
    tap(*point);
}

bool HeadlessHost::back() {
    NavigationController* navigation = window().navigationController();
    if (!navigation) return false;
    bool popped = false;
    {
        DispatchScope dispatch;
        popped = navigation->popViewController();
    }
    settle();
    return popped;
}

void HeadlessHost::wait(double seconds) {
    tl::require(seconds >= 0, "cannot wait a negative time");
    AnimationClock::advance(seconds);
    settle();
}

void HeadlessHost::finishAnimations() {
    ui::finishAnimations();
    settle();
}

tl::WriteResult HeadlessHost::renderPng(const std::string& path) {
    window().layoutIfNeeded();
    return renderToPng(window(), path, Screen::main().scale());
}

}  // namespace ui
