// Reading a rational expression: a factored polynomial, or two joined by "/",
// the numerator over the denominator, such as "(x + 1)(x + 2)/((x + 1)(x + 3))",
// "3x(x - 2)" (over 1) or "(2x^2 + 4x)/(6x)". Each part is read as the equation
// reader reads a factored polynomial; parentheses around a whole part only
// delimit it and are not kept, so "(2x^2 + 4x)" is the one group 2x² + 4x.
// A "/" followed by a whole number divides the term before it ("x/2" is ½x).
// Anything else is refused with its character column and a message.
#pragma once

#include <string_view>

#include "algebra/rational_expression.hpp"
#include "algebra/reader.hpp"

namespace tl {

ReadResult<Rational_Expression> readRationalExpression(std::string_view text);

}  // namespace tl
