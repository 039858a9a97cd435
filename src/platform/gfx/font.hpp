// Fonts: the system font by size and continuous weight, the monospaced font,
// the monospaced-digit font (tabular digits), and named fonts that may be
// absent. A Font is a small value: a shared, immutable face and a size.
//
// Faces come from the process's FontProvider: the real one loads our pinned
// font files; tests install the fake-metrics provider for exact geometry.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gfx {

/// Weights on the continuous scale the layout code speaks (0 is regular).
namespace weight {
inline constexpr double ultraLight = -0.8;
inline constexpr double thin = -0.6;
inline constexpr double light = -0.4;
inline constexpr double regular = 0.0;
inline constexpr double medium = 0.23;
inline constexpr double semibold = 0.3;
inline constexpr double bold = 0.4;
inline constexpr double heavy = 0.56;
inline constexpr double black = 0.62;
}  // namespace weight

enum class FontKind { system, monospaced, monospacedDigit, named };

/// Vertical measures of a face at size 1 (multiply by the point size).
/// `descender` is negative; `lineHeight` = ascender − descender + line gap.
struct UnitMetrics {
    double ascender = 0, descender = 0, capHeight = 0, xHeight = 0, lineHeight = 0;
};

/// One resolved face: its unit metrics and the advance of a single line of
/// text at size 1. Implementations must make `unitAdvance` cheap to call
/// repeatedly (the step view measures its tables at several trial sizes).
class FontFace {
public:
    virtual ~FontFace() = default;
    virtual FontKind kind() const = 0;
    virtual double weight() const = 0;
    virtual const std::string& name() const = 0;
    virtual const UnitMetrics& unitMetrics() const = 0;
    /// Advance width of `line` (no line breaks) at size 1.
    virtual double unitAdvance(std::string_view line) const = 0;
};

class FontProvider {
public:
    virtual ~FontProvider() = default;
    /// The face for a kind and weight; `name` is used only for FontKind::named
    /// and an absent named face gives nullptr.
    virtual std::shared_ptr<const FontFace> face(FontKind kind, double weight, std::string_view name) = 0;
};

/// The process's provider: the real fonts unless a test installs another.
FontProvider& fontProvider();

/// Installs `provider` for the lifetime of this object.
class ScopedFontProvider {
public:
    explicit ScopedFontProvider(FontProvider& provider);
    ~ScopedFontProvider();
    ScopedFontProvider(const ScopedFontProvider&) = delete;
    ScopedFontProvider& operator=(const ScopedFontProvider&) = delete;

private:
    FontProvider* previous_;
};

class Font {
public:
    static Font system(double size, double weight = weight::regular);
    static Font monospaced(double size, double weight = weight::regular);
    static Font monospacedDigit(double size, double weight = weight::regular);
    /// A font by family name, absent when no such face is installed.
    static std::optional<Font> named(std::string_view name, double size);

    Font(std::shared_ptr<const FontFace> face, double size) : face_(std::move(face)), size_(size) {}

    double pointSize() const { return size_; }
    double ascender() const { return face_->unitMetrics().ascender * size_; }
    double descender() const { return face_->unitMetrics().descender * size_; }
    double capHeight() const { return face_->unitMetrics().capHeight * size_; }
    double xHeight() const { return face_->unitMetrics().xHeight * size_; }
    double lineHeight() const { return face_->unitMetrics().lineHeight * size_; }
    double weight() const { return face_->weight(); }
    FontKind kind() const { return face_->kind(); }

    Font withSize(double size) const { return Font(face_, size); }
    const FontFace& face() const { return *face_; }

    friend bool operator==(const Font& a, const Font& b) { return a.face_ == b.face_ && a.size_ == b.size_; }

private:
    std::shared_ptr<const FontFace> face_;
    double size_;
};

}  // namespace gfx
