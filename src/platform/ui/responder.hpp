// The responder chain and target-action.
//
// An action is a name (such as "keyPressed"). A control sends its action to
// its target, or, with no target, along the responder chain from itself to
// the first responder whose `performAction` answers it; an action nobody
// answers is dropped. Touches travel the same chain.
#pragma once

#include <memory>
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

/// Tells whether a responder still exists: a handler may destroy the
/// objects around it (a screen popped from inside its own action).
class ResponderHandle {
public:
    ResponderHandle() = default;
    explicit ResponderHandle(const Responder* responder);
    /// The responder, or nullptr once it has been destroyed.
    Responder* get() const;
    explicit operator bool() const { return get() != nullptr; }

private:
    std::weak_ptr<Responder*> self_;
};

class Responder {
public:
    virtual ~Responder();
    Responder();
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    /// A handle that turns null when this responder is destroyed.
    ResponderHandle responderHandle() const { return ResponderHandle(this); }

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

protected:
    /// Turns this responder's handles null now, for a subclass whose
    /// destruction must not be seen through them while it runs.
    void forgetHandles() { *self_ = nullptr; }

private:
    friend class ResponderHandle;
    std::shared_ptr<Responder*> self_;  // the liveness token behind the handles
};

/// Sends `action` from `sender`: to `target` when given, else along the
/// chain starting at `sender`. Returns whether someone answered. A responder
/// that does not answer but destroys itself meanwhile ends the walk: the
/// action is dropped.
bool sendAction(std::string_view action, Responder* target, Responder* sender);

}  // namespace ui
