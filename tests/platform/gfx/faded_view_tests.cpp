// A view drawn faded through the Cairo context: its content is composited as
// one picture, as the view would look opaque, then faded.
#include <gtest/gtest.h>

#include <memory>

#include "platform/gfx/cairo_context.hpp"
#include "platform/ui/view.hpp"

#include "pixels.hpp"

using namespace gfx;


TEST(FadedView, OverlappingContentDoesNotShowThroughItself) {
    ImageSurface image(60, 20, 2);
    ui::View root({0, 0, 60, 20});
    root.setBackgroundColor(palette::white);
    auto* faded = root.add(std::make_unique<ui::View>(gfx::Rect{0, 0, 40, 20}));
    faded->setBackgroundColor(palette::red);
    faded->setAlpha(0.5);
    auto* inner = faded->add(std::make_unique<ui::View>(gfx::Rect{20, 0, 20, 20}));
    inner->setBackgroundColor(palette::blue);
    root.drawHierarchy(image.context());

    EXPECT_TRUE(isNear(image.pixel(20, 20), {255, 128, 128, 255}));  // red at half over white
    // The blue subview covers the red background inside the view, so half of blue over white shows, no red.
    EXPECT_TRUE(isNear(image.pixel(60, 20), {128, 128, 255, 255}));
    EXPECT_EQ(image.pixel(100, 20), (Pixel{255, 255, 255, 255}));

    // Opaque again, the same tree draws at full strength: the layer has ended and left no state behind.
    faded->setAlpha(1);
    root.drawHierarchy(image.context());
    EXPECT_EQ(image.pixel(20, 20), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(image.pixel(60, 20), (Pixel{0, 0, 255, 255}));
}
