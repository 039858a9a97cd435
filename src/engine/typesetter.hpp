// The expression typesetter: two twin passes over the node tree of an
// Engine_Table. `measureTableNode` works out the box a node needs;
// `drawTableNode` draws it into the current context with the left end of its
// baseline at (x, y). Every call builds its fonts and measures afresh,
// except while a TableMeasures for the table lives: a box measured then is
// remembered until it ends. A draw, which measures the children it places,
// opens one itself, so a table draws in time linear in its nodes. The passes
// recurse near the top of a tree and keep lists of their own below, so the
// stack they take does not grow with its depth (a sum of n terms is a chain
// of n − 1 joins).
//
// Tables are read as well-formed. A row index that does not parse, a row or
// field that is missing, a colour name that is no colour, or a node below
// itself throws tl::PreconditionError; a kind no handler knows measures
// (0, 0, 0) and draws nothing.
#pragma once

#include <memory>
#include <string_view>

#include "common/tableau.hpp"

namespace tl {

class MeasureMemo;

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

/// While it lives, the boxes measured in `table` are remembered, so that a
/// caller who measures a table and then draws it measures each node once.
/// The table stays unchanged meanwhile. One opened inside another for the
/// same table changes nothing; one for another table takes over until it ends.
class TableMeasures {
public:
    explicit TableMeasures(const Engine_Table& table);
    ~TableMeasures();
    TableMeasures(const TableMeasures&) = delete;
    TableMeasures& operator=(const TableMeasures&) = delete;

private:
    std::unique_ptr<MeasureMemo> memo_;  // none inside one for the same table
    MeasureMemo* outer_ = nullptr;
};

/// The root row text of a table: field 1 of its start row.
std::string_view tableRootRow(const Engine_Table& table);

}  // namespace tl
