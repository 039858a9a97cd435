#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "algebra/equation_operations.hpp"
#include "algebra/side_operations.hpp"
#include "base/random.hpp"

using namespace tl;

namespace {

const std::string kMin = std::to_string(INT64_MIN), kMax = std::to_string(INT64_MAX);

Rational q(std::int64_t n, std::int64_t d) { return makeDefaultRational(n, d); }

/// A side written as "2x^2 1/2x -3 4/-6y": terms n[/d][letter[^e]] apart by blanks; "" is no term.
Polynomial P(const std::string& text) {
    std::istringstream in(text);
    std::vector<Monomial> terms;
    for (std::string t; in >> t;) {
        std::istringstream term(t);
        std::int64_t n = 0, d = 1;
        std::uint64_t e = 0;
        std::string v = "x";
        if ((term >> n).peek() == '/') term.ignore() >> d;
        if (std::isalpha(term.peek())) v = std::string(1, static_cast<char>(term.get())), e = 1;
        if (term.peek() == '^') term.ignore() >> e;
        terms.push_back(makeMonomial(q(n, d), e, v));
    }
    return makePolynomial(terms);
}

/// The side written back in the notation of P, numbers exactly as they stand.
std::string S(const Polynomial& p) {
    std::string s;
    for (const Monomial& m : p.terms) {
        s.append(s.empty() ? "" : " ").append(std::to_string(m.coefficient.numerator));
        if (m.coefficient.denominator != 1) s.append("/").append(std::to_string(m.coefficient.denominator));
        if (m.exponent > 0) s.append(m.variable);
        if (m.exponent > 1) s.append("^").append(std::to_string(m.exponent));
    }
    return s;
}

PolyEquation E(const std::string& lhs, const std::string& rhs, Relation r = Relation::equal_to) {
    return makeEquationXL(P(lhs), P(rhs), r);
}
std::string S(const PolyEquation& e) {
    return S(e.LHS) + " " + std::string(relationSymbol(e.relation)) + " " + S(e.RHS);
}

/// p at x = vx, y = vy, in exact arithmetic.
Rational valueAt(const Polynomial& p, const Rational& vx, const Rational& vy) {
    Rational sum = q(0, 1);
    for (const Monomial& m : p.terms) {
        Rational term = m.coefficient;
        for (std::uint64_t i = 0; i < m.exponent; ++i) term = *multiplyRational(term, m.variable == "x" ? vx : vy);
        sum = *addRational(sum, term);
    }
    return sum;
}

/// Groups in brackets; a term as coefficient[variable] then (group)^exponent per factor, with "{c}"
/// after whatever is drawn in colour c other than black ("r" red, "b" blue).
std::string X(const Polynomial_XL& p) {
    const auto color = [](Color c) { return c == Color::red ? "{r}" : c == Color::blue ? "{b}" : ""; };
    std::string s;
    for (const auto& group : p.terms) {
        s.append(s.empty() ? "[" : " [");
        for (const Term_XL& t : group) {
            s.append(&t == &group.front() ? "" : " ").append(S(makePolynomial({t.monomial})));
            s.append(color(t.monomial.coefficient.numerator_color)).append(color(t.monomial.variable_color));
            for (const Factor& f : t.factors)
                s.append("(").append(std::to_string(f.pointer)).append(")^").append(std::to_string(f.exponent))
                    .append(color(f.parenthesis_color)).append(color(f.exponent_color));
        }
        s.append("]");
    }
    return s;
}

}  // namespace

TEST(SideOperations, CombineLikeTerms) {
    // Constants combine whatever their letters; only whole numbers combine with `simpleOnly`.
    struct Case { bool simpleOnly; std::string side, combined; bool changed; } cases[] = {
        {false, "2x 3 5x -3", "7x", true}, {true, "2x 1/2x 3x", "5x 1/2x", true}, {false, "2x 1/2x 3x", "11/2x", true},
        {false, "3x 4y", "3x 4y", false},  {false, "3x^0 4y^0", "7", true}, {false, "1x -1x", "0", true},
        {false, "0x^2 5", "5", false},     {true, "2/1 3/-1", "2 3/-1", false}};
    for (const Case& c : cases) {
        const auto [side, changed] = combineLikeTermsOfSide(c.simpleOnly, P(c.side));
        EXPECT_EQ(std::pair(S(side), changed), std::pair(c.combined, c.changed)) << c.side;
    }
    const Polynomial combined = combineLikeTermsOfSide(false, recolorPolynomial(Color::red, P("2x 3 1x"))).side;
    EXPECT_EQ(X(polynomialXLFromPolynomial(combined)), "[3x 3{r}]");  // 2 + 1 is computed, 3 kept
    EXPECT_EQ(combineLikeTermsOfSide(false, P("1x -1x")).side.terms[0].variable, "x");
}

TEST(SideOperations, RewritesOfASide) {
    EXPECT_EQ(S(reduceCoefficientsOfSide(P("4/-6x 0/-7 0/0 5/0 -6/0"))), "-2/3x 0 0/0 1/0 -1/0");
    EXPECT_EQ(S(reduceCoefficientsOfSide(P(kMin + "/2"))), std::to_string(INT64_MIN / 2));
    EXPECT_EQ(S(negateSide(P("2/-4x -3 0/0"))), "1/2x 3 0/0");
    EXPECT_EQ(S(clearFractionsOfSide(P("1/2x 1/3"))), "3x 2");
    EXPECT_EQ(S(clearFractionsOfSide(P("1/-2x 1"))), "-1x 2");
    EXPECT_EQ(S(removeZeroTerms(true, P("0x^2 0"))), "0");
    EXPECT_EQ(S(removeZeroTerms(false, P("0/0x 3 0/5"))), "3");
}

TEST(SideOperations, TestsOfASide) {
    struct Case { std::string side; bool zeroDenominator, unreduced, fraction, descending; std::int64_t lcm, gcd; };
    const Case cases[] = {
        {"0/5", false, true, true, true, 5, 0},          {"0/1", false, false, false, true, 1, 0},
        {"3/-1", false, true, true, true, 1, 3},         {"4/2x 1", false, true, true, true, 2, 1},
        {"1x^2 1x 3", false, false, false, true, 1, 1},  {"1x 1x^2", false, false, false, false, 1, 1},
        {"2x 1x", false, false, false, true, 1, 1},      {"", false, false, false, true, 1, 0},
        {"1/0 1x", true, false, true, false, 0, 1},      {"0/0", true, true, true, true, 0, 0},
        {"1/2x 1/3", false, false, true, true, 6, 1},    {"-6x -9", false, false, false, true, 1, 3},
    };
    for (const Case& c : cases) {
        const Polynomial p = P(c.side);
        EXPECT_EQ(std::tuple(sideHasZeroDenominator(p), sideHasUnreducedCoefficient(p), sideHasFraction(p),
                             lcmOfDenominators(p), gcdOfNumerators(p)),
                  std::tuple(c.zeroDenominator, c.unreduced, c.fraction, c.lcm, c.gcd))
            << c.side;
        EXPECT_TRUE(isInDescendingOrder(p) == c.descending && !sortedIfNotDescending(p) == c.descending) << c.side;
    }
    EXPECT_EQ(S(*sortedIfNotDescending(P("1x 3 2x 1x^2"))), "1x^2 1x 2x 3");
}

TEST(SideOperations, ColoursRulesAndConversions) {
    const Polynomial p = P("3x 1/2");
    const Polynomial marked = colorFirstTerm(Color::red, colorLastTerm(Color::blue, recolorPolynomial(Color::blue, p)));
    EXPECT_EQ(X(polynomialXLFromPolynomial(marked)), "[3x{r} 1/2{b}]");
    EXPECT_TRUE(colorFirstTerm(Color::red, P("")).terms.empty() && colorLastTerm(Color::red, P("")).terms.empty());
    const Polynomial denominators = colorFractionDenominators(Color::red, p);
    EXPECT_EQ(std::pair(denominators.terms[0].coefficient.denominator_color,
                        denominators.terms[1].coefficient.denominator_color),
              std::pair(Color::black, Color::red));
    std::size_t linear = 0, none = 0, constant = 0;
    EXPECT_TRUE(std::ranges::any_of(P("3 1x^2 4x").terms, [&](auto& m) { return countUntilLinearTerm(m, linear); }));
    EXPECT_FALSE(std::ranges::any_of(P("3 1x^2").terms, [&](auto& m) { return countUntilLinearTerm(m, none); }));
    EXPECT_TRUE(!countUntilConstantTerm(p.terms[0], constant) && countUntilConstantTerm(p.terms[1], constant));
    EXPECT_EQ(std::tuple(linear, none, constant), std::tuple(2u, 2u, 1u));
    const Term t = divideTermByCommonDivisor(makeMonomial(makeSingleColorRational(-7, 3, Color::red), 2, "y"), 2);
    EXPECT_TRUE(S(makePolynomial({t.monomial})) == "-3y^2" && t.monomial.coefficient.numerator_color == Color::black &&
                !t.sub_exp.first);
    EXPECT_THROW(divideTermByCommonDivisor(P("4x").terms[0], 0), PreconditionError);
    EXPECT_THROW(divideTermByCommonDivisor(P(kMin).terms[0], -1), OverflowError);
    const auto divide = divideByLeadingCoefficientClosure(P("2x^2 3x").terms);
    EXPECT_EQ(S(makePolynomial({divide(P("2x^2").terms[0]), divide(P("3x").terms[0])})), "1x^2 3/2x");
    EXPECT_THROW(divideByLeadingCoefficientClosure(P("0x 1").terms)(P("1").terms[0]), PreconditionError);
    EXPECT_THROW(divideByLeadingCoefficientClosure({}), PreconditionError);
    const auto ext =
        extEquationFromPolyEquation(makeColoredEquationXL(P("2x 1"), P("3"), Relation::less_than, Color::red));
    EXPECT_TRUE(ext.LHS.terms.size() == 1 && ext.LHS.terms[0].size() == 2 && !ext.LHS.terms[0][1].sub_exp.first &&
                ext.relation == Relation::less_than && ext.relation_color == Color::black);
    EXPECT_EQ(commonDivisorComment(6), "\n6 is greatest common divisor\n\nfactor out  6\ndivide both sides by  6");
    EXPECT_EQ(commonDivisorComment(-3), "\n3 is greatest common divisor\n\nfactor out  -3\ndivide both sides by  -3");
    EXPECT_EQ(commonDivisorComment(-1), " \nfactor out  -1\ndivide both sides by  -1");
    EXPECT_EQ(commonDivisorComment(INT64_MIN).substr(0, 20), "\n9223372036854775808");
}

// Zero denominators and 64-bit overflow give typed errors, never a crash or a wrapped number.
TEST(SideOperations, ZeroDenominatorsAndOverflow) {
    EXPECT_THROW(clearFractionsOfSide(P("1/2x 3/0")), PreconditionError);
    EXPECT_THROW(combineLikeTermsOfSide(false, P("1/0x 1x")), PreconditionError);
    EXPECT_THROW(expandToCommonDenominator(P("1/2x 3/0").terms), PreconditionError);
    EXPECT_THROW(negateSide(P(kMin)), OverflowError);
    EXPECT_THROW(reduceCoefficientsOfSide(P(kMin + "/-1")), OverflowError);
    EXPECT_THROW(clearFractionsOfSide(P(kMax + "/2 1/3")), OverflowError);
    EXPECT_THROW(combineLikeTermsOfSide(false, P(kMax + " " + kMax)), OverflowError);
    EXPECT_THROW(expandToCommonDenominator(P(kMax + " 1/3").terms), OverflowError);
}

TEST(EquationOperations, Examples) {
    EXPECT_EQ(S(negateEquation(E("1x -2", "4"))), "-1x 2 = -4");
    EXPECT_EQ(S(negateEquation(E("2/-4x", "1"))), "1/2x = -1");
    EXPECT_EQ(S(negateEquation(E("1x", "3", Relation::less_than))), "-1x > -3");  // an inequality reverses
    EXPECT_EQ(S(negateEquation(E("1x", "3", Relation::greater_than_or_equal_to))), "-1x \u2264 -3");
    const Relation eq = Relation::equal_to;
    EXPECT_TRUE(equationHasNoVariableTerms(P("3"), P("5"), eq) && !equationHasNoVariableTerms(P("0x 3"), P("5"), eq));
    EXPECT_TRUE(sidesAreEqualConstants(P("2/4"), P("1/2"), eq) &&
                sidesAreEqualConstants(P("3"), P("3"), Relation::less_than));
    EXPECT_FALSE(sidesAreEqualConstants(P("3"), P("3 0"), eq) || sidesAreEqualConstants(P("1/0"), P("1/0"), eq));
    struct Case { std::string lhs, rhs, result; bool hasCommon, changed; } cases[] = {
        {"1/2x 1/3", "1", "3/6x 2/6 = 6/6", true, true}, {"1/2x", "1/2", "1/2x = 1/2", true, false},
        {"1x 1", "2", " = ", false, false},              {"1/-2x", "1/2", "-1/2x = 1/2", true, true},
    };
    for (const Case& c : cases) {
        const auto [e, hasCommon, changed] = commonDenominatorEquation(P(c.lhs), P(c.rhs), eq);
        EXPECT_EQ(std::tuple(S(e), hasCommon, changed), std::tuple(c.result, c.hasCommon, c.changed));
    }
    const Polynomial red = recolorPolynomial(Color::red, P("1/2x 1"));
    EXPECT_EQ(expandToCommonDenominator(red.terms).value.terms[1].coefficient.numerator_color, Color::red);
    struct Whole { bool exact; std::string side; bool whole; } wholes[] = {
        {false, "6/3", true}, {true, "6/3", false}, {false, "6/4", false}, {false, "5/0", false},
        {false, "3x", false}, {true, "2", true},    {false, kMin + "/-1", true}};
    for (const Whole& w : wholes) EXPECT_EQ(isSingleWholeConstant(w.exact, P(w.side)), w.whole) << w.side;
}

TEST(EquationOperations, SubstituteNegativeVariable) {
    const auto [written, workedOut] = substituteNegativeVariable(P("2x^3 -1x^2 5"));
    // The odd cube is blue, the even square red; the terms' own coefficients keep their black.
    EXPECT_EQ(X(written), "[-1x{b}{b}] [-1x{r}{r}] [2{b}(0)^3{b}{b} -1{r}(1)^2{r}{r} 5]");
    EXPECT_EQ(X(workedOut), "[-1x^3{b}{b}] [1x^2{r}{r}] [2{b}(0)^1{b}{b} -1{r}(1)^1{r}{r} 5]");
    for (const Polynomial_XL& value : substituteNegativeVariable(P("5"))) EXPECT_EQ(X(value), "[5]");
}

// Every rewrite that claims to keep the value of a side keeps it at random rational points.
TEST(SideOperations, RewritesKeepTheValue) {
    SystemRandom random(20240915);
    const auto draw = [&](std::int64_t lo, std::int64_t hi) { return random.uniformInRange(lo, hi); };
    const auto nonZero = [&](std::int64_t bound) { return draw(0, 1) ? draw(1, bound) : -draw(1, bound); };
    for (int round = 0; round < 2000; ++round) {
        std::vector<Monomial> terms(static_cast<std::size_t>(draw(0, 6)));
        for (Monomial& m : terms)
            m = makeMonomial(q(draw(-9, 9), nonZero(6)), static_cast<std::uint64_t>(draw(0, 3)),
                             draw(0, 2) ? "x" : "y");
        const Polynomial p = makePolynomial(terms);
        const auto expanded = expandToCommonDenominator(p.terms);
        for (int point = 0; point < 3; ++point) {
            const Rational vx = q(draw(-5, 5), nonZero(4)), vy = q(draw(-5, 5), nonZero(4));
            const Rational v = valueAt(p, vx, vy);
            const auto same = [&](const Polynomial& other, const Rational& expected, const char* what) {
                EXPECT_TRUE(rationalEquals(valueAt(other, vx, vy), expected)) << what << " round " << round;
            };
            same(combineLikeTermsOfSide(false, p).side, v, "combine");
            same(combineLikeTermsOfSide(true, p).side, v, "combine simple");
            same(reduceCoefficientsOfSide(p), v, "reduce");
            same(removeZeroTerms(false, p), v, "remove zeros");
            same(sortedByDescendingExponent(p), v, "sort");
            same(negateSide(p), *multiplyRational(v, q(-1, 1)), "negate");
            same(clearFractionsOfSide(p), *multiplyRational(v, q(lcmOfDenominators(p), 1)), "clear fractions");
            if (expanded.hasCommonDenominator) same(expanded.value, v, "common denominator");
        }
        EXPECT_TRUE(isInDescendingOrder(sortedByDescendingExponent(p)));
        EXPECT_FALSE(sideHasUnreducedCoefficient(reduceCoefficientsOfSide(p)));
        EXPECT_FALSE(sideHasFraction(clearFractionsOfSide(p)));
    }
}
