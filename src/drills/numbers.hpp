// Decimal text of the wide integers the card texts compute with (sums of
// two 64-bit values cannot overflow there).
#pragma once

#include <string>

#include "base/text.hpp"

namespace tl::drills {

inline std::string decimal(checked::i128 value) { return wideDecimal(value); }

}  // namespace tl::drills
