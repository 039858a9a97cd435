#include "pads/pad_vocabulary.hpp"

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"

namespace tl {

namespace {

constexpr Tag kAllKinds[] = {Tag::input,  Tag::polynomial, Tag::fraction, Tag::multi_line,
                             Tag::option, Tag::level,      Tag::example};
constexpr std::int64_t kKindSpan = 1024;

std::string positionText(std::size_t a, std::size_t b, std::size_t c) {
    std::string text = "(";
    text += std::to_string(a);
    text += ", ";
    text += std::to_string(b);
    text += ", ";
    text += std::to_string(c);
    text += ")";
    return text;
}

}  // namespace

std::optional<Tag> tagFromRawValue(std::int64_t raw) {
    for (Tag kind : kAllKinds)
        if (rawValue(kind) == raw) return kind;
    return std::nullopt;
}

std::optional<Tag> kindOfViewTag(std::int64_t tag) {
    for (Tag kind : kAllKinds)
        if (tag >= rawValue(kind) && tag < rawValue(kind) + kKindSpan) return kind;
    return std::nullopt;
}

std::int64_t viewTag(std::int64_t a, std::int64_t b, std::int64_t c, Tag kind) {
    std::int64_t t = checked::mul(a, 8);
    t = checked::add(t, b);
    t = checked::mul(t, 8);
    t = checked::add(rawValue(kind), t);
    return checked::add(t, c);
}

ViewTagParts viewTagParts(std::int64_t tag, Tag kind) {
    std::int64_t q = checked::sub(tag, rawValue(kind));
    return {q / 64, (q % 64) / 8, q % 8};
}

void requireEncodable(const PadTables& tables, Tag kind, std::string_view what) {
    const std::size_t maxCell = kind == Tag::polynomial ? kMaxCellIndex - 1 : kMaxCellIndex;
    for (std::size_t a = 0; a < tables.size(); ++a) {
        for (std::size_t b = 0; b < tables[a].size(); ++b) {
            const std::size_t cells = tables[a][b].size();
            if (a <= kMaxTableIndex && b <= kMaxRowIndex && (cells == 0 || cells - 1 <= maxCell)) continue;
            throw PreconditionError(std::string(what) + ": the cell at " + positionText(a, b, cells ? cells - 1 : 0) +
                                    " lies beyond the view-tag limits (at most " +
                                    std::to_string(kMaxTableIndex + 1) + " tables, " +
                                    std::to_string(kMaxRowIndex + 1) + " rows per table, " +
                                    std::to_string(maxCell + 1) + " cells per row)");
        }
    }
}

void requireEncodableLines(std::size_t count, std::string_view what) {
    if (count <= static_cast<std::size_t>(kMaxLineIndex) + 1) return;
    throw PreconditionError(std::string(what) + ": " + std::to_string(count) + " lines exceed the " +
                            std::to_string(kMaxLineIndex + 1) + " view tags of their kind");
}

std::string_view kindLetter(Tag kind) {
    switch (kind) {
        case Tag::input: return "I";
        case Tag::polynomial: return "P";
        case Tag::fraction: return "F";
        case Tag::multi_line: return "M";
        case Tag::option: return "O";
        case Tag::level: return "L";
        case Tag::example: return "";
    }
    return "";
}

std::string selectorTitle(Tag kind, std::int64_t tag) { return std::string(kindLetter(kind)) + std::to_string(tag); }

std::string arrowTitle(std::int64_t tag) { return std::string(kArrowPrefix) + std::to_string(tag); }

std::int64_t tagFromTitle(std::string_view title, std::size_t prefixLength) {
    require(title.size() > prefixLength, "selector title without a view tag: \"" + std::string(title) + "\"");
    std::string_view rest = title.substr(prefixLength);
    // Digits only: the titles carry no sign.
    for (char ch : rest)
        require(ch >= '0' && ch <= '9', "selector title with no decimal view tag: \"" + std::string(title) + "\"");
    return parseInt(rest);
}

std::int64_t defaultChoice(std::size_t choiceCount, const OptionDefaults& optionDefaults, std::size_t group,
                           std::size_t row) {
    if (group >= optionDefaults.size() || row >= optionDefaults[group].size()) return 0;
    const int d = optionDefaults[group][row];
    return d >= 0 && static_cast<std::size_t>(d) < choiceCount ? d : 0;
}

std::vector<std::vector<std::int64_t>> initialOptionSelections(const PadTables& options,
                                                               const OptionDefaults& optionDefaults) {
    std::vector<std::vector<std::int64_t>> selections;
    for (std::size_t g = 0; g < options.size(); ++g) {
        std::vector<std::int64_t> group;
        for (std::size_t r = 0; r < options[g].size(); ++r) {
            require(!options[g][r].empty(), "option row " + std::to_string(r) + " of group " + std::to_string(g) +
                                                " has no choice to start on");
            const auto d = defaultChoice(options[g][r].size(), optionDefaults, g, r);
            group.push_back(viewTag(static_cast<std::int64_t>(g), static_cast<std::int64_t>(r), d, Tag::option));
        }
        selections.push_back(std::move(group));
    }
    return selections;
}

std::optional<std::int64_t> firstCellTag(const PadTables& tables, Tag kind) {
    for (std::size_t a = 0; a < tables.size(); ++a)
        for (std::size_t b = 0; b < tables[a].size(); ++b)
            if (!tables[a][b].empty())
                return viewTag(static_cast<std::int64_t>(a), static_cast<std::int64_t>(b), 0, kind);
    return std::nullopt;
}

std::optional<std::int64_t> initialFieldSelection(const PadTables& inputs, const PadTables& polynomials,
                                                  const PadTables& fractions) {
    if (auto tag = firstCellTag(inputs, Tag::input)) return tag;
    if (auto tag = firstCellTag(polynomials, Tag::polynomial)) return tag;
    return firstCellTag(fractions, Tag::fraction);
}

ui::Label* labelWithTag(ui::View& root, std::int64_t tag) {
    // Tag 0 belongs to every untagged view: no label is found by it.
    if (tag <= 0 || tag > INT32_MAX) return nullptr;
    return dynamic_cast<ui::Label*>(root.viewWithTag(static_cast<int>(tag)));
}

std::string requiredLabelText(ui::View& root, std::int64_t tag, std::string_view what) {
    ui::Label* label = labelWithTag(root, tag);
    require(label != nullptr, "the pad has no " + std::string(what) + " label with view tag " + std::to_string(tag));
    return label->text();
}

StringGrid chosenOptionTexts(ui::View& root, const std::vector<std::vector<std::int64_t>>& selections) {
    StringGrid options;
    for (const auto& group : selections) {
        StringList texts;
        for (std::int64_t tag : group) texts.push_back(requiredLabelText(root, tag, "option"));
        options.push_back(std::move(texts));
    }
    return options;
}

StringGrid chosenMultiLineTexts(ui::View& root, std::optional<std::int64_t> selection) {
    if (!selection) return {};
    return {{requiredLabelText(root, *selection, "multi-line")}};
}

bool moveChoice(ui::View& root, std::int64_t& chosen, std::int64_t tag) {
    if (chosen == tag || kindOfViewTag(tag) != kindOfViewTag(chosen)) return false;
    ui::Label* next = labelWithTag(root, tag);
    ui::Label* previous = labelWithTag(root, chosen);
    if (!next || !previous) return false;
    next->setBackgroundColor(kSelectedColour);
    previous->setBackgroundColor(kUnselectedColour);
    chosen = tag;
    return true;
}

std::string withoutNegativeZero(std::string text) { return text == "-0" ? std::string("0") : text; }

}  // namespace tl
