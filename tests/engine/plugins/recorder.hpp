// A recording canvas with fake font metrics, and lookups into what a
// renderer drew, for exact geometry checks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/context.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"

namespace tl::testing {

class Recorder : public ::testing::Test {
protected:
    gfx::ScopedFakeFonts fonts;
    gfx::RecordingContext canvas;
    gfx::ContextScope scope{&canvas};

    /// Visible texts (clear ones are layout placeholders) with this content.
    std::vector<gfx::RecordedText> shown(const std::string& text) const {
        std::vector<gfx::RecordedText> out;
        for (const auto& t : canvas.texts())
            if (t.text == text && !t.colour.isClear()) out.push_back(t);
        return out;
    }
    std::vector<gfx::RecordedText> visibleTexts() const {
        std::vector<gfx::RecordedText> out;
        for (const auto& t : canvas.texts())
            if (!t.colour.isClear()) out.push_back(t);
        return out;
    }
    /// The one visible text with this content drawn at this top-left corner.
    std::optional<gfx::RecordedText> shownAt(const std::string& text, double left, double top) const {
        for (const auto& t : shown(text))
            if (near(t.baselineLeft.x, left) && near(t.baselineLeft.y - 0.8 * t.size, top)) return t;
        return std::nullopt;
    }
    /// Straight segments (two-point paths) of a line width.
    std::vector<std::pair<gfx::Point, gfx::Point>> segments(double lineWidth) const {
        std::vector<std::pair<gfx::Point, gfx::Point>> out;
        for (const auto& p : canvas.paths()) {
            auto pts = p.points();
            if (pts.size() == 2 && p.lineWidth == lineWidth) out.emplace_back(pts[0], pts[1]);
        }
        return out;
    }
    bool hasSegment(gfx::Point a, gfx::Point b, double lineWidth) const {
        for (const auto& [p, q] : segments(lineWidth))
            if (near(p, a) && near(q, b)) return true;
        return false;
    }
    /// Filled text backgrounds of a colour.
    std::vector<gfx::Rect> fills(gfx::Rgba colour) const {
        std::vector<gfx::Rect> out;
        for (const auto& r : canvas.rects())
            if (r.filled && r.colour == colour) out.push_back(r.rect);
        return out;
    }

    static bool near(double a, double b) { return std::abs(a - b) < 1e-9; }
    static bool near(gfx::Point a, gfx::Point b) { return near(a.x, b.x) && near(a.y, b.y); }
};

}  // namespace tl::testing
