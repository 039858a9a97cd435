// Telling the zero polynomial: written cases, and random factored values
// checked against their exact values at more points than their degree.
#include "algebra/zero_polynomial.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/random.hpp"
#include "factored_values.hpp"
#include "support/algebra_answers.hpp"

namespace tl {
namespace {

using testing::q;
using testing::show;
using testing::valueAt;
using testing::xl;

TEST(ZeroPolynomial, WrittenCases) {
    for (const char* zero : {"0", "0x", "-0x^5", "x - x", "2x^2 - x^2 - x^2", "x/2 - (1/2)x", "0(x + 1)", "(x + 1)(0)",
                             "(x + 1)(x - x)^2", "3(x + 1) - 3x - 3", "(x + 1)^2 - (x^2 + 2x + 1)",
                             "(x + 1)(x - 1) - (x^2 - 1)", "y - y", "(y + 1)^2 - y^2 - 2y - 1", "0(x + 1)^100000",
                             "2(3(x + 1) - 3) - 6x", "x + y - y - x"})
        EXPECT_TRUE(isZeroPolynomialXL(xl(zero))) << zero;
    // 0^0 is 1; values of high degree or large numbers are told by their value modulo a prime.
    for (const char* nonZero : {"1", "x", "x - x + 1", "(x - x)^0", "(x + 1)^2 - (x^2 + 2x + 2)", "x - y",
                                "(x + 1)^20000 - 1", "(2x)^64", "x^18446744073709551615", "9223372036854775807x - x",
                                "(x + 1)(x + 2) - (x + 2)(x + 1) + x^9999", "x/3 + x/5 - x/15",
                                // 2^61 − 1 divides the first value and a denominator of the second.
                                "2305843009213693951x(x + 1)^20000", "x/2305843009213693951 + (x + 1)^20000"})
        EXPECT_FALSE(isZeroPolynomialXL(xl(nonZero))) << nonZero;
    // A coefficient over 0 is no polynomial; a zero too large to write out is refused.
    for (const char* refused : {"x/0", "1 + (x/0)(x + 1)", "(x + 1)^20000 - (x + 1)^20000", "(x - x)(x + y)"})
        EXPECT_THROW(isZeroPolynomialXL(xl(refused)), PreconditionError) << refused;
    // Writing out is bounded: a zero that takes more than 2,000,000 coefficient products is refused.
    std::string g("(1");
    for (int i = 1; i < 400; ++i) g.append(" + x^").append(std::to_string(i));
    g.append(")");
    EXPECT_TRUE(isZeroPolynomialXL(xl(std::string(g).append("(x + 1) - (x + 1)").append(g))));
    EXPECT_TRUE(isZeroPolynomialXL(xl(std::string(g).append("^2 - ").append(g).append(g))));
    EXPECT_THROW(isZeroPolynomialXL(xl(std::string(g).append("^5 - ").append(g).append("^5"))), PreconditionError);
    // A factor that points at its own group, or at none.
    Polynomial_XL loop{{{makeTermXL(makeMonomialX(q(1), 0), {makeFactor(0, 1)})}}};
    EXPECT_THROW(isZeroPolynomialXL(loop), PreconditionError);
    loop.terms[0][0].factors[0].pointer = 4;
    EXPECT_THROW(isZeroPolynomialXL(loop), PreconditionError);
}

/// Random factored values in x of low degree: half of them built to be 0
/// (terms that cancel in another order, a product against its expansion, a
/// factor group that is 0), some of those then nudged off 0.
class Draw {
public:
    explicit Draw(std::uint64_t seed) : random_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }

    Term_XL term(std::int64_t n, std::uint64_t exponent, std::vector<Factor> factors = {}) {
        return makeTermXL(makeMonomialX(q(n, in(0, 4) == 0 ? 2 : 1), exponent), std::move(factors));
    }
    GroupXL sum() {
        GroupXL g;
        for (auto k = in(1, 3); k > 0; --k) g.push_back(term(in(-4, 4), static_cast<std::uint64_t>(in(0, 2))));
        return g;
    }
    Polynomial_XL value() {
        Polynomial_XL p;
        for (auto k = in(1, 3); k > 0; --k) p.terms.push_back(in(0, 5) == 0 ? GroupXL{term(0, 1), term(0, 0)} : sum());
        const auto groups = static_cast<std::uint64_t>(p.terms.size());
        GroupXL root;
        for (auto k = in(1, 3); k > 0; --k) {
            std::vector<Factor> factors;
            for (auto f = in(0, 2); f > 0; --f)
                factors.push_back(makeFactor(static_cast<std::uint64_t>(in(0, static_cast<std::int64_t>(groups) - 1)),
                                             static_cast<std::uint64_t>(in(0, 2))));
            root.push_back(term(in(-3, 3), static_cast<std::uint64_t>(in(0, 2)), factors));
        }
        if (in(0, 1) == 0) {  // minus the same terms, shuffled
            GroupXL negated = root;
            for (Term_XL& t : negated) t.monomial.coefficient.numerator = -t.monomial.coefficient.numerator;
            for (std::size_t i = negated.size(); i > 1; --i)
                std::swap(negated[i - 1], negated[static_cast<std::size_t>(in(0, static_cast<std::int64_t>(i) - 1))]);
            root.insert(root.end(), negated.begin(), negated.end());
        }
        if (in(0, 2) == 0) {  // (x + a)(x + b) − (x² + (a + b)x + ab)
            const std::int64_t a = in(-5, 5), b = in(-5, 5);
            p.terms.push_back({makeTermXL(makeMonomialX(q(1), 1), {}), makeTermXL(makeMonomialX(q(a), 0), {})});
            p.terms.push_back({makeTermXL(makeMonomialX(q(1), 1), {}), makeTermXL(makeMonomialX(q(b), 0), {})});
            const auto n = static_cast<std::uint64_t>(p.terms.size());
            root.push_back(makeTermXL(makeMonomialX(q(1), 0), {makeFactor(n - 2, 1), makeFactor(n - 1, 1)}));
            for (const auto& [c, e] : {std::pair{-1L, 2}, std::pair{-(a + b), 1}, std::pair{-a * b, 0}})
                root.push_back(makeTermXL(makeMonomialX(q(c), static_cast<std::uint64_t>(e)), {}));
        }
        if (in(0, 4) == 0) root.push_back(term(1, static_cast<std::uint64_t>(in(0, 3))));  // off 0, most likely
        p.terms.push_back(root);
        return p;
    }

private:
    SystemRandom random_;
};

/// A bound on the degree of group g.
std::uint64_t degreeBound(const Polynomial_XL& p, std::size_t g) {
    std::uint64_t bound = 0;
    for (const Term_XL& t : p.terms[g]) {
        std::uint64_t d = t.monomial.exponent;
        for (const Factor& f : t.factors) d += f.exponent * degreeBound(p, f.pointer);
        bound = std::max(bound, d);
    }
    return bound;
}

TEST(ZeroPolynomial, ZeroExactlyWhereEveryValueIs) {
    Draw draw(28);
    int zeros = 0;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        const Polynomial_XL p = draw.value();
        // Of degree D, the zero polynomial is the one value that is 0 at D + 1 points.
        bool zero = true;
        for (std::uint64_t x = 0; x <= degreeBound(p, p.terms.size() - 1) && zero; ++x)
            zero = valueAt(p, q(static_cast<std::int64_t>(x) - 3))->numerator == 0;
        zeros += zero;
        EXPECT_EQ(isZeroPolynomialXL(p), zero) << show(p);
    }
    EXPECT_GT(zeros, 500);
    EXPECT_LT(zeros, 2500);
}

}  // namespace
}  // namespace tl
