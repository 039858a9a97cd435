// Drawing and measuring numbers in their written form: whole texts on the
// baseline, small fraction texts, stacked fractions (with a whole-size sign
// in front or the sign kept in the numerator), mixed numbers, and the
// entries of a column computation laid out in a whole and a fraction column.
//
// Points are (x, y) with y the baseline. Colours are colour names; a name
// that is no colour is a broken table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/tableau.hpp"
#include "common/layout.hpp"
#include "platform/gfx/text.hpp"

namespace tl {

/// The whole text with its baseline on y.
void drawWholeText(std::string_view text, std::string_view colour, const gfx::TextAttributes& fracAttributes,
                   const gfx::TextAttributes& wholeAttributes, const Metric& m, double x, double y);

/// A fraction-size text with its baseline on y.
void drawFractionText(std::string_view text, std::string_view colour, const gfx::TextAttributes& fracAttributes,
                      const gfx::TextAttributes& wholeAttributes, const Metric& m, double x, double y);

/// A stacked fraction whose bar lies half the whole x-height above y. With
/// the option "LEFT" (or no option) a leading "-" of the numerator is drawn
/// whole-size in front and the bar starts after it; with any other first
/// option the sign stays in the numerator.
void drawFractionPart(std::string_view numerator, std::string_view denominator, std::string_view numeratorColour,
                      std::string_view denominatorColour, const gfx::TextAttributes& fracAttributes,
                      const gfx::TextAttributes& wholeAttributes, const Metric& m,
                      const std::vector<std::string>& options, double x, double y);

/// The whole part, then the fraction right after it.
void drawMixedNumber(std::string_view whole, std::string_view numerator, std::string_view denominator,
                     std::string_view wholeColour, std::string_view numeratorColour, std::string_view denominatorColour,
                     const gfx::TextAttributes& fracAttributes, const gfx::TextAttributes& wholeAttributes,
                     const Metric& m, double x, double y);

/// The measures of one entry of a column computation.
struct NumberBlockMeasure {
    std::string kind;  // "whole", "fraction", "mixed_number" or "UNKNOWN"
    double wholeWidth = 0;
    double fractionWidth = 0;
    double totalWidth = 0;
    double height = 0;
};

NumberBlockMeasure measureNumberBlock(const Engine_Row& entry, const gfx::TextAttributes& wholeAttributes,
                                      const gfx::TextAttributes& fracAttributes);

/// Draws one entry: its whole part right-aligned in a column `wholeColumn`
/// wide, its fraction centred in the next column `fractionColumn` wide.
/// `widths` are the entry's own [whole width, fraction width].
void drawNumberBlockEntry(const Engine_Row& entry, const Engine_Row& colours,
                          const gfx::TextAttributes& wholeAttributes, const gfx::TextAttributes& fracAttributes,
                          const std::vector<double>& widths, const Metric& m, double x, double y, double wholeColumn,
                          double fractionColumn);

}  // namespace tl
