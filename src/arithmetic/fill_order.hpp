// The start corner, fill order and set-up lines the lattice and grid screens
// share: four option texts read by position.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"

namespace tl::detail {

struct FillOptions {
    std::string vertical;    // " top " or " bottom "
    std::string horizontal;  // " left " or " right "
    std::string order;       // " row " or " column "
    std::string lineChange;  // " flyback " or " snake "

    bool top() const { return vertical == " top "; }
    bool left() const { return horizontal == " left "; }
    bool byRow() const { return order == " row "; }
    bool flyback() const { return lineChange == " flyback "; }
    bool snake() const { return lineChange == " snake "; }
};

/// options[0][0], options[0][1], options[1][0] and options[1][1].
FillOptions readFillOptions(const ModelFields& model);

/// The cells (row, column) of a rows × columns grid in fill order. The first
/// is always the start corner; under flyback every line starts on the start
/// corner's side, under snake each line turns back.
std::vector<std::pair<std::size_t, std::size_t>> fillOrder(std::size_t rows, std::size_t columns,
                                                           const FillOptions& options);

/// The first two set-up lines: where the fill starts ("fill from top left ")
/// and how it goes ("fill by row ", or "a simple fill" for a single line).
/// Option texts keep their blanks, so these lines can end with one.
std::string fillFromLine(std::size_t rows, std::size_t columns, const FillOptions& options);
std::string fillByLine(std::size_t rows, std::size_t columns, const FillOptions& options);
/// "🦅 back to next row " or "🐍 to next column " (several rows and columns).
std::string nextLineLine(const FillOptions& options);

}  // namespace tl::detail
