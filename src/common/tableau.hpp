// The page format every worked solution is written in.
//
// An Engine_Table is one typeset table: rows of texts (Engine_Row) forming a
// tree of items (row 0 is ["start", k], k the row of the root item); copies
// of a table share its rows until one of them changes. An Engine_Step is
// the tables of one page, drawn top to bottom. A StepTriple is what every
// step builder returns and the step screen shows.
#pragma once

#include <string>
#include <vector>

#include "common/engine_row.hpp"
#include "common/engine_table.hpp"

namespace tl {

using Engine_Table = SharedRows<Engine_Row>;
using Engine_Step = std::vector<Engine_Table>;

/// A flat list of texts, and a grid of texts (rows of cells).
using StringList = std::vector<std::string>;
using StringGrid = std::vector<std::vector<std::string>>;

struct StepTriple {
    std::vector<Engine_Step> steps;                  // the pages, in display order
    std::vector<std::vector<std::string>> comments;  // per page, its comment lines
    std::vector<std::string> parameters;             // ["NO PARAMETERS"] for the arithmetic models
    friend bool operator==(const StepTriple&, const StepTriple&) = default;
};

}  // namespace tl

namespace tl {

/// The box of a typeset node: width, height, and the baseline measured from
/// the top of the box downward (points).
struct NodeBox {
    double width = 0, height = 0, baseline = 0;
    friend bool operator==(const NodeBox&, const NodeBox&) = default;
};

}  // namespace tl
