// --text against the drawing. Every arithmetic entry, with every value of
// each of its options, runs on a spread of numbers; every table of every page
// is drawn into a recording with the fake fonts. What the recording shows in
// a visible colour (the slanted place-value labels aside) must be what the
// table's text reads: the same digits, letters and question marks, as often
// as a reader sees them, and for the tableaux read row by row in the order
// the page sets them. The signs each side shows must agree as well, apart from
// the few that one of them writes in its own way.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "engine/typesetter.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"
#include "step_builders.hpp"
#include "steps_tool.hpp"
#include "support/recording_checks.hpp"

using namespace tl;
using namespace tl::steps_tool;

namespace {

// The characters that carry a page's content: ASCII letters and digits and
// "?", in order.
std::string content(const std::string& text) {
    std::string out;
    for (char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '?') out += c;
    return out;
}

std::string sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

// What drawing `table` shows, in reading order: texts in a visible colour and
// upright (the place-value labels are drawn slanted), line by line down
// (baselines less than a third of a line apart share a line), left to right
// in a line; a text drawn again over itself is seen once.
std::string drawnText(const Engine_Table& table) {
    gfx::RecordingContext context;
    {
        gfx::ContextScope scope(&context);
        drawTableNode(0, 400, 30, gfx::weight::medium, table, tableRootRow(table));
    }
    std::vector<gfx::RecordedText> seen;
    for (const auto& t : context.texts()) {
        if (t.colour.isClear() || std::abs(t.rotation) > 1e-9) continue;
        const bool again = std::any_of(seen.begin(), seen.end(), [&](const gfx::RecordedText& s) {
            return s.text == t.text && std::abs(s.baselineLeft.x - t.baselineLeft.x) < 0.5 &&
                   std::abs(s.baselineLeft.y - t.baselineLeft.y) < 0.5;
        });
        if (!again) seen.push_back(t);
    }
    const auto above = [](const auto& a, const auto& b) { return a.baselineLeft.y < b.baselineLeft.y; };
    const auto leftOf = [](const auto& a, const auto& b) { return a.baselineLeft.x < b.baselineLeft.x; };
    std::stable_sort(seen.begin(), seen.end(), above);
    std::string drawn;
    for (std::size_t first = 0; first < seen.size();) {
        std::size_t end = first;
        while (end < seen.size() && seen[end].baselineLeft.y - seen[first].baselineLeft.y < 10) ++end;
        std::stable_sort(seen.begin() + static_cast<std::ptrdiff_t>(first),
                         seen.begin() + static_cast<std::ptrdiff_t>(end), leftOf);
        for (std::size_t i = first; i < end; ++i) drawn += seen[i].text;
        first = end;
    }
    return drawn;
}

// The signs a text holds, each once.
std::set<std::string> signs(const std::string& text) {
    std::set<std::string> out;
    for (const char* sign : {"+", "-", "\u2212", "\u00D7", "\u00F7", "="})
        if (text.find(sign) != std::string::npos) out.insert(sign);
    return out;
}

// Signs that only one side shows, by kind: a division reads "÷" in front
// where its page draws a "−" before each amount (and partial quotients a "+"
// beside the sum of the multiples); a lattice and a grid write "×" (and the
// lattice "=") between factors and products that their page sets apart; the
// written layouts draw a "+" before the last partial row on the pages that
// add the partial results, which the text does not write.
struct SignException {
    const char* kind;
    std::set<std::string> writtenOnly, drawnOnly;
};
const SignException kSignExceptions[] = {
    {"divide_op", {"\u00F7"}, {"\u2212"}},
    {"divide_partial_op", {"\u00F7"}, {"\u2212", "+"}},
    {"lattice_multiply", {"\u00D7", "="}, {}},
    {"grid_multiply", {"\u00D7"}, {}},
    {"tableau_op", {}, {"+"}},
};

// Whether the signs written and drawn differ beyond the kind's exceptions.
bool signsDisagree(const std::string& kind, const std::string& text, const std::string& drawn) {
    const std::set<std::string> written = signs(text), seen = signs(drawn);
    SignException allowed{"", {}, {}};
    for (const SignException& e : kSignExceptions)
        if (kind == e.kind) allowed = e;
    const auto onlyIn = [](const auto& a, const auto& b, const auto& excepted) {
        return std::any_of(a.begin(), a.end(), [&](const auto& s) { return !b.contains(s) && !excepted.contains(s); });
    };
    return onlyIn(written, seen, allowed.writtenOnly) || onlyIn(seen, written, allowed.drawnOnly);
}

// The kinds whose text reads their rows top to bottom, each left to right
// (a lattice and a grid read their factors first; the two strips of
// counting stand side by side).
bool readsInOrder(const std::string& kind, const std::string& text) {
    for (const char* k : {"message", "add_column", "tableau_op", "divide_op", "divide_partial_op"})
        if (kind == k) return true;
    return kind == "count_op" && text.find(';') == std::string::npos;
}

// The tables' kinds a solution draws, for the coverage check.
std::string kindOf(const Engine_Table& table) {
    if (table.size() < 2 || table[1].empty()) return "";
    return table[1][0] == "plug_in" && table[1].size() > 1 ? std::string(table[1][1]) : std::string(table[1][0]);
}

struct EntryRun {
    const StepEntry* entry;
    EntryInput input;
    std::string what;
};

// Every combination of the entry's choice flags, on the given operands.
std::vector<EntryRun> runsOf(const StepEntry& entry, const std::vector<std::string>& operands) {
    std::vector<EntryRun> runs{{&entry, {operands, {}}, std::string(entry.name)}};
    for (std::size_t f = 0; f < kFlagCount; ++f) {
        const auto flag = static_cast<Flag>(f);
        if (!entry.flags.contains(flag) || flagSpec(flag).kind != FlagKind::choice) continue;
        std::vector<EntryRun> next;
        for (const EntryRun& r : runs)
            for (std::string_view value : choiceValues(flagSpec(flag))) {
                EntryRun withValue = r;
                withValue.input.flags.set(flag, std::string(value));
                withValue.what += " --" + std::string(flagSpec(flag).name) + " " + std::string(value);
                next.push_back(std::move(withValue));
            }
        runs = std::move(next);
    }
    for (EntryRun& r : runs)
        for (const auto& o : operands) r.what += " " + o;
    return runs;
}

bool isArithmetic(const StepEntry& entry) { return entry.operands == "A B" || entry.operands == "N"; }

}  // namespace

TEST(TextAgainstDrawing, EveryArithmeticPageReadsWhatItDraws) {
    gfx::ScopedFakeFonts fonts;
    // Carries and trades, zeros, equal numbers, a divisor above the
    // dividend, remainders and none, one digit to seven; then random pairs.
    std::vector<std::pair<std::string, std::string>> pairs{
        {"58", "67"},   {"500", "123"}, {"986", "23"}, {"1234", "7"}, {"1000", "1"},  {"9999", "9999"},
        {"47", "36"},   {"7", "3"},     {"0", "5"},    {"5", "0"},    {"23", "986"},  {"4096", "64"},
        {"909", "99"},  {"1", "1"},     {"305", "48"}, {"808", "8"},  {"6000", "59"}, {"120", "120"},
        {"123456", "789"}, {"9999999", "3"},
    };
    SystemRandom random(20261207);
    for (int i = 0; i < 60 / tl::testing::kSanitizerSlowdown; ++i)
        pairs.emplace_back(std::to_string(random.uniformInRange(1, 9999)),
                           std::to_string(random.uniformInRange(1, 999)));

    std::vector<std::string> kinds;
    std::size_t tables = 0;
    for (const StepEntry& entry : stepEntries()) {
        if (!isArithmetic(entry)) continue;
        for (const auto& [a, b] : pairs) {
            const std::vector<std::string> operands = entry.operands == "N"
                                                          ? std::vector<std::string>{a == "0" ? b : a + b.substr(0, 1)}
                                                          : std::vector<std::string>{a, b};
            for (const EntryRun& run : runsOf(entry, operands)) {
                StepTriple solution;
                try {
                    solution = run.entry->run(run.input);
                } catch (const PreconditionError&) {
                    continue;  // a problem the strategy refuses draws no tableau
                }
                for (std::size_t p = 0; p < solution.steps.size(); ++p)
                    for (const Engine_Table& table : solution.steps[p]) {
                        const std::string text = tableText(table), kind = kindOf(table);
                        const std::string shown = drawnText(table);
                        const std::string read = content(text), drawn = content(shown);
                        ASSERT_EQ(sorted(read), sorted(drawn)) << run.what << ", page " << p + 1 << ": " << text;
                        ASSERT_FALSE(signsDisagree(kind, text, shown))
                            << run.what << ", page " << p + 1 << ": " << text << "; drawn: " << shown;
                        if (readsInOrder(kind, text)) {
                            ASSERT_EQ(read, drawn) << run.what << ", page " << p + 1 << ": " << text;
                        }
                        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
                        ++tables;
                    }
            }
        }
    }
    for (const char* kind : {"add_column", "tableau_op", "count_op", "divide_partial_op", "divide_op",
                             "lattice_multiply", "grid_multiply", "message"})
        EXPECT_NE(std::find(kinds.begin(), kinds.end(), kind), kinds.end()) << kind;
    EXPECT_GT(tables, 1000u);
}

// The algebra pages through the same check, on the worked examples of every
// entry: the typeset equations, fractions, powers and roots.
TEST(TextAgainstDrawing, AlgebraPagesReadWhatTheyDraw) {
    gfx::ScopedFakeFonts fonts;
    const std::vector<std::pair<std::string, std::vector<std::string>>> problems{
        {"solveLinearEquation", {"2x + 3 = 11"}},
        {"solveLinearEquation", {"x/3 - 2.5 = 4x + 3/4"}},
        {"solveLinearEquation", {"-5x < 10"}},
        {"solveExtEquation", {"2(3(x + 1) + 4) = 20"}},
        {"solveExtEquation", {"(x + 1)/2 - 3(x - 1) = 4"}},
        {"solveQuadratic", {"x^2 - 5x + 6 = 0"}},
        {"solveQuadratic", {"x^2 - x - 1 = 0"}},
        {"solveQuadratic", {"4x^2 - 1 = 0"}},
        {"solveQuadratic", {"x^3 = 8"}},
        {"algebraTable", {"(3/4)x - 0.25 = 2x^2 + 1"}},
        {"algebraTable", {"2(x + 1)(x - 3)^2 = 0"}},
        {"simplifyExtEquation", {"(x + 1)/2 - 3(x - 1) = 4"}},
        {"rationalSimplifySteps", {"(x + 1)(x + 2)/((x + 1)(x + 3))"}},
        {"rationalCancelSteps", {"(x - 1)(x + 1)/(x + 1)"}},
        {"rationalReduceSteps", {"6x(x + 1)/(4x^2)"}},
        {"factorCompletely", {"x^3 - 6x^2 + 11x - 6"}},
        {"factorTrinomialXL", {"x^2 - 5x + 6"}},
        {"factorOutGcfXL", {"6x^2 + 4x"}},
        {"chooseFactoringMethod", {"x^2 - 5x + 6", "guess and check"}},
    };
    std::size_t tables = 0;
    for (const auto& [name, operands] : problems) {
        const StepEntry* entry = findStepEntry(name);
        ASSERT_NE(entry, nullptr) << name;
        for (const EntryRun& run : runsOf(*entry, operands)) {
            StepTriple solution;
            try {
                solution = run.entry->run(run.input);
            } catch (const PreconditionError&) {
                continue;
            }
            for (std::size_t p = 0; p < solution.steps.size(); ++p)
                for (const Engine_Table& table : solution.steps[p]) {
                    const std::string text = tableText(table), shown = drawnText(table);
                    ASSERT_EQ(sorted(content(text)), sorted(content(shown)))
                        << run.what << ", page " << p + 1 << ": " << text;
                    ASSERT_EQ(signs(text), signs(shown)) << run.what << ", page " << p + 1 << ": " << text;
                    ++tables;
                }
        }
    }
    EXPECT_GT(tables, 1000u);
}
