#include "algebra/linear/ext_table.hpp"

#include <optional>
#include <string>
#include <vector>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

constexpr char kPlus[] = "+";
constexpr char kMinus[] = "\u2212";
constexpr char kParentheses[] = "()";
constexpr char kOver[] = "/";

/// A term after the first is drawn by the magnitude of its numerator after a
/// "+" or "−" join (−2⁶³ too, as "− 9223372036854775808").
const char* signText(const Rational& r) { return r.numerator < 0 ? kMinus : kPlus; }

bool equalsConstant(const Monomial& m, std::int64_t value) {
    return monomialEquals(m, makeMonomialX(makeDefaultRational(value, 1), 0));
}

using Item = ItemWriter::Item;
using Groups = std::vector<std::vector<Term>>;

std::optional<Item> writeTerms(ItemWriter& w, std::uint64_t k, Style style, const Groups& groups);

/// A group term at position `i`: its multiplier beside its group `g` in
/// parentheses, unless the multiplier is a first 1 (or a unit over a
/// denominator) outside fraction style. The multiplier is written before
/// the group, the parentheses and the product after it. In fraction style a
/// multiplier over a negative denominator is drawn as written, like a flat
/// term's number ("5 + (-2/2)(x + 1)"): the sign before a term is its
/// numerator's, so leaving out a unit such as 2/(-2) would turn its sign.
std::optional<Item> writeGroupTerm(ItemWriter& w, const Term& t, std::size_t i, Style style, const Groups& groups) {
    const Monomial& m = t.monomial;
    const Rational& c = m.coefficient;
    const auto group = [&] { return writeTerms(w, t.sub_exp.second, style, groups); };
    const auto inParentheses = [&] { return w.unary(kParentheses, requireItem(group()), t.sub_exp_parenthesis_color); };
    const auto beside = [&](Item multiplier) { return w.join(juxtapositionJoinText, multiplier, inParentheses()); };

    if (style == Style::fraction) {
        if (c.denominator > 0) {  // only then may a unit be left out
            if (equalsConstant(m, 1) || (i > 0 && equalsConstant(m, -1))) return inParentheses();
            if (equalsConstant(m, -1)) return beside(w.message("-", c.numerator_color));
        }
        return beside(writeNumberRowParts(w, m, style, i > 0));
    }

    std::optional<Item> product;
    if (checked::magnitude(c.numerator) == 1 && m.exponent == 0) {
        if (i == 0 && c.numerator == -1)
            product = beside(w.message("-", c.numerator_color));
        else if (i > 0 && c.denominator == 1)
            product = inParentheses();
        else
            product = group();
    } else {
        const Rational whole = makeThreeColorRational(c.numerator, 1, c.numerator_color, Color::black, Color::black);
        product = beside(
            writeMonomial(w, makeColoredMonomial(whole, m.exponent, m.variable, m.variable_color), style, i > 0));
    }
    if (c.denominator == 1) return product;
    const Item top = requireItem(product);
    const Rational denominator =
        makeThreeColorRational(c.denominator, 1, c.denominator_color, Color::black, Color::black);
    return w.join(kOver, top, writeMonomial(w, makeMonomialX(denominator, 0), style), c.bar_color);
}

std::optional<Item> writeTerms(ItemWriter& w, std::uint64_t k, Style style, const Groups& groups) {
    std::optional<Item> sum;
    const auto& terms = at(groups, k);
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const Term& t = terms[i];
        std::optional<Item> term;
        if (t.sub_exp.first) {
            require(t.sub_exp.second < k, "a group term must refer to an earlier group");
            term = writeGroupTerm(w, t, i, style, groups);
        } else {
            term = writeMonomial(w, t.monomial, style, i > 0);
        }
        const Rational& c = t.monomial.coefficient;
        sum = i == 0 ? term : w.join(signText(c), requireItem(sum), requireItem(term), c.numerator_color);
    }
    return sum;
}

}  // namespace

Engine_Table extTermsTable(std::uint64_t k, Style style, const std::vector<std::vector<Term>>& groups) {
    ItemWriter w;
    const std::optional<Item> root = writeTerms(w, k, style, groups);
    return root ? std::move(w).finish(*root) : Engine_Table{};
}

Engine_Table extEquationTable(Style style, const Ext_polyEquation& e) {
    if (e.LHS.terms.empty() || e.RHS.terms.empty()) return messageTable("unexpected error");
    return writtenTable([&](ItemWriter& w) {
        const Item left = requireItem(writeTerms(w, e.LHS.terms.size() - 1, style, e.LHS.terms));
        const Item right = requireItem(writeTerms(w, e.RHS.terms.size() - 1, style, e.RHS.terms));
        return w.join(relationSymbol(e.relation), left, right, e.relation_color);
    });
}

}  // namespace tl
