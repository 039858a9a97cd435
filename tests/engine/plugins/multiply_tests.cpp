#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "engine/plugins/renderers.hpp"
#include "recorder.hpp"

namespace tl {
namespace {

using LatticeMultiply = testing::Recorder;
using GridMultiply = testing::Recorder;

StyledCell cell(std::string value, std::string foreground = "black", std::string background = "clear") {
    return {std::move(value), std::move(foreground), std::move(background)};
}

// 23 × 45 at size 30 with fake metrics. Cell digits at 22.5 (line height 27,
// cap height 15.75, "8⁸" 22.5 wide, a superscript 11.25), product digits at
// 27, factor digits at 30. The cell side is 2 × max(21.375, 22.5 + 1.25) = 47.5.
struct Lattice23x45 {
    CellList top{cell("2"), cell("3")};
    CellList right{cell("4"), cell("5")};
    CellList side{cell("1"), cell("0")};
    CellList bottom{cell("3"), cell("5")};
    CellGrid tens{{cell("0"), cell("1")}, {cell("1", "black", "light gray"), cell("1")}};
    CellGrid units{{cell("8"), cell("2")}, {cell("0"), cell("5", "red", "gray")}};
};

TEST_F(LatticeMultiply, BoxHoldsTheCellsAndTheMargins) {
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    // Left: "8" at 27 plus ascender − cap height there (13.5 + 2.7);
    // right: −descender and "8" at 30 (6 + 15); top and bottom: a line of
    // the factor and of the product font.
    EXPECT_NEAR(box.width, 2 * 47.5 + 16.2 + 21, 1e-9);
    EXPECT_NEAR(box.height, 2 * 47.5 + 36 + 32.4, 1e-9);
    EXPECT_EQ(box.baseline, box.height / 2);
    EXPECT_NEAR(measureLatticeMultiply(30, 1, 3).width, 3 * 47.5 + 37.2, 1e-9);
    EXPECT_THROW(measureLatticeMultiply(30, -1, 2), PreconditionError);
}

TEST_F(LatticeMultiply, DigitsStayInsideTheirTriangles) {
    Lattice23x45 l;
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units);
    // Lattice origin (16.2, 36).
    auto tens = shownAt("0", 16.2 + 11.25, 36);
    ASSERT_TRUE(tens);
    EXPECT_EQ(tens->size, 22.5);
    auto units = shownAt("8", 16.2 + 47.5 - 22.5 - 1.25, 36 + 47.5 - 27);
    ASSERT_TRUE(units);
    // A tens digit ends at or before the cell's middle; the units text (with
    // room for a carry) begins at or after it, so the diagonal runs between.
    double middle = 16.2 + 47.5 / 2;
    EXPECT_LE(tens->baselineLeft.x + 11.25, middle + 1e-9);
    EXPECT_GE(units->baselineLeft.x, middle - 1e-9);
    EXPECT_TRUE(shownAt("5", 16.2 + 95 - 23.75, 36 + 95 - 27));
}

TEST_F(LatticeMultiply, FactorsAndProductsSurroundTheLattice) {
    Lattice23x45 l;
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units);
    struct Text {
        const char* text;
        double left, top, size;
    };
    const Text golden[] = {
        {"2", 16.2 + 16.25, 0, 30},         {"3", 16.2 + 16.25 + 47.5, 0, 30},  // centred above the columns
        {"4", 117.2, 46.25, 30},            {"5", 117.2, 46.25 + 47.5, 30},     // capitals centred on the rows
        {"1", 0, 36 + 47.5 - 32.4, 27},     {"0", 0, 36 + 95 - 32.4, 27},       // bottoms on the row edges
        {"3", 16.2, 131, 27},               {"5", 16.2 + 47.5, 131, 27},        // just below the columns
    };
    for (const auto& t : golden) {
        auto found = shownAt(t.text, t.left, t.top);
        ASSERT_TRUE(found) << t.text << " at " << t.left << ", " << t.top;
        EXPECT_EQ(found->size, t.size);
    }
    EXPECT_LE(131 + 32.4, box.height + 1e-9);
    EXPECT_LE(117.2 + 15, box.width + 1e-9);
}

TEST_F(LatticeMultiply, OnePathOfGridLinesAndDiagonalsPastTheEdges) {
    Lattice23x45 l;
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units);
    std::vector<gfx::RecordedPath> strokes;
    for (const auto& p : canvas.paths())
        if (p.mode == gfx::PathMode::stroke) strokes.push_back(p);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].lineWidth, 2.5);
    EXPECT_EQ(strokes[0].stroke, toRgba(Color::black));
    auto pts = strokes[0].points();
    ASSERT_EQ(pts.size(), 2u * (3 + 3 + 3));
    const double g = 16.2, t = 36, c = 47.5;
    std::vector<gfx::Point> expected{
        {g, t}, {g, t + 2 * c}, {g + c, t}, {g + c, t + 2 * c}, {g + 2 * c, t}, {g + 2 * c, t + 2 * c},
        {g - 1.25, t}, {g + 2 * c + 1.25, t}, {g - 1.25, t + c}, {g + 2 * c + 1.25, t + c},
        {g - 1.25, t + 2 * c}, {g + 2 * c + 1.25, t + 2 * c},
        // Diagonals, each a quarter cell past the left or bottom edge; the
        // middle one from the top right corner past the bottom left one.
        {g + c, t}, {g - 0.25 * c, t + 1.25 * c},
        {g + 2 * c, t}, {g - 0.25 * c, t + 2.25 * c},
        {g + 2 * c, t + c}, {g + 0.75 * c, t + 2.25 * c},
    };
    for (std::size_t i = 0; i < pts.size(); ++i) EXPECT_TRUE(near(pts[i], expected[i])) << i;
}

TEST_F(LatticeMultiply, BackgroundsFillTheirTriangle) {
    Lattice23x45 l;
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units);
    std::vector<gfx::RecordedPath> fillsDone;
    for (const auto& p : canvas.paths())
        if (p.mode == gfx::PathMode::fill) fillsDone.push_back(p);
    ASSERT_EQ(fillsDone.size(), 2u);
    const double g = 16.2, t = 36, c = 47.5;
    // Tens of cell (1, 0): upper left half.
    EXPECT_EQ(fillsDone[0].fill, toRgba(Color::light_gray));
    auto a = fillsDone[0].points();
    ASSERT_EQ(a.size(), 3u);
    EXPECT_TRUE(near(a[0], {g, t + c}) && near(a[1], {g + c, t + c}) && near(a[2], {g, t + 2 * c}));
    // Units of cell (1, 1): lower right half.
    EXPECT_EQ(fillsDone[1].fill, toRgba(Color::gray));
    auto b = fillsDone[1].points();
    ASSERT_EQ(b.size(), 3u);
    EXPECT_TRUE(near(b[0], {g + 2 * c, t + c}) && near(b[1], {g + 2 * c, t + 2 * c}) && near(b[2], {g + c, t + 2 * c}));
    // A cell digit never gets a text background; its colour is its own.
    EXPECT_TRUE(canvas.rects().empty());
    auto five = shownAt("5", g + 2 * c - 23.75, t + 2 * c - 27);
    ASSERT_TRUE(five);
    EXPECT_EQ(five->colour, toRgba(Color::red));
}

TEST_F(LatticeMultiply, ClearDigitsKeepTheirPlaceAndUnknownColoursAreRejected) {
    Lattice23x45 l;
    l.side[0] = cell("0", "clear", "clear");
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units);
    bool placed = false;
    for (const auto& t : canvas.texts()) placed |= t.colour.isClear() && near(t.baselineLeft, {0, 51.1 + 21.6});
    EXPECT_TRUE(placed);
    l.units[0][1].background = "grey";
    EXPECT_THROW(drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units),
                 PreconditionError);
    l = Lattice23x45{};
    l.tens.pop_back();
    EXPECT_THROW(drawLatticeMultiply(0, box.baseline, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units),
                 PreconditionError);
}

// Grid of 23 × 45: parts 20, 3 over the columns and 40, 5 beside the rows.
// Cells fit "8888" at 22.5 plus 5 (50) and "88" at 30 plus 5 (35): side 50.
struct Grid23x45 {
    CellList columns{cell("20"), cell("3")};
    CellList rows{cell("40"), cell("5", "black", "light gray")};
    CellGrid partials{{cell("800"), cell("120", "black", "light gray")}, {cell("100"), cell("15", "clear")}};
};

TEST_F(GridMultiply, BoxAndCellSideFollowTheFirstLabels) {
    NodeBox box = measureGridMultiply(30, 2, 2, 2, 2);
    EXPECT_EQ(box.width, 2 * 50 + 6 + 30);
    EXPECT_EQ(box.height, 2 * 50 + 36);
    EXPECT_EQ(box.baseline, 68);
    // One-digit parts: the cell is as tall as a label line (36).
    EXPECT_EQ(measureGridMultiply(30, 1, 1, 1, 1).height, 36 + 36);
    // A long first column label widens every cell: "888" at 30 + 5 = 50 < "88888" at 22.5 + 5.
    EXPECT_EQ(measureGridMultiply(30, 1, 2, 3, 2).width, 2 * 61.25 + 6 + 30);
}

TEST_F(GridMultiply, TextsCentredInCellsLabelsAboveAndBeside) {
    Grid23x45 g;
    NodeBox box = measureGridMultiply(30, 2, 2, 2, 2);
    drawGridMultiply(0, box.baseline, 30, g.columns, g.rows, g.partials);
    // Grid origin (36, 36); cell texts' capitals centred on the cell middles.
    struct Text {
        const char* text;
        double left, top;
    };
    const Text golden[] = {{"800", 36 + 8.125, 50.875}, {"120", 86 + 8.125, 50.875}, {"100", 36 + 8.125, 100.875},
                           {"20", 46, 0},               {"3", 103.5, 0},             {"40", 0, 47.5},
                           {"5", 15, 97.5}};
    for (const auto& t : golden) EXPECT_TRUE(shownAt(t.text, t.left, t.top)) << t.text;
    EXPECT_TRUE(shown("15").empty());  // clear until revealed
    // Fills: the cell square, then the row label's own text box.
    auto light = fills(toRgba(Color::light_gray));
    ASSERT_EQ(light.size(), 1u);
    EXPECT_EQ(light[0], (gfx::Rect{15, 97.5, 15, 36}));
    std::vector<gfx::RecordedPath> squares, strokes;
    for (const auto& p : canvas.paths()) (p.mode == gfx::PathMode::fill ? squares : strokes).push_back(p);
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(squares[0].points(), (std::vector<gfx::Point>{{86, 36}, {136, 36}, {136, 86}, {86, 86}}));
    // The grid is one stroke, drawn last, over the fills.
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<gfx::RecordedPath>(canvas.ops().back()));
    EXPECT_EQ(strokes[0].points(), (std::vector<gfx::Point>{{36, 36},
                                                            {36, 136},
                                                            {86, 36},
                                                            {86, 136},
                                                            {136, 36},
                                                            {136, 136},
                                                            {34.75, 36},
                                                            {137.25, 36},
                                                            {34.75, 86},
                                                            {137.25, 86},
                                                            {34.75, 136},
                                                            {137.25, 136}}));
}

TEST_F(GridMultiply, BrokenRecordsAreRejected) {
    Grid23x45 g;
    g.partials[1][0].foreground = "Black";
    EXPECT_THROW(drawGridMultiply(0, 68, 30, g.columns, g.rows, g.partials), PreconditionError);
    g = Grid23x45{};
    EXPECT_THROW(drawGridMultiply(0, 68, 30, {}, g.rows, g.partials), PreconditionError);
    EXPECT_THROW(drawGridMultiply(0, 68, 30, g.columns, g.rows, {g.partials[0]}), PreconditionError);
    EXPECT_THROW(measureGridMultiply(30, 2, -2, 2, 2), PreconditionError);
}

TEST_F(GridMultiply, WithoutACanvasNothingFails) {
    gfx::ContextScope none(nullptr);
    Grid23x45 g;
    Lattice23x45 l;
    EXPECT_NO_THROW(drawGridMultiply(0, 68, 30, g.columns, g.rows, g.partials));
    EXPECT_NO_THROW(drawLatticeMultiply(0, 80, 30, l.top, l.right, l.side, l.bottom, l.tens, l.units));
    EXPECT_TRUE(canvas.ops().empty());
}

}  // namespace
}  // namespace tl
