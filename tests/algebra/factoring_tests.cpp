#include "algebra/factoring.hpp"

#include <gtest/gtest.h>

#include "base/random.hpp"
#include "common/integers.hpp"
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

// Like terms become their exact sum where the first of them stands, in every
// group; a sum beyond 64 bits on the way is fine, a total beyond it is not.
TEST(FactoredPolynomial, LikeTermsAddUp) {
    const std::string max = "9223372036854775807";
    const std::pair<std::string, std::string> cases[] = {
        {"x^2 + 3 - x^2 + x/2 + 2x/4 + 2x/4", "3, 3/2x"},  // a sum of 0 dropped, one in lowest terms
        {"(2x/4 + 1 - 1)(-" + max + " - 1 + x)", "1/2x | -9223372036854775808, x | (0)(1)"},
        {"2 + x(x + 1) + 3 + 2x", "x, 1 | 5, x(0), 2x"},  // a power with a product is left as written
        // A term added to nothing is in lowest terms too, one with factors included.
        {"(10/5)x^2 + 0.50x - x^3/(-4) + (0/5)", "2x^2, 1/2x, 1/4x^3, 0"},
        {"(6/4)x(2x/2 + 1.0) + 4x^2/2", "x, 1 | 3/2x(0), 2x^2"},
        {"-" + max + "x/(-1) - 1", max + "x, -1"},
        {"x - 9223372036854775808x/(-1) - 2x", max + "x"},  // 2⁶³ only on the way
    };
    for (const auto& [text, added] : cases) EXPECT_EQ(show(addLikeTermsXL(xl(text))), added) << text;
    const Polynomial_XL emptied = addLikeTermsXL(xl("3 + y^2 - 3 - y^2"));
    EXPECT_EQ(show(emptied) + " in " + emptied.terms[0][0].monomial.variable, "0 in y");
    EXPECT_THROW(addLikeTermsXL(xl("x - " + max + " - 1 - 1")), OverflowError);
    EXPECT_THROW(addLikeTermsXL(xl("x - 9223372036854775808/(-1)")), OverflowError);  // 2⁶³
    // Only the coefficients, in every group: like terms stay as typed.
    EXPECT_EQ(show(coefficientsInLowestTermsXL(xl("(4/2)(x + x + 3/6)"))), "x, x, 1/2 | 2(0)");
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
    // A numerator of −2⁶³: a common factor of 2⁶³ is taken out with its sign only.
    const std::string min = "-9223372036854775808";
    EXPECT_EQ(show(factorOutGcfXL(true, Color::red, xl(min + "x^2 " + min + "x"))[1]), "x, 1 | " + min + "x(0)");
    EXPECT_THROW(factorOutGcfXL(false, Color::red, xl(min + "x^2 " + min + "x")), OverflowError);
    EXPECT_EQ(show(*commonMonomialOfFirstGroupXL(xl(min + "x^2 " + min + "x"))), min + "x");
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

namespace {

using i128 = checked::i128;

i128 fits(i128 v) {
    if (v < INT64_MIN || v > INT64_MAX) throw OverflowError("drawn beyond 64 bits");
    return v;
}

/// Σ c·x^k, highest power first, from coefficients by power (ascending); with
/// `step`, c[k] is the coefficient of x^(k·step).
Polynomial_XL wholePolynomial(const std::vector<i128>& c, std::uint64_t step = 1) {
    GroupXL group;
    for (std::size_t k = c.size(); k-- > 0;)
        if (c[k] != 0)
            group.push_back(
                makeTermXL(makeMonomial(makeDefaultRational(static_cast<std::int64_t>(c[k]), 1), k * step, "x"), {}));
    return Polynomial_XL{{group}};
}

}  // namespace

// Candidates far from every root once overflowed 64 bits and refused the whole search.
TEST(FactoredPolynomial, RationalRootsOfLargeValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"x^2 + 963761198400", "none"},
        {"6x^2 + 963761198400", "none"},
        {"x^4 + 963761198400", "none"},
        {"720720x^2 - 897612484786617600", "none"},
        {"1024x^10 - 59049", "2x, 3 ; 2x, -3 ; 256x^8, 576x^6, 1296x^4, 2916x^2, 6561"},  // roots on the bound
        {"6x^5 - 963761198400x^4 + 5x - 803134332000", "x, -160626866400 ; 6x^4, 5"},
        {"3x^3 + 963761198400x^2 + 963761198400x + 3", "x, 1 ; 3x^2, 963761198397x, 3"},
        // b·q of the division passes 2⁶³ on the way; the quotient fits.
        {"4611686018427387904x^2 + 9223372036854775807x - 2", "x, 2 ; 4611686018427387904x, -1 ; 1"},
        // Roots at the edges of the 64-bit range.
        {"4611686018427387904x^2 - 9223372036854775806x", "2305843009213693952x, -4611686018427387903 ; 2x"},
        {"4611686018427387904x^2 - 9223372036854775807x", "4611686018427387904x, -9223372036854775807 ; x"},
        {"-9223372036854775807x^2 + x + 9223372036854775806",
         "x, -1 ; 9223372036854775807x, 9223372036854775806 ; -1"},
        // A coefficient of −2⁶³, whose size leaves 64 bits: its divisors up to 2⁶³ are tried.
        {"x^2 - 9223372036854775808", "none"},
        {"x^2 - 9223372036854775808x", "x, -9223372036854775808 ; x"},
        {"-9223372036854775808x^2 + 2x", "4611686018427387904x, -1 ; -2x"},
        {"-9223372036854775808x^2 + 3", "none"},
    };
    for (const auto& [text, factors] : cases) EXPECT_EQ(shown(factorCompletely(xl(text))), factors) << text;
    // pⁿxⁿ − qⁿ: ±q/p lie exactly on both bounds on the size of the roots, and are found.
    for (std::int64_t n = 1; n <= 7; ++n)
        for (std::int64_t p = 1; p <= 6; ++p)
            for (std::int64_t q = 1; q <= 9; ++q) {
                if (gcd(p, q) != 1) continue;
                const auto step = static_cast<std::uint64_t>(n);
                const Polynomial_XL binomial = wholePolynomial({-power(q, n), power(p, n)}, step);
                EXPECT_EQ(shown(findRationalRootFactor(binomial)), show(wholePolynomial({n % 2 == 0 ? q : -q, p})))
                    << show(binomial);
            }
    // A root whose factor cannot be written in 64 bits is refused, not passed over.
    EXPECT_THROW(findRationalRootFactor(xl("-9223372036854775808x + 3")), OverflowError);
    EXPECT_THROW(factorCompletely(xl("x^2 + 9223372036854775807x - 9223372036854775808")), OverflowError);
    // A root that cannot be checked within 10,000 powers: refused, not guessed, and named for that limit.
    try {
        findRationalRootFactor(xl("x^20001 - 2x^20000 + x - 2"));
        ADD_FAILURE() << "not refused";
    } catch (const PreconditionError& e) {
        EXPECT_STREQ(e.what(), "a root test over powers more than 10000 apart");
    }
}

// The first root in the order of the search (p ascending, then q, −q/p before
// q/p), by trying every pair and substituting it exactly in 128 bits.
std::string firstRootByTrial(const std::vector<i128>& c) {
    const auto n = static_cast<int>(c.size()) - 1;
    for (const std::int64_t p : divisors(static_cast<std::int64_t>(c.back())))
        for (const std::int64_t q : divisors(static_cast<std::int64_t>(c[0] < 0 ? -c[0] : c[0])))
            for (const std::int64_t s : {q, -q}) {  // the root −s/p
                if (gcd(p, q) != 1) continue;
                i128 value = 0;  // pⁿ·P(−s/p)
                for (int e = 0; e <= n; ++e) {
                    i128 term = c[static_cast<std::size_t>(e)];
                    for (int i = 0; i < n; ++i)
                        if (__builtin_mul_overflow(term, i < e ? -s : p, &term)) ADD_FAILURE() << "beyond 128 bits";
                    value += term;
                }
                if (value == 0) return show(wholePolynomial({s, p}));
            }
    return "none";
}

// Planted roots (some ±1, some repeated) times cofactors whose leading and
// constant coefficients have many divisors, so that nearly every pair is ruled
// out by the values at ±1: the search finds the root that trying every pair
// finds first, and none where there is none.
TEST(FactoredPolynomial, RationalRootsAgainstTrial) {
    SystemRandom random(7);
    const auto pick = [&](std::initializer_list<std::int64_t> list) {
        return list.begin()[random.uniformInRange(0, static_cast<std::int64_t>(list.size()) - 1)];
    };
    int rooted = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<i128> c{pick({1, -1, 7, 360, -720, 5040})};
        for (int e = 0, degree = static_cast<int>(random.uniformInRange(0, 3)); e < degree; ++e)
            c.push_back(e + 1 == degree ? pick({1, 5, 60, 720}) : random.uniformInRange(-9, 9));
        for (int k = 0, roots = static_cast<int>(random.uniformInRange(0, 2)); k < roots; ++k) {
            const i128 a = pick({1, 1, 2, 3, 4, 6, 12}), b = pick({1, -1, 2, -3, 5, -7, 12});
            std::vector<i128> product(c.size() + 1, 0);
            for (std::size_t i = 0; i < c.size(); ++i) product[i] += b * c[i], product[i + 1] += a * c[i];
            c = product;
        }
        if (c.size() < 2) continue;
        if (c.back() < 0)
            for (i128& v : c) v = -v;
        const std::string expected = firstRootByTrial(c);
        rooted += expected != "none";
        EXPECT_EQ(shown(findRationalRootFactor(wholePolynomial(c))), expected) << show(wholePolynomial(c));
    }
    EXPECT_GT(rooted, 150);
}

// Beyond its allowance a search is refused, never answered "no factor" (the
// message in tellurandi_steps_tests); every search in a scope spends from it.
TEST(FactoredPolynomial, RationalRootSearchAllowance) {
    const std::string h = "897612484786617600", p = "9223372036854775783";
    const Polynomial_XL noRoot = xl(h + "x^300 + " + p + "x^299 + " + p + "x + " + h);
    EXPECT_THROW((RootSearchScope(30'000'000), factorCompletely(noRoot)), PreconditionError);
    const RootSearchScope scope(100'000'000);
    EXPECT_FALSE(factorCompletely(noRoot).has_value());
    const std::uint64_t once = 100'000'000 - scope.allowance().left;
    EXPECT_FALSE(isFactorableXL(noRoot));
    EXPECT_EQ(scope.allowance().left, 100'000'000 - 2 * once);
}


// (a·x + b)·(h·x² + k·x + G) with k² < 4hG has −b/a for its only rational root,
// and h·x² + k·x + G alone has none, for constants up to the 64-bit limit.
TEST(FactoredPolynomial, RationalRootsProperty) {
    SystemRandom random(20261207);
    const auto in = [&](std::int64_t lo, std::int64_t hi) { return random.uniformInRange(lo, hi); };
    const auto signed_ = [&](std::int64_t bound) { return in(0, 1) ? in(1, bound) : -in(1, bound); };
    const std::int64_t manyDivisors[] = {720720, 963761198400, 897612484786617600};
    int products = 0;
    for (int round = 0; round < 250; ++round) {
        const std::int64_t a = in(0, 5) == 0 ? 720720 : signed_(1000), b = signed_(in(0, 1) ? 1000 : 1000000);
        const std::int64_t h = in(0, 5) == 0 ? 5040 : in(1, 50);
        const i128 limit = INT64_MAX / std::max<i128>(std::max<i128>(a < 0 ? -a : a, b < 0 ? -b : b) * 2, h);
        const i128 G = in(0, 7) == 0 ? static_cast<i128>(in(1, 1000)) : limit - in(0, 1000) * (limit / 1001);
        std::int64_t k = in(-1000, 1000);
        while (static_cast<i128>(k) * k >= 4 * h * G) k /= 2;  // no real root
        // The quadratic alone: no rational root, whatever its size.
        const i128 bigG = in(0, 7) == 0 ? manyDivisors[in(0, 2)] : INT64_MAX - in(0, 1000000);
        const std::int64_t bigH = in(0, 1) ? manyDivisors[in(0, 1)] : in(1, 1000000);
        std::int64_t bigK = signed_(1000000);
        while (static_cast<i128>(bigK) * bigK >= 4 * bigH * bigG) bigK /= 2;
        const Polynomial_XL quadratic = wholePolynomial({bigG, bigK, bigH});
        EXPECT_EQ(shown(findRationalRootFactor(quadratic)), "none") << show(quadratic);
        EXPECT_EQ(shown(factorCompletely(quadratic)), "none") << show(quadratic);

        std::vector<i128> product;
        try {
            product = {fits(b * G), fits(a * G + b * k), fits(static_cast<i128>(a) * k + b * h),
                       fits(static_cast<i128>(a) * h)};
        } catch (const OverflowError&) {
            continue;
        }
        ++products;
        const Polynomial_XL p = wholePolynomial(product);
        const auto factor = findRationalRootFactor(p);
        ASSERT_TRUE(factor.has_value()) << show(p);
        const std::int64_t fp = factor->terms[0][0].monomial.coefficient.numerator;
        const std::int64_t fc = factor->terms[0][1].monomial.coefficient.numerator;
        // Substituted exactly: p³·P(−c/p) = 0 (|c| ≤ 10⁶ and p ≤ 720720, so each term stays within 128 bits).
        i128 value = 0;
        for (int e = 0; e < 4; ++e) {
            i128 term = product[static_cast<std::size_t>(e)];
            for (int i = 0; i < e; ++i) term *= -fc;
            for (int i = e; i < 3; ++i) term *= fp;
            value += term;
        }
        EXPECT_EQ(value, 0) << show(p) << " : " << show(*factor);
        EXPECT_TRUE(fp > 0 && gcd(fp, fc) == 1 && static_cast<i128>(a) * fc == static_cast<i128>(b) * fp)
            << show(p) << " : " << show(*factor);
        // The rest is (a/p)·(h·x² + k·x + G), and has no rational root.
        const i128 s = a / fp;
        EXPECT_EQ(shown(factorCompletely(p)), show(*factor) + " ; " + show(wholePolynomial({s * G, s * k, s * h})))
            << show(p);
    }
    EXPECT_GT(products, 200);
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
    // (x − 1)(x + 2⁶³) factors, though its factors cannot be written.
    EXPECT_TRUE(isFactorableXL(xl("x^2 + 9223372036854775807x - 9223372036854775808")));
    EXPECT_THROW(factorCompletely(xl("x^2 + 9223372036854775807x - 9223372036854775808")), OverflowError);
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
