// The two collecting steps of the linear solver: the x-terms to one side
// (with the advice the learner reads) and the constant term to the other.
// Both return the equations the step's page shows; neither draws.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/values.hpp"

namespace tl {

/// The equations of the x-terms page in order (the last one is the
/// equation after the move, like terms combined on the branch with x-terms
/// on both sides) and the advice under them, empty for none.
struct TransposeAdvice {
    std::vector<PolyEquation> equations;
    std::string advice;
};

/// Gathers the x-terms of an equation whose sides hold at most one x-term
/// and one constant each. x-terms on both sides: they go left, unless only
/// LHS holds a constant, or both sides hold one and the left x coefficient
/// is the smaller: then `standard` still goes left with advice, `smart` goes
/// right and, on a draw of 1 from 1…5 (randomSource()), exchanges the sides
/// first. One negative x-term on the right beside a constant, with `smart`
/// or a zero left side: it moves to the left as a positive term. Otherwise
/// nothing. With `colored` the moving term and its opposite are red.
std::optional<TransposeAdvice> transposeAdvice(Technique technique, bool colored, Method method, const PolyEquation& e);

/// The equations of the constant-terms page.
struct ConstantMove {
    PolyEquation marked;  // the constant about to move red (with `colored`)
    PolyEquation moved;   // its opposite added, red (with `colored`)
    PolyEquation black;   // `moved` all black
    bool didMove = false;
};

/// The constant of the side that holds an x-term and a constant (the left
/// one when both do) goes to the other side: `balance` writes its opposite
/// after it and on the other side, `transpose` removes it and writes its
/// opposite on the other side (after that side's constant, or at the end).
/// Everything starts black. Nothing to move: the equation three times, black.
ConstantMove moveConstantTerm(Technique technique, bool colored, const PolyEquation& e);
inline ConstantMove moveConstantTerms(Technique technique, bool colored, const PolyEquation& e) {
    return moveConstantTerm(technique, colored, e);
}

}  // namespace tl
