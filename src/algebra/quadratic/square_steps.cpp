#include "algebra/quadratic/square_steps.hpp"

#include <algorithm>

#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/quadratic/root_rows.hpp"
#include "algebra/side_operations.hpp"
#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

const Rational kHalf = makeDefaultRational(1, 2);

Engine_Table drawn(Style style, const Rational& r, Color c) {
    return rationalTable(false, style, makeFullyColoredRational(r, c));
}

/// The terms v and, unless h is 0, h: the left side x + h.
std::vector<Monomial> variablePlus(const Rational& h, const std::string& v) {
    std::vector<Monomial> terms{makeMonomial(makeDefaultRational(1, 1), 1, v)};
    if (h.numerator != 0) terms.push_back(makeMonomial(h, 0, v));
    return terms;
}

Polynomial constant(const Rational& r, const std::string& v) { return makePolynomial({makeMonomial(r, 0, v)}); }

const Monomial& lastTerm(const Polynomial& side) {
    require(!side.terms.empty(), "a step of completing the square needs a left side");
    return side.terms.back();
}

}  // namespace

std::optional<LeadingCoefficientDivision> divideByLeadingCoefficientStep(const PolyEquation& e) {
    const Monomial& leading = at(e.LHS.terms, 0);
    const Rational& a = leading.coefficient;
    if (rationalEquals(a, makeDefaultRational(1, 1))) return std::nullopt;
    const Rational r = makeFullyColoredRational(reciprocalRational(a).value(), Color::red);
    auto multipliedSide = [&](const Polynomial& side) {
        Ext_polynomial groups = extPolynomialFromPolynomial(side);
        groups.terms.push_back({makeTerm(makeMonomial(r, 0, leading.variable), {true, 0})});
        return groups;
    };
    std::vector<Monomial> divided(e.LHS.terms.size());
    std::ranges::transform(e.LHS.terms, divided.begin(), divideByLeadingCoefficientClosure(e.LHS.terms));
    return LeadingCoefficientDivision{
        makeEquationXL(colorFirstTerm(Color::red, e.LHS), e.RHS, e.relation),
        makeEquationXL(multipliedSide(e.LHS), multipliedSide(e.RHS), e.relation),
        makeEquationXL(makePolynomial(std::move(divided)), e.RHS, e.relation),
        {joinItem(juxtapositionJoinText, messageTable("divide both sides by  ", Color::red),
                  drawn(Style::fraction, a, Color::red)),
         joinItem(juxtapositionJoinText, messageTable("or multiply by  ", Color::red),
                  drawn(Style::fraction, r, Color::red))}};
}

std::optional<std::array<PolyEquation, 2>> constantTermToRightStep(const PolyEquation& e) {
    const Monomial& k = lastTerm(e.LHS);
    if (k.exponent != 0 || e.LHS.terms.size() < 2) return std::nullopt;
    const Polynomial left = makePolynomial({e.LHS.terms.begin(), e.LHS.terms.end() - 1});
    const Polynomial right = constant(negateRational(k.coefficient).value(), k.variable);
    return std::array{makeEquationXL(colorLastTerm(Color::red, e.LHS), e.RHS, e.relation),
                      makeEquationXL(left, colorFirstTerm(Color::red, right), e.relation)};
}

std::optional<SquareCompletion> completeTheSquareStep(Style style, const PolyEquation& e) {
    const Monomial& t = lastTerm(e.LHS);
    if (t.exponent != 1) return std::nullopt;
    const std::string& v = t.variable;
    const Rational& p = t.coefficient;
    const Rational& q = at(e.RHS.terms, 0).coefficient;
    const Rational h = multiplyRational(p, kHalf).value();
    const Rational h2 = multiplyRational(h, h).value();
    auto withSquare = [&](const Polynomial& side) {
        Polynomial added = side;
        added.terms.push_back(makeMonomial(h2, 0, v));
        return colorLastTerm(Color::blue, added);
    };
    const Polynomial_XL left = makePolynomialXL(std::vector<std::vector<Term_XL>>{
        {makeTermXL(makeMonomial(makeDefaultRational(1, 1), 1, v), {}),
         makeTermXL(makeMonomial(makeFullyColoredRational(h, Color::red), 0, v), {})},
        {makeTermXL(makeMonomial(makeDefaultRational(1, 1), 0, v), {makeFactor(0, 2)})}});
    const Polynomial_XL right = makePolynomialXL(
        std::vector<std::vector<Term_XL>>{{makeTermXL(makeMonomial(addRational(h2, q).value(), 0, v), {})}});
    return SquareCompletion{
        {makeEquationXL(colorLastTerm(Color::red, e.LHS), e.RHS, e.relation),
         makeEquationXL(withSquare(e.LHS), withSquare(e.RHS), e.relation)},
        makeEquationXL(left, right, e.relation),
        {joinTableaux({messageTable("halve " + v + " coefficient from ", Color::red), drawn(style, p, Color::red),
                       messageTable(" to ", Color::red), drawn(style, h, Color::red)})
             .value(),
         joinTableaux({messageTable("square to ", Color::blue), drawn(style, h2, Color::blue),
                       messageTable(" , add to both sides", Color::blue)})
             .value(),
         messageTable("complete the square")}};
}

Engine_Step squareRootAndSolveStep(Style style, const PolyEquation& e) {
    const Monomial& last = lastTerm(e.LHS);
    const std::string& v = last.variable;
    const Rational p = last.exponent == 1 ? last.coefficient : makeDefaultRational(0, 1);
    const Rational& q = at(e.RHS.terms, 0).coefficient;
    const Rational h = multiplyRational(p, kHalf).value();
    const Rational s = addRational(multiplyRational(h, h).value(), q).value();
    const Rational minusH = negateRational(h).value();
    const QuadraticRoots roots = quadraticSolution(e);
    const Polynomial x = makePolynomial(variablePlus(makeDefaultRational(0, 1), v));

    if (roots.status == Quadratic_status::none) return {messageTable("negative RHS, no solution")};
    if (roots.status == Quadratic_status::rational_repeated) {
        Engine_Step tables;
        if (h.numerator != 0)
            tables.push_back(equationTable(
                style, makeEquationXL(makePolynomial(variablePlus(h, v)), constant(makeDefaultRational(0, 1), v),
                                      e.relation)));
        tables.push_back(equationTable(style, makeEquationXL(x, constant(minusH, v), e.relation)));
        return tables;
    }
    const Engine_Table root = unaryItem(
        "\u00B1",
        unaryItem("\u221A", polynomialTable(style, recolorPolynomial(Color::red, constant(s, v)).terms), Color::red),
        Color::red);
    Engine_Step tables{joinItem(
        "=", polynomialTable(style, recolorPolynomial(Color::red, makePolynomial(variablePlus(h, v))).terms), root,
        Color::red)};
    if (roots.status == Quadratic_status::rational_distinct && h.numerator != 0) {
        const Rational rootOfS = makeDefaultRational(exactSquareRoot(s.numerator).value(),
                                                     exactSquareRoot(s.denominator).value());
        tables.push_back(joinItem(
            "=", polynomialTable(style, x.terms),
            joinItem("\u00B1", drawn(style, minusH, Color::black), drawn(style, rootOfS, Color::black))));
    }
    tables.push_back(rootsLine(v, roots, Style::fraction, style));
    return tables;
}

}  // namespace tl
