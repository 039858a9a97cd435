// Fonts with fixed, round measures for exact geometry tests: every code point
// advances 0.5 × size (so every digit is as wide as "0"); ascender 0.8,
// descender −0.2, cap height 0.7, x-height 0.5, line height 1.2 (all × size).
// The weight and kind asked for are kept, so tests can check them.
#pragma once

#include <set>
#include <string>

#include "platform/gfx/font.hpp"

namespace gfx {

inline constexpr double kFakeAdvance = 0.5;
inline constexpr UnitMetrics kFakeMetrics{0.8, -0.2, 0.7, 0.5, 1.2};

class FakeFontProvider final : public FontProvider {
public:
    /// Named fonts are present unless listed in `absentNames`.
    explicit FakeFontProvider(std::set<std::string, std::less<>> absentNames = {})
        : absent_(std::move(absentNames)) {}
    std::shared_ptr<const FontFace> face(FontKind kind, double weight, std::string_view name) override;

private:
    std::set<std::string, std::less<>> absent_;
};

/// Installs a FakeFontProvider for the lifetime of the object (for test fixtures).
class ScopedFakeFonts {
public:
    ScopedFakeFonts() : scope_(provider_) {}

private:
    FakeFontProvider provider_;
    ScopedFontProvider scope_;
};

}  // namespace gfx
