#include "algebra/linear/collecting_terms.hpp"

#include <algorithm>

#include "algebra/linear/equation_rewrites.hpp"
#include "algebra/quadratic/opening_steps.hpp"
#include "algebra/side_operations.hpp"
#include "base/checked.hpp"
#include "base/random.hpp"

namespace tl {

namespace {

/// Whether a side holds a term that `countUntil` stops at, and its index
/// (the side's length when it holds none).
struct Found {
    bool present = false;
    std::size_t index = 0;
};
Found findTerm(const Polynomial& side, bool (*countUntil)(const Monomial&, std::size_t&)) {
    Found f;
    f.present = std::ranges::any_of(side.terms, [&](const Monomial& m) { return countUntil(m, f.index); });
    return f;
}

bool holdsConstant(const Polynomial& side) { return std::ranges::any_of(side.terms, isConstantTerm); }

/// The side with m inserted at `index` (at the end when past it).
Polynomial withTermAt(Polynomial side, std::size_t index, const Monomial& m) {
    side.terms.insert(side.terms.begin() + static_cast<std::ptrdiff_t>(std::min(index, side.terms.size())), m);
    return side;
}

/// The side without its term at `index`; the zero term when none is left.
Polynomial withoutTermAt(Polynomial side, std::size_t index) {
    side.terms.erase(side.terms.begin() + static_cast<std::ptrdiff_t>(index));
    if (side.terms.empty()) side.terms.push_back(makeMonomialX(makeDefaultRational(0, 1), 0));
    return side;
}

/// The side with its term at `index` rebuilt by f.
template <class F>
Polynomial withTermChanged(Polynomial side, std::size_t index, F f) {
    side.terms[index] = f(side.terms[index]);
    return side;
}

/// m with its numerator negated.
Monomial opposite(Monomial m) {
    m.coefficient.numerator = checked::neg(m.coefficient.numerator);
    return m;
}

PolyEquation equation(Polynomial LHS, Polynomial RHS, Relation relation) {
    return makeEquationXL(std::move(LHS), std::move(RHS), relation);
}

PolyEquation combinedBlack(const PolyEquation& e) {
    return combineLikeTermsOfEquation(false, blackEquation(e)).equation;
}

struct Advice {
    bool gatherLeft = true;
    bool exchange = false;
    std::string text;
};

/// Where x-terms standing on both sides gather, and what the learner reads.
Advice adviceForBothSides(Method method, const PolyEquation& e, const Rational& aL, const Rational& aR,
                          const std::string& V) {
    const bool constL = holdsConstant(e.LHS), constR = holdsConstant(e.RHS);
    if (!(constL && constR)) return {!constL, false, {}};
    if (!rationalLessThan(aL, aR)) return {};  // compared exactly, without a difference to write
    if (method == Method::standard)
        return {true, false,
                "\nconsider taking " + V + "-terms\nto the right hand side\nto get (positive)" + V +
                    "\n\nor exchange sides"};
    if (randomSource().uniformInRange(1, 5) == 1)
        return {false, true,
                "\nexchanging sides first as\nan alternative to taking\n" + V + "-terms to the right\nhand side"};
    return {
        false, false,
        "\ntaking " + V + "-terms to the\nright hand side to get a\n(positive)" + V + "\n\nconsider exchanging sides"};
}

}  // namespace

std::optional<TransposeAdvice> transposeAdvice(Technique technique, bool colored, Method method,
                                               const PolyEquation& e) {
    const Found xL = findTerm(e.LHS, countUntilLinearTerm), xR = findTerm(e.RHS, countUntilLinearTerm);
    const std::string V = xL.present   ? e.LHS.terms[xL.index].variable
                          : xR.present ? e.RHS.terms[xR.index].variable
                                       : std::string(rawValue(Var::x));
    auto mark = [colored](const Monomial& m) { return colored ? colorMonomial(Color::red, m) : m; };
    const Relation r0 = e.relation;

    if (xL.present && xR.present) {
        const Advice advice =
            adviceForBothSides(method, e, e.LHS.terms[xL.index].coefficient, e.RHS.terms[xR.index].coefficient, V);
        // P keeps its x-term, Q gives its x-term to P.
        const Polynomial& P = advice.gatherLeft ? e.LHS : e.RHS;
        const Polynomial& Q = advice.gatherLeft ? e.RHS : e.LHS;
        const std::size_t kP = advice.gatherLeft ? xL.index : xR.index, kQ = advice.gatherLeft ? xR.index : xL.index;
        const Polynomial Q1 = withTermChanged(Q, kQ, mark);
        const Monomial m = mark(opposite(Q.terms[kQ]));
        const Polynomial Q2 = technique == Technique::balance ? withTermAt(Q, kQ + 1, m) : withoutTermAt(Q, kQ);
        const Polynomial P2 = withTermAt(P, kP + 1, m);
        if (!advice.exchange) {
            const PolyEquation E0 = advice.gatherLeft ? equation(e.LHS, Q1, r0) : equation(Q1, e.RHS, r0);
            const PolyEquation E1 = advice.gatherLeft ? equation(P2, Q2, r0) : equation(Q2, P2, r0);
            return TransposeAdvice{{E0, E1, combinedBlack(E1)}, advice.text};
        }
        // Exchanged first: P is RHS, and it now stands on the left.
        const Relation r1 = flipRelation(r0);
        const Color c = colored && r0 != Relation::equal_to ? Color::red : Color::black;
        const PolyEquation E2 = equation(P2, Q2, r1);
        return TransposeAdvice{
            {equation(e.LHS, e.RHS, r0), makeColoredEquationXL(e.RHS, Q1, r1, c), E2, combinedBlack(E2)}, advice.text};
    }

    // At most one side has an x-term: a negative one on the right, beside a
    // constant, crosses to the left as a positive term.
    if (xL.present || !xR.present || !holdsConstant(e.RHS)) return std::nullopt;
    const Rational& aR = e.RHS.terms[xR.index].coefficient;
    const bool zeroLeft = e.LHS.terms.front().coefficient.numerator == 0;
    if (aR.numerator >= 0 || (method != Method::smart && !zeroLeft)) return std::nullopt;
    const Color c = colored ? Color::red : Color::black;
    const Monomial positive =
        makeColoredMonomial(makeThreeColorRational(checked::neg(aR.numerator), aR.denominator, c, c, c), 1, V, c);
    Polynomial newL = makePolynomial({positive});
    if (!zeroLeft) newL.terms.insert(newL.terms.end(), e.LHS.terms.begin(), e.LHS.terms.end());
    const Polynomial R2 = withTermChanged(e.RHS, xR.index, mark);
    const Polynomial R3 = withoutTermAt(R2, xR.index);
    std::string text = zeroLeft ? "" : "\ntaking " + V + "-term to the\nleft hand side to get a\n(positive)" + V;
    if (technique == Technique::transpose)
        return TransposeAdvice{{equation(e.LHS, R2, r0), equation(newL, R3, r0)}, std::move(text)};
    return TransposeAdvice{{equation(e.LHS, R2, r0), equation(newL, withTermAt(e.RHS, xR.index + 1, positive), r0),
                            blackEquation(equation(newL, R3, r0))},
                           std::move(text)};
}

ConstantMove moveConstantTerm(Technique technique, bool colored, const PolyEquation& e) {
    const PolyEquation E = blackEquation(e);
    const bool xL = std::ranges::any_of(E.LHS.terms, isLinearTerm), xR = std::ranges::any_of(E.RHS.terms, isLinearTerm);
    const Found cL = findTerm(E.LHS, countUntilConstantTerm), cR = findTerm(E.RHS, countUntilConstantTerm);
    const bool fromLeft = xL && cL.present;
    if (!fromLeft && !(xR && cR.present)) return {E, E, E, false};

    // S gives its constant; T receives the opposite.
    const Polynomial& S = fromLeft ? E.LHS : E.RHS;
    const Polynomial& T = fromLeft ? E.RHS : E.LHS;
    const std::size_t jS = (fromLeft ? cL : cR).index, jT = (fromLeft ? cR : cL).index;
    auto markCoefficient = [colored](Monomial m) {
        if (colored) m.coefficient = recolorRational(m.coefficient, Color::red);
        return m;
    };
    auto placed = [&](const Polynomial& source, const Polynomial& target) {
        return fromLeft ? equation(source, target, E.relation) : equation(target, source, E.relation);
    };
    auto moved = [&](const Monomial& m) {
        const Polynomial S2 = technique == Technique::balance ? withTermAt(S, jS + 1, m) : withoutTermAt(S, jS);
        return placed(S2, withTermAt(T, jT + 1, m));
    };
    const Monomial m = opposite(S.terms[jS]);
    return {placed(withTermChanged(S, jS, markCoefficient), T), moved(markCoefficient(m)), moved(m), true};
}

}  // namespace tl
