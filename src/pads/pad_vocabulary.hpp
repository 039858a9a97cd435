// What the entry pads, their displays and their keypad agree on: the row
// kinds, the view-tag encoding of value labels, the titles of the selector
// buttons and the interface through which every press reaches the pad.
//
// Values live only in the labels of an entry display. A label's view tag is
// its kind's base + 64a + 8b + c (a: table or option group, b: row, c: cell
// or choice); a pad finds the label by that tag (View::viewWithTag) at every
// press and keeps its selections as tags. Every selectable label lies over a
// clear button titled with a kind letter and the label's decimal tag ("I1",
// "O4098", "P_option1027" for the arrow that closes a polynomial row).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/tableau.hpp"
#include "platform/gfx/color.hpp"

namespace ui {
class Responder;
class Button;
class Label;
class View;
}  // namespace ui

namespace tl {

/// Tables of rows of cell texts: input, polynomial, fraction and multi-line
/// tables, and option groups (rows of choices).
using PadTables = std::vector<StringGrid>;
/// Per option group and row, the index of the choice chosen at the start.
using OptionDefaults = std::vector<std::vector<int>>;

/// The kinds of pad rows; the raw value (1 + 1024 × position) is the base
/// of the view tags of that kind.
enum class Tag : int {
    input = 1,
    polynomial = 1025,
    fraction = 2049,
    multi_line = 3073,
    option = 4097,
    level = 5121,
    example = 6145,
};

inline constexpr int rawValue(Tag kind) { return static_cast<int>(kind); }
/// The kind whose raw value is `raw`, or none.
std::optional<Tag> tagFromRawValue(std::int64_t raw);
/// The kind whose tag range (raw value to raw value + 1023) holds `viewTag`, or none.
std::optional<Tag> kindOfViewTag(std::int64_t viewTag);

/// raw value of kind + (a × 8 + b) × 8 + c, overflow-checked.
std::int64_t viewTag(std::int64_t a, std::int64_t b, std::int64_t c, Tag kind);

struct ViewTagParts {
    std::int64_t a = 0, b = 0, c = 0;
    friend bool operator==(const ViewTagParts&, const ViewTagParts&) = default;
};
/// The position back from a tag built on `kind` (truncating division).
ViewTagParts viewTagParts(std::int64_t tag, Tag kind);

/// Largest indices that keep every tag of a display unique and decodable.
inline constexpr std::int64_t kMaxTableIndex = 15;
inline constexpr std::int64_t kMaxRowIndex = 7;
inline constexpr std::int64_t kMaxCellIndex = 7;
/// Levels and example lines use only c, up to the end of their kind's range.
inline constexpr std::int64_t kMaxLineIndex = 1023;

/// Throws PreconditionError unless every cell of `tables` gets a tag of its
/// own: at most 16 tables, 8 rows per table, 8 cells per row, and for
/// polynomial rows 7 value cells (the arrow takes the next index).
void requireEncodable(const PadTables& tables, Tag kind, std::string_view what);
/// Throws unless `count` lines (levels, example lines) fit their kind's range.
void requireEncodableLines(std::size_t count, std::string_view what);

// Selector titles.
inline constexpr std::string_view kArrowPrefix = "P_option";
/// The kind letter of selector buttons over labels of `kind` ("" for example lines).
std::string_view kindLetter(Tag kind);
/// Kind letter followed by the decimal tag: "I1", "O4098".
std::string selectorTitle(Tag kind, std::int64_t tag);
/// "P_option" followed by the decimal tag of a polynomial row's arrow label.
std::string arrowTitle(std::int64_t tag);
/// The tag after the first `prefixLength` characters of `title`; a rest that
/// is no decimal integer is a PreconditionError.
std::int64_t tagFromTitle(std::string_view title, std::size_t prefixLength);

// Key titles.
inline constexpr std::string_view kDoneKey = "\U0001F914";  // 🤔
inline constexpr std::string_view kClearKey = "C";
inline constexpr std::string_view kDeleteKey = "DEL";
inline constexpr std::string_view kSignKey = "+/-";
inline constexpr std::string_view kPointKey = ".";
// The texts of a polynomial row's arrow label.
inline constexpr std::string_view kArrowDown = "\u2798";  // ➘
inline constexpr std::string_view kArrowUp = "\u279A";    // ➚

/// The action every key and selector button sends with no target; it
/// travels the responder chain to the keypad or display holding the button.
inline constexpr std::string_view kKeyPressedAction = "keyPressed";

// Selection colours.
inline constexpr gfx::Rgba kSelectedColour = gfx::palette::green;
inline constexpr gfx::Rgba kUnselectedColour = gfx::palette::white;
inline constexpr gfx::Rgba kArrowColour = gfx::palette::cyan;

/// Receives every press of a keypad or display button (the pad).
class PadDataEntryDelegate {
public:
    virtual ~PadDataEntryDelegate() = default;
    /// `sender` is the pressed button.
    virtual void keyPressed(ui::Responder* sender) = 0;
};

// The starting choices, one rule for every pad and display.

/// The choice that starts chosen in option row `row` of group `group`:
/// optionDefaults[group][row] when present and inside the row, else 0.
std::int64_t defaultChoice(std::size_t choiceCount, const OptionDefaults& optionDefaults, std::size_t group,
                           std::size_t row);
/// Per group and row, the tag of its starting choice.
std::vector<std::vector<std::int64_t>> initialOptionSelections(const PadTables& options,
                                                               const OptionDefaults& optionDefaults);
/// The tag of the first cell of `tables` (in table, row, cell order), or none
/// when they hold no cell.
std::optional<std::int64_t> firstCellTag(const PadTables& tables, Tag kind);
/// The field a pad edits at the start: the first cell of the first kind
/// among input, polynomial and fraction that has one.
std::optional<std::int64_t> initialFieldSelection(const PadTables& inputs, const PadTables& polynomials,
                                                  const PadTables& fractions);

/// The label with `tag` below `root`, or nullptr when there is none or the
/// view so tagged is no label.
ui::Label* labelWithTag(ui::View& root, std::int64_t tag);

/// The text of the label with `tag` below `root`; a missing label is a
/// PreconditionError naming `what`.
std::string requiredLabelText(ui::View& root, std::int64_t tag, std::string_view what);

/// Moves a choice from the label tagged `chosen` to the one tagged `tag`
/// (green on, white off) and stores `tag` in `chosen`. Does nothing when
/// `tag` is already chosen, is of another kind than `chosen`, or either
/// label is missing. Returns whether the choice moved.
bool moveChoice(ui::View& root, std::int64_t& chosen, std::int64_t tag);

/// The captions chosen in every option row, per option group, read from the
/// labels tagged in `selections`.
StringGrid chosenOptionTexts(ui::View& root, const std::vector<std::vector<std::int64_t>>& selections);

/// [[the chosen multi-line caption]], or [] when there is no multi-line table.
StringGrid chosenMultiLineTexts(ui::View& root, std::optional<std::int64_t> selection);

/// `text` with a "-0" sent as "0".
std::string withoutNegativeZero(std::string text);

}  // namespace tl
