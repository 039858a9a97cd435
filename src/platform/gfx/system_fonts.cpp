// Placeholder until the Pango-backed provider lands: measures with the fake metrics.
#include "platform/gfx/system_fonts.hpp"

#include "platform/gfx/fake_fonts.hpp"

namespace gfx {

FontProvider& systemFontProvider() {
    static FakeFontProvider provider;
    return provider;
}

}  // namespace gfx
