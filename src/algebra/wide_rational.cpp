#include "algebra/wide_rational.hpp"

#include <map>

#include "base/errors.hpp"

namespace tl {

namespace {

using checked::i128;
using checked::u128;

using checked::wideAdd;
using checked::wideMul;
using checked::wideSub;

constexpr i128 kMin128 = static_cast<i128>(u128{1} << 127);

/// gcd(|a|, |b|) for a and b other than −2¹²⁷, as a divisor of them.
i128 wideGcd(i128 a, i128 b) {
    return static_cast<i128>(checked::wideGcd(checked::magnitude(a), checked::magnitude(b)));
}

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

WideRational wideSum(std::span<const WideRational> values) {
    // The numerators over each denominator added up first, so that values
    // that cancel do so whatever their order.
    std::map<i128, i128> over;
    for (const WideRational& r : values) {
        i128& n = over[r.denominator];
        n = wideAdd(n, r.numerator);
    }
    // Joined over the least common multiple, ascending, in lowest terms as
    // they go; the whole part is kept apart, so that what is joined stays
    // below one and no product grows past the common multiple itself.
    i128 whole = 0, n = 0, d = 1;
    const auto carry = [&](i128& numerator, i128 denominator) {
        whole = wideAdd(whole, numerator / denominator);
        numerator %= denominator;
    };
    for (auto [denominator, numerator] : over) {
        carry(numerator, denominator);
        if (numerator == 0) continue;
        const i128 g = wideGcd(d, denominator);
        n = wideAdd(wideMul(n, denominator / g), wideMul(numerator, d / g));
        d = wideMul(d / g, denominator);
        carry(n, d);
        const i128 h = wideGcd(n, d);
        n /= h;
        d /= h;
    }
    return wideRational(wideAdd(wideMul(whole, d), n), d);
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
