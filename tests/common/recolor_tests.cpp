#include <gtest/gtest.h>

#include "common/box_items.hpp"
#include "common/number_items.hpp"
#include "common/primes.hpp"
#include "common/recolor.hpp"

using namespace tl;

namespace {

Engine_Table grid(std::string_view tag) {
    return boxGridItem({makeMonomialX(makeDefaultRational(2, 1), 1)}, {Color::black, Color::black}, tag);
}

}  // namespace

TEST(FindTaggedItem, WalksRightOperandFirst) {
    EXPECT_FALSE(findTaggedItem({}, "x"));
    EXPECT_FALSE(findTaggedItem({{"begin", "1"}, {"BLANK"}}, "x"));
    EXPECT_EQ(findTaggedItem(Engine_Table{{"start", "9"}}, "start"), 0u);

    const Engine_Table t = joinItem("+", wholeItem(1, Color::black, "T"), fractionItem(1, 2, Color::black,
                                                                                      Color::black, "T"));
    EXPECT_EQ(findTaggedItem(t, "T"), 4u);  // the fraction, right of the join
    const Engine_Table tagged = joinItem("+", wholeItem(1, Color::black, "T"), wholeItem(2), Color::black, "T");
    EXPECT_EQ(findTaggedItem(tagged, "T"), 7u);  // the join itself, before its operands
    EXPECT_FALSE(findTaggedItem(t, "none"));
}

TEST(FindTaggedItem, ReachesThroughWrappersButNotIntoUntaggedKinds) {
    const Engine_Table inner = blockItem(fontItem(FontName::system, unaryItem("()", integerItem(3, Color::black, "I"))));
    EXPECT_EQ(findTaggedItem(inner, "I"), 1u);
    EXPECT_FALSE(findTaggedItem(extendedFractionItem("+", 1, 2, 3, 4, Color::black, Color::black, "E"), "E"));
    EXPECT_FALSE(findTaggedItem(fractionCancelNumeratorItem(1, 2, 3, Color::black, Color::black, Color::black,
                                                            Color::black, "C"),
                                "C"));
    EXPECT_EQ(findTaggedItem(joinItem("+", grid("G"), integerItem(1)), "G"), 1u);
    // A locator pointing at its own item is malformed, not an endless walk.
    Engine_Table loop = unaryItem("()", integerItem(1));
    loop[5] = {"unary_locator", "4"};
    EXPECT_THROW(findTaggedItem(loop, "x"), PreconditionError);
}

TEST(SetTaggedItemColor, RecoloursTheWholeSubtree) {
    const Engine_Table t =
        joinItem("=", joinItem("+", mixedNumberItem(1, 2, 3), grid("anon")), rationalItem(1, 2), Color::black, "all");
    const Engine_Table red = setTaggedItemColor(t, Color::red, "start");
    EXPECT_EQ(red, setTaggedItemColor(t, Color::red, "all"));
    for (const Engine_Row& row : red) {
        const std::string_view key = row[0];
        if (!key.ends_with("_color") && !key.ends_with("_colors")) continue;
        for (std::size_t i = 1; i < row.size(); ++i) {
            EXPECT_EQ(row[i], "red") << key;
        }
    }
    EXPECT_EQ(red[6], (Engine_Row{"box_grid_colors", "red", "red"}));  // keeps its count of colours
    EXPECT_EQ(setTaggedItemColor(t, Color::red, "missing"), t);
}

TEST(SetTaggedItemColor, ReachesBelowBlocksOnlyFromTheTaggedItem) {
    const Engine_Table t = joinItem("+", blockItem(fractionItem(1, 2)), wholeItem(5, Color::black, "W"),
                                    Color::black, "J");
    const Engine_Table all = setTaggedItemColor(t, Color::blue, "J");
    EXPECT_EQ(all[2], (Engine_Row{"fraction_color", "blue", "blue"}));
    const Engine_Table one = setTaggedItemColor(t, Color::blue, "W");
    EXPECT_EQ(one[2], (Engine_Row{"fraction_color", "black", "black"}));
    EXPECT_EQ(one[6], (Engine_Row{"whole_color", "blue"}));
}

TEST(TaggedFractionColours, FractionsAndMixedNumbersOnly) {
    const Engine_Table f = fractionItem(1, 2, Color::green, Color::green, "F");
    EXPECT_EQ(setTaggedFractionColor(f, Color::red, "F")[2], (Engine_Row{"fraction_color", "red", "red"}));
    EXPECT_EQ(setTaggedDenominatorColor(f, Color::red, "F")[2], (Engine_Row{"fraction_color", "green", "red"}));
    const Engine_Table m = mixedNumberItem(1, 2, 3, Color::green, Color::green, Color::green, "M");
    EXPECT_EQ(setTaggedFractionColor(m, Color::red, "M")[2],
              (Engine_Row{"mixed_number_color", "green", "red", "red"}));
    EXPECT_EQ(setTaggedDenominatorColor(m, Color::red, "M")[2],
              (Engine_Row{"mixed_number_color", "green", "green", "red"}));
    const Engine_Table w = wholeItem(4, Color::black, "W");
    EXPECT_EQ(setTaggedFractionColor(w, Color::red, "W"), w);
    EXPECT_EQ(setTaggedFractionColor(messageTable("m", Color::black, "W"), Color::red, "W"),
              messageTable("m", Color::black, "W"));
}

TEST(KeyedRecolouring, UnaryAndJoinByTheirTagRows) {
    Engine_Table t = joinItem("+", unaryItem("()", integerItem(1), Color::black, "U"), integerItem(2), Color::black,
                              "J");
    Engine_Table u = t;
    setUnaryColor(u, Color::red, "U");
    EXPECT_EQ(u[6], (Engine_Row{"unary_color", "red"}));
    setJoinColor(u, Color::blue, "J");
    EXPECT_EQ(u.back(), (Engine_Row{"join_tag", "J"}));
    EXPECT_EQ(u[u.size() - 2], (Engine_Row{"join_color", "blue"}));
    Engine_Table v = t;
    setUnaryColor(v, Color::red, "J");  // a join's tag is no unary's
    EXPECT_EQ(v, t);
}

TEST(LinearRecolouring, FirstMatchOnly) {
    Engine_Table t = joinItem("+", fractionItem(1, 2, Color::black, Color::black, "F"),
                              mixedNumberItem(3, 1, 4, Color::black, Color::black, Color::black, "F"));
    setNumberColor(t, Color::red, "F");
    EXPECT_EQ(t[2], (Engine_Row{"fraction_color", "red", "red"}));
    EXPECT_EQ(t[5], (Engine_Row{"mixed_number_color", "black", "black", "black"}));
}

TEST(LinearRecolouring, EachRoutineWritesItsFields) {
    const Engine_Table m = mixedNumberItem(3, 1, 4, Color::gray, Color::gray, Color::gray, "M");
    const Engine_Table f = fractionItem(1, 4, Color::gray, Color::gray, "M");
    auto apply = [](Engine_Table t, auto&& routine) {
        routine(t);
        return t[2];
    };
    EXPECT_EQ(apply(m, [](Engine_Table& t) { setFractionPartColor(t, Color::red, "M"); }),
              (Engine_Row{"mixed_number_color", "gray", "red", "red"}));
    EXPECT_EQ(apply(m, [](Engine_Table& t) { setMixedNumberColors(t, Color::red, Color::blue, Color::green, "M"); }),
              (Engine_Row{"mixed_number_color", "red", "blue", "green"}));
    EXPECT_EQ(apply(f, [](Engine_Table& t) { setMixedNumberColors(t, Color::red, Color::blue, Color::green, "M"); }),
              (Engine_Row{"fraction_color", "gray", "gray"}));
    EXPECT_EQ(apply(m, [](Engine_Table& t) { setWholePartColor(t, Color::red, "M"); }),
              (Engine_Row{"mixed_number_color", "red", "gray", "gray"}));
    EXPECT_EQ(apply(f, [](Engine_Table& t) { setNumeratorColor(t, Color::red, "M"); }),
              (Engine_Row{"fraction_color", "red", "gray"}));
    EXPECT_EQ(apply(m, [](Engine_Table& t) { setDenominatorColor(t, Color::red, "M"); }),
              (Engine_Row{"mixed_number_color", "gray", "gray", "red"}));
    EXPECT_EQ(apply(wholeItem(2, Color::gray, "M"), [](Engine_Table& t) { setWholePartColor(t, Color::red, "M"); }),
              (Engine_Row{"whole_color", "red"}));
}

TEST(LinearRecolouring, NumeratorDenominatorOfCancelledAndExtendedFractions) {
    const Color g = Color::gray, n = Color::red, d = Color::blue;
    auto apply = [&](Engine_Table t) {
        setNumeratorDenominatorColors(t, n, d, "T");
        return t[2];
    };
    EXPECT_EQ(apply(fractionCancelNumeratorAndDenominatorItem(6, 8, 3, 4, g, g, g, g, g, g, "T")),
              (Engine_Row{"fraction_cancel_numerator_and_denominator_color", "gray", "gray", "red", "blue", "gray",
                          "gray"}));
    EXPECT_EQ(apply(fractionCancelNumeratorItem(6, 8, 3, g, g, g, g, "T")),
              (Engine_Row{"fraction_cancel_numerator_color", "gray", "blue", "red", "gray"}));
    EXPECT_EQ(apply(fractionCancelDenominatorItem(6, 8, 4, g, g, g, g, "T")),
              (Engine_Row{"fraction_cancel_denominator_color", "red", "gray", "blue", "gray"}));
    EXPECT_EQ(apply(extendedFractionItem("×", 1, 2, 3, 4, g, g, "T")),
              (Engine_Row{"extended_fraction_color", "red", "blue"}));
}

TEST(LinearRecolouring, StepsOverFourRowBoxesBlanksAndPlugIns) {
    const Engine_Table fraction = fractionItem(1, 2, Color::black, Color::black, "F");
    for (const Engine_Table& before :
         {grid("G"), boxTableItem(1, 1, {5}, {Color::black}, "B"), Engine_Table{{"start", "1"}, {"BLANK"}},
          primeTreeItem("P", primeTreePairs(12, {{2, 2}, {3, 1}}, false))}) {
        Engine_Table t = joinItem("🖇", before, fraction);
        const std::size_t fractionRow = before.size();
        ASSERT_EQ(t[fractionRow][0], "fraction");
        setNumberColor(t, Color::red, "F");
        EXPECT_EQ(t[fractionRow + 1], (Engine_Row{"fraction_color", "red", "red"})) << before[1][0];
    }
}
