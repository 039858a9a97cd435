#include "algebra/rational_expression_reader.hpp"

#include <cstddef>
#include <optional>

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

/// The refusal of a part that the reader left at `end` of `text`.
ReadError leftOver(std::string_view text, std::size_t end) {
    return ReadError{columnOfOffset(text, end), text[end] == '/'   ? "a second \"/\": an expression has one"
                                                : text[end] == ')' ? "a \")\" without its \"(\""
                                                                   : "a relation: this is an expression, not an equation"};
}

/// One whole part: `text` from `offset` to its end.
ReadResult<Polynomial_XL> readPart(std::string_view text, std::size_t offset) {
    const auto part = readFactoredPolynomialAt(text, offset);
    if (!part) return part.error();
    if (part.value().end < text.size()) return leftOver(text, part.value().end);
    return withoutOuterParentheses(part.value().polynomial);
}

}  // namespace

ReadResult<Rational_Expression> readRationalExpression(std::string_view text) {
    const std::optional<std::size_t> bar = fractionBar(text);
    const auto numerator = readPart(text.substr(0, bar.value_or(text.size())), 0);
    if (!numerator) return numerator.error();
    Rational_Expression e;
    e.poly_N = numerator.value();
    if (bar) {
        const auto denominator = readPart(text, *bar + 1);
        if (!denominator) return denominator.error();
        e.poly_D = denominator.value();
    }
    return e;
}

}  // namespace tl
