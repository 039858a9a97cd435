// Smoke check with the real fonts: a page built from many node kinds draws
// into an image without a failure, puts ink in each band, and writes a PNG
// (kept under TL_PNG_DIR when that is set, for a look by eye).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/box_items.hpp"
#include "common/items.hpp"
#include "common/number_items.hpp"
#include "common/records.hpp"
#include "engine/step_page.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "support/own_temporary_path.hpp"

namespace tl::testing {
namespace {

Engine_Step samplePage() {
    Engine_Table sum = joinItem("+", fractionItem(1, 2, Color::red, Color::blue), mixedNumberItem(2, 3, 4));
    Engine_Table equation = joinItem("=", sum, fractionItem(13, 4, Color::black, Color::black, "result"),
                                     Color::black);
    Engine_Table power = joinItem("\u2219", joinItem("^", integerItem(2), integerItem(3, Color::blue)),
                                  unaryItem("\u221A", integerItem(49)));
    Engine_Table built = joinItem("\u2212", unaryItem("()", joinItem("/", integerItem(7), integerItem(12))),
                                  fractionCancelNumeratorAndDenominatorItem(6, 8, 3, 4, Color::black, Color::black,
                                                                            Color::red, Color::red, Color::red,
                                                                            Color::red));
    Engine_Table block = blockItem(
        joinItem("=", joinItem("+", wholeItem(12), mixedNumberItem(3, 1, 2)), mixedNumberItem(15, 1, 2)));
    Engine_Table table = boxTableItem(2, 3, {7, 12, 305, 40, 5, 6}, std::vector<Color>(6, Color::dark_gray));
    Engine_Table tree{{"start", "1"},
                      {"plug_in", "prime_tree", "4"},
                      {"prime_tree_pairs", "1", "12", "2", "6", "2", "3"},
                      {"prime_tree_colors", "clear", "black", "red", "black", "red", "blue"},
                      {"prime_tree_tag", "anon"}};
    Engine_Table column = addColumnTable("anon", "+", 0, {{"Z", "1", "Z"}, {"Z", "4", "7"}, {"+", "3", "5"}, {"", "8", "2"}},
                                         {{"NN", "YC", "NN"}, {"NN", "YC", "YC"}, {"YC", "YC", "YC"}, {"NN", "YG", "YR"}});
    Engine_Table side = joinItem(juxtapositionJoinText, column, tree);
    return {messageTable("worked example", Color::brown), equation, power, built, block, table, side};
}

TEST(PagePng, SamplePageDrawsIntoAnImage) {
    gfx::ImageSurface image(390, 844, 2.0);
    Engine_Step page = samplePage();
    ASSERT_NO_THROW(drawStepPage(image.context(), {380, 790}, page, {"add each place value"}, 4, 30));

    auto inkBetween = [&](double top, double bottom) {
        int dark = 0;
        for (int y = static_cast<int>(top * 2); y < static_cast<int>(bottom * 2); y += 2)
            for (int x = 0; x < image.pixelWidth(); x += 2) {
                gfx::Pixel p = image.pixel(x, y);
                if (p.r < 128 && p.g < 128 && p.b < 128) ++dark;
            }
        return dark;
    };
    // H = 780: comment band to 39, tables from 44 to 707, navigator from 712.
    EXPECT_GT(inkBetween(0, 39), 0);
    EXPECT_GT(inkBetween(44, 707), 500);
    EXPECT_GT(inkBetween(712, 790), 0);

    const char* dir = std::getenv("TL_PNG_DIR");
    std::filesystem::path out = dir ? std::filesystem::path(dir) / "step_page_sample.png"
                                    : ownTemporaryPath("step_page_sample.png");
    EXPECT_TRUE(image.writePng(out.string()));
    EXPECT_GT(std::filesystem::file_size(out), 1000u);
    if (!dir) std::filesystem::remove(out);
}

}  // namespace
}  // namespace tl::testing
