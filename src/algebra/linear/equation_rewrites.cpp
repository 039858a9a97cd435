#include "algebra/linear/equation_rewrites.hpp"

#include <algorithm>

#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/side_operations.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/layout.hpp"

namespace tl {

namespace {

/// The exponent of `prime` in n, and n without it.
std::int64_t takeOutPrime(std::int64_t& n, std::int64_t prime) {
    std::int64_t count = 0;
    while (n % prime == 0) n /= prime, ++count;
    return count;
}

}  // namespace

bool equationHasFraction(const PolyEquation& e) { return sideHasFraction(e.LHS) || sideHasFraction(e.RHS); }

std::int64_t lcmOfEquationDenominators(const PolyEquation& e) {
    return lcm(lcmOfDenominators(e.LHS), lcmOfDenominators(e.RHS));
}

PolyEquation clearFractionsOfEquation(const PolyEquation& e) {
    std::vector<Monomial> joined = e.LHS.terms;
    joined.insert(joined.end(), e.RHS.terms.begin(), e.RHS.terms.end());
    std::vector<Monomial> cleared = clearFractionsOfSide(makePolynomial(std::move(joined))).terms;
    const auto split = cleared.begin() + static_cast<std::ptrdiff_t>(e.LHS.terms.size());
    return withSides(makePolynomial({cleared.begin(), split}), makePolynomial({split, cleared.end()}), e.relation);
}

PolyEquation clearFractionsOfEquation(const PolyEquation& e, std::int64_t multiple) {
    const std::int64_t L = lcmOfEquationDenominators(e);
    require(L != 0 && multiple % L == 0, "clearing fractions by a number that is no multiple of their lcm");
    const std::int64_t scale = multiple / L;
    return onBothSides(clearFractionsOfEquation(e), [scale](const Polynomial& side) {
        Polynomial scaled = side;
        for (Monomial& m : scaled.terms) m.coefficient.numerator = checked::mul(m.coefficient.numerator, scale);
        return scaled;
    });
}

PolyEquation colorEquationDenominators(Color c, const PolyEquation& e) {
    return onBothSides(e, [c](const Polynomial& side) { return colorFractionDenominators(c, side); });
}

FractionClearing fractionClearing(Style style, std::int64_t L) {
    std::int64_t rest = L;
    const std::int64_t twos = takeOutPrime(rest, 2), fives = takeOutPrime(rest, 5);
    if (style == Style::decimal && rest == 1) {
        const std::int64_t k = std::max(twos, fives);
        const std::string power = std::to_string(powerOfTen(k));
        return {powerOfTen(k),
                "\nhighest decimal place count\nis " + std::to_string(k) + ", multiply both sides\nby 10" +
                    superscriptDigit(std::to_string(k)) + " = " + power,
                "clear decimals"};
    }
    return {L,
            std::to_string(L) +
                " is LCM of denominators\n\nwe can use any multiple of the\ndenominators to clear fractions",
            style == Style::decimal ? "clear decimals" : "clear fractions"};
}

PolyEquation recolorEquation(Color lhs, Color rhs, Color relation, const PolyEquation& e) {
    return makeColoredEquationXL(recolorPolynomial(lhs, e.LHS), recolorPolynomial(rhs, e.RHS), e.relation, relation);
}

PolyEquation blackEquation(const PolyEquation& e) {
    return recolorEquation(Color::black, Color::black, Color::black, e);
}

std::vector<Engine_Table> blackEquationTableClosure(Style style, std::vector<Engine_Table> partial,
                                                    const PolyEquation& e) {
    partial.push_back(equationTable(style, blackEquation(e)));
    return partial;
}

void equationTableClosure(std::vector<Engine_Table>& tables, const PolyEquation& e, Style style) {
    tables.push_back(equationTable(style, e));
}

Engine_Step descendingPowersTables(Style style, Engine_Table first, const ConvenientSides& sides) {
    Engine_Step tables{std::move(first)};
    for (auto e = sides.equations.begin() + 1; e != sides.equations.end(); ++e) equationTableClosure(tables, *e, style);
    tables.push_back(sides.note ? messageTable(*sides.note) : blankTable(0).front());
    return tables;
}

}  // namespace tl
