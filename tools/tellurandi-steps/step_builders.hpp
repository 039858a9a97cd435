// The step builders the tool can run, by name.
#pragma once

#include <span>
#include <string_view>

#include "arithmetic/arithmetic_model.hpp"

namespace tl::steps_tool {

struct StepBuilderEntry {
    std::string_view name;   // as typed on the command line
    std::string_view usage;  // the fields and options it reads, for --list
    StepTriple (*run)(const ModelFields& fields);
};

/// Every builder the tool knows, in the order --list shows them.
std::span<const StepBuilderEntry> stepBuilders();

/// The builder called `name`, or nullptr.
const StepBuilderEntry* findStepBuilder(std::string_view name);

}  // namespace tl::steps_tool
