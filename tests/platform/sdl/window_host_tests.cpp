// The app in a real window on an X server: a click made through the X
// server (xdotool) reaches a button, a screenshot read back from the window
// shows what the button did, the window manager is told the smallest size
// the window may take, a resize below it from outside is undone, and the app
// closes cleanly.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/sdl/window_host.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/storyboard.hpp"
#include "support/own_temporary_path.hpp"
#include "support/png_pixels.hpp"

// Last: the X11 headers behind it define macros that clash with the others.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

/// Longer than the X server and SDL take for anything here on the slowest,
/// busiest machine: only a hang reaches it.
constexpr std::chrono::seconds kHang{120};

int gPresses = 0;
bool gTerminated = false;
gfx::Size gSmallestLayout;  // the smallest window PressVC's view was laid out in

class LayoutRecorder : public ui::View {
public:
    using View::View;
    void layoutSubviews() override {
        const gfx::Size size = window()->bounds().size();
        gSmallestLayout = {std::min(gSmallestLayout.width, size.width), std::min(gSmallestLayout.height, size.height)};
    }
};

class PressVC : public ui::ViewController {
public:
    std::unique_ptr<ui::View> loadView() override {
        auto root = std::make_unique<LayoutRecorder>(ui::Screen::main().bounds());
        root->setBackgroundColor(gfx::palette::white);
        return root;
    }
    void viewDidLoad() override {
        auto* button = view()->add(std::make_unique<ui::Button>(gfx::Rect{100, 300, 190, 80}));
        button->setTitle("Press");
        button->setBackgroundColor(gfx::palette::lightGray);
        button->addTarget(nullptr, "press");
    }
    bool performAction(std::string_view action, ui::Responder*) override {
        if (action != "press") return false;
        ++gPresses;
        view()->setBackgroundColor(gfx::palette::green);
        return true;
    }
};

struct Delegate : ui::ApplicationDelegate {
    void willTerminate(ui::Application&) override { gTerminated = true; }
};

/// The main storyboard: one "Press" scene of PressVC.
void installPressBoard() {
    ui::registerViewController<PressVC>("PressVC");
    ui::StoryboardDescription board;
    board.scenes.push_back({});
    board.scenes[0].name = board.scenes[0].title = board.initialScene = "Press";
    board.scenes[0].className = "PressVC";
    ui::Storyboard::setMain(board);
}

bool haveXdotool() { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }

/// SDL's connection to the X server and the X11 window that shows `window`;
/// a null connection when it is no X11 window.
std::pair<Display*, Window> x11WindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return {nullptr, 0};
    return {info.info.x11.display, info.info.x11.window};
}

/// The smallest size in the window's size hints as the X server holds them
/// (what a window manager reads), or {0, 0} when the hints name none.
struct MinimumHint {
    int width = 0;
    int height = 0;
};

MinimumHint minimumHintOf(SDL_Window* window) {
    const auto [display, xWindow] = x11WindowOf(window);
    if (!display) {
        ADD_FAILURE() << "not an X11 window";
        return {};
    }
    // Asked on SDL's own connection, after everything SDL sent before it;
    // the answer comes from the server.
    MinimumHint hint;
    XSizeHints* hints = XAllocSizeHints();
    long supplied = 0;
    if (hints && XGetWMNormalHints(display, xWindow, hints, &supplied) != 0 && (hints->flags & PMinSize) != 0)
        hint = {hints->min_width, hints->min_height};
    if (hints) XFree(hints);
    return hint;
}

/// A PNG file's size in pixels, as its header gives it ({0, 0} when it has none).
sdl::PixelSize pngSize(const std::string& path) {
    unsigned char header[24] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || std::memcmp(header + 12, "IHDR", 4) != 0)
        return {};
    const auto big = [&](int at) {
        return static_cast<int>(static_cast<unsigned>(header[at]) << 24 | header[at + 1] << 16 | header[at + 2] << 8 |
                                header[at + 3]);
    };
    return {big(16), big(20)};
}

}  // namespace

TEST(WindowHost, AClickThroughTheXServerReachesAButton) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";

    installPressBoard();
    ui::registerApplicationDelegate<Delegate>("PressDelegate");
    // 601 × 0.75 points make no whole number of pixels: the window is made at a rounded size.
    ui::Screen::main().setSize({390, 601});
    ui::Screen::main().setScale(0.75);

    auto app = ui::launchApplication("PressDelegate");
    sdl::WindowHost host;
    host.open(*app);
    double k = host.coordinatesPerPoint();
    int windowWidth = 0, windowHeight = 0;
    SDL_GetWindowSize(host.sdlWindow(), &windowWidth, &windowHeight);
    // From the start, the screen in points is exactly what the window shows.
    gfx::Size screen = ui::Screen::main().bounds().size();
    EXPECT_NEAR(screen.width * k, windowWidth, 1e-9);
    EXPECT_NEAR(screen.height * k, windowHeight, 1e-9);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(host.pump(50));
    EXPECT_GE(host.framesDrawn(), 1);

    const auto [display, xWindow] = x11WindowOf(host.sdlWindow());
    ASSERT_NE(display, nullptr) << "not an X11 window";
    std::string click = "xdotool mousemove --window " + std::to_string(xWindow) + " " +
                        std::to_string(static_cast<int>(195 * k)) + " " + std::to_string(static_cast<int>(340 * k)) +
                        " click 1";
    ASSERT_EQ(std::system(click.c_str()), 0);

    auto deadline = std::chrono::steady_clock::now() + kHang;
    while (gPresses == 0 && std::chrono::steady_clock::now() < deadline) ASSERT_TRUE(host.pump(50));
    EXPECT_EQ(gPresses, 1);

    std::string shot = tl::testing::ownTemporaryPath("tl_sdl_window.png").string();
    ASSERT_TRUE(host.saveScreenshot(shot));
    {
        tl::testing::Png png(shot);
        ASSERT_TRUE(png.ok());
        EXPECT_EQ(png.rgb(static_cast<int>(20 * k), static_cast<int>(500 * k)), 0x00ff00u);  // the screen turned green
        EXPECT_NE(png.rgb(static_cast<int>(195 * k), static_cast<int>(340 * k)), 0x00ff00u);  // the button
    }
    std::remove(shot.c_str());

    // Idle: no event and nothing changed, so no frame is drawn.
    int frames = host.framesDrawn();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(host.pump(10));
    EXPECT_EQ(host.framesDrawn(), frames);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    bool open = true;
    for (int i = 0; i < 20 && open; ++i) open = host.pump(50);
    EXPECT_FALSE(open);
    host.close();
    EXPECT_FALSE(host.isOpen());
    app->terminate();
    app.reset();
    EXPECT_TRUE(gTerminated);
    ui::Storyboard::clearMain();
}

// Below the smallest phone the pads cannot lay out: the window is neither
// made nor resized smaller than 320 × 480 points, and never laid out smaller.
// With no window manager (as under a bare X server) a resize from outside
// goes through; the window is sized back, one side or both.
TEST(WindowHost, TheWindowKeepsItsMinimumSize) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    installPressBoard();
    ui::Screen::main().setSize({200, 200});
    ui::Screen::main().setScale(1.3);  // the smallest window is no whole number of coordinates
    auto app = ui::launchApplication("");
    sdl::WindowHost host;
    host.open(*app);
    SDL_SetWindowSize(host.sdlWindow(), 100, 100);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(host.pump(20));
    EXPECT_GE(ui::Screen::main().bounds().width, ui::kMinimumWindowSize.width - 1e-9);
    EXPECT_GE(ui::Screen::main().bounds().height, ui::kMinimumWindowSize.height - 1e-9);

    const auto [display, xWindow] = x11WindowOf(host.sdlWindow());
    ASSERT_NE(display, nullptr) << "not an X11 window";
    const double k = host.coordinatesPerPoint();
    const int least[] = {static_cast<int>(std::ceil(320 * k)), static_cast<int>(std::ceil(480 * k))};
    const std::pair<int, int> resizes[] = {{100, 100}, {900, 100}, {100, 800}, {600, 800}};
    for (auto [width, height] : resizes) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        gSmallestLayout = {1e9, 1e9};
        XResizeWindow(display, xWindow, width, height);
        XSync(display, False);
        const int wantWidth = std::max(width, least[0]), wantHeight = std::max(height, least[1]);
        XWindowAttributes now{};
        auto deadline = std::chrono::steady_clock::now() + kHang;
        do {
            ASSERT_TRUE(host.pump(20));
            XGetWindowAttributes(display, xWindow, &now);
        } while ((now.width != wantWidth || now.height != wantHeight) && std::chrono::steady_clock::now() < deadline);
        EXPECT_EQ(now.width, wantWidth);
        EXPECT_EQ(now.height, wantHeight);
        EXPECT_EQ(gSmallestLayout, (gfx::Size{wantWidth / k, wantHeight / k}));
    }
    // Settled: the resize made answers no resize of its own.
    const int frames = host.framesDrawn();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(host.pump(20));
    EXPECT_EQ(host.framesDrawn(), frames);
    host.close();
    app->terminate();
    ui::Screen::main().reset();
    ui::Storyboard::clearMain();
}

// The window manager keeps the window from being dragged below the smallest
// phone: the size hints the X server holds for the window name the fewest
// whole window coordinates that hold 320 × 480 points, at every scale.
TEST(WindowHost, TheWindowManagerIsToldTheMinimumSize) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    struct Case {
        gfx::Size screen;
        double scale;
    };
    const Case cases[] = {
        {{200, 200}, 1},     // a screen below the minimum
        {{320, 480}, 1},     // exactly the minimum
        {{390, 601}, 0.75},  // minimum coordinates that are no whole numbers
        {{390, 844}, 2},     // the phone, fitted into the display
        {{375, 667}, 1.3},
    };
    installPressBoard();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screen.width << " x " << c.screen.height << " at " << c.scale);
        ui::Screen::main().setSize(c.screen);
        ui::Screen::main().setScale(c.scale);
        auto app = ui::launchApplication("");
        sdl::WindowHost host;
        host.open(*app);
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(host.pump(10));
        const double k = host.coordinatesPerPoint();
        const MinimumHint hint = minimumHintOf(host.sdlWindow());
        ASSERT_GT(hint.width, 0) << "the size hints name no minimum";
        const gfx::Size least = ui::kMinimumWindowSize;
        // The fewest coordinates: one fewer would hold less than the minimum.
        EXPECT_GE(hint.width / k, least.width - 1e-9);
        EXPECT_LT((hint.width - 1) / k, least.width);
        EXPECT_GE(hint.height / k, least.height - 1e-9);
        EXPECT_LT((hint.height - 1) / k, least.height);
        // And the window as made is no smaller than it allows.
        int width = 0, height = 0;
        SDL_GetWindowSize(host.sdlWindow(), &width, &height);
        EXPECT_GE(width, hint.width);
        EXPECT_GE(height, hint.height);
        host.close();
        app->terminate();
    }
    ui::Screen::main().reset();
    ui::Storyboard::clearMain();
}

// A window larger than the largest frame the renderer shows (no window
// manager stops a resize from outside): the frame is drawn once per size, at
// as many pixels per point as fit, and stretched over the window; idle pumps
// draw nothing more, and a capture writes the frame as drawn. At a size that
// fits, the frame has the window's pixels again.
TEST(WindowHost, AWindowLargerThanTheLargestFrameIsDrawnOnceAtFewerPixels) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    struct Size {
        int width, height;
    };
    const Size sizes[] = {{16385, 16384}, {20000, 20000}, {700, 900}, {8193, 600}};
    const std::string shot = tl::testing::ownTemporaryPath("tl_sdl_large_window.png").string();
    installPressBoard();
    ui::Screen::main().setSize({390, 601});
    ui::Screen::main().setScale(1);
    auto app = ui::launchApplication("");
    sdl::WindowHost host;
    host.open(*app);
    const sdl::PixelSize largest = host.largestFrame();
    EXPECT_TRUE(largest.width > 0 && largest.width <= 8192 && largest.height > 0 && largest.height <= 8192);
    const auto [display, xWindow] = x11WindowOf(host.sdlWindow());
    ASSERT_NE(display, nullptr) << "not an X11 window";
    for (const Size size : sizes) {
        SCOPED_TRACE(::testing::Message() << size.width << " x " << size.height);
        const int before = host.framesDrawn();
        XResizeWindow(display, xWindow, static_cast<unsigned>(size.width), static_cast<unsigned>(size.height));
        XSync(display, False);
        int width = 0, height = 0;
        auto deadline = std::chrono::steady_clock::now() + kHang;
        do {
            ASSERT_TRUE(host.pump(20));
            SDL_GetWindowSize(host.sdlWindow(), &width, &height);
        } while ((width != size.width || height != size.height || host.framesDrawn() == before) &&
                 std::chrono::steady_clock::now() < deadline);
        ASSERT_EQ(width, size.width);
        ASSERT_EQ(height, size.height);
        ASSERT_GT(host.framesDrawn(), before) << "no frame drawn at this size";
        // Drawn once: idle pumps draw nothing more.
        const int frames = host.framesDrawn();
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(host.pump(10));
        EXPECT_EQ(host.framesDrawn(), frames);

        const sdl::PixelSize frame = host.framePixels();
        if (size.width <= largest.width && size.height <= largest.height) {
            EXPECT_EQ(frame.width, size.width);
        } else {
            // As large as fits, on the window's proportions.
            EXPECT_LE(frame.width, largest.width);
            EXPECT_LE(frame.height, largest.height);
            EXPECT_TRUE(frame.width == largest.width || frame.height == largest.height);
            EXPECT_NEAR(static_cast<double>(frame.width) / frame.height, static_cast<double>(size.width) / size.height,
                        2.0 / std::min(frame.width, frame.height));
        }
        ASSERT_TRUE(host.saveScreenshot(shot));
        // The window read back, or the smaller frame as drawn.
        const sdl::PixelSize written{std::min(frame.width, size.width), std::min(frame.height, size.height)};
        EXPECT_EQ(pngSize(shot), written);
        if (frame.width * frame.height < 1000000) {  // decoding a larger one takes seconds
            tl::testing::Png png(shot);
            // The button's grey, where the button is.
            const double k = static_cast<double>(png.width()) / ui::Screen::main().bounds().width;
            EXPECT_EQ(png.rgb(static_cast<int>(110 * k), static_cast<int>(310 * k)), 0xaaaaaau);
        }
        std::remove(shot.c_str());
        EXPECT_EQ(host.framesDrawn(), frames + 1);  // the capture drew the frame, once
    }
    host.close();
    app->terminate();
    ui::Screen::main().reset();
    ui::Storyboard::clearMain();
}
