// Multiplication by partial products: every non-zero digit of the second
// factor, with its place value, times every non-zero digit of the first,
// one page and one tableau row per pair, then the sum of the rows.
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

}  // namespace

StepTriple New_Arithmetic_Model::multiplyPartialSteps() const {
    const bool leftToRight = frame::optionIs(*this, " left to right ");
    const auto [ops, product, problemLine, problem, answer] = frame::readProblem(*this, frame::kTimes, checked::mul);
    frame::Solution solution(problem);
    if (frame::isSimpleProduct(ops)) return std::move(solution).shortCut(frame::kSimpleCase, answer);

    const auto [dA, dB, dP] = digitsOf(ops, product);
    const std::size_t nA = dA.size(), nB = dB.size(), W = dP.size();

    // The place part of digit `index` of a factor of `count` digits: 4 in 47 is 40.
    const auto placePart = [](const StringList& digits, std::size_t index) {
        return checked::mul(parseInt(at(digits, index)),
                            powerOfTen(static_cast<i64>(digits.size() - 1 - index)));
    };

    i64 pairs = 0;
    for (const auto& g : dB)
        if (g != "0")
            for (const auto& f : dA) pairs += f != "0" ? 1 : 0;

    detail::OpTableau t;
    t.append(padFront(dA, dP, "Z"), "YNC");
    t.append(padFront(dB, dP, "Z"), "YNC");
    t.globals = {decimal(pairs + 3), decimal(static_cast<i64>(W)), "0", "false"};
    t.locals = {"2", "false"};
    solution.page(frame::kFirstStep, {problem, t.record()});

    const auto order = [leftToRight](std::size_t n) {
        std::vector<std::size_t> indexes(n);
        for (std::size_t k = 0; k < n; ++k) indexes[k] = leftToRight ? k : n - 1 - k;
        return indexes;
    };
    for (const std::size_t s : order(nB)) {
        const std::string& g = dB[s];
        const std::size_t gColumn = W - nB + s;
        if (g == "0") {
            t.setRow(0, "YNG");
            t.set(1, gColumn, "YNG");
            solution.page("multiply", {problem, t.record(), messageTable("skip")});
            t.setRow(0, "YNC");
            t.set(1, gColumn, "YNC");
            continue;
        }
        for (const std::size_t i : order(nA)) {
            const std::size_t fColumn = W - nA + i;
            t.set(0, fColumn, "YNG");
            t.set(1, gColumn, "YNG");
            if (dA[i] == "0") {
                solution.page("multiply", {problem, t.record(), messageTable("skip this step")});
            } else {
                const i64 x = placePart(dB, s), y = placePart(dA, i);
                const i64 xy = checked::mul(x, y);
                t.append(padFront(characterStrings(decimal(xy)), dP, "Z"), "YNR");
                t.locals = {decimal(static_cast<i64>(t.cells.size())), "false"};
                const std::string line = decimal(x) + frame::kTimes + decimal(y) + " = " +
                                         decimal(y) + frame::kTimes + decimal(x) + " = " +
                                         decimal(xy);
                solution.page("multiply", {problem, t.record(), messageTable(line)});
                t.setRow(t.cells.size() - 1, "YNC");
            }
            t.set(0, fColumn, "YNC");
            t.set(1, gColumn, "YNC");
        }
    }

    const std::size_t lastPartial = t.cells.size() - 1;
    t.locals = {decimal(static_cast<i64>(t.cells.size() + 1)), "true"};
    for (std::size_t r = 2; r <= lastPartial; ++r) t.setRow(r, "YNG");
    t.append(dP, "YNR");
    solution.page("add partial products", {problem, t.record()});
    for (std::size_t r = 2; r < t.cells.size(); ++r) t.setRow(r, "YNC");

    return std::move(solution).close({answer, t.record()});
}

}  // namespace tl
