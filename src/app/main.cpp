// The window's program, started by `tellurandi` (launcher.cpp) in its own
// process. The process entry: register the app's classes and storyboard, then hand
// over to the application loop in a desktop window.
//
// For tests and documentation the window can be captured from outside:
// with TELLURANDI_SHOT=FILE.png in the environment, each SIGUSR1 writes what
// the window shows to FILE.png and, beside it, FILE.png.txt naming the
// screen on top ("screen NAME") and, on the step screen, the page shown
// ("page N of M"). Both files appear whole (written aside, then renamed),
// the picture last, or neither does.
//
// With no display to open the window on it says so in one line, status 1;
// "--help" prints the usage instead of opening the window; any other
// argument is refused with the usage, status 2.
#include <SDL.h>

#include <signal.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "app/registration.hpp"
#include "base/errors.hpp"
#include "base/files.hpp"
#include "base/text.hpp"
#include "base/usage.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/gfx/drawing_memory.hpp"
#include "platform/sdl/window_host.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/application.hpp"
#include "platform/ui/navigation.hpp"

namespace {

volatile std::sig_atomic_t gShotRequested = 0;

void requestShot(int) { gShotRequested = 1; }

// SIGUSR1 would otherwise end the app: it is caught before anything else is
// done, then let through. `tellurandi` starts this program with it blocked
// (see launcher.cpp), so one sent while the libraries were loading is taken
// here too, and waits for the window as any later one does.
void catchShotRequests() {
    struct sigaction action {};
    action.sa_handler = requestShot;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
    sigset_t shot;
    sigemptyset(&shot);
    sigaddset(&shot, SIGUSR1);
    sigprocmask(SIG_UNBLOCK, &shot, nullptr);
}

std::string topScreenReport(ui::Application& application) {
    ui::NavigationController* navigation = application.window()->navigationController();
    ui::ViewController* top = navigation ? navigation->topViewController() : application.window()->rootViewController();
    if (!top) return "screen none\n";
    std::string report = "screen " + top->sceneName() + "\n";
    if (auto* steps = dynamic_cast<tl::UniversalEngineVC*>(top)) {
        const tl::UniversalEngineView* view = steps->universalEngineView();
        report += "page " + std::to_string(view->step + 1) + " of " + std::to_string(view->totalSteps) + "\n";
    }
    return report;
}

// The desktop window, plus the capture on request.
class AppHost : public ui::Host {
public:
    explicit AppHost(const char* shotPath) : shotPath_(shotPath ? shotPath : "") {}

    int run(ui::Application& application) override {
        window_.open(application);
        // Wake often enough to notice a capture request between events.
        while (window_.pump(ui::animationsRunning() ? 16 : 100)) captureIfRequested(application);
        // A capture asked for before the app was told to end is still written.
        captureIfRequested(application);
        window_.close();
        return 0;
    }

private:
    void captureIfRequested(ui::Application& application) {
        if (!gShotRequested) return;
        gShotRequested = 0;
        if (shotPath_.empty())
            std::fputs("tellurandi: SIGUSR1 dropped: TELLURANDI_SHOT is not set\n", stderr);
        else
            capture(application);
    }

    // The picture, though written whole, is held aside (in its temporary
    // file) until the report is in place beside it: whoever waits for
    // FILE.png then finds the report that goes with it. A capture that
    // cannot be written whole (a folder at FILE.png, say) leaves neither
    // file, and one line says why.
    void capture(ui::Application& application) {
        tl::TemporaryFile picture(shotPath_);  // refuses at once a FILE.png it could not replace
        tl::WriteResult written = window_.saveScreenshot(picture);
        const std::string report = shotPath_ + ".txt";
        if (written) written = tl::writeFileWhole(report, topScreenReport(application));
        if (written) {
            // Until the picture has its name, a signal takes its report too.
            tl::RemovedOnSignal unmatched(report);
            written = picture.commit();
            if (!written) static_cast<void>(tl::removeRegularFile(report));
        }
        if (!written) std::fprintf(stderr, "tellurandi: %s\n", written.failure().c_str());
    }

    std::string shotPath_;
    sdl::WindowHost window_{"tellurandi"};
};

constexpr const char* kUsage =
    "usage: tellurandi\n"
    "       tellurandi --help\n"
    "Opens Tellurandi in a window, which needs a display (an X11 or Wayland session:\n"
    "DISPLAY or WAYLAND_DISPLAY set); the window is at least 320 x 480 points.\n"
    "With TELLURANDI_SHOT=FILE.png in the environment, each SIGUSR1 writes what the\n"
    "window shows to FILE.png, and beside it FILE.png.txt naming the screen on top.\n"
    "Status: 0 the window was closed; 1 no window could be opened, or a fault; 2 a malformed\n"
    "command line.\n";

}  // namespace

int main(int argc, char** argv) {
    catchShotRequests();
    tl::failWritesPastSizeLimit();
    if (tl::asksForHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return tl::finishOutput("tellurandi", 0);
    }
    if (argc > 1) {  // it takes no arguments
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        gfx::prepareForDrawing("tellurandi");
        tl::registerApplication();
        ui::setMainHost(std::make_unique<AppHost>(std::getenv("TELLURANDI_SHOT")));
        return ui::applicationMain(argc, argv, "AppDelegate");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tellurandi: %s\n", tl::oneLine(e.what(), "\\n").c_str());
        return 1;
    }
}
