#include "common/box_items.hpp"

#include "common/layout.hpp"

namespace tl {

namespace {

std::string termText(const Monomial& term, std::size_t position) {
    const std::int64_t c = term.coefficient.numerator;
    const std::string cText = std::to_string(c);
    const std::string& v = term.variable;
    const std::uint64_t e = term.exponent;
    if (e == 0) return c > 0 ? "+" + cText : cText;
    if (e == 1) {
        // The two first-degree cells off the diagonal of the ruled block
        // always show their sign and coefficient.
        if (position == 5 || position == 7) return (c > 0 ? "+" : "") + cText + v;
        if (c == 1) return v;
        if (c == -1) return "-" + v;
        return cText + v;
    }
    const std::string sup = superscriptDigit(std::to_string(e));
    if (c == 1) return v + sup;
    if (c == -1) return "-" + v + sup;
    return cText + v + sup;
}

Engine_Row colourRow(std::string_view key, const std::vector<Color>& colors) {
    Engine_Row row{key};
    for (Color c : colors) row.push_back(colorName(c));
    return row;
}

}  // namespace

Engine_Table boxGridItem(const std::vector<Monomial>& terms, const std::vector<Color>& colors, std::string_view tag) {
    Engine_Row termRow{"box_grid_terms"};
    for (std::size_t k = 0; k < terms.size(); ++k) termRow.push_back(termText(terms[k], k));
    return engineTable(engineRow("start", "1"), engineRow("box_grid", "4"), std::move(termRow),
                       colourRow("box_grid_colors", colors), engineRow("box_grid_tag", tag));
}

Engine_Table boxTableItem(std::uint64_t rows, std::uint64_t columns, const std::vector<std::int64_t>& entries,
                          const std::vector<Color>& colors, std::string_view tag) {
    std::uint64_t cells = 0;
    const bool overflow = __builtin_mul_overflow(rows, columns, &cells);
    if (overflow || entries.empty() || cells != entries.size()) return messageTable(boxTableErrorText);
    Engine_Row entryRow{"box_table_entries"};
    for (std::int64_t e : entries) entryRow.push_back(std::to_string(e));
    return engineTable(engineRow("start", "1"),
                       engineRow("box_table", "4", std::to_string(rows), std::to_string(columns)), std::move(entryRow),
                       colourRow("box_table_colors", colors), engineRow("box_table_tag", tag));
}

Engine_Table equalsItem(const Engine_Table& table, Color color, std::string_view tag) {
    return unaryItem("= ", table, color, tag);
}

Engine_Table spacedUnaryItem(std::string_view text, const Engine_Table& table, Color color, std::string_view tag) {
    return unaryItem(std::string(text) + " ", table, color, tag);
}

}  // namespace tl
