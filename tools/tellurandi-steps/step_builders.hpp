// The entries the tool can run, by name. An entry reads a fixed list of
// operands and the named flags it declares; every flag is declared once, in
// the flag table of step_builders.cpp, as one of three kinds:
//   - a boolean flag, off unless given (--colored);
//   - a choice from a fixed list, the first value unless given
//     (--style fraction|rational_fraction|decimal);
//   - a whole number in a range, absent unless given (--draw N, 1 to 5).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/tableau.hpp"

namespace tl::steps_tool {

/// Every flag any entry takes, in the order of the flag table.
enum class Flag {
    // The option rows of the arithmetic builders.
    order,        // --order left-to-right|right-to-left
    direction,    // --direction count-up|count-down
    startRow,     // --start-row top|bottom
    startColumn,  // --start-column left|right
    fillBy,       // --fill-by row|column
    lineChange,   // --line-change flyback|snake
    // The options of the algebra solvers.
    technique,            // --technique balance|transpose
    colored,              // --colored
    embedded,             // --embedded
    style,                // --style fraction|rational_fraction|decimal
    method,               // --method standard|smart
    clearFractions,       // --clear-fractions
    clearFractionsFirst,  // --clear-fractions-first
    draw,                 // --draw 1..5
    quadraticMethod,      // --quadratic-method factor|formula|complete_the_square
};
inline constexpr std::size_t kFlagCount = static_cast<std::size_t>(Flag::quadraticMethod) + 1;
static_assert(kFlagCount <= 32, "a FlagSet holds 32 flags");

enum class FlagKind { boolean, choice, integer };

struct FlagSpec {
    Flag flag;
    std::string_view name;  // as typed after "--"
    FlagKind kind;
    std::string_view choices;        // a choice's values, "|" between them, the default first
    std::int64_t low = 0, high = 0;  // an integer's range
};

/// The entry for `flag` in the flag table.
const FlagSpec& flagSpec(Flag flag);
/// The flag typed as --name, or nullptr.
const FlagSpec* findFlag(std::string_view name);
/// A choice flag's values, in order.
std::vector<std::string_view> choiceValues(const FlagSpec& spec);
/// What a flag takes, for usage lines and messages: "--style fraction|rational_fraction|decimal",
/// "--draw 1..5", "--colored".
std::string flagUsage(const FlagSpec& spec);

/// A set of flags.
class FlagSet {
public:
    constexpr FlagSet() = default;
    constexpr FlagSet(std::initializer_list<Flag> flags) {
        for (Flag f : flags) bits_ |= bit(f);
    }
    constexpr bool contains(Flag f) const { return (bits_ & bit(f)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }

private:
    static constexpr std::uint32_t bit(Flag f) { return std::uint32_t{1} << static_cast<unsigned>(f); }
    std::uint32_t bits_ = 0;
};

/// The flag values of one command line, checked against the flag table.
class FlagValues {
public:
    /// Records a flag with its value ("" for a boolean flag).
    void set(Flag flag, std::string value);
    /// Whether a boolean flag was given.
    bool isOn(Flag flag) const;
    /// A choice flag's value: the one given or the default.
    std::string_view choice(Flag flag) const;
    /// Its position in the flag's list. The values of a flag that names an
    /// enumeration are listed in the order of its cases, so this converts by
    /// static_cast.
    std::size_t choiceIndex(Flag flag) const;
    /// An integer flag's value, when given.
    std::optional<std::int64_t> integer(Flag flag) const;

private:
    const std::optional<std::string>& given(Flag flag) const;
    std::array<std::optional<std::string>, kFlagCount> values_;
};

/// What an entry runs on.
struct EntryInput {
    std::vector<std::string> operands;  // as many as the entry names
    FlagValues flags;                   // only flags the entry declares are set
};

/// Thrown by an entry for an operand it cannot read (a malformed equation, a
/// number longer than any the builders hold): a usage error, unlike the
/// PreconditionError with which a builder refuses a problem.
class OperandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct StepEntry {
    std::string_view name;      // as typed on the command line
    std::string_view operands;  // the operands' names, blank between them ("A B", "EQUATION")
    FlagSet flags;              // the flags it takes
    StepTriple (*run)(const EntryInput& input);
};

/// Every entry, in the order --list shows them.
std::span<const StepEntry> stepEntries();

/// The entry called `name`, or nullptr.
const StepEntry* findStepEntry(std::string_view name);

/// The operand names of an entry.
std::vector<std::string_view> operandNames(const StepEntry& entry);

/// One line for --list: the name, the operands and the flags with their values.
std::string entryUsage(const StepEntry& entry);

}  // namespace tl::steps_tool
