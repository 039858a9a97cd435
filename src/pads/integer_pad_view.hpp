// The entry panel of every strategy screen: prompt lines, an entry display
// and a digit keypad. The screen is its data source (digit limit, whether
// fields may be negative) and its delegate: "🤔" calls
// IntegerDelegate::stepsRequested with every field, option and multi-line
// choice as text.
//
//     auto pad = std::make_unique<tl::UniversalIntegerPadView>(
//         gfx::Rect{}, {"enter both numbers", "🤔 for steps"},
//         tl::PadTables{{{"0", "0"}}}, {}, {}, {}, {}, {});
//     pad->setDataSource(this);
//     pad->setDelegate(this);
//     // add it to the screen's view and pin its four edges
//
// Integer fields hold "0", "-0", or an optional "-" and at most
// maximumDigits digits without a leading zero ("0" or "-0" always takes
// one digit). The "." key does nothing. A key that needs the data source
// while none is set does nothing.
#pragma once

#include <cstdint>

#include "pads/entry_pad.hpp"

namespace tl {

class IntegerDataSource {
public:
    virtual ~IntegerDataSource() = default;
    /// The most characters an unsigned field may hold (a "-" adds one).
    virtual std::int64_t maximumDigits() = 0;
    /// Whether "+/-" adds and removes a leading "-".
    virtual bool allowsNegative() = 0;
};

class IntegerDelegate {
public:
    virtual ~IntegerDelegate() = default;
    /// The done key "🤔". `inputs`: every entry table, input tables first, then
    /// polynomial tables (each row followed by its arrow "➘" or "➚"), then
    /// fraction tables, "-0" sent as "0". `options`: per option group, the
    /// chosen caption of each row, blanks included. `multiLine`: [[caption]],
    /// or [] when the pad has no multi-line table.
    virtual void stepsRequested(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) = 0;
};

class UniversalIntegerPadView : public EntryPadView {
public:
    /// `info`: the prompt lines. `inputs`, `polynomials`, `fractions`: the
    /// entry tables (rows of cells, each cell its first text). `options`:
    /// option groups of rows of captions. `optionDefaults`: per group and
    /// row the starting choice (missing or outside its row: the first).
    /// `multiLine`: multi-line tables of captions. Throws PreconditionError
    /// when a table exceeds the view-tag limits (16 tables, 8 rows, 8 cells,
    /// 7 in a polynomial row) or an option row has no choice.
    UniversalIntegerPadView(gfx::Rect frame, const std::vector<std::string>& info, PadTables inputs,
                            PadTables polynomials, PadTables fractions, PadTables options,
                            const OptionDefaults& optionDefaults, PadTables multiLine);

    IntegerDataSource* dataSource() const { return dataSource_; }
    void setDataSource(IntegerDataSource* dataSource) { dataSource_ = dataSource; }
    IntegerDelegate* delegate() const { return delegate_; }
    void setDelegate(IntegerDelegate* delegate) { delegate_ = delegate; }

protected:
    std::optional<std::string> editedText(std::string_view key, const std::string& text) override;
    std::string sentInputText(const std::string& shown) const override;
    void requestSteps(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) override;

private:
    IntegerDataSource* dataSource_ = nullptr;
    IntegerDelegate* delegate_ = nullptr;
};

}  // namespace tl
