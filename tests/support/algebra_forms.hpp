// The three equation sides the reader gives, widened to the factored form, so
// that tests can print and compare them with one piece of code: a flat side
// is one group of terms without factors, a group term is a term with the one
// factor (group, 1).
#pragma once

#include <vector>

#include "algebra/values.hpp"

namespace tl::testing {

inline Polynomial_XL widened(const Polynomial& p) {
    std::vector<Term_XL> group;
    for (const Monomial& m : p.terms) group.push_back(makeTermXL(m, {}));
    return makePolynomialXL(std::vector<std::vector<Term_XL>>{group});
}

inline Polynomial_XL widened(const Ext_polynomial& p) {
    std::vector<std::vector<Term_XL>> groups;
    for (const auto& g : p.terms) {
        auto& terms = groups.emplace_back();
        for (const Term& t : g)
            terms.push_back(makeTermXL(t.monomial, t.sub_exp.first ? std::vector{makeFactor(t.sub_exp.second, 1)}
                                                                   : std::vector<Factor>{}));
    }
    return makePolynomialXL(groups);
}

inline Polynomial_XL widened(const Polynomial_XL& p) { return p; }

}  // namespace tl::testing
