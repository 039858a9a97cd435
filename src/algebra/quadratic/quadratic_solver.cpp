#include "algebra/quadratic/quadratic_solver.hpp"

#include "algebra/linear/equation_rewrites.hpp"
#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/quadratic/factoring_steps.hpp"
#include "algebra/quadratic/formula_steps.hpp"
#include "algebra/quadratic/quadratic_run.hpp"
#include "algebra/quadratic/square_steps.hpp"
#include "algebra/tables.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

PolyEquation equationOf(const Polynomial& LHS, const Polynomial& RHS, Relation relation, Color relation_color) {
    return makeColoredEquationXL(LHS, RHS, relation, relation_color);
}

void formulaSteps(QuadraticRun& run) {
    run.addPage(substituteInFormulaSteps(run.colored, run.current()), "substitute in formula and solve");
    run.closingPage(false);
}

/// Each step's page shows its marks; what it leaves enters the worked
/// tables and the next step black.
void completeTheSquareSteps(QuadraticRun& run) {
    const Style style = run.style;
    // A step's equation before is the current one with its marks, so the
    // worked tables take the current equation's table for it.
    if (const auto division = divideByLeadingCoefficientStep(run.current())) {
        Engine_Step own{run.table(division->before), extEquationTable(style, division->multiplied),
                        run.table(division->after)};
        own.insert(own.end(), division->notes.begin(), division->notes.end());
        run.addPage(std::move(own), "divide by coefficient of " + run.variable + "\u00B2");
        run.remember(run.currentTable());
        run.remember(
            extEquationTable(style, recolorExtEquation(Color::black, Color::black, Color::black, division->multiplied)));
        run.setCurrent(blackEquation(division->after));
    }
    if (const auto move = constantTermToRightStep(run.current())) {
        run.addPage({run.table((*move)[0]), run.table((*move)[1]), blankTable(0).front()},
                    "constant term to right hand side");
        run.remember(run.currentTable());
        run.setCurrent(blackEquation((*move)[1]));
    }
    // Its numbers are always drawn as fractions.
    if (const auto completion = completeTheSquareStep(Style::fraction, run.current())) {
        const auto& [before, after] = completion->equations;
        Engine_Step own{run.table(before), run.table(after), equationRow(style, completion->square)};
        own.insert(own.end(), completion->notes.begin(), completion->notes.end());
        run.addPage(std::move(own), "complete the square");
        run.remember(run.currentTable());
        run.remember(run.table(blackEquation(after)));
        run.remember(equationRow(style, recolorEquationXL(Color::black, completion->square)));
        // The current equation stays: the square root works from x² + p x = q.
    } else {
        run.remember(run.currentTable());
    }
    run.addPage(squareRootAndSolveStep(style, run.current()), "square root and solve");
    run.closingPage(false);
}

void factoringSteps(QuadraticRun& run) {
    const Style style = run.style;
    if (const auto division = divideByCommonFactorStep(run.current())) {
        std::vector<Engine_Table> own, black;
        for (const Ext_polyEquation& e : division->equations) {
            own = extEquationTableClosure(style, std::move(own), e);
            black = blackExtEquationTableClosure(style, std::move(black), e);
        }
        own.push_back(messageTable(division->comment));
        run.addPage(std::move(own), "simplify the equation");
        black.pop_back();
        for (Engine_Table& t : black) run.remember(std::move(t));
        run.setCurrent(polyEquationFromExtEquation(division->equations.back()));
    }
    run.remember(run.currentTable());
    if (const auto factored = factorQuadraticSide(run.current())) {
        run.remember(equationRow(style, *factored));
        run.addPage({}, "complete the factorization");
    }
    // The factor equations are always drawn as fractions.
    auto drawn = [](const PolyEquation& e) { return equationTable(Style::fraction, e); };
    const ZeroProductSplit split = quadraticFactorability(run.colored, run.current());
    Engine_Step own = blankTable(2);
    if (split.first && split.second) {
        const Color mark = run.colored ? Color::red : Color::black;
        own.push_back(joinTableaux({drawn((*split.first)[0]), messageTable(" or ", mark), drawn((*split.second)[0])})
                          .value());
        own.push_back(joinTableaux({drawn((*split.first)[1]), messageTable(" or "), drawn((*split.second)[1])}).value());
    } else if (split.first) {
        own.push_back(drawn((*split.first)[0]));
        own.push_back(drawn((*split.first)[1]));
    } else {
        own.push_back(messageTable(split.message.value()));
    }
    run.addPage(std::move(own), split.first ? "zero-product rule" : "no solution");
    run.closingPage(true);
}

}  // namespace

QuadraticSteps solveQuadraticByFormula(Technique, bool colored, bool embedded, Style style, Method,
                                       bool clearFractions, const Polynomial& LHS, const Polynomial& RHS,
                                       Relation relation, Color relation_color) {
    return runQuadraticMethod(Tidying::simplify, colored, embedded, style, clearFractions,
                              equationOf(LHS, RHS, relation, relation_color), formulaSteps);
}

QuadraticSteps solveQuadraticByCompletingTheSquare(Technique, bool colored, bool embedded, Style style, Method,
                                                   bool clearFractions, const Polynomial& LHS, const Polynomial& RHS,
                                                   Relation relation, Color relation_color) {
    return runQuadraticMethod(Tidying::simplify, colored, embedded, style, clearFractions,
                              equationOf(LHS, RHS, relation, relation_color), completeTheSquareSteps);
}

QuadraticSteps solveQuadraticByFactoring(Technique, bool colored, bool embedded, Style style, Method,
                                         bool clearFractions, const Polynomial& LHS, const Polynomial& RHS,
                                         Relation relation, Color relation_color) {
    return runQuadraticMethod(Tidying::clearFractions, colored, embedded, style, clearFractions,
                              equationOf(LHS, RHS, relation, relation_color), factoringSteps);
}

QuadraticSteps solveQuadratic(Quadratic_method quadraticMethod, Technique technique, bool colored, bool embedded,
                              Style style, Method method, bool clearFractions, const Polynomial& LHS,
                              const Polynomial& RHS, Relation relation, Color relation_color) {
    switch (quadraticMethod) {
        case Quadratic_method::formula:
            return solveQuadraticByFormula(technique, colored, embedded, style, method, clearFractions, LHS, RHS,
                                           relation, relation_color);
        case Quadratic_method::complete_the_square:
            return solveQuadraticByCompletingTheSquare(technique, colored, embedded, style, method, clearFractions,
                                                       LHS, RHS, relation, relation_color);
        case Quadratic_method::factor:
            break;
    }
    return solveQuadraticByFactoring(technique, colored, embedded, style, method, clearFractions, LHS, RHS, relation,
                                     relation_color);
}

}  // namespace tl
