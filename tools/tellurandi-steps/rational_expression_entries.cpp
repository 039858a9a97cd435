#include "rational_expression_entries.hpp"

#include <algorithm>
#include <functional>

#include "algebra/rational_expression_reader.hpp"
#include "algebra/rational_expression_steps.hpp"
#include "algebra/tables.hpp"
#include "common/items.hpp"

namespace tl::steps_tool {

namespace {

Engine_Table rowOf(const Polynomial_XL& p) { return polynomialRow(Style::rational_fraction, p); }
Engine_Table rowOf(const Rational_Expression& e) { return rationalExpressionRow(e); }

/// The problem page, then one page per value under its comment, or a page
/// "does not apply" for none.
template <class Value, class Values>
StepTriple pages(const Value& problem, const std::optional<Values>& values, const std::vector<std::string>& names) {
    StepTriple t{{{rowOf(problem)}}, {{"\U0001F914"}}, {}};
    if (!values) {
        t.steps.push_back({messageTable("does not apply")});
        t.comments.push_back({"does not apply"});
        return t;
    }
    std::size_t i = 0;
    for (const auto& value : *values) {
        t.steps.push_back({rowOf(value)});
        t.comments.push_back({names.at(std::min(i++, names.size() - 1))});
    }
    return t;
}

Rational_Expression expression(const EntryInput& input) {
    const auto read = readRationalExpression(input.operands[0]);
    if (!read) throw OperandError(readErrorText(read.error()));
    return read.value();
}

Polynomial_XL polynomial(const EntryInput& input) {
    const auto read = readPolynomial(input.operands[0]);
    if (!read) throw OperandError(readErrorText(read.error()));
    return read.value();
}

/// What the entries work on: what was read with the like terms of every
/// group added up exactly and every coefficient in lowest terms
/// (addLikeTermsXL), so that the answer is the value's own however its terms
/// and coefficients were typed, split or ordered (10/5 and 2.0 are 2, 5/10 and
/// 0.5 are 1/2); a total that does not fit 64 bits is refused (OverflowError).
Rational_Expression withLikeTermsAdded(const Rational_Expression& e) {
    return makeColoredRationalExpression(addLikeTermsXL(e.poly_N), addLikeTermsXL(e.poly_D), e.color);
}

/// The polynomial as the factoring operations take it: every coefficient in
/// lowest terms, and its working group with its like terms added up, in
/// descending order of power (the rational root test reads the leading
/// coefficient and the constant term off the first and last terms as they
/// stand and takes a coefficient over 1 for whole, the common factor takes
/// the gcd of the numerators as they stand, and the new terms take the first
/// term's letter). The other groups keep their terms as typed, once their
/// like terms are known to add up within 64 bits.
Polynomial_XL inDescendingOrder(const Polynomial_XL& p) {
    const Polynomial_XL added = addLikeTermsXL(p);
    const auto w = findWorkingGroupXL(p);
    Polynomial_XL result = p;
    for (std::size_t i = 0; i < p.terms.size(); ++i) {
        GroupXL& group = result.terms[i];
        if (i != w) {
            group = coefficientsInLowestTermsXL(group);
            continue;
        }
        group = added.terms[i];
        std::ranges::stable_sort(group, std::ranges::greater{}, [](const Term_XL& t) { return t.monomial.exponent; });
    }
    return result;
}

const std::vector<std::string> kPair{"before", "after"};

/// [e] alone is a finished expression; two states are before and after.
StepTriple statePages(const Rational_Expression& e, const std::optional<std::vector<Rational_Expression>>& states) {
    return pages(e, states, states && states->size() == 1 ? std::vector<std::string>{"finished"} : kPair);
}

}  // namespace

StepTriple rationalSimplifyEntry(const EntryInput& input) {
    const Rational_Expression e = expression(input);
    return statePages(e, rationalSimplifySteps(withLikeTermsAdded(e)));
}

StepTriple rationalCancelEntry(const EntryInput& input) {
    const Rational_Expression e = expression(input);
    return statePages(e, rationalCancelSteps(withLikeTermsAdded(e)));
}

StepTriple rationalReduceEntry(const EntryInput& input) {
    const Rational_Expression e = expression(input);
    return pages(e, rationalReduceSteps(withLikeTermsAdded(e)), kPair);
}

// The factoring entries show the polynomial as read, and hand the operations
// its working group in descending order.
StepTriple factorCompletelyEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input);
    const auto factors = factorCompletely(inDescendingOrder(p));
    std::vector<std::string> names;
    for (std::size_t i = 1; factors && i < factors->size(); ++i) names.push_back("factor " + std::to_string(i));
    names.push_back("last quotient");
    return pages(p, factors, names);
}

// The factoring steps run only where their test allows them.
StepTriple factorTrinomialEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input), q = inDescendingOrder(p);
    return pages(p, isFactorableXL(q) ? std::optional{factorTrinomialXL(Color::red, q)} : std::nullopt, kPair);
}

StepTriple factorOutGcfEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input), q = inDescendingOrder(p);
    return pages(p, hasCommonFactorXL(q) ? std::optional{factorOutGcfXL(Color::red, q)} : std::nullopt, kPair);
}

StepTriple chooseFactoringMethodEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input), q = inDescendingOrder(p);
    return pages(p, isFactorableXL(q) ? std::optional{chooseFactoringMethod(Color::red, input.operands[1], q)}
                                      : std::nullopt,
                 kPair);
}

}  // namespace tl::steps_tool
