// What the tableau renderers share: the spacing unit, their one font family,
// the cell codes, the rotated-label primitive, black rules and the strict
// reading of record fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.hpp"
#include "common/drawing.hpp"

#include "platform/gfx/text.hpp"

namespace tl {

/// Draws `text` rotated by `angle` radians about (x, y): the text starts at
/// the point and its vertical middle lies on it (negative angles turn the
/// text counter-clockwise on screen). The transform is left as it was.
/// Without a current context nothing is drawn.
void drawRotated(std::string_view text, const gfx::TextAttributes& attributes, double x, double y, double angle);

namespace plugin {

inline constexpr double kSeparatorWidth = 1.25; // thin column separators
inline constexpr double kCrossWidth = 3.0;      // crossing a cell out

/// The gap between digit columns: size / 5, never below 10 points.
double spacingUnit(double size);

/// The renderers' font: monospaced digits, medium weight, at size × fraction.
gfx::Font font(double size, double fraction = 1.0);

/// Black text on clear in that font.
gfx::TextAttributes attributes(double size, double fraction = 1.0);

double width(std::string_view text, const gfx::Font& font);
double height(std::string_view text, const gfx::Font& font);

/// Room above a strip of `columns` digit columns for their slanted place
/// values: the larger of the top value's width and height (the labels lean
/// nearly upright, and a single column's "1" is taller than wide), plus 5.
double placeLabelRoom(double size, std::int64_t columns);

/// The place values 10^(columns − 1) … 1 at half size, rotated by `angle`,
/// one per digit column: the first column begins at `left`, the next ones
/// every `step`, and each label starts 5 points above `top`, centred on its
/// column's digit.
void drawPlaceLabels(double size, std::int64_t columns, double left, double step, double top, double angle);

/// The two texts one after the other.
std::string joined(std::string_view first, std::string_view second);

/// Entry `index` of a record list read as a decimal integer.
std::int64_t integerAt(const std::vector<std::string>& list, std::size_t index);

/// Cell codes: letter 0 "Y" shows the cell; a middle "Y" crosses it out; the
/// last letter shades it ("G" gray, "R" light gray, otherwise clear). A code
/// too short for the letter asked is a broken record.
bool codeShows(const std::string& code);
bool codeCrosses(const std::string& code);  // three-letter codes: letter 1
gfx::Rgba codeShade(const std::string& code, std::size_t letter);

gfx::Rgba grayShade();
gfx::Rgba lightGrayShade();

/// A black line into the current context; skipped when there is none.
void rule(double x1, double y1, double x2, double y2, double lineWidth = defaultLineWidth);

}  // namespace plugin
}  // namespace tl
