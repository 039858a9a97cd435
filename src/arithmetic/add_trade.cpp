// Addition by trading: the sum row is revealed column by column from the
// ones; a column total of 10 or more trades 10 of its place for 1 of the
// next, written into a carry row above the addends (or, for the carry out of
// the highest addend column, straight into the sum row).
#include <algorithm>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

using namespace frame;

StepTriple New_Arithmetic_Model::addTradeSteps() const {
    const auto [ops, sum, problem, problemTable, answerTable] = readProblem(*this, kPlus, checked::add);

    Solution solution(problemTable);
    if (ops.a == 0 || ops.b == 0) return std::move(solution).shortCut(kSimpleCase, answerTable);

    const auto [digitsA, digitsB, digitsS] = digitsOf(ops, sum);
    const std::size_t n = digitsS.size();
    const std::size_t m = std::max(digitsA.size(), digitsB.size());
    const StringList zeroA = padFront(digitsA, digitsS, "0");
    const StringList zeroB = padFront(digitsB, digitsS, "0");

    // A carry row is needed only when a carry has to be written above the
    // addends: some position other than the leftmost sums to 10 or more.
    bool carryRow = false;
    {
        const StringList a = padFront(digitsA, digitsB, "0");
        const StringList b = padFront(digitsB, digitsA, "0");
        for (std::size_t p = 1; p < m && !carryRow; ++p)
            carryRow = parseInt(at(a, p)) + parseInt(at(b, p)) >= 10;
    }

    StringGrid tableau;
    StringGrid attributes;
    if (carryRow) {
        tableau.push_back(StringList(n, "B"));
        attributes.push_back(StringList(n, "NNN"));
    }
    tableau.push_back(padFront(digitsA, digitsS, "Z"));
    tableau.push_back(padFront(digitsB, digitsS, "Z"));
    attributes.push_back(StringList(n, "YNC"));
    attributes.push_back(StringList(n, "YNC"));

    const StringList globals = carryRow ? StringList{"4", decimal(i64(n)), "1", "true"}
                                        : StringList{"3", decimal(i64(n)), "0", "true"};
    StringList locals{carryRow ? "3" : "2", "false"};
    auto record = [&] { return tableauOpTable("STEP", "+", tableau, attributes, globals, locals); };

    solution.page(kFirstStep, {problemTable, record()});

    tableau.push_back(digitsS);
    attributes.push_back(StringList(n, "NNN"));
    locals = {carryRow ? "4" : "3", "false"};

    const std::size_t R = carryRow ? 1 : 0;  // row of the first addend
    for (std::size_t i = 0; i < m; ++i) {
        const std::size_t c = n - 1 - i;
        const i64 place = i64(i);
        const i64 x = parseInt(at(zeroA, c));
        const i64 y = parseInt(at(zeroB, c));
        const i64 k = (carryRow && tableau[0][c] != "B") ? 1 : 0;
        const i64 total = x + y + k;

        std::vector<std::string> lines{(k == 1 ? std::string("1 + ") : std::string()) + decimal(x) + " + " +
                                       decimal(y) + " \u2192 " + decimal(total) + " " + placeValueName(place, true)};
        if (k == 1) attributes[0][c] = "YNG";
        attributes[R][c] = attributes[R + 1][c] = "YNG";
        attributes[R + 2][c] = "YNR";

        if (total < 10) {
            solution.page("add", {problemTable, record()}, lines);
        } else {
            require(c >= 1, "addition by trading: carry out of the leftmost column");
            lines.push_back("regroup the " + decimal(total) + " " + placeValueName(place, true));
            for (auto& line : regroupLines(total, place)) lines.push_back(std::move(line));
            // The carry out of the highest addend column, when the sum grows a
            // digit, lands in the sum row: there is no addend above it to add.
            const std::size_t target = (carryRow && (n == m || c != 1)) ? 0 : R + 2;
            tableau[target][c - 1] = "1";
            attributes[target][c - 1] = "YNR";
            solution.page("add and regroup", {problemTable, record()}, lines);
            attributes[target][c - 1] = "YNC";
        }

        if (k == 1) attributes[0][c] = "YNC";
        attributes[R][c] = attributes[R + 1][c] = attributes[R + 2][c] = "YNC";
    }

    return std::move(solution).close({answerTable, record()});
}

}  // namespace tl
