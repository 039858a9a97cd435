#include "platform/ui/screen.hpp"

#include <cmath>

#include "base/errors.hpp"

namespace ui {

Screen& Screen::main() {
    static Screen screen;
    return screen;
}

void Screen::setSize(gfx::Size size) {
    tl::require(std::isfinite(size.width) && std::isfinite(size.height) && size.width > 0 && size.height > 0,
                "screen size must be finite and positive");
    size_ = size;
}

void Screen::setScale(double scale) {
    tl::require(std::isfinite(scale) && scale > 0, "screen scale must be finite and positive");
    scale_ = scale;
}

void Screen::setStatusBarHeight(double height) {
    tl::require(std::isfinite(height) && height >= 0, "status bar height must be finite and not negative");
    statusBar_ = height;
}

void Screen::setBottomInset(double inset) {
    tl::require(std::isfinite(inset) && inset >= 0, "bottom inset must be finite and not negative");
    bottomInset_ = inset;
}

void Screen::reset() { *this = Screen(); }

}  // namespace ui
