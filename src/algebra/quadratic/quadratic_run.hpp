// One run of a quadratic method: its state (the problem, the current
// equation, the tables of the equations worked through, the pages so far),
// the opening the three methods share, the hand-over of a linear equation
// to the linear solver, and the closing page of the roots.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/values.hpp"
#include "common/tableau.hpp"

namespace tl {

class QuadraticRun {
public:
    QuadraticRun(bool colored, bool embedded, Style style, bool clearFractions, const PolyEquation& given);

    const bool colored;
    const bool embedded;
    const Style style;
    const bool clearFractions;
    const std::string variable;  // `solvingLetter` of the equation as given
    const PolyEquation problem;  // as given, without zero terms, black
    const Engine_Table problemTable;
    std::vector<Engine_Table> worked;  // tables of the equations worked through
    QuadraticSteps result;

    /// The equation the next step works on, always black.
    const PolyEquation& current() const { return current_; }
    /// Its table, built once however often it is shown.
    const Engine_Table& currentTable();
    /// `next` (black) becomes the current equation; `shown` is its table
    /// when a page has already built it.
    void setCurrent(PolyEquation next, std::optional<Engine_Table> shown = std::nullopt);

    Engine_Table table(const PolyEquation& e) const;
    /// Adds the page: the worked tables, then `own`.
    void addPage(Engine_Step own, std::string comment);
    void remember(Engine_Table table) { worked.push_back(std::move(table)); }

    /// "😎": the problem, two blanks, the roots and their kind (rational
    /// roots as fractions, irrational ones in the run's style, a common
    /// denominator for the fraction style); with `orderNotes` the
    /// "(number line order)" notes of two roots. Nothing when embedded.
    void closingPage(bool orderNotes);

private:
    PolyEquation current_;
    std::optional<Engine_Table> currentTable_;
};

/// The first tidying step of a method: reducing coefficients ("simplify"),
/// or clearing fractions or decimals (factoring).
enum class Tidying { simplify, clearFractions };

/// A whole method run: the opening, then `quadraticSteps` when the
/// equation stays quadratic, or the linear solver and the linear answer.
/// The failure pages are the whole result: "division by zero" for a zero
/// denominator, "beyond module scope" for more than one letter, degree 3 or
/// more, a quadratic inequality and numbers beyond 64 bits.
QuadraticSteps runQuadraticMethod(Tidying tidying, bool colored, bool embedded, Style style, bool clearFractions,
                                  const PolyEquation& given, const std::function<void(QuadraticRun&)>& quadraticSteps);

}  // namespace tl
