#include "engine/plugins/frame.hpp"

#include <algorithm>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/drawing.hpp"
#include "common/enums.hpp"
#include "common/integers.hpp"

namespace tl {

void drawRotated(std::string_view text, const gfx::TextAttributes& attributes, double x, double y, double angle) {
    gfx::Context* context = gfx::currentContext();
    if (!context) return;  // a label without a canvas degrades like every stroke does
    double h = gfx::measureText(text, attributes).height;
    context->save();
    context->translate(x, y);
    context->rotate(angle);
    gfx::drawText(text, {0, -h / 2}, attributes);
    context->restore();
}

namespace plugin {

double spacingUnit(double size) { return std::max(10.0, size / 5); }

gfx::Font font(double size, double fraction) {
    return gfx::Font::monospacedDigit(size * fraction, gfx::weight::medium);
}

gfx::TextAttributes attributes(double size, double fraction) {
    return gfx::TextAttributes{font(size, fraction), toRgba(Color::black), toRgba(Color::clear)};
}

double width(std::string_view text, const gfx::Font& f) { return gfx::measureText(text, f).width; }
double height(std::string_view text, const gfx::Font& f) { return gfx::measureText(text, f).height; }

double placeLabelRoom(double size, std::int64_t columns) {
    gfx::Size p = gfx::measureText(powerOfTenText(columns - 1), font(size, 0.5));
    return std::max(p.width, p.height) + 5;
}

void drawPlaceLabels(double size, std::int64_t columns, double left, double step, double top, double angle) {
    gfx::TextAttributes slanted = attributes(size, 0.5);
    double centring = width("0", font(size)) / 2 - width("0", slanted.font) / 2;
    for (std::int64_t i = 0; i < columns; ++i)
        drawRotated(powerOfTenText(columns - 1 - i), slanted, left + centring + static_cast<double>(i) * step, top - 5,
                    angle);
}

std::string joined(std::string_view first, std::string_view second) {
    std::string out(first);
    out += second;
    return out;
}

std::int64_t integerAt(const std::vector<std::string>& list, std::size_t index) {
    return parseInt(at(list, index));
}

bool codeShows(const std::string& code) { return at(code, 0) == 'Y'; }
bool codeCrosses(const std::string& code) { return at(code, 1) == 'Y'; }

gfx::Rgba codeShade(const std::string& code, std::size_t letter) {
    switch (at(code, letter)) {
        case 'G': return grayShade();
        case 'R': return lightGrayShade();
        default: return toRgba(Color::clear);
    }
}

gfx::Rgba grayShade() { return toRgba(Color::gray); }
gfx::Rgba lightGrayShade() { return toRgba(Color::light_gray); }

void rule(double x1, double y1, double x2, double y2, double lineWidth) {
    if (gfx::Context* context = gfx::currentContext())
        drawLine(context, Color::black, x1, y1, x2, y2, lineWidth);
}

}  // namespace plugin
}  // namespace tl
