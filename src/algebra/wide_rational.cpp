#include "algebra/wide_rational.hpp"

#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

using checked::i128;
using checked::u128;

using checked::wideAdd;
using checked::wideMul;
using checked::wideSub;

constexpr i128 kMin128 = static_cast<i128>(u128{1} << 127);

/// gcd(|a|, |b|) for a and b other than −2¹²⁷, as a divisor of them.
i128 wideGcd(i128 a, i128 b) { return static_cast<i128>(magnitudeGcd(a, b)); }

}  // namespace

WideRational wideRational(i128 n, i128 d) {
    require(d != 0, "a rational over 0");
    if (n == kMin128 || d == kMin128) throw OverflowError("rational arithmetic beyond 128 bits");
    const i128 g = wideGcd(n, d);  // ≥ 1 since d ≠ 0
    n /= g;
    d /= g;
    return d < 0 ? WideRational{-n, -d} : WideRational{n, d};
}

int sign(const WideRational& r) { return (r.numerator > 0) - (r.numerator < 0); }

WideRational wideDifference(const WideRational& a, const WideRational& b) {
    return wideRational(wideSub(wideMul(a.numerator, b.denominator), wideMul(b.numerator, a.denominator)),
                        wideMul(a.denominator, b.denominator));
}

WideRational wideQuotient(const WideRational& a, const WideRational& b) {
    require(b.numerator != 0, "division by zero");
    // Both in lowest terms: cancelling across leaves the quotient in lowest terms.
    const i128 g = wideGcd(a.numerator, b.numerator), h = wideGcd(a.denominator, b.denominator);
    return wideRational(wideMul(a.numerator / g, b.denominator / h), wideMul(a.denominator / h, b.numerator / g));
}

WideRational wideSum(const WideRational& a, const WideRational& b) {
    const i128 g = wideGcd(a.denominator, b.denominator);
    const i128 l = wideMul(a.denominator / g, b.denominator);
    return wideRational(wideAdd(wideMul(a.numerator, b.denominator / g), wideMul(b.numerator, a.denominator / g)), l);
}

WideRational wideProduct(const WideRational& a, const WideRational& b) {
    // Both in lowest terms: with the common factors of each numerator and the
    // other denominator cancelled, the product is in lowest terms as it stands.
    const i128 g = wideGcd(a.numerator, b.denominator), h = wideGcd(b.numerator, a.denominator);
    return wideRational(wideMul(a.numerator / g, b.numerator / h), wideMul(a.denominator / h, b.denominator / g));
}

Rational narrowed(const WideRational& r) {
    return makeDefaultRational(checked::narrow(r.numerator), checked::narrow(r.denominator));
}

WideRational wideSum(std::span<const Rational> values) {
    if (values.size() == 1) return wideRational(values.front());
    const auto total = sumRationals(values);
    require(total.has_value(), "a coefficient over 0 has no value to add");
    return wideRational(*total);
}

Rational negatedExactly(const Rational& r) {
    Rational negated = r;
    if (r.numerator != checked::kMin) {
        negated.numerator = -r.numerator;
    } else if (r.denominator != checked::kMin) {
        negated.denominator = -r.denominator;
    } else {  // −2⁶³/−2⁶³ = 1
        negated.numerator = -1;
        negated.denominator = 1;
    }
    return negated;
}

}  // namespace tl
