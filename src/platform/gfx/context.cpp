#include "platform/gfx/context.hpp"

namespace gfx {

namespace {
Context* gCurrent = nullptr;
}

Context* currentContext() { return gCurrent; }

ContextScope::ContextScope(Context* context) : previous_(gCurrent) { gCurrent = context; }
ContextScope::~ContextScope() { gCurrent = previous_; }

}  // namespace gfx
