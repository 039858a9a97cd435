// The simplest leaves: integers, messages, and rationals with or without a
// separately written sign. Texts are drawn as they stand.
#include <algorithm>

#include "engine/typesetter_frame.hpp"
#include "platform/gfx/text.hpp"

namespace tl::typeset {

namespace {

/// The box a stacked rational takes inside a line of whole text: the room
/// above the numerator and below the denominator of a whole line.
NodeBox rationalBox(double width, const Metric& m) {
    return {width, m.fracHeight + m.wholeLineHeight - m.wholeCapHeight,
            m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace + m.wholeAscender - m.wholeCapHeight};
}

double fractionWidth(const Frame& f, std::int64_t numeratorField) {
    return std::max(textWidth(f.field(0, numeratorField), f.fracAttributes),
                    textWidth(f.field(0, numeratorField + 1), f.fracAttributes));
}

/// Numerator, denominator and bar of a rational whose bar starts at x.
void drawStackedRational(const Frame& f, std::int64_t numeratorField, double x, double y) {
    const Metric& m = f.metric;
    const std::string_view numerator = f.field(0, numeratorField);
    const std::string_view denominator = f.field(0, numeratorField + 1);
    double nW = textWidth(numerator, f.fracAttributes);
    double dW = textWidth(denominator, f.fracAttributes);
    double w = std::max(nW, dW);
    double numTop = m.fracAscender + m.wholeHalfXHeight + m.halfBarSpace;
    double denTop = numTop - m.barSpace - m.fracCapHeight;
    drawTextAt(numerator, x + (w - nW) / 2, y - numTop, f.fracAttributes, colourNamed(f.field(1, 2)));
    drawTextAt(denominator, x + (w - dW) / 2, y - denTop, f.fracAttributes, colourNamed(f.field(1, 3)));
    if (canStroke())
        strokeSegment(colourNamed(f.field(1, 4)), x, y - m.wholeHalfXHeight, x + w, y - m.wholeHalfXHeight,
                      m.halfBarSpace);
}

bool hasMinusSign(const Frame& f) { return f.field(0, 1) == "-"; }

}  // namespace

NodeBox measureIntegerNode(const Frame& f) {
    return {textWidth(f.field(0, 1), f.wholeAttributes), f.metric.wholeLineHeight, f.metric.wholeAscender};
}

void drawIntegerNode(const Frame& f, double x, double y) {
    drawTextAt(f.field(0, 1), x, y - f.metric.wholeAscender, f.wholeAttributes, colourNamed(f.field(1, 1)));
}

NodeBox measureMessageNode(const Frame& f) {
    gfx::Size s = gfx::measureText(f.field(0, 1), f.wholeAttributes);
    return {s.width, s.height, f.metric.wholeAscender + s.height / 2 - f.metric.wholeLineHeight / 2};
}

void drawMessageNode(const Frame& f, double x, double y) {
    const std::string_view text = f.field(0, 1);
    gfx::Rgba colour = colourNamed(f.field(1, 1));
    double h = textHeight(text, f.wholeAttributes);
    drawTextAt(text, x, y - f.metric.wholeAscender - h / 2 + f.metric.wholeLineHeight / 2, f.wholeAttributes, colour);
}

NodeBox measureRationalNode(const Frame& f) { return rationalBox(fractionWidth(f, 1), f.metric); }

void drawRationalNode(const Frame& f, double x, double y) { drawStackedRational(f, 1, x, y); }

NodeBox measureSignedRationalNode(const Frame& f) {
    double s = hasMinusSign(f) ? textWidth("-", f.wholeAttributes) : 0;
    return rationalBox(s + fractionWidth(f, 2), f.metric);
}

void drawSignedRationalNode(const Frame& f, double x, double y) {
    const Metric& m = f.metric;
    double s = 0;
    if (hasMinusSign(f)) {
        s = textWidth("-", f.wholeAttributes);
        drawTextAt("-", x, y - m.fracAscender - m.wholeHalfXHeight, f.wholeAttributes, colourNamed(f.field(1, 1)));
    }
    drawStackedRational(f, 2, x + s, y);
}

}  // namespace tl::typeset
