#include "pads/entry_editing.hpp"

#include "base/checked.hpp"

namespace tl {

namespace {

using checked::i128;

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Characters as the learner sees them in a field (UTF-8 code points).
std::size_t codePointCount(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char ch : text)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

bool underLimit(const std::string& text, i128 limit) { return static_cast<i128>(codePointCount(text)) < limit; }

}  // namespace

std::string integerDigit(const std::string& text, char digit, const DigitLimit& maximumDigits) {
    if (startsWith(text, "-")) {
        if (text == "-0") return std::string("-") + digit;
        return underLimit(text, static_cast<i128>(maximumDigits()) + 1) ? text + digit : text;
    }
    if (text == "0") return std::string(1, digit);
    return underLimit(text, maximumDigits()) ? text + digit : text;
}

std::string realDigit(const std::string& text, char digit, const DigitLimit& maximumDigits) {
    const i128 m = maximumDigits();
    const bool point = text.find('.') != std::string::npos;
    if (startsWith(text, "-")) {
        i128 limit = m + (point ? 2 : 1) + (startsWith(text, "-0") ? 1 : 0);
        if (text == "-0") return std::string("-") + digit;
        return underLimit(text, limit) ? text + digit : text;
    }
    i128 limit = m + (point ? 1 : 0) + (startsWith(text, "0") ? 1 : 0);
    if (text == "0") return std::string(1, digit);
    return underLimit(text, limit) ? text + digit : text;
}

std::string appendPoint(const std::string& text) {
    return text.find('.') == std::string::npos ? text + "." : text;
}

std::string clearedText() { return "0"; }

std::string deleteLast(const std::string& text) {
    const std::size_t n = codePointCount(text);
    if (startsWith(text, "-")) {
        if (n <= 2) return "-0";
    } else if (n <= 1) {
        return "0";
    }
    // Drop the last code point with its continuation bytes.
    std::size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

std::string toggledSign(const std::string& text) { return startsWith(text, "-") ? text.substr(1) : "-" + text; }

}  // namespace tl
