#include "algebra/quadratic/factoring_steps.hpp"

#include <algorithm>

#include "algebra/linear/equation_rewrites.hpp"
#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/side_operations.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

Rational whole(std::int64_t n) { return makeDefaultRational(n, 1); }

bool isZeroSide(const Polynomial& side) { return side == makePolynomial({makeMonomialX(whole(0), 0)}); }

/// The letter of the first non-zero x term, else of the first non-zero
/// variable term (y² − 9 = 0 factors in y), else "x".
std::string factoringVariable(const PolyEquation& e) {
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms)
            if (isNonZeroLinearTermClosure(m)) return m.variable;
    return equationVariable(e, isNonZeroVariableTermClosure);
}

/// A rational root p/q in lowest terms, q > 0.
struct RationalRoot {
    std::int64_t p = 0;
    std::int64_t q = 1;
};

/// The two rational roots, the smaller first.
std::array<RationalRoot, 2> rationalRoots(const QuadraticRoots& roots) {
    return {RationalRoot{roots.root1->a.numerator, roots.root1->a.denominator},
            RationalRoot{roots.root2->a.numerator, roots.root2->a.denominator}};
}

/// Whether the larger root's factor is written first: factors go by the
/// smaller denominator, then the smaller |p|, then the negative root (so a
/// zero root always comes first).
bool largerFirst(const std::array<RationalRoot, 2>& r) {
    const auto m1 = checked::magnitude(r[0].p), m2 = checked::magnitude(r[1].p);
    return r[1].q != r[0].q ? r[1].q < r[0].q : m1 != m2 ? m2 < m1 : r[1].p < r[0].p;
}

/// The two rational roots in the order their factors are written.
std::array<RationalRoot, 2> inFactorOrder(const QuadraticRoots& roots) {
    const auto r = rationalRoots(roots);
    return largerFirst(r) ? std::array{r[1], r[0]} : r;
}

bool isRational(Quadratic_status s) {
    return s == Quadratic_status::rational_repeated || s == Quadratic_status::rational_distinct;
}

/// q·v − p, black.
std::vector<Term_XL> linearFactor(const RationalRoot& r, const std::string& v) {
    return {makeTermXL(makeMonomial(whole(r.q), 1, v), {}), makeTermXL(makeMonomial(whole(checked::neg(r.p)), 0, v), {})};
}

Polynomial zeroConstant(const std::string& v) { return makePolynomial({makeMonomial(whole(0), 0, v)}); }

}  // namespace

std::optional<CommonFactorDivision> divideByCommonFactorStep(const PolyEquation& e) {
    const bool rightIsZero = isZeroSide(e.RHS);
    if (!rightIsZero && !isZeroSide(e.LHS)) return std::nullopt;
    const Polynomial& side = rightIsZero ? e.LHS : e.RHS;
    require(!side.terms.empty(), "the common factor of an empty side");
    // Taken with the sign of the first term, the divisor fits even where the
    // gcd is 2⁶³ (−2⁶³x² − 2⁶³ = 0 is divided by −2⁶³).
    const std::int64_t d =
        checked::withSign(magnitudeGcdOfNumerators(side), side.terms.front().coefficient.numerator < 0);
    if (d == 1 || side.terms.back().exponent != 0) return std::nullopt;
    require(d != 0, "the common factor of a side of zeros");

    ExtGroup divided;
    for (const Monomial& m : side.terms) divided.push_back(divideTermByCommonDivisor(m, d));
    const Term multiplier = makeTerm(
        makeColoredMonomial(makeSingleColorRational(d, 1, Color::red), 0, side.terms.front().variable, Color::black),
        {true, 0});
    const Ext_polynomial zero = extPolynomialFromPolynomial(rightIsZero ? e.RHS : e.LHS);
    auto placed = [&](Ext_polynomial quadratic) {
        return rightIsZero ? makeEquationXL(std::move(quadratic), zero, e.relation)
                           : makeEquationXL(zero, std::move(quadratic), e.relation);
    };
    const Color left = rightIsZero ? Color::red : Color::black, right = rightIsZero ? Color::black : Color::red;
    return CommonFactorDivision{{recolorExtEquationCoefficients(left, right, extEquationFromPolyEquation(e)),
                                 placed(makePolynomialXL(std::vector<ExtGroup>{divided, {multiplier}})),
                                 placed(makePolynomialXL(std::vector<ExtGroup>{divided}))},
                                commonDivisorComment(d)};
}

std::optional<Polynomial_Equation_XL> factorQuadraticSide(const PolyEquation& e) {
    const std::string v = factoringVariable(e);
    const QuadraticRoots roots = quadraticSolution(e);
    if (!isRational(roots.status)) return std::nullopt;
    const auto [first, second] = inFactorOrder(roots);
    if (roots.status == Quadratic_status::rational_repeated && first.p == 0) return std::nullopt;

    const bool rightIsZero = isZeroSide(e.RHS);
    std::vector<std::vector<Term_XL>> groups;
    if (first.p != 0) {
        // Group 0 is the smaller root's factor, group 1 the larger's; the
        // product names them in factor order.
        const auto r = rationalRoots(roots);
        const std::uint64_t i = largerFirst(r) ? 1 : 0;
        groups = {linearFactor(r[0], v), linearFactor(r[1], v),
                  {makeTermXL(makeMonomial(whole(1), 0, v), {makeFactor(i, 1), makeFactor(1 - i, 1)})}};
    } else {
        const std::int64_t leading = at((rightIsZero ? e.LHS : e.RHS).terms, 0).coefficient.numerator;
        const std::int64_t k = checked::div(leading, checked::mul(first.q, second.q));
        groups = {linearFactor(second, v), {makeTermXL(makeMonomial(whole(k), 1, v), {makeFactor(0, 1)})}};
    }
    Polynomial_XL factored = makePolynomialXL(std::move(groups));
    Polynomial_XL zero = makePolynomialXL(std::vector<std::vector<Term_XL>>{{makeTermXL(makeMonomial(whole(0), 0, v), {})}});
    return rightIsZero ? makeEquationXL(std::move(factored), std::move(zero), e.relation)
                       : makeEquationXL(std::move(zero), std::move(factored), e.relation);
}

ZeroProductSplit quadraticFactorability(bool colored, const PolyEquation& e) {
    const std::string v = factoringVariable(e);
    const QuadraticRoots roots = quadraticSolution(e);
    if (roots.status == Quadratic_status::none) return {std::nullopt, std::nullopt, "no solution"};
    if (!isRational(roots.status)) return {std::nullopt, std::nullopt, "factors but not over integers"};

    const Color mark = colored ? Color::red : Color::black;
    auto highlighted = [mark](const PolyEquation& eq) { return recolorEquation(mark, mark, mark, eq); };
    auto solution = [&](const RationalRoot& r) {
        return makeEquationXL(makePolynomial({makeMonomial(whole(1), 1, v)}),
                              makePolynomial({makeMonomial(makeDefaultRational(r.p, r.q), 0, v)}), e.relation);
    };
    // A zero root is solved by its factor x alone: its solution stands twice.
    auto split = [&](const RationalRoot& r) {
        const PolyEquation factor =
            r.p == 0 ? solution(r)
                     : makeEquationXL(makePolynomial({makeMonomial(whole(r.q), 1, v),
                                                      makeMonomial(whole(checked::neg(r.p)), 0, v)}),
                                      zeroConstant(v), e.relation);
        return std::array{highlighted(factor), solution(r)};
    };
    const auto [first, second] = inFactorOrder(roots);
    if (roots.status == Quadratic_status::rational_distinct) return {split(first), split(second), std::nullopt};
    if (first.p != 0) return {split(first), std::nullopt, std::nullopt};
    // The repeated root 0: a second line kept in place but not seen.
    const PolyEquation x0 = solution(first);
    return {std::array{highlighted(x0), recolorEquation(Color::clear, Color::clear, Color::clear, x0)}, std::nullopt,
            std::nullopt};
}

Ext_polynomial recolorExtPolynomialCoefficients(Color c, const Ext_polynomial& side) {
    Ext_polynomial result = side;
    for (ExtGroup& group : result.terms) group = recolorGroupCoefficientsClosure(c, group);
    return result;
}

Ext_polyEquation recolorExtEquationCoefficients(Color left, Color right, const Ext_polyEquation& e) {
    return makeEquationXL(recolorExtPolynomialCoefficients(left, e.LHS), recolorExtPolynomialCoefficients(right, e.RHS),
                          e.relation);
}

std::vector<Engine_Table> extEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                  const Ext_polyEquation& e) {
    partial.push_back(extEquationTable(style, e));
    return partial;
}

std::vector<Engine_Table> blackExtEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                       const Ext_polyEquation& e) {
    return extEquationTableClosure(style, std::move(partial),
                                   recolorExtEquation(Color::black, Color::black, Color::black, e));
}

}  // namespace tl
