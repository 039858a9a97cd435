// Every tableau kind drawn with the real fonts into an image (whole worked
// pages are drawn by the arithmetic sweeps). TL_RENDER_DIR keeps the pictures.
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "engine/plugins/renderers.hpp"
#include "platform/gfx/cairo_context.hpp"

namespace tl {
namespace {

void keep(const gfx::ImageSurface& image, const std::string& name) {
    if (const char* dir = std::getenv("TL_RENDER_DIR")) {
        EXPECT_TRUE(image.writePng(std::string(dir) + "/" + name + ".png"));
    }
}

// Ink must land inside the measured box, never outside it: 2 points of
// slack for rule ends and anti-aliasing, and across a fifth of a digit more,
// as a shaded box as wide as "10" overhangs an outer column.
void expectInkInBox(const std::string& name, NodeBox box, const std::function<void(double, double)>& draw) {
    const double margin = 20, slack = 2, across = slack + 0.2 * 0.6 * 30;
    gfx::ImageSurface image(box.width + 2 * margin, box.height + 2 * margin);
    {
        gfx::ContextScope scope(&image.context());
        draw(margin, margin + box.baseline);
    }
    keep(image, name);
    int inside = 0, outside = 0;
    std::string firstOutside;
    for (int y = 0; y < image.pixelHeight(); ++y)
        for (int x = 0; x < image.pixelWidth(); ++x) {
            gfx::Pixel p = image.pixel(x, y);
            if (p.r > 200 && p.g > 200 && p.b > 200) continue;
            bool in = x >= margin - across && x <= margin + box.width + across && y >= margin - slack &&
                      y <= margin + box.height + slack;
            ++(in ? inside : outside);
            if (!in && firstOutside.empty()) firstOutside = std::to_string(x) + ", " + std::to_string(y);
        }
    EXPECT_GT(inside, 100) << name;
    EXPECT_EQ(outside, 0) << name << ": first at " << firstOutside << " in a box of " << box.width << " × "
                          << box.height << " at " << margin;
}

StyledCell cell(std::string v, std::string fg = "black", std::string bg = "clear") { return {v, fg, bg}; }

TEST(PluginRendering, EveryKindDrawsInsideItsBox) {
    const double z = 30;
    StringGrid sum{{"Z", "5", "8"}, {"Z", "6", "7"}, {"Z", "11", "15"}, {"Z", "12", "5"}, {"1", "2", "5"}};
    expectInkInBox("add_column", measureAddColumn(z, "+", 5, 5, 3), [&](double x, double y) {
        drawAddColumn(x, y, z, "+", 5, 5, 3, sum, StringGrid(5, StringList(3, "YG")));
    });
    expectInkInBox("add_column_single", measureAddColumn(z, "+", 3, 3, 1), [&](double x, double y) {
        drawAddColumn(x, y, z, "+", 3, 3, 1, {{"2"}, {"3"}, {"5"}}, StringGrid(3, {"YR"}));
    });
    StringList tg{"5", "3", "2", "true"}, tl{"5", "false"};
    StringGrid trade{{"B", "9", "B"}, {"2", "10", "12"}, {"3", "0", "2"}, {"Z", "4", "7"}, {"2", "5", "5"}};
    expectInkInBox("tableau_op", measureTableauOp(z, "\u2212", tg, tl), [&](double x, double y) {
        drawTableauOp(x, y, z, "\u2212", trade, StringGrid(5, StringList(3, "YYR")), tg, tl);
    });
    StringList cg{"COUNT DOWN", "3", "3", "377"}, cl{"COUNT", "3"};
    expectInkInBox("count_op", measureCountOp(z, "\u2212", cg, cl), [&](double x, double y) {
        drawCountOp(x, y, z, "\u2212", {"500", "300", "200", "200", "70", "130", "130", "7", "123"},
                    {"300", "70", "7"}, cg, cl);
    });
    StringList sg{"COUNT DOWN", "1", "1", "5"}, sl{"SUMMARY SHORT", "1"};
    expectInkInBox("count_op_single", measureCountOp(z, "\u2212", sg, sl),
                   [&](double x, double y) { drawCountOp(x, y, z, "\u2212", {"9", "4", "5"}, {}, sg, sl); });
    StringList pg{"986", "23", "42", "20"}, pl{"SOLUTION", "3"};
    expectInkInBox("divide_partial_op", measureDividePartialOp(z, "\u00f7", pg, pl), [&](double x, double y) {
        drawDividePartialOp(x, y, z, "\u00f7", {"986", "460", "526", "460", "66", "46", "20"}, {"20", "20", "2"}, pg,
                            pl);
    });
    StringList dg{"1234", "7", "176", "2"}, dl{"SUMMARY", "3"};
    StringList rows{"BB176", "71234", "BB7BB", "BB53B", "BB49B", "BBB44", "BBB42", "BBBB2"};
    expectInkInBox("divide_op", measureDivideOp(z, "\u00f7", dg, dl), [&](double x, double y) {
        drawDivideOp(x, y, z, "\u00f7", rows, StringList(8, "LLLLL"),
                     {"0", "3", "2", "3", "1", "5", "3", "5", "2", "7", "4", "7"}, dg, dl);
    });
    CellGrid tens{{cell("0"), cell("1")}, {cell("1\u00b9", "black", "light gray"), cell("1")}};
    CellGrid units{{cell("8"), cell("2")}, {cell("0"), cell("5", "red", "gray")}};
    expectInkInBox("lattice_multiply", measureLatticeMultiply(z, 2, 2), [&](double x, double y) {
        drawLatticeMultiply(x, y, z, {cell("2"), cell("3")}, {cell("4"), cell("5")}, {cell("1"), cell("0")},
                            {cell("3"), cell("5")}, tens, units);
    });
    CellGrid partials{{cell("800"), cell("120", "black", "light gray")}, {cell("100"), cell("15")}};
    expectInkInBox("grid_multiply", measureGridMultiply(z, 2, 2, 2, 2), [&](double x, double y) {
        drawGridMultiply(x, y, z, {cell("20"), cell("3")}, {cell("40"), cell("5", "black", "gray")}, partials);
    });
}

}  // namespace
}  // namespace tl
