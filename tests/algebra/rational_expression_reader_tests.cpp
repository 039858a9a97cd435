// Reading rational expressions, over random well-formed texts in one letter:
// each is read, with the value its text has (computed here from the drawn
// pieces, not through the reader); a second letter, or a sum beside the
// fraction bar, is refused at its column.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "algebra/rational_expression_reader.hpp"
#include "base/random.hpp"
#include "factored_values.hpp"
#include "support/algebra_answers.hpp"

namespace tl {
namespace {

using testing::q;
using testing::show;
using testing::valueAt;

const Rational kPoints[] = {q(-2), q(-1, 2), q(1), q(3)};
constexpr std::size_t kPointCount = std::size(kPoints);

/// A piece of text and its value at each point (none beyond 64 bits).
struct Piece {
    std::string text;
    std::vector<std::optional<Rational>> values = std::vector<std::optional<Rational>>(kPointCount, q(1));
    /// Byte offsets of the letters written with a power from 1 up.
    std::vector<std::size_t> letters;
};

std::optional<Rational> times(const std::optional<Rational>& a, const std::optional<Rational>& b) {
    try {
        return a && b ? multiplyRational(*a, *b) : std::nullopt;
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}
std::optional<Rational> plus(const std::optional<Rational>& a, const std::optional<Rational>& b) {
    try {
        return a && b ? addRational(*a, *b) : std::nullopt;
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}
std::optional<Rational> raised(const std::optional<Rational>& a, int k) {
    std::optional<Rational> r = q(1);
    for (int i = 0; i < k; ++i) r = times(r, a);
    return r;
}

/// The text of `b` appended to `a`, its letters moved along; values multiplied.
void append(Piece& a, const Piece& b) {
    for (const std::size_t at : b.letters) a.letters.push_back(a.text.size() + at);
    a.text += b.text;
    for (std::size_t i = 0; i < kPointCount; ++i) a.values[i] = times(a.values[i], b.values[i]);
}
Piece literal(std::string text) {
    Piece p;
    p.text = std::move(text);
    return p;
}

class Draw {
public:
    Draw(std::uint64_t seed) : random_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    std::string blank() { return in(0, 2) == 0 ? "" : " "; }

    void setLetter(char letter) { letter_ = letter; }

    /// c·L^k written out, without sign: "3x^2", "x", "5", "(2/3)x", "x^0"; with `exponent` as given.
    Piece monomial(std::int64_t c, int exponent) {
        Piece p = literal("");
        const bool fraction = in(0, 5) == 0 && exponent > 0;
        const std::int64_t d = fraction ? in(2, 5) : 1;
        if (fraction) p.text.append("(").append(std::to_string(c)).append("/").append(std::to_string(d)).append(")");
        else if (c != 1 || exponent == 0) p.text = std::to_string(c);
        for (std::size_t i = 0; i < kPointCount; ++i)
            p.values[i] = times(q(c, d), raised(kPoints[i], exponent));
        const bool zeroPower = exponent == 0 && in(0, 5) == 0;  // "5x^0" is 5
        if (exponent > 0) p.letters.push_back(p.text.size());
        if (exponent > 0 || zeroPower) p.text += letter_;
        if (exponent > 1 || zeroPower) p.text.append("^").append(std::to_string(exponent));
        return p;
    }
    /// A sign written before a term ("-", "−" or "+"), and whether it negates.
    std::string sign(bool negative) {
        if (negative) return in(0, 1) ? "-" : "\u2212";
        return "+";
    }
    /// "(a + b − c)": one to three terms of distinct powers with non-zero coefficients, never 0.
    Piece sum() {
        Piece p = literal("(");
        std::vector<int> powers{0, 1, 2, 3};
        for (std::size_t i = powers.size(); i > 1; --i)
            std::swap(powers[i - 1], powers[static_cast<std::size_t>(in(0, static_cast<std::int64_t>(i) - 1))]);
        std::vector<std::optional<Rational>> total(kPointCount, q(0));
        for (std::int64_t k = 0, n = in(1, 3); k < n; ++k) {
            const bool negative = in(0, 1) == 1;
            if (k > 0 || negative) p.text += (k > 0 ? blank() : "") + sign(negative) + blank();
            Piece m = monomial(in(1, 5), powers[static_cast<std::size_t>(k)]);
            for (std::size_t i = 0; i < kPointCount; ++i)
                total[i] = plus(total[i], times(q(negative ? -1 : 1), m.values[i]));
            m.values.assign(kPointCount, q(1));
            append(p, m);
        }
        p.text += ")";
        p.values = total;
        return p;
    }
    /// One term: a monomial, a sum in parentheses, or a product c·L^k·(sum)^e…, now and then
    /// over a whole number ("/3", only where `divisor` allows it).
    Piece term(bool divisor) {
        const bool negative = in(0, 3) == 0;
        Piece p = literal(negative ? sign(true) : "");
        for (auto& v : p.values) v = q(negative ? -1 : 1);
        const int shape = static_cast<int>(in(0, 2));
        if (shape == 0) {
            append(p, monomial(in(1, 6), static_cast<int>(in(0, 2))));
        } else if (shape == 1) {
            append(p, sum());
        } else {
            if (in(0, 1)) append(p, monomial(in(1, 6), static_cast<int>(in(0, 2))));
            for (std::int64_t k = in(1, 2); k > 0; --k) {
                Piece g = sum();
                if (in(0, 3) == 0) {
                    g.text += "^2";
                    for (auto& v : g.values) v = times(v, v);
                }
                append(p, g);
            }
        }
        const bool letterOrGroup = p.text.back() == ')' || p.text.back() == letter_;
        if (divisor && letterOrGroup && p.text.find('/') == std::string::npos && in(0, 4) == 0) {
            const std::int64_t d = in(2, 9);
            p.text.append("/").append(std::to_string(d));
            for (auto& v : p.values) v = times(v, q(1, d));
        }
        return p;
    }

private:
    SystemRandom random_;
    char letter_ = 'x';
};

/// The 1-based character column of byte `offset`.
std::size_t columnOf(const std::string& text, std::size_t offset) {
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset; ++i) column += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    return column;
}

struct Drawn {
    std::string text;
    std::vector<std::optional<Rational>> numerator, denominator;
    std::vector<std::size_t> letters;
    std::optional<std::size_t> denominatorStart;  // byte offset of the denominator
};

Drawn expression(Draw& draw) {
    draw.setLetter("xyz"[draw.in(0, 2)]);
    const Piece n = draw.term(true);
    Drawn e{n.text, n.values, std::vector<std::optional<Rational>>(kPointCount, q(1)), n.letters, std::nullopt};
    if (draw.in(0, 4) == 0) return e;
    e.text += draw.blank() + "/" + draw.blank();
    e.denominatorStart = e.text.size();
    const Piece d = draw.term(false);
    for (const std::size_t at : d.letters) e.letters.push_back(e.text.size() + at);
    e.text += d.text;
    e.denominator = d.values;
    return e;
}

TEST(RationalExpressionReading, WellFormedTextsInOneLetterReadWithTheirValue) {
    Draw draw(3);
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        const Drawn e = expression(draw);
        const auto read = readRationalExpression(e.text);
        ASSERT_TRUE(read.ok()) << e.text << ": " << readErrorText(read.error());
        for (std::size_t k = 0; k < kPointCount; ++k) {
            if (!e.numerator[k] || !e.denominator[k] || e.denominator[k]->numerator == 0) continue;
            const auto n = valueAt(read.value().poly_N, kPoints[k]), d = valueAt(read.value().poly_D, kPoints[k]);
            ASSERT_TRUE(n && d) << e.text;
            const auto lhs = times(n, e.denominator[k]), rhs = times(d, e.numerator[k]);
            if (!lhs || !rhs) continue;  // beyond 64 bits
            EXPECT_TRUE(rationalEquals(*lhs, *rhs)) << e.text << " read as " << show(read.value()) << " at point " << k;
        }
    }
}

TEST(RationalExpressionReading, ASecondLetterIsRefusedWhereItStands) {
    Draw draw(4);
    int refused = 0;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        Drawn e = expression(draw);
        if (e.letters.size() < 2) continue;
        const auto pick = draw.in(1, static_cast<std::int64_t>(e.letters.size()) - 1);
        const std::size_t at = e.letters[static_cast<std::size_t>(pick)];
        const char first = e.text[e.letters.front()];
        const char other = first == 'x' ? 'y' : 'x';
        e.text[at] = other;
        const auto read = readRationalExpression(e.text);
        ASSERT_FALSE(read.ok()) << e.text;
        EXPECT_EQ(readErrorText(read.error()), "column " + std::to_string(columnOf(e.text, at)) + ": the letter " +
                                                   other + " beside " + first + ": an expression is in one letter")
            << e.text;
        ++refused;
    }
    EXPECT_GT(refused, 1000);
}

TEST(RationalExpressionReading, ASumBesideTheBarIsRefusedAtItsPart) {
    Draw draw(5);
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        const Drawn e = expression(draw);
        if (!e.denominatorStart) continue;
        // A term added after the denominator, or before the numerator.
        const bool after = draw.in(0, 1) == 1;
        const std::string added = draw.in(0, 1) || e.letters.empty() ? "1" : std::string{'2', e.text[e.letters[0]]};
        const bool signed_ = e.text.starts_with("-") || e.text.starts_with("\u2212");
        const std::string text = after     ? e.text + draw.blank() + "+" + draw.blank() + added
                                 : signed_ ? added + " " + e.text
                                           : added + " + " + e.text;
        const auto read = readRationalExpression(text);
        ASSERT_FALSE(read.ok()) << text;
        const std::size_t column = after ? columnOf(text, *e.denominatorStart) : 1;
        EXPECT_EQ(readErrorText(read.error()),
                  "column " + std::to_string(column) +
                      (after ? ": a denominator of several terms: put it in parentheses, as in x/(x + 1)"
                             : ": a numerator of several terms: put it in parentheses, as in (x + 1)/2"))
            << text;
    }
}

}  // namespace
}  // namespace tl
