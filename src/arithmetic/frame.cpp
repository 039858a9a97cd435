#include "arithmetic/frame.hpp"

#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl::frame {

Digits digitsOf(const Operands& operands, i64 result) {
    return {characterStrings(operands.aText), characterStrings(operands.bText), characterStrings(decimal(result))};
}

bool isDigitString(std::string_view text) {
    bool digits = !text.empty();
    for (char c : text) digits = digits && c >= '0' && c <= '9';
    return digits;
}

bool isCanonicalOperand(std::string_view text) {
    return isDigitString(text) && (text == "0" || text.front() != '0');
}

void requireCanonicalOperand(std::string_view text) {
    require(isCanonicalOperand(text),
            "operand is not \"0\" or a digit string without leading zero: \"" + std::string(text) + "\"");
}

Operands readOperands(const ModelFields& model, OperandForm form) {
    const auto& row = at(at(model.inputs, 0), 0);
    Operands ops;
    ops.aText = at(row, 0);
    ops.bText = at(row, 1);
    if (form == OperandForm::canonical) {
        requireCanonicalOperand(ops.aText);
        requireCanonicalOperand(ops.bText);
    }
    ops.a = parseInt(ops.aText);
    ops.b = parseInt(ops.bText);
    return ops;
}

Problem readProblem(const ModelFields& model, std::string_view op, i64 (*operation)(i64, i64)) {
    Problem p;
    p.ops = readOperands(model);
    p.result = operation(p.ops.a, p.ops.b);
    p.line = problemText(p.ops, op);
    p.problem = messageTable(p.line);
    p.answer = messageTable(answerText(p.line, p.result));
    return p;
}

bool isSimpleProduct(const Operands& o) {
    return o.a == 0 || o.b == 0 || isPowerOfTenText(o.aText) || isPowerOfTenText(o.bText) ||
           (hasSingleNonZeroDigit(o.aText) && hasSingleNonZeroDigit(o.bText));
}

const std::string& optionText(const ModelFields& model, std::size_t row, std::size_t column) {
    return at(at(model.options, row), column);
}

bool optionIs(const ModelFields& model, std::string_view text, std::size_t row, std::size_t column) {
    return optionText(model, row, column) == text;
}

std::string problemText(const Operands& operands, std::string_view op) {
    std::string s = operands.aText;
    s += op;
    s += operands.bText;
    return s;
}

std::string answerText(std::string_view problem, i64 result) {
    std::string s(problem);
    s += " = ";
    s += decimal(result);
    return s;
}

std::vector<std::string> regroupLines(i64 value, i64 place) {
    // The rest is singular when exactly one unit is left over.
    const std::string rest = decimal(value - 10) + " " + placeValueName(place, value != 11);
    std::vector<std::string> lines;
    if (value != 10) lines.push_back("10 " + placeValueName(place, true) + " + " + rest);
    lines.push_back("1 " + placeValueName(place + 1, false) + " + " + rest);
    return lines;
}

i64 cellValue(std::string_view cell) { return cell == "Z" ? 0 : parseInt(cell); }

StringGrid filledGrid(std::size_t rows, std::size_t columns, std::string_view text) {
    return StringGrid(rows, StringList(columns, std::string(text)));
}

Solution::Solution(const Engine_Table& problem) {
    triple_.parameters = {kNoParameters};
    page(kThinking, {problem});
}

void Solution::page(std::string_view comment, Engine_Step tables) {
    triple_.comments.push_back({std::string(comment)});
    triple_.steps.push_back(std::move(tables));
}

void Solution::page(std::string_view comment, Engine_Step tables, const std::vector<std::string>& lines) {
    for (const auto& line : lines) tables.push_back(messageTable(line));
    page(comment, std::move(tables));
}

StepTriple Solution::close(Engine_Step tables) && {
    page(kCool, std::move(tables));
    return std::move(triple_);
}

StepTriple Solution::shortCut(std::string_view caseComment, const Engine_Table& shown) && {
    page(caseComment, {shown});
    return std::move(*this).close({shown});
}

}  // namespace tl::frame
