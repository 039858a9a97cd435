#include "algebra/factoring.hpp"

#include <gtest/gtest.h>

#include "factored_values.hpp"

namespace tl {
namespace {

using testing::colors;
using testing::show;
using testing::xl;

std::string shown(const std::optional<Polynomial_XL>& p) { return p ? show(*p) : "none"; }
std::string shown(const std::optional<std::vector<Polynomial_XL>>& list) {
    if (!list) return "none";
    std::string s;
    for (const Polynomial_XL& p : *list) s += (s.empty() ? "" : " ; ") + show(p);
    return s;
}

TEST(FactoredPolynomial, Tests) {
    const Polynomial_XL yOne{{{makeTermXL(makeMonomial(makeDefaultRational(1, 1), 0, "y"), {})}}};
    EXPECT_TRUE(equalsConstantXL(1, xl("1")));
    EXPECT_FALSE(equalsConstantXL(1, xl("1(x + 1)")) || equalsConstantXL(1, yOne));
    EXPECT_TRUE(isInStandardOrderXL(xl("x^2 + x + 1")));
    EXPECT_FALSE(isInStandardOrderXL(xl("x + x^2")) || isInStandardOrderXL(xl("x(x + 1)")));
    EXPECT_EQ(std::pair(degreeXL(xl("0x^3 + 2x + 1")), degreeXL(xl("2(x + 1)"))),
              std::pair(std::optional<std::uint64_t>(1), std::optional<std::uint64_t>()));
    EXPECT_TRUE(hasZeroDenominatorXL(xl("x + 2(x/0 + 1)")) && sameSingleGroupXL(xl("x + 1"), xl("x + 2/2")));
    using F = Quadratic_Factorabilty;
    const std::pair<const char*, F> hints[] = {
        {"x^2 - 4", F::factors}, {"x^2 - 2", F::factors_but_not_over_rationals}, {"x^2 + 4", F::does_not_factor},
        {"3x^2", F::factors},    {"x^2 + x + 1", F::factors}};  // a hint, not a verdict
    for (const auto& [text, hint] : hints) EXPECT_EQ(quadraticFactorabilityXL(xl(text)), hint) << text;
    EXPECT_EQ(quadraticCategoryXL(xl("x^2 + 0x - 4")), Quadratic_Category::binomial_ac);
    EXPECT_EQ(linearCategoryXL(xl("3x + 0")), Linear_Category::monomial);
}

TEST(FactoredPolynomial, Rewrites) {
    // The emptied group 1 removes the term x·(1) of the expression in a second pass.
    EXPECT_EQ(show(removeZeroTermsXL(true, xl("3 + x(2(0x^2 + 0))"))), "0 | 0 | 3");
    EXPECT_EQ(show(sortedAscendingXL(xl("x^2 + 1 + x"))), "1, x, x^2");
    EXPECT_EQ(show(factorOutNegativeOneXL(xl("x^2 - 3x"))), "-1 | -x^2, 3x | (0)(1)");
    // Several groups: the whole value is negated, no group is lost.
    EXPECT_EQ(show(factorOutNegativeOneXL(xl("(x + 1)(x - 2)"))), "-1 | x, 1 | x, -2 | -(1)(2) | (0)(3)");
    EXPECT_EQ(show(negatedXL(xl("x^2 - 3"))), "-x^2, 3");
    const std::pair<bool, const char*> expansions[][2] = {
        {{false, "3(2)"}, {true, "2 | 6"}},
        {{false, "3(x + 1)"}, {true, "none"}},
        {{true, "3(2)"}, {true, "2 | -6"}},
        {{true, "4x"}, {true, "-4x"}},
        {{true, "x + 1"}, {true, "x, 1 | -(0)"}},
        {{false, "3(2)^2"}, {true, "2 | 12"}},                  // the factor's own exponent counts
        {{true, "(x + 1)(2)"}, {true, "x, 1 | 2 | -(0)(1)"}},  // nothing to fold: still negated
        {{true, "x(x + 1) + 2"}, {true, "x, 1 | x(0), 2 | -(1)"}},  // every group kept
        {{false, "2(3x^2)(x + 1)"}, {true, "3x^2 | x, 1 | 6x^2(1)"}},
    };
    for (const auto& [in, out] : expansions) EXPECT_EQ(shown(expandXL(in.first, xl(in.second))), out.second) << in.second;
    // Negating a plain term changes its coefficient alone: the variable keeps its colour.
    EXPECT_EQ(expandXL(true, recolorPolynomialXL(Color::red, xl("4x")))->terms[0][0].monomial.variable_color, Color::red);
}

TEST(FactoredPolynomial, CommonFactor) {
    const auto gcf = factorOutGcfXL(Color::red, xl("6x^2 + 9x"));
    EXPECT_EQ(show(gcf[1]), "2x, 3 | 3x(0)");
    EXPECT_EQ(colors(gcf[0]) + " " + colors(gcf[1]), "rr rr|r(r)");
    EXPECT_EQ(show(factorOutGcfXL(true, Color::red, xl("-4x^3 - 6x"))[1]), "2x^2, 3 | -2x(0)");
    EXPECT_EQ(show(factorOutGcfXL(false, Color::red, xl("-4x^3 - 6x"))[1]), "-2x^2, -3 | 2x(0)");
    EXPECT_EQ(show(factorOutGcfXL(Color::red, xl("3x/4 + 6/4"))[1]), "1/4x, 2/4 | 3(0)");
    for (const char* text : {"x^2 + 1", "5x", "0x^2 + 0x"}) EXPECT_FALSE(hasCommonFactorXL(xl(text))) << text;
    EXPECT_TRUE(hasCommonFactorXL(xl("(x + 1)(2x + 4)")));
    // The layout of factorOutNegativeOneXL, and any other: the working group is split in place,
    // and only it and the factors pointing at it are drawn, the rest black.
    const auto layout = factorOutGcfXL(Color::red, recolorPolynomialXL(Color::blue, factorOutNegativeOneXL(xl("-6x^2 - 9x"))));
    EXPECT_EQ(show(layout[1]), "-1 | 3x | 2x, 3 | (0)(1)(2)");
    EXPECT_EQ(colors(layout[0]) + " " + colors(layout[1]), "k|rr|k(k)(r) k|r|rr|k(k)(r)(r)");
    EXPECT_EQ(show(factorOutGcfXL(Color::red, xl("(x + 1)(2x + 4)"))[1]), "x, 1 | 2 | x, 2 | (0)(1)(2)");

    EXPECT_EQ(show(*commonMonomialOfFirstGroupXL(xl("2x + 4"))), "2");
    EXPECT_FALSE(commonMonomialOfFirstGroupXL(xl("x + 1")));
    EXPECT_EQ(show(*greatestCommonMonomialXL(xl("-4x^3 - 6x"))), "-2x");
    EXPECT_EQ(shown(divideByCommonMonomialXL(xl("3x/4 + 6/4"))), "1/4x, 2/4");  // denominators kept
    EXPECT_EQ(shown(divideByCommonMonomialXL(xl("0x^2 + 0x"))), "none");
}

TEST(FactoredPolynomial, RationalRoots) {
    const std::pair<const char*, const char*> cases[] = {
        {"x^2 + 5x + 6", "x, 2 ; x, 3 ; 1"},
        {"x^2 - 1", "x, 1 ; x, -1 ; 1"},
        {"2x^2 - 2", "x, 1 ; x, -1 ; 2"},
        {"x^2 + 1", "none"},
        {"x + 1", "none"},
        {"0x^3 + x^2 - 1", "x, 1 ; x, -1 ; 1"},  // a zero term takes no part
        {"x^3 + x^2", "x, 1 ; x^2"},             // a zero constant term: x stays in the quotient
        {"-x^2 + 1", "x, 1 ; x, -1 ; -1"},
        {"x^2 + x + 2x + 2", "x, 1 ; x, 2 ; 1"},  // like terms add up in the division
        {"x^2/2 - 1/2", "none"},                   // numerators alone are not the polynomial
    };
    for (const auto& [text, factors] : cases) EXPECT_EQ(shown(factorCompletely(xl(text))), factors) << text;
    EXPECT_EQ(shown(findRationalRootFactor(xl("6x^2 + x - 1"))) + " ; " + shown(findRationalRootFactor(xl("x + 1"))),
              "2x, 1 ; x, 1");
    EXPECT_THROW(divideByLinearFactor(xl("0x + 2"), xl("x^2 - 4")), PreconditionError);
    EXPECT_THROW(factorCompletely(xl("x^1000000000001 + 1")), PreconditionError);  // x + 1 divides it
}

TEST(FactoredPolynomial, LinearFactorsOfAGroup) {
    const auto pair = factorTrinomialXL(Color::red, xl("x^2 + 5x + 6"));
    EXPECT_EQ(show(pair[1]), "x, 2 | x, 3 | 1 | (0)(1)(2)");
    EXPECT_EQ(colors(pair[0]) + " " + colors(pair[1]), "rrr rr|rr|r|k(r)(r)(r)");
    EXPECT_EQ(show(factorTrinomialXL(Color::red, xl("x^2 + 2x + 1"))[1]), "x, 1 | x, 1 | 1 | (0)(1)(2)");
    const auto twoGroups = factorTrinomialXL(Color::blue, xl("2(x^2 + 5x + 6)"));
    EXPECT_EQ(show(twoGroups[1]), "x, 2 | x, 3 | 1 | 2(0)(1)(2)");
    EXPECT_EQ(colors(twoGroups[0]) + " " + colors(twoGroups[1]), "bbb|k(b) bb|bb|b|k(b)(b)(b)");
    EXPECT_EQ(show(factorTrinomialXL(Color::red, xl("(x - 1)(x^2 - 4)"))[1]), "x, -1 | x, 2 | x, -2 | 1 | (0)(1)(2)(3)");
    EXPECT_EQ(show(chooseFactoringMethod(Color::red, "guess and check", xl("6x^2 + x - 1"))[1]), "2x, 1 | 3x, -1 | 1 | (0)(1)(2)");
    EXPECT_EQ(show(chooseFactoringMethod(Color::red, "ac method", xl("6x^2 + x - 1"))[1]), "3x, -1 | 2x, 1 | 1 | (0)(1)(2)");
    EXPECT_FALSE(isFactorableXL(xl("2x + 2")) || isFactorableXL(xl("0x^2 + x + 1")));  // no degree 2 left
    EXPECT_TRUE(isFactorableXL(xl("3(x^2 - 1)")));
    EXPECT_THROW(factorTrinomialXL(Color::red, xl("x^2 + 1")), PreconditionError);
}

TEST(FactoredPolynomial, SignIntoAFactor) {
    const Polynomial_XL p = recolorPolynomialXL(Color::blue, xl("-(x - 2)(x + 3)"));
    ASSERT_TRUE(hasOppositeFactorSignsXL(p));
    const auto steps = *signMoveStepsXL(p);
    EXPECT_EQ(show(steps[0]) + " ; " + show(steps[1]) + " ; " + show(steps[2]), "x, -2 ; -2, x ; 2, -x | -(0)");
    EXPECT_EQ(colors(steps[0]) + " " + colors(steps[1]) + " " + colors(steps[2]), "kk kk kk|k(k)");
    const auto moved = negateFactorAndCoefficientXL(Color::red, p);
    EXPECT_EQ(show(*moved), "2, -x | 3, x | (0)(1)");
    EXPECT_EQ(colors(*moved), "rr|rr|r(r)(r)");
    for (const char* text : {"-(x + 2)(x + 3)", "2(x - 2)(x + 3)", "-(x - 2)", "-(x - 2)(x + 3)^2"}) {
        EXPECT_FALSE(signMoveStepsXL(xl(text))) << text;
        EXPECT_FALSE(negateFactorAndCoefficientXL(Color::red, xl(text))) << text;
    }
    // The expression is the last group, whatever stands between: nothing is dropped.
    EXPECT_EQ(show(*negateFactorAndCoefficientXL(Color::red, xl("-(x - 2)(x + 3)(1)"))), "2, -x | 3, x | 1 | (0)(1)(2)");
}

}  // namespace
}  // namespace tl
