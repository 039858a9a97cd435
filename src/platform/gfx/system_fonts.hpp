// The real font provider: our pinned font files through fontconfig, measured
// with HarfBuzz/FreeType and drawn with Pango on Cairo.
#pragma once

#include "platform/gfx/font.hpp"

namespace gfx {

/// The provider of the installed fonts (a process-wide singleton).
FontProvider& systemFontProvider();

}  // namespace gfx
