// The device screen the app runs on: its bounds in points, its scale
// (pixels per point) and the height of the status bar along its top edge.
#pragma once

#include "platform/gfx/geometry.hpp"

namespace ui {

class Screen {
public:
    /// The one screen of the process (a phone, 390 × 844 points at scale 2,
    /// until a host or a test configures another).
    static Screen& main();

    gfx::Rect bounds() const { return {0, 0, size_.width, size_.height}; }
    void setSize(gfx::Size size);
    double scale() const { return scale_; }
    void setScale(double scale);

    /// The status bar: part of the safe-area's top inset of every screen.
    double statusBarHeight() const { return statusBar_; }
    void setStatusBarHeight(double height);
    /// The bottom safe-area inset (home indicator); 0 unless configured.
    double bottomInset() const { return bottomInset_; }
    void setBottomInset(double inset);

    /// Back to the phone defaults.
    void reset();

private:
    gfx::Size size_{390, 844};
    double scale_ = 2;
    double statusBar_ = 20;
    double bottomInset_ = 0;
};

/// Height of the navigation bar below the status bar.
inline constexpr double kNavigationBarHeight = 44;

/// The smallest window the app lays out for: the smallest phone's screen.
inline constexpr gfx::Size kMinimumWindowSize{320, 480};

}  // namespace ui
