// The multiplication grid: square cells holding the partial products, the
// column parts centred above, the row parts right-aligned to the left, cell
// fills where the record asks, and the ruled grid stroked last over them.
#include <algorithm>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "common/records.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"

namespace tl {

using namespace plugin;

namespace {

struct Grid {
    gfx::Font large, small;  // labels, cell texts
    double cell, gap, rowLabelRoom;

    Grid(double size, std::int64_t firstChars, std::int64_t secondChars)
        : large(font(size)), small(font(size, 0.75)) {
        require(firstChars >= 0 && secondChars >= 0, "negative character count");
        // Wide enough for a column part in the large font and for a product
        // of both parts' digits in the small one, tall enough for either line.
        double a = std::max(small.lineHeight(), width(padLeft("", firstChars + secondChars, '8'), small) + 5);
        double b = std::max(large.lineHeight(), width(padLeft("", firstChars, '8'), large) + 5);
        cell = std::max(a, b);
        gap = -large.descender();
        rowLabelRoom = width(padLeft("", secondChars, '8'), large);
    }
};

// Where a text's capitals sit centred on a line at `middle`.
double capCentredTop(const gfx::Font& f, double middle) { return middle - (f.ascender() - 0.5 * f.capHeight()); }

}  // namespace

NodeBox measureGridMultiply(double size, std::int64_t rows, std::int64_t columns, std::int64_t firstFactorChars,
                            std::int64_t secondFactorChars) {
    require(rows >= 0 && columns >= 0, "negative grid size");
    Grid g(size, firstFactorChars, secondFactorChars);
    double w = static_cast<double>(columns) * g.cell + g.gap + g.rowLabelRoom;
    double h = static_cast<double>(rows) * g.cell + g.large.lineHeight();
    return {w, h, h * 0.5};
}

void drawGridMultiply(double x, double y, double size, const CellList& firstFactor, const CellList& secondFactor,
                      const CellGrid& partials) {
    auto rows = static_cast<std::int64_t>(secondFactor.size());
    auto columns = static_cast<std::int64_t>(firstFactor.size());
    std::int64_t p = characterStringCount(at(firstFactor, 0).value);
    std::int64_t q = characterStringCount(at(secondFactor, 0).value);
    double m = measureGridMultiply(size, rows, columns, p, q).baseline;
    Grid g(size, p, q);
    double cell = g.cell, lh = g.large.lineHeight();
    double gx = x + g.gap + g.rowLabelRoom;
    double gy = y + lh - m;
    gfx::Context* context = gfx::currentContext();
    gfx::Rgba clear = toRgba(Color::clear);

    for (std::int64_t i = 0; i < rows; ++i) {
        for (std::int64_t j = 0; j < columns; ++j) {
            const StyledCell& c = at(at(partials, i), j);
            double left = gx + static_cast<double>(j) * cell, top = gy + static_cast<double>(i) * cell;
            if (c.background != "clear") {
                gfx::Rgba fill = colourNamed(c.background);
                if (context) {
                    context->setFillColor(fill);
                    context->moveTo({left, top});
                    context->lineTo({left + cell, top});
                    context->lineTo({left + cell, top + cell});
                    context->lineTo({left, top + cell});
                    context->closePath();
                    context->drawPath(gfx::PathMode::fill);
                }
            }
            gfx::TextAttributes text{g.small, colourNamed(c.foreground), clear};
            double w = width(c.value, g.small);
            gfx::drawText(c.value, {left + (cell - w) * 0.5, capCentredTop(g.small, top + cell * 0.5)}, text);
        }
    }
    for (std::int64_t j = 0; j < columns; ++j) {
        const StyledCell& c = at(firstFactor, j);
        gfx::TextAttributes text{g.large, colourNamed(c.foreground), colourNamed(c.background)};
        double w = width(c.value, g.large);
        gfx::drawText(c.value, {gx + static_cast<double>(j) * cell + (cell - w) * 0.5, gy - lh}, text);
    }
    for (std::int64_t i = 0; i < rows; ++i) {
        const StyledCell& c = at(secondFactor, i);
        gfx::TextAttributes text{g.large, colourNamed(c.foreground), colourNamed(c.background)};
        double w = width(c.value, g.large);
        gfx::drawText(c.value, {gx - w - g.gap, capCentredTop(g.large, gy + static_cast<double>(i) * cell + cell * 0.5)},
                      text);
    }

    if (!context) return;
    auto R = static_cast<double>(rows), C = static_cast<double>(columns);
    for (std::int64_t i = 0; i <= columns; ++i) {
        double lx = gx + static_cast<double>(i) * cell;
        context->moveTo({lx, gy});
        context->lineTo({lx, gy + R * cell});
    }
    for (std::int64_t i = 0; i <= rows; ++i) {
        double ly = gy + static_cast<double>(i) * cell;
        context->moveTo({gx - 1.25, ly});
        context->lineTo({gx + C * cell + 1.25, ly});
    }
    context->setStrokeColor(toRgba(Color::black));
    context->setLineWidth(defaultLineWidth);
    context->drawPath(gfx::PathMode::stroke);
}

}  // namespace tl
