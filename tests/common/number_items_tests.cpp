#include <gtest/gtest.h>

#include "common/box_items.hpp"
#include "common/number_items.hpp"

using namespace tl;

namespace {
Engine_Row itemRow(const Engine_Table& t) { return t.at(1); }
}  // namespace

TEST(NumberItems, SignNormalisation) {
    EXPECT_EQ(itemRow(fractionItem(3, -4)), (Engine_Row{"fraction", "-3", "4"}));
    EXPECT_EQ(itemRow(fractionItem(-3, -4)), (Engine_Row{"fraction", "3", "4"}));
    EXPECT_EQ(itemRow(fractionItem(3, 0)), (Engine_Row{"fraction", "3", "0"}));
    EXPECT_EQ(itemRow(rationalItem(3, 0)), (Engine_Row{"rational", "-3", "0"}));
    EXPECT_EQ(itemRow(rationalItem(-3, -6)), (Engine_Row{"rational", "3", "6"}));
    EXPECT_EQ(itemRow(mixedNumberItem(-2, 1, -3)), (Engine_Row{"mixed_number", "-2", "-1", "3"}));
    EXPECT_THROW(fractionItem(INT64_MIN, -1), OverflowError);
}

TEST(NumberItems, ExactRowsOfEveryKind) {
    EXPECT_EQ(wholeItem(5, Color::red, "w"),
              (Engine_Table{{"start", "1"}, {"whole", "5"}, {"whole_color", "red"}, {"whole_tag", "w"}}));
    EXPECT_EQ(mixedNumberItem(1, 2, 3, Color::red, Color::blue, Color::green)[2],
              (Engine_Row{"mixed_number_color", "red", "blue", "green"}));
    EXPECT_EQ(extendedFractionItem("+", 1, 2, 3, 4, Color::red, Color::blue, "e"),
              (Engine_Table{{"start", "1"},
                            {"extended_fraction", "+", "1", "2", "3", "4"},
                            {"extended_fraction_color", "red", "blue"},
                            {"extended_fraction", "e"}}));
    const Engine_Table both = fractionCancelNumeratorAndDenominatorItem(-6, 8, 3, 4);
    EXPECT_EQ(both[1], (Engine_Row{"fraction_cancel_numerator_and_denominator", "-6", "8", "3", "4"}));
    EXPECT_EQ(both[2].size(), 7u);
    EXPECT_EQ(both[3], (Engine_Row{"fraction_cancel_numerator_and_denominator_tag", "anon"}));
    EXPECT_EQ(fractionCancelNumeratorItem(6, 8, 3)[1], (Engine_Row{"fraction_cancel_numerator", "6", "8", "3"}));
    EXPECT_EQ(fractionCancelDenominatorItem(6, 8, 4)[2].size(), 5u);
}

TEST(NumberItems, NumberItemChoosesTheKind) {
    EXPECT_EQ(numberItem(5, 0, 7), wholeItem(5));
    EXPECT_EQ(numberItem(5, 2, 0), wholeItem(5));
    EXPECT_EQ(numberItem(0, 2, 3, Color::red, Color::blue, Color::green),
              fractionItem(2, 3, Color::blue, Color::green));
    EXPECT_EQ(numberItem(1, 2, 3), mixedNumberItem(1, 2, 3));
}

TEST(NumberItems, QuotientItem) {
    EXPECT_EQ(quotientItem(0, 5, true), integerItem(0));
    EXPECT_EQ(quotientItem(-12, 4, false), integerItem(-3));
    EXPECT_EQ(itemRow(quotientItem(6, 4, true)), (Engine_Row{"signed_rational", "+", "3", "2"}));
    EXPECT_EQ(itemRow(quotientItem(6, 4, false)), (Engine_Row{"signed_rational", "+", "6", "4"}));
    EXPECT_EQ(itemRow(quotientItem(-6, 4, true)), (Engine_Row{"signed_rational", "-", "3", "2"}));
    EXPECT_EQ(itemRow(quotientItem(6, -4, true)), (Engine_Row{"signed_rational", "-", "3", "2"}));
    EXPECT_THROW(quotientItem(1, 0, true), PreconditionError);
    EXPECT_THROW(quotientItem(INT64_MIN, -1, false), OverflowError);
}

TEST(NumberItems, FontAndBlockWrappers) {
    const Engine_Table leaf = integerItem(7);
    EXPECT_EQ(fontItem(FontName::monospaced_system, leaf, "f"),
              (Engine_Table{{"start", "4"},
                            {"integer", "7"}, {"integer_color", "black"}, {"integer_tag", "anon"},
                            {"font", "monospaced system"}, {"font_locator", "1"}, {"font_tag", "f"}}));
    const Engine_Table block = blockItem(leaf);
    ASSERT_EQ(block.size(), 5u);
    EXPECT_EQ(block[0], (Engine_Row{"start", "4"}));
    EXPECT_EQ(block[4], (Engine_Row{"block", "1"}));
    EXPECT_THROW(fontItem(FontName::system, {{"start", "one"}}), PreconditionError);
}

TEST(NumberItems, SignedTermText) {
    EXPECT_EQ(signedTermText(-1, 1, "x", false), "-x");
    EXPECT_EQ(signedTermText(1, 2, "x", false), "+x²");
    EXPECT_EQ(signedTermText(1, 2, "x", true), "+1x²");
    EXPECT_EQ(signedTermText(4, 0, "x", false), "+4");
    EXPECT_EQ(signedTermText(2, 12, "x", false), "+2x...");
    EXPECT_EQ(signedTermText(-1, 1, "y", true), "-1y");
    EXPECT_EQ(signedTermText(-5, 0, "x", false), "-5");
    EXPECT_EQ(signedTermText(-3, 3, "x", false), "-3x³");
    EXPECT_EQ(signedTermText(0, 1, "x", false), "+0x");
    EXPECT_EQ(signedTermText(2, -1, "x", false), "+2x...");
}

TEST(BoxItems, GridTermTextsDependOnPosition) {
    const auto term = [](std::int64_t c, std::uint64_t e) { return makeMonomialX(makeDefaultRational(c, 1), e); };
    // Positions 0..8; 5 and 7 show sign and unit coefficient on first-degree terms.
    const std::vector<Monomial> terms = {term(1, 1), term(-1, 1), term(-3, 2), term(4, 0), term(0, 0),
                                         term(1, 1), term(1, 2),  term(-2, 1), term(7, 12)};
    const Engine_Table t = boxGridItem(terms, {Color::red, Color::blue}, "g");
    EXPECT_EQ(t, (Engine_Table{{"start", "1"},
                               {"box_grid", "4"},
                               {"box_grid_terms", "x", "-x", "-3x²", "+4", "0", "+1x", "x²", "-2x", "7x..."},
                               {"box_grid_colors", "red", "blue"},
                               {"box_grid_tag", "g"}}));
}

TEST(BoxItems, TableValidatesItsShape) {
    const Engine_Table ok = boxTableItem(2, 3, {1, -2, 3, 4, 5, 6}, {Color::black}, "b");
    EXPECT_EQ(ok, (Engine_Table{{"start", "1"},
                                {"box_table", "4", "2", "3"},
                                {"box_table_entries", "1", "-2", "3", "4", "5", "6"},
                                {"box_table_colors", "black"},
                                {"box_table_tag", "b"}}));
    const Engine_Table error = messageTable("system error in table");
    EXPECT_EQ(boxTableItem(2, 3, {1, 2, 3, 4, 5}, {}), error);
    EXPECT_EQ(boxTableItem(0, 0, {}, {}), error);
    // rows × columns wraps round to 2 in 64 bits: an error, not a two-entry table.
    EXPECT_EQ(boxTableItem(6148914691236517206ull, 3, {9, 9}, {}), error);
}

TEST(BoxItems, UnaryShorthands) {
    const Engine_Table leaf = integerItem(2);
    EXPECT_EQ(equalsItem(leaf), unaryItem("= ", leaf));
    EXPECT_EQ(equalsItem(leaf).at(4), (Engine_Row{"unary", "= "}));
    EXPECT_EQ(spacedUnaryItem("±", leaf, Color::red, "s"), unaryItem("± ", leaf, Color::red, "s"));
}
