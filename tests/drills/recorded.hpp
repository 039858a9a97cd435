// Reading the drill pictures back out of a recording context: the counters
// (round paths), the boxes (closed four-corner paths) and the texts, with
// the fake fonts' exact measures.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"

namespace drill_test {

inline void expectNear(gfx::Point actual, gfx::Point expected, double eps = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, eps);
    EXPECT_NEAR(actual.y, expected.y, eps);
}

struct Disc {
    gfx::Point centre;
    double radius;
    gfx::Rgba fill;
};

inline std::vector<Disc> discs(const gfx::RecordingContext& ctx) {
    std::vector<Disc> out;
    for (const auto& path : ctx.paths())
        if (!path.elements.empty() && path.elements.front().kind == gfx::PathElement::Kind::arc)
            out.push_back({path.elements.front().point, path.elements.front().radius, path.fill});
    return out;
}

/// A box as drawn: the bottom-left corner of its square (its outline is
/// inset by half the edge width) and its colours.
struct DrawnBox {
    gfx::Point bottomLeft;
    double side;
    double edgeWidth;
    gfx::Rgba edge, fill;
};

inline std::vector<DrawnBox> boxes(const gfx::RecordingContext& ctx) {
    std::vector<DrawnBox> out;
    for (const auto& path : ctx.paths()) {
        auto points = path.points();
        if (points.size() != 4 || path.elements.back().kind != gfx::PathElement::Kind::close) continue;
        double e = path.lineWidth;
        out.push_back({{points[0].x - e / 2, points[0].y + e / 2}, points[1].x - points[0].x + e, e, path.stroke,
                       path.fill});
    }
    return out;
}

inline std::size_t codePoints(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

/// The middle of a text's measured box (fake fonts: advance 0.5, line 1.2,
/// ascender 0.8, all × size).
inline gfx::Point centre(const gfx::RecordedText& t) {
    return {t.baselineLeft.x + static_cast<double>(codePoints(t.text)) * gfx::kFakeAdvance * t.size / 2,
            t.baselineLeft.y - 0.8 * t.size + 0.6 * t.size};
}

inline std::vector<std::string> strings(const gfx::RecordingContext& ctx) {
    std::vector<std::string> out;
    for (const auto& t : ctx.texts()) out.push_back(t.text);
    return out;
}

}  // namespace drill_test
