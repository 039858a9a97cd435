#include "algebra/reader.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/text.hpp"
#include "common/layout.hpp"

namespace tl {

namespace {

// --- characters --------------------------------------------------------------

struct CodePoint {
    char32_t value;
    std::size_t length;
};

/// The code point at byte i, or absent when the bytes there are no UTF-8
/// (stray continuation, truncated, overlong, surrogate or beyond U+10FFFF).
std::optional<CodePoint> decodeAt(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) return CodePoint{lead, 1};
    std::size_t length = 0;
    char32_t value = 0, least = 0;
    if ((lead & 0xE0) == 0xC0) length = 2, value = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, value = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, value = lead & 0x07, least = 0x10000;
    else return std::nullopt;
    if (i + length > s.size()) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return CodePoint{value, length};
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

/// The digit 0–9 of a superscript digit character, or -1.
int superscriptValue(std::string_view character) {
    static const std::array<std::string, 10> superscripts = [] {
        std::array<std::string, 10> list;
        for (int d = 0; d < 10; ++d) list[d] = superscriptDigit(std::to_string(d));
        return list;
    }();
    for (int d = 0; d < 10; ++d)
        if (character == superscripts[d]) return d;
    return -1;
}

// --- tokens ------------------------------------------------------------------

enum class Kind { number, letter, caret, superscript, plus, minus, slash, open, close, relation, end, invalid };

struct Token {
    Kind kind = Kind::end;
    std::size_t column = 1;  // 1-based character column in the whole text
    std::size_t offset = 0;  // byte offset in the whole text
    std::string text;        // number: as written; letter; superscript: its plain digits; invalid: the message
    Relation relation = Relation::equal_to;
};

std::string describe(const Token& t) {
    switch (t.kind) {
        case Kind::number: return "the number " + t.text;
        case Kind::letter: return "the letter " + t.text;
        case Kind::caret: return "'^'";
        case Kind::superscript: return "the exponent " + t.text;
        case Kind::plus: return "'+'";
        case Kind::minus: return "a minus sign";
        case Kind::slash: return "'/'";
        case Kind::open: return "'('";
        case Kind::close: return "')'";
        case Kind::relation: return "the relation " + std::string(relationSymbol(t.relation));
        case Kind::end: return "the end of the text";
        case Kind::invalid: return t.text;
    }
    return {};
}

/// The message for a character that no token starts with.
std::string unexpectedCharacter(std::string_view s, std::size_t i, const std::optional<CodePoint>& cp) {
    if (!cp) return "a byte that is not UTF-8 text";
    if (cp->value < 0x20 || cp->value == 0x7F || (cp->value >= 0x80 && cp->value < 0xA0)) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp->value));
        return std::string("unexpected control character ") + code;
    }
    const std::string character(s.substr(i, cp->length));
    if ((cp->value >= 'a' && cp->value <= 'z') || (cp->value >= 'A' && cp->value <= 'Z'))
        return "the letter " + character + ": the letters are x, y and z";
    return "unexpected character '" + character + "'";
}

/// The tokens of text[offset...], ending with an end token, or with the
/// first invalid one (its text is the message; reading never goes past it).
std::vector<Token> tokenize(std::string_view s, std::size_t offset, std::size_t column) {
    std::vector<Token> tokens;
    std::size_t i = offset;
    auto skip = [&](std::size_t length) {
        for (std::size_t k = 0; k < length; ++k)
            if (!isContinuationByte(s[i + k])) ++column;
        i += length;
    };
    auto add = [&](Kind kind, std::size_t length, std::string text = {}, Relation relation = Relation::equal_to) {
        tokens.push_back(Token{kind, column, i, std::move(text), relation});
        skip(length);
    };
    while (i < s.size()) {
        const char c = s[i];
        if (c == ' ' || c == '\t') {
            skip(1);
            continue;
        }
        if ((c >= '0' && c <= '9') || c == '.') {
            std::size_t j = i, digits = 0, points = 0;
            for (; j < s.size() && ((s[j] >= '0' && s[j] <= '9') || (s[j] == '.' && points == 0)); ++j)
                s[j] == '.' ? ++points : ++digits;
            if (digits == 0) {
                add(Kind::invalid, 1, "a '.' without digits");
                return tokens;
            }
            add(Kind::number, j - i, std::string(s.substr(i, j - i)));
            continue;
        }
        switch (c) {
            case 'x': case 'y': case 'z': add(Kind::letter, 1, std::string(1, c)); continue;
            case '^': add(Kind::caret, 1); continue;
            case '+': add(Kind::plus, 1); continue;
            case '-': add(Kind::minus, 1); continue;
            case '/': add(Kind::slash, 1); continue;
            case '(': add(Kind::open, 1); continue;
            case ')': add(Kind::close, 1); continue;
            default: break;
        }
        if ((c == '<' || c == '>') && i + 1 < s.size() && s[i + 1] == '=') {
            add(Kind::relation, 2, {},
                c == '<' ? Relation::less_than_or_equal_to : Relation::greater_than_or_equal_to);
            continue;
        }
        const auto cp = decodeAt(s, i);
        const std::string_view character = cp ? s.substr(i, cp->length) : std::string_view{};
        if (cp && cp->value == U'\u2212') {
            add(Kind::minus, cp->length);
        } else if (const auto relation = relationFromSymbol(character)) {
            add(Kind::relation, cp->length, {}, *relation);
        } else if (cp && superscriptValue(character) >= 0) {
            std::string digits;
            std::size_t j = i;
            while (j < s.size()) {
                const auto next = decodeAt(s, j);
                const int d = next ? superscriptValue(s.substr(j, next->length)) : -1;
                if (d < 0) break;
                digits += static_cast<char>('0' + d);
                j += next->length;
            }
            add(Kind::superscript, j - i, digits);
        } else {
            add(Kind::invalid, 1, unexpectedCharacter(s, i, cp));
            return tokens;
        }
    }
    add(Kind::end, 0);
    return tokens;
}

// --- parsing -----------------------------------------------------------------

struct Refusal {
    std::size_t column;
    std::string message;
};

[[noreturn]] void refuse(const Token& at, std::string message) {
    if (at.kind == Kind::invalid) throw Refusal{at.column, at.text};
    throw Refusal{at.column, std::move(message)};
}

/// One side as read, in the widest form, with where it first needs a wider
/// form than the flat one.
struct ParsedSide {
    Polynomial_XL value;
    std::optional<std::size_t> firstGroup;    // column of the first group's "("
    std::optional<std::size_t> firstProduct;  // column of a second group of a term, or of a group's power
    std::vector<std::pair<std::string, std::size_t>> letters;  // with a power from 1 up, at their first column
    std::optional<std::size_t> zeroDenominator;                // column of the first coefficient over 0
};

void noteLetter(ParsedSide& side, const std::string& letter, std::size_t column) {
    for (const auto& [seen, at] : side.letters)
        if (seen == letter) return;
    side.letters.emplace_back(letter, column);
}

void noteColumn(std::optional<std::size_t>& first, std::size_t column) {
    if (!first) first = column;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    const Token& peek(std::size_t ahead = 0) const {
        return tokens_[std::min(next_ + ahead, tokens_.size() - 1)];
    }

    /// Terms joined by signs, the first with an optional sign; the group is
    /// appended to the side (after the groups inside it) and its index returned.
    std::size_t group(ParsedSide& side, std::size_t depth) {
        std::vector<Term_XL> terms;
        do {
            bool negative = false;
            if (peek().kind == Kind::plus || peek().kind == Kind::minus) negative = take().kind == Kind::minus;
            terms.push_back(term(side, negative, depth));
        } while (peek().kind == Kind::plus || peek().kind == Kind::minus);
        side.value.terms.push_back(std::move(terms));
        return side.value.terms.size() - 1;
    }

    ParsedSide side() {
        ParsedSide s;
        group(s, 0);
        return s;
    }

    /// After the left side: the relation, which is returned.
    Relation relation() {
        const Token& t = peek();
        if (t.kind == Kind::relation) return take().relation;
        if (t.kind == Kind::end) refuse(t, "no relation: an equation needs =, <, >, ≤ or ≥");
        refuseAfterSide(t, "a relation");
    }

    /// After the last side: the end of the text. `relationMessage` tells why
    /// a relation cannot stand here.
    void end(const char* relationMessage) {
        const Token& t = peek();
        if (t.kind == Kind::relation) refuse(t, relationMessage);
        if (t.kind != Kind::end) refuseAfterSide(t, "the end");
    }

private:
    [[noreturn]] void refuseAfterSide(const Token& t, const char* expected) {
        if (t.kind == Kind::close) refuse(t, "')' without its '('");
        if (t.kind == Kind::slash)
            refuse(t, denominatorLength(1) > 0 ? "a term has one denominator" : "'/' divides only by a whole number here");
        refuse(t, std::string("expected '+', '−' or ") + expected + ", found " + describe(t));
    }

    const Token& take() { return tokens_[std::min(next_++, tokens_.size() - 1)]; }

    /// Tokens of a denominator starting `ahead` tokens on: a number, or "(" [sign] number ")"; 0 when none.
    std::size_t denominatorLength(std::size_t ahead) const {
        if (peek(ahead).kind == Kind::number) return 1;
        if (peek(ahead).kind != Kind::open) return 0;
        const bool sign = peek(ahead + 1).kind == Kind::plus || peek(ahead + 1).kind == Kind::minus;
        const std::size_t n = ahead + 1 + (sign ? 1 : 0);
        return peek(n).kind == Kind::number && peek(n + 1).kind == Kind::close ? n + 2 - ahead : 0;
    }

    /// "(" [sign] number ["/" denominator] ")" as a coefficient of a term
    /// whose sign is `negative`: right before a letter or a group ("(3/4)x",
    /// "(3/4)(x + 1)"), or a whole term, a constant ("x + (3/4) = 1" as
    /// "x + 3/4 = 1"). Before a power or a divisor it is a group: "(3/4)^2",
    /// "(3)/2"; and so is a constant whose numerator, the sign of the term
    /// put in, leaves 64 bits while the group's does not: "−(−9223372036854775808)".
    bool parenthesisedCoefficientAhead(bool negative) const {
        if (peek().kind != Kind::open) return false;
        std::size_t n = 1;
        const bool innerMinus = peek(n).kind == Kind::minus;
        if (peek(n).kind == Kind::plus || peek(n).kind == Kind::minus) ++n;
        const Token& number = peek(n++);
        if (number.kind != Kind::number) return false;
        const bool fraction = peek(n).kind == Kind::slash;
        if (fraction) {
            const std::size_t d = denominatorLength(n + 1);
            if (d == 0) return false;
            n += 1 + d;
        }
        if (peek(n).kind != Kind::close) return false;
        switch (peek(n + 1).kind) {
            case Kind::letter: case Kind::open:  // a coefficient
                return true;
            case Kind::plus: case Kind::minus: case Kind::relation: case Kind::close: case Kind::end:  // a constant
                return numeratorFits(number, negative != innerMinus, fraction) ||
                       !numeratorFits(number, innerMinus, fraction);
            default: return false;
        }
    }

    /// Whether coefficient() reads `number` with this sign within 64 bits.
    static bool numeratorFits(const Token& number, bool negative, bool fraction) {
        const std::string text = (negative ? "-" : "") + number.text;
        if (fraction || number.text.find('.') == std::string::npos) return tryParseInt(text).has_value();
        try {
            rationalFromDecimalText(text);
            return true;
        } catch (const OverflowError&) {
            return false;
        }
    }

    std::int64_t integer(const Token& number, bool negative, const char* what) {
        if (number.text.find('.') != std::string::npos)
            refuse(number, std::string(what) + " is a whole number, not " + number.text);
        const auto value = tryParseInt((negative ? "-" : "") + number.text);
        if (!value) refuse(number, "the number " + number.text + " is beyond 64 bits");
        return *value;
    }

    std::int64_t denominator(ParsedSide& side) {
        const std::size_t column = peek().column;
        bool negative = false;
        const bool parenthesised = peek().kind == Kind::open;
        if (parenthesised) {
            take();
            if (peek().kind == Kind::plus || peek().kind == Kind::minus) negative = take().kind == Kind::minus;
        }
        const std::int64_t d = integer(take(), negative, "a denominator");
        if (parenthesised) take();  // the ")" that denominatorLength saw
        if (d == 0) noteColumn(side.zeroDenominator, column);
        return d;
    }

    std::uint64_t power() {
        const Token& t = take();
        const Token& digits = t.kind == Kind::caret ? take() : t;
        if (digits.kind != Kind::number && digits.kind != Kind::superscript)
            refuse(digits, "an exponent is a whole number from 0 up, found " + describe(digits));
        if (digits.text.find('.') != std::string::npos)
            refuse(digits, "an exponent is a whole number, not " + digits.text);
        std::uint64_t value = 0;
        const auto [end, error] = std::from_chars(digits.text.data(), digits.text.data() + digits.text.size(), value);
        if (error != std::errc{} || end != digits.text.data() + digits.text.size())
            refuse(digits, "the exponent " + digits.text + " is beyond 64 bits");
        return value;
    }

    bool powerAhead() const { return peek().kind == Kind::caret || peek().kind == Kind::superscript; }

    Term_XL term(ParsedSide& side, bool negative, std::size_t depth) {
        const Token& start = peek();
        const Token* number = nullptr;
        std::optional<std::int64_t> writtenDenominator;
        if (start.kind == Kind::number || parenthesisedCoefficientAhead(negative)) {
            const bool parenthesised = start.kind == Kind::open;
            if (parenthesised) {
                take();
                if (peek().kind == Kind::plus || peek().kind == Kind::minus)
                    negative = (take().kind == Kind::minus) != negative;
            }
            number = &take();
            if (peek().kind == Kind::slash && denominatorLength(1) > 0) {
                take();
                writtenDenominator = denominator(side);
            }
            if (parenthesised) take();  // the ")" that parenthesisedCoefficientAhead saw
            if (powerAhead()) refuse(peek(), "an exponent belongs to a letter or to parentheses");
        }

        Term_XL result;
        result.monomial.variable = "x";
        const bool letter = peek().kind == Kind::letter;
        if (letter) {
            const Token& name = take();
            result.monomial.variable = name.text;
            result.monomial.exponent = powerAhead() ? power() : 1;
            if (result.monomial.exponent > 0) noteLetter(side, name.text, name.column);
        }
        while (peek().kind == Kind::open) {
            const Token& open = take();
            noteColumn(side.firstGroup, open.column);
            if (!result.factors.empty()) noteColumn(side.firstProduct, open.column);
            if (depth + 1 > kMaxGroupNestingDepth)
                refuse(open, "parentheses nested deeper than " + std::to_string(kMaxGroupNestingDepth));
            const std::size_t index = group(side, depth + 1);
            if (peek().kind != Kind::close)
                refuse(peek(), "expected ')' to close the '(' at column " + std::to_string(open.column) +
                                   ", found " + describe(peek()));
            take();
            Factor f = makeFactor(index, 1);
            if (powerAhead()) {
                noteColumn(side.firstProduct, peek().column);
                f.exponent = power();
            }
            result.factors.push_back(f);
        }
        if (!number && !letter && result.factors.empty())
            refuse(start, "expected a number, a letter x, y or z, or '(', found " + describe(start));

        const bool divisor = (letter || !result.factors.empty()) && peek().kind == Kind::slash && denominatorLength(1) > 0;
        if (divisor && writtenDenominator) refuse(peek(), "a term has one denominator");
        if (divisor) {
            take();
            writtenDenominator = denominator(side);
        }
        result.monomial.coefficient = coefficient(number, negative, writtenDenominator);
        return result;
    }

    Rational coefficient(const Token* number, bool negative, std::optional<std::int64_t> denominator) {
        if (!number) return makeDefaultRational(negative ? -1 : 1, denominator.value_or(1));
        if (denominator) return makeDefaultRational(integer(*number, negative, "a fraction's numerator"), *denominator);
        if (number->text.find('.') == std::string::npos) return makeDefaultRational(integer(*number, negative, "a number"), 1);
        try {
            return rationalFromDecimalText((negative ? "-" : "") + number->text);
        } catch (const OverflowError&) {
            refuse(*number, "the decimal " + number->text + " is beyond 64 bits");
        }
    }

    std::vector<Token> tokens_;
    std::size_t next_ = 0;
};

// --- entry points ------------------------------------------------------------

std::size_t characterCount(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return !isContinuationByte(c); }));
}

/// Runs `read` on a parser of text[offset...] and turns a refusal into a ReadError.
template <class T, class Read>
ReadResult<T> readWith(std::string_view text, std::size_t offset, Read read) {
    if (characterCount(text) > kMaxEquationTextLength)
        return ReadError{kMaxEquationTextLength + 1,
                         "the text is longer than " + std::to_string(kMaxEquationTextLength) + " characters"};
    if (offset > text.size()) return ReadError{characterCount(text) + 1, "the reading starts beyond the text"};
    try {
        Parser parser(tokenize(text, offset, columnOfOffset(text, offset)));
        return read(parser);
    } catch (const Refusal& r) {
        return ReadError{r.column, r.message};
    }
}

struct ParsedEquation {
    ParsedSide LHS, RHS;
    Relation relation;
};

ParsedEquation parseEquation(Parser& parser) {
    ParsedSide lhs = parser.side();
    const Relation relation = parser.relation();
    ParsedSide rhs = parser.side();
    parser.end("a second relation: an equation has one");
    return {std::move(lhs), std::move(rhs), relation};
}

std::optional<std::size_t> firstOf(const std::optional<std::size_t>& a, const std::optional<std::size_t>& b) {
    return a ? a : b;  // the left side comes first in the text
}

Polynomial flatSide(const ParsedSide& side) {
    std::vector<Monomial> terms;
    for (const Term_XL& t : side.value.terms.back()) terms.push_back(t.monomial);
    return makePolynomial(std::move(terms));
}

Ext_polynomial groupedSide(const ParsedSide& side) {
    std::vector<std::vector<Term>> groups;
    for (const auto& g : side.value.terms) {
        std::vector<Term>& terms = groups.emplace_back();
        for (const Term_XL& t : g)
            terms.push_back(makeTerm(t.monomial, t.factors.empty() ? std::pair<bool, std::uint64_t>{false, 0}
                                                                   : std::pair{true, t.factors[0].pointer}));
    }
    return makePolynomialXL(std::move(groups));
}

// What a text with parentheses is refused as, in the words of the command
// line: what was typed, and the entry that takes it.
constexpr const char* kGroupedNote = "an equation with parentheses: solve it with solveExtEquation";
constexpr const char* kFactoredNote =
    "a product or a power of parentheses: multiply it out first, or show it with algebraTable";

}  // namespace

std::string readErrorText(const ReadError& error) {
    return "column " + std::to_string(error.position) + ": " + error.message;
}

std::size_t columnOfOffset(std::string_view text, std::size_t offset) {
    return characterCount(text.substr(0, offset)) + 1;
}

ReadResult<PolyEquation> readPolyEquation(std::string_view text) {
    return readWith<PolyEquation>(text, 0, [](Parser& p) -> ReadResult<PolyEquation> {
        const ParsedEquation e = parseEquation(p);
        if (const auto group = firstOf(e.LHS.firstGroup, e.RHS.firstGroup)) return ReadError{*group, kGroupedNote};
        return makeEquationXL(flatSide(e.LHS), flatSide(e.RHS), e.relation);
    });
}

ReadResult<Ext_polyEquation> readExtEquation(std::string_view text) {
    return readWith<Ext_polyEquation>(text, 0, [](Parser& p) -> ReadResult<Ext_polyEquation> {
        const ParsedEquation e = parseEquation(p);
        if (const auto product = firstOf(e.LHS.firstProduct, e.RHS.firstProduct))
            return ReadError{*product, kFactoredNote};
        return makeEquationXL(groupedSide(e.LHS), groupedSide(e.RHS), e.relation);
    });
}

ReadResult<AnyEquation> readEquation(std::string_view text) {
    return readWith<AnyEquation>(text, 0, [](Parser& p) -> ReadResult<AnyEquation> {
        ParsedEquation e = parseEquation(p);
        if (firstOf(e.LHS.firstProduct, e.RHS.firstProduct))
            return AnyEquation{makeEquationXL(std::move(e.LHS.value), std::move(e.RHS.value), e.relation)};
        if (firstOf(e.LHS.firstGroup, e.RHS.firstGroup))
            return AnyEquation{makeEquationXL(groupedSide(e.LHS), groupedSide(e.RHS), e.relation)};
        return AnyEquation{makeEquationXL(flatSide(e.LHS), flatSide(e.RHS), e.relation)};
    });
}

ReadResult<FactoredPolynomialRead> readFactoredPolynomialAt(std::string_view text, std::size_t offset) {
    return readWith<FactoredPolynomialRead>(text, offset, [](Parser& p) -> ReadResult<FactoredPolynomialRead> {
        ParsedSide side = p.side();
        if (p.peek().kind == Kind::invalid) refuse(p.peek(), "");
        return FactoredPolynomialRead{std::move(side.value), p.peek().offset, std::move(side.letters),
                                      side.zeroDenominator};
    });
}

ReadError refusalAfterPolynomial(std::string_view text, std::size_t offset, const char* relationMessage) {
    const auto read = readWith<bool>(text, offset, [&](Parser& p) -> ReadResult<bool> {
        p.end(relationMessage);
        return true;
    });
    return read ? ReadError{columnOfOffset(text, offset), "expected the end"} : read.error();
}

ReadResult<Polynomial_XL> readFactoredPolynomial(std::string_view text) {
    return readWith<Polynomial_XL>(text, 0, [](Parser& p) -> ReadResult<Polynomial_XL> {
        ParsedSide side = p.side();
        p.end("a relation: this is a polynomial, not an equation");
        return std::move(side.value);
    });
}

}  // namespace tl
