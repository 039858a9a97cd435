// The growing tableau of the multiplication builders: digit cells, one
// three-letter code per cell, and the globals and locals of the record that
// each page snapshots.
#pragma once

#include <string>
#include <utility>

#include "base/errors.hpp"
#include "common/records.hpp"
#include "common/tableau.hpp"

namespace tl::detail {

struct OpTableau {
    StringGrid cells, codes;
    StringList globals, locals;

    void append(StringList row, const std::string& code) {
        codes.emplace_back(row.size(), code);
        cells.push_back(std::move(row));
    }
    void setRow(std::size_t row, const std::string& code) {
        for (auto& c : at(codes, row)) c = code;
    }
    void set(std::size_t row, std::size_t column, const std::string& code) {
        at(at(codes, row), column) = code;
    }
    const std::string& code(std::size_t row, std::size_t column) const {
        return at(at(codes, row), column);
    }
    std::size_t rowCount() const { return cells.size(); }

    /// The record of the page, tagged "STEP" under the header "×".
    Engine_Table record() const {
        return tableauOpTable("STEP", "\u00D7", cells, codes, globals, locals);
    }
};

}  // namespace tl::detail
