// Partial quotients: divisor, bracket and dividend; grab by grab the amount
// taken and what is left; the multiples beyond a separator, summed at the end;
// the quotient with its remainder above the bracket on the last pages.
#include <algorithm>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"

namespace tl {

using namespace plugin;

namespace {

struct Record {
    std::string dividend, divisor, quotient, remainder, type;
    std::int64_t grabs;
};

Record readRecord(const StringList& globals, const StringList& locals) {
    Record r{at(globals, 0), at(globals, 1), at(globals, 2), at(globals, 3), at(locals, 0), integerAt(locals, 1)};
    require(r.grabs >= 0, "negative grab count");
    return r;
}

bool hasChoiceLine(const std::string& type) {
    return type == "GRAB AND CHOOSE" || type == "PROBLEM" || type == "CHOOSE";
}

double boxHeight(double lh, const Record& r) {
    double n = static_cast<double>(r.grabs);
    return lh * (2 * n + 2) + (n + 1) * 5 + (hasChoiceLine(r.type) ? lh : 0);
}

}  // namespace

NodeBox measureDividePartialOp(double size, const std::string& /*header*/, const StringList& globals,
                               const StringList& locals) {
    Record r = readRecord(globals, locals);
    double s = spacingUnit(size);
    gfx::Font f = font(size);
    double w = width(r.divisor, f) + 2 * s + width(r.dividend, f) +
               std::max(width(" R ", f) + width(r.remainder, f), 30 + width("+", f) + s + width(r.quotient, f));
    double h = boxHeight(f.lineHeight(), r);
    return {w, h, h * 0.5};
}

void drawDividePartialOp(double x, double y, double size, const std::string& header, const StringList& tableau,
                         const StringList& partials, const StringList& globals, const StringList& locals) {
    Record r = readRecord(globals, locals);
    double s = spacingUnit(size);
    double top = y - measureDividePartialOp(size, header, globals, locals).baseline;

    gfx::Font f = font(size);
    double lh = f.lineHeight();
    gfx::Rgba black = toRgba(Color::black), clear = toRgba(Color::clear);
    const gfx::TextAttributes hidden{f, clear, clear};
    const gfx::TextAttributes plain{f, black, clear};
    const gfx::TextAttributes light{f, black, lightGrayShade()};
    const gfx::TextAttributes gray{f, black, grayShade()};
    auto w = [&](const std::string& t) { return width(t, f); };
    auto rightOn = [&](const std::string& t, double right, double top_, const gfx::TextAttributes& look) {
        gfx::drawText(t, {right - w(t), top_}, look);
    };

    const std::string& type = r.type;
    double xBracket = x + w(r.divisor) + 2 * s;
    double xRight = xBracket + w(r.dividend);
    double xPlus = xRight + 30 + w("+");
    double xEnd = xPlus + w(r.quotient);
    double yBar = top + lh + 2.5;
    double bottom = top + boxHeight(lh, r);
    bool remainderShown = r.remainder != "0";

    rule(xBracket - s, yBar + lh + 2.5, xBracket - s, yBar);
    rule(xBracket - s - 1.25, yBar, xRight + s + 1.25, yBar);
    rule(xRight + s, yBar, xRight + s, bottom);

    // The quotient line keeps its place on every page and shows on the last two.
    const gfx::TextAttributes& answer = type == "SOLUTION" ? light : type == "SUMMARY" ? plain : hidden;
    rightOn(r.quotient, xRight, top, answer);
    if (remainderShown) gfx::drawText(joined(" R ", r.remainder), {xRight, top}, answer);

    double y0 = top + lh + 5;
    gfx::drawText(r.divisor, {x, y0}, plain);
    gfx::drawText(r.dividend, {xBracket, y0}, type == "CHOOSE" ? light : plain);

    double rowY = y0 + lh;
    for (std::int64_t i = 0; i < r.grabs; ++i) {
        bool last = i == r.grabs - 1;
        const std::string& amount = at(tableau, 2 * i + 1);
        const std::string& left = at(tableau, 2 * i + 2);
        const std::string& multiple = at(partials, i);

        rightOn(amount, xRight, rowY, type == "CHOICE" && last ? light : plain);
        gfx::drawText("\u2212", {xRight - w(amount) - w("\u2212"), rowY}, plain);
        rightOn(multiple, xEnd, rowY, type == "ADD" || (type == "CHOICE" && last) ? light : plain);

        const gfx::TextAttributes* leftLook = &plain;
        if (last && (type == "GRAB AND CHOOSE" || type == "GRAB" || (type == "SOLUTION" && remainderShown)))
            leftLook = &light;
        else if (type == "CHOICE" && last)
            leftLook = &hidden;  // the new remainder is not worked out yet
        rightOn(left, xRight, rowY + lh + 5, *leftLook);

        rule(xRight - w(amount), rowY + lh + 2.5, xRight, rowY + lh + 2.5);
        if (last && (type == "ADD" || type == "SOLUTION" || type == "SUMMARY")) {
            rule(xPlus, rowY + lh + 2.5, xEnd, rowY + lh + 2.5);
            rightOn("+", xPlus, rowY, plain);
            rightOn(r.quotient, xEnd, rowY + lh + 5, type == "ADD" ? gray : type == "SOLUTION" ? light : plain);
        }
        rowY += 2 * lh + 5;
    }
}

}  // namespace tl
