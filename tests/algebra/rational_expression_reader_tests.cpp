// Random well-formed rational expressions in one letter (x, y or z) are read,
// with the value their text has: computed here from the drawn pieces, not
// through the reader.
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
using Value = std::optional<Rational>;  // none beyond 64 bits

const Rational kPoints[] = {q(-2), q(-1, 2), q(1), q(3)};

Value times(const Value& a, const Value& b) {
    try {
        return a && b ? multiplyRational(*a, *b) : std::nullopt;
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}
Value plus(const Value& a, const Value& b) {
    try {
        return a && b ? addRational(*a, *b) : std::nullopt;
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

/// A text and its value at each point.
struct Piece {
    std::string text;
    std::vector<Value> at = std::vector<Value>(std::size(kPoints), q(1));
    Piece& operator*=(const Piece& other) {
        text += other.text;
        for (std::size_t i = 0; i < at.size(); ++i) at[i] = times(at[i], other.at[i]);
        return *this;
    }
};

class Draw {
public:
    explicit Draw(std::uint64_t seed) : random_(seed) {}
    std::int64_t in(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }
    std::string blank() { return in(0, 1) ? " " : ""; }
    std::string minus() { return in(0, 1) ? "-" : "\u2212"; }

    /// c·L^k: "3x^2", "x", "(2/3)x", "5", "5y^0".
    Piece monomial(std::int64_t c, std::int64_t k) {
        const std::int64_t d = k > 0 && in(0, 5) == 0 ? in(2, 5) : 1;
        Piece p{d > 1 ? std::string("(").append(std::to_string(c)).append("/").append(std::to_string(d)).append(")")
                      : (c == 1 && k > 0 ? "" : std::to_string(c))};
        if (k > 0 || in(0, 5) == 0)
            p.text.append(1, letter).append(k != 1 ? std::string("^").append(std::to_string(k)) : "");
        for (std::size_t i = 0; i < p.at.size(); ++i)
            for (std::int64_t j = 0; j <= k; ++j) p.at[i] = times(p.at[i], j == 0 ? q(c, d) : kPoints[i]);
        return p;
    }
    /// "(a + b − c)" of distinct powers and non-zero coefficients: never 0.
    Piece sum() {
        Piece p{"("};
        std::vector<Value> total(std::size(kPoints), q(0));
        std::int64_t powers[] = {0, 1, 2, 3};
        for (std::int64_t k = 0, n = in(1, 3); k < n; ++k) {
            std::swap(powers[k], powers[in(k, 3)]);
            const bool negative = in(0, 1) == 1;
            if (k > 0 || negative) p.text += (k > 0 ? blank() : "") + (negative ? minus() : "+") + blank();
            const Piece m = monomial(in(1, 5), powers[k]);
            p.text += m.text;
            for (std::size_t i = 0; i < total.size(); ++i)
                total[i] = plus(total[i], times(q(negative ? -1 : 1), m.at[i]));
        }
        p.text += ")";
        p.at = total;
        return p;
    }
    /// One term: a signed monomial, sum or product c·L^k·(sum)^e…, with `divisor` now and then over a whole number.
    Piece term(bool divisor) {
        Piece p;
        if (in(0, 3) == 0) p *= Piece{minus(), std::vector<Value>(std::size(kPoints), q(-1))};
        const std::int64_t shape = in(0, 2);
        if (shape != 1) p *= monomial(in(1, 6), in(0, 2));
        for (std::int64_t k = shape == 0 ? 0 : in(1, 2); k > 0; --k) {
            Piece g = sum();
            if (in(0, 3) == 0) g *= Piece{"^2", g.at};
            p *= g;
        }
        const bool after = p.text.back() == ')' || p.text.back() == letter;
        if (divisor && after && p.text.find('/') == std::string::npos && in(0, 4) == 0) {
            const std::int64_t d = in(2, 9);
            p *= Piece{std::string("/").append(std::to_string(d)), std::vector<Value>(std::size(kPoints), q(1, d))};
        }
        return p;
    }

    char letter = 'x';

private:
    SystemRandom random_;
};

TEST(RationalExpressionReading, WellFormedTextsInOneLetterReadWithTheirValue) {
    Draw draw(3);
    int compared = 0;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        draw.letter = "xyz"[draw.in(0, 2)];
        const Piece n = draw.term(true);
        const Piece d = draw.in(0, 4) == 0 ? Piece{} : draw.term(false);
        const std::string text = n.text + (d.text.empty() ? "" : draw.blank() + "/" + draw.blank() + d.text);
        const auto read = readRationalExpression(text);
        ASSERT_TRUE(read.ok()) << text << ": " << readErrorText(read.error());
        for (std::size_t k = 0; k < std::size(kPoints); ++k) {
            const auto vn = testing::valueAt(read.value().poly_N, kPoints[k]);
            const auto vd = testing::valueAt(read.value().poly_D, kPoints[k]);
            const Value lhs = times(vn, d.at[k]), rhs = times(vd, n.at[k]);  // n/d = N/D, crosswise
            if (!lhs || !rhs) continue;
            ++compared;
            EXPECT_TRUE(rationalEquals(*lhs, *rhs)) << text << " at point " << k;
        }
    }
    EXPECT_GT(compared, 3000 * 4 / 2);  // (most values are within 64 bits: the comparisons are made)
}

}  // namespace
}  // namespace tl
