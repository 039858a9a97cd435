#include "algebra/quadratic/quadratic_run.hpp"

#include "algebra/linear/equation_rewrites.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/quadratic/quadratic_roots.hpp"
#include "algebra/quadratic/root_rows.hpp"
#include "algebra/side_operations.hpp"
#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

/// What the quadratic steps can work: an equation of degree 2 at most once
/// like powers of both sides are gathered (a cube on both sides cancels on
/// the "descending powers" page). Inequalities are not solved by their roots.
bool isQuadraticEquation(const PolyEquation& e) { return e.relation == Relation::equal_to && netDegree(e) <= 2; }

class Opening {
public:
    explicit Opening(QuadraticRun& run) : run_(run) {}

    void simplify() {
        if (!equationHasUnreducedCoefficient(run_.current())) return;
        PolyEquation reduced = reduceCoefficientsOfEquation(run_.current());
        Engine_Table after = run_.table(reduced);
        run_.addPage({run_.currentTable(), after}, "simplify");
        run_.remember(run_.currentTable());
        run_.setCurrent(std::move(reduced), std::move(after));
    }

    /// Clears fractions whether or not the option asks for it; in decimal
    /// style by the smallest power of ten the denominators divide.
    void clearFractions() {
        const PolyEquation& e = run_.current();
        if (!equationHasFraction(e)) return;
        const std::int64_t L = lcmOfEquationDenominators(e);
        const FractionClearing clearing = fractionClearing(run_.style, L);
        PolyEquation cleared = clearFractionsOfEquation(e, clearing.factor);
        Engine_Table after = run_.table(cleared);
        if (L == 1) {
            run_.addPage({run_.currentTable(), after}, clearing.comment);
            run_.remember(run_.currentTable());
        } else {
            const Color mark = run_.colored ? Color::red : Color::black;
            auto multiplied = [&](Color c) {
                return clearedEquationTable(run_.style, makePolyEquationClear(clearing.factor, e, c));
            };
            Engine_Step own{run_.table(colorEquationDenominators(mark, e)), multiplied(mark), after};
            for (Engine_Table& blank : blankTable(2)) own.push_back(std::move(blank));
            own.push_back(messageTable(clearing.note));
            run_.addPage(std::move(own), clearing.comment);
            run_.remember(run_.currentTable());
            run_.remember(multiplied(Color::black));
        }
        run_.setCurrent(std::move(cleared), std::move(after));
    }

    void combine() {
        const CombinedEquation combined = combineLikeTermsOfEquation(false, run_.current());
        if (combined.changed) rewrite(combined.equation, "combine like terms");
    }

    void removeSquareTerms() {
        if (const auto removed = removeSameSquareTerm(run_.current())) rewrite(*removed, "same square term on both sides");
    }

    void descendingPowers() {
        auto convenient = exchangeSidesForConvenience(run_.current());
        if (!convenient) return;
        // The first equation is the current one.
        Engine_Step own = descendingPowersTables(run_.style, run_.currentTable(), *convenient);
        Engine_Table last = own.end()[-2];
        std::vector<Engine_Table> passed(own.begin(), own.end() - 2);  // every equation but the last
        run_.addPage(std::move(own), "descending powers of " + run_.variable);
        for (Engine_Table& t : passed) run_.remember(std::move(t));
        run_.setCurrent(std::move(convenient->equations.back()), std::move(last));
    }

    /// The linear solver's pages under the worked tables, then the answer.
    /// False when the linear solver cannot work the equation.
    bool solveLinear() {
        const PolyEquation& e = run_.current();
        if (!isSolvedForm(run_.style == Style::decimal, e)) {
            QuadraticSteps linear =
                solveLinearEquation(Technique::transpose, false, true, run_.style, Method::smart, run_.clearFractions,
                                    e.LHS, e.RHS, e.relation, e.relation_color);
            if (!linear.comments.empty() && linear.comments.back() == std::vector<std::string>{"oops"}) return false;
            run_.result.append(std::move(linear), run_.worked);
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
        run_.result.addPage({run_.problemTable, last}, "\U0001F60E");
        return true;
    }

private:
    /// The worked tables take the equation before, the page shows the one after.
    void rewrite(const PolyEquation& next, std::string comment) {
        run_.remember(run_.currentTable());
        Engine_Table shown = run_.table(next);
        run_.addPage({shown}, std::move(comment));
        run_.setCurrent(next, std::move(shown));
    }

    QuadraticRun& run_;
};

}  // namespace

QuadraticRun::QuadraticRun(bool colored, bool embedded, Style style, bool clearFractions, const PolyEquation& given)
    : colored(colored),
      embedded(embedded),
      style(style),
      clearFractions(clearFractions),
      variable(solvingLetter(given, isNonZeroVariableTermClosure)),
      problem(removeZeroTermsOfEquation(true, given)),
      problemTable(table(problem)),
      current_(problem),
      currentTable_(problemTable) {}

const Engine_Table& QuadraticRun::currentTable() {
    if (!currentTable_) currentTable_ = table(current_);
    return *currentTable_;
}

void QuadraticRun::setCurrent(PolyEquation next, std::optional<Engine_Table> shown) {
    current_ = std::move(next);
    currentTable_ = std::move(shown);
}

Engine_Table QuadraticRun::table(const PolyEquation& e) const { return equationTable(style, e); }

void QuadraticRun::addPage(Engine_Step own, std::string comment) {
    result.addPage(concatenateClosure(worked, std::move(own)), std::move(comment));
}

void QuadraticRun::closingPage(bool orderNotes) {
    if (embedded) return;
    const QuadraticRoots roots = quadraticSolution(problem);
    Engine_Step page = blankTable(2);
    page.insert(page.begin(), problemTable);
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
        if (equationHasOneLetter(run.problem)) {
            Opening opening(run);
            if (!embedded) run.result.addPage({run.problemTable}, "\U0001F914");
            tidying == Tidying::simplify ? opening.simplify() : opening.clearFractions();
            opening.combine();
            opening.removeSquareTerms();
            // The degree test: no term above the first power, or only powers
            // that cancel across the sides (the linear solver shows them go).
            if (countHigherPowerTerms(run.current()) == 0 || netDegree(run.current()) <= 1) {
                if (opening.solveLinear()) return std::move(run.result);
            } else if (isQuadraticEquation(run.current())) {
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
