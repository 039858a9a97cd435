#include "platform/ui/dispatch.hpp"

#include <vector>

namespace ui {

namespace {
int gDepth = 0;
std::vector<std::unique_ptr<Responder>>& retired() {
    static std::vector<std::unique_ptr<Responder>> list;
    return list;
}
}  // namespace

DispatchScope::DispatchScope() { ++gDepth; }

DispatchScope::~DispatchScope() {
    if (gDepth == 1) {
        // Destructors may retire further objects; keep the scope open while
        // draining so those join the list instead of dying mid-loop.
        while (!retired().empty()) {
            auto batch = std::move(retired());
            retired().clear();
            batch.clear();
        }
    }
    --gDepth;
}

bool isDispatching() { return gDepth > 0; }

void destroyAfterDispatch(std::unique_ptr<Responder> object) {
    if (!object) return;
    if (gDepth == 0) {
        object.reset();
        return;
    }
    retired().push_back(std::move(object));
}

}  // namespace ui
