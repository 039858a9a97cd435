#include "arithmetic/record_walk.hpp"

#include "base/errors.hpp"
#include "base/text.hpp"

namespace tl::detail {

std::optional<std::size_t> findPlugInRecord(const Engine_Table& table, const std::string& kind,
                                            std::size_t tagOffset, const std::string& tag) {
    std::size_t i = 0;
    while (i < table.size()) {
        const Engine_Row& row = table[i];
        std::string_view key = at(row, 0);
        if (key == "plug_in") {
            if (at(row, 1) == kind && at(at(table, i + tagOffset), 1) == tag) return i;
            // A record spans the row count written in its plug-in row; a
            // count below 1 would never move the walk on.
            const auto span = parseInt(at(row, 2));
            require(span >= 1, "plug-in record with a row count below 1");
            i += static_cast<std::size_t>(span);
        } else if (key == "start" || key == "block" || key == "BLANK") {
            i += 1;
        } else if (key == "unary" || key == "join") {
            i += 4;  // node, locator, colour and tag rows
        } else {
            i += 3;  // a leaf: node, colour and tag rows
        }
    }
    return std::nullopt;
}

}  // namespace tl::detail
