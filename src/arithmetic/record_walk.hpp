// Finding a plug-in record of a given kind and tag inside a typeset table.
//
// The table is walked item by item from row 0, stepping over each item by
// the number of rows its kind occupies, so that a record can be found even
// when other items stand in front of it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "common/tableau.hpp"

namespace tl::detail {

/// Row index of the "plug_in" row of the record of `kind` whose tag row
/// (`tagOffset` rows below the "plug_in" row) carries `tag`; absent when the
/// table holds no such record.
std::optional<std::size_t> findPlugInRecord(const Engine_Table& table, const std::string& kind,
                                            std::size_t tagOffset, const std::string& tag);

}  // namespace tl::detail
