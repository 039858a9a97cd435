// Tables far deeper than any page's, measured, drawn and read as text on a
// thread with a 1 MB stack: chains of sums leaning either way, and a chain
// through every kind of node that has children. With the fake-metric fonts
// (a code point 15 wide at size 30), a sum of n ones is 15n + 45(n − 1) wide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/table_text.hpp"
#include "support/small_stack.hpp"
#include "typesetter_test_support.hpp"

namespace tl::testing {
namespace {

// More than twice the joins of the longest sum the reader takes.
constexpr std::int64_t kDepth = 12000;

/// Writes the rows of a table item by item, as ItemWriter does, with the
/// font nodes it does not write.
class Rows {
public:
    using Item = std::int64_t;

    Item integer(std::int64_t n) { return add({{"integer", std::to_string(n)}, {"integer_color", "black"}, {"integer_tag", "anon"}}); }
    Item join(std::string_view text, Item first, Item second) {
        return add({{"join", std::string(text)},
                    {"join_locator", std::to_string(first), std::to_string(second)},
                    {"join_color", "black"},
                    {"join_tag", "anon"}});
    }
    Item unary(std::string_view text, Item child) {
        return add({{"unary", std::string(text)}, {"unary_locator", std::to_string(child)}, {"unary_color", "black"},
                    {"unary_tag", "anon"}});
    }
    Item font(Item child) {
        return add({{"font", std::string(kMonospacedFontName)}, {"font_locator", std::to_string(child)}, {"font_tag", "anon"}});
    }
    Engine_Table table(Item root) {
        Engine_Table t = rows_;
        t.replace(0, Engine_Row{"start", std::to_string(root)});
        return t;
    }

private:
    Item add(std::initializer_list<std::vector<std::string>> rows) {
        const auto item = static_cast<Item>(rows_.size());
        for (const auto& row : rows) {
            Engine_Row r;
            for (const std::string& field : row) r.push_back(field);
            rows_.push_back(std::move(r));
        }
        return item;
    }
    Engine_Table rows_{Engine_Row{"start", ""}};
};

enum class Lean { left, right };

/// 1 + 1 + … + 1, n ones, each join's sum on the given side.
Engine_Table sumOfOnes(std::int64_t n, Lean lean) {
    Rows w;
    Rows::Item sum = w.integer(1);
    for (std::int64_t i = 1; i < n; ++i) sum = lean == Lean::left ? w.join("+", sum, w.integer(1)) : w.join("+", w.integer(1), sum);
    return w.table(sum);
}

/// `text` between `before` and `after`.
std::string around(std::string_view before, const std::string& text, std::string_view after) {
    std::string out;
    out.reserve(before.size() + text.size() + after.size());
    out.append(before).append(text).append(after);
    return out;
}

class DeepTables : public TypesetterTest {
protected:
    struct Set {
        NodeBox box;
        std::string text;
    };
    /// The table measured, drawn at (0, 100) into a cleared recorder and read
    /// as text, on a small stack.
    Set setOnSmallStack(const Engine_Table& table) {
        Set set;
        recorder.clear();
        onSmallStack([&] {
            set.box = measure(table);
            draw(table, 0, 100);
            set.text = tableText(table);
        });
        return set;
    }
    /// Measuring, drawing and reading the table each fail, on a small stack.
    void expectBrokenOnSmallStack(const Engine_Table& table, const std::string& what = {}) {
        onSmallStack([&] {
            SCOPED_TRACE(what);  // (on the thread that fails)
            EXPECT_THROW(measure(table), PreconditionError);
            EXPECT_THROW(draw(table, 0, 100), PreconditionError);
            EXPECT_THROW(tableText(table), PreconditionError);
        });
    }
};

TEST_F(DeepTables, LongSumsLeaningEitherWayAreMeasuredDrawnAndReadOnASmallStack) {
    for (const Lean lean : {Lean::left, Lean::right}) {
        SCOPED_TRACE(lean == Lean::left ? "leaning left" : "leaning right");
        const auto [box, text] = setOnSmallStack(sumOfOnes(kDepth, lean));
        expectBox(box, 15.0 * kDepth + 45.0 * (kDepth - 1), 36, 24);

        // Drawn as recursing draws: the first operand, the second, then the
        // operator between them.
        std::vector<std::pair<std::string, double>> expected{{"1", 0}};
        if (lean == Lean::left) {
            for (std::int64_t k = 1; k < kDepth; ++k) {
                expected.emplace_back("1", 60.0 * k);
                expected.emplace_back(" + ", 60.0 * k - 45);
            }
        } else {
            for (std::int64_t k = 1; k < kDepth; ++k) expected.emplace_back("1", 60.0 * k);
            for (std::int64_t k = kDepth - 1; k >= 1; --k) expected.emplace_back(" + ", 60.0 * k - 45);
        }
        const auto drawn = texts();
        ASSERT_EQ(drawn.size(), expected.size());
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            ASSERT_EQ(drawn[i].text, expected[i].first) << "text " << i;
            ASSERT_DOUBLE_EQ(drawn[i].baselineLeft.x, expected[i].second) << "text " << i;
        }

        std::string ones = "1";
        for (std::int64_t i = 1; i < kDepth; ++i) ones += " + 1";
        EXPECT_EQ(text, ones);
    }
}

// Each node of the chain holds the one before: a sum (first operand), brackets,
// 2 beside it (second operand), a font change, a prefix, a fraction (numerator),
// a power (base) and a root, over and over.
TEST_F(DeepTables, AChainThroughEveryKindWithChildrenIsMeasuredDrawnAndReadOnASmallStack) {
    Rows w;
    Rows::Item chain = w.integer(1);
    std::size_t leaves = 1, marks = 0;  // the texts drawn: numbers, and operators, brackets and prefixes
    for (std::int64_t i = 0; i < kDepth; ++i) {
        switch (i % 8) {
            case 0:
                chain = w.join("+", chain, w.integer(1));
                ++leaves;
                ++marks;
                break;
            case 1:
                chain = w.unary("()", chain);
                marks += 2;
                break;
            case 2:
                chain = w.join(juxtapositionJoinText, w.integer(2), chain);
                ++leaves;
                break;
            case 3: chain = w.font(chain); break;
            case 4:
                chain = w.unary("-", chain);
                ++marks;
                break;
            case 5:
                chain = w.join("/", chain, w.integer(3));
                ++leaves;
                break;
            case 6:
                chain = w.join("^", chain, w.integer(2));
                ++leaves;
                break;
            case 7: chain = w.unary("\u221A", chain); break;
        }
    }
    const auto [box, text] = setOnSmallStack(w.table(chain));
    EXPECT_GT(box.width, 0);
    EXPECT_GT(box.height, 0);
    EXPECT_EQ(texts().size(), leaves + marks);
    // Every text starts inside the box measured for the whole: the drawing
    // pass placed each node where the measuring pass made room for it.
    for (const gfx::RecordedText& t : texts()) {
        ASSERT_GE(t.baselineLeft.x, 0) << t.text;
        ASSERT_LT(t.baselineLeft.x, box.width) << t.text;
        ASSERT_GE(t.baselineLeft.y, 100 - box.baseline) << t.text;
        ASSERT_LE(t.baselineLeft.y, 100 - box.baseline + box.height) << t.text;
    }
    EXPECT_EQ(paths().size(), static_cast<std::size_t>(2 * kDepth / 8));  // a bar and a radical each round
    const auto count = [&](std::string_view part) {
        std::size_t n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(" + "), static_cast<std::size_t>(kDepth / 8));
    EXPECT_EQ(count("\u221A"), static_cast<std::size_t>(kDepth / 8));
}

// Chains through the second operand of a power and of a fraction, which the
// chain above passes by: 2^(2^(…^(2^1)…)) and 2/(2/(…/(2/1)…)).
TEST_F(DeepTables, ChainsThroughExponentsAndDenominatorsAreMeasuredDrawnAndReadOnASmallStack) {
    for (const std::string op : {"^", "/"}) {
        Rows w;
        Rows::Item chain = w.integer(1);
        for (std::int64_t i = 0; i < kDepth; ++i) chain = w.join(op, w.integer(2), chain);
        const auto [box, text] = setOnSmallStack(w.table(chain));
        EXPECT_GT(box.height, 0) << op;
        std::string expected;
        for (std::int64_t i = 1; i < kDepth; ++i) expected += "2" + op + "(";
        expected += "2" + op + "1" + std::string(kDepth - 1, ')');
        EXPECT_EQ(text, expected);
        // Each level of exponents is smaller, until their size is 0 and they draw nothing.
        if (op == "/") {
            EXPECT_EQ(texts().size(), static_cast<std::size_t>(kDepth + 1));
        }
    }
}

// The same chain without fractions, powers and roots reads as a text built
// here: "1 + 1", "(1 + 1)", "2(1 + 1)", "-2(1 + 1)", "-2(1 + 1) + 1", …
TEST_F(DeepTables, AChainOfSumsBracketsProductsFontsAndPrefixesReadsAsWritten) {
    Rows w;
    Rows::Item chain = w.integer(1);
    std::string expected = "1";
    for (std::int64_t i = 0; i < kDepth; ++i) {
        switch (i % 5) {
            case 0:
                chain = w.join("+", chain, w.integer(1));
                expected += " + 1";
                break;
            case 1:
                chain = w.unary("()", chain);
                expected = around("(", expected, ")");
                break;
            case 2:
                chain = w.join(juxtapositionJoinText, w.integer(2), chain);
                expected = around("2", expected, "");
                break;
            case 3: chain = w.font(chain); break;
            case 4:
                chain = w.unary("-", chain);
                expected = around("-", expected, "");
                break;
        }
    }
    const Engine_Table table = w.table(chain);
    std::string text;
    onSmallStack([&] { text = tableText(table); });
    EXPECT_EQ(text, expected);
}

// A node below itself, directly or through another, is a broken table, not
// a descent without end.
TEST_F(DeepTables, ANodeBelowItselfIsABrokenTable) {
    const Engine_Table direct{{"start", "1"}, {"join", "+"}, {"join_locator", "1", "1"}, {"join_color", "black"},
                              {"join_tag", "anon"}};
    const Engine_Table throughAnother{{"start", "1"},          {"join", "+"},           {"join_locator", "5", "5"},
                                      {"join_color", "black"}, {"join_tag", "anon"},    {"unary", "()"},
                                      {"unary_locator", "1"},  {"unary_color", "black"}, {"unary_tag", "anon"}};
    for (const Engine_Table& table : {direct, throughAnother}) expectBrokenOnSmallStack(table);
}

// A child row that is no row, at the bottom of a short sum or of a long one
// (below the depth where the passes keep lists of their own), fails the same.
TEST_F(DeepTables, ABrokenChildAtTheBottomOfALongSumFailsAsInAShortOne) {
    for (const std::int64_t n : {std::int64_t{3}, kDepth}) {
        Engine_Table table = sumOfOnes(n, Lean::left);
        for (std::size_t row = 0; row < table.size(); ++row)
            if (table.at(row).at(0) == "join_locator") {  // the innermost join's
                table.replace(row, Engine_Row{"join_locator", "x", std::string(table.at(row).at(2))});
                break;
            }
        expectBrokenOnSmallStack(table, "a sum of " + std::to_string(n));
    }
}

// The small-stack runner takes a callable by name as well as a temporary,
// and throws again in the caller what the work threw on its thread.
TEST(SmallStack, RunsANamedCallableAndThrowsAgainWhatItThrew) {
    int runs = 0;
    const auto work = [&runs] { ++runs; };
    onSmallStack(work);
    EXPECT_EQ(runs, 1);
    const auto failing = [] { throw PreconditionError("failed on the small stack"); };
    EXPECT_THROW(onSmallStack(failing), PreconditionError);
}

}  // namespace
}  // namespace tl::testing
