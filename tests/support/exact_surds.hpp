// Exact numbers of any size for putting an answer back into its equation:
// whole numbers of any length, fractions of them (reduced only when asked,
// by `lowestTerms`) and a + b·√m. They share no code with the algebra engine, whose
// 64- and 128-bit arithmetic they check; `Evaluator<BigSurd>` reads a page's
// answer and the sides of an equation as typed with them, and the checks
// below put a linear or a quadratic answer back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/enums.hpp"
#include "support/algebra_answers.hpp"

namespace tl::testing {

/// A signed whole number of any size: sign and magnitude in base 2³².
class BigInt {
public:
    BigInt() = default;
    BigInt(std::int64_t v) : negative_(v < 0) {  // implicit: a number is a BigInt
        std::uint64_t m = v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        for (; m != 0; m >>= 32) limbs_.push_back(static_cast<std::uint32_t>(m));
    }
    /// Decimal digits, without a sign.
    static BigInt fromDigits(const std::string& digits) {
        BigInt r;
        for (const char d : digits) {
            require(d >= '0' && d <= '9', "a digit");
            r = r * BigInt(10) + BigInt(d - '0');
        }
        return r;
    }

    int sign() const { return limbs_.empty() ? 0 : negative_ ? -1 : 1; }
    /// The value, rounded.
    long double toLongDouble() const {
        long double v = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) v = v * 4294967296.0L + limbs_[i];
        return negative_ ? -v : v;
    }
    /// The value, when it fits 64 bits.
    std::optional<std::int64_t> toInt64() const {
        if (limbs_.size() > 2) return std::nullopt;
        std::uint64_t m = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) m = m << 32 | limbs_[i];
        if (m > (std::uint64_t{1} << 63) - (negative_ ? 0 : 1)) return std::nullopt;
        return static_cast<std::int64_t>(negative_ ? std::uint64_t{0} - m : m);
    }
    friend BigInt operator-(BigInt a) {
        a.negative_ = !a.negative_ && !a.limbs_.empty();
        return a;
    }
    friend BigInt operator+(const BigInt& a, const BigInt& b) {
        if (a.negative_ == b.negative_) return withSign(addMagnitudes(a.limbs_, b.limbs_), a.negative_);
        // Signs differ: the larger magnitude less the smaller, with its sign.
        if (compareMagnitudes(a.limbs_, b.limbs_) >= 0) return withSign(subtractMagnitudes(a.limbs_, b.limbs_), a.negative_);
        return withSign(subtractMagnitudes(b.limbs_, a.limbs_), b.negative_);
    }
    friend BigInt operator-(const BigInt& a, const BigInt& b) { return a + -b; }
    friend BigInt operator*(const BigInt& a, const BigInt& b) {
        std::vector<std::uint32_t> product(a.limbs_.size() + b.limbs_.size(), 0);
        for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
                const std::uint64_t t = std::uint64_t{a.limbs_[i]} * b.limbs_[j] + product[i + j] + carry;
                product[i + j] = static_cast<std::uint32_t>(t);
                carry = t >> 32;
            }
            product[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
        }
        return withSign(std::move(product), a.negative_ != b.negative_);
    }
    friend bool operator==(const BigInt& a, const BigInt& b) { return (a - b).sign() == 0; }
    friend bool operator<(const BigInt& a, const BigInt& b) { return (a - b).sign() < 0; }
    /// Truncating division and its remainder (signs as C++ `/` and `%`); b ≠ 0.
    friend BigInt operator/(const BigInt& a, const BigInt& b) {
        return withSign(divideMagnitudes(a.limbs_, b.limbs_).first, a.negative_ != b.negative_);
    }
    friend BigInt operator%(const BigInt& a, const BigInt& b) {
        return withSign(divideMagnitudes(a.limbs_, b.limbs_).second, a.negative_);
    }
    /// The number of bits of |v|: |v| < 2^bitLength (0 for 0).
    std::size_t bitLength() const { return bitLengthOf(limbs_); }

private:
    using Limbs = std::vector<std::uint32_t>;
    static BigInt withSign(Limbs limbs, bool negative) {
        while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
        BigInt r;
        r.limbs_ = std::move(limbs);
        r.negative_ = negative && !r.limbs_.empty();
        return r;
    }
    static int compareMagnitudes(const Limbs& a, const Limbs& b) {
        if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
        for (std::size_t i = a.size(); i-- > 0;)
            if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
        return 0;
    }
    static Limbs addMagnitudes(const Limbs& a, const Limbs& b) {
        Limbs sum(std::max(a.size(), b.size()) + 1, 0);
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < sum.size(); ++i) {
            const std::uint64_t t = carry + (i < a.size() ? a[i] : 0) + (i < b.size() ? b[i] : 0);
            sum[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        return sum;
    }
    /// |a| − |b| for |a| ≥ |b|.
    static Limbs subtractMagnitudes(const Limbs& a, const Limbs& b) {
        Limbs difference(a.size(), 0);
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            std::int64_t t = std::int64_t{a[i]} - (i < b.size() ? b[i] : 0) - borrow;
            borrow = t < 0 ? 1 : 0;
            difference[i] = static_cast<std::uint32_t>(t + (borrow << 32));
        }
        return difference;
    }

    static std::size_t bitLengthOf(const Limbs& a) {
        if (a.empty()) return 0;
        return 32 * a.size() - static_cast<std::size_t>(__builtin_clz(a.back()));
    }
    static void trim(Limbs& a) {
        while (!a.empty() && a.back() == 0) a.pop_back();
    }
    /// (|a| / |b|, |a| mod |b|) by shifting and subtracting, one quotient bit at a time.
    static std::pair<Limbs, Limbs> divideMagnitudes(const Limbs& a, const Limbs& b) {
        require(!b.empty(), "division by zero");
        if (compareMagnitudes(a, b) < 0) return {{}, a};
        const std::size_t shift = bitLengthOf(a) - bitLengthOf(b);
        Limbs divisor(shift / 32 + b.size() + 1, 0);  // b · 2^shift
        for (std::size_t i = 0; i < b.size(); ++i) {
            const std::uint64_t v = std::uint64_t{b[i]} << (shift % 32);
            divisor[i + shift / 32] |= static_cast<std::uint32_t>(v);
            divisor[i + shift / 32 + 1] |= static_cast<std::uint32_t>(v >> 32);
        }
        trim(divisor);
        Limbs quotient(shift / 32 + 1, 0), remainder = a;
        for (std::size_t bit = shift + 1; bit-- > 0;) {
            if (compareMagnitudes(remainder, divisor) >= 0) {
                remainder = subtractMagnitudes(remainder, divisor);
                trim(remainder);
                quotient[bit / 32] |= std::uint32_t{1} << (bit % 32);
            }
            for (std::size_t i = 0; i < divisor.size(); ++i)  // divisor / 2
                divisor[i] = divisor[i] >> 1 | (i + 1 < divisor.size() ? divisor[i + 1] << 31 : 0);
            trim(divisor);
        }
        trim(quotient);
        return {std::move(quotient), std::move(remainder)};
    }

    bool negative_ = false;
    Limbs limbs_;  // least significant first, no leading zeros
};

/// gcd(|a|, |b|); gcd(0, b) = |b|.
inline BigInt gcd(BigInt a, BigInt b) {
    while (b.sign() != 0) a = std::exchange(b, a % b);
    return a.sign() < 0 ? -a : a;
}

/// n/d with d ≠ 0, as it comes (not reduced).
struct BigFraction {
    BigInt n = 0, d = 1;
    int sign() const { return n.sign() * d.sign(); }
};
inline BigFraction operator+(const BigFraction& a, const BigFraction& b) { return {a.n * b.d + b.n * a.d, a.d * b.d}; }
inline BigFraction operator-(const BigFraction& a) { return {-a.n, a.d}; }
inline BigFraction operator*(const BigFraction& a, const BigFraction& b) { return {a.n * b.n, a.d * b.d}; }
inline BigFraction operator/(const BigFraction& a, const BigFraction& b) {
    require(b.n.sign() != 0, "division by zero");
    return {a.n * b.d, a.d * b.n};
}
inline bool operator==(const BigFraction& a, const BigFraction& b) { return a.n * b.d == b.n * a.d; }
inline BigFraction big(const Rational& r) { return {BigInt(r.numerator), BigInt(r.denominator)}; }
/// A value of up to 128 bits, −2¹²⁷ included, as a BigInt.
inline BigInt bigInt(checked::i128 v) {
    const checked::u128 size = checked::magnitude(v);
    const BigInt word(std::int64_t{1} << 32);
    BigInt r = 0;
    for (int shift = 96; shift >= 0; shift -= 32)
        r = r * word + BigInt(static_cast<std::int64_t>(size >> shift & 0xFFFFFFFFu));
    return v < 0 ? -r : r;
}
/// The fraction in lowest terms with a positive denominator.
inline BigFraction lowestTerms(const BigFraction& f) {
    const BigInt g = gcd(f.n, f.d);
    return f.d.sign() < 0 ? BigFraction{-(f.n / g), -(f.d / g)} : BigFraction{f.n / g, f.d / g};
}

/// a + b·√m (m 0 while no root is taken), as read by Evaluator<BigSurd>.
struct BigSurd {
    BigFraction a, b;
    std::int64_t m = 0;
    bool isZero() const { return a.sign() == 0 && b.sign() == 0; }
    bool isRational() const { return b.sign() == 0; }
};
inline BigSurd operator+(const BigSurd& x, const BigSurd& y) {
    require(x.isRational() || y.isRational() || x.m == y.m, "two roots");
    return {x.a + y.a, x.b + y.b, x.isRational() ? y.m : x.m};
}
inline BigSurd operator-(const BigSurd& x) { return {-x.a, -x.b, x.m}; }
inline BigSurd operator-(const BigSurd& x, const BigSurd& y) { return x + -y; }
inline BigSurd operator*(const BigSurd& x, const BigSurd& y) {
    require(x.isRational() || y.isRational() || x.m == y.m, "two roots");
    const std::int64_t m = x.isRational() ? y.m : x.m;
    return {x.a * y.a + x.b * y.b * BigFraction{BigInt(m), 1}, x.a * y.b + x.b * y.a, m};
}
inline BigSurd operator/(const BigSurd& x, const BigSurd& y) {
    require(y.isRational(), "a root in a denominator");
    return {x.a / y.a, x.b / y.a, x.m};
}
/// √x of a whole x ≥ 0 of 64 bits, written as a plain number (as in "√5").
inline BigSurd rootOf(const BigSurd& x) {
    require(x.isRational() && x.a.d == BigInt(1), "a root of a whole number");
    const auto m = x.a.n.toInt64();
    require(m.has_value() && *m >= 0, "a root of a 64-bit number");
    return {BigFraction{0, 1}, BigFraction{1, 1}, *m};
}
/// A decimal numeral, exactly ("2.5" is 25/10).
inline BigSurd numberFrom(const std::string& numeral, BigSurd*) {
    const std::size_t point = numeral.find('.');
    std::string digits = numeral;
    BigInt scale = 1;
    if (point != std::string::npos) {
        digits.erase(point, 1);
        for (std::size_t i = point; i < digits.size(); ++i) scale = scale * BigInt(10);
    }
    require(digits.find_first_not_of("0123456789") == std::string::npos, "an exact number");
    return {BigFraction{BigInt::fromDigits(digits), scale}, BigFraction{0, 1}, 0};
}

/// v + by, held within 64 bits: for drawing numbers near their ends.
inline std::int64_t nudged(std::int64_t v, std::int64_t by) {
    const checked::i128 sum = checked::i128{v} + by;
    return sum > INT64_MAX ? INT64_MAX : sum < INT64_MIN ? INT64_MIN : static_cast<std::int64_t>(sum);
}

/// A number at or near the ends of 64 bits: one of `near` as it stands, its
/// negation (−2⁶³ stays), one divided by 1 to `divisors` and nudged by up to
/// ±`nudge`, or a small one, −9 to 9; each a quarter of the time.
inline std::int64_t nearTheEnds(RandomSource& r, std::span<const std::int64_t> near, std::int64_t divisors,
                                std::int64_t nudge) {
    const std::int64_t v = near[static_cast<std::size_t>(r.uniformInRange(0, std::ssize(near) - 1))];
    switch (r.uniformInRange(0, 3)) {
        case 0: return v;
        case 1: return v == INT64_MIN ? v : -v;
        case 2: return nudged(v / r.uniformInRange(1, divisors), r.uniformInRange(-nudge, nudge));
        default: return r.uniformInRange(-9, 9);
    }
}

// ---- answers put back ---------------------------------------------------------

/// An equation as typed ("2(x - 3) = -9223372036854775808", "(1/2)x^2 >= x/3"):
/// its two sides in the grammar of Evaluator, and its relation.
struct TypedEquation {
    std::string left, right;
    Relation relation = Relation::equal_to;
};
inline TypedEquation typedEquation(const std::string& text) {
    const auto evaluable = [](std::string side) {
        for (std::size_t at; (at = side.find(" - ")) != std::string::npos;) side.replace(at, 3, " \u2212 ");
        return side;
    };
    const std::pair<std::string_view, Relation> relations[] = {
        {" <= ", Relation::less_than_or_equal_to}, {" >= ", Relation::greater_than_or_equal_to},
        {" = ", Relation::equal_to},              {" < ", Relation::less_than},
        {" > ", Relation::greater_than}};
    for (const auto& [symbol, relation] : relations)
        if (const std::size_t at = text.find(symbol); at != std::string::npos)
            return {evaluable(text.substr(0, at)), evaluable(text.substr(at + symbol.size())), relation};
    throw PreconditionError("no relation in " + text);
}

/// LHS − RHS at x, exactly.
inline BigSurd netAt(const TypedEquation& e, const BigSurd& x) {
    const auto l = Evaluator<BigSurd>(e.left, x).value(), r = Evaluator<BigSurd>(e.right, x).value();
    require(l && r, "a side that does not read");
    return *l - *r;
}
inline BigSurd whole(std::int64_t n) { return {BigFraction{n, 1}, BigFraction{0, 1}, 0}; }

/// A linear answer (the last line of a closing page) put back: "v ⋄ value"
/// makes LHS − RHS 0 at the value, and the equation's relation holds just
/// beside it exactly where ⋄ does; a status stands where LHS − RHS does not
/// depend on v, true as its relation holds.
inline void expectExactLinearAnswer(const std::string& line, const TypedEquation& e, const std::string& letter = "x") {
    const BigSurd n0 = netAt(e, whole(0)), n1 = netAt(e, whole(1));
    if (line == rawValue(Status::infinite) || line == rawValue(Status::none)) {
        EXPECT_TRUE((n1 - n0).isZero()) << line;
        EXPECT_EQ(holds(e.relation, n0.a.sign()), line == rawValue(Status::infinite)) << line;
        return;
    }
    std::optional<Relation> answered;
    std::string value;
    for (const Relation r : allRelations) {
        const std::string head = letter + " " + std::string(relationSymbol(r)) + " ";
        if (line.starts_with(head)) answered = r, value = line.substr(head.size());
    }
    ASSERT_TRUE(answered.has_value()) << line;
    const auto v = Evaluator<BigSurd>(value).value();
    ASSERT_TRUE(v && v->isRational()) << line;
    EXPECT_TRUE(netAt(e, *v).isZero()) << line;
    for (const std::int64_t step : {-1, 1})
        EXPECT_EQ(holds(e.relation, netAt(e, *v + whole(step)).a.sign()), holds(*answered, step)) << line << " " << step;
}

/// A quadratic's closing page put back: each root makes LHS − RHS 0 exactly,
/// and the kind and number of roots follow the discriminant of LHS − RHS,
/// worked out here from its values at −1, 0 and 1.
inline void expectExactQuadraticAnswer(const std::vector<std::string>& closing, const TypedEquation& e,
                                       const std::string& letter = "x") {
    const auto status = std::ranges::find_if(closing, [](const std::string& line) {
        return std::ranges::any_of(allCases<Quadratic_status>(), [&](auto s) { return line == rawValue(s); });
    });
    ASSERT_NE(status, closing.end());
    const BigSurd m = netAt(e, whole(-1)), z = netAt(e, whole(0)), p = netAt(e, whole(1));
    const BigFraction half{1, 2}, c0 = z.a, c1 = (p.a + -m.a) * half, c2 = (p.a + m.a) * half + -z.a;
    const int D = (c1 * c1 + -(BigFraction{4, 1} * c2 * c0)).sign();
    if (D < 0) {
        EXPECT_EQ(*status, rawValue(Quadratic_status::none));
        return;
    }
    ASSERT_NE(status, closing.begin());
    const std::vector<std::string> texts = rootTexts(status[-1], letter + " = ");
    ASSERT_EQ(texts.size(), D == 0 ? 1u : 2u) << status[-1];
    std::vector<BigSurd> roots;
    for (const std::string& t : texts) {
        const auto r = Evaluator<BigSurd>(t).value();
        ASSERT_TRUE(r.has_value()) << t;
        EXPECT_TRUE(netAt(e, *r).isZero()) << t;
        roots.push_back(*r);
    }
    const bool rational = roots.front().isRational();
    if (D > 0) {
        EXPECT_FALSE((roots[0] - roots[1]).isZero()) << status[-1];
    }
    EXPECT_EQ(*status, rawValue(D == 0        ? Quadratic_status::rational_repeated
                                 : rational ? Quadratic_status::rational_distinct
                                            : Quadratic_status::irrational_distinct));
}

}  // namespace tl::testing
