// The layout every flash card shares: a title centred near the top, an
// equation centred near the bottom and a picture sized to what is left.
//
// A card is laid out for a portrait view: A is the short side (across) and
// B the long side (down), whatever the view's orientation. In a landscape
// view that portrait card is drawn scaled down and centred, so all of it
// shows; a portrait view draws it as it is.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/context.hpp"
#include "platform/gfx/text.hpp"

namespace tl::drills {

/// The widest label a card shows; it fixes the label size for a card width.
inline constexpr const char* kReferenceLabel = "double 66 plus 99";

struct CardExtent {
    double A = 0;  // across
    double B = 0;  // down
    /// The card is drawn scaled by `scale` with its top-left corner at
    /// `origin` of the view: the largest size that fits, centred.
    double scale = 1;
    gfx::Point origin;
    bool isEmpty() const { return A <= 0 || B <= 0; }
};

/// The extent of a view of `width` × `height`; empty unless both are finite.
CardExtent cardExtent(double width, double height);

/// Draws in card coordinates into `ctx` while it lives: places the card in
/// its view as the extent says (nothing to do for a portrait view).
class PlacedCard {
public:
    PlacedCard(gfx::Context& ctx, const CardExtent& extent);
    ~PlacedCard();
    PlacedCard(const PlacedCard&) = delete;
    PlacedCard& operator=(const PlacedCard&) = delete;

private:
    gfx::Context* placed_ = nullptr;  // the context to restore, when it was changed
};

/// The medium system font every card text uses.
gfx::TextAttributes labelAttributes(double size);

/// What a scale function gives: the picture scale (never negative; 0 means
/// no room for a picture), the fitted label size and the label height.
struct PictureScale {
    double scale = 0;
    double fontSize = 0;
    double L = 0;
};

/// The label size (from 40 down in steps of 5%) at which the reference
/// label fits across A, and the label height in it.
PictureScale fitLabels(double A);

/// Scale for a tower of n boxes (and `extra` boxes of room) of side 60.
PictureScale doublesPictureScale(std::int64_t n, double extra, double A, double B);
/// Scale for two frames of `frameWidth` side by side.
PictureScale countPictureScale(double frameWidth, double A, double B);

/// Draws the title near the top and the equation near the bottom, both
/// centred across; `shrinkEquation` narrows the equation's font until it
/// takes at most 95% of A (the title keeps the fitted size).
void drawTitleAndEquation(gfx::Context& ctx, const CardExtent& extent, const PictureScale& fit,
                          const std::string& title, const std::string& equation, bool shrinkEquation);

}  // namespace tl::drills
