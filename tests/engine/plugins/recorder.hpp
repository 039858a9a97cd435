// A recording canvas with fake font metrics (every character 0.5 × size
// wide, ascender 0.8, line height 1.2), and lookups into what was drawn.
#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"

namespace tl::testing {

struct Placed {
    const char* text;
    double left, top;
};

class Recorder : public ::testing::Test {
protected:
    gfx::ScopedFakeFonts fonts;
    gfx::RecordingContext canvas;
    gfx::ContextScope scope{&canvas};

    static bool near(double a, double b) { return std::abs(a - b) < 1e-9; }
    static bool near(gfx::Point a, gfx::Point b) { return near(a.x, b.x) && near(a.y, b.y); }
    static bool near(const std::vector<gfx::Point>& a, const std::vector<gfx::Point>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!near(a[i], b[i])) return false;
        return true;
    }

    /// Visible texts (clear ones only hold a place) with this content.
    std::vector<gfx::RecordedText> shown(const std::string& text) const {
        std::vector<gfx::RecordedText> out;
        for (const auto& t : canvas.texts())
            if (t.text == text && !t.colour.isClear()) out.push_back(t);
        return out;
    }
    /// The visible, upright text with this content whose top-left corner is here.
    std::optional<gfx::RecordedText> shownAt(const std::string& text, double left, double top) const {
        for (const auto& t : shown(text))
            if (t.rotation == 0 && near(t.baselineLeft, {left, top + 0.8 * t.size})) return t;
        return std::nullopt;
    }
    void expectPlaced(std::initializer_list<Placed> golden) const {
        for (const auto& g : golden)
            EXPECT_TRUE(shownAt(g.text, g.left, g.top)) << g.text << " at " << g.left << ", " << g.top;
    }
    std::vector<gfx::RecordedText> rotated() const {
        std::vector<gfx::RecordedText> out;
        for (const auto& t : canvas.texts())
            if (t.rotation != 0) out.push_back(t);
        return out;
    }
    /// Two-point paths (lines) of a width.
    int lineCount(double width) const {
        int n = 0;
        for (const auto& p : canvas.paths()) n += p.points().size() == 2 && p.lineWidth == width;
        return n;
    }
    bool hasLine(gfx::Point a, gfx::Point b, double width = 2.5) const {
        for (const auto& p : canvas.paths()) {
            auto pts = p.points();
            if (pts.size() == 2 && p.lineWidth == width && near(pts[0], a) && near(pts[1], b)) return true;
        }
        return false;
    }
    /// Text backgrounds filled in a colour.
    std::vector<gfx::Rect> fills(gfx::Rgba colour) const {
        std::vector<gfx::Rect> out;
        for (const auto& r : canvas.rects())
            if (r.filled && r.colour == colour) out.push_back(r.rect);
        return out;
    }
};

}  // namespace tl::testing
