// Fractions with a worked step on them: a numerator and/or denominator
// struck through with its replacement written small above or below, and the
// extended fraction (a op c over b op d).
#include <algorithm>

#include "engine/number_blocks.hpp"
#include "engine/typesetter_frame.hpp"

namespace tl::typeset {

namespace {

constexpr double kStrokeWidthRatio = 0.67;

bool cancelsNumerator(std::string_view kind) {
    return kind == "fraction_cancel_numerator_and_denominator" || kind == "fraction_cancel_numerator";
}

bool cancelsDenominator(std::string_view kind) {
    return kind == "fraction_cancel_numerator_and_denominator" || kind == "fraction_cancel_denominator";
}

double cancelWidth(const Frame& f) {
    return std::max(textWidth(f.field(0, 1), f.fracAttributes), textWidth(f.field(0, 2), f.fracAttributes));
}

/// How far the new numerator's baseline lies above the node's baseline.
double newNumeratorRise(const Metric& m) { return m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace + m.barSpace; }

/// How far the new denominator's baseline lies below the node's baseline.
double newDenominatorDrop(const Metric& m) {
    return (m.fracHeight - newNumeratorRise(m)) + m.fracCapHeight + 2 * m.barSpace;
}

}  // namespace

NodeBox measureCancelNode(const Frame& f, std::string_view kind) {
    const Metric& m = f.metric;
    double w = cancelWidth(f);
    if (kind == "fraction_cancel_numerator_and_denominator")
        return {w, 4 * m.fracCapHeight + 3 * m.barSpace,
                2 * m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace + m.barSpace};
    if (kind == "fraction_cancel_numerator")
        return {w, 3 * m.fracCapHeight + 2 * m.barSpace,
                2 * m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace + m.barSpace};
    return {w, 3 * m.fracCapHeight + 2 * m.barSpace, m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace};
}

void drawCancelNode(const Frame& f, std::string_view kind, double x, double y) {
    const Metric& m = f.metric;
    double w = cancelWidth(f);
    drawFractionPart(f.field(0, 1), f.field(0, 2), f.field(1, 1), f.field(1, 2), f.fracAttributes, f.wholeAttributes, m,
                     {}, x, y);
    bool both = kind == "fraction_cancel_numerator_and_denominator";
    if (cancelsNumerator(kind)) {
        const std::string_view text = f.field(0, 3);
        drawFractionText(text, f.field(1, 3), f.fracAttributes, f.wholeAttributes, m,
                         x + (w - textWidth(text, f.fracAttributes)) / 2, y - newNumeratorRise(m));
    }
    if (cancelsDenominator(kind)) {
        const std::string_view text = f.field(0, both ? 4 : 3);
        drawFractionText(text, f.field(1, both ? 4 : 3), f.fracAttributes, f.wholeAttributes, m,
                         x + (w - textWidth(text, f.fracAttributes)) / 2, y + newDenominatorDrop(m));
    }
    if (!canStroke()) return;
    double width = m.halfBarSpace * kStrokeWidthRatio;
    if (cancelsNumerator(kind)) {
        gfx::Rgba colour = colourNamed(f.field(1, both ? 5 : 4));
        double y0 = y - m.wholeHalfXHeight - m.halfBarSpace;
        strokeSegment(colour, x, y0, x + w, y0 - m.fracCapHeight, width);
    }
    if (cancelsDenominator(kind)) {
        gfx::Rgba colour = colourNamed(f.field(1, both ? 6 : 4));
        double y1 = y + m.halfBarSpace - m.wholeHalfXHeight;
        strokeSegment(colour, x, y1 + m.fracCapHeight, x + w, y1, width);
    }
}

NodeBox measureExtendedFractionNode(const Frame& f) {
    const std::string op = std::string(" ").append(f.field(0, 1)).append(" ");
    std::string_view a = f.field(0, 2);
    double s = 0;
    if (!a.empty() && a.front() == '-') {
        s = textWidth("-", f.wholeAttributes);
        a.remove_prefix(1);
    }
    std::string top = std::string(a) + op + std::string(f.field(0, 4));
    std::string bottom = std::string(f.field(0, 3)) + op + std::string(f.field(0, 5));
    const Metric& m = f.metric;
    return {s + std::max(textWidth(top, f.fracAttributes), textWidth(bottom, f.fracAttributes)),
            2 * m.fracCapHeight + m.barSpace, m.fracCapHeight + m.wholeHalfXHeight + m.halfBarSpace};
}

void drawExtendedFractionNode(const Frame& f, double x, double y) {
    const std::string op(f.field(0, 1));
    std::string numerator = std::string(f.field(0, 2)) + " " + op + " " + std::string(f.field(0, 4));
    std::string denominator = std::string(f.field(0, 3)) + " " + op + " " + std::string(f.field(0, 5));
    drawFractionPart(numerator, denominator, f.field(1, 1), f.field(1, 2), f.fracAttributes, f.wholeAttributes,
                     f.metric, {}, x, y);
}

}  // namespace tl::typeset
