// Random grouped linear equations (groups three deep, constant and variable
// multipliers, over denominators, every relation and option) worked by the
// solver: the answer checked against the equation evaluated exactly, every
// page against its history, a sample drawn in the step view.
#include <gtest/gtest.h>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/ext_table.hpp"
#include "arithmetic/page_drawing.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "support/algebra_answers.hpp"

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
        group(e.LHS, 0, false);
        group(e.RHS, 0, false);
        e.relation = allRelations[static_cast<std::size_t>(pick(0, 4))];
        return e;
    }
    std::int64_t pick(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    std::string letter_;

private:
    /// Adds a group of one or two terms (inner groups first) and gives its position.
    std::uint64_t group(Ext_polynomial& s, int depth, bool constantsOnly) {
        std::vector<Term> terms;
        for (std::int64_t i = pick(1, 2); i > 0; --i) {
            if (!constantsOnly && depth < 3 && groupTerms_ < 3 && pick(0, 2) == 0) {
                ++groupTerms_;
                const bool variable = pick(0, 4) == 0;  // over constants only, which keeps it linear
                const std::uint64_t inner = group(s, depth + 1, variable);
                terms.push_back(makeTerm(monomial(variable, true), {true, inner}));
            } else {
                terms.push_back(makeTerm(monomial(!constantsOnly && pick(0, 1), false), {false, 0}));
            }
        }
        s.terms.push_back(std::move(terms));
        return s.terms.size() - 1;
    }
    Monomial monomial(bool variable, bool multiplier) {
        static constexpr std::int64_t kDenominators[] = {1, 1, 1, 1, 2, 3, 4, 6, -2};
        const std::int64_t n = multiplier && pick(0, 5) == 0 ? 2 * pick(0, 1) - 1 : pick(-9, 9);
        const std::int64_t d = kDenominators[pick(0, std::size(kDenominators) - 1)];
        return makeMonomial(makeDefaultRational(n, d), variable ? 1 : 0, letter_);
    }

    SystemRandom random_;
    int groupTerms_ = 0;
};

/// The page begins with the tables of the history, each drawn black.
bool startsWith(const Engine_Step& page, const std::vector<const Engine_Table*>& history) {
    const auto blackRow = [](const Engine_Row& row, const Engine_Row& shown) {
        if (!shown[0].ends_with("_color")) return row == shown;
        return row[0] == shown[0] && row.size() == shown.size() &&
               std::count(row.begin(), row.end(), "black") + 1 == std::ssize(row);
    };
    for (std::size_t k = 0; k < history.size(); ++k)
        if (k >= page.size() || !std::ranges::equal(page[k], *history[k], blackRow)) return false;
    return true;
}

/// The grouped steps (simplify, clear fractions when asked first, combine and
/// distribute), each the history and its own tables; then the linear
/// solver's pages under the whole history (it finds nothing to reduce or
/// combine, so its comments are not taken for theirs). The history starts
/// empty, or as the problem after folding, and takes each step's first
/// equation in black (two for clearing fractions).
void expectHistories(const LinearSteps& s, const Ext_polyEquation& e0, Style style, bool embedded,
                     bool fractionsFirst, const auto& what) {
    const Engine_Table problem = extEquationTable(style, e0);
    EXPECT_TRUE(embedded || (s.steps.front() == Engine_Step{problem} && s.steps.back().front() == problem)) << what();
    std::size_t p = embedded ? 0 : 1;
    const std::size_t end = s.steps.size() - p;
    const auto folded = foldConstantGroupsOfEquation(e0);
    std::vector<const Engine_Table*> history;  // as first shown
    if (folded) history.push_back(&problem);
    for (int last = -1, stage; p < end && (!folded || equationHasParentheses(*folded)); ++p, last = stage) {
        const std::string& c = s.comments[p][0];
        stage = c == "simplify"                                                        ? 0
                : c == "clear fractions" && fractionsFirst                             ? 1
                : c == "combine simple like terms" || c == "distribute to remove (  )" ? 2
                                                                                       : -1;
        if (stage < 0 || (stage <= last && stage < 2)) break;
        const std::size_t own = stage == 1 ? 4 : 2;
        const Engine_Step& page = s.steps[p];
        ASSERT_TRUE(startsWith(page, history) && page.size() == history.size() + own) << what() << ", page " << p + 1;
        history.push_back(&page[history.size()]);
        if (own == 4) history.push_back(&page[history.size()]);
    }
    for (; p < end; ++p) EXPECT_TRUE(startsWith(s.steps[p], history)) << what() << ", page " << p + 1;
}

}  // namespace

TEST(ExtSolverSweep, AnswersHistoriesAndDrawing) {
    gfx::ScopedFakeFonts fonts;
    EquationMaker maker(20240612);
    for (int i = 0; i < 10000 / kSanitizerSlowdown && !HasFailure(); ++i) {
        const Ext_polyEquation e = maker.equation();
        const auto style = static_cast<Style>(maker.pick(0, 2));
        const bool colored = maker.pick(0, 1), embedded = maker.pick(0, 3) == 0, first = maker.pick(0, 1);
        const LinearSteps s = solveExtEquation(static_cast<Technique>(maker.pick(0, 1)), colored, embedded, style,
                                               static_cast<Method>(maker.pick(0, 1)), first, maker.pick(0, 1), e.LHS,
                                               e.RHS, e.relation, e.relation_color);
        const auto what = [&] { return "case " + std::to_string(i) + ": " + tableText(extEquationTable(style, e)); };
        ASSERT_EQ(s.steps.size(), s.comments.size()) << what();
        if (s.steps.empty() && embedded) continue;  // already in solved form
        for (const auto& c : s.comments) ASSERT_EQ(c.size(), 1u) << what();
        EXPECT_EQ(s.comments.front()[0] == "\U0001F914", !embedded) << what();
        EXPECT_EQ(s.comments.back()[0] == "\U0001F60E", !embedded) << what();
        EXPECT_NE(s.comments.back()[0], "oops") << what();
        if (!embedded) {
            SCOPED_TRACE(what());
            const Rational c0 = netAt(e, q(0)).value(), c1 = *subtractRational(netAt(e, q(1)).value(), c0);
            expectLinearAnswer(tableText(s.steps.back().back()), maker.letter_, c0, c1, e.relation, style);
        }
        const Ext_polyEquation e0 = unwrapUnitGroupsOfExtEquation(removeZeroTermsOfExtEquation(true, e));
        if (equationHasParentheses(e0)) expectHistories(s, e0, style, embedded, first, what);
        if (i % 100 == 0) expectEveryPageDraws(StepTriple{s.steps, s.comments, {}}, what());
    }
}
