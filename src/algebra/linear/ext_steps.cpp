#include "algebra/linear/ext_steps.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_group_edit.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

Color mark(bool colored) { return colored ? Color::red : Color::black; }

/// `sideStep` on both sides: nothing when it gives nothing on either, else
/// the equation as passed and the equation with the new sides (relation and
/// relation colour kept).
template <class SideStep>
std::optional<ExtStepPair> stepOnBothSides(const Ext_polyEquation& e, SideStep sideStep) {
    auto left = sideStep(e.LHS);
    auto right = sideStep(e.RHS);
    if (!left && !right) return std::nullopt;
    return ExtStepPair{e, makeColoredEquationXL(left ? std::move(*left) : e.LHS, right ? std::move(*right) : e.RHS,
                                                e.relation, e.relation_color)};
}

/// The side with its top-level group rewritten term by term.
template <class TermRewrite>
Ext_polynomial withTopLevel(Ext_polynomial side, TermRewrite rewrite) {
    for (Term& t : at(side.terms, side.terms.size() - 1)) t = rewrite(t);
    return side;
}

/// The term with a new coefficient, every colour black, its exponent, letter and group kept.
Term withCoefficient(const Term& t, const Rational& coefficient) {
    return makeTerm(makeMonomial(coefficient, t.monomial.exponent, t.monomial.variable), t.sub_exp);
}

/// The divisor that brings n/d to lowest terms with a positive denominator
/// (gcd(n, d), negated when d < 0); 1 when it already is so. It always
/// fits: a gcd of 2⁶³ needs d = −2⁶³, and is negated.
std::int64_t reducingDivisor(const Rational& r) {
    return checked::withSign(magnitudeGcd(r.numerator, r.denominator), r.denominator < 0);
}

Rational dividedBy(const Rational& r, std::int64_t g) {
    return makeDefaultRational(checked::div(r.numerator, g), checked::div(r.denominator, g));
}

std::uint64_t addExponents(std::uint64_t a, std::uint64_t b) {
    std::uint64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) throw OverflowError("exponent overflow");
    return sum;
}

/// Inner term × multiplier, reduced, a plain term (red when `colored`).
Term distributeTermClosure(const Monomial& multiplier, bool colored, const Term& inner) {
    const Monomial& m = inner.monomial;
    // In lowest terms, worked out in 128 bits: only the reduced product is
    // written ((1/2)(x − 9223372036854775808) gives x/2 − 4611686018427387904).
    const Rational product = knownRational(multiplyRational(m.coefficient, multiplier.coefficient));
    // A constant inside the group carries no letter of its own (it is "x"
    // by default): the 2 of y(y + 2) gives 2y.
    const std::string& letter = m.exponent > 0 || multiplier.exponent == 0 ? m.variable : multiplier.variable;
    const Rational reduced = makeFullyColoredRational(product, mark(colored));
    return makeTerm(makeColoredMonomial(reduced, addExponents(m.exponent, multiplier.exponent), letter, mark(colored)),
                    {false, 0});
}

/// The term with its coefficient in lowest terms (black), `changed` set;
/// unchanged, colours included, when it already is.
Term reduceTermCoefficientClosure(const Term& t, bool& changed) {
    const std::int64_t divisor = reducingDivisor(t.monomial.coefficient);
    if (divisor == 1) return t;
    changed = true;
    return withCoefficient(t, dividedBy(t.monomial.coefficient, divisor));
}

void reduceGroupClosure(ExtGroup& group, bool& changed) {
    for (Term& t : group) t = reduceTermCoefficientClosure(t, changed);
}

/// The denominators of the coefficient drawn red when `colored`, everything else black.
Term markDenominatorClosure(bool colored, const Term& t) {
    const Rational& c = t.monomial.coefficient;
    return withCoefficient(t, makeThreeColorRational(c.numerator, c.denominator, Color::black, mark(colored),
                                                     Color::black));
}

/// The coefficient times the multiple `l` of its denominator, over 1.
Term scaleTermByLcmClosure(std::int64_t l, const Term& t) {
    const Rational& c = t.monomial.coefficient;
    return withCoefficient(t, makeDefaultRational(checked::mul(c.numerator, checked::div(l, c.denominator)), 1));
}

std::int64_t lcmOfDenominatorClosure(std::int64_t running, const Term& t) {
    return lcm(running, t.monomial.coefficient.denominator);
}

/// The coefficient and the letter red when `colored`.
Term markTermClosure(bool colored, Term t) {
    if (colored) t.monomial = colorMonomial(Color::red, t.monomial);
    return t;
}

}  // namespace

std::optional<Ext_polynomial> reduceSideCoefficients(const Ext_polynomial& side) {
    bool changed = false;
    Ext_polynomial reduced = side;
    for (ExtGroup& g : reduced.terms) reduceGroupClosure(g, changed);
    if (!changed) return std::nullopt;
    return unwrapUnitGroups(std::move(reduced));
}

std::optional<ExtStepPair> simplifyStep(const Ext_polyEquation& e) {
    return stepOnBothSides(e, reduceSideCoefficients);
}

std::optional<ExtClearedFractions> clearFractionsStep(bool colored, const Ext_polyEquation& e) {
    const auto topLevelLcm = [](const Ext_polynomial& side) {
        const ExtGroup& top = at(side.terms, side.terms.size() - 1);
        return std::accumulate(top.begin(), top.end(), std::int64_t{1}, lcmOfDenominatorClosure);
    };
    const std::int64_t l = lcm(topLevelLcm(e.LHS), topLevelLcm(e.RHS));
    if (l == 1) return std::nullopt;

    const auto markDenominators = [&](const Ext_polynomial& side) {
        return withTopLevel(side, [&](const Term& t) { return markDenominatorClosure(colored, t); });
    };
    const auto multiplySide = [&](const Ext_polynomial& side) {
        Ext_polynomial multiplied = side;
        const Rational multiple = makeThreeColorRational(l, 1, mark(colored), Color::black, Color::black);
        multiplied.terms.push_back({makeTerm(makeMonomialX(multiple, 0), {true, side.terms.size() - 1})});
        return multiplied;
    };
    const auto scaleSide = [&](const Ext_polynomial& side) {
        return withTopLevel(side, [&](const Term& t) { return scaleTermByLcmClosure(l, t); });
    };
    return ExtClearedFractions{
        makeEquationXL(markDenominators(e.LHS), markDenominators(e.RHS), e.relation),
        makeEquationXL(multiplySide(e.LHS), multiplySide(e.RHS), e.relation),
        unwrapUnitGroupsOfExtEquation(makeEquationXL(scaleSide(e.LHS), scaleSide(e.RHS), e.relation)), l};
}

namespace {

/// What makes plain terms like: the exponent, and the letter unless constant.
struct LikeKey {
    std::uint64_t exponent;
    std::string_view letter;  // views the term's letter
    auto operator<=>(const LikeKey&) const = default;
};

LikeKey likeKeyOf(const Term& t) {
    return {t.monomial.exponent, t.monomial.exponent == 0 ? std::string_view{} : t.monomial.variable};
}

/// Whether the term may be added to a like one: a plain term, with `simple`
/// written as a whole number.
bool mayCombine(const Term& t, bool simple) {
    return !isGroupTermClosure(t) && (!simple || t.monomial.coefficient.denominator == 1);
}

}  // namespace

bool combineSimpleLikeTermsClosure(const Term& candidate, const Term& current, bool simple) {
    return mayCombine(candidate, simple) && mayCombine(current, simple) && likeKeyOf(candidate) == likeKeyOf(current);
}

bool combineSimpleLikeTermsOfGroup(bool simple, ExtGroup& group) {
    // Like terms (combineSimpleLikeTermsClosure) are those of one key that
    // may combine: each goes into the first of its key, found through the
    // index of the first ones instead of by looking back over the whole
    // group. Each total is added up exactly once all its terms are known:
    // only the total is written, whatever the partial sums in between.
    ExtGroup combined;
    combined.reserve(group.size());
    std::map<LikeKey, std::size_t> first;  // the place in `combined` of the first term of each key
    std::map<std::size_t, std::vector<Rational>> likeTerms;  // by that place, when it has more than one
    for (const Term& t : group) {
        if (isGroupTermClosure(t)) {
            combined.push_back(t);
            continue;
        }
        if (mayCombine(t, simple)) {
            // (The key views the letter of `t`, which stays in `group` while the map lives.)
            const auto [place, isNew] = first.try_emplace(likeKeyOf(t), combined.size());
            if (!isNew) {
                std::vector<Rational>& terms = likeTerms[place->second];
                if (terms.empty()) terms.push_back(combined[place->second].monomial.coefficient);
                terms.push_back(t.monomial.coefficient);
                continue;
            }
        }
        combined.push_back(withCoefficient(t, t.monomial.coefficient));
    }
    for (const auto& [place, terms] : likeTerms)
        combined[place].monomial.coefficient = knownRational(sumRationals(terms));
    const bool changed = !likeTerms.empty();
    std::erase_if(combined, std::not_fn(isNonZeroTermXL));
    group = combined.empty() ? ExtGroup{zeroTerm()} : std::move(combined);
    return changed;
}

std::optional<Ext_polynomial> combineSimpleLikeTermsOfSide(bool simple, const Ext_polynomial& side) {
    bool changed = false;
    Ext_polynomial combined = side;
    for (ExtGroup& g : combined.terms) changed = combineSimpleLikeTermsOfGroup(simple, g) || changed;
    if (!changed) return std::nullopt;
    return combined;
}

std::optional<ExtStepPair> combineSimpleLikeTermsStep(bool simple, const Ext_polyEquation& e) {
    return stepOnBothSides(e, [&](const Ext_polynomial& s) { return combineSimpleLikeTermsOfSide(simple, s); });
}

std::optional<ExtDistribution> distributeFirstGroupOfSide(bool colored, const Ext_polynomial& side) {
    const auto place = firstGroupTerm(side, [](const Term&) { return true; });
    if (!place) return std::nullopt;
    const Term& groupTerm = side.terms[place->group][place->position];
    const ExtGroup& inner = at(side.terms, place->inner);

    Ext_polynomial marked = side;
    if (colored) {
        Term& t = marked.terms[place->group][place->position];
        t = recolorTerm(Color::red, t);
        for (Term& u : marked.terms[place->inner]) u = markTermClosure(colored, u);
    }
    ExtGroup products;
    for (const Term& u : inner) products.push_back(distributeTermClosure(groupTerm.monomial, colored, u));
    return ExtDistribution{std::move(marked), replaceGroupTerm(side, *place, products)};
}

std::optional<ExtStepPair> distributeStep(bool colored, const Ext_polyEquation& e) {
    if (auto left = distributeFirstGroupOfSide(colored, e.LHS))
        return ExtStepPair{makeColoredEquationXL(std::move(left->marked), e.RHS, e.relation, e.relation_color),
                           makeColoredEquationXL(std::move(left->distributed), e.RHS, e.relation, e.relation_color)};
    if (auto right = distributeFirstGroupOfSide(colored, e.RHS))
        return ExtStepPair{makeColoredEquationXL(e.LHS, std::move(right->marked), e.relation, e.relation_color),
                           makeColoredEquationXL(e.LHS, std::move(right->distributed), e.relation, e.relation_color)};
    return std::nullopt;
}

namespace {

/// One side of combineAndDistributeAll: its groups, and those that the
/// combining step has not yet rewritten since they last changed.
class QuietSide {
public:
    explicit QuietSide(Ext_polynomial& side) : side_(side), pending_(side.terms.size(), true) {}

    /// combineSimpleLikeTermsOfSide on the side: when two terms of some
    /// group add up, every group is rewritten, else none. A group that was
    /// rewritten and has not changed since adds nothing up and is left as
    /// it is, and one that added nothing up before and has not changed since
    /// adds nothing up now: so only the group `changed` (every group at
    /// first) is tried, and only a sum rewrites the pending ones.
    void combine(std::optional<std::size_t> changed) {
        bool sums = false;
        std::vector<std::pair<std::size_t, ExtGroup>> tried;
        for (std::size_t i = changed.value_or(0); i < (changed ? *changed + 1 : pending_.size()); ++i) {
            ExtGroup g = side_.terms[i];
            sums = combineSimpleLikeTermsOfGroup(true, g) || sums;
            tried.emplace_back(i, std::move(g));
        }
        if (!sums) return;
        for (auto& [i, g] : tried) side_.terms[i] = std::move(g), pending_[i] = false;
        for (std::size_t i = 0; i < pending_.size(); ++i)
            if (pending_[i]) {
                combineSimpleLikeTermsOfGroup(true, side_.terms[i]);
                pending_[i] = false;
            }
    }

    /// distributeFirstGroupOfSide: the group of the first group term, or
    /// nothing. No group before `from` holds a group term.
    std::optional<std::size_t> distributeFirst(std::size_t& from) {
        for (; from < side_.terms.size(); ++from) {
            ExtGroup& g = side_.terms[from];
            const auto t = std::ranges::find_if(g, isGroupTermClosure);
            if (t == g.end()) continue;
            ExtGroup& inner = at(side_.terms, t->sub_exp.second);
            ExtGroup products;
            products.reserve(inner.size());
            for (const Term& u : inner) products.push_back(distributeTermClosure(t->monomial, false, u));
            inner = {zeroTerm()};  // adds nothing up, and is what rewriting it gives
            const auto place = g.erase(t);
            g.insert(place, std::make_move_iterator(products.begin()), std::make_move_iterator(products.end()));
            pending_[from] = true;
            return from;
        }
        return std::nullopt;
    }

private:
    Ext_polynomial& side_;
    std::vector<bool> pending_;
};

}  // namespace

Ext_polyEquation combineAndDistributeAll(Ext_polyEquation e) {
    // The steps in turn as the worked solver takes them, each side worked in
    // place: combining (which the other side, unchanged, passes through),
    // then one group term multiplied out, on the left side first, groups in
    // order of position.
    QuietSide left(e.LHS), right(e.RHS);
    left.combine(std::nullopt);
    right.combine(std::nullopt);
    std::size_t fromLeft = 0, fromRight = 0;
    while (true) {
        if (const auto g = left.distributeFirst(fromLeft))
            left.combine(g);
        else if (const auto h = right.distributeFirst(fromRight))
            right.combine(h);
        else
            return e;
    }
}

}  // namespace tl
