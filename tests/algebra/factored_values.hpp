// Test support for factored polynomials and rational expressions: a compact
// text of a value for golden comparisons, its colours, and an evaluator that
// computes its value at a rational point with exact arithmetic, independently
// of the code under test.
#pragma once

#include <optional>
#include <string>

#include "algebra/rational_expression.hpp"
#include "algebra/reader.hpp"

namespace tl::testing {

/// "x, 2 | x, 3 | 1 | (0)(1)(2)": groups by " | ", terms by ", ", a term as its
/// coefficient (1 and −1 before a letter written "" and "-"), letter, "^e", then
/// its factors "(i)" or "(i)^k".
inline std::string show(const Polynomial_XL& p) {
    std::string s;
    for (std::size_t g = 0; g < p.terms.size(); ++g) {
        if (g > 0) s += " | ";
        for (std::size_t i = 0; i < p.terms[g].size(); ++i) {
            const Term_XL& t = p.terms[g][i];
            const Rational& c = t.monomial.coefficient;
            if (i > 0) s += ", ";
            std::string coefficient = std::to_string(c.numerator);
            if (c.denominator != 1) coefficient.append("/").append(std::to_string(c.denominator));
            const bool unit = t.monomial.exponent > 0 || !t.factors.empty();
            s += unit && coefficient == "1" ? "" : unit && coefficient == "-1" ? "-" : coefficient;
            if (t.monomial.exponent > 0) s += t.monomial.variable;
            if (t.monomial.exponent > 1) s.append("^").append(std::to_string(t.monomial.exponent));
            for (const Factor& f : t.factors) {
                s += '(';
                s += std::to_string(f.pointer);
                s += ')';
                if (f.exponent != 1) s.append("^").append(std::to_string(f.exponent));
            }
        }
    }
    return s;
}
inline std::string show(const Monomial& m) { return show(Polynomial_XL{{{makeTermXL(m, {})}}}); }
inline std::string show(const Rational_Expression& e) { return show(e.poly_N) + " // " + show(e.poly_D); }

/// One letter per colour in use: k black, r red, b blue, other "?".
inline char colorLetter(Color c) { return c == Color::black ? 'k' : c == Color::red ? 'r' : c == Color::blue ? 'b' : '?'; }
/// The numerator colour of each term and the parenthesis colour of each
/// factor, in the layout of show: "rr|rr|r|k(r)(r)(r)".
inline std::string colors(const Polynomial_XL& p) {
    std::string s;
    for (std::size_t g = 0; g < p.terms.size(); ++g) {
        if (g > 0) s += "|";
        for (const Term_XL& t : p.terms[g]) {
            s += colorLetter(t.monomial.coefficient.numerator_color);
            for (const Factor& f : t.factors) {
                s += '(';
                s += colorLetter(f.parenthesis_color);
                s += ')';
            }
        }
    }
    return s;
}
inline std::string colors(const Rational_Expression& e) {
    return colors(e.poly_N) + "/" + colorLetter(e.color) + "/" + colors(e.poly_D);
}

inline Polynomial_XL xl(std::string_view text) { return readFactoredPolynomial(text).value(); }
inline Rational_Expression ratio(std::string_view numerator, std::string_view denominator) {
    return makeRationalExpression(xl(numerator), xl(denominator));
}

/// Exact value of group `g` at x (every letter stands for x); none where a
/// coefficient has denominator 0.
inline std::optional<Rational> valueOfGroup(const Polynomial_XL& p, std::size_t g, const Rational& x, int depth = 0) {
    if (depth > 64 || g >= p.terms.size()) return std::nullopt;
    std::optional<Rational> sum = makeDefaultRational(0, 1);
    const auto power = [](std::optional<Rational> base, std::uint64_t k) {
        std::optional<Rational> r = makeDefaultRational(1, 1);
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

}  // namespace tl::testing
