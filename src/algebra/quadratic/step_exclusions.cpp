#include "algebra/quadratic/step_exclusions.hpp"

#include <algorithm>
#include <vector>

#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/side_operations.hpp"

namespace tl {

namespace {

template <class Test>
std::vector<Monomial> termsWhere(const std::vector<Monomial>& terms, Test test) {
    std::vector<Monomial> out;
    std::ranges::copy_if(terms, std::back_inserter(out), test);
    return out;
}

Step_exclusions fractionStyleExclusions(const std::vector<Monomial>& all, const std::vector<Monomial>& fractions,
                                        const std::vector<Monomial>& xTerms, const std::vector<Monomial>& constants) {
    switch (fractions.size()) {
        case 0: return Step_exclusions::reduce_and_clear;
        case 1: {
            const Monomial& f = fractions.front();
            if (isLinearTerm(f)) {
                if (xTerms.size() != 1) return Step_exclusions::none;
                return f.coefficient.numerator == 1 ? Step_exclusions::reduce_and_clear : Step_exclusions::clear;
            }
            const bool oneNonZeroConstant = std::ranges::count_if(constants, isNonZeroTerm) == 1;
            return constants.size() == 1 || oneNonZeroConstant ? Step_exclusions::clear : Step_exclusions::none;
        }
        case 2: {
            if (fractions[0].exponent == fractions[1].exponent) return Step_exclusions::none;
            const bool small = all.size() == 2 || (all.size() == 3 && std::ranges::any_of(all, isZeroTermClosure));
            return small ? Step_exclusions::clear : Step_exclusions::none;
        }
        default: return Step_exclusions::none;
    }
}

Step_exclusions decimalStyleExclusions(const std::vector<Monomial>& fractions, const std::vector<Monomial>& xTerms,
                                       const std::vector<Monomial>& constants) {
    if (fractions.empty()) return Step_exclusions::reduce_and_clear;
    const bool unitX =
        xTerms.size() == 1 && (xTerms.front().coefficient.numerator == 1 || xTerms.front().coefficient.numerator == -1);
    const bool fewConstants =
        constants.size() == 1 ||
        (constants.size() == 2 && (isZeroTermClosure(constants[0]) || isZeroTermClosure(constants[1])));
    if (fractions.size() == 1 && isConstantTerm(fractions.front()) && unitX && fewConstants)
        return Step_exclusions::reduce_and_clear;
    return Step_exclusions::reduce;
}

}  // namespace

Step_exclusions stepExclusions(Style style, const PolyEquation& e) {
    std::vector<Monomial> all = e.LHS.terms;
    all.insert(all.end(), e.RHS.terms.begin(), e.RHS.terms.end());
    const auto fractions = termsWhere(all, hasFractionalCoefficient);
    const auto xTerms = termsWhere(all, isLinearTerm);
    const auto constants = termsWhere(all, isConstantTerm);
    return style == Style::decimal ? decimalStyleExclusions(fractions, xTerms, constants)
                                   : fractionStyleExclusions(all, fractions, xTerms, constants);
}

}  // namespace tl
