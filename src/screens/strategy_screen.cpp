#include "screens/strategy_screen.hpp"

#include "base/errors.hpp"
#include "common/items.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/ui/layout.hpp"

namespace tl {

StepTriple unexpectedErrorSolution() {
    StepTriple solution;
    solution.steps = {{messageTable("unexpected error")}};
    solution.comments = {{"oops"}};
    solution.parameters = {"NO PARAMETERS"};
    return solution;
}

StrategyScreenBase::StrategyScreenBase(StrategyScreenValues values)
    : values_(std::move(values)),
      unplaced_(std::make_unique<UniversalIntegerPadView>(gfx::Rect{}, values_.info, values_.inputs, PadTables{},
                                                          PadTables{}, values_.options, OptionDefaults{},
                                                          PadTables{})),
      pad_(unplaced_.get()) {}

StrategyScreenBase::~StrategyScreenBase() = default;

void StrategyScreenBase::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    pad_->setDataSource(this);
    pad_->setDelegate(this);
    if (unplaced_) view()->addSubview(std::move(unplaced_));

    ui::LayoutGuide* safe = safeAreaLayoutGuide();
    pad_->topAnchor().constraintEqualTo(safe->topAnchor(), kPadInset)->setActive(true);
    pad_->bottomAnchor().constraintEqualTo(safe->bottomAnchor(), -kPadInset)->setActive(true);
    pad_->leadingAnchor().constraintEqualTo(safe->leadingAnchor(), kPadInset)->setActive(true);
    pad_->trailingAnchor().constraintEqualTo(safe->trailingAnchor(), -kPadInset)->setActive(true);
}

void StrategyScreenBase::stepsRequested(const PadTables& inputs, const StringGrid& options,
                                        const StringGrid& multiLine) {
    ModelFields& model = mutableModelFields();
    model.inputs = inputs;
    model.options = options;
    model.multiLine = multiLine;
    performSegue(values_.segue, this);
}

void StrategyScreenBase::prepareForSegue(ui::StoryboardSegue& segue, ui::Responder*) {
    if (segue.identifier != values_.segue) return;
    auto* destination = dynamic_cast<UniversalEngineVC*>(segue.destination);
    StepTriple solution;
    try {
        solution = buildSteps();
    } catch (const PreconditionError&) {
        // The pad only sends what the builders accept; should one still
        // refuse it, the learner sees a page that says so and can go back.
        solution = unexpectedErrorSolution();
    }
    if (!destination) return;
    destination->detailSteps = std::move(solution.steps);
    destination->detailComments = std::move(solution.comments);
    destination->detailParameters = std::move(solution.parameters);
}

}  // namespace tl
