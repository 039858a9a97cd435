// Drawing whole solutions in sweeps: every page as the step view draws it
// (comment band, fitted tables, navigator) into a recording, which must hold
// only finite coordinates inside the view, no table replaced by the error
// line, and, on the closing page, the answer as a drawn text.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/tableau.hpp"
#include "engine/step_page.hpp"
#include "engine/typesetter.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"
#include "support/recording_checks.hpp"

namespace tl::testing {

/// How much of a sweep runs in this build.
inline constexpr int kSweepDivisor = kSanitizerSlowdown;

/// The step view of a phone (390 × 844) and of a tablet (1024 × 1366) in
/// portrait, inside its 5-point border and under the navigation bar, with the
/// base text size of each.
inline constexpr gfx::Size kPhoneStepView{380, 790};
inline constexpr gfx::Size kTabletStepView{1014, 1312};
inline constexpr double kPhoneBaseSize = 30, kTabletBaseSize = 32;

/// Whether `p` lies in the view, allowing `slack` points for a stroke's
/// width or a shading box's overhang.
inline bool inside(gfx::Point p, gfx::Size view, double slack = 3) {
    return p.x >= -slack && p.y >= -slack && p.x <= view.width + slack && p.y <= view.height + slack;
}

/// Every operation of a recording is finite, every text has a size, and
/// everything lies inside `view`; returns the drawn texts.
inline std::vector<std::string> expectSoundDrawing(const gfx::RecordingContext& context, gfx::Size view,
                                                   const std::string& what) {
    const auto texts = expectFinite(context, what);
    for (const auto& t : context.texts()) {
        EXPECT_GT(t.size, 0) << what << ": " << t.text;
        EXPECT_TRUE(inside(t.baselineLeft, view)) << what << ": text " << t.text << " at " << t.baselineLeft.x
                                                  << ", " << t.baselineLeft.y;
    }
    for (const auto& path : context.paths())
        for (const auto& e : path.elements)
            EXPECT_TRUE(inside(e.point, view)) << what << ": path point " << e.point.x << ", " << e.point.y;
    for (const auto& r : context.rects())
        EXPECT_TRUE(inside({r.rect.x, r.rect.y}, view) && inside({r.rect.x + r.rect.width, r.rect.y + r.rect.height}, view))
            << what << ": rect " << r.rect.x << ", " << r.rect.y << ", " << r.rect.width << " × " << r.rect.height;
    return texts;
}

/// The frame every solution shares: one comment line per page, "🤔" first and
/// "😎" last, no parameters, no empty page. With `measure`, every table of
/// every page also measures to a finite box (to a real width unless it is a
/// blank) and passes the typesetter's check unchanged. Returns whether the
/// frame is whole enough to look into.
inline bool expectWellFormed(const StepTriple& t, const std::string& what, bool measure = true) {
    using Lines = std::vector<std::string>;
    EXPECT_FALSE(t.steps.empty()) << what;
    EXPECT_EQ(t.comments.size(), t.steps.size()) << what;
    if (t.steps.empty() || t.comments.size() != t.steps.size()) return false;
    for (const auto& c : t.comments) EXPECT_EQ(c.size(), 1u) << what;
    EXPECT_EQ(t.comments.front(), Lines{"\U0001F914"}) << what;
    EXPECT_EQ(t.comments.back(), Lines{"\U0001F60E"}) << what;
    EXPECT_EQ(t.parameters, Lines{"NO PARAMETERS"}) << what;
    bool whole = true;
    for (const auto& page : t.steps) {
        whole = whole && !page.empty();
        if (!measure) continue;
        for (const auto& table : page) {
            NodeBox box;
            EXPECT_NO_THROW(box = measureTableNode(30, 0.23, table, tableRootRow(table))) << what;
            EXPECT_TRUE(std::isfinite(box.width) && std::isfinite(box.height)) << what;
            if (table.size() < 2 || table[1] != Engine_Row{"BLANK"}) {
                EXPECT_GT(box.width, 0) << what;
            }
        }
        EXPECT_EQ(typesettableTables(page, 30), page) << what;
    }
    EXPECT_TRUE(whole) << what << ": an empty page";
    return whole;
}

/// Draws every page of `t` at `view` with the base text size `base`;
/// `answer`, when not empty, must be drawn on the closing page.
inline void expectEveryPageDraws(const StepTriple& t, const std::string& what, const std::string& answer = {},
                                 gfx::Size view = kPhoneStepView, double base = kPhoneBaseSize) {
    for (std::size_t p = 0; p < t.steps.size(); ++p) {
        const std::string page = what + " page " + std::to_string(p + 1);
        gfx::RecordingContext context;
        bool drawn = false;
        ASSERT_NO_THROW(drawn = drawStepPage(context, view, t, static_cast<std::int64_t>(p), base)) << page;
        EXPECT_TRUE(drawn) << page;
        const auto texts = expectSoundDrawing(context, view, page);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(kTableErrorText)), 0) << page;
        if (p + 1 == t.steps.size() && !answer.empty()) {
            EXPECT_NE(std::find(texts.begin(), texts.end(), answer), texts.end()) << page << " lacks " << answer;
        }
    }
}

/// A sweep that typesets and draws its pages, with the fake fonts installed.
class SweepWithFonts : public ::testing::Test {
protected:
    gfx::ScopedFakeFonts fonts;
};

}  // namespace tl::testing
