// Rational expressions: a factored numerator over a factored denominator, their
// display row, the tests and rewrites that act on both parts, and the four
// step pairs (standard order, factoring, common factor, −1) from which the
// simplification steps are built.
//
// A step pair is [before, after]: before draws what is about to change red in
// the numerator and blue in the denominator, after the result in the same
// colours; a part the step does not touch keeps its colours. Every expression
// a step makes has a black bar. A pair is absent when its step applies to
// neither part, and when after would be written as before (colours aside).
// Every step keeps the value of the expression.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "algebra/factoring.hpp"
#include "common/tableau.hpp"

namespace tl {

struct Rational_Expression {
    Polynomial_XL poly_N{{{makeTermXL(makeMonomialX(makeDefaultRational(0, 1), 0), {})}}};
    Polynomial_XL poly_D{{{makeTermXL(makeMonomialX(makeDefaultRational(1, 1), 0), {})}}};
    Color color = Color::black;  // the fraction bar
};

using RationalStepPair = std::array<Rational_Expression, 2>;

/// The expression with a black bar.
Rational_Expression makeRationalExpression(Polynomial_XL numerator, Polynomial_XL denominator);
Rational_Expression makeColoredRationalExpression(Polynomial_XL numerator, Polynomial_XL denominator, Color color);

/// The numerator's row alone when the denominator is the constant 1 and no
/// fraction is forced; otherwise numerator "/" denominator with the bar in the
/// expression's colour. Rows in rational_fraction style.
Engine_Table rationalExpressionRow(const Rational_Expression& e, bool forceFraction = false);

/// n over the constant 1.
bool isConstantOverOne(const Rational_Expression& e, std::int64_t n);
/// Both parts and the bar in `color`.
Rational_Expression recolorRationalExpression(const Rational_Expression& e, Color color);
/// The numerator in one colour, the denominator in another; the bar kept.
Rational_Expression recolorRationalExpressionParts(const Rational_Expression& e, Color numerator,
                                                   Color denominator);
bool rationalExpressionHasZeroDenominator(const Rational_Expression& e);
/// Both parts without zero terms, black bar.
Rational_Expression mapRationalExpressionTerms(const Rational_Expression& e);
/// Both parts through expandXL(negate): constant factor groups folded into the
/// coefficient; with `negate` both parts negated. None when neither changed.
std::optional<Rational_Expression> transformBothParts(const Rational_Expression& e, bool negate);

bool bothInStandardOrder(const Rational_Expression& e);
bool eitherPartFactorable(const Rational_Expression& e);
bool eitherPartHasCommonFactor(const Rational_Expression& e);
bool eitherPartLeadsNegative(const Rational_Expression& e);

/// The parts that are not in standard order (isInStandardOrderXL) sorted by
/// descending exponent; absent when both are. A part of several groups never
/// is: it is sorted group by group, keeping its value; when that changes
/// nothing in either part, the pair is absent too.
std::optional<RationalStepPair> standardOrderStepPair(const Rational_Expression& e);
/// The factorable parts rewritten by factorTrinomialXL.
std::optional<RationalStepPair> factorStepPair(const Rational_Expression& e);
/// The parts with a common factor rewritten by factorOutGcfXL.
std::optional<RationalStepPair> commonFactorStepPair(const Rational_Expression& e);
/// −1 factored out of the parts that lead negative, except a part that is the constant −1.
std::optional<RationalStepPair> negativeOneStepPair(const Rational_Expression& e);

}  // namespace tl
