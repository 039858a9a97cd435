#include "platform/ui/screen.hpp"

#include "base/errors.hpp"

namespace ui {

Screen& Screen::main() {
    static Screen screen;
    return screen;
}

void Screen::setSize(gfx::Size size) {
    tl::require(size.width > 0 && size.height > 0, "screen size must be positive");
    size_ = size;
}

void Screen::setScale(double scale) {
    tl::require(scale > 0, "screen scale must be positive");
    scale_ = scale;
}

void Screen::setStatusBarHeight(double height) {
    tl::require(height >= 0, "status bar height must not be negative");
    statusBar_ = height;
}

void Screen::setBottomInset(double inset) {
    tl::require(inset >= 0, "bottom inset must not be negative");
    bottomInset_ = inset;
}

void Screen::reset() { *this = Screen(); }

}  // namespace ui
