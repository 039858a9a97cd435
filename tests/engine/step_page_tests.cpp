// Page layout without a window: fitting the tables, stacking them, the bands,
// paging by taps, and the pages that must not take the app down.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "algebra/linear/linear_solver.hpp"
#include "algebra/quadratic/quadratic_solver.hpp"
#include "algebra/reader.hpp"
#include "arithmetic/arithmetic_model.hpp"
#include "base/text.hpp"
#include "common/items.hpp"
#include "common/number_items.hpp"
#include "engine/step_page.hpp"
#include "typesetter_test_support.hpp"

namespace tl::testing {
namespace {

double shrunkTimes(double size, int times) {
    for (int i = 0; i < times; ++i) size *= 0.98;
    return size;
}

TEST(PageAfterTap, NextOnTheRightPreviousOnTheLeftWrappingAtBothEnds) {
    // View 400 × 800: the tap band starts below y = 720.
    struct Case {
        gfx::Point tap;
        std::int64_t page, pages;
        std::optional<std::int64_t> after;
    };
    for (const auto& c : {Case{{300, 750}, 1, 3, 2}, {{300, 750}, 2, 3, 0}, {{100, 750}, 1, 3, 0},
                          {{100, 750}, 0, 3, 2}, {{200, 750}, 1, 3, 0} /* the exact middle goes back */,
                          {{200.001, 750}, 1, 3, 2}, {{300, 720}, 1, 3, std::nullopt} /* on the threshold */,
                          {{300, 720.001}, 1, 3, 2}, {{300, 400}, 1, 3, std::nullopt}, {{300, 750}, 0, 1, 0},
                          {{100, 750}, 0, 1, 0}, {{300, 750}, 0, 0, std::nullopt} /* no pages */})
        EXPECT_EQ(pageAfterTap(c.tap, {400, 800}, c.page, c.pages), c.after)
            << c.tap.x << ", " << c.tap.y << " on page " << c.page << " of " << c.pages;
}

class Fitting : public TypesetterTest {};

TEST_F(Fitting, TablesThatFitKeepTheBaseSize) {
    Engine_Step page{messageTable("a"), fractionItem(1, 2), messageTable("b")};
    auto sizes = fitTableFontSizes(400, 680, 30, kMedium, page);
    ASSERT_EQ(sizes.size(), 3u);
    for (const auto& s : sizes) EXPECT_EQ(s, (TableSizes{30, 30}));
}

TEST_F(Fitting, ATableTooWideShrinksAlone) {
    // 30 code points are 450 wide at 30: the first size at most 400 wide is 30 × 0.98⁶.
    Engine_Step page{messageTable(std::string(30, 'a')), messageTable("b")};
    auto sizes = fitTableFontSizes(400, 680, 30, kMedium, page);
    EXPECT_EQ(sizes[0], (TableSizes{30, shrunkTimes(30, 6)}));
    EXPECT_EQ(sizes[1], (TableSizes{30, 30}));
}

TEST_F(Fitting, TheLargestTablesShrinkFirstThenAllTogether) {
    // The 20-letter message fits 275 points at 30 × 0.98⁵ (ratio 0.904).
    Engine_Step page{messageTable(std::string(20, 'a')), messageTable("b")};
    double narrowed = shrunkTimes(30, 5);
    EXPECT_EQ(fitTableFontSizes(275, 1000, 30, kMedium, page)[0][1], narrowed);

    // A little too high: only the table at the base size comes down.
    auto sizes = fitTableFontSizes(275, 73, 30, kMedium, page);
    EXPECT_EQ(sizes[0][1], narrowed);
    EXPECT_EQ(sizes[1][1], shrunkTimes(30, 2));

    // Much too high: once the two meet they shrink together.
    sizes = fitTableFontSizes(275, 60, 30, kMedium, page);
    EXPECT_LT(sizes[0][1], narrowed);
    EXPECT_EQ(sizes[0][1], sizes[1][1]);
    EXPECT_LE(1.2 * 2 * sizes[0][1] + 0.2 * sizes[0][1], 60);
}

TEST_F(Fitting, ABoxThatNothingFitsStopsAtTheFloor) {
    Engine_Step page{messageTable("abc"), fractionItem(1, 2)};
    for (auto [w, h] : {std::pair{0.0, 0.0}, {-10.0, 100.0}, {100.0, -5.0}, {1.0, 1.0}}) {
        auto sizes = fitTableFontSizes(w, h, 30, kMedium, page);
        for (const auto& s : sizes) EXPECT_EQ(s[1], kMinimumTableFontSize) << w << " × " << h;
    }
}

/// The fitting as first written: every trial size of the width pass, one
/// after the other, and every table measured again in each round of the
/// height pass.
std::vector<TableSizes> stepwiseFit(double width, double height, double base, const Engine_Step& tables) {
    const auto box = [](const Engine_Table& t, double s) { return measureTableNode(s, 0.23, t, tableRootRow(t)); };
    const auto shrink = [](double s) { return std::max(kMinimumTableFontSize, s * 0.98); };
    const gfx::Font font = gfx::Font::monospacedDigit(base, 0.23);
    const double gap = font.lineHeight() - font.pointSize();
    std::vector<TableSizes> sizes(tables.size(), TableSizes{base, base});
    for (std::size_t i = 0; i < tables.size(); ++i)
        while (box(tables[i], sizes[i][1]).width > width && sizes[i][1] > kMinimumTableFontSize)
            sizes[i][1] = shrink(sizes[i][1]);
    for (bool shrank = true; shrank;) {
        double total = 0, rmax = 0;
        for (std::size_t i = 0; i < tables.size(); ++i) {
            total += box(tables[i], sizes[i][1]).height;
            if (i > 0) total += (sizes[i - 1][1] + sizes[i][1]) * 0.5 / base * gap;
            if (i == 0 || sizes[i][1] / base > rmax) rmax = sizes[i][1] / base;
        }
        if (total <= height) break;
        shrank = false;
        for (auto& s : sizes)
            if (rmax - s[1] / s[0] < 0.01 && s[1] > kMinimumTableFontSize) s[1] = shrink(s[1]), shrank = true;
    }
    return sizes;
}

// Start sizes below the floor, at it and a few trials above it: the
// fitting keeps or shrinks them as the stepwise search does.
TEST_F(Fitting, StartSizesNearTheFloor) {
    const Engine_Step page{messageTable(std::string(12, 'a')), fractionItem(1, 2)};
    for (double base : {2.0, 4.0, 4.05, 4.1, 4.5, 6.0})
        for (const auto& [w, h] : {std::pair{1000.0, 1000.0}, {30.0, 1000.0}, {20.0, 1000.0}, {30.0, 9.0}, {1.0, 1.0}})
            EXPECT_EQ(fitTableFontSizes(w, h, base, kMedium, page), stepwiseFit(w, h, base, page))
                << "from " << base << " in " << w << " × " << h;
}

// The fitting finds exactly the sizes of the stepwise search, with the
// system's own fonts, on pages of the arithmetic strategies and the algebra
// solvers, in boxes from a sliver to a tablet.
TEST(FittingSizes, AsTheStepwiseSearchFindsThem) {
    std::vector<Engine_Step> pages;
    const auto add = [&](const std::vector<Engine_Step>& s) { pages.insert(pages.end(), s.begin(), s.end()); };
    New_Arithmetic_Model m;
    m.inputs = {{{"98765", "4321"}}};
    for (auto method : {&New_Arithmetic_Model::addColumnSteps, &New_Arithmetic_Model::subtractTradeSteps,
                        &New_Arithmetic_Model::multiplyStandardSteps, &New_Arithmetic_Model::divideStandardSteps})
        add((m.*method)().steps);
    for (const char* text : {"x^2 - x - 1 = 0", "x^2/3 - 5x/7 + 1/2 = 0"}) {
        const PolyEquation e = readPolyEquation(text).value();
        for (auto method : {Quadratic_method::factor, Quadratic_method::formula, Quadratic_method::complete_the_square})
            add(solveQuadratic(method, Technique::balance, true, false, Style::fraction, Method::standard, true, e.LHS,
                               e.RHS, e.relation, e.relation_color)
                    .steps);
    }
    std::size_t between = 0;  // tables fitted between the base size and the floor
    for (const auto& [w, h] : {std::pair{1014.0, 1100.0}, {380.0, 660.0}, {250.0, 400.0}, {120.0, 660.0}, {60.0, 90.0}})
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const auto fitted = fitTableFontSizes(w, h, 30, 0.23, pages[p]);
            EXPECT_EQ(fitted, stepwiseFit(w, h, 30, pages[p])) << "page " << p << " in " << w << " × " << h;
            for (const auto& s : fitted) between += s[1] < s[0] && s[1] > kMinimumTableFontSize;
        }
    EXPECT_GT(between, 100u);
}

/// Fake-metric faces that count the texts they measure.
class CountingFonts final : public gfx::FontProvider {
public:
    std::shared_ptr<const gfx::FontFace> face(gfx::FontKind kind, double weight, std::string_view name) override {
        return std::make_shared<Counting>(fake_.face(kind, weight, name), measured);
    }
    std::shared_ptr<std::size_t> measured = std::make_shared<std::size_t>(0);

private:
    struct Counting final : gfx::FontFace {
        Counting(std::shared_ptr<const gfx::FontFace> f, std::shared_ptr<std::size_t> n) : inner(f), count(n) {}
        gfx::FontKind kind() const override { return inner->kind(); }
        double weight() const override { return inner->weight(); }
        const std::string& name() const override { return inner->name(); }
        const gfx::UnitMetrics& unitMetrics() const override { return inner->unitMetrics(); }
        double unitAdvance(std::string_view line) const override { return ++*count, inner->unitAdvance(line); }
        std::shared_ptr<const gfx::FontFace> inner;
        std::shared_ptr<std::size_t> count;
    };
    gfx::FakeFontProvider fake_;
};

// Drawing a page measures each node of a long expression a bounded number of
// times: neither once per trial size of the fitting, nor once per
// enclosing node while drawing.
TEST(FittingSizes, ALongExpressionIsMeasuredInLinearTime) {
    CountingFonts fonts;
    gfx::ScopedFontProvider scope(fonts);
    for (int terms : {50, 200, 400}) {
        Engine_Table sum = messageTable("x");
        for (int i = 1; i < terms; ++i) sum = joinItem("+", std::move(sum), messageTable("x"));
        const Engine_Step page{messageTable("x = 1"), joinItem("=", sum, integerItem(1))};
        *fonts.measured = 0;
        gfx::RecordingContext context;
        drawStepPage(context, {380, 790}, page, {"combine like terms"}, 2, 30);
        // Each term is one text and one operator; the tables go to the floor.
        EXPECT_LT(*fonts.measured, 40u * static_cast<std::size_t>(terms)) << terms << " terms";
        EXPECT_GT(*fonts.measured, 2u * static_cast<std::size_t>(terms)) << terms << " terms";
    }
}

// A page measures each table it draws once for the draw: the draw reads no
// box of the table's nodes again. Both draws of a page (the rehearsal that
// finds broken tables, then the real one) come to that one measure of the
// table and the draw without measuring its operands again.
TEST(FittingSizes, APageDrawMeasuresATableOnce) {
    CountingFonts fonts;
    gfx::ScopedFontProvider scope(fonts);
    const auto texts = [&](const auto& run) {
        *fonts.measured = 0;
        run();
        return *fonts.measured;
    };
    Engine_Table sum = messageTable("x");
    for (int i = 1; i < 20; ++i) sum = joinItem("+", std::move(sum), messageTable("x"));
    const Engine_Table table = joinItem("=", sum, fractionItem(1, 2));
    const std::string_view root = tableRootRow(table);
    const Engine_Row& operands = table[static_cast<std::size_t>(parseInt(root)) + 1];
    const auto measured = [&](std::string_view row) {
        return texts([&] { measureTableNode(30, gfx::weight::medium, table, row); });
    };
    gfx::RecordingContext context;
    const std::size_t measure = measured(root);
    const std::size_t draw = texts([&] {
        gfx::ContextScope current(&context);
        drawTableNode(0, 100, 30, gfx::weight::medium, table, root);
    });
    const std::size_t childMeasures = measured(operands[1]) + measured(operands[2]);
    ASSERT_GT(childMeasures, 40u);
    // In a view it fits at the base size, without comments or navigator: the
    // fitting measures it once.
    EXPECT_EQ(texts([&] { drawStepPage(context, {4000, 4000}, {table}, {}, 1, 30); }),
              measure + 2 * (measure + draw - childMeasures));
}

class Page : public TypesetterTest {
protected:
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& t : recorder.texts()) out.push_back(t.text);
        return out;
    }
    std::size_t count(std::string_view text) const {
        auto all = texts();
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), std::string(text)));
    }
};

TEST_F(Page, TablesThatFitAreDrawnAtTheBaseSizeALineGapApart) {
    // View 400 × 810: H = 800, comment band 40, tables from y = 45.
    for (double base : {30.0, 32.0}) {
        recorder.clear();
        Engine_Step page{messageTable("a"), messageTable("b")};
        drawStepPage(recorder, {400, 810}, page, {"look"}, 1, base);
        auto a = textNamed("a");
        auto b = textNamed("b");
        EXPECT_EQ(a.size, base);
        EXPECT_EQ(b.size, base);
        expectPoint(a.baselineLeft, 0, 45 + 0.8 * base);
        // Message height 1.2 × base, then the gap lineHeight − pointSize = 0.2 × base.
        expectPoint(b.baselineLeft, 0, 45 + 2.2 * base);
        EXPECT_EQ(textNamed("look").kind, gfx::FontKind::system);
        EXPECT_EQ(count(std::string(kNavigatorLine)), 0u) << "one page has no navigator";
    }
}

TEST_F(Page, NavigatorOnlyWithMoreThanOnePage) {
    drawStepPage(recorder, {400, 810}, {messageTable("a")}, {}, 2, 30);
    auto nav = textNamed(std::string(kNavigatorLine));
    EXPECT_GT(nav.baselineLeft.y, 730);
    EXPECT_LT(nav.baselineLeft.y, 810);
    EXPECT_EQ(texts().size(), 2u) << "an empty comment list draws nothing";
}

TEST_F(Page, AnEmptyViewDrawsNothing) {
    for (gfx::Size view : {gfx::Size{0, 0}, gfx::Size{400, 10}, gfx::Size{0, 800}, gfx::Size{-5, 800}}) {
        drawStepPage(recorder, view, {messageTable("a")}, {"comment"}, 3, 30);
        EXPECT_TRUE(recorder.ops().empty());
    }
    // A tiny view still ends; tables too large even at the smallest size are
    // scaled down into the view.
    drawStepPage(recorder, {12, 16}, {messageTable("abcdef"), fractionItem(1, 2)}, {"comment"}, 3, 30);
    const auto table = textNamed("abcdef");
    EXPECT_LT(table.size, kMinimumTableFontSize);
    EXPECT_GE(table.box.x, 0);
    EXPECT_LE(table.box.x + table.box.width, 12);
}

TEST_F(Page, APageWithoutTablesShowsItsCommentAndNavigator) {
    drawStepPage(recorder, {400, 810}, {}, {"nothing here"}, 2, 30);
    EXPECT_EQ(texts(), (std::vector<std::string>{"nothing here", std::string(kNavigatorLine)}));
}

TEST_F(Page, BrokenTablesShowTheSystemErrorInTheirPlace) {
    Engine_Table badColour = messageTable("colour");
    badColour[2].set(1, "purple");
    Engine_Table badIndex{{"start", "one"}, {"message", "index"}};
    Engine_Table badLattice{{"start", "1"},
                            {"plug_in", "lattice_multiply", "9"},
                            {"lattice_multiply", "0", "0"},
                            {"f"}, {"fc"}, {"p"}, {"pc"}, {"pp"}, {"ppc"}, {"tag", "anon"}};
    Engine_Table missingRow{{"start", "5"}, {"message", "x"}};
    Engine_Step page{messageTable("ok"), badColour, badIndex, badLattice, missingRow, messageTable("fine")};
    EXPECT_NO_THROW(drawStepPage(recorder, {400, 810}, page, {"c"}, 2, 30));
    EXPECT_EQ(count("ok"), 1u);
    EXPECT_EQ(count("fine"), 1u);
    EXPECT_EQ(count(kTableErrorText), 4u);
    EXPECT_EQ(count("colour"), 0u) << "nothing of a broken table is drawn";
    EXPECT_EQ(count(std::string(kNavigatorLine)), 1u);

    // The error stands where the broken table would have: between its neighbours.
    auto ok = textNamed("ok");
    auto fine = textNamed("fine");
    for (const auto& t : recorder.texts())
        if (t.text == kTableErrorText) {
            EXPECT_GT(t.baselineLeft.y, ok.baselineLeft.y);
            EXPECT_LT(t.baselineLeft.y, fine.baselineLeft.y);
        }
}

TEST_F(Page, WholeSolutionByPageIndex) {
    StepTriple solution{{{messageTable("one")}, {messageTable("two")}}, {{"first"}, {"second"}}, {"NO PARAMETERS"}};
    EXPECT_TRUE(drawStepPage(recorder, {400, 810}, solution, 1, 30));
    EXPECT_EQ(count("two"), 1u);
    EXPECT_EQ(count("second"), 1u);
    solution.comments.pop_back();  // no comment entry for the last page
    for (std::int64_t page : {1, 2, -1}) EXPECT_FALSE(drawStepPage(recorder, {400, 810}, solution, page, 30));
}

}  // namespace
}  // namespace tl::testing
