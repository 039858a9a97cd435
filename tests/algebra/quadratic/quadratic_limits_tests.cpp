// The quadratic methods near both ends of 64 bits: each answers wherever the
// numbers its own pages write fit (the discriminant itself is never written
// and may pass 64 bits), every root put back into the equation as typed with
// exact numbers of any size; refused with the out-of-scope page where its
// pages would write 2⁶³ or more. Then random equations of such numbers: the
// right roots or that page, never a throw or a wrong root. The discriminant
// of the whole coefficients without their common factor is worked out up to
// 2¹²⁸ and refused from there, below 0 of any size giving no roots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/reader.hpp"
#include "base/checked.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "support/exact_surds.hpp"

using namespace tl;
using namespace tl::testing;

namespace {

constexpr auto P = Quadratic_method::factor, F = Quadratic_method::formula,
               C = Quadratic_method::complete_the_square;

QuadraticSteps solve(Quadratic_method method, const std::string& text, Style style, bool colored = false) {
    const PolyEquation e = readPolyEquation(text).value();
    return solveQuadratic(method, Technique::balance, colored, false, style, Method::standard, false, e.LHS, e.RHS,
                          e.relation, e.relation_color);
}

QuadraticSteps refusal(const std::string& text, Style style) {
    return outOfScopePage(equationTable(style, readPolyEquation(text).value()));
}

/// The lines of the closing page "😎", none when the solution does not close.
std::vector<std::string> closing(const QuadraticSteps& s) {
    std::vector<std::string> lines;
    if (s.comments.empty() || s.comments.back() != std::vector<std::string>{"\U0001F60E"}) return lines;
    for (const Engine_Table& t : s.steps.back()) lines.push_back(tableText(t));
    return lines;
}

/// An equation and what each method makes of it.
struct MethodOutcome {
    const char* equation;
    const char* roots;  // the closing line of the roots, or the kind when there are none
    std::vector<Quadratic_method> refusing;
};

/// Each method in two styles, plain and coloured: the out-of-scope page from
/// those refusing, from the others the roots, put back exactly.
void expectOutcome(const MethodOutcome& c) {
    for (const Quadratic_method method : allCases<Quadratic_method>())
        for (const Style style : {Style::fraction, Style::rational_fraction})
            for (const bool colored : {false, true}) {
                SCOPED_TRACE(std::string(c.equation) + " " + std::string(rawValue(method)) +
                             (style == Style::fraction ? "" : " rational_fraction") + (colored ? " colored" : ""));
                const QuadraticSteps s = solve(method, c.equation, style, colored);
                if (std::ranges::count(c.refusing, method) == 1) {
                    EXPECT_EQ(s, refusal(c.equation, style));
                    continue;
                }
                const std::vector<std::string> lines = closing(s);
                ASSERT_FALSE(lines.empty());
                EXPECT_NE(std::ranges::find(lines, c.roots), lines.end());
                expectExactQuadraticAnswer(lines, typedEquation(c.equation));
            }
}

}  // namespace

TEST(QuadraticLimits, EachMethodNearTheEnds) {
    const MethodOutcome cases[] = {
        // Rational roots of a discriminant beyond 64 bits; a factor x + 2⁶³, half of 2⁶³ − 1 squared.
        {"x^2 + 9223372036854775807x - 9223372036854775808 = 0", "x = -9223372036854775808 or x = 1", {P, C}},
        {"x^2 + 4611686018427387904x = 0", "x = -4611686018427387904 or x = 0", {C}},  // (2⁶¹)²
        {"9223372036854775807x^2 - 9223372036854775807 = 0", "x = -1 or x = 1", {}},
        {"(1/9223372036854775807)x^2 + (1/9223372036854775806)x = 0",
         "x = -9223372036854775807/9223372036854775806 or x = 0", {P, C}},  // their lcm, half the x-coefficient
        // Irrational roots; −(−2⁶³) moved to the right.
        {"x^2 - 9223372036854775808 = 0", "x = -2147483648√2 or x = 2147483648√2", {C}},
        {"x^2 = 9223372036854775807", "x = -7√188232082384791343 or x = 7√188232082384791343", {}},
        {"3037000500x^2 + 3037000500x - 3037000500 = 0", "x = (-1 − √5)/2 or x = (-1 + √5)/2", {}},
        {"4294967296x^2 + 4294967296x = 1/3", "x = (-98304 − √9663676419)/196608 or x = (-98304 + √9663676419)/196608",
         {}},
        {"x^2 - 6074001000x + 9223372036854775807 = 0", "x = 3037000500 − √145474193 or x = 3037000500 + √145474193",
         {C}},  // 3037000500² passes 2⁶³
        // No roots; 4ac beyond 128 bits; 1/−2⁶³ to multiply by.
        {"-9223372036854775808x^2 - 9223372036854775808 = 0", "no solution", {C}},
        {"x^2 + 2x = -9223372036854775807", "no solution", {}},
        {"-x^2 = 9223372036854775807", "no solution", {}},
        // A root of 2⁶³, or of 1/−2⁶³: refused by every method.
        {"x^2 - 9223372036854775807x - 9223372036854775808 = 0", nullptr, {P, F, C}},
        {"x^2 - 9223372036854775808x = 0", nullptr, {P, F, C}},
        {"-9223372036854775808x^2 + 9223372036854775807x + 1 = 0", nullptr, {P, F, C}},
    };
    for (const auto& c : cases) expectOutcome(c);
}

TEST(QuadraticLimits, RandomEquationsAnswerExactlyOrRefuse) {
    SystemRandom r(20261210);
    const auto in = [&](std::int64_t lo, std::int64_t hi) { return r.uniformInRange(lo, hi); };
    const std::int64_t near[] = {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1, std::int64_t{1} << 62,
                                 3037000499, 3037000500, 4294967296, 1, 2};
    const auto number = [&] { return nearTheEnds(r, near, 9, 3); };
    // c·x^p as typed, after the first term by its size.
    const auto term = [&](bool first, const char* power) {
        std::int64_t c = number();
        if (!first && c == INT64_MIN) c = INT64_MAX;
        const std::string size = std::to_string(checked::magnitude(c));
        return (first ? (c < 0 ? "-" : "") : (c < 0 ? " - " : " + ")) + size + power;
    };
    const char* const powers[] = {"x^2", "x", ""};
    for (int i = 0; i < 300; ++i) {
        std::string left = term(true, "x^2"), right;
        for (const char* power : powers)
            if (in(0, 2) > 0) left += term(false, power);
        right = in(0, 1) ? "0" : term(true, powers[in(0, 2)]);
        const std::string text = left + " = " + right;
        const auto method = static_cast<Quadratic_method>(in(0, 2));
        const auto style = static_cast<Style>(in(0, 2));
        SCOPED_TRACE("case " + std::to_string(i) + ": " + text + " " + std::string(rawValue(method)));
        QuadraticSteps s;
        ASSERT_NO_THROW(s = solve(method, text, style, in(0, 1) == 1));
        ASSERT_EQ(s.steps.size(), s.comments.size());
        if (s == refusal(text, style)) continue;
        const std::vector<std::string> lines = closing(s);
        ASSERT_FALSE(lines.empty());
        const TypedEquation e = typedEquation(text);
        if (style != Style::decimal) {
            // A quadratic's roots, or the linear answer when the squares cancel.
            const bool quadratic = std::ranges::any_of(allCases<Quadratic_status>(), [&](auto st) {
                return std::ranges::find(lines, rawValue(st)) != lines.end();
            });
            if (quadratic) expectExactQuadraticAnswer(lines, e);
            else expectExactLinearAnswer(lines.back(), e);
        }
    }
}

TEST(QuadraticLimits, DiscriminantUpTo128Bits) {
    const MethodOutcome cases[] = {
        // b² − 4ac is 5(2⁶³ − 1)², beyond 128 bits, and 5 without the common
        // factor: the same roots as x² + x − 1 = 0, and as it times 1/2.
        {"-9223372036854775807x^2 - 9223372036854775807x + 9223372036854775807 = 0",
         "x = (-1 − √5)/2 or x = (-1 + √5)/2", {}},
        {"(9223372036854775807/2)x^2 + (9223372036854775807/2)x - 9223372036854775807/2 = 0",
         "x = (-1 − √5)/2 or x = (-1 + √5)/2", {}},
        // 2x² + x − 1 times (2⁶³ − 1)/4: 9(2⁶³ − 1)² before the factor goes;
        // factoring would write the fractions cleared, 2(2⁶³ − 1).
        {"(9223372036854775807/2)x^2 + (9223372036854775807/4)x - 9223372036854775807/4 = 0", "x = -1 or x = 1/2",
         {P}},
        // No common factor: (2⁶⁴ − 1)², just below 2¹²⁸, is answered; 2¹²⁸
        // itself is refused, though the roots -22129/12807 and
        // 360091045399187/625200327863083 and their factors would fit.
        {"7948023531779321825x^2 + 9223372036854775805x - 8027523263181936574 = 0",
         "x = -48574/27905 or x = 165263788512001/284824351613665", {C}},  // b/2a on its pages
        {"8006940598942503981x^2 + 9223372036854775798x - 7968454743638609123 = 0", nullptr, {P, F, C}},
        // Whole coefficients near 2¹²⁶ from the fractions, the lcm of the
        // denominators near 2¹⁸⁹: b² − 4ac near −3·2²⁵² has no roots, and
        // (Px − Q)²/PQ, b² and 4ac 4P²Q², a repeated root. Factoring and
        // completing the square would write the whole coefficients, b/a.
        {"(1/9223372036854775807)x^2 + (1/9223372036854775806)x + 1/9223372036854775805 = 0", "no solution", {P, C}},
        {"(9223372036854775807/9223372036854775806)x^2 - 2x + 9223372036854775806/9223372036854775807 = 0",
         "x = 9223372036854775806/9223372036854775807", {P, C}},
    };
    for (const auto& c : cases) expectOutcome(c);
}

// Random quadratics near the ends of 64 bits over a common denominator, or
// small ones times a factor near those ends, each coefficient over its own
// small denominator. Where b² − 4ac over the square of the common factor of
// a, b and c, worked out here with numbers of any size, is 2¹²⁸ or more,
// every method refuses; where it is below 0 there are no roots; otherwise each
// answer is put back exactly, and a refusal is taken (the pages may write
// numbers beyond 64 bits) save from the formula for a small equation times a
// factor, whose pages write only the coefficients as typed and the roots of
// the small one.
TEST(QuadraticLimits, RandomDiscriminantsUpTo128Bits) {
    SystemRandom r(20261211);
    const auto in = [&](std::int64_t lo, std::int64_t hi) { return r.uniformInRange(lo, hi); };
    const std::int64_t near[] = {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1, std::int64_t{1} << 62,
                                 INT64_MAX - 2, 8248205017437839001, 3037000500, 4294967296, 1};
    const std::int64_t denominators[] = {1, 1, 2, 3, 4294967296, INT64_MAX};
    const BigInt twoTo128 = bigInt(checked::i128{1} << 64) * bigInt(checked::i128{1} << 64);
    int answered = 0, beyond = 0, none = 0;
    for (int i = 0; i < 400; ++i) {
        std::int64_t n[3], d[3];
        const int kind = static_cast<int>(in(0, 2));
        const bool multiple = kind == 0;
        if (multiple) {
            const std::int64_t small[3] = {in(1, 9) * (in(0, 1) ? 1 : -1), in(-9, 9), in(-9, 9)};
            const std::int64_t factor = nearTheEnds(r, near, 9, 3) / std::ranges::max(small, {}, [](auto v) {
                return checked::magnitude(v);
            });
            for (int j = 0; j < 3; ++j) n[j] = small[j] * (factor == 0 ? 1 : factor), d[j] = in(1, 6);
        } else {
            for (std::int64_t& v : n) v = nearTheEnds(r, near, 9, 3);
            if (kind == 2) {
                // a and c near ±2⁶³ of opposite signs: 4ac near −2¹²⁸.
                const auto end = [&](bool negative) {
                    const std::int64_t m = nudged(INT64_MAX, -in(0, 99));
                    return negative ? (in(0, 1) == 1 ? INT64_MIN + in(0, 99) : -m) : m;
                };
                const bool negative = in(0, 1) == 1;
                n[0] = end(negative), n[2] = end(!negative);
            }
            if (n[0] == 0) n[0] = 1;
            d[0] = d[1] = d[2] = denominators[in(0, std::ssize(denominators) - 1)];
        }
        std::string text;
        for (int j = 0; j < 3; ++j) {
            if (n[j] == 0) continue;
            const std::string size = std::to_string(checked::magnitude(n[j])), over = "/" + std::to_string(d[j]);
            text += j == 0 ? (n[j] < 0 ? "-" : "") : n[j] < 0 ? " - " : " + ";
            text += d[j] == 1 ? size : j == 2 ? size + over : "(" + size + over + ")";
            text += j == 0 ? "x^2" : j == 1 ? "x" : "";
        }
        text += " = 0";
        // a, b and c: the coefficients times a common multiple of the
        // denominators (b² − 4ac over g² is the same for every one).
        const checked::i128 L = multiple ? 60 : d[0];
        checked::i128 w[3];
        for (int j = 0; j < 3; ++j) w[j] = n[j] * (L / d[j]);
        const BigInt D = bigInt(w[1]) * bigInt(w[1]) - BigInt(4) * bigInt(w[0]) * bigInt(w[2]);
        const BigInt g = gcd(gcd(bigInt(w[0]), bigInt(w[1])), bigInt(w[2]));
        const bool refused = !(D < twoTo128 * g * g);
        beyond += refused, none += D.sign() < 0;
        SCOPED_TRACE("case " + std::to_string(i) + ": " + text);
        const PolyEquation e = readPolyEquation(text).value();
        if (refused) {
            EXPECT_THROW(quadraticSolution(e), OverflowError);
        } else if (D.sign() < 0) {
            QuadraticRoots roots;
            ASSERT_NO_THROW(roots = quadraticSolution(e));
            EXPECT_EQ(roots.status, Quadratic_status::none);
        }
        const auto style = static_cast<Style>(in(0, 2));
        for (const Quadratic_method method : allCases<Quadratic_method>()) {
            SCOPED_TRACE(std::string(rawValue(method)) + " " + std::string(rawValue(style)));
            QuadraticSteps s;
            ASSERT_NO_THROW(s = solve(method, text, style));
            if (s == refusal(text, style)) {
                EXPECT_FALSE(!refused && multiple && method == F);
                continue;
            }
            EXPECT_FALSE(refused);
            const std::vector<std::string> lines = closing(s);
            ASSERT_FALSE(lines.empty());
            if (style != Style::decimal) expectExactQuadraticAnswer(lines, typedEquation(text));
            ++answered;
        }
    }
    // The draw reaches each outcome.
    EXPECT_GT(answered, 400);
    EXPECT_GT(beyond, 40);
    EXPECT_GT(none, 40);
}
