#include "platform/ui/navigation.hpp"

#include "base/errors.hpp"
#include "platform/gfx/text.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/dispatch.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/window.hpp"

namespace ui {

namespace {

constexpr gfx::Rgba kBarColour{0.97, 0.97, 0.97, 1};
constexpr gfx::Rgba kHairlineColour{0.7, 0.7, 0.7, 1};
constexpr gfx::Rgba kTintColour{0, 0.478, 1, 1};
constexpr double kBarFontSize = 17;
constexpr double kBackInset = 8;
constexpr double kTitleGap = 8;  // between the title and the back control
constexpr double kMinimumTitleScale = 0.75;

gfx::Font titleFont() { return gfx::Font::system(kBarFontSize, gfx::weight::semibold); }
gfx::Font backFont() { return gfx::Font::system(kBarFontSize); }

bool inside(const gfx::Rect& r, gfx::Point p) { return !r.isEmpty() && r.contains(p); }

}  // namespace

// ---- bar

NavigationBar::NavigationBar(NavigationController& owner) : owner_(owner) {
    setBackgroundColor(kBarColour);
}

std::string NavigationBar::backTitle() const {
    std::size_t depth = owner_.depth();
    if (depth < 2) return {};
    const std::string& previous = owner_.controllerAt(depth - 2)->title();
    std::string text = "‹ " + previous;
    // A long title would crowd the centre title: fall back to the short form.
    if (previous.empty() || gfx::measureText(text, backFont()).width > bounds().width / 3)
        return "‹ Back";
    return text;
}

gfx::Rect NavigationBar::backControlFrame() const {
    std::string text = backTitle();
    if (text.empty()) return {};
    double top = Screen::main().statusBarHeight();
    double width = gfx::measureText(text, backFont()).width + 2 * kBackInset;
    return {0, top, width, kNavigationBarHeight};
}

std::string NavigationBar::title() const {
    ViewController* shown = owner_.topViewController();
    return shown ? shown->title() : std::string();
}

gfx::Rect NavigationBar::titleFrame() const {
    const std::string text = title();
    if (text.empty()) return {};
    const double width = bounds().width;
    const double top = Screen::main().statusBarHeight();
    const gfx::Rect back = backControlFrame();
    const double side = (back.isEmpty() ? 0 : back.maxX()) + kTitleGap;
    if (gfx::measureText(text, titleFont()).width <= width - 2 * side)
        return {side, top, width - 2 * side, kNavigationBarHeight};
    return {side, top, std::max(width - side - kTitleGap, 0.0), kNavigationBarHeight};
}

void NavigationBar::setUpTitle(Label& label) const {
    label.setFont(titleFont());
    label.setTextColor(gfx::palette::black);
    label.setTextAlignment(TextAlignment::center);
    label.setAdjustsFontSizeToFitWidth(true);
    label.setMinimumScaleFactor(kMinimumTitleScale);
    label.setText(title());
}

Label::TextLayout NavigationBar::titleLayout() const {
    Label label;
    setUpTitle(label);
    return label.layoutText(titleFrame().size());
}

void NavigationBar::drawRect(gfx::Rect) {
    gfx::Context* context = gfx::currentContext();
    if (!context) return;
    gfx::Rect b = bounds();
    context->save();
    context->setFillColor(kHairlineColour);
    context->fillRect({0, b.height - 0.5, b.width, 0.5});
    context->restore();

    if (const gfx::Rect box = titleFrame(); !box.isEmpty()) {
        Label label;
        setUpTitle(label);
        label.drawText(box);
    }
    double top = Screen::main().statusBarHeight();
    if (std::string back = backTitle(); !back.empty()) {
        gfx::Font font = backFont();
        gfx::Size size = gfx::measureText(back, font);
        gfx::Rgba colour = kTintColour;
        if (pressed_) colour.a = 0.3;
        gfx::drawText(back, {kBackInset, top + (kNavigationBarHeight - size.height) / 2},
                      {font, colour, gfx::palette::clear});
    }
}

void NavigationBar::touchesBegan(const std::vector<Touch>& touches) {
    if (touches.empty()) return;
    pressed_ = inside(backControlFrame(), touches.front().locationIn(this));
    if (pressed_) setNeedsDisplay();
}

void NavigationBar::touchesMoved(const std::vector<Touch>& touches) {
    if (touches.empty() || !pressed_) return;
    if (!inside(backControlFrame(), touches.front().locationIn(this))) {
        pressed_ = false;
        setNeedsDisplay();
    }
}

void NavigationBar::touchesEnded(const std::vector<Touch>& touches) {
    bool go = pressed_ && !touches.empty() && inside(backControlFrame(), touches.front().locationIn(this));
    pressed_ = false;
    setNeedsDisplay();
    if (go) owner_.popViewController();
}

void NavigationBar::touchesCancelled(const std::vector<Touch>&) {
    pressed_ = false;
    setNeedsDisplay();
}

// ---- controller

NavigationController::NavigationController(std::unique_ptr<ViewController> root) {
    tl::require(root != nullptr, "a navigation controller needs a root screen");
    root->navigation_ = this;
    stack_.push_back(std::move(root));
}

NavigationController::~NavigationController() {
    // Screens go top first, each taking its root view out of our view.
    while (!stack_.empty()) stack_.pop_back();
}

std::unique_ptr<View> NavigationController::loadView() {
    auto root = std::make_unique<View>(Screen::main().bounds());
    root->setBackgroundColor(gfx::palette::white);
    bar_ = root->add(std::make_unique<NavigationBar>(*this));
    bar_->setFrame({0, 0, root->bounds().width, Screen::main().statusBarHeight() + kNavigationBarHeight});
    loaded_ = root.get();  // so that show() can place the top screen now
    show(*stack_.back());
    stack_.back()->viewDidAppear();
    return root;
}

ViewController* NavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back().get();
}

ViewController* NavigationController::controllerAt(std::size_t index) const { return tl::at(stack_, index).get(); }

void NavigationController::pushViewController(std::unique_ptr<ViewController> controller) {
    tl::require(controller != nullptr, "pushed no screen");
    tl::require(controller->navigation_ == nullptr || controller->navigation_ == this,
                "pushed a screen that another navigation controller holds");
    controller->navigation_ = this;
    ViewController* incoming = controller.get();
    if (!isViewLoaded()) {
        stack_.push_back(std::move(controller));
        return;
    }
    ViewController* outgoing = topViewController();
    if (outgoing) hide(*outgoing);
    stack_.push_back(std::move(controller));
    show(*incoming);
    incoming->viewDidAppear();
}

bool NavigationController::popViewController() {
    if (stack_.size() < 2) return false;
    std::unique_ptr<ViewController> leaving = std::move(stack_.back());
    stack_.pop_back();
    if (isViewLoaded()) {
        hide(*leaving);
        show(*stack_.back());
        stack_.back()->viewDidAppear();
    }
    destroyAfterDispatch(std::move(leaving));
    return true;
}

void NavigationController::show(ViewController& controller) {
    View* container = loaded_;
    View* root = controller.view();  // loads it (viewDidLoad) on first show
    tl::require(controller.view_ != nullptr, "a screen's view is already shown elsewhere");
    controller.updateSafeArea();
    controller.viewWillAppear();
    root->setFrame(container->bounds());
    // The screen goes below the bar.
    std::unique_ptr<View> bar = bar_->removeFromSuperview();
    container->addSubview(std::move(controller.view_));
    container->addSubview(std::move(bar));
    requestRelayout();
}

void NavigationController::hide(ViewController& controller) {
    controller.viewWillDisappear();
    if (controller.loaded_ && !controller.view_) controller.view_ = controller.loaded_->removeFromSuperview();
    controller.viewDidDisappear();
    requestRelayout();
}

void NavigationController::layoutContainer() {
    if (!isViewLoaded()) return;
    gfx::Rect b = loaded_->bounds();
    bar_->setFrame({0, 0, b.width, Screen::main().statusBarHeight() + kNavigationBarHeight});
    if (ViewController* top = topViewController(); top && top->isViewLoaded()) {
        top->updateSafeArea();
        top->view()->setFrame(b);
    }
}

void NavigationController::requestRelayout() {
    layoutContainer();
    if (bar_) bar_->setNeedsDisplay();
    if (Window* window = loaded_ ? loaded_->window() : nullptr) window->setNeedsLayout();
}

}  // namespace ui
