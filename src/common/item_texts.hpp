// The texts of join and unary items and the layout each selects: the one
// vocabulary the typesetter draws and the plain-text reader reads.
#pragma once

#include <array>
#include <string_view>

namespace tl {

/// A join operand left empty holds this text in place of a row index.
inline constexpr std::string_view blankOperand = "BLANK";

/// How a join item sets its operands, by its text:
/// "🖇" side by side; the thirteen operators with a blank on each side;
/// "^" a power; "/" a fraction; any other text shows nothing.
enum class JoinLayout { juxtaposition, op, power, fraction, none };

inline JoinLayout joinLayout(std::string_view text) {
    static constexpr std::array<std::string_view, 13> operators{
        "+", "\u2212", "\u00D7", "\u00F7", "=", "<", ">", "\u2264", "\u2265", "\u27A9", "\u2219", "\u00B1", "?"};
    if (text == "\U0001F587") return JoinLayout::juxtaposition;
    for (auto o : operators)
        if (text == o) return JoinLayout::op;
    if (text == "^") return JoinLayout::power;
    if (text == "/") return JoinLayout::fraction;
    return JoinLayout::none;
}

/// The root sign; "√2" … "√6" carry their index after it.
inline constexpr std::string_view rootSign = "\u221A";

/// How a unary item shows its text: a root sign over the operand, a pair of
/// brackets around it (the text's first and last characters), or a prefix
/// before it (any other text).
enum class UnaryGroup { root, brackets, prefix };

inline UnaryGroup unaryGroup(std::string_view text) {
    static constexpr std::array<std::string_view, 6> roots{"\u221A",  "\u221A2", "\u221A3",
                                                           "\u221A4", "\u221A5", "\u221A6"};
    static constexpr std::array<std::string_view, 9> brackets{"()", "(]", "[]", "[)", "[[", "]]", "][", "{}", "||"};
    for (auto r : roots)
        if (text == r) return UnaryGroup::root;
    for (auto b : brackets)
        if (text == b) return UnaryGroup::brackets;
    return UnaryGroup::prefix;
}

}  // namespace tl
