// What the two division builders share: reading the operands as typed, the
// division-by-zero pages and the "a simple case" short cut.
#pragma once

#include <optional>
#include <string>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"

namespace tl::detail {

struct Division {
    frame::Operands ops;
    frame::i64 q = 0, r = 0;
    std::string problemLine;  // "a ÷ b", as typed
    Engine_Table problem;
    Engine_Table answer;  // "a ÷ b = q", with " R r" when r ≠ 0
};

/// Reads dividend and divisor (digits only, leading zeros kept as typed),
/// their quotient and remainder (when the divisor is not 0) and the problem
/// and answer lines.
Division readDivision(const ModelFields& model);

/// The division-by-zero pages or the "a simple case" short cut, when one
/// applies: the finished solution; otherwise nothing, and `solution` is
/// left as it was.
std::optional<StepTriple> divisionShortCut(const Division& division, frame::Solution& solution);

}  // namespace tl::detail
