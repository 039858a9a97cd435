// The application object, its delegate, and the process entry.
//
// applicationMain makes the application, the delegate (by its registered
// class name), a window at the main screen's size showing the main
// storyboard's initial scene inside a navigation controller, calls
// didFinishLaunching and runs the host's event loop. The responder chain
// ends window → application → application delegate.
#pragma once

#include <memory>
#include <string_view>

#include "platform/ui/responder.hpp"
#include "platform/ui/window.hpp"

namespace ui {

class Application;

class ApplicationDelegate : public Responder {
public:
    /// The main window; the application sets it before didFinishLaunching.
    Window* window = nullptr;

    virtual bool didFinishLaunching(Application& application) {
        (void)application;
        return true;
    }
    virtual void willResignActive(Application&) {}
    virtual void didEnterBackground(Application&) {}
    virtual void willEnterForeground(Application&) {}
    virtual void didBecomeActive(Application&) {}
    virtual void willTerminate(Application&) {}
};

class Application : public Responder {
public:
    /// Made by launchApplication; at most one exists at a time.
    Application(std::unique_ptr<ApplicationDelegate> delegate, std::unique_ptr<Window> window);
    ~Application() override;

    /// The application that exists now, or nullptr.
    static Application* shared();

    ApplicationDelegate* delegate() const { return delegate_.get(); }
    Window* window() const { return window_.get(); }

    // Life-cycle events from the host; each reaches the delegate. Repeats
    // of the state the application is in are ignored.
    void resignActive();
    void becomeActive();
    void enterBackground();
    void enterForeground();
    /// Tells the delegate once; the host then destroys the application.
    void terminate();
    bool isActive() const { return active_; }
    bool isTerminated() const { return terminated_; }

    Responder* nextResponder() const override { return delegate_.get(); }

private:
    std::unique_ptr<ApplicationDelegate> delegate_;
    std::unique_ptr<Window> window_;
    bool active_ = false;
    bool background_ = false;
    bool terminated_ = false;
};

/// Makes the application: the delegate of class `delegateClassName` (empty:
/// the plain delegate), the window at the main screen's size holding a
/// navigation controller over the main storyboard's initial scene; then
/// calls didFinishLaunching and makes it active. Throws PreconditionError
/// for an unknown class or when no main storyboard is set.
std::unique_ptr<Application> launchApplication(std::string_view delegateClassName);

/// Runs an application's event loop (a real window, or none).
class Host {
public:
    virtual ~Host() = default;
    /// Runs until the application ends; returns the process status.
    virtual int run(Application& application) = 0;
};

/// The host applicationMain runs (the app installs the window host).
void setMainHost(std::unique_ptr<Host> host);

/// The process entry: launches and runs the main host; with no host set,
/// launches, terminates and returns. Returns 0 when the loop ends normally.
int applicationMain(int argc, char** argv, std::string_view delegateClassName);

}  // namespace ui
