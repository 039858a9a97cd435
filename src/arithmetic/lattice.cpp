// Lattice multiplication: the digits of the first factor head the columns,
// those of the second the rows; each cell holds the two-digit product of its
// digits split by the cell's diagonal. One page per cell in the learner's
// fill order, then one page per diagonal band, added from the lower right
// with the carry written as a superscript into the next band.
//
// The whole lattice is in the record from the start, invisible; pages only
// recolour it and write the carries.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/fill_order.hpp"
#include "arithmetic/frame.hpp"
#include "arithmetic/lattice_record.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/layout.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

using frame::decimal;
using frame::i64;

constexpr char kTag[] = "Lattice";
constexpr char kGrin[] = "\U0001F600 automatic place value";  // 😀

/// The value of a plain or superscript digit; 0 for any other scalar.
i64 digitValue(char32_t scalar) { return digitValueOfCodePoint(scalarHexText(scalar)); }

/// A partial entry: its digit and the carry written after it in
/// superscript digits (absent when there is none).
struct Entry {
    i64 digit = 0;
    std::optional<i64> carry;
};

Entry readEntry(const std::string& text) {
    const std::vector<char32_t> scalars = unicodeScalars(text);
    require(!scalars.empty(), "empty lattice digit");
    Entry e{digitValue(scalars[0]), std::nullopt};
    if (scalars.size() > 1) {
        i64 carry = 0;
        for (std::size_t k = 1; k < scalars.size(); ++k)
            carry = checked::add(checked::mul(carry, 10), digitValue(scalars[k]));
        e.carry = carry;
    }
    return e;
}

/// The carry in superscript digits, one per decimal digit.
std::string superscript(i64 carry) {
    std::string s;
    for (char c : decimal(carry)) s += superscriptDigit(std::string(1, c));
    return s;
}

}  // namespace

StepTriple Multiply_Lattice_Model::solve() const {
    const auto [ops, product, problemLine, problem, answer] = frame::readProblem(*this, frame::kTimes, checked::mul);
    const detail::FillOptions options = detail::readFillOptions(*this);
    frame::Solution solution(problem);
    if (frame::isSimpleProduct(ops)) return std::move(solution).close({answer});

    StringList factors = characterStrings(ops.aText);
    const StringList rowDigits = characterStrings(ops.bText);
    const std::size_t C = factors.size(), R = rowDigits.size(), D = C + R, N = R * C;
    factors.insert(factors.end(), rowDigits.begin(), rowDigits.end());
    const auto factorValue = [&](std::size_t index) { return parseInt(at(factors, index)); };

    const StringList products = padFront(characterStrings(decimal(product)), StringList(D), "0");
    StringList partials(2 * N);
    std::vector<i64> cellProducts(N);
    for (std::size_t i = 0; i < R; ++i)
        for (std::size_t j = 0; j < C; ++j) {
            const std::size_t k = i * C + j;
            cellProducts[k] = checked::mul(factorValue(j), factorValue(C + i));
            const std::string q = decimal(cellProducts[k]);
            partials[k] = cellProducts[k] < 10 ? "0" : q.substr(0, 1);
            partials[N + k] = q.substr(q.size() - 1);
        }

    // Colour lists: foregrounds first, then backgrounds; the partial colours
    // are four blocks of N (tens foreground, tens background, units
    // foreground, units background).
    StringList factorColors(D, "black");
    factorColors.resize(2 * D, "clear");
    StringList productColors(2 * D, "clear");
    StringList partialColors(4 * N, "clear");
    const auto tensBackground = [&](std::size_t k) -> std::string& { return partialColors[N + k]; };
    const auto unitsBackground = [&](std::size_t k) -> std::string& {
        return partialColors[3 * N + k];
    };
    const auto shadeCell = [&](std::size_t i, std::size_t j, const char* colour) {
        const std::size_t k = i * C + j;
        tensBackground(k) = unitsBackground(k) = colour;
        factorColors[D + j] = factorColors[D + C + i] = colour;
    };

    const std::size_t row0 = options.top() ? 0 : R - 1, col0 = options.left() ? 0 : C - 1;
    tensBackground(row0 * C + col0) = unitsBackground(row0 * C + col0) = "light gray";
    Engine_Table record =
        latticeMultiplyItem(decimal(static_cast<i64>(R)), decimal(static_cast<i64>(C)), factors,
                            factorColors, products, productColors, partials, partialColors, kTag);
    // Only the cell's triangles are shaded on the set-up page.
    tensBackground(row0 * C + col0) = unitsBackground(row0 * C + col0) = "clear";

    const auto page = [&](const std::string& comment, const std::vector<std::string>& lines) {
        solution.page(comment, {problem, record}, lines);
    };

    page("draw initial lattice",
         {detail::fillFromLine(R, C, options), detail::fillByLine(R, C, options),
          C == 1 || R == 1 ? std::string("a single digit number") : detail::nextLineLine(options)});

    const bool explain = R < 3 && C < 3;  // place values are spelled out for small lattices only
    const i64 d64 = static_cast<i64>(D);
    std::pair<std::size_t, std::size_t> previous{row0, col0};
    for (const auto& [i, j] : detail::fillOrder(R, C, options)) {
        const std::size_t k = i * C + j;
        shadeCell(previous.first, previous.second, "clear");
        shadeCell(i, j, "light gray");
        partialColors[k] = partialColors[2 * N + k] = "black";
        previous = {i, j};

        const std::string& x = factors[j];
        const std::string& y = factors[C + i];
        const i64 q = cellProducts[k];
        std::vector<std::string> lines;
        lines.push_back(x != y ? x + frame::kTimes + y + " = " + y + frame::kTimes + x + " = " +
                                     decimal(q)
                               : x + frame::kTimes + y + " = " + decimal(q));
        if (explain && q != 0) {
            const i64 ii = static_cast<i64>(i), jj = static_cast<i64>(j);
            lines.push_back(kGrin);
            if (!(i == R - 1 && j == C - 1))
                lines.push_back("really " + x + std::string(C - 1 - j, '0') + frame::kTimes + y +
                                std::string(R - 1 - i, '0') + " = " +
                                decimal(checked::mul(
                                    q, power(10, static_cast<std::uint64_t>(d64 - ii - jj - 2)))));
            lines.push_back(decimal(q / 10) + " is in " + placeValueName(d64 - ii - jj - 1, true) +
                            " diagonal");
            lines.push_back(decimal(q % 10) + " is in " + placeValueName(d64 - ii - jj - 2, true) +
                            " diagonal");
        }
        updateLatticeItem(record, {}, factorColors, {}, partialColors, kTag);
        page("fill lattice", lines);
    }
    shadeCell(previous.first, previous.second, "clear");
    updateLatticeItem(record, {}, factorColors, {}, partialColors, kTag);

    // A digit of a band: a cell and whether it is the cell's tens digit.
    struct BandDigit {
        std::size_t cell;
        bool tens;
    };
    // The digits of band b from its upper right end towards its lower left.
    const auto band = [&](std::size_t b) {
        std::vector<BandDigit> digits;
        i64 i = b <= C - 1 ? 0 : static_cast<i64>(b - C);
        i64 j = b <= C - 1 ? static_cast<i64>(b) : static_cast<i64>(C - 1);
        bool tens = b <= C - 1;
        while (i < static_cast<i64>(R) && j >= 0) {
            digits.push_back({static_cast<std::size_t>(i) * C + static_cast<std::size_t>(j), tens});
            if (tens)
                --j;
            else
                ++i;
            tens = !tens;
        }
        return digits;
    };
    const auto background = [&](const BandDigit& digit) -> std::string& {
        return digit.tens ? tensBackground(digit.cell) : unitsBackground(digit.cell);
    };
    const auto entry = [&](const BandDigit& digit) -> std::string& {
        return partials[digit.tens ? digit.cell : N + digit.cell];
    };

    for (std::size_t b = D; b-- > 0;) {
        const i64 pass = d64 - 1 - static_cast<i64>(b);
        productColors[b] = "black";
        productColors[D + b] = "gray";
        i64 sum = 0;
        std::string terms;
        const auto digits = band(b);
        for (const auto& digit : digits) {
            background(digit) = "light gray";
            const Entry e = readEntry(entry(digit));
            if (e.carry) {
                (terms += ' ') += decimal(*e.carry) + " +";
                sum = checked::add(sum, *e.carry);
            }
            (terms += ' ') += decimal(e.digit) + " +";
            sum = checked::add(sum, e.digit);
        }
        std::vector<std::string> lines{
            "sum is " + decimal(sum) + " (" + terms.substr(0, terms.size() - 1) + ")",
            decimal(sum % 10) + " at end of this diagonal"};
        if (sum >= 10) {
            lines.push_back("carry " + decimal(sum / 10) + " to top of next");
            require(b > 0, "carry out of the last diagonal");
            const BandDigit next = band(b - 1).front();
            entry(next) += superscript(sum / 10);
            background(next) = "gray";
        }
        if (explain) {
            lines.push_back(kGrin);
            if (pass != 0)
                lines.push_back("really " + decimal(sum) + " " + placeValueName(pass, sum > 1));
            lines.push_back(decimal(sum % 10) + " is in " + placeValueName(pass, true) +
                            " diagonal");
            if (sum >= 10)
                lines.push_back(decimal(sum / 10) + " is in " + placeValueName(pass + 1, true) +
                                " diagonal");
        }
        updateLatticeItem(record, partials, {}, productColors, partialColors, kTag);
        page("add along diagonals", lines);
        productColors[D + b] = "clear";
        for (const auto& digit : digits) background(digit) = "clear";
    }

    updateLatticeItem(record, {}, {}, productColors, partialColors, kTag);
    return std::move(solution).close({answer, record});
}

}  // namespace tl
