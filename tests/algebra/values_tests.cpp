#include <gtest/gtest.h>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"

using namespace tl;

namespace {

Rational q(std::int64_t n, std::int64_t d) { return makeDefaultRational(n, d); }
Monomial m(std::int64_t n, std::int64_t d, std::uint64_t e, std::string v = "x") { return makeMonomial(q(n, d), e, v); }

}  // namespace

TEST(AlgebraValues, MonomialEqualityAndMatching) {
    struct Case { Monomial a, b; bool equals, matchesExact, matchesReduced; } cases[] = {
        {m(3, 1, 0, "y"), m(3, 1, 0, "x"), true, true, true},  // constants ignore the letter
        {m(3, 1, 1, "y"), m(3, 1, 1, "x"), false, false, false},
        {m(1, 2, 1), m(2, 4, 1), true, false, true},
        {m(1, 2, 1), m(1, 2, 2), false, false, false},
        {m(1, -2, 1), m(-1, 2, 1), true, false, true},
        {m(1, 0, 1), m(1, 0, 1), true, false, false},  // no number: matches nothing
        {m(INT64_MIN, -1, 1), m(INT64_MIN, -1, 1), true, true, true},  // no reduced 64-bit form, yet no overflow
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::tuple(monomialEquals(c.a, c.b), monomialMatches(c.a, c.b, true),
                             monomialMatches(c.a, c.b, false)),
                  std::tuple(c.equals, c.matchesExact, c.matchesReduced))
            << c.a.coefficient.numerator << "/" << c.a.coefficient.denominator << c.a.variable << "^" << c.a.exponent;
    }
}

TEST(AlgebraValues, GroupTermsEqualNothing) {
    Term group = makeTerm(m(2, 1, 0), {true, 1});
    EXPECT_FALSE(termEquals(group, group));
    Term a = makeTerm(m(2, 1, 1), {false, 0}), b = makeTerm(m(4, 2, 1), {false, 7});
    b.sub_exp_parenthesis_color = Color::red;
    EXPECT_TRUE(termEquals(a, b));
}

TEST(AlgebraValues, PolynomialAndEquationEquality) {
    const Polynomial xPlus1 = makePolynomial({m(1, 1, 1), m(1, 1, 0)});
    const Polynomial onePlusX = makePolynomial({m(1, 1, 0), m(1, 1, 1)});
    EXPECT_FALSE(polynomialEquals(xPlus1, onePlusX));
    PolyEquation a = makeEquationXL(xPlus1, onePlusX, Relation::less_than);
    PolyEquation b = makeColoredEquationXL(makePolynomial({colorMonomial(Color::red, m(1, 1, 1)), m(2, 2, 0)}),
                                           onePlusX, Relation::less_than, Color::red);
    EXPECT_TRUE(polyEquationEquals(a, b));
    b.relation = Relation::greater_than;
    EXPECT_FALSE(polyEquationEquals(a, b));
    // The one constructor serves every equation form.
    static_assert(std::same_as<decltype(makeEquationXL(Ext_polynomial{}, Ext_polynomial{}, Relation::equal_to)),
                               Ext_polyEquation>);
    static_assert(std::same_as<decltype(makeEquationXL(Polynomial_XL{}, Polynomial_XL{}, Relation::equal_to)),
                               Polynomial_Equation_XL>);
}

TEST(AlgebraValues, RecolouringAndNegation) {
    const Polynomial_XL p = makePolynomialXL(std::vector<std::vector<Term_XL>>{
        {makeTermXL(m(1, 1, 1), {})}, {makeTermXL(m(2, 1, 0), {makeFactor(0, 2)})}});
    const Polynomial_XL red = recolorPolynomialXL(Color::red, p);
    const Term_XL& t = red.terms[1][0];
    EXPECT_EQ(std::tuple(t.monomial.variable_color, t.monomial.coefficient.bar_color, t.factors[0].exponent_color),
              std::tuple(Color::red, Color::red, Color::red));
    EXPECT_EQ(t.factors[0].pointer, 0u);
    EXPECT_TRUE(recolorPolynomialXL(Color::red, Polynomial_XL{}).terms.empty());
    EXPECT_EQ(recolorEquationXL(Color::blue, makeEquationXL(p, p, Relation::equal_to)).relation_color, Color::blue);

    const auto negated = negateMonomial(colorMonomial(Color::red, m(-3, 6, 2)));
    ASSERT_TRUE(negated);
    EXPECT_EQ(std::tuple(negated->coefficient.numerator, negated->coefficient.denominator, negated->variable_color,
                         negated->coefficient.numerator_color),
              std::tuple(1, 2, Color::black, Color::black));
    EXPECT_FALSE(negateMonomial(m(1, 0, 1)));
}

TEST(AlgebraValues, ThreeTermPolynomial) {
    const auto descending = makeThreeTermPolynomialXL(q(1, 1), q(2, 1), q(3, 1), "\u2798", Color::red, Color::blue,
                                                      Color::black, Color::black, Color::black, Color::green);
    const auto ascending = makeThreeTermPolynomialXL(q(1, 1), q(2, 1), q(3, 1), "→", Color::black, Color::black,
                                                     Color::black, Color::black, Color::black, Color::black);
    ASSERT_EQ(descending.terms.size(), 1u);
    const Monomial &first = descending.terms[0][0].monomial, &last = descending.terms[0][2].monomial;
    EXPECT_EQ(std::tuple(first.exponent, last.exponent, ascending.terms[0][0].monomial.exponent),
              std::tuple(2u, 0u, 0u));
    EXPECT_EQ(std::tuple(first.coefficient.numerator_color, first.variable_color, last.variable_color),
              std::tuple(Color::red, Color::blue, Color::green));
}

TEST(AlgebraEnums, RawValues) {
    EXPECT_EQ(rawValue(Style::fraction), "show as \u00B9\u2215\u2083 x");
    EXPECT_EQ(rawValue(Style::rational_fraction), "show as \u02E3\u2215\u2083");
    EXPECT_EQ(fromRawValue<Style>("show as decimal"), Style::decimal);
    EXPECT_FALSE(fromRawValue<Style>("show as  decimal") || fromRawValue<Style>("Show as decimal"));
    EXPECT_EQ(fromRawValue<Category>(-1), Category::error);
    EXPECT_FALSE(fromRawValue<Category>(4) || fromRawValue<Category>(-2));
    EXPECT_EQ(rawValue(Var::z), "z");
    EXPECT_EQ(rawValue(Status::infinite), "TRUE, solution is all values of variable");
    EXPECT_EQ(rawValue(Quadratic_method::complete_the_square), "complete the square");
    // Every raw value leads back to its own case.
    for (Quadratic_status s : allCases<Quadratic_status>()) EXPECT_EQ(fromRawValue<Quadratic_status>(rawValue(s)), s);
    for (Technique t : allCases<Technique>()) EXPECT_EQ(fromRawValue<Technique>(rawValue(t)), t);
}
