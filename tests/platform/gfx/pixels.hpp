// Comparing pixels read back from an image surface.
#pragma once

#include <cstdlib>

#include "platform/gfx/cairo_context.hpp"

namespace gfx {

/// Equal but for rounding (each colour channel within one).
inline bool isNear(Pixel p, Pixel q) {
    return p.a == q.a && std::abs(p.r - q.r) <= 1 && std::abs(p.g - q.g) <= 1 && std::abs(p.b - q.b) <= 1;
}

}  // namespace gfx
