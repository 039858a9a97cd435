// The core item builders of the page format: messages, blank lines,
// integers, signed rationals, and the two composite items (join, unary) with
// the locator shifting that composing tables relies on.
//
// Every builder returns a new table and changes none of its inputs. Row 0 of
// every table is ["start", k], k the row where the root item begins; the root
// item is always the last item of a table.
#pragma once

#include <concepts>
#include <initializer_list>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/errors.hpp"
#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The default colour and tag of every builder, and the default count of blankTable.
inline constexpr Color defaultMessageColor = Color::black;
inline constexpr char defaultMessageTag[] = "anon";
inline constexpr std::int64_t defaultBlankCount = 1;

/// The join text that sets two operands side by side with nothing between
/// them ("🖇", U+1F587, no variation selector).
inline constexpr char juxtapositionJoinText[] = "\U0001F587";

/// One row of the given texts, built in place.
template <class... Fields>
    requires(std::constructible_from<std::string_view, Fields &&> && ...)
Engine_Row engineRow(Fields&&... fields) {
    return Engine_Row{std::string_view(std::forward<Fields>(fields))...};
}

/// Appends one row of the given texts to `table`, built where it lies.
template <class... Fields>
    requires(std::constructible_from<std::string_view, Fields &&> && ...)
void addRow(Engine_Table& table, Fields&&... fields) {
    table.emplace_back(std::initializer_list<std::string_view>{std::string_view(std::forward<Fields>(fields))...});
}

/// A vector of the given elements, temporaries moved in (a braced list would
/// copy every element once more: its elements can only be copied out).
template <class Element, class... Items>
    requires(std::same_as<std::remove_cvref_t<Items>, Element> && ...)
std::vector<Element> vectorOf(Items&&... items) {
    std::vector<Element> elements;
    elements.reserve(sizeof...(Items));
    (elements.push_back(std::forward<Items>(items)), ...);
    return elements;
}

/// One table of the given rows; one page of the given tables (as vectorOf).
template <class... Rows>
Engine_Table engineTable(Rows&&... rows) {
    Engine_Table table;
    table.reserve(sizeof...(Rows));
    (table.push_back(std::forward<Rows>(rows)), ...);
    return table;
}
template <class... Tables>
Engine_Step engineStep(Tables&&... tables) {
    return vectorOf<Engine_Table>(std::forward<Tables>(tables)...);
}

/// [["start","1"], ["message", text], ["message_color", colour], ["message_tag", tag]].
Engine_Table messageTable(std::string_view text, Color colour = defaultMessageColor,
                          std::string_view tag = defaultMessageTag);

/// `count` blank tables [["start","1"], ["BLANK"]]; at least one, also for a count ≤ 0.
Engine_Step blankTable(std::int64_t count = defaultBlankCount);

/// ["start","1"], ["integer", n], ["integer_color", colour], ["integer_tag", tag].
Engine_Table integerItem(std::int64_t n, Color colour = defaultMessageColor,
                         std::string_view tag = defaultMessageTag);

/// A signed rational: sign "-" when exactly one of numerator and denominator
/// is negative, else "+"; then |numerator|, |denominator|. Colours: sign,
/// numerator, denominator, bar.
Engine_Table signedRationalItem(std::int64_t numerator, std::int64_t denominator,
                                Color c1 = defaultMessageColor, Color c2 = defaultMessageColor,
                                Color c3 = defaultMessageColor, Color c4 = defaultMessageColor,
                                std::string_view tag = defaultMessageTag);

/// The same item from its parts: the sign and the two magnitudes (so that
/// the magnitude of INT64_MIN, 9223372036854775808, can be written).
Engine_Table signedRationalItemFromParts(bool negative, std::uint64_t numerator, std::uint64_t denominator,
                                         Color c1 = defaultMessageColor, Color c2 = defaultMessageColor,
                                         Color c3 = defaultMessageColor, Color c4 = defaultMessageColor,
                                         std::string_view tag = defaultMessageTag);

/// One table holding both, joined by a join item with `text` between them.
/// The first operand, passed as a temporary (or moved in), lends its rows to
/// the result; the second's are copied after them. A composition of many
/// items is written once by an ItemWriter instead.
Engine_Table joinItem(std::string_view text, Engine_Table first, Engine_Table second,
                      Color colour = defaultMessageColor, std::string_view tag = defaultMessageTag);

/// The table under a new unary item with `text`.
Engine_Table unaryItem(std::string_view text, Engine_Table table, Color colour = defaultMessageColor,
                       std::string_view tag = defaultMessageTag);

/// The row with the row indices it holds moved by `offset` ("join_locator",
/// "unary_locator", "font_locator", "block"); any other row unchanged.
Engine_Row shiftLocators(Engine_Row row, std::int64_t offset);

/// The tables that have content joined left to right by "🖇" joins; one such
/// table is returned as it is; none gives nothing. The tables are taken by
/// value, so that a list passed as a temporary lends them its rows.
std::optional<Engine_Table> joinTableaux(std::vector<Engine_Table> tables);

/// Writes the items of one table in the order composing them gives, each
/// item after the items it is made of, so that every row is written once,
/// where it lies. Each call appends one item and gives the row where it
/// begins; `finish` writes the start row. Writing the items of a
/// composition in this order gives the very table that messageTable,
/// joinItem, unaryItem and the others compose: first operand, second
/// operand, then the item joining them.
class ItemWriter {
public:
    using Item = std::int64_t;

    /// A new table, with room for `rows` rows to begin with.
    explicit ItemWriter(std::size_t rows = 64);
    /// Goes on after the items of `table` (which has a start row).
    explicit ItemWriter(Engine_Table table);

    Item message(std::string_view text, Color colour = defaultMessageColor, std::string_view tag = defaultMessageTag);
    Item integer(std::int64_t n, Color colour = defaultMessageColor, std::string_view tag = defaultMessageTag);
    /// As signedRationalItemFromParts.
    Item signedRational(bool negative, std::uint64_t numerator, std::uint64_t denominator, Color c1, Color c2,
                        Color c3, Color c4, std::string_view tag = defaultMessageTag);
    Item join(std::string_view text, Item first, Item second, Color colour = defaultMessageColor,
              std::string_view tag = defaultMessageTag);
    Item unary(std::string_view text, Item child, Color colour = defaultMessageColor,
               std::string_view tag = defaultMessageTag);
    /// The items of `table` (which has a start row), after those written so
    /// far; its root item.
    Item items(const Engine_Table& table);

    /// The table, `root` its root item.
    Engine_Table finish(Item root) &&;

private:
    Engine_Table table_;
};

/// The table of the items `write(w)` writes into a new ItemWriter w (room for
/// `rows` rows to begin with), the item it gives as its root.
template <class Write>
Engine_Table writtenTable(Write write, std::size_t rows = 64) {
    ItemWriter w(rows);
    const ItemWriter::Item root = write(w);
    return std::move(w).finish(root);
}

/// The root of a composition that may have none (a group without terms):
/// composing none is a broken precondition, as composing an empty table.
inline ItemWriter::Item requireItem(std::optional<ItemWriter::Item> item) {
    require(item.has_value(), "table without a start row");
    return *item;
}

/// One piece of a message line: its text and colour.
using MessagePiece = std::pair<std::string, Color>;

/// The non-empty pieces as message tables side by side ("🖇" joins); nothing
/// when every text is empty.
std::optional<Engine_Table> messageFromPieces(const std::vector<MessagePiece>& pieces);

}  // namespace tl
