#include "algebra/linear/ext_equation.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "algebra/linear/ext_group_edit.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

const Monomial kOne = makeMonomialX(makeDefaultRational(1, 1), 0);

bool hasNonZeroDenominatorClosure(const Term& t) { return t.monomial.coefficient.denominator != 0; }

Monomial termMonomialClosure(const Term& t) { return t.monomial; }

/// Both sides through `f`, the relation kept, the relation colour black.
template <class SideOp>
Ext_polyEquation onBothSides(const Ext_polyEquation& e, SideOp f) {
    return makeEquationXL(f(e.LHS), f(e.RHS), e.relation);
}

}  // namespace

Term zeroTerm() { return makeTerm(makeMonomialX(makeDefaultRational(0, 1), 0), {false, 0}); }

Term makeColoredTerm(Monomial monomial, bool isGroupTerm, std::uint64_t group, Color parenthesisColor) {
    Term t = makeTerm(std::move(monomial), {isGroupTerm, group});
    t.sub_exp_parenthesis_color = parenthesisColor;
    return t;
}

void requireWellFormedExtSide(const Ext_polynomial& side) {
    require(!side.terms.empty(), "a side without a top-level group");
    std::vector<bool> referenced(side.terms.size(), false);
    for (std::size_t i = 0; i < side.terms.size(); ++i) {
        require(!side.terms[i].empty(), "an empty group");
        for (const Term& t : side.terms[i]) {
            if (!isGroupTermClosure(t)) continue;
            const std::uint64_t k = t.sub_exp.second;
            require(k < i, "a group term must refer to an earlier group");
            require(!referenced[k], "a group referred to twice");
            referenced[k] = true;
        }
    }
}

bool extSideHasZeroDenominator(const Ext_polynomial& side) {
    return std::ranges::any_of(side.terms,
                               [](const ExtGroup& g) { return !std::ranges::all_of(g, hasNonZeroDenominatorClosure); });
}

bool extEquationHasZeroDenominator(const Ext_polyEquation& e) {
    return extSideHasZeroDenominator(e.LHS) || extSideHasZeroDenominator(e.RHS);
}

Ext_polynomial removeZeroTermsOfExtSide(bool recolor, const Ext_polynomial& side) {
    // First pass: every term of coefficient 0 goes, a group term judged by its multiplier.
    Ext_polynomial result = side;
    for (ExtGroup& g : result.terms) {
        std::erase_if(g, std::not_fn(isNonZeroTermXL));
        if (g.empty()) g = {zeroTerm()};
    }
    // Later passes: a group term goes when its group (as the previous pass
    // left it) is the single term 0; repeat while a pass empties a group.
    const Rational zero = makeDefaultRational(0, 1);
    bool changed = true;
    while (changed) {
        changed = false;
        const Ext_polynomial previous = result;
        for (ExtGroup& g : result.terms) {
            std::erase_if(g, [&](const Term& t) {
                if (!isGroupTermClosure(t)) return false;
                const ExtGroup& inner = at(previous.terms, t.sub_exp.second);
                return inner.size() == 1 && rationalMatches(inner[0].monomial.coefficient, defaultFalse(), zero);
            });
            if (g.empty()) {
                g = {zeroTerm()};
                changed = true;
            }
        }
    }
    return recolor ? recolorExtPolynomial(Color::black, result) : result;
}

Ext_polyEquation removeZeroTermsOfExtEquation(bool recolor, const Ext_polyEquation& e) {
    return onBothSides(e, [&](const Ext_polynomial& s) { return removeZeroTermsOfExtSide(recolor, s); });
}

std::optional<Ext_polynomial> unwrapUnitGroupOnce(const Ext_polynomial& side) {
    const auto place = firstGroupTerm(side, [](const Term& t) { return monomialEquals(t.monomial, kOne); });
    if (!place) return std::nullopt;
    const ExtGroup inner = at(side.terms, place->inner);
    return replaceGroupTerm(side, *place, inner);
}

Ext_polynomial unwrapUnitGroups(Ext_polynomial side) {
    // One pass in the order unwrapUnitGroupOnce finds them: a group term
    // refers to an earlier group, which this pass has left without unit
    // groups already, so its terms go in as they stand.
    rewriteGroupTermsInOrder(side, [](const Ext_polynomial& s, const Term& t) -> std::optional<ExtGroup> {
        if (!monomialEquals(t.monomial, kOne)) return std::nullopt;
        return at(s.terms, t.sub_exp.second);
    });
    return side;
}

Ext_polyEquation unwrapUnitGroupsOfExtEquation(const Ext_polyEquation& e) {
    return onBothSides(e, [](const Ext_polynomial& s) { return unwrapUnitGroups(s); });
}

std::optional<Ext_polynomial> foldConstantGroupOnce(const Ext_polynomial& side) {
    const auto place = firstGroupTerm(side, [&](const Term& t) {
        if (t.monomial.exponent != 0) return false;
        const ExtGroup& inner = at(side.terms, t.sub_exp.second);
        return inner.size() == 1 && !isGroupTermClosure(inner[0]) && inner[0].monomial.exponent == 0;
    });
    if (!place) return std::nullopt;
    const Term& multiplier = side.terms[place->group][place->position];
    const Rational& inner = side.terms[place->inner][0].monomial.coefficient;
    const Rational product = knownRational(multiplyRational(inner, multiplier.monomial.coefficient));
    return replaceGroupTerm(side, *place, {makeTerm(makeMonomialX(product, 0), {false, 0})});
}

std::optional<Ext_polynomial> foldConstantGroups(const Ext_polynomial& side) {
    // One pass in the order foldConstantGroupOnce finds them: a group that
    // folds to one constant is earlier than the group term over it.
    Ext_polynomial folded = side;
    const bool any =
        rewriteGroupTermsInOrder(folded, [](const Ext_polynomial& s, const Term& t) -> std::optional<ExtGroup> {
            const ExtGroup& inner = at(s.terms, t.sub_exp.second);
            if (t.monomial.exponent != 0 || inner.size() != 1 || isGroupTermClosure(inner[0]) ||
                inner[0].monomial.exponent != 0)
                return std::nullopt;
            const Rational product = knownRational(multiplyRational(inner[0].monomial.coefficient, t.monomial.coefficient));
            return ExtGroup{makeTerm(makeMonomialX(product, 0), {false, 0})};
        });
    if (!any) return std::nullopt;
    return folded;
}

std::optional<Ext_polyEquation> foldConstantGroupsOfEquation(const Ext_polyEquation& e) {
    auto left = foldConstantGroups(e.LHS);
    auto right = foldConstantGroups(e.RHS);
    if (!left && !right) return std::nullopt;
    return makeEquationXL(left ? std::move(*left) : e.LHS, right ? std::move(*right) : e.RHS, e.relation);
}

bool sideHasParentheses(const Ext_polynomial& side) {
    require(!side.terms.empty(), "a side without a top-level group");
    return std::ranges::any_of(side.terms.back(), isGroupTermClosure);
}

bool equationHasParentheses(const Ext_polyEquation& e) {
    return sideHasParentheses(e.LHS) || sideHasParentheses(e.RHS);
}

bool sideMultipliesLetters(const Ext_polynomial& side) {
    // The letters (of a power above 0) each group gives once multiplied out;
    // a group refers only to earlier groups, so one pass in order does.
    std::vector<std::vector<std::string>> letters(side.terms.size());
    const auto add = [](std::vector<std::string>& set, const std::string& letter) {
        if (std::ranges::find(set, letter) == set.end()) set.push_back(letter);
    };
    for (std::size_t g = 0; g < side.terms.size(); ++g)
        for (const Term& t : side.terms[g]) {
            const Monomial& m = t.monomial;
            if (t.sub_exp.first) {
                const std::vector<std::string>& inner = at(letters, t.sub_exp.second);
                if (m.exponent > 0 && std::ranges::any_of(inner, [&](const std::string& v) { return v != m.variable; }))
                    return true;
                for (const std::string& v : inner) add(letters[g], v);
            }
            if (m.exponent > 0) add(letters[g], m.variable);
        }
    return false;
}

bool extEquationMultipliesLetters(const Ext_polyEquation& e) {
    return sideMultipliesLetters(e.LHS) || sideMultipliesLetters(e.RHS);
}

Polynomial polynomialFromExtPolynomial(const Ext_polynomial& side) {
    require(!side.terms.empty(), "a side without a top-level group");
    std::vector<Monomial> monomials;
    std::ranges::transform(side.terms.back(), std::back_inserter(monomials), termMonomialClosure);
    return makePolynomial(std::move(monomials));
}

PolyEquation polyEquationFromExtEquation(const Ext_polyEquation& e) {
    return makeEquationXL(polynomialFromExtPolynomial(e.LHS), polynomialFromExtPolynomial(e.RHS), e.relation);
}

Term recolorTerm(Color c, const Term& t) {
    return makeColoredTerm(colorMonomial(c, t.monomial), t.sub_exp.first, t.sub_exp.second, c);
}

Ext_polynomial recolorExtPolynomial(Color c, const Ext_polynomial& side) {
    const auto recolorTermClosure = [c](Term& t) { t = recolorTerm(c, t); };
    const auto recolorGroupClosure = [&](ExtGroup& g) { std::ranges::for_each(g, recolorTermClosure); };
    Ext_polynomial result = side;
    std::ranges::for_each(result.terms, recolorGroupClosure);
    return result;
}

Ext_polyEquation recolorExtEquation(Color left, Color right, Color relation, const Ext_polyEquation& e) {
    return makeColoredEquationXL(recolorExtPolynomial(left, e.LHS), recolorExtPolynomial(right, e.RHS), e.relation,
                                 relation);
}

Term recolorTermCoefficientClosure(Color c, const Term& t) {
    const Monomial& m = t.monomial;
    return makeTerm(makeMonomial(recolorRational(m.coefficient, c), m.exponent, m.variable), t.sub_exp);
}

ExtGroup recolorGroupCoefficientsClosure(Color c, const ExtGroup& group) {
    ExtGroup result;
    for (const Term& t : group) result.push_back(recolorTermCoefficientClosure(c, t));
    return result;
}

}  // namespace tl
