// The plug-in records of the strategy tableaux, the re-colouring of a tagged
// message, and the text helpers the step builders use to fill the records.
//
// A record is a whole table: ["start","1"], ["plug_in", kind, n] (n counts
// the rows from the plug_in row through the tag row), a header row
// [kind, ...], list rows [kind_part, values...] and the tag row. Grids are
// written flattened, row by row, into one list row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/enums.hpp"
#include "common/items.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The default of the optional list arguments of the record builders.
inline const StringList defaultEmptyList{};

/// [key, values...].
Engine_Row listRow(std::string_view key, const StringList& values);
/// [key, the grid's cells row by row].
Engine_Row gridRow(std::string_view key, const StringGrid& grid);

/// The record of `kind`: ["start","1"], ["plug_in", kind, n], [kind, header...],
/// the part rows as given, [kind + "_tag", tag]; n is counted from the rows.
Engine_Table plugInRecord(std::string_view kind, const StringList& header, std::vector<Engine_Row> parts,
                          std::string_view tag);

/// add_column: header ["add_column", label, option, rows, columns of row 0],
/// then the cells and their codes. The tableau needs at least one row.
Engine_Table addColumnTable(std::string_view tag, std::string_view label, std::int64_t option,
                            const StringGrid& tableau, const StringGrid& attributes);

Engine_Table tableauOpTable(std::string_view tag, std::string_view header, const StringGrid& tableau,
                            const StringGrid& attributes, const StringList& globals, const StringList& locals);

/// The partials come last here but are written before the globals.
Engine_Table dividePartialOpTable(std::string_view tag, std::string_view header, const StringList& tableau,
                                  const StringList& globals, const StringList& locals,
                                  const StringList& partials = defaultEmptyList);

/// The eighth list is accepted for the callers' sake and not written.
Engine_Table divideOpTable(std::string_view tag, std::string_view header, const StringList& tableau,
                           const StringList& background, const StringList& lines, const StringList& globals,
                           const StringList& locals, const StringList& unused = defaultEmptyList);

/// The count-ups come last here but are written before the globals.
Engine_Table countOpTable(std::string_view tag, std::string_view header, const StringGrid& tableau,
                          const StringList& globals, const StringList& locals,
                          const StringList& countUps = defaultEmptyList);

/// The sign a counting strip draws beside each count, from the direction word
/// in the first of its globals: "−" counting down ("COUNT DOWN"), "+" for any
/// other word. The record's header is not it: it is "−" either way.
std::string countOpSign(std::string_view direction);

/// At the first ["message_tag", tag] row, the row above it becomes
/// ["message_color", colour]; later matches are left alone.
void recolorMessageByTag(Engine_Table& table, Color colour, std::string_view tag);

/// "one", "ten", ... "ten million" for positions 0 to 7, "...?" otherwise;
/// `plural` appends "s" (not to "...?").
std::string placeValueName(std::int64_t position, bool plural);

/// The user-perceived characters of a text, each as its own string.
StringList characterStrings(std::string_view text);
/// How many of them there are.
std::int64_t characterStringCount(std::string_view text);
/// The Unicode scalars of a text, in order (a stray byte reads as U+FFFD).
std::vector<char32_t> unicodeScalars(std::string_view text);

/// The one-character string of a character (an ASCII char or a code point).
std::string characterText(char c);
std::string characterText(char32_t codePoint);

/// The filler put in front as many times as the list is shorter than the
/// reference; a list as long or longer comes back unchanged.
StringList padFront(const StringList& list, const StringList& reference, std::string_view filler);

/// Runs of a filler around a text. A negative count counts as 0.
std::string padLeft(std::string_view text, std::int64_t count, std::string_view filler);
std::string padRight(std::string_view text, std::int64_t count, std::string_view filler);
std::string padBoth(std::string_view text, std::int64_t leftCount, std::string_view leftFiller,
                    std::int64_t rightCount, std::string_view rightFiller);
inline std::string padLeft(std::string_view text, std::int64_t count, char filler) {
    return padLeft(text, count, std::string_view(&filler, 1));
}
inline std::string padRight(std::string_view text, std::int64_t count, char filler) {
    return padRight(text, count, std::string_view(&filler, 1));
}
inline std::string padBoth(std::string_view text, std::int64_t leftCount, char leftFiller, std::int64_t rightCount,
                           char rightFiller) {
    return padBoth(text, leftCount, std::string_view(&leftFiller, 1), rightCount,
                   std::string_view(&rightFiller, 1));
}

}  // namespace tl
