#include "algebra/quadratic/formula_steps.hpp"

#include <algorithm>
#include <string>

#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/quadratic/root_rows.hpp"
#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

Engine_Table rt(const Rational& q) { return rationalTable(false, Style::fraction, q); }

void appendBlanks(Engine_Step& page, std::int64_t count) {
    for (Engine_Table& blank : blankTable(count)) page.push_back(std::move(blank));
}

/// The coefficient of the first term of `side` that passes `test`.
std::optional<Rational> firstCoefficient(const Polynomial& side, bool (*test)(const Monomial&)) {
    const auto found = std::ranges::find_if(side.terms, test);
    if (found == side.terms.end()) return std::nullopt;
    return found->coefficient;
}

/// "label = value", label and join in `c`.
Engine_Table valueOf(const std::string& label, const Rational& value, Color c) {
    return joinItem("=", messageTable(label, c), rt(value), c);
}

Engine_Table parenthesised(const Engine_Table& t) { return unaryItem("()", t); }

}  // namespace

Engine_Step substituteInFormulaSteps(bool colored, const PolyEquation& e) {
    require(!e.LHS.terms.empty(), "the formula page needs a left side");
    const QuadraticRoots roots = quadraticSolution(e);
    const Monomial& leading = e.LHS.terms.front();
    const std::string& v = leading.variable;
    const Color aColor = colored ? Color::red : Color::black, bColor = colored ? Color::blue : Color::black,
                cColor = colored ? Color::gray : Color::black;
    const std::optional<Rational> bTerm = firstCoefficient(e.LHS, isLinearTerm);
    const std::optional<Rational> cTerm = firstCoefficient(e.LHS, isConstantTerm);
    const Rational a = makeFullyColoredRational(leading.coefficient, aColor);
    const Rational b = makeFullyColoredRational(bTerm.value_or(makeDefaultRational(0, 1)), bColor);
    const Rational c = makeFullyColoredRational(cTerm.value_or(makeDefaultRational(0, 1)), cColor);

    std::vector<Monomial> standard{makeMonomial(a, 2, v)};
    if (bTerm) standard.push_back(makeMonomial(b, 1, v));
    if (cTerm) standard.push_back(makeMonomial(c, 0, v));
    const PolyEquation form = makeEquationXL(makePolynomial(std::move(standard)),
                                             makePolynomial({makeMonomial(makeDefaultRational(0, 1), 0, v)}),
                                             e.relation);

    Engine_Step page{equationTable(Style::fraction, form)};
    appendBlanks(page, 2);
    page.push_back(messageTable("for  a" + v + "\u00B2 + b" + v + " + c = 0 ,  a \u2260 0"));
    page.push_back(joinItem(
        "=", messageTable(v),
        joinItem("/", joinItem("\u00B1", messageTable("-b"), unaryItem("\u221A", messageTable("b\u00B2 \u2212 4ac"))),
                 messageTable("2a"))));
    appendBlanks(page, 3);
    page.push_back(joinTableaux({valueOf("a", a, aColor), valueOf(" , b", b, bColor), messageTable(" and "),
                                 valueOf("c", c, cColor)})
                       .value());

    const bool bNegative = isNegativeRational(b).value();
    const Engine_Table minusB = bNegative            ? unaryItem("-", parenthesised(rt(b)))
                                : b.numerator == 0 ? rt(b)
                                                   : unaryItem("-", rt(b));
    const Engine_Table base = bNegative || b.denominator != 1 ? parenthesised(rt(b)) : rt(b);
    const Engine_Table fourAC =
        joinTableaux({messageTable("4"), parenthesised(rt(a)), parenthesised(rt(c))}).value();
    const Engine_Table numerator =
        joinItem("\u00B1", minusB,
                 unaryItem("\u221A", joinItem("\u2212", joinItem("^", base, messageTable("2")), fourAC)));
    const Engine_Table denominator = joinTableaux({messageTable("2"), parenthesised(rt(a))}).value();
    page.push_back(joinItem("=", messageTable(v), joinItem("/", numerator, denominator)));
    appendBlanks(page, 3);

    if (roots.status == Quadratic_status::none) {
        page.push_back(messageTable(rawValue(roots.status)));
        return page;
    }
    page.push_back(rootsLine(v, roots, Style::fraction, Style::rational_fraction));
    page.push_back(messageTable("from calculator"));
    return page;
}

}  // namespace tl
