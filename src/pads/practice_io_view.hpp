// The lower panel of the practice pad, top to bottom: one line per
// multi-line table, one per option group, one level line, the example lines
// and a done key "🤔" of its own (120-point title, width following it).
// Choices are value labels (white, the starting ones green) over clear
// selector buttons titled "M", "O" or "L" + view tag; example lines are
// labels tagged 6145 + j without buttons. Every press climbs the responder
// chain as "keyPressed" to this display and goes to its delegate unchanged.
//
// Lines are as high as the first choice line's cells (5 points apart, 10
// before the examples), the done key twice that. Missing parts (no choice
// line, no example line) close up: each item ties to the next one present.
#pragma once

#include <string>
#include <vector>

#include "pads/base_sized_view.hpp"
#include "pads/key_view.hpp"
#include "pads/pad_vocabulary.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class UniversalIntegerPracticeIOView : public BaseSizedView<KeyForwardingView> {
public:
    /// Throws PreconditionError when a table, the levels or the example
    /// lines exceed the view-tag limits.
    UniversalIntegerPracticeIOView(gfx::Rect frame, const PadTables& multiLine, const PadTables& options,
                                   const OptionDefaults& optionDefaults, const std::vector<std::string>& levels,
                                   const std::vector<ui::AttributedText>& examples);

    /// The size of the done key's title.
    static constexpr double kDoneKeySize = 120;

protected:
    void sizeTexts(double base) override;
};

}  // namespace tl
