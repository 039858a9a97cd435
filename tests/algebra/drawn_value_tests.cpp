// Random grouped and factored equations (multipliers over negative
// denominators, units such as 2/(-2) among them) drawn in every style and
// read back from the page's text: the problem line of every page of the
// solvers, and of the display tables, must have the value of the equation
// typed; every later line with parentheses a non-zero multiple of it.
#include <gtest/gtest.h>

#include <regex>

#include "algebra/factored_values.hpp"
#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "support/algebra_answers.hpp"
#include "support/recording_checks.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

class SideMaker {
public:
    explicit SideMaker(std::uint64_t seed) : random_(seed) {}
    std::int64_t pick(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }

    /// Groups nested `depth` deep; with `products`, terms with several factors,
    /// squares and x before a group, else at most one group per term, under a
    /// constant (linear).
    Polynomial_XL side(int depth, bool products) {
        Polynomial_XL p;
        group(p, depth, products);
        return p;
    }

    /// Denominators whose decimals are exact; a multiplier is often a unit, as written 1/(-1) or 2/(-2).
    Rational number(bool multiplier) {
        static constexpr std::int64_t kDenominators[] = {1, 1, 2, 4, 5, -1, -2, -4, -5};
        const std::int64_t d = kDenominators[pick(0, std::size(kDenominators) - 1)];
        const std::int64_t n = multiplier && pick(0, 1) == 0 ? (2 * pick(0, 1) - 1) * d : pick(-6, 6);
        return makeDefaultRational(n, d);
    }

private:
    std::size_t group(Polynomial_XL& p, int depth, bool products) {
        std::vector<Term_XL> terms;
        for (auto n = pick(1, 3); n > 0; --n) {
            std::vector<Factor> factors;
            if (depth > 0 && pick(0, 1) == 0)
                for (auto k = products ? pick(1, 2) : 1; k > 0; --k)
                    factors.push_back(makeFactor(group(p, depth - 1, products), products ? pick(1, 2) : 1));
            const std::uint64_t e = products || factors.empty() ? pick(0, 1) : 0;
            terms.push_back(makeTermXL(makeMonomialX(number(!factors.empty()), e), factors));
        }
        p.terms.push_back(std::move(terms));
        return p.terms.size() - 1;
    }
    SystemRandom random_;
};

Ext_polynomial grouped(const Polynomial_XL& p) {
    std::vector<std::vector<Term>> groups;
    for (const auto& g : p.terms) {
        auto& terms = groups.emplace_back();
        for (const Term_XL& t : g)
            terms.push_back(makeTerm(t.monomial, {!t.factors.empty(), t.factors.empty() ? 0 : t.factors[0].pointer}));
    }
    return makePolynomialXL(groups);
}

const Rational kPoints[] = {q(1, 2), q(-3), q(2)};

/// LHS − RHS at each point.
template <class Equation>
std::vector<Rational> nets(const Equation& e) {
    std::vector<Rational> v;
    for (const Rational& x : kPoints) v.push_back(netAt(e, x).value());
    return v;
}

/// LHS − RHS of an equation line at each point, read exactly (a decimal
/// "0.75" as "(075/100)": the typed values have at most two places); none
/// for a line that is not one.
std::optional<std::vector<Rational>> readBack(const std::string& line) {
    static const std::regex hundredths("([0-9]*)\\.([0-9]{2})"), tenths("([0-9]*)\\.([0-9])");
    const std::string exact =
        std::regex_replace(std::regex_replace(line, hundredths, "($1$2/100)"), tenths, "($1$2/10)");
    for (const Relation r : allRelations) {
        std::string symbol(" ");
        symbol.append(relationSymbol(r)).append(" ");
        const std::size_t at = exact.find(symbol);
        if (at == std::string::npos) continue;
        std::vector<Rational> v;
        for (const Rational& x : kPoints) {
            const auto l = Evaluator<Surd>(exact.substr(0, at), Surd{x}).value();
            const auto r = Evaluator<Surd>(exact.substr(at + symbol.size()), Surd{x}).value();
            if (!l || !r || l->b.numerator != 0 || r->b.numerator != 0) return std::nullopt;
            v.push_back(subtractRational(l->a, r->a).value());
        }
        return v;
    }
    return std::nullopt;
}

/// Whether a = k·b at every point for one k ≠ 0 (k = 1 when `same`).
bool multipleOf(const std::vector<Rational>& a, const std::vector<Rational>& b, bool same) {
    if (same) return std::ranges::equal(a, b, rationalEquals);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i].numerator == 0) != (b[i].numerator == 0)) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (!rationalEquals(*multiplyRational(a[i], b[j]), *multiplyRational(a[j], b[i]))) return false;
    }
    return true;
}

/// The first table of every page shows the typed equation, whose value is
/// `typed`; outside decimal style (whose answers are rounded) every later
/// equation with parentheses is a multiple of it.
void expectPagesShow(const LinearSteps& s, const std::vector<Rational>& typed, Style style, const std::string& what) {
    for (std::size_t p = 0; p < s.steps.size(); ++p)
        for (std::size_t t = 0; t < s.steps[p].size(); ++t) {
            const std::string line = tableText(s.steps[p][t]);
            const auto shown = readBack(line);
            if (t == 0) {
                EXPECT_TRUE(shown && multipleOf(*shown, typed, true)) << what << ", page " << p + 1 << ": " << line;
            } else if (shown && style != Style::decimal && line.find('(') != std::string::npos) {
                EXPECT_TRUE(multipleOf(*shown, typed, false)) << what << ", page " << p + 1 << ": " << line;
            }
        }
}

}  // namespace

TEST(DrawnValue, FactoredAndGroupedTablesShowTheTypedValue) {
    SideMaker maker(20261207);
    int checked = 0;
    const int cases = 3000 / kSanitizerSlowdown;
    for (int i = 0; i < cases && !HasFailure(); ++i) {
        const bool products = i % 2 == 0;
        const Polynomial_Equation_XL e =
            makeEquationXL(maker.side(2, products), maker.side(maker.pick(0, 1), products), Relation::equal_to);
        std::vector<Rational> typed;
        try {
            typed = nets(e);
        } catch (const OverflowError&) {  // a product of powers beyond 64 bits at some point
            continue;
        }
        ++checked;
        for (const Style style : {Style::fraction, Style::rational_fraction, Style::decimal}) {
            const auto check = [&](const Engine_Table& t) {
                const auto shown = readBack(tableText(t));
                EXPECT_TRUE(shown && multipleOf(*shown, typed, true))
                    << i << ": " << tableText(t) << " {" << show(e.LHS) << " ; " << show(e.RHS) << "}";
            };
            check(equationRow(style, e));
            if (!products) check(extEquationTable(style, makeEquationXL(grouped(e.LHS), grouped(e.RHS), e.relation)));
        }
    }
    EXPECT_GT(checked, cases * 9 / 10);
}

TEST(DrawnValue, SolverPagesShowTheTypedEquation) {
    SideMaker maker(61207);
    for (int i = 0; i < 600 / kSanitizerSlowdown && !HasFailure(); ++i) {
        const auto style = static_cast<Style>(i % 3);
        const auto relation = allRelations[static_cast<std::size_t>(maker.pick(0, 4))];
        const Ext_polyEquation e =
            makeEquationXL(grouped(maker.side(2, false)), grouped(maker.side(1, false)), relation);
        const bool first = maker.pick(0, 1), clear = maker.pick(0, 1);
        const std::string what = "case " + std::to_string(i) + " " + tableText(extEquationTable(style, e)) + " {" +
                                 show(widened(e.LHS)) + " ; " + show(widened(e.RHS)) + "}";
        expectPagesShow(solveExtEquation(static_cast<Technique>(i % 2), i % 4 < 2, false, style, Method::smart, first,
                                         clear, e.LHS, e.RHS, e.relation, e.relation_color),
                        nets(e), style, what);

        // A flat quadratic: its pages draw the groups that its steps make.
        std::vector<Monomial> terms;
        for (std::uint64_t k = 3; k-- > 0;) terms.push_back(makeMonomialX(maker.number(false), k));
        const PolyEquation f = makeEquationXL(makePolynomial(terms), makePolynomial({makeMonomialX(q(3), 0)}),
                                              Relation::equal_to);
        expectPagesShow(solveQuadratic(static_cast<Quadratic_method>(i % 3), Technique::balance, false, false, style,
                                       Method::smart, clear, f.LHS, f.RHS, f.relation, f.relation_color),
                        nets(f), style, what + " / " + tableText(equationTable(style, f)));
    }
}
