// The exact real roots of a quadratic equation, a + b·√c each.
#pragma once

#include <optional>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"

namespace tl {

/// Both roots (the smaller first) and their kind; no roots for `none`.
struct QuadraticRoots {
    std::optional<Quadratic_solution> root1;
    std::optional<Quadratic_solution> root2;
    Quadratic_status status = Quadratic_status::none;
};

/// LHS − RHS = 0 read as A x² + B x + C = 0 (other exponents ignored), made
/// whole by the lcm of the denominators and the sign of A, and divided by
/// the common factor: a x² + b x + c with a > 0 and gcd(a, b, c) = 1.
/// D = b² − 4ac: below 0 none (of any size); 0 one repeated rational root; a
/// square two rational roots; otherwise (−b ∓ k√m)/2a with D = k²m, m free
/// of squares. A = 0 (no x² term) gives `none`. OverflowError where a, b or
/// c is 2¹²⁷ or more in size, D is 2¹²⁸ or more, or a part of a root does
/// not fit 64 bits. No denominator may be 0; the relation is not read.
QuadraticRoots quadraticSolution(const PolyEquation& e);

}  // namespace tl
