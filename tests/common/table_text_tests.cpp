// The plain-text reading of tables: every item kind, the parentheses one
// line of text needs, the strategy tableaux cell by cell, and broken tables.
#include <gtest/gtest.h>

#include "common/box_items.hpp"
#include "common/items.hpp"
#include "common/number_items.hpp"
#include "common/primes.hpp"
#include "common/records.hpp"
#include "common/table_text.hpp"

using namespace tl;

namespace {

const std::string kMinus = "\u2212", kSide = "\U0001F587";

Engine_Table msg(std::string_view text) { return messageTable(text); }
Engine_Table num(std::int64_t n) { return integerItem(n); }
Engine_Table join(std::string_view text, const Engine_Table& a, const Engine_Table& b) { return joinItem(text, a, b); }

struct Case {
    Engine_Table table;
    std::string text;
};

void expectReadings(const std::vector<Case>& cases) {
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(tableText(cases[i].table), cases[i].text) << "case " << i;
}

}  // namespace

TEST(TableText, ReadsEveryItemKind) {
    const Engine_Table sum = join("+", msg("x"), num(1)), twoX = join(kSide, num(2), msg("x"));
    const auto black = Color::black, clear = Color::clear;
    expectReadings({
        {msg("58 + 67"), "58 + 67"},
        {blankTable().front(), ""},
        {num(-12), "-12"},
        {wholeItem(7), "7"},
        {signedRationalItem(-3, 4), "-3/4"},
        {signedRationalItem(3, 4), "3/4"},
        {rationalItem(3, 0), "-3/0"},
        {fractionItem(3, -4), "-3/4"},
        {mixedNumberItem(2, 1, 3), "2 1/3"},
        {extendedFractionItem("\u00D7", -3, 4, 2, 2), "(-3 \u00D7 2)/(4 \u00D7 2)"},
        {fractionCancelNumeratorAndDenominatorItem(6, 8, 3, 4), "(6\u21923)/(8\u21924)"},
        {fractionCancelNumeratorItem(6, 8, 3), "(6\u21923)/8"},
        {fractionCancelDenominatorItem(6, 8, 4), "6/(8\u21924)"},
        {join(kMinus, sum, num(2)), "x + 1 \u2212 2"},
        {join("=", twoX, num(6)), "2x = 6"},
        {join("/", sum, num(2)), "(x + 1)/2"},
        {join("/", twoX, num(3)), "2x/3"},
        {join("/", num(1), twoX), "1/(2x)"},
        {join("/", join("/", num(1), num(2)), num(3)), "(1/2)/3"},
        {join(kSide, signedRationalItem(1, 3), msg("x")), "(1/3)x"},
        {join(kSide, msg(""), unaryItem("()", sum)), "(x + 1)"},
        {join("^", unaryItem("()", sum), num(2)), "(x + 1)^2"},
        {join("^", twoX, num(-1)), "(2x)^(-1)"},
        {join("^", msg("x"), sum), "x^(x + 1)"},
        {unaryItem("\u221A", num(8)), "\u221A8"},
        {unaryItem("\u221A3", num(8)), "\u00B3\u221A8"},
        {unaryItem("\u221A", sum), "\u221A(x + 1)"},
        {unaryItem("[)", sum), "[x + 1)"},
        {unaryItem("()", sum, Color::invisible), "x + 1"},
        {equalsItem(num(4)), "= 4"},
        {join("+", unaryItem(kMinus, msg("x")), num(1)), "\u2212x + 1"},
        {join("-", msg("a"), msg("b")), ""},  // the hyphen is no join text: nothing is drawn
        {fontItem(FontName::system, sum), "x + 1"},
        {blockItem(join("=", join("+", wholeItem(12), mixedNumberItem(3, 1, 2)), mixedNumberItem(15, 1, 2))),
         "12 + 3 1/2 = 15 1/2"},
        {boxTableItem(2, 3, {1, 2, 3, 4, 5, 6}, {black, black, black, black, black, clear}), "1 2 3 | 4 5 _"},
        {*messageFromPieces({{"\U0001F642 ", black}, {"7 \u00D7 3", Color::red}}), "\U0001F642 7 \u00D7 3"},
        {factorProductItem({{{2, 2}, black}, {{3, 1}, black}}), "2^2 \u2219 3"},
    });
}

TEST(TableText, ReadsStrategyTableauxCellByCell) {
    const StringList eight(8, "black");
    StringList latticeColours(16, "clear");
    for (std::size_t k : {0, 1, 8, 9}) latticeColours[k] = "black";  // the first row of both grids shown
    expectReadings({
        {addColumnTable("STEP", "+", 0, {{"Z", "5", "8"}, {"Z", "6", "7"}, {"1", "2", "5"}},
                        {{"YC", "YC", "YC"}, {"YC", "YG", "YC"}, {"NN", "YR", "YR"}}),
         "+: _ 5 8 | _ 6 7 | _ 2 5"},
        {tableauOpTable("STEP", kMinus, {{"B", "1"}, {"53", "3"}}, {{"NNN", "YNG"}, {"YYC", "YNC"}}, {"2", "2"},
                        {"2", "false"}),
         kMinus + ": _ 1 | 5\u03363\u0336 3"},
        {countOpTable("STEP", kMinus, {{"27", "3", "30"}, {"30", "?", "?"}}, {"COUNT DOWN", "2", "1", "3"},
                      {"STEP", "2"}),
         kMinus + ": 27 | 3 | 30 | ? | ?"},
        {dividePartialOpTable("STEP", "\u00F7", {"683", "630", "53"}, {"683", "7", "97", "4"}, {"GRAB", "1"}, {"90"}),
         "\u00F7: _ | 7)683 | 630 90 | 53"},
        {divideOpTable("STEP", "\u00F7", {"BB97", "7683"}, {}, {}, {"683", "7", "97", "4"}, {"SUMMARY", "0"}),
         "\u00F7: _ _97 R 4 | 7)683"},
        {primeTreeItem("anon", {{{1, Color::clear}, {12, Color::black}}, {{2, Color::black}, {6, Color::black}}}),
         "_ 12 | 2 6"},
        {plugInRecord("lattice_multiply", {"2", "2"},
                      {listRow("f", {"2", "3", "4", "5"}), listRow("fc", eight), listRow("p", {"1", "0", "3", "5"}),
                       listRow("pc", StringList(8, "clear")), listRow("q", {"0", "1", "1", "1", "8", "2", "0", "5"}),
                       listRow("qc", latticeColours)},
                      "Lattice"),
         "23 \u00D7 45: 08 12 | __ __ = ____"},
        {plugInRecord("grid_multiply", {"2", "2"},
                      {listRow("f", {"20", "3", "40", "5"}), listRow("fc", eight),
                       listRow("p", {"800", "120", "100", "15"}), listRow("pc", eight)},
                      "Grid"),
         "20 3 \u00D7 40 5: 800 120 | 100 15"},
        {plugInRecord("unknown_op", {}, {}, "x"), ""},
    });
}

// The division and counting tableaux as their page kinds draw them: the
// quotient line and the last left only once shown, the sum of the multiples
// and the second strip of counts where drawn, each number of the counting
// chain once, the bracket between divisor and dividend, the remainder after
// the quotient on the closing pages.
TEST(TableText, ReadsDivisionsAndCountsPageByPage) {
    const std::string divide = "\u00F7";
    const StringList partialGlobals{"986", "23", "42", "20"}, grabs{"986", "460", "526", "460", "66", "46", "20"};
    const StringList multiples{"20", "20", "2"};
    const auto partial = [&](const StringList& tableau, const std::string& type, const std::string& count,
                             const StringList& partials) {
        return dividePartialOpTable(type, divide, tableau, partialGlobals, {type, count}, partials);
    };
    const StringGrid steps{{"500", "300", "200"}, {"200", "70", "130"}, {"130", "7", "123"}};
    const StringList countGlobals{"COUNT DOWN", "3", "3", "377"}, countUps{"300", "70", "7"};
    const auto counting = [&](const std::string& kind, const std::string& count) {
        return countOpTable("STEP", kMinus, steps, countGlobals, {kind, count}, countUps);
    };
    const StringList longRows{"BBB42", "23986", "BB92B", "BBB66", "BBB46", "BBB20"};
    const auto longDivision = [&](const std::string& kind, const StringList& globals) {
        return divideOpTable(kind, divide, longRows, {}, {}, globals, {kind, "2"});
    };
    const std::string longText = "23)986 | __ 92_ | __ _66 | __ _46 | __ _20";
    expectReadings({
        {partial({"986"}, "PROBLEM", "0", {}), divide + ": _ | 23)986"},
        {partial({"986", "460", "526"}, "CHOICE", "1", {"20"}), divide + ": _ | 23)986 | 460 20 | _"},
        {partial({"986", "460", "526"}, "GRAB", "1", {"20"}), divide + ": _ | 23)986 | 460 20 | 526"},
        {partial(grabs, "ADD", "3", multiples), divide + ": _ | 23)986 | 460 20 | 526 | 460 20 | 66 | 46 2 | 20 42"},
        {partial(grabs, "SOLUTION", "3", multiples),
         divide + ": 42 R 20 | 23)986 | 460 20 | 526 | 460 20 | 66 | 46 2 | 20 42"},
        {dividePartialOpTable("SUMMARY", divide, {"92", "92", "0"}, {"92", "23", "4", "0"}, {"SUMMARY", "1"}, {"4"}),
         divide + ": 4 | 23)92 | 92 4 | 0 4"},
        {counting("SHOW", "1"), kMinus + ": 500 | 300 | 200"},
        {counting("STEP", "2"), kMinus + ": 500 | 300 | 200 | 70 | 130"},
        {counting("COUNT", "3"), kMinus + ": 500 | 300 | 200 | 70 | 130 | 7 | 123; +: 300 | 70 | 7 | 377"},
        {counting("SUMMARY", "3"), kMinus + ": 500 | 300 | 200 | 70 | 130 | 7 | 123; +: 300 | 70 | 7 | 377"},
        {counting("SUMMARY SHORT", "3"), kMinus + ": 500 | 300 | 200 | 70 | 130 | 7 | 123"},
        // Counting up: the page draws "+" beside each count, whatever the header.
        {countOpTable("STEP", kMinus, {{"123", "?", "?"}}, {"COUNT UP", "3", "3", "377"}, {"SHOW", "1"}),
         "+: 123 | ? | ?"},
        {countOpTable("STEP", kMinus, {{"1995", "5", "2000"}}, {"COUNT UP", "4", "1", "5"}, {"COUNT", "1"}, {"5"}),
         "+: 1995 | 5 | 2000; +: 5 | 5"},
        {longDivision("SUBTRACT", partialGlobals), divide + ": __ _42 | " + longText},
        {longDivision("SOLUTION", partialGlobals), divide + ": __ _42 R 20 | " + longText},
        {longDivision("SUMMARY", {"986", "23", "42", "0"}), divide + ": __ _42 | " + longText},
    });
}

// A fraction beside other text is parenthesised only where the two touch;
// whatever the page draws in a hidden colour is left out.
TEST(TableText, ReadsWhatThePageShows) {
    const Engine_Table half = signedRationalItem(1, 2), minusFifth = signedRationalItem(-1, 5);
    const Engine_Table root = join("/", join(kMinus, num(1), unaryItem("\u221A", num(5))), num(2));
    const auto clear = Color::clear;
    expectReadings({
        {join(kSide, msg("x = "), minusFifth), "x = -1/5"},
        {join(kSide, msg("x = "), root), "x = (1 \u2212 \u221A5)/2"},
        {join(kSide, join(kSide, msg("x = "), half), msg(" or x = 0")), "x = 1/2 or x = 0"},
        {join(kSide, msg("x ="), half), "x =(1/2)"},
        {join(kSide, half, msg("x")), "(1/2)x"},
        {join(kSide, half, unaryItem("()", join("+", msg("x"), num(1)))), "(1/2)(x + 1)"},
        {join("/", num(3), join(kSide, msg("a "), half)), "3/(a 1/2)"},
        {messageTable("x = 0", clear), ""},
        {messageTable("x = 0", Color::invisible), ""},
        {fractionItem(1, 2, clear, clear), ""},
        {fractionItem(1, 2, clear, Color::black), "1/2"},
        {joinItem("=", messageTable("x", clear), integerItem(0, clear), clear), ""},
        {joinItem("=", msg("x"), num(0), clear), "x 0"},
        {join("=", messageTable("x", clear), num(0)), "= 0"},
        {unaryItem("()", join("+", msg("x"), num(1)), clear), "x + 1"},
        {unaryItem(kMinus, msg("x"), clear), "x"},
        {unaryItem("\u221A", num(5), clear), "5"},
    });
}

TEST(TableText, RefusesBrokenTables) {
    const Engine_Table loop{{"start", "1"}, {"unary", "()"}, {"unary_locator", "1"}, {"unary_color", "black"}};
    for (const Engine_Table& broken : {Engine_Table{}, Engine_Table{{"start", "4"}, {"BLANK"}}, loop,
                                       Engine_Table{{"start", "1"}, {"fraction", "3"}}})
        EXPECT_THROW(tableText(broken), PreconditionError);
}
