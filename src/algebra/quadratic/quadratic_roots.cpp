#include "algebra/quadratic/quadratic_roots.hpp"

#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/wide_rational.hpp"
#include "base/checked.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

using checked::i128;
using checked::u128;

[[noreturn]] void beyond128Bits() { throw OverflowError("the roots' arithmetic beyond 128 bits"); }

using checked::wideAdd;
using checked::wideMul;

u128 times(u128 a, u128 b) {
    u128 r;
    if (__builtin_mul_overflow(a, b, &r)) beyond128Bits();
    return r;
}

i128 lcm128(i128 a, i128 b) { return wideMul(a / static_cast<i128>(magnitudeGcd(a, b)), b); }

/// n/d in lowest terms with a positive denominator, as written on a page:
/// OverflowError where a part does not fit 64 bits.
Rational fraction(i128 n, i128 d) { return narrowed(wideRational(n, d)); }

Quadratic_solution rationalRoot(i128 n, i128 d) {
    return makeQuadraticSolution(fraction(n, d), makeDefaultRational(0, 1), 0);
}

/// The discriminant b² − 4ac as a sign and a size, exactly.
struct Discriminant {
    int sign = 0;
    u128 size = 0;
};
Discriminant discriminant(i128 a, i128 b, i128 c) {
    const u128 bb = times(checked::magnitude(b), checked::magnitude(b));
    const bool positiveAC = (a < 0) == (c < 0) && a != 0 && c != 0;
    u128 fourAC;
    if (__builtin_mul_overflow(u128{4} * checked::magnitude(a), checked::magnitude(c), &fourAC) ||
        checked::magnitude(a) >> 126 != 0) {
        if (positiveAC) return {-1, 0};  // 4ac ≥ 2¹²⁸ > b²: below 0, whatever its size
        beyond128Bits();
    }
    if (positiveAC) {
        if (bb == fourAC) return {};
        return bb > fourAC ? Discriminant{1, bb - fourAC} : Discriminant{-1, fourAC - bb};
    }
    const u128 sum = bb + fourAC;
    if (sum < bb) beyond128Bits();
    return {sum == 0 ? 0 : 1, sum};
}

}  // namespace

QuadraticRoots quadraticSolution(const PolyEquation& e) {
    const WideRational A = netCoefficient(e, 2), B = netCoefficient(e, 1), C = netCoefficient(e, 0);
    if (A.numerator == 0) return {};
    // Whole coefficients with a > 0: everything times ±lcm of the
    // denominators, in 128 bits; only the roots are narrowed to 64.
    const i128 L = lcm128(lcm128(A.denominator, B.denominator), C.denominator);
    const i128 k = A.numerator < 0 ? -L : L;
    const auto whole = [&](const WideRational& r) { return wideMul(r.numerator, k / r.denominator); };
    const i128 a = whole(A), b = whole(B), c = whole(C);
    const Discriminant D = discriminant(a, b, c);
    const i128 twoA = wideMul(2, a), minusB = wideMul(b, -1);
    if (D.sign < 0) return {};
    if (D.sign == 0) return {rationalRoot(minusB, twoA), rationalRoot(minusB, twoA), Quadratic_status::rational_repeated};
    if (const u128 r = wideFloorSquareRoot(D.size); r * r == D.size) {
        const auto root = static_cast<i128>(r);  // below 2⁶⁵
        return {rationalRoot(wideAdd(minusB, -root), twoA), rationalRoot(wideAdd(minusB, root), twoA),
                Quadratic_status::rational_distinct};
    }
    // Roots written as −b/2a ± (k/2a)√m: m must fit 64 bits, and a part of D
    // beyond them that cannot be split is left in m whole, so is refused.
    const WideSquareSplit split = splitWideSquareFactor(D.size);
    if (split.rest > static_cast<u128>(checked::kMax)) throw OverflowError("64-bit overflow");
    const auto m = static_cast<std::int64_t>(split.rest);
    const auto squareFactor = static_cast<i128>(split.squareFactor);  // below 2⁶⁴
    const Rational middle = fraction(minusB, twoA);
    return {makeQuadraticSolution(middle, fraction(-squareFactor, twoA), m),
            makeQuadraticSolution(middle, fraction(squareFactor, twoA), m), Quadratic_status::irrational_distinct};
}

}  // namespace tl
