// The views a key press climbs to. Every key and selector button sends
// "keyPressed" with no target; the first of these views up the responder
// chain answers it with keyPressed(button). Keypads and displays hand the
// button on, unchanged, to their delegate (the pad); the pads handle it.
#pragma once

#include <string_view>

#include "pads/pad_vocabulary.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class KeyPressView : public ui::View {
public:
    using ui::View::View;

    /// `sender` is the pressed button.
    virtual void keyPressed(ui::Responder* sender) = 0;
    /// Answers "keyPressed" as keyPressed does; other actions go on up.
    bool performAction(std::string_view action, ui::Responder* sender) override;
};

class KeyForwardingView : public KeyPressView {
public:
    using KeyPressView::KeyPressView;

    PadDataEntryDelegate* delegate() const { return delegate_; }
    void setDelegate(PadDataEntryDelegate* delegate) { delegate_ = delegate; }

    /// Forwards `sender` to the delegate; without one the press is dropped.
    void keyPressed(ui::Responder* sender) override;

private:
    PadDataEntryDelegate* delegate_ = nullptr;
};

}  // namespace tl
