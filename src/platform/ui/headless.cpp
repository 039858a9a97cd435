#include "platform/ui/headless.hpp"

#include "base/errors.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/dispatch.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/table_view.hpp"

namespace ui {

namespace {

// Seen and touchable: neither it nor an ancestor is hidden, transparent or
// closed to touches, and some of it lies inside its window.
bool reachable(const View& view) {
    for (const View* v = &view; v; v = v->superview())
        if (v->isHidden() || v->alpha() < 0.01 || !v->isUserInteractionEnabled()) return false;
    gfx::Point origin = view.convertToWindow({0, 0});
    gfx::Rect box = view.frame();
    gfx::Rect root = view.rootView()->bounds();
    return origin.x < root.width && origin.y < root.height && origin.x + box.width > 0 &&
           origin.y + box.height > 0;
}

gfx::Point centreInWindow(const View& view) {
    return view.convertToWindow({view.bounds().width / 2, view.bounds().height / 2});
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

bool renderToPng(View& view, const std::string& path, double scale) {
    gfx::Rect b = view.bounds();
    tl::require(b.width > 0 && b.height > 0, "cannot render a view without area");
    gfx::ImageSurface image(b.width, b.height, scale);
    {
        gfx::ContextScope scope(&image.context());
        view.drawHierarchy(image.context());
    }
    return image.writePng(path);
}

Button* findButton(View& root, std::string_view title) {
    View* found = searchFrontToBack(root, [title](View& v) {
        auto* button = dynamic_cast<Button*>(&v);
        return button && button->currentTitle() == title && reachable(*button);
    });
    return static_cast<Button*>(found);
}

std::optional<gfx::Point> locateTitle(Window& window, std::string_view title) {
    window.layoutIfNeeded();
    if (Button* button = findButton(window, title)) return centreInWindow(*button);
    if (NavigationController* navigation = window.navigationController()) {
        NavigationBar* bar = navigation->navigationBar();
        if (bar && reachable(*bar) && !bar->backTitle().empty() && bar->backTitle() == title) {
            gfx::Rect r = bar->backControlFrame();
            return bar->convertToWindow({r.x + r.width / 2, r.y + r.height / 2});
        }
    }
    View* cell = searchFrontToBack(window, [title](View& v) {
        auto* c = dynamic_cast<TableViewCell*>(&v);
        return c && c->textLabel() && c->textLabel()->text() == title && reachable(*c);
    });
    if (cell) return centreInWindow(*cell);
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
    tl::require(point.has_value(), "nothing titled \"" + std::string(title) + "\" is visible");
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

bool HeadlessHost::renderPng(const std::string& path) {
    window().layoutIfNeeded();
    return renderToPng(window(), path, Screen::main().scale());
}

}  // namespace ui
