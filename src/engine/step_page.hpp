// One page of a worked solution, laid out and drawn without a window: the
// comment band at the top, the page's tables stacked in the middle at sizes
// fitted to the space, and the "prior"/"next" navigator line at the bottom.
// The step view draws through `drawStepPage`; tools and benchmarks call it
// on an image surface.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/tableau.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/geometry.hpp"

namespace tl {

/// Margins of the drawing box inside the view's bounds.
namespace stepPageMargin {
inline constexpr double lead = 0;
inline constexpr double trail = 0;
inline constexpr double top = 0;
inline constexpr double bottom = 0;
}  // namespace stepPageMargin

/// " 👈🏽  prior", 28 blanks, "next  👉🏽 ".
inline constexpr std::string_view kNavigatorLine =
    " \U0001F448\U0001F3FD  prior                            next  \U0001F449\U0001F3FD ";

/// What a table that cannot be typeset shows in its place.
inline constexpr std::string_view kTableErrorText = "system error in table";

/// Fitting never goes below this size. When the tables do not fit their band
/// even here, the page draws the whole stack scaled down to the band.
inline constexpr double kMinimumTableFontSize = 4.0;

/// [start size, fitted size] of one table.
using TableSizes = std::array<double, 2>;

/// Fits every table to `width` on its own, then shrinks the largest ones
/// together until the stack (with its size-scaled gaps) fits `height`.
std::vector<TableSizes> fitTableFontSizes(double width, double height, double base, double weight,
                                          const Engine_Step& tables);

/// Draws the tables from top to bottom, the first table's top at y, every
/// table at the left edge x. Draws nothing for an empty page.
void drawStepTables(double x, double y, const Engine_Step& tables, const std::vector<TableSizes>& sizes);

/// The tables of a page with every table that cannot be measured or drawn
/// (a broken table) replaced by the message "system error in table".
Engine_Step typesettableTables(const Engine_Step& tables, double base);

/// Draws one page for a view of `viewSize` into `context`: the comment
/// lines, the tables, and the navigator when there is more than one page.
/// An empty view (no room once the bands are laid out) draws nothing.
void drawStepPage(gfx::Context& context, gfx::Size viewSize, const Engine_Step& tables,
                  const std::vector<std::string>& comments, std::int64_t totalSteps, double base);
/// As above at the base text size of the main screen (30 or 32).
void drawStepPage(gfx::Context& context, gfx::Size viewSize, const Engine_Step& tables,
                  const std::vector<std::string>& comments, std::int64_t totalSteps);

/// Page `page` of a whole solution; false (nothing drawn) when the solution
/// has no such page or no comment entry for it.
bool drawStepPage(gfx::Context& context, gfx::Size viewSize, const StepTriple& solution, std::int64_t page,
                  double base);

/// The page a tap at `p` (view coordinates) moves to: the next one in the
/// right half of the bottom band, the previous one in the left half
/// (wrapping at both ends). Absent when the tap is above the band or there
/// are no pages.
std::optional<std::int64_t> pageAfterTap(gfx::Point p, gfx::Size viewSize, std::int64_t step,
                                         std::int64_t totalSteps);

}  // namespace tl
