#include "engine/universal_engine_vc.hpp"

#include "platform/ui/layout.hpp"

namespace tl {

UniversalEngineVC::UniversalEngineVC()
    : unplaced_(std::make_unique<UniversalEngineView>(gfx::Rect{})), view_(unplaced_.get()) {}

UniversalEngineVC::~UniversalEngineVC() = default;

void UniversalEngineVC::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    view_->dataSource = this;
    ui::View* root = view();
    if (unplaced_) root->addSubview(std::move(unplaced_));

    ui::LayoutGuide* safe = safeAreaLayoutGuide();
    view_->topAnchor().constraintEqualTo(safe->topAnchor(), kStepViewInset)->setActive(true);
    view_->bottomAnchor().constraintEqualTo(safe->bottomAnchor(), -kStepViewInset)->setActive(true);
    view_->leadingAnchor().constraintEqualTo(safe->leadingAnchor(), kStepViewInset)->setActive(true);
    view_->trailingAnchor().constraintEqualTo(safe->trailingAnchor(), -kStepViewInset)->setActive(true);
}

std::optional<std::int64_t> UniversalEngineVC::numberOfSteps() {
    return static_cast<std::int64_t>(detailSteps.size());
}

std::optional<Engine_Step> UniversalEngineVC::stepTables(std::int64_t step) {
    if (step < 0 || static_cast<std::size_t>(step) >= detailSteps.size()) return std::nullopt;
    return detailSteps[static_cast<std::size_t>(step)];
}

std::optional<std::vector<std::string>> UniversalEngineVC::stepComments(std::int64_t step) {
    if (step < 0 || static_cast<std::size_t>(step) >= detailComments.size()) return std::nullopt;
    return detailComments[static_cast<std::size_t>(step)];
}

std::optional<std::vector<std::string>> UniversalEngineVC::stepParameters() { return detailParameters; }

}  // namespace tl
