#include "pads/practice_pad_view.hpp"

#include <memory>

#include "base/errors.hpp"
#include "pads/info_view.hpp"
#include "pads/practice_io_view.hpp"
#include "platform/ui/button.hpp"

namespace tl {

namespace {

constexpr double kPartGap = 10;
constexpr std::string_view kFlushMark = "YES";

// The display is `displayRatio` times as high as the prompt panel; without
// prompt lines the panel has no height and the display takes the pad.
void layoutPadViews(double infoHalf, std::int64_t rowUnits, ui::View* I, ui::View* E, ui::View* P) {
    I->topAnchor().constraintEqualTo(P->topAnchor());
    I->bottomAnchor().constraintEqualTo(E->topAnchor(), -kPartGap);
    I->leadingAnchor().constraintEqualTo(P->leadingAnchor());
    I->trailingAnchor().constraintEqualTo(P->trailingAnchor());
    E->topAnchor().constraintEqualTo(I->bottomAnchor(), kPartGap);
    E->bottomAnchor().constraintEqualTo(P->bottomAnchor());
    E->leadingAnchor().constraintEqualTo(P->leadingAnchor());
    E->trailingAnchor().constraintEqualTo(P->trailingAnchor());
    if (infoHalf > 0)
        E->heightAnchor().constraintEqualTo(I->heightAnchor(), static_cast<double>(rowUnits) / infoHalf, 0);
    else
        I->heightAnchor().constraintEqualToConstant(0);
}

}  // namespace

UniversalIntegerPracticePadView::UniversalIntegerPracticePadView(
    gfx::Rect frame, const std::vector<std::string>& info, const PadTables& multiLine, const PadTables& options,
    const OptionDefaults& optionDefaults, StringGrid flushOptions, const std::vector<std::string>& levels,
    const std::vector<ui::AttributedText>& examples, PadTables inputs)
    : KeyPressView(frame), inputs_(std::move(inputs)), flushOptions_(std::move(flushOptions)) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);
    setHidden(false);

    const auto rowUnits = static_cast<std::int64_t>(options.size() + multiLine.size() + examples.size() + 2);
    const double infoHalf = static_cast<double>(info.size()) / 2;

    multiLineSelection_ = firstCellTag(multiLine, Tag::multi_line);
    optionsSelections_ = initialOptionSelections(options, optionDefaults);
    levelSelection_ = levels.empty() ? 0 : viewTag(0, 0, 0, Tag::level);
    exampleNumberOfRows_ = static_cast<std::int64_t>(examples.size());

    auto* prompt = add(std::make_unique<UniversalInfoView>(info, frame));
    auto* display = add(
        std::make_unique<UniversalIntegerPracticeIOView>(frame, multiLine, options, optionDefaults, levels, examples));
    display->setDelegate(this);
    layoutPadViews(infoHalf, rowUnits, prompt, display, this);
}

bool UniversalIntegerPracticePadView::flushes(std::int64_t group, std::int64_t row) const {
    if (group < 0 || row < 0 || static_cast<std::size_t>(group) >= flushOptions_.size()) return false;
    const auto& rows = flushOptions_[static_cast<std::size_t>(group)];
    return static_cast<std::size_t>(row) < rows.size() && rows[static_cast<std::size_t>(row)] == kFlushMark;
}

std::int64_t UniversalIntegerPracticePadView::levelIndex() const {
    // Without a level line there is one implicit level, the first.
    return levelSelection_ == 0 ? 0 : levelSelection_ - rawValue(Tag::level);
}

void UniversalIntegerPracticePadView::refresh(std::int64_t level) {
    if (!dataSource_) return;
    auto answer = dataSource_->examplesRequested(level, chosenOptionTexts(*this, optionsSelections_),
                                                 chosenMultiLineTexts(*this, multiLineSelection_));
    if (!answer) return;
    inputs_ = std::move(answer->second);
    const auto& lines = answer->first;
    for (std::int64_t j = 0; j < exampleNumberOfRows_; ++j) {
        auto* label = labelWithTag(*this, viewTag(0, 0, exampleRowTagStart + j, Tag::example));
        if (!label) continue;
        // Lines the answer lacks are blanked rather than left stale.
        label->setAttributedText(static_cast<std::size_t>(j) < lines.size() ? lines[static_cast<std::size_t>(j)]
                                                                             : ui::AttributedText{});
    }
}

void UniversalIntegerPracticePadView::keyPressed(ui::Responder* sender) {
    auto* button = dynamic_cast<ui::Button*>(sender);
    require(button != nullptr, "a pad key press comes from a button");
    const std::string title = button->currentTitle();

    if (title == kDoneKey) {
        if (!delegate_) return;
        // Copies: the delegate may segue away and take this pad with it.
        const PadTables inputs = inputs_;
        const StringGrid options = chosenOptionTexts(*this, optionsSelections_);
        const StringGrid multiLine = chosenMultiLineTexts(*this, multiLineSelection_);
        delegate_->stepsRequested(inputs, options, multiLine);
        return;
    }
    if (title.empty()) return;
    switch (title[0]) {
        case 'O': {
            const std::int64_t tag = tagFromTitle(title, 1);
            const auto [g, r, c] = viewTagParts(tag, Tag::option);
            (void)c;
            moveChoice(*this, at(at(optionsSelections_, static_cast<long long>(g)), static_cast<long long>(r)), tag);
            if (flushes(g, r)) refresh(levelIndex());
            return;
        }
        case 'L': {
            const std::int64_t tag = tagFromTitle(title, 1);
            if (kindOfViewTag(tag) != Tag::level) return;
            if (levelSelection_ != 0) moveChoice(*this, levelSelection_, tag);
            refresh(tag - rawValue(Tag::level));
            return;
        }
        case 'M': {
            const std::int64_t tag = tagFromTitle(title, 1);
            if (multiLineSelection_) moveChoice(*this, *multiLineSelection_, tag);
            return;
        }
        default: return;
    }
}

}  // namespace tl
