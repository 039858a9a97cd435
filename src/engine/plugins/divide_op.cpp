// Long division in the bracket layout: per-character cells from string rows
// (quotient, divisor and dividend, then product and difference rows), the
// bracket, a subtraction line with a minus sign under every product, and the
// remainder after the dividend on the closing pages.
#include "base/errors.hpp"
#include "common/records.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"
#include "common/drawing.hpp"

namespace tl {

using namespace plugin;

namespace {

std::int64_t readLineCount(const StringList& locals) {
    std::int64_t n = integerAt(locals, 1);
    require(n >= 0, "negative line count");
    return n;
}

}  // namespace

NodeBox measureDivideOp(double size, const std::string& /*header*/, const StringList& globals,
                        const StringList& locals) {
    double n = static_cast<double>(readLineCount(locals));
    const std::string& kind = at(locals, 0);
    const std::string& remainder = at(globals, 3);
    gfx::Font f = font(size);
    double lh = f.lineHeight();
    double w = width(joined(at(globals, 1), at(globals, 0)), f) + (remainder == "0" ? 0 : width(joined(" R ", remainder), f)) +
               2 * spacingUnit(size);
    double h = (2 * lh + 5) * (1 + n);
    if (kind == "MULTIPLY") h += lh;
    if (kind == "SUBTRACT") h += 2 * lh + 5;
    return {w, h, h * 0.5};
}

void drawDivideOp(double x, double y, double size, const std::string& header, const StringList& tableau,
                  const StringList& backgroundTableau, const StringList& lines, const StringList& globals,
                  const StringList& locals) {
    std::int64_t n = readLineCount(locals);
    const std::string& kind = at(locals, 0);
    const std::string& remainder = at(globals, 3);
    double s = spacingUnit(size);
    double top = y - measureDivideOp(size, header, globals, locals).baseline;

    gfx::Font f = font(size);
    double lh = f.lineHeight(), w0 = width("0", f), wM = width("\u2212", f);
    double x0 = x + width(at(globals, 1), f) + 2 * s;
    double xE = x0 + width(at(globals, 0), f);
    auto divisorColumns = static_cast<std::size_t>(characterStringCount(at(globals, 1)));

    gfx::Rgba black = toRgba(Color::black), clear = toRgba(Color::clear);
    const gfx::TextAttributes plain{f, black, clear};
    const gfx::TextAttributes light{f, black, lightGrayShade()};
    const gfx::TextAttributes dark{f, black, grayShade()};

    double rowTop = top;
    for (std::size_t i = 0; i < tableau.size(); ++i) {
        auto cells = characterStrings(tableau[i]);
        std::vector<std::string> shades;
        double cx = x;
        for (std::size_t j = 0; j < cells.size(); ++j) {
            if (cells[j] != "B") {
                if (shades.empty()) shades = characterStrings(at(backgroundTableau, i));
                const std::string& shade = at(shades, j);
                gfx::drawText(cells[j], {cx, rowTop}, shade == "L" ? light : shade == "D" ? dark : plain);
            }
            cx += w0;
            if (j + 1 == divisorColumns) cx += 2 * s;  // the gap that holds the bracket
        }
        rowTop += lh + (i % 2 == 0 ? 5 : 0);
    }

    if (remainder != "0") {
        if (kind == "SOLUTION") gfx::drawText(joined(" R ", remainder), {xE, top}, light);
        if (kind == "SUMMARY") gfx::drawText(joined(" R ", remainder), {xE, top}, plain);
    }

    if (!gfx::currentContext()) return;
    double yB = top + lh + 2.5;
    rule(x0 - s, yB + lh + 2.5, x0 - s, yB);
    rule(x0 - s - 1.25, yB, xE, yB);
    std::int64_t drawn = kind == "SUBTRACT" ? n + 1 : n;
    for (std::int64_t k = 0; k < drawn; ++k) {
        double c1 = static_cast<double>(integerAt(lines, static_cast<std::size_t>(4 * k)));
        double r1 = static_cast<double>(integerAt(lines, static_cast<std::size_t>(4 * k + 1)));
        double c2 = static_cast<double>(integerAt(lines, static_cast<std::size_t>(4 * k + 2)));
        double r2 = static_cast<double>(integerAt(lines, static_cast<std::size_t>(4 * k + 3)));
        double yk = top + 7.5 + 5 * static_cast<double>(k);
        double mk = top + 5 - lh + 5 * static_cast<double>(k);
        rule(x0 + c1 * w0, yk + r1 * lh, x0 + c2 * w0, yk + r2 * lh);
        gfx::drawText("\u2212", {x0 + c1 * w0 - wM, mk + r1 * lh}, plain);
    }
}

}  // namespace tl
