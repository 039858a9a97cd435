#include "platform/gfx/font.hpp"

#include "base/errors.hpp"
#include "platform/gfx/system_fonts.hpp"

namespace gfx {

namespace {
FontProvider* gProvider = nullptr;

Font make(FontKind kind, double size, double weight) {
    auto face = fontProvider().face(kind, weight, {});
    tl::require(face != nullptr, "font provider has no face for a built-in font kind");
    return Font(std::move(face), size);
}
}  // namespace

FontProvider& fontProvider() { return gProvider ? *gProvider : systemFontProvider(); }

ScopedFontProvider::ScopedFontProvider(FontProvider& provider) : previous_(gProvider) { gProvider = &provider; }
ScopedFontProvider::~ScopedFontProvider() { gProvider = previous_; }

Font Font::system(double size, double weight) { return make(FontKind::system, size, weight); }
Font Font::monospaced(double size, double weight) { return make(FontKind::monospaced, size, weight); }
Font Font::monospacedDigit(double size, double weight) { return make(FontKind::monospacedDigit, size, weight); }

std::optional<Font> Font::named(std::string_view name, double size) {
    auto face = fontProvider().face(FontKind::named, weight::regular, name);
    if (!face) return std::nullopt;
    return Font(std::move(face), size);
}

}  // namespace gfx
