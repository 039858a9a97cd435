// Column addition: each place value is added on its own into a row of column
// sums (which may hold two digits), then the sums are regrouped right to
// left, one new row per carry.
#include <algorithm>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

using namespace frame;

StepTriple New_Arithmetic_Model::addColumnSteps() const {
    const auto [ops, sum, problem, problemTable, answerTable] = readProblem(*this, kPlus, checked::add);

    const auto [digitsA, digitsB, digitsS] = digitsOf(ops, sum);
    const std::size_t nS = digitsS.size();
    const std::size_t m = std::max(digitsA.size(), digitsB.size());

    const StringList rowA = padFront(digitsA, digitsS, "Z");
    const StringList rowB = padFront(digitsB, digitsS, "Z");
    const StringList zeroA = padFront(digitsA, digitsS, "0");
    const StringList zeroB = padFront(digitsB, digitsS, "0");

    // The final row count is known before the first page: the renderer
    // reserves room for every regroup row from the start.
    i64 k = 3;
    i64 carry = 0;
    for (std::size_t col = nS; col-- > 0;) {
        const i64 s = parseInt(at(zeroA, col)) + parseInt(at(zeroB, col)) + carry;
        carry = s < 10 ? 0 : 1;
        k += carry;
    }

    StringGrid tableau{rowA, rowB};
    StringGrid attributes = filledGrid(2, nS, "YC");
    auto record = [&] { return addColumnTable("STEP", "+", k, tableau, attributes); };

    Solution solution(problemTable);
    if (ops.a == 0 || ops.b == 0) return std::move(solution).shortCut(kSimpleCase, answerTable);

    solution.page(kFirstStep, {problemTable, record()});

    tableau.push_back(StringList(nS, "Z"));
    attributes.push_back(StringList(nS, "NN"));

    for (std::size_t i = 0; i < m; ++i) {
        const std::size_t col = nS - 1 - i;
        const i64 x = cellValue(at(tableau[0], col));
        const i64 y = cellValue(at(tableau[1], col));
        tableau[2][col] = decimal(x + y);
        attributes[0][col] = attributes[1][col] = "YG";
        attributes[2][col] = "YR";
        solution.page("add each place value",
                      {problemTable, record(), messageTable("add the " + placeValueName(i64(i), true))});
        attributes[0][col] = attributes[1][col] = attributes[2][col] = "YC";
    }

    std::size_t row = 2;
    for (std::size_t i = 0; i < m; ++i) {
        const std::size_t col = nS - 1 - i;
        const i64 place = i64(i);
        const i64 v = parseInt(at(tableau[row], col));
        if (v < 10) {
            attributes[row][col] = "YG";
            solution.page("regroup and trade", {problemTable, record(), messageTable("no regrouping here")});
            attributes[row][col] = "YC";
            continue;
        }
        require(col >= 1, "column addition: carry out of the leftmost column");
        std::vector<std::string> lines{"regroup " + decimal(v) + " " + placeValueName(place, true)};
        for (auto& line : regroupLines(v, place)) lines.push_back(std::move(line));
        lines.push_back("trade 1 " + placeValueName(place + 1, false));

        tableau.push_back(tableau[row]);
        attributes.push_back(attributes[row]);
        tableau[row + 1][col] = decimal(v - 10);
        tableau[row + 1][col - 1] = (col == 1 && m != nS) ? "1" : decimal(parseInt(tableau[row + 1][col - 1]) + 1);
        attributes[row][col] = attributes[row][col - 1] = "YG";
        attributes[row + 1][col] = attributes[row + 1][col - 1] = "YR";

        solution.page("regroup and trade", {problemTable, record()}, lines);
        attributes[row][col] = attributes[row][col - 1] = "YC";
        attributes[row + 1][col] = attributes[row + 1][col - 1] = "YC";
        ++row;
    }

    return std::move(solution).close({answerTable, record()});
}

}  // namespace tl
