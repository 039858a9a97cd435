// Colours for drawing, text lines fitted into a box, and straight lines.
//
// Text is measured with gfx::measureText and drawn with gfx::drawText into
// the current context; without a current context nothing is drawn.
#pragma once

#include <string_view>
#include <vector>

#include "common/enums.hpp"
#include "common/tableau.hpp"
#include "platform/gfx/color.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/text.hpp"

namespace tl {

/// The drawable colour of a palette entry; invisible and clear are both clear.
gfx::Rgba toRgba(Color c);
/// The drawable colour of a colour name as tables write it; a name that is
/// no colour is a broken precondition.
gfx::Rgba colourNamed(std::string_view name);

/// The smallest size fitting ever returns: shrinking stops here, and an empty
/// box (zero or negative width or height) gets it at once.
inline constexpr double minimumFittedFontSize = 1.0;

/// The line width of drawLine when none is given, and of every rule,
/// bracket and grid line the renderers draw.
inline constexpr double defaultLineWidth = 2.5;

/// The largest size, starting at the attributes' font size and shrinking by
/// 5% per step, at which the widest line fits the width and the tallest line
/// times the number of lines fits the height. Trials use the system font at
/// weight 0.25 whatever the attributes' weight. Never below minimumFittedFontSize.
double fitFontSize(double width, double height, const StringList& lines, const gfx::TextAttributes& attributes);

/// The smallest of the attributes' font size and the fitted size of each group.
double fitFontSizeForAll(double width, double height, const std::vector<StringList>& groups,
                         const gfx::TextAttributes& attributes);

/// Draws the lines from the top of the box, each centred on the box or left
/// aligned, in the system font of `weight` at the size fitted into the box.
void drawTextLines(double x, double y, double width, double height, double size, double weight,
                   const StringList& lines, bool centred, gfx::Rgba textColour, gfx::Rgba backgroundColour);

/// Fills and strokes the segment with `colour` and `width`; the colours and
/// the width stay set on the context. A null context draws nothing.
void drawLine(gfx::Context* context, gfx::Rgba colour, double x1, double y1, double x2, double y2,
              double width = defaultLineWidth);
inline void drawLine(gfx::Context* context, Color colour, double x1, double y1, double x2, double y2,
                     double width = defaultLineWidth) {
    drawLine(context, toRgba(colour), x1, y1, x2, y2, width);
}

}  // namespace tl
