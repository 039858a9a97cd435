// Subtraction by trading, with the trades made column by column or all first.
#pragma once

#include "arithmetic/arithmetic_model.hpp"

namespace tl {

/// The steps of a − b by trading. With `tradeFirst` every column is checked
/// and traded before any column is subtracted; otherwise each column is
/// subtracted as soon as its trades are made.
StepTriple makeSubtractTradeSteps(const ModelFields& model, bool tradeFirst);

}  // namespace tl
