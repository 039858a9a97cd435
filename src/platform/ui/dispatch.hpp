// Event dispatch scopes and deferred destruction.
//
// A screen may be popped from inside its own event handling (a button on
// it goes back). Destroying it there would pull the views out from under the
// code that is still running on the stack, so objects retired during a
// dispatch live until the outermost dispatch scope ends.
#pragma once

#include <memory>

#include "platform/ui/responder.hpp"

namespace ui {

/// Marks an event dispatch for its lifetime (nests).
class DispatchScope {
public:
    DispatchScope();
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

/// Whether an event dispatch is running.
bool isDispatching();

/// Destroys `object` now, or, during a dispatch, when the outermost scope ends.
void destroyAfterDispatch(std::unique_ptr<Responder> object);

}  // namespace ui
