// The counting and doubles cards: their texts, where the counters and boxes
// go on each side, and the card views that hand their problem over.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "drills/count_card.hpp"
#include "drills/double_cards.hpp"
#include "drills/drill_screens.hpp"
#include "recorded.hpp"

using namespace tl::drills;
using drill_test::Disc;
using drill_test::DrawnBox;
using drill_test::expectNear;
using gfx::Point;

namespace {

constexpr double kEps = 1e-9;

// ---- Counting: a 600 × 1000 card draws its frames at scale 1 ----------------

constexpr double kLeftX = 100.0 / 3;
constexpr double kRightX = 200.0 / 3 + 250;
constexpr double kBaseline = 500 + 617.5 / 2;

Point slot(double frameX, int k) {
    return {frameX + 63.75 + (k / 5) * 122.5, kBaseline - 63.75 - (k % 5) * 122.5};
}

struct CountCard {
    std::vector<std::string> texts;
    std::vector<Disc> discs;
    gfx::RecordingContext ctx;

    CountCard(std::int64_t first, std::int64_t second, bool front, const std::string& name) {
        gfx::ScopedFakeFonts fonts;
        drawCountStrategy(ctx, first, second, front, name, 600, 1000);
        texts = drill_test::strings(ctx);
        discs = drill_test::discs(ctx);
    }
    std::vector<Disc> inFrame(double frameX) const {
        std::vector<Disc> out;
        for (const Disc& d : discs)
            if (d.centre.x > frameX && d.centre.x < frameX + 250) out.push_back(d);
        return out;
    }
    /// The number drawn on the counter at `where`, or "" when it has none.
    std::string numberAt(Point where) const {
        for (const auto& t : ctx.texts()) {
            Point c = drill_test::centre(t);
            if (std::abs(c.x - where.x) < 1e-6 && std::abs(c.y - where.y) < 1e-6) return t.text;
        }
        return "";
    }
};

// The frame's counters in slot order (0–4 up the left column, 5–9 up the
// right one), as "r" (red) or "b" (blue) with any number on them.
std::vector<std::string> frameContents(const CountCard& card, double frameX) {
    std::vector<std::string> out(10);
    std::size_t count = 0;
    for (const Disc& d : card.inFrame(frameX)) {
        const double col = (d.centre.x - frameX - 63.75) / 122.5, row = (kBaseline - 63.75 - d.centre.y) / 122.5;
        const int k = static_cast<int>(std::lround(col)) * 5 + static_cast<int>(std::lround(row));
        EXPECT_TRUE(k >= 0 && k < 10);
        if (k < 0 || k >= 10) continue;
        expectNear(d.centre, slot(frameX, k));
        EXPECT_NEAR(d.radius, 235.0 * 5 / 24 - 1.5, kEps);
        EXPECT_TRUE(out[k].empty()) << "two counters in slot " << k;
        out[k].push_back(d.fill == gfx::palette::red ? 'r' : d.fill == gfx::palette::blue ? 'b' : '?');
        out[k] += card.numberAt(d.centre);
        ++count;
    }
    out.resize(count);  // the slots are filled in order, so the first `count` hold them
    for (const std::string& entry : out) EXPECT_FALSE(entry.empty()) << "a gap in the frame";
    return out;
}

using Contents = std::vector<std::string>;

/// A card's four texts, front title first, for comparing whole.
template <class Texts>
std::array<std::string, 4> fields(const Texts& t) {
    return {t.frontTitle, t.backTitle, t.frontEquation, t.backEquation};
}

}  // namespace

TEST(CountTexts, EveryStrategy) {
    struct Row {
        const char* name;
        int a, b;
        CountTexts texts;
    };
    const Row rows[] = {
        {"count on", 9, 3, {"count on", "count from 9", "9 + 3", "9 + 3 = 12 "}},
        {"combine to ten", 7, 3, {"combine to ten", "combine them", "7 + 3", "7 + 3 = 10 "}},
        {"make a ten", 8, 5, {"make a ten", "make that ten", "8 + 5", "8 + 5 = 10 + 3 = 13"}},
        {"make a ten", 9, 1, {"make a ten", "make that ten", "9 + 1", "9 + 1 = 10"}},
        {"make ten", 9, 1, {"", "", "", ""}},
    };
    for (const Row& row : rows) EXPECT_EQ(fields(countTexts(row.name, row.a, row.b)), fields(row.texts)) << row.name;
    // Sums past the 64-bit range are still written out.
    EXPECT_EQ(countTexts("count on", 10, INT64_MAX).backEquation,
              "10 + 9223372036854775807 = 9223372036854775817 ");
}

// Each side of a card: its texts and both frames' counters in slot order. The
// back moves blue counters over until the left frame holds ten ("count on"
// numbers them on from the first addend); a frame shows ten at most.
TEST(CountCards, TextsAndFramesOnEachSide) {
    const auto run = [](std::int64_t from, std::int64_t to, const char* prefix) {
        Contents out;
        for (std::int64_t k = from; k <= to; ++k) out.push_back(prefix + std::to_string(k));
        return out;
    };
    const auto join = [](Contents a, const Contents& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
    const auto reds = [](std::size_t n) { return Contents(n, "r"); };
    const auto blues = [](std::size_t n) { return Contents(n, "b"); };
    struct Row {
        std::int64_t first, second;
        bool front;
        const char* name;
        Contents texts, left, right;
    };
    const Row rows[] = {
        {9, 3, true, "count on", {"count on", "9 + 3"}, reds(9), blues(3)},
        {9, 3, false, "count on", join({"count from 9", "9 + 3 = 12 "}, run(10, 12, "")), join(reds(9), {"b10"}),
         {"b11", "b12"}},
        {8, 7, false, "make a ten", {"make that ten", "8 + 7 = 10 + 5 = 15"}, join(reds(8), blues(2)), blues(5)},
        {6, 4, false, "make a ten", {"make that ten", "6 + 4 = 10"}, join(reds(6), blues(4)), {}},
        {3, 7, false, "combine to ten", {"combine them", "3 + 7 = 10 "}, join(reds(3), blues(7)), {}},
        // A full left frame takes nothing; counting on still numbers the rest.
        {10, 4, false, "count on", join({"count from 10", "10 + 4 = 14 "}, run(11, 14, "")), reds(10),
         run(11, 14, "b")},
        // An unknown strategy has no texts but moves its counters unnumbered.
        {8, 5, false, "skip", {}, join(reds(8), blues(2)), blues(3)},
        {9, 15, true, "count on", {"count on", "9 + 15"}, reds(9), blues(10)},
        {9, 15, false, "count on", join({"count from 9", "9 + 15 = 24 "}, run(10, 20, "")), join(reds(9), {"b10"}),
         run(11, 20, "b")},
        {5, INT64_MAX, false, "count on",
         join({"count from 5", "5 + 9223372036854775807 = 9223372036854775812 "}, run(6, 20, "")),
         join(reds(5), run(6, 10, "b")), run(11, 20, "b")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.first) + " " + std::to_string(row.second) +
                     (row.front ? " front" : " back"));
        const CountCard card(row.first, row.second, row.front, row.name);
        // The texts in any order: the frames below hold each number in its place.
        Contents texts = card.texts, expected = row.texts;
        std::ranges::sort(texts);
        std::ranges::sort(expected);
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(frameContents(card, kLeftX), row.left);
        EXPECT_EQ(frameContents(card, kRightX), row.right);
    }
}

// ---- Doubles ----------------------------------------------------------------

TEST(DoublesTexts, EveryKind) {
    struct Row {
        DoublesKind kind;
        int n;
        DoublesTexts texts;
    };
    const Row rows[] = {
        {DoublesKind::double_, 7, {"double", "double 7", "7 + 7", "7 + 7 = 14"}},
        {DoublesKind::double_, 0, {"double", "double 0", "0 + 0", "0 + 0 = 0"}},
        {DoublesKind::doublePlusOne, 7, {"double plus 1", "double 6 plus 1", "7 + 6", "7 + 6 = 6 + 1 + 6 = 13"}},
        {DoublesKind::doublePlusOne, 1, {"double plus 1", "double 0 plus 1", "1 + 0", "1 + 0 = 0 + 1 + 0 = 1"}},
        {DoublesKind::doubleMinusOne,
         5,
         {"double minus 1", "double 5 minus 1", "5 + 4", "5 + 4 = 5 + 5 \u2212 1 = 9"}},
        {DoublesKind::makeADouble,
         6,
         {"make a double", "6 + 4 = double 5", "6 + 4", "6 \u2212 1 + 4 + 1 = 5 + 5"}},
    };
    for (const Row& row : rows) EXPECT_EQ(fields(doublesTexts(row.kind, row.n)), fields(row.texts)) << row.n;
    EXPECT_EQ(leftFace(8), "🌿");
    EXPECT_EQ(rightFace(8), "\u2618\uFE0F");
    EXPECT_EQ(leftFace(7), "🌵");
    EXPECT_EQ(rightFace(7), "🌿");
}

TEST(DoublesProblem, DecodesWhatTheMenusWrite) {
    auto decoded = [](std::int64_t code) -> std::string {
        auto p = doublesProblem(code);
        if (!p) return "none";
        return std::to_string(static_cast<int>(p->kind)) + "/" + std::to_string(p->n);
    };
    const std::pair<std::int64_t, const char*> codes[] = {{1, "0/1"},  {0, "0/0"},  {25, "1/9"}, {17, "1/1"},
                                                          {34, "2/2"}, {57, "3/9"}, {50, "3/2"}};
    for (const auto& [code, kindAndN] : codes) EXPECT_EQ(decoded(code), kindAndN) << code;
    // Codes no card can show: beyond the four kinds, negative, or n too small.
    for (std::int64_t code : std::initializer_list<std::int64_t>{64, 65, 1000, -1, -15, -16, 16, 32, 33, 48, 49, INT64_MIN})
        EXPECT_EQ(decoded(code), "none") << code;
}

namespace {

// A 400 × 800 card: labels at 40 (L 48), boxes capped at A/6, so u = 200/3.
constexpr double kU = 200.0 / 3;
constexpr double kMiddle = 200;

struct DoublesCard {
    std::vector<DrawnBox> boxes;
    std::vector<std::string> texts;

    DoublesCard(void (*draw)(gfx::Context&, std::int64_t, bool, double, double), std::int64_t n, bool front) {
        gfx::ScopedFakeFonts fonts;
        gfx::RecordingContext ctx;
        draw(ctx, n, front, 400, 800);
        boxes = drill_test::boxes(ctx);
        texts = drill_test::strings(ctx);
    }
};

// Checks a run of boxes drawn as a tower of `count` standing on y at x.
void expectTower(const std::vector<DrawnBox>& boxes, std::size_t from, std::size_t count, double x, double y) {
    ASSERT_GE(boxes.size(), from + count);
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(from + i);
        const DrawnBox& b = boxes[from + i];
        expectNear(b.bottomLeft, {x, y - kU * static_cast<double>(i)});
        EXPECT_NEAR(b.side, kU, kEps);
        EXPECT_EQ(b.edgeWidth, 4.0);
        EXPECT_EQ(b.fill, gfx::palette::lightGray);
        EXPECT_EQ(b.edge, i % 2 == 0 ? gfx::palette::white : gfx::palette::black);
    }
}

}  // namespace

// Fronts stand the towers two box widths apart about the middle.
TEST(DoublesCards, FrontTowers) {
    DoublesCard card(drawDoubleMinusOne, 5, true);
    const double y0 = 400 + kU * 2.5;
    ASSERT_EQ(card.boxes.size(), 9u);
    expectTower(card.boxes, 0, 5, kMiddle - 2 * kU, y0);
    expectTower(card.boxes, 5, 4, kMiddle + kU, y0);
    EXPECT_EQ(card.texts, (std::vector<std::string>{"double minus 1", "5 + 4", "🌾", "🌾", "🌾", "🌾", "🌾", "🍄",
                                                    "🍄", "🍄", "🍄"}));

    DoublesCard zero(drawDouble, 0, true);
    EXPECT_TRUE(zero.boxes.empty());
    EXPECT_EQ(zero.texts, (std::vector<std::string>{"double", "0 + 0"}));
}

// Backs close the towers up to 4 points apart and lift, cross out or move a box.
TEST(DoublesCards, BackPictures) {
    const double leftX = kMiddle - kU - 2, rightX = kMiddle + 2;
    {
        DoublesCard card(drawDouble, 3, false);
        ASSERT_EQ(card.boxes.size(), 6u);
        expectTower(card.boxes, 0, 3, leftX, 400 + 1.5 * kU);
        expectTower(card.boxes, 3, 3, rightX, 400 + 1.5 * kU);
        EXPECT_NEAR(card.boxes[3].bottomLeft.x - (card.boxes[0].bottomLeft.x + kU), 4, kEps);
    }
    {
        // Double plus one, n = 5: the left tower's top box sits a quarter box above the rest.
        DoublesCard card(drawDoublePlusOne, 5, false);
        const double y0 = 400 + 2.5 * kU;
        ASSERT_EQ(card.boxes.size(), 9u);
        expectTower(card.boxes, 0, 4, leftX, y0);
        expectTower(card.boxes, 4, 1, leftX, 400 - kU * 1.75);  // box 4: white edge
        expectTower(card.boxes, 5, 4, rightX, y0);
        EXPECT_EQ(card.texts[0], "double 4 plus 1");
        EXPECT_EQ(card.texts[6], "🌾");  // the lifted box keeps the left face
    }
    {
        // Double minus one, n = 5: a copy of the right box crossed out in the missing place.
        DoublesCard card(drawDoubleMinusOne, 5, false);
        const double y0 = 400 + 2.5 * kU;
        ASSERT_EQ(card.boxes.size(), 10u);
        expectTower(card.boxes, 0, 5, leftX, y0);
        expectTower(card.boxes, 5, 1, rightX, 400 - kU * 1.75);
        EXPECT_EQ(card.boxes[5].edge, gfx::palette::white);
        expectTower(card.boxes, 6, 4, rightX, y0);
        EXPECT_EQ(card.texts[0], "double 5 minus 1");
        EXPECT_EQ(card.texts[1], "5 + 4 = 5 + 5 \u2212 1 = 9");
        EXPECT_EQ(card.texts[7], "🍄");
        EXPECT_EQ(card.texts[8], "❌");
    }
    {
        // Make a double, n = 6: the left top box moves onto the right tower.
        DoublesCard card(drawMakeADouble, 6, false);
        const double y0 = 400 + 3 * kU;
        ASSERT_EQ(card.boxes.size(), 10u);
        expectTower(card.boxes, 0, 5, leftX, y0);
        expectTower(card.boxes, 5, 4, rightX, y0);
        const DrawnBox& moved = card.boxes[9];
        expectNear(moved.bottomLeft, {rightX, 400 - kU * 1.25});
        EXPECT_EQ(moved.edge, gfx::palette::black);
        EXPECT_EQ(card.texts, (std::vector<std::string>{"6 + 4 = double 5", "6 \u2212 1 + 4 + 1 = 5 + 5", "🍄", "🍄",
                                                        "🍄", "🍄", "🍄", "🌵", "🌵", "🌵", "🌵", "🍄"}));
    }
}

// Below the smallest n of a card nothing is drawn (no boxes to take away),
// nor above the largest a code holds, nor at a size that is not a number.
TEST(DoublesCards, ProblemsAndSizesOutOfRangeDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto draw : {drawDoublePlusOne, drawDoubleMinusOne, drawMakeADouble, drawDouble}) {
        gfx::ScopedFakeFonts fonts;
        gfx::RecordingContext ctx;
        draw(ctx, -1, false, 400, 800);
        draw(ctx, kLargestN + 1, true, 400, 800);
        draw(ctx, 5, false, nan, 800);
        draw(ctx, 5, true, 400, inf);
        drawCountStrategy(ctx, 9, 3, false, "count on", 400, nan);
        EXPECT_TRUE(ctx.ops().empty());
    }
    DoublesCard makeOne(drawMakeADouble, 1, false);
    EXPECT_TRUE(makeOne.texts.empty());
    DoublesCard minusOne(drawDoubleMinusOne, 1, true);
    EXPECT_TRUE(minusOne.texts.empty());
    DoublesCard plusOne(drawDoublePlusOne, 1, false);
    EXPECT_EQ(plusOne.boxes.size(), 1u);  // the single box, lifted
    expectNear(plusOne.boxes[0].bottomLeft, {kMiddle - kU - 2, 400 - kU * (0.5 - 0.75)});
}

// ---- Card views -------------------------------------------------------------

// A doubles card hands its decoded problem and its own bounds to the
// renderer of its kind, and draws nothing for a code no card can show.
TEST(CardViews, DoublesCardsDispatchOnTheirCode) {
    gfx::ScopedFakeFonts fonts;
    Double_Flip view;
    view.setFrame({0, 0, 300, 500});
    auto drawn = [](auto draw) {
        gfx::RecordingContext ctx;
        draw(ctx);
        return drill_test::strings(ctx);
    };
    struct Case {
        std::int64_t code;
        void (*draw)(gfx::Context&, std::int64_t, bool, double, double);
        std::int64_t n;
    };
    for (Case c : {Case{1, drawDouble, 1}, Case{25, drawDoublePlusOne, 9}, Case{34, drawDoubleMinusOne, 2},
                   Case{57, drawMakeADouble, 9}}) {
        view.doublesName = c.code;
        EXPECT_EQ(drawn([&](gfx::Context& ctx) { view.drawHierarchy(ctx); }),
                  drawn([&](gfx::Context& ctx) { c.draw(ctx, c.n, false, 300, 500); }))
            << c.code;
    }
    for (std::int64_t code : {64, -7, 48}) {
        view.doublesName = code;
        EXPECT_TRUE(drawn([&](gfx::Context& ctx) { view.drawHierarchy(ctx); }).empty()) << code;
    }
}

// ---- Every size ---------------------------------------------------------------

// From one point to ten thousand on either side, portrait or landscape,
// every side of every card draws only finite shapes, inside the view, and
// texts of a positive size: a picture too small for its own lines is left
// out, as one with no room is, rather than drawn inside out.
TEST(CardSizes, EverySizeDrawsFiniteShapesInsideTheView) {
    gfx::ScopedFakeFonts fonts;
    const double sides[] = {1, 2, 3, 7, 45, 60, 390, 700, 1366, 5000, 10000};
    for (double w : sides)
        for (double h : sides)
            for (bool front : {true, false}) {
                gfx::RecordingContext ctx;
                drawCountStrategy(ctx, 9, 3, front, "count on", w, h);
                drawCountStrategy(ctx, 8, 7, front, "make a ten", w, h);
                for (DoublesKind kind : {DoublesKind::double_, DoublesKind::doublePlusOne,
                                         DoublesKind::doubleMinusOne, DoublesKind::makeADouble})
                    drawDoubles(ctx, kind, 7, front, w, h);
                const std::string where = std::to_string(w) + " x " + std::to_string(h);
                const double slack = 1e-9 * std::max(w, h);
                for (const auto& path : ctx.paths()) {
                    for (const auto& e : path.elements) {
                        ASSERT_TRUE(std::isfinite(e.point.x) && std::isfinite(e.point.y)) << where;
                        const double r = e.kind == gfx::PathElement::Kind::arc ? e.radius : 0;
                        ASSERT_GE(r, 0) << where;
                        EXPECT_GE(e.point.x - r, -slack) << where;
                        EXPECT_LE(e.point.x + r, w + slack) << where;
                        EXPECT_GE(e.point.y - r, -slack) << where;
                        EXPECT_LE(e.point.y + r, h + slack) << where;
                    }
                    ASSERT_TRUE(std::isfinite(path.lineWidth) && path.lineWidth >= 0) << where;
                }
                for (const auto& t : ctx.texts())
                    ASSERT_TRUE(std::isfinite(t.size) && t.size > 0) << where << " " << t.text;
                // (At the phone's size both sides draw shapes and texts: the checks above see something.)
                if (w == 390 && h == 700) {
                    EXPECT_TRUE(!ctx.paths().empty() && !ctx.texts().empty()) << front;
                }
            }
}
