// Renders every tableau kind with the real fonts into an image, and whole
// worked-solution pages through the typesetter. Set TL_RENDER_DIR to keep
// the pictures as PNG files for a look.
#include <cstdlib>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "arithmetic/arithmetic_model.hpp"
#include "engine/plugins/renderers.hpp"
#include "engine/step_page.hpp"
#include "platform/gfx/cairo_context.hpp"

namespace tl {
namespace {

constexpr double kSize = 30;
constexpr double kMargin = 20;

void keep(const gfx::ImageSurface& image, const std::string& name) {
    if (const char* dir = std::getenv("TL_RENDER_DIR")) {
        EXPECT_TRUE(image.writePng(std::string(dir) + "/" + name));
    }
}

bool inked(const gfx::Pixel& p) { return p.a > 0 && (p.r < 200 || p.g < 200 || p.b < 200); }

// Draws a tableau with its box's left edge and top at the margin, and
// checks that ink lands inside the measured box and nowhere else.
void renderInBox(const std::string& name, NodeBox box, const std::function<void(double x, double y)>& draw) {
    gfx::ImageSurface image(box.width + 2 * kMargin, box.height + 2 * kMargin);
    {
        gfx::ContextScope scope(&image.context());
        draw(kMargin, kMargin + box.baseline);
    }
    keep(image, name + ".png");
    int inside = 0, outside = 0;
    const double slack = 2;  // anti-aliasing and the half width of a rule
    for (int y = 0; y < image.pixelHeight(); ++y)
        for (int x = 0; x < image.pixelWidth(); ++x) {
            if (!inked(image.pixel(x, y))) continue;
            bool in = x >= kMargin - slack && x <= kMargin + box.width + slack && y >= kMargin - slack &&
                      y <= kMargin + box.height + slack;
            (in ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 100) << name;
    EXPECT_EQ(outside, 0) << name;
}

StyledCell cell(std::string value, std::string foreground = "black", std::string background = "clear") {
    return {std::move(value), std::move(foreground), std::move(background)};
}

TEST(PluginRendering, EveryKindDrawsInsideItsBox) {
    {
        StringGrid t{{"Z", "5", "8"}, {"Z", "6", "7"}, {"Z", "11", "15"}, {"Z", "12", "5"}, {"1", "2", "5"}};
        StringGrid a{{"YC", "YC", "YC"}, {"YC", "YC", "YC"}, {"YC", "YC", "YC"}, {"YC", "YG", "YC"},
                     {"YR", "YR", "YR"}};
        renderInBox("add_column", measureAddColumn(kSize, "+", 5, 5, 3),
                    [&](double x, double y) { drawAddColumn(x, y, kSize, "+", 5, 5, 3, t, a); });
        renderInBox("add_column_single", measureAddColumn(kSize, "+", 3, 3, 1), [&](double x, double y) {
            drawAddColumn(x, y, kSize, "+", 3, 3, 1, {{"2"}, {"3"}, {"5"}}, {{"YC"}, {"YC"}, {"YG"}});
        });
    }
    {
        StringList g{"5", "3", "2", "true"}, l{"5", "false"};
        StringGrid t{{"B", "9", "B"}, {"2", "10", "12"}, {"3", "0", "2"}, {"Z", "4", "7"}, {"2", "5", "5"}};
        StringGrid a{{"NNN", "YNC", "NNN"}, {"YNC", "YYR", "YNC"}, {"YYC", "YYC", "YYC"}, {"YNC", "YNC", "YNC"},
                     {"YNG", "YNG", "YNG"}};
        renderInBox("tableau_op", measureTableauOp(kSize, "\u2212", g, l),
                    [&](double x, double y) { drawTableauOp(x, y, kSize, "\u2212", t, a, g, l); });
        StringList sg{"5", "3", "0", "false"}, sl{"5", "true"};
        StringGrid st{{"Z", "5", "7"}, {"Z", "6", "8"}, {"Z", "1", "5"}, {"1", "1", "0"}, {"1", "2", "5"}};
        renderInBox("tableau_op_sum", measureTableauOp(kSize, "+", sg, sl), [&](double x, double y) {
            drawTableauOp(x, y, kSize, "+", st, StringGrid(5, StringList(3, "YNC")), sg, sl);
        });
    }
    {
        StringList g{"COUNT DOWN", "3", "3", "377"}, l{"COUNT", "3"};
        StringList t{"500", "300", "200", "200", "70", "130", "130", "7", "123"};
        renderInBox("count_op", measureCountOp(kSize, "\u2212", g, l), [&](double x, double y) {
            drawCountOp(x, y, kSize, "\u2212", t, {"300", "70", "7"}, g, l);
        });
        StringList g1{"COUNT DOWN", "1", "1", "5"}, l1{"SUMMARY SHORT", "1"};
        renderInBox("count_op_single", measureCountOp(kSize, "\u2212", g1, l1), [&](double x, double y) {
            drawCountOp(x, y, kSize, "\u2212", {"9", "4", "5"}, {"4"}, g1, l1);
        });
    }
    {
        StringList g{"986", "23", "42", "20"}, l{"SOLUTION", "3"};
        renderInBox("divide_partial_op", measureDividePartialOp(kSize, "\u00f7", g, l), [&](double x, double y) {
            drawDividePartialOp(x, y, kSize, "\u00f7", {"986", "460", "526", "460", "66", "46", "20"},
                                {"20", "20", "2"}, g, l);
        });
    }
    {
        StringList g{"1234", "7", "176", "2"}, l{"SUMMARY", "3"};
        StringList t{"BB176", "71234", "BB7BB", "BB53B", "BB49B", "BBB44", "BBB42", "BBBB2"};
        StringList b{"NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNN", "NNNNL"};
        StringList lines{"0", "3", "2", "3", "1", "5", "3", "5", "2", "7", "4", "7"};
        renderInBox("divide_op", measureDivideOp(kSize, "\u00f7", g, l),
                    [&](double x, double y) { drawDivideOp(x, y, kSize, "\u00f7", t, b, lines, g, l); });
    }
    {
        CellList top{cell("2"), cell("3")}, right{cell("4"), cell("5")};
        CellList side{cell("1"), cell("0")}, bottom{cell("3"), cell("5")};
        CellGrid tens{{cell("0"), cell("1")}, {cell("1\u00b9", "black", "light gray"), cell("1")}};
        CellGrid units{{cell("8"), cell("2")}, {cell("0"), cell("5", "red", "gray")}};
        renderInBox("lattice_multiply", measureLatticeMultiply(kSize, 2, 2), [&](double x, double y) {
            drawLatticeMultiply(x, y, kSize, top, right, side, bottom, tens, units);
        });
    }
    {
        CellList columns{cell("20"), cell("3")}, rows{cell("40"), cell("5", "black", "light gray")};
        CellGrid partials{{cell("800"), cell("120", "black", "light gray")}, {cell("100"), cell("15")}};
        renderInBox("grid_multiply", measureGridMultiply(kSize, 2, 2, 2, 2),
                    [&](double x, double y) { drawGridMultiply(x, y, kSize, columns, rows, partials); });
    }
}

// Whole pages as the step screen shows them, from the builders' records.
TEST(PluginRendering, WorkedSolutionPagesDraw) {
    struct Case {
        const char* name;
        StepTriple (New_Arithmetic_Model::*build)() const;
        const char *a, *b, *option;
    };
    const Case cases[] = {
        {"add_column_58_67", &New_Arithmetic_Model::addColumnSteps, "58", "67", nullptr},
        {"subtract_trade_302_47", &New_Arithmetic_Model::subtractTradeSteps, "302", "47", nullptr},
        {"subtract_count_500_123", &New_Arithmetic_Model::subtractCountSteps, "500", "123", " count down "},
    };
    for (const auto& c : cases) {
        New_Arithmetic_Model model;
        model.inputs = {{{c.a, c.b}}};
        if (c.option) model.options = {{c.option}};
        StepTriple solution = (model.*c.build)();
        ASSERT_GE(solution.steps.size(), 3u) << c.name;
        for (std::size_t page : {std::size_t{1}, solution.steps.size() - 2, solution.steps.size() - 1}) {
            gfx::ImageSurface image(390, 700, 2.0);
            ASSERT_TRUE(drawStepPage(image.context(), {390, 700}, solution, static_cast<std::int64_t>(page), 30))
                << c.name;
            keep(image, std::string(c.name) + "_page" + std::to_string(page) + ".png");
        }
    }
}

}  // namespace
}  // namespace tl
