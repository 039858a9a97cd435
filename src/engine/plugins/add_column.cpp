// Column addition: the operator on the left, one column per place value with
// its place value slanted above it, the addends, a rule, the column sums and
// the regrouping rows, thin separators between the columns.
#include <algorithm>
#include <numbers>

#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/records.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"

namespace tl {

using namespace plugin;

namespace {

constexpr double kLabelAngle = -0.425 * std::numbers::pi;

}  // namespace

NodeBox measureAddColumn(double size, const std::string& label, std::int64_t option, std::int64_t /*rows*/,
                         std::int64_t columns) {
    require(option >= 0, "negative reserved row count");
    double s = spacingUnit(size);
    gfx::Font full = font(size);
    double w = width(joined(label, powerOfTenText(columns - 1)), full) + s * static_cast<double>(columns);
    double n = static_cast<double>(option);
    double h = full.lineHeight() * n + 5 * (n + 1) + placeLabelRoom(size, columns);
    return {w, h, h * 0.5};
}

void drawAddColumn(double x, double y, double size, const std::string& label, std::int64_t option,
                   std::int64_t rows, std::int64_t columns, const StringGrid& tableau, const StringGrid& attributesGrid) {
    double s = spacingUnit(size);
    double b = measureAddColumn(size, label, option, rows, columns).baseline;

    gfx::TextAttributes text = attributes(size);
    gfx::Font full = text.font, small = font(size, 0.7);
    double w0 = width("0", full), h0 = height("0", full);
    double hs = height("0", small);
    double wl = width(label, full), lh = full.lineHeight();

    double x0 = x + wl + s;
    double step = w0 + s;
    double xEnd = x0 + static_cast<double>(columns) * step - s;
    double top = y - b;
    double rowsTop = top + placeLabelRoom(size, columns);
    double y1 = rowsTop + lh + 5;
    double y2 = y1 + lh + 10;

    gfx::drawText(label, {x, y1}, text);

    drawPlaceLabels(size, columns, x0, step, rowsTop, kLabelAngle);

    rule(x0, y2 - 6.25, xEnd, y2 - 6.25);
    double separatorEnd = rowsTop + static_cast<double>(option) * (lh + 5);
    for (std::int64_t j = 0; j + 1 < columns; ++j) {
        double xj = x0 + w0 + s / 2 + static_cast<double>(j) * step;
        rule(xj, top, xj, separatorEnd, kSeparatorWidth);
    }

    double rowTop = rowsTop;
    for (std::size_t r = 0; r < tableau.size(); ++r) {
        const auto& cells = tableau[r];
        const auto& codes = at(attributesGrid, r);
        double cellLeft = x0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string& code = at(codes, c);
            const std::string& value = cells[c];
            if (codeShows(code) && value != "Z") {
                gfx::TextAttributes cell = text;
                cell.background = codeShade(code, 1);
                if (characterStringCount(value) <= 1) {
                    gfx::drawText(value, {cellLeft, rowTop}, cell);
                } else {
                    // A two-digit column sum, smaller and centred on its column.
                    cell.font = small;
                    gfx::drawText(value, {cellLeft + w0 / 2 - width(value, small) / 2, rowTop + (h0 - hs) / 2}, cell);
                }
            }
            cellLeft += step;
        }
        rowTop += lh + (r == 1 ? 10 : 5);
    }
}

}  // namespace tl
