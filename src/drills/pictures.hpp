// The flash-card pictures: boxes stacked into towers, ten-frames and the
// counters that fill them.
//
// Coordinates are points with y growing downward. Every picture is anchored
// at its bottom-left corner and drawn upward. Drawing takes a scale factor
// that multiplies the sizes kept in the records (box height, frame width,
// counter diameter) but never the line widths.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/color.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/font.hpp"

namespace tl::drills {

/// One square brick with a text on its face (and a second text over it).
struct box {
    double height = 20.0;  // side at scale 1
    double edgeWidth = 3.0;
    gfx::Rgba edgeColor = gfx::palette::black;
    gfx::Rgba color = gfx::palette::red;
    std::string face;
    std::string faceOver;
};

/// Bricks stacked upward; index 0 is the bottom one.
struct tower {
    std::vector<box> bricks;
};

/// A ten-frame: two columns by five rows of cells.
struct frame {
    double frameWidth = 250.0;  // outer width at scale 1
    gfx::Rgba frameColor = gfx::palette::cyan;
    double frameEdgeWidth = 5.0;
    gfx::Rgba frameEdgeColor = gfx::palette::white;

    /// Frame height at scale 1: five cells and six lines.
    double tenFrameSpan() const;
    /// The counter diameter that fills five sixths of a cell.
    double tenFrameCell() const;
    /// Sets the width whose frame is `height` tall (inverse of tenFrameSpan).
    void frameWidthForHeight(double height);
    /// Sets the width whose counters are `diameter` wide (inverse of tenFrameCell).
    void frameWidthForCounter(double diameter);
};

/// A round token with a number on it.
struct counter {
    double counterDiameter = 0;
    gfx::Rgba counterColor = gfx::palette::red;
    double counterEdgeWidth = 3.0;
    gfx::Rgba counterEdgeColor = gfx::palette::black;
    std::string counterNumber;
    gfx::Rgba counterFontColor = gfx::palette::white;
};

/// A frame and its counters: 0–4 up the left column, 5–9 up the right one.
struct filledFrame {
    frame emptyFrame;
    std::vector<counter> counters;
};

box defaultBox();
box makeBox(double height, double edgeWidth, gfx::Rgba edgeColor, gfx::Rgba color, std::string face,
            std::string faceOver);
tower makeTower();
frame defaultFrame();
filledFrame makeFilledFrame();
counter makeCounter(double counterDiameter, gfx::Rgba counterColor, gfx::Rgba counterEdgeColor,
                    std::string counterNumber, gfx::Rgba counterFontColor);

/// The font of that family, or none when it is not installed.
std::optional<gfx::Font> fontNamed(std::string_view name, double size);
/// Adds to the context's path the arc of `radius` around `center` from
/// `startAngle` to `endAngle` (radians).
void arcPath(gfx::Context& ctx, gfx::Point center, double radius, double startAngle, double endAngle, bool clockwise);

/// Text fitting never goes below this size, so a fit that cannot succeed
/// (no room at all) still ends.
inline constexpr double kSmallestFontSize = 1.0;

void drawBox(gfx::Context& ctx, double x, double y, double s, const box& b);
void drawTower(gfx::Context& ctx, const std::vector<box>& bricks, double x, double y, double s);
void drawFrame(gfx::Context& ctx, double x, double y, double s, const frame& f);
void drawCounter(gfx::Context& ctx, double cx, double cy, double s, const counter& c);
void drawFilledFrame(gfx::Context& ctx, double x, double y, double s, const filledFrame& f);

}  // namespace tl::drills
