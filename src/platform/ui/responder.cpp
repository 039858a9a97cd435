#include "platform/ui/responder.hpp"

#include "platform/ui/view.hpp"

namespace ui {

ResponderHandle::ResponderHandle(const Responder* responder) {
    if (responder) self_ = responder->self_;
}

Responder* ResponderHandle::get() const {
    auto p = self_.lock();
    return p ? *p : nullptr;
}

Responder::Responder() : self_(std::make_shared<Responder*>(this)) {}

Responder::~Responder() { forgetHandles(); }

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
    // everything between it and itself, so once a responder answers nothing
    // on the chain is touched again; one that does not answer is asked for
    // the next only if it still exists.
    for (Responder* r = sender; r;) {
        ResponderHandle alive(r);
        if (r->performAction(action, sender)) return true;
        if (!alive) return false;
        r = r->nextResponder();
    }
    return false;
}

}  // namespace ui
