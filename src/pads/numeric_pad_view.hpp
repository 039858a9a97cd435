// The four-row keypad of the integer and real-number pads:
//
//     "7" "8" "9" "+/-" / "4" "5" "6" "C" / "1" "2" "3" "DEL" / "0" "." "🤔"
//
// Light-gray keys with black titles at the base text size ("🤔" at 1.5×, each
// shrunk to fit its key), 1 point apart, rows of equal height; in the last
// row "0" is twice as wide as "." and "🤔". Every key sends the action
// "keyPressed" (kKeyPressedAction) with no target; it climbs the responder
// chain (key → row → container → keypad) and the keypad hands the key,
// unchanged, to its delegate.
#pragma once

#include <string>
#include <vector>

#include "pads/base_sized_view.hpp"
#include "pads/key_view.hpp"
#include "pads/pad_vocabulary.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class UniversalNumericPadView : public BaseSizedView<KeyForwardingView> {
public:
    explicit UniversalNumericPadView(gfx::Rect frame = {});

    /// The key titles, row by row.
    static const std::vector<std::vector<std::string>>& keyTitles();

protected:
    void sizeTexts(double base) override;
};

}  // namespace tl
