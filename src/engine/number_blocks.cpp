#include "engine/number_blocks.hpp"

#include <algorithm>

#include "base/errors.hpp"
#include "engine/typesetter_frame.hpp"

namespace tl {

using namespace typeset;

namespace {

bool startsWithMinus(std::string_view text) { return !text.empty() && text.front() == '-'; }

/// Every number kind shares the box of a stacked fraction, with the baseline
/// where a whole number beside it has its baseline.
NodeBox numberBox(double width, const Metric& m) {
    return {width, 2 * m.fracCapHeight + m.barSpace, m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace};
}

}  // namespace

void drawWholeText(std::string_view text, std::string_view colour, const gfx::TextAttributes&,
                   const gfx::TextAttributes& wholeAttributes, const Metric& m, double x, double y) {
    drawTextAt(text, x, y - m.wholeAscender, wholeAttributes, colourNamed(colour));
}

void drawFractionText(std::string_view text, std::string_view colour, const gfx::TextAttributes& fracAttributes,
                      const gfx::TextAttributes&, const Metric& m, double x, double y) {
    drawTextAt(text, x, y - m.fracAscender, fracAttributes, colourNamed(colour));
}

void drawFractionPart(std::string_view numerator, std::string_view denominator, std::string_view numeratorColour,
                      std::string_view denominatorColour, const gfx::TextAttributes& fracAttributes,
                      const gfx::TextAttributes& wholeAttributes, const Metric& m,
                      const std::vector<std::string>& options, double x, double y) {
    std::string_view option = options.empty() ? std::string_view("LEFT") : std::string_view(options.front());
    bool signLeft = startsWithMinus(numerator) && option == "LEFT";
    double s = 0;
    if (signLeft) {
        s = textWidth("-", wholeAttributes);
        numerator.remove_prefix(1);
    }
    double numTop = m.fracAscender + m.wholeHalfXHeight + m.halfBarSpace;
    double denTop = numTop - m.barSpace - m.fracCapHeight;
    double nW = textWidth(numerator, fracAttributes);
    double dW = textWidth(denominator, fracAttributes);
    double w = std::max(nW, dW);
    gfx::Rgba numColour = colourNamed(numeratorColour);
    gfx::Rgba denColour = colourNamed(denominatorColour);

    drawTextAt(numerator, x + s + (w - nW) / 2, y - numTop, fracAttributes, numColour);
    if (signLeft) drawTextAt("-", x, y - m.wholeAscender, wholeAttributes, numColour);
    drawTextAt(denominator, x + s + (w - dW) / 2, y - denTop, fracAttributes, denColour);
    if (canStroke())
        strokeSegment(numColour, x + s, y - m.wholeHalfXHeight, x + s + w, y - m.wholeHalfXHeight, m.halfBarSpace);
}

void drawMixedNumber(std::string_view whole, std::string_view numerator, std::string_view denominator,
                     std::string_view wholeColour, std::string_view numeratorColour, std::string_view denominatorColour,
                     const gfx::TextAttributes& fracAttributes, const gfx::TextAttributes& wholeAttributes,
                     const Metric& m, double x, double y) {
    double wW = textWidth(whole, wholeAttributes);
    drawWholeText(whole, wholeColour, fracAttributes, wholeAttributes, m, x, y);
    drawFractionPart(numerator, denominator, numeratorColour, denominatorColour, fracAttributes, wholeAttributes, m, {},
                     x + wW, y);
}

NumberBlockMeasure measureNumberBlock(const Engine_Row& entry, const gfx::TextAttributes& wholeAttributes,
                                      const gfx::TextAttributes& fracAttributes) {
    NumberBlockMeasure r;
    r.height = 2 * fracAttributes.font.capHeight() + std::max(6.0, fracAttributes.font.pointSize() / 8);
    std::string_view kind = at(entry, 0);
    if (kind == "whole") {
        r.wholeWidth = textWidth(at(entry, 1), wholeAttributes);
    } else if (kind == "fraction") {
        r.fractionWidth = std::max(textWidth(at(entry, 1), fracAttributes), textWidth(at(entry, 2), fracAttributes));
    } else if (kind == "mixed_number") {
        r.wholeWidth = textWidth(at(entry, 1), wholeAttributes);
        r.fractionWidth = std::max(textWidth(at(entry, 2), fracAttributes), textWidth(at(entry, 3), fracAttributes));
    } else {
        r.kind = "UNKNOWN";
        return r;
    }
    r.kind = kind;
    r.totalWidth = r.wholeWidth + r.fractionWidth;
    return r;
}

void drawNumberBlockEntry(const Engine_Row& entry, const Engine_Row& colours,
                          const gfx::TextAttributes& wholeAttributes, const gfx::TextAttributes& fracAttributes,
                          const std::vector<double>& widths, const Metric& m, double x, double y, double wholeColumn,
                          double fractionColumn) {
    static const std::vector<std::string> top{"TOP"};
    std::string_view kind = at(entry, 0);
    if (kind == "whole") {
        drawWholeText(at(entry, 1), at(colours, 1), fracAttributes, wholeAttributes, m, x + wholeColumn - at(widths, 0),
                      y);
    } else if (kind == "fraction") {
        drawFractionPart(at(entry, 1), at(entry, 2), at(colours, 1), at(colours, 2), fracAttributes, wholeAttributes, m,
                         top, x + wholeColumn + (fractionColumn - at(widths, 1)) / 2, y);
    } else if (kind == "mixed_number") {
        drawWholeText(at(entry, 1), at(colours, 1), fracAttributes, wholeAttributes, m, x + wholeColumn - at(widths, 0),
                      y);
        drawFractionPart(at(entry, 2), at(entry, 3), at(colours, 2), at(colours, 3), fracAttributes, wholeAttributes, m,
                         top, x + wholeColumn + (fractionColumn - at(widths, 1)) / 2, y);
    }
}

namespace typeset {

NodeBox measureWholeNode(const Frame& f) { return numberBox(textWidth(f.field(0, 1), f.wholeAttributes), f.metric); }

void drawWholeNode(const Frame& f, double x, double y) {
    drawWholeText(f.field(0, 1), f.field(1, 1), f.fracAttributes, f.wholeAttributes, f.metric, x, y);
}

NodeBox measureFractionNode(const Frame& f) {
    std::string_view numerator = f.field(0, 1);
    double s = 0;
    if (startsWithMinus(numerator)) {
        s = textWidth("-", f.wholeAttributes);
        numerator.remove_prefix(1);
    }
    double w = std::max(textWidth(numerator, f.fracAttributes), textWidth(f.field(0, 2), f.fracAttributes));
    return numberBox(s + w, f.metric);
}

void drawFractionNode(const Frame& f, double x, double y) {
    drawFractionPart(f.field(0, 1), f.field(0, 2), f.field(1, 1), f.field(1, 2), f.fracAttributes, f.wholeAttributes,
                     f.metric, {}, x, y);
}

NodeBox measureMixedNumberNode(const Frame& f) {
    // No room for a sign: a negative numerator's whole-size "-" overhangs.
    double wW = textWidth(f.field(0, 1), f.wholeAttributes);
    double w = std::max(textWidth(f.field(0, 2), f.fracAttributes), textWidth(f.field(0, 3), f.fracAttributes));
    return numberBox(wW + w, f.metric);
}

void drawMixedNumberNode(const Frame& f, double x, double y) {
    drawMixedNumber(f.field(0, 1), f.field(0, 2), f.field(0, 3), f.field(1, 1), f.field(1, 2), f.field(1, 3),
                    f.fracAttributes, f.wholeAttributes, f.metric, x, y);
}

}  // namespace typeset

}  // namespace tl
