// Standard (long) multiplication: the first factor times each non-zero digit
// of the second, ones first, one digit product per page, with carries above
// the first factor and each partial product in a row of its own.
//
// Every digit the solution will show is written into the tableau at the
// start, hidden; pages only change cell codes and append rows. A first pass
// over all digit products finds where each carry will stand.
#include <algorithm>
#include <optional>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "arithmetic/op_tableau.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

using frame::decimal;
using frame::i64;

/// The carry rows of the tableau over the first factor's nA columns, lowest
/// row (slot 1) last. A column gets one carry per non-zero digit of the
/// second factor it is worked with, each in the next free slot up; the carry
/// out of the leftmost digit goes to the product row and is never placed.
StringGrid carryLayout(const StringList& dA, const StringList& dB) {
    const std::size_t nA = dA.size(), nB = dB.size();
    StringGrid slots(nB, StringList(nA, "0"));  // slot k of a column is row nB - k
    std::vector<std::vector<bool>> used(nB, std::vector<bool>(nA, false));
    std::size_t depth = 0;
    for (std::size_t i = 1; i <= nB; ++i) {
        const std::string& g = dB[nB - i];
        if (g == "0") continue;
        for (std::size_t c = nA - 1; c >= 1; --c) {
            i64 carry = 0;
            for (std::size_t k = 1; k <= nB; ++k) {
                const std::size_t row = nB - k;
                if (slots[row][c] == "0") break;
                if (used[row][c]) continue;
                carry = parseInt(slots[row][c]);
                used[row][c] = true;
                break;
            }
            const i64 m = checked::add(checked::mul(parseInt(g), parseInt(dA[c])), carry);
            if (m > 9) {
                std::size_t k = 1;
                while (k <= nB && slots[nB - k][c - 1] != "0") ++k;
                require(k <= nB, "no carry slot left for a carry");
                slots[nB - k][c - 1] = decimal(m / 10);
                if (c - 1 == 0) used[nB - k][c - 1] = true;
                depth = std::max(depth, k);
            }
        }
    }
    return StringGrid(slots.end() - static_cast<std::ptrdiff_t>(depth), slots.end());
}

}  // namespace

StepTriple New_Arithmetic_Model::multiplyStandardSteps() const {
    const auto [ops, product, problemLine, problem, answer] = frame::readProblem(*this, frame::kTimes, checked::mul);
    frame::Solution solution(problem);
    if (frame::isSimpleProduct(ops)) return std::move(solution).shortCut(frame::kSimpleCase, answer);

    const auto [dA, dB, dP] = digitsOf(ops, product);
    const std::size_t nA = dA.size(), nB = dB.size(), W = dP.size();
    require(nA <= W && nB <= W, "factor wider than its product");

    i64 partialCount = 0;
    for (const auto& g : dB) partialCount += g != "0" ? 1 : 0;

    detail::OpTableau t;
    const StringGrid carries = carryLayout(dA, dB);
    const std::size_t D = carries.size();
    for (const auto& slots : carries) {
        StringList row(W - nA, "0");
        row.insert(row.end(), slots.begin(), slots.end());
        t.append(std::move(row), "NNN");
    }
    const std::size_t firstRow = D, secondRow = D + 1;
    t.append(padFront(dA, dP, "Z"), "YNC");
    t.append(padFront(dB, dP, "Z"), "YNC");
    const i64 fullRows = static_cast<i64>(D) + 3 + (partialCount > 1 ? partialCount : 0);
    t.globals = {decimal(fullRows), decimal(static_cast<i64>(W)), decimal(static_cast<i64>(D)),
                 partialCount == 1 ? "true" : "false"};
    t.locals = {decimal(static_cast<i64>(D + 2)), "false"};
    solution.page(frame::kFirstStep, {problem, t.record()});

    const auto page = [&](std::initializer_list<std::string> lines) {
        solution.page("multiply", {problem, t.record()}, lines);
    };

    std::size_t r = D + 2;  // the row of the next partial product
    for (std::size_t i = 1; i <= nB; ++i) {
        const std::string& g = dB[nB - i];
        const std::size_t gColumn = W - i;
        if (g == "0") {
            t.setRow(firstRow, "YNG");
            t.set(secondRow, gColumn, "YNG");
            page({"skip this step"});
            t.setRow(firstRow, "YNC");
            t.set(secondRow, gColumn, "YNC");
            continue;
        }
        const i64 gValue = parseInt(g);
        const i64 shifted = checked::mul(gValue, powerOfTen(static_cast<i64>(i - 1)));
        t.append(padFront(characterStrings(decimal(checked::mul(ops.a, shifted))), dP, "Z"), "NNN");
        t.locals = {decimal(static_cast<i64>(t.rowCount())), "false"};

        if (i >= 2) {
            // The inserted zeros at the right end of the new row.
            t.set(secondRow, gColumn, "YNG");
            for (std::size_t c = W - i + 1; c < W; ++c) t.set(r, c, "YNG");
            page({"multiply by " + decimal(shifted),
                  std::string("insert ") + (i == 2 ? "zero" : "zeros") + ", multiply by " + g});
            t.set(secondRow, gColumn, "YNC");
            for (std::size_t c = W - i + 1; c < W; ++c) t.set(r, c, "YNC");
        }

        for (std::size_t j = 1; j <= nA; ++j) {
            const std::size_t column = W - j;
            const std::string& f = at(t.cells[firstRow], column);

            // Carry in: the first shown, not crossed-out carry over this column.
            std::optional<std::size_t> carryRow;
            for (std::size_t k = D; k-- > 0;) {
                const std::string& code = t.code(k, column);
                if (code == "NNN") break;
                if (code == "YNC") {
                    carryRow = k;
                    break;
                }
            }
            const i64 carry = carryRow ? parseInt(t.cells[*carryRow][column]) : 0;

            const std::size_t productColumn = W - j - i + 1;
            if (carryRow) t.set(*carryRow, column, "YNG");
            t.set(firstRow, column, "YNG");
            t.set(secondRow, gColumn, "YNG");
            t.set(r, productColumn, "YNR");

            const i64 m = checked::add(checked::mul(gValue, parseInt(f)), carry);
            std::string equation = g + frame::kTimes + f;
            if (carry != 0) equation += frame::kPlus + decimal(carry);
            equation += " = " + decimal(m);

            if (m < 10) {
                page({equation, "automatic place value!"});
            } else if (j == nA) {
                t.set(r, productColumn - 1, "YNR");
                page({equation, "automatic place value!"});
                t.set(r, productColumn - 1, "YNC");
            } else {
                std::optional<std::size_t> carryOut;
                for (std::size_t k = D; k-- > 0;)
                    if (t.code(k, column - 1) == "NNN") {
                        carryOut = k;
                        break;
                    }
                require(carryOut.has_value(), "no carry slot left for a carry");
                t.set(*carryOut, column - 1, "YNR");
                page(
                    {equation, decimal(m / 10) + " to next place value", "automatic place value!"});
                t.set(*carryOut, column - 1, "YNC");
            }
            t.set(firstRow, column, "YNC");
            t.set(secondRow, gColumn, "YNC");
            t.set(r, productColumn, "YNC");

            if (carryRow) {
                t.set(*carryRow, column, "YYR");
                page({"it's history", "cross it out"});
                t.set(*carryRow, column, "YYC");
            }
        }
        ++r;
    }

    if (partialCount > 1) {
        const std::size_t firstPartial = D + 2, sumRow = t.rowCount();
        t.append(dP, "YNR");
        for (std::size_t row = firstPartial; row < sumRow; ++row) t.setRow(row, "YNG");
        t.locals = {decimal(static_cast<i64>(t.rowCount())), "true"};
        solution.page("add the products", {problem, t.record()});
        for (std::size_t row = firstPartial; row <= sumRow; ++row) t.setRow(row, "YNN");
    }

    return std::move(solution).close({answer, t.record()});
}

}  // namespace tl
