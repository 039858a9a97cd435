// The multiplication lattice: square cells split by their diagonals into a
// tens triangle (upper left) and a units triangle (lower right), factor
// digits above and to the right, product digits to the left and below, the
// diagonals carried a quarter cell past the lattice between product digits.
#include <algorithm>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "common/layout.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"

namespace tl {

using namespace plugin;

namespace {

struct Lattice {
    gfx::Font small, middle, large;  // cell digits, product digits, factor digits
    double wPair, wSup, wL, cell, leftMargin, rightMargin;

    explicit Lattice(double size)
        : small(font(size, 0.75)), middle(font(size, 0.9)), large(font(size)) {
        // The widest cell text is a digit carrying a superscript carry digit.
        wPair = width(joined("8", superscriptDigit("8")), small);
        wSup = wPair - width("8", small);
        wL = width("8", large);
        double half = (small.lineHeight() + small.capHeight()) * 0.5;
        // Each triangle needs half a cell: the units text stands wPair + 1.25
        // left of the cell's right edge, so half a cell must hold that much.
        cell = 2 * std::max(half, wPair + 1.25);
        leftMargin = width("8", middle) + (middle.ascender() - middle.capHeight());
        rightMargin = -large.descender() + wL;
    }
};

gfx::TextAttributes styled(const gfx::Font& f, const StyledCell& c, bool withBackground) {
    return {f, colourNamed(c.foreground), withBackground ? colourNamed(c.background) : toRgba(Color::clear)};
}

void fillTriangle(gfx::Context* context, gfx::Rgba colour, gfx::Point a, gfx::Point b, gfx::Point c) {
    context->setFillColor(colour);
    context->moveTo(a);
    context->lineTo(b);
    context->lineTo(c);
    context->closePath();
    context->drawPath(gfx::PathMode::fill);
}

}  // namespace

NodeBox measureLatticeMultiply(double size, std::int64_t rows, std::int64_t columns) {
    require(rows >= 0 && columns >= 0, "negative lattice size");
    Lattice l(size);
    double w = static_cast<double>(columns) * l.cell + l.leftMargin + l.rightMargin;
    double h = static_cast<double>(rows) * l.cell + l.large.lineHeight() + l.middle.lineHeight();
    return {w, h, h * 0.5};
}

void drawLatticeMultiply(double x, double y, double size, const CellList& firstFactor, const CellList& secondFactor,
                         const CellList& firstProduct, const CellList& secondProduct, const CellGrid& firstPartial,
                         const CellGrid& secondPartial) {
    auto rows = static_cast<std::int64_t>(secondFactor.size());
    auto columns = static_cast<std::int64_t>(firstFactor.size());
    double baseline = measureLatticeMultiply(size, rows, columns).baseline;
    Lattice l(size);
    double cell = l.cell;
    double gridLeft = x + l.leftMargin;
    double gridTop = y - baseline + l.large.lineHeight();
    double lhS = l.small.lineHeight(), lhM = l.middle.lineHeight(), lhL = l.large.lineHeight();
    gfx::Context* context = gfx::currentContext();
    auto R = static_cast<double>(rows), C = static_cast<double>(columns);

    for (std::int64_t i = 0; i < rows; ++i) {
        for (std::int64_t j = 0; j < columns; ++j) {
            const StyledCell& c = at(at(firstPartial, i), j);
            double left = gridLeft + static_cast<double>(j) * cell, top = gridTop + static_cast<double>(i) * cell;
            if (c.background != "clear") {
                gfx::Rgba fill = colourNamed(c.background);
                if (context) fillTriangle(context, fill, {left, top}, {left + cell, top}, {left, top + cell});
            }
            gfx::drawText(c.value, {left + l.wSup, top}, styled(l.small, c, false));
        }
    }
    for (std::int64_t i = 0; i < rows; ++i) {
        for (std::int64_t j = 0; j < columns; ++j) {
            const StyledCell& c = at(at(secondPartial, i), j);
            double left = gridLeft + static_cast<double>(j) * cell, top = gridTop + static_cast<double>(i) * cell;
            if (c.background != "clear") {
                gfx::Rgba fill = colourNamed(c.background);
                if (context)
                    fillTriangle(context, fill, {left + cell, top}, {left + cell, top + cell}, {left, top + cell});
            }
            gfx::drawText(c.value, {left + cell - l.wPair - 1.25, top + cell - lhS}, styled(l.small, c, false));
        }
    }
    for (std::size_t i = 0; i < firstProduct.size(); ++i)
        gfx::drawText(firstProduct[i].value, {x, gridTop + static_cast<double>(i + 1) * cell - lhM},
                      styled(l.middle, firstProduct[i], true));
    for (std::size_t j = 0; j < secondProduct.size(); ++j)
        gfx::drawText(secondProduct[j].value, {gridLeft + static_cast<double>(j) * cell, gridTop + R * cell},
                      styled(l.middle, secondProduct[j], true));
    for (std::size_t j = 0; j < firstFactor.size(); ++j)
        gfx::drawText(firstFactor[j].value,
                      {gridLeft + (cell - l.wL) * 0.5 + static_cast<double>(j) * cell, gridTop - lhL},
                      styled(l.large, firstFactor[j], true));
    for (std::size_t i = 0; i < secondFactor.size(); ++i)
        gfx::drawText(secondFactor[i].value,
                      {gridLeft + C * cell - l.large.descender(),
                       gridTop + static_cast<double>(i) * cell + cell * 0.5 -
                           (l.large.ascender() - 0.5 * l.large.capHeight())},
                      styled(l.large, secondFactor[i], true));

    if (!context) return;
    for (std::int64_t j = 0; j <= columns; ++j) {
        double lx = gridLeft + static_cast<double>(j) * cell;
        context->moveTo({lx, gridTop});
        context->lineTo({lx, gridTop + R * cell});
    }
    for (std::int64_t i = 0; i <= rows; ++i) {
        double ly = gridTop + static_cast<double>(i) * cell;
        context->moveTo({gridLeft - 1.25, ly});
        context->lineTo({gridLeft + C * cell + 1.25, ly});
    }
    for (std::int64_t t = 1; t < rows + columns; ++t) {
        auto T = static_cast<double>(t);
        gfx::Point from = t <= columns ? gfx::Point{gridLeft + T * cell, gridTop}
                                       : gfx::Point{gridLeft + C * cell, gridTop + (T - C) * cell};
        gfx::Point to = t <= rows ? gfx::Point{gridLeft - 0.25 * cell, gridTop + (T + 0.25) * cell}
                                  : gfx::Point{gridLeft + (T - R - 0.25) * cell, gridTop + (R + 0.25) * cell};
        context->moveTo(from);
        context->lineTo(to);
    }
    context->setStrokeColor(toRgba(Color::black));
    context->setLineWidth(defaultLineWidth);
    context->drawPath(gfx::PathMode::stroke);
}

}  // namespace tl
