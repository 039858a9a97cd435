#include "platform/ui/window.hpp"

#include <algorithm>

#include "base/errors.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/application.hpp"
#include "platform/ui/dispatch.hpp"
#include "platform/ui/layout.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/table_view.hpp"

namespace ui {

namespace detail {
namespace {
std::vector<Window*>& windows() {
    static std::vector<Window*> list;
    return list;
}
}  // namespace
const std::vector<Window*>& liveWindows() { return windows(); }
}  // namespace detail

namespace {

// Whether anything visible is marked for drawing. A view's own mark counts
// even when it is hidden or transparent (it may just have become so, and the
// screen still shows it); the marks inside such a subtree do not.
bool anyNeedsDisplay(const View& view) {
    if (view.needsDisplay()) return true;
    if (view.isHidden() || view.presentedAlpha() <= 0) return false;
    for (const auto& sub : view.subviews())
        if (anyNeedsDisplay(*sub)) return true;
    return false;
}

}  // namespace

Window::Window(gfx::Rect frame) : View(frame) {
    setBackgroundColor(gfx::palette::white);
    detail::windows().push_back(this);
}

Window::~Window() {
    root_.reset();
    auto& list = detail::windows();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Window::setRootViewController(std::unique_ptr<ViewController> controller) {
    if (root_) {
        root_->viewWillDisappear();
        if (root_->loaded_ && !root_->view_) root_->view_ = root_->loaded_->removeFromSuperview();
        root_->viewDidDisappear();
        destroyAfterDispatch(std::move(root_));
    }
    root_ = std::move(controller);
    if (!root_) return;
    View* view = root_->view();
    tl::require(root_->view_ != nullptr, "the root screen's view is already shown elsewhere");
    view->setFrame(bounds());
    root_->viewWillAppear();
    addSubview(std::move(root_->view_));
    needsLayout_ = true;
    layoutIfNeeded();
    root_->viewDidAppear();
}

NavigationController* Window::navigationController() const {
    return dynamic_cast<NavigationController*>(root_.get());
}

void Window::layoutIfNeeded() {
    if (root_ && root_->isViewLoaded()) root_->view()->setFrame(bounds());
    if (NavigationController* navigation = navigationController()) navigation->layoutContainer();
    // The engine keeps frames that are already right, so solving again when
    // nothing changed is cheap and keeps views that were added since exact.
    ui::layoutIfNeeded(this);
    needsLayout_ = false;
}

void Window::resize(gfx::Size size) {
    Screen::main().setSize(size);
    setFrame({frame().x, frame().y, size.width, size.height});
    needsLayout_ = true;
    layoutIfNeeded();
    setNeedsDisplay();
}

void Window::sendTouch(gfx::Point point, TouchPhase phase) {
    DispatchScope dispatch;
    if (phase == TouchPhase::began) {
        layoutIfNeeded();
        View* hit = hitTest(convertFromWindow(point));
        touched_ = hit ? hit->handle() : ViewHandle();
        if (hit) hit->touchesBegan({Touch{point, phase, hit}});
        return;
    }
    View* view = touched_.get();
    if (!view) return;
    std::vector<Touch> touches{Touch{point, phase, view}};
    switch (phase) {
        case TouchPhase::moved: view->touchesMoved(touches); break;
        case TouchPhase::ended: view->touchesEnded(touches); break;
        case TouchPhase::cancelled: view->touchesCancelled(touches); break;
        case TouchPhase::began: break;
    }
    if (phase != TouchPhase::moved) touched_ = ViewHandle();
}

void Window::tap(gfx::Point point) {
    sendTouch(point, TouchPhase::began);
    sendTouch(point, TouchPhase::ended);
}

bool Window::scroll(gfx::Point point, double dy) {
    DispatchScope dispatch;
    layoutIfNeeded();
    for (View* v = hitTest(convertFromWindow(point)); v; v = v->superview()) {
        if (auto* table = dynamic_cast<TableView*>(v)) {
            table->scrollBy(dy);
            return true;
        }
    }
    return false;
}

bool Window::needsRedraw() const { return needsLayout_ || animationsRunning() || anyNeedsDisplay(*this); }

void Window::render(gfx::Context& context) {
    layoutIfNeeded();
    gfx::ContextScope scope(&context);
    drawHierarchy(context);
}

Responder* Window::nextResponder() const { return Application::shared(); }

}  // namespace ui
