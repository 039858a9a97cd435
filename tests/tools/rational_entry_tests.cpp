// The rational-expression entries of tellurandi-steps on what a reader could
// type: each refusal with its status, column and message, the same from every
// entry that reads an EXPRESSION, and the texts they still read. The factoring
// entries refuse a POLYNOMIAL as the others refuse an EXPRESSION, and answer
// whatever the order of its terms. All of them answer in y and z as in x.
#include <algorithm>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "algebra/rational_expression_reader.hpp"
#include "base/random.hpp"
#include "support/algebra_answers.hpp"
#include "support/steps_outcome.hpp"

namespace {

const char* const kEntries[] = {"rationalSimplifySteps", "rationalCancelSteps", "rationalReduceSteps"};

using Outcome = tl::testing::StepsOutcome;
using tl::testing::q;

Outcome run(const std::string& entry, const std::string& expression) {
    return tl::testing::runSteps({entry, expression, "--text"});
}

constexpr const char* kOverZero = "the denominator is 0: an expression over 0 has no value";
constexpr const char* kCoefficientOverZero = "a coefficient over 0 has no value";
constexpr const char* kNumeratorSum = "a numerator of several terms: put it in parentheses, as in (x + 1)/2";
constexpr const char* kDenominatorSum = "a denominator of several terms: put it in parentheses, as in x/(x + 1)";

TEST(RationalEntries, RefusalsNameTheirColumn) {
    const struct {
        const char* expression;
        std::size_t column;
        std::string message;
    } cases[] = {
        // No value: the denominator is the zero polynomial, or a coefficient is over 0.
        {"x/0", 3, kOverZero},
        {"(x + 1)/0", 9, kOverZero},
        {"1/(0x)", 3, kOverZero},
        {"0/0", 3, kOverZero},
        {"0/(0x)", 3, kOverZero},
        {"x/ (x - x)", 4, kOverZero},
        {"(x - 1)(x + 1)/((x + 1)(0))", 16, kOverZero},
        {"x/((x + 1)^2 - (x^2 + 2x + 1))", 3, kOverZero},
        {"6x/(0x^2)", 4, kOverZero},
        {"(x/0)/(x + 1)", 4, kCoefficientOverZero},
        {"1/((0/0)x)", 7, kCoefficientOverZero},
        // One letter: groups of several letters are not compared.
        {"(x + y + 1)/(y + x + 1)", 6, "the letter y beside x: an expression is in one letter"},
        {"(x^2 + y^2 + 1)/(y^2 + x^2 + 1)", 8, "the letter y beside x: an expression is in one letter"},
        {"(x + y + 1)(x + 2)/((y + x + 1)(x + 3))", 6, "the letter y beside x: an expression is in one letter"},
        {"(y + 1)/(x + 1)", 10, "the letter x beside y: an expression is in one letter"},
        {"2y/(3x)", 6, "the letter x beside y: an expression is in one letter"},
        {"(z^0 + x)/(z + 1)", 12, "the letter z beside x: an expression is in one letter"},
        // A sum beside the fraction bar.
        {"x/2 + 1", 3, kDenominatorSum},
        {"x + 1/2", 1, kNumeratorSum},
        {"3x/4 + 1", 4, kDenominatorSum},
        {"  x + 1 / x", 3, kNumeratorSum},
        {"(x + 1)/(x + 2) + 1", 9, kDenominatorSum},
        {"x/(x + 1) - 2", 3, kDenominatorSum},
        // What may not follow a part, in the polynomial entries' words.
        {"x x", 3, "expected '+', '−' or the end, found the letter x"},
        {"xy", 2, "expected '+', '−' or the end, found the letter y"},
        {"x^2^3", 4, "expected '+', '−' or the end, found '^'"},
        {"(x+1)/(x+1)x", 12, "expected '+', '−' or the end, found the letter x"},
        {"x = 1", 3, "a relation: this is an expression, not an equation"},
        {"x/(x + 1)/2x", 2, "a second \"/\": an expression has one"},
        {"x)/2", 2, "a \")\" without its \"(\""},
    };
    for (const auto& c : cases)
        for (const char* entry : kEntries) {
            const Outcome o = run(entry, c.expression);
            EXPECT_EQ(o.status, 2) << entry << " " << c.expression;
            EXPECT_EQ(o.out, "") << entry << " " << c.expression;
            EXPECT_EQ(o.err, "tellurandi-steps: " + std::string(entry) + ": column " + std::to_string(c.column) + ": " +
                                 c.message + "\n")
                << c.expression;
        }
}

TEST(RationalEntries, StillRead) {
    // The problem page shows the expression as read: parts of one term beside the bar, in any one letter.
    const std::pair<const char*, const char*> cases[] = {
        {"(x + 1)/2", "(x + 1)/2"},
        {"x/(2 + 1)", "x/(2 + 1)"},
        {"6/4", "6/4"},
        {"3x/(-2)", "3x/-2"},
        {"(1/2)x/(x + 1)", "(x/2)/(x + 1)"},
        {"x/2 / (x - 1)", "(x/2)/(x − 1)"},
        {"x + 1", "x + 1"},
        {"0/(x^2 + 1)", "0/(x² + 1)"},
        {"(y - 1)(y + 1)/(y + 1)", "(y − 1)(y + 1)/(y + 1)"},
        {"(z^2 + 1)/(-2)", "(z² + 1)/-2"},
        {"x + y^0", "x + 1"},
        {"x/(x - x + 1)", "x/(x − x + 1)"},
        {"1/((x + 1)^20000 - 1)", "1/((x + 1)^20000 − 1)"},
    };
    for (const auto& [expression, shown] : cases)
        for (const char* entry : kEntries) {
            const Outcome o = run(entry, expression);
            EXPECT_EQ(o.status, 0) << entry << " " << expression << ": " << o.err;
            const std::string problemPage = o.out.substr(0, o.out.find('\n', o.out.find('\n') + 1));
            EXPECT_EQ(problemPage, std::string("page 1: \U0001F914\n") + shown) << entry << " " << expression;
        }
}

// --- the factoring entries: a POLYNOMIAL in one letter, its terms in any order ------

Outcome runFactoring(const std::string& entry, const std::string& polynomial, const std::string& method = "ac method") {
    std::vector<std::string> args{entry, polynomial, method, "--text"};
    if (entry != "chooseFactoringMethod") args.erase(args.begin() + 2);
    return tl::testing::runSteps(args);
}

/// The pages after the problem page, as --text writes them; all of it when there is no second page.
std::string answerPages(const Outcome& o) {
    const std::size_t at = o.out.find("\npage 2:");
    return at == std::string::npos ? o.out : o.out.substr(at + 1);
}

TEST(FactoringEntries, RefusalsNameTheirColumn) {
    const std::string yBesideX = "the letter y beside x: a polynomial is in one letter";
    const std::pair<const char*, std::string> cases[] = {
        {"x^2 - y^2", "7: " + yBesideX}, {"2x^2 + 4y", "9: " + yBesideX}, {"x^2 + 3y + 2", "8: " + yBesideX},
        {"y^0 + 3z(y + 1)", "10: the letter y beside z: a polynomial is in one letter"},
        {"x/0 + x^2", "3: a coefficient over 0 has no value"},
        {"x^2 + (1/0)x", "10: a coefficient over 0 has no value"},
        {"x^2 = 1", "5: a relation: this is a polynomial, not an equation"}};
    for (const auto& [polynomial, refusal] : cases)
        for (const char* entry : {"factorCompletely", "factorTrinomialXL", "factorOutGcfXL", "chooseFactoringMethod"}) {
            const Outcome o = runFactoring(entry, polynomial);
            EXPECT_EQ(std::tie(o.status, o.out, o.err),
                      std::tuple(2, "", "tellurandi-steps: " + std::string(entry) + ": column " + refusal + "\n"));
        }
}

// k·(a₁x + b₁)…(aₙx + bₙ) with its terms shuffled, and with its coefficients
// split into like terms (parts beyond 64 bits on the way included, and pairs
// that cancel at powers it lacks), is answered as in descending order by every
// entry, only a common factor may "not apply", and the answer multiplies back
// to it (exactly, at more points than its degree).
TEST(FactoringEntries, AnyTermOrderAnswersAsDescendingOrder) {
    for (const auto& [entry, typed, descending] : {std::tuple{"factorCompletely", "6 + 5x + x^2", "x^2 + 5x + 6"},
                                                   {"factorTrinomialXL", "2 + 3x + x^2", "x^2 + 3x + 2"},
                                                   {"factorCompletely", "x^2 + 2x^2 + 3x^2 - 5x + 1", "6x^2 - 5x + 1"}})
        EXPECT_EQ(answerPages(runFactoring(entry, typed)), answerPages(runFactoring(entry, descending))) << typed;
    tl::SystemRandom random(11);
    const auto in = [&](std::int64_t lo, std::int64_t hi) { return random.uniformInRange(lo, hi); };
    const auto sign = [&] { return in(0, 1) ? 1 : -1; };
    for (int i = 0; i < 300 && !HasFailure(); ++i) {
        std::vector<std::int64_t> c{sign() * in(1, 3)};  // c[e]: the coefficient of x^e
        for (auto n = in(2, 4); n > 0; --n) {
            const std::int64_t a = in(1, 4), b = sign() * in(1, 5);
            c.push_back(0);
            for (std::size_t e = c.size() - 1; e > 0; --e) c[e] = a * c[e - 1] + b * c[e];
            c[0] *= b;
        }
        const std::string letter(1, "xyz"[in(0, 2)]);
        const auto term = [&](std::int64_t k, std::size_t e) {
            const std::uint64_t size = k < 0 ? 0 - static_cast<std::uint64_t>(k) : static_cast<std::uint64_t>(k);
            std::string t = (k < 0 ? " - " : " + ") + std::to_string(size);
            return e == 0 ? t : e == 1 ? t + letter : t.append(letter).append("^").append(std::to_string(e));
        };
        std::vector<std::string> terms, split;
        for (std::size_t e = c.size(); e-- > 0;) {
            if (c[e] != 0) terms.push_back(term(c[e], e));
            const std::int64_t big = in(INT64_MAX / 2, INT64_MAX);
            std::vector<std::int64_t> parts;
            switch (in(0, 4)) {
                case 0: parts = {c[e]}; break;
                case 1: parts = {c[e] + 2, -2}; break;
                case 2: parts = {c[e], big, -big}; break;  // big + big passes 2⁶³
                case 3: parts = {c[e], INT64_MIN, INT64_MAX, 1}; break;
                default: parts = {c[e], big, INT64_MIN, INT64_MAX - big, 1}; break;
            }
            for (const std::int64_t k : parts)
                if (k != 0) split.push_back(term(k, e));
        }
        auto shuffled = terms;
        for (std::size_t k = shuffled.size(); k > 1; --k) std::swap(shuffled[k - 1], shuffled[in(0, k - 1)]);
        for (std::size_t k = split.size(); k > 1; --k) std::swap(split[k - 1], split[in(0, k - 1)]);
        const auto text = [](const std::vector<std::string>& ts) {
            return std::accumulate(ts.begin(), ts.end(), std::string()).substr(1);
        };
        for (const auto& [entry, method] :
             {std::pair{"factorCompletely", ""}, {"factorTrinomialXL", ""}, {"factorOutGcfXL", ""},
              {"chooseFactoringMethod", "guess and check"}, {"chooseFactoringMethod", "ac method"}}) {
            const bool gcf = std::string(entry) == "factorOutGcfXL", all = std::string(entry) == "factorCompletely";
            const Outcome want = runFactoring(entry, text(terms), method);
            for (const auto& order : {shuffled, split})
                EXPECT_EQ(answerPages(runFactoring(entry, text(order), method)), answerPages(want)) << text(order);
            std::istringstream lines(answerPages(want));
            std::vector<std::string> tables;
            for (std::string title, table; std::getline(lines, title) && std::getline(lines, table);)
                tables.push_back(table);
            if (tables == std::vector<std::string>{"does not apply"}) {
                EXPECT_TRUE(gcf) << entry << " " << text(terms);
                continue;
            }
            for (std::int64_t x = -2; x <= 3; ++x) {
                std::int64_t expected = 0;
                for (std::size_t e = c.size(); e-- > 0;) expected = expected * x + c[e];
                tl::Rational value = q(1);
                for (std::size_t k = all ? 0 : tables.size() - 1; k < tables.size(); ++k) {
                    const auto factor = tl::testing::valueAt(tl::readPolynomial(tables[k]).value(), q(x));
                    value = tl::multiplyRational(value, factor.value()).value();
                }
                EXPECT_TRUE(tl::rationalEquals(value, q(expected))) << entry << " " << text(terms) << " at " << x;
            }
        }
    }
}

}  // namespace

namespace {

// Like terms are added exactly before any entry works: a running sum beyond
// 64 bits, a total of −2⁶³ and fractions that add up to whole numbers are
// answered as the total typed once; only a total beyond 64 bits is refused.
TEST(FactoringEntries, LikeTermsAddUpExactly) {
    const std::string max = "9223372036854775807";
    const std::tuple<const char*, std::string, std::string> same[] = {
        {"factorCompletely", "x^2 + " + max + "x^2 - " + max + "x^2 - 4", "x^2 - 4"},
        {"factorTrinomialXL", max + "x^2 - 4 + " + max + " - " + max + "x^2", "-4 + " + max},
        {"factorCompletely", "x^2 - " + max + " - 1", "x^2 - 9223372036854775808"},
        {"factorCompletely", "x^2 - " + max + "x - x", "x^2 - 9223372036854775808x"},
        {"factorOutGcfXL", "2x^2 - 1 - 3", "2x^2 - 4"},
        {"factorOutGcfXL", "x^3 + 2x - x^3 + 6", "2x + 6"},
        {"chooseFactoringMethod", "x^2/2 + x^2/2 - 1", "x^2 - 1"},
        {"factorCompletely", "x^2/3 + 2x^2/3 - x/" + max + " + x/" + max + " - 9", "x^2 - 9"},
    };
    for (const auto& [entry, split, total] : same) {
        const Outcome o = runFactoring(entry, split), want = runFactoring(entry, total);
        EXPECT_EQ(std::tie(o.status, o.err), std::tie(want.status, want.err)) << split;
        EXPECT_EQ(answerPages(o), answerPages(want)) << split;
        EXPECT_EQ(want.status, 0) << total << ": " << want.err;
    }
    EXPECT_NE(answerPages(runFactoring("factorCompletely", "x^2 - " + max + "x - x")).find("x − 9223372036854775808"),
              std::string::npos);
    for (const char* entry : {"factorCompletely", "factorTrinomialXL", "factorOutGcfXL", "chooseFactoringMethod"})
        for (const std::string& polynomial : {max + "x^2 + " + max + "x^2 - 4", "x^2 - " + max + " - 2"}) {
            const Outcome o = runFactoring(entry, polynomial);
            EXPECT_EQ(std::tie(o.status, o.out, o.err),
                      std::tuple(1, "", "tellurandi-steps: " + std::string(entry) +
                                            " refused its input: 64-bit overflow in addition\n"))
                << polynomial;
        }
}

}  // namespace

namespace {

/// Any entry that reads a POLYNOMIAL or an EXPRESSION ("ac method" for chooseFactoringMethod).
Outcome runAny(const std::string& entry, const std::string& text) {
    return entry.starts_with("rational") ? run(entry, text) : runFactoring(entry, text);
}

// Like terms are added in every group of an EXPRESSION too, where the first of
// them stands: answered as the totals typed there, refused only for a total
// beyond 64 bits, as by the POLYNOMIAL entries (in any group). A coefficient
// of −2⁶³ is answered wherever the answer can be written, refused where 2⁶³
// itself would be.
TEST(RationalEntries, LikeTermsAndMinusTwoToThe63) {
    const std::string max = "9223372036854775807", big = "9223372036854775805", m = "9223372036854775808";
    const std::pair<std::string, std::string> same[] = {
        {"(4x^2 + " + big + "x^2 - " + big + "x^2 - 9)/(x + 100)", "(4x^2 - 9)/(x + 100)"},
        {"(x + 1)(x + 2 - 1)/((x + 1)(x + 3))", "(x + 1)(x + 1)/((x + 1)(x + 3))"},
        {"(x - x + 2)/(x^2/2 + x^2/2 + 2)", "2/(x^2 + 2)"},
    };
    for (const auto& [split, total] : same)
        for (const char* entry : kEntries) {
            const Outcome o = run(entry, split), want = run(entry, total);
            EXPECT_EQ(std::tuple(o.status, o.err, answerPages(o)), std::tuple(want.status, want.err, answerPages(want)))
                << entry << " " << split;
        }
    const std::string dna = "page 2: does not apply\ndoes not apply\n", after = "\npage 3: after\n";
    const std::tuple<std::string, std::string, std::string> answers[] = {
        {"rationalSimplifySteps", "(x - " + m + ")/(x + 1)", "page 2: finished\n(x − " + m + ")/(x + 1)\n"},
        {"rationalSimplifySteps", "-" + m + "x/(-" + m + "x^2)", dna},                      // they share 2⁶³x
        {"rationalSimplifySteps", "(x^2 + " + max + "x - " + m + ")/(x + 1)", dna},  // (x − 1)(x + 2⁶³)
        {"rationalReduceSteps", "-" + m + "x^2/(6x)",
         "page 2: before\n-" + m + "x²/(6x)" + after + "2x(-4611686018427387904x)/(2x(3))\n"},
        {"factorOutGcfXL", "-" + m + "x^2 + 2x", "page 2: before\n-" + m + "x² + 2x" + after + "2x(-4611686018427387904x + 1)\n"},
        {"factorOutGcfXL", "-" + m + "x + 1", dna},
        {"chooseFactoringMethod", "x^2 - " + max + "x - " + m,
         "page 2: before\nx² − " + max + "x − " + m + after + "(x + 1)(x − " + m + ")(1)\n"},
        // Refused: 2⁶³x(−x − 1), the same over 2⁶³x, −x over 2⁶³; and totals beyond 64 bits.
        {"factorOutGcfXL", "-" + m + "x^2 - " + m + "x", "64-bit overflow in negation"},
        {"rationalReduceSteps", "-" + m + "x/(-" + m + "x^2)", "64-bit overflow in negation"},
        {"rationalSimplifySteps", "x/(-" + m + ")", "64-bit overflow in negation"},
        {"rationalCancelSteps", "(x + 1)/(x - " + max + " - 2)", "64-bit overflow in addition"},
    };
    std::vector<std::tuple<std::string, std::string, std::string>> cases(std::begin(answers), std::end(answers));
    for (const std::string& text : {max + " + " + max + " + x^2", "(" + max + " + " + max + " + x)(2x^2 + 4x)"})
        for (const char* entry : {"rationalSimplifySteps", "rationalCancelSteps", "rationalReduceSteps", "factorCompletely",
                                  "factorTrinomialXL", "factorOutGcfXL", "chooseFactoringMethod"})
            cases.emplace_back(entry, text, "64-bit overflow in addition");
    for (const auto& [entry, text, answer] : cases) {
        const Outcome o = runAny(entry, text);
        if (answer.starts_with("page")) {
            EXPECT_EQ(std::tuple(o.status, o.err, answerPages(o)), std::tuple(0, "", answer)) << entry << " " << text;
        } else {
            EXPECT_EQ(std::tie(o.status, o.out, o.err),
                      std::tuple(1, "", "tellurandi-steps: " + entry + " refused its input: " + answer + "\n"))
                << entry << " " << text;
        }
    }
}

// An EXPRESSION whose coefficients are split into like terms (parts beyond 64
// bits on the way, −2⁶³, pairs that cancel at powers it lacks), the parts of
// each group in any order, is answered by every rational entry as the one with
// each power's total typed where its first part stands; every page it shows
// has the expression's value (exactly, at several points).
TEST(RationalEntries, AnyTermOrderAnswersAsTheTotals) {
    tl::SystemRandom random(23);
    const auto in = [&](std::int64_t lo, std::int64_t hi) { return random.uniformInRange(lo, hi); };
    const auto shuffle = [&](auto& list) {
        for (std::size_t k = list.size(); k > 1; --k) std::swap(list[k - 1], list[in(0, k - 1)]);
    };
    const auto term = [](std::int64_t k, std::uint64_t e) {
        std::string t = (k < 0 ? " - " : " + ") + std::to_string(tl::checked::magnitude(k));
        return e == 0 ? t : e == 1 ? t + "x" : t.append("x^").append(std::to_string(e));
    };
    const auto group = [](std::string sum) { return sum.replace(0, 3, sum[1] == '+' ? "(" : "(-") + ")"; };
    // A group of one to three powers (not a constant alone, which parentheses make a
    // coefficient), split and shuffled, and with its totals.
    const auto split = [&] {
        std::vector<std::pair<std::uint64_t, std::int64_t>> parts;  // power, part
        std::vector<std::uint64_t> powers{1, 2, 3, 0};
        shuffle(powers);
        if (powers[0] == 0) std::swap(powers[0], powers[1]);
        const std::int64_t terms = in(1, 3);
        for (std::int64_t k = 0; k < 4; ++k) {
            const std::int64_t c = k < terms ? in(1, 9) * (in(0, 1) ? 1 : -1) : 0, big = in(INT64_MAX / 2, INT64_MAX);
            const std::vector<std::vector<std::int64_t>> splits{
                {c}, {c + 2, -2}, {c, big, -big}, {c, INT64_MIN, INT64_MAX, 1}, {c, big, INT64_MIN, INT64_MAX - big, 1}};
            for (const std::int64_t part : splits[in(0, 4)])
                if (part != 0) parts.emplace_back(powers[k], part);
        }
        shuffle(parts);
        std::map<std::uint64_t, tl::checked::i128> totals;  // none passes 64 bits, a running sum may
        std::string typed, total;
        for (const auto& [e, part] : parts) typed += term(part, e), totals[e] += part;
        for (const auto& [e, part] : parts)
            if (const auto t = totals.extract(e); t && t.mapped() != 0) total += term(tl::checked::narrow(t.mapped()), e);
        return std::pair{group(typed), group(total)};
    };
    for (int i = 0; i < 200 && !HasFailure(); ++i) {
        const auto [a, aTotal] = split();
        const auto [b, bTotal] = split();
        const auto [c, cTotal] = split();
        const bool product = in(0, 1);  // a group shared above and below may cancel
        const std::string typed = product ? a + b + "/(" + a + c + ")" : a + "/" + b;
        const std::string total = product ? aTotal + bTotal + "/(" + aTotal + cTotal + ")" : aTotal + "/" + bTotal;
        const tl::Rational_Expression value = tl::readRationalExpression(total).value();
        for (const char* entry : kEntries) {
            const Outcome o = run(entry, typed), want = run(entry, total);
            ASSERT_EQ(std::tuple(o.status, o.err, answerPages(o)), std::tuple(0, "", answerPages(want)))
                << entry << " " << typed;
            std::istringstream lines(answerPages(o));
            for (std::string title, table; std::getline(lines, title) && std::getline(lines, table);) {
                const auto shown = tl::readRationalExpression(table);
                ASSERT_TRUE(table == "does not apply" || shown) << entry << " " << table;
                for (const std::int64_t x : {2, 3, 5, 7}) {
                    const auto v = tl::testing::valueAt(value, q(x));
                    const auto w = shown ? tl::testing::valueAt(shown.value(), q(x)) : v;
                    EXPECT_TRUE(!v || (w && tl::rationalEquals(*v, *w))) << entry << " " << table << " at " << x;
                }
            }
        }
    }
}

}  // namespace

namespace {

// A product folded by rationalCancelSteps takes the letter of its lettered
// factors, never that of a constant in front of them (1 as read, y⁰ in an
// expression in x); 0 over 1 and a part y⁰ are the constants they are.
TEST(RationalEntries, FoldedProductKeepsItsLetter) {
    EXPECT_EQ(run("rationalCancelSteps", "(z^2 + 1)(-3z^3)/((z^2 + 1)(2z^2 + 8z))").out,
              "page 1: \U0001F914\n(z² + 1)(-3z³)/((z² + 1)(2z² + 8z))\n"
              "page 2: before\n(z² + 1)(-3z³)/((z² + 1)(2z² + 8z))\n"
              "page 3: after\n-3z³/(2z² + 8z)\n");
    const std::tuple<const char*, const char*, const char*> lastPages[] = {
        {"rationalCancelSteps", "8/((6y)(5y^2 + 8y)^2)", "8/(6y(5y² + 8y)^2)"},
        {"rationalCancelSteps", "(-3)(2)(y^2)(y + 1)/((-1)(y + 1))", "6y²"},  // folded and negated
        {"rationalCancelSteps", "(5x^3)/(7y^0(8x^3)(5x^3))", "1/(56x³)"},
        {"rationalSimplifySteps", "(-5y^2 - 4y^2 + 9y^2)/(-y^3)", "0"},
        {"rationalSimplifySteps", "0z(z + 1)/(z^2 + 1)", "0"},
        {"rationalSimplifySteps", "(2z)/(z^0)", "2z"},
    };
    for (const auto& [entry, text, last] : lastPages) {
        const std::string out = run(entry, text).out;
        EXPECT_TRUE(out.ends_with(std::string("\n") + last + "\n")) << entry << " " << text << "\n" << out;
    }
}

/// The JSON of any entry that reads a POLYNOMIAL or an EXPRESSION; `method` only for chooseFactoringMethod.
Outcome runJson(const std::string& entry, const std::string& text, const std::string& method) {
    std::vector<std::string> args{entry, text};
    if (!method.empty()) args.push_back(method);
    return tl::testing::runSteps(args);
}

/// Every x of a text replaced, or of an entry's JSON, where x is only ever the letter.
std::string inLetter(std::string text, char letter) {
    std::ranges::replace(text, 'x', letter);
    return text;
}

/// An EXPRESSION in x of the pieces the entries fold, multiply, divide, cancel
/// and reduce: constant and one-term factor groups ((5), (-1), (-3x^3)), sums,
/// powers of them, coefficients and monomials in front, numerator and
/// denominator drawn from one pool of pieces so that they often share some;
/// its numerator alone is a POLYNOMIAL.
class LetterExpressions {
public:
    explicit LetterExpressions(std::uint64_t seed) : random_(seed) {}

    /// A POLYNOMIAL (half of them products of linear factors written out)
    /// and an EXPRESSION.
    std::pair<std::string, std::string> next() {
        pool_.clear();
        for (auto n = in(2, 4); n > 0; --n) pool_.push_back(piece());
        const std::string numerator = part(true), denominator = part(false);
        return {in(0, 1) == 0 ? numerator : factorable(),
                in(0, 5) == 0 ? numerator : numerator + "/(" + denominator + ")"};
    }

private:
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }

    /// k·x^e as typed, a constant now and then as k·x^0; 1 and −1 before a letter as "" and "-".
    std::string term(std::int64_t k, std::int64_t e) {
        const std::string letter = e == 0 ? (in(0, 7) == 0 ? "x^0" : "") : e == 1 ? "x" : "x^" + std::to_string(e);
        if (!letter.empty() && (k == 1 || k == -1)) return (k < 0 ? "-" : "") + letter;
        return std::to_string(k) + letter;
    }
    std::int64_t sign() { return in(0, 2) == 0 ? -1 : 1; }
    std::int64_t coefficient() { return in(1, 9) * sign(); }

    /// One to three terms, powers 0 to 3 in any order (a power may repeat).
    std::string sum() {
        std::string s;
        for (auto n = in(1, 3); n > 0; --n) {
            const std::string t = term(coefficient(), in(0, 3));
            s += s.empty() ? t : t.starts_with('-') ? " - " + t.substr(1) : " + " + t;
        }
        return s;
    }
    /// k·x^e·(a₁x + b₁)…(aₙx + bₙ) written out, its terms in any order, after
    /// nothing, a monomial or a factor group.
    std::string factorable() {
        std::vector<std::int64_t> c(in(0, 1), 0);  // c[e]: the coefficient of x^e
        c.push_back(in(1, 3) * sign());
        for (auto n = in(2, 3); n > 0; --n) {
            const std::int64_t a = in(1, 3), b = in(1, 5) * sign();
            c.push_back(0);
            for (std::size_t e = c.size() - 1; e > 0; --e) c[e] = a * c[e - 1] + b * c[e];
            c[0] *= b;
        }
        std::vector<std::string> terms;
        for (std::size_t e = 0; e < c.size(); ++e)
            if (c[e] != 0) terms.push_back(term(c[e], static_cast<std::int64_t>(e)));
        for (std::size_t k = terms.size(); k > 1; --k) std::swap(terms[k - 1], terms[in(0, k - 1)]);
        std::string s;
        for (const std::string& t : terms) s += s.empty() ? t : t.starts_with('-') ? " - " + t.substr(1) : " + " + t;
        switch (in(0, 3)) {
            case 0: return term(coefficient(), in(0, 2)) + "(" + s + ")";
            case 1: return piece() + "(" + s + ")";
            default: return s;
        }
    }

    /// A factor group: a sum, a monomial or a constant, maybe squared.
    std::string piece() {
        std::string p;
        switch (in(0, 5)) {
            case 0: p = "(" + term(coefficient(), 0) + ")"; break;
            case 1: p = "(-1)"; break;
            case 2: case 3: p = "(" + term(coefficient(), in(1, 3)) + ")"; break;
            default: p = "(" + sum() + ")"; break;
        }
        return in(0, 4) == 0 ? p + "^2" : p;
    }
    /// A product with an optional monomial in front, a sum, or a constant (1 more often than others).
    std::string part(bool numerator) {
        if (in(0, 5) == 0) return numerator ? "(" + sum() + ")" : sum();
        if (in(0, 7) == 0) return term(in(0, 1) == 0 ? 1 : coefficient(), 0);
        std::string p;
        switch (in(0, 5)) {
            case 0: p = numerator && in(0, 2) == 0 ? "0x" : "-"; break;
            case 1: p = term(coefficient(), 0); break;
            case 2: p = term(coefficient(), in(1, 3)); break;
            default: break;
        }
        for (auto n = in(1, 3); n > 0; --n) p += in(0, 3) == 0 ? piece() : pool_[in(0, pool_.size() - 1)];
        return p == "-" ? "-1" : p;
    }

    tl::SystemRandom random_;
    std::vector<std::string> pool_;
};

// Every entry that reads an EXPRESSION or a POLYNOMIAL answers the same text
// in y or z as in x, page by page and colour by colour, with the letter
// replaced: no letter of a constant decides the letter of a product, a
// quotient or a new factor.
TEST(RationalEntries, EveryLetterAnswersAsX) {
    const std::pair<const char*, const char*> entries[] = {
        {"rationalSimplifySteps", ""}, {"rationalCancelSteps", ""},     {"rationalReduceSteps", ""},
        {"factorCompletely", ""},      {"factorTrinomialXL", ""},       {"factorOutGcfXL", ""},
        {"chooseFactoringMethod", "guess and check"},                   {"chooseFactoringMethod", "ac method"}};
    LetterExpressions expressions(31);
    int answered = 0;
    for (int i = 0; i < 300 && !HasFailure(); ++i) {
        const auto [polynomial, expression] = expressions.next();
        for (const auto& [entry, method] : entries) {
            const std::string text = std::string(entry).starts_with("rational") ? expression : polynomial;
            const Outcome x = runJson(entry, text, method);
            answered += x.status == 0 && x.out.find("does not apply") == std::string::npos;
            for (const char letter : {'y', 'z'}) {
                const std::string other = inLetter(text, letter);
                const Outcome o = runJson(entry, other, method);
                if (std::tie(o.status, o.err) == std::tie(x.status, x.err) && o.out == inLetter(x.out, letter)) continue;
                ADD_FAILURE() << entry << " " << other << "\n" << runAny(entry, other).out << "in x:\n"
                              << runAny(entry, text).out;
            }
        }
    }
    EXPECT_GT(answered, 600);  // of 2400 runs: enough are worked on, not refused or "does not apply"
}

}  // namespace

namespace {

// A coefficient answers by its value in every factoring and rational entry:
// 10/5, 2x²/2 and 4x²/2 as the whole numbers they are, 1.5 as 3/2; the pages
// after the problem page show them so, the problem page as typed. Whether a
// group of fractions factors is asked of it with its denominators cleared.
TEST(RationalEntries, CoefficientAnswersByItsValue) {
    const std::string dna = "page 2: does not apply\ndoes not apply\n", after = "\npage 3: after\n";
    const std::tuple<const char*, const char*, std::string> answers[] = {
        {"rationalSimplifySteps", "(3x^2 - (10/5)x - 8)/(x + 7)", dna},  // (3x + 4)(x − 2)
        {"rationalSimplifySteps", "(2x^2/2 - 1)/(x + 3)", dna},
        {"rationalSimplifySteps", "(x^2/2 - 1/2)/(x + 3)", dna},  // (x − 1)(x + 1)/2
        {"rationalSimplifySteps", "(x^2/2 - 1/3)/(x + 3)", "page 2: finished\n(x²/2 − 1/3)/(x + 3)\n"},
        {"rationalSimplifySteps", "((6/4)x^2 + 3.5x + 1.0)/(x + 2.50)", dna},  // (3x + 1)(x + 2)/2
        {"rationalSimplifySteps", "((6/4)x^2 + 5.5x + 2.0)/(x + 2.50)",  // 3x² + 11x + 4 does not factor
         "page 2: finished\n(3x²/2 + 11x/2 + 2)/(x + 5/2)\n"},
        {"rationalReduceSteps", "(10/5)x/(4x)", "page 2: before\n2x/(4x)" + after + "2x/(2x(2))\n"},
        {"rationalCancelSteps", "(4/2)(x + 1)/((x + 1)(x + 3))",
         "page 2: before\n2(x + 1)/((x + 1)(x + 3))" + after + "2/(x + 3)\n"},
        {"factorCompletely", "2x^2/2 - 1", "page 2: factor 1\nx + 1\npage 3: factor 2\nx − 1\npage 4: last quotient\n1\n"},
        {"factorTrinomialXL", "4x^2/2 - 8", "page 2: before\n2x² − 8" + after + "(x + 2)(x − 2)(2)\n"},
        {"factorTrinomialXL", "(4/2)(x^2 - 1)", "page 2: before\n2(x² − 1)" + after + "2(x + 1)(x − 1)(1)\n"},
        {"chooseFactoringMethod", "2.0x^2 - (9/3)x + 1", "page 2: before\n2x² − 3x + 1" + after + "(2x − 1)(x − 1)(1)\n"},
        {"factorOutGcfXL", "4x^2/2 - 8", "page 2: before\n2x² − 8" + after + "2(x² − 4)\n"},
        {"factorOutGcfXL", "1.5x^2 - 4.5x", "page 2: before\n3x²/2 − 9x/2" + after + "3x(x/2 − 3/2)\n"},
        {"factorOutGcfXL", "-8x^3 + 8x - (70/20)", dna},  // 7/2: no numerator of 2
        {"factorOutGcfXL", "-9223372036854775808x^2/(-2) + 2x",
         "page 2: before\n4611686018427387904x² + 2x" + after + "2x(2305843009213693952x + 1)\n"},
        {"factorOutGcfXL", "x^2 - 9223372036854775808x/(-1) - 3x",  // 2⁶³ only on the way
         "page 2: before\nx² + 9223372036854775805x" + after + "x(x + 9223372036854775805)\n"},
        // The root search takes no coefficient that is not whole in value.
        {"factorCompletely", "(1/2)x^2 - 2", dna},
        {"factorTrinomialXL", "0.5x^2 - 2", dna},
        {"chooseFactoringMethod", "(x^2/2 - 1/2)", dna},
        // 2⁶³ itself, and denominators whose least common multiple passes 64 bits.
        {"factorCompletely", "x^2 - 9223372036854775808x/(-1)", "64-bit overflow in negation"},
        {"rationalSimplifySteps", "(x^2/9223372036854775807 - 1/9223372036854775806)/(x + 1)",
         "64-bit overflow in multiplication"},
        {"rationalSimplifySteps", "(4611686018427387903x^2/2 - 1/3)/(x + 1)", "64-bit overflow"},
    };
    for (const auto& [entry, text, answer] : answers) {
        const Outcome o = runAny(entry, text);
        if (answer.starts_with("page")) {
            EXPECT_EQ(std::tuple(o.status, o.err, answerPages(o)), std::tuple(0, "", answer)) << entry << " " << text;
        } else {
            EXPECT_EQ(std::tie(o.status, o.out, o.err),
                      std::tuple(1, "", "tellurandi-steps: " + std::string(entry) + " refused its input: " + answer + "\n"))
                << entry << " " << text;
        }
    }
    // The problem page shows the coefficients as typed.
    EXPECT_TRUE(runAny("factorOutGcfXL", "4x^2/2 - 8").out.starts_with("page 1: \U0001F914\n4x²/2 − 8\npage 2:"));
    EXPECT_TRUE(run("rationalSimplifySteps", "(2x^2/2 - 1)/(x + 3)").out.starts_with("page 1: \U0001F914\n(2x²/2 − 1)/(x + 3)\n"));
}

}  // namespace

namespace {

/// Random POLYNOMIAL and EXPRESSION texts, each twice: with every coefficient
/// in lowest terms and typed once, and with the same coefficients rewritten
/// (k·n over k·d, before or after the letter, as decimals with trailing zeros,
/// split over two like terms side by side).
class RewrittenCoefficients {
public:
    explicit RewrittenCoefficients(std::uint64_t seed) : random_(seed) {}
    struct Texts {
        std::string reduced, rewritten;
    };

    /// A sum, or a coefficient times one.
    Texts polynomial() {
        letter_ = std::string(1, "xyz"[in(0, 2)]);
        if (in(0, 2) > 0) return group(false);
        const Fraction c = fraction();
        const Texts g = group(true);
        return {written(c, 0, true) + g.reduced, rewritten(c, 0, true) + g.rewritten};
    }
    /// Sums over sums, a group cancelling between products, and one-term parts.
    Texts expression() {
        letter_ = std::string(1, "xyz"[in(0, 2)]);
        const Texts a = group(true);
        const Values first = values_;
        const Texts b = group(true);
        switch (in(0, 3)) {
            case 0: return {a.reduced + "/" + b.reduced, a.rewritten + "/" + b.rewritten};
            case 1: {
                const Texts c = group(true), again = group(true, &first);
                return {a.reduced + b.reduced + "/(" + again.reduced + c.reduced + ")",
                        a.rewritten + b.rewritten + "/(" + again.rewritten + c.rewritten + ")"};
            }
            case 2: {
                const Texts m = monomial();
                return {m.reduced + "/" + b.reduced, m.rewritten + "/" + b.rewritten};
            }
            default: {
                const Texts m = monomial();
                return {a.reduced + "/" + m.reduced, a.rewritten + "/" + m.rewritten};
            }
        }
    }

private:
    struct Fraction {
        std::int64_t n = 0, d = 1;  // in lowest terms, d > 0
    };
    using Values = std::vector<std::pair<std::uint64_t, Fraction>>;  // power, coefficient, in the order typed

    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    static Fraction lowest(std::int64_t n, std::int64_t d) {
        const std::int64_t g = std::gcd(n, d);
        return {n / g, d / g};
    }
    Fraction fraction() {
        const std::int64_t ds[] = {1, 1, 2, 3, 4, 5, 8, 10};
        return lowest(in(1, 12) * (in(0, 1) ? 1 : -1), ds[in(0, 7)]);
    }
    std::string power(std::uint64_t e) const {
        return e == 0 ? "" : e == 1 ? letter_ : letter_ + "^" + std::to_string(e);
    }
    std::string sign(const Fraction& v, bool first) const {
        return first ? (v.n < 0 ? "-" : "") : v.n < 0 ? " - " : " + ";
    }
    /// v·x^e in lowest terms: 3x^2, (3/2)x^2, x, (1/2).
    std::string written(const Fraction& v, std::uint64_t e, bool first) const {
        const std::int64_t n = v.n < 0 ? -v.n : v.n;
        std::string size = v.d != 1 ? "(" + std::to_string(n) + "/" + std::to_string(v.d) + ")"
                           : n == 1 && e > 0 ? ""
                                             : std::to_string(n);
        return sign(v, first) + size + power(e);
    }
    /// The same value as typed otherwise: (6/4)x^2, 6x^2/4, 1.50x^2, (2/1), 2.0.
    std::string rewritten(const Fraction& v, std::uint64_t e, bool first) {
        const std::int64_t n = v.n < 0 ? -v.n : v.n, k = in(2, 6);
        const std::string over = std::to_string(k * n) + "/" + std::to_string(k * v.d);
        switch (in(0, 3)) {
            case 0: return written(v, e, first);
            case 1:
                if (e > 0) return sign(v, first) + std::to_string(k * n) + power(e) + "/" + std::to_string(k * v.d);
                break;
            case 2:
                for (std::int64_t places = 1, ten = 10; places <= 4; ++places, ten *= 10)
                    if (ten % v.d == 0) {
                        std::string digits = std::to_string(n * (ten / v.d));
                        digits.insert(0, places + 1 - std::min<std::size_t>(digits.size(), places + 1), '0');
                        digits.insert(digits.size() - places, ".");
                        return sign(v, first) + digits + std::string(in(0, 2), '0') + power(e);
                    }
                break;
            default: break;
        }
        return sign(v, first) + "(" + over + ")" + power(e);
    }
    /// A term written in lowest terms, and as one or two rewritten like terms side by side.
    Texts term(const Fraction& v, std::uint64_t e, bool first) {
        const Fraction part = lowest(in(1, 5) * (in(0, 1) ? 1 : -1), in(1, 4));
        const Fraction rest = lowest(v.n * part.d - part.n * v.d, v.d * part.d);
        if (in(0, 3) > 0 || rest.n == 0) return {written(v, e, first), rewritten(v, e, first)};
        return {written(v, e, first), rewritten(rest, e, first) + rewritten(part, e, false)};
    }
    /// Two to four powers in descending order (now and then another), half
    /// of them k·Π(a·x + b)/D written out; `again` types the last values anew.
    Texts group(bool parenthesised, const Values* again = nullptr) {
        Values values;
        if (again) {
            values = *again;
        } else if (in(0, 1)) {
            std::vector<std::int64_t> c{in(1, 3)};  // c[e]: the coefficient of x^e, leading positive
            for (auto k = in(1, 2); k > 0; --k) {
                const std::int64_t a = in(1, 3), b = in(1, 4) * (in(0, 1) ? 1 : -1);
                c.push_back(0);
                for (std::size_t e = c.size() - 1; e > 0; --e) c[e] = a * c[e - 1] + b * c[e];
                c[0] *= b;
            }
            const std::int64_t ds[] = {1, 1, 1, 2, 3, 6}, d = ds[in(0, 5)];
            for (std::size_t e = c.size(); e-- > 0;)
                if (c[e] != 0) values.emplace_back(e, lowest(c[e], d));
        } else {
            std::vector<std::uint64_t> powers{3, 2, 1, 0};
            for (auto drop = in(0, 2); drop > 0; --drop) powers.erase(powers.begin() + in(0, powers.size() - 1));
            for (const std::uint64_t e : powers) values.emplace_back(e, fraction());
        }
        if (!again && in(0, 3) == 0) std::swap(values.front(), values.back());
        values_ = values;
        Texts t{parenthesised ? "(" : "", parenthesised ? "(" : ""};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const Texts one = term(values[i].second, values[i].first, i == 0);
            t.reduced += one.reduced, t.rewritten += one.rewritten;
        }
        if (parenthesised) t.reduced += ")", t.rewritten += ")";
        return t;
    }
    /// One term beside the bar, in parentheses.
    Texts monomial() {
        const Fraction v = fraction();
        const auto e = static_cast<std::uint64_t>(in(0, 2));
        return {"(" + written(v, e, true) + ")", "(" + rewritten(v, e, true) + ")"};
    }

    tl::SystemRandom random_;
    std::string letter_ = "x";
    Values values_;
};

// Every factoring and rational entry answers a text whose coefficients are
// rewritten (6/4 for 3/2, 2.50 for 5/2, 4x^2/2 for 2x^2, 3 split as 5/2 + 1/2)
// page for page as the text with each coefficient in lowest terms, typed once.
TEST(RationalEntries, RewrittenCoefficientsAnswerAsLowestTerms) {
    const std::pair<const char*, const char*> entries[] = {
        {"rationalSimplifySteps", ""}, {"rationalCancelSteps", ""},     {"rationalReduceSteps", ""},
        {"factorCompletely", ""},      {"factorTrinomialXL", ""},       {"factorOutGcfXL", ""},
        {"chooseFactoringMethod", "guess and check"},                   {"chooseFactoringMethod", "ac method"}};
    RewrittenCoefficients texts(41);
    int answered = 0;
    for (int i = 0; i < 300 && !HasFailure(); ++i) {
        const auto polynomial = texts.polynomial(), expression = texts.expression();
        for (const auto& [entry, method] : entries) {
            const auto& t = std::string(entry).starts_with("rational") ? expression : polynomial;
            const Outcome want = runJson(entry, t.reduced, method);  // JSON: colours too
            const Outcome got = runJson(entry, t.rewritten, method);
            const auto afterProblem = [](const std::string& json) {
                const std::size_t pages = json.find("\"pages\""), second = json.find("\n    ],\n    [", pages);
                return second == std::string::npos ? std::string() : json.substr(second);
            };
            ASSERT_TRUE(want.status != 0 || !afterProblem(want.out).empty()) << entry << " " << t.reduced;
            EXPECT_EQ(std::tie(got.status, got.err), std::tie(want.status, want.err)) << entry << " " << t.rewritten;
            EXPECT_EQ(afterProblem(got.out), afterProblem(want.out)) << entry << " " << t.rewritten << "\nas "
                                                                     << t.reduced;
            answered += want.status == 0 && want.out.find("does not apply") == std::string::npos;
        }
    }
    EXPECT_GT(answered, 400);  // of 2400 runs: enough are worked on, not refused or "does not apply"
}

}  // namespace
