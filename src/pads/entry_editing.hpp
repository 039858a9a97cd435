// How the editing keys change the text of the selected field. Pure text
// functions; the limits are asked lazily, so a pad asks its data source only
// when a rule needs the answer.
//
// Integer fields hold "0", "-0", or an optional "-" and up to maximumDigits
// digits without a leading zero. Real fields may add "." and further
// digits; the sign, the point and the leading zero before the point do not
// count against the limit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tl {

using DigitLimit = std::function<std::int64_t()>;

/// A digit key on an integer field. `maximumDigits` is asked only when the
/// text is neither "0" nor "-0".
std::string integerDigit(const std::string& text, char digit, const DigitLimit& maximumDigits);
/// A digit key on a real field (the limit is asked at every digit).
std::string realDigit(const std::string& text, char digit, const DigitLimit& maximumDigits);
/// The point key: appends "." unless the text has one.
std::string appendPoint(const std::string& text);
/// "C": "0", the sign dropped too.
std::string clearedText();
/// "DEL": the last character goes; a lone digit leaves "0", a lone negative
/// digit "-0", an empty text "0".
std::string deleteLast(const std::string& text);
/// "+/-" when negatives are allowed: adds or removes the leading "-".
std::string toggledSign(const std::string& text);

}  // namespace tl
