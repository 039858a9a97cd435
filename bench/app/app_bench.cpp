// The whole app, headless: start-up to the first drawn frame of the menu,
// and the peak memory of a session that opens every screen and pages
// through one solution of each strategy (VmHWM of the process, so the
// session runs first, before anything else has grown the heap), and how much
// the resident size still grows over two more such sessions.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/registration.hpp"
#include "app/storyboard.hpp"
#include "drills/drill_screens.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/window.hpp"
#include "screens/strategy_screen.hpp"
#include "support/process_memory.hpp"

namespace {

using tl::bench::statusKiB;

/// Draws the window as the device would: its size at the screen's scale.
void drawFrame(ui::HeadlessHost& host) {
    const gfx::Size size = host.window().bounds().size();
    gfx::ImageSurface image(size.width, size.height, ui::Screen::main().scale());
    host.window().render(image.context());
}

ui::ViewController* top(ui::HeadlessHost& host) {
    return host.window().navigationController()->topViewController();
}

/// The app's classes and storyboard, registered once (not at static
/// initialisation: the registries are statics of other files).
void registerOnce() {
    static const bool registered = [] {
        tl::registerApplication();
        return true;
    }();
    (void)registered;
}

/// One strategy: the largest numbers the pad takes, "🤔", then every page.
std::size_t pageThroughStrategy(ui::HeadlessHost& host, const std::string& row) {
    host.tapTitle(row);
    auto* screen = dynamic_cast<tl::StrategyScreenBase*>(top(host));
    const std::string digits(static_cast<std::size_t>(screen->maximumDigits()), '9');
    for (char d : digits) host.tapTitle(std::string(1, d));
    if (screen->values().inputs.at(0).at(0).size() > 1) {
        host.tapTitle("I2");
        for (std::size_t i = 0; i + 1 < digits.size(); ++i) host.tapTitle("7");
    }
    host.tapTitle("\U0001F914");
    drawFrame(host);
    auto* steps = dynamic_cast<tl::UniversalEngineVC*>(top(host));
    const std::size_t pages = steps->detailSteps.size();
    tl::UniversalEngineView* view = steps->universalEngineView();
    for (std::size_t p = 1; p < pages; ++p) {
        const gfx::Rect b = view->bounds();
        host.tap(view->convertToWindow({b.width * 0.75, b.height - 10}));
        drawFrame(host);
    }
    host.back();
    host.back();
    return pages;
}

/// One drill: its menu, the first problem, the card flipped over.
void flipThroughDrill(ui::HeadlessHost& host, const std::string& row) {
    host.tapTitle(row);
    drawFrame(host);
    auto* menu = dynamic_cast<tl::drills::DrillMenu*>(top(host));
    host.tapTitle(menu->pickList().front());
    drawFrame(host);
    const gfx::Rect b = host.window().bounds();
    host.tap({b.width / 2, b.height / 2});
    host.wait(1.0);
    drawFrame(host);
    host.back();
    host.back();
}

/// Opens every screen of the menu in turn; returns the step pages drawn.
std::size_t session(ui::HeadlessHost& host) {
    std::size_t pages = 0;
    for (const auto& section : tl::appMenu())
        for (const auto& row : section.rows) {
            if (section.header == "drills")
                flipThroughDrill(host, row.text);
            else
                pages += pageThroughStrategy(host, row.text);
        }
    return pages;
}

void BM_SessionPeakMemory(benchmark::State& state) {
    registerOnce();
    std::size_t pages = 0;
    double coldMs = 0, afterFirst = 0, afterThird = 0;
    for (auto _ : state) {
        // The first frame of the process also loads the faces.
        const auto start = std::chrono::steady_clock::now();
        ui::Screen::main().reset();
        ui::HeadlessHost host("AppDelegate");
        drawFrame(host);
        coldMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        pages = session(host);
        afterFirst = statusKiB("VmRSS");
        // Two more rounds: what a screen keeps after it is closed shows here.
        session(host);
        session(host);
        afterThird = statusKiB("VmRSS");
    }
    state.counters["cold_first_frame_ms"] = coldMs;
    state.counters["pages_drawn"] = static_cast<double>(pages);
    state.counters["VmHWM_MiB"] = statusKiB("VmHWM") / 1024;
    state.counters["VmRSS_MiB"] = statusKiB("VmRSS") / 1024;
    state.counters["RSS_growth_2_more_sessions_KiB"] = afterThird - afterFirst;
}
BENCHMARK(BM_SessionPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StartupToFirstFrame(benchmark::State& state) {
    registerOnce();
    for (auto _ : state) {
        ui::Screen::main().reset();
        ui::HeadlessHost host("AppDelegate");
        drawFrame(host);
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
