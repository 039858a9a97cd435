#include "algebra/values.hpp"

#include <algorithm>

namespace tl {

Monomial makeMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable) {
    return Monomial{coefficient, exponent, std::move(variable), Color::black};
}

Monomial makeMonomialX(const Rational& coefficient, std::uint64_t exponent) {
    return makeMonomial(coefficient, exponent, "x");
}

Monomial makeColoredMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable,
                             Color variable_color) {
    return Monomial{coefficient, exponent, std::move(variable), variable_color};
}

Polynomial makePolynomial(std::vector<Monomial> terms) { return Polynomial{std::move(terms)}; }

PolyEquationClear makePolyEquationClear(std::int64_t factor, PolyEquation equation, Color factor_color) {
    return PolyEquationClear{factor, std::move(equation), factor_color};
}

Term makeTerm(Monomial monomial, std::pair<bool, std::uint64_t> sub_exp) {
    return Term{std::move(monomial), sub_exp, Color::black};
}

Term_XL makeTermXL(Monomial monomial, std::vector<Factor> factors) {
    return Term_XL{std::move(monomial), std::move(factors)};
}

Polynomial_XL makePolynomialXL(std::vector<std::vector<Term_XL>> groups) { return Polynomial_XL{std::move(groups)}; }

Ext_polynomial makePolynomialXL(std::vector<std::vector<Term>> groups) { return Ext_polynomial{std::move(groups)}; }

Factor makeFactor(std::uint64_t pointer, std::uint64_t exponent) {
    return makeColoredFactor(pointer, exponent, Color::black, Color::black);
}

Factor makeColoredFactor(std::uint64_t pointer, std::uint64_t exponent, Color parenthesis_color,
                         Color exponent_color) {
    return Factor{pointer, exponent, parenthesis_color, exponent_color};
}

Quadratic_solution makeQuadraticSolution(const Rational& a, const Rational& b, std::int64_t c) {
    return Quadratic_solution{a, b, c};
}

Polynomial_XL makeThreeTermPolynomialXL(const Rational& r1, const Rational& r2, const Rational& r3,
                                        std::string_view direction, Color coefficient1, Color variable1,
                                        Color coefficient2, Color variable2, Color coefficient3,
                                        Color variable3) {
    const bool descending = direction == "\u2798";
    const auto term = [&](const Rational& r, std::uint64_t position, Color coefficient, Color variable) {
        const std::uint64_t exponent = descending ? 2 - position : position;
        return makeTermXL(makeColoredMonomial(makeFullyColoredRational(r, coefficient), exponent, "x", variable), {});
    };
    return makePolynomialXL(std::vector<std::vector<Term_XL>>{{term(r1, 0, coefficient1, variable1),
                                                               term(r2, 1, coefficient2, variable2),
                                                               term(r3, 2, coefficient3, variable3)}});
}

bool monomialEquals(const Monomial& a, const Monomial& b) {
    return rationalEquals(a.coefficient, b.coefficient) && a.exponent == b.exponent &&
           (a.exponent == 0 || a.variable == b.variable);
}

bool monomialMatches(const Monomial& a, const Monomial& b, bool exact) {
    // Lowest terms with a positive denominator are unique, so comparing the
    // reduced coefficients is comparing their values, which rationalMatches
    // does without reducing (INT64_MIN/−1 has no reduced 64-bit form).
    return rationalMatches(a.coefficient, exact, b.coefficient) && a.exponent == b.exponent &&
           (a.exponent == 0 || a.variable == b.variable);
}

bool termEquals(const Term& a, const Term& b) {
    return !a.sub_exp.first && !b.sub_exp.first && monomialEquals(a.monomial, b.monomial);
}

bool polynomialEquals(const Polynomial& a, const Polynomial& b) {
    return std::ranges::equal(a.terms, b.terms, monomialEquals);
}

bool polyEquationEquals(const PolyEquation& a, const PolyEquation& b) {
    return a.relation == b.relation && polynomialEquals(a.LHS, b.LHS) && polynomialEquals(a.RHS, b.RHS);
}

Monomial colorMonomial(Color c, const Monomial& m) {
    return Monomial{recolorRational(m.coefficient, c), m.exponent, m.variable, c};
}

Factor recolorFactor(Color c, const Factor& f) { return Factor{f.pointer, f.exponent, c, c}; }

Term_XL recolorTermXL(Color c, const Term_XL& t) {
    Term_XL result{colorMonomial(c, t.monomial), t.factors};
    for (Factor& f : result.factors) f = recolorFactor(c, f);
    return result;
}

Polynomial_XL recolorPolynomialXL(Color c, const Polynomial_XL& p) {
    Polynomial_XL result = p;
    for (auto& group : result.terms)
        for (Term_XL& t : group) t = recolorTermXL(c, t);
    return result;
}

Polynomial_Equation_XL recolorEquationXL(Color c, const Polynomial_Equation_XL& e) {
    return Polynomial_Equation_XL{recolorPolynomialXL(c, e.LHS), recolorPolynomialXL(c, e.RHS), e.relation, c};
}

std::optional<Monomial> negateMonomial(const Monomial& m) {
    const auto negated = negateRational(m.coefficient);
    if (!negated) return std::nullopt;
    return makeMonomial(*negated, m.exponent, m.variable);
}

}  // namespace tl
