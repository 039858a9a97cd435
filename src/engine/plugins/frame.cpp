#include "engine/plugins/frame.hpp"

#include <algorithm>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/drawing.hpp"
#include "common/enums.hpp"
#include "common/records.hpp"

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

std::string powerOfTenText(std::int64_t exponent) {
    require(exponent >= 0 && exponent <= 18, "power of ten out of range: " + std::to_string(exponent));
    std::string text(static_cast<std::size_t>(exponent) + 1, '0');
    text[0] = '1';
    return text;
}

std::string joined(std::string_view first, std::string_view second) {
    std::string out(first);
    out += second;
    return out;
}

std::string repeated(std::string_view text, std::int64_t count) {
    require(count >= 0, "negative repeat count");
    std::string out;
    for (std::int64_t i = 0; i < count; ++i) out += text;
    return out;
}

std::vector<std::string> characters(std::string_view text) { return characterStrings(text); }

std::int64_t characterCount(std::string_view text) {
    return static_cast<std::int64_t>(characterStrings(text).size());
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

gfx::Rgba namedColour(const std::string& name) { return toRgba(requireColor(name)); }
gfx::Rgba grayShade() { return toRgba(Color::gray); }
gfx::Rgba lightGrayShade() { return toRgba(Color::light_gray); }

void rule(double x1, double y1, double x2, double y2, double lineWidth) {
    if (gfx::Context* context = gfx::currentContext())
        drawLine(context, Color::black, x1, y1, x2, y2, lineWidth);
}

}  // namespace plugin
}  // namespace tl
