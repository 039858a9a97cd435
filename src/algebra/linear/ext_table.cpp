#include "algebra/linear/ext_table.hpp"

#include <string>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

constexpr char kPlus[] = "+";
constexpr char kMinus[] = "\u2212";
constexpr char kParentheses[] = "()";
constexpr char kOver[] = "/";

/// A later term is drawn by the magnitude of its numerator after a "+" or
/// "−" join. INT64_MIN has no 64-bit magnitude: it keeps its sign after a "+".
bool drawnWithoutSign(std::int64_t numerator) { return numerator < 0 && numerator != checked::kMin; }
const char* signText(const Rational& r) { return drawnWithoutSign(r.numerator) ? kMinus : kPlus; }
std::int64_t laterNumerator(std::int64_t numerator) { return drawnWithoutSign(numerator) ? -numerator : numerator; }

Monomial withLaterNumerator(Monomial m) {
    m.coefficient.numerator = laterNumerator(m.coefficient.numerator);
    return m;
}

bool equalsConstant(const Monomial& m, std::int64_t value) {
    return monomialEquals(m, makeMonomialX(makeDefaultRational(value, 1), 0));
}

/// The table of a group term at position `i`: its multiplier beside the
/// table of its group, which is drawn in parentheses unless the multiplier
/// is a first 1 (or a unit over a denominator) outside fraction style.
Engine_Table groupTermTable(const Term& t, std::size_t i, Style style, Engine_Table group) {
    const Monomial& m = t.monomial;
    const Rational& c = m.coefficient;
    const auto inParentheses = [&] { return unaryItem(kParentheses, std::move(group), t.sub_exp_parenthesis_color); };
    const auto beside = [&](Engine_Table multiplier) {
        return joinItem(juxtapositionJoinText, std::move(multiplier), inParentheses());
    };

    if (style == Style::fraction) {
        if (equalsConstant(m, 1) || (i > 0 && equalsConstant(m, -1))) return inParentheses();
        if (i == 0 && equalsConstant(m, -1)) return beside(messageTable("-", c.numerator_color));
        return beside(numberRowParts(i == 0 ? m : withLaterNumerator(m), style));
    }

    Engine_Table product;
    if (checked::magnitude(c.numerator) == 1 && m.exponent == 0) {
        if (i == 0 && c.numerator == -1)
            product = beside(messageTable("-", c.numerator_color));
        else if (i > 0 && c.denominator == 1)
            product = inParentheses();
        else
            product = std::move(group);
    } else {
        const Rational whole = makeThreeColorRational(i == 0 ? c.numerator : laterNumerator(c.numerator), 1,
                                                      c.numerator_color, Color::black, Color::black);
        product =
            beside(termMonomialTable(makeColoredMonomial(whole, m.exponent, m.variable, m.variable_color), style));
    }
    if (c.denominator == 1) return product;
    const Rational denominator =
        makeThreeColorRational(c.denominator, 1, c.denominator_color, Color::black, Color::black);
    return joinItem(kOver, std::move(product), termMonomialTable(makeMonomialX(denominator, 0), style), c.bar_color);
}

}  // namespace

Engine_Table extTermsTable(std::uint64_t k, Style style, const std::vector<std::vector<Term>>& groups) {
    Engine_Table result;
    const auto& terms = at(groups, k);
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const Term& t = terms[i];
        Engine_Table table;
        if (t.sub_exp.first) {
            require(t.sub_exp.second < k, "a group term must refer to an earlier group");
            table = groupTermTable(t, i, style, extTermsTable(t.sub_exp.second, style, groups));
        } else {
            table = termMonomialTable(i == 0 ? t.monomial : withLaterNumerator(t.monomial), style);
        }
        const Rational& c = t.monomial.coefficient;
        result = i == 0 ? std::move(table)
                        : joinItem(signText(c), std::move(result), std::move(table), c.numerator_color);
    }
    return result;
}

Engine_Table extEquationTable(Style style, const Ext_polyEquation& e) {
    if (e.LHS.terms.empty() || e.RHS.terms.empty()) return messageTable("unexpected error");
    return joinItem(relationSymbol(e.relation), extTermsTable(e.LHS.terms.size() - 1, style, e.LHS.terms),
                    extTermsTable(e.RHS.terms.size() - 1, style, e.RHS.terms), e.relation_color);
}

}  // namespace tl
