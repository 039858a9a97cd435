// Checking the algebra's answers without the code under test: the exact
// value of a side (flat, grouped or factored) at a rational point, whether a
// relation holds, and an answer read back as the pages write it, exactly as
// a + b√m or as a long double.
#pragma once

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "algebra/rational_expression.hpp"
#include "algebra/values.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/layout.hpp"
#include "support/algebra_forms.hpp"

namespace tl::testing {

inline Rational q(std::int64_t n, std::int64_t d = 1) { return makeDefaultRational(n, d); }

/// Exact value of group `g` at x (every letter stands for x); none where a
/// coefficient has denominator 0.
inline std::optional<Rational> valueOfGroup(const Polynomial_XL& p, std::size_t g, const Rational& x, int depth = 0) {
    if (depth > 64 || g >= p.terms.size()) return std::nullopt;
    std::optional<Rational> sum = q(0);
    const auto power = [](std::optional<Rational> base, std::uint64_t k) {
        std::optional<Rational> r = q(1);
        for (std::uint64_t i = 0; i < k && r && base; ++i) r = multiplyRational(*r, *base);
        return base ? r : std::nullopt;
    };
    for (const Term_XL& t : p.terms[g]) {
        std::optional<Rational> term = multiplyRational(t.monomial.coefficient, *power(x, t.monomial.exponent));
        for (const Factor& f : t.factors)
            if (term) {
                const auto factor = power(valueOfGroup(p, f.pointer, x, depth + 1), f.exponent);
                term = factor ? multiplyRational(*term, *factor) : std::nullopt;
            }
        if (!term || !sum) return std::nullopt;
        sum = addRational(*sum, *term);
    }
    return sum;
}
inline std::optional<Rational> valueAt(const Polynomial_XL& p, const Rational& x) {
    if (p.terms.empty()) return std::nullopt;
    return valueOfGroup(p, p.terms.size() - 1, x);
}
/// N(x) / D(x); none where D(x) is 0.
inline std::optional<Rational> valueAt(const Rational_Expression& e, const Rational& x) {
    const auto n = valueAt(e.poly_N, x), d = valueAt(e.poly_D, x);
    if (!n || !d || d->numerator == 0) return std::nullopt;
    return divideRational(*n, *d);
}
/// LHS(x) − RHS(x) of a flat, grouped or factored equation; none where a side has none.
template <class Equation>
std::optional<Rational> netAt(const Equation& e, const Rational& x) {
    const auto l = valueAt(widened(e.LHS), x), r = valueAt(widened(e.RHS), x);
    return l && r ? subtractRational(*l, *r) : std::nullopt;
}

inline int signOf(const Rational& r) { return rationalLessThan(r, q(0)) ? -1 : rationalEquals(r, q(0)) ? 0 : 1; }
/// Whether "d ⋄ 0" holds for d of sign `sign`.
inline bool holds(Relation r, int sign) {
    const bool results[] = {sign == 0, sign < 0, sign > 0, sign <= 0, sign >= 0};  // in the order of Relation
    return results[static_cast<std::size_t>(r)];
}
inline bool holds(Relation r, const Rational& d) { return holds(r, signOf(d)); }

inline bool isSquare(std::int64_t n) { return exactSquareRoot(n).has_value(); }
/// A rational in lowest terms that is the square of one.
inline bool isSquare(const Rational& r) { return isSquare(r.numerator) && isSquare(r.denominator); }

/// a + b·√m with rational a and b, m 0 while no root is taken: an answer
/// read exactly. Arithmetic beyond that field (two different roots, a root in
/// a denominator) or beyond 64 bits throws.
struct Surd {
    Rational a = q(0), b = q(0);
    std::int64_t m = 0;
    bool isZero() const { return a.numerator == 0 && b.numerator == 0; }
};
inline Surd operator+(const Surd& x, const Surd& y) {
    require(x.b.numerator == 0 || y.b.numerator == 0 || x.m == y.m, "two roots");
    return {addRational(x.a, y.a).value(), addRational(x.b, y.b).value(), x.m != 0 ? x.m : y.m};
}
inline Surd operator-(const Surd& x) { return {negateRational(x.a).value(), negateRational(x.b).value(), x.m}; }
inline Surd operator-(const Surd& x, const Surd& y) { return x + -y; }
inline Surd operator*(const Surd& x, const Surd& y) {
    if (x.b.numerator == 0) return {multiplyRational(x.a, y.a).value(), multiplyRational(x.a, y.b).value(), y.m};
    if (y.b.numerator == 0) return y * x;
    require(x.m == y.m, "two roots");
    const Rational bb = multiplyRational(multiplyRational(x.b, y.b).value(), q(x.m)).value();
    return {addRational(multiplyRational(x.a, y.a).value(), bb).value(),
            addRational(multiplyRational(x.a, y.b).value(), multiplyRational(x.b, y.a).value()).value(), x.m};
}
inline Surd operator/(const Surd& x, const Surd& y) {
    require(y.b.numerator == 0, "a root in a denominator");
    return {divideRational(x.a, y.a).value(), divideRational(x.b, y.a).value(), x.m};
}
inline Surd rootOf(const Surd& x) {
    require(x.b.numerator == 0 && x.a.denominator == 1 && x.a.numerator >= 0, "a root of a whole number");
    return {q(0), q(1), x.a.numerator};
}
inline Surd numberFrom(const std::string& digits, Surd*) { return {q(tryParseInt(digits).value())}; }
inline long double rootOf(long double x) { return std::sqrt(x); }
inline long double numberFrom(const std::string& digits, long double*) { return std::stold(digits); }

/// The value of an answer as the page writes it: numbers (decimals, "e+18"),
/// "-", " + ", " − ", "/", "√", parentheses and a number times a root
/// ("(3 + 2√5)/6", "1 − (3/2)√5", "-√2"); as a long double, or exactly as a Surd.
/// Given a value for x, also a side of an equation: x and powers "^2" or "²"
/// ("2x(x + 1)² − x/-4").
template <class T>
class Evaluator {
public:
    explicit Evaluator(std::string_view s, std::optional<T> x = std::nullopt) : s_(s), x_(std::move(x)) {}
    std::optional<T> value() {
        try {
            const T v = sum();
            if (at_ == s_.size()) return v;
        } catch (const std::exception&) {  // not an answer, or not exact
        }
        return std::nullopt;
    }

private:
    bool take(std::string_view t) { return s_.substr(at_).starts_with(t) ? (at_ += t.size(), true) : false; }
    bool ahead(std::string_view t) const { return s_.substr(at_).starts_with(t); }
    T sum() {
        for (T v = quotient();;) {
            if (take(" + ")) v = v + quotient();
            else if (take(" \u2212 ")) v = v - quotient();
            else return v;
        }
    }
    T quotient() {
        T v = product();
        while (take("/")) v = v / product();
        return v;
    }
    T product() {
        if (take("-")) return -product();
        T v = power();
        while (ahead("(") || ahead("\u221A") || (x_ && ahead("x"))) v = v * power();
        return v;
    }
    /// An atom, raised to a power only when x has a value.
    T power() {
        const T base = atom();
        std::string k = x_ && take("^") ? digitsAhead() : "";
        if (x_)
            for (auto d = superscriptAhead(); d; d = superscriptAhead()) k += *d;
        T v = base;
        for (int i = k.empty() ? 1 : std::stoi(k); i > 1; --i) v = v * base;
        return k == "0" ? numberFrom("1", static_cast<T*>(nullptr)) : v;
    }
    /// The digit of the superscript ahead ("²" gives '2'), taken.
    std::optional<char> superscriptAhead() {
        for (char d = '0'; d <= '9'; ++d)
            if (take(superscriptDigit(std::string(1, d)))) return d;
        return std::nullopt;
    }
    std::string digitsAhead() {
        const std::size_t from = at_;
        while (at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_]))) ++at_;
        return std::string(s_.substr(from, at_ - from));
    }
    T atom() {
        if (x_ && take("x")) return *x_;
        if (take("(")) {
            const T v = sum();
            require(take(")"), "an unclosed parenthesis");
            return v;
        }
        if (take("\u221A")) return rootOf(atom());
        const std::size_t from = at_;
        const auto digit = [&] { return at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_])); };
        while (digit() || (at_ < s_.size() && s_[at_] == '.')) ++at_;
        if (at_ > from && at_ < s_.size() && s_[at_] == 'e') {
            ++at_;
            if (at_ < s_.size() && (s_[at_] == '+' || s_[at_] == '-')) ++at_;
            while (digit()) ++at_;
        }
        require(at_ > from, "a number");
        return numberFrom(std::string(s_.substr(from, at_ - from)), static_cast<T*>(nullptr));
    }
    std::string_view s_;
    std::optional<T> x_;
    std::size_t at_ = 0;
};

/// The roots of "v = r or v = s" (`label` "v = "), each line piece checked to start with it.
inline std::vector<std::string> rootTexts(const std::string& line, const std::string& label) {
    std::vector<std::string> roots;
    for (std::size_t from = 0, end = 0; end != std::string::npos; from = end + 4) {
        end = line.find(" or " + label, from);
        if (line.compare(from, label.size(), label) != 0) {
            ADD_FAILURE() << "not " << label << "…: " << line;
            break;
        }
        roots.push_back(line.substr(from + label.size(), end - from - label.size()));
    }
    return roots;
}

/// A linear answer, a status or "v ⋄ value", against LHS − RHS = c₀ + c₁v:
/// a status exactly where c₁ is 0, true as c₀ ⋄ 0 holds; otherwise the
/// boundary −c₀/c₁ (exactly, or to 7 digits as a decimal) under the
/// relation, turned where c₁ < 0.
inline void expectLinearAnswer(const std::string& line, const std::string& letter, const Rational& c0,
                               const Rational& c1, Relation relation, Style style) {
    if (line == rawValue(Status::infinite) || line == rawValue(Status::none)) {
        EXPECT_EQ(c1.numerator, 0) << line;
        EXPECT_EQ(holds(relation, c0), line == rawValue(Status::infinite)) << line;
        return;
    }
    ASSERT_NE(c1.numerator, 0) << line;
    const Relation expected = signOf(c1) > 0 ? relation : flipRelation(relation);
    const std::string head = letter + " " + std::string(relationSymbol(expected)) + " ";
    ASSERT_TRUE(line.starts_with(head)) << line;
    const std::string shown = line.substr(head.size());
    const Rational boundary = *divideRational(*negateRational(c0), c1);
    if (style != Style::decimal) {
        const auto e = Evaluator<Surd>(shown).value();
        EXPECT_TRUE(e && e->b.numerator == 0 && rationalEquals(e->a, boundary)) << line;
    } else {
        const auto v = Evaluator<long double>(shown).value();
        const long double b = static_cast<long double>(boundary.numerator) / static_cast<long double>(boundary.denominator);
        EXPECT_TRUE(v && std::fabs(*v - b) <= 1e-7L * std::max(1.0L, std::fabs(b))) << line << " for " << b;
    }
}

}  // namespace tl::testing
