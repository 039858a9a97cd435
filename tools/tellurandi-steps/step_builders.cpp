#include "step_builders.hpp"

#include <algorithm>

#include "algebra/linear/ext_solver.hpp"
#include "algebra/linear/ext_table.hpp"
#include "algebra/linear/linear_solution.hpp"
#include "algebra/linear/linear_solver.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/reader.hpp"
#include "algebra/tables.hpp"
#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "rational_expression_entries.hpp"

namespace tl::steps_tool {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return parts;
}

// The row of a table whose name is `name`, or nullptr.
template <class Row, std::size_t n>
const Row* byName(const Row (&table)[n], std::string_view name) {
    const Row* found = std::find_if(table, table + n, [&](const Row& row) { return row.name == name; });
    return found == table + n ? nullptr : found;
}

// In the order of Flag.
constexpr FlagSpec kFlags[] = {
    {Flag::order, "order", FlagKind::choice, "left-to-right|right-to-left"},
    {Flag::direction, "direction", FlagKind::choice, "count-up|count-down"},
    {Flag::startRow, "start-row", FlagKind::choice, "top|bottom"},
    {Flag::startColumn, "start-column", FlagKind::choice, "left|right"},
    {Flag::fillBy, "fill-by", FlagKind::choice, "row|column"},
    {Flag::lineChange, "line-change", FlagKind::choice, "flyback|snake"},
    {Flag::technique, "technique", FlagKind::choice, "balance|transpose"},
    {Flag::colored, "colored", FlagKind::boolean, ""},
    {Flag::embedded, "embedded", FlagKind::boolean, ""},
    {Flag::style, "style", FlagKind::choice, "fraction|rational_fraction|decimal"},
    {Flag::method, "method", FlagKind::choice, "standard|smart"},
    {Flag::clearFractions, "clear-fractions", FlagKind::boolean, ""},
    {Flag::clearFractionsFirst, "clear-fractions-first", FlagKind::boolean, ""},
    {Flag::draw, "draw", FlagKind::integer, "", 1, 5},
    {Flag::quadraticMethod, "quadratic-method", FlagKind::choice, "factor|formula|complete_the_square"},
};
static_assert(std::size(kFlags) == kFlagCount);

// The arithmetic builders read their operands from inputs[0][0] and their
// options from rows of option texts, each with a blank at both ends as the
// screens write them: --order left-to-right is " left to right ".
std::string optionText(std::string_view value) {
    std::string text(1, ' ');
    (text += value) += ' ';
    std::replace(text.begin(), text.end(), '-', ' ');
    return text;
}

// No number the builders hold has more digits than the largest 64-bit one,
// 9223372036854775807; a longer operand is refused before the builder sees
// it (the partition builder, which keeps its operand as text, would spend
// memory quadratic in its length).
constexpr std::size_t kLongestOperand = 19;

// A number the arithmetic builders read is what the number pad sends: "0",
// or the digits 0 to 9 without a leading zero, of at most 19 digits. Any
// other text is no problem a builder could refuse but a malformed operand.
void checkNumber(const std::string& operand) {
    if (operand.size() > kLongestOperand)
        throw OperandError("an operand of " + std::to_string(operand.size()) +
                           " characters is longer than any number the builders hold (" +
                           std::to_string(kLongestOperand) + " digits)");
    if (!frame::isCanonicalOperand(operand))
        throw OperandError("the operand \"" + operand +
                           "\" is no whole number: \"0\", or the digits 0 to 9 without a sign or a leading zero");
}

// Runs `method` on a model holding the operands and the chosen values of
// `options`, two flags to an option row.
template <class Model, StepTriple (Model::*method)() const, Flag... options>
StepTriple arithmetic(const EntryInput& input) {
    for (const std::string& operand : input.operands) checkNumber(operand);
    Model model;
    model.inputs = {{input.operands}};
    const std::array<Flag, sizeof...(options)> flags{options...};
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (i % 2 == 0) model.options.emplace_back();
        model.options.back().push_back(optionText(input.flags.choice(flags[i])));
    }
    return (model.*method)();
}

template <class Model, StepTriple (Model::*method)() const, Flag... options>
constexpr StepEntry arithmeticEntry(std::string_view name, std::string_view operands) {
    return {name, operands, FlagSet{options...}, arithmetic<Model, method, options...>};
}

using Arithmetic = New_Arithmetic_Model;
using Lattice = Multiply_Lattice_Model;
using Grid = Multiply_Grid_Model;
using enum Flag;

// Adding an entry.
//
// An arithmetic builder is one line below: its model, method and option
// flags (two to an option row), its name and its operands.
//
// An algebra entry reads one equation text and its flags through a small
// adapter that turns a refused text into an OperandError, e.g.
//
//   StepTriple solveLinear(const EntryInput& input) {
//       const auto read = readPolyEquation(input.operands[0]);
//       if (!read) throw OperandError(readErrorText(read.error()));  // "column 4: ..."
//       const FlagValues& f = input.flags;
//       return linearSteps(static_cast<Technique>(f.choiceIndex(technique)), f.isOn(colored), f.isOn(embedded),
//                          static_cast<Style>(f.choiceIndex(style)), static_cast<Method>(f.choiceIndex(method)),
//                          f.isOn(clearFractions), f.integer(draw), read.value());
//   }
//
// and one line in kEntries:
//
//   {"solveLinearEquation", "EQUATION",
//    {technique, colored, embedded, style, method, clearFractions, draw}, solveLinear},
//
// with the solver's library linked to tellurandi_steps_core in
// tools/tellurandi-steps/CMakeLists.txt.
// The equation of an entry that solves flat equations. A text the reader
// refuses is an OperandError with its column; one with parentheses names the
// entry that solves it.
PolyEquation readFlatEquation(std::string_view text, std::string_view groupedEntry) {
    const auto read = readPolyEquation(text);
    if (read) return read.value();
    if (readEquation(text))
        throw OperandError("an equation with parentheses: solve it with " + std::string(groupedEntry));
    throw OperandError(readErrorText(read.error()));
}

// --draw fixes the advice's draw from 1…5 while the object lives; without it
// the draw is random.
class AdviceDraw {
public:
    explicit AdviceDraw(const FlagValues& f) {
        if (const auto n = f.integer(draw)) script_.push(*n), scope_.emplace(script_);
    }

private:
    ScriptedRandom script_;
    std::optional<ScopedRandomSource> scope_;
};

StepTriple solveLinear(const EntryInput& input) {
    const PolyEquation e = readFlatEquation(input.operands[0], "solveExtEquation");
    const FlagValues& f = input.flags;
    const AdviceDraw fixed(f);
    LinearSteps s = solveLinearEquation(static_cast<Technique>(f.choiceIndex(technique)), f.isOn(colored),
                                        f.isOn(embedded), static_cast<Style>(f.choiceIndex(style)),
                                        static_cast<Method>(f.choiceIndex(method)), f.isOn(clearFractions), e.LHS,
                                        e.RHS, e.relation, e.relation_color);
    return {std::move(s.steps), std::move(s.comments), {}};
}

// The quadratic solver works flat equations only: no entry solves a
// quadratic with parentheses, so the refusal asks for it multiplied out.
StepTriple solveQuadraticEntry(const EntryInput& input) {
    const auto read = readPolyEquation(input.operands[0]);
    if (!read)
        throw OperandError(readEquation(input.operands[0]) ? "an equation with parentheses: multiply it out first"
                                                            : readErrorText(read.error()));
    const PolyEquation& e = read.value();
    const FlagValues& f = input.flags;
    const AdviceDraw fixed(f);  // a linear equation's advice draws too
    QuadraticSteps s = solveQuadratic(static_cast<Quadratic_method>(f.choiceIndex(quadraticMethod)),
                                      static_cast<Technique>(f.choiceIndex(technique)), f.isOn(colored),
                                      f.isOn(embedded), static_cast<Style>(f.choiceIndex(style)), Method::smart,
                                      f.isOn(clearFractions), e.LHS, e.RHS, e.relation, e.relation_color);
    return {std::move(s.steps), std::move(s.comments), {}};
}

// One page: the display table of an equation of any form the reader reads
// (flat, grouped or factored), under the comment of a problem page, "🤔".
StepTriple algebraTable(const EntryInput& input) {
    const auto read = readEquation(input.operands[0]);
    if (!read) throw OperandError(readErrorText(read.error()));
    const Style s = static_cast<Style>(input.flags.choiceIndex(style));
    struct {
        Style s;
        Engine_Table operator()(const PolyEquation& e) const { return equationTable(s, e); }
        Engine_Table operator()(const Ext_polyEquation& e) const { return extEquationTable(s, e); }
        Engine_Table operator()(const Polynomial_Equation_XL& e) const { return equationRow(s, e); }
    } const table{s};
    return {{{std::visit(table, read.value())}}, {{"\U0001F914"}}, {}};
}

// An equation with parenthesised groups (or none); a product or a power of
// groups is refused with its column.
Ext_polyEquation readGroupedEquation(std::string_view text) {
    const auto read = readExtEquation(text);
    if (!read) throw OperandError(readErrorText(read.error()));
    return read.value();
}

StepTriple solveExt(const EntryInput& input) {
    const Ext_polyEquation e = readGroupedEquation(input.operands[0]);
    const FlagValues& f = input.flags;
    const AdviceDraw fixed(f);
    LinearSteps s = solveExtEquation(static_cast<Technique>(f.choiceIndex(technique)), f.isOn(colored),
                                     f.isOn(embedded), static_cast<Style>(f.choiceIndex(style)),
                                     static_cast<Method>(f.choiceIndex(method)), f.isOn(clearFractionsFirst),
                                     f.isOn(clearFractions), e.LHS, e.RHS, e.relation, e.relation_color);
    return {std::move(s.steps), std::move(s.comments), {}};
}

// The problem ("🤔"), then the equation with the solution and its status
// ("😎") or with the failure ("oops").
StepTriple simplifyExt(const EntryInput& input) {
    const Ext_polyEquation e = readGroupedEquation(input.operands[0]);
    const auto result = simplifyExtEquation(e.LHS, e.RHS, e.relation, e.relation_color);
    const Engine_Table problem = extEquationTable(Style::fraction, e);
    Engine_Step answer{problem};
    const auto* s = std::get_if<LinearSolution>(&result);
    if (s && s->status == Status::unique)
        answer.push_back(joinItem(relationSymbol(s->relation), messageTable("solution"),
                                  rationalTable(false, Style::fraction, s->solution)));
    answer.push_back(messageTable(s ? rawValue(s->status) : failureText(std::get<ExtFailure>(result))));
    return {{{problem}, answer}, {{"\U0001F914"}, {s ? "\U0001F60E" : "oops"}}, {}};
}

constexpr StepEntry kEntries[] = {
    arithmeticEntry<Arithmetic, &Arithmetic::addColumnSteps>("addColumnSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::addPartialSteps, order>("addPartialSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::subtractPartialSteps, order>("subtractPartialSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::addTradeSteps>("addTradeSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::subtractTradeSteps>("subtractTradeSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::subtractTradeFirstSteps>("subtractTradeFirstSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::subtractCountSteps, direction>("subtractCountSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::multiplyPartialSteps, order>("multiplyPartialSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::multiplyStandardSteps>("multiplyStandardSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::dividePartialSteps>("dividePartialSteps", "A B"),
    arithmeticEntry<Arithmetic, &Arithmetic::divideStandardSteps>("divideStandardSteps", "A B"),
    arithmeticEntry<Lattice, &Lattice::solve, startRow, startColumn, fillBy, lineChange>("multiplyLatticeSteps",
                                                                                          "A B"),
    arithmeticEntry<Grid, &Grid::solve, startRow, startColumn, fillBy, lineChange>("multiplyGridSteps", "A B"),
    arithmeticEntry<Partition_Model, &Partition_Model::solve>("partitionSteps", "N"),
    {"solveLinearEquation", "EQUATION", {technique, colored, embedded, style, method, clearFractions, draw},
     solveLinear},
    {"solveQuadratic", "EQUATION", {quadraticMethod, technique, colored, embedded, style, clearFractions, draw},
     solveQuadraticEntry},
    {"algebraTable", "EQUATION", {style}, algebraTable},
    {"solveExtEquation", "EQUATION",
     {technique, colored, embedded, style, method, clearFractions, clearFractionsFirst, draw}, solveExt},
    {"simplifyExtEquation", "EQUATION", {}, simplifyExt},
    {"rationalSimplifySteps", "EXPRESSION", {}, rationalSimplifyEntry},
    {"rationalCancelSteps", "EXPRESSION", {}, rationalCancelEntry},
    {"rationalReduceSteps", "EXPRESSION", {}, rationalReduceEntry},
    {"factorCompletely", "POLYNOMIAL", {}, factorCompletelyEntry},
    {"factorTrinomialXL", "POLYNOMIAL", {}, factorTrinomialEntry},
    {"factorOutGcfXL", "POLYNOMIAL", {}, factorOutGcfEntry},
    {"chooseFactoringMethod", "POLYNOMIAL METHOD", {}, chooseFactoringMethodEntry},
};

}  // namespace

const FlagSpec& flagSpec(Flag flag) { return kFlags[static_cast<std::size_t>(flag)]; }

const FlagSpec* findFlag(std::string_view name) { return byName(kFlags, name); }

std::vector<std::string_view> choiceValues(const FlagSpec& spec) { return split(spec.choices, '|'); }

std::string flagUsage(const FlagSpec& spec) {
    std::string text = "--";
    text += spec.name;
    switch (spec.kind) {
        case FlagKind::boolean: break;
        case FlagKind::choice: (text += ' ') += spec.choices; break;
        case FlagKind::integer: ((text += ' ') += std::to_string(spec.low) + "..") += std::to_string(spec.high); break;
    }
    return text;
}

void FlagValues::set(Flag flag, std::string value) { values_[static_cast<std::size_t>(flag)] = std::move(value); }

const std::optional<std::string>& FlagValues::given(Flag flag) const { return values_[static_cast<std::size_t>(flag)]; }

bool FlagValues::isOn(Flag flag) const { return given(flag).has_value(); }

std::string_view FlagValues::choice(Flag flag) const {
    return given(flag) ? std::string_view(*given(flag)) : choiceValues(flagSpec(flag)).front();
}

std::size_t FlagValues::choiceIndex(Flag flag) const {
    const auto values = choiceValues(flagSpec(flag));
    return static_cast<std::size_t>(std::find(values.begin(), values.end(), choice(flag)) - values.begin());
}

std::optional<std::int64_t> FlagValues::integer(Flag flag) const {
    if (!given(flag)) return std::nullopt;
    return parseInt(*given(flag));
}

std::span<const StepEntry> stepEntries() { return kEntries; }

const StepEntry* findStepEntry(std::string_view name) { return byName(kEntries, name); }

std::vector<std::string_view> operandNames(const StepEntry& entry) { return split(entry.operands, ' '); }

std::string entryUsage(const StepEntry& entry) {
    std::string text = std::string(entry.name) + " " + std::string(entry.operands);
    for (const auto& spec : kFlags)
        if (entry.flags.contains(spec.flag)) text += " [" + flagUsage(spec) + "]";
    return text;
}

}  // namespace tl::steps_tool
