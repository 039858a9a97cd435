#include "algebra/rational.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "algebra/wide_rational.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"

namespace tl {

namespace {

using checked::i128;
using checked::magnitude;
using checked::u128;

/// gcd of |a| and |b|; gcd(0, b) = |b|.
u128 gcd128(i128 a, i128 b) { return checked::wideGcd(magnitude(a), magnitude(b)); }

i128 product(std::int64_t a, std::int64_t b) { return static_cast<i128>(a) * b; }


int sign(i128 v) { return (v > 0) - (v < 0); }

/// n/d in lowest terms with a positive denominator (d ≠ 0), narrowed to 64 bits.
Rational reduced(i128 n, i128 d) {
    const u128 g = gcd128(n, d);  // ≥ 1 since d ≠ 0
    // Divide magnitudes, then put the sign on the numerator.
    const u128 nm = magnitude(n) / g, dm = magnitude(d) / g;
    const bool negative = (n < 0) != (d < 0) && n != 0;
    auto narrowMagnitude = [](u128 m, bool neg) {
        if (neg) {
            if (m > static_cast<u128>(checked::kMax) + 1) throw OverflowError("rational result beyond 64 bits");
            return static_cast<std::int64_t>(-static_cast<i128>(m));
        }
        if (m > static_cast<u128>(checked::kMax)) throw OverflowError("rational result beyond 64 bits");
        return static_cast<std::int64_t>(m);
    };
    return makeDefaultRational(narrowMagnitude(nm, negative), narrowMagnitude(dm, false));
}

std::optional<std::int64_t> exactRoot(std::int64_t n) {
    if (n < 0) return std::nullopt;
    const auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)) + 0.5);
    if (product(s, s) == n) return s;
    return std::nullopt;
}

}  // namespace

Rational makeDefaultRational(std::int64_t numerator, std::int64_t denominator) {
    return Rational{numerator, denominator, Color::black, Color::black, Color::black};
}

Rational makeSingleColorRational(std::int64_t numerator, std::int64_t denominator, Color c) {
    return Rational{numerator, denominator, c, c, c};
}

Rational makeFullyColoredRational(const Rational& r, Color c) {
    return makeSingleColorRational(r.numerator, r.denominator, c);
}

Rational makeThreeColorRational(std::int64_t numerator, std::int64_t denominator, Color numerator_color,
                                Color denominator_color, Color bar_color) {
    return Rational{numerator, denominator, numerator_color, denominator_color, bar_color};
}

Rational rationalWithDefaultColors(const Rational& r) { return makeDefaultRational(r.numerator, r.denominator); }

Rational recolorRational(const Rational& r, Color c) { return makeFullyColoredRational(r, c); }

bool rationalEquals(const Rational& a, const Rational& b) {
    // Cross-multiplication would make n/0 equal to every value with a zero
    // numerator and to every other n'/0.
    if (a.denominator == 0 || b.denominator == 0)
        return a.denominator == 0 && b.denominator == 0 && a.numerator == b.numerator;
    return product(a.numerator, b.denominator) == product(b.numerator, a.denominator);
}

bool rationalLessThan(const Rational& a, const Rational& b) {
    const i128 p = product(a.numerator, b.denominator);
    const i128 q = product(b.numerator, a.denominator);
    const int diffSign = (p > q) - (p < q);
    const int denSign = sign(a.denominator) * sign(b.denominator);
    return diffSign != 0 && denSign != 0 && diffSign != denSign;
}

bool rationalMatches(const Rational& a, bool exact, const Rational& b) {
    if (a.denominator == 0 || b.denominator == 0) return false;
    if (exact) return a.numerator == b.numerator && a.denominator == b.denominator;
    return rationalEquals(a, b);
}

std::optional<Rational> addRational(const Rational& a, const Rational& b) {
    const i128 d = product(a.denominator, b.denominator);
    if (d == 0) return std::nullopt;
    const i128 n = checked::wideAdd(product(a.numerator, b.denominator), product(b.numerator, a.denominator));
    return reduced(n, d);
}

std::optional<Rational> sumRationals(std::span<const Rational> values) {
    std::vector<WideRational> wide;
    wide.reserve(values.size());
    for (const Rational& r : values) {
        if (r.denominator == 0) return std::nullopt;
        wide.push_back(wideRational(r));
    }
    try {
        return narrowed(wideSum(wide));
    } catch (const OverflowError&) {
        throw OverflowError("64-bit overflow in addition");
    }
}

std::optional<Rational> subtractRational(const Rational& a, const Rational& b) {
    // (−b) + a, with the negation done in 128 bits so that INT64_MIN is fine.
    const i128 d = product(b.denominator, a.denominator);
    if (d == 0) return std::nullopt;
    const i128 n = checked::wideAdd(-product(b.numerator, a.denominator), product(a.numerator, b.denominator));
    return reduced(n, d);
}

std::optional<Rational> multiplyRational(const Rational& a, const Rational& b, bool reduce) {
    i128 d = product(a.denominator, b.denominator);
    if (d == 0) return std::nullopt;
    i128 n = product(a.numerator, b.numerator);
    if (reduce) return reduced(n, d);
    if (d < 0) n = -n, d = -d;
    return makeDefaultRational(checked::narrow(n), checked::narrow(d));
}

std::optional<Rational> divideRational(const Rational& a, const Rational& b, bool reduce) {
    if (b.denominator == 0) return std::nullopt;
    if (product(a.denominator, b.numerator) == 0) return std::nullopt;
    return multiplyRational(a, makeDefaultRational(b.denominator, b.numerator), reduce);
}

std::optional<Rational> simplifyRational(const Rational& r) {
    if (r.denominator == 0) return std::nullopt;
    return reduced(r.numerator, r.denominator);
}

std::optional<Rational> negateRational(const Rational& r) {
    if (r.denominator == 0) return std::nullopt;
    return reduced(-static_cast<i128>(r.numerator), r.denominator);
}

std::optional<Rational> reciprocalRational(const Rational& r) {
    if (r.numerator == 0 || r.denominator == 0) return std::nullopt;
    return reduced(r.denominator, r.numerator);
}

std::optional<Rational> negativeReciprocalRational(const Rational& r) {
    if (r.numerator == 0 || r.denominator == 0) return std::nullopt;
    return reduced(-static_cast<i128>(r.denominator), r.numerator);
}

std::optional<bool> isNegativeRational(const Rational& r) {
    if (r.denominator == 0) return std::nullopt;
    return r.numerator != 0 && (r.numerator < 0) != (r.denominator < 0);
}

std::optional<bool> isPositiveRational(const Rational& r) {
    if (r.denominator == 0) return std::nullopt;
    return (r.numerator > 0 && r.denominator > 0) || (r.numerator < 0 && r.denominator < 0);
}

std::optional<bool> rationalNeedsReducing(const Rational& r) {
    if (r.denominator == 0) return std::nullopt;
    return r.denominator < 0 || gcd128(r.numerator, r.denominator) != 1;
}

bool isRationalSquare(const Rational& r) {
    const auto s = simplifyRational(r);
    if (!s) return false;
    if (isNegativeRational(*s).value_or(false)) return false;
    return exactRoot(s->numerator).has_value() && exactRoot(s->denominator).has_value();
}

bool isWholeRational(bool isReduced, const Rational& r) {
    if (r.denominator == 0) return false;
    // In lowest terms the denominator is 1 exactly when it divides the
    // numerator (asked so, INT64_MIN/−1 needs no 64-bit reduced form).
    if (isReduced) return checked::rem(r.numerator, r.denominator) == 0;
    return r.denominator == 1;
}

Rational rationalFromDecimalText(std::string_view text) {
    // Accepted: an optional sign, then digits with at most one ".", at least one digit.
    std::size_t i = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) i = 1;
    std::size_t digits = 0, points = 0;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] == '.') ++points;
        else if (text[j] >= '0' && text[j] <= '9') ++digits;
        else return makeDefaultRational(0, 1);
    }
    if (digits == 0 || points > 1) return makeDefaultRational(0, 1);

    std::string s(text);
    std::int64_t scale = 1;
    if (points == 1) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        const std::size_t point = s.find('.');
        const std::size_t decimals = s.size() - point - 1;
        for (std::size_t k = 0; k < decimals; ++k) scale = checked::mul(scale, 10);
        s.erase(point, 1);
    }
    // What is left may be only a sign (".0" or "-.00"): that is zero.
    const std::string_view body = std::string_view(s).substr(s.empty() || (s[0] != '+' && s[0] != '-') ? 0 : 1);
    const std::int64_t m = body.empty() ? 0 : parseInt(s);
    return makeDefaultRational(m, scale);
}

}  // namespace tl
