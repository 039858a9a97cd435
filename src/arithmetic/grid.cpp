// Grid multiplication: both factors split into place-value parts (a non-zero
// digit followed by zeros), the first factor's parts head the columns, the
// second's the rows; one page per cell in the learner's fill order, then the
// cell products are added.
//
// Every product is in the record from the start, invisible; pages only
// recolour it.
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/fill_order.hpp"
#include "arithmetic/frame.hpp"
#include "arithmetic/grid_record.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

using frame::decimal;
using frame::i64;

constexpr char kTag[] = "Grid";

/// The place-value parts of a numeral, highest first: 407 gives 400 and 7.
StringList placeParts(const std::string& text) {
    StringList parts;
    for (std::size_t k = 0; k < text.size(); ++k)
        if (text[k] != '0') parts.push_back(text[k] + std::string(text.size() - 1 - k, '0'));
    return parts;
}

std::string partitionLine(const std::string& text, const StringList& parts) {
    std::string line = text + " = ";
    for (std::size_t k = 0; k < parts.size(); ++k) line += (k ? " + " : "") + parts[k];
    return line;
}

}  // namespace

StepTriple Multiply_Grid_Model::solve() const {
    const auto [ops, product, problemLine, problem, answer] = frame::readProblem(*this, frame::kTimes, checked::mul);
    const detail::FillOptions options = detail::readFillOptions(*this);
    frame::Solution solution(problem);
    if (frame::isSimpleProduct(ops)) return std::move(solution).close({answer});

    const StringList columnParts = placeParts(ops.aText), rowParts = placeParts(ops.bText);
    const std::size_t C = columnParts.size(), R = rowParts.size(), F = C + R, N = R * C;
    StringList factors = columnParts;
    factors.insert(factors.end(), rowParts.begin(), rowParts.end());
    StringList partials;
    for (const auto& y : rowParts)
        for (const auto& x : columnParts)
            partials.push_back(decimal(checked::mul(parseInt(x), parseInt(y))));

    StringList factorColors(F, "black");
    factorColors.resize(2 * F, "clear");
    StringList partialColors(2 * N, "clear");
    const auto newRecord = [&] {
        return gridMultiplyItem(decimal(static_cast<i64>(R)), decimal(static_cast<i64>(C)), factors,
                                factorColors, partials, partialColors, kTag);
    };
    Engine_Table record = newRecord();
    const auto page = [&](const std::string& comment, const Engine_Table& first,
                          const std::vector<std::string>& lines) {
        solution.page(comment, {first, record}, lines);
    };

    const std::string firstLine = partitionLine(ops.aText, columnParts);
    const std::string secondLine = partitionLine(ops.bText, rowParts);
    page("partition and draw grid", problem,
         C == 1   ? std::vector<std::string>{secondLine}
         : R == 1 ? std::vector<std::string>{firstLine}
                  : std::vector<std::string>{firstLine, secondLine});

    const std::size_t row0 = options.top() ? 0 : R - 1, col0 = options.left() ? 0 : C - 1;
    partialColors[N + row0 * C + col0] = "light gray";
    record = newRecord();
    page("fill strategy", problem,
         {detail::fillFromLine(R, C, options), detail::fillByLine(R, C, options),
          C == 1   ? std::string("a single column")
          : R == 1 ? std::string("a single row")
                   : detail::nextLineLine(options)});

    const auto shade = [&](std::size_t i, std::size_t j, const char* colour) {
        factorColors[F + j] = factorColors[F + C + i] = colour;
        partialColors[N + i * C + j] = colour;
    };
    std::pair<std::size_t, std::size_t> previous{row0, col0};
    for (const auto& [i, j] : detail::fillOrder(R, C, options)) {
        shade(previous.first, previous.second, "clear");
        shade(i, j, "light gray");
        partialColors[i * C + j] = "black";
        previous = {i, j};
        updateGridItem(record, factorColors, partialColors, kTag);
        const std::string& x = columnParts[j];
        const std::string& y = rowParts[i];
        const std::string& q = partials[i * C + j];
        page("fill grid", problem,
             {x != y ? x + frame::kTimes + y + " = " + y + frame::kTimes + x + " = " + q
                     : x + frame::kTimes + y + " = " + q});
    }

    factorColors[F + previous.second] = factorColors[F + C + previous.first] = "clear";
    partialColors.assign(N, "black");
    partialColors.resize(2 * N, "light gray");
    updateGridItem(record, factorColors, partialColors, kTag);
    const std::string sumLine = partials.front() + (F == 3 ? " + " : " + ... + ") +
                                partials.back() + " = " + decimal(product);
    page("add partial products", answer, {sumLine, "your addition method"});

    partialColors.assign(N, "black");
    partialColors.resize(2 * N, "clear");
    updateGridItem(record, {}, partialColors, kTag);
    Engine_Step closing{answer, record, messageTable(sumLine)};
    return std::move(solution).close(std::move(closing));
}

}  // namespace tl
