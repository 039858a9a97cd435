// The frame every arithmetic step builder shares: reading the two operands,
// the problem and answer lines, the opening "🤔" page, the short cuts and the
// closing "😎" page.
//
// A builder reads its operands with readOperands, opens a Solution with its
// problem table, either leaves through shortCut or adds its own pages with
// page(), and returns close(). Every path thus starts with "🤔", ends with
// "😎" and has one comment list per page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "common/tableau.hpp"

namespace tl::frame {

using i64 = std::int64_t;

// Operator texts of the problem and answer lines.
inline constexpr char kPlus[] = " + ";
inline constexpr char kMinusSign[] = " \u2212 ";  // " − ", the minus sign U+2212
inline constexpr char kHyphenMinus[] = " - ";     // ASCII, partial differences only
inline constexpr char kTimes[] = " \u00D7 ";      // " × "
inline constexpr char kDivide[] = " \u00F7 ";     // " ÷ "

// Comments of the frame's pages.
inline constexpr char kThinking[] = "\U0001F914";  // 🤔
inline constexpr char kCool[] = "\U0001F60E";      // 😎
inline constexpr char kSimpleCase[] = "a simple case";
inline constexpr char kBeyondScope[] = "beyond module scope";
inline constexpr char kDivisionByZero[] = "division by zero";
inline constexpr char kFirstStep[] = "first step";
inline constexpr char kNoParameters[] = "NO PARAMETERS";

/// How strictly an operand text is checked before it is parsed.
enum class OperandForm {
    /// "0" or ASCII digits without a leading zero: what the number pad sends.
    /// Digit-wise builders need it, since their grids line up by character.
    canonical,
    /// Any text tl::parseInt accepts (a sign, leading zeros).
    integer,
};

/// The two operands: the texts as typed and their values.
struct Operands {
    std::string aText, bText;
    i64 a = 0, b = 0;
};

/// The digits of both operands, as typed, and of a result, most significant first.
struct Digits {
    StringList a, b, result;
};
Digits digitsOf(const Operands& operands, i64 result);

/// One ASCII digit or more, nothing else.
bool isDigitString(std::string_view text);

/// "0", or a digit string without a leading zero.
bool isCanonicalOperand(std::string_view text);

/// Throws PreconditionError unless `text` is "0" or a digit string without a
/// leading zero.
void requireCanonicalOperand(std::string_view text);

/// inputs[0][0][0] and inputs[0][0][1]; a missing field, a text of the wrong
/// form or one out of range throws PreconditionError (OverflowError).
Operands readOperands(const ModelFields& model, OperandForm form = OperandForm::canonical);

/// What every two-operand builder starts from. The members come in this order
/// so that a builder can bind them under its own names.
struct Problem {
    Operands ops;
    i64 result = 0;
    std::string line;      // "a op b", as typed
    Engine_Table problem;  // the line as a message
    Engine_Table answer;   // "a op b = result"
};

/// Reads the operands (canonical), works out `operation` on them and writes
/// the problem and answer lines with `op` between the operands.
Problem readProblem(const ModelFields& model, std::string_view op, i64 (*operation)(i64, i64));

/// A product shown without steps: a factor is 0 or a power of ten, or both
/// factors have a single non-zero digit.
bool isSimpleProduct(const Operands& operands);

/// options[row][column], bounds-checked.
const std::string& optionText(const ModelFields& model, std::size_t row = 0, std::size_t column = 0);

/// Whether options[row][column] is exactly `text` (blanks included).
bool optionIs(const ModelFields& model, std::string_view text, std::size_t row = 0, std::size_t column = 0);

/// aText + op + bText, as typed ("57 + 68").
std::string problemText(const Operands& operands, std::string_view op);

/// problem + " = " + result in plain decimal ("57 + 68 = 125").
std::string answerText(std::string_view problem, i64 result);

/// The lines that regroup `value` (10 to 19) units of place `place` into one
/// of the next place: "10 tens + 4 tens" (not for 10), "1 hundred + 4 tens".
std::vector<std::string> regroupLines(i64 value, i64 place);

/// Plain decimal text of an integer.
inline std::string decimal(i64 n) { return std::to_string(n); }

/// The value of a digit cell; "Z" (an empty place) counts 0. Any other text
/// goes through tl::parseInt.
i64 cellValue(std::string_view cell);

/// A grid of `rows` × `columns` copies of `text`.
StringGrid filledGrid(std::size_t rows, std::size_t columns, std::string_view text);

/// The pages of one solution as they are built.
class Solution {
public:
    /// Opens the solution with page 1: comment "🤔", the problem table alone.
    explicit Solution(const Engine_Table& problem);

    /// Appends one page with a one-line comment.
    void page(std::string_view comment, Engine_Step tables);
    /// Appends one page: the tables, then one message table per line.
    void page(std::string_view comment, Engine_Step tables, const std::vector<std::string>& lines);

    /// Appends the closing page ("😎") and returns the triple with the
    /// parameters ["NO PARAMETERS"].
    StepTriple close(Engine_Step tables) &&;

    /// A short cut: a page naming the case, then the closing page, each
    /// holding `shown` alone (the answer line, as a rule).
    StepTriple shortCut(std::string_view caseComment, const Engine_Table& shown) &&;

    std::size_t pageCount() const { return triple_.steps.size(); }

private:
    StepTriple triple_;
};

}  // namespace tl::frame
