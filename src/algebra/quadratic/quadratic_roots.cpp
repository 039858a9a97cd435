#include "algebra/quadratic/quadratic_roots.hpp"

#include "algebra/quadratic/opening_steps.hpp"
#include "base/checked.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

/// n/d in lowest terms with a positive denominator.
Rational fraction(std::int64_t n, std::int64_t d) { return simplifyRational(makeDefaultRational(n, d)).value(); }

Quadratic_solution rationalRoot(std::int64_t n, std::int64_t d) {
    return makeQuadraticSolution(fraction(n, d), makeDefaultRational(0, 1), 0);
}

}  // namespace

QuadraticRoots quadraticSolution(const PolyEquation& e) {
    const Rational A = netCoefficient(e, 2), B = netCoefficient(e, 1), C = netCoefficient(e, 0);
    if (A.numerator == 0) return {};
    // Whole coefficients with a > 0: everything times ±lcm of the denominators.
    const std::int64_t L = lcm(lcm(A.denominator, B.denominator), C.denominator);
    const Rational k = makeDefaultRational(isNegativeRational(A).value() ? checked::neg(L) : L, 1);
    const std::int64_t a = multiplyRational(k, A)->numerator, b = multiplyRational(k, B)->numerator,
                       c = multiplyRational(k, C)->numerator;
    const std::int64_t D = checked::sub(checked::mul(b, b), checked::mul(checked::mul(4, a), c));
    const std::int64_t twoA = checked::mul(2, a), minusB = checked::neg(b);
    if (D < 0) return {};
    if (D == 0) return {rationalRoot(minusB, twoA), rationalRoot(minusB, twoA), Quadratic_status::rational_repeated};
    if (const auto r = exactSquareRoot(D))
        return {rationalRoot(checked::sub(minusB, *r), twoA), rationalRoot(checked::add(minusB, *r), twoA),
                Quadratic_status::rational_distinct};
    const SquareSplit split = splitSquareFactor(D).value();
    const Rational middle = fraction(minusB, twoA);
    return {makeQuadraticSolution(middle, fraction(checked::neg(split.squareFactor), twoA), split.rest),
            makeQuadraticSolution(middle, fraction(split.squareFactor, twoA), split.rest),
            Quadratic_status::irrational_distinct};
}

}  // namespace tl
