// A pad drawn with the real fonts, as a learner sees it. Set
// TL_PADS_PNG_DIR to a directory to keep the picture.
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "pad_test_support.hpp"
#include "platform/ui/headless.hpp"
#include "support/own_temporary_path.hpp"

using namespace tl;
using namespace pad_test;

TEST(PadPicture, ShowsTheSelectionTheArrowAndTheKeys) {
    setMainScreenWidth(390);
    FakeScreen screen;
    Hosted host({380, 700}, integerPad({{{"0", "0"}}}, {{{"3", "0", "1"}}}, {}, {{{" left to right ", " right to left "}}}));
    host.pad->setDataSource(&screen);
    press(host.root, {"4", "2", "I2", "7", "O4098"});

    const char* dir = std::getenv("TL_PADS_PNG_DIR");
    const auto path = dir ? std::filesystem::path(dir) / "tl_pads.png" : tl::testing::ownTemporaryPath("tl_pads.png");
    const double scale = 2;
    ASSERT_TRUE(ui::renderToPng(host.root, path.string(), scale));
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    // A pixel just inside a view's top-left corner: its background, clear of its text.
    const auto corner = [&](const ui::View& view) {
        const gfx::Rect r = frameIn(view);
        const int x = static_cast<int>((r.x + 2) * scale), y = static_cast<int>((r.y + 2) * scale);
        std::uint32_t argb;
        std::memcpy(&argb, cairo_image_surface_get_data(png) + y * cairo_image_surface_get_stride(png) + 4 * x, 4);
        return argb & 0xffffffu;
    };
    EXPECT_EQ(corner(label(host.root, 2)), 0x00ff00u);  // the selected field
    EXPECT_EQ(corner(label(host.root, 1)), 0xffffffu);
    EXPECT_EQ(corner(label(host.root, 4098)), 0x00ff00u);  // the chosen option
    EXPECT_EQ(corner(label(host.root, 1028)), 0x00ffffu);  // the arrow
    EXPECT_EQ(corner(*button(host.root, "C")), 0xaaaaaau);
    cairo_surface_destroy(png);
    if (!dir) std::remove(path.c_str());
}
