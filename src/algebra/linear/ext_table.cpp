#include "algebra/linear/ext_table.hpp"

#include <string>

#include "algebra/tables.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

constexpr char kPlus[] = "+";
constexpr char kMinus[] = "\u2212";
constexpr char kParentheses[] = "()";
constexpr char kOver[] = "/";

const char* signText(const Rational& r) { return r.numerator < 0 ? kMinus : kPlus; }

/// The monomial with its numerator made non-negative: a later term's sign
/// is the join before it.
Monomial withAbsoluteNumerator(Monomial m) {
    m.coefficient.numerator = checked::abs(m.coefficient.numerator);
    return m;
}

bool equalsConstant(const Monomial& m, std::int64_t value) {
    return monomialEquals(m, makeMonomialX(makeDefaultRational(value, 1), 0));
}

/// The table of a group term at position `i`: its multiplier beside `group`
/// (`inParentheses` is the same group in parentheses).
Engine_Table groupTermTable(const Term& t, std::size_t i, Style style, const Engine_Table& group,
                            const Engine_Table& inParentheses) {
    const Monomial& m = t.monomial;
    const Rational& c = m.coefficient;
    const auto minusBefore = [&] { return joinItem(juxtapositionJoinText, messageTable("-", c.numerator_color), inParentheses); };

    if (style == Style::fraction) {
        if (equalsConstant(m, 1) || (i > 0 && equalsConstant(m, -1))) return inParentheses;
        if (i == 0 && equalsConstant(m, -1)) return minusBefore();
        return joinItem(juxtapositionJoinText, numberRowParts(i == 0 ? m : withAbsoluteNumerator(m), style),
                        inParentheses);
    }

    Engine_Table product;
    if (checked::abs(c.numerator) == 1 && m.exponent == 0) {
        if (i == 0 && c.numerator == -1)
            product = minusBefore();
        else if (i > 0 && c.denominator == 1)
            product = inParentheses;
        else
            product = group;
    } else {
        Monomial lead = makeColoredMonomial(
            makeThreeColorRational(i == 0 ? c.numerator : checked::abs(c.numerator), 1, c.numerator_color,
                                   Color::black, Color::black),
            m.exponent, m.variable, m.variable_color);
        product = joinItem(juxtapositionJoinText, monomialTable(lead, style), inParentheses);
    }
    if (c.denominator == 1) return product;
    const Monomial denominator =
        makeMonomialX(makeThreeColorRational(c.denominator, 1, c.denominator_color, Color::black, Color::black), 0);
    return joinItem(kOver, product, monomialTable(denominator, style), c.bar_color);
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
            const Engine_Table group = extTermsTable(t.sub_exp.second, style, groups);
            table = groupTermTable(t, i, style, group, unaryItem(kParentheses, group, t.sub_exp_parenthesis_color));
        } else {
            table = monomialTable(i == 0 ? t.monomial : withAbsoluteNumerator(t.monomial), style);
        }
        result = i == 0 ? table : joinItem(signText(t.monomial.coefficient), result, table, t.monomial.coefficient.numerator_color);
    }
    return result;
}

Engine_Table extEquationTable(Style style, const Ext_polyEquation& e) {
    if (e.LHS.terms.empty() || e.RHS.terms.empty()) return messageTable("unexpected error");
    return joinItem(relationSymbol(e.relation), extTermsTable(e.LHS.terms.size() - 1, style, e.LHS.terms),
                    extTermsTable(e.RHS.terms.size() - 1, style, e.RHS.terms), e.relation_color);
}

}  // namespace tl
