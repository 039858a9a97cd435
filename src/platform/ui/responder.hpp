// The responder chain and target-action.
//
// An action is a name (such as "keyPressed"). A control sends its action to
// its target, or, with no target, along the responder chain from itself to
// the first responder whose `performAction` answers it; an action nobody
// answers is dropped. Touches travel the same chain.
#pragma once

#include <string_view>
#include <vector>

#include "platform/gfx/geometry.hpp"

namespace ui {

class View;
class Responder;

enum class TouchPhase { began, moved, ended, cancelled };

/// One touch, as delivered to a view: its location is in that view's coordinates.
struct Touch {
    gfx::Point locationInWindow;
    TouchPhase phase = TouchPhase::began;
    View* view = nullptr;  // the hit view the touch belongs to
    gfx::Point locationIn(const View* view) const;
};

class Responder {
public:
    virtual ~Responder() = default;
    Responder() = default;
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    /// The next object along the chain (view → superview or its view
    /// controller → … → window → application → application delegate).
    virtual Responder* nextResponder() const { return nullptr; }

    /// Handles `action` sent by `sender` and returns true, or returns false
    /// when this responder does not answer that action.
    virtual bool performAction(std::string_view action, Responder* sender) {
        (void)action;
        (void)sender;
        return false;
    }

    /// Touch handlers; the default passes the touches up the chain.
    virtual void touchesBegan(const std::vector<Touch>& touches);
    virtual void touchesMoved(const std::vector<Touch>& touches);
    virtual void touchesEnded(const std::vector<Touch>& touches);
    virtual void touchesCancelled(const std::vector<Touch>& touches);
};

/// Sends `action` from `sender`: to `target` when given, else along the
/// chain starting at `sender`. Returns whether someone answered.
bool sendAction(std::string_view action, Responder* target, Responder* sender);

}  // namespace ui
