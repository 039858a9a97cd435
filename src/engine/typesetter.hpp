// The expression typesetter: two recursive twin passes over the node tree of
// an Engine_Table. `measureTableNode` works out the box a node needs;
// `drawTableNode` draws it into the current context with the left end of its
// baseline at (x, y). Both are stateless: every call builds its fonts and
// measures afresh. A draw measures the children it places, remembering each
// box for the rest of that draw only, so a table draws in time linear in its
// nodes.
//
// Tables are read as well-formed. A row index that does not parse, a row or
// field that is missing, or a colour name that is no colour throws
// tl::PreconditionError; a kind no handler knows measures (0, 0, 0) and draws
// nothing.
#pragma once

#include <string_view>

#include "common/tableau.hpp"

namespace tl {

/// The font name every table starts with. Only "monospaced system" selects
/// the monospaced font; any other name gives the monospaced-digit font.
inline constexpr std::string_view kDefaultTableFontName = "monospaced digit system";
inline constexpr std::string_view kMonospacedFontName = "monospaced system";

std::string_view defaultTableFontName();

/// The next heavier weight: light → medium → heavy → bold; any other
/// weight comes back unchanged.
double heavierFontWeight(double weight);

/// The box of the node at row `row` (decimal text) of `table`.
NodeBox measureTableNode(double size, double weight, const Engine_Table& table, std::string_view row,
                         std::string_view fontName = kDefaultTableFontName);

/// Draws the node at row `row` with the left end of its baseline at (x, y).
void drawTableNode(double x, double y, double size, double weight, const Engine_Table& table, std::string_view row,
                   std::string_view fontName = kDefaultTableFontName);

/// The root row text of a table: field 1 of its start row.
std::string_view tableRootRow(const Engine_Table& table);

}  // namespace tl
