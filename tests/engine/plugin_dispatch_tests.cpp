// The plug-in node: records reshaped into what the renderers take (checked
// by drawing the node and the renderer called directly with the expected
// lists, grids and cells, and comparing what each drew), and the prime tree.
#include <gtest/gtest.h>

#include <functional>

#include "base/errors.hpp"
#include "common/records.hpp"
#include "engine/plugins/renderers.hpp"
#include "typesetter_test_support.hpp"

namespace tl::testing {
namespace {

/// Everything one drawing recorded, flattened for comparison.
struct Drawing {
    std::vector<std::tuple<std::string, double, double, double, double, double, double>> texts;
    std::vector<std::tuple<std::vector<double>, double, double, double, double>> paths;
    std::vector<std::tuple<double, double, double, double, bool, double>> rects;
    friend bool operator==(const Drawing&, const Drawing&) = default;
};

Drawing drawn(const std::function<void()>& draw) {
    gfx::RecordingContext context;
    gfx::ContextScope scope(&context);
    draw();
    Drawing d;
    for (const auto& t : context.texts())
        d.texts.emplace_back(t.text, t.baselineLeft.x, t.baselineLeft.y, t.size, t.colour.r, t.colour.g,
                             t.colour.b);
    for (const auto& p : context.paths()) {
        std::vector<double> coords;
        for (auto pt : p.points()) {
            coords.push_back(pt.x);
            coords.push_back(pt.y);
        }
        d.paths.emplace_back(coords, p.lineWidth, p.stroke.r, p.stroke.g, p.stroke.b);
    }
    for (const auto& r : context.rects())
        d.rects.emplace_back(r.rect.x, r.rect.y, r.rect.width, r.rect.height, r.filled, r.colour.r);
    return d;
}

Engine_Row row(std::string key, std::vector<std::string> values) {
    values.insert(values.begin(), std::move(key));
    return values;
}

using PlugIns = TypesetterTest;

TEST_F(PlugIns, TableauOpGridIsFirstLocalRowsBySecondGlobalColumns) {
    StringList globals{"3", "4", "0", "false"};
    StringList locals{"3", "false"};
    std::vector<std::string> values{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "X", "Y"};
    std::vector<std::string> codes(14, "YNN");
    Engine_Table record{{"start", "1"},
                        {"plug_in", "tableau_op", "7"},
                        {"tableau_op", "+"},
                        row("tableau_op_tableau", values),
                        row("tableau_op_attributes", codes),
                        row("tableau_op_globals", globals),
                        row("tableau_op_locals", locals),
                        {"tableau_op_tag", "anon"}};

    EXPECT_EQ(measure(record), measureTableauOp(kSize, "+", globals, locals));

    StringGrid grid{{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "0", "1", "2"}};
    StringGrid attributes(3, StringList(4, "YNN"));
    Drawing viaNode = drawn([&] { draw(record, 10, 200); });
    Drawing direct = drawn([&] { drawTableauOp(10, 200, kSize, "+", grid, attributes, globals, locals); });
    EXPECT_EQ(viaNode, direct);
    EXPECT_FALSE(viaNode.texts.empty());
    for (const auto& t : viaNode.texts) EXPECT_NE(std::get<0>(t), "X");

    // The record's own row count is not read.
    record[1].set(2, "99");
    EXPECT_EQ(drawn([&] { draw(record, 10, 200); }), direct);
}

TEST_F(PlugIns, LatticeCellsFollowTheColourBlocks) {
    // R = 2, C = 3: S = 5, P = 6.
    std::vector<std::string> factorColours{"red", "red", "red", "blue", "blue",
                                           "clear", "gray", "clear", "light gray", "clear"};
    std::vector<std::string> productColours{"green", "green", "black", "black", "black",
                                            "gray", "clear", "clear", "clear", "light gray"};
    std::vector<std::string> partialColours;
    for (const char* block : {"red", "gray", "blue", "light gray"})
        for (int i = 0; i < 6; ++i) partialColours.push_back(i == 2 ? "black" : block);
    Engine_Table record{{"start", "1"},
                        {"plug_in", "lattice_multiply", "9"},
                        {"lattice_multiply", "2", "3"},
                        row("lattice_multiply_factors", {"1", "2", "3", "4", "5"}),
                        row("lattice_multiply_factor_colors", factorColours),
                        row("lattice_multiply_products", {"6", "7", "8", "9", "0"}),
                        row("lattice_multiply_product_colors", productColours),
                        row("lattice_multiply_partials", {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10",
                                                          "11", "12"}),
                        row("lattice_multiply_partial_colors", partialColours),
                        {"lattice_multiply_tag", "anon"}};

    EXPECT_EQ(measure(record), measureLatticeMultiply(kSize, 2, 3));

    CellList firstFactor{{"1", "red", "clear"}, {"2", "red", "gray"}, {"3", "red", "clear"}};
    CellList secondFactor{{"4", "blue", "light gray"}, {"5", "blue", "clear"}};
    CellList firstProduct{{"6", "green", "gray"}, {"7", "green", "clear"}};
    CellList secondProduct{{"8", "black", "clear"}, {"9", "black", "clear"}, {"0", "black", "light gray"}};
    CellGrid firstPartial{{{"01", "red", "gray"}, {"02", "red", "gray"}, {"03", "black", "black"}},
                          {{"04", "red", "gray"}, {"05", "red", "gray"}, {"06", "red", "gray"}}};
    CellGrid secondPartial{{{"07", "blue", "light gray"}, {"08", "blue", "light gray"}, {"09", "black", "black"}},
                           {{"10", "blue", "light gray"}, {"11", "blue", "light gray"}, {"12", "blue", "light gray"}}};
    Drawing viaNode = drawn([&] { draw(record, 10, 200); });
    Drawing direct = drawn([&] {
        drawLatticeMultiply(10, 200, kSize, firstFactor, secondFactor, firstProduct, secondProduct, firstPartial,
                            secondPartial);
    });
    EXPECT_EQ(viaNode, direct);
    EXPECT_FALSE(viaNode.rects.empty());

    Engine_Table empty = record;
    empty[2].set(1, "0");
    EXPECT_THROW(draw(empty, 10, 200), PreconditionError);
}

TEST_F(PlugIns, GridMeasureGetsTheCharacterCountsOfEachFactorsFirstPart) {
    Engine_Table record{{"start", "1"},
                        {"plug_in", "grid_multiply", "7"},
                        {"grid_multiply", "2", "2"},
                        row("grid_multiply_factors", {"300", "40", "20", "5"}),
                        row("grid_multiply_factor_colors", std::vector<std::string>(8, "black")),
                        row("grid_multiply_partials", {"6000", "800", "1500", "200"}),
                        row("grid_multiply_partial_colors", std::vector<std::string>(8, "black")),
                        {"grid_multiply_tag", "anon"}};
    EXPECT_EQ(measure(record), measureGridMultiply(kSize, 2, 2, 3, 2));

    CellList first{{"300", "black", "black"}, {"40", "black", "black"}};
    CellList second{{"20", "black", "black"}, {"5", "black", "black"}};
    CellGrid partials{{{"6000", "black", "black"}, {"800", "black", "black"}},
                      {{"1500", "black", "black"}, {"200", "black", "black"}}};
    EXPECT_EQ(drawn([&] { draw(record, 0, 300); }),
              drawn([&] { drawGridMultiply(0, 300, kSize, first, second, partials); }));
}

TEST_F(PlugIns, AddColumnReadsItsHeaderInBothPasses) {
    StringGrid tableau{{"Z", "1", "2"}, {"+", "3", "4"}, {"", "4", "6"}};
    StringGrid codes{{"NN", "YC", "YC"}, {"YC", "YC", "YC"}, {"NN", "YG", "YR"}};
    Engine_Table record = addColumnTable("anon", "+", 0, tableau, codes);
    EXPECT_EQ(measure(record), measureAddColumn(kSize, "+", 0, 3, 3));
    EXPECT_EQ(drawn([&] { draw(record, 5, 150); }),
              drawn([&] { drawAddColumn(5, 150, kSize, "+", 0, 3, 3, tableau, codes); }));

    Engine_Table broken = record;
    broken[2].set(3, "three");
    EXPECT_THROW(measure(broken), PreconditionError);

    // A grid larger than its record row is refused before any room is reserved.
    Engine_Table huge = record;
    huge[2].set(3, "1099511627776");
    EXPECT_THROW(draw(huge, 5, 150), PreconditionError);
    huge[2].set(4, "0");
    EXPECT_THROW(draw(huge, 5, 150), PreconditionError);
}

TEST_F(PlugIns, FlatListKindsPassTheirRowsAsTheyAre) {
    StringList globals{"1", "2", "3"};
    StringList locals{"4", "5"};
    Engine_Table count = countOpTable("anon", "\u2212", StringGrid{{"9", "8", "7"}}, globals, locals, {"1"});
    EXPECT_EQ(measure(count), measureCountOp(kSize, "\u2212", globals, locals));
}

TEST_F(PlugIns, UnknownKindsAreEmpty) {
    for (const char* kind : {"Prime_Tree", "add-column", ""})
        expectEmpty({{"start", "1"}, {"plug_in", kind, "4"}, {"x", "1"}, {"y", "black"}, {"z", "anon"}}, kind);
}

/// The factor tree of 12: 12 = 2 × 6, 6 = 2 × 3.
Engine_Table primeTree12() {
    return {{"start", "1"},
            {"plug_in", "prime_tree", "4"},
            {"prime_tree_pairs", "1", "12", "2", "6", "2", "3"},
            {"prime_tree_colors", "clear", "black", "red", "black", "red", "blue"},
            {"prime_tree_tag", "anon"}};
}

TEST_F(PlugIns, PrimeTreeLevelsStepDownAndRight) {
    // Cell w = width of "12" = 30; line L = 36; gap g = 9; shift (w + g) / 2 = 19.5.
    expectBox(measure(primeTree12()), 108, 135, 24);
    draw(primeTree12(), 0, 100);
    auto t = texts();
    ASSERT_EQ(t.size(), 6u);
    expectPoint(t[0].baselineLeft, 7.5, 100);
    EXPECT_TRUE(t[0].colour.isClear());
    expectPoint(t[1].baselineLeft, 39, 100);
    expectPoint(t[2].baselineLeft, 27, 145);
    EXPECT_EQ(t[2].colour, gfx::palette::red);
    expectPoint(t[3].baselineLeft, 66, 145);
    expectPoint(t[4].baselineLeft, 46.5, 190);
    expectPoint(t[5].baselineLeft, 85.5, 190);
    EXPECT_EQ(t[5].colour, gfx::palette::blue);

    auto p = paths();
    ASSERT_EQ(p.size(), 4u);
    expectSegment(p[0], 54, 112, 73.5, 121, 1.675);
    expectSegment(p[1], 54, 112, 34.5, 121, 1.675);
    expectSegment(p[2], 73.5, 157, 93, 166, 1.675);
    expectSegment(p[3], 73.5, 157, 54, 166, 1.675);
    for (const auto& branch : p) EXPECT_EQ(branch.stroke, gfx::palette::black);
}

TEST_F(PlugIns, PrimeTreeOfOnePairHasNoBranch) {
    Engine_Table seven{{"start", "1"},
                       {"plug_in", "prime_tree", "4"},
                       {"prime_tree_pairs", "1", "7"},
                       {"prime_tree_colors", "clear", "red"},
                       {"prime_tree_tag", "anon"}};
    expectBox(measure(seven), 39, 45, 24);
    draw(seven, 0, 100);
    EXPECT_EQ(texts().size(), 2u);
    EXPECT_TRUE(paths().empty());
}

TEST_F(PlugIns, BrokenPrimeTrees) {
    Engine_Table odd = primeTree12();
    odd[2].pop_back();
    EXPECT_THROW(draw(odd, 0, 100), PreconditionError);
    Engine_Table shortColours = primeTree12();
    shortColours[3].pop_back();
    EXPECT_THROW(draw(shortColours, 0, 100), PreconditionError);
    Engine_Table empty{{"start", "1"}, {"plug_in", "prime_tree", "4"}, {"prime_tree_pairs"}, {"prime_tree_colors"}};
    EXPECT_THROW(measure(empty), PreconditionError);
}

}  // namespace
}  // namespace tl::testing
