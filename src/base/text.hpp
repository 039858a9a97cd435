// Text conversions shared by the whole system: the one strict decimal parser
// through which every text that becomes an integer goes, locale-free number
// formatting, and the forms of a text for messages: on one line, and cut short.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/checked.hpp"

namespace tl {

/// Strict decimal integer: an optional single "+" or "-", then one or more
/// ASCII digits, nothing else (no blanks). Absent when the text is not of
/// that form or out of the signed 64-bit range.
std::optional<std::int64_t> tryParseInt(std::string_view text);

/// As tryParseInt, but a text that is no integer is a PreconditionError
/// (and one out of range an OverflowError).
std::int64_t parseInt(std::string_view text);

/// Plain decimal text of a 128-bit integer ("-" when negative), for the
/// intermediate values that may leave the 64-bit range.
std::string wideDecimal(checked::i128 value);

/// printf's "%.8g", always with "." as the decimal point, whatever the
/// process locale.
std::string formatG8(double value);

/// The length in bytes of the control character at `at` in `text`, 0 when
/// none is there: an ASCII control character or DEL (1 byte), a C1 control
/// character U+0080 to U+009F (2 bytes of UTF-8: a terminal may read U+009B
/// as the start of a control sequence), the line and paragraph separators
/// U+2028 and U+2029 (3 bytes), or a byte that is no part of a UTF-8
/// character (1 byte: a terminal of 8-bit characters reads 0x9B alone as
/// that same start). Whatever is no control character is valid UTF-8.
std::size_t controlLength(std::string_view text, std::size_t at);

/// The length in bytes of the character at `at` in `text`: that of a UTF-8
/// character, or 1 for a byte that is no part of one.
std::size_t characterLength(std::string_view text, std::size_t at);

/// `text` on one line: each line break as `lineBreak`, any other control
/// character (see controlLength; a carriage return, and a byte that is no
/// part of a UTF-8 character, too) as "?": valid UTF-8. Messages that quote
/// what a user typed go through it, so they stay one line and send no
/// control sequence to the terminal.
std::string oneLine(std::string_view text, std::string_view lineBreak);

/// The most characters of a text that a message quotes.
inline constexpr std::size_t kExcerptCharacters = 200;

/// How a message quotes a text it was given (an argument, a line of a
/// script, a variable of the environment): on one line as oneLine shows it,
/// each line break as "\\n", and of a text longer than kExcerptCharacters
/// characters only its first ones, then "…". The cut falls between UTF-8
/// characters (a byte that is no part of one counts as one character, as
/// the "?" it is shown as).
std::string excerpt(std::string_view text);

/// A path as a message shows it: its folder and its name each as excerpt
/// shows them, so that a long folder still lets the file's name be read.
std::string excerptPath(std::string_view path);

}  // namespace tl
