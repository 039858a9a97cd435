#include "platform/ui/application.hpp"

#include <string>

#include "base/errors.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"

namespace ui {

namespace {
Application* gShared = nullptr;
std::unique_ptr<Host>& mainHost() {
    static std::unique_ptr<Host> host;
    return host;
}
}  // namespace

Application::Application(std::unique_ptr<ApplicationDelegate> delegate, std::unique_ptr<Window> window)
    : delegate_(std::move(delegate)), window_(std::move(window)) {
    tl::require(gShared == nullptr, "an application exists already");
    tl::require(delegate_ != nullptr, "an application needs a delegate");
    gShared = this;
}

Application::~Application() {
    // The screens go first: their teardown may still walk the chain to us.
    window_.reset();
    delegate_.reset();
    gShared = nullptr;
}

Application* Application::shared() { return gShared; }

void Application::resignActive() {
    if (!active_ || terminated_) return;
    active_ = false;
    delegate_->willResignActive(*this);
}

void Application::becomeActive() {
    if (active_ || terminated_) return;
    if (background_) enterForeground();
    active_ = true;
    delegate_->didBecomeActive(*this);
}

void Application::enterBackground() {
    if (background_ || terminated_) return;
    resignActive();
    background_ = true;
    delegate_->didEnterBackground(*this);
}

void Application::enterForeground() {
    if (!background_ || terminated_) return;
    background_ = false;
    delegate_->willEnterForeground(*this);
}

void Application::terminate() {
    if (terminated_) return;
    resignActive();
    terminated_ = true;
    delegate_->willTerminate(*this);
}

std::unique_ptr<Application> launchApplication(std::string_view delegateClassName) {
    std::unique_ptr<ApplicationDelegate> delegate =
        delegateClassName.empty() ? std::make_unique<ApplicationDelegate>()
                                  : ClassRegistry::makeDelegate(delegateClassName);
    const Storyboard* storyboard = Storyboard::main();
    tl::require(storyboard != nullptr, "no main storyboard is set");
    auto window = std::make_unique<Window>(Screen::main().bounds());
    Window* shown = window.get();
    auto application = std::make_unique<Application>(std::move(delegate), std::move(window));
    application->delegate()->window = shown;
    shown->setRootViewController(std::make_unique<NavigationController>(storyboard->instantiateInitial()));
    application->delegate()->didFinishLaunching(*application);
    application->becomeActive();
    return application;
}

void setMainHost(std::unique_ptr<Host> host) { mainHost() = std::move(host); }

int applicationMain(int argc, char** argv, std::string_view delegateClassName) {
    (void)argc;
    (void)argv;
    std::unique_ptr<Application> application = launchApplication(delegateClassName);
    int status = mainHost() ? mainHost()->run(*application) : 0;
    application->terminate();
    application.reset();
    return status;
}

}  // namespace ui
