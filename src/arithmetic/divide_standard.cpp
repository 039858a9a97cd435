// Long division: after a page on the process, every quotient digit goes
// through the same four pages, divide, multiply, subtract and bring down,
// then the solution and a summary. The tableau is a set of character rows
// (the quotient, divisor and dividend, then a product and a difference row
// per cycle) with a shading row under each and the subtraction lines.
#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/division_frame.hpp"
#include "arithmetic/frame.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

using frame::decimal;
using frame::i64;

i64 length(const std::string& s) { return static_cast<i64>(s.size()); }

/// The layout of one solution: row width and how texts are placed in it.
struct Layout {
    i64 width = 0;       // L: divisor and dividend characters
    i64 divisorLen = 0;  // the dividend's column k is tableau column divisorLen + k

    /// A row of `width` cells holding `text` with its last character in
    /// tableau column `end`, and `filler` everywhere else.
    std::string place(const std::string& text, i64 end, char filler) const {
        const i64 before = end - length(text) + 1, after = width - 1 - end;
        require(before >= 0 && after >= 0, "text does not fit its row");
        return padBoth(text, before, filler, after, filler);
    }
    /// As place, at dividend column k.
    std::string atDividend(const std::string& text, i64 k, char filler) const {
        return place(text, divisorLen + k, filler);
    }
    /// A shading run as long as `text`, placed as the text would be.
    std::string shade(const std::string& text, i64 k, char shadeCode, char filler) const {
        return atDividend(std::string(text.size(), shadeCode), k, filler);
    }
    std::string all(char c) const { return std::string(static_cast<std::size_t>(width), c); }
};

}  // namespace

StepTriple New_Arithmetic_Model::divideStandardSteps() const {
    const detail::Division d = detail::readDivision(*this);
    frame::Solution solution(d.problem);
    if (auto done = detail::divisionShortCut(d, solution)) return std::move(*done);

    const std::string& aText = d.ops.aText;
    const std::string& bText = d.ops.bText;
    const i64 b = d.ops.b;
    const std::string qText = decimal(d.q), rText = decimal(d.r);
    const i64 aLen = length(aText), bLen = length(bText), qLen = length(qText);
    const i64 lead = aLen - qLen;  // dividend digits with no quotient digit above them
    const std::string qPadded = padLeft(qText, lead, '0');
    const Layout lay{aLen + bLen, bLen};
    const StringList globals{aText, bText, qText, rText};

    StringList tableau{lay.all('B'), bText + aText};
    StringList background{lay.all('N'), lay.all('N')};
    StringList lines;
    i64 n = 0;

    const auto record = [&](const std::string& kind) {
        return divideOpTable(kind, "\u00F7", tableau, background, lines, globals,
                             {kind, decimal(n)});
    };
    const auto page = [&](const std::string& comment, const std::string& kind,
                          Engine_Step messages) {
        Engine_Step tables{d.problem, record(kind)};
        tables.insert(tables.end(), messages.begin(), messages.end());
        solution.page(comment, std::move(tables));
    };
    const auto resetRows = [&](std::initializer_list<std::size_t> rows) {
        for (std::size_t row : rows) at(background, row) = lay.all('N');
    };

    {
        Engine_Step intro = blankTable(2);
        for (const char* line :
             {"Does ... Divide", "McD ... Multiply", "Sell ... Subtract", "Burgers ... Bring down"})
            intro.push_back(messageTable(line));
        page("the process", "PROCESS", std::move(intro));
    }

    std::string working = aText.substr(0, static_cast<std::size_t>(lead + 1));
    std::string quotientSoFar(static_cast<std::size_t>(lead), 'B');
    for (i64 k = lead; k < aLen; ++k) {
        const char digitChar = qPadded[static_cast<std::size_t>(k)];
        const i64 digit = parseInt(std::string(1, digitChar));
        const i64 p = checked::mul(digit, b);
        const std::string pText = decimal(p);
        const i64 w = parseInt(working);
        const std::string diffText = decimal(checked::sub(w, p));
        const std::size_t last = background.size() - 1;

        // Divide.
        quotientSoFar += digitChar;
        tableau[0] = std::string(static_cast<std::size_t>(bLen), 'B') + quotientSoFar +
                     std::string(static_cast<std::size_t>(aLen - length(quotientSoFar)), 'B');
        background[0] = lay.atDividend("D", k, 'N');
        if (k == lead) {
            background[1] = std::string(static_cast<std::size_t>(bLen) + working.size(), 'L') +
                            std::string(static_cast<std::size_t>(aLen) - working.size(), 'N');
        } else {
            background[1] = std::string(static_cast<std::size_t>(bLen), 'L') +
                            std::string(static_cast<std::size_t>(aLen), 'N');
            background[last] = lay.shade(working, k, 'L', 'N');
        }
        Engine_Step explanation{
            messageTable(decimal(w) + frame::kDivide + bText + " = " + decimal(digit))};
        explanation.push_back(messageTable(checked::rem(w, b) == 0
                                               ? std::string("divides evenly here")
                                               : decimal(digit + 1) + " would be too many"));
        if (n == 0 && lead != 0) {
            const Engine_Step blank = blankTable();
            explanation.insert(explanation.end(), blank.begin(), blank.end());
            explanation.push_back(messageTable("note the " + working + " start is"));
            explanation.push_back(
                messageTable(working == bText ? "equal to divisor" : "greater than divisor"));
        }
        page("Does ... Divide", "DIVIDE", std::move(explanation));

        // Multiply.
        resetRows({0, 1, last});
        background[0] = lay.atDividend("L", k, 'N');
        background[1] = std::string(static_cast<std::size_t>(bLen), 'L') +
                        std::string(static_cast<std::size_t>(aLen), 'N');
        background.push_back(lay.shade(pText, k, 'D', 'N'));
        tableau.push_back(lay.atDividend(pText, k, 'B'));
        page("McD ... Multiply", "MULTIPLY",
             {messageTable(decimal(digit) + frame::kTimes + bText + " = " + bText + frame::kTimes +
                           decimal(digit) + " = " + pText)});

        // Subtract.
        const std::size_t productRow = background.size() - 1;
        resetRows({0, 1, productRow});
        background[productRow - 1] = lay.shade(working, k, 'L', 'N');
        background[productRow] = lay.shade(pText, k, 'L', 'B');
        tableau[productRow] = lay.atDividend(pText, k, 'B');
        background.push_back(lay.shade(diffText, k, 'D', 'N'));
        const std::string lineRow = decimal(static_cast<i64>(tableau.size()));
        for (const i64 v : {k - length(working) + 1, i64{-1}, k + 1, i64{-1}})
            lines.push_back(v < 0 ? lineRow : decimal(v));
        tableau.push_back(lay.atDividend(diffText, k, 'B'));
        page("Sell ... Subtract", "SUBTRACT",
             {messageTable(decimal(w) + frame::kMinusSign + pText + " = " + diffText)});

        // Bring down.
        const std::size_t diffRow = background.size() - 1;
        resetRows({diffRow - 2, diffRow - 1, diffRow});
        ++n;
        std::string message = "no more to bring down";
        if (k != aLen - 1) {
            const char next = aText[static_cast<std::size_t>(k + 1)];
            working = diffText + next;
            background[1] = lay.atDividend("L", k + 1, 'N');
            background[diffRow] = lay.atDividend("D", k + 1, 'N');
            tableau[diffRow] = lay.atDividend(working, k + 1, 'B');
            message = std::string("down comes the ") + next;
        }
        page("Burgers ... Bring down", "BRING DOWN", {messageTable(message)});
        resetRows({1, diffRow});
    }

    const std::size_t last = background.size() - 1;
    background[0] = std::string(static_cast<std::size_t>(lay.width - qLen), 'N') +
                    std::string(static_cast<std::size_t>(qLen), 'L');
    background[last] = std::string(static_cast<std::size_t>(lay.width) - rText.size(), 'N') +
                       std::string(rText.size(), d.r != 0 ? 'L' : 'N');
    tableau[0] = lay.place(qText, lay.width - 1, 'B');
    page("the solution", "SOLUTION", {});
    resetRows({0, last});
    return std::move(solution).close({d.problem, record("SUMMARY")});
}

}  // namespace tl
