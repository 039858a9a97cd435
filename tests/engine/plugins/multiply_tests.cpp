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

std::vector<gfx::RecordedPath> pathsOf(const gfx::RecordingContext& canvas, gfx::PathMode mode) {
    std::vector<gfx::RecordedPath> out;
    for (const auto& p : canvas.paths())
        if (p.mode == mode) out.push_back(p);
    return out;
}

// 23 × 45 at size 30. Cell digits at 22.5 (line height 27, "8⁸" 22.5 wide,
// a superscript 11.25), products at 27, factors at 30. Cell side
// 2 × max(21.375, 22.5 + 1.25) = 47.5; the lattice's corner is (16.2, 36).
struct Lattice {
    CellList top{cell("2"), cell("3")}, right{cell("4"), cell("5")};
    CellList side{cell("1"), cell("0", "clear")}, bottom{cell("3"), cell("5")};
    CellGrid tens{{cell("0"), cell("1")}, {cell("1", "black", "light gray"), cell("1")}};
    CellGrid units{{cell("8"), cell("2")}, {cell("0"), cell("5", "red", "gray")}};
    void draw(double x, double y) const { drawLatticeMultiply(x, y, 30, top, right, side, bottom, tens, units); }
};

TEST_F(LatticeMultiply, Golden23x45) {
    NodeBox box = measureLatticeMultiply(30, 2, 2);
    EXPECT_NEAR(box.width, 2 * 47.5 + (13.5 + 2.7) + (6 + 15), 1e-9);
    EXPECT_NEAR(box.height, 2 * 47.5 + 36 + 32.4, 1e-9);
    Lattice l;
    l.draw(0, box.baseline);
    const double g = 16.2, t = 36, c = 47.5;
    expectPlaced({{"0", g + 11.25, t},                    // tens: a superscript's width in
                  {"8", g + c - 23.75, t + c - 27},       // units: against right and bottom
                  {"2", g + 16.25, 0},   {"3", g + 16.25 + c, 0},   // factors centred over columns
                  {"4", 117.2, 46.25},   {"5", 117.2, 46.25 + c},   // and with caps centred on rows
                  {"1", 0, t + c - 32.4},                          // product digits left and below
                  {"3", g, 131},         {"5", g + c, 131}});
    EXPECT_EQ(shownAt("5", g + 2 * c - 23.75, t + 2 * c - 27)->colour, toRgba(Color::red));
    // Digits fit their triangles: a tens digit ends by the cell's middle, the
    // units text (room for a carry) starts at it.
    EXPECT_LE(g + 11.25 + 11.25, g + c / 2);
    EXPECT_GE(g + c - 23.75, g + c / 2);
    bool held = false;  // a clear digit keeps its place
    for (const auto& text : canvas.texts()) held |= text.colour.isClear() && near(text.baselineLeft, {0, t + 2 * c - 32.4 + 21.6});
    EXPECT_TRUE(held);
    // Backgrounds fill a triangle, never a text box.
    auto filled = pathsOf(canvas, gfx::PathMode::fill);
    ASSERT_EQ(filled.size(), 2u);
    EXPECT_EQ(filled[0].fill, toRgba(Color::light_gray));
    EXPECT_TRUE(near(filled[0].points(), {{g, t + c}, {g + c, t + c}, {g, t + 2 * c}}));
    EXPECT_TRUE(near(filled[1].points(), {{g + 2 * c, t + c}, {g + 2 * c, t + 2 * c}, {g + c, t + 2 * c}}));
    EXPECT_TRUE(canvas.rects().empty());
    // One stroke: 3 verticals, 3 horizontals 1.25 past the sides, then the
    // diagonals a quarter cell past the left or bottom edge.
    auto strokes = pathsOf(canvas, gfx::PathMode::stroke);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].lineWidth, 2.5);
    auto pts = strokes[0].points();
    EXPECT_TRUE(near(pts, {
        {g, t}, {g, t + 2 * c}, {g + c, t}, {g + c, t + 2 * c}, {g + 2 * c, t}, {g + 2 * c, t + 2 * c},
        {g - 1.25, t}, {g + 2 * c + 1.25, t}, {g - 1.25, t + c}, {g + 2 * c + 1.25, t + c},
        {g - 1.25, t + 2 * c}, {g + 2 * c + 1.25, t + 2 * c},
        {g + c, t}, {g - c / 4, t + 1.25 * c}, {g + 2 * c, t}, {g - c / 4, t + 2.25 * c},
        {g + 2 * c, t + c}, {g + 0.75 * c, t + 2.25 * c}}));
}

TEST_F(LatticeMultiply, BrokenRecordsThrowAndNoCanvasIsQuiet) {
    Lattice l;
    l.units[0][1].background = "grey";
    EXPECT_THROW(l.draw(0, 80), PreconditionError);
    l = Lattice{};
    l.tens.pop_back();
    EXPECT_THROW(l.draw(0, 80), PreconditionError);
    EXPECT_THROW(measureLatticeMultiply(30, -1, 2), PreconditionError);
    canvas.clear();
    gfx::ContextScope none(nullptr);
    EXPECT_NO_THROW(Lattice{}.draw(0, 80));
    EXPECT_TRUE(canvas.ops().empty());
}

// Grid 23 × 45: cells fit "8888" at 22.5 plus 5 (50) and "88" at 30 plus 5.
TEST_F(GridMultiply, Golden23x45) {
    NodeBox box = measureGridMultiply(30, 2, 2, 2, 2);
    EXPECT_EQ(box, (NodeBox{2 * 50 + 6 + 30, 2 * 50 + 36, 68}));
    EXPECT_EQ(measureGridMultiply(30, 1, 1, 1, 1).height, 36 + 36);  // as tall as a label line
    EXPECT_EQ(measureGridMultiply(30, 1, 2, 3, 2).width, 2 * 61.25 + 36);  // sized by the first labels
    CellList columns{cell("20"), cell("3")}, rows{cell("40"), cell("5", "black", "light gray")};
    CellGrid partials{{cell("800"), cell("120", "black", "light gray")}, {cell("100"), cell("15", "clear")}};
    drawGridMultiply(0, box.baseline, 30, columns, rows, partials);
    // Grid corner (36, 36); texts centred, capitals on the cell middles.
    expectPlaced({{"800", 44.125, 50.875}, {"120", 94.125, 50.875}, {"100", 44.125, 100.875}, {"20", 46, 0},
                  {"3", 103.5, 0}, {"40", 0, 47.5}, {"5", 15, 97.5}});
    EXPECT_TRUE(shown("15").empty());
    EXPECT_EQ(fills(toRgba(Color::light_gray)), (std::vector<gfx::Rect>{{15, 97.5, 15, 36}}));  // label box only
    auto squares = pathsOf(canvas, gfx::PathMode::fill);
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(squares[0].points(), (std::vector<gfx::Point>{{86, 36}, {136, 36}, {136, 86}, {86, 86}}));
    // The grid is one stroke, drawn last so fills never hide it.
    ASSERT_TRUE(std::holds_alternative<gfx::RecordedPath>(canvas.ops().back()));
    const auto& grid = std::get<gfx::RecordedPath>(canvas.ops().back());
    EXPECT_EQ(grid.mode, gfx::PathMode::stroke);
    EXPECT_EQ(grid.points(), (std::vector<gfx::Point>{{36, 36}, {36, 136}, {86, 36}, {86, 136}, {136, 36},
                                                      {136, 136}, {34.75, 36}, {137.25, 36}, {34.75, 86},
                                                      {137.25, 86}, {34.75, 136}, {137.25, 136}}));
    partials[1][0].foreground = "Black";
    EXPECT_THROW(drawGridMultiply(0, 68, 30, columns, rows, partials), PreconditionError);
    EXPECT_THROW(drawGridMultiply(0, 68, 30, {}, rows, partials), PreconditionError);
    EXPECT_THROW(measureGridMultiply(30, 2, -2, 2, 2), PreconditionError);
}

}  // namespace
}  // namespace tl
