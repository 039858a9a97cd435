// Display tables of algebra values: a number, a monomial, a flat polynomial,
// a cleared equation, a grouped polynomial with its factors and powers and an
// equation over grouped polynomials, each in one of the three number styles;
// and the plain text of a polynomial.
//
// Every table is made by the page-format builders alone, with the tag "anon".
// Between terms the minus is "−" (U+2212); a coefficient's own leading minus
// is "-". Decimals are "%.8g" of numerator ÷ denominator in double precision;
// a value over 0 has no decimal and is drawn as in fraction style, sign
// included (-1/0 is not 1/0). Magnitudes are written exactly, that of
// INT64_MIN included. Pure functions; nothing is drawn here.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"
#include "common/enums.hpp"
#include "common/items.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The usual arguments of rationalTable: a whole number as a plain number,
/// the variable in the numerator.
inline constexpr bool defaultForceFraction = false;
inline constexpr Style defaultNumberStyle = Style::rational_fraction;

/// One number n/d. Decimal style: the decimal in the numerator colour (over
/// 0: as in fraction style). Otherwise a denominator of 1 without
/// `forceFraction` gives n alone; else rational_fraction: n over d (the
/// numerator carries its sign, the bar in `bar_color`); fraction: one signed
/// rational (sign, |n|, |d|; over 0 the sign is that of n).
Engine_Table rationalTable(bool forceFraction, Style style, std::int64_t numerator, std::int64_t denominator,
                           Color numerator_color = Color::black, Color denominator_color = Color::black,
                           Color bar_color = Color::black);
/// The same for a Rational in its own colours.
Engine_Table rationalTable(bool forceFraction, Style style, const Rational& r);

/// One monomial (n/d)·v^e: fraction style ¹∕₃ x (a signed fraction before
/// the variable), rational_fraction ˣ∕₃ (the variable in the numerator),
/// decimal 0.33333333x (over 0: as in fraction style). A unit coefficient
/// of a variable is left out ("-" for −1); exponents are superscripts,
/// "..." from 10 on.
Engine_Table numberRowParts(const Monomial& m, Style style);

/// One monomial as grouped polynomials show it: as numberRowParts, except in
/// rational_fraction style, where sign, |n|, variable and exponent are one
/// message line, over d when d is not 1 (the bar in the numerator colour).
Engine_Table monomialTable(const Monomial& m, Style style);

/// The terms joined left to right by "+" or "−" (each in the colour of the
/// following term's numerator, which is then drawn without its sign); the
/// first term keeps its sign. No terms: "0".
Engine_Table polynomialTable(Style style, const std::vector<Monomial>& terms);

/// numberRowParts, monomialTable and polynomialTable written into `w`; each
/// gives its root. With `magnitudeOnly` the numerator is drawn without its
/// sign, as a term after the first is (its sign is the joining "−"): −2⁶³
/// too, whose magnitude has no signed 64-bit form.
ItemWriter::Item writeNumberRowParts(ItemWriter& w, const Monomial& m, Style style, bool magnitudeOnly = false);
ItemWriter::Item writeMonomial(ItemWriter& w, const Monomial& m, Style style, bool magnitudeOnly = false);
ItemWriter::Item writePolynomial(ItemWriter& w, Style style, const std::vector<Monomial>& terms);

/// k·(LHS) relation k·(RHS), k in the factor colour, the relation black.
Engine_Table clearedEquationTable(Style style, const PolyEquationClear& c);

/// The group `group` of `groups`, with the groups its factors point at drawn
/// recursively in parentheses (a power of a group as group ^ exponent). A
/// group without terms gives a table with no rows. A group index out of range
/// or a cycle of groups is a broken precondition.
Engine_Table polynomialRowParts(std::uint64_t group, Style style, const std::vector<std::vector<Term_XL>>& groups);

/// The root (last) group of p; "unexpected error" when p has no groups.
Engine_Table polynomialRow(Style style, const Polynomial_XL& p);

/// LHS relation RHS, the relation in the equation's relation colour;
/// "unexpected error" when a side has no groups.
Engine_Table equationRow(Style style, const Polynomial_Equation_XL& e);

/// A term of polynomialText: its coefficient text ("3", "-1", "1/2") and
/// exponent text ("0", "1", "2").
using TermTextPair = std::pair<std::string, std::string>;

/// One line such as "x² - 3x + 5": a unit coefficient of x is left out,
/// later terms are joined by " + " or " - ". With `dropZero` the terms whose
/// coefficient text is "0" are left out. Nothing left gives "0".
std::string polynomialText(const std::vector<TermTextPair>& pairs, bool dropZero);

}  // namespace tl
