// Drawing for real: a Context over a Cairo context, and an image in memory to
// draw into (for headless rendering, PNG output and pixel tests).
//
//     gfx::ImageSurface image(390, 844, 2.0);          // points, scale; starts white
//     gfx::ContextScope scope(&image.context());
//     gfx::drawText("12", {10, 10}, {gfx::Font::system(30)});
//     image.writePng("page.png");
//
// Text is set with the real faces of systemFontProvider() (emoji in colour),
// its first baseline exactly at the point given; with a test's fake fonts the
// glyphs come from the real face of the same kind and weight.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/files.hpp"
#include "platform/gfx/context.hpp"

namespace gfx {

class CairoContext final : public Context {
public:
    /// Draws into `cr` (takes a reference of its own). Its current transform
    /// maps points to device pixels; its path and source are ours from now on.
    explicit CairoContext(cairo_t* cr);
    ~CairoContext() override;
    CairoContext(const CairoContext&) = delete;
    CairoContext& operator=(const CairoContext&) = delete;

    cairo_t* cairo() const { return cr_; }

    void save() override;
    /// A restore without a save, or one that would reach past the start of
    /// the innermost transparency layer, is a broken precondition.
    void restore() override;
    void translate(double dx, double dy) override;
    void rotate(double radians) override;
    void scale(double sx, double sy) override;

    void setStrokeColor(Rgba colour) override { state_.stroke = colour; }
    void setFillColor(Rgba colour) override { state_.fill = colour; }
    void setLineWidth(double width) override { state_.lineWidth = width; }

    void moveTo(Point p) override;
    void lineTo(Point p) override;
    void addArc(Point centre, double radius, double start, double end, bool clockwise) override;
    void closePath() override;
    void drawPath(PathMode mode) override;

    void fillRect(Rect r) override;
    void strokeRect(Rect r) override;

    void showText(std::string_view line, Point baselineLeft, const Font& font, Rgba colour) override;

    /// Always has layers. A layer saves the state as save() does and its end
    /// restores it; saves made inside a layer must be restored before it ends.
    /// `alpha` must be finite and is clamped to [0, 1].
    bool beginTransparencyLayer(double alpha) override;
    void endTransparencyLayer() override;  // without an open layer: a broken precondition

private:
    struct State {
        Rgba stroke = palette::black;
        Rgba fill = palette::black;
        double lineWidth = 1.0;
    };
    /// A saved state, and the alpha of the layer it began (negative for a plain save).
    struct Saved {
        State state;
        double layerAlpha = -1;
        bool isLayer() const { return layerAlpha >= 0; }
    };
    void fill(bool preserve);
    void stroke();

    class ShapedLines;  // the lines set so far, kept to be drawn again

    cairo_t* cr_;
    std::unique_ptr<ShapedLines> shaped_;
    State state_;
    std::vector<Saved> stack_;
};

/// One device pixel, straight (not premultiplied) 8-bit RGBA.
struct Pixel {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

/// An ARGB image of width × height points at `scale` device pixels per point.
class ImageSurface {
public:
    enum class Start { white, transparent };

    /// Width and height must be positive and the pixel size at most 32767 on a
    /// side. An image Cairo cannot make (no memory for its pixels) is a
    /// PreconditionError that names its size in pixels and the reason.
    ImageSurface(double width, double height, double scale = 1.0, Start start = Start::white);
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    /// The context that draws into this image, in points.
    Context& context() { return *context_; }

    Size size() const { return {width_, height_}; }
    double scale() const { return scale_; }
    int pixelWidth() const;
    int pixelHeight() const;
    /// The pixel at device coordinates (x, y); out of range is a broken precondition.
    Pixel pixel(int x, int y) const;

    /// CAIRO_STATUS_SUCCESS, or why drawing into the image failed: Cairo
    /// then ignores all further drawing (say, with no memory for a layer).
    cairo_status_t drawingStatus() const;

    /// Writes the image as PNG, whole or not at all (see png_file.hpp);
    /// fails (saying why) when the file cannot be written or the drawing failed.
    tl::WriteResult writePng(const std::string& path) const;

    cairo_surface_t* cairoSurface() const { return surface_.get(); }

private:
    struct DestroySurface {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct DestroyCairo {
        void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    };

    double width_, height_, scale_;
    // Declared in the order they are made, so they are let go in reverse.
    std::unique_ptr<cairo_surface_t, DestroySurface> surface_;
    std::unique_ptr<cairo_t, DestroyCairo> cr_;
    std::unique_ptr<CairoContext> context_;
};

}  // namespace gfx
