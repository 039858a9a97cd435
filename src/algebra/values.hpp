// The plain values of the algebra engine: monomials, flat polynomials,
// polynomials with parenthesised groups (two forms), equations over each form,
// the cleared-fraction equation and the exact roots of a quadratic.
//
// Every value carries its display colours beside its numbers, so a step can
// recolour what it changes. Values are copied, never shared.
//
// The grouped forms (`Ext_polynomial`, `Polynomial_XL`) are lists of groups;
// the last group is the whole polynomial (the root), and a term (`sub_exp`)
// or a factor (`pointer`) refers to another group of the same value by its
// index. References never form a cycle.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "algebra/rational.hpp"
#include "common/enums.hpp"

namespace tl {

/// One term c·v^e; the coefficient carries its own colours.
struct Monomial {
    Rational coefficient{};
    std::uint64_t exponent = 0;  // 0: a constant
    std::string variable = "x";  // one character
    Color variable_color = Color::black;
};

/// Monomials in the order written; neither sorted nor combined by the type.
struct Polynomial {
    std::vector<Monomial> terms{Monomial{}};
};

/// An equation or inequality, LHS relation RHS, over one polynomial form.
template <class Side>
struct EquationOver {
    Side LHS;
    Side RHS;
    Relation relation = Relation::equal_to;
    Color relation_color = Color::black;
};

/// The equation form of the linear and quadratic solvers.
using PolyEquation = EquationOver<Polynomial>;

/// `equation` with both sides multiplied by the whole number `factor`.
struct PolyEquationClear {
    std::int64_t factor = 1;
    PolyEquation equation;
    Color factor_color = Color::black;
};

/// An entry of a grouped polynomial: the monomial alone, or, when
/// `sub_exp.first` is set, the monomial times the group `sub_exp.second`.
struct Term {
    Monomial monomial;
    std::pair<bool, std::uint64_t> sub_exp{false, 0};
    Color sub_exp_parenthesis_color = Color::black;
};

/// Groups of terms; the last group is the whole polynomial.
struct Ext_polynomial {
    std::vector<std::vector<Term>> terms;
};

/// A linear equation with parenthesised groups.
using Ext_polyEquation = EquationOver<Ext_polynomial>;

/// The group `pointer` raised to `exponent`.
struct Factor {
    std::uint64_t pointer = 0;
    std::uint64_t exponent = 1;
    Color parenthesis_color = Color::black;
    Color exponent_color = Color::black;
};

/// The monomial times each factor in order; no factors: the monomial alone.
struct Term_XL {
    Monomial monomial;
    std::vector<Factor> factors;
};

/// Groups of factored terms; the last group is the whole polynomial. So
/// 2·(x + 1)·(x − 3)² is [[x + 1], [x − 3], [2·(0)¹·(1)²]].
struct Polynomial_XL {
    std::vector<std::vector<Term_XL>> terms;
};

using Polynomial_Equation_XL = EquationOver<Polynomial_XL>;

/// A root a + b·√c of a quadratic equation (b = 0/1 and c = 0 for a rational root).
struct Quadratic_solution {
    Rational a;
    Rational b;
    std::int64_t c = 0;
};

// ---- constructors ----------------------------------------------------------

Monomial makeMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable);
Monomial makeMonomialX(const Rational& coefficient, std::uint64_t exponent);
Monomial makeColoredMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable,
                             Color variable_color);
Polynomial makePolynomial(std::vector<Monomial> terms);

/// One constructor for the three equation forms.
template <class Side>
concept EquationSide =
    std::same_as<Side, Polynomial> || std::same_as<Side, Ext_polynomial> || std::same_as<Side, Polynomial_XL>;

template <EquationSide Side>
EquationOver<Side> makeColoredEquationXL(Side LHS, Side RHS, Relation relation, Color relation_color) {
    return EquationOver<Side>{std::move(LHS), std::move(RHS), relation, relation_color};
}
template <EquationSide Side>
EquationOver<Side> makeEquationXL(Side LHS, Side RHS, Relation relation) {
    return makeColoredEquationXL(std::move(LHS), std::move(RHS), relation, Color::black);
}

PolyEquationClear makePolyEquationClear(std::int64_t factor, PolyEquation equation, Color factor_color);
Term makeTerm(Monomial monomial, std::pair<bool, std::uint64_t> sub_exp);
Term_XL makeTermXL(Monomial monomial, std::vector<Factor> factors);
Polynomial_XL makePolynomialXL(std::vector<std::vector<Term_XL>> groups);
Ext_polynomial makePolynomialXL(std::vector<std::vector<Term>> groups);
Factor makeFactor(std::uint64_t pointer, std::uint64_t exponent);
Factor makeColoredFactor(std::uint64_t pointer, std::uint64_t exponent, Color parenthesis_color,
                         Color exponent_color);
Quadratic_solution makeQuadraticSolution(const Rational& a, const Rational& b, std::int64_t c);

/// One group of three terms r1, r2, r3 in "x": exponents 2, 1, 0 when
/// `direction` is "➘", else 0, 1, 2. Term i takes the coefficient colour
/// (all three parts) and the variable colour given for it, in turn.
Polynomial_XL makeThreeTermPolynomialXL(const Rational& r1, const Rational& r2, const Rational& r3,
                                        std::string_view direction, Color coefficient1, Color variable1,
                                        Color coefficient2, Color variable2, Color coefficient3,
                                        Color variable3);

// ---- equality (colours never take part) ------------------------------------

/// Equal coefficients (rationalEquals) and exponents, and equal variables
/// unless both are constants.
bool monomialEquals(const Monomial& a, const Monomial& b);
/// False when a denominator is 0. With `exact` the coefficients as written,
/// otherwise reduced; then numerators, denominators, exponents and (for
/// non-constants) variables equal.
bool monomialMatches(const Monomial& a, const Monomial& b, bool exact);
/// Equal monomials and neither term stands for a group: a group term equals
/// no term, itself included (so this is no operator==).
bool termEquals(const Term& a, const Term& b);
/// Same length and monomialEquals position by position.
bool polynomialEquals(const Polynomial& a, const Polynomial& b);
/// Both sides equal and the same relation.
bool polyEquationEquals(const PolyEquation& a, const PolyEquation& b);

inline bool operator==(const Monomial& a, const Monomial& b) { return monomialEquals(a, b); }
inline bool operator==(const Polynomial& a, const Polynomial& b) { return polynomialEquals(a, b); }
inline bool operator==(const PolyEquation& a, const PolyEquation& b) { return polyEquationEquals(a, b); }

// ---- recolouring -----------------------------------------------------------

Monomial colorMonomial(Color c, const Monomial& m);
Factor recolorFactor(Color c, const Factor& f);
Term_XL recolorTermXL(Color c, const Term_XL& t);
Polynomial_XL recolorPolynomialXL(Color c, const Polynomial_XL& p);
Polynomial_Equation_XL recolorEquationXL(Color c, const Polynomial_Equation_XL& e);

/// −m with its coefficient in lowest terms, all black; absent for a zero denominator.
std::optional<Monomial> negateMonomial(const Monomial& m);

}  // namespace tl
