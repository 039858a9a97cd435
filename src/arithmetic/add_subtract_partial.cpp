// Partial sums and partial differences: each place is worked on its own and
// its non-zero result written in full place value as a row of its own; two or
// more such rows are then added into a total row.
#include <algorithm>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/integers.hpp"
#include "common/records.hpp"

namespace tl {

using namespace frame;

namespace {

// What tells partial sums and partial differences apart.
struct PartialKind {
    bool subtract;
    const char* header;       // record header
    const char* op;           // operator in problem, answer and messages
    const char* verb;         // "add the ..." / "subtract the ..."
    const char* pageComment;  // comment of each place's page
    const char* totalComment; // comment of the summation page
};

constexpr PartialKind kSums{false, "+", kPlus, "add the ", "add", "add partial sums"};
constexpr PartialKind kDifferences{true, "-", kHyphenMinus, "subtract the ", "subtract", "add partial differences"};

bool isNonZeroDigit(const std::string& cell) { return cell != "Z" && cell != "0"; }

// The pages after the frame's short cuts. `result` is the sum or the
// (positive) difference; both operands are non-zero.
StepTriple partialPages(const PartialKind& kind, const ModelFields& model, const Operands& ops, i64 result,
                        Solution solution, const Engine_Table& problemTable, const Engine_Table& answerTable) {
    const bool leftToRight = optionIs(model, " left to right ");
    const auto [digitsA, digitsB, digitsR] = digitsOf(ops, result);
    const std::size_t m = std::max(digitsA.size(), digitsB.size());
    // A sum may need one column more than its operands; a difference never does.
    const std::size_t columns = kind.subtract ? m : digitsR.size();
    const StringList reference(columns, "Z");
    const StringList rowA = padFront(digitsA, reference, "Z");
    const StringList rowB = padFront(digitsB, reference, "Z");
    require(rowA.size() == columns && rowB.size() == columns, "partial steps: operand wider than its tableau");

    auto placeValue = [&](std::size_t column) {
        const i64 x = cellValue(rowA[column]);
        const i64 y = cellValue(rowB[column]);
        return kind.subtract ? x - y : x + y;
    };

    // The partial rows to come: one per place whose result is not zero. A
    // place holding "0" over an empty cell gives no row, so it is counted by
    // value, not by its texts; the rule under the partials and the
    // single-result flag of the record depend on this count.
    i64 n = 0;
    for (std::size_t c = 0; c < columns; ++c) n += placeValue(c) != 0 ? 1 : 0;
    const i64 P = n == 1 ? 0 : n;
    const StringList globals{decimal(P + 3), decimal(i64(columns)), "0", P + 3 == 3 ? "true" : "false"};

    StringGrid tableau{rowA, rowB};
    StringGrid attributes = filledGrid(2, columns, "YNC");
    StringList locals{"2", "false"};
    auto record = [&] { return tableauOpTable("STEP", kind.header, tableau, attributes, globals, locals); };

    solution.page(kFirstStep, {problemTable, record()});

    // Places run 0 (ones) .. m - 1; a sum's extra leading column holds none.
    for (std::size_t k = 0; k < m; ++k) {
        const std::size_t j = leftToRight ? k : m - 1 - k;
        const i64 p = i64(m - 1 - j);
        const std::size_t c = columns - 1 - std::size_t(p);
        const i64 x = cellValue(rowA[c]);
        const i64 y = cellValue(rowB[c]);
        const i64 value = placeValue(c);
        const Engine_Table placeMessage = messageTable(kind.verb + placeValueName(p, true));
        attributes[0][c] = attributes[1][c] = "YNG";

        if (value == 0) {
            Engine_Step tables{problemTable, record()};
            if (kind.subtract) {
                tables.push_back(placeMessage);
                tables.push_back(messageTable("no point writing 0"));
            } else {
                tables.push_back(messageTable("skip this step"));
            }
            solution.page(kind.pageComment, std::move(tables));
            attributes[0][c] = attributes[1][c] = "YNC";
            continue;
        }

        const i64 scale = powerOfTen(p);
        const i64 partial = checked::mul(value, scale);
        StringList partialRow = padFront(characterStrings(decimal(partial)), reference, "Z");
        require(partialRow.size() == columns, "partial steps: partial row wider than its tableau");
        tableau.push_back(std::move(partialRow));
        attributes.push_back(StringList(columns, "YNR"));
        locals = {decimal(i64(tableau.size())), "false"};

        std::string second;
        if (isNonZeroDigit(rowA[c]) && isNonZeroDigit(rowB[c]))
            second = decimal(checked::mul(x, scale)) + kind.op + decimal(checked::mul(y, scale));
        else if (isNonZeroDigit(rowA[c]))
            second = decimal(checked::mul(x, scale)) + " simply";
        else
            second = decimal(checked::mul(kind.subtract ? -y : y, scale)) + " simply";

        solution.page(kind.pageComment, {problemTable, record(), placeMessage, messageTable(second)});
        attributes.back() = StringList(columns, "YNC");
        attributes[0][c] = attributes[1][c] = "YNC";
    }

    if (tableau.size() > 3) {
        for (std::size_t r = 2; r < attributes.size(); ++r) attributes[r] = StringList(columns, "YNG");
        tableau.push_back(padFront(digitsR, reference, "Z"));
        attributes.push_back(StringList(columns, "YNR"));
        locals = {decimal(i64(tableau.size())), "true"};
        solution.page(kind.totalComment, {problemTable, record()});
        for (std::size_t r = 2; r < attributes.size(); ++r) attributes[r] = StringList(columns, "YNC");
    }

    return std::move(solution).close({answerTable, record()});
}

}  // namespace

StepTriple New_Arithmetic_Model::addPartialSteps() const {
    const auto [ops, sum, problem, problemTable, answerTable] = readProblem(*this, kSums.op, checked::add);
    Solution solution(problemTable);
    if (ops.a == 0 || ops.b == 0) return std::move(solution).shortCut(kSimpleCase, answerTable);
    return partialPages(kSums, *this, ops, sum, std::move(solution), problemTable, answerTable);
}

StepTriple New_Arithmetic_Model::subtractPartialSteps() const {
    const auto [ops, d, problem, problemTable, answerTable] = readProblem(*this, kDifferences.op, checked::sub);
    Solution solution(problemTable);
    if (d < 0) return std::move(solution).shortCut(kBeyondScope, answerTable);
    if (d == 0 || ops.b == 0) return std::move(solution).shortCut(kSimpleCase, answerTable);
    return partialPages(kDifferences, *this, ops, d, std::move(solution), problemTable, answerTable);
}

}  // namespace tl
