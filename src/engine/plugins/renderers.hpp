// The strategy tableau renderers: free functions without state that the
// typesetter's plug-in dispatch calls for the plug-in records of their kind.
//
// Every measure returns the tableau's box with baseline = height / 2 and draws
// nothing. Every draw measures first, then draws into the current context for
// the node at (x, y), the left end of its baseline. All text is set in the
// monospaced-digit font at medium weight, at `size` or fixed fractions of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/tableau.hpp"

namespace tl {

/// A lattice or grid cell: its text and the colour names (Color raw values)
/// of its text and its background.
struct StyledCell {
    std::string value;
    std::string foreground;
    std::string background;
    friend bool operator==(const StyledCell&, const StyledCell&) = default;
};

using StringList = std::vector<std::string>;
using StringGrid = std::vector<std::vector<std::string>>;
using CellList = std::vector<StyledCell>;
using CellGrid = std::vector<std::vector<StyledCell>>;

NodeBox measureAddColumn(double size, const std::string& label, std::int64_t option, std::int64_t rows,
                         std::int64_t columns);
void drawAddColumn(double x, double y, double size, const std::string& label, std::int64_t option,
                   std::int64_t rows, std::int64_t columns, const StringGrid& tableau, const StringGrid& attributes);

NodeBox measureTableauOp(double size, const std::string& header, const StringList& globals, const StringList& locals);
void drawTableauOp(double x, double y, double size, const std::string& header, const StringGrid& tableau,
                   const StringGrid& attributes, const StringList& globals, const StringList& locals);

NodeBox measureCountOp(double size, const std::string& header, const StringList& globals, const StringList& locals);
void drawCountOp(double x, double y, double size, const std::string& header, const StringList& tableau,
                 const StringList& countUps, const StringList& globals, const StringList& locals);

NodeBox measureDividePartialOp(double size, const std::string& header, const StringList& globals,
                               const StringList& locals);
void drawDividePartialOp(double x, double y, double size, const std::string& header, const StringList& tableau,
                         const StringList& partials, const StringList& globals, const StringList& locals);

NodeBox measureDivideOp(double size, const std::string& header, const StringList& globals, const StringList& locals);
void drawDivideOp(double x, double y, double size, const std::string& header, const StringList& tableau,
                  const StringList& backgroundTableau, const StringList& lines, const StringList& globals,
                  const StringList& locals);

NodeBox measureLatticeMultiply(double size, std::int64_t rows, std::int64_t columns);
void drawLatticeMultiply(double x, double y, double size, const CellList& firstFactor, const CellList& secondFactor,
                         const CellList& firstProduct, const CellList& secondProduct, const CellGrid& firstPartial,
                         const CellGrid& secondPartial);

NodeBox measureGridMultiply(double size, std::int64_t rows, std::int64_t columns, std::int64_t firstFactorChars,
                            std::int64_t secondFactorChars);
void drawGridMultiply(double x, double y, double size, const CellList& firstFactor, const CellList& secondFactor,
                      const CellGrid& partials);

}  // namespace tl
