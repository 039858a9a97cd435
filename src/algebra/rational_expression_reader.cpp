#include "algebra/rational_expression_reader.hpp"

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

}  // namespace

ReadResult<Rational_Expression> readRationalExpression(std::string_view text) {
    const auto numerator = readFactoredPolynomialAt(text, 0);
    if (!numerator) return numerator.error();
    Rational_Expression e;
    e.poly_N = withoutOuterParentheses(numerator.value().polynomial);
    std::size_t end = numerator.value().end;
    if (end < text.size() && text[end] == '/') {
        const auto denominator = readFactoredPolynomialAt(text, end + 1);
        if (!denominator) return denominator.error();
        e.poly_D = withoutOuterParentheses(denominator.value().polynomial);
        end = denominator.value().end;
    }
    if (end < text.size())
        return ReadError{columnOfOffset(text, end), text[end] == '/'   ? "a second \"/\": an expression has one"
                                                    : text[end] == ')' ? "a \")\" without its \"(\""
                                                                       : "a relation: this is an expression, not an equation"};
    return e;
}

}  // namespace tl
