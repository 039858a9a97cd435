// Subtraction by trading: when a column's top value is smaller than the
// subtrahend digit, look left for a column that can give 1 and trade 1 of a
// place for 10 of the next lower place, neighbour by neighbour, writing each
// new value in a trade row above the old one and crossing the old one out.
#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "arithmetic/subtract_trade.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

using namespace frame;

namespace {

// The place name of position i, singular only for the cell text "1".
std::string place(i64 position, const std::string& cell) { return placeValueName(position, cell != "1"); }

class TradeSolver {
public:
    TradeSolver(const Operands& ops, i64 d, bool tradeFirst, Solution& solution, const Engine_Table& problemTable)
        : tradeFirst_(tradeFirst), solution_(solution), problemTable_(problemTable) {
        const StringList minuend = characterStrings(ops.aText);
        const StringList subtrahend = characterStrings(ops.bText);
        n_ = minuend.size();
        subtrahendDigits_ = padFront(subtrahend, minuend, "0");
        require(subtrahendDigits_.size() == n_, "subtraction by trading: subtrahend wider than minuend");

        // Trade rows needed: a column that has to borrow from a neighbour
        // which cannot spare one by itself (its own difference is 0 or less)
        // will see two new values written above it.
        i64 k = 0;
        for (std::size_t j = n_; n_ != 1 && j-- > 1;) {
            if (digitDiff(minuend, j) < 0) {
                if (digitDiff(minuend, j - 1) <= 0) {
                    k = 2;
                    break;
                }
                k = 1;
            }
        }
        k_ = std::size_t(k);

        for (std::size_t r = 0; r < k_; ++r) {
            tableau_.push_back(StringList(n_, "B"));
            attributes_.push_back(StringList(n_, "NNN"));
        }
        tableau_.push_back(minuend);
        tableau_.push_back(padFront(subtrahend, minuend, "Z"));
        attributes_.push_back(StringList(n_, "YNC"));
        attributes_.push_back(StringList(n_, "YNC"));
        globals_ = {decimal(k + 3), decimal(i64(n_)), decimal(k), "true"};
        locals_ = {decimal(k + 2), "false"};
        difference_ = padFront(characterStrings(decimal(d)), minuend, "Z");
    }

    void run() {
        solution_.page(kFirstStep, {problemTable_, record()});
        tableau_.push_back(difference_);
        attributes_.push_back(StringList(n_, "NNN"));
        locals_ = {decimal(i64(k_) + 3), "false"};

        for (std::size_t i = 0; i < n_; ++i) {
            const std::size_t j = n_ - 1 - i;
            checkAndTrade(i, j);
            if (!tradeFirst_) subtractionPage(i, j);
        }
        if (tradeFirst_)
            for (std::size_t i = 0; i < n_; ++i) subtractionPage(i, n_ - 1 - i);
    }

    Engine_Table record() const {
        return tableauOpTable("STEP", "\u2212", tableau_, attributes_, globals_, locals_);
    }

private:
    i64 digitDiff(const StringList& minuend, std::size_t c) const {
        return parseInt(at(minuend, c)) - parseInt(at(subtrahendDigits_, c));
    }

    // The current value of a minuend column: the highest cell that is no
    // longer an empty trade cell. Two trade rows at most, so rows 0 and 1
    // are all that need testing.
    std::size_t topRow(std::size_t c) const {
        if (at(tableau_[0], c) != "B") return 0;
        if (at(tableau_[1], c) != "B") return 1;
        return 2;
    }

    void page(const char* comment, const std::vector<std::string>& messages) {
        Engine_Step tables{problemTable_, record()};
        for (const auto& text : messages) tables.push_back(messageTable(text));
        solution_.page(comment, std::move(tables));
    }

    void checkAndTrade(std::size_t i, std::size_t j) {
        const i64 placeIndex = i64(i);
        const std::size_t r = topRow(j);
        const std::string& top = tableau_[r][j];
        const i64 m = parseInt(top);
        const std::string& sText = subtrahendDigits_[j];
        const i64 s = parseInt(sText);
        const std::size_t subRow = k_ + 1;

        attributes_[r][j] = attributes_[subRow][j] = "YNG";
        const std::string comparison = decimal(m) + " " + place(placeIndex, top) + " \u2212 " + sText + " " +
                                       place(placeIndex, sText);
        if (m < s)
            page("check for trade", {"trade needed", "\U0001F641" + comparison});
        else
            page("check for trade", {"no trade needed", "\U0001F642" + comparison});
        attributes_[r][j] = attributes_[subRow][j] = "YNC";
        if (m >= s) return;

        // Seek the nearest column to the left that can give 1.
        bool found = false;
        std::size_t trader = 0;
        for (std::size_t c = j; c-- > 0;) {
            const std::size_t rc = topRow(c);
            attributes_[rc][c] = "YNG";
            const i64 placeOfC = i64(n_ - 1 - c);
            if (parseInt(tableau_[rc][c]) != 0) {
                page("seek trader", {"\U0001F642trade with " + placeValueName(placeOfC, true)});
                attributes_[rc][c] = "YNC";
                trader = c;
                found = true;
                break;
            }
            page("seek trader", {"\U0001F641no trade with " + placeValueName(placeOfC, true)});
            attributes_[rc][c] = "YNC";
        }
        require(found, "subtraction by trading: no column can give 1");

        for (std::size_t p = trader; p < j; ++p) {
            const std::size_t r1 = topRow(p);
            const std::size_t r2 = topRow(p + 1);
            require(r1 >= 1 && r2 >= 1, "subtraction by trading: no trade row left");
            tableau_[r1 - 1][p] = decimal(parseInt(tableau_[r1][p]) - 1);
            tableau_[r2 - 1][p + 1] = decimal(parseInt(tableau_[r2][p + 1]) + 10);
            attributes_[r1][p] = "YYG";
            attributes_[r1 - 1][p] = "YNG";
            attributes_[r2][p + 1] = "YYR";
            attributes_[r2 - 1][p + 1] = "YNR";
            const i64 giver = i64(n_ - 1 - p);
            page("trade in progress", {"trade 1 " + placeValueName(giver, false) + " ...",
                                       "... for 10  " + placeValueName(giver - 1, true)});
            attributes_[r1][p] = "YYC";
            attributes_[r1 - 1][p] = "YNC";
            attributes_[r2][p + 1] = "YYC";
            attributes_[r2 - 1][p + 1] = "YNC";
        }
    }

    void subtractionPage(std::size_t i, std::size_t j) {
        const i64 placeIndex = i64(i);
        const std::size_t r = topRow(j);
        const std::string& top = tableau_[r][j];
        const std::string& sText = subtrahendDigits_[j];
        attributes_[r][j] = attributes_[k_ + 1][j] = attributes_[k_ + 2][j] = "YNG";
        page("subtraction in progress", {decimal(parseInt(top)) + " " + place(placeIndex, top) + " \u2212 " + sText +
                                             " " + place(placeIndex, sText)});
        attributes_[r][j] = attributes_[k_ + 1][j] = attributes_[k_ + 2][j] = "YNC";
    }

    bool tradeFirst_;
    Solution& solution_;
    const Engine_Table& problemTable_;
    std::size_t n_ = 0;
    std::size_t k_ = 0;
    StringList subtrahendDigits_;  // "0"-padded, for arithmetic
    StringList difference_;        // "Z"-padded digits of the difference
    StringGrid tableau_;
    StringGrid attributes_;
    StringList globals_;
    StringList locals_;
};

}  // namespace

StepTriple makeSubtractTradeSteps(const ModelFields& model, bool tradeFirst) {
    const auto [ops, d, problem, problemTable, answerTable] = readProblem(model, kMinusSign, checked::sub);

    Solution solution(problemTable);
    if (d == 0 || ops.b == 0) return std::move(solution).shortCut(kSimpleCase, answerTable);
    if (d < 0) return std::move(solution).shortCut(kBeyondScope, answerTable);

    TradeSolver solver(ops, d, tradeFirst, solution, problemTable);
    solver.run();
    return std::move(solution).close({answerTable, solver.record()});
}

StepTriple New_Arithmetic_Model::subtractTradeSteps() const { return makeSubtractTradeSteps(*this, false); }

StepTriple New_Arithmetic_Model::subtractTradeFirstSteps() const { return makeSubtractTradeSteps(*this, true); }

}  // namespace tl
