#include "platform/ui/responder.hpp"

#include "platform/ui/view.hpp"

namespace ui {

gfx::Point Touch::locationIn(const View* target) const {
    if (!target) return locationInWindow;
    return target->convertFromWindow(locationInWindow);
}

// The defaults hand touches on unchanged; each touch keeps its window
// location, so the next responder reads its own coordinates from it.
void Responder::touchesBegan(const std::vector<Touch>& touches) {
    if (Responder* next = nextResponder()) next->touchesBegan(touches);
}
void Responder::touchesMoved(const std::vector<Touch>& touches) {
    if (Responder* next = nextResponder()) next->touchesMoved(touches);
}
void Responder::touchesEnded(const std::vector<Touch>& touches) {
    if (Responder* next = nextResponder()) next->touchesEnded(touches);
}
void Responder::touchesCancelled(const std::vector<Touch>& touches) {
    if (Responder* next = nextResponder()) next->touchesCancelled(touches);
}

bool sendAction(std::string_view action, Responder* target, Responder* sender) {
    if (target) return target->performAction(action, sender);
    // Walk from the sender. A handler may navigate and destroy the sender and
    // everything between it and the handler, so once a responder answers
    // nothing on the chain is touched again.
    for (Responder* r = sender; r; r = r->nextResponder())
        if (r->performAction(action, sender)) return true;
    return false;
}

}  // namespace ui
