#include "base/text.hpp"

#include <algorithm>
#include <charconv>

#include "base/checked.hpp"

namespace tl {

namespace {

enum class ParseFailure { none, malformed, range };

ParseFailure parse(std::string_view text, std::int64_t& out) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return ParseFailure::malformed;
    // Accumulate negatively so that INT64_MIN is reachable.
    std::int64_t value = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return ParseFailure::malformed;
        if (!overflow && (__builtin_mul_overflow(value, 10, &value) ||
                          __builtin_sub_overflow(value, c - '0', &value)))
            overflow = true;
    }
    if (overflow) return ParseFailure::range;
    if (!negative) {
        if (value == checked::kMin) return ParseFailure::range;
        value = -value;
    }
    out = value;
    return ParseFailure::none;
}

}  // namespace

std::optional<std::int64_t> tryParseInt(std::string_view text) {
    std::int64_t v = 0;
    if (parse(text, v) != ParseFailure::none) return std::nullopt;
    return v;
}

std::int64_t parseInt(std::string_view text) {
    std::int64_t v = 0;
    switch (parse(text, v)) {
        case ParseFailure::none: return v;
        case ParseFailure::range:
            throw OverflowError("integer out of 64-bit range: \"" + excerpt(text) + "\"");
        case ParseFailure::malformed: break;
    }
    throw PreconditionError("not an integer: \"" + excerpt(text) + "\"");
}

std::string wideDecimal(checked::i128 value) {
    // Digits are taken off the negative side, so the smallest value has no
    // positive counterpart to overflow into.
    const bool negative = value < 0;
    if (!negative) value = -value;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' - static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return negative ? "-" + digits : digits;
}

std::string formatG8(double value) {
    // std::to_chars is locale-independent; general format with 8 significant
    // digits matches "%.8g" (exponent written with at least two digits).
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 8);
    if (ec != std::errc()) return "nan";
    return std::string(buffer, end);
}

namespace {

// The length in bytes of the UTF-8 character at `at` in `text`, 0 when the
// bytes there are none (a stray continuation byte, a character cut short,
// an overlong form, a surrogate, beyond U+10FFFF, or 0xF8 to 0xFF).
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const auto within = [](unsigned b, unsigned low, unsigned high) { return b >= low && b <= high; };
    const unsigned first = byte(at);
    if (first < 0x80) return 1;
    // The second byte's range depends on the first (no overlong form, no
    // surrogate, nothing beyond U+10FFFF); every later one is 0x80 to 0xBF.
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xbf;
    if (within(first, 0xc2, 0xdf)) {
        length = 2;
    } else if (within(first, 0xe0, 0xef)) {
        length = 3;
        if (first == 0xe0) low = 0xa0;
        if (first == 0xed) high = 0x9f;
    } else if (within(first, 0xf0, 0xf4)) {
        length = 4;
        if (first == 0xf0) low = 0x90;
        if (first == 0xf4) high = 0x8f;
    } else {
        return 0;
    }
    if (!within(byte(at + 1), low, high)) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!within(byte(at + k), 0x80, 0xbf)) return 0;
    return length;
}

}  // namespace

std::size_t controlLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const unsigned first = byte(at);
    if (first < 0x20 || first == 0x7f) return 1;                                          // C0, DEL
    if (utf8Length(text, at) == 0) return 1;                                              // no UTF-8
    if (first == 0xc2 && byte(at + 1) <= 0x9f) return 2;                                  // C1
    if (first == 0xe2 && byte(at + 1) == 0x80 && (byte(at + 2) == 0xa8 || byte(at + 2) == 0xa9))
        return 3;                                                                         // U+2028, U+2029
    return 0;
}

std::size_t characterLength(std::string_view text, std::size_t at) {
    return std::max<std::size_t>(utf8Length(text, at), 1);
}

std::string oneLine(std::string_view text, std::string_view lineBreak) {
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\n') {
            line += lineBreak;
            ++i;
        } else if (const std::size_t control = controlLength(text, i); control > 0) {
            line += '?';
            i += control;
        } else {
            const std::size_t length = characterLength(text, i);
            line.append(text, i, length);
            i += length;
        }
    }
    return line;
}

std::string excerpt(std::string_view text) {
    // A character is one of UTF-8, or a byte that is no part of one (shown
    // as "?" then).
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < kExcerptCharacters; ++characters)
        end += characterLength(text, end);
    if (end == text.size()) return oneLine(text, "\\n");
    return oneLine(text.substr(0, end), "\\n") + "\u2026";
}

std::string excerptPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return excerpt(path);
    return excerpt(path.substr(0, slash)) + "/" + excerpt(path.substr(slash + 1));
}

}  // namespace tl
