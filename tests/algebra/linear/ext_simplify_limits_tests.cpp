// The direct answer of a grouped equation (simplifyExtEquation) near both
// ends of 64 bits: it multiplies out in 128 bits and answers wherever its
// working stays within them and the answer fits 64 bits. A table of known
// cases, each answer put back into the equation as typed with exact numbers
// of any size; then random nested equations, multiplied out here with those
// numbers, which say when an answer is due and check every answer given.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/reader.hpp"
#include "base/random.hpp"
#include "support/exact_surds.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

constexpr std::int64_t kMin = INT64_MIN, kMax = INT64_MAX;

/// An answer line as the pages write it.
std::string answerLine(const LinearSolution& s) {
    if (s.status != Status::unique) return std::string(rawValue(s.status));
    const Rational& v = s.solution;
    std::string line = "x ";
    line += relationSymbol(s.relation);
    line += " ";
    line += std::to_string(v.numerator);
    if (v.denominator != 1) line += "/" + std::to_string(v.denominator);
    return line;
}

std::variant<LinearSolution, ExtFailure> simplified(const Ext_polyEquation& e) {
    return simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color);
}

struct Case {
    const char* equation;
    const char* answer;  // none: refused
    ExtFailure failure = ExtFailure::beyond_module_scope;
};

}  // namespace

TEST(ExtSimplifyLimits, AnswersWhereverTheAnswerFits) {
    const std::string all = std::string(rawValue(Status::infinite)), none = std::string(rawValue(Status::none));
    const Case cases[] = {
        // A product or a constant moved across beyond 64 bits, the answer within.
        {"2(x + 4611686018427387904) = 0", "x = -4611686018427387904"},
        {"-7(-7x + 9223372036854775807) - 2 = -2", "x = 1317624576693539401"},
        {"(x - 1) - 9223372036854775808 = -9223372036854775808", "x = 1"},
        {"(-2x - 9) - 9223372036854775808 > -7", "x < -4611686018427387905"},
        {"2(2x + 4611686018427387904) = -1844674407370955164", "x = -2767011611056432743"},
        {"2(x + 1) = -9223372036854775808", "x = -4611686018427387905"},
        {"-3(3x - 9223372036854775807) <= 0", "x \u2265 9223372036854775807/3"},
        {"2(2(2(x + 4611686018427387904))) >= 0", "x \u2265 -4611686018427387904"},
        {"(1/3)(9223372036854775807(3x + 3)) = 0", "x = -1"},
        {"-9223372036854775808(-9223372036854775808(x - 1)) < 0", "x < 1"},  // 2¹²⁶(x − 1)
        {"-9223372036854775808(-9223372036854775808x) + 2(x) = 1 - 9223372036854775808(-9223372036854775808x)",
         "x = 1/2"},
        {"0(9223372036854775807(9223372036854775807(9223372036854775807x))) + x = 1", "x = 1"},  // dropped
        {"2(x + 4611686018427387904) = 2x + 9223372036854775807 + 1", all.c_str()},
        {"2(x + 4611686018427387904) < 2x + 9223372036854775807 + 1", none.c_str()},
        // Like terms cancel whatever their order: three of these denominators
        // (primes near 2⁴³) have a common multiple past 128 bits.
        {"2(x/8796093022151 + x/8796093022141 + x/8796093022091) + 2(-x/8796093022151 - x/8796093022141) = 1",
         "x = 8796093022091/2"},
        {"x/8796093022151 + x/8796093022141 + x/8796093022091 - x/8796093022151 - x/8796093022141 = 1",
         "x = 8796093022091"},
        {"3(x/8796093022151 + 1) = x/8796093022141 + x/8796093022091 + 3", nullptr},
        // Squares and other letters that cancel.
        {"x(x + 1) = x(x + 2)", "x = 0"},
        {"2(x + y) = 2y + 4", "x = 2"},
        // The answer beyond 64 bits.
        {"-(x) = -9223372036854775808", nullptr},
        {"(1/2)(x - 9223372036854775807) = 1", nullptr},
        // A value worked out beyond 128 bits, the answer within 64.
        {"9223372036854775807(9223372036854775807(9223372036854775807(x + 1))) = 0", nullptr},  // a product
        {"-9223372036854775808(-9223372036854775808(2x - 2)) = 0", nullptr},                    // 2¹²⁷
        {"-9223372036854775808(-9223372036854775808x) - 9223372036854775808(-9223372036854775808x) + x = "
         "1 - 9223372036854775808(-9223372036854775808x) - 9223372036854775808(-9223372036854775808x)",
         nullptr},  // 2¹²⁶x + 2¹²⁶x, a side's sum
        // Not linear in one letter, or no value at all.
        {"x(x + 1) = 3", nullptr},
        {"2(x + y) = 3", nullptr},
        {"y(x + 1) = 3", nullptr},
        {"2(x/0 + 1) = 3", nullptr, ExtFailure::division_by_zero},
        {"(1/0)(x + 1) = 3", nullptr, ExtFailure::division_by_zero},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.equation);
        const auto direct = simplified(readExtEquation(c.equation).value());
        if (!c.answer) {
            ASSERT_TRUE(std::holds_alternative<ExtFailure>(direct)) << answerLine(std::get<LinearSolution>(direct));
            EXPECT_EQ(std::get<ExtFailure>(direct), c.failure);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<LinearSolution>(direct));
        EXPECT_EQ(answerLine(std::get<LinearSolution>(direct)), c.answer);
        if (std::string_view(c.equation).find('y') == std::string_view::npos)  // the sides read in x alone
            expectExactLinearAnswer(c.answer, typedEquation(c.equation));
    }
}

namespace {

/// A term of a drawn side: n/d·x^power, times a group of terms when `grouped`.
struct DrawnTerm {
    std::int64_t n = 0, d = 1;
    std::uint64_t power = 0;
    bool grouped = false;
    std::vector<DrawnTerm> group;
};
using DrawnSide = std::vector<DrawnTerm>;

std::string text(const DrawnSide& side) {
    std::string t;
    for (const DrawnTerm& term : side) {
        if (!t.empty()) t += " + ";
        t += '(';
        t += std::to_string(term.n);
        t += '/';
        t += std::to_string(term.d);
        t += term.power ? ")x" : ")";
        if (term.grouped) {
            t += '(';
            t += text(term.group);
            t += ')';
        }
    }
    return t;
}

/// The side as the engine takes it: inner groups first, the top level last.
std::size_t addGroups(const DrawnSide& side, Ext_polynomial& out) {
    std::vector<Term> group;
    for (const DrawnTerm& term : side) {
        const Monomial m = makeMonomial(makeDefaultRational(term.n, term.d), term.power, "x");
        group.push_back(makeTerm(m, {term.grouped, term.grouped ? addGroups(term.group, out) : 0}));
    }
    out.terms.push_back(std::move(group));
    return out.terms.size() - 1;
}
Ext_polynomial extSide(const DrawnSide& side) {
    Ext_polynomial p;
    addGroups(side, p);
    return p;
}

/// Random nested sides of numbers near the ends of 64 bits, in x only and
/// linear: a multiplier holds x only over a group of constants.
class NestedDraw {
public:
    explicit NestedDraw(std::uint64_t seed) : r_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return r_.uniformInRange(lo, hi); }

    DrawnSide side(int depth, bool constantsOnly) {
        DrawnSide s(static_cast<std::size_t>(in(1, 3)));
        for (DrawnTerm& t : s) {
            coefficient(t);
            if (depth > 0 && in(0, 2) == 0) {
                t.grouped = true;
                switch (in(0, 5)) {
                    case 0: t.n = t.d = 1; break;  // (…), unwrapped
                    case 1: t.n = -1, t.d = 1; break;
                    default: break;
                }
                t.power = !constantsOnly && in(0, 4) == 0 ? 1 : 0;
                t.group = side(depth - 1, constantsOnly || t.power == 1);
            } else {
                t.power = !constantsOnly && in(0, 1) == 1 ? 1 : 0;
            }
        }
        return s;
    }

private:
    void coefficient(DrawnTerm& t) {
        static constexpr std::int64_t near[] = {kMin, kMin + 1, kMax, kMax - 1, std::int64_t{1} << 62,
                                                -(std::int64_t{1} << 62), 3037000499, std::int64_t{1} << 32, 3, 7};
        t.n = nearTheEnds(r_, near, 9, 2);
        t.d = 1;
        if (in(0, 4) == 0) t.d = in(0, 2) == 0 ? nearTheEnds(r_, near, 9, 2) : in(2, 9);
        if (t.d == 0) t.d = kMin;
    }
    SystemRandom r_;
};

/// The equation multiplied out with numbers of any size, and whether the
/// bound the direct answer keeps to holds: each term's coefficient times the
/// multipliers of the groups around it, taken in turn from the outside in,
/// fits 128 bits; and for each power, the least common multiple L of the
/// like terms' denominators (both sides) and L times the sum of their sizes
/// stay below 2¹²⁶. Zero terms are dropped with their groups, as the solvers do.
class Multiplied {
public:
    std::map<std::uint64_t, std::vector<BigFraction>> terms;  // by power of x, in lowest terms

    void side(const DrawnSide& s, int sign) { addGroup(s, {BigInt(sign), BigInt(1)}, 0); }

    /// The net coefficients, and whether the bound holds.
    std::map<std::uint64_t, BigFraction> net() {
        std::map<std::uint64_t, BigFraction> sums;
        const BigInt limit = bigInt(checked::i128{1} << 126);
        for (const auto& [power, values] : terms) {
            BigInt l(1), sizes(0);
            BigFraction total{0, 1};
            for (const BigFraction& v : values) {
                l = l / gcd(l, v.d) * v.d;
                total = lowestTerms(total + v);
            }
            for (const BigFraction& v : values) sizes = sizes + (v.n.sign() < 0 ? -v.n : v.n) * (l / v.d);
            withinBound = withinBound && l < limit && sizes < limit;
            sums[power] = total;
        }
        return sums;
    }

    bool withinBound = true;
    bool past64 = false;  // a term multiplied out passes 64 bits

private:
    void note(const BigFraction& v) {
        withinBound = withinBound && v.n.bitLength() <= 127 && v.d.bitLength() <= 127;
        past64 = past64 || v.n.bitLength() > 63 || v.d.bitLength() > 63;
    }
    void addGroup(const DrawnSide& s, const BigFraction& around, std::uint64_t power) {
        for (const DrawnTerm& t : s) {
            if (t.n == 0) continue;
            const BigFraction product = lowestTerms(around * BigFraction{BigInt(t.n), BigInt(t.d)});
            note(product);
            if (t.grouped)
                addGroup(t.group, product, power + t.power);
            else
                terms[power + t.power].push_back(product);
        }
    }
};

}  // namespace

// Random nested equations and inequalities: the engine answers exactly Q/P
// (the relation flipped for P < 0) wherever every value worked out fits 128
// bits and the answer fits 64, and refuses only where one of them does not.
TEST(ExtSimplifyLimits, RandomNestedEquationsAnswerWhereverTheirValuesFit) {
    NestedDraw draw(20261215);
    int answered = 0, answeredPast64 = 0, refusedPast128 = 0, refusedAnswer = 0;
    for (int i = 0; i < 3000; ++i) {
        const DrawnSide left = draw.side(static_cast<int>(draw.in(1, 3)), false);
        const DrawnSide right = draw.side(static_cast<int>(draw.in(0, 2)), false);
        const auto relation = static_cast<Relation>(draw.in(0, 4));
        SCOPED_TRACE("case " + std::to_string(i) + ": " + text(left) + " " + std::string(relationSymbol(relation)) +
                     " " + text(right));

        Multiplied m;
        m.side(left, 1);
        m.side(right, -1);
        std::map<std::uint64_t, BigFraction> net = m.net();
        ASSERT_LE(net.empty() ? 0 : net.rbegin()->first, 1u);
        const BigFraction p = net.contains(1) ? net[1] : BigFraction{0, 1};
        const BigFraction q = net.contains(0) ? -net[0] : BigFraction{0, 1};
        std::optional<LinearSolution> expected;  // when the answer fits 64 bits
        if (p.sign() == 0) {
            expected = LinearSolution{makeDefaultRational(0, 1), relation,
                                      holds(relation, -q.sign()) ? Status::infinite : Status::none};
        } else {
            const BigFraction answer = lowestTerms(q / p);
            const auto n = answer.n.toInt64(), d = answer.d.toInt64();
            if (n && d)
                expected = LinearSolution{makeDefaultRational(*n, *d),
                                          p.sign() < 0 ? flipRelation(relation) : relation, Status::unique};
        }

        const auto direct = simplified(makeEquationXL(extSide(left), extSide(right), relation));
        if (const auto* s = std::get_if<LinearSolution>(&direct)) {
            ASSERT_TRUE(expected.has_value()) << answerLine(*s);
            EXPECT_EQ(*s, *expected) << answerLine(*s) << " for " << answerLine(*expected);
            ++answered;
            answeredPast64 += m.past64;
        } else {
            EXPECT_EQ(std::get<ExtFailure>(direct), ExtFailure::beyond_module_scope);
            EXPECT_TRUE(!m.withinBound || !expected.has_value()) << "refused " << answerLine(*expected);
            ++(m.withinBound ? refusedAnswer : refusedPast128);
        }
    }
    // Both outcomes, answers that pass 64 bits on the way, and both reasons to refuse.
    EXPECT_GT(answered, 500);
    EXPECT_GT(answeredPast64, 200);
    EXPECT_GT(refusedPast128, 100);
    EXPECT_GT(refusedAnswer, 100);
}
