#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "support/own_temporary_path.hpp"
#include "support/png_pixels.hpp"
#include "test_scenes.hpp"

using namespace ui;
using tl::testing::Png;

namespace {

std::string tempPng(const std::string& name) {
    return tl::testing::ownTemporaryPath("tl_ui_" + name + ".png").string();
}

}  // namespace

// A red square on a blue view at scale 2: the pixels land where the points say.
TEST(Headless, RendersAViewTreeToPng) {
    View root({0, 0, 40, 30});
    root.setBackgroundColor(gfx::palette::blue);
    View* square = root.add(std::make_unique<View>(gfx::Rect{10, 5, 10, 10}));
    square->setBackgroundColor(gfx::palette::red);
    View* hidden = root.add(std::make_unique<View>(gfx::Rect{0, 0, 40, 30}));
    hidden->setBackgroundColor(gfx::palette::green);
    hidden->setHidden(true);

    std::string path = tempPng("tree");
    ASSERT_TRUE(renderToPng(root, path, 2));
    Png png(path);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.width(), 80);
    EXPECT_EQ(png.height(), 60);
    EXPECT_EQ(png.rgb(2, 2), 0x0000ffu);
    EXPECT_EQ(png.rgb(21, 11), 0xff0000u);  // just inside the square's top left (10, 5) pt
    EXPECT_EQ(png.rgb(39, 29), 0xff0000u);  // just inside its bottom right (20, 15) pt
    EXPECT_EQ(png.rgb(40, 30), 0x0000ffu);
    std::remove(path.c_str());
    EXPECT_FALSE(renderToPng(root, "/nonexistent-dir/x.png", 1));
}

using HeadlessApp = test_scenes::SceneTest;

// The whole app at a tablet size: the shot has the screen's pixel size, the
// bar across the top and the white screen below it.
TEST_F(HeadlessApp, RunsTheStoryboardAndShootsTheWindow) {
    Screen::main().setSize({1024, 1366});
    Screen::main().setScale(1);
    HeadlessHost host;
    EXPECT_EQ(host.window().bounds(), (gfx::Rect{0, 0, 1024, 1366}));
    host.tapTitle("Go");
    EXPECT_EQ(host.window().navigationController()->depth(), 2u);
    EXPECT_THROW(host.tapTitle("Go"), tl::PreconditionError);  // the home screen is gone

    std::string path = tempPng("host");
    ASSERT_TRUE(host.renderPng(path));
    EXPECT_FALSE(host.window().needsRedraw());  // nothing is left to draw once shown
    Png png(path);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.width(), 1024);
    EXPECT_EQ(png.height(), 1366);
    EXPECT_NEAR(png.rgb(1000, 40) & 0xff, 0.97 * 255, 1);  // the bar's light grey
    EXPECT_EQ(png.rgb(1000, 40) >> 8, (png.rgb(1000, 40) & 0xff) * 0x101u);
    EXPECT_EQ(png.rgb(1000, 1000), 0xffffffu);
    std::remove(path.c_str());

    host.resize({1366, 1024});
    EXPECT_EQ(Screen::main().bounds().width, 1366);
    EXPECT_EQ(host.window().navigationController()->topViewController()->view()->frame().width, 1366);
}

// A title is found only where it can be seen and touched, front-most first.
TEST_F(HeadlessApp, TitlesAreFoundOnlyWhereVisible) {
    HeadlessHost host;
    View* root = host.window().navigationController()->topViewController()->view();
    auto* hidden = test_scenes::addButton(*root, "Hidden", {10, 400, 100, 40});
    hidden->setHidden(true);
    test_scenes::addButton(*root, "Twin", {10, 500, 100, 40});
    auto* above = test_scenes::addButton(*root, "Twin", {200, 500, 100, 40});
    test_scenes::addButton(*root, "Far", {10, 2000, 100, 40});  // off the screen
    EXPECT_FALSE(locateTitle(host.window(), "Hidden").has_value());
    EXPECT_FALSE(locateTitle(host.window(), "Far").has_value());
    EXPECT_EQ(findButton(host.window(), "Twin"), above);
    auto point = locateTitle(host.window(), "Twin");
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(*point, (gfx::Point{250, 520}));
}
