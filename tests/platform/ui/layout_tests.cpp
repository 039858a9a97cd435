#include <memory>

#include <gtest/gtest.h>

#include "platform/ui/layout.hpp"
#include "platform/ui/view.hpp"

using namespace ui;

namespace {

View* addConstrained(View& parent) {
    auto* v = parent.add(std::make_unique<View>());
    v->setTranslatesAutoresizingMaskIntoConstraints(false);
    return v;
}

void expectFrame(const View* v, gfx::Rect r, double tol = 1e-9) {
    EXPECT_NEAR(v->frame().x, r.x, tol);
    EXPECT_NEAR(v->frame().y, r.y, tol);
    EXPECT_NEAR(v->frame().width, r.width, tol);
    EXPECT_NEAR(v->frame().height, r.height, tol);
}

}  // namespace

// The entry pad: a prompt panel, an entry display and a keypad stacked with
// 5-point gaps, the panel and display sized as ratios of the keypad's height.
TEST(Layout, PadStackSharesTheHeightByRatios) {
    View root({0, 0, 320, 640});
    View* pad = addConstrained(root);
    View* info = addConstrained(*pad);
    View* entry = addConstrained(*pad);
    View* keys = addConstrained(*pad);
    pad->topAnchor().constraintEqualTo(root.topAnchor(), 20);
    pad->bottomAnchor().constraintEqualTo(root.bottomAnchor(), -20);
    pad->leadingAnchor().constraintEqualTo(root.leadingAnchor(), 5);
    pad->trailingAnchor().constraintEqualTo(root.trailingAnchor(), -5);

    double r = 2 / 7.5, s = 1 / 6.0;
    info->topAnchor().constraintEqualTo(pad->topAnchor());
    info->bottomAnchor().constraintEqualTo(entry->topAnchor(), -5);
    info->leadingAnchor().constraintEqualTo(pad->leadingAnchor());
    info->trailingAnchor().constraintEqualTo(pad->trailingAnchor());
    info->heightAnchor().constraintEqualTo(keys->heightAnchor(), r, 0);
    entry->topAnchor().constraintEqualTo(info->bottomAnchor(), 5);
    entry->bottomAnchor().constraintEqualTo(keys->topAnchor(), -5);
    entry->leadingAnchor().constraintEqualTo(info->leadingAnchor());
    entry->trailingAnchor().constraintEqualTo(info->trailingAnchor());
    entry->heightAnchor().constraintEqualTo(keys->heightAnchor(), s, 0);
    keys->topAnchor().constraintEqualTo(entry->bottomAnchor(), 5);
    keys->bottomAnchor().constraintEqualTo(pad->bottomAnchor());
    keys->leadingAnchor().constraintEqualTo(info->leadingAnchor());
    keys->trailingAnchor().constraintEqualTo(info->trailingAnchor());

    layoutIfNeeded(&root);
    expectFrame(pad, {5, 20, 310, 600});
    EXPECT_NEAR(keys->frame().height, 411.63, 0.005);
    EXPECT_NEAR(info->frame().height, 109.77, 0.005);
    EXPECT_NEAR(entry->frame().height, 68.60, 0.005);
    EXPECT_NEAR(info->frame().y, 0, 1e-9);
    EXPECT_NEAR(entry->frame().y, info->frame().maxY() + 5, 1e-9);
    EXPECT_NEAR(keys->frame().maxY(), 600, 1e-9);
    EXPECT_NEAR(keys->frame().width, 310, 1e-9);
}
