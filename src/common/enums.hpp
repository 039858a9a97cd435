// The shared enumerations of the page format: colours, relation signs and
// font names, each with the raw text that tables store.
//
// Header-only and free of drawing code on purpose: the algebra values carry
// colours and relations too, and must not depend on the platform layer. The
// conversion of a Color to a drawable colour is `toRgba` (common/drawing.hpp).
//
// The font enumeration is called FontName (not Font) so that it never gets
// mixed up with gfx::Font, the platform's font object.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/errors.hpp"

namespace tl {

/// The palette by name; the order is the case index (0 to 12).
enum class Color {
    invisible,
    white,
    clear,
    black,
    light_gray,
    gray,
    dark_gray,
    red,
    blue,
    green,
    cyan,
    brown,
    magenta,
};

inline constexpr std::array<Color, 13> allColors{
    Color::invisible, Color::white, Color::clear,  Color::black, Color::light_gray,
    Color::gray,      Color::dark_gray, Color::red, Color::blue,  Color::green,
    Color::cyan,      Color::brown,   Color::magenta,
};

/// The colour name written in tables ("light gray" and "dark gray" with a blank).
constexpr std::string_view colorName(Color c) {
    switch (c) {
        case Color::invisible: return "invisible";
        case Color::white: return "white";
        case Color::clear: return "clear";
        case Color::black: return "black";
        case Color::light_gray: return "light gray";
        case Color::gray: return "gray";
        case Color::dark_gray: return "dark gray";
        case Color::red: return "red";
        case Color::blue: return "blue";
        case Color::green: return "green";
        case Color::cyan: return "cyan";
        case Color::brown: return "brown";
        case Color::magenta: return "magenta";
    }
    return "black";
}

/// The colour whose name is exactly `name` (case-sensitive, no trimming).
constexpr std::optional<Color> colorFromName(std::string_view name) {
    for (Color c : allColors)
        if (colorName(c) == name) return c;
    return std::nullopt;
}

/// As colorFromName, for readers of tables: a name that is no colour is a
/// broken precondition.
inline Color requireColor(std::string_view name) {
    if (auto c = colorFromName(name)) return *c;
    throw PreconditionError("not a colour name: \"" + std::string(name) + "\"");
}

/// The relation sign of an equation or inequality.
enum class Relation {
    equal_to,
    less_than,
    greater_than,
    less_than_or_equal_to,
    greater_than_or_equal_to,
};

inline constexpr std::array<Relation, 5> allRelations{
    Relation::equal_to, Relation::less_than, Relation::greater_than, Relation::less_than_or_equal_to,
    Relation::greater_than_or_equal_to,
};

/// "=", "<", ">", "≤" (U+2264), "≥" (U+2265).
constexpr std::string_view relationSymbol(Relation r) {
    switch (r) {
        case Relation::equal_to: return "=";
        case Relation::less_than: return "<";
        case Relation::greater_than: return ">";
        case Relation::less_than_or_equal_to: return "\u2264";
        case Relation::greater_than_or_equal_to: return "\u2265";
    }
    return "=";
}

/// The relation whose symbol is exactly `symbol` ("<=" is none).
constexpr std::optional<Relation> relationFromSymbol(std::string_view symbol) {
    for (Relation r : allRelations)
        if (relationSymbol(r) == symbol) return r;
    return std::nullopt;
}

/// Exchanges the sides: < and > swap, ≤ and ≥ swap, = stays.
constexpr Relation flipRelation(Relation r) {
    switch (r) {
        case Relation::less_than: return Relation::greater_than;
        case Relation::greater_than: return Relation::less_than;
        case Relation::less_than_or_equal_to: return Relation::greater_than_or_equal_to;
        case Relation::greater_than_or_equal_to: return Relation::less_than_or_equal_to;
        case Relation::equal_to: return Relation::equal_to;
    }
    return r;
}

/// The opposite inequality: < gives ≥, > gives ≤, ≤ gives >, ≥ gives <; = stays.
constexpr Relation negateRelation(Relation r) {
    switch (r) {
        case Relation::less_than: return Relation::greater_than_or_equal_to;
        case Relation::greater_than: return Relation::less_than_or_equal_to;
        case Relation::less_than_or_equal_to: return Relation::greater_than;
        case Relation::greater_than_or_equal_to: return Relation::less_than;
        case Relation::equal_to: return Relation::equal_to;
    }
    return r;
}

/// The typeface of a sub-tree, as the font item writes it.
enum class FontName {
    system,
    monospaced_system,
    monospaced_digit_system,
};

inline constexpr std::array<FontName, 3> allFontNames{
    FontName::system, FontName::monospaced_system, FontName::monospaced_digit_system};

/// "system", "monospaced system" (a blank), "monospaced_digit_system" (underscores).
constexpr std::string_view fontNameText(FontName f) {
    switch (f) {
        case FontName::system: return "system";
        case FontName::monospaced_system: return "monospaced system";
        case FontName::monospaced_digit_system: return "monospaced_digit_system";
    }
    return "system";
}

/// The font name whose text is exactly `text`.
constexpr std::optional<FontName> fontNameFromText(std::string_view text) {
    for (FontName f : allFontNames)
        if (fontNameText(f) == text) return f;
    return std::nullopt;
}

/// The raw text of any of the three enumerations.
constexpr std::string_view rawValue(Color c) { return colorName(c); }
constexpr std::string_view rawValue(Relation r) { return relationSymbol(r); }
constexpr std::string_view rawValue(FontName f) { return fontNameText(f); }

}  // namespace tl
