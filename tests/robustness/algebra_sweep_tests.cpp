// Every algebra entry point over random and hostile input, in every option
// combination: solveLinearEquation, solveExtEquation and
// simplifyExtEquation, solveQuadratic by each method (and each method's own
// entry), and the step functions of rational expressions. Now and then a
// number is over 0, near the ends of 64 bits, a term carries a second letter
// or a power from 3 to 12, a multiplier carries x, an inequality is quadratic.
//
// Nothing may throw. A solution is the "division by zero" page exactly when
// a coefficient is over 0; it is the out-of-scope page only where the input
// is out of scope (a second letter; a degree the solver does not take, or a
// quadratic inequality, once like powers of both sides are gathered) or
// holds numbers near the 64-bit ends; otherwise its
// closing page states the right answer, checked against LHS − RHS worked out
// here with exact rationals (decimals to 7 digits, irrational roots put back
// in long double). Every page of every solution is drawn at phone and
// tablet size. Each step of a rational expression keeps its value at several points.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <set>
#include <type_traits>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/rational_expression_steps.hpp"
#include "algebra/reader.hpp"
#include "algebra/tables.hpp"
#include "arithmetic/page_drawing.hpp"
#include "base/random.hpp"
#include "base/text.hpp"
#include "common/table_text.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "support/algebra_answers.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

// The sanitizer build runs a thirty-second of each sweep.
constexpr int kDivisor = tl::testing::kSanitizerSlowdown > 1 ? 4 * tl::testing::kSanitizerSlowdown : 1;
// The sweep of random equations runs in this many slices, each a test of
// its own, so that a parallel test run spreads them over the cores.
constexpr int kSlices = 8;

class Draw {
public:
    explicit Draw(std::uint64_t seed) : random_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    bool percent(int p) { return in(0, 99) < p; }

    /// Whole, fractional or decimal; now and then over 0 or near the 64-bit ends.
    Rational number() {
        static constexpr std::int64_t ends[] = {INT64_MAX, INT64_MIN, INT64_MAX - 1, 4611686018427387904,
                                                -3037000499, 1000000000000000000};
        if (percent(1)) return q(in(-5, 5), 0);
        if (percent(1)) return q(ends[in(0, 5)], percent(50) ? 1 : in(1, 7));
        switch (in(0, 5)) {
            case 0: return q(in(-20, 20), in(-12, 12) | 1);
            case 1: return q(in(-999, 999), percent(50) ? 10 : 100);
            default: return q(in(-12, 12));
        }
    }

    /// A term of `letter` with a power up to `degree`; now and then another
    /// letter or a power from 3 to 12.
    Monomial term(const std::string& letter, std::uint64_t degree) {
        auto power = static_cast<std::uint64_t>(in(0, static_cast<std::int64_t>(degree)));
        if (percent(2)) power = static_cast<std::uint64_t>(in(3, 12));
        const std::string v = power > 0 && percent(2) ? (letter == "x" ? "y" : "x") : letter;
        return makeMonomial(number(), power, power == 0 ? "x" : v);
    }

    Polynomial side(const std::string& letter, std::uint64_t degree) {
        std::vector<Monomial> terms;
        for (auto k = in(1, 4); k > 0; --k) terms.push_back(term(letter, degree));
        return makePolynomial(std::move(terms));
    }

    /// A grouped side: each group term's multiplier a number (now and then
    /// times the letter), its group one or two terms, nested up to two deep.
    Ext_polynomial groupedSide(const std::string& letter) {
        Ext_polynomial p;
        group(p, letter, 0);
        return p;
    }

private:
    void group(Ext_polynomial& p, const std::string& letter, int depth) {
        std::vector<Term> terms;
        for (auto k = in(1, depth == 0 ? 3 : 2); k > 0; --k) {
            if (depth < 2 && percent(40)) {
                group(p, letter, depth + 1);
                terms.push_back(makeTerm(makeMonomial(number(), percent(5) ? 1 : 0, letter), {true, p.terms.size() - 1}));
            } else {
                terms.push_back(makeTerm(term(letter, 1), {false, 0}));
            }
        }
        p.terms.push_back(std::move(terms));
    }

    SystemRandom random_;
};

/// What the input holds that decides which outcomes are honest (the powers
/// are LHS − RHS's, worked out below).
struct Traits {
    bool zeroDenominator = false, huge = false;
    std::set<std::string> letters;  // of the terms with a power and a coefficient other than 0
    bool twoLetters() const { return letters.size() > 1; }
    /// The letters an answer may name: that of the terms, or either of two
    /// when one of them vanishes.
    std::set<std::string> answerLetters(const std::string& usual) const {
        return letters.empty() ? std::set<std::string>{usual} : letters;
    }
};

/// Notes what `t` needs of the terms of group `g` and the groups they refer to.
void noteGroup(const Polynomial_XL& p, std::size_t g, Traits& t) {
    for (const Term_XL& term : p.terms.at(g)) {
        const Monomial& m = term.monomial;
        const Rational& c = m.coefficient;
        t.zeroDenominator |= c.denominator == 0;
        t.huge |= c.numerator > 1000000 || c.numerator < -1000000 || c.denominator > 1000000 || c.denominator < -1000000;
        if (m.exponent > 0 && c.numerator != 0) t.letters.insert(m.variable);
        for (const Factor& f : term.factors) noteGroup(p, f.pointer, t);
    }
}

Traits traitsOf(const Polynomial_XL& lhs, const Polynomial_XL& rhs) {
    Traits t;
    for (const Polynomial_XL* side : {&lhs, &rhs}) noteGroup(*side, side->terms.size() - 1, t);
    return t;
}

// ---- what LHS − RHS is, worked out here ---------------------------------------------

/// A long-double value of group `g` at x (every letter read as x), and the
/// sum of the magnitudes of its terms, which bounds its rounding.
std::pair<long double, long double> approxAt(const Polynomial_XL& p, std::size_t g, long double x) {
    long double sum = 0, scale = 0;
    for (const Term_XL& t : p.terms.at(g)) {
        const Rational& c = t.monomial.coefficient;
        const long double power = std::pow(x, static_cast<long double>(t.monomial.exponent));
        long double term = static_cast<long double>(c.numerator) / static_cast<long double>(c.denominator) * power;
        long double size = std::fabs(term);
        for (const Factor& f : t.factors) {
            const auto [value, magnitude] = approxAt(p, f.pointer, x);
            term *= std::pow(value, static_cast<long double>(f.exponent));
            size *= std::pow(magnitude, static_cast<long double>(f.exponent));
        }
        sum += term, scale += size;
    }
    return {sum, scale};
}

/// LHS − RHS = c₀ + c₁x + c₂x² from its values at −1, 0 and 1, exact when
/// they fit 64 bits, with whether the values at 2 and 3 agree; and, for any
/// x, whether x is a root within the rounding of 8 shown digits.
struct Net {
    std::optional<std::array<Rational, 3>> exact;
    bool atMostQuadratic = true;
    std::function<bool(long double)> isRoot;
};

Net netOf(const Polynomial_XL& lhs, const Polynomial_XL& rhs) {
    Net net;
    net.isRoot = [lhs, rhs](long double x) {
        const auto [l, ls] = approxAt(lhs, lhs.terms.size() - 1, x);
        const auto [r, rs] = approxAt(rhs, rhs.terms.size() - 1, x);
        return std::fabs(l - r) <= 1e-6L * (ls + rs);
    };
    const auto exact = [&](std::int64_t x) -> std::optional<Rational> {
        const auto l = valueAt(lhs, q(x)), r = valueAt(rhs, q(x));
        return l && r ? subtractRational(*l, *r) : std::nullopt;
    };
    try {
        const auto vm = exact(-1), vz = exact(0), vp = exact(1);
        if (!vm || !vz || !vp) return net;
        const Rational half = q(1, 2);
        const Rational c1 = *multiplyRational(*subtractRational(*vp, *vm), half);
        const Rational c2 = *subtractRational(*multiplyRational(*addRational(*vp, *vm), half), *vz);
        net.exact = std::array{*vz, c1, c2};
        for (std::int64_t x : {2, 3}) {  // beyond 64 bits here, the degree is left open
            const Rational poly = *addRational(*vz, *multiplyRational(q(x), *addRational(c1, *multiplyRational(q(x), c2))));
            net.atMostQuadratic = net.atMostQuadratic && rationalEquals(poly, *exact(x));
        }
    } catch (const OverflowError&) {
    }
    return net;
}

// ---- reading a closing page ------------------------------------------------------------

/// Whether c₂r² + c₁r + c₀ is 0 for r as written, exactly; none when r is no
/// exact number or the check leaves 64 bits.
std::optional<bool> isExactRoot(const std::string& r, const std::array<Rational, 3>& c) {
    const auto v = Evaluator<Surd>(r).value();
    if (!v) return std::nullopt;
    try {
        return ((Surd{c[2]} * *v + Surd{c[1]}) * *v + Surd{c[0]}).isZero();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

/// The closing page's answer against LHS − RHS. Exactly, unless a value
/// is beyond 64 bits: then only the values shown are put back, roughly.
void expectRightAnswer(const std::vector<std::string>& page, const Net& net, const std::set<std::string>& letters,
                       Relation relation, Style style) {
    // The letter named: the first word of the answer line, which is the last line or the line before the status.
    const auto named = [&](const std::string& line) {
        const std::string letter = line.substr(0, line.find(' '));
        EXPECT_TRUE(letters.contains(letter)) << line;
        return letter;
    };
    // A root as shown: exactly, or put back roughly (decimals; numbers
    // beyond 64 bits). A root in long double loses the small root of a
    // cancelling a − b√c, so a written root is judged exactly or not at all.
    // A decimal is rounded to 8 digits, so one that reads as a whole number
    // (-50616675 for -50616674.98…) is put back roughly when not exact.
    const auto root = [&](const std::string& text) {
        const auto v = Evaluator<long double>(text).value();
        const auto exact = net.exact ? isExactRoot(text, *net.exact) : std::nullopt;
        const bool judged = exact || style == Style::decimal || text.find("\u221A") == std::string::npos;
        const bool rough = v && net.isRoot(*v);
        EXPECT_TRUE(!judged || (exact ? *exact || (style == Style::decimal && rough) : rough)) << text;
        return v.value_or(0);
    };
    const auto status = std::find_if(page.begin(), page.end(), [](const std::string& s) {
        return std::ranges::any_of(allCases<Quadratic_status>(), [&](auto st) { return s == rawValue(st); });
    });
    if (status != page.end()) {  // a quadratic: its kind, and the roots on the line before
        ASSERT_EQ(relation, Relation::equal_to);
        std::optional<Rational> D;
        if (net.exact) {
            const auto& [c0, c1, c2] = *net.exact;
            ASSERT_NE(c2.numerator, 0) << *status;
            try {
                D = *subtractRational(*multiplyRational(c1, c1), *multiplyRational(q(4), *multiplyRational(c2, c0)));
            } catch (const OverflowError&) {
            }
        }
        const bool square = D && signOf(*D) > 0 && isSquare(*simplifyRational(*D));
        if (D) {
            EXPECT_EQ(*status, rawValue(signOf(*D) < 0    ? Quadratic_status::none
                                        : signOf(*D) == 0 ? Quadratic_status::rational_repeated
                                        : square          ? Quadratic_status::rational_distinct
                                                          : Quadratic_status::irrational_distinct));
        }
        if (*status == rawValue(Quadratic_status::none)) return;
        ASSERT_NE(status, page.begin());
        const std::string& line = *(status - 1);
        const std::string label = named(line) + " = ";
        std::vector<long double> roots;
        for (const std::string& shown : rootTexts(line, label)) roots.push_back(root(shown));
        EXPECT_TRUE(!D || roots.size() == (signOf(*D) == 0 ? 1u : 2u)) << line;
        EXPECT_TRUE(roots.size() < 2 || roots[0] < roots[1]) << line;
        return;
    }
    const std::string& last = page.back();
    const bool linearStatus = last == rawValue(Status::infinite) || last == rawValue(Status::none);
    if (!net.exact) {  // beyond 64 bits: "x ⋄ value" has the boundary as its value
        if (!linearStatus) {
            const auto blank = last.find(' ', named(last).size() + 1);
            ASSERT_NE(blank, std::string::npos) << last;
            root(last.substr(blank + 1));
        }
        return;
    }
    ASSERT_EQ((*net.exact)[2].numerator, 0) << last;
    expectLinearAnswer(last, linearStatus ? "" : named(last), (*net.exact)[0], (*net.exact)[1], relation, style);
}

// ---- one solution ---------------------------------------------------------------------

enum class Solver { linear, grouped, quadratic };

struct Options {
    Technique technique;
    bool colored, embedded;
    Style style;
    Method method;
    bool clearFractions, clearFractionsFirst;
    Quadratic_method quadratic;
};

/// The n-th of the 576 combinations (every option of every solver).
Options optionsNumber(std::size_t n) {
    const auto next = [&](std::size_t radix) { const std::size_t d = n % radix; n /= radix; return d; };
    Options o{};
    o.technique = static_cast<Technique>(next(2));
    o.colored = next(2) == 1;
    o.embedded = next(2) == 1;
    o.style = static_cast<Style>(next(3));
    o.method = static_cast<Method>(next(2));
    o.clearFractions = next(2) == 1;
    o.clearFractionsFirst = next(2) == 1;
    o.quadratic = static_cast<Quadratic_method>(next(3));
    return o;
}

/// Whether it is the only honest answer: LHS − RHS beyond what the solver takes.
bool mustBeOutOfScope(const Net& net, Solver s, Relation r) {
    if (!net.exact) return false;  // beyond 64 bits: either is honest
    if (!net.atMostQuadratic) return true;
    const bool quadratic = (*net.exact)[2].numerator != 0;
    return quadratic && (s != Solver::quadratic || r != Relation::equal_to);
}

/// Whether the out-of-scope page is honest for this input and solver: for a
/// second letter or numbers near the 64-bit ends, else only where it must be
/// (powers that cancel across the sides leave an equation in scope).
bool mayBeOutOfScope(const Traits& t, const Net& net, Solver s, Relation r) {
    return t.huge || t.twoLetters() || !net.exact || mustBeOutOfScope(net, s, r);
}

bool hasText(const std::vector<std::string>& page, std::string_view text) { return std::ranges::find(page, text) != page.end(); }

/// Checks one solution, and draws every page at phone and tablet size.
void expectHonest(const LinearSteps& r, const Traits& t, const Net& net, Solver s, const Options& o,
                  const std::string& letter, Relation relation) {
    ASSERT_EQ(r.steps.size(), r.comments.size());
    if (r.steps.empty()) {  // an embedded run of an equation that already reads "x ⋄ c"
        EXPECT_TRUE(o.embedded);
        return;
    }
    for (const auto& c : r.comments) ASSERT_EQ(c.size(), 1u);
    std::vector<std::string> page;
    for (const Engine_Table& table : r.steps.back()) page.push_back(tableText(table));
    const bool byZero = hasText(page, "division by zero"), outOfScope = hasText(page, "beyond module scope");
    if (byZero || outOfScope) {
        EXPECT_EQ(page.back(), "please correct");
        EXPECT_EQ(r.comments.back().front(), "oops");
    }
    EXPECT_EQ(byZero, t.zeroDenominator) << page.front();
    EXPECT_TRUE(!outOfScope || mayBeOutOfScope(t, net, s, relation)) << page.front();
    if (!byZero && !outOfScope) {
        EXPECT_FALSE(mustBeOutOfScope(net, s, relation)) << page.front();
        if (!o.embedded) {
            EXPECT_EQ(r.comments.back().front(), "\U0001F60E") << page.front();
            expectRightAnswer(page, net, t.answerLetters(letter), relation, o.style);
        }
    }
    const StepTriple triple{r.steps, r.comments, {}};
    tl::testing::expectEveryPageDraws(triple, page.front());
    tl::testing::expectEveryPageDraws(triple, page.front(), {}, tl::testing::kTabletStepView,
                                      tl::testing::kTabletBaseSize);
}

/// Runs an entry point, failing the test on anything it throws.
template <class F>
auto guarded(F f, const std::string& what) -> std::optional<decltype(f())> {
    try {
        return f();
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << " threw: " << e.what();
    }
    return std::nullopt;
}

std::string equationText(const Polynomial_XL& lhs, Relation r, const Polynomial_XL& rhs) {
    return tableText(equationRow(Style::rational_fraction, makeEquationXL(lhs, rhs, r)));
}

/// One equation through one solver (flat sides for the linear and quadratic
/// ones, grouped for the other) with options `o`, checked; `seed` fixes the
/// draws of the advice, `compare` also runs the method's own quadratic entry
/// or the direct grouped answer.
template <class Equation>
void expectSolvedHonestly(Solver s, const Options& o, const Equation& e, const std::string& letter,
                          std::uint64_t seed, bool compare) {
    const Polynomial_XL lhs = widened(e.LHS), rhs = widened(e.RHS);
    const std::string what = equationText(lhs, e.relation, rhs);
    SCOPED_TRACE(what);
    const Traits t = traitsOf(lhs, rhs);
    const Net net = netOf(lhs, rhs);
    const auto solve = [&](bool direct) -> LinearSteps {
        SystemRandom draws(seed);
        ScopedRandomSource scoped(draws);
        if constexpr (std::is_same_v<Equation, Ext_polyEquation>) {
            return solveExtEquation(o.technique, o.colored, o.embedded, o.style, o.method, o.clearFractionsFirst,
                                    o.clearFractions, e.LHS, e.RHS, e.relation, e.relation_color);
        } else {
            using Entry = decltype(&solveQuadraticByFormula);
            const Entry methods[] = {solveQuadraticByFactoring, solveQuadraticByFormula,
                                     solveQuadraticByCompletingTheSquare};
            if (s == Solver::linear)
                return solveLinearEquation(o.technique, o.colored, o.embedded, o.style, o.method, o.clearFractions,
                                           e.LHS, e.RHS, e.relation, e.relation_color);
            if (direct)
                return methods[static_cast<std::size_t>(o.quadratic)](o.technique, o.colored, o.embedded, o.style,
                                                                      o.method, o.clearFractions, e.LHS, e.RHS,
                                                                      e.relation, e.relation_color);
            return solveQuadratic(o.quadratic, o.technique, o.colored, o.embedded, o.style, o.method,
                                  o.clearFractions, e.LHS, e.RHS, e.relation, e.relation_color);
        }
    };
    const auto r = guarded([&] { return solve(false); }, what);
    if (r) expectHonest(*r, t, net, s, o, letter, e.relation);
    if (!compare) return;
    if constexpr (std::is_same_v<Equation, Ext_polyEquation>) {
        // The direct answer: the same failure, or the right answer.
        const auto direct = guarded([&] { return simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color); }, what);
        if (direct && std::holds_alternative<ExtFailure>(*direct)) {
            const bool byZero = std::get<ExtFailure>(*direct) == ExtFailure::division_by_zero;
            EXPECT_EQ(byZero, t.zeroDenominator);
            EXPECT_TRUE(byZero || mayBeOutOfScope(t, net, s, e.relation));
        }
        if (direct && std::holds_alternative<LinearSolution>(*direct)) {
            EXPECT_FALSE(t.zeroDenominator || mustBeOutOfScope(net, s, e.relation));
            const LinearSolution& a = std::get<LinearSolution>(*direct);
            const std::string named = *t.answerLetters(letter).begin();
            const std::string line = a.status != Status::unique ? std::string(rawValue(a.status))
                                     : named + " " + std::string(relationSymbol(a.relation)) + " " +
                                           tableText(rationalTable(false, Style::rational_fraction, a.solution));
            expectRightAnswer({line}, net, t.answerLetters(letter), e.relation, Style::rational_fraction);
        }
    } else if (s == Solver::quadratic && r) {
        EXPECT_EQ(guarded([&] { return solve(true); }, what), r);  // the method's own entry
    }
}

}  // namespace

class AlgebraSweepSlice : public ::testing::TestWithParam<int> {};

TEST_P(AlgebraSweepSlice, EverySolverEveryOption) {
    gfx::ScopedFakeFonts fonts;
    const int slice = GetParam();
    Draw draw(2121 + static_cast<std::uint64_t>(slice));
    const int count = 100000 / kDivisor / kSlices;
    // Per solver, so that each meets every combination; the slices start
    // apart, so that the small sanitizer sample meets them all too.
    std::array<std::size_t, 3> runs{};
    runs.fill(static_cast<std::size_t>(slice * count));
    for (int i = slice * count; i < (slice + 1) * count && !HasFailure(); ++i) {
        const auto s = static_cast<Solver>(i % 10 < 3 ? 0 : i % 10 < 6 ? 1 : 2);
        const Options o = optionsNumber(7 * runs[static_cast<std::size_t>(s)]++);
        const std::string letter(1, "xyz"[draw.in(0, 2)]);
        Relation relation = allRelations[draw.in(0, 4)];
        if (s == Solver::quadratic && !draw.percent(10)) relation = Relation::equal_to;
        SCOPED_TRACE("case " + std::to_string(i));
        const auto seed = static_cast<std::uint64_t>(i);
        const bool compare = i % 50 < 10;
        if (s == Solver::grouped) {
            expectSolvedHonestly(s, o, makeEquationXL(draw.groupedSide(letter), draw.groupedSide(letter), relation),
                                 letter, seed, compare);
        } else {
            const std::uint64_t degree = s == Solver::linear ? 1 : 2;
            expectSolvedHonestly(s, o, makeEquationXL(draw.side(letter, degree), draw.side(letter, degree), relation),
                                 letter, seed, compare);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AlgebraSweep, AlgebraSweepSlice, ::testing::Range(0, kSlices));

// The texts a learner might try first, and the edge of each solver's scope,
// in all 576 option combinations.
TEST(AlgebraSweep, NamedEquationsEveryOption) {
    gfx::ScopedFakeFonts fonts;
    const char* const texts[] = {
        "2x + 3 = 11", "-3x + 1 < 7", "x/3 + 1 >= 2/7", "2x + 3 = 2x + 3", "2x + 3 = 2x + 4", "0 = 0", "x = x",
        "x/0 = 1", "0/0 = x", "x^3 = 1", "x + y = 1", "x + y - y = 1", "9223372036854775807x + 9223372036854775807 = 1",
        "-9223372036854775808x = 1", "x² − 5x + 6 = 0", "2x² + 3x − 2 = 0", "x² + 1 = 0", "x² − 2x + 1 = 0",
        "x² < 4", "x^3 - x^3 + x^2 = 4", "4x − 3037000499x − x = 2 + 9x²", "2 − 3037000499y + 8 = -8y² − y",
        "2(3(x + 1) + 4) = 20", "(x + 1)/2 − 3(x − 1) = 4", "x(x + 2) = 3", "0(y + 1) + x = 2", "(x + 1)/0 = 2",
        "4611686018427387904(x + 1) = 4611686018427387904(x - 1)",
    };
    for (const char* text : texts) {
        const auto read = readEquation(text);
        ASSERT_TRUE(read.ok()) << text;
        for (std::size_t n = 0; n < 576 / static_cast<std::size_t>(kDivisor); ++n) {
            const Options o = optionsNumber(n * static_cast<std::size_t>(kDivisor));
            if (const auto* flat = std::get_if<PolyEquation>(&read.value())) {
                expectSolvedHonestly(Solver::linear, o, *flat, "x", n, false);
                expectSolvedHonestly(Solver::quadratic, o, *flat, "x", n, n % 16 == 0);
            }
            const auto grouped = readExtEquation(text);
            if (grouped) expectSolvedHonestly(Solver::grouped, o, grouped.value(), "x", n, n % 16 == 0);
        }
    }
}

// ---- rational expressions ---------------------------------------------------------------

namespace {

using States = std::vector<Rational_Expression>;

std::optional<States> asStates(const std::optional<RationalStepPair>& pair) {
    return pair ? std::optional{States(pair->begin(), pair->end())} : std::nullopt;
}

/// [e, folded] when folding changes e.
std::optional<States> folded(const Rational_Expression& e, bool negate) {
    const auto f = transformBothParts(e, negate);
    return f ? std::optional{States{e, *f}} : std::nullopt;
}

/// A part: a sum of one to three terms, or c·x^e times one to three groups
/// (a sum, a group holding −1 or a constant, a group of a group), powers up
/// to 3; now and then a number near the 64-bit ends or a zero coefficient.
Polynomial_XL randomPart(Draw& d, bool& huge) {
    const auto number = [&] {
        if (d.percent(2)) return huge = true, q(d.percent(50) ? INT64_MAX : -3037000500);
        return q(d.percent(8) ? 0 : d.in(-9, 9), d.percent(10) ? 2 : 1);
    };
    const auto sum = [&](std::size_t n) {
        std::vector<Term_XL> g;
        for (std::size_t k = 0; k < n; ++k) g.push_back(makeTermXL(makeMonomialX(number(), static_cast<std::uint64_t>(d.in(0, 2))), {}));
        return g;
    };
    Polynomial_XL p;
    if (d.percent(30)) return p.terms.push_back(sum(static_cast<std::size_t>(d.in(1, 3)))), p;
    std::vector<Factor> factors;
    for (auto k = d.in(1, 3); k > 0; --k) {
        switch (d.in(0, 3)) {
            case 0: p.terms.push_back({makeTermXL(makeMonomialX(q(-1), 0), {})}); break;
            case 1: p.terms.push_back({makeTermXL(makeMonomialX(number(), 0), {})}); break;
            case 2: {  // a group whose one term is a product with a group
                p.terms.push_back(sum(2));
                p.terms.push_back({makeTermXL(makeMonomialX(number(), 0), {makeFactor(p.terms.size() - 1, 1)})});
                break;
            }
            default: p.terms.push_back(sum(static_cast<std::size_t>(d.in(1, 3))));
        }
        factors.push_back(makeFactor(p.terms.size() - 1, static_cast<std::uint64_t>(d.in(1, 3))));
    }
    p.terms.push_back({makeTermXL(makeMonomialX(number(), static_cast<std::uint64_t>(d.in(0, 2))), factors)});
    return p;
}

}  // namespace

TEST(AlgebraSweep, RationalExpressionStepsKeepTheirValue) {
    gfx::ScopedFakeFonts fonts;
    Draw draw(2122);
    const Rational points[] = {q(-7, 3), q(-1, 2), q(2, 5), q(3, 1), q(11, 4)};
    const std::pair<const char*, std::function<std::optional<States>(const Rational_Expression&)>> steps[] = {
        {"standard order", [](const auto& e) { return asStates(standardOrderStepPair(e)); }},
        {"factor", [](const auto& e) { return asStates(factorStepPair(e)); }},
        {"common factor", [](const auto& e) { return asStates(commonFactorStepPair(e)); }},
        {"-1", [](const auto& e) { return asStates(negativeOneStepPair(e)); }},
        {"reduce", [](const auto& e) { return asStates(rationalReduceSteps(e)); }},
        {"cancel", rationalCancelSteps},
        {"simplify", rationalSimplifySteps},
        {"fold", [](const auto& e) { return folded(e, false); }},
        {"fold negated", [](const auto& e) { return folded(e, true); }},
    };
    for (int i = 0; i < 10000 / kDivisor && !HasFailure(); ++i) {
        bool huge = false;
        const Rational_Expression e = makeRationalExpression(randomPart(draw, huge), randomPart(draw, huge));
        const std::string what = tableText(rationalExpressionRow(e));
        for (const auto& [name, step] : steps) {
            std::optional<States> states;
            try {
                states = step(e);
            } catch (const OverflowError&) {  // numbers beyond 64 bits: the typed refusal
                EXPECT_TRUE(huge) << name << ": " << what;
            } catch (const PreconditionError& x) {  // an expression over 0 is not simplified
                const bool overZero = std::ranges::all_of(points, [&](const Rational& p) {
                    try {
                        const auto d = valueAt(e.poly_D, p);
                        return d && d->numerator == 0;
                    } catch (const OverflowError&) {  // a value beyond 64 bits cannot be compared
                        return true;
                    }
                });
                EXPECT_TRUE(name == std::string("simplify") && overZero) << name << ": " << what << " threw " << x.what();
            } catch (const std::exception& x) {
                ADD_FAILURE() << name << ": " << what << " threw " << x.what();
            }
            if (!states) continue;
            StepTriple pages;
            for (const Rational_Expression& state : *states) {
                pages.steps.push_back({rationalExpressionRow(state)});
                pages.comments.push_back({name});
                for (const Rational& x : points) {
                    try {
                        const auto before = valueAt(e, x), after = valueAt(state, x);
                        EXPECT_TRUE(!before || !after || rationalEquals(*before, *after))
                            << name << ": " << what << " → state " << pages.steps.size();
                    } catch (const OverflowError&) {  // a value beyond 64 bits cannot be compared
                    }
                }
            }
            tl::testing::expectEveryPageDraws(pages, what);
            tl::testing::expectEveryPageDraws(pages, what, {}, tl::testing::kTabletStepView,
                                              tl::testing::kTabletBaseSize);
        }
    }
}
