#include "algebra/rational_expression.hpp"

#include <algorithm>
#include <utility>

#include "algebra/tables.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

/// [before, after] of one part; the identity pair for a part left alone.
using PartPair = std::array<Polynomial_XL, 2>;

/// Written alike: the same groups of the same terms, coefficients as written,
/// the same factors; colours take no part.
bool writtenAlike(const Polynomial_XL& a, const Polynomial_XL& b) {
    const auto sameFactor = [](const Factor& f, const Factor& g) {
        return f.pointer == g.pointer && f.exponent == g.exponent;
    };
    const auto sameTerm = [&](const Term_XL& s, const Term_XL& t) {
        const Monomial &m = s.monomial, &n = t.monomial;
        return m.coefficient.numerator == n.coefficient.numerator &&
               m.coefficient.denominator == n.coefficient.denominator && m.exponent == n.exponent &&
               m.variable == n.variable && std::ranges::equal(s.factors, t.factors, sameFactor);
    };
    return std::ranges::equal(a.terms, b.terms,
                              [&](const GroupXL& g, const GroupXL& h) { return std::ranges::equal(g, h, sameTerm); });
}

/// The step pair that rewrites every part for which `applies` holds (numerator
/// red, denominator blue); none when it holds for neither, or when the
/// rewrites leave both parts as they were (a caller repeating a step while it
/// applies then stops).
template <class Applies, class Rewrite>
std::optional<RationalStepPair> stepPair(const Rational_Expression& e, Applies applies, Rewrite rewrite) {
    const bool n = applies(e.poly_N), d = applies(e.poly_D);
    if (!n && !d) return std::nullopt;
    const PartPair numerator = n ? rewrite(Color::red, e.poly_N) : PartPair{e.poly_N, e.poly_N};
    const PartPair denominator = d ? rewrite(Color::blue, e.poly_D) : PartPair{e.poly_D, e.poly_D};
    if (writtenAlike(numerator[0], numerator[1]) && writtenAlike(denominator[0], denominator[1]))
        return std::nullopt;
    return RationalStepPair{makeRationalExpression(numerator[0], denominator[0]),
                            makeRationalExpression(numerator[1], denominator[1])};
}

}  // namespace

Rational_Expression makeRationalExpression(Polynomial_XL numerator, Polynomial_XL denominator) {
    return makeColoredRationalExpression(std::move(numerator), std::move(denominator), Color::black);
}

Rational_Expression makeColoredRationalExpression(Polynomial_XL numerator, Polynomial_XL denominator, Color color) {
    return Rational_Expression{std::move(numerator), std::move(denominator), color};
}

Engine_Table rationalExpressionRow(const Rational_Expression& e, bool forceFraction) {
    Engine_Table numerator = polynomialRow(Style::rational_fraction, e.poly_N);
    if (!forceFraction && equalsConstantXL(1, e.poly_D)) return numerator;
    return joinItem("/", std::move(numerator), polynomialRow(Style::rational_fraction, e.poly_D), e.color);
}

bool isConstantOverOne(const Rational_Expression& e, std::int64_t n) {
    return equalsConstantXL(n, e.poly_N) && equalsConstantXL(1, e.poly_D);
}

Rational_Expression recolorRationalExpression(const Rational_Expression& e, Color color) {
    return makeColoredRationalExpression(recolorPolynomialXL(color, e.poly_N), recolorPolynomialXL(color, e.poly_D),
                                         color);
}

Rational_Expression recolorRationalExpressionParts(const Rational_Expression& e, Color numerator, Color denominator) {
    return makeColoredRationalExpression(recolorPolynomialXL(numerator, e.poly_N),
                                         recolorPolynomialXL(denominator, e.poly_D), e.color);
}

bool rationalExpressionHasZeroDenominator(const Rational_Expression& e) {
    return hasZeroDenominatorXL(e.poly_N) || hasZeroDenominatorXL(e.poly_D);
}

Rational_Expression mapRationalExpressionTerms(const Rational_Expression& e) {
    return makeRationalExpression(removeZeroTermsXL(false, e.poly_N), removeZeroTermsXL(false, e.poly_D));
}

std::optional<Rational_Expression> transformBothParts(const Rational_Expression& e, bool negate) {
    auto n = expandXL(negate, e.poly_N);
    auto d = expandXL(negate, e.poly_D);
    if (!n && !d) return std::nullopt;
    return makeRationalExpression(n ? std::move(*n) : e.poly_N, d ? std::move(*d) : e.poly_D);
}

bool bothInStandardOrder(const Rational_Expression& e) {
    return isInStandardOrderXL(e.poly_N) && isInStandardOrderXL(e.poly_D);
}
bool eitherPartFactorable(const Rational_Expression& e) {
    const RootSearchScope scope;
    return isFactorableXL(e.poly_N) || isFactorableXL(e.poly_D);
}
bool eitherPartHasCommonFactor(const Rational_Expression& e) {
    return hasCommonFactorXL(e.poly_N) || hasCommonFactorXL(e.poly_D);
}
bool eitherPartLeadsNegative(const Rational_Expression& e) {
    return leadingCoefficientIsNegativeXL(e.poly_N) || leadingCoefficientIsNegativeXL(e.poly_D);
}

std::optional<RationalStepPair> standardOrderStepPair(const Rational_Expression& e) {
    const auto outOfOrder = [](const Polynomial_XL& p) { return !isInStandardOrderXL(p); };
    return stepPair(e, outOfOrder, [](Color c, const Polynomial_XL& p) {
        return PartPair{recolorPolynomialXL(c, p), recolorPolynomialXL(c, sortedGroupsXL(p))};
    });
}

std::optional<RationalStepPair> factorStepPair(const Rational_Expression& e) {
    const RootSearchScope scope;
    return stepPair(e, isFactorableXL, factorTrinomialXL);
}

std::optional<RationalStepPair> commonFactorStepPair(const Rational_Expression& e) {
    return stepPair(e, hasCommonFactorXL,
                    [](Color c, const Polynomial_XL& p) { return factorOutGcfXL(false, c, p); });
}

std::optional<RationalStepPair> negativeOneStepPair(const Rational_Expression& e) {
    return stepPair(
        e, [](const Polynomial_XL& p) { return leadingCoefficientIsNegativeXL(p) && !equalsConstantXL(-1, p); },
        [](Color c, const Polynomial_XL& p) {
            return PartPair{recolorPolynomialXL(c, p), recolorPolynomialXL(c, factorOutNegativeOneXL(p))};
        });
}

}  // namespace tl
