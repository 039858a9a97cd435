// What the integer pad and the real-number pad share: a prompt panel, an
// entry display and a keypad stacked full width with 5-point gaps (prompt
// panel and display sized as ratios of the keypad's height: prompt lines /
// 7.5, display lines / 6), the selections, and the handling of every key
// except the digit, point and sign rules and what the done key hands over.
//
// Presses arrive through PadDataEntryDelegate::keyPressed (the keypad and
// the display forward their buttons) and are told apart by title: the keys
// "0"-"9", ".", "C", "DEL", "+/-", "🤔", then the selector titles "I"/"P"/"F"
// + tag (select a field), "P_option" + tag (turn a polynomial row's arrow
// over), "O" + tag (choose an option) and "M" + tag (choose a multi-line
// caption). Anything else is ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pads/key_view.hpp"
#include "pads/pad_vocabulary.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class EntryPadView : public KeyPressView, public PadDataEntryDelegate {
public:
    /// The view tag of the field the editing keys change; none when the pad
    /// has no entry field.
    std::optional<std::int64_t> selection() const { return selection_; }
    const PadTables& inputs() const { return inputs_; }
    const PadTables& polynomials() const { return polynomials_; }
    const PadTables& fractions() const { return fractions_; }
    /// The view tag of the chosen multi-line caption; none without one.
    std::optional<std::int64_t> multiLineSelection() const { return multiLineSelection_; }
    const PadTables& multiLine() const { return multiLine_; }
    /// Per option group and row, the view tag of the chosen caption.
    const std::vector<std::vector<std::int64_t>>& optionsSelections() const { return optionsSelections_; }
    const PadTables& options() const { return options_; }

    /// The key handler. `sender` must be a button; a selector title whose
    /// rest is no decimal tag, or an option tag outside the option rows, is
    /// a PreconditionError (the display builds neither).
    void keyPressed(ui::Responder* sender) override;

protected:
    /// Builds and lays out the prompt panel, the entry display and the keypad.
    /// Throws PreconditionError when a table exceeds the view-tag limits or an
    /// option row has no choice.
    EntryPadView(gfx::Rect frame, const std::vector<std::string>& info, PadTables inputs, PadTables polynomials,
                 PadTables fractions, PadTables options, const OptionDefaults& optionDefaults, PadTables multiLine);

    /// The selected field's new text after the editing key `key` ("0"-"9",
    /// ".", "C", "DEL" or "+/-"), or none when the key leaves it.
    virtual std::optional<std::string> editedText(std::string_view key, const std::string& text) = 0;
    /// What the done key sends for an input field showing `shown`.
    virtual std::string sentInputText(const std::string& shown) const = 0;
    /// Hands the collected lists to the delegate, when there is one.
    virtual void requestSteps(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) = 0;

private:
    void selectField(std::int64_t tag, ui::Label* current);
    void turnArrow(std::int64_t tag);
    void chooseOption(std::int64_t tag);
    void done();
    bool isEntryField(std::int64_t tag) const;

    std::optional<std::int64_t> selection_;
    PadTables inputs_;
    PadTables polynomials_;
    PadTables fractions_;
    std::optional<std::int64_t> multiLineSelection_;
    PadTables multiLine_;
    std::vector<std::vector<std::int64_t>> optionsSelections_;
    PadTables options_;
};

}  // namespace tl
