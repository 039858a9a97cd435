// The real font provider: our pinned font files through fontconfig, shaped
// with Pango/HarfBuzz (unhinted, so advances scale linearly with the size and
// are cached per face and line) and drawn with Pango on Cairo (see
// cairo_context.hpp). Vertical metrics come from each face's own tables.
#pragma once

#include "platform/gfx/font.hpp"

namespace gfx {

/// The provider of the installed fonts (a process-wide singleton).
FontProvider& systemFontProvider();

}  // namespace gfx
