// Prints equations and factored polynomials as a learner might type them,
// for tests that read them back: plainly, or in any of the spellings the
// reader takes for the same value.
#pragma once

#include <optional>
#include <string>

#include "algebra/values.hpp"
#include "base/random.hpp"
#include "common/layout.hpp"

namespace tl::testing {

inline std::string magnitude(std::int64_t n) { return std::to_string(n).substr(n < 0 ? 1 : 0); }

inline bool isConstant(const Monomial& m) { return m.exponent == 0 && m.variable == "x"; }

/// Prints grouped polynomials and equations. Without a random source every
/// number is "n/d", every sign "-", blanks only around signs and the
/// relation ("-1/2(x + 1) = 2/(-5)x^2"); with one, each piece takes one of the
/// spellings that read as the same value: blanks or none, "−", "<=",
/// superscripts, "(3/4)x", "3x/4", "(−3/4)x" after the opposite sign, a
/// constant in parentheses, "(3/4)" or "(−3/4)", decimals for tenths, a
/// denominator "(+4)", a written "1" or "^1".
class Printer {
public:
    explicit Printer(RandomSource* random = nullptr) : random_(random) {}

    /// Whether the last text printed holds a product or a power of groups.
    bool wroteProduct = false;

    std::string equation(const Polynomial_XL& lhs, Relation relation, const Polynomial_XL& rhs) {
        wroteProduct = false;
        std::string symbol(relationSymbol(relation));
        if (pick(2) && relation == Relation::less_than_or_equal_to) symbol = "<=";
        if (pick(2) && relation == Relation::greater_than_or_equal_to) symbol = ">=";
        return side(lhs) + blank() + symbol + blank() + side(rhs);
    }

    std::string side(const Polynomial_XL& p) { return group(p, p.terms.size() - 1); }

    std::string group(const Polynomial_XL& p, std::size_t g) {
        std::string s;
        const auto& terms = p.terms.at(g);
        for (std::size_t i = 0; i < terms.size(); ++i) {
            const Term_XL& t = terms[i];
            const bool negative = t.monomial.coefficient.numerator < 0;
            // The minus inside "(−3/4)x" or "(−3/4)", the opposite sign outside.
            const bool inner = pick(4) == 1;
            const bool outerNegative = negative != inner;
            if (i > 0) s += blank() + (outerNegative ? minus() : "+") + blank();
            else if (outerNegative) s += minus() + tight();
            else if (pick(5) == 1) s += "+" + tight();
            s += term(p, t, inner);
        }
        return s;
    }

private:
    std::size_t pick(std::size_t n) { return random_ ? random_->uniformBelow(n) : 0; }
    std::string blank() {
        static const char* const blanks[] = {" ", "", "  ", "\t"};
        return random_ ? blanks[pick(4)] : " ";
    }
    /// A blank inside a term or a number: none when plain.
    std::string tight() { return random_ ? blank() : ""; }
    std::string minus() { return pick(2) ? "\u2212" : "-"; }
    std::string digits(std::uint64_t n) {
        std::string s = std::to_string(n);
        if (pick(2) == 0) return "^" + s;
        std::string superscripts;
        for (char c : s) superscripts += superscriptDigit(std::string(1, c));
        return superscripts;
    }
    std::string power(std::uint64_t e, bool group) {
        if (e == 1 && pick(6) != 1) return "";
        wroteProduct = wroteProduct || group;
        return digits(e);
    }
    std::string denominator(std::int64_t d) {
        if (d < 0) return "(" + minus() + magnitude(d) + ")";
        return pick(6) == 1 ? "(+" + magnitude(d) + ")" : magnitude(d);
    }
    /// |n|/d as a decimal, when d is a power of ten that n does not end in a zero for.
    std::optional<std::string> decimal(std::int64_t n, std::int64_t d) {
        std::size_t places = 0;
        std::int64_t rest = d;
        for (; rest > 1 && rest % 10 == 0; rest /= 10) ++places;
        if (rest != 1 || (places > 0 && n % 10 == 0)) return std::nullopt;
        std::string s = magnitude(n);
        if (s.size() <= places) s.insert(0, places + 1 - s.size(), '0');
        s.insert(s.size() - places, ".");
        if (s.starts_with("0.") && places > 0 && pick(2)) s.erase(0, 1);
        return s + std::string(pick(3), '0');
    }

    /// Whether the term's first factor is a group of one constant that would
    /// read as a number "(3)" without a number before it: a coefficient before
    /// another group, "(3)(x + 1)", a constant alone, "x + (3)".
    static bool needsWrittenOne(const Polynomial_XL& p, const Term_XL& t) {
        if (!isConstant(t.monomial) || t.factors.empty() || t.factors[0].exponent != 1) return false;
        const auto& first = p.terms.at(t.factors[0].pointer);
        return first.size() == 1 && first[0].factors.empty() && isConstant(first[0].monomial);
    }

    std::string term(const Polynomial_XL& p, const Term_XL& t, bool inner) {
        const Monomial& m = t.monomial;
        const std::string n = magnitude(m.coefficient.numerator);
        const std::int64_t d = m.coefficient.denominator;
        const bool letter = !isConstant(m);
        std::string body;
        if (letter) body += tight() + m.variable + (m.exponent == 1 ? power(1, false) : digits(m.exponent));
        if (t.factors.size() > 1) wroteProduct = true;
        for (const Factor& f : t.factors)
            body += tight() + "(" + tight() + group(p, f.pointer) + tight() + ")" + power(f.exponent, true);

        const std::string fraction = d == 1 ? n : n + tight() + "/" + tight() + denominator(d);
        if (!letter && t.factors.empty()) {
            if (inner) return "(" + minus() + decimalOr(m, fraction) + ")";
            return pick(4) == 1 ? "(" + decimalOr(m, fraction) + ")" : decimalOr(m, fraction);
        }
        if (inner) return "(" + minus() + fraction + ")" + body;
        const bool bare = n == "1" && !needsWrittenOne(p, t);
        switch (pick(4)) {
            case 1: return "(" + decimalOr(m, fraction) + ")" + body;
            case 2:
                if (d != 1) return (bare ? "" : n) + body + tight() + "/" + tight() + denominator(d);
                break;
            case 3:
                if (d == 1 && n == "1") return "1" + body;
                break;
        }
        return (bare && d == 1 ? "" : decimalOr(m, fraction)) + body;
    }

    std::string decimalOr(const Monomial& m, const std::string& fraction) {
        if (pick(3) != 1) return fraction;
        return decimal(m.coefficient.numerator, m.coefficient.denominator).value_or(fraction);
    }

    RandomSource* random_;
};

}  // namespace tl::testing
