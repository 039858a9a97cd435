#include "algebra/linear/linear_solver.hpp"

#include <iterator>
#include <optional>
#include <utility>

#include "algebra/linear/collecting_terms.hpp"
#include "algebra/linear/equation_rewrites.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/quadratic/step_exclusions.hpp"
#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

void LinearSteps::addPage(Engine_Step page, std::string comment) {
    steps.push_back(std::move(page));
    comments.push_back({std::move(comment)});
}

void LinearSteps::append(LinearSteps nested, Engine_Step prefix, PagePrefixClosure join) {
    for (std::size_t i = 0; i + 1 < nested.steps.size(); ++i) steps.push_back(join(prefix, std::move(nested.steps[i])));
    if (!nested.steps.empty()) steps.push_back(join(std::move(prefix), std::move(nested.steps.back())));
    comments.insert(comments.end(), std::make_move_iterator(nested.comments.begin()),
                    std::make_move_iterator(nested.comments.end()));
}

namespace {

LinearSteps failurePage(const Engine_Table& equation, std::string_view message) {
    Engine_Step page{equation};
    for (Engine_Table& blank : blankTable(2)) page.push_back(std::move(blank));
    page.push_back(messageTable(message));
    page.push_back(messageTable("please correct"));
    LinearSteps result;
    result.addPage(std::move(page), "oops");
    return result;
}

}  // namespace

LinearSteps divisionByZeroPage(const Engine_Table& equation) { return failurePage(equation, "division by zero"); }
LinearSteps outOfScopePage(const Engine_Table& equation) { return failurePage(equation, "beyond module scope"); }

bool isLinearInOneVariable(const PolyEquation& e) { return equationHasOneLetter(e) && netDegree(e) <= 1; }

namespace {

/// One run of the solver: the options, what is fixed before the first step,
/// and the working state (the current equation and the tables of the
/// equations worked through, which head every working page). Each table is
/// built once: a page shows it, later pages copy it, the last one takes it.
class LinearRun {
public:
    LinearRun(Technique technique, bool colored, bool embedded, Style style, Method method, bool clearFractions,
              PolyEquation eq0)
        : technique_(technique),
          colored_(colored),
          embedded_(embedded),
          style_(style),
          method_(method),
          clearFractions_(clearFractions),
          eq0_(std::move(eq0)),
          V_(solvingLetter(eq0_, isNonZeroLinearTermClosure)),
          termV_(makeMonomial(makeDefaultRational(1, 1), 1, V_)),
          termMinusV_(makeMonomial(makeDefaultRational(-1, 1), 1, V_)),
          answer_(linearSolution(eq0_)),
          answerStyle_(style == Style::decimal ? Style::decimal : Style::fraction),
          current_(eq0_) {}

    LinearSteps solve() {
        const Step_exclusions exclusions = stepExclusions(style_, eq0_);
        problem_ = problemPage();
        if (!embedded_) out_.addPage(problem_, "🤔");
        if (shortCut()) return std::move(out_);
        tidy(exclusions);
        cancelHigherPowers();
        collect();
        finish();
        if (!embedded_) out_.addPage(std::move(problem_), "😎");
        return std::move(out_);
    }

private:
    // ---- equations and tables ----------------------------------------------

    Color mark() const { return colored_ ? Color::red : Color::black; }
    /// The relation colour of an equation a page builds: red only for a
    /// marked inequality.
    Color builtRelationColor() const {
        return colored_ && eq0_.relation != Relation::equal_to ? Color::red : Color::black;
    }
    Engine_Table table(const PolyEquation& e) const { return equationTable(style_, e); }
    Polynomial constantSide(const Rational& value) const { return makePolynomial({makeMonomialX(value, 0)}); }
    Polynomial variableSide() const { return makePolynomial({termV_}); }
    /// V solved-relation solution.
    PolyEquation answerEquation(Color relationColor) const {
        return makeColoredEquationXL(variableSide(), constantSide(answer_.solution), answer_.relation, relationColor);
    }
    Engine_Table answerTable(Color relationColor) const {
        return equationTable(answerStyle_, answerEquation(relationColor));
    }
    std::string solveForComment() const { return "solve for " + V_; }
    /// Two blank tables and the sign-change note, unless embedded.
    Engine_Step signChangeNote() const {
        if (embedded_) return {};
        Engine_Step tables = blankTable(2);
        tables.push_back(
            messageTable("notice  -" + V_ + "  to  " + V_ + "  conversion\nmultiplication of both sides\nby (-1)"));
        return tables;
    }
    /// Adds the page: the tables of the equations worked through, then
    /// `tables`; returns where `tables` begin on it.
    std::size_t addWorkingPage(Engine_Step tables, std::string comment) {
        const std::size_t own = history_.size();
        out_.addPage(concatenateClosure(history_, std::move(tables)), std::move(comment));
        return own;
    }
    /// Moves on to `next`; its table is table `index` of the last page, or
    /// on no page.
    void advance(PolyEquation next, std::optional<std::size_t> index) {
        current_ = std::move(next);
        currentShown_.reset();
        if (index) currentShown_ = Shown{out_.steps.size() - 1, *index};
    }
    /// The table of the current equation: copied from where it is shown (the
    /// problem's own table for the equation as given), else built.
    Engine_Table currentTable() const {
        if (!currentShown_) return table(current_);
        if (currentShown_->page == kProblem) return problem_.front();
        return out_.steps.at(currentShown_->page).at(currentShown_->index);
    }

    // ---- problem page and short cuts ----------------------------------------

    Engine_Step problemPage() const {
        Engine_Step page = engineStep(table(eq0_));
        if (answer_.status != Status::unique) page.push_back(messageTable(rawValue(answer_.status)));
        else if (!isSolvedForm(style_ == Style::decimal, eq0_) || style_ == Style::rational_fraction)
            page.push_back(answerTable(Color::black));
        return page;
    }

    /// An equation already in a final shape (a lone V, −V or constant against
    /// a constant) is finished with one "solve" page.
    bool shortCut() {
        const Polynomial &L = eq0_.LHS, &R = eq0_.RHS;
        auto reducedConstant = [](const Polynomial& s) { return isLoneConstant(true, s); };
        auto constant = [](const Polynomial& s) { return isLoneConstant(false, s); };
        auto variable = [](const Polynomial& s) { return isLoneVariable(false, s); };
        auto minusVariable = [](const Polynomial& s) { return isLoneVariable(true, s); };

        // The tables the short cuts show, built only for the one that applies
        // (the equation as given is still the current one).
        const Color c = builtRelationColor();
        auto reduced = [&] { return reduceCoefficientsOfEquation(eq0_); };
        // The reduced equation is shown unless the style is decimal.
        auto reducedTable = [&] {
            return style_ == Style::decimal ? Engine_Step{} : engineStep(equationTable(answerStyle_, reduced()));
        };
        auto answer = [&] { return answerTable(c); };
        auto multiplied = [&] {
            return equationTable(answerStyle_, makeColoredEquationXL(constantSide(answer_.solution), variableSide(),
                                                                     flipRelation(eq0_.relation), c));
        };
        auto exchanged = [&](const PolyEquation& e) {
            return equationTable(answerStyle_, makeColoredEquationXL(e.RHS, e.LHS, flipRelation(e.relation), c));
        };

        Engine_Step page;
        auto add = [&page](Engine_Step tables) {
            page.insert(page.end(), std::make_move_iterator(tables.begin()), std::make_move_iterator(tables.end()));
        };
        if (reducedConstant(L) && reducedConstant(R)) {
            page = problem_;
        } else if (constant(L) && constant(R)) {
            page = engineStep(currentTable());
            if (style_ != Style::decimal) page.push_back(table(reduced()));
            add(Engine_Step(problem_.begin() + 1, problem_.end()));
        } else if (minusVariable(L) && constant(R)) {
            page = engineStep(currentTable());
            if (!reducedConstant(R)) add(reducedTable());
            page.push_back(answer());
            add(signChangeNote());
        } else if (variable(L) && reducedConstant(R)) {
            page = embedded_ ? engineStep(currentTable()) : problem_;
        } else if (variable(L) && constant(R)) {
            page = engineStep(currentTable());
            add(reducedTable());
        } else if (constant(L) && minusVariable(R)) {
            page = engineStep(currentTable());
            if (!reducedConstant(L)) add(reducedTable());
            add(engineStep(multiplied(), answer()));
            add(signChangeNote());
        } else if (constant(L) && variable(R)) {
            page = engineStep(currentTable());
            if (reducedConstant(L)) {
                page.push_back(exchanged(eq0_));
            } else {
                add(reducedTable());
                page.push_back(exchanged(style_ == Style::decimal ? eq0_ : reduced()));
            }
        } else {
            return false;
        }
        out_.addPage(std::move(page), "solve");
        if (!embedded_) out_.addPage(std::move(problem_), "😎");
        return true;
    }

    // ---- tidying -------------------------------------------------------------

    void tidy(Step_exclusions exclusions) {
        using enum Step_exclusions;
        if (!stepExclusionsEquals(exclusions, reduce) && !stepExclusionsEquals(exclusions, reduce_and_clear) &&
            equationHasUnreducedCoefficient(current_)) {
            PolyEquation next = reduceCoefficientsOfEquation(current_);
            Engine_Table before = currentTable();
            const std::size_t own = addWorkingPage(engineStep(Engine_Table(before), table(next)), "simplify");
            history_.push_back(std::move(before));
            advance(std::move(next), own + 1);
        }
        combine(true, "combine simple like terms");
        const Step_exclusions again = stepExclusions(style_, current_);
        if (clearFractions_ && !stepExclusionsEquals(again, clear) && !stepExclusionsEquals(again, reduce_and_clear) &&
            equationHasFraction(current_))
            clearFractionsStep();
        combine(false, "combine like terms");
    }

    void combine(bool simpleOnly, const char* comment) {
        CombinedEquation combined = combineLikeTermsOfEquation(simpleOnly, current_);
        if (combined.changed) rewrite(std::move(combined.equation), comment);
    }

    /// The current equation joins the history; the page shows `next`.
    void rewrite(PolyEquation next, std::string comment) {
        history_.push_back(currentTable());
        const std::size_t own = addWorkingPage(engineStep(table(next)), std::move(comment));
        advance(std::move(next), own);
    }

    void clearFractionsStep() {
        const std::int64_t L = lcmOfEquationDenominators(current_);
        const FractionClearing clearing = fractionClearing(style_, L);
        PolyEquation next = clearFractionsOfEquation(current_, clearing.factor);
        Engine_Table before = currentTable();
        if (L == 1) {
            const std::size_t own = addWorkingPage(engineStep(Engine_Table(before), table(next)), clearing.comment);
            history_.push_back(std::move(before));
            advance(std::move(next), own + 1);
            return;
        }
        auto multiplied = [&](Color c) {
            return clearedEquationTable(style_, makePolyEquationClear(clearing.factor, current_, c));
        };
        Engine_Step tables =
            engineStep(table(colorEquationDenominators(mark(), current_)), multiplied(mark()), table(next));
        for (Engine_Table& blank : blankTable(2)) tables.push_back(std::move(blank));
        tables.push_back(messageTable(clearing.note));
        const std::size_t own = addWorkingPage(std::move(tables), clearing.comment);
        history_.push_back(std::move(before));
        history_.push_back(multiplied(Color::black));
        advance(std::move(next), own + 2);
    }

    // ---- higher powers ------------------------------------------------------

    /// Powers above the first, and the terms of other letters, cancel across
    /// the sides here (tidying has added up like terms on each side): equal
    /// squares leave both sides, and anything else goes when everything is
    /// gathered on the left.
    void cancelHigherPowers() {
        const auto cancelled = [this] { return countHigherPowerTerms(current_) == 0 && termsNameOneLetter(current_); };
        if (cancelled()) return;
        if (auto removed = removeSameSquareTerm(current_)) {
            rewrite(std::move(*removed), "same square term on both sides");
            if (cancelled()) return;
        }
        auto convenient = exchangeSidesForConvenience(current_);
        if (!convenient) return;
        const std::string letter = solvingLetter(current_, isNonZeroVariableTermClosure);
        // The page shows the current equation (the first) and the others;
        // all but the last join the history.
        const std::size_t shown = convenient->equations.size();
        const std::size_t own = addWorkingPage(descendingPowersTables(style_, currentTable(), *convenient),
                                               "descending powers of " + letter);
        const Engine_Step& page = out_.steps.back();
        history_.insert(history_.end(), page.begin() + static_cast<std::ptrdiff_t>(own),
                        page.begin() + static_cast<std::ptrdiff_t>(own + shown - 1));
        advance(std::move(convenient->equations.back()), own + shown - 1);
    }

    // ---- collecting terms ----------------------------------------------------

    void collect() {
        if (const auto advice = transposeAdvice(technique_, colored_, method_, current_)) {
            Engine_Step tables;
            for (const PolyEquation& e : advice->equations) tables.push_back(table(e));
            if (advice->advice.empty()) tables.push_back(blankTable(0).front());
            else tables.push_back(messageTable(advice->advice));
            addWorkingPage(std::move(tables), V_ + " terms to one side");
            for (std::size_t i = 0; i + 1 < advice->equations.size(); ++i)
                history_ = blackEquationTableClosure(style_, std::move(history_), advice->equations[i]);
            advance(blackEquation(advice->equations.back()), std::nullopt);
        }
        const ConstantMove move = moveConstantTerms(technique_, colored_, current_);
        if (!move.didMove) return;
        PolyEquation next = combineLikeTermsOfEquation(false, move.black).equation;
        const std::size_t own = addWorkingPage(engineStep(table(move.marked), table(move.moved), table(next)),
                                               "constant terms opposite to " + V_);
        history_.push_back(currentTable());
        // Unmarked, the moved equation is the black one: its table is on the page.
        history_.push_back(colored_ ? table(move.black) : out_.steps.back().at(own + 1));
        advance(std::move(next), own + 2);
    }

    // ---- final step ----------------------------------------------------------

    void finish() {
        Monomial a = current_.LHS.terms.front(), b = current_.RHS.terms.front();
        const bool vRight = a.exponent == 0 && b.exponent == 1;
        if (vRight) std::swap(a, b);
        if (a == termV_ || a == termMinusV_) {
            if (!vRight && a == termV_) return;
            Engine_Step tables = engineStep(currentTable());
            if (vRight && a == termMinusV_)
                tables.push_back(table(makeColoredEquationXL(constantSide(answer_.solution), variableSide(),
                                                             flipRelation(current_.relation), builtRelationColor())));
            tables.push_back(table(answerEquation(builtRelationColor())));
            if (a == termMinusV_) {
                const Engine_Step note = signChangeNote();
                tables.insert(tables.end(), note.begin(), note.end());
            }
            addWorkingPage(std::move(tables), solveForComment());
        } else if (a.exponent != 0 || b.exponent != 0) {
            divisionPage(a, b, vRight);
        } else {
            addWorkingPage(engineStep(currentTable(), messageTable(rawValue(answer_.status))), "solve");
        }
    }

    /// The equation with the V-side `vSide` and the constant side `cSide` in
    /// the orientation of the current equation.
    static Engine_Table row(Relation relation, Color relationColor, const Engine_Table& vSide,
                            const Engine_Table& cSide, bool vRight) {
        return vRight ? joinItem(rawValue(relation), cSide, vSide, relationColor)
                      : joinItem(rawValue(relation), vSide, cSide, relationColor);
    }
    PolyEquation oriented(const Rational& constant, Relation relation, bool vRight) const {
        return vRight ? makeColoredEquationXL(constantSide(constant), variableSide(), relation, builtRelationColor())
                      : makeColoredEquationXL(variableSide(), constantSide(constant), relation, builtRelationColor());
    }

    /// Divides by the coefficient k of the V-term a (or multiplies by 1/k):
    /// the row a relation b, the operation, the result (reduced on a page of
    /// its own line when it is not), and the answer when V stood on the right.
    void divisionPage(const Monomial& a, const Monomial& b, bool vRight) {
        const Color c = mark();
        const Relation relation = current_.relation;
        const bool isEquality = eq0_.relation == Relation::equal_to;
        history_.push_back(row(relation, Color::black, numberRowParts(a, style_), numberRowParts(b, style_), vRight));
        const Relation solved = vRight ? flipRelation(answer_.relation) : answer_.relation;
        if (a.coefficient.denominator == 1 && b.coefficient.denominator == 1) {
            const std::int64_t k = a.coefficient.numerator;
            const Monomial kVOverK = makeMonomial(makeThreeColorRational(k, k, Color::black, c, c), 1, V_);
            const Engine_Table vSide =
                numberRowParts(technique_ == Technique::balance ? kVOverK : termV_, Style::rational_fraction);
            const Engine_Table cSide =
                numberRowParts(makeMonomialX(makeThreeColorRational(b.coefficient.numerator, k, Color::black, c, c), 0),
                               Style::rational_fraction);
            history_.push_back(row(k < 0 ? flipRelation(relation) : relation, isEquality || k > 0 ? Color::black : c,
                                   vSide, cSide, vRight));
            history_.push_back(table(oriented(answer_.solution, solved, vRight)));
        } else {
            const Rational reciprocal = reciprocalRational(a.coefficient).value();
            const bool negative = isNegativeRational(a.coefficient).value();
            const bool forceFraction = !(a.coefficient.numerator == 1 && b.coefficient.denominator == 1);
            const Engine_Table r = rationalTable(forceFraction, style_, recolorRational(reciprocal, c));
            auto timesR = [&](const Engine_Table& t) {
                return joinItem(juxtapositionJoinText, r, unaryItem("()", t), c);
            };
            const Engine_Table vSide =
                technique_ == Technique::balance ? timesR(numberRowParts(a, style_)) : numberRowParts(termV_, style_);
            history_.push_back(row(negative ? flipRelation(relation) : relation,
                                   isEquality || !negative ? Color::black : c, vSide,
                                   timesR(rationalTable(false, style_, b.coefficient)), vRight));
            const Rational product = multiplyRational(b.coefficient, reciprocal, false).value();
            history_.push_back(table(oriented(product, solved, vRight)));
            if (rationalNeedsReducing(product).value())
                history_.push_back(table(oriented(simplifyRational(product).value(), solved, vRight)));
        }
        if (vRight) history_.push_back(table(answerEquation(builtRelationColor())));
        out_.addPage(std::move(history_), solveForComment());  // the last working page
    }

    Technique technique_;
    bool colored_, embedded_;
    Style style_;
    Method method_;
    bool clearFractions_;
    PolyEquation eq0_;
    std::string V_;
    Monomial termV_, termMinusV_;
    LinearSolution answer_;
    Style answerStyle_;
    Engine_Step problem_;
    PolyEquation current_;
    /// Where a page shows the table of current_: table `index` of page
    /// `page` of out_, page kProblem standing for the problem's own table.
    static constexpr std::size_t kProblem = static_cast<std::size_t>(-1);
    struct Shown {
        std::size_t page = kProblem, index = 0;
    };
    std::optional<Shown> currentShown_ = Shown{};
    std::vector<Engine_Table> history_;
    LinearSteps out_;
};

}  // namespace

LinearSteps solveLinearEquation(Technique technique, bool colored, bool embedded, Style style, Method method,
                                bool clearFractions, const Polynomial& LHS, const Polynomial& RHS, Relation relation,
                                Color relation_color) {
    const PolyEquation given = makeColoredEquationXL(LHS, RHS, relation, relation_color);
    if (equationHasZeroDenominator(given)) return divisionByZeroPage(equationTable(style, given));
    try {
        PolyEquation eq0 = removeZeroTermsOfEquation(true, given);
        if (!isLinearInOneVariable(eq0)) return outOfScopePage(equationTable(style, given));
        return LinearRun(technique, colored, embedded, style, method, clearFractions, std::move(eq0)).solve();
    } catch (const OverflowError&) {
        return outOfScopePage(equationTable(style, given));
    }
}

}  // namespace tl
