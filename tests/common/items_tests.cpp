#include <gtest/gtest.h>

#include <sstream>

#include "base/random.hpp"
#include "common/dump.hpp"
#include "common/enums.hpp"
#include "common/items.hpp"

using namespace tl;

namespace {
const Engine_Table kFour = {{"start", "1"}, {"integer", "5"}, {"integer_color", "black"}, {"integer_tag", "anon"}};
}

TEST(Enums, ColourNamesRoundTripExactly) {
    EXPECT_EQ(colorName(Color::light_gray), "light gray");
    EXPECT_EQ(colorName(Color::dark_gray), "dark gray");
    EXPECT_EQ(colorFromName("light gray"), Color::light_gray);
    for (const char* bad : {"light_gray", "Black", " black", "", "grey"}) EXPECT_FALSE(colorFromName(bad)) << bad;
    for (Color c : allColors) EXPECT_EQ(colorFromName(colorName(c)), c);
    EXPECT_EQ(requireColor("magenta"), Color::magenta);
    EXPECT_THROW(requireColor("light_gray"), PreconditionError);
}

TEST(Enums, RelationsAndFonts) {
    EXPECT_EQ(relationSymbol(Relation::less_than_or_equal_to), "\u2264");
    EXPECT_EQ(relationFromSymbol("\u2265"), Relation::greater_than_or_equal_to);
    EXPECT_FALSE(relationFromSymbol("<="));
    for (Relation r : allRelations) {
        EXPECT_EQ(flipRelation(flipRelation(r)), r);
        EXPECT_EQ(negateRelation(negateRelation(r)), r);
    }
    EXPECT_EQ(negateRelation(Relation::less_than), Relation::greater_than_or_equal_to);
    EXPECT_EQ(fontNameText(FontName::monospaced_system), "monospaced system");
    EXPECT_EQ(fontNameFromText("monospaced_digit_system"), FontName::monospaced_digit_system);
    EXPECT_FALSE(fontNameFromText("monospaced digit system"));
}

TEST(CoreItems, LeafTablesAreExact) {
    EXPECT_EQ(messageTable("a + b"),
              (Engine_Table{{"start", "1"}, {"message", "a + b"}, {"message_color", "black"}, {"message_tag", "anon"}}));
    EXPECT_EQ(messageTable("x", Color::light_gray, "SOLUTION")[2], (Engine_Row{"message_color", "light gray"}));
    EXPECT_EQ(integerItem(-12, Color::red, "t"),
              (Engine_Table{{"start", "1"}, {"integer", "-12"}, {"integer_color", "red"}, {"integer_tag", "t"}}));
    EXPECT_EQ(blankTable(3).size(), 3u);
    EXPECT_EQ(blankTable(0), (Engine_Step{{{"start", "1"}, {"BLANK"}}}));
    EXPECT_EQ(blankTable(-4).size(), 1u);
    EXPECT_EQ(blankTable().size(), 1u);
}

TEST(CoreItems, SignedRationalWritesSignApart) {
    auto fields = [](std::int64_t n, std::int64_t d) { return signedRationalItem(n, d)[1]; };
    EXPECT_EQ(fields(-3, 4), (Engine_Row{"signed_rational", "-", "3", "4"}));
    EXPECT_EQ(fields(3, -4), (Engine_Row{"signed_rational", "-", "3", "4"}));
    EXPECT_EQ(fields(-3, -4), (Engine_Row{"signed_rational", "+", "3", "4"}));
    EXPECT_EQ(fields(0, -4), (Engine_Row{"signed_rational", "+", "0", "4"}));
    EXPECT_EQ(signedRationalItem(1, 2, Color::red, Color::blue, Color::green, Color::gray, "q")[2],
              (Engine_Row{"signed_rational_color", "red", "blue", "green", "gray"}));
    EXPECT_EQ(fields(INT64_MIN, -2), (Engine_Row{"signed_rational", "+", "9223372036854775808", "2"}));
}

TEST(CoreItems, JoinOfTwoLeaves) {
    const Engine_Table second = messageTable("m", Color::blue, "two");
    EXPECT_EQ(joinItem("+", kFour, second, Color::red, "j"),
              (Engine_Table{{"start", "7"},
                            {"integer", "5"}, {"integer_color", "black"}, {"integer_tag", "anon"},
                            {"message", "m"}, {"message_color", "blue"}, {"message_tag", "two"},
                            {"join", "+"}, {"join_locator", "1", "4"}, {"join_color", "red"}, {"join_tag", "j"}}));
}

TEST(CoreItems, JoinShiftsTheLocatorsOfTheSecondOperand) {
    const Engine_Table inner = joinItem("−", kFour, kFour);  // root at 7
    const Engine_Table outer = joinItem("=", kFour, inner);
    ASSERT_EQ(outer.size(), 18u);
    EXPECT_EQ(outer[0], (Engine_Row{"start", "14"}));
    EXPECT_EQ(outer[11], (Engine_Row{"join_locator", "4", "7"}));  // 1,4 moved by 3
    EXPECT_EQ(outer[15], (Engine_Row{"join_locator", "1", "10"}));
    EXPECT_EQ(outer[4], kFour[1]);  // item rows are copied unchanged
}

TEST(CoreItems, UnaryAndLocatorShifting) {
    EXPECT_EQ(unaryItem("()", kFour, Color::invisible, "u"),
              (Engine_Table{{"start", "4"},
                            {"integer", "5"}, {"integer_color", "black"}, {"integer_tag", "anon"},
                            {"unary", "()"}, {"unary_locator", "1"}, {"unary_color", "invisible"}, {"unary_tag", "u"}}));
    EXPECT_EQ(shiftLocators({"block", "3", "extra"}, 2), (Engine_Row{"block", "5"}));
    EXPECT_EQ(shiftLocators({"font_locator", "1"}, 6), (Engine_Row{"font_locator", "7"}));
    EXPECT_EQ(shiftLocators({"join_locator", "1", "+4"}, 1), (Engine_Row{"join_locator", "2", "5"}));
    EXPECT_EQ(shiftLocators({"plug_in", "tableau_op", "7"}, 5), (Engine_Row{"plug_in", "tableau_op", "7"}));
    EXPECT_THROW(shiftLocators({"unary_locator", " 1"}, 1), PreconditionError);
    EXPECT_THROW(joinItem("+", Engine_Table{}, kFour), PreconditionError);
    EXPECT_THROW(unaryItem("()", {{"start", "x"}}), PreconditionError);
}

TEST(CoreItems, JoinTableauxFoldsLeftOverTablesWithContent) {
    EXPECT_FALSE(joinTableaux({}));
    EXPECT_FALSE(joinTableaux({Engine_Table{}, Engine_Table{{}, {}}}));
    EXPECT_EQ(joinTableaux({Engine_Table{}, kFour}), kFour);
    const Engine_Table a = messageTable("a"), b = messageTable("b"), c = messageTable("c");
    const auto three = joinTableaux({a, Engine_Table{}, b, c});
    ASSERT_TRUE(three);
    EXPECT_EQ(*three, joinItem("\U0001F587", joinItem("\U0001F587", a, b), c));
    EXPECT_EQ(three->at(three->size() - 4), (Engine_Row{"join", "\xF0\x9F\x96\x87"}));
}

TEST(CoreItems, MessageFromPiecesDropsEmptyTexts) {
    EXPECT_FALSE(messageFromPieces({}));
    EXPECT_FALSE(messageFromPieces({{"", Color::red}}));
    EXPECT_EQ(messageFromPieces({{"", Color::red}, {"blue words", Color::blue}}),
              messageTable("blue words", Color::blue, "anon"));
    EXPECT_EQ(messageFromPieces({{"x = ", Color::black}, {"3", Color::red}}),
              joinItem("\U0001F587", messageTable("x = "), messageTable("3", Color::red)));
}

TEST(Dump, TablesAndTriplesAsJson) {
    EXPECT_EQ(dumpTable(messageTable("hi")),
              R"([["start","1"],["message","hi"],["message_color","black"],["message_tag","anon"]])");
    EXPECT_EQ(tableFromJson(tableToJson(kFour)), kFour);
    StepTriple triple{{blankTable(1)}, {{"🤔"}}, {"NO PARAMETERS"}};
    const auto json = tripleToJson(triple);
    EXPECT_EQ(json["pages"][0][0][1][0], "BLANK");
    EXPECT_EQ(json["comments"][0][0], "🤔");
    EXPECT_EQ(json["parameters"][0], "NO PARAMETERS");
    EXPECT_NE(dumpTriple(triple).find("\"pages\""), std::string::npos);
    EXPECT_THROW(tableFromJson(nlohmann::json::parse(R"([["a", 1]])")), PreconditionError);
}

TEST(Dump, WrittenTriplesAreJsonsOwnDump) {
    // Random triples (empty lists, texts to escape, shared tables) written
    // page by page, against the json library's dump of the whole.
    const char* const texts[] = {"", "start", "\U0001F914", "\u2212", "a\"b", "back\\slash", "one\ntwo", "\t\x01", "12"};
    SystemRandom random(7);
    const auto pick = [&](std::int64_t hi) { return static_cast<std::size_t>(random.uniformInRange(0, hi)); };
    const auto strings = [&](std::int64_t most) {
        std::vector<std::string> list(pick(most));
        for (std::string& s : list) s = texts[pick(std::size(texts) - 1)];
        return list;
    };
    for (int i = 0; i < 300; ++i) {
        StepTriple t{{}, {}, strings(2)};
        for (std::size_t p = pick(4); p > 0; --p) {
            Engine_Step page = t.steps.empty() || pick(1) ? Engine_Step{} : t.steps.back();
            for (std::size_t k = pick(3); k > 0; --k) {
                Engine_Table table;
                for (std::size_t r = pick(4); r > 0; --r) table.push_back(Engine_Row(strings(3)));
                page.push_back(std::move(table));
            }
            t.steps.push_back(std::move(page));
            t.comments.push_back(strings(2));
        }
        std::ostringstream written;
        writeTriple(written, t);
        ASSERT_EQ(written.str(), tripleToJson(t).dump(2)) << i;
        ASSERT_EQ(dumpTriple(t), written.str()) << i;
    }
}
