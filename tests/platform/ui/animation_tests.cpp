#include <memory>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/window.hpp"

using namespace ui;

namespace {

class Animations : public ::testing::Test {
protected:
    Animations() : window({0, 0, 100, 100}) {
        front = window.add(std::make_unique<View>(gfx::Rect{0, 0, 100, 100}));
        back = window.add(std::make_unique<View>(gfx::Rect{0, 0, 100, 100}));
        back->setAlpha(0);
    }
    ~Animations() override { finishAnimations(); }

    // The card flip: every tagged view toggles between shown and hidden.
    void flip() {
        animate(1.0, [&] {
            for (View* v : {front, back}) v->setAlpha(v->alpha() != 0 ? 0 : 1);
        });
    }
    ScopedManualClock clock{10};
    Window window;
    View* front;
    View* back;
};

}  // namespace

TEST(EaseInOut, StartsAndEndsSlowlyAndIsSymmetric) {
    EXPECT_EQ(easeInOut(0), 0);
    EXPECT_EQ(easeInOut(1), 1);
    EXPECT_NEAR(easeInOut(0.5), 0.5, 1e-9);
    EXPECT_LT(easeInOut(0.1), 0.05);
    EXPECT_NEAR(easeInOut(0.25) + easeInOut(0.75), 1, 1e-9);
    EXPECT_NEAR(easeInOut(0.25), 0.129, 0.002);  // the standard curve, not a line
}

// The model value changes at once; what is shown moves over the duration.
TEST_F(Animations, PresentedAlphaFollowsTheCurve) {
    flip();
    EXPECT_EQ(front->alpha(), 0);
    EXPECT_EQ(back->alpha(), 1);
    EXPECT_EQ(front->presentedAlpha(), 1);
    EXPECT_EQ(back->presentedAlpha(), 0);
    EXPECT_TRUE(animationsRunning());
    EXPECT_TRUE(window.needsRedraw());

    AnimationClock::advance(0.25);
    EXPECT_NEAR(front->presentedAlpha(), 1 - easeInOut(0.25), 1e-9);
    AnimationClock::advance(0.25);
    EXPECT_NEAR(front->presentedAlpha(), 0.5, 1e-9);
    EXPECT_NEAR(back->presentedAlpha(), 0.5, 1e-9);
    AnimationClock::advance(0.5);
    EXPECT_EQ(front->presentedAlpha(), 0);
    EXPECT_EQ(back->presentedAlpha(), 1);
    EXPECT_FALSE(animationsRunning());
}

// A flip during a flip reads the model values (where the cards are heading)
// and turns back from what is shown now.
TEST_F(Animations, AFlipDuringAFlipTurnsBackFromWhereItIs) {
    flip();
    AnimationClock::advance(0.5);
    flip();
    EXPECT_EQ(front->alpha(), 1);
    EXPECT_NEAR(front->presentedAlpha(), 0.5, 1e-9);
    AnimationClock::advance(0.5);
    EXPECT_NEAR(front->presentedAlpha(), 0.75, 1e-9);
    AnimationClock::advance(0.5);
    EXPECT_EQ(front->presentedAlpha(), 1);
    EXPECT_EQ(back->presentedAlpha(), 0);
}

TEST_F(Animations, ViewsOutsideAWindowAndDestroyedViewsDoNotAnimate) {
    View loose;
    animate(1.0, [&] { loose.setAlpha(0.2); });
    EXPECT_EQ(loose.presentedAlpha(), 0.2);

    animate(1.0, [&] { back->setAlpha(1); });
    back->removeFromSuperview();  // destroyed while fading in
    EXPECT_FALSE(animationsRunning());
    EXPECT_EQ(front->presentedAlpha(), 1);
}

TEST_F(Animations, TheDrivenClockOnlyMovesForward) {
    EXPECT_THROW(AnimationClock::advance(-1), tl::PreconditionError);
    AnimationClock::useRealTime();
    EXPECT_THROW(AnimationClock::set(0), tl::PreconditionError);
    AnimationClock::useManualTime(10);
}
