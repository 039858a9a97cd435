// The counting flash card: an addition shown as two ten-frames of counters,
// the strategy's title above and the equation below. The back shows blue
// counters moved into the left frame until it holds ten.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/context.hpp"

namespace tl::drills {

/// The four texts of a counting card; all empty for an unknown strategy name.
struct CountTexts {
    std::string frontTitle, backTitle, frontEquation, backEquation;
};

CountTexts countTexts(const std::string& name, std::int64_t first, std::int64_t second);

/// Draws one side of a counting card for a view of `width` × `height`.
void drawCountStrategy(gfx::Context& ctx, std::int64_t first, std::int64_t second, bool front, const std::string& name,
                       double width, double height);

}  // namespace tl::drills
