#include "drills/card_layout.hpp"

#include <algorithm>
#include <cmath>

#include "drills/pictures.hpp"

namespace tl::drills {

namespace {

// Shrinks `attributes` in steps of 5% while `text` is wider than `limit`,
// never below the smallest size; returns the final measure.
gfx::Size shrinkToWidth(const std::string& text, double limit, double& size, gfx::TextAttributes& attributes) {
    gfx::Size measured = gfx::measureText(text, attributes);
    while (measured.width > limit && size * 0.95 >= kSmallestFontSize) {
        size *= 0.95;
        attributes = labelAttributes(size);
        measured = gfx::measureText(text, attributes);
    }
    return measured;
}

}  // namespace

CardExtent cardExtent(double width, double height) {
    // std::min and std::max would pass a NaN on or drop it, depending on the side.
    if (!std::isfinite(width) || !std::isfinite(height)) return {};
    CardExtent extent;
    extent.A = std::min(width, height);
    extent.B = std::max(width, height);
    if (extent.isEmpty()) return extent;
    // Portrait: exactly 1 and no offset. Landscape: the long side fits the height.
    extent.scale = std::min(width / extent.A, height / extent.B);
    extent.origin = {(width - extent.A * extent.scale) / 2, (height - extent.B * extent.scale) / 2};
    return extent;
}

PlacedCard::PlacedCard(gfx::Context& ctx, const CardExtent& extent) {
    if (extent.scale == 1 && extent.origin == gfx::Point{}) return;
    placed_ = &ctx;
    ctx.save();
    ctx.translate(extent.origin.x, extent.origin.y);
    ctx.scale(extent.scale, extent.scale);
}

PlacedCard::~PlacedCard() {
    if (placed_) placed_->restore();
}

gfx::TextAttributes labelAttributes(double size) { return {gfx::Font::system(size, gfx::weight::medium)}; }

PictureScale fitLabels(double A) {
    double size = 40;
    gfx::TextAttributes attributes = labelAttributes(size);
    shrinkToWidth(kReferenceLabel, A, size, attributes);
    return {0, size, gfx::measureText(kReferenceLabel, attributes).height};
}

PictureScale doublesPictureScale(std::int64_t n, double extra, double A, double B) {
    PictureScale fit = fitLabels(A);
    const double share = static_cast<double>(n) + extra;
    double u = share > 0 ? (B - 3 * fit.L) / share : A / 6;
    if (A < 6 * u) u = A / 6;
    // A card shorter than its three label bands has no room for boxes.
    fit.scale = std::max(u / 60, 0.0);
    return fit;
}

PictureScale countPictureScale(double frameWidth, double A, double B) {
    PictureScale fit = fitLabels(A);
    double s = frameWidth;
    if (A < 2 * frameWidth + 45) s = (A - 45) / 2;
    if (B - 3 * fit.L < 2.5 * s) s = (B - 3 * fit.L) / 2.5;
    // Too little room across or down gives no picture rather than a mirrored one.
    fit.scale = frameWidth > 0 ? std::max(s / frameWidth, 0.0) : 0.0;
    return fit;
}

void drawTitleAndEquation(gfx::Context& ctx, const CardExtent& extent, const PictureScale& fit,
                          const std::string& title, const std::string& equation, bool shrinkEquation) {
    gfx::ContextScope scope(&ctx);
    const double A = extent.A, B = extent.B, L = fit.L;

    gfx::TextAttributes attributes = labelAttributes(fit.fontSize);
    gfx::Size titleSize = gfx::measureText(title, attributes);
    gfx::drawText(title, {(A - titleSize.width) / 2, 0.75 * L - titleSize.height / 2}, attributes);

    double size = fit.fontSize;
    gfx::Size equationSize = shrinkEquation ? shrinkToWidth(equation, 0.95 * A, size, attributes)
                                            : gfx::measureText(equation, attributes);
    gfx::drawText(equation, {(A - equationSize.width) / 2, B - (0.75 * L + equationSize.height / 2)}, attributes);
}

}  // namespace tl::drills
