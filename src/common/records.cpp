#include "common/records.hpp"

#include <algorithm>

#include "base/errors.hpp"

namespace tl {

namespace {

// --- user-perceived characters -------------------------------------------
//
// A small grapheme segmentation that covers what the system writes: ASCII,
// accented letters (combining marks), emoji with variation selectors, skin
// tones, zero-width joiner sequences, flags and keycaps.

struct Decoded {
    char32_t cp;
    std::size_t length;
};

Decoded decode(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) -> char32_t {
        return i + k < s.size() ? static_cast<char32_t>(static_cast<unsigned char>(s[i + k]) & 0x3F) : 0;
    };
    auto valid = [&](std::size_t n) {
        if (i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        return true;
    };
    if (b < 0x80) return {b, 1};
    if ((b & 0xE0) == 0xC0 && valid(2)) return {(static_cast<char32_t>(b & 0x1F) << 6) | cont(1), 2};
    if ((b & 0xF0) == 0xE0 && valid(3))
        return {(static_cast<char32_t>(b & 0x0F) << 12) | (cont(1) << 6) | cont(2), 3};
    if ((b & 0xF8) == 0xF0 && valid(4))
        return {(static_cast<char32_t>(b & 0x07) << 18) | (cont(1) << 12) | (cont(2) << 6) | cont(3), 4};
    return {0xFFFD, 1};  // a stray byte is a character of its own
}

bool extendsPrevious(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) || (cp >= 0x1DC0 && cp <= 0x1DFF) ||
           (cp >= 0x20D0 && cp <= 0x20FF) || (cp >= 0xFE00 && cp <= 0xFE0F) || (cp >= 0xFE20 && cp <= 0xFE2F) ||
           (cp >= 0x1F3FB && cp <= 0x1F3FF) || (cp >= 0xE0020 && cp <= 0xE007F) || (cp >= 0xE0100 && cp <= 0xE01EF) ||
           cp == 0x200D;
}

bool isRegionalIndicator(char32_t cp) { return cp >= 0x1F1E6 && cp <= 0x1F1FF; }

}  // namespace

Engine_Row listRow(std::string_view key, const StringList& values) {
    Engine_Row row{key};
    row.append(values);
    return row;
}

Engine_Row gridRow(std::string_view key, const StringGrid& grid) {
    Engine_Row row{key};
    for (const auto& r : grid) row.append(r);
    return row;
}

Engine_Table plugInRecord(std::string_view kind, const StringList& header, std::vector<Engine_Row> parts,
                          std::string_view tag) {
    const std::string name(kind);
    // The row count runs from the plug-in row through the tag row.
    Engine_Table t{{"start", "1"}, {"plug_in", name, std::to_string(parts.size() + 3)}, listRow(name, header)};
    for (auto& part : parts) t.push_back(std::move(part));
    t.push_back({name + "_tag", std::string(tag)});
    return t;
}

Engine_Table addColumnTable(std::string_view tag, std::string_view label, std::int64_t option,
                            const StringGrid& tableau, const StringGrid& attributes) {
    require(!tableau.empty(), "add_column tableau without rows");
    return plugInRecord("add_column",
                        {std::string(label), std::to_string(option), std::to_string(tableau.size()),
                         std::to_string(tableau[0].size())},
                        {gridRow("add_column_tableau", tableau), gridRow("add_column_attributes", attributes)}, tag);
}

Engine_Table tableauOpTable(std::string_view tag, std::string_view header, const StringGrid& tableau,
                            const StringGrid& attributes, const StringList& globals, const StringList& locals) {
    return plugInRecord("tableau_op", {std::string(header)},
                        {gridRow("tableau_op_tableau", tableau), gridRow("tableau_op_attributes", attributes),
                         listRow("tableau_op_globals", globals), listRow("tableau_op_locals", locals)},
                        tag);
}

Engine_Table dividePartialOpTable(std::string_view tag, std::string_view header, const StringList& tableau,
                                  const StringList& globals, const StringList& locals, const StringList& partials) {
    return plugInRecord("divide_partial_op", {std::string(header)},
                        {listRow("divide_partial_op_tableau", tableau), listRow("divide_partial_op_partials", partials),
                         listRow("divide_partial_op_globals", globals), listRow("divide_partial_op_locals", locals)},
                        tag);
}

Engine_Table divideOpTable(std::string_view tag, std::string_view header, const StringList& tableau,
                           const StringList& background, const StringList& lines, const StringList& globals,
                           const StringList& locals, const StringList& /*unused*/) {
    return plugInRecord("divide_op", {std::string(header)},
                        {listRow("divide_op_tableau", tableau), listRow("divide_op_background_tableau", background),
                         listRow("divide_op_lines", lines), listRow("divide_op_globals", globals),
                         listRow("divide_op_locals", locals)},
                        tag);
}

Engine_Table countOpTable(std::string_view tag, std::string_view header, const StringGrid& tableau,
                          const StringList& globals, const StringList& locals, const StringList& countUps) {
    return plugInRecord("count_op", {std::string(header)},
                        {gridRow("count_op_tableau", tableau), listRow("count_op_count_ups", countUps),
                         listRow("count_op_globals", globals), listRow("count_op_locals", locals)},
                        tag);
}

std::string countOpSign(std::string_view direction) { return direction == "COUNT DOWN" ? "\u2212" : "+"; }

std::string placeValueName(std::int64_t position, bool plural) {
    static const char* const names[] = {"one",         "ten",     "hundred",          "thousand",
                                        "ten thousand", "hundred thousand", "million", "ten million"};
    if (position < 0 || position > 7) return "...?";
    std::string name = names[position];
    if (plural) name += "s";
    return name;
}

StringList characterStrings(std::string_view text) {
    StringList out;
    std::size_t i = 0;
    bool previousWasJoiner = false;
    bool pendingRegional = false;  // the last cluster holds one regional indicator
    while (i < text.size()) {
        const Decoded d = decode(text, i);
        const std::string_view piece = text.substr(i, d.length);
        const bool joins = !out.empty() &&
                           (extendsPrevious(d.cp) || previousWasJoiner || (pendingRegional && isRegionalIndicator(d.cp)));
        if (joins) {
            out.back() += piece;
            pendingRegional = false;
        } else {
            out.emplace_back(piece);
            pendingRegional = isRegionalIndicator(d.cp);
        }
        previousWasJoiner = d.cp == 0x200D;
        i += d.length;
    }
    return out;
}

std::int64_t characterStringCount(std::string_view text) {
    return static_cast<std::int64_t>(characterStrings(text).size());
}

std::vector<char32_t> unicodeScalars(std::string_view text) {
    std::vector<char32_t> scalars;
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = decode(text, i);
        scalars.push_back(d.cp);
        i += d.length;
    }
    return scalars;
}

std::string characterText(char c) { return std::string(1, c); }

std::string characterText(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        require(cp <= 0x10FFFF, "not a Unicode code point");
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

StringList padFront(const StringList& list, const StringList& reference, std::string_view filler) {
    if (reference.size() <= list.size()) return list;
    StringList out(reference.size() - list.size(), std::string(filler));
    out.insert(out.end(), list.begin(), list.end());
    return out;
}

namespace {
std::string run(std::int64_t count, std::string_view filler) {
    std::string s;
    for (std::int64_t i = 0; i < count; ++i) s += filler;  // a negative count gives nothing
    return s;
}
}  // namespace

std::string padLeft(std::string_view text, std::int64_t count, std::string_view filler) {
    return run(count, filler) + std::string(text);
}

std::string padRight(std::string_view text, std::int64_t count, std::string_view filler) {
    return std::string(text) + run(count, filler);
}

std::string padBoth(std::string_view text, std::int64_t leftCount, std::string_view leftFiller,
                    std::int64_t rightCount, std::string_view rightFiller) {
    return run(leftCount, leftFiller) + std::string(text) + run(rightCount, rightFiller);
}

}  // namespace tl
