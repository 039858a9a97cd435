// Decimal text of the wide integers the card texts compute with (sums of
// two 64-bit values cannot overflow there).
#pragma once

#include <string>

#include "base/checked.hpp"

namespace tl::drills {

inline std::string decimal(checked::i128 value) {
    if (value == 0) return "0";
    bool negative = value < 0;
    std::string digits;
    while (value != 0) {
        int digit = static_cast<int>(value % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
        value /= 10;
    }
    return negative ? "-" + digits : digits;
}

}  // namespace tl::drills
