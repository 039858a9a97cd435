#include "common/dump.hpp"

#include <algorithm>
#include <sstream>
#include <string_view>

#include "base/errors.hpp"

namespace tl {

namespace {

// The layout of json::dump(2): each element of an array on a line of its
// own, indented two blanks a level deeper than the array; an empty array "[]".

void appendString(std::string& s, std::string_view text) {
    const bool plain = std::ranges::none_of(text, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u >= 0x80 || c == '"' || c == '\\';
    });
    if (!plain) {
        s += nlohmann::json(text).dump();  // escapes, and checks the UTF-8
        return;
    }
    s += '"';
    s += text;
    s += '"';
}

template <class List, class Element>
void appendArray(std::string& s, const List& list, int level, Element element) {
    if (list.begin() == list.end()) {
        s += "[]";
        return;
    }
    const auto newline = [&](int l) {
        s += '\n';
        s.append(2 * static_cast<std::size_t>(l), ' ');
    };
    s += '[';
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it != list.begin()) s += ',';
        newline(level + 1);
        element(s, *it, level + 1);
    }
    newline(level);
    s += ']';
}

void appendStrings(std::string& s, const auto& strings, int level) {
    appendArray(s, strings, level, [](std::string& t, std::string_view text, int) { appendString(t, text); });
}

void appendTable(std::string& s, const Engine_Table& table, int level) {
    appendArray(s, table, level, [](std::string& t, const Engine_Row& row, int l) { appendStrings(t, row, l); });
}

}  // namespace

nlohmann::json tableToJson(const Engine_Table& table) {
    nlohmann::json rows = nlohmann::json::array();
    for (const Engine_Row& row : table) rows.push_back(row);
    return rows;
}

nlohmann::json stepToJson(const Engine_Step& step) {
    nlohmann::json tables = nlohmann::json::array();
    for (const Engine_Table& table : step) tables.push_back(tableToJson(table));
    return tables;
}

nlohmann::json tripleToJson(const StepTriple& triple) {
    nlohmann::json pages = nlohmann::json::array();
    for (const Engine_Step& step : triple.steps) pages.push_back(stepToJson(step));
    nlohmann::json comments = nlohmann::json::array();
    for (const auto& lines : triple.comments) comments.push_back(lines);
    return {{"pages", pages}, {"comments", comments}, {"parameters", triple.parameters}};
}

std::string dumpTable(const Engine_Table& table) { return tableToJson(table).dump(); }

std::string dumpTriple(const StepTriple& triple) {
    std::ostringstream out;
    writeTriple(out, triple);
    return std::move(out).str();
}

void writeTriple(std::ostream& out, const StepTriple& triple) {
    // The members in json's order, by name.
    std::string s = "{\n  \"comments\": ";
    appendArray(s, triple.comments, 1, [](std::string& t, const auto& lines, int l) { appendStrings(t, lines, l); });
    s += ",\n  \"pages\": ";
    appendArray(s, triple.steps, 1, [&](std::string& t, const Engine_Step& page, int l) {
        appendArray(t, page, l, appendTable);
        out << t;
        t.clear();
    });
    s += ",\n  \"parameters\": ";
    appendStrings(s, triple.parameters, 1);
    s += "\n}";
    out << s;
}

Engine_Table tableFromJson(const nlohmann::json& json) {
    require(json.is_array(), "a table is a list of rows");
    Engine_Table table;
    for (const auto& row : json) {
        require(row.is_array(), "a row is a list of strings");
        Engine_Row r;
        for (const auto& field : row) {
            require(field.is_string(), "a field is a string");
            r.push_back(field.get<std::string>());
        }
        table.push_back(std::move(r));
    }
    return table;
}

}  // namespace tl
