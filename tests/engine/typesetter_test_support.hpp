// Shared fixture of the typesetter tests: fake-metric fonts (every code point
// 0.5 × size wide; ascender 0.8, descender −0.2, cap height 0.7, x-height
// 0.5, line height 1.2, all × size) and a recording context made current.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/tableau.hpp"
#include "engine/typesetter.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/gfx/recording_context.hpp"

namespace tl::testing {

inline void expectBox(const NodeBox& box, double width, double height, double baseline) {
    EXPECT_DOUBLE_EQ(box.width, width);
    EXPECT_DOUBLE_EQ(box.height, height);
    EXPECT_DOUBLE_EQ(box.baseline, baseline);
}

class TypesetterTest : public ::testing::Test {
protected:
    static constexpr double kSize = 30;
    static constexpr double kMedium = 0.23;

    NodeBox measure(const Engine_Table& table, double size = kSize) {
        return measureTableNode(size, kMedium, table, tableRootRow(table));
    }
    void draw(const Engine_Table& table, double x, double y, double size = kSize) {
        drawTableNode(x, y, size, kMedium, table, tableRootRow(table));
    }

    /// A node that takes no room and draws nothing.
    void expectEmpty(const Engine_Table& table, std::string_view what = {}) {
        SCOPED_TRACE(what);
        expectBox(measure(table), 0, 0, 0);
        recorder.clear();
        draw(table, 0, 100);
        EXPECT_TRUE(recorder.ops().empty());
    }

    std::vector<gfx::RecordedText> texts() const { return recorder.texts(); }
    std::vector<gfx::RecordedPath> paths() const { return recorder.paths(); }

    /// The one recorded text equal to `text` (a test failure otherwise).
    gfx::RecordedText textNamed(std::string_view text) const {
        std::vector<gfx::RecordedText> found;
        for (const auto& t : recorder.texts())
            if (t.text == text) found.push_back(t);
        EXPECT_EQ(found.size(), 1u) << "text \"" << text << "\"";
        return found.empty() ? gfx::RecordedText{} : found.front();
    }

    gfx::ScopedFakeFonts fonts;
    gfx::RecordingContext recorder;
    gfx::ContextScope scope{&recorder};
};

inline void expectPoint(gfx::Point p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

/// A segment recorded by a straight-line stroke.
inline void expectSegment(const gfx::RecordedPath& path, double x1, double y1, double x2, double y2, double width) {
    auto points = path.points();
    ASSERT_EQ(points.size(), 2u);
    expectPoint(points[0], x1, y1);
    expectPoint(points[1], x2, y2);
    EXPECT_DOUBLE_EQ(path.lineWidth, width);
}

}  // namespace tl::testing
