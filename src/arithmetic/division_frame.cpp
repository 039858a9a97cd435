#include "arithmetic/division_frame.hpp"

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"

namespace tl::detail {

namespace {

// The pad sends digits only. Leading zeros are kept as typed; a sign is
// refused, since the partial-quotients loop never ends for a negative divisor.
void requireDigits(const std::string& text) {
    require(frame::isDigitString(text), "division operand is not a digit string: \"" + text + "\"");
}

}  // namespace

Division readDivision(const ModelFields& model) {
    Division d;
    d.ops = frame::readOperands(model, frame::OperandForm::integer);
    requireDigits(d.ops.aText);
    requireDigits(d.ops.bText);
    d.problemLine = frame::problemText(d.ops, frame::kDivide);
    d.problem = messageTable(d.problemLine);
    if (d.ops.b == 0) return d;
    d.q = checked::div(d.ops.a, d.ops.b);
    d.r = checked::rem(d.ops.a, d.ops.b);
    std::string answerLine = frame::answerText(d.problemLine, d.q);
    if (d.r != 0) answerLine += " R " + frame::decimal(d.r);
    d.answer = messageTable(answerLine);
    return d;
}

std::optional<StepTriple> divisionShortCut(const Division& d, frame::Solution& solution) {
    if (d.ops.b == 0)
        return std::move(solution).shortCut(frame::kDivisionByZero,
                                            messageTable(d.problemLine + " IS NOT DEFINED"));
    if (d.ops.a == 0 || isPowerOfTenText(d.ops.bText) || d.ops.b >= d.ops.a ||
        (d.ops.b < 10 && d.q <= 10 && d.r == 0))
        return std::move(solution).shortCut(frame::kSimpleCase, d.answer);
    return std::nullopt;
}

}  // namespace tl::detail
