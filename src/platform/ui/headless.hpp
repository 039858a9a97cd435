// Running the app without a window: for tests and the screenshot tool.
//
//     ui::HeadlessHost host("AppDelegate");   // launches the main storyboard
//     host.tapTitle("Next");                  // taps the visible button so titled
//     host.wait(1.0);                         // animations move on 1 second
//     host.renderPng("shot.png");             // the window at the screen's scale
//
// The host drives the animation clock by hand while it exists. Like a real
// window's loop, it lays out and, when something is due, draws a frame
// (thrown away) after the launch and after every event, so that a view which
// learns its state as it draws is ready for the next event.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/files.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/ui/application.hpp"

namespace ui {

class Button;

/// Draws `view` and its subtree at the view's size, `scale` pixels per point,
/// over white, into a PNG file (see gfx::writePngFile). A picture that
/// cannot be drawn (its image cannot be made, say) is "cannot draw PATH:
/// REASON".
tl::WriteResult renderToPng(View& view, const std::string& path, double scale);

/// The front-most button titled `title` (blanks at the ends of its title
/// aside) that can be seen and touched in `root`'s tree, or nullptr.
Button* findButton(View& root, std::string_view title);

/// Where in window coordinates a tap on the control titled `title` goes: a
/// button (by its title, or by the text of a label over it that lets the
/// tap through to it), the navigation bar's back control, or a table row
/// with that text (blanks at the ends of the text aside). The tap goes to
/// the middle of the part of the control inside the window and inside the
/// bounds of each view that holds it (a row at the foot of a table: the
/// part above the table's bottom edge). Nothing when no such part is left,
/// or when a view in front would take the tap.
std::optional<gfx::Point> locateTitle(Window& window, std::string_view title);

class HeadlessHost : public Host {
public:
    /// Launches the application with the delegate class `delegateClassName`
    /// (empty: the plain delegate) over the main storyboard.
    explicit HeadlessHost(std::string_view delegateClassName = {});
    ~HeadlessHost() override;

    /// Nothing to loop over: returns at once.
    int run(Application& application) override;

    Application& application() { return *application_; }
    Window& window() { return *application_->window(); }

    /// The screen and window take the size (points); layout re-solves.
    void resize(gfx::Size size);
    void tap(gfx::Point point);
    /// Taps the control titled `title`; a PreconditionError when none is visible.
    void tapTitle(std::string_view title);
    /// Goes back one screen; false on the first screen.
    bool back();
    /// Moves the animation clock on by `seconds`.
    void wait(double seconds);
    void finishAnimations();
    /// The window at the main screen's scale.
    tl::WriteResult renderPng(const std::string& path);

private:
    /// Lays out and draws a frame when the window needs one.
    void settle();

    std::unique_ptr<Application> application_;
    gfx::RecordingContext frame_;  // the throwaway frame
};

}  // namespace ui
