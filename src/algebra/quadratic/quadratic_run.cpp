#include "algebra/quadratic/quadratic_run.hpp"

#include <algorithm>
#include <set>

#include "algebra/linear/equation_steps.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/linear/quadratic_roots.hpp"
#include "algebra/quadratic/root_rows.hpp"
#include "algebra/side_operations.hpp"
#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

std::vector<const Monomial*> termsOf(const PolyEquation& e) {
    std::vector<const Monomial*> terms;
    for (const Polynomial* side : {&e.LHS, &e.RHS})
        for (const Monomial& m : side->terms) terms.push_back(&m);
    return terms;
}

bool hasOneLetter(const PolyEquation& e) {
    std::set<std::string> letters;
    for (const Monomial* m : termsOf(e))
        if (isNonZeroVariableTermClosure(*m)) letters.insert(m->variable);
    return letters.size() <= 1;
}

std::int64_t higherPowerTerms(const PolyEquation& e) {
    std::int64_t count = 0;
    for (const Monomial* m : termsOf(e)) count = countHigherPowerTermsClosure(count, *m);
    return count;
}

/// What the quadratic steps can work: an equation of degree 2 at most.
/// Inequalities are not solved by their roots.
bool isQuadraticEquation(const PolyEquation& e) {
    const auto terms = termsOf(e);
    return e.relation == Relation::equal_to &&
           std::ranges::none_of(terms, [](const Monomial* m) { return isNonZeroTerm(*m) && m->exponent > 2; });
}

class Opening {
public:
    explicit Opening(QuadraticRun& run) : run_(run) {}

    void simplify() {
        PolyEquation& e = run_.current;
        if (!equationHasUnreducedCoefficient(e)) return;
        const PolyEquation reduced = reduceCoefficientsOfEquation(e);
        run_.addPage({run_.table(e), run_.table(reduced)}, "simplify");
        run_.remember(run_.table(e));
        e = reduced;
    }

    /// Clears fractions whether or not the option asks for it; in decimal
    /// style by the smallest power of ten the denominators divide.
    void clearFractions() {
        PolyEquation& e = run_.current;
        if (!equationHasFraction(e)) return;
        const std::int64_t L = lcmOfEquationDenominators(e);
        const FractionClearing clearing = fractionClearing(run_.style, L);
        const PolyEquation cleared = clearFractionsOfEquation(e, clearing.factor);
        if (L == 1) {
            run_.addPage({run_.table(e), run_.table(cleared)}, clearing.comment);
            run_.remember(run_.table(e));
        } else {
            const Color mark = run_.colored ? Color::red : Color::black;
            auto multiplied = [&](Color c) {
                return clearedEquationTable(run_.style, makePolyEquationClear(clearing.factor, e, c));
            };
            Engine_Step own{run_.table(colorEquationDenominators(mark, e)), multiplied(mark), run_.table(cleared)};
            for (Engine_Table& blank : blankTable(2)) own.push_back(std::move(blank));
            own.push_back(messageTable(clearing.note));
            run_.addPage(own, clearing.comment);
            run_.remember(run_.table(e));
            run_.remember(multiplied(Color::black));
        }
        e = cleared;
    }

    void combine() {
        const CombinedEquation combined = combineLikeTermsOfEquation(false, run_.current);
        if (combined.changed) rewrite(combined.equation, "combine like terms");
    }

    void removeSquareTerms() {
        if (const auto removed = removeSameSquareTerm(run_.current)) rewrite(*removed, "same square term on both sides");
    }

    void descendingPowers() {
        const auto convenient = exchangeSidesForConvenience(run_.current);
        if (!convenient) return;
        Engine_Step own;
        for (const PolyEquation& e : convenient->equations) own.push_back(run_.table(e));
        own.push_back(convenient->note ? messageTable(*convenient->note) : blankTable(0).front());
        run_.addPage(own, "descending powers of " + run_.variable);
        for (std::size_t i = 0; i + 1 < convenient->equations.size(); ++i) run_.remember(own[i]);
        run_.current = convenient->equations.back();
    }

    /// The linear solver's pages under the worked tables, then the answer.
    /// False when the linear solver cannot work the equation.
    bool solveLinear() {
        const PolyEquation& e = run_.current;
        if (!isSolvedForm(run_.style == Style::decimal, e)) {
            const QuadraticSteps linear =
                solveLinearEquation(Technique::transpose, false, true, run_.style, Method::smart, run_.clearFractions,
                                    e.LHS, e.RHS, e.relation, e.relation_color);
            if (!linear.comments.empty() && linear.comments.back() == std::vector<std::string>{"oops"}) return false;
            run_.result.append(linear, run_.worked);
        }
        if (run_.embedded) return true;
        const LinearSolution answer = linearSolution(e);
        const Style style = run_.style == Style::decimal ? Style::decimal : Style::fraction;
        const Engine_Table last =
            answer.status == Status::unique
                ? equationTable(style, makeEquationXL(
                                           makePolynomial({makeMonomial(makeDefaultRational(1, 1), 1, run_.variable)}),
                                           makePolynomial({makeMonomialX(answer.solution, 0)}), answer.relation))
                : messageTable(rawValue(answer.status));
        run_.result.addPage({run_.table(run_.problem), last}, "\U0001F60E");
        return true;
    }

private:
    /// The worked tables take the equation before, the page shows the one after.
    void rewrite(const PolyEquation& next, std::string comment) {
        run_.remember(run_.table(run_.current));
        run_.addPage({run_.table(next)}, std::move(comment));
        run_.current = next;
    }

    QuadraticRun& run_;
};

}  // namespace

QuadraticRun::QuadraticRun(bool colored, bool embedded, Style style, bool clearFractions, const PolyEquation& given)
    : colored(colored),
      embedded(embedded),
      style(style),
      clearFractions(clearFractions),
      variable(equationVariable(given, isNonZeroVariableTermClosure)),
      problem(removeZeroTermsOfEquation(true, given)),
      current(problem) {}

Engine_Table QuadraticRun::table(const PolyEquation& e) const { return equationTable(style, e); }

void QuadraticRun::addPage(const Engine_Step& own, std::string comment) {
    result.addPage(concatenateClosure(worked, own), std::move(comment));
}

void QuadraticRun::closingPage(bool orderNotes) {
    if (embedded) return;
    const QuadraticRoots roots = quadraticSolution(problem);
    Engine_Step page = blankTable(2);
    page.insert(page.begin(), table(problem));
    const bool twoRoots = roots.status != Quadratic_status::none && roots.status != Quadratic_status::rational_repeated;
    if (roots.status != Quadratic_status::none)
        page.push_back(rootsLine(variable, roots, Style::fraction,
                                 style == Style::fraction ? Style::rational_fraction : style));
    page.push_back(messageTable(rawValue(roots.status)));
    if (orderNotes && twoRoots)
        page.push_back(messageTable(roots.status == Quadratic_status::rational_distinct
                                        ? "(number line order)"
                                        : "(number line order)\n\nshown for convenience"));
    result.addPage(std::move(page), "\U0001F60E");
}

QuadraticSteps runQuadraticMethod(Tidying tidying, bool colored, bool embedded, Style style, bool clearFractions,
                                  const PolyEquation& given, const std::function<void(QuadraticRun&)>& quadraticSteps) {
    if (equationHasZeroDenominator(given)) return divisionByZeroPage(equationTable(style, given));
    try {
        QuadraticRun run(colored, embedded, style, clearFractions, given);
        if (hasOneLetter(run.problem)) {
            Opening opening(run);
            if (!embedded) run.result.addPage({run.table(run.problem)}, "\U0001F914");
            tidying == Tidying::simplify ? opening.simplify() : opening.clearFractions();
            opening.combine();
            opening.removeSquareTerms();
            if (higherPowerTerms(run.current) == 0) {
                if (opening.solveLinear()) return std::move(run.result);
            } else if (isQuadraticEquation(run.current)) {
                opening.descendingPowers();
                quadraticSteps(run);
                return std::move(run.result);
            }
        }
    } catch (const OverflowError&) {
    }
    return outOfScopePage(equationTable(style, given));
}

}  // namespace tl
