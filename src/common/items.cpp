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
    explicit Decimal(Integer n)
        : size_(static_cast<std::uint8_t>(std::to_chars(text_, text_ + sizeof text_, n).ptr - text_)) {}
    operator std::string_view() const { return {text_, size_}; }

private:
    char text_[20];  // INT64_MIN and UINT64_MAX, the longest, take all 20
    std::uint8_t size_;  // a length, not an end pointer, so that a copy reads its own text
};

template <std::integral Integer>
Decimal decimal(Integer n) {
    return Decimal(n);
}

/// The root row of a table: field 1 of its start row, as an integer.
std::int64_t rootIndex(const Engine_Table& table) {
    require(!table.empty(), "table without a start row");
    return parseInt(at(at(table, 0), 1));
}

/// A row index field moved by `offset`.
Decimal shifted(std::string_view field, std::int64_t offset) {
    return decimal(checked::add(parseInt(field), offset));
}

/// A locator row ("unary_locator", "font_locator", "block", "join_locator")
/// with the row indices it holds moved by `offset`; nothing for any other row.
std::optional<Engine_Row> shiftedLocator(const Engine_Row& row, std::int64_t offset) {
    using namespace std::string_view_literals;  // compared by length first
    const std::string_view key = row.empty() ? ""sv : row[0];
    if (key == "unary_locator"sv || key == "font_locator"sv || key == "block"sv)
        return engineRow(key, shifted(at(row, 1), offset));
    if (key == "join_locator"sv) return engineRow(key, shifted(at(row, 1), offset), shifted(at(row, 2), offset));
    return std::nullopt;
}

}  // namespace

ItemWriter::ItemWriter(std::size_t rows) {
    table_.reserve(rows);
    addRow(table_, "start", "");  // written by finish
}

ItemWriter::ItemWriter(Engine_Table table) : table_(std::move(table)) {
    require(!table_.empty(), "table without a start row");
}

ItemWriter::Item ItemWriter::message(std::string_view text, Color colour, std::string_view tag) {
    const auto item = static_cast<Item>(table_.size());
    addRow(table_, "message", text);
    addRow(table_, "message_color", colorName(colour));
    addRow(table_, "message_tag", tag);
    return item;
}

ItemWriter::Item ItemWriter::integer(std::int64_t n, Color colour, std::string_view tag) {
    const auto item = static_cast<Item>(table_.size());
    addRow(table_, "integer", decimal(n));
    addRow(table_, "integer_color", colorName(colour));
    addRow(table_, "integer_tag", tag);
    return item;
}

ItemWriter::Item ItemWriter::signedRational(bool negative, std::uint64_t numerator, std::uint64_t denominator,
                                            Color c1, Color c2, Color c3, Color c4, std::string_view tag) {
    const auto item = static_cast<Item>(table_.size());
    addRow(table_, "signed_rational", negative ? "-" : "+", decimal(numerator), decimal(denominator));
    addRow(table_, "signed_rational_color", colorName(c1), colorName(c2), colorName(c3), colorName(c4));
    addRow(table_, "signed_rational_tag", tag);
    return item;
}

ItemWriter::Item ItemWriter::join(std::string_view text, Item first, Item second, Color colour,
                                  std::string_view tag) {
    const auto item = static_cast<Item>(table_.size());
    addRow(table_, "join", text);
    addRow(table_, "join_locator", decimal(first), decimal(second));
    addRow(table_, "join_color", colorName(colour));
    addRow(table_, "join_tag", tag);
    return item;
}

ItemWriter::Item ItemWriter::unary(std::string_view text, Item child, Color colour, std::string_view tag) {
    const auto item = static_cast<Item>(table_.size());
    addRow(table_, "unary", text);
    addRow(table_, "unary_locator", decimal(child));
    addRow(table_, "unary_color", colorName(colour));
    addRow(table_, "unary_tag", tag);
    return item;
}

ItemWriter::Item ItemWriter::items(const Engine_Table& table) {
    const std::int64_t offset = static_cast<std::int64_t>(table_.size()) - 1;
    const Item root = checked::add(rootIndex(table), offset);
    table_.reserve(table_.size() + table.size() - 1);
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (auto locator = shiftedLocator(table[i], offset))
            table_.push_back(std::move(*locator));
        else
            table_.push_back(table[i]);
    }
    return root;
}

Engine_Table ItemWriter::finish(Item root) && {
    table_.replace(0, engineRow("start", decimal(root)));
    return std::move(table_);
}

Engine_Table messageTable(std::string_view text, Color colour, std::string_view tag) {
    return writtenTable([&](ItemWriter& w) { return w.message(text, colour, tag); }, 4);
}

Engine_Step blankTable(std::int64_t count) {
    Engine_Step step;
    do {
        step.push_back(engineTable(engineRow("start", "1"), engineRow("BLANK")));
        --count;
    } while (count > 0);
    return step;
}

Engine_Table integerItem(std::int64_t n, Color colour, std::string_view tag) {
    return writtenTable([&](ItemWriter& w) { return w.integer(n, colour, tag); }, 4);
}

Engine_Table signedRationalItem(std::int64_t numerator, std::int64_t denominator, Color c1, Color c2, Color c3,
                                Color c4, std::string_view tag) {
    const bool negative = (numerator < 0 && denominator > 0) || (numerator > 0 && denominator < 0);
    return signedRationalItemFromParts(negative, checked::magnitude(numerator), checked::magnitude(denominator), c1, c2,
                                       c3, c4, tag);
}

Engine_Table signedRationalItemFromParts(bool negative, std::uint64_t numerator, std::uint64_t denominator, Color c1,
                                         Color c2, Color c3, Color c4, std::string_view tag) {
    return writtenTable(
        [&](ItemWriter& w) { return w.signedRational(negative, numerator, denominator, c1, c2, c3, c4, tag); }, 4);
}

Engine_Row shiftLocators(Engine_Row row, std::int64_t offset) {
    return shiftedLocator(row, offset).value_or(std::move(row));
}
Engine_Table joinItem(std::string_view text, Engine_Table first, Engine_Table second, Color colour,
                      std::string_view tag) {
    const std::int64_t left = rootIndex(first);
    ItemWriter w(std::move(first));  // its rows keep their places
    const auto right = w.items(second);
    const auto item = w.join(text, left, right, colour, tag);
    return std::move(w).finish(item);
}

Engine_Table unaryItem(std::string_view text, Engine_Table table, Color colour, std::string_view tag) {
    const std::int64_t child = rootIndex(table);
    ItemWriter w(std::move(table));  // its rows keep their places
    const auto item = w.unary(text, child, colour, tag);
    return std::move(w).finish(item);
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
