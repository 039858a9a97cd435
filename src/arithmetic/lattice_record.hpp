// The lattice_multiply record: a multiplication lattice with a colour for
// every digit, built once and recoloured page by page.
#pragma once

#include <string>
#include <vector>

#include "common/tableau.hpp"

namespace tl {

/// The ten-row record: start, plug-in, header [rows, columns], factors,
/// factor colours, products, product colours, partials, partial colours, tag.
/// The lists are written as given, unchecked.
Engine_Table latticeMultiplyItem(const std::string& rows, const std::string& columns,
                                 const StringList& factors, const StringList& factorColors,
                                 const StringList& products, const StringList& productColors,
                                 const StringList& partials, const StringList& partialColors,
                                 const std::string& tag);

/// Rewrites, in the lattice record tagged `tag` inside `table`, each of the
/// partials, factor-colour, product-colour and partial-colour rows whose list
/// is not empty. Header, factors, products and tag never change; a table
/// without such a record is left alone.
void updateLatticeItem(Engine_Table& table, const StringList& partials,
                       const StringList& factorColors, const StringList& productColors,
                       const StringList& partialColors, const std::string& tag);

}  // namespace tl
