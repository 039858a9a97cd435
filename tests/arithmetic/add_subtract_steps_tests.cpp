// Worked examples of the addition and subtraction step builders, page by page.
#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "arithmetic/arithmetic_model.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "step_reading.hpp"

using namespace tl;
using namespace tl::testing;
using Rows = std::vector<std::string>;
using Grid = std::vector<std::vector<std::string>>;

namespace {

using Builder = StepTriple (New_Arithmetic_Model::*)() const;

struct NamedBuilder { const char* name; Builder builder; };

const std::vector<NamedBuilder> kAllBuilders{
    {"addColumnSteps", &New_Arithmetic_Model::addColumnSteps},
    {"addPartialSteps", &New_Arithmetic_Model::addPartialSteps},
    {"subtractPartialSteps", &New_Arithmetic_Model::subtractPartialSteps},
    {"addTradeSteps", &New_Arithmetic_Model::addTradeSteps},
    {"subtractTradeSteps", &New_Arithmetic_Model::subtractTradeSteps},
    {"subtractTradeFirstSteps", &New_Arithmetic_Model::subtractTradeFirstSteps},
    {"subtractCountSteps", &New_Arithmetic_Model::subtractCountSteps},
};

StepTriple run(Builder builder, const std::string& a, const std::string& b, const std::string& option = " right to left ") {
    return (arithmeticModel(a, b, {{option}}).*builder)();
}

/// The cells (or, with `part` "add_column_attributes", the codes) of an
/// add_column record, row by row.
Grid addColumnGrid(const Engine_Table& rec, const char* part = "add_column_tableau") {
    return grid(row(rec, part), static_cast<std::size_t>(parseInt(row(rec, "add_column").at(3))));
}
Grid addColumnCodes(const Engine_Table& rec) { return addColumnGrid(rec, "add_column_attributes"); }

}  // namespace

TEST(ColumnAddition, FiftyEightPlusSixtySeven) {
    const StepTriple t = run(&New_Arithmetic_Model::addColumnSteps, "58", "67");
    ASSERT_EQ(commentLines(t), (Rows{kThink, "first step", "add each place value", "add each place value",
                                     "regroup and trade", "regroup and trade", kCool}));
    EXPECT_EQ(t.parameters, Rows{"NO PARAMETERS"});
    EXPECT_EQ(messages(t.steps[0]), Rows{"58 + 67"});

    // The renderer reserves the final five rows from the first page on.
    EXPECT_EQ(row(record(t.steps[1]), "add_column"), (Rows{"+", "5", "2", "3"}));
    EXPECT_EQ(row(record(t.steps[1]), "add_column_tag"), Rows{"STEP"});
    EXPECT_EQ(addColumnGrid(record(t.steps[1])), (Grid{{"Z", "5", "8"}, {"Z", "6", "7"}}));

    EXPECT_EQ(messages(t.steps[2]), (Rows{"58 + 67", "add the ones"}));
    EXPECT_EQ(addColumnGrid(record(t.steps[2])).at(2), (Rows{"Z", "Z", "15"}));
    EXPECT_EQ(addColumnCodes(record(t.steps[2])),
              (Grid{{"YC", "YC", "YG"}, {"YC", "YC", "YG"}, {"NN", "NN", "YR"}}));
    EXPECT_EQ(messages(t.steps[3]), (Rows{"58 + 67", "add the tens"}));
    EXPECT_EQ(addColumnGrid(record(t.steps[3])).at(2), (Rows{"Z", "11", "15"}));

    EXPECT_EQ(messages(t.steps[4]),
              (Rows{"58 + 67", "regroup 15 ones", "10 ones + 5 ones", "1 ten + 5 ones", "trade 1 ten"}));
    EXPECT_EQ(addColumnGrid(record(t.steps[4])).at(3), (Rows{"Z", "12", "5"}));
    EXPECT_EQ(addColumnCodes(record(t.steps[4])).at(2), (Rows{"NN", "YG", "YG"}));
    EXPECT_EQ(addColumnCodes(record(t.steps[4])).at(3), (Rows{"NN", "YR", "YR"}));
    EXPECT_EQ(messages(t.steps[5]), (Rows{"58 + 67", "regroup 12 tens", "10 tens + 2 tens", "1 hundred + 2 tens",
                                          "trade 1 hundred"}));

    const Engine_Table& last = record(t.steps[6]);
    EXPECT_EQ(messages(t.steps[6]), Rows{"58 + 67 = 125"});
    EXPECT_EQ(row(last, "add_column"), (Rows{"+", "5", "5", "3"}));
    EXPECT_EQ(addColumnGrid(last), (Grid{{"Z", "5", "8"},
                                         {"Z", "6", "7"},
                                         {"Z", "11", "15"},
                                         {"Z", "12", "5"},
                                         {"1", "2", "5"}}));
    for (const auto& codes : addColumnCodes(last))
        for (const auto& code : codes) EXPECT_TRUE(code == "YC" || code == "NN") << code;
}

TEST(ColumnAddition, RegroupWordingAtTenAndEleven) {
    // 95 + 5: the ones make exactly 10 (no "10 ones + 0 ones" line), the tens
    // then reach 10 and write the leading 1 into the empty place.
    const StepTriple t = run(&New_Arithmetic_Model::addColumnSteps, "95", "5");
    EXPECT_EQ(messages(t.steps[4]), (Rows{"95 + 5", "regroup 10 ones", "1 ten + 0 ones", "trade 1 ten"}));
    EXPECT_EQ(messages(t.steps[5]), (Rows{"95 + 5", "regroup 10 tens", "1 hundred + 0 tens", "trade 1 hundred"}));
    EXPECT_EQ(addColumnGrid(record(t.steps.back())).back(), (Rows{"1", "0", "0"}));

    const StepTriple eleven = run(&New_Arithmetic_Model::addColumnSteps, "56", "55");
    EXPECT_EQ(messages(eleven.steps[4]),
              (Rows{"56 + 55", "regroup 11 ones", "10 ones + 1 one", "1 ten + 1 one", "trade 1 ten"}));

    // No carry at all: one gray cell and "no regrouping here" per column.
    const StepTriple plain = run(&New_Arithmetic_Model::addColumnSteps, "23", "41");
    ASSERT_EQ(plain.steps.size(), 7u);
    EXPECT_EQ(messages(plain.steps[4]), (Rows{"23 + 41", "no regrouping here"}));
    EXPECT_EQ(addColumnCodes(record(plain.steps[4])).at(2), (Rows{"YC", "YG"}));
    EXPECT_EQ(row(record(plain.steps.back()), "add_column"), (Rows{"+", "3", "3", "2"}));
}

TEST(Frame, ShortCutsShowTheAnswerAlone) {
    for (Builder b : {&New_Arithmetic_Model::addColumnSteps, &New_Arithmetic_Model::addPartialSteps,
                      &New_Arithmetic_Model::addTradeSteps}) {
        for (auto [x, y] : {std::pair{"0", "57"}, std::pair{"57", "0"}}) {
            const StepTriple t = run(b, x, y);
            ASSERT_EQ(commentLines(t), (Rows{kThink, "a simple case", kCool}));
            const std::string problem = std::string(x) + " + " + y;
            EXPECT_EQ(t.steps[0], (Engine_Step{messageTable(problem)}));
            EXPECT_EQ(t.steps[1], (Engine_Step{messageTable(problem + " = 57")}));
            EXPECT_EQ(t.steps[2], t.steps[1]);
        }
    }
    struct Case {
        Builder builder;
        const char *a, *b, *comment, *answer;
    };
    const std::vector<Case> cases{
        {&New_Arithmetic_Model::subtractTradeSteps, "40", "0", "a simple case", "40 \u2212 0 = 40"},
        {&New_Arithmetic_Model::subtractTradeFirstSteps, "7", "7", "a simple case", "7 \u2212 7 = 0"},
        {&New_Arithmetic_Model::subtractTradeSteps, "3", "40", "beyond module scope", "3 \u2212 40 = -37"},
        {&New_Arithmetic_Model::subtractPartialSteps, "40", "40", "a simple case", "40 - 40 = 0"},
        {&New_Arithmetic_Model::subtractPartialSteps, "3", "40", "beyond module scope", "3 - 40 = -37"},
        {&New_Arithmetic_Model::subtractCountSteps, "57", "0", "a simple case", "57 \u2212 0 = 57"},
        {&New_Arithmetic_Model::subtractCountSteps, "40", "57", "beyond module scope", "40 \u2212 57 = -17"},
        // A zero subtrahend is "a simple case" before a negative difference is looked at.
        {&New_Arithmetic_Model::subtractTradeSteps, "0", "0", "a simple case", "0 \u2212 0 = 0"},
    };
    for (const auto& c : cases) {
        const StepTriple t = run(c.builder, c.a, c.b);
        ASSERT_EQ(commentLines(t), (Rows{kThink, c.comment, kCool})) << c.answer;
        EXPECT_EQ(messages(t.steps[1]), Rows{c.answer});
        EXPECT_EQ(t.steps[1].size(), 1u);
        EXPECT_EQ(t.steps[2], t.steps[1]);
    }
    // The counting answer is tagged so that it can be recoloured later.
    EXPECT_EQ(run(&New_Arithmetic_Model::subtractCountSteps, "57", "0").steps[1][0].back(),
              (Engine_Row{"message_tag", "SOLUTION"}));
}

TEST(Frame, RejectsOperandsThePadNeverSends) {
    for (const auto& b : kAllBuilders) {
        for (auto [x, y] : {std::pair{"-5", "3"}, std::pair{"5", "+3"}, std::pair{"05", "3"}, std::pair{"5", "00"},
                            std::pair{" 5", "3"}, std::pair{"5", ""}, std::pair{"5", "3 "}, std::pair{"5x", "3"}}) {
            EXPECT_THROW(run(b.builder, x, y), PreconditionError) << b.name << " " << x << " " << y;
        }
        New_Arithmetic_Model missing;
        missing.inputs = {{{"5"}}};
        EXPECT_THROW((missing.*b.builder)(), PreconditionError) << b.name;
        EXPECT_THROW(run(b.builder, "9223372036854775807", "99999999999999999999"), OverflowError) << b.name;
    }
    EXPECT_THROW(run(&New_Arithmetic_Model::addColumnSteps, "9223372036854775807", "1"), OverflowError);
    // Options are read only by the builders that have them.
    New_Arithmetic_Model noOptions = arithmeticModel("58", "67");
    EXPECT_NO_THROW(noOptions.addColumnSteps());
    EXPECT_THROW(noOptions.addPartialSteps(), PreconditionError);
}

TEST(PartialSums, FiftySevenPlusSixtyEight) {
    const StepTriple t = run(&New_Arithmetic_Model::addPartialSteps, "57", "68", " right to left ");
    ASSERT_EQ(commentLines(t), (Rows{kThink, "first step", "add", "add", "add partial sums", kCool}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op"), Rows{"+"});
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Rows{"5", "3", "0", "false"}));
    EXPECT_EQ(tableauOpRows(record(t.steps[1])), (Rows{"Z57", "Z68"}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_locals"), (Rows{"2", "false"}));

    EXPECT_EQ(messages(t.steps[2]), (Rows{"57 + 68", "add the ones", "7 + 8"}));
    EXPECT_EQ(tableauOpRows(record(t.steps[2])), (Rows{"Z57", "Z68", "Z15"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[2]), "tableau_op_attributes"),
              (Grid{{"YNC", "YNC", "YNG"}, {"YNC", "YNC", "YNG"}, {"YNR", "YNR", "YNR"}}));
    EXPECT_EQ(messages(t.steps[3]), (Rows{"57 + 68", "add the tens", "50 + 60"}));
    EXPECT_EQ(tableauOpRows(record(t.steps[3])), (Rows{"Z57", "Z68", "Z15", "110"}));

    EXPECT_EQ(tableauOpRows(record(t.steps[4])), (Rows{"Z57", "Z68", "Z15", "110", "125"}));
    EXPECT_EQ(row(record(t.steps[4]), "tableau_op_locals"), (Rows{"5", "true"}));
    EXPECT_EQ(messages(t.steps[5]), Rows{"57 + 68 = 125"});
    EXPECT_EQ(row(record(t.steps[5]), "tableau_op_locals"), (Rows{"5", "true"}));

    const StepTriple ltr = run(&New_Arithmetic_Model::addPartialSteps, "57", "68", " left to right ");
    EXPECT_EQ(tableauOpRows(record(ltr.steps.back())), (Rows{"Z57", "Z68", "110", "Z15", "125"}));
    EXPECT_EQ(messages(ltr.steps[2]), (Rows{"57 + 68", "add the tens", "50 + 60"}));
}

TEST(PartialSums, ZeroPlacesAndSingleResults) {
    const StepTriple skip = run(&New_Arithmetic_Model::addPartialSteps, "305", "204");
    EXPECT_EQ(messages(skip.steps[3]), (Rows{"305 + 204", "skip this step"}));
    EXPECT_EQ(tableauOpRows(record(skip.steps.back())), (Rows{"305", "204", "ZZ9", "500", "509"}));

    const StepTriple single = run(&New_Arithmetic_Model::addPartialSteps, "30", "40");
    ASSERT_EQ(commentLines(single), (Rows{kThink, "first step", "add", "add", kCool}));
    EXPECT_EQ(row(record(single.steps[1]), "tableau_op_globals"), (Rows{"3", "2", "0", "true"}));
    EXPECT_EQ(messages(single.steps[3]), (Rows{"30 + 40", "add the tens", "30 + 40"}));
    EXPECT_EQ(tableauOpRows(record(single.steps.back())), (Rows{"30", "40", "70"}));

    // "0" over an empty place adds nothing: the finished tableau has five
    // rows, and the record must say so, or the rule under the partials is
    // drawn one row too low.
    const StepTriple gap = run(&New_Arithmetic_Model::addPartialSteps, "405", "3");
    EXPECT_EQ(messages(gap.steps[3]), (Rows{"405 + 3", "skip this step"}));
    EXPECT_EQ(messages(gap.steps[4]), (Rows{"405 + 3", "add the hundreds", "400 simply"}));
    const Engine_Table& last = record(gap.steps.back());
    EXPECT_EQ(tableauOpRows(last), (Rows{"405", "ZZ3", "ZZ8", "400", "408"}));
    EXPECT_EQ(row(last, "tableau_op_globals"), (Rows{"5", "3", "0", "false"}));
    EXPECT_EQ(row(last, "tableau_op_locals"), (Rows{"5", "true"}));
}

TEST(PartialDifferences, FiftyTwoMinusThirtyEight) {
    const StepTriple t = run(&New_Arithmetic_Model::subtractPartialSteps, "52", "38", " right to left ");
    ASSERT_EQ(commentLines(t), (Rows{kThink, "first step", "subtract", "subtract", "add partial differences", kCool}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op"), Rows{"-"});
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Rows{"5", "2", "0", "false"}));
    EXPECT_EQ(messages(t.steps[2]), (Rows{"52 - 38", "subtract the ones", "2 - 8"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[2])).back(), (Rows{"-", "6"}));
    EXPECT_EQ(messages(t.steps[3]), (Rows{"52 - 38", "subtract the tens", "50 - 30"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[3])).back(), (Rows{"2", "0"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[4])).back(), (Rows{"1", "4"}));
    EXPECT_EQ(row(record(t.steps[4]), "tableau_op_locals"), (Rows{"5", "true"}));
    EXPECT_EQ(messages(t.steps[5]), Rows{"52 - 38 = 14"});
}

TEST(PartialDifferences, SignedRowsZeroPagesAndSingleResults) {
    const StepTriple t = run(&New_Arithmetic_Model::subtractPartialSteps, "402", "35");
    EXPECT_EQ(messages(t.steps[2]), (Rows{"402 - 35", "subtract the ones", "2 - 5"}));
    EXPECT_EQ(messages(t.steps[3]), (Rows{"402 - 35", "subtract the tens", "-30 simply"}));
    EXPECT_EQ(messages(t.steps[4]), (Rows{"402 - 35", "subtract the hundreds", "400 simply"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps.back())),
              (Grid{{"4", "0", "2"}, {"Z", "3", "5"}, {"Z", "-", "3"}, {"-", "3", "0"}, {"4", "0", "0"}, {"3", "6", "7"}}));

    const StepTriple zero = run(&New_Arithmetic_Model::subtractPartialSteps, "47", "17");
    EXPECT_EQ(messages(zero.steps[2]), (Rows{"47 - 17", "subtract the ones", "no point writing 0"}));
    EXPECT_EQ(row(record(zero.steps[1]), "tableau_op_globals"), (Rows{"3", "2", "0", "true"}));
    EXPECT_EQ(commentLines(zero).size(), 5u);

    // Places where "0" stands over an empty cell, or a digit over the same
    // digit, give no row. 101 - 1, 105 - 5 and 1023 - 23 leave one partial
    // row, which the record must flag as a single result.
    for (auto [a, b, rows] : {std::tuple{"101", "1", "3"}, std::tuple{"105", "5", "3"}, std::tuple{"1023", "23", "4"}}) {
        const StepTriple s = run(&New_Arithmetic_Model::subtractPartialSteps, a, b);
        const Engine_Table& last = record(s.steps.back());
        EXPECT_EQ(row(last, "tableau_op_globals"), (Rows{"3", rows, "0", "true"})) << a;
        EXPECT_EQ(row(last, "tableau_op_locals"), (Rows{"3", "false"})) << a;
    }
    const StepTriple gap = run(&New_Arithmetic_Model::subtractPartialSteps, "105", "3");
    EXPECT_EQ(row(record(gap.steps.back()), "tableau_op_globals"), (Rows{"5", "3", "0", "false"}));
    EXPECT_EQ(tableauOpRows(record(gap.steps.back())), (Rows{"105", "ZZ3", "ZZ2", "100", "102"}));
}

TEST(AdditionByTrading, WithAndWithoutCarryRow) {
    const StepTriple t = run(&New_Arithmetic_Model::addTradeSteps, "57", "68");
    ASSERT_EQ(commentLines(t), (Rows{kThink, "first step", "add and regroup", "add and regroup", kCool}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Rows{"4", "3", "1", "true"}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_locals"), (Rows{"3", "false"}));
    EXPECT_EQ(messages(t.steps[2]), (Rows{"57 + 68", "7 + 8 \u2192 15 ones", "regroup the 15 ones",
                                          "10 ones + 5 ones", "1 ten + 5 ones"}));
    EXPECT_EQ(messages(t.steps[3]), (Rows{"57 + 68", "1 + 5 + 6 \u2192 12 tens", "regroup the 12 tens",
                                          "10 tens + 2 tens", "1 hundred + 2 tens"}));
    EXPECT_EQ(tableauOpRows(record(t.steps[2])), (Rows{"B1B", "Z57", "Z68", "125"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[2]), "tableau_op_attributes"),
              (Grid{{"NNN", "YNR", "NNN"}, {"YNC", "YNC", "YNG"}, {"YNC", "YNC", "YNG"}, {"NNN", "NNN", "YNR"}}));
    // The carry out of the tens lands in the sum row.
    EXPECT_EQ(tableauOpGrid(record(t.steps[3]), "tableau_op_attributes"),
              (Grid{{"NNN", "YNG", "NNN"}, {"YNC", "YNG", "YNC"}, {"YNC", "YNG", "YNC"}, {"YNR", "YNR", "YNC"}}));
    EXPECT_EQ(messages(t.steps[4]), Rows{"57 + 68 = 125"});
    EXPECT_EQ(row(record(t.steps[4]), "tableau_op_locals"), (Rows{"4", "false"}));

    const StepTriple plain = run(&New_Arithmetic_Model::addTradeSteps, "23", "45");
    ASSERT_EQ(commentLines(plain), (Rows{kThink, "first step", "add", "add", kCool}));
    EXPECT_EQ(row(record(plain.steps[1]), "tableau_op_globals"), (Rows{"3", "2", "0", "true"}));
    EXPECT_EQ(messages(plain.steps[2]), (Rows{"23 + 45", "3 + 5 \u2192 8 ones"}));

    const StepTriple leftmost = run(&New_Arithmetic_Model::addTradeSteps, "50", "60");
    EXPECT_EQ(row(record(leftmost.steps[1]), "tableau_op_globals"), (Rows{"3", "3", "0", "true"}));
    EXPECT_EQ(messages(leftmost.steps[3]), (Rows{"50 + 60", "5 + 6 \u2192 11 tens", "regroup the 11 tens",
                                                 "10 tens + 1 ten", "1 hundred + 1 ten"}));
    const StepTriple ten = run(&New_Arithmetic_Model::addTradeSteps, "5", "5");
    EXPECT_EQ(messages(ten.steps[2]), (Rows{"5 + 5", "5 + 5 \u2192 10 ones", "regroup the 10 ones", "1 ten + 0 ones"}));
}

TEST(SubtractionByTrading, ThreeHundredTwoMinusFortySeven) {
    const StepTriple t = run(&New_Arithmetic_Model::subtractTradeSteps, "302", "47");
    ASSERT_EQ(commentLines(t), (Rows{kThink, "first step", "check for trade", "seek trader", "seek trader",
                                     "trade in progress", "trade in progress", "subtraction in progress",
                                     "check for trade", "subtraction in progress", "check for trade",
                                     "subtraction in progress", kCool}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op"), Rows{"\u2212"});
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Rows{"5", "3", "2", "true"}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_locals"), (Rows{"4", "false"}));
    EXPECT_EQ(row(record(t.steps[2]), "tableau_op_locals"), (Rows{"5", "false"}));
    EXPECT_EQ(messagesOfPages(t, 2, 13),
              (Rows{"302 \u2212 47 | trade needed | \U0001F641" "2 ones \u2212 7 ones",
                    "302 \u2212 47 | \U0001F641no trade with tens", "302 \u2212 47 | \U0001F642trade with hundreds",
                    "302 \u2212 47 | trade 1 hundred ... | ... for 10  tens",
                    "302 \u2212 47 | trade 1 ten ... | ... for 10  ones", "302 \u2212 47 | 12 ones \u2212 7 ones",
                    "302 \u2212 47 | no trade needed | \U0001F642" "9 tens \u2212 4 tens",
                    "302 \u2212 47 | 9 tens \u2212 4 tens",
                    "302 \u2212 47 | no trade needed | \U0001F642" "2 hundreds \u2212 0 hundreds",
                    "302 \u2212 47 | 2 hundreds \u2212 0 hundreds", "302 \u2212 47 = 255"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[5])).at(1), (Rows{"2", "10", "B"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[5]), "tableau_op_attributes").at(1), (Rows{"YNG", "YNR", "NNN"}));
    EXPECT_EQ(tableauOpGrid(record(t.steps[5]), "tableau_op_attributes").at(2), (Rows{"YYG", "YYR", "YNC"}));
    const Engine_Table& last = record(t.steps[12]);
    EXPECT_EQ(tableauOpGrid(last),
              (Grid{{"B", "9", "B"}, {"2", "10", "12"}, {"3", "0", "2"}, {"Z", "4", "7"}, {"2", "5", "5"}}));
    EXPECT_EQ(tableauOpGrid(last, "tableau_op_attributes"), (Grid{{"NNN", "YNC", "NNN"},
                                                                  {"YNC", "YYC", "YNC"},
                                                                  {"YYC", "YYC", "YYC"},
                                                                  {"YNC", "YNC", "YNC"},
                                                                  {"YNC", "YNC", "YNC"}}));

    const StepTriple first = run(&New_Arithmetic_Model::subtractTradeFirstSteps, "302", "47");
    ASSERT_EQ(commentLines(first), (Rows{kThink, "first step", "check for trade", "seek trader", "seek trader",
                                         "trade in progress", "trade in progress", "check for trade",
                                         "check for trade", "subtraction in progress", "subtraction in progress",
                                         "subtraction in progress", kCool}));
    EXPECT_EQ(messagesOfPages(first, 9, 12),
              (Rows{"302 \u2212 47 | 12 ones \u2212 7 ones", "302 \u2212 47 | 9 tens \u2212 4 tens",
                    "302 \u2212 47 | 2 hundreds \u2212 0 hundreds"}));
    EXPECT_EQ(first.steps.back(), t.steps.back());
}

TEST(SubtractionByTrading, SingularPlacesAndLongTrades) {
    const StepTriple t = run(&New_Arithmetic_Model::subtractTradeSteps, "21", "9");
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Rows{"4", "2", "1", "true"}));
    EXPECT_EQ(messages(t.steps[2]).at(2), "\U0001F641" "1 one \u2212 9 ones");
    EXPECT_EQ(messages(t.steps[3]).at(1), "\U0001F642trade with tens");
    EXPECT_EQ(tableauOpGrid(record(t.steps[4])).at(0), (Rows{"1", "11"}));
    EXPECT_EQ(messages(t.steps[5]).at(1), "11 ones \u2212 9 ones");
    EXPECT_EQ(messages(t.steps[6]).at(2), "\U0001F642" "1 ten \u2212 0 tens");

    const StepTriple far = run(&New_Arithmetic_Model::subtractTradeSteps, "1000", "1");
    EXPECT_EQ(row(record(far.steps[1]), "tableau_op_globals"), (Rows{"5", "4", "2", "true"}));
    const Rows comments = commentLines(far);
    EXPECT_EQ(std::count(comments.begin(), comments.end(), "trade in progress"), 3);
    EXPECT_EQ(secondLines(far, 3, 6), (Rows{"\U0001F641no trade with tens", "\U0001F641no trade with hundreds",
                                            "\U0001F642trade with thousands"}));
    const Grid last = tableauOpGrid(record(far.steps.back()));
    EXPECT_EQ(last.at(0), (Rows{"B", "9", "9", "B"}));
    EXPECT_EQ(last.at(1), (Rows{"0", "10", "10", "10"}));
    EXPECT_EQ(last.at(4), (Rows{"Z", "9", "9", "9"}));

    const StepTriple one = run(&New_Arithmetic_Model::subtractTradeSteps, "9", "4");
    ASSERT_EQ(commentLines(one), (Rows{kThink, "first step", "check for trade", "subtraction in progress", kCool}));
    EXPECT_EQ(row(record(one.steps[1]), "tableau_op_globals"), (Rows{"3", "1", "0", "true"}));

    const StepTriple hundred = run(&New_Arithmetic_Model::subtractTradeSteps, "100", "99");
    EXPECT_EQ(tableauOpGrid(record(hundred.steps.back())).back(), (Rows{"Z", "Z", "1"}));
    EXPECT_EQ(messages(hundred.steps[hundred.steps.size() - 2]).at(1), "0 hundreds \u2212 0 hundreds");
}

TEST(SubtractionByCounting, FiveHundredMinusOneHundredTwentyThree) {
    const StepTriple t = run(&New_Arithmetic_Model::subtractCountSteps, "500", "123", " count down ");
    ASSERT_EQ(commentLines(t),
              (Rows{kThink, "first step", "count down", "count down", "count down", "add counts", kCool}));
    const Rows globals{"COUNT DOWN", "3", "3", "377"};
    for (std::size_t i = 1; i < t.steps.size(); ++i) {
        EXPECT_EQ(row(record(t.steps[i]), "count_op_globals"), globals);
        EXPECT_EQ(row(record(t.steps[i]), "count_op"), Rows{"\u2212"});
    }
    EXPECT_EQ(row(record(t.steps[1]), "count_op_tableau"), (Rows{"500", "?", "?"}));
    EXPECT_EQ(row(record(t.steps[1]), "count_op_locals"), (Rows{"SHOW", "1"}));
    EXPECT_EQ(messages(t.steps[1]), (Rows{"500 \u2212 123", "count down", "from larger to smaller"}));

    EXPECT_EQ(row(record(t.steps[2]), "count_op_tableau"), (Rows{"500", "300", "200"}));
    EXPECT_EQ(row(record(t.steps[2]), "count_op_locals"), (Rows{"STEP", "1"}));
    EXPECT_EQ(secondLines(t, 2, 5), (Rows{"to lowest hundred", "to lowest ten", "to lowest one"}));
    EXPECT_EQ(row(record(t.steps[4]), "count_op_locals"), (Rows{"STEP", "3"}));
    const Rows chain{"500", "300", "200", "200", "70", "130", "130", "7", "123"};
    EXPECT_EQ(row(record(t.steps[4]), "count_op_count_ups"), Rows{});

    const Engine_Step& adding = t.steps[5];
    EXPECT_EQ(adding[0], messageTable("500 \u2212 123 = 377", Color::red, "SOLUTION"));
    EXPECT_EQ(row(record(adding), "count_op_tableau"), chain);
    EXPECT_EQ(row(record(adding), "count_op_count_ups"), (Rows{"300", "70", "7"}));
    EXPECT_EQ(row(record(adding), "count_op_locals"), (Rows{"COUNT", "3"}));
    const Engine_Step& closing = t.steps[6];
    EXPECT_EQ(closing[0], messageTable("500 \u2212 123 = 377", Color::black, "SOLUTION"));
    EXPECT_EQ(row(record(closing), "count_op_locals"), (Rows{"SUMMARY", "3"}));
    EXPECT_EQ(row(record(closing), "count_op_count_ups"), (Rows{"300", "70", "7"}));
}

TEST(SubtractionByCounting, CountingUpAndPlaceJumps) {
    const StepTriple up = run(&New_Arithmetic_Model::subtractCountSteps, "500", "123", " count up ");
    ASSERT_EQ(commentLines(up), (Rows{kThink, "first step", "count up", "count up", "count up", "add counts", kCool}));
    EXPECT_EQ(messages(up.steps[1]), (Rows{"500 \u2212 123", "count up", "from smaller to larger"}));
    EXPECT_EQ(row(record(up.steps[1]), "count_op_tableau"), (Rows{"123", "?", "?"}));
    EXPECT_EQ(secondLines(up, 2, 5), (Rows{"to nearest ten", "to nearest hundred", "to highest hundred"}));
    EXPECT_EQ(row(record(up.steps[4]), "count_op_tableau"),
              (Rows{"123", "7", "130", "130", "70", "200", "200", "300", "500"}));
    EXPECT_EQ(row(record(up.steps[4]), "count_op_globals"), (Rows{"COUNT UP", "3", "3", "377"}));

    const StepTriple jump = run(&New_Arithmetic_Model::subtractCountSteps, "2000", "1995", " count up ");
    ASSERT_EQ(commentLines(jump), (Rows{kThink, "first step", "count up", "a single count", kCool}));
    EXPECT_EQ(messages(jump.steps[2]).at(1), "to nearest thousand");
    EXPECT_EQ(row(record(jump.steps[2]), "count_op_tableau"), (Rows{"1995", "5", "2000"}));
    EXPECT_EQ(row(record(jump.steps[3]), "count_op_locals"), (Rows{"COUNT SHORT", "1"}));
    EXPECT_EQ(row(record(jump.steps[4]), "count_op_locals"), (Rows{"SUMMARY SHORT", "1"}));

    // Any option text other than " count up " counts down.
    const StepTriple down = run(&New_Arithmetic_Model::subtractCountSteps, "1000", "1", "count up");
    EXPECT_EQ(row(record(down.steps.back()), "count_op_globals"), (Rows{"COUNT DOWN", "4", "3", "999"}));
    EXPECT_EQ(row(record(down.steps.back()), "count_op_count_ups"), (Rows{"900", "90", "9"}));
    EXPECT_EQ(messages(down.steps[2]).at(1), "to lowest hundred");

    const StepTriple small = run(&New_Arithmetic_Model::subtractCountSteps, "9", "4", " count up ");
    EXPECT_EQ(messages(small.steps[2]).at(1), "to highest one");
}

TEST(Builders, AreRepeatableAndIgnoreMultiLine) {
    for (const auto& b : kAllBuilders) {
        New_Arithmetic_Model model = arithmeticModel("302", "47", {{" left to right "}});
        const StepTriple once = (model.*b.builder)();
        model.multiLine = {{"anything"}};
        EXPECT_EQ((model.*b.builder)(), once) << b.name;
    }
}
