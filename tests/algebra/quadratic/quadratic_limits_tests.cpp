// The quadratic methods near both ends of 64 bits: each answers wherever the
// numbers its own pages write fit (the discriminant itself is never written
// and may pass 64 bits), every root put back into the equation as typed with
// exact numbers of any size; refused with the out-of-scope page where its
// pages would write 2⁶³ or more. Then random equations of such numbers: the
// right roots or that page, never a throw or a wrong root.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "algebra/linear/linear_solution.hpp"
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

}  // namespace

TEST(QuadraticLimits, EachMethodNearTheEnds) {
    const struct {
        const char* equation;
        const char* roots;  // the closing line of the roots, or the kind when there are none
        std::vector<Quadratic_method> refusing;
    } cases[] = {
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
    for (const auto& c : cases)
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
