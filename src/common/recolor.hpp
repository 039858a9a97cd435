// Finding items by their tags and rewriting their colours, so that a table
// already built can show a part of itself in another colour. Only colour rows
// change: each keeps its key and its number of fields.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The row of the item holding the tag, by a depth-first walk from the root
/// (a composite before its children, a join's right operand before its
/// left); 0 for the tag "start"; none when no item holds it.
std::optional<std::size_t> findTaggedItem(const Engine_Table& table, std::string_view tag);

/// A copy with every colour of the tagged item and of every item below it set to `color`.
Engine_Table setTaggedItemColor(const Engine_Table& table, Color color, std::string_view tag);
/// A copy with the numerator and denominator colours of the tagged fraction or mixed number set.
Engine_Table setTaggedFractionColor(const Engine_Table& table, Color color, std::string_view tag);
/// A copy with the denominator colour of the tagged fraction or mixed number set.
Engine_Table setTaggedDenominatorColor(const Engine_Table& table, Color color, std::string_view tag);

/// The colour of the first unary (join) item holding the tag, found by its tag row.
void setUnaryColor(Engine_Table& table, Color color, std::string_view tag);
void setJoinColor(Engine_Table& table, Color color, std::string_view tag);

// Linear re-colourers: they step through the rows item by item and change
// the first handled item holding the tag.

/// All colours of a whole, fraction or mixed number.
void setNumberColor(Engine_Table& table, Color color, std::string_view tag);
/// Numerator and denominator of a fraction or mixed number.
void setFractionPartColor(Engine_Table& table, Color color, std::string_view tag);
/// The visible numerator and denominator of a fraction, mixed number,
/// extended fraction or cancelled fraction.
void setNumeratorDenominatorColors(Engine_Table& table, Color numeratorColor, Color denominatorColor,
                                   std::string_view tag);
void setMixedNumberColors(Engine_Table& table, Color wholeColor, Color numeratorColor, Color denominatorColor,
                          std::string_view tag);
/// A whole, or the whole part of a mixed number.
void setWholePartColor(Engine_Table& table, Color color, std::string_view tag);
void setNumeratorColor(Engine_Table& table, Color color, std::string_view tag);
void setDenominatorColor(Engine_Table& table, Color color, std::string_view tag);

}  // namespace tl
