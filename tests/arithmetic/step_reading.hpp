// Reading step results back in tests: the messages and the plug-in record of
// a page, and the rows of a record by their keys.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "arithmetic/arithmetic_model.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/tableau.hpp"

namespace tl::testing {

/// The first and last comments of every worked solution.
inline const std::string kThink = "\U0001F914";
inline const std::string kCool = "\U0001F60E";

inline New_Arithmetic_Model arithmeticModel(const std::string& a, const std::string& b,
                                            std::vector<std::vector<std::string>> options = {}) {
    New_Arithmetic_Model model;
    model.inputs = {{{a, b}}};
    model.options = std::move(options);
    return model;
}

/// The one comment line of every page, in order.
inline std::vector<std::string> commentLines(const StepTriple& t) {
    std::vector<std::string> lines;
    for (const auto& c : t.comments) {
        EXPECT_EQ(c.size(), 1u);
        lines.push_back(c.empty() ? "" : c[0]);
    }
    return lines;
}

inline bool isMessage(const Engine_Table& table) { return table.size() == 4 && table[1].size() == 2 && table[1][0] == "message"; }
inline bool isRecord(const Engine_Table& table) { return table.size() > 2 && !table[1].empty() && table[1][0] == "plug_in"; }

/// The texts of the page's message tables, top to bottom.
inline std::vector<std::string> messages(const Engine_Step& page) {
    std::vector<std::string> texts;
    for (const auto& table : page)
        if (isMessage(table)) texts.emplace_back(table[1][1]);
    return texts;
}

/// The messages of pages [from, to), one line per page, joined by " | ".
inline std::vector<std::string> messagesOfPages(const StepTriple& t, std::size_t from, std::size_t to) {
    std::vector<std::string> all;
    for (std::size_t p = from; p < to; ++p) {
        std::string joinedMessages;
        for (const auto& m : messages(t.steps.at(p))) joinedMessages += (joinedMessages.empty() ? "" : " | ") + m;
        all.push_back(joinedMessages);
    }
    return all;
}

/// The second message line (the one after the problem) of pages [from, to).
inline std::vector<std::string> secondLines(const StepTriple& t, std::size_t from, std::size_t to) {
    std::vector<std::string> lines;
    for (std::size_t p = from; p < to; ++p) lines.push_back(messages(t.steps.at(p)).at(1));
    return lines;
}

/// The page's one plug-in record (a PreconditionError when there is none).
inline const Engine_Table& record(const Engine_Step& page) {
    for (const auto& table : page)
        if (isRecord(table)) return table;
    throw PreconditionError("page without a record");
}

inline bool hasRecord(const Engine_Step& page) {
    for (const auto& table : page)
        if (isRecord(table)) return true;
    return false;
}

/// The values of the record row keyed `key` (the key itself left out).
inline std::vector<std::string> row(const Engine_Table& record, const std::string& key) {
    for (const auto& r : record)
        if (!r.empty() && r[0] == key) return {r.begin() + 1, r.end()};
    throw PreconditionError("record without row " + key);
}

/// Cuts a flattened grid into rows of `columns` cells.
inline std::vector<std::vector<std::string>> grid(const std::vector<std::string>& flat, std::size_t columns) {
    std::vector<std::vector<std::string>> rows;
    if (columns == 0) return rows;
    EXPECT_EQ(flat.size() % columns, 0u);
    for (std::size_t i = 0; i + columns <= flat.size(); i += columns)
        rows.emplace_back(flat.begin() + long(i), flat.begin() + long(i + columns));
    return rows;
}

/// Joins the cells of a grid row ("Z", "5", "8" gives "Z58").
inline std::string joined(const std::vector<std::string>& cells) {
    std::string s;
    for (const auto& c : cells) s += c;
    return s;
}

/// The digits of a grid row, its "Z" (empty place) cells left out.
inline std::string digitsOf(const std::vector<std::string>& cells) {
    std::string s;
    for (const auto& c : cells)
        if (c != "Z") s += c;
    return s;
}

/// The cells (or, with `part` "tableau_op_attributes", the codes) of a
/// tableau_op record, row by row.
inline std::vector<std::vector<std::string>> tableauOpGrid(const Engine_Table& rec,
                                                           const char* part = "tableau_op_tableau") {
    return grid(row(rec, part), static_cast<std::size_t>(parseInt(row(rec, "tableau_op_globals").at(1))));
}

/// The rows of a tableau_op record, each joined.
inline std::vector<std::string> tableauOpRows(const Engine_Table& rec, const char* part = "tableau_op_tableau") {
    std::vector<std::string> rows;
    for (const auto& r : tableauOpGrid(rec, part)) rows.push_back(joined(r));
    return rows;
}

}  // namespace tl::testing
