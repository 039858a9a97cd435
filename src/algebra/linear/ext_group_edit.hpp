// Finding and replacing group terms, shared by the rewrites of grouped sides
// (unwrapping, folding, distributing).
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "algebra/linear/ext_equation.hpp"
#include "base/errors.hpp"

namespace tl {

/// Where a group term stands: at `position` of group `group`, referring to group `inner`.
struct GroupTermPlace {
    std::size_t group = 0;
    std::size_t position = 0;
    std::size_t inner = 0;
};

/// The first group term (groups in order of position, terms in order) for
/// which `accept` holds.
template <class Predicate>
std::optional<GroupTermPlace> firstGroupTerm(const Ext_polynomial& side, Predicate accept) {
    for (std::size_t i = 0; i < side.terms.size(); ++i)
        for (std::size_t j = 0; j < side.terms[i].size(); ++j) {
            const Term& t = side.terms[i][j];
            if (isGroupTermClosure(t) && accept(t))
                return GroupTermPlace{i, j, static_cast<std::size_t>(t.sub_exp.second)};
        }
    return std::nullopt;
}

/// The side with `replacement` in the place of the group term and its group
/// emptied to the zero term.
inline Ext_polynomial replaceGroupTerm(Ext_polynomial side, const GroupTermPlace& place, const ExtGroup& replacement) {
    ExtGroup& g = at(side.terms, place.group);
    g.erase(g.begin() + static_cast<std::ptrdiff_t>(place.position));
    g.insert(g.begin() + static_cast<std::ptrdiff_t>(place.position), replacement.begin(), replacement.end());
    at(side.terms, place.inner) = {zeroTerm()};
    return side;
}

/// Every group term for which `replacement(side, term)` gives terms replaced
/// by them, its group emptied to the zero term, in the order that
/// firstGroupTerm and replaceGroupTerm, repeated until nothing is left to
/// replace, would take: groups in order of position, each from its first
/// term on, the terms put in its place looked at in turn. `replacement`
/// reads the side as rewritten so far, where every group before the
/// current one is done. Whether anything was replaced.
template <class Replacement>
bool rewriteGroupTermsInOrder(Ext_polynomial& side, Replacement replacement) {
    bool any = false;
    for (std::size_t i = 0; i < side.terms.size(); ++i) {
        if (std::ranges::none_of(side.terms[i], isGroupTermClosure)) continue;
        ExtGroup rewritten;
        rewritten.reserve(side.terms[i].size());
        for (Term& t : side.terms[i]) {
            std::optional<ExtGroup> terms;
            if (isGroupTermClosure(t)) terms = replacement(std::as_const(side), std::as_const(t));
            if (!terms) {
                rewritten.push_back(std::move(t));
                continue;
            }
            any = true;
            at(side.terms, t.sub_exp.second) = {zeroTerm()};
            for (Term& u : *terms) rewritten.push_back(std::move(u));
        }
        side.terms[i] = std::move(rewritten);
    }
    return any;
}

/// The value of an arithmetic result that exists whenever no denominator is
/// 0, which the callers have made sure of.
inline Rational knownRational(const std::optional<Rational>& r) {
    require(r.has_value(), "a coefficient with denominator 0");
    return *r;
}

}  // namespace tl
