// tellurandi-steps: its command line (good and bad), its entries and flags,
// its three outputs, and its pictures.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "algebra/factoring.hpp"
#include "arithmetic/arithmetic_model.hpp"
#include "command_line.hpp"
#include "common/items.hpp"
#include "page_images.hpp"
#include "step_builders.hpp"
#include "steps_tool.hpp"
#include "support/counting_buffer.hpp"
#include "support/folder_contents.hpp"
#include "support/steps_outcome.hpp"
#include "support/text_lines.hpp"

using namespace tl;
using namespace tl::steps_tool;
using Args = std::vector<std::string>;
namespace fs = std::filesystem;
using tl::testing::slurp;
using tl::testing::entries;

namespace {

using Outcome = tl::testing::StepsOutcome;
constexpr auto run = tl::testing::runSteps;

fs::path scratch(const std::string& name) {
    return fs::temp_directory_path() / ("tl_steps_" + name + "_" + std::to_string(getpid()));
}

}  // namespace

// Every input that is not run gets one line naming what is wrong, and a
// status that is not 0; nothing aborts.
TEST(StepsTool, RefusesBadCommandLinesInOneLine) {
    const struct {
        Args args;
        int status;
        std::string message;
    } cases[] = {
        {{"--text"}, 2, "no entry named"},
        {{"nosuch"}, 2, "no entry called \"nosuch\""},
        {{"addColumnSteps", "1", "2", "3"}, 2, "addColumnSteps takes 2 operands (A B), not 3"},
        {{"addColumnSteps", "1"}, 2, "takes 2 operands (A B): missing B"},
        {{"partitionSteps"}, 2, "takes 1 operand (N): missing N"},
        {{"addColumnSteps", "1", "2", "--colour"}, 2, "unknown flag --colour"},
        {{"addColumnSteps", "1", "2", "--order", "left-to-right"}, 2, "addColumnSteps does not take --order"},
        {{"addPartialSteps", "1", "2", "--order"}, 2, "--order needs left-to-right or right-to-left"},
        {{"addPartialSteps", "1", "2", "--order=sideways"}, 2, "--order takes left-to-right or right-to-left, not"},
        {{"addColumnSteps", "1", "2", "--draw", "9"}, 2, "--draw takes a whole number from 1 to 5, not \"9\""},
        {{"addColumnSteps", "1", "2", "--colored=yes"}, 2, "--colored takes no value"},
        {{"addColumnSteps", "1", "2", "--text=yes"}, 2, "--text takes no value"},
        {{"addColumnSteps", "1", "2", "--png"}, 2, "--png needs a directory"},
        {{"addColumnSteps", "1", "2", "--png="}, 2, "--png needs a directory"},
        {{"addColumnSteps", "1", "2", "--text", "--png", "d"}, 2, "exclude each other"},
        {{"addColumnSteps", "1", "2", "--screen", "390x844"}, 2, "--screen goes with --png"},
        {{"addColumnSteps", "1", "2", "--png", "d", "--screen", "16384x100"}, 2, "from 1 to 4096, not \"16384x100\""},
        {{"addColumnSteps", "1", "2", "--png", "d", "--screen", "0x5"}, 2, "--screen takes WxH"},
        {{"addColumnSteps", "1", "2", "--png", "d", "--screen", "390"}, 2, "--screen takes WxH"},
        {{"addColumnSteps", "\xff", "2"}, 2, "argument 2 is not valid UTF-8"},
        {{"addColumnSteps", "1", "2", "--order\xc0\xaf"}, 2, "argument 4 is not valid UTF-8"},
        {{"partitionSteps", std::string(30000, '7')}, 2, "30000 characters is longer than any number"},
        {{"addColumnSteps", "1\n2", "3"}, 2, "addColumnSteps: the operand \"1\\n2\" is no whole number"},
        {{"addColumnSteps", "9223372036854775807", "1"}, 1, "overflow"},
        {{"multiplyStandardSteps", "9999999999999999999", "2"}, 1, "refused its input"},
        {{"solveLinearEquation", ""}, 2, "solveLinearEquation: column 1"},
        {{"algebraTable", "2x^ = 1"}, 2, "algebraTable: column 5: an exponent is a whole number"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(r.status, c.status) << what << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << what << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << what;
    }
    // Output that cannot be written (a full disk, say) fails as well.
    std::ostringstream full, err;
    full.setstate(std::ios::badbit);
    EXPECT_EQ(runStepsTool({"addColumnSteps", "1", "2"}, full, err), 1);
    EXPECT_EQ(err.str(), "tellurandi-steps: cannot write the output\n");
}

// Status 2 for every operand that is no number as the number pad sends it,
// in any place of any arithmetic entry; status 1 stays for a well-formed
// problem that the builder refuses (the table above).
TEST(StepsTool, MalformedOperandsAreUsageErrors) {
    const std::string malformed[] = {"", "-5", "+5", "1.5", "5 8", "0005", "00", " 5", "1e3", "\uFF15", "\u0665"};
    for (const StepEntry& entry : stepEntries()) {
        const auto names = operandNames(entry);
        if (names.front() != "A" && names.front() != "N") continue;
        for (std::size_t place = 0; place < names.size(); ++place)
            for (const std::string& operand : malformed) {
                Args args(1 + names.size(), "3");
                args[0] = entry.name, args[1 + place] = operand;
                const Outcome r = run(args);
                EXPECT_EQ(r.status, 2) << args[0] << " \"" << operand << "\": " << r.err;
                EXPECT_TRUE(r.err.starts_with("tellurandi-steps: " + args[0] + ": the operand")) << r.err;
                EXPECT_TRUE(r.out.empty());
                args[1 + place] = place == 0 ? "1234567890123456789" : "0";  // well-formed
                EXPECT_NE(run(args).status, 2) << args[0];
            }
    }
}

// --help (like --list) prints the usage and succeeds; no arguments at all is
// a usage error, with the usage on standard error.
TEST(StepsTool, Usage) {
    for (const Args& args : {Args{"--help"}, Args{"--list"}, Args{}}) {
        const Outcome r = run(args);
        EXPECT_EQ(std::tuple(r.status, args.empty() ? r.err : r.out), std::tuple(args.empty() ? 2 : 0, usageText()));
        EXPECT_TRUE((args.empty() ? r.out : r.err).empty());
    }
    EXPECT_EQ(run({"--help=yes"}).status, 2);
}

// Flags become the option rows the screens write; flags left out take their
// first value; "-" starts an operand, "--" ends the flags.
TEST(StepsTool, FlagsAreTheScreensOptions) {
    // A screen's model holding the operands and option rows.
    const auto model = [](auto m, Args operands, std::vector<std::vector<std::string>> options) {
        m.inputs = {{std::move(operands)}};
        m.options = std::move(options);
        return m;
    };
    const auto entry = [](const Args& args) {
        std::string error;
        const auto line = parseCommandLine(args, error);
        EXPECT_TRUE(line) << error;
        return line ? line->entry->run(line->input) : StepTriple{};
    };
    const New_Arithmetic_Model arithmetic;
    EXPECT_EQ(entry({"addPartialSteps", "57", "38"}),
              model(arithmetic, {"57", "38"}, {{" left to right "}}).addPartialSteps());
    EXPECT_EQ(entry({"subtractPartialSteps", "--order=right-to-left", "57", "38"}),
              model(arithmetic, {"57", "38"}, {{" right to left "}}).subtractPartialSteps());
    EXPECT_EQ(entry({"subtractCountSteps", "83", "27", "--direction", "count-down"}),
              model(arithmetic, {"83", "27"}, {{" count down "}}).subtractCountSteps());
    EXPECT_EQ(entry({"multiplyLatticeSteps", "23", "45", "--start-row", "bottom", "--fill-by", "column",
                     "--line-change", "snake"}),
              model(Multiply_Lattice_Model{}, {"23", "45"}, {{" bottom ", " left "}, {" column ", " snake "}}).solve());

    std::string error;
    EXPECT_EQ(parseCommandLine({"addColumnSteps", "-5", "--", "--text"}, error)->input.operands, (Args{"-5", "--text"}));
    const auto png = parseCommandLine({"addColumnSteps", "1", "2", "--png", "out", "--screen", "4096x1"}, error);
    ASSERT_TRUE(png) << error;
    EXPECT_EQ(png->output, Output::png);
    EXPECT_EQ(std::pair(png->screenWidth, png->screenHeight), std::pair(4096, 1));

    FlagValues values;
    EXPECT_FALSE(values.isOn(Flag::colored));
    EXPECT_EQ(values.choice(Flag::style), "fraction");
    EXPECT_FALSE(values.integer(Flag::draw));
    values.set(Flag::colored, "");
    values.set(Flag::quadraticMethod, "complete_the_square");
    values.set(Flag::draw, "4");
    EXPECT_TRUE(values.isOn(Flag::colored));
    EXPECT_EQ(values.choiceIndex(Flag::quadraticMethod), 2u);
    EXPECT_EQ(values.integer(Flag::draw), 4);
}

// JSON and text work for every entry; --list names each with what it reads.
TEST(StepsTool, EveryEntryPrintsJsonAndText) {
    const std::string list = run({"--list"}).out;
    EXPECT_NE(list.find("  multiplyLatticeSteps A B [--start-row top|bottom] [--start-column left|right] "
                        "[--fill-by row|column] [--line-change flyback|snake]\n"),
              std::string::npos);
    for (const StepEntry& entry : stepEntries()) {
        const std::string name(entry.name);
        EXPECT_NE(list.find("  " + entryUsage(entry) + "\n"), std::string::npos) << name;
        EXPECT_EQ(findStepEntry(name), &entry);
        // The algebra entries read one equation, the arithmetic ones numbers.
        Args args = operandNames(entry) == std::vector<std::string_view>{"EQUATION"} ? Args{name, "2x + 3 = 11"}
                                                                                     : Args{name, "57", "38"};
        args.resize(1 + operandNames(entry).size());
        const Outcome json = run(args);
        ASSERT_EQ(json.status, 0) << name << json.err;
        const auto parsed = nlohmann::json::parse(json.out);
        EXPECT_EQ(parsed["pages"].size(), parsed["comments"].size()) << name;
        args.push_back("--text");
        const Outcome text = run(args);
        EXPECT_TRUE(text.out.starts_with("page 1: \U0001F914\n")) << name;
        // One line per page and one per table.
        std::size_t lines = 0;
        for (const auto& page : parsed["pages"]) lines += 1 + page.size();
        EXPECT_EQ(static_cast<std::size_t>(std::count(text.out.begin(), text.out.end(), '\n')), lines) << name;
    }
    EXPECT_FALSE(findStepEntry("addcolumnsteps"));
}

// The pages as text: the column addition of 58 + 67 from start to end, and
// answers the 64-bit range only just holds.
TEST(StepsTool, PagesAsText) {
    EXPECT_EQ(run({"addColumnSteps", "58", "67", "--text"}).out,
              "page 1: \U0001F914\n58 + 67\n"
              "page 2: first step\n58 + 67\n+: _ 5 8 | _ 6 7\n"
              "page 3: add each place value\n58 + 67\n+: _ 5 8 | _ 6 7 | _ _ 15\nadd the ones\n"
              "page 4: add each place value\n58 + 67\n+: _ 5 8 | _ 6 7 | _ 11 15\nadd the tens\n"
              "page 5: regroup and trade\n58 + 67\n+: _ 5 8 | _ 6 7 | _ 11 15 | _ 12 5\nregroup 15 ones\n"
              "10 ones + 5 ones\n1 ten + 5 ones\ntrade 1 ten\n"
              "page 6: regroup and trade\n58 + 67\n+: _ 5 8 | _ 6 7 | _ 11 15 | _ 12 5 | 1 2 5\nregroup 12 tens\n"
              "10 tens + 2 tens\n1 hundred + 2 tens\ntrade 1 hundred\n"
              "page 7: \U0001F60E\n58 + 67 = 125\n+: _ 5 8 | _ 6 7 | _ 11 15 | _ 12 5 | 1 2 5\n");
    const Outcome count = run({"subtractCountSteps", "9223372036854775807", "1", "--direction", "count-down", "--text"});
    EXPECT_NE(count.out.find("9223372036854775807 \u2212 1 = 9223372036854775806\n"), std::string::npos) << count.err;
    const Outcome divide = run({"dividePartialSteps", "9223372036854775807", "3", "--text"});
    EXPECT_NE(divide.out.find("\u00F7: _ | 3)9223372036854775807\n"), std::string::npos)
        << divide.out << divide.err;

    // Roots read as the page sets them, without brackets it does not draw;
    // a repeated x = 0 in a hidden colour reads as an empty line, one in
    // black stays.
    const std::pair<Args, std::string> lines[] = {
        {{"solveQuadratic", "x^2 - x - 1 = 0", "--quadratic-method", "formula"},
         "\nx = (1 \u2212 \u221A5)/2 or x = (1 + \u221A5)/2\n"},
        {{"solveQuadratic", "5x^2 + x = 0", "--quadratic-method", "formula"}, "\nx = -1/5 or x = 0\n"},
        {{"solveLinearEquation", "5x = -1"}, "\nx = -1/5\n"},
        {{"solveQuadratic", "4x^2 - 1 = 0", "--quadratic-method", "complete_the_square"}, "\nor multiply by  1/4\n"},
        {{"solveQuadratic", "x^2 = 0", "--quadratic-method", "factor"},
         "page 2: zero-product rule\nx\u00B2 = 0\n\n\nx = 0\n\npage 3:"},
        {{"solveQuadratic", "3x^2 - 6x = 0", "--quadratic-method", "factor"},
         "\n\n\nx = 0 or x \u2212 2 = 0\nx = 0 or x = 2\npage 4:"},
    };
    for (auto [args, line] : lines) {
        args.push_back("--text");
        EXPECT_NE(run(args).out.find(line), std::string::npos) << args[1] << ":\n" << run(args).out;
    }

    StepTriple broken{{{messageTable("a\nb")}}, {{"one", "two"}}, {}};
    EXPECT_EQ(solutionText(broken), "page 1: one / two\na / b\n");
}

// The division and counting tableaux page by page, as their pages draw
// them: nothing the page hides, the quotient with its remainder and the sum
// once shown, the second strip of counts, the bracket after the divisor.
TEST(StepsTool, DivisionsAndCountsAsText) {
    // The tableau line of every page ("" on a page without one).
    const auto tableauLines = [](const Args& args, const std::string& header) {
        std::vector<std::string> pages;
        for (const std::string& line : tl::testing::lines(run(args).out)) {
            if (line.starts_with("page ")) pages.emplace_back();
            else if (line.starts_with(header + ": ")) pages.back() = line.substr(header.size() + 2);
        }
        return pages;
    };
    const std::string divide = "\u00F7", minus = "\u2212";
    const std::string a = "23)986 | 460 20", b = a + " | 526 | 460 20", c = b + " | 66 | 46 2";
    EXPECT_EQ(tableauLines({"dividePartialSteps", "986", "23", "--text"}, divide),
              (std::vector<std::string>{"", "_ | 23)986", "_ | 23)986", "_ | " + a + " | _", "_ | " + a + " | 526",
                                        "_ | " + b + " | _", "_ | " + b + " | 66", "_ | " + c + " | _",
                                        "_ | " + c + " | 20", "_ | " + c + " | 20 42", "42 R 20 | " + c + " | 20 42",
                                        "42 R 20 | " + c + " | 20 42"}));
    const std::string steps = "500 | 300 | 200 | 70 | 130 | 7 | 123";
    EXPECT_EQ(tableauLines({"subtractCountSteps", "500", "123", "--direction", "count-down", "--text"}, minus),
              (std::vector<std::string>{"", "500 | ? | ?", "500 | 300 | 200", "500 | 300 | 200 | 70 | 130", steps,
                                        steps + "; +: 300 | 70 | 7 | 377", steps + "; +: 300 | 70 | 7 | 377"}));
    // Counting up draws "+" beside each count.
    const std::string up = "123 | 7 | 130 | 70 | 200 | 300 | 500";
    EXPECT_EQ(tableauLines({"subtractCountSteps", "500", "123", "--text"}, "+"),
              (std::vector<std::string>{"", "123 | ? | ?", "123 | 7 | 130", "123 | 7 | 130 | 70 | 200", up,
                                        up + "; +: 7 | 70 | 300 | 377", up + "; +: 7 | 70 | 300 | 377"}));
    const std::string r1 = "7)1234 | _ _7__", r2 = r1 + " | _ _53_ | _ _49_", r3 = r2 + " | _ __44 | _ __42";
    EXPECT_EQ(tableauLines({"divideStandardSteps", "1234", "7", "--text"}, divide),
              (std::vector<std::string>{
                  "", "_ ____ | 7)1234", "_ _1__ | 7)1234", "_ _1__ | " + r1, "_ _1__ | " + r1 + " | _ _5__",
                  "_ _1__ | " + r1 + " | _ _53_", "_ _17_ | " + r1 + " | _ _53_", "_ _17_ | " + r2,
                  "_ _17_ | " + r2 + " | _ __4_", "_ _17_ | " + r2 + " | _ __44", "_ _176 | " + r2 + " | _ __44",
                  "_ _176 | " + r3, "_ _176 | " + r3 + " | _ ___2", "_ _176 | " + r3 + " | _ ___2",
                  "_ _176 R 2 | " + r3 + " | _ ___2", "_ _176 R 2 | " + r3 + " | _ ___2"}));
}

// The rational root search of one entry shares one allowance. Hx^d + H and
// Hx^d + Px^(d−1) + Px + H (H with 103,680 divisors, P prime) have the factor
// x + 1 and a quotient of d terms without one; trying every pair of divisors
// against it took up to eleven minutes an entry, at d = 9999 (d = 1839
// over the fraction bar). Now each entry, which may search the same group
// twice, fits in three fifths of the allowance; beyond it the entry is refused.
TEST(StepsTool, RationalRootSearchesAnswerWithinTheirAllowance) {
    const std::string h = "897612484786617600", p = "9223372036854775783";
    const auto sparse = [&](int d) {
        return h + "x^" + std::to_string(d) + " + " + p + "x^" + std::to_string(d - 1) + " + " + p + "x + " + h;
    };
    const std::string factored = "page 2: factor 1\nx + 1\npage 3: last quotient\n";
    const std::pair<Args, std::string> cases[] = {
        {{"factorCompletely", h + "x^9999 + " + h}, factored},
        {{"factorCompletely", sparse(9999)}, factored},
        {{"factorTrinomialXL", sparse(9999)}, "page 2: before\n"},
        {{"chooseFactoringMethod", sparse(9999), "guess and check"}, "page 2: before\n"},
        {{"rationalSimplifySteps", "1/(" + sparse(1839) + ")"}, "page 2: does not apply\n"},
    };
    for (const auto& [args, shown] : cases) {
        const RootSearchScope scope(RootSearchScope::kDefaultAllowance / 5 * 3);
        Args text = args;
        text.push_back("--text");
        const Outcome o = run(text);
        EXPECT_EQ(o.status, 0) << args[0] << ": " << o.err;
        EXPECT_NE(o.out.find(shown), std::string::npos) << args[0];
    }
    const RootSearchScope scope(RootSearchScope::kDefaultAllowance / 30);
    const Outcome refused = run({"factorTrinomialXL", sparse(9999)});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, std::string("tellurandi-steps: factorTrinomialXL refused its input: ") +
                               RootSearchScope::kRefusal + "\n");
}

// The grouped solver's largest answers: the most groups side by side it
// solves writes less than its ceiling, and more groups (once 339 MB of JSON
// at 60 groups, 2.4 GB at 116) are the out-of-scope page alone.
TEST(StepsTool, GroupedSolutionsStayBelowTheirCeiling) {
    const auto written = [](std::size_t groups, const char* output) {
        std::string side = "2(x)";
        for (std::size_t g = 1; g < groups; ++g) side += " + 2(x)";
        tl::testing::CountingBuffer counter;
        std::ostream out(&counter);
        std::ostringstream err;
        Args args{"solveExtEquation", side + " = 1"};
        if (*output) args.push_back(output);
        EXPECT_EQ(runStepsTool(args, out, err), 0) << err.str();
        return counter.count;
    };
    constexpr std::size_t kJsonCeiling = 100'000'000, kTextCeiling = 1'000'000;
    const std::size_t most = written(38, "");
    EXPECT_LT(most, kJsonCeiling);
    EXPECT_GT(most, kJsonCeiling / 2);  // (the ceiling is near what it bounds)
    EXPECT_LT(written(38, "--text"), kTextCeiling);
    for (const std::size_t refused : {39u, 60u, 116u}) {
        EXPECT_LT(written(refused, ""), 1'000'000u) << refused;
        EXPECT_LT(written(refused, "--text"), 10'000u) << refused;
    }
}

// Equations whose higher powers cancel across the sides are solved through
// the door as by the solvers: the comments of the text and the JSON agree,
// and the last page states the answer; one that keeps its square is refused.
// In decimal style the clearing page is "clear decimals", whatever the LCM.
TEST(StepsTool, PowersThatCancelAndClearingDecimals) {
    const struct {
        Args args;
        const char* comments;
        const char* lastPage;
    } cases[] = {
        {{"solveLinearEquation", "x^2 - x^2 + x = 2"}, "🤔 ; combine simple like terms ; 😎", "x² − x² + x = 2\nx = 2\n"},
        {{"solveLinearEquation", "x^2 + x = x^2 + 2"}, "🤔 ; same square term on both sides ; 😎",
         "x² + x = x² + 2\nx = 2\n"},
        {{"solveExtEquation", "x(x + 1) = x(x + 2)"},
         "🤔 ; distribute to remove (  ) ; distribute to remove (  ) ; same square term on both sides ; "
         "x terms to one side ; solve for x ; 😎",
         "x(x + 1) = x(x + 2)\nx = 0\n"},
        {{"solveQuadratic", "x^3 + x^2 = x^3 + 4"},
         "🤔 ; descending powers of x ; complete the factorization ; zero-product rule ; 😎",
         "x³ + x² = x³ + 4\n\n\nx = -2 or x = 2\ndistinct rational solutions\n(number line order)\n"},
        {{"solveLinearEquation", "x^2 + x = 2"}, "oops", "x² + x = 2\n\n\nbeyond module scope\nplease correct\n"},
        {{"solveQuadratic", "1/3x^2 - 3 = 0", "--style", "decimal"},
         "🤔 ; clear decimals ; complete the factorization ; zero-product rule ; 😎",
         "0.33333333x² − 3 = 0\n\n\nx = -3 or x = 3\ndistinct rational solutions\n(number line order)\n"},
        {{"solveLinearEquation", "2/3x = 3", "--style", "decimal", "--clear-fractions"},
         "🤔 ; clear decimals ; solve for x ; 😎", "0.66666667x = 3\nx = 4.5\n"},
    };
    for (const auto& c : cases) {
        const Outcome json = run(c.args);
        ASSERT_EQ(json.status, 0) << c.args[1] << json.err;
        const auto parsed = nlohmann::json::parse(json.out);
        std::string comments;
        for (const auto& comment : parsed["comments"])
            comments += (comments.empty() ? "" : " ; ") + comment.at(0).get<std::string>();
        EXPECT_EQ(comments, c.comments) << c.args[1];

        Args text = c.args;
        text.push_back("--text");
        const std::string out = run(text).out;
        std::string textComments;
        for (std::size_t at = out.find("page "); at != std::string::npos; at = out.find("\npage ", at + 1)) {
            const std::size_t from = out.find(": ", at) + 2;
            textComments += (textComments.empty() ? "" : " ; ") + out.substr(from, out.find('\n', from) - from);
        }
        EXPECT_EQ(textComments, c.comments) << c.args[1];
        const std::size_t last = out.rfind("page ");
        EXPECT_EQ(out.substr(out.find('\n', last) + 1), c.lastPage) << c.args[1];
    }
}

// The pictures show each page where the step screen puts it: below the status
// and navigation bars, five points in from every edge; both ends of the
// screen range draw.
TEST(StepsTool, OneFilePerPageInTheStepScreensFrame) {
    EXPECT_EQ(stepViewFrame({390, 844}), (gfx::Rect{5, 69, 380, 770}));

    const fs::path dir = scratch("pictures");
    fs::remove_all(dir);
    ASSERT_EQ(run({"addColumnSteps", "58", "67", "--png", (dir / "column").string()}).status, 0);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "column")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"page-01.png", "page-02.png", "page-03.png", "page-04.png",
                                               "page-05.png", "page-06.png", "page-07.png"}));
    for (const char* screen : {"1x1", "4096x1"})
        EXPECT_EQ(run({"addColumnSteps", "1", "2", "--png", (dir / screen).string(), "--screen", screen}).status, 0)
            << screen;

    // A directory that cannot be made is reported, not passed over.
    std::ofstream(dir / "file") << "x";
    const Outcome blocked = run({"addColumnSteps", "1", "2", "--png", (dir / "file" / "below").string()});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("cannot create"), std::string::npos) << blocked.err;
    // So is a page without its comment entry.
    std::string error;
    StepTriple missing = findStepEntry("addColumnSteps")->run({{"58", "67"}, {}});
    missing.comments.pop_back();
    EXPECT_FALSE(writePageImages(missing, {dir / "short"}, error));
    EXPECT_NE(error.find("page 7"), std::string::npos) << error;
    fs::remove_all(dir);
}

// The names of pages held by anything but a regular file (a named pipe, a
// link, a folder) stop the run with one line naming the first, status 1,
// and are left as they were, as is the file a link points at; no temporary
// file stays.
TEST(StepsTool, PagesReplaceOnlyRegularFiles) {
    const fs::path dir = scratch("kinds"), out = dir / "out";
    fs::remove_all(dir);
    fs::create_directories(out);
    std::ofstream(dir / "outside.txt") << "keep";
    ASSERT_EQ(mkfifo((out / "page-02.png").c_str(), 0600), 0);
    fs::create_symlink("../outside.txt", out / "page-03.png");
    fs::create_directories(out / "page-04.png" / "inside");
    const std::vector<std::string> names = {"page-01.png", "page-02.png", "page-03.png", "page-04.png"};
    for (const char* held : {"page-02.png", "page-03.png", "page-04.png"}) {
        const Outcome r = run({"addColumnSteps", "58", "67", "--png", out.string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tellurandi-steps: " + (out / held).string() + ": not a regular file\n");
        EXPECT_EQ(entries(out), names);
        fs::rename(out / held, dir / held);  // on to the next
    }
    EXPECT_TRUE(fs::is_fifo(dir / "page-02.png"));
    EXPECT_EQ(fs::read_symlink(dir / "page-03.png"), "../outside.txt");
    EXPECT_EQ(slurp(dir / "outside.txt"), "keep");
    EXPECT_TRUE(fs::is_directory(dir / "page-04.png" / "inside"));
    fs::remove_all(dir);
}

// Page files are named page-01.png to page-99.png, then page-100.png on,
// and read back as the same page.
TEST(StepsTool, PageFileNamesReadBack) {
    EXPECT_EQ(pageFileName(7), "page-07.png");
    EXPECT_EQ(pageFileName(100), "page-100.png");
    for (std::size_t n = 1; n <= 2000; ++n) EXPECT_EQ(pageNumberOf(pageFileName(n)), n) << n;
    EXPECT_EQ(pageNumberOf(pageFileName(999999999999999999)), 999999999999999999u);
    EXPECT_EQ(pageNumberOf("page-99999999999999999999.png"), 0u);
}

// After a run that succeeds, the page files in the folder are exactly that
// run's pages: those of an earlier, longer solution (page-100.png too) are
// removed, any other file stays. A page file beyond the last page that is
// not a regular file stops the run with one line naming it, status 1.
TEST(StepsTool, PngLeavesExactlyThisRunsPages) {
    const fs::path dir = scratch("stale");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::vector<std::string> others = {".page-09.png", "Page-09.png",  "notes.txt",   "page-00.png", "page-007.png",
                                             "page-1x.png",  "page-+9.png",  "page-5.png",  "page-9",     "page-12.png.bak"};
    for (const std::string& name : others) std::ofstream(dir / name) << "other";
    for (const char* stale : {"page-08.png", "page-09.png", "page-10.png", "page-11.png", "page-100.png"})
        std::ofstream(dir / stale) << "stale";
    ASSERT_EQ(run({"addColumnSteps", "58", "67", "--png", dir.string()}).status, 0);
    std::vector<std::string> expected = others;
    for (std::size_t n = 1; n <= 7; ++n) expected.push_back(pageFileName(n));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(dir), expected);
    for (const std::string& name : others) EXPECT_EQ(slurp(dir / name), "other") << name;

    fs::create_directories(dir / "page-09.png" / "inside");
    const Outcome r = run({"addColumnSteps", "58", "67", "--png", dir.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tellurandi-steps: " + (dir / "page-09.png").string() + ": not a regular file\n");
    EXPECT_TRUE(fs::is_directory(dir / "page-09.png" / "inside"));
    fs::remove_all(dir);
}
