// Test support for factored polynomials and rational expressions: a compact
// text of a value for golden comparisons and its colours (their exact values
// at a point come from support/algebra_answers.hpp).
#pragma once

#include <optional>
#include <string>

#include "algebra/rational_expression.hpp"
#include "algebra/reader.hpp"
#include "support/algebra_answers.hpp"

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

}  // namespace tl::testing
