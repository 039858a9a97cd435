#include "common/items.hpp"

#include <algorithm>
#include <charconv>
#include <concepts>
#include <utility>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"

namespace tl {

namespace {

/// The decimal text of n, kept in place (a row copies it).
class Decimal {
public:
    template <std::integral Integer>
    explicit Decimal(Integer n) : end_(std::to_chars(text_, text_ + sizeof text_, n).ptr) {}
    operator std::string_view() const { return {text_, static_cast<std::size_t>(end_ - text_)}; }

private:
    char text_[20];
    char* end_;
};

template <std::integral Integer>
Decimal decimal(Integer n) {
    return Decimal(n);
}

/// A new table with room for `rows` rows, its start row ["start", "1"] in place.
Engine_Table leafTable(std::size_t rows) {
    Engine_Table table;
    table.reserve(rows);
    addRow(table, "start", "1");
    return table;
}

/// The root row of a table: field 1 of its start row, as an integer.
std::int64_t rootIndex(const Engine_Table& table) {
    require(!table.empty(), "table without a start row");
    return parseInt(at(at(table, 0), 1));
}

/// The start row ["start", root].
void setRoot(Engine_Table& table, std::int64_t root) { table.replace(0, engineRow("start", decimal(root))); }

/// A row index field moved by `offset`.
Decimal shifted(std::string_view field, std::int64_t offset) {
    return decimal(checked::add(parseInt(field), offset));
}

/// Appends `row` to `table` with the row indices it holds moved by `offset`.
void addShiftedRow(Engine_Table& table, const Engine_Row& row, std::int64_t offset) {
    using namespace std::string_view_literals;  // compared by length first
    const std::string_view key = row.empty() ? ""sv : row[0];
    if (key == "unary_locator"sv || key == "font_locator"sv || key == "block"sv)
        addRow(table, key, shifted(at(row, 1), offset));
    else if (key == "join_locator"sv)
        addRow(table, key, shifted(at(row, 1), offset), shifted(at(row, 2), offset));
    else
        table.push_back(row);
}

std::int64_t rowCount(const Engine_Table& table) { return static_cast<std::int64_t>(table.size()); }

/// Room for `more` rows, growing geometrically, so that a long chain of
/// joins moves each row a bounded number of times.
void grow(Engine_Table& table, std::size_t more) {
    const std::size_t needed = table.size() + more;
    if (table.capacity() < needed) table.reserve(std::max(needed, 2 * table.capacity()));
}

}  // namespace

Engine_Table messageTable(std::string_view text, Color colour, std::string_view tag) {
    Engine_Table table = leafTable(4);
    addRow(table, "message", text);
    addRow(table, "message_color", colorName(colour));
    addRow(table, "message_tag", tag);
    return table;
}

Engine_Step blankTable(std::int64_t count) {
    Engine_Step step;
    do {
        step.push_back(leafTable(2));
        addRow(step.back(), "BLANK");
        --count;
    } while (count > 0);
    return step;
}

Engine_Table integerItem(std::int64_t n, Color colour, std::string_view tag) {
    Engine_Table table = leafTable(4);
    addRow(table, "integer", decimal(n));
    addRow(table, "integer_color", colorName(colour));
    addRow(table, "integer_tag", tag);
    return table;
}

Engine_Table signedRationalItem(std::int64_t numerator, std::int64_t denominator, Color c1, Color c2, Color c3,
                                Color c4, std::string_view tag) {
    const bool negative = (numerator < 0 && denominator > 0) || (numerator > 0 && denominator < 0);
    return signedRationalItemFromParts(negative, checked::magnitude(numerator), checked::magnitude(denominator), c1, c2,
                                       c3, c4, tag);
}

Engine_Table signedRationalItemFromParts(bool negative, std::uint64_t numerator, std::uint64_t denominator, Color c1,
                                         Color c2, Color c3, Color c4, std::string_view tag) {
    Engine_Table table = leafTable(4);
    addRow(table, "signed_rational", negative ? "-" : "+", decimal(numerator), decimal(denominator));
    addRow(table, "signed_rational_color", colorName(c1), colorName(c2), colorName(c3), colorName(c4));
    addRow(table, "signed_rational_tag", tag);
    return table;
}

Engine_Row shiftLocators(Engine_Row row, std::int64_t offset) {
    Engine_Table shifted;
    addShiftedRow(shifted, row, offset);
    return std::as_const(shifted)[0];
}

Engine_Table joinItem(std::string_view text, Engine_Table first, Engine_Table second, Color colour,
                      std::string_view tag) {
    const std::int64_t left = rootIndex(first);
    const std::int64_t right = rootIndex(second);
    const std::int64_t d = rowCount(first) - 1;

    Engine_Table result = std::move(first);  // its rows keep their places
    grow(result, second.size() + 3);
    setRoot(result, checked::add(d, rowCount(second)));
    for (std::size_t i = 1; i < second.size(); ++i) addShiftedRow(result, std::as_const(second)[i], d);
    addRow(result, "join", text);
    addRow(result, "join_locator", decimal(left), decimal(checked::add(right, d)));
    addRow(result, "join_color", colorName(colour));
    addRow(result, "join_tag", tag);
    return result;
}

Engine_Table unaryItem(std::string_view text, Engine_Table table, Color colour, std::string_view tag) {
    const std::int64_t child = rootIndex(table);
    const std::int64_t rows = rowCount(table);
    Engine_Table result = std::move(table);  // its rows keep their places
    grow(result, 4);
    setRoot(result, rows);
    addRow(result, "unary", text);
    addRow(result, "unary_locator", decimal(child));
    addRow(result, "unary_color", colorName(colour));
    addRow(result, "unary_tag", tag);
    return result;
}

std::optional<Engine_Table> joinTableaux(std::vector<Engine_Table> tables) {
    std::optional<Engine_Table> result;
    for (Engine_Table& table : tables) {
        if (std::ranges::all_of(std::as_const(table), &Engine_Row::empty)) continue;
        if (!result)
            result = std::move(table);
        else
            result = joinItem(juxtapositionJoinText, std::move(*result), std::move(table), Color::black,
                              defaultMessageTag);
    }
    return result;
}

std::optional<Engine_Table> messageFromPieces(const std::vector<MessagePiece>& pieces) {
    std::vector<Engine_Table> messages;
    for (const auto& [text, colour] : pieces)
        if (!text.empty()) messages.push_back(messageTable(text, colour, defaultMessageTag));
    return joinTableaux(std::move(messages));
}

}  // namespace tl
