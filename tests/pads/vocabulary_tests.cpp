#include <tuple>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "pads/pad_vocabulary.hpp"

using namespace tl;

TEST(ViewTags, EncodeTheWorkedPositions) {
    const std::tuple<std::int64_t, std::int64_t, std::int64_t, Tag, std::int64_t> tags[] = {
        {0, 0, 0, Tag::input, 1},     {0, 0, 1, Tag::input, 2},    {1, 0, 0, Tag::input, 65},
        {0, 1, 0, Tag::option, 4105}, {0, 0, 2, Tag::level, 5123}, {15, 7, 7, Tag::input, 1024},
        {1, 1, 1, Tag::option, 4170}};
    for (const auto& [a, b, c, kind, tag] : tags) EXPECT_EQ(viewTag(a, b, c, kind), tag) << a << ',' << b << ',' << c;
    EXPECT_EQ(viewTagParts(4105, Tag::option), (ViewTagParts{0, 1, 0}));
    EXPECT_EQ(viewTagParts(4097 + 64 * 2 + 8 * 3 + 5, Tag::option), (ViewTagParts{2, 3, 5}));
    // A ninth cell would collide with the next row: the reason for the limits.
    EXPECT_EQ(viewTag(0, 0, 8, Tag::input), viewTag(0, 1, 0, Tag::input));
    EXPECT_THROW(viewTag(INT64_MAX / 8, 0, 0, Tag::input), OverflowError);
    EXPECT_EQ(tagFromRawValue(1025), Tag::polynomial);
    EXPECT_EQ(tagFromRawValue(2), std::nullopt);
}

TEST(ViewTags, RoundTripEveryPositionWithinTheLimitsAndStayInTheirKind) {
    for (Tag kind : {Tag::input, Tag::polynomial, Tag::fraction, Tag::multi_line, Tag::option, Tag::level,
                     Tag::example})
        for (std::int64_t a = 0; a <= kMaxTableIndex; ++a)
            for (std::int64_t b = 0; b <= kMaxRowIndex; ++b)
                for (std::int64_t c = 0; c <= kMaxCellIndex; ++c) {
                    const auto tag = viewTag(a, b, c, kind);
                    ASSERT_EQ(viewTagParts(tag, kind), (ViewTagParts{a, b, c}));
                    ASSERT_EQ(kindOfViewTag(tag), kind);
                }
    EXPECT_EQ(kindOfViewTag(0), std::nullopt);
    EXPECT_EQ(kindOfViewTag(7169), std::nullopt);
}

TEST(ViewTags, ShapesBeyondTheLimitsAreRefusedWithAClearMessage) {
    const StringList seven(7, "0"), eight(8, "0"), nine(9, "0");
    EXPECT_NO_THROW(requireEncodable(PadTables(16, StringGrid(8, eight)), Tag::input, "inputs"));
    EXPECT_THROW(requireEncodable(PadTables(17, StringGrid{{"0"}}), Tag::input, "inputs"), PreconditionError);
    EXPECT_THROW(requireEncodable(PadTables{StringGrid(9, {"0"})}, Tag::option, "options"), PreconditionError);
    // A polynomial row's arrow takes the next cell index: seven value cells at most.
    EXPECT_NO_THROW(requireEncodable(PadTables{{seven}}, Tag::polynomial, "polynomials"));
    EXPECT_THROW(requireEncodable(PadTables{{eight}}, Tag::polynomial, "polynomials"), PreconditionError);
    try {
        requireEncodable(PadTables{{nine}}, Tag::input, "input tables");
        FAIL();
    } catch (const PreconditionError& e) {
        EXPECT_NE(std::string(e.what()).find("input tables: the cell at (0, 0, 8) lies beyond the view-tag limits"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_NO_THROW(requireEncodableLines(1024, "levels"));
    EXPECT_THROW(requireEncodableLines(1025, "levels"), PreconditionError);
}

TEST(SelectorTitles, CarryTheKindLetterAndTheDecimalTag) {
    EXPECT_EQ(selectorTitle(Tag::input, 1), "I1");
    EXPECT_EQ(selectorTitle(Tag::option, 4098), "O4098");
    EXPECT_EQ(selectorTitle(Tag::level, 5121), "L5121");
    EXPECT_EQ(arrowTitle(1027), "P_option1027");
    EXPECT_EQ(tagFromTitle("P_option1028", kArrowPrefix.size()), 1028);
    for (const char* bad : {"I", "I-1", "Ix", "I+2"}) EXPECT_THROW(tagFromTitle(bad, 1), PreconditionError) << bad;
}

TEST(StartingChoices, TheFieldIsTheFirstCellOfTheFirstKindThatHasOne) {
    EXPECT_EQ(initialFieldSelection({{{"0", "0"}}}, {{{"1"}}}, {}), 1);
    EXPECT_EQ(initialFieldSelection({}, {{{"1", "0"}}}, {{{"1", "2"}}}), 1025);
    EXPECT_EQ(initialFieldSelection({}, {}, {{{"1", "2"}}}), 2049);
    EXPECT_EQ(initialFieldSelection({{}}, {{{}, {"5"}}}, {}), viewTag(0, 1, 0, Tag::polynomial));
    EXPECT_EQ(initialFieldSelection({}, {}, {}), std::nullopt);
    EXPECT_EQ(initialOptionSelections({{{"a", "b"}, {"c", "d"}}, {{"e", "f"}}}, {}),
              (std::vector<std::vector<std::int64_t>>{{4097, 4105}, {4161}}));
    EXPECT_THROW(initialOptionSelections(PadTables{{{}}}, {}), PreconditionError);
}
