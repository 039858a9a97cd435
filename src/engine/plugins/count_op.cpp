// Subtraction by counting: a vertical chain of counting steps (from, count,
// to) right-aligned in one strip of digit columns, and on the pages that add
// the counts a second strip with the counts, a plus sign, a rule and the total.
#include <algorithm>
#include <numbers>

#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/drawing.hpp"
#include "common/records.hpp"
#include "engine/plugins/frame.hpp"
#include "engine/plugins/renderers.hpp"

namespace tl {

using namespace plugin;

namespace {

constexpr double kLabelAngle = -std::numbers::pi / 3;

struct Record {
    std::string sign;
    std::int64_t columns, sumColumns, steps;
    std::string kind;
    bool secondStrip;
};

Record readRecord(const StringList& globals, const StringList& locals) {
    Record r;
    r.sign = countOpSign(at(globals, 0));
    r.columns = integerAt(globals, 1);
    r.sumColumns = integerAt(globals, 2);
    r.steps = integerAt(locals, 1);
    r.kind = at(locals, 0);
    require(r.steps >= 0, "negative step count");
    require(r.sumColumns >= 0, "negative column count");
    r.secondStrip = r.kind == "COUNT" || r.kind == "SUMMARY";
    return r;
}

}  // namespace

NodeBox measureCountOp(double size, const std::string& /*header*/, const StringList& globals,
                       const StringList& locals) {
    Record r = readRecord(globals, locals);
    double s = spacingUnit(size);
    gfx::Font full = font(size);
    double lh = full.lineHeight();
    double n = static_cast<double>(r.steps);
    double w = width(joined(r.sign, powerOfTenText(r.columns - 1)), full) + s;
    double h = lh * (2 * n + 1) + 15 * n + 5 + placeLabelRoom(size, r.columns);
    if (r.secondStrip) w += 30 + width(joined("+", powerOfTenText(r.sumColumns - 1)), full) + s;
    return {w, h, h * 0.5};
}

void drawCountOp(double x, double y, double size, const std::string& header, const StringList& tableau,
                 const StringList& countUps, const StringList& globals, const StringList& locals) {
    Record r = readRecord(globals, locals);
    double s = spacingUnit(size);
    double m = measureCountOp(size, header, globals, locals).baseline;

    gfx::TextAttributes text = attributes(size);
    gfx::Font full = text.font;
    double lh = full.lineHeight();
    double cw = width("0", full), sw = width(r.sign, full), pw = width("+", full);
    gfx::Rgba gray = grayShade(), clear = toRgba(Color::clear);

    double x0 = x + sw + s;
    double x1 = x0 + static_cast<double>(r.columns) * cw;
    double top = y - m + placeLabelRoom(size, r.columns);

    drawPlaceLabels(size, r.columns, x0, cw, top, kLabelAngle);

    // Texts are right-aligned by their character count in the digit columns.
    auto rightAligned = [&](const std::string& t, double left, std::int64_t columns) {
        return left + static_cast<double>(columns - characterStringCount(t)) * cw;
    };

    double rowY = top + lh + 5;
    for (std::int64_t i = 0; i < r.steps; ++i) {
        const std::string& from = at(tableau, 3 * i);
        const std::string& count = at(tableau, 3 * i + 1);
        const std::string& to = at(tableau, 3 * i + 2);
        bool lastStep = i == r.steps - 1;

        gfx::TextAttributes ends = text;
        ends.background = (r.kind == "STEP" || r.kind == "SHOW") && lastStep ? gray : clear;
        gfx::drawText(from, {rightAligned(from, x0, r.columns), rowY - lh - 5}, ends);
        gfx::drawText(to, {rightAligned(to, x0, r.columns), rowY + lh + 10}, ends);

        gfx::TextAttributes counted = text;
        bool plainCount = r.kind == "SUMMARY" || r.kind == "SUMMARY SHORT" || (r.kind == "STEP" && !lastStep);
        counted.background = plainCount ? clear : gray;
        gfx::drawText(count, {rightAligned(count, x0, r.columns), rowY}, counted);

        rule(x0, rowY + lh + 5 - 1.25, x1, rowY + lh + 5 - 1.25);
        gfx::drawText(r.sign, {x, rowY}, text);
        rowY += 2 * lh + 15;
    }

    if (!r.secondStrip) return;
    double xp = x1 + 30;
    double x2 = xp + pw + s;
    double x3 = x2 + static_cast<double>(r.sumColumns) * cw;
    drawPlaceLabels(size, r.sumColumns, x2, cw, top, kLabelAngle);

    double y2 = top;
    gfx::TextAttributes counts = text;
    counts.background = r.kind == "COUNT" ? gray : clear;
    for (const std::string& c : countUps) {
        gfx::drawText(c, {rightAligned(c, x2, r.sumColumns), y2}, counts);
        y2 += lh + 5;
    }
    gfx::TextAttributes total = text;
    total.foreground = r.kind == "COUNT" ? toRgba(Color::red) : toRgba(Color::black);
    gfx::drawText(at(globals, 3), {x2, y2 + 5}, total);
    rule(x2, y2 - 1.25, x3, y2 - 1.25);
    gfx::drawText("+", {xp, y2 - lh - 5}, text);
}

}  // namespace tl
