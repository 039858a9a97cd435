// A worked solution as plain text, for golden tables of the solvers' pages:
// one line per page, "comment: table ; table ; ...", a blank table "_", a
// line break "⏎", "{n}" after a table with n rows naming red (when asked
// for), and "[k]"
// standing for the first k tables of the page before (the worked tables
// repeat from page to page). The problem page "🤔" is read but written only
// when asked for.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "common/table_text.hpp"

namespace tl::testing {

struct PageReading {
    bool reds = false, problem = false;
};

inline std::string pagesText(const std::vector<Engine_Step>& steps,
                             const std::vector<std::vector<std::string>>& comments, PageReading reading = {}) {
    std::string out;
    std::vector<std::string> before;
    for (std::size_t p = 0; p < steps.size(); ++p) {
        std::vector<std::string> tables;
        for (const Engine_Table& t : steps[p]) {
            std::string s = tableText(t);
            for (std::size_t at; (at = s.find('\n')) != std::string::npos;) s.replace(at, 1, "⏎");
            const auto red = std::ranges::count_if(t, [](const Engine_Row& r) { return std::ranges::count(r, "red"); });
            tables.push_back(s.empty() ? "_" : std::move(s));
            if (reading.reds && red > 0) tables.back().append("{").append(std::to_string(red)).append("}");
        }
        const auto common = std::ranges::mismatch(tables, before).in1 - tables.begin();
        std::string line = comments.at(p).at(0) + ":" + (common > 0 ? " [" + std::to_string(common) + "]" : "");
        for (auto t = tables.begin() + common; t != tables.end(); ++t)
            line += (t == tables.begin() + common ? " " : " ; ") + *t;
        if (reading.problem || p > 0 || comments[p].at(0) != "\U0001F914") out += (out.empty() ? "" : "\n") + line;
        before = std::move(tables);
    }
    return out;
}

}  // namespace tl::testing
