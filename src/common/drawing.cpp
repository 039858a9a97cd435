#include "common/drawing.hpp"

#include <algorithm>
#include <cmath>

namespace tl {

namespace {
// The weight at which fitting measures, whatever weight the caller draws at.
constexpr double kFittingWeight = 0.25;
constexpr double kShrinkStep = 0.95;
}  // namespace

gfx::Rgba toRgba(Color c) {
    switch (c) {
        case Color::invisible:
        case Color::clear: return gfx::palette::clear;
        case Color::white: return gfx::palette::white;
        case Color::black: return gfx::palette::black;
        case Color::light_gray: return gfx::palette::lightGray;
        case Color::gray: return gfx::palette::gray;
        case Color::dark_gray: return gfx::palette::darkGray;
        case Color::red: return gfx::palette::red;
        case Color::blue: return gfx::palette::blue;
        case Color::green: return gfx::palette::green;
        case Color::cyan: return gfx::palette::cyan;
        case Color::brown: return gfx::palette::brown;
        case Color::magenta: return gfx::palette::magenta;
    }
    return gfx::palette::black;
}

gfx::Rgba colourNamed(std::string_view name) { return toRgba(requireColor(name)); }

double fitFontSize(double width, double height, const StringList& lines, const gfx::TextAttributes& attributes) {
    const double start = attributes.font.pointSize();
    if (lines.empty()) return start;  // nothing to fit
    // Shrinking from a size that is no finite number would never end.
    if (!std::isfinite(start)) return minimumFittedFontSize;
    // An empty box fits nothing (nor does a box measured as NaN).
    if (!(width > 0 && height > 0)) return std::min(start, minimumFittedFontSize);

    // The widest and the tallest line at the given attributes (the first one
    // wins a tie); only these two are measured at each trial size.
    std::string_view widest, tallest;
    double widestWidth = 0, tallestHeight = 0;
    for (const std::string& line : lines) {
        const gfx::Size s = gfx::measureText(line, attributes.font);
        if (s.width > widestWidth) widestWidth = s.width, widest = line;
        if (s.height > tallestHeight) tallestHeight = s.height, tallest = line;
    }

    const double count = static_cast<double>(lines.size());
    double size = start;
    while (true) {
        const gfx::Font trial = gfx::Font::system(size, kFittingWeight);
        const double w = gfx::measureText(widest, trial).width;
        const double h = gfx::measureText(tallest, trial).height;
        if (w <= width && h * count <= height) return size;
        const double next = size * kShrinkStep;
        if (next < minimumFittedFontSize) return std::min(start, minimumFittedFontSize);
        size = next;
    }
}

double fitFontSizeForAll(double width, double height, const std::vector<StringList>& groups,
                         const gfx::TextAttributes& attributes) {
    double size = attributes.font.pointSize();
    for (const StringList& group : groups) size = std::min(size, fitFontSize(width, height, group, attributes));
    return size;
}

void drawTextLines(double x, double y, double width, double height, double size, double weight,
                   const StringList& lines, bool centred, gfx::Rgba textColour, gfx::Rgba backgroundColour) {
    const gfx::TextAttributes start{gfx::Font::system(size, weight), textColour, backgroundColour};
    const double fitted = fitFontSize(width, height, lines, start);
    const gfx::TextAttributes attributes{gfx::Font::system(fitted, weight), textColour, backgroundColour};
    double lineY = y;
    for (const std::string& line : lines) {
        double lineX = x;
        if (centred) lineX = x + width * 0.5 - gfx::measureText(line, attributes).width * 0.5;
        gfx::drawText(line, gfx::Point{lineX, lineY}, attributes);
        lineY += attributes.font.lineHeight();
    }
}

void drawLine(gfx::Context* context, gfx::Rgba colour, double x1, double y1, double x2, double y2, double width) {
    if (context == nullptr) return;
    context->moveTo(gfx::Point{x1, y1});
    context->lineTo(gfx::Point{x2, y2});
    context->setStrokeColor(colour);
    context->setFillColor(colour);
    context->setLineWidth(width);
    context->drawPath(gfx::PathMode::fillStroke);
}

}  // namespace tl
