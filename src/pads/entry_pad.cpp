#include "pads/entry_pad.hpp"

#include <memory>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "pads/info_view.hpp"
#include "pads/integer_io_view.hpp"
#include "pads/numeric_pad_view.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"

namespace tl {

namespace {

constexpr double kPartGap = 5;
constexpr double kPromptLinesPerKeypad = 7.5;
constexpr double kEntryLinesPerKeypad = 6.0;

bool isDigitKey(std::string_view title) { return title.size() == 1 && title[0] >= '0' && title[0] <= '9'; }

bool isEditingKey(std::string_view title) {
    return isDigitKey(title) || title == kPointKey || title == kClearKey || title == kDeleteKey || title == kSignKey;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The three parts full width, one under the other 5 points apart, filling
// the pad; prompt panel and display as tall as the keypad times their ratios.
void layoutPadViews(ui::View* I, double promptRatio, ui::View* E, double entryRatio, ui::View* K, ui::View* P) {
    I->topAnchor().constraintEqualTo(P->topAnchor());
    I->bottomAnchor().constraintEqualTo(E->topAnchor(), -kPartGap);
    I->leadingAnchor().constraintEqualTo(P->leadingAnchor());
    I->trailingAnchor().constraintEqualTo(P->trailingAnchor());
    I->heightAnchor().constraintEqualTo(K->heightAnchor(), promptRatio, 0);
    E->topAnchor().constraintEqualTo(I->bottomAnchor(), kPartGap);
    E->bottomAnchor().constraintEqualTo(K->topAnchor(), -kPartGap);
    E->leadingAnchor().constraintEqualTo(I->leadingAnchor());
    E->trailingAnchor().constraintEqualTo(I->trailingAnchor());
    E->heightAnchor().constraintEqualTo(K->heightAnchor(), entryRatio, 0);
    K->topAnchor().constraintEqualTo(E->bottomAnchor(), kPartGap);
    K->bottomAnchor().constraintEqualTo(P->bottomAnchor());
    K->leadingAnchor().constraintEqualTo(I->leadingAnchor());
    K->trailingAnchor().constraintEqualTo(I->trailingAnchor());
}

std::int64_t count(const PadTables& tables) { return static_cast<std::int64_t>(tables.size()); }

}  // namespace

EntryPadView::EntryPadView(gfx::Rect frame, const std::vector<std::string>& info, PadTables inputs,
                           PadTables polynomials, PadTables fractions, PadTables options,
                           const OptionDefaults& optionDefaults, PadTables multiLine)
    : KeyPressView(frame),
      inputs_(std::move(inputs)),
      polynomials_(std::move(polynomials)),
      fractions_(std::move(fractions)),
      multiLine_(std::move(multiLine)),
      options_(std::move(options)) {
    requireEncodable(inputs_, Tag::input, "input tables");
    requireEncodable(polynomials_, Tag::polynomial, "polynomial tables");
    requireEncodable(fractions_, Tag::fraction, "fraction tables");
    requireEncodable(options_, Tag::option, "option groups");
    requireEncodable(multiLine_, Tag::multi_line, "multi-line tables");

    multiLineSelection_ = firstCellTag(multiLine_, Tag::multi_line);
    selection_ = initialFieldSelection(inputs_, polynomials_, fractions_);
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);
    setHidden(false);

    std::int64_t entryLines = checked::add(count(inputs_), checked::mul(2, count(fractions_)));
    entryLines = checked::add(entryLines, count(polynomials_));
    entryLines = checked::add(entryLines, count(options_));
    entryLines = checked::add(entryLines, count(multiLine_));
    const double entryRatio = static_cast<double>(entryLines) / kEntryLinesPerKeypad;
    const double promptRatio = static_cast<double>(info.size()) / kPromptLinesPerKeypad;

    optionsSelections_ = initialOptionSelections(options_, optionDefaults);

    auto* prompt = add(std::make_unique<UniversalInfoView>(info, frame));
    auto* display = add(std::make_unique<UniversalIntegerIOView>(frame, inputs_, polynomials_, fractions_, options_,
                                                                  optionDefaults, multiLine_));
    display->setDelegate(this);
    auto* keypad = add(std::make_unique<UniversalNumericPadView>());
    keypad->setDelegate(this);
    layoutPadViews(prompt, promptRatio, display, entryRatio, keypad, this);
}

void EntryPadView::keyPressed(ui::Responder* sender) {
    auto* button = dynamic_cast<ui::Button*>(sender);
    require(button != nullptr, "a pad key press comes from a button");
    const std::string title = button->currentTitle();

    // A selection whose label has gone makes every press a no-op; a pad
    // without entry fields has no selection and still takes its choices.
    ui::Label* current = nullptr;
    if (selection_) {
        current = labelWithTag(*this, *selection_);
        if (!current) return;
    }

    if (isEditingKey(title)) {
        if (!current) return;
        if (auto text = editedText(title, current->text())) current->setText(std::move(*text));
        return;
    }
    if (title == kDoneKey) return done();
    if (startsWith(title, kArrowPrefix)) return turnArrow(tagFromTitle(title, kArrowPrefix.size()));
    if (title.empty()) return;
    switch (title[0]) {
        case 'I':
        case 'F':
        case 'P': return selectField(tagFromTitle(title, 1), current);
        case 'O': return chooseOption(tagFromTitle(title, 1));
        case 'M':
            if (multiLineSelection_) moveChoice(*this, *multiLineSelection_, tagFromTitle(title, 1));
            return;
        default: return;
    }
}

bool EntryPadView::isEntryField(std::int64_t tag) const {
    const auto kind = kindOfViewTag(tag);
    const PadTables* tables = nullptr;
    if (kind == Tag::input) tables = &inputs_;
    else if (kind == Tag::polynomial) tables = &polynomials_;
    else if (kind == Tag::fraction) tables = &fractions_;
    else return false;
    const auto [a, b, c] = viewTagParts(tag, *kind);
    return a < count(*tables) && b < static_cast<std::int64_t>((*tables)[a].size()) &&
           c < static_cast<std::int64_t>((*tables)[a][b].size());
}

void EntryPadView::selectField(std::int64_t tag, ui::Label* current) {
    // Only value cells of the pad's own entry tables can become the edited
    // field: never a caption, never an arrow.
    if (!isEntryField(tag)) return;
    if (selection_ && *selection_ == tag) return;
    ui::Label* chosen = labelWithTag(*this, tag);
    if (!chosen) return;
    chosen->setBackgroundColor(kSelectedColour);
    if (current) current->setBackgroundColor(kUnselectedColour);
    selection_ = tag;
}

void EntryPadView::turnArrow(std::int64_t tag) {
    if (kindOfViewTag(tag) != Tag::polynomial) return;
    const auto [a, b, c] = viewTagParts(tag, Tag::polynomial);
    if (a >= count(polynomials_) || b >= static_cast<std::int64_t>(polynomials_[a].size()) ||
        c != static_cast<std::int64_t>(polynomials_[a][b].size()))
        return;
    if (ui::Label* arrow = labelWithTag(*this, tag))
        arrow->setText(std::string(arrow->text() == kArrowDown ? kArrowUp : kArrowDown));
}

void EntryPadView::chooseOption(std::int64_t tag) {
    const auto [g, r, c] = viewTagParts(tag, Tag::option);
    (void)c;
    moveChoice(*this, at(at(optionsSelections_, static_cast<long long>(g)), static_cast<long long>(r)), tag);
}

void EntryPadView::done() {
    const StringGrid options = chosenOptionTexts(*this, optionsSelections_);
    const StringGrid multiLine = chosenMultiLineTexts(*this, multiLineSelection_);

    PadTables entries;
    const auto collect = [&](const PadTables& tables, Tag kind, auto sent) {
        for (std::size_t a = 0; a < tables.size(); ++a) {
            StringGrid table;
            for (std::size_t b = 0; b < tables[a].size(); ++b) {
                StringList row;
                const auto ia = static_cast<std::int64_t>(a), ib = static_cast<std::int64_t>(b);
                const auto cells = static_cast<std::int64_t>(tables[a][b].size());
                for (std::int64_t c = 0; c < cells; ++c) row.push_back(sent(requiredLabelText(*this, viewTag(ia, ib, c, kind), "entry")));
                if (kind == Tag::polynomial) row.push_back(requiredLabelText(*this, viewTag(ia, ib, cells, kind), "arrow"));
                table.push_back(std::move(row));
            }
            entries.push_back(std::move(table));
        }
    };
    collect(inputs_, Tag::input, [this](const std::string& shown) { return sentInputText(shown); });
    collect(polynomials_, Tag::polynomial, [](const std::string& shown) { return withoutNegativeZero(shown); });
    collect(fractions_, Tag::fraction, [](const std::string& shown) { return withoutNegativeZero(shown); });
    requestSteps(entries, options, multiLine);
}

}  // namespace tl
