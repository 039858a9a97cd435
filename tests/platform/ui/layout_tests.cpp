#include <cmath>
#include <memory>
#include <string>
#include <vector>

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

/// Chains `views` from `start` to `end`, `gap` apart, top to bottom (or leading to trailing
/// when `across`), every relation between neighbours stated from both of its sides.
void chain(const std::vector<View*>& views, LayoutAnchor start, LayoutAnchor end, double gap, bool across = false) {
    auto head = [&](View* v) { return across ? v->leadingAnchor() : v->topAnchor(); };
    auto tail = [&](View* v) { return across ? v->trailingAnchor() : v->bottomAnchor(); };
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (i == 0)
            head(views[i]).constraintEqualTo(start);
        else
            head(views[i]).constraintEqualTo(tail(views[i - 1]), gap);
        if (i + 1 == views.size())
            tail(views[i]).constraintEqualTo(end);
        else
            tail(views[i]).constraintEqualTo(head(views[i + 1]), -gap);
    }
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

    chain({info, entry, keys}, pad->topAnchor(), pad->bottomAnchor(), 5);
    info->leadingAnchor().constraintEqualTo(pad->leadingAnchor());
    info->trailingAnchor().constraintEqualTo(pad->trailingAnchor());
    for (View* v : {entry, keys}) {
        v->leadingAnchor().constraintEqualTo(info->leadingAnchor());
        v->trailingAnchor().constraintEqualTo(info->trailingAnchor());
    }
    info->heightAnchor().constraintEqualTo(keys->heightAnchor(), 2 / 7.5, 0);
    entry->heightAnchor().constraintEqualTo(keys->heightAnchor(), 1 / 6.0, 0);

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

namespace {

// The keypad's construction: rows stacked with 1-point gaps and keys chained
// with 1-point gaps, every relation stated from both of its sides.
struct Keypad {
    View* container;
    std::vector<View*> rows;
    std::vector<std::vector<View*>> keys;
};

Keypad buildKeypad(View& parent, const std::vector<std::vector<double>>& multipliers) {
    Keypad k;
    k.container = addConstrained(parent);
    for (const auto& row : multipliers) {
        View* r = addConstrained(*k.container);
        k.rows.push_back(r);
        std::vector<View*> keys;
        for (std::size_t j = 0; j < row.size(); ++j) keys.push_back(addConstrained(*r));
        chain(keys, r->leadingAnchor(), r->trailingAnchor(), 1, true);
        for (std::size_t j = 0; j < keys.size(); ++j) {
            keys[j]->topAnchor().constraintEqualTo(r->topAnchor());
            keys[j]->bottomAnchor().constraintEqualTo(r->bottomAnchor());
            keys[j]->widthAnchor().constraintEqualTo(keys[0]->widthAnchor(), row[j], 0);  // key 0: a self-equality
        }
        k.keys.push_back(keys);
    }
    chain(k.rows, k.container->topAnchor(), k.container->bottomAnchor(), 1);
    for (View* r : k.rows) {
        r->leadingAnchor().constraintEqualTo(k.container->leadingAnchor());
        r->trailingAnchor().constraintEqualTo(k.container->trailingAnchor());
        r->heightAnchor().constraintEqualTo(k.rows[0]->heightAnchor());
    }
    return k;
}

void pinEdges(View* v, View* to, double inset = 0) {
    v->topAnchor().constraintEqualTo(to->topAnchor(), inset);
    v->bottomAnchor().constraintEqualTo(to->bottomAnchor(), -inset);
    v->leadingAnchor().constraintEqualTo(to->leadingAnchor(), inset);
    v->trailingAnchor().constraintEqualTo(to->trailingAnchor(), -inset);
}

}  // namespace

TEST(Layout, KeypadRowsAndKeysShareTheSpaceWithOnePointGaps) {
    View root({0, 0, 303, 403});
    Keypad k = buildKeypad(root, {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 0.5, 0.5}});
    pinEdges(k.container, &root);
    layoutIfNeeded(&root);

    expectFrame(k.rows[0], {0, 0, 303, 100});
    expectFrame(k.rows[3], {0, 303, 303, 100});
    expectFrame(k.keys[0][0], {0, 0, 75, 100});
    expectFrame(k.keys[2][3], {228, 0, 75, 100});
    expectFrame(k.keys[3][0], {0, 0, 150.5, 100});
    expectFrame(k.keys[3][1], {151.5, 0, 75.25, 100});
    expectFrame(k.keys[3][2], {227.75, 0, 75.25, 100});

    // Resizing re-solves: the same constraints fit the new size.
    root.setFrame({0, 0, 403, 203});
    layoutIfNeeded(&root);
    expectFrame(k.keys[1][1], {101, 0, 100, 50});
    expectFrame(k.rows[2], {0, 102, 403, 50});
}

// Entry display lines: two cells in a line, and a fraction line below an
// ordinary line whose cells set the height of numerator and denominator.
TEST(Layout, EntryLinesAndFractionsFillTheDisplay) {
    View root({0, 0, 300, 160});
    View* display = addConstrained(root);
    pinEdges(display, &root);
    View* c0 = addConstrained(*display);
    View* c1 = addConstrained(*display);
    View* num = addConstrained(*display);
    View* den = addConstrained(*display);
    for (View* c : {c0, c1}) {
        c->topAnchor().constraintEqualTo(display->topAnchor());
        c->bottomAnchor().constraintEqualTo(num->topAnchor(), -5);
        c->widthAnchor().constraintEqualTo(c0->widthAnchor());
        c->heightAnchor().constraintEqualTo(c0->heightAnchor());
    }
    chain({c0, c1}, display->leadingAnchor(), display->trailingAnchor(), 5, true);
    num->topAnchor().constraintEqualTo(c0->bottomAnchor(), 5);
    num->bottomAnchor().constraintEqualTo(den->topAnchor(), -5);
    den->topAnchor().constraintEqualTo(num->bottomAnchor(), 5);
    den->bottomAnchor().constraintEqualTo(display->bottomAnchor());
    num->leadingAnchor().constraintEqualTo(display->leadingAnchor());
    num->trailingAnchor().constraintEqualTo(display->trailingAnchor());
    den->leadingAnchor().constraintEqualTo(num->leadingAnchor());
    den->trailingAnchor().constraintEqualTo(num->trailingAnchor());
    num->widthAnchor().constraintEqualTo(num->widthAnchor());
    den->widthAnchor().constraintEqualTo(num->widthAnchor());
    num->heightAnchor().constraintEqualTo(den->heightAnchor());
    num->heightAnchor().constraintEqualTo(c0->heightAnchor());
    layoutIfNeeded(&root);

    expectFrame(c0, {0, 0, 147.5, 50});
    expectFrame(c1, {152.5, 0, 147.5, 50});
    expectFrame(num, {0, 55, 300, 50});
    expectFrame(den, {0, 110, 300, 50});
}

TEST(Layout, AContradictingConstraintIsReportedOnceAndDropped) {
    View root({0, 0, 200, 100});
    View* v = addConstrained(root);
    pinEdges(v, &root, 10);
    v->widthAnchor().constraintEqualTo(root.widthAnchor(), 1, -20);  // redundant: agrees
    LayoutConstraint* bad = v->widthAnchor().constraintEqualToConstant(50);
    bad->identifier = "too narrow";
    v->heightAnchor().constraintEqualTo(v->heightAnchor(), 2, 0);  // height = 2 × height: only 0 fits

    testing::internal::CaptureStderr();
    layoutIfNeeded(&root);
    layoutIfNeeded(&root);
    std::string log = testing::internal::GetCapturedStderr();
    expectFrame(v, {10, 10, 180, 80});  // the earlier constraints win
    EXPECT_NE(log.find("too narrow"), std::string::npos);
    EXPECT_EQ(log.find("too narrow"), log.rfind("too narrow"));  // once, not at every pass
    EXPECT_NE(log.find("height"), std::string::npos);

    // A dropped constraint that fits a later size holds again.
    root.setFrame({0, 0, 70, 100});
    testing::internal::CaptureStderr();
    layoutIfNeeded(&root);
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("too narrow"), std::string::npos);
    expectFrame(v, {10, 10, 50, 80});
}

TEST(Layout, IntrinsicSizesFillOnlyWhatTheConstraintsLeaveOpen) {
    struct Sized : View {
        gfx::Size intrinsicContentSize() const override { return {40, 30}; }
    };
    View root({0, 0, 200, 100});
    auto* free = root.add(std::make_unique<Sized>());
    free->setTranslatesAutoresizingMaskIntoConstraints(false);
    free->centerXAnchor().constraintEqualTo(root.centerXAnchor());
    free->centerYAnchor().constraintEqualTo(root.centerYAnchor());
    auto* pinned = root.add(std::make_unique<Sized>());
    pinned->setTranslatesAutoresizingMaskIntoConstraints(false);
    pinEdges(pinned, &root, 5);
    auto* half = root.add(std::make_unique<Sized>());
    half->setTranslatesAutoresizingMaskIntoConstraints(false);
    half->heightAnchor().constraintEqualTo(free->heightAnchor(), 2, 0);
    half->topAnchor().constraintEqualTo(root.topAnchor());
    half->leadingAnchor().constraintEqualTo(root.leadingAnchor());
    // A size that is no number (text in a broken font) counts as none: the frame keeps its own.
    struct Broken : View {
        gfx::Size intrinsicContentSize() const override { return {INFINITY, NAN}; }
    };
    auto* broken = root.add(std::make_unique<Broken>());
    broken->setFrame({1, 2, 3, 4});
    broken->setTranslatesAutoresizingMaskIntoConstraints(false);
    broken->leadingAnchor().constraintEqualTo(root.leadingAnchor(), 10);
    layoutIfNeeded(&root);
    expectFrame(free, {80, 35, 40, 30});
    expectFrame(pinned, {5, 5, 190, 90});
    expectFrame(half, {0, 0, 40, 60});
    expectFrame(broken, {10, 2, 3, 4});
}

TEST(Layout, OpenUnknownsKeepTheirFramesAndNestedFramesAreRelative) {
    View root({0, 0, 400, 400});
    View* loose = addConstrained(root);
    loose->setFrame({7, 8, 9, 10});
    loose->widthAnchor().constraintEqualToConstant(30);

    View* outer = addConstrained(root);
    pinEdges(outer, &root, 20);
    View* fixed = outer->add(std::make_unique<View>(gfx::Rect{10, 10, 50, 50}));  // translates its frame
    View* inner = addConstrained(*outer);
    inner->topAnchor().constraintEqualTo(fixed->bottomAnchor(), 5);
    inner->leadingAnchor().constraintEqualTo(fixed->trailingAnchor());
    inner->trailingAnchor().constraintEqualTo(root.trailingAnchor(), -100);
    inner->bottomAnchor().constraintEqualTo(outer->bottomAnchor());

    struct Counting : View {
        std::vector<const View*>* log;
        void layoutSubviews() override { log->push_back(this); }
    };
    std::vector<const View*> log;
    auto* leaf = inner->add(std::make_unique<Counting>());
    leaf->log = &log;

    layoutIfNeeded(&root);
    expectFrame(loose, {7, 8, 30, 10});
    expectFrame(outer, {20, 20, 360, 360});
    expectFrame(fixed, {10, 10, 50, 50});
    expectFrame(inner, {60, 65, 220, 295});  // window x 80 … 300, y 85 … 380
    EXPECT_EQ(log, std::vector<const View*>{leaf});
}

TEST(Layout, SafeAreaGuideIsTheOwnersBoundsLessItsInsets) {
    View root({0, 0, 390, 844});
    LayoutGuide safe(&root);
    safe.setInsets({91, 0, 34, 0});
    View* pad = addConstrained(root);
    pad->topAnchor().constraintEqualTo(safe.topAnchor(), 5);
    pad->bottomAnchor().constraintEqualTo(safe.bottomAnchor(), -5);
    pad->leadingAnchor().constraintEqualTo(safe.leadingAnchor(), 5);
    pad->trailingAnchor().constraintEqualTo(safe.trailingAnchor(), -5);
    layoutIfNeeded(&root);
    expectFrame(pad, {5, 96, 380, 709});

    safe.setInsets({20, 44, 21, 44});
    layoutIfNeeded(&root);
    expectFrame(pad, {49, 25, 292, 793});
}
