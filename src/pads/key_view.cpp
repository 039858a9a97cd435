#include "pads/key_view.hpp"

namespace tl {

bool KeyPressView::performAction(std::string_view action, ui::Responder* sender) {
    if (action != kKeyPressedAction) return ui::View::performAction(action, sender);
    keyPressed(sender);
    return true;
}

void KeyForwardingView::keyPressed(ui::Responder* sender) {
    if (delegate_) delegate_->keyPressed(sender);
}

}  // namespace tl
