// Random grouped linear equations (groups nested three deep, constant and
// variable multipliers, multipliers over a denominator, every relation, every
// option) through the worked solver. The closing answer is checked without
// the solver's help, against the equation evaluated with exact rationals at
// and around it; every page against the history it must begin with; and a
// sample of solutions is drawn page by page in the step view.
#include <gtest/gtest.h>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "arithmetic/page_drawing.hpp"
#include "base/random.hpp"
#include "common/items.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/fake_fonts.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

class EquationMaker {
public:
    explicit EquationMaker(std::uint64_t seed) : random_(seed) {}

    Ext_polyEquation equation() {
        letter_ = std::string(1, "xyz"[pick(0, 2)]);
        groupTerms_ = 0;
        Ext_polyEquation e;
        e.LHS = side();
        e.RHS = side();
        e.relation = allRelations[static_cast<std::size_t>(pick(0, 4))];
        return e;
    }

    std::int64_t pick(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    const std::string& letter() const { return letter_; }

private:
    Ext_polynomial side() {
        Ext_polynomial s;
        group(s, 0, false);
        return s;
    }

    /// Adds a group of one or two terms (inner groups first) and gives its position.
    std::uint64_t group(Ext_polynomial& s, int depth, bool constantsOnly) {
        std::vector<Term> terms;
        const std::int64_t count = pick(1, 2);
        for (std::int64_t i = 0; i < count; ++i) {
            if (!constantsOnly && depth < 3 && groupTerms_ < 3 && pick(0, 2) == 0) {
                ++groupTerms_;
                // A variable multiplier only over constants keeps the equation linear.
                const bool variable = pick(0, 4) == 0;
                const std::uint64_t inner = group(s, depth + 1, variable);
                terms.push_back(makeTerm(monomial(variable ? 1 : 0, true), {true, inner}));
            } else {
                terms.push_back(makeTerm(monomial(constantsOnly ? 0 : pick(0, 1), false), {false, 0}));
            }
        }
        s.terms.push_back(std::move(terms));
        return s.terms.size() - 1;
    }

    Monomial monomial(std::int64_t exponent, bool multiplier) {
        static constexpr std::int64_t kDenominators[] = {1, 1, 1, 1, 2, 3, 4, 6, -2};
        std::int64_t n = pick(-9, 9);
        if (multiplier && pick(0, 5) == 0) n = pick(0, 1) == 0 ? 1 : -1;
        const std::int64_t d = kDenominators[pick(0, std::size(kDenominators) - 1)];
        return makeMonomial(makeDefaultRational(n, d), static_cast<std::uint64_t>(exponent), letter_);
    }

    SystemRandom random_;
    std::string letter_;
    int groupTerms_ = 0;
};

// ---- exact evaluation, independent of the solver ----------------------------

Rational sum(const Rational& a, const Rational& b) { return *addRational(a, b); }
Rational product(const Rational& a, const Rational& b) { return *multiplyRational(a, b); }

Rational valueOf(const Ext_polynomial& side, std::uint64_t k, const Rational& t) {
    Rational total = makeDefaultRational(0, 1);
    for (const Term& term : side.terms[k]) {
        Rational v = term.monomial.coefficient;
        for (std::uint64_t e = 0; e < term.monomial.exponent; ++e) v = product(v, t);
        if (term.sub_exp.first) v = product(v, valueOf(side, term.sub_exp.second, t));
        total = sum(total, v);
    }
    return total;
}

/// L(t) − R(t).
Rational difference(const Ext_polyEquation& e, const Rational& t) {
    return *subtractRational(valueOf(e.LHS, e.LHS.terms.size() - 1, t), valueOf(e.RHS, e.RHS.terms.size() - 1, t));
}

bool holds(const Rational& difference, Relation r) {
    const bool positive = (difference.numerator > 0) == (difference.denominator > 0);
    const int sign = difference.numerator == 0 ? 0 : positive ? 1 : -1;
    switch (r) {
        case Relation::equal_to: return sign == 0;
        case Relation::less_than: return sign < 0;
        case Relation::greater_than: return sign > 0;
        case Relation::less_than_or_equal_to: return sign <= 0;
        case Relation::greater_than_or_equal_to: return sign >= 0;
    }
    return false;
}

/// The answer the closing page must show, checked by substituting back:
/// x r x0 holds exactly where the equation holds (at x0 and on both sides of it).
Engine_Table expectedAnswer(const Ext_polyEquation& e, const std::string& letter, Style style) {
    const Rational zero = makeDefaultRational(0, 1), one = makeDefaultRational(1, 1);
    const Rational f0 = difference(e, zero);
    const Rational slope = *subtractRational(difference(e, one), f0);
    if (slope.numerator == 0) {
        const bool always = holds(f0, e.relation);
        EXPECT_EQ(holds(difference(e, makeDefaultRational(7, 3)), e.relation), always);
        return messageTable(rawValue(always ? Status::infinite : Status::none));
    }
    const Rational x0 = *simplifyRational(*divideRational(*negateRational(f0), slope));
    const Relation r = *isNegativeRational(slope) ? flipRelation(e.relation) : e.relation;
    for (const Rational& t : {x0, sum(x0, one), *subtractRational(x0, one)})
        EXPECT_EQ(holds(difference(e, t), e.relation), holds(*subtractRational(t, x0), r));
    const Polynomial variable = makePolynomial({makeMonomial(one, 1, letter)});
    const Style answerStyle = style == Style::decimal ? Style::decimal : Style::fraction;
    return equationTable(answerStyle, makeEquationXL(variable, makePolynomial({makeMonomialX(x0, 0)}), r));
}

// ---- the history every working page begins with -----------------------------

Engine_Table blackened(Engine_Table table) {
    for (Engine_Row& row : table)
        if (!row.empty() && row[0].ends_with("_color"))
            for (std::size_t i = 1; i < row.size(); ++i) row[i] = "black";
    return table;
}

bool startsWith(const Engine_Step& page, const Engine_Step& prefix) {
    return page.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), page.begin());
}

/// Pages: the problem (unless embedded); the grouped steps ("simplify",
/// "clear fractions" when asked first, then "combine simple like terms" and
/// "distribute to remove (  )" as they come), each the history followed by
/// its own tables; the linear solver's pages, each under the whole history
/// (later pages of its own cannot repeat those comments: the grouped steps
/// leave nothing to reduce or combine); the answer under the problem (unless
/// embedded). The history starts empty, or as the problem when constant
/// groups were folded (all of it when that left no parentheses), and takes
/// each grouped step's first equation in black (two for clearing fractions).
void expectHistories(const LinearSteps& s, const Ext_polyEquation& e0, Style style, bool embedded,
                     bool fractionsFirst, const std::string& what) {
    const Engine_Table problem = extEquationTable(style, e0);
    const auto comment = [&](std::size_t p) { return p < s.comments.size() ? s.comments[p][0] : ""; };
    std::size_t p = 0;
    if (!embedded) {
        ASSERT_EQ(comment(0), "\U0001F914") << what;
        EXPECT_EQ(s.steps.front(), Engine_Step{problem}) << what;
        EXPECT_EQ(comment(s.steps.size() - 1), "\U0001F60E") << what;
        EXPECT_EQ(s.steps.back().front(), problem) << what;
        p = 1;
    }
    const std::size_t end = embedded ? s.steps.size() : s.steps.size() - 1;
    const auto folded = foldConstantGroupsOfEquation(e0);
    const bool grouped = !folded || equationHasParentheses(*folded);
    Engine_Step history;
    if (folded) history.push_back(problem);
    // The grouped steps in their order: 0 simplify, 1 clear fractions, 2 the loop.
    const auto stage = [&](const std::string& c) {
        return c == "simplify" ? 0 : c == "clear fractions" && fractionsFirst ? 1
               : c == "combine simple like terms" || c == "distribute to remove (  )" ? 2 : -1;
    };
    for (int last = -1; grouped && p < end; ++p) {
        const std::string c = comment(p);
        const bool step = stage(c) >= 0 && (stage(c) > last || stage(c) == 2);
        last = stage(c);
        if (!step) break;
        const Engine_Step& page = s.steps[p];
        const std::size_t own = c == "clear fractions" ? 4 : 2;
        EXPECT_TRUE(startsWith(page, history)) << what << ", page " << p + 1 << " (" << c << ")";
        ASSERT_EQ(page.size(), history.size() + own) << what << ", page " << p + 1;
        history.push_back(blackened(page[history.size()]));
        if (own == 4) history.push_back(blackened(page[history.size()]));
    }
    for (; p < end; ++p)
        EXPECT_TRUE(startsWith(s.steps[p], history)) << what << ", page " << p + 1 << " (" << comment(p) << ")";
}

}  // namespace

TEST(ExtSolverSweep, AnswersHistoriesAndDrawing) {
    gfx::ScopedFakeFonts fonts;
    EquationMaker maker(20240612);
    const int cases = 10000 / kSanitizerSlowdown;
    for (int i = 0; i < cases; ++i) {
        const Ext_polyEquation e = maker.equation();
        const auto technique = maker.pick(0, 1) ? Technique::transpose : Technique::balance;
        const auto style = allCases<Style>()[static_cast<std::size_t>(maker.pick(0, 2))];
        const auto method = maker.pick(0, 1) ? Method::smart : Method::standard;
        const bool colored = maker.pick(0, 1), embedded = maker.pick(0, 3) == 0, gate = maker.pick(0, 1),
                   clear = maker.pick(0, 1);
        const LinearSteps s = solveExtEquation(technique, colored, embedded, style, method, gate, clear, e.LHS, e.RHS,
                                               e.relation, e.relation_color);
        const std::string what = "case " + std::to_string(i) + ": " + tableText(extEquationTable(style, e)) +
                                 " (colored " + std::to_string(colored) + ", embedded " + std::to_string(embedded) +
                                 ", fractions first " + std::to_string(gate) + ", clear " + std::to_string(clear) + ")";

        ASSERT_EQ(s.steps.size(), s.comments.size()) << what;
        ASSERT_TRUE(embedded || !s.steps.empty()) << what;
        if (s.steps.empty()) continue;  // embedded, already in solved form
        for (const auto& c : s.comments) ASSERT_EQ(c.size(), 1u) << what;
        EXPECT_NE(s.comments.back()[0], "oops") << what;
        EXPECT_EQ(s.comments.back()[0] == "\U0001F60E", !embedded) << what;

        const Ext_polyEquation e0 = unwrapUnitGroupsOfExtEquation(removeZeroTermsOfExtEquation(true, e));
        if (!embedded) {
            EXPECT_EQ(tableText(s.steps.back().back()), tableText(expectedAnswer(e, maker.letter(), style))) << what;
        }
        if (equationHasParentheses(e0)) expectHistories(s, e0, style, embedded, gate, what);
        if (i % 100 == 0) expectEveryPageDraws(StepTriple{s.steps, s.comments, {}}, what);
        if (HasFailure()) break;
    }
}
