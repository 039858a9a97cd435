// Text conversions shared by the whole system: the one strict decimal parser
// through which every text that becomes an integer goes, locale-free number
// formatting, and the one-line form of a text for messages.
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

/// `text` on one line: each line break as `lineBreak`, carriage returns
/// dropped, any other ASCII control character (DEL too) as "?". Messages
/// that quote what a user typed go through it, so they stay one line and
/// send no control sequence to the terminal.
std::string oneLine(std::string_view text, std::string_view lineBreak);

}  // namespace tl
