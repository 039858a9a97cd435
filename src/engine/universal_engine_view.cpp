#include "engine/universal_engine_view.hpp"

#include "platform/gfx/context.hpp"

namespace tl {

UniversalEngineView::UniversalEngineView(gfx::Rect frame) : ui::View(frame) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);
}

void UniversalEngineView::drawRect(gfx::Rect) { drawStep(); }

void UniversalEngineView::touchesBegan(const std::vector<ui::Touch>& touches) { handleStepTouches(touches); }

void UniversalEngineView::drawStep() {
    if (!dataSource) return;
    std::optional<std::int64_t> count = dataSource->numberOfSteps();
    if (!count) return;
    std::optional<Engine_Step> tables = dataSource->stepTables(step);
    if (!tables) return;
    std::optional<std::vector<std::string>> comments = dataSource->stepComments(step);
    if (!comments) return;
    totalSteps = *count;

    if (gfx::Context* context = gfx::currentContext())
        drawStepPage(*context, bounds().size(), *tables, *comments, totalSteps);
}

void UniversalEngineView::handleStepTouches(const std::vector<ui::Touch>& touches) {
    if (totalSteps <= 0 || touches.empty()) return;
    gfx::Point p = touches.front().locationIn(this);
    if (std::optional<std::int64_t> next = pageAfterTap(p, bounds().size(), step, totalSteps)) {
        step = *next;
        setNeedsDisplay();
    }
}

}  // namespace tl
