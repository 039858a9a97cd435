#include "step_builders.hpp"

namespace tl::steps_tool {

namespace {

// Runs `method` on a model of type Model holding the given fields.
template <class Model, StepTriple (Model::*method)() const>
StepTriple call(const ModelFields& fields) {
    Model model;
    static_cast<ModelFields&>(model) = fields;
    return (model.*method)();
}

using Arithmetic = New_Arithmetic_Model;

// To add a builder, add one line: its name, what it reads, and call<Model, &Model::method>.
constexpr StepBuilderEntry kBuilders[] = {
    {"addColumnSteps", "A B", call<Arithmetic, &Arithmetic::addColumnSteps>},
    {"addPartialSteps", "A B --option \" left to right \"|\" right to left \"",
     call<Arithmetic, &Arithmetic::addPartialSteps>},
    {"subtractPartialSteps", "A B --option \" left to right \"|\" right to left \"",
     call<Arithmetic, &Arithmetic::subtractPartialSteps>},
    {"addTradeSteps", "A B", call<Arithmetic, &Arithmetic::addTradeSteps>},
    {"subtractTradeSteps", "A B", call<Arithmetic, &Arithmetic::subtractTradeSteps>},
    {"subtractTradeFirstSteps", "A B", call<Arithmetic, &Arithmetic::subtractTradeFirstSteps>},
    {"subtractCountSteps", "A B --option \" count up \"|\" count down \"",
     call<Arithmetic, &Arithmetic::subtractCountSteps>},
    {"multiplyPartialSteps", "A B --option \" left to right \"|\" right to left \"",
     call<Arithmetic, &Arithmetic::multiplyPartialSteps>},
    {"multiplyStandardSteps", "A B", call<Arithmetic, &Arithmetic::multiplyStandardSteps>},
    {"dividePartialSteps", "A B", call<Arithmetic, &Arithmetic::dividePartialSteps>},
    {"divideStandardSteps", "A B", call<Arithmetic, &Arithmetic::divideStandardSteps>},
    {"multiplyLatticeSteps",
     "A B --option \" top \"|\" bottom \" --option \" left \"|\" right \" --row --option \" row \"|\" column \" "
     "--option \" flyback \"|\" snake \"",
     call<Multiply_Lattice_Model, &Multiply_Lattice_Model::solve>},
    {"multiplyGridSteps",
     "A B --option \" top \"|\" bottom \" --option \" left \"|\" right \" --row --option \" row \"|\" column \" "
     "--option \" flyback \"|\" snake \"",
     call<Multiply_Grid_Model, &Multiply_Grid_Model::solve>},
    {"partitionSteps", "N", call<Partition_Model, &Partition_Model::solve>},
};

}  // namespace

std::span<const StepBuilderEntry> stepBuilders() { return kBuilders; }

const StepBuilderEntry* findStepBuilder(std::string_view name) {
    for (const auto& entry : kBuilders)
        if (entry.name == name) return &entry;
    return nullptr;
}

}  // namespace tl::steps_tool
