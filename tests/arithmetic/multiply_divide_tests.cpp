// Worked examples of the multiplication, division and partition step
// builders, page by page, and the lattice and grid records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/grid_record.hpp"
#include "arithmetic/lattice_record.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/records.hpp"
#include "step_reading.hpp"

using namespace tl;
using namespace tl::testing;
using Lines = std::vector<std::string>;

namespace {

template <class Model>
Model modelOf(const std::string& a, const std::string& b,
              std::vector<std::vector<std::string>> options = {}) {
    Model m;
    m.inputs = {{{a, b}}};
    m.options = std::move(options);
    return m;
}

StepTriple partialProducts(const std::string& a, const std::string& b,
                           const std::string& order = " right to left ") {
    return arithmeticModel(a, b, {{order}}).multiplyPartialSteps();
}
StepTriple standardProduct(const std::string& a, const std::string& b) {
    return arithmeticModel(a, b).multiplyStandardSteps();
}
StepTriple partialQuotients(const std::string& a, const std::string& b) {
    return arithmeticModel(a, b).dividePartialSteps();
}
StepTriple longDivision(const std::string& a, const std::string& b) {
    return arithmeticModel(a, b).divideStandardSteps();
}
const std::vector<std::vector<std::string>> kTopLeftRowFlyback{{" top ", " left "},
                                                               {" row ", " flyback "}};
const std::vector<std::vector<std::string>> kBottomRightColumnSnake{{" bottom ", " right "},
                                                                    {" column ", " snake "}};
/// The colours of a record's four digits, all shown, with nothing shaded.
const Lines kDigitsShown{"black", "black", "black", "black", "clear", "clear", "clear", "clear"};
StepTriple lattice(const std::string& a, const std::string& b,
                   const std::vector<std::vector<std::string>>& options = kTopLeftRowFlyback) {
    return modelOf<Multiply_Lattice_Model>(a, b, options).solve();
}
StepTriple gridProduct(const std::string& a, const std::string& b,
                       const std::vector<std::vector<std::string>>& options = kTopLeftRowFlyback) {
    return modelOf<Multiply_Grid_Model>(a, b, options).solve();
}
StepTriple partition(const std::string& n) {
    Partition_Model m;
    m.inputs = {{{n}}};
    return m.solve();
}

/// The rows of a tableau_op record as it stands on a page: its digits, each
/// row joined, or its cell codes, each row joined by blanks.
Lines opRows(const Engine_Step& page) { return tableauOpRows(record(page)); }
std::vector<Lines> codeGrid(const Engine_Step& page) { return tableauOpGrid(record(page), "tableau_op_attributes"); }
Lines opCodes(const Engine_Step& page) {
    Lines rows;
    for (const auto& r : codeGrid(page)) {
        std::string codes;
        for (const auto& c : r) codes += (codes.empty() ? "" : " ") + c;
        rows.push_back(codes);
    }
    return rows;
}

/// The cells of (row, column) pairs whose code on the page is `code`.
using Cells = std::vector<std::pair<int, int>>;
Cells cellsCoded(const Engine_Step& page, const std::string& code) {
    const auto codes = codeGrid(page);
    Cells cells;
    for (std::size_t r = 0; r < codes.size(); ++r)
        for (std::size_t c = 0; c < codes[r].size(); ++c)
            if (codes[r][c] == code) cells.emplace_back(int(r), int(c));
    return cells;
}

void expectShortCut(const StepTriple& t, const std::string& problem, const std::string& caseComment,
                    const std::string& shown) {
    ASSERT_EQ(t.steps.size(), 3u) << problem;
    EXPECT_EQ(commentLines(t), (Lines{kThink, caseComment, kCool})) << problem;
    EXPECT_EQ(messages(t.steps[0]), Lines{problem});
    EXPECT_EQ(t.steps[1].size(), 1u);
    EXPECT_EQ(messages(t.steps[1]), Lines{shown});
    EXPECT_EQ(t.steps[2], t.steps[1]);
    EXPECT_EQ(t.parameters, Lines{"NO PARAMETERS"});
}

}  // namespace

// ---------------------------------------------------------------------------
// Partial products

TEST(PartialProducts, FortySevenTimesThirtySixRightToLeft) {
    const auto t = partialProducts("47", "36");
    ASSERT_EQ(t.steps.size(), 8u);
    EXPECT_EQ(commentLines(t), (Lines{kThink, "first step", "multiply", "multiply", "multiply",
                                      "multiply", "add partial products", kCool}));
    EXPECT_EQ(messagesOfPages(t, 2, 6),
              (Lines{"47 × 36 | 6 × 7 = 7 × 6 = 42", "47 × 36 | 6 × 40 = 40 × 6 = 240",
                     "47 × 36 | 30 × 7 = 7 × 30 = 210", "47 × 36 | 30 × 40 = 40 × 30 = 1200"}));
    const auto& rec = record(t.steps[1]);
    EXPECT_EQ(row(rec, "tableau_op"), Lines{"×"});
    EXPECT_EQ(row(rec, "tableau_op_tag"), Lines{"STEP"});
    EXPECT_EQ(row(rec, "tableau_op_globals"), (Lines{"7", "4", "0", "false"}));
    EXPECT_EQ(row(rec, "tableau_op_locals"), (Lines{"2", "false"}));
    EXPECT_EQ(opRows(t.steps[1]), (Lines{"ZZ47", "ZZ36"}));

    // Each pair's page shows its row freshly written, its digits on gray.
    EXPECT_EQ(opCodes(t.steps[3]),
              (Lines{"YNC YNC YNG YNC", "YNC YNC YNC YNG", "YNC YNC YNC YNC", "YNR YNR YNR YNR"}));
    EXPECT_EQ(row(record(t.steps[3]), "tableau_op_locals"), (Lines{"4", "false"}));

    // The sum: the partial rows on gray, the sum on light gray.
    EXPECT_EQ(opCodes(t.steps[6]).at(2), "YNG YNG YNG YNG");
    EXPECT_EQ(opCodes(t.steps[6]).at(5), "YNG YNG YNG YNG");
    EXPECT_EQ(opCodes(t.steps[6]).at(6), "YNR YNR YNR YNR");
    EXPECT_EQ(row(record(t.steps[6]), "tableau_op_locals"), (Lines{"7", "true"}));

    EXPECT_EQ(messages(t.steps[7]), Lines{"47 × 36 = 1692"});
    EXPECT_EQ(opRows(t.steps[7]), (Lines{"ZZ47", "ZZ36", "ZZ42", "Z240", "Z210", "1200", "1692"}));
    EXPECT_TRUE(cellsCoded(t.steps[7], "YNC").size() == 28u);
    EXPECT_EQ(row(record(t.steps[7]), "tableau_op_locals"), (Lines{"7", "true"}));
}

TEST(PartialProducts, LeftToRightReversesThePairs) {
    const auto t = partialProducts("47", "36", " left to right ");
    ASSERT_EQ(t.steps.size(), 8u);
    EXPECT_EQ(messagesOfPages(t, 2, 6),
              (Lines{"47 × 36 | 30 × 40 = 40 × 30 = 1200", "47 × 36 | 30 × 7 = 7 × 30 = 210",
                     "47 × 36 | 6 × 40 = 40 × 6 = 240", "47 × 36 | 6 × 7 = 7 × 6 = 42"}));
    EXPECT_EQ(opRows(t.steps[7]), (Lines{"ZZ47", "ZZ36", "1200", "Z210", "Z240", "ZZ42", "1692"}));
}

TEST(PartialProducts, ZeroDigitsAreSkipped) {
    const auto t = partialProducts("305", "40");
    EXPECT_EQ(commentLines(t), (Lines{kThink, "first step", "multiply", "multiply", "multiply",
                                      "multiply", "add partial products", kCool}));
    EXPECT_EQ(messagesOfPages(t, 2, 6),
              (Lines{"305 × 40 | skip", "305 × 40 | 40 × 5 = 5 × 40 = 200",
                     "305 × 40 | skip this step", "305 × 40 | 40 × 300 = 300 × 40 = 12000"}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Lines{"5", "5", "0", "false"}));
    // "skip": the whole first factor and the zero of 40 on gray, no row added.
    EXPECT_EQ(opCodes(t.steps[2]).at(0), "YNG YNG YNG YNG YNG");
    EXPECT_EQ(opCodes(t.steps[2]).at(1), "YNC YNC YNC YNC YNG");
    EXPECT_EQ(row(record(t.steps[2]), "tableau_op_locals"), (Lines{"2", "false"}));
    // "skip this step" keeps the rows of the page before.
    EXPECT_EQ(opRows(t.steps[4]), opRows(t.steps[3]));
    EXPECT_EQ(row(record(t.steps[4]), "tableau_op_locals"), (Lines{"3", "false"}));
    EXPECT_EQ(opRows(t.steps.back()).back(), "12200");
}

// ---------------------------------------------------------------------------
// Standard multiplication

TEST(StandardMultiplication, FortySevenTimesThirtySix) {
    const auto t = standardProduct("47", "36");
    ASSERT_EQ(t.steps.size(), 11u);
    EXPECT_EQ(commentLines(t),
              (Lines{kThink, "first step", "multiply", "multiply", "multiply", "multiply",
                     "multiply", "multiply", "multiply", "add the products", kCool}));
    EXPECT_EQ(messagesOfPages(t, 2, 9),
              (Lines{"47 × 36 | 6 × 7 = 42 | 4 to next place value | automatic place value!",
                     "47 × 36 | 6 × 4 + 4 = 28 | automatic place value!",
                     "47 × 36 | it's history | cross it out",
                     "47 × 36 | multiply by 30 | insert zero, multiply by 3",
                     "47 × 36 | 3 × 7 = 21 | 2 to next place value | automatic place value!",
                     "47 × 36 | 3 × 4 + 2 = 14 | automatic place value!",
                     "47 × 36 | it's history | cross it out"}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Lines{"7", "4", "2", "false"}));
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_locals"), (Lines{"4", "false"}));

    // 6 × 7: the 2 written in the ones of the first product, the carry 4 over the 4.
    EXPECT_EQ(cellsCoded(t.steps[2], "YNR"), (Cells{{1, 2}, {4, 3}}));
    EXPECT_EQ(cellsCoded(t.steps[2], "YNG"), (Cells{{2, 3}, {3, 3}}));
    // 6 × 4 + 4: the carry on gray, 8 and 2 written.
    EXPECT_EQ(cellsCoded(t.steps[3], "YNG"), (Cells{{1, 2}, {2, 2}, {3, 3}}));
    EXPECT_EQ(cellsCoded(t.steps[3], "YNR"), (Cells{{4, 1}, {4, 2}}));
    EXPECT_EQ(cellsCoded(t.steps[4], "YYR"), (Cells{{1, 2}}));
    // The zero page: the row 1410 appended, its 0 and the 3 of 36 on gray.
    EXPECT_EQ(cellsCoded(t.steps[5], "YNG"), (Cells{{3, 2}, {5, 3}}));
    EXPECT_EQ(row(record(t.steps[5]), "tableau_op_locals"), (Lines{"6", "false"}));
    // 3 × 7 writes its carry in slot 2, above the crossed-out 4.
    EXPECT_EQ(cellsCoded(t.steps[6], "YNR"), (Cells{{0, 2}, {5, 2}}));
    // The sum page.
    EXPECT_EQ(cellsCoded(t.steps[9], "YNG").size(), 8u);
    EXPECT_EQ(opCodes(t.steps[9]).at(6), "YNR YNR YNR YNR");
    EXPECT_EQ(row(record(t.steps[9]), "tableau_op_locals"), (Lines{"7", "true"}));

    const auto& last = t.steps.back();
    EXPECT_EQ(messages(last), Lines{"47 × 36 = 1692"});
    EXPECT_EQ(opRows(last), (Lines{"0020", "0040", "ZZ47", "ZZ36", "Z282", "1410", "1692"}));
    EXPECT_EQ(opCodes(last),
              (Lines{"NNN NNN YYC NNN", "NNN NNN YYC NNN", "YNC YNC YNC YNC", "YNC YNC YNC YNC",
                     "YNN YNN YNN YNN", "YNN YNN YNN YNN", "YNN YNN YNN YNN"}));
}

TEST(StandardMultiplication, CarryRowsGrowWithTheSecondFactor) {
    EXPECT_EQ(row(record(standardProduct("99", "99").steps[1]), "tableau_op_globals"),
              (Lines{"7", "4", "2", "false"}));
    EXPECT_EQ(row(record(standardProduct("999", "999").steps[1]), "tableau_op_globals"),
              (Lines{"9", "6", "3", "false"}));
    const auto t = standardProduct("7", "23");
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Lines{"5", "3", "0", "false"}));
    EXPECT_EQ(messagesOfPages(t, 2, t.steps.size() - 1),
              (Lines{"7 × 23 | 3 × 7 = 21 | automatic place value!",
                     "7 × 23 | multiply by 20 | insert zero, multiply by 2",
                     "7 × 23 | 2 × 7 = 14 | automatic place value!", "7 × 23"}));
    EXPECT_EQ(opRows(t.steps.back()), (Lines{"ZZ7", "Z23", "Z21", "140", "161"}));
}

TEST(StandardMultiplication, ZeroDigitsAndASingleProduct) {
    const auto t = standardProduct("305", "40");
    EXPECT_EQ(messagesOfPages(t, 2, t.steps.size() - 1),
              (Lines{"305 × 40 | skip this step",
                     "305 × 40 | multiply by 40 | insert zero, multiply by 4",
                     "305 × 40 | 4 × 5 = 20 | 2 to next place value | automatic place value!",
                     "305 × 40 | 4 × 0 + 2 = 2 | automatic place value!",
                     "305 × 40 | it's history | cross it out",
                     "305 × 40 | 4 × 3 = 12 | automatic place value!"}));
    EXPECT_EQ(cellsCoded(t.steps[2], "YNG").size(), 6u);  // five cells of 305's row and the 0
    EXPECT_EQ(row(record(t.steps[1]), "tableau_op_globals"), (Lines{"4", "5", "1", "true"}));
    EXPECT_EQ(commentLines(t).at(t.steps.size() - 2), "multiply");  // no sum page
    EXPECT_EQ(opRows(t.steps.back()).back(), "12200");

    const auto z = standardProduct("23", "105");
    EXPECT_EQ(messages(z.steps.at(5)).at(1), "skip this step");
    EXPECT_EQ(messages(z.steps.at(6)),
              (Lines{"23 × 105", "multiply by 100", "insert zeros, multiply by 1"}));
    EXPECT_EQ(cellsCoded(z.steps.at(6), "YNG").size(), 3u);  // the 1 and two zeros
}

TEST(Multiplication, SimpleCasesSkipTheTableau) {
    for (const auto builder : {&New_Arithmetic_Model::multiplyPartialSteps,
                               &New_Arithmetic_Model::multiplyStandardSteps}) {
        for (const auto& [a, b, p] : std::vector<std::tuple<std::string, std::string, std::string>>{
                 {"100", "57", "5700"}, {"57", "1", "57"}, {"0", "8", "0"}, {"20", "30", "600"}}) {
            const auto t = (arithmeticModel(a, b, {{" left to right "}}).*builder)();
            expectShortCut(t, a + " × " + b, "a simple case", a + " × " + b + " = " + p);
        }
        EXPECT_EQ((arithmeticModel("40", "57", {{" left to right "}}).*builder)().comments.at(1),
                  Lines{"first step"});
    }
}

// ---------------------------------------------------------------------------
// Partial quotients

TEST(PartialQuotients, NineEightySixByTwentyThree) {
    const auto t = partialQuotients("986", "23");
    ASSERT_EQ(t.steps.size(), 12u);
    EXPECT_EQ(commentLines(t),
              (Lines{kThink, "first step", "choose", "smart choice", "grab and choose",
                     "smart choice", "grab and choose", "smart choice", "grab and go",
                     "add partial quotients", "the solution", kCool}));
    EXPECT_EQ(messages(t.steps[2]), (Lines{"986 ÷ 23", "986 to go", "how many 23s?"}));
    EXPECT_EQ(messages(t.steps[3]),
              (Lines{"986 ÷ 23", "986 to go", "how many 23s?", "🙂 23 × 10 = 230",
                     "smarter to double", "🙂 23 × 20 = 460", "can grab 20 of them"}));
    EXPECT_EQ(messages(t.steps[4]),
              (Lines{"986 ÷ 23", "grab 23 × 20 = 460", "526 to go", "how many 23s?"}));
    EXPECT_EQ(
        messages(t.steps[7]),
        (Lines{"986 ÷ 23", "grab 23 × 20 = 460", "66 to go", "how many 23s?", "🙂 23 × 1 = 23",
               "smarter to double", "🙂 23 × 2 = 46", "can grab 2 of them"}));
    EXPECT_EQ(messages(t.steps[8]),
              (Lines{"986 ÷ 23", "grab 23 × 2 = 46", "20 to go", "remainder is 20"}));

    const auto& first = record(t.steps[1]);
    EXPECT_EQ(row(first, "divide_partial_op"), Lines{"÷"});
    EXPECT_EQ(row(first, "divide_partial_op_tableau"), Lines{"986"});
    EXPECT_EQ(row(first, "divide_partial_op_partials"), Lines{});
    EXPECT_EQ(row(first, "divide_partial_op_globals"), (Lines{"986", "23", "42", "20"}));
    EXPECT_EQ(row(first, "divide_partial_op_locals"), (Lines{"PROBLEM", "0"}));
    EXPECT_EQ(row(first, "divide_partial_op_tag"), Lines{"PROBLEM"});
    EXPECT_EQ(row(record(t.steps[2]), "divide_partial_op_tag"), Lines{"CHOOSE"});
    EXPECT_EQ(row(record(t.steps[3]), "divide_partial_op_locals"), (Lines{"CHOICE", "1"}));
    EXPECT_EQ(row(record(t.steps[3]), "divide_partial_op_tag"), Lines{"CHOICE"});
    EXPECT_EQ(row(record(t.steps[4]), "divide_partial_op_locals"), (Lines{"GRAB AND CHOOSE", "1"}));
    EXPECT_EQ(row(record(t.steps[4]), "divide_partial_op_tag"), Lines{"GRAB"});
    EXPECT_EQ(row(record(t.steps[8]), "divide_partial_op_locals"), (Lines{"GRAB", "3"}));
    EXPECT_EQ(row(record(t.steps[9]), "divide_partial_op_locals"), (Lines{"ADD", "3"}));
    EXPECT_EQ(row(record(t.steps[10]), "divide_partial_op_locals"), (Lines{"SOLUTION", "3"}));

    const auto& last = t.steps.back();
    EXPECT_EQ(messages(last), Lines{"986 ÷ 23"});  // the problem, not the answer
    EXPECT_EQ(row(record(last), "divide_partial_op_locals"), (Lines{"SUMMARY", "3"}));
    EXPECT_EQ(row(record(last), "divide_partial_op_tableau"),
              (Lines{"986", "460", "526", "460", "66", "46", "20"}));
    EXPECT_EQ(row(record(last), "divide_partial_op_partials"), (Lines{"20", "20", "2"}));
}

TEST(PartialQuotients, ChoiceRules) {
    const auto byFour = partialQuotients("986", "4");
    EXPECT_EQ(row(record(byFour.steps.back()), "divide_partial_op_partials"),
              (Lines{"200", "40", "6"}));
    EXPECT_EQ(messages(byFour.steps[3]).back(), "math fact");
    EXPECT_EQ(messages(byFour.steps.at(8)).back(), "remainder is 2");

    const auto even = partialQuotients("600", "75");
    EXPECT_EQ(row(record(even.steps.back()), "divide_partial_op_partials"), (Lines{"5", "2", "1"}));
    const Lines choice1 = messages(even.steps[3]), choice3 = messages(even.steps[7]);
    EXPECT_EQ(Lines(choice1.begin() + 3, choice1.end()),
              (Lines{"🙁 75 × 10 = 750", "smarter to halve", "🙂 75 × 5 = 375",
                     "can grab 5 of them"}));
    EXPECT_EQ(messages(even.steps[5]).at(4), "🙂 75 × 1 = 75");
    EXPECT_EQ(messages(even.steps[5]).at(5), "smarter to double");
    EXPECT_EQ(Lines(choice3.begin() + 4, choice3.end()),
              (Lines{"🙂 75 × 1 = 75", "can grab 1 of them"}));
    EXPECT_EQ(messages(even.steps[8]).back(), "divides evenly");

    // A leading zero stays as typed; counts are written from values.
    const auto typed = partialQuotients("0986", "23");
    EXPECT_EQ(messages(typed.steps[0]), Lines{"0986 ÷ 23"});
    EXPECT_EQ(row(record(typed.steps[1]), "divide_partial_op_tableau"), Lines{"0986"});
    EXPECT_EQ(row(record(typed.steps[1]), "divide_partial_op_globals"),
              (Lines{"0986", "23", "42", "20"}));
    EXPECT_EQ(messages(typed.steps[2]).at(1), "986 to go");
}

// ---------------------------------------------------------------------------
// Long division

TEST(LongDivision, TwelveThirtyFourBySeven) {
    const auto t = longDivision("1234", "7");
    ASSERT_EQ(t.steps.size(), 16u);
    Lines expected{kThink, "the process"};
    for (int k = 0; k < 3; ++k)
        for (const char* c :
             {"Does ... Divide", "McD ... Multiply", "Sell ... Subtract", "Burgers ... Bring down"})
            expected.push_back(c);
    expected.push_back("the solution");
    expected.push_back(kCool);
    EXPECT_EQ(commentLines(t), expected);

    const auto& process = t.steps[1];
    ASSERT_EQ(process.size(), 8u);
    EXPECT_EQ(messages(process), (Lines{"1234 ÷ 7", "Does ... Divide", "McD ... Multiply",
                                        "Sell ... Subtract", "Burgers ... Bring down"}));
    EXPECT_EQ(process[2], (Engine_Table{{"start", "1"}, {"BLANK"}}));
    EXPECT_EQ(row(record(process), "divide_op_tableau"), (Lines{"BBBBB", "71234"}));
    EXPECT_EQ(row(record(process), "divide_op_locals"), (Lines{"PROCESS", "0"}));

    ASSERT_EQ(t.steps[2].size(), 7u);  // problem, record, two lines, blank, two lines
    EXPECT_EQ(messages(t.steps[2]), (Lines{"1234 ÷ 7", "12 ÷ 7 = 1", "2 would be too many",
                                           "note the 12 start is", "greater than divisor"}));
    EXPECT_EQ(row(record(t.steps[2]), "divide_op_background_tableau"), (Lines{"NNDNN", "LLLNN"}));
    EXPECT_EQ(row(record(t.steps[2]), "divide_op_tableau"), (Lines{"BB1BB", "71234"}));
    EXPECT_EQ(messagesOfPages(t, 3, 14),
              (Lines{"1234 ÷ 7 | 1 × 7 = 7 × 1 = 7", "1234 ÷ 7 | 12 − 7 = 5",
                     "1234 ÷ 7 | down comes the 3", "1234 ÷ 7 | 53 ÷ 7 = 7 | 8 would be too many",
                     "1234 ÷ 7 | 7 × 7 = 7 × 7 = 49", "1234 ÷ 7 | 53 − 49 = 4",
                     "1234 ÷ 7 | down comes the 4", "1234 ÷ 7 | 44 ÷ 7 = 6 | 7 would be too many",
                     "1234 ÷ 7 | 6 × 7 = 7 × 6 = 42", "1234 ÷ 7 | 44 − 42 = 2",
                     "1234 ÷ 7 | no more to bring down"}));
    EXPECT_EQ(row(record(t.steps[3]), "divide_op_background_tableau"),
              (Lines{"NNLNN", "LNNNN", "NNDNN"}));
    EXPECT_EQ(row(record(t.steps[4]), "divide_op_background_tableau"),
              (Lines{"NNNNN", "NLLNN", "BBLBB", "NNDNN"}));
    EXPECT_EQ(row(record(t.steps[4]), "divide_op_lines"), (Lines{"0", "3", "2", "3"}));
    EXPECT_EQ(row(record(t.steps[5]), "divide_op_tableau"),
              (Lines{"BB1BB", "71234", "BB7BB", "BB53B"}));
    EXPECT_EQ(row(record(t.steps[5]), "divide_op_background_tableau"),
              (Lines{"NNNNN", "NNNLN", "NNNNN", "NNNDN"}));
    EXPECT_EQ(row(record(t.steps[5]), "divide_op_locals"), (Lines{"BRING DOWN", "1"}));
    EXPECT_EQ(row(record(t.steps[6]), "divide_op_background_tableau"),
              (Lines{"NNNDN", "LNNNN", "NNNNN", "NNLLN"}));
    EXPECT_EQ(row(record(t.steps[14]), "divide_op_background_tableau"),
              (Lines{"NNLLL", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNL"}));

    const auto& last = record(t.steps.back());
    EXPECT_EQ(messages(t.steps.back()), Lines{"1234 ÷ 7"});
    EXPECT_EQ(row(last, "divide_op"), Lines{"÷"});
    EXPECT_EQ(row(last, "divide_op_tableau"),
              (Lines{"BB176", "71234", "BB7BB", "BB53B", "BB49B", "BBB44", "BBB42", "BBBB2"}));
    EXPECT_EQ(row(last, "divide_op_background_tableau"), Lines(8, "NNNNN"));
    EXPECT_EQ(row(last, "divide_op_lines"),
              (Lines{"0", "3", "2", "3", "1", "5", "3", "5", "2", "7", "4", "7"}));
    EXPECT_EQ(row(last, "divide_op_globals"), (Lines{"1234", "7", "176", "2"}));
    EXPECT_EQ(row(last, "divide_op_locals"), (Lines{"SUMMARY", "3"}));
    EXPECT_EQ(row(last, "divide_op_tag"), Lines{"SUMMARY"});
}

TEST(LongDivision, NotesEvenDivisionAndZeroDifferences) {
    const auto noLead = longDivision("845", "7");
    EXPECT_EQ(messages(noLead.steps[2]), (Lines{"845 ÷ 7", "8 ÷ 7 = 1", "2 would be too many"}));
    EXPECT_EQ(noLead.steps[2].size(), 4u);

    const auto t = longDivision("1212", "12");
    ASSERT_EQ(t.steps.size(), 4u + 4 * 3);
    EXPECT_EQ(messages(t.steps[2]), (Lines{"1212 ÷ 12", "12 ÷ 12 = 1", "divides evenly here",
                                           "note the 12 start is", "equal to divisor"}));
    EXPECT_EQ(secondLines(t, 4, 6), (Lines{"12 − 12 = 0", "down comes the 1"}));
    EXPECT_EQ(row(record(t.steps[5]), "divide_op_tableau").back(), "BBB01B");
    EXPECT_EQ(messagesOfPages(t, 6, 9),
              (Lines{"1212 ÷ 12 | 1 ÷ 12 = 0 | 1 would be too many",
                     "1212 ÷ 12 | 0 × 12 = 12 × 0 = 0", "1212 ÷ 12 | 1 − 0 = 1"}));
    const auto last = record(t.steps.back());
    EXPECT_EQ(row(last, "divide_op_globals"), (Lines{"1212", "12", "101", "0"}));
    const auto solution = record(t.steps[t.steps.size() - 2]);
    EXPECT_EQ(row(solution, "divide_op_background_tableau").front(), "NNNLLL");
    EXPECT_EQ(row(solution, "divide_op_background_tableau").back(), "NNNNNN");
}

TEST(Division, ByZeroAndShortCuts) {
    for (const auto builder :
         {&New_Arithmetic_Model::dividePartialSteps, &New_Arithmetic_Model::divideStandardSteps}) {
        expectShortCut((arithmeticModel("5", "0").*builder)(), "5 ÷ 0", "division by zero",
                       "5 ÷ 0 IS NOT DEFINED");
        expectShortCut((arithmeticModel("0", "0").*builder)(), "0 ÷ 0", "division by zero",
                       "0 ÷ 0 IS NOT DEFINED");
        for (const auto& [a, b, answer] : std::vector<std::tuple<std::string, std::string, std::string>>{
                 {"7", "7", "1"}, {"5", "8", "0 R 5"}, {"0", "3", "0"}, {"500", "100", "5"},
                 {"36", "4", "9"}, {"40", "10", "4"}, {"7", "9", "0 R 7"}, {"70", "7", "10"}})
            expectShortCut((arithmeticModel(a, b).*builder)(), a + " ÷ " + b, "a simple case",
                           a + " ÷ " + b + " = " + answer);
        for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
                 {"44", "4"}, {"37", "4"}, {"77", "7"}})
            EXPECT_EQ((arithmeticModel(a, b).*builder)().comments.at(1).at(0),
                      builder == &New_Arithmetic_Model::dividePartialSteps ? "first step"
                                                                           : "the process");
    }
}

// ---------------------------------------------------------------------------
// Operands the pad never sends

TEST(MultiplyDivide, RejectsOperandsThePadNeverSends) {
    EXPECT_THROW(partialQuotients("986", "-23"), PreconditionError);  // would never end
    EXPECT_THROW(partialQuotients("-986", "23"), PreconditionError);
    EXPECT_THROW(longDivision("+986", "23"), PreconditionError);
    EXPECT_THROW(longDivision("98a", "23"), PreconditionError);
    EXPECT_THROW(longDivision("", "23"), PreconditionError);
    EXPECT_THROW(standardProduct("-47", "36"), PreconditionError);
    EXPECT_THROW(partialProducts("47", "+36"), PreconditionError);
    EXPECT_THROW(standardProduct("007", "12"), PreconditionError);
    EXPECT_THROW(gridProduct("00", "37"), PreconditionError);
    EXPECT_THROW(gridProduct("-23", "45"), PreconditionError);
    for (const char* n : {"1.5", "-5", "", "12a"}) EXPECT_THROW(partition(n), PreconditionError) << n;
    EXPECT_THROW(lattice("23", "4 5"), PreconditionError);
    EXPECT_THROW(lattice("23", "45", {{" top ", " left "}}), PreconditionError);  // one group only
    EXPECT_THROW(standardProduct("9999999999", "9999999999"), OverflowError);
    New_Arithmetic_Model empty;
    EXPECT_THROW(empty.divideStandardSteps(), PreconditionError);
    Partition_Model none;
    EXPECT_THROW(none.solve(), PreconditionError);
}

// ---------------------------------------------------------------------------
// Lattice

TEST(LatticeRecord, TwentyThreeTimesFortyFive) {
    const auto t = lattice("23", "45");
    ASSERT_EQ(t.steps.size(), 11u);
    Lines comments{kThink, "draw initial lattice"};
    comments.insert(comments.end(), 4, "fill lattice");
    comments.insert(comments.end(), 4, "add along diagonals");
    comments.push_back(kCool);
    EXPECT_EQ(commentLines(t), comments);

    const auto& rec = record(t.steps[1]);
    ASSERT_EQ(rec.size(), 10u);
    EXPECT_EQ(rec[1], (Engine_Row{"plug_in", "lattice_multiply", "9"}));
    EXPECT_EQ(rec[2], (Engine_Row{"lattice_multiply", "2", "2"}));
    EXPECT_EQ(row(rec, "lattice_multiply_factors"), (Lines{"2", "3", "4", "5"}));
    EXPECT_EQ(row(rec, "lattice_multiply_factor_colors"), kDigitsShown);
    EXPECT_EQ(row(rec, "lattice_multiply_products"), (Lines{"1", "0", "3", "5"}));
    EXPECT_EQ(row(rec, "lattice_multiply_product_colors"), Lines(8, "clear"));
    EXPECT_EQ(row(rec, "lattice_multiply_partials"),
              (Lines{"0", "1", "1", "1", "8", "2", "0", "5"}));
    Lines start(16, "clear");
    start[4] = start[12] = "light gray";  // the triangles of the start cell
    EXPECT_EQ(row(rec, "lattice_multiply_partial_colors"), start);
    EXPECT_EQ(row(rec, "lattice_multiply_tag"), Lines{"Lattice"});
    EXPECT_EQ(messages(t.steps[1]),
              (Lines{"23 × 45", "fill from top left ", "fill by row ", "🦅 back to next row "}));
}

TEST(Lattice, TwentyThreeTimesFortyFivePageByPage) {
    const auto t = lattice("23", "45");
    EXPECT_EQ(
        messages(t.steps[2]),
        (Lines{"23 × 45", "2 × 4 = 4 × 2 = 8", "😀 automatic place value", "really 20 × 40 = 800",
               "0 is in thousands diagonal", "8 is in hundreds diagonal"}));
    EXPECT_EQ(messages(t.steps[3]).at(1), "3 × 4 = 4 × 3 = 12");
    EXPECT_EQ(messages(t.steps[3]).at(3), "really 3 × 40 = 120");
    EXPECT_EQ(messages(t.steps[4]).at(1), "2 × 5 = 5 × 2 = 10");
    EXPECT_EQ(messages(t.steps[5]),
              (Lines{"23 × 45", "3 × 5 = 5 × 3 = 15", "😀 automatic place value",
                     "1 is in tens diagonal", "5 is in ones diagonal"}));
    // The fill page of cell (0, 1): its triangles and digits shaded, the
    // digits of both filled cells shown.
    const auto colors = row(record(t.steps[3]), "lattice_multiply_partial_colors");
    EXPECT_EQ(Lines(colors.begin(), colors.begin() + 8),
              (Lines{"black", "black", "clear", "clear", "clear", "light gray", "clear", "clear"}));
    EXPECT_EQ(
        row(record(t.steps[3]), "lattice_multiply_factor_colors"),
        (Lines{"black", "black", "black", "black", "clear", "light gray", "light gray", "clear"}));

    EXPECT_EQ(messages(t.steps[6]), (Lines{"23 × 45", "sum is 5 ( 5 )", "5 at end of this diagonal",
                                           "😀 automatic place value", "5 is in ones diagonal"}));
    EXPECT_EQ(messages(t.steps[7]),
              (Lines{"23 × 45", "sum is 3 ( 2 + 1 + 0 )", "3 at end of this diagonal",
                     "😀 automatic place value", "really 3 tens", "3 is in tens diagonal"}));
    EXPECT_EQ(messages(t.steps[8]),
              (Lines{"23 × 45", "sum is 10 ( 1 + 8 + 1 )", "0 at end of this diagonal",
                     "carry 1 to top of next", "😀 automatic place value", "really 10 hundreds",
                     "0 is in hundreds diagonal", "1 is in thousands diagonal"}));
    EXPECT_EQ(row(record(t.steps[8]), "lattice_multiply_partials").at(0), "0¹");
    EXPECT_EQ(row(record(t.steps[8]), "lattice_multiply_partial_colors").at(4), "gray");
    EXPECT_EQ(messages(t.steps[9]), (Lines{"23 × 45", "sum is 1 ( 1 + 0 )",
                                           "1 at end of this diagonal", "😀 automatic place value",
                                           "really 1 thousand", "1 is in thousands diagonal"}));
    const auto productColors = row(record(t.steps[9]), "lattice_multiply_product_colors");
    EXPECT_EQ(productColors,
              (Lines{"black", "black", "black", "black", "gray", "clear", "clear", "clear"}));

    const auto& last = record(t.steps.back());
    EXPECT_EQ(messages(t.steps.back()), Lines{"23 × 45 = 1035"});
    EXPECT_EQ(row(last, "lattice_multiply_partial_colors"),
              (Lines{"black", "black", "black", "black", "clear", "clear", "clear", "clear",
                     "black", "black", "black", "black", "clear", "clear", "clear", "clear"}));
    EXPECT_EQ(row(last, "lattice_multiply_product_colors"), kDigitsShown);
    EXPECT_EQ(row(last, "lattice_multiply_factor_colors"), kDigitsShown);
    EXPECT_EQ(row(last, "lattice_multiply_partials"),
              (Lines{"0¹", "1", "1", "1", "8", "2", "0", "5"}));
}

TEST(Lattice, FillOrdersAndSizes) {
    const auto snake = lattice("23", "45", kBottomRightColumnSnake);
    EXPECT_EQ(messages(snake.steps[1]), (Lines{"23 × 45", "fill from bottom right ",
                                               "fill by column ", "🐍 to next column "}));
    // Cells (1, 1), (0, 1), (0, 0), (1, 0).
    EXPECT_EQ(secondLines(snake, 2, 6), (Lines{"3 × 5 = 5 × 3 = 15", "3 × 4 = 4 × 3 = 12", "2 × 4 = 4 × 2 = 8",
                            "2 × 5 = 5 × 2 = 10"}));
    EXPECT_EQ(messages(snake.steps[5]).at(3), "really 20 × 5 = 100");

    const auto wide = lattice("123", "45");
    EXPECT_EQ(wide.steps.size(), 14u);
    for (const auto& page : wide.steps)
        for (const auto& m : messages(page)) EXPECT_EQ(m.find("automatic"), std::string::npos);

    const auto column = lattice("7", "123", {{" bottom ", " left "}, {" row ", " flyback "}});
    EXPECT_EQ(messages(column.steps[1]),
              (Lines{"7 × 123", "fill from bottom ", "a simple fill", "a single digit number"}));
    EXPECT_EQ(messagesOfPages(column, 2, 5),
              (Lines{"7 × 123 | 7 × 3 = 3 × 7 = 21", "7 × 123 | 7 × 2 = 2 × 7 = 14",
                     "7 × 123 | 7 × 1 = 1 × 7 = 7"}));
    EXPECT_EQ(row(record(column.steps[1]), "lattice_multiply_products"),
              (Lines{"0", "8", "6", "1"}));

    const auto same = lattice("44", "4");
    EXPECT_EQ(secondLines(same, 2, 4), (Lines{"4 × 4 = 16", "4 × 4 = 16"}));
    const auto zero = lattice("20", "31");
    EXPECT_EQ(messages(zero.steps[3]), (Lines{"20 × 31", "0 × 3 = 3 × 0 = 0"}));
    EXPECT_EQ(row(record(lattice("12", "34").steps[1]), "lattice_multiply_products"),
              (Lines{"0", "4", "0", "8"}));

    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"3", "4"}, {"10", "37"}, {"37", "100"}, {"0", "58"}, {"20", "30"}}) {
        for (const auto& t : {lattice(a, b), gridProduct(a, b)}) {
            EXPECT_EQ(commentLines(t), (Lines{kThink, kCool})) << a << " × " << b;
            EXPECT_EQ(messages(t.steps[1]),
                      Lines{a + " × " + b + " = " + std::to_string(parseInt(a) * parseInt(b))});
        }
    }
}

TEST(Lattice, LongBandsCarryMoreThanOneDigit) {
    // Nine-digit factors can make band sums of 100 and more; the carry is
    // written with a superscript per digit and read back whole.
    const auto t = lattice("777777777", "777777777");
    const auto& last = record(t.steps.back());
    EXPECT_EQ(row(last, "lattice_multiply_products"), characterStrings("604938270395061729"));
    bool sawTwoDigitCarry = false;
    for (const auto& p : row(last, "lattice_multiply_partials"))
        sawTwoDigitCarry = sawTwoDigitCarry || characterStrings(p).size() > 2;
    EXPECT_TRUE(sawTwoDigitCarry);
}

TEST(LatticeRecord, UpdateRewritesOnlyTheGivenRows) {
    const Engine_Table original =
        latticeMultiplyItem("1", "2", {"2", "3", "4"}, Lines(6, "black"), {"0", "9", "2"},
                            Lines(6, "clear"), {"0", "1", "8", "2"}, Lines(8, "clear"), "Lattice");
    auto table = original;
    updateLatticeItem(table, {}, {}, {}, {}, "Lattice");
    EXPECT_EQ(table, original);
    updateLatticeItem(table, {"9", "9", "9", "9"}, {"red"}, {"red"}, {"red"}, "Other");
    EXPECT_EQ(table, original);
    updateLatticeItem(table, {}, {}, {}, Lines(8, "gray"), "Lattice");
    EXPECT_EQ(row(table, "lattice_multiply_partial_colors"), Lines(8, "gray"));
    table[8] = original[8];
    EXPECT_EQ(table, original);
    updateLatticeItem(table, {"0¹", "1", "8", "2"}, {"red"}, {"blue"}, {}, "Lattice");
    EXPECT_EQ(row(table, "lattice_multiply_partials"), (Lines{"0¹", "1", "8", "2"}));
    EXPECT_EQ(row(table, "lattice_multiply_factor_colors"), Lines{"red"});
    EXPECT_EQ(row(table, "lattice_multiply_product_colors"), Lines{"blue"});
    EXPECT_EQ(row(table, "lattice_multiply_products"), (Lines{"0", "9", "2"}));

    // The walk steps over a message joined in front of the record.
    auto joinedTable = joinItem("🖇", messageTable("look"), original);
    updateLatticeItem(joinedTable, {}, {}, {}, Lines(8, "gray"), "Lattice");
    EXPECT_EQ(row(joinedTable, "lattice_multiply_partial_colors"), Lines(8, "gray"));
}

// ---------------------------------------------------------------------------
// Grid

TEST(Grid, TwentyThreeTimesFortyFive) {
    const auto t = gridProduct("23", "45");
    ASSERT_EQ(t.steps.size(), 9u);
    EXPECT_EQ(commentLines(t),
              (Lines{kThink, "partition and draw grid", "fill strategy", "fill grid", "fill grid",
                     "fill grid", "fill grid", "add partial products", kCool}));
    const auto& rec = record(t.steps[1]);
    ASSERT_EQ(rec.size(), 8u);
    EXPECT_EQ(rec[1], (Engine_Row{"plug_in", "grid_multiply", "7"}));
    EXPECT_EQ(rec[2], (Engine_Row{"grid_multiply", "2", "2"}));
    EXPECT_EQ(row(rec, "grid_multiply_factors"), (Lines{"20", "3", "40", "5"}));
    EXPECT_EQ(row(rec, "grid_multiply_partials"), (Lines{"800", "120", "100", "15"}));
    EXPECT_EQ(row(rec, "grid_multiply_factor_colors"), kDigitsShown);
    EXPECT_EQ(row(rec, "grid_multiply_partial_colors"), Lines(8, "clear"));
    EXPECT_EQ(row(rec, "grid_multiply_tag"), Lines{"Grid"});
    EXPECT_EQ(messages(t.steps[1]), (Lines{"23 × 45", "23 = 20 + 3", "45 = 40 + 5"}));
    EXPECT_EQ(messages(t.steps[2]),
              (Lines{"23 × 45", "fill from top left ", "fill by row ", "🦅 back to next row "}));
    EXPECT_EQ(row(record(t.steps[2]), "grid_multiply_partial_colors").at(4), "light gray");
    EXPECT_EQ(messagesOfPages(t, 3, 7),
              (Lines{"23 × 45 | 20 × 40 = 40 × 20 = 800", "23 × 45 | 3 × 40 = 40 × 3 = 120",
                     "23 × 45 | 20 × 5 = 5 × 20 = 100", "23 × 45 | 3 × 5 = 5 × 3 = 15"}));
    EXPECT_EQ(
        row(record(t.steps[4]), "grid_multiply_factor_colors"),
        (Lines{"black", "black", "black", "black", "clear", "light gray", "light gray", "clear"}));
    EXPECT_EQ(row(record(t.steps[4]), "grid_multiply_partial_colors"),
              (Lines{"black", "black", "clear", "clear", "clear", "light gray", "clear", "clear"}));
    EXPECT_EQ(messages(t.steps[7]),
              (Lines{"23 × 45 = 1035", "800 + ... + 15 = 1035", "your addition method"}));
    EXPECT_EQ(row(record(t.steps[7]), "grid_multiply_partial_colors"),
              (Lines{"black", "black", "black", "black", "light gray", "light gray", "light gray",
                     "light gray"}));
    EXPECT_EQ(row(record(t.steps[7]), "grid_multiply_factor_colors"), kDigitsShown);
    EXPECT_EQ(messages(t.steps[8]), (Lines{"23 × 45 = 1035", "800 + ... + 15 = 1035"}));
    EXPECT_EQ(row(record(t.steps[8]), "grid_multiply_partial_colors"), kDigitsShown);
}

TEST(Grid, OrdersSingleLinesAndZeroDigits) {
    const auto snake = gridProduct("23", "45", kBottomRightColumnSnake);
    EXPECT_EQ(messagesOfPages(snake, 3, 7),
              (Lines{"23 × 45 | 3 × 5 = 5 × 3 = 15", "23 × 45 | 3 × 40 = 40 × 3 = 120",
                     "23 × 45 | 20 × 40 = 40 × 20 = 800", "23 × 45 | 20 × 5 = 5 × 20 = 100"}));

    const auto column = gridProduct("7", "23", {{" bottom ", " left "}, {" row ", " flyback "}});
    EXPECT_EQ(messages(column.steps[1]), (Lines{"7 × 23", "23 = 20 + 3"}));
    EXPECT_EQ(messages(column.steps[2]),
              (Lines{"7 × 23", "fill from bottom ", "a simple fill", "a single column"}));
    EXPECT_EQ(messages(column.steps.back()), (Lines{"7 × 23 = 161", "140 + 21 = 161"}));

    const auto wide = gridProduct("234", "5");
    EXPECT_EQ(messages(wide.steps[1]), (Lines{"234 × 5", "234 = 200 + 30 + 4"}));
    EXPECT_EQ(messages(wide.steps[2]).back(), "a single row");
    EXPECT_EQ(messages(wide.steps.back()).back(), "1000 + ... + 20 = 1170");

    const auto zero = gridProduct("407", "12");
    EXPECT_EQ(row(record(zero.steps[1]), "grid_multiply_factors"), (Lines{"400", "7", "10", "2"}));
    EXPECT_EQ(messages(gridProduct("40", "41").steps[4]).at(1), "40 × 1 = 1 × 40 = 40");
    EXPECT_EQ(messages(gridProduct("41", "41").steps[3]).at(1), "40 × 40 = 1600");
}

TEST(GridRecord, UpdateRecoloursOnly) {
    const Engine_Table original =
        gridMultiplyItem("2", "2", {"20", "3", "40", "5"}, Lines(8, "black"),
                         {"800", "120", "100", "15"}, Lines(8, "clear"), "Grid");
    auto table = original;
    updateGridItem(table, {}, {}, "Grid");
    EXPECT_EQ(table, original);
    updateGridItem(table, Lines(8, "red"), Lines(8, "red"), "Lattice");
    EXPECT_EQ(table, original);
    updateGridItem(table, {}, Lines(8, "gray"), "Grid");
    EXPECT_EQ(row(table, "grid_multiply_partial_colors"), Lines(8, "gray"));
    EXPECT_EQ(row(table, "grid_multiply_factor_colors"), Lines(8, "black"));
    auto joinedTable = joinItem("🖇", messageTable("look"), original);
    updateGridItem(joinedTable, Lines(8, "gray"), {}, "Grid");
    EXPECT_EQ(row(joinedTable, "grid_multiply_factor_colors"), Lines(8, "gray"));

    // A skipped record whose row count would not move the walk on.
    Engine_Table broken = original;
    broken[1] = {"plug_in", "other", "0"};
    EXPECT_THROW(updateGridItem(broken, Lines(8, "gray"), {}, "Grid"), PreconditionError);
}

// ---------------------------------------------------------------------------
// Partition

TEST(Partition, PlaceValueParts) {
    const auto t = partition("3052");
    ASSERT_EQ(t.steps.size(), 3u);
    EXPECT_EQ(commentLines(t), (Lines{kThink, "partition", kCool}));
    EXPECT_EQ(t.steps[0], Engine_Step{messageTable("3052")});
    EXPECT_EQ(t.steps[1],
              (Engine_Step{messageTable("3052 partitions into :"),
                           Engine_Table{{"start", "1"}, {"BLANK"}},
                           Engine_Table{{"start", "1"}, {"BLANK"}}, messageTable("3000+50+2")}));
    EXPECT_EQ(t.steps[2], t.steps[1]);
    EXPECT_EQ(t.parameters, Lines{"NO PARAMETERS"});
    EXPECT_EQ(messages(partition("305").steps[1]), (Lines{"305 partitions into :", "300+5"}));
    EXPECT_EQ(messages(partition("1234").steps[1]).back(), "1000+200+30+4");
    EXPECT_EQ(messages(partition("11").steps[1]).back(), "10+1");
    for (const std::string n : {"500", "7", "0", "10"}) {
        const auto s = partition(n);
        EXPECT_EQ(s.steps[1], Engine_Step{messageTable(n + " adores being itself")});
        EXPECT_EQ(s.steps[2], s.steps[1]);
    }
}
