// Checks shared by the sweeps and the robustness tests: how much of a long
// run the build can afford, and that a recorded drawing is sound.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/recording_context.hpp"

namespace tl::testing {

/// The sanitizer build runs some 40 times slower: long runs divide their
/// sample sizes by this (the same shapes, fewer repeats).
#ifdef __SANITIZE_ADDRESS__
inline constexpr int kSanitizerSlowdown = 8;
#else
inline constexpr int kSanitizerSlowdown = 1;
#endif

inline bool finitePoint(gfx::Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

/// Every coordinate, size, angle and line width of a recording is finite;
/// returns the drawn texts in order.
inline std::vector<std::string> expectFinite(const gfx::RecordingContext& context, const std::string& what) {
    std::vector<std::string> texts;
    for (const auto& t : context.texts()) {
        EXPECT_TRUE(finitePoint(t.baselineLeft) && std::isfinite(t.size) && std::isfinite(t.rotation))
            << what << ": text " << t.text;
        texts.push_back(t.text);
    }
    for (const auto& path : context.paths()) {
        EXPECT_TRUE(std::isfinite(path.lineWidth)) << what;
        for (const auto& e : path.elements)
            EXPECT_TRUE(finitePoint(e.point) && std::isfinite(e.radius) && std::isfinite(e.start) &&
                        std::isfinite(e.end))
                << what << ": path";
    }
    for (const auto& r : context.rects())
        EXPECT_TRUE(finitePoint({r.rect.x, r.rect.y}) && std::isfinite(r.rect.width) &&
                    std::isfinite(r.rect.height) && std::isfinite(r.lineWidth))
            << what << ": rect";
    return texts;
}

}  // namespace tl::testing
