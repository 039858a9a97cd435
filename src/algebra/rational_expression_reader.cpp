#include "algebra/rational_expression_reader.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "algebra/zero_polynomial.hpp"

namespace tl {

namespace {

/// The value inside parentheses around a whole part: 1·(g) with g the group
/// just before the root is g itself.
Polynomial_XL withoutOuterParentheses(Polynomial_XL p) {
    while (p.terms.size() >= 2 && p.terms.back().size() == 1) {
        const Term_XL& t = p.terms.back().front();
        const bool wrapsGroupBefore = t.factors.size() == 1 && t.factors.front().exponent == 1 &&
                                      t.factors.front().pointer + 2 == p.terms.size();
        if (!wrapsGroupBefore || !monomialEquals(t.monomial, makeMonomialX(makeDefaultRational(1, 1), 0))) break;
        p.terms.pop_back();
    }
    return p;
}

/// The value with every constant in "x", the letter a constant written
/// without one is read in: y⁰ and z⁰ are then the constant 1 that x⁰ is.
Polynomial_XL withConstantsInX(Polynomial_XL p) {
    for (GroupXL& g : p.terms)
        for (Term_XL& t : g)
            if (t.monomial.exponent == 0) t.monomial.variable.assign(1, 'x');
    return p;
}

/// The byte offset of the fraction bar: the last "/" outside parentheses.
std::optional<std::size_t> fractionBar(std::string_view text) {
    std::optional<std::size_t> bar;
    std::ptrdiff_t depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        else if (text[i] == ')') --depth;
        else if (text[i] == '/' && depth == 0) bar = i;
    }
    return bar;
}

/// The refusal of what the reader left at `end` of `text`.
ReadError leftOver(std::string_view text, std::size_t end) {
    if (text[end] == '/') return ReadError{columnOfOffset(text, end), "a second \"/\": an expression has one"};
    if (text[end] == ')') return ReadError{columnOfOffset(text, end), "a \")\" without its \"(\""};
    return refusalAfterPolynomial(text, end, "a relation: this is an expression, not an equation");
}

/// The byte offset of the first character of text[offset...] that is no blank.
std::size_t firstNonBlank(std::string_view text, std::size_t offset) {
    while (offset < text.size() && (text[offset] == ' ' || text[offset] == '\t')) ++offset;
    return offset;
}

/// One whole part: `text` from `offset` to its end. Beside the fraction bar a
/// part of several terms is refused: "x/2 + 1" means (x/2) + 1 to a reader,
/// not x over 2 + 1.
ReadResult<FactoredPolynomialRead> readPart(std::string_view text, std::size_t offset, std::string_view name,
                                            std::string_view example, bool besideBar) {
    const auto part = readFactoredPolynomialAt(text, offset);
    if (!part) return part.error();
    if (part.value().end < text.size()) return leftOver(text, part.value().end);
    if (besideBar && part.value().polynomial.terms.back().size() > 1)
        return ReadError{columnOfOffset(text, firstNonBlank(text, offset)),
                         "a " + std::string(name) + " of several terms: put it in parentheses, as in " +
                             std::string(example)};
    return part;
}

/// Why `what` ("an expression", "a polynomial") read with these letters and
/// this first coefficient over 0 has no value to work on: a coefficient over 0
/// has none, and groups in two letters are not compared.
std::optional<ReadError> valueRefusal(const std::vector<std::pair<std::string, std::size_t>>& letters,
                                      std::optional<std::size_t> zeroDenominator, std::string_view what) {
    if (zeroDenominator) return ReadError{*zeroDenominator, "a coefficient over 0 has no value"};
    for (const auto& [letter, column] : letters)
        if (letter != letters.front().first)
            return ReadError{column, "the letter " + letter + " beside " + letters.front().first + ": " +
                                         std::string(what) + " is in one letter"};
    return std::nullopt;
}

}  // namespace

ReadResult<Polynomial_XL> readPolynomial(std::string_view text) {
    const auto read = readFactoredPolynomialAt(text, 0);
    if (!read) return read.error();
    if (read.value().end < text.size())
        return refusalAfterPolynomial(text, read.value().end, "a relation: this is a polynomial, not an equation");
    if (const auto refusal = valueRefusal(read.value().letters, read.value().zeroDenominator, "a polynomial"))
        return *refusal;
    return withConstantsInX(read.value().polynomial);
}

ReadResult<Rational_Expression> readRationalExpression(std::string_view text) {
    const std::optional<std::size_t> bar = fractionBar(text);
    const auto numerator = readPart(text.substr(0, bar.value_or(text.size())), 0, "numerator", "(x + 1)/2", bar.has_value());
    if (!numerator) return numerator.error();
    std::optional<ReadResult<FactoredPolynomialRead>> denominator;
    if (bar) {
        denominator = readPart(text, *bar + 1, "denominator", "x/(x + 1)", true);
        if (!*denominator) return denominator->error();
    }
    std::vector<std::pair<std::string, std::size_t>> letters = numerator.value().letters;
    std::optional<std::size_t> zeroDenominator = numerator.value().zeroDenominator;
    if (denominator) {
        const FactoredPolynomialRead& d = denominator->value();
        letters.insert(letters.end(), d.letters.begin(), d.letters.end());
        if (!zeroDenominator) zeroDenominator = d.zeroDenominator;
    }
    if (const auto refusal = valueRefusal(letters, zeroDenominator, "an expression")) return *refusal;

    Rational_Expression e;
    e.poly_N = withConstantsInX(withoutOuterParentheses(numerator.value().polynomial));
    if (denominator) {
        e.poly_D = withConstantsInX(withoutOuterParentheses(denominator->value().polynomial));
        const std::size_t column = columnOfOffset(text, firstNonBlank(text, *bar + 1));
        try {
            if (isZeroPolynomialXL(e.poly_D))
                return ReadError{column, "the denominator is 0: an expression over 0 has no value"};
        } catch (const PreconditionError& error) {
            return ReadError{column, std::string("the denominator cannot be told from 0: ") + error.what()};
        }
    }
    return e;
}

}  // namespace tl
