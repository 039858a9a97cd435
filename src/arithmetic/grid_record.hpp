// The grid_multiply record: a multiplication grid of place-value parts with
// a colour for every label and cell, built once and recoloured page by page.
#pragma once

#include <string>
#include <vector>

#include "common/tableau.hpp"

namespace tl {

/// The eight-row record: start, plug-in, header [rows, columns], factors,
/// factor colours, partials, partial colours, tag. Lists are written as given.
Engine_Table gridMultiplyItem(const std::string& rows, const std::string& columns,
                              const StringList& factors, const StringList& factorColors,
                              const StringList& partials, const StringList& partialColors,
                              const std::string& tag);

/// Rewrites, in the grid record tagged `tag` inside `table`, the factor-colour
/// row and/or the partial-colour row, each only when its list is not empty.
void updateGridItem(Engine_Table& table, const StringList& factorColors,
                    const StringList& partialColors, const std::string& tag);

}  // namespace tl
