#include "common/number_items.hpp"

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/layout.hpp"

namespace tl {

namespace {

std::string dec(std::int64_t n) { return std::to_string(n); }
std::string name(Color c) { return std::string(colorName(c)); }

/// The row `key`, then `fields`.
Engine_Row keyed(std::string_view key, const Engine_Row& fields) {
    Engine_Row row{key};
    row.append(fields);
    return row;
}

Engine_Table leaf(const std::string& kind, Engine_Row fields, Engine_Row colours, std::string_view tag,
                  const std::string& tagKey) {
    return engineTable(engineRow("start", "1"), keyed(kind, fields),
                       keyed(kind + "_color", colours), engineRow(tagKey, tag));
}

Engine_Table leaf(const std::string& kind, Engine_Row fields, Engine_Row colours, std::string_view tag) {
    return leaf(kind, std::move(fields), std::move(colours), tag, kind + "_tag");
}

/// Numerator and denominator with a negative denominator's sign moved up.
std::pair<std::int64_t, std::int64_t> normalised(std::int64_t numerator, std::int64_t denominator) {
    if (denominator < 0) return {checked::neg(numerator), checked::neg(denominator)};
    return {numerator, denominator};
}

}  // namespace

Engine_Table wholeItem(std::int64_t n, Color c, std::string_view tag) {
    return leaf("whole", {dec(n)}, {name(c)}, tag);
}

Engine_Table fractionItem(std::int64_t numerator, std::int64_t denominator, Color numeratorColour,
                          Color denominatorColour, std::string_view tag) {
    const auto [n, d] = normalised(numerator, denominator);
    return leaf("fraction", {dec(n), dec(d)}, {name(numeratorColour), name(denominatorColour)}, tag);
}

Engine_Table mixedNumberItem(std::int64_t whole, std::int64_t numerator, std::int64_t denominator, Color wholeColour,
                             Color numeratorColour, Color denominatorColour, std::string_view tag) {
    const auto [n, d] = normalised(numerator, denominator);
    return leaf("mixed_number", {dec(whole), dec(n), dec(d)},
                {name(wholeColour), name(numeratorColour), name(denominatorColour)}, tag);
}

Engine_Table numberItem(std::int64_t whole, std::int64_t numerator, std::int64_t denominator, Color wholeColour,
                        Color numeratorColour, Color denominatorColour, std::string_view tag) {
    if (denominator == 0 || numerator == 0) return wholeItem(whole, wholeColour, tag);
    if (whole == 0) return fractionItem(numerator, denominator, numeratorColour, denominatorColour, tag);
    return mixedNumberItem(whole, numerator, denominator, wholeColour, numeratorColour, denominatorColour, tag);
}

Engine_Table rationalItem(std::int64_t numerator, std::int64_t denominator, Color c1, Color c2, Color c3, Color c4,
                          std::string_view tag) {
    std::int64_t n = numerator, d = denominator;
    if (d <= 0) n = checked::neg(n), d = checked::neg(d);
    return leaf("rational", {dec(n), dec(d)}, {name(c1), name(c2), name(c3), name(c4)}, tag);
}

Engine_Table extendedFractionItem(std::string_view text, std::int64_t a, std::int64_t b, std::int64_t c,
                                  std::int64_t d, Color c1, Color c2, std::string_view tag) {
    return leaf("extended_fraction", {std::string(text), dec(a), dec(b), dec(c), dec(d)}, {name(c1), name(c2)}, tag,
                "extended_fraction");
}

Engine_Table fractionCancelNumeratorAndDenominatorItem(std::int64_t a, std::int64_t b, std::int64_t c,
                                                       std::int64_t d, Color c1, Color c2, Color c3, Color c4,
                                                       Color c5, Color c6, std::string_view tag) {
    return leaf("fraction_cancel_numerator_and_denominator", {dec(a), dec(b), dec(c), dec(d)},
                {name(c1), name(c2), name(c3), name(c4), name(c5), name(c6)}, tag);
}

Engine_Table fractionCancelNumeratorItem(std::int64_t a, std::int64_t b, std::int64_t c, Color c1, Color c2,
                                         Color c3, Color c4, std::string_view tag) {
    return leaf("fraction_cancel_numerator", {dec(a), dec(b), dec(c)}, {name(c1), name(c2), name(c3), name(c4)},
                tag);
}

Engine_Table fractionCancelDenominatorItem(std::int64_t a, std::int64_t b, std::int64_t c, Color c1, Color c2,
                                           Color c3, Color c4, std::string_view tag) {
    return leaf("fraction_cancel_denominator", {dec(a), dec(b), dec(c)}, {name(c1), name(c2), name(c3), name(c4)},
                tag);
}

Engine_Table quotientItem(std::int64_t numerator, std::int64_t denominator, bool reduce) {
    require(denominator != 0, "quotient with a zero denominator");
    // checked::rem and div throw for INT64_MIN / -1 instead of trapping.
    if (checked::rem(numerator, denominator) == 0)
        return integerItem(checked::div(numerator, denominator), Color::black, defaultMessageTag);
    if (!reduce) return signedRationalItem(numerator, denominator);
    const std::int64_t g = gcd(numerator, denominator);
    return signedRationalItem(checked::div(numerator, g), checked::div(denominator, g));
}

Engine_Table fontItem(FontName font, const Engine_Table& table, std::string_view tag) {
    require(!table.empty(), "table without a start row");
    const std::int64_t child = parseInt(at(table[0], 1));
    Engine_Table result;
    result.push_back({"start", dec(static_cast<std::int64_t>(table.size()))});
    result.insert(result.cend(), table.begin() + 1, table.end());
    result.push_back({"font", std::string(fontNameText(font))});
    result.push_back({"font_locator", dec(child)});
    result.push_back({"font_tag", std::string(tag)});
    return result;
}

Engine_Table blockItem(const Engine_Table& table) {
    require(!table.empty(), "table without a start row");
    Engine_Table result;
    result.push_back({"start", dec(static_cast<std::int64_t>(table.size()))});
    result.insert(result.cend(), table.begin() + 1, table.end());
    result.push_back({"block", at(table[0], 1)});
    return result;
}

std::string signedTermText(std::int64_t coefficient, std::int64_t exponent, std::string_view variable,
                           bool showUnitCoefficient) {
    const std::string c = dec(coefficient);
    const std::string v(variable);
    const std::string sign = coefficient < 0 ? "" : "+";
    if (exponent == 0) return sign + c;
    const std::string power = exponent == 1 ? "" : superscriptDigit(dec(exponent));
    if (!showUnitCoefficient && coefficient == -1) return "-" + v + power;
    if (!showUnitCoefficient && coefficient == 1) return "+" + v + power;
    return sign + c + v + power;
}

}  // namespace tl
