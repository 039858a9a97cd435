#include "drills/pictures.hpp"

#include <numbers>

#include "platform/gfx/text.hpp"

namespace tl::drills {

namespace {

// Text goes through the shared text drawing, which draws into the current
// context: make ours current for the call.
void drawTextIn(gfx::Context& ctx, std::string_view text, gfx::Point topLeft, const gfx::TextAttributes& attributes) {
    gfx::ContextScope scope(&ctx);
    gfx::drawText(text, topLeft, attributes);
}

// The boxes' faces are written in the chalk font; where it is missing the
// medium system font stands in.
gfx::Font faceFont(double size) {
    if (auto font = fontNamed("ChalkDuster", size)) return *font;
    return gfx::Font::system(size, gfx::weight::medium);
}

}  // namespace

double frame::tenFrameSpan() const { return 2.5 * (frameWidth - 3 * frameEdgeWidth) + 6 * frameEdgeWidth; }

double frame::tenFrameCell() const { return 0.5 * (frameWidth - 3 * frameEdgeWidth) * 5.0 / 6.0; }

void frame::frameWidthForHeight(double height) { frameWidth = (height - 6 * frameEdgeWidth) * 0.4 + 3 * frameEdgeWidth; }

void frame::frameWidthForCounter(double diameter) { frameWidth = 2 * diameter * 1.2 + 3 * frameEdgeWidth; }

box defaultBox() { return box{}; }

box makeBox(double height, double edgeWidth, gfx::Rgba edgeColor, gfx::Rgba color, std::string face,
            std::string faceOver) {
    return box{height, edgeWidth, edgeColor, color, std::move(face), std::move(faceOver)};
}

tower makeTower() { return tower{}; }

frame defaultFrame() { return frame{}; }

filledFrame makeFilledFrame() { return filledFrame{defaultFrame(), {}}; }

counter makeCounter(double counterDiameter, gfx::Rgba counterColor, gfx::Rgba counterEdgeColor,
                    std::string counterNumber, gfx::Rgba counterFontColor) {
    return counter{counterDiameter, counterColor, 3.0, counterEdgeColor, std::move(counterNumber), counterFontColor};
}

std::optional<gfx::Font> fontNamed(std::string_view name, double size) { return gfx::Font::named(name, size); }

void arcPath(gfx::Context& ctx, gfx::Point center, double radius, double startAngle, double endAngle, bool clockwise) {
    ctx.addArc(center, radius, startAngle, endAngle, clockwise);
}

void drawBox(gfx::Context& ctx, double x, double y, double s, const box& b) {
    const double L = b.height * s;
    const double e = b.edgeWidth;
    // The outline is inset by half its width so the stroke stays inside the square.
    ctx.moveTo({x + e / 2, y - e / 2});
    ctx.lineTo({x + L - e / 2, y - e / 2});
    ctx.lineTo({x + L - e / 2, y - (L - e / 2)});
    ctx.lineTo({x + e / 2, y - (L - e / 2)});
    ctx.closePath();
    ctx.setStrokeColor(b.edgeColor);
    ctx.setLineWidth(e);
    ctx.setFillColor(b.color);
    ctx.drawPath(gfx::PathMode::fillStroke);

    gfx::TextAttributes attributes{faceFont(0.75 * L), gfx::palette::white};
    for (const std::string* text : {&b.face, &b.faceOver}) {
        if (text->empty()) continue;
        gfx::Size size = gfx::measureText(*text, attributes);
        drawTextIn(ctx, *text, {x + L / 2 - size.width / 2, y - 1.5 * L + size.height / 2}, attributes);
    }
}

void drawTower(gfx::Context& ctx, const std::vector<box>& bricks, double x, double y, double s) {
    const double base = bricks.empty() ? 0.0 : bricks.front().height;
    for (const box& brick : bricks) {
        drawBox(ctx, x + 0.5 * (base - brick.height) * s, y, s, brick);
        y -= brick.height * s;
    }
}

void drawFrame(gfx::Context& ctx, double x, double y, double s, const frame& f) {
    const double W = f.frameWidth * s;
    const double e = f.frameEdgeWidth;
    const double c = (W - 3 * e) / 2;
    const double H = 5 * c + 6 * e;
    ctx.setStrokeColor(f.frameEdgeColor);
    ctx.setLineWidth(e);
    ctx.setFillColor(f.frameColor);
    // The outline stays open: it starts half a line in from the bottom-left
    // corner and ends on the bottom edge, so the left and bottom strokes
    // cover the corner between them.
    ctx.moveTo({x + e, y - e / 2});
    ctx.lineTo({x + W - e / 2, y - e / 2});
    ctx.lineTo({x + W - e / 2, y - (H - e / 2)});
    ctx.lineTo({x + e / 2, y - (H - e / 2)});
    ctx.lineTo({x + e / 2, y});
    ctx.moveTo({x + W / 2, y - e});
    ctx.lineTo({x + W / 2, y - (H - e)});
    for (int i = 1; i <= 4; ++i) {
        double rowY = y - (i * (c + e) + e / 2);
        ctx.moveTo({x + e, rowY});
        ctx.lineTo({x + W - e, rowY});
    }
    ctx.closePath();
    ctx.drawPath(gfx::PathMode::fillStroke);
}

void drawCounter(gfx::Context& ctx, double cx, double cy, double s, const counter& c) {
    const double D = c.counterDiameter * s;
    const double e = c.counterEdgeWidth;
    ctx.setStrokeColor(c.counterEdgeColor);
    ctx.setLineWidth(e);
    ctx.setFillColor(c.counterColor);
    arcPath(ctx, {cx, cy}, D / 2 - e / 2, 0, 2 * std::numbers::pi, true);
    ctx.drawPath(gfx::PathMode::fillStroke);

    if (c.counterNumber.empty()) return;
    double size = 0.75 * D;
    gfx::TextAttributes attributes{gfx::Font::system(size, gfx::weight::medium), c.counterFontColor};
    gfx::Size measured = gfx::measureText(c.counterNumber, attributes);
    while (measured.width > 0.75 * D && size * 0.95 >= kSmallestFontSize) {
        size *= 0.95;
        attributes.font = gfx::Font::system(size, gfx::weight::medium);
        measured = gfx::measureText(c.counterNumber, attributes);
    }
    drawTextIn(ctx, c.counterNumber, {cx - measured.width / 2, cy - measured.height / 2}, attributes);
}

void drawFilledFrame(gfx::Context& ctx, double x, double y, double s, const filledFrame& f) {
    drawFrame(ctx, x, y, s, f.emptyFrame);
    const double W = f.emptyFrame.frameWidth * s;
    const double e = f.emptyFrame.frameEdgeWidth;
    const double c = (W - 3 * e) / 2;
    const double step = c + e;
    const double cx = x + c / 2 + e;
    double cy = y - (c / 2 + e);
    const std::size_t count = f.counters.size();
    for (std::size_t r = 0; r < 5; ++r) {
        if (r < count) drawCounter(ctx, cx, cy, s, f.counters[r]);
        if (r + 5 < count) drawCounter(ctx, cx + step, cy, s, f.counters[r + 5]);
        cy -= step;
    }
}

}  // namespace tl::drills
