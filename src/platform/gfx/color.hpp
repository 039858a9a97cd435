// Colours as straight (not premultiplied) RGBA in [0, 1], and the standard palette.
#pragma once

namespace gfx {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
    friend bool operator==(const Rgba&, const Rgba&) = default;
    bool isClear() const { return a <= 0; }
};

namespace palette {
inline constexpr Rgba clear{0, 0, 0, 0};
inline constexpr Rgba white{1, 1, 1, 1};
inline constexpr Rgba black{0, 0, 0, 1};
inline constexpr Rgba lightGray{2.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0, 1};
inline constexpr Rgba gray{0.5, 0.5, 0.5, 1};
inline constexpr Rgba darkGray{1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0, 1};
inline constexpr Rgba red{1, 0, 0, 1};
inline constexpr Rgba green{0, 1, 0, 1};
inline constexpr Rgba blue{0, 0, 1, 1};
inline constexpr Rgba cyan{0, 1, 1, 1};
inline constexpr Rgba magenta{1, 0, 1, 1};
inline constexpr Rgba brown{0.6, 0.4, 0.2, 1};
}  // namespace palette

}  // namespace gfx
