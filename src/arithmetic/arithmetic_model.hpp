// The model values of the strategy screens: what the learner typed, as text.
//
// inputs[t][r][f] is field f of row r of input table t (the operands are
// inputs[0][0][0] and inputs[0][0][1]); options[r][c] the chosen option texts
// (with their blanks); multiLine the multi-line choices (read by no builder).
// Every step builder is a pure function of the value.
#pragma once

#include <string>
#include <vector>

#include "common/tableau.hpp"

namespace tl {

struct ModelFields {
    std::vector<std::vector<std::vector<std::string>>> inputs;
    std::vector<std::vector<std::string>> options;
    std::vector<std::vector<std::string>> multiLine;
};

struct New_Arithmetic_Model : ModelFields {
    // Addition and subtraction.
    StepTriple addColumnSteps() const;
    StepTriple addPartialSteps() const;
    StepTriple subtractPartialSteps() const;
    StepTriple addTradeSteps() const;
    StepTriple subtractTradeSteps() const;
    StepTriple subtractTradeFirstSteps() const;
    StepTriple subtractCountSteps() const;
    // Multiplication and division.
    StepTriple multiplyPartialSteps() const;
    StepTriple multiplyStandardSteps() const;
    StepTriple dividePartialSteps() const;
    StepTriple divideStandardSteps() const;
};

struct Multiply_Lattice_Model : ModelFields {
    StepTriple solve() const;
};

struct Multiply_Grid_Model : ModelFields {
    StepTriple solve() const;
};

struct Partition_Model : ModelFields {
    StepTriple solve() const;
};

}  // namespace tl
