// Items that show numbers: whole numbers, fractions, mixed numbers,
// rationals, extended and cancelled fractions; the font and block wrappers;
// the quotient chooser; and the text of one signed polynomial term.
//
// Leaf builders return ["start","1"], the item row, its colour row and its
// tag row. Numbers are written as plain decimal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/enums.hpp"
#include "common/items.hpp"
#include "common/tableau.hpp"

namespace tl {

Engine_Table wholeItem(std::int64_t n, Color c = defaultMessageColor, std::string_view tag = defaultMessageTag);

/// A negative denominator moves its sign to the numerator.
Engine_Table fractionItem(std::int64_t numerator, std::int64_t denominator,
                          Color numeratorColour = defaultMessageColor, Color denominatorColour = defaultMessageColor,
                          std::string_view tag = defaultMessageTag);

/// As fractionItem for the fraction part; the whole is written unchanged.
Engine_Table mixedNumberItem(std::int64_t whole, std::int64_t numerator, std::int64_t denominator,
                             Color wholeColour = defaultMessageColor, Color numeratorColour = defaultMessageColor,
                             Color denominatorColour = defaultMessageColor, std::string_view tag = defaultMessageTag);

/// A zero denominator or numerator gives the whole; a zero whole the
/// fraction; otherwise the mixed number.
Engine_Table numberItem(std::int64_t whole, std::int64_t numerator, std::int64_t denominator,
                        Color wholeColour = defaultMessageColor, Color numeratorColour = defaultMessageColor,
                        Color denominatorColour = defaultMessageColor, std::string_view tag = defaultMessageTag);

/// A zero or negative denominator moves its sign to the numerator (3 over 0
/// is written -3 over 0). c1 is not drawn; c2 numerator, c3 denominator, c4 bar.
Engine_Table rationalItem(std::int64_t numerator, std::int64_t denominator, Color c1 = defaultMessageColor,
                          Color c2 = defaultMessageColor, Color c3 = defaultMessageColor,
                          Color c4 = defaultMessageColor, std::string_view tag = defaultMessageTag);

/// (a text c) over (b text d); its third row is keyed "extended_fraction".
Engine_Table extendedFractionItem(std::string_view text, std::int64_t a, std::int64_t b, std::int64_t c,
                                  std::int64_t d, Color c1 = defaultMessageColor, Color c2 = defaultMessageColor,
                                  std::string_view tag = defaultMessageTag);

Engine_Table fractionCancelNumeratorAndDenominatorItem(std::int64_t a, std::int64_t b, std::int64_t c,
                                                       std::int64_t d, Color c1 = defaultMessageColor,
                                                       Color c2 = defaultMessageColor,
                                                       Color c3 = defaultMessageColor,
                                                       Color c4 = defaultMessageColor,
                                                       Color c5 = defaultMessageColor,
                                                       Color c6 = defaultMessageColor,
                                                       std::string_view tag = defaultMessageTag);

Engine_Table fractionCancelNumeratorItem(std::int64_t a, std::int64_t b, std::int64_t c,
                                         Color c1 = defaultMessageColor, Color c2 = defaultMessageColor,
                                         Color c3 = defaultMessageColor, Color c4 = defaultMessageColor,
                                         std::string_view tag = defaultMessageTag);

Engine_Table fractionCancelDenominatorItem(std::int64_t a, std::int64_t b, std::int64_t c,
                                           Color c1 = defaultMessageColor, Color c2 = defaultMessageColor,
                                           Color c3 = defaultMessageColor, Color c4 = defaultMessageColor,
                                           std::string_view tag = defaultMessageTag);

/// The integer item of n / d when d divides n, else the signed rational of
/// n and d (reduced by their gcd when `reduce`); black, tag "anon". A zero
/// denominator is a broken precondition.
Engine_Table quotientItem(std::int64_t numerator, std::int64_t denominator, bool reduce);

/// The table under a font item (no colour row).
Engine_Table fontItem(FontName font, const Engine_Table& table, std::string_view tag = defaultMessageTag);

/// The table under a one-row block item ["block", old root].
Engine_Table blockItem(const Engine_Table& table);

/// The text of the term c·v^e with its sign always shown ("+x²", "-3x",
/// "+4"); a unit coefficient is left out unless `showUnitCoefficient`.
std::string signedTermText(std::int64_t coefficient, std::int64_t exponent, std::string_view variable,
                           bool showUnitCoefficient);

}  // namespace tl
