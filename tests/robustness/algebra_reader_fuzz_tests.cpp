// The equation reader under a hundred thousand texts. Equations printed from
// random values, in any of the spellings the grammar allows for the same
// value, read back as exactly those values. Random bytes, damaged equations
// and the extreme shapes (deep nesting, thousands of terms, 30-digit numbers,
// empty sides, two relations, zero denominators) are read or refused with a
// column inside the text and a message, never thrown; what a damaged text
// reads as prints and reads back unchanged.
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "algebra/reader.hpp"
#include "base/random.hpp"
#include "common/layout.hpp"
#include "support/algebra_forms.hpp"
#include "support/equation_printer.hpp"
#include "support/recording_checks.hpp"

using namespace tl;

namespace {

constexpr int kSlowdown = tl::testing::kSanitizerSlowdown;

using tl::testing::Printer;

/// Random sides in the order the reader builds them: the groups of a term
/// before the group that holds it, the top level last.
class Generator {
public:
    explicit Generator(RandomSource& random) : random_(random) {}

    std::int64_t draw(std::int64_t lo, std::int64_t hi) { return random_.uniformInRange(lo, hi); }

    /// form 0: flat; 1: at most one group per term; 2: products and powers of groups.
    Polynomial_XL side(int form) {
        Polynomial_XL p;
        group(p, form, 0);
        return p;
    }

private:
    std::int64_t number(std::int64_t lo, std::int64_t hi) {
        static const std::int64_t extremes[] = {INT64_MIN, INT64_MAX, 0, -1, 1, 10, 1000000000000000000};
        return draw(0, 11) == 0 ? extremes[draw(0, 6)] : draw(lo, hi);
    }

    Rational coefficient() {
        const std::int64_t n = number(-999, 999);
        switch (draw(0, 5)) {
            case 0: return makeDefaultRational(n, number(-99, 99));  // 0 too: "x/0"
            case 1: {
                std::int64_t tenths = 1;
                for (auto k = draw(1, 18); k > 0; --k) tenths *= 10;
                return makeDefaultRational(n, tenths);
            }
            case 2: return makeDefaultRational(n, draw(2, 12));
            default: return makeDefaultRational(n, 1);
        }
    }

    std::uint64_t exponent(std::uint64_t usual) {
        static const std::uint64_t extremes[] = {12, 1000, UINT64_MAX};
        return draw(0, 9) == 0 ? extremes[draw(0, 2)] : static_cast<std::uint64_t>(draw(0, static_cast<std::int64_t>(usual)));
    }

    std::size_t group(Polynomial_XL& p, int form, int depth) {
        std::vector<Term_XL> terms;
        for (auto k = draw(1, depth == 0 ? 4 : 3); k > 0; --k) {
            Term_XL& t = terms.emplace_back();
            t.monomial.coefficient = coefficient();
            if (draw(0, 2) > 0) {
                t.monomial.variable = std::string(1, "xyz"[draw(0, 2)]);
                t.monomial.exponent = exponent(3);
            }
            const std::int64_t factors = depth >= 3 || form == 0 ? 0 : form == 1 ? draw(0, 2) / 2 : draw(0, 2);
            for (std::int64_t f = 0; f < factors; ++f) {
                const std::size_t pointer = group(p, form, depth + 1);
                t.factors.push_back(makeFactor(pointer, form == 2 && draw(0, 2) == 0 ? exponent(4) : 1));
            }
        }
        p.terms.push_back(std::move(terms));
        return p.terms.size() - 1;
    }

    RandomSource& random_;
};

using tl::testing::widened;

Polynomial_Equation_XL widened(const AnyEquation& any) {
    return std::visit([](const auto& e) { return makeEquationXL(widened(e.LHS), widened(e.RHS), e.relation); }, any);
}

/// Equal as written: every number, exponent, letter and group pointer.
bool sameAsWritten(const Polynomial_XL& a, const Polynomial_XL& b) {
    if (a.terms.size() != b.terms.size()) return false;
    for (std::size_t g = 0; g < a.terms.size(); ++g) {
        if (a.terms[g].size() != b.terms[g].size()) return false;
        for (std::size_t i = 0; i < a.terms[g].size(); ++i) {
            const Term_XL &s = a.terms[g][i], &t = b.terms[g][i];
            const Monomial &m = s.monomial, &n = t.monomial;
            if (m.coefficient.numerator != n.coefficient.numerator ||
                m.coefficient.denominator != n.coefficient.denominator || m.exponent != n.exponent ||
                m.variable != n.variable || s.factors.size() != t.factors.size())
                return false;
            for (std::size_t f = 0; f < s.factors.size(); ++f)
                if (s.factors[f].pointer != t.factors[f].pointer || s.factors[f].exponent != t.factors[f].exponent)
                    return false;
        }
    }
    return true;
}

bool sameAsWritten(const Polynomial_Equation_XL& a, const Polynomial_Equation_XL& b) {
    return a.relation == b.relation && sameAsWritten(a.LHS, b.LHS) && sameAsWritten(a.RHS, b.RHS);
}

void expectClearRefusal(const ReadError& e, std::string_view text) {
    EXPECT_GE(e.position, 1u) << text;
    EXPECT_LE(e.position, columnOfOffset(text, text.size())) << text;
    EXPECT_FALSE(e.message.empty()) << text;
}

/// Every reader on `text`: nothing thrown, refusals clear, the readers agree
/// on the form, and what is read prints plainly and reads back the same.
void readEveryWay(const std::string& text, std::size_t offset) {
    ASSERT_NO_THROW({
        Printer plain;
        const auto any = readEquation(text);
        const auto flat = readPolyEquation(text);
        const auto grouped = readExtEquation(text);
        for (const ReadError* e : {any ? nullptr : &any.error(), flat ? nullptr : &flat.error(),
                                   grouped ? nullptr : &grouped.error()})
            if (e) expectClearRefusal(*e, text);
        EXPECT_EQ(flat.ok(), any.ok() && any.value().index() == 0) << text;
        EXPECT_EQ(grouped.ok(), any.ok() && any.value().index() <= 1) << text;
        if (any) {
            const Polynomial_Equation_XL e = widened(any.value());
            const auto again = readEquation(plain.equation(e.LHS, e.relation, e.RHS));
            ASSERT_TRUE(again.ok()) << text << " printed as " << plain.equation(e.LHS, e.relation, e.RHS);
            EXPECT_TRUE(sameAsWritten(widened(again.value()), e)) << text;
        }
        const auto polynomial = readFactoredPolynomial(text);
        if (polynomial) {
            const auto again = readFactoredPolynomial(plain.side(polynomial.value()));
            EXPECT_TRUE(again.ok() && sameAsWritten(again.value(), polynomial.value())) << text;
        } else {
            expectClearRefusal(polynomial.error(), text);
        }
        const auto part = readFactoredPolynomialAt(text, offset);
        if (part) {
            EXPECT_TRUE(part.value().end > offset && part.value().end <= text.size()) << text;
        } else {
            expectClearRefusal(part.error(), text);
        }
    }) << text;
}

}  // namespace

TEST(EquationReaderFuzz, PrintedEquationsReadBackExactlyInEverySpelling) {
    SystemRandom random(2101);
    Generator generate(random);
    Printer spelt(&random);
    for (int i = 0; i < 40000 / kSlowdown; ++i) {
        const int form = static_cast<int>(generate.draw(0, 2));
        const auto e = makeEquationXL(generate.side(form), generate.side(form), allRelations[generate.draw(0, 4)]);
        const std::string text = spelt.equation(e.LHS, e.relation, e.RHS);
        const bool groups = e.LHS.terms.size() > 1 || e.RHS.terms.size() > 1;
        const std::size_t expectedForm = !groups ? 0 : spelt.wroteProduct ? 2 : 1;
        const auto read = readEquation(text);
        ASSERT_TRUE(read.ok()) << text << ": column " << read.error().position << ", " << read.error().message;
        EXPECT_EQ(read.value().index(), expectedForm) << text;
        ASSERT_TRUE(sameAsWritten(widened(read.value()), e)) << text;
        EXPECT_EQ(readExtEquation(text).ok(), expectedForm <= 1) << text;
        const std::string lhs = spelt.side(e.LHS);
        const auto side = readFactoredPolynomial(lhs);
        ASSERT_TRUE(side.ok()) << lhs << ": " << side.error().message;
        EXPECT_TRUE(sameAsWritten(side.value(), e.LHS)) << lhs;
    }
}

TEST(EquationReaderFuzz, RandomBytesAreReadOrRefusedCleanly) {
    SystemRandom random(2102);
    const std::string likely = "0123456789xyz+-/()^=<>. ";
    for (int i = 0; i < 30000 / kSlowdown; ++i) {
        std::string text;
        const bool anyByte = random.uniformBelow(2) == 0;
        for (auto k = random.uniformInRange(0, 40); k > 0; --k)
            text += anyByte ? static_cast<char>(random.uniformBelow(256)) : likely[random.uniformBelow(likely.size())];
        readEveryWay(text, random.uniformBelow(text.size() + 1));
    }
}

TEST(EquationReaderFuzz, DamagedEquationsAreReadOrRefusedCleanly) {
    SystemRandom random(2103);
    Generator generate(random);
    Printer spelt(&random);
    const std::string pieces[] = {"(", ")", "((", "))", "=", "<=", "≥", "x", "y", "a", "^", "²", "⁰", "/", "/0",
                                  "/(", "-", "−", "+", ".", "0", "123456789012345678901234567890",
                                  "9223372036854775808", "\xff", "\xc0\x80", "\xed\xa0\x80", "\xe2\x88",
                                  std::string(1, '\0'), "\t", "\n", "(-", "x/0", "é", "🤔", "\xf4\x90\x80\x80"};
    for (int i = 0; i < 30000 / kSlowdown; ++i) {
        const int form = static_cast<int>(generate.draw(0, 2));
        std::string text = spelt.equation(generate.side(form), allRelations[generate.draw(0, 4)], generate.side(form));
        for (auto k = generate.draw(1, 3); k > 0; --k) {
            const auto at = random.uniformBelow(text.size() + 1);
            switch (random.uniformBelow(4)) {
                case 0: text.insert(at, pieces[random.uniformBelow(std::size(pieces))]); break;
                case 1: text.erase(at, random.uniformBelow(6)); break;
                case 2: if (at < text.size()) text[at] = static_cast<char>(random.uniformBelow(256)); break;
                default: text.insert(at, text.substr(random.uniformBelow(text.size() + 1), 8)); break;
            }
        }
        readEveryWay(text, random.uniformBelow(text.size() + 1));
    }
}

TEST(EquationReaderFuzz, ExtremeShapesHaveClearLimits) {
    const std::string thirty = "123456789012345678901234567890";
    const auto nested = [](std::size_t depth) { return std::string(depth, '(') + "x" + std::string(depth, ')') + " = 1"; };
    std::string terms = "x";  // as many terms as the length limit allows
    std::size_t termCount = 1;
    for (; terms.size() + 6 <= kMaxEquationTextLength; ++termCount) terms += "+x";
    terms += " = 0";
    std::string manyTerms = "x";
    for (int k = 1; k < 10000; ++k) manyTerms += " + x";
    std::string longest = "x = ";  // kMaxEquationTextLength characters, most of them of three bytes
    while (columnOfOffset(longest, longest.size()) < kMaxEquationTextLength) longest += "−1";
    struct Case {
        std::string text;
        const char* refusal;  // a part of the message; nullptr: read
    } cases[] = {
        {"", "found the end of the text"}, {"=", "found the relation ="}, {"= 1", "found the relation ="},
        {"x =", "found the end of the text"}, {"x = 1 = 2", "a second relation"}, {"x < 1 >= 0", "a second relation"},
        {thirty + "x = 1", "beyond 64 bits"}, {"x/" + thirty + " = 1", "beyond 64 bits"},
        {"x^" + thirty + " = 1", "beyond 64 bits"}, {"x = 1." + thirty, "beyond 64 bits"},
        {"x = " + thirty + ".5", "beyond 64 bits"}, {"(x + 1)^" + thirty + " = 0", "beyond 64 bits"},
        {nested(kMaxGroupNestingDepth), nullptr}, {nested(kMaxGroupNestingDepth + 1), "nested deeper than 32"},
        {std::string(9990, '(') + " = 1", "nested deeper than 32"},
        {terms, nullptr}, {manyTerms + " = 0", "longer than 10000 characters"},
        {longest, nullptr}, {longest + "x", "longer than 10000 characters"},
        {"x/0 = 1", nullptr}, {"0/0 = x/0 - 0/0", nullptr}, {"x = x", nullptr},
    };
    for (const Case& c : cases) {
        const auto read = readEquation(c.text);
        const std::string what = c.text.substr(0, 60);
        if (!c.refusal) {
            EXPECT_TRUE(read.ok()) << what << ": " << read.error().message;
            continue;
        }
        ASSERT_FALSE(read.ok()) << what;
        EXPECT_NE(read.error().message.find(c.refusal), std::string::npos) << what << ": " << read.error().message;
        expectClearRefusal(read.error(), c.text);
    }
    const auto zero = std::get<PolyEquation>(readEquation("x/0 = 0/0").value());
    EXPECT_EQ(zero.LHS.terms[0].coefficient.denominator, 0);
    EXPECT_EQ(zero.RHS.terms[0].coefficient.numerator, 0);
    EXPECT_EQ(std::get<PolyEquation>(readEquation(terms).value()).LHS.terms.size(), termCount);
    EXPECT_EQ(columnOfOffset(longest, longest.size()), kMaxEquationTextLength + 1);
}
