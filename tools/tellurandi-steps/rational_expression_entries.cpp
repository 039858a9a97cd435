#include "rational_expression_entries.hpp"

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
    const auto read = readFactoredPolynomial(input.operands[0]);
    if (!read) throw OperandError(readErrorText(read.error()));
    return read.value();
}

const std::vector<std::string> kPair{"before", "after"};

/// [e] alone is a finished expression; two states are before and after.
StepTriple statePages(const Rational_Expression& e, const std::optional<std::vector<Rational_Expression>>& states) {
    return pages(e, states, states && states->size() == 1 ? std::vector<std::string>{"finished"} : kPair);
}

}  // namespace

StepTriple rationalSimplifyEntry(const EntryInput& input) {
    const Rational_Expression e = expression(input);
    return statePages(e, rationalSimplifySteps(e));
}

StepTriple rationalCancelEntry(const EntryInput& input) {
    const Rational_Expression e = expression(input);
    return statePages(e, rationalCancelSteps(e));
}

StepTriple rationalReduceEntry(const EntryInput& input) {
    const Rational_Expression e = expression(input);
    return pages(e, rationalReduceSteps(e), kPair);
}

StepTriple factorCompletelyEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input);
    const auto factors = factorCompletely(p);
    std::vector<std::string> names;
    for (std::size_t i = 1; factors && i < factors->size(); ++i) names.push_back("factor " + std::to_string(i));
    names.push_back("last quotient");
    return pages(p, factors, names);
}

// The factoring steps run only where their test allows them.
StepTriple factorTrinomialEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input);
    return pages(p, isFactorableXL(p) ? std::optional{factorTrinomialXL(Color::red, p)} : std::nullopt, kPair);
}

StepTriple factorOutGcfEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input);
    return pages(p, hasCommonFactorXL(p) ? std::optional{factorOutGcfXL(Color::red, p)} : std::nullopt, kPair);
}

StepTriple chooseFactoringMethodEntry(const EntryInput& input) {
    const Polynomial_XL p = polynomial(input);
    return pages(p, isFactorableXL(p) ? std::optional{chooseFactoringMethod(Color::red, input.operands[1], p)}
                                      : std::nullopt,
                 kPair);
}

}  // namespace tl::steps_tool
