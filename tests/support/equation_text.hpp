// Equations written in and read back in a terse notation, for golden tables
// of the equation workers: terms apart by blanks, numbers exactly as they
// stand ("2/4x"), "*" after a term whose coefficient is red and "**" when its
// letter is red too, "*" after a red relation.
#pragma once

#include <string>
#include <vector>

#include "algebra/reader.hpp"
#include "algebra/values.hpp"

namespace tl::testing {

inline PolyEquation eq(const std::string& text) { return readPolyEquation(text).value(); }

inline std::string S(const Polynomial& p) {
    std::string s;
    for (const Monomial& m : p.terms) {
        // Appended one bit at a time: g++ 12 misreads "text" + std::string as an
        // overlapping copy (-Wrestrict).
        if (!s.empty()) s += ' ';
        s += std::to_string(m.coefficient.numerator);
        if (m.coefficient.denominator != 1) s.append("/").append(std::to_string(m.coefficient.denominator));
        if (m.exponent > 0) s += m.variable;
        if (m.exponent > 1) s.append("^").append(std::to_string(m.exponent));
        if (m.coefficient.numerator_color == Color::red) s += m.variable_color == Color::red ? "**" : "*";
    }
    return s;
}
inline std::string S(const PolyEquation& e) {
    return S(e.LHS) + " " + std::string(rawValue(e.relation)) + (e.relation_color == Color::red ? "* " : " ") +
           S(e.RHS);
}
inline std::string S(const std::vector<PolyEquation>& list) {
    std::string s;
    for (const PolyEquation& e : list) s += (s.empty() ? "" : " | ") + S(e);
    return s;
}
inline std::string S(const Rational& r) { return std::to_string(r.numerator) + "/" + std::to_string(r.denominator); }

}  // namespace tl::testing
