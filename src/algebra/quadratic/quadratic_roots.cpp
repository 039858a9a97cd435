#include "algebra/quadratic/quadratic_roots.hpp"

#include <array>

#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/wide_rational.hpp"
#include "base/checked.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

using checked::u128;
using checked::Wide256;

[[noreturn]] void beyond128Bits() { throw OverflowError("the roots' arithmetic beyond 128 bits"); }

/// A whole number as a sign and a size; the sizes here stay below 2¹²⁸.
struct Signed {
    bool negative = false;
    u128 size = 0;
};

u128 times(u128 a, u128 b) {
    u128 r;
    if (__builtin_mul_overflow(a, b, &r)) beyond128Bits();
    return r;
}

u128 lcm(u128 a, u128 b) { return times(a / checked::wideGcd(a, b), b); }

/// The whole coefficients a, b, c of A x² + B x + C = 0 with a > 0 and no
/// common factor: each numerator over the gcd G of the numerators, times the
/// lcm L of the denominators over its own denominator. (A prime dividing
/// all three would divide L: the numerator over G of a term whose
/// denominator holds its highest power in L would then share it with that
/// denominator.) L itself is never formed: L over one denominator is the
/// lcm of the other two, each over its gcd with that one. Each size below
/// 2¹²⁷, else OverflowError.
std::array<Signed, 3> wholeWithoutCommonFactor(const std::array<WideRational, 3>& r) {
    const auto size = [](const WideRational& q) { return checked::magnitude(q.numerator); };
    const u128 G = checked::wideGcd(checked::wideGcd(size(r[0]), size(r[1])), size(r[2]));
    const bool flip = r[0].numerator < 0;
    std::array<Signed, 3> whole;
    for (std::size_t i = 0; i < 3; ++i) {
        if (r[i].numerator == 0) continue;
        const auto d = static_cast<u128>(r[i].denominator);
        const auto over = [d](const WideRational& other) {
            const auto e = static_cast<u128>(other.denominator);
            return e / checked::wideGcd(d, e);
        };
        const u128 w = times(size(r[i]) / G, lcm(over(r[(i + 1) % 3]), over(r[(i + 2) % 3])));
        if (w >> 127 != 0) beyond128Bits();
        whole[i] = {(r[i].numerator < 0) != flip, w};
    }
    return whole;
}

/// x + y for x below 2¹²⁷ and y below 2⁶⁴ in size.
Signed plus(Signed x, Signed y) {
    if (x.negative == y.negative) return {x.negative, x.size + y.size};
    return x.size >= y.size ? Signed{x.negative, x.size - y.size} : Signed{y.negative, y.size - x.size};
}

/// n/2a in lowest terms for a > 0, as written on a page: OverflowError
/// where a part does not fit 64 bits (−2⁶³ fits).
Rational overTwice(Signed n, u128 a) {
    const u128 g = checked::wideGcd(n.size, a);
    u128 numerator = n.size / g, denominator = a / g;  // a below 2¹²⁷: 2a fits
    if (numerator % 2 == 0) numerator /= 2;
    else denominator *= 2;
    if (numerator > u128{1} << 63 || denominator > static_cast<u128>(checked::kMax))
        throw OverflowError("64-bit overflow");
    return makeDefaultRational(checked::withSign(static_cast<std::uint64_t>(numerator), n.negative),
                               static_cast<std::int64_t>(denominator));
}

Quadratic_solution rationalRoot(Signed n, u128 a) {
    return makeQuadraticSolution(overTwice(n, a), makeDefaultRational(0, 1), 0);
}

/// The discriminant b² − 4ac as a sign and a size: exact below 2¹²⁸ in size
/// and for any below 0, OverflowError for 2¹²⁸ and more. b² and 4ac (below
/// 2²⁵⁶, as a, b, c are below 2¹²⁷) are worked out whole in 256 bits.
struct Discriminant {
    int sign = 0;
    u128 size = 0;
};
Discriminant discriminant(u128 a, Signed b, Signed c) {
    const Wide256 bb = checked::fullProduct(b.size, b.size), ac = checked::fullProduct(a, c.size);
    const Wide256 fourAC{ac.high << 2 | ac.low >> 126, ac.low << 2};
    if (c.negative) {  // b² + 4|ac|
        const u128 sum = bb.low + fourAC.low;
        if (bb.high != 0 || fourAC.high != 0 || sum < bb.low) beyond128Bits();
        return {sum == 0 ? 0 : 1, sum};
    }
    const bool below = bb.high != fourAC.high ? bb.high < fourAC.high : bb.low < fourAC.low;
    if (below) return {-1, 0};
    const u128 borrow = bb.low < fourAC.low ? 1 : 0;
    if (bb.high - fourAC.high - borrow != 0) beyond128Bits();
    const u128 size = bb.low - fourAC.low;
    return {size == 0 ? 0 : 1, size};
}

}  // namespace

QuadraticRoots quadraticSolution(const PolyEquation& e) {
    const WideRational A = netCoefficient(e, 2), B = netCoefficient(e, 1), C = netCoefficient(e, 0);
    if (A.numerator == 0) return {};
    // Whole coefficients with a > 0 and no common factor, in 128 bits; only
    // the roots are narrowed to 64.
    const auto [wa, b, c] = wholeWithoutCommonFactor({A, B, C});
    const u128 a = wa.size;
    const Discriminant D = discriminant(a, b, c);
    const Signed minusB{!b.negative, b.size};
    if (D.sign < 0) return {};
    if (D.sign == 0) return {rationalRoot(minusB, a), rationalRoot(minusB, a), Quadratic_status::rational_repeated};
    if (const u128 r = wideFloorSquareRoot(D.size); r * r == D.size) {  // r below 2⁶⁴
        return {rationalRoot(plus(minusB, {true, r}), a), rationalRoot(plus(minusB, {false, r}), a),
                Quadratic_status::rational_distinct};
    }
    // Roots written as −b/2a ± (k/2a)√m: m must fit 64 bits, and a part of D
    // beyond them that cannot be split is left in m whole, so is refused.
    const WideSquareSplit split = splitWideSquareFactor(D.size);
    if (split.rest > static_cast<u128>(checked::kMax)) throw OverflowError("64-bit overflow");
    const auto m = static_cast<std::int64_t>(split.rest);
    const Rational middle = overTwice(minusB, a);
    return {makeQuadraticSolution(middle, overTwice({true, split.squareFactor}, a), m),
            makeQuadraticSolution(middle, overTwice({false, split.squareFactor}, a), m),
            Quadratic_status::irrational_distinct};
}

}  // namespace tl
