// Grid items: a box grid of polynomial terms and a box table of integers,
// and two shorthands of the unary item that put a text before a table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "algebra/values.hpp"
#include "common/enums.hpp"
#include "common/items.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The message of a box table whose shape does not match its entries.
inline constexpr char boxTableErrorText[] = "system error in table";

/// ["box_grid","4"], ["box_grid_terms", term texts...], ["box_grid_colors", ...], ["box_grid_tag", tag].
Engine_Table boxGridItem(const std::vector<Monomial>& terms, const std::vector<Color>& colors,
                         std::string_view tag = defaultMessageTag);

/// ["box_table","4",rows,columns], entries, colours, tag; or the message
/// "system error in table" when the entries are empty or not rows × columns.
Engine_Table boxTableItem(std::uint64_t rows, std::uint64_t columns, const std::vector<std::int64_t>& entries,
                          const std::vector<Color>& colors, std::string_view tag = defaultMessageTag);

/// The unary item "= " over the table.
Engine_Table equalsItem(const Engine_Table& table, Color color = defaultMessageColor,
                        std::string_view tag = defaultMessageTag);

/// The unary item with `text` and one blank over the table.
Engine_Table spacedUnaryItem(std::string_view text, const Engine_Table& table, Color color = defaultMessageColor,
                             std::string_view tag = defaultMessageTag);

}  // namespace tl
