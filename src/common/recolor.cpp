#include "common/recolor.hpp"

#include <functional>
#include <optional>
#include <vector>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

std::string_view field(const Engine_Table& table, std::size_t row, std::size_t index) {
    return at(at(table, row), index);
}

/// A row index held in a locator field. Children lie above their parents, so
/// a field that points at or below its own item is malformed (and would let
/// a walk go round in circles).
std::size_t childIndex(const Engine_Table& table, std::size_t row, std::size_t index, std::size_t parent) {
    const std::int64_t child = parseInt(field(table, row, index));
    require(child >= 1 && static_cast<std::size_t>(child) < table.size(), "locator out of range");
    require(parent == 0 || static_cast<std::size_t>(child) < parent, "locator does not point above its item");
    return static_cast<std::size_t>(child);
}

bool isLeafWithTagAtTwo(std::string_view kind) {
    return kind == "message" || kind == "integer" || kind == "rational" || kind == "signed_rational" ||
           kind == "whole" || kind == "fraction" || kind == "mixed_number";
}

/// A colour row with some fields replaced: entry j of `colours` replaces
/// field j + 1 when it holds a colour, and keeps it otherwise.
Engine_Row recoloured(const Engine_Row& row, const std::vector<std::optional<Color>>& colours) {
    Engine_Row out{at(row, 0)};
    for (std::size_t j = 0; j < colours.size(); ++j)
        out.push_back(colours[j] ? std::string(colorName(*colours[j])) : at(row, j + 1));
    return out;
}

Engine_Row allColoured(const Engine_Row& row, std::size_t count, Color c) {
    return recoloured(row, std::vector<std::optional<Color>>(count, c));
}

}  // namespace

std::optional<std::size_t> findTaggedItem(const Engine_Table& table, std::string_view tag) {
    if (table.empty() || table[0].empty() || table[0][0] != "start") return std::nullopt;
    if (tag == "start") return 0;
    std::vector<std::size_t> stack{0};
    while (!stack.empty()) {
        const std::size_t r = stack.back();
        stack.pop_back();
        const std::string_view kind = field(table, r, 0);
        if (kind == "start") {
            stack.push_back(childIndex(table, 0, 1, 0));
        } else if (isLeafWithTagAtTwo(kind)) {
            if (field(table, r + 2, 1) == tag) return r;
        } else if (kind == "unary") {
            if (field(table, r + 3, 1) == tag) return r;
            stack.push_back(childIndex(table, r + 1, 1, r));
        } else if (kind == "font") {
            if (field(table, r + 2, 1) == tag) return r;
            stack.push_back(childIndex(table, r + 1, 1, r));
        } else if (kind == "block") {
            stack.push_back(childIndex(table, r, 1, r));
        } else if (kind == "join") {
            if (field(table, r + 3, 1) == tag) return r;
            stack.push_back(childIndex(table, r + 1, 1, r));
            stack.push_back(childIndex(table, r + 1, 2, r));
        } else if (kind == "box_grid" || kind == "box_table") {
            if (field(table, r + 3, 1) == tag) return r;
        }
    }
    return std::nullopt;
}

Engine_Table setTaggedItemColor(const Engine_Table& table, Color color, std::string_view tag) {
    const auto found = findTaggedItem(table, tag);
    if (!found) return table;
    Engine_Table out = table;
    std::vector<std::size_t> stack{*found};
    while (!stack.empty()) {
        const std::size_t r = stack.back();
        stack.pop_back();
        const std::string kind(field(out, r, 0));
        auto colourRowAt = [&](std::size_t row, std::size_t count) {
            out.replace(row, allColoured(at(std::as_const(out), row), count, color));
        };
        if (kind == "start") {
            stack.push_back(childIndex(out, 0, 1, 0));
        } else if (kind == "message" || kind == "integer" || kind == "whole") {
            colourRowAt(r + 1, 1);
        } else if (kind == "fraction" || kind == "extended_fraction") {
            colourRowAt(r + 1, 2);
        } else if (kind == "mixed_number") {
            colourRowAt(r + 1, 3);
        } else if (kind == "rational" || kind == "signed_rational" || kind == "fraction_cancel_numerator" ||
                   kind == "fraction_cancel_denominator") {
            colourRowAt(r + 1, 4);
        } else if (kind == "fraction_cancel_numerator_and_denominator") {
            colourRowAt(r + 1, 6);
        } else if (kind == "unary") {
            colourRowAt(r + 2, 1);
            stack.push_back(childIndex(out, r + 1, 1, r));
        } else if (kind == "font") {
            stack.push_back(childIndex(out, r + 1, 1, r));
        } else if (kind == "block") {
            // A block only regroups its child: the colour reaches the items below it.
            stack.push_back(childIndex(out, r, 1, r));
        } else if (kind == "join") {
            colourRowAt(r + 2, 1);
            stack.push_back(childIndex(out, r + 1, 1, r));
            stack.push_back(childIndex(out, r + 1, 2, r));
        } else if (kind == "box_grid" || kind == "box_table") {
            colourRowAt(r + 2, at(out, r + 2).size() - 1);
        }
    }
    return out;
}

namespace {

Engine_Table recolourTaggedFraction(const Engine_Table& table, std::string_view tag,
                                    const std::vector<std::optional<Color>>& fraction,
                                    const std::vector<std::optional<Color>>& mixed) {
    const auto found = findTaggedItem(table, tag);
    if (!found) return table;
    Engine_Table out = table;
    const std::size_t r = *found;
    const std::string kind(field(out, r, 0));
    if (kind == "fraction") out.replace(r + 1, recoloured(at(std::as_const(out), r + 1), fraction));
    else if (kind == "mixed_number") out.replace(r + 1, recoloured(at(std::as_const(out), r + 1), mixed));
    return out;
}

void recolourByTagRow(Engine_Table& table, const char* tagKey, const char* colourKey, Color color,
                      std::string_view tag) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        const Engine_Row& row = table[i];
        if (row.size() >= 2 && row[0] == tagKey && row[1] == tag) {
            table[i - 1] = {colourKey, std::string(colorName(color))};
            return;
        }
    }
}

/// The colour fields a linear re-colourer writes for one kind ({} when it
/// does not handle the kind).
using ColourPlan = std::function<std::optional<std::vector<std::optional<Color>>>(const std::string& kind)>;

/// Steps through the items row by row, without following locators, and
/// rewrites the colour row of the first handled item holding the tag.
void recolourLinearly(Engine_Table& table, std::string_view tag, const ColourPlan& plan) {
    std::size_t i = 0;
    while (i < table.size()) {
        const std::string kind(at(std::as_const(table)[i], 0));
        if (auto colours = plan(kind); colours && field(table, i + 2, 1) == tag) {
            table.replace(i + 1, recoloured(at(std::as_const(table), i + 1), *colours));
            return;
        }
        if (kind == "start" || kind == "block" || kind == "BLANK") {
            i += 1;
        } else if (kind == "unary" || kind == "join" || kind == "box_grid" || kind == "box_table") {
            i += 4;
        } else if (kind == "plug_in") {
            const std::int64_t rows = parseInt(field(table, i, 2));
            require(rows >= 1, "plug-in record without rows");
            i += static_cast<std::size_t>(rows);
        } else {
            i += 3;
        }
    }
}

using Plan = std::vector<std::optional<Color>>;
constexpr std::nullopt_t kept = std::nullopt;

}  // namespace

Engine_Table setTaggedFractionColor(const Engine_Table& table, Color color, std::string_view tag) {
    return recolourTaggedFraction(table, tag, {color, color}, {kept, color, color});
}

Engine_Table setTaggedDenominatorColor(const Engine_Table& table, Color color, std::string_view tag) {
    return recolourTaggedFraction(table, tag, {kept, color}, {kept, kept, color});
}

void recolorMessageByTag(Engine_Table& table, Color colour, std::string_view tag) {
    recolourByTagRow(table, "message_tag", "message_color", colour, tag);
}

void setUnaryColor(Engine_Table& table, Color color, std::string_view tag) {
    recolourByTagRow(table, "unary_tag", "unary_color", color, tag);
}

void setJoinColor(Engine_Table& table, Color color, std::string_view tag) {
    recolourByTagRow(table, "join_tag", "join_color", color, tag);
}

void setNumberColor(Engine_Table& table, Color c, std::string_view tag) {
    recolourLinearly(table, tag, [c](const std::string& kind) -> std::optional<Plan> {
        if (kind == "whole") return Plan{c};
        if (kind == "fraction") return Plan{c, c};
        if (kind == "mixed_number") return Plan{c, c, c};
        return std::nullopt;
    });
}

void setFractionPartColor(Engine_Table& table, Color c, std::string_view tag) {
    recolourLinearly(table, tag, [c](const std::string& kind) -> std::optional<Plan> {
        if (kind == "fraction") return Plan{c, c};
        if (kind == "mixed_number") return Plan{kept, c, c};
        return std::nullopt;
    });
}

void setNumeratorDenominatorColors(Engine_Table& table, Color n, Color d, std::string_view tag) {
    recolourLinearly(table, tag, [n, d](const std::string& kind) -> std::optional<Plan> {
        if (kind == "fraction") return Plan{n, d};
        if (kind == "mixed_number") return Plan{kept, n, d};
        if (kind == "fraction_cancel_numerator_and_denominator") return Plan{kept, kept, n, d, kept, kept};
        if (kind == "fraction_cancel_numerator") return Plan{kept, d, n, kept};
        if (kind == "fraction_cancel_denominator") return Plan{n, kept, d, kept};
        if (kind == "extended_fraction") return Plan{n, d};
        return std::nullopt;
    });
}

void setMixedNumberColors(Engine_Table& table, Color w, Color n, Color d, std::string_view tag) {
    recolourLinearly(table, tag, [w, n, d](const std::string& kind) -> std::optional<Plan> {
        if (kind == "mixed_number") return Plan{w, n, d};
        return std::nullopt;
    });
}

void setWholePartColor(Engine_Table& table, Color c, std::string_view tag) {
    recolourLinearly(table, tag, [c](const std::string& kind) -> std::optional<Plan> {
        if (kind == "whole") return Plan{c};
        if (kind == "mixed_number") return Plan{c, kept, kept};
        return std::nullopt;
    });
}

void setNumeratorColor(Engine_Table& table, Color c, std::string_view tag) {
    recolourLinearly(table, tag, [c](const std::string& kind) -> std::optional<Plan> {
        if (kind == "fraction") return Plan{c, kept};
        if (kind == "mixed_number") return Plan{kept, c, kept};
        return std::nullopt;
    });
}

void setDenominatorColor(Engine_Table& table, Color c, std::string_view tag) {
    recolourLinearly(table, tag, [c](const std::string& kind) -> std::optional<Plan> {
        if (kind == "fraction") return Plan{kept, c};
        if (kind == "mixed_number") return Plan{kept, kept, c};
        return std::nullopt;
    });
}

}  // namespace tl
