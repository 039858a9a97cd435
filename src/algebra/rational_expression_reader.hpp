// Reading a rational expression: a factored polynomial, or two joined by "/",
// the numerator over the denominator, such as "(x + 1)(x + 2)/((x + 1)(x + 3))",
// "3x(x - 2)" (over 1) or "(2x^2 + 4x)/(6x)". Each part is read as the equation
// reader reads a factored polynomial; parentheses around a whole part only
// delimit it and are not kept, so "(2x^2 + 4x)" is the one group 2x² + 4x.
// The fraction bar is the last "/" outside parentheses: "6/4" is 6 over 4 and
// "3x/(-2)" is 3x over −2. A fractional coefficient is written in parentheses,
// "(1/2)x/(x + 1)"; a "/" before the bar is read as in the numerator of an
// equation ("x/2 / (x - 1)" is ½x over x − 1).
// Beside the bar each part is one term: a sum is written in parentheses, so
// "x/2 + 1" and "x + 1/2" are refused, not read as x over 2 + 1 or x + 1
// over 2. An expression is in one letter (any of x, y and z; constants take
// none, and are kept in "x" however written: y⁰ as 1), has no coefficient
// over 0, and its denominator is not the zero polynomial ("x/0", "1/(x - x)"):
// such an expression has no value.
// Anything else is refused with its character column and a message.
//
// A polynomial, as the factoring operations take it, is read as one part of
// an expression is: a factored polynomial in one letter with no coefficient
// over 0, refused with the same columns and messages.
#pragma once

#include <string_view>

#include "algebra/rational_expression.hpp"
#include "algebra/reader.hpp"

namespace tl {

ReadResult<Rational_Expression> readRationalExpression(std::string_view text);
/// readFactoredPolynomial's text (its refusals too), in one letter and
/// without a coefficient over 0.
ReadResult<Polynomial_XL> readPolynomial(std::string_view text);

}  // namespace tl
