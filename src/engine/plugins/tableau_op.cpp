// The written column layout shared by partial sums and differences, trading,
// partial products and standard multiplication: small carry or trade rows,
// the operands with the operator, a rule, result rows and, when partial
// results are summed, a plus sign and two more rules.
#include <algorithm>
#include <numbers>

#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"

namespace tl {

using namespace plugin;

namespace {

constexpr double kLabelAngle = -0.425 * std::numbers::pi;

struct Shape {
    std::int64_t rows, columns, carry;
};

Shape readShape(const StringList& globals, const StringList& locals) {
    Shape shape{integerAt(locals, 0), integerAt(globals, 1), integerAt(globals, 2)};
    require(shape.carry >= 0, "negative carry row count");
    require(shape.rows >= 0, "negative row count");
    return shape;
}

}  // namespace

NodeBox measureTableauOp(double size, const std::string& /*header*/, const StringList& globals,
                         const StringList& locals) {
    Shape shape = readShape(globals, locals);
    double s = spacingUnit(size);
    gfx::Font full = font(size), small = font(size, 0.7), half = font(size, 0.5);
    // A page showing only the operands keeps room for one result row.
    std::int64_t reserved = shape.rows - shape.carry <= 2 ? shape.carry + 3 : shape.rows;
    std::string place = powerOfTenText(shape.columns - 1);
    double w = width(joined("+", place), full) + s * static_cast<double>(shape.columns);
    double h = full.lineHeight() * static_cast<double>(reserved - shape.carry) +
               small.lineHeight() * static_cast<double>(shape.carry) + width(place, half) +
               5 * static_cast<double>(reserved + 5);
    return {w, h, h / 2};
}

void drawTableauOp(double x, double y, double size, const std::string& header, const StringGrid& tableau,
                   const StringGrid& attributesGrid, const StringList& globals, const StringList& locals) {
    Shape shape = readShape(globals, locals);
    std::int64_t finalRows = integerAt(globals, 0);
    bool summing = at(locals, 1) == "true";
    bool single = at(globals, 3) == "true";
    double s = spacingUnit(size);
    double m = measureTableauOp(size, header, globals, locals).baseline;

    gfx::TextAttributes text = attributes(size);
    gfx::Font full = text.font, small = font(size, 0.7);
    double lh = full.lineHeight(), lhs = small.lineHeight();
    double w0 = width("0", full), wPlus = width("+", full), wOp = width(header, full);
    double h0s = height("0", small);
    double w10 = width("10", small), h10 = height("10", small);

    double step = w0 + s;
    double x0 = x + wPlus + s;
    double x1 = x0 + static_cast<double>(shape.columns) * step - s;
    double top = y - m + placeLabelRoom(size, shape.columns);

    double yA = top + static_cast<double>(shape.carry) * (lhs + 5);
    double yB = yA + lh + 5;
    double yC = yB + lh + 10;
    double yD = yC + (single ? 0 : (lh + 5) * static_cast<double>(shape.rows - 4 - shape.carry));
    double yE = yD + lh + 10;
    double yF = yE + (single ? 0 : lh + 10);

    gfx::drawText(header, {x + (header == "+" ? 0 : (wPlus - wOp) / 2), yB}, text);

    drawPlaceLabels(size, shape.columns, x0, step, top, kLabelAngle);

    if (gfx::currentContext()) {
        rule(x0, yC - 6.25, x1, yC - 6.25);
        if (summing) {
            gfx::drawText("+", {x, yD}, text);
            rule(x0, yE - 6.25, x1, yE - 6.25);
            rule(x0, yF - 6.25, x1, yF - 6.25);
        } else if (single) {
            rule(x0, yF - 6.25, x1, yF - 6.25);
        }
    }

    // A minus sign has a cell of its own and is moved right so that it ends
    // where the next column's digit begins.
    double minusShift = w0 + s - width("-", full);

    double rowTop = top;
    for (std::size_t i = 0; i < tableau.size(); ++i) {
        const auto& cells = tableau[i];
        const auto& codes = at(attributesGrid, i);
        bool carryRow = static_cast<std::int64_t>(i) < shape.carry;
        double cellLeft = x0;
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const std::string& code = at(codes, j);
            const std::string& value = cells[j];
            if (codeShows(code) && value != "Z") {
                bool crossed = codeCrosses(code);
                gfx::Rgba shade = codeShade(code, 2);
                if (!carryRow) {
                    gfx::TextAttributes cell = text;
                    cell.background = shade;
                    gfx::drawText(value, {cellLeft + (value == "-" ? minusShift : 0), rowTop}, cell);
                    if (crossed) rule(cellLeft, rowTop + lh, cellLeft + w0, rowTop, kCrossWidth);
                } else {
                    // Every carry cell shows a shaded box two digits wide,
                    // whatever it holds, with its text centred in it.
                    double cx = cellLeft + w0 / 2;
                    double bx = cx - w10 / 2;
                    gfx::TextAttributes box{small, toRgba(Color::clear), shade};
                    gfx::drawText("10", {bx, rowTop}, box);
                    gfx::TextAttributes digit{small, text.foreground, toRgba(Color::clear)};
                    gfx::drawText(value, {cx - width(value, small) / 2, rowTop}, digit);
                    if (crossed) {
                        double yb = rowTop + lhs / 2 + h0s / 2;
                        rule(bx, yb, bx + w10, yb - h10, kCrossWidth);
                    }
                }
            }
            cellLeft += step;
        }
        auto row = static_cast<std::int64_t>(i);
        if (row <= shape.carry)
            rowTop += (row < shape.carry ? lhs : lh) + 5;
        else if (row == shape.carry + 1)
            rowTop += lh + 10;
        else if (row == finalRows - 2)
            rowTop += summing ? lh + 10 : 0;
        else
            rowTop += lh + 5;
    }
}

}  // namespace tl
