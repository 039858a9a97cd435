// Measuring and drawing attributed text (one font, a foreground and a
// background colour), in place of the platform's attributed strings.
//
// A text may hold line breaks ("\n"). Its size is the widest line's advance
// by (number of lines × lineHeight). Drawing at a point puts the first line's
// top-left corner there, so its baseline lies at y + ascender; each further
// line moves down by lineHeight. A non-clear background fills the measured
// box first. Sizes of 0 or less (or NaN) measure zero and draw nothing.
#pragma once

#include <string_view>

#include "platform/gfx/color.hpp"
#include "platform/gfx/font.hpp"
#include "platform/gfx/geometry.hpp"

namespace gfx {

struct TextAttributes {
    Font font;
    Rgba foreground = palette::black;
    Rgba background = palette::clear;
};

Size measureText(std::string_view text, const Font& font);
inline Size measureText(std::string_view text, const TextAttributes& attributes) {
    return measureText(text, attributes.font);
}

/// Draws into the current context; without one it does nothing.
void drawText(std::string_view text, Point topLeft, const TextAttributes& attributes);

}  // namespace gfx
