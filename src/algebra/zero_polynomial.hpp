// Whether a factored polynomial is the zero polynomial, as a denominator must
// not be: 0, 0x, x − x, (x + 1)(0) and (x + 1)² − (x² + 2x + 1) are; 0^0 is 1,
// as everywhere in the engine.
//
// The value is first evaluated modulo two primes at a few points: a value
// that is not 0 there proves the polynomial non-zero, whatever its degree or
// the size of its numbers. Only a value that vanishes at every point is
// written out exactly, like powers gathered, to decide.
#pragma once

#include "algebra/values.hpp"

namespace tl {

/// The last group is the zero polynomial. A coefficient with denominator 0, or
/// a factor that points at no group or at a group that holds itself, is a
/// PreconditionError. So is writing out a value of several letters that
/// multiplies groups, or of a degree above kMaxDividedDegree; numbers beyond
/// 64 bits there are an OverflowError, and a value that takes more than
/// 2,000,000 products of coefficients is refused too. Only a value that is 0
/// modulo both primes at every point tried is written out, so a value that is
/// not 0 meets none of these unless both primes divide it there.
bool isZeroPolynomialXL(const Polynomial_XL& polynomial);

}  // namespace tl
