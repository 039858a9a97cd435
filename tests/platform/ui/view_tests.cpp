#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/layout.hpp"
#include "platform/ui/view.hpp"
#include "platform/ui/window.hpp"

using namespace ui;

namespace {

View* addView(View& parent, gfx::Rect frame, int tag = 0) {
    auto* v = parent.add(std::make_unique<View>(frame));
    v->setTag(tag);
    return v;
}

// A view that answers one action and records who sent it.
class Handler : public View {
public:
    Handler(std::string action, gfx::Rect frame = {}) : View(frame), action_(std::move(action)) {}
    bool performAction(std::string_view action, Responder* sender) override {
        if (action != action_) return false;
        senders.push_back(sender);
        if (onAction) onAction();
        return true;
    }
    std::vector<Responder*> senders;
    std::function<void()> onAction;

private:
    std::string action_;
};

std::vector<Touch> touchAt(gfx::Point p, TouchPhase phase) { return {Touch{p, phase, nullptr}}; }

}  // namespace

TEST(ViewTree, ViewWithTagLooksAtTheReceiverThenDepthFirstInSubviewOrder) {
    View root({0, 0, 100, 100});
    root.setTag(7);
    View* a = addView(root, {}, 1);
    View* a1 = addView(*a, {}, 5);
    View* b = addView(root, {}, 5);
    addView(*b, {}, 9);
    EXPECT_EQ(root.viewWithTag(7), &root);   // the receiver first
    EXPECT_EQ(root.viewWithTag(5), a1);      // deep in the first subtree before the later sibling
    EXPECT_EQ(b->viewWithTag(5), b);
    EXPECT_EQ(root.viewWithTag(9), b->subviews()[0].get());
    EXPECT_EQ(root.viewWithTag(42), nullptr);
    EXPECT_EQ(a->viewWithTag(9), nullptr);  // only below the receiver
}

TEST(ViewTree, RemovingHandsOwnershipBackAndHandlesSeeDestruction) {
    View root;
    View* a = addView(root, {});
    ViewHandle handle = a->handle();
    EXPECT_EQ(handle.get(), a);
    std::unique_ptr<View> owned = a->removeFromSuperview();
    EXPECT_EQ(owned.get(), a);
    EXPECT_EQ(a->superview(), nullptr);
    EXPECT_TRUE(root.subviews().empty());
    EXPECT_TRUE(handle);
    owned.reset();
    EXPECT_FALSE(handle);
    EXPECT_THROW(root.addSubview(nullptr), tl::PreconditionError);
}

TEST(HitTest, GoesFrontToBackAndSkipsHiddenTransparentAndInertViews) {
    View root({0, 0, 200, 200});
    View* back = addView(root, {0, 0, 100, 100}, 1);
    View* front = addView(root, {50, 50, 100, 100}, 2);
    EXPECT_EQ(root.hitTest({75, 75}), front);  // the later subview lies on top
    EXPECT_EQ(root.hitTest({25, 25}), back);
    EXPECT_EQ(root.hitTest({190, 190}), &root);
    EXPECT_EQ(root.hitTest({250, 10}), nullptr);  // outside the bounds

    front->setHidden(true);
    EXPECT_EQ(root.hitTest({75, 75}), back);
    front->setHidden(false);
    front->setAlpha(0.005);
    EXPECT_EQ(root.hitTest({75, 75}), back);
    front->setAlpha(0.01);
    EXPECT_EQ(root.hitTest({75, 75}), front);

    // A view without interaction takes its whole subtree out.
    View* child = addView(*front, {0, 0, 50, 50});
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(root.hitTest({60, 60}), back);
    front->setUserInteractionEnabled(true);
    EXPECT_EQ(root.hitTest({60, 60}), child);

    // A subview that sticks out of its superview is not hit outside it.
    View* stray = addView(*back, {90, 0, 50, 20});
    EXPECT_EQ(root.hitTest({95, 10}), stray);
    front->setHidden(true);
    EXPECT_EQ(root.hitTest({120, 10}), &root);
}

TEST(ResponderChain, ActionWithoutTargetReachesTheFirstViewUpTheChainThatAnswers) {
    Handler outer("keyPressed"), inner("other");
    auto* middle = outer.add(std::make_unique<Handler>("keyPressed"));
    auto* row = middle->add(std::make_unique<View>());
    auto* key = row->add(std::make_unique<View>());
    EXPECT_TRUE(sendAction("keyPressed", nullptr, key));
    EXPECT_EQ(middle->senders, std::vector<Responder*>{key});  // the nearest answers; no one above hears it
    EXPECT_TRUE(outer.senders.empty());

    EXPECT_FALSE(sendAction("unknown", nullptr, key));  // nobody answers: dropped
    EXPECT_TRUE(sendAction("other", &inner, key));      // an explicit target skips the chain
    EXPECT_EQ(inner.senders, std::vector<Responder*>{key});
    EXPECT_FALSE(sendAction("keyPressed", &inner, key));
}

TEST(ResponderChain, AResponderThatDoesNotAnswerMayDestroyPartsOfTheChain) {
    // Answers nothing; takes itself out of the tree and is destroyed.
    struct Leaver : View {
        bool performAction(std::string_view, Responder*) override {
            std::unique_ptr<View> self = removeFromSuperview();
            return false;
        }
    };
    // Answers nothing; destroys the views inside it (the sender among them) but stays.
    struct Clearer : View {
        bool performAction(std::string_view, Responder*) override {
            while (!subviews().empty()) subviews().back()->removeFromSuperview();
            return false;
        }
    };

    Handler screen("go");
    auto* leaver = screen.add(std::make_unique<Leaver>());
    auto* key = leaver->add(std::make_unique<View>());
    EXPECT_FALSE(sendAction("go", nullptr, key));  // the chain above it went with it: dropped
    EXPECT_TRUE(screen.senders.empty());
    EXPECT_TRUE(screen.subviews().empty());

    auto* clearer = screen.add(std::make_unique<Clearer>());
    key = clearer->add(std::make_unique<View>());
    EXPECT_TRUE(sendAction("go", nullptr, key));  // the walk goes on past what was destroyed
    EXPECT_EQ(screen.senders.size(), 1u);
    EXPECT_TRUE(clearer->subviews().empty());
}

TEST(ResponderChain, TouchesTravelUpUntilAViewHandlesThem) {
    struct Catcher : View {
        int began = 0, ended = 0;
        void touchesBegan(const std::vector<Touch>&) override { ++began; }
        void touchesEnded(const std::vector<Touch>&) override { ++ended; }
    } catcher;
    View* plain = addView(*addView(catcher, {}), {});
    plain->touchesBegan(touchAt({1, 1}, TouchPhase::began));
    plain->touchesEnded(touchAt({1, 1}, TouchPhase::ended));
    plain->touchesMoved(touchAt({1, 1}, TouchPhase::moved));  // reaches the end of the chain harmlessly
    EXPECT_EQ(catcher.began, 1);
    EXPECT_EQ(catcher.ended, 1);
}

TEST(Button, HighlightsWhilePressedAndSendsOnTouchUpInside) {
    gfx::ScopedFakeFonts fonts;
    Handler pad("keyPressed", {0, 0, 300, 300});
    auto* key = pad.add(std::make_unique<Button>(gfx::Rect{100, 100, 50, 40}));
    key->setTitle("7");
    key->addTarget(nullptr, "keyPressed");

    key->touchesBegan(touchAt({110, 110}, TouchPhase::began));
    EXPECT_TRUE(key->isHighlighted());
    key->touchesMoved(touchAt({10, 10}, TouchPhase::moved));
    EXPECT_FALSE(key->isHighlighted());
    key->touchesEnded(touchAt({10, 10}, TouchPhase::ended));  // up outside: nothing sent
    EXPECT_TRUE(pad.senders.empty());

    key->touchesBegan(touchAt({110, 110}, TouchPhase::began));
    key->touchesEnded(touchAt({149, 139}, TouchPhase::ended));
    EXPECT_FALSE(key->isHighlighted());
    ASSERT_EQ(pad.senders.size(), 1u);
    EXPECT_EQ(pad.senders[0], key);
    EXPECT_EQ(static_cast<Button*>(pad.senders[0])->currentTitle(), "7");

    key->touchesBegan(touchAt({110, 110}, TouchPhase::began));
    key->touchesCancelled(touchAt({110, 110}, TouchPhase::cancelled));
    key->touchesEnded(touchAt({110, 110}, TouchPhase::ended));  // a cancelled press sends nothing
    EXPECT_EQ(pad.senders.size(), 1u);
}

TEST(Button, AnActionMayDestroyTheButtonThatSentIt) {
    gfx::ScopedFakeFonts fonts;
    Handler screen("go", {0, 0, 300, 300});
    auto* panel = screen.add(std::make_unique<View>(gfx::Rect{0, 0, 300, 300}));
    auto* key = panel->add(std::make_unique<Button>(gfx::Rect{0, 0, 50, 50}));
    key->addTarget(nullptr, "go");
    key->addTarget(nullptr, "go");  // would be sent after the button is gone
    screen.onAction = [&] { panel->removeFromSuperview(); };  // destroys the panel and the key
    key->touchesBegan(touchAt({5, 5}, TouchPhase::began));
    key->touchesEnded(touchAt({5, 5}, TouchPhase::ended));
    EXPECT_EQ(screen.senders.size(), 1u);
    EXPECT_TRUE(screen.subviews().empty());
}

TEST(Button, ATargetDestroyedBeforeTheButtonIsSentNothing) {
    gfx::ScopedFakeFonts fonts;
    Handler pad("keyPressed", {0, 0, 300, 300});
    auto* key = pad.add(std::make_unique<Button>(gfx::Rect{0, 0, 50, 50}));
    auto target = std::make_unique<Handler>("keyPressed");
    key->addTarget(target.get(), "keyPressed");
    key->addTarget(nullptr, "keyPressed");
    key->sendActions();
    EXPECT_EQ(target->senders.size(), 1u);
    EXPECT_EQ(pad.senders.size(), 1u);

    target.reset();
    key->sendActions();  // the chain still hears its action; the gone target is skipped
    EXPECT_EQ(pad.senders.size(), 2u);
}

TEST(Drawing, DrawsBackToFrontAtWindowCoordinatesAndSkipsHiddenSubtrees) {
    gfx::ScopedFakeFonts fonts;
    View root({0, 0, 200, 200});
    root.setBackgroundColor(gfx::palette::white);
    View* a = addView(root, {10, 20, 100, 50});
    a->setBackgroundColor(gfx::palette::red);
    View* clear = addView(*a, {5, 5, 10, 10});  // clear: draws nothing
    View* b = addView(*clear, {1, 2, 3, 4});
    b->setBackgroundColor(gfx::palette::blue);
    View* hidden = addView(root, {0, 0, 50, 50});
    hidden->setHidden(true);
    hidden->setBackgroundColor(gfx::palette::green);
    addView(*hidden, {0, 0, 5, 5})->setBackgroundColor(gfx::palette::green);
    auto* label = root.add(std::make_unique<Label>(gfx::Rect{100, 100, 60, 30}));
    label->setText("ab");

    gfx::RecordingContext ctx;
    root.drawHierarchy(ctx);
    auto rects = ctx.rects();
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].rect, (gfx::Rect{0, 0, 200, 200}));
    EXPECT_EQ(rects[0].colour, gfx::palette::white);
    EXPECT_EQ(rects[1].rect, (gfx::Rect{10, 20, 100, 50}));
    EXPECT_EQ(rects[1].colour, gfx::palette::red);
    EXPECT_EQ(rects[2].rect, (gfx::Rect{16, 27, 3, 4}));
    EXPECT_EQ(rects[2].colour, gfx::palette::blue);
    // Label "ab" at 17 points: 17 wide, left aligned, line box centred: baseline 100 + (30 − 20.4)/2 + 13.6.
    auto texts = ctx.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "ab");
    EXPECT_NEAR(texts[0].baselineLeft.x, 100, 1e-9);
    EXPECT_NEAR(texts[0].baselineLeft.y, 118.4, 1e-9);
    EXPECT_FALSE(root.needsDisplay());
}

TEST(Drawing, AlphaFadesTheWholeSubtreeAndTheHookGivesThePresentedValue) {
    View root({0, 0, 100, 100});
    View* card = addView(root, {0, 0, 50, 50});
    card->setBackgroundColor(gfx::palette::red);
    addView(*card, {0, 0, 10, 10})->setBackgroundColor({0, 0, 1, 0.5});
    card->setAlpha(0.5);
    gfx::RecordingContext ctx;
    root.drawHierarchy(ctx);
    auto rects = ctx.rects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_DOUBLE_EQ(rects[0].colour.a, 0.5);
    EXPECT_DOUBLE_EQ(rects[1].colour.a, 0.25);

    // An animation presents another alpha than the model's.
    viewHooks().presentedAlpha = [card](const View& v) { return &v == card ? 0.0 : v.alpha(); };
    ctx.clear();
    root.drawHierarchy(ctx);
    viewHooks().presentedAlpha = nullptr;
    EXPECT_TRUE(ctx.rects().empty());
    EXPECT_EQ(card->alpha(), 0.5);
}

TEST(Drawing, RedrawRequestsCoalesceUntilTheNextDraw) {
    int requests = 0;
    viewHooks().displayRequested = [&](View&) { ++requests; };
    View root({0, 0, 10, 10});
    gfx::RecordingContext ctx;
    root.drawHierarchy(ctx);
    root.setNeedsDisplay();
    root.setNeedsDisplay();
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(root.needsDisplay());
    root.drawHierarchy(ctx);
    root.setBackgroundColor(gfx::palette::red);
    EXPECT_EQ(requests, 2);
    viewHooks().displayRequested = nullptr;
}

// Hiding or fading out a view is itself a change the screen must show;
// changes inside a hidden subtree are not.
TEST(Drawing, AWindowRedrawsWhenAViewIsHiddenOrFadedOut) {
    Window window({0, 0, 100, 100});
    View* card = addView(window, {0, 0, 50, 50});
    View* inner = addView(*card, {0, 0, 10, 10});
    gfx::RecordingContext ctx;
    window.render(ctx);
    EXPECT_FALSE(window.needsRedraw());

    card->setHidden(true);
    EXPECT_TRUE(window.needsRedraw());
    window.render(ctx);
    EXPECT_FALSE(window.needsRedraw());
    inner->setBackgroundColor(gfx::palette::red);
    EXPECT_FALSE(window.needsRedraw());

    card->setHidden(false);
    window.render(ctx);
    card->setAlpha(0);
    EXPECT_TRUE(window.needsRedraw());
    window.render(ctx);
    EXPECT_FALSE(window.needsRedraw());
}

TEST(Constraints, DieWithTheirViews) {
    std::size_t before = liveConstraintCount();
    {
        View root({0, 0, 100, 100});
        View* a = addView(root, {});
        View* b = addView(root, {});
        a->setTranslatesAutoresizingMaskIntoConstraints(false);
        b->setTranslatesAutoresizingMaskIntoConstraints(false);
        a->widthAnchor().constraintEqualTo(b->widthAnchor());
        a->heightAnchor().constraintEqualToConstant(5);
        LayoutGuide guide(&root);
        b->topAnchor().constraintEqualTo(guide.topAnchor());
        EXPECT_EQ(liveConstraintCount(), before + 3);
        b->removeFromSuperview();  // destroyed: both of its constraints go
        EXPECT_EQ(liveConstraintCount(), before + 1);
        layoutIfNeeded(&root);
    }
    EXPECT_EQ(liveConstraintCount(), before);
}
