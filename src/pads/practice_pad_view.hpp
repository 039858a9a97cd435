// A pad for practising on generated examples: prompt lines above a practice
// display of multi-line, option and level choices, example lines and a done
// key. Choosing a level (also the chosen one again), or an option in a row
// whose flushOptions entry is "YES", asks the data source for fresh example
// lines and the entry tables that belong to them; "🤔" hands the current
// entry tables, options and multi-line choice to the IntegerDelegate.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pads/integer_pad_view.hpp"
#include "pads/key_view.hpp"
#include "pads/pad_vocabulary.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class IntegerPracticeDataSource {
public:
    virtual ~IntegerPracticeDataSource() = default;
    using Examples = std::pair<std::vector<ui::AttributedText>, PadTables>;
    /// Fresh example lines and their entry tables for level `level` (0 for
    /// the first), the chosen option captions per group and row, and
    /// [[caption]] or [] for the multi-line choice; none when there is none.
    virtual std::optional<Examples> examplesRequested(std::int64_t level, const StringGrid& options,
                                                      const StringGrid& multiLine) = 0;
};

class UniversalIntegerPracticePadView : public KeyPressView, public PadDataEntryDelegate {
public:
    /// `flushOptions`: per option group and row, "YES" when choosing in that
    /// row refreshes the examples (missing entries count as not "YES").
    /// `inputs`: the entry tables of the examples shown at the start. Throws
    /// PreconditionError when a table, the levels or the examples exceed the
    /// view-tag limits or an option row has no choice.
    UniversalIntegerPracticePadView(gfx::Rect frame, const std::vector<std::string>& info, const PadTables& multiLine,
                                    const PadTables& options, const OptionDefaults& optionDefaults,
                                    StringGrid flushOptions, const std::vector<std::string>& levels,
                                    const std::vector<ui::AttributedText>& examples, PadTables inputs);

    IntegerPracticeDataSource* dataSource() const { return dataSource_; }
    void setDataSource(IntegerPracticeDataSource* dataSource) { dataSource_ = dataSource; }
    IntegerDelegate* delegate() const { return delegate_; }
    void setDelegate(IntegerDelegate* delegate) { delegate_ = delegate; }

    std::optional<std::int64_t> multiLineSelection() const { return multiLineSelection_; }
    const std::vector<std::vector<std::int64_t>>& optionsSelections() const { return optionsSelections_; }
    /// The chosen level's view tag (5121 + index), 0 without levels.
    std::int64_t levelSelection() const { return levelSelection_; }
    const PadTables& inputs() const { return inputs_; }
    const StringGrid& flushOptions() const { return flushOptions_; }
    std::int64_t exampleNumberOfRows() const { return exampleNumberOfRows_; }

    /// The key handler: "🤔", then "O", "L" and "M" + tag; anything else is ignored.
    void keyPressed(ui::Responder* sender) override;

private:
    bool flushes(std::int64_t group, std::int64_t row) const;
    std::int64_t levelIndex() const;
    void refresh(std::int64_t level);

    IntegerPracticeDataSource* dataSource_ = nullptr;
    IntegerDelegate* delegate_ = nullptr;
    std::optional<std::int64_t> multiLineSelection_;
    std::vector<std::vector<std::int64_t>> optionsSelections_;
    std::int64_t levelSelection_ = 0;
    PadTables inputs_;
    StringGrid flushOptions_;
    /// Example line j is the label of view-tag position exampleRowTagStart + j.
    static constexpr std::int64_t exampleRowTagStart = 0;
    std::int64_t exampleNumberOfRows_ = 0;
};

}  // namespace tl
