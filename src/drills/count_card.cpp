#include "drills/count_card.hpp"

#include <algorithm>

#include "drills/card_layout.hpp"
#include "drills/numbers.hpp"
#include "drills/pictures.hpp"

namespace tl::drills {

namespace {

using checked::i128;

// A frame shows at most ten counters; the ones beyond never appear.
constexpr i128 kShown = 10;

i128 shown(i128 count) { return std::clamp<i128>(count, 0, kShown); }

}  // namespace

CountTexts countTexts(const std::string& name, std::int64_t first, std::int64_t second) {
    const i128 a = first, b = second;
    const std::string problem = decimal(a) + " + " + decimal(b);
    if (name == "count on")
        return {"count on", "count from " + decimal(a), problem, problem + " = " + decimal(a + b) + " "};
    if (name == "combine to ten") return {"combine to ten", "combine them", problem, problem + " = 10 "};
    if (name == "make a ten") {
        std::string back = a + b == 10 ? problem + " = 10"
                                       : problem + " = 10 + " + decimal(a + b - 10) + " = " + decimal(a + b);
        return {"make a ten", "make that ten", problem, back};
    }
    return {};
}

void drawCountStrategy(gfx::Context& ctx, std::int64_t first, std::int64_t second, bool front, const std::string& name,
                       double width, double height) {
    const CardExtent extent = cardExtent(width, height);
    if (extent.isEmpty()) return;
    const PlacedCard placed(ctx, extent);
    filledFrame left = makeFilledFrame();
    filledFrame right = makeFilledFrame();
    const double frameWidth = left.emptyFrame.frameWidth;
    const PictureScale fit = countPictureScale(frameWidth, extent.A, extent.B);

    const CountTexts texts = countTexts(name, first, second);
    drawTitleAndEquation(ctx, extent, fit, front ? texts.frontTitle : texts.backTitle,
                         front ? texts.frontEquation : texts.backEquation, !front);
    // Nor does a frame narrower than its three upright lines: its cells
    // would turn inside out.
    if (fit.scale <= 0 || frameWidth * fit.scale < 3 * left.emptyFrame.frameEdgeWidth) return;

    const double diameter = left.emptyFrame.tenFrameCell();
    auto addCounters = [&](filledFrame& to, i128 count, gfx::Rgba colour) {
        for (i128 i = 0; i < count; ++i)
            to.counters.push_back(makeCounter(diameter, colour, gfx::palette::black, "", gfx::palette::white));
    };
    const bool countOn = name == "count on";
    addCounters(left, shown(first), gfx::palette::red);

    // The back moves blue counters, the last first, into the left frame's
    // next places until it holds ten; counting on numbers them as it goes
    // and then numbers those left behind on from 11. Only counters a frame
    // can show are made, so a large addend costs no more than ten.
    i128 remaining = second;
    if (!front) {
        const i128 moved = std::min<i128>(second, 10 - i128{first});
        if (moved > 0) {
            const std::size_t before = left.counters.size();
            addCounters(left, std::min(moved, kShown), gfx::palette::blue);
            if (countOn)
                for (std::size_t i = before; i < left.counters.size(); ++i)
                    left.counters[i].counterNumber = decimal(i128{first} + static_cast<i128>(i - before) + 1);
            remaining -= moved;
        }
    }
    addCounters(right, shown(remaining), gfx::palette::blue);
    if (!front && countOn)
        for (std::size_t k = 0; k < right.counters.size(); ++k)
            right.counters[k].counterNumber = decimal(static_cast<i128>(k) + 11);

    const double s = fit.scale;
    const double gap = (extent.A - 2 * frameWidth * s) / 3;
    const double baseline = extent.B / 2 + left.emptyFrame.tenFrameSpan() * s / 2;
    drawFilledFrame(ctx, gap, baseline, s, left);
    drawFilledFrame(ctx, 2 * gap + frameWidth * s, baseline, s, right);
}

}  // namespace tl::drills
