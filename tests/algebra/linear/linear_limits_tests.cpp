// The linear solvers near both ends of 64 bits (−2⁶³, −2⁶³ + 1, 2⁶³ − 1):
// answered wherever every number their pages write fits, the answer put
// back into the equation as typed with exact numbers of any size; refused
// with the out-of-scope page where a page would write 2⁶³ or more. Then
// random equations of such numbers: an exact answer or that page, never a
// throw or a wrong answer.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/reader.hpp"
#include "base/checked.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "support/exact_surds.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

constexpr std::int64_t kMin = INT64_MIN, kMax = INT64_MAX;

struct Options {
    Technique technique = Technique::balance;
    Style style = Style::fraction;
    bool colored = false;
    Method method = Method::standard;
    bool clearFractions = false, clearFractionsFirst = false;
};

/// The solution of the equation as typed, flat or `grouped`, and its out-of-scope page.
LinearSteps solve(const std::string& text, bool grouped, const Options& o) {
    ScriptedRandom draws{1};
    ScopedRandomSource scope(draws);
    if (grouped) {
        const Ext_polyEquation e = readExtEquation(text).value();
        return solveExtEquation(o.technique, o.colored, false, o.style, o.method, o.clearFractionsFirst,
                                o.clearFractions, e.LHS, e.RHS, e.relation, e.relation_color);
    }
    const PolyEquation e = readPolyEquation(text).value();
    return solveLinearEquation(o.technique, o.colored, false, o.style, o.method, o.clearFractions, e.LHS, e.RHS,
                               e.relation, e.relation_color);
}
LinearSteps refusal(const std::string& text, bool grouped, Style style) {
    return outOfScopePage(grouped ? extEquationTable(style, readExtEquation(text).value())
                                  : equationTable(style, readPolyEquation(text).value()));
}

/// The last line of the closing page "😎", or "" when the solution does not close.
std::string closingAnswer(const LinearSteps& s) {
    if (s.comments.empty() || s.comments.back() != std::vector<std::string>{"\U0001F60E"}) return "";
    return tableText(s.steps.back().back());
}

/// An answer line as the pages write it, of a direct solution.
std::string answerLine(const LinearSolution& s) {
    if (s.status != Status::unique) return std::string(rawValue(s.status));
    const Rational& v = s.solution;
    return "x " + std::string(relationSymbol(s.relation)) + " " + std::to_string(v.numerator) +
           (v.denominator == 1 ? "" : "/" + std::to_string(v.denominator));
}

struct Case {
    const char* equation;
    const char* answer;  // none: refused
};

}  // namespace

TEST(LinearLimits, FlatAndGroupedEquations) {
    const Case cases[] = {
        {"x = -9223372036854775808", "x = -9223372036854775808"},
        {"2x = -9223372036854775808", "x = -4611686018427387904"},
        {"x + 1 = -9223372036854775807", "x = -9223372036854775808"},
        {"-9223372036854775808 = -9223372036854775808x", "x = 1"},  // both net coefficients are 2⁶³
        {"x - 1 = 9223372036854775806", "x = 9223372036854775807"},
        {"-x = 9223372036854775807", "x = -9223372036854775807"},
        {"x/(-9223372036854775808) = 1", "x = -9223372036854775808"},
        {"-9223372036854775808x = 4611686018427387904", "x = -1/2"},
        {"-9223372036854775808x < -9223372036854775808", "x > 1"},
        {"9223372036854775807x - 1 = 9223372036854775806", "x = 1"},
        {"x + 9223372036854775807 + 1 - 2 = 0", "x = -9223372036854775806"},  // 2⁶³ only as a partial sum
        {"3x = 9223372036854775807", "x = 9223372036854775807/3"},
        {"(1/2)x = -4611686018427387904", "x = -9223372036854775808"},
        {"x >= -9223372036854775808", "x \u2265 -9223372036854775808"},
        {"-x < 9223372036854775807", "x > -9223372036854775807"},
        {"-9223372036854775807x = -9223372036854775808 + 1", "x = 1"},
        {"-9223372036854775808 + x = x - 9223372036854775808", "TRUE, solution is all values of variable"},
        {"2(x - 3) = -9223372036854775808", "x = -4611686018427387901"},
        {"(1/2)(x - 9223372036854775808) = -1", "x = 9223372036854775806"},
        {"-1(x + 9223372036854775807) = 0", "x = -9223372036854775807"},
        {"3(x - 3074457345618258602) = -9223372036854775808", "x = -2/3"},
        {"(1/3)(3x - 9223372036854775807) = -1", "x = 9223372036854775804/3"},
        {"2((1/2)(x - 9223372036854775808) + 1) = 0", "x = 9223372036854775806"},
        // 2⁶³ itself, or beyond, on a page:
        {"-x = -9223372036854775808", nullptr},                           // the answer
        {"-9223372036854775808x = 1", nullptr},                           // the answer's denominator
        {"x - 9223372036854775808 = -9223372036854775808", nullptr},     // −2⁶³ moved across
        {"2x - 9223372036854775807 = 1", nullptr},                       // 1 + (2⁶³ − 1)
        {"x + 9223372036854775807 + 1 = 0", nullptr},                    // the constants added up
        {"9223372036854775807x + x = 1", nullptr},                       // the x-terms added up
        {"-9223372036854775808x + 1 = -9223372036854775807x", nullptr},  // −2⁶³x moved across
        {"x/2 = 9223372036854775807", nullptr},
        {"2(x + 9223372036854775807 + 1 - 2) = 0", nullptr},              // 2(2⁶³ − 2)
        {"-9223372036854775808(x - 1) = 0", nullptr},                     // −2⁶³ · −1
        {"x/(-9223372036854775808) + 2(x) = 2", nullptr},                 // −1/2⁶³ simplified
        {"-9223372036854775808(x + 1) = -9223372036854775808", nullptr},  // −2⁶³ moved across
        {"2(x + 1) = -9223372036854775808", nullptr},                     // −2⁶³ − 2
    };
    for (const auto& c : cases)
        for (const Technique technique : {Technique::balance, Technique::transpose})
            for (const Style style : {Style::fraction, Style::rational_fraction})
                for (const bool colored : {false, true}) {
                    const bool grouped = !readPolyEquation(c.equation);  // the flat reader takes no group
                    SCOPED_TRACE(std::string(c.equation) + " " + std::to_string(static_cast<int>(technique)) +
                                 std::to_string(static_cast<int>(style)) + std::to_string(colored));
                    const LinearSteps s = solve(c.equation, grouped, {technique, style, colored});
                    if (!c.answer) {
                        EXPECT_EQ(s, refusal(c.equation, grouped, style));
                        continue;
                    }
                    ASSERT_EQ(closingAnswer(s), c.answer);
                    expectExactLinearAnswer(c.answer, typedEquation(c.equation));
                }
}

// The direct answer writes only the answer: it is given wherever that fits,
// also where the worked pages pass 64 bits on the way.
TEST(LinearLimits, DirectGroupedAnswers) {
    const Case cases[] = {
        {"2(x - 3) = -9223372036854775808", "x = -4611686018427387901"},
        {"(1/2)(x - 9223372036854775808) = -1", "x = 9223372036854775806"},
        {"3(x - 3074457345618258602) = -9223372036854775808", "x = -2/3"},
        {"x - 9223372036854775807 = -1", "x = 9223372036854775806"},
        {"-9223372036854775808 = -9223372036854775808(x)", "x = 1"},
        {"2(x + 1) = -9223372036854775808", "x = -4611686018427387905"},
        {"-9223372036854775808(x + 1) = -9223372036854775808", "x = 0"},
        // Multiplied out beyond 64 bits, within 128:
        {"-9223372036854775808(x - 1) = 0", "x = 1"},
        {"2(x + 9223372036854775807 + 1 - 2) = 0", "x = -9223372036854775806"},
        // An answer beyond 64 bits:
        {"(1/2)(x - 9223372036854775807) = 1", nullptr},
        {"-x + 0(x) = -9223372036854775808", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.equation);
        const Ext_polyEquation e = readExtEquation(c.equation).value();
        const auto direct = simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color);
        if (!c.answer) {
            EXPECT_TRUE(std::holds_alternative<ExtFailure>(direct) &&
                        std::get<ExtFailure>(direct) == ExtFailure::beyond_module_scope);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<LinearSolution>(direct));
        EXPECT_EQ(answerLine(std::get<LinearSolution>(direct)), c.answer);
        expectExactLinearAnswer(c.answer, typedEquation(c.equation));
    }
}

namespace {

/// Random numbers at and near the ends of 64 bits, with small ones among them.
class LimitDraw {
public:
    explicit LimitDraw(std::uint64_t seed) : r_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return r_.uniformInRange(lo, hi); }
    std::int64_t number() {
        static constexpr std::int64_t near[] = {kMin, kMin + 1, kMax, kMax - 1, std::int64_t{1} << 62,
                                                -(std::int64_t{1} << 62), 3037000499, 1, 2, 3};
        return nearTheEnds(r_, near, 7, 2);
    }
    /// A term as typed: "c", "cx", "(n/d)x"; after the first, its size
    /// joined by " + " or " - " (so never −2⁶³, whose size is no number).
    std::string term(bool first, bool withX) {
        std::int64_t c = number();
        if (!first && c == kMin) c = kMax;
        std::string size = std::to_string(checked::magnitude(c));
        if (in(0, 5) == 0) size = "(" + size + "/" + std::to_string(in(2, 9)) + ")";
        const std::string sign = first ? (c < 0 ? "-" : "") : (c < 0 ? " - " : " + ");
        return sign + size + (withX ? "x" : "");
    }
    std::string side(int terms) {
        std::string text;
        for (int i = 0; i < terms; ++i) text += term(i == 0, in(0, 1) == 1);
        return text;
    }

private:
    SystemRandom r_;
};

const char* const kRelations[] = {" = ", " < ", " > ", " <= ", " >= "};

/// A solution is either the out-of-scope page of the equation as given, or
/// closes with an answer that puts back exactly (roughly in decimal style).
void expectAnsweredOrRefused(const LinearSteps& s, const LinearSteps& refusal, const std::string& text, Style style) {
    ASSERT_EQ(s.steps.size(), s.comments.size());
    if (s == refusal) return;
    const std::string answer = closingAnswer(s);
    ASSERT_FALSE(answer.empty()) << text;
    const TypedEquation e = typedEquation(text);
    if (style != Style::decimal) {
        expectExactLinearAnswer(answer, e);
        return;
    }
    // A decimal of 8 digits: the boundary lies within its rounding.
    const BigSurd n0 = netAt(e, whole(0)), n1 = netAt(e, whole(1));
    if ((n1 - n0).isZero()) return expectExactLinearAnswer(answer, e);  // a status
    const auto shown = Evaluator<long double>(answer.substr(answer.find(' ', 2) + 1)).value();
    ASSERT_TRUE(shown.has_value()) << answer;
    const BigSurd boundary = -n0 / (n1 - n0);
    const long double exact = boundary.a.n.toLongDouble() / boundary.a.d.toLongDouble();
    EXPECT_LE(std::fabs(*shown - exact), 1e-7L * std::max(1.0L, std::fabs(exact))) << text << ": " << answer;
}

}  // namespace

TEST(LinearLimits, RandomFlatEquationsAnswerExactlyOrRefuse) {
    LimitDraw draw(20261208);
    for (int i = 0; i < 600; ++i) {
        const std::string text = draw.side(static_cast<int>(draw.in(1, 3))) + kRelations[draw.in(0, 4)] +
                                 draw.side(static_cast<int>(draw.in(1, 3)));
        if (!readPolyEquation(text)) continue;  // no term of x at all is fine; an unreadable text is not drawn
        const Options o{static_cast<Technique>(draw.in(0, 1)), static_cast<Style>(draw.in(0, 2)), draw.in(0, 1) == 1,
                        static_cast<Method>(draw.in(0, 1)), draw.in(0, 1) == 1};
        SCOPED_TRACE("case " + std::to_string(i) + ": " + text);
        LinearSteps s;
        ASSERT_NO_THROW(s = solve(text, false, o));
        expectAnsweredOrRefused(s, refusal(text, false, o.style), text, o.style);
    }
}

TEST(LinearLimits, RandomGroupedEquationsAnswerExactlyOrRefuse) {
    LimitDraw draw(20261209);
    const char* const multipliers[] = {"2", "-1", "(1/2)", "3", "(2/3)", "-9223372036854775808", "9223372036854775807"};
    for (int i = 0; i < 400; ++i) {
        const std::string group = std::string(multipliers[draw.in(0, 6)]) + "(" + draw.side(2) + ")";
        const std::string text = (draw.in(0, 1) ? group + draw.term(false, draw.in(0, 1) == 1) : group) +
                                 kRelations[draw.in(0, 4)] + draw.side(static_cast<int>(draw.in(1, 2)));
        if (!readExtEquation(text)) continue;
        const Options o{static_cast<Technique>(draw.in(0, 1)), static_cast<Style>(draw.in(0, 2)), draw.in(0, 1) == 1,
                        static_cast<Method>(draw.in(0, 1)), draw.in(0, 1) == 1, draw.in(0, 1) == 1};
        SCOPED_TRACE("case " + std::to_string(i) + ": " + text);
        LinearSteps s;
        ASSERT_NO_THROW(s = solve(text, true, o));
        expectAnsweredOrRefused(s, refusal(text, true, o.style), text, o.style);

        const Ext_polyEquation e = readExtEquation(text).value();
        const auto direct = simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color);
        if (std::holds_alternative<LinearSolution>(direct))
            expectExactLinearAnswer(answerLine(std::get<LinearSolution>(direct)), typedEquation(text));
        else
            EXPECT_EQ(std::get<ExtFailure>(direct), ExtFailure::beyond_module_scope);
    }
}
