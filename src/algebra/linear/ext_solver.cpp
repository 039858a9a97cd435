#include "algebra/linear/ext_solver.hpp"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "algebra/linear/ext_equation.hpp"
#include "algebra/linear/ext_steps.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/wide_rational.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

constexpr char kProblemComment[] = "\U0001F914";
constexpr char kClosingComment[] = "\U0001F60E";
constexpr char kFailureComment[] = "oops";

std::string lcmNote(std::int64_t lcm) {
    std::string note = "\n";
    note += std::to_string(lcm);
    note += " is LCM of denominators\n\nwe can use any multiple of the\ndenominators to clear fractions";
    return note;
}

/// Every working page repeats the equations worked through before it (the
/// pages share those tables, but JSON and text write them out on each). A
/// solution with a page of more than this many rows (16 MB, and seconds to
/// draw), or of more than kMaxExtSolutionRows rows on all its pages
/// together, gets the out-of-scope page instead.
constexpr std::size_t kMaxPageRows = 250'000;
struct TooLargeToShow {};

std::size_t rowCount(const Engine_Step& tables) {
    std::size_t rows = 0;
    for (const Engine_Table& t : tables) rows += t.size();
    return rows;
}

Ext_polyEquation black(const Ext_polyEquation& e) {
    return recolorExtEquation(Color::black, Color::black, Color::black, e);
}

/// One run of the worked solver: its options, its pages and the tables of
/// the equations worked through so far (black, the problem first).
class ExtSolver {
public:
    ExtSolver(Technique technique, bool colored, Style style, Method method, bool clearFractions)
        : technique_(technique), colored_(colored), style_(style), method_(method), clearFractions_(clearFractions) {}

    Engine_Table table(const Ext_polyEquation& e) const { return extEquationTable(style_, e); }

    /// A page of the history followed by `tables`.
    void addWorkingPage(Engine_Step tables, const char* comment) {
        tables.insert(tables.begin(), history_.begin(), history_.end());
        addPage(std::move(tables), comment);
    }

    /// A page of its own (the problem, the closing answer).
    void addPage(Engine_Step tables, const char* comment) {
        admit(tables);
        result.addPage(std::move(tables), comment);
    }

    /// The page of a step from the working equation `e` (before over after),
    /// after which `e` joins the history. A step that marks nothing shows
    /// `e` itself as before, and its after is black already.
    void addStep(const Ext_polyEquation& e, const ExtStepPair& step, bool marks, const char* comment) {
        Engine_Table after = table(step.after);
        addWorkingPage(engineStep(marks ? table(step.before) : workingTable(e), after), comment);
        remember(takeWorkingTable(e));
        working_ = marks ? std::nullopt : std::optional{std::move(after)};
    }

    void addClearFractionsStep(const Ext_polyEquation& e, const ExtClearedFractions& c) {
        Engine_Table multiplied = table(c.multiplied), result = table(c.result);
        // Marked, the product on the page is the marked one and the history takes a black one.
        Engine_Table blackMultiplied = colored_ ? table(black(c.multiplied)) : multiplied;
        addWorkingPage(engineStep(colored_ ? table(c.marked) : workingTable(e), std::move(multiplied), result,
                                  messageTable(lcmNote(c.lcm))),
                       "clear fractions");
        remember(takeWorkingTable(e));
        remember(std::move(blackMultiplied));
        working_ = std::move(result);
    }

    /// The linear solver's pages for the flat equation `p` under `prefix`
    /// (put over each page by `join`), or, when `p` is not linear in one
    /// letter, its out-of-scope page (and false). The nested solver fails
    /// only when its numbers leave 64 bits, which ends this run as well.
    bool handOver(const PolyEquation& p, Engine_Step prefix, PagePrefixClosure join) {
        const bool linear = isLinearInOneVariable(p);
        LinearSteps nested = linear ? solveLinearEquation(technique_, colored_, true, style_, method_, clearFractions_,
                                                          p.LHS, p.RHS, p.relation, p.relation_color)
                                    : outOfScopePage(equationTable(style_, p));
        if (linear && !nested.comments.empty() && nested.comments.back() == std::vector<std::string>{kFailureComment})
            throw OverflowError("the flattened equation's numbers leave 64 bits");
        const std::size_t first = result.steps.size();
        result.append(std::move(nested), std::move(prefix), join);
        for (std::size_t i = first; i < result.steps.size(); ++i) admit(result.steps[i]);
        return linear;
    }

    /// The answer of `p` under the problem table `problem`.
    void addClosingPage(const Engine_Table& problem, const PolyEquation& p) {
        const LinearSolution s = linearSolution(p);
        Engine_Table answer;
        if (s.status == Status::unique) {
            const Style answerStyle = style_ == Style::decimal ? Style::decimal : Style::fraction;
            const std::string letter = solvingLetter(p, isNonZeroLinearTermClosure);
            const Polynomial variable = makePolynomial({makeMonomial(makeDefaultRational(1, 1), 1, letter)});
            const Polynomial value = makePolynomial({makeMonomialX(rationalWithDefaultColors(s.solution), 0)});
            answer = equationTable(answerStyle, makeEquationXL(variable, value, s.relation));
        } else {
            answer = messageTable(rawValue(s.status));
        }
        addPage(engineStep(problem, std::move(answer)), kClosingComment);
    }

    /// The table joins the history, the tables every later page starts with.
    void remember(Engine_Table t) { history_.push_back(std::move(t)); }
    /// The history given up, to go in front of the linear solver's pages.
    Engine_Step takeHistory() { return std::exchange(history_, {}); }

    LinearSteps result;

private:
    /// Counts a page into the solution, which must stay showable.
    void admit(const Engine_Step& page) {
        const std::size_t rows = rowCount(page);
        solutionRows_ += rows;
        if (rows > kMaxPageRows || solutionRows_ > kMaxExtSolutionRows) throw TooLargeToShow{};
    }

    /// The table of the working equation, made once per equation.
    const Engine_Table& workingTable(const Ext_polyEquation& e) {
        if (!working_) working_ = table(e);
        return *working_;
    }
    /// The same table given up, as the equation joins the history.
    Engine_Table takeWorkingTable(const Ext_polyEquation& e) {
        Engine_Table t = working_ ? std::move(*working_) : table(e);
        working_.reset();
        return t;
    }

    Engine_Step history_;
    std::size_t solutionRows_ = 0;
    std::optional<Engine_Table> working_;
    Technique technique_;
    bool colored_;
    Style style_;
    Method method_;
    bool clearFractions_;
};

/// The equation with its parentheses multiplied out page by page, the
/// tables worked through joining the solver's history.
Ext_polyEquation flatten(Ext_polyEquation e, bool colored, bool clearFractionsFirst, ExtSolver& solver) {
    if (const auto s = simplifyStep(e)) {
        solver.addStep(e, *s, false, "simplify");
        e = black(s->after);
    }
    if (clearFractionsFirst)
        if (const auto c = clearFractionsStep(colored, e)) {
            solver.addClearFractionsStep(e, *c);
            e = black(c->result);
        }
    while (true) {
        if (const auto k = combineSimpleLikeTermsStep(true, e)) {
            solver.addStep(e, *k, false, "combine simple like terms");
            e = black(k->after);
        }
        const auto d = distributeStep(colored, e);
        if (!d) return e;
        solver.addStep(e, *d, colored, "distribute to remove (  )");
        e = black(d->after);
    }
}

/// The terms of an equation multiplied out, by power and letter (every
/// constant under power 0 and the letter ""): each term's coefficient times
/// the multipliers of the groups around it, those of the RHS negated.
using MultipliedTerms = std::map<std::pair<std::uint64_t, std::string>, std::vector<WideRational>>;

/// Adds the side's terms multiplied out, exact in 128 bits, with `sign`.
/// A group refers only to earlier ones through one group term, so one pass
/// from the top level down gives each group the product of the multipliers
/// around it (in turn, from the outside in) before its terms are reached; a
/// group no term reaches any more (that of a dropped zero term) is left out.
void multiplyOut(const Ext_polynomial& side, int sign, MultipliedTerms& into) {
    struct Around {
        WideRational multiplier;
        std::uint64_t exponent = 0;
        std::string letter;  // of the multipliers holding a letter
    };
    std::vector<std::optional<Around>> around(side.terms.size());
    around.back() = Around{wideRational(sign, 1), 0, ""};
    for (std::size_t g = side.terms.size(); g-- > 0;) {
        if (!around[g]) continue;
        for (const Term& t : side.terms[g]) {
            const Monomial& m = t.monomial;
            Around product{wideProduct(around[g]->multiplier, wideRational(m.coefficient)), 0,
                           m.exponent > 0 ? m.variable : around[g]->letter};
            if (__builtin_add_overflow(around[g]->exponent, m.exponent, &product.exponent))
                throw OverflowError("exponent overflow");
            if (t.sub_exp.first) {
                at(around, t.sub_exp.second) = std::move(product);
            } else {
                const std::string letter = product.exponent > 0 ? std::move(product.letter) : std::string();
                into[{product.exponent, letter}].push_back(product.multiplier);
            }
        }
    }
}

}  // namespace

LinearSteps solveExtEquation(Technique technique, bool colored, bool embedded, Style style, Method method,
                             bool clearFractionsFirst, bool clearFractions, const Ext_polynomial& LHS,
                             const Ext_polynomial& RHS, Relation relation, Color relation_color) {
    requireWellFormedExtSide(LHS);
    requireWellFormedExtSide(RHS);
    const Ext_polyEquation given = makeColoredEquationXL(LHS, RHS, relation, relation_color);
    if (extEquationHasZeroDenominator(given)) return divisionByZeroPage(extEquationTable(style, given));
    try {
        const Ext_polyEquation e0 = unwrapUnitGroupsOfExtEquation(removeZeroTermsOfExtEquation(true, given));
        if (extEquationMultipliesLetters(e0)) return outOfScopePage(extEquationTable(style, given));
        if (!extEquationHasGroup(e0)) {
            const PolyEquation p = polyEquationFromExtEquation(e0);
            return solveLinearEquation(technique, colored, embedded, style, method, clearFractions, p.LHS, p.RHS,
                                       p.relation, p.relation_color);
        }
        ExtSolver solver(technique, colored, style, method, clearFractions);
        const Engine_Table problem = solver.table(e0);
        if (!embedded) solver.addPage(engineStep(problem), kProblemComment);

        PolyEquation flat;
        bool inScope = true;
        const auto folded = foldConstantGroupsOfExtEquation(e0);
        if (folded && !extEquationHasGroup(*folded)) {
            flat = polyEquationFromExtEquation(*folded);
            inScope = solver.handOver(flat, engineStep(problem), appendGroupClosure);
        } else {
            if (folded) solver.remember(problem);
            flat = polyEquationFromExtEquation(flatten(folded ? *folded : e0, colored, clearFractionsFirst, solver));
            if (!isLinearInOneVariable(flat) || !isSolvedForm(style == Style::decimal, flat))
                inScope = solver.handOver(flat, solver.takeHistory(), concatenateClosure);
        }
        if (inScope && !embedded) solver.addClosingPage(problem, flat);
        return std::move(solver.result);
    } catch (const OverflowError&) {
        return outOfScopePage(extEquationTable(style, given));
    } catch (const TooLargeToShow&) {
        return outOfScopePage(extEquationTable(style, given));
    }
}

std::variant<LinearSolution, ExtFailure> simplifyExtEquation(const Ext_polynomial& LHS, const Ext_polynomial& RHS,
                                                             Relation relation, Color relation_color) {
    requireWellFormedExtSide(LHS);
    requireWellFormedExtSide(RHS);
    const Ext_polyEquation given = makeColoredEquationXL(LHS, RHS, relation, relation_color);
    if (extEquationHasZeroDenominator(given)) return ExtFailure::division_by_zero;
    try {
        const Ext_polyEquation e = unwrapUnitGroupsOfExtEquation(removeZeroTermsOfExtEquation(true, given));
        if (extEquationMultipliesLetters(e)) return ExtFailure::beyond_module_scope;
        // LHS − RHS by power and letter, like terms added up exactly; linear
        // in one letter as isLinearInOneVariable judges it: P·v relation Q.
        MultipliedTerms terms;
        multiplyOut(e.LHS, 1, terms);
        multiplyOut(e.RHS, -1, terms);
        const std::string* letter = nullptr;
        WideRational p, q;
        for (const auto& [key, values] : terms) {
            const WideRational net = wideSum(values);
            if (key.first == 0) {
                q = wideNegation(net);
            } else if (net.numerator != 0) {
                if (key.first > 1 || (letter && *letter != key.second)) return ExtFailure::beyond_module_scope;
                letter = &key.second;
                p = net;
            }
        }
        return linearSolutionOf(p, q, e.relation);
    } catch (const OverflowError&) {
        return ExtFailure::beyond_module_scope;
    }
}

}  // namespace tl
