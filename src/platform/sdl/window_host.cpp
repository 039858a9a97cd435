#include "platform/sdl/window_host.hpp"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/png_file.hpp"
#include "platform/sdl/display_loss.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/window.hpp"

namespace sdl {

namespace {

constexpr double kWheelPoints = 40;  // points scrolled per wheel notch
constexpr int kFrameMs = 16;
constexpr int kIdleMs = 250;
// The largest frame, in pixels a side, whatever the renderer takes: more
// than a display of 7680 × 4320 shows, and at most 256 MiB of pixels.
constexpr int kLargestFrame = 8192;

std::string sdlError(const char* what) { return std::string(what) + ": " + SDL_GetError(); }

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// SDL's drivers that show no window on a desktop: with nothing else to
// open, SDL would fall back on one of them and the app would run unseen.
// Asked for by name (SDL_VIDEODRIVER), they are used as SDL uses them.
bool showsNoWindow(std::string_view driver) {
    for (std::string_view name : {"offscreen", "dummy", "evdev", "KMSDRM"})
        if (driver.size() == name.size() && SDL_strncasecmp(driver.data(), name.data(), name.size()) == 0)
            return true;
    return false;
}

// Whether a Wayland connection can be tried at all: without a runtime
// directory only a socket given by path or by descriptor can be reached
// (and the Wayland library would complain on standard error).
bool waylandReachable() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return isSet("XDG_RUNTIME_DIR") || isSet("WAYLAND_SOCKET") || (display && display[0] == '/');
}

// The drivers SDL may try, in its own order, when none is asked for: those
// that open a window. Empty when none of them can.
std::string windowDrivers() {
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string_view driver = SDL_GetVideoDriver(i);
        if (showsNoWindow(driver) || (driver == "wayland" && !waylandReachable())) continue;
        if (!list.empty()) list += ',';
        list += driver;
    }
    return list;
}

// Starts SDL's video on a display a window can be opened on, or throws
// PreconditionError saying there is none.
void startVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return;
    const bool chosen = isSet("SDL_VIDEODRIVER");
    std::string drivers;
    if (!chosen) {
        drivers = windowDrivers();
        if (!drivers.empty()) SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    const auto noDisplay = [](const std::string& why) {
        return tl::PreconditionError("no display to open a window on (" + why + ")");
    };
    // The display asked for, as "DISPLAY=:1, WAYLAND_DISPLAY=wayland-0", or "".
    std::string named;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (isSet(variable))
            named += (named.empty() ? "" : ", ") + std::string(variable) + "=" + tl::excerpt(std::getenv(variable));
    const auto why = [&](const std::string& failure) {
        return named.empty() ? std::string("DISPLAY and WAYLAND_DISPLAY are not set") : named + ": " + failure;
    };
    if (!chosen && drivers.empty()) throw noDisplay(why("SDL has no driver for it"));
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (chosen) throw tl::PreconditionError(sdlError("SDL could not start video"));
        throw noDisplay(why(SDL_GetError()));
    }
}

// The largest number of window coordinates per point, up to `scale`, that
// keeps a window of `points` inside the display's usable area.
double fittingScale(gfx::Size points, double scale) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return scale;
    double fit = std::min(0.95 * usable.w / points.width, 0.95 * usable.h / points.height);
    return std::max(0.25, std::min(scale, fit));
}

}  // namespace

WindowHost::WindowHost(std::string programName) : programName_(std::move(programName)) {}

WindowHost::~WindowHost() { close(); }

int WindowHost::run(ui::Application& application) {
    open(application);
    while (pump(wasAnimating_ ? kFrameMs : kIdleMs)) {
    }
    close();
    return 0;
}

void WindowHost::open(ui::Application& application) {
    tl::require(!isOpen(), "the window host is open already");
    tl::require(application.window() != nullptr, "the application has no window");
    application_ = &application;
    // Before SDL connects to the display, and again once it has (in case
    // its own set-up put a handler of its own in place).
    endOnDisplayLoss(programName_);
    startVideo();
    endOnDisplayLoss(programName_);
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    // SDL drops a click it handles within 10 ms of a focus event; an app
    // that is busy handles both at once, and a tap would be lost.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // On X11 the frame reaches the window through Xlib alone: SDL's software
    // renderer, on a frame buffer of Xlib's rather than of OpenGL's. The
    // OpenGL library takes the X server's replies unchecked while it starts
    // and crashes when the server has just gone; Xlib reports the loss (see
    // endOnDisplayLoss). Cairo draws the frame on the processor either way.
    // A renderer named in SDL_RENDER_DRIVER is still the one used.
    if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }

    const ui::Screen& screen = ui::Screen::main();
    const gfx::Size least = ui::kMinimumWindowSize;
    gfx::Size points{std::max(screen.bounds().width, least.width), std::max(screen.bounds().height, least.height)};
    coordsPerPoint_ = fittingScale(points, screen.scale());
    const auto coordinates = [this](double p) { return static_cast<int>(std::lround(p * coordsPerPoint_)); };
    window_ = SDL_CreateWindow("Tellurandi", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               coordinates(points.width), coordinates(points.height),
                               SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN);
    if (!window_) throw tl::PreconditionError(sdlError("SDL could not make a window"));
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::string message = sdlError("SDL could not make a renderer");
        close();
        throw tl::PreconditionError(message);
    }
    largest_ = {kLargestFrame, kLargestFrame};
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer_, &info) == 0) {
        if (info.max_texture_width > 0) largest_.width = std::min(largest_.width, info.max_texture_width);
        if (info.max_texture_height > 0) largest_.height = std::min(largest_.height, info.max_texture_height);
    }
    // Below the smallest phone the pads' prompts would run into the keys.
    // Set once the renderer exists: making one may make the X window anew,
    // with no size hints but its location. And set while the window is
    // hidden: setting it moves and raises a window.
    // In window coordinates, as SDL sizes windows (not in pixels, which a
    // high-density display has more of).
    minimumWidth_ = static_cast<int>(std::ceil(least.width * coordsPerPoint_));
    minimumHeight_ = static_cast<int>(std::ceil(least.height * coordsPerPoint_));
    SDL_SetWindowMinimumSize(window_, minimumWidth_, minimumHeight_);
    SDL_ShowWindow(window_);
    quit_ = false;
    // The window is made at a rounded size (and a window manager may change
    // it): the screen takes the size it really has, so the frame buffer is
    // built for it once rather than waiting for the first resize event.
    int realWidth = 0, realHeight = 0;
    SDL_GetWindowSize(window_, &realWidth, &realHeight);
    sizeChanged(realWidth, realHeight);
    application.window()->layoutIfNeeded();
    redraw();
}

gfx::Point WindowHost::toPoints(double x, double y) const { return {x / coordsPerPoint_, y / coordsPerPoint_}; }

void WindowHost::resizeTo(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return;
    gfx::Size points{windowWidth / coordsPerPoint_, windowHeight / coordsPerPoint_};
    application_->window()->resize(points);
}

void WindowHost::sizeChanged(int windowWidth, int windowHeight) {
    // Only a window manager holds a window to its smallest size: with none
    // (or one that ignores the hint) anything can resize it below. The host
    // holds it there itself: it lays out at the smallest size at once and
    // sizes the window back to it, and does nothing while the window is no
    // smaller, so the resize it makes answers no resize of its own.
    const int width = std::max(windowWidth, minimumWidth_), height = std::max(windowHeight, minimumHeight_);
    if (width != windowWidth || height != windowHeight) {
        // The size the window has now, not the event's: a resize to a larger
        // size that followed this event is not undone.
        int nowWidth = 0, nowHeight = 0;
        SDL_GetWindowSize(window_, &nowWidth, &nowHeight);
        if (nowWidth < minimumWidth_ || nowHeight < minimumHeight_)
            SDL_SetWindowSize(window_, std::max(nowWidth, minimumWidth_), std::max(nowHeight, minimumHeight_));
    }
    resizeTo(width, height);
}

void WindowHost::handle(const SDL_Event& e) {
    ui::Window& window = *application_->window();
    ui::Application& app = *application_;
    switch (e.type) {
        case SDL_QUIT: quit_ = true; break;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_CLOSE: quit_ = true; break;
                // Every resize, from SDL or from outside (RESIZED), comes with one.
                case SDL_WINDOWEVENT_SIZE_CHANGED: sizeChanged(e.window.data1, e.window.data2); break;
                case SDL_WINDOWEVENT_EXPOSED: window.setNeedsDisplay(); break;
                case SDL_WINDOWEVENT_FOCUS_GAINED: app.becomeActive(); break;
                case SDL_WINDOWEVENT_FOCUS_LOST: app.resignActive(); break;
                case SDL_WINDOWEVENT_MINIMIZED: app.enterBackground(); break;
                case SDL_WINDOWEVENT_RESTORED:
                    app.enterForeground();
                    app.becomeActive();
                    break;
                default: break;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.which == SDL_TOUCH_MOUSEID || e.button.button != SDL_BUTTON_LEFT) break;
            mouse_ = toPoints(e.button.x, e.button.y);
            mouseDown_ = true;
            window.sendTouch(mouse_, ui::TouchPhase::began);
            break;
        case SDL_MOUSEMOTION:
            if (e.motion.which == SDL_TOUCH_MOUSEID) break;
            mouse_ = toPoints(e.motion.x, e.motion.y);
            if (mouseDown_) window.sendTouch(mouse_, ui::TouchPhase::moved);
            break;
        case SDL_MOUSEBUTTONUP:
            if (e.button.which == SDL_TOUCH_MOUSEID || e.button.button != SDL_BUTTON_LEFT || !mouseDown_) break;
            mouse_ = toPoints(e.button.x, e.button.y);
            mouseDown_ = false;
            window.sendTouch(mouse_, ui::TouchPhase::ended);
            break;
        case SDL_MOUSEWHEEL: {
            double notches = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            window.scroll(mouse_, -notches * kWheelPoints);
            break;
        }
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: {
            // One finger at a time: the first down is followed until it lifts.
            long long id = static_cast<long long>(e.tfinger.fingerId);
            if (e.type == SDL_FINGERDOWN && finger_ < 0) finger_ = id;
            if (id != finger_) break;
            gfx::Rect b = window.bounds();
            gfx::Point p{e.tfinger.x * b.width, e.tfinger.y * b.height};
            ui::TouchPhase phase = e.type == SDL_FINGERDOWN   ? ui::TouchPhase::began
                                   : e.type == SDL_FINGERUP ? ui::TouchPhase::ended
                                                            : ui::TouchPhase::moved;
            if (phase == ui::TouchPhase::ended) finger_ = -1;
            window.sendTouch(p, phase);
            break;
        }
        default: break;
    }
}

bool WindowHost::pump(int timeoutMs) {
    if (!isOpen()) return false;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, std::max(0, timeoutMs)) != 0) {
        handle(event);
        while (!quit_ && SDL_PollEvent(&event)) handle(event);
    }
    if (quit_) return false;
    bool animating = ui::animationsRunning();
    if (animating || wasAnimating_ || application_->window()->needsRedraw()) redraw();
    wasAnimating_ = animating;
    return true;
}

void WindowHost::redraw() {
    if (!isOpen()) return;
    ui::Window& window = *application_->window();
    int pw = 0, ph = 0;
    if (SDL_GetRendererOutputSize(renderer_, &pw, &ph) != 0 || pw <= 0 || ph <= 0) return;
    gfx::Rect b = window.bounds();
    if (b.width <= 0 || b.height <= 0) return;
    // Keyed on what the image is made for, not on its size in pixels: a
    // height that rounds differently from the renderer's must not cost a new
    // buffer every frame, nor a buffer that could not be made a new try.
    const PixelSize output{pw, ph};
    if (b.size() != builtPoints_ || output != builtOutput_) {
        // Both go first, so a failure below (an image too large, no texture)
        // leaves nothing dangling; the next size tries again.
        image_.reset();
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = nullptr;
        builtPoints_ = b.size();
        builtOutput_ = output;
        // The window's pixels per point, or fewer: as many as the largest
        // frame holds. The renderer stretches such an image over the window.
        const double pixelsPerPoint = std::min({pw / b.width, largest_.width / b.width, largest_.height / b.height});
        shrunk_ = pixelsPerPoint < pw / b.width;
        image_ = std::make_unique<gfx::ImageSurface>(b.width, b.height, pixelsPerPoint);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                     image_->pixelWidth(), image_->pixelHeight());
        if (!texture_) {
            image_.reset();
            return;
        }
    }
    if (!texture_) return;
    window.render(image_->context());
    cairo_surface_t* surface = image_->cairoSurface();
    cairo_surface_flush(surface);
    SDL_UpdateTexture(texture_, nullptr, cairo_image_surface_get_data(surface),
                      cairo_image_surface_get_stride(surface));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    ++frames_;
}

tl::WriteResult WindowHost::saveScreenshot(const std::string& path) {
    tl::TemporaryFile file(path);
    if (tl::WriteResult written = saveScreenshot(file); !written) return written;
    return file.commit();
}

tl::WriteResult WindowHost::saveScreenshot(tl::TemporaryFile& file) {
    if (!file) return file.result();
    int pw = 0, ph = 0;
    if (!isOpen() || SDL_GetRendererOutputSize(renderer_, &pw, &ph) != 0 || pw <= 0 || ph <= 0) {
        file.fail("the window cannot be read");
        return file.result();
    }
    // Draw the frame again and read it back from the renderer before it is
    // shown; a frame drawn smaller than the window is written as drawn, at
    // no more memory than it takes already.
    redraw();
    if (!texture_) {
        file.fail("the window's frame cannot be drawn");
        return file.result();
    }
    if (shrunk_) return gfx::writePng(image_->cairoSurface(), file);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> shot(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph), cairo_surface_destroy);
    if (cairo_surface_status(shot.get()) != CAIRO_STATUS_SUCCESS) {
        file.fail(cairo_status_to_string(cairo_surface_status(shot.get())));
        return file.result();
    }
    cairo_surface_flush(shot.get());
    int status = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                      cairo_image_surface_get_data(shot.get()),
                                      cairo_image_surface_get_stride(shot.get()));
    cairo_surface_mark_dirty(shot.get());
    SDL_RenderPresent(renderer_);
    if (status != 0) file.fail("the window cannot be read");
    return gfx::writePng(shot.get(), file);
}

PixelSize WindowHost::framePixels() const {
    return image_ ? PixelSize{image_->pixelWidth(), image_->pixelHeight()} : PixelSize{};
}

void WindowHost::close() {
    image_.reset();
    builtPoints_ = {};
    builtOutput_ = {};
    shrunk_ = false;
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    // SDL's video stays up for the rest of the process: quitting it unloads
    // the drivers it opened, which leaves their caches as unattributable
    // leaks, and a host may open again.
    mouseDown_ = false;
    finger_ = -1;
}

}  // namespace sdl
