// What the Cairo context needs of the real fonts to draw a line of text the
// way the real faces measure it. Internal to the drawing layer.
#pragma once

#include <pango/pango.h>

#include <string_view>

#include "platform/gfx/font.hpp"

namespace gfx::detail {

/// Faces are shaped at this size and their advances scaled linearly from it;
/// text is drawn at this size too, under a scale of pointSize ÷ this.
inline constexpr double kReferenceSize = 1000.0;

/// How Pango sets the text of one face at the reference size.
struct PangoSpec {
    const PangoFontDescription* description;  // family list, weight, absolute size
    PangoAttrList* attributes;                 // OpenType features (tabular digits); may be null
    int digitWidth = 0;  // Pango units at the reference size that every digit advances; 0: as shaped
};

/// The font map of our pinned font files.
PangoFontMap* fontMap();

/// Unhinted metrics, unrounded glyph positions, grey antialiasing, fixed language.
void configure(PangoContext* context);

/// The spec of a real face; for any other face (a test's fake one) the real
/// face of the same kind and weight, or the regular system face.
PangoSpec pangoSpecFor(const FontFace& face);

/// A layout on `context` that sets a single line in `spec`'s face (the
/// caller unrefs it).
PangoLayout* newLayout(PangoContext* context, const PangoSpec& spec);

/// Gives `layout` the text `line`. Pango refuses malformed UTF-8, so such a
/// line is set in its repaired form, the same whether measured or drawn.
void setLayoutText(PangoLayout* layout, std::string_view line);

/// Sets every ASCII digit of a laid-out line that is a cluster of its own
/// to advance `digitWidth` (when not 0): some faces' tabular figures still
/// differ by a unit or two, and tables of digits rely on all of them being
/// as wide as "0". Returns the line's advance in Pango units.
int evenDigits(PangoLayoutLine* line, const char* text, int digitWidth);

/// Whether a real face (with its fallbacks) has a glyph for every character
/// of `line`; false for any other face. For tests and diagnostics.
bool hasGlyphs(const FontFace& face, std::string_view line);

}  // namespace gfx::detail
