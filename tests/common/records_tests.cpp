#include <tuple>

#include <gtest/gtest.h>

#include "common/records.hpp"

using namespace tl;

TEST(PlugInRecords, TableauOpFlattensGridsRowByRow) {
    const Engine_Table t = tableauOpTable("STEP", "+", {{"a", "b", "c"}, {"d", "e", "f"}},
                                          {{"YNC", "YNG", "YYR"}, {"NNN", "YNC", "YNC"}}, {"g0", "3"}, {"2"});
    EXPECT_EQ(t, (Engine_Table{{"start", "1"},
                               {"plug_in", "tableau_op", "7"},
                               {"tableau_op", "+"},
                               {"tableau_op_tableau", "a", "b", "c", "d", "e", "f"},
                               {"tableau_op_attributes", "YNC", "YNG", "YYR", "NNN", "YNC", "YNC"},
                               {"tableau_op_globals", "g0", "3"},
                               {"tableau_op_locals", "2"},
                               {"tableau_op_tag", "STEP"}}));
}

TEST(PlugInRecords, AddColumnHeaderCarriesTheGridShape) {
    StringGrid cells(4, StringList(5, "7")), codes(4, StringList(5, "YC"));
    const Engine_Table t = addColumnTable("STEP", "+", 1, cells, codes);
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[1], (Engine_Row{"plug_in", "add_column", "5"}));
    EXPECT_EQ(t[2], (Engine_Row{"add_column", "+", "1", "4", "5"}));
    EXPECT_EQ(t[3].size(), 21u);
    EXPECT_EQ(t[4].size(), 21u);
    EXPECT_EQ(t[4][0], "add_column_attributes");
    EXPECT_EQ(t[5], (Engine_Row{"add_column_tag", "STEP"}));
    EXPECT_THROW(addColumnTable("STEP", "+", 0, {}, {}), PreconditionError);
}

TEST(PlugInRecords, RowOrderDiffersFromArgumentOrder) {
    const Engine_Table dp = dividePartialOpTable("t", "÷", {"1", "2"}, {"g"}, {"l"});
    EXPECT_EQ(dp, (Engine_Table{{"start", "1"},
                                {"plug_in", "divide_partial_op", "7"},
                                {"divide_partial_op", "÷"},
                                {"divide_partial_op_tableau", "1", "2"},
                                {"divide_partial_op_partials"},
                                {"divide_partial_op_globals", "g"},
                                {"divide_partial_op_locals", "l"},
                                {"divide_partial_op_tag", "t"}}));
    EXPECT_EQ(dividePartialOpTable("t", "÷", {}, {}, {}, {"p"})[4], (Engine_Row{"divide_partial_op_partials", "p"}));

    const Engine_Table co = countOpTable("STEP", "−", {{"1", "2"}, {"3", "4"}}, {"g"}, {"l"});
    EXPECT_EQ(co[3], (Engine_Row{"count_op_tableau", "1", "2", "3", "4"}));
    EXPECT_EQ(co[4], (Engine_Row{"count_op_count_ups"}));
    EXPECT_EQ(co[5], (Engine_Row{"count_op_globals", "g"}));
    EXPECT_EQ(countOpTable("STEP", "−", {}, {}, {}, {"5", "6"})[4], (Engine_Row{"count_op_count_ups", "5", "6"}));

    const Engine_Table dv = divideOpTable("t", "÷", {"a"}, {"b"}, {"c"}, {"g"}, {"l"}, {"ignored"});
    EXPECT_EQ(dv, (Engine_Table{{"start", "1"},
                                {"plug_in", "divide_op", "8"},
                                {"divide_op", "÷"},
                                {"divide_op_tableau", "a"},
                                {"divide_op_background_tableau", "b"},
                                {"divide_op_lines", "c"},
                                {"divide_op_globals", "g"},
                                {"divide_op_locals", "l"},
                                {"divide_op_tag", "t"}}));
}

TEST(PlugInRecords, RecolorMessageByTagChangesTheFirstMatchOnly) {
    Engine_Table t = joinItem("🖇", messageTable("a", Color::black, "SOLUTION"),
                              messageTable("b", Color::black, "SOLUTION"));
    recolorMessageByTag(t, Color::red, "SOLUTION");
    EXPECT_EQ(t[2], (Engine_Row{"message_color", "red"}));
    EXPECT_EQ(t[5], (Engine_Row{"message_color", "black"}));
    const Engine_Table before = t;
    recolorMessageByTag(t, Color::red, "nothing");
    EXPECT_EQ(t, before);
}

TEST(TextHelpers, PlaceValueNames) {
    const std::tuple<std::int64_t, bool, const char*> names[] = {
        {0, false, "one"}, {1, true, "tens"}, {4, true, "ten thousands"}, {7, false, "ten million"},
        {8, false, "...?"}, {8, true, "...?"}, {-1, true, "...?"}};
    for (const auto& [place, plural, name] : names) EXPECT_EQ(placeValueName(place, plural), name) << place << plural;
}

TEST(TextHelpers, CharactersAreUserPerceived) {
    EXPECT_EQ(characterStrings("305"), (StringList{"3", "0", "5"}));
    EXPECT_TRUE(characterStrings("").empty());
    EXPECT_EQ(characterStrings("−2"), (StringList{"−", "2"}));
    // Skin tone, variation selector, zero-width joiner sequence, flag, combining accent.
    EXPECT_EQ(characterStrings("👈🏽a"), (StringList{"👈🏽", "a"}));
    EXPECT_EQ(characterStrings("🖇️x"), (StringList{"🖇️", "x"}));
    EXPECT_EQ(characterStrings("👩‍👧"), (StringList{"👩‍👧"}));
    EXPECT_EQ(characterStrings("🇩🇪🇫🇷"), (StringList{"🇩🇪", "🇫🇷"}));
    EXPECT_EQ(characterStrings("e\u0301!"), (StringList{"e\u0301", "!"}));
    EXPECT_EQ(unicodeScalars("3¹²"), (std::vector<char32_t>{U'3', U'¹', U'²'}));
    EXPECT_EQ(unicodeScalars("🖇️x"), (std::vector<char32_t>{U'\U0001F587', U'\uFE0F', U'x'}));
    EXPECT_EQ(unicodeScalars("a\xFF" "b"), (std::vector<char32_t>{U'a', U'\uFFFD', U'b'}));
    EXPECT_TRUE(unicodeScalars("").empty());
    EXPECT_EQ(characterText('Z'), "Z");
    EXPECT_EQ(characterText(U'\u2212'), "−");
    EXPECT_EQ(characterText(U'\U0001F587'), "🖇");
}

TEST(TextHelpers, Padding) {
    EXPECT_EQ(padFront({"7"}, {"1", "2", "3"}, "0"), (StringList{"0", "0", "7"}));
    EXPECT_EQ(padFront({"7", "8"}, {"1"}, "0"), (StringList{"7", "8"}));
    EXPECT_EQ(padLeft("12", 3, ' '), "   12");
    EXPECT_EQ(padRight("12", 2, "Z"), "12ZZ");
    EXPECT_EQ(padBoth("5", 1, 'B', 2, 'Z'), "B5ZZ");
    EXPECT_EQ(padLeft("x", 0, '0'), "x");
    // A negative count counts as none.
    EXPECT_EQ(padLeft("12", -2, '0'), "12");
    EXPECT_EQ(padRight("12", -1, '0'), "12");
    EXPECT_EQ(padBoth("12", -1, '<', -5, '>'), "12");
}
