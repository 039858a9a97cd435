// The fourteen strategy screens: each one's class, and the table of what
// sets them apart (prompts, fields, options, digit limit, segue).
//
//     tl::registerStrategyScreens();           // classes into the registry
//     auto vc = tl::makeStrategyScreen("Add_Column_VC");
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "screens/strategy_screen.hpp"

namespace tl {

using Add_Column_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::addColumnSteps>;
using Add_Trade_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::addTradeSteps>;
using Add_Partial_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::addPartialSteps>;
using Subtract_Trade_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::subtractTradeSteps>;
using Subtract_Trade_First_VC =
    StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::subtractTradeFirstSteps>;
using Subtract_Partial_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::subtractPartialSteps>;
using Subtract_Count_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::subtractCountSteps>;
using Multiply_Standard_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::multiplyStandardSteps>;
using Multiply_Partial_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::multiplyPartialSteps>;
using Multiply_Lattice_VC = StrategyScreen<Multiply_Lattice_Model, &Multiply_Lattice_Model::solve>;
using Multiply_Grid_VC = StrategyScreen<Multiply_Grid_Model, &Multiply_Grid_Model::solve>;
using Divide_Standard_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::divideStandardSteps>;
using Divide_Partial_VC = StrategyScreen<New_Arithmetic_Model, &New_Arithmetic_Model::dividePartialSteps>;
using Partition_VC = StrategyScreen<Partition_Model, &Partition_Model::solve>;

/// The values of the fourteen screens, in menu order.
const std::vector<StrategyScreenValues>& strategyScreenValues();

/// A new screen of the class `className`; an unknown name is a PreconditionError.
std::unique_ptr<StrategyScreenBase> makeStrategyScreen(std::string_view className);

/// Registers the fourteen classes under their names.
void registerStrategyScreens();

}  // namespace tl
