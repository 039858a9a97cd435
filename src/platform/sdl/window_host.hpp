// The desktop host: one SDL window showing the application's window.
//
// The SDL window shows the main screen's points at up to the screen's
// scale (less when the display is too small for it), drawn with Cairo; it
// is never smaller than ui::kMinimumWindowSize points: a resize below it, even
// one no window manager stops, is sized back and never laid out at.
// Mouse and touch input become touches in points, the wheel scrolls,
// resizing re-solves the layout, focus and minimising map to the life-cycle
// events, and closing the window ends the loop. It redraws when a view asks
// for it and on every frame while an animation runs.
//
// The frame is drawn at the window's pixels, or at fewer pixels per point
// when that would be larger than the renderer's largest texture or than
// 8192 pixels a side: the renderer then stretches it over the window. It is
// drawn once per change either way.
//
// When the X server goes away (or the connection to it breaks), at any
// moment from the opening of the window on, the process prints one line,
// "PROGRAM: the display NAME was lost", and ends at once with status 1:
// nothing is released, as nothing held over a dead connection can be.
#pragma once

#include <memory>
#include <string>

#include "base/files.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/ui/application.hpp"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace gfx {
class ImageSurface;
}

namespace sdl {

/// A size in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(PixelSize, PixelSize) = default;
};

class WindowHost : public ui::Host {
public:
    /// `programName` begins the line printed when the display is lost; ""
    /// stands for the name the process was started by.
    explicit WindowHost(std::string programName = "");
    ~WindowHost() override;
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    /// open, then pump and redraw until the window closes, then close.
    int run(ui::Application& application) override;

    // Step by step (for tests and tools).
    /// Opens the SDL window for `application` and draws the first frame.
    /// Throws PreconditionError when SDL cannot make a window, and when there
    /// is no display to show one on: unless SDL_VIDEODRIVER names a driver,
    /// SDL's drivers that draw nowhere to be seen (offscreen, dummy, the
    /// console's) are not fallen back on.
    void open(ui::Application& application);
    /// Handles the pending events, waiting up to `timeoutMs` for the first,
    /// and redraws when needed. False once the window has been closed.
    bool pump(int timeoutMs);
    /// Draws a frame now.
    void redraw();
    /// Writes what the window shows now as PNG to `path`, whole or not at all
    /// (see gfx::writePngFile): read back from the renderer, or, when the
    /// frame is drawn at fewer pixels than the window has, the frame as drawn
    /// (at its own size).
    tl::WriteResult saveScreenshot(const std::string& path);
    /// As above, into `file`, which is left to commit.
    tl::WriteResult saveScreenshot(tl::TemporaryFile& file);
    void close();

    bool isOpen() const { return window_ != nullptr; }
    SDL_Window* sdlWindow() const { return window_; }
    /// Window coordinates (as mouse events report them) per point.
    double coordinatesPerPoint() const { return coordsPerPoint_; }
    int framesDrawn() const { return frames_; }
    /// The frame's size as drawn ({0, 0} when there is none).
    PixelSize framePixels() const;
    /// The largest frame the renderer can show (known once open).
    PixelSize largestFrame() const { return largest_; }

private:
    void handle(const SDL_Event& event);
    /// The window now has this size (window coordinates): lays out at it, or
    /// at the smallest size when it is smaller, and sizes the window back.
    void sizeChanged(int windowWidth, int windowHeight);
    void resizeTo(int windowWidth, int windowHeight);
    gfx::Point toPoints(double x, double y) const;

    std::string programName_;
    ui::Application* application_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::unique_ptr<gfx::ImageSurface> image_;
    // What the frame buffer was last built for: a build that failed is not
    // tried again until one of them changes.
    gfx::Size builtPoints_;
    PixelSize builtOutput_;
    PixelSize largest_;
    bool shrunk_ = false;  // the frame has fewer pixels per point than the window
    double coordsPerPoint_ = 1;
    int minimumWidth_ = 0;  // the smallest window, in window coordinates
    int minimumHeight_ = 0;
    bool quit_ = false;
    bool wasAnimating_ = false;
    bool mouseDown_ = false;
    long long finger_ = -1;  // the finger being followed, or -1
    gfx::Point mouse_;       // last mouse position in points
    int frames_ = 0;
};

}  // namespace sdl
