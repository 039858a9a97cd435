// The shape every strategy screen shares: a model value, the identifier of
// the segue to the step screen, and an integer pad filling the safe area.
//
// The screen is its pad's data source (digit limit, no negative numbers) and
// delegate: "🤔" stores the pad's texts in the model and performs the segue;
// while the segue is prepared the model's step builder runs on a copy and the
// step screen receives its pages, comments and parameters. What differs from
// screen to screen is data (StrategyScreenValues) plus the model type and
// builder, which are the template's arguments.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "common/tableau.hpp"
#include "pads/integer_pad_view.hpp"
#include "platform/ui/view_controller.hpp"

namespace tl {

/// What sets one strategy screen apart from the others.
struct StrategyScreenValues {
    std::string className;          // the class the storyboard's scene names
    std::string segue;              // theSegue: the class name with "_VC" → "_Segue"
    std::vector<std::string> info;  // the prompt lines
    PadTables inputs;               // entry fields with their starting texts
    PadTables options;              // option groups: rows of choices, the first chosen
    std::int64_t maximumDigits = 4;
    bool allowsNegative = false;
};

/// The inset of the pad inside the safe area, on every side.
inline constexpr double kPadInset = 5;

/// The page shown instead of a solution whose builder broke a precondition:
/// one page with the message "unexpected error" (comment "oops").
StepTriple unexpectedErrorSolution();

class StrategyScreenBase : public ui::ViewController, public IntegerDelegate, public IntegerDataSource {
public:
    ~StrategyScreenBase() override;

    const StrategyScreenValues& values() const { return values_; }
    const std::string& theSegue() const { return values_.segue; }
    UniversalIntegerPadView* thePadView() const { return pad_; }

    void viewDidLoad() override;
    std::int64_t maximumDigits() override { return values_.maximumDigits; }
    bool allowsNegative() override { return values_.allowsNegative; }
    void stepsRequested(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) override;
    /// For the segue named theSegue: builds the steps on a copy of the model
    /// and, when the destination is a UniversalEngineVC, hands them over. A
    /// builder that breaks a precondition yields unexpectedErrorSolution().
    void prepareForSegue(ui::StoryboardSegue& segue, ui::Responder* sender) override;

    /// The model's three lists, as the screen stores them.
    virtual const ModelFields& modelFields() const = 0;

protected:
    explicit StrategyScreenBase(StrategyScreenValues values);
    virtual ModelFields& mutableModelFields() = 0;
    /// Runs the builder on a copy of the model.
    virtual StepTriple buildSteps() const = 0;

private:
    StrategyScreenValues values_;
    std::unique_ptr<UniversalIntegerPadView> unplaced_;  // owned here until viewDidLoad places it
    UniversalIntegerPadView* pad_;
};

/// One strategy screen: `Model` is its model type, `Builder` the step builder
/// prepareForSegue runs.
template <class Model, StepTriple (Model::*Builder)() const>
class StrategyScreen final : public StrategyScreenBase {
public:
    explicit StrategyScreen(StrategyScreenValues values) : StrategyScreenBase(std::move(values)) {}

    Model theModel;

    const ModelFields& modelFields() const override { return theModel; }

protected:
    ModelFields& mutableModelFields() override { return theModel; }
    StepTriple buildSteps() const override {
        const Model copy = theModel;
        return (copy.*Builder)();
    }
};

}  // namespace tl
