#include "platform/gfx/cairo_context.hpp"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>

#include "base/errors.hpp"
#include "platform/gfx/pango_fonts.hpp"
#include "platform/gfx/png_file.hpp"

namespace gfx {

namespace {

void setSource(cairo_t* cr, Rgba c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

bool finite(double v) { return std::isfinite(v); }

/// Text set smaller than this many device pixels is left out: it would
/// leave no mark on a pixel.
constexpr double kSmallestDeviceTextSize = 1.0 / 64;

/// How many device pixels a length of one takes under the current
/// transform (the square root of the area a unit square takes).
double deviceScale(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return std::sqrt(std::abs(m.xx * m.yy - m.xy * m.yx));
}

/// Rectangles and text must not disturb a path being built around them:
/// this takes the path aside and puts it back.
class PathAside {
public:
    explicit PathAside(cairo_t* cr) : cr_(cr) {
        if (cairo_has_current_point(cr_)) path_ = cairo_copy_path(cr_);
        cairo_new_path(cr_);
    }
    ~PathAside() {
        cairo_new_path(cr_);
        if (path_) {
            cairo_append_path(cr_, path_);
            cairo_path_destroy(path_);
        }
    }
    PathAside(const PathAside&) = delete;
    PathAside& operator=(const PathAside&) = delete;

private:
    cairo_t* cr_;
    cairo_path_t* path_ = nullptr;
};

}  // namespace

/// Text is set at the reference size under a scale, so how a line is shaped
/// depends only on its face, its text and the Pango context, which takes the
/// scale and rotation in force (not the translation) and the font options of
/// the target, fixed for a Cairo context. Shaping is most of the cost of
/// drawing a line: a layout is made once per line, face and such transform,
/// each transform with a Pango context of its own, and drawn again from then
/// on. (Updating a Pango context lays every layout on it out again, even for
/// the same transform: each context is updated once, when made.)
class CairoContext::ShapedLines {
public:
    ShapedLines() = default;
    ShapedLines(const ShapedLines&) = delete;
    ShapedLines& operator=(const ShapedLines&) = delete;
    ~ShapedLines() { clear(); }

    /// The layout of `line` in `spec`'s face for the transform of `cr`; it
    /// stays ours.
    PangoLayout* layout(cairo_t* cr, const detail::PangoSpec& spec, std::string_view line) {
        cairo_matrix_t m;
        cairo_get_matrix(cr, &m);
        auto transform = transforms_.find({m.xx, m.yx, m.xy, m.yy});
        if (transform == transforms_.end()) {
            if (transforms_.size() >= kMostTransforms) clear();
            PangoContext* context = pango_font_map_create_context(detail::fontMap());
            detail::configure(context);
            pango_cairo_update_context(cr, context);
            transform = transforms_.emplace(Matrix{m.xx, m.yx, m.xy, m.yy}, Transform{context, {}}).first;
        }
        Transform& t = transform->second;
        // The provider keeps every face for the life of the process, so its description names it.
        Lines& lines = t.lines[spec.description];
        if (auto kept = lines.find(line); kept != lines.end()) return kept->second;
        if (count_ >= kMostLines) {
            clear();
            return layout(cr, spec, line);
        }
        PangoLayout* made = detail::newLayout(t.context, spec);
        detail::setLayoutText(made, line);
        lines.emplace(std::string(line), made);
        ++count_;
        return made;
    }

private:
    // Bounds on what is kept: a page holds a few hundred lines in a handful
    // of sizes; past either bound everything goes and is made afresh.
    static constexpr std::size_t kMostLines = 1024;
    static constexpr std::size_t kMostTransforms = 64;

    using Matrix = std::array<double, 4>;  // xx, yx, xy, yy
    struct LineHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using Lines = std::unordered_map<std::string, PangoLayout*, LineHash, std::equal_to<>>;
    struct Transform {
        PangoContext* context;
        std::unordered_map<const PangoFontDescription*, Lines> lines;
    };

    void clear() {
        for (auto& [matrix, t] : transforms_) {
            for (auto& [description, lines] : t.lines)
                for (auto& [text, made] : lines) g_object_unref(made);
            g_object_unref(t.context);
        }
        transforms_.clear();
        count_ = 0;
    }

    std::map<Matrix, Transform> transforms_;
    std::size_t count_ = 0;
};

CairoContext::CairoContext(cairo_t* cr) : cr_(nullptr) {
    tl::require(cr != nullptr, "no Cairo context to draw into");
    // The font map may fail to load: hold nothing until it has.
    static_cast<void>(detail::fontMap());
    shaped_ = std::make_unique<ShapedLines>();
    cr_ = cairo_reference(cr);
}

CairoContext::~CairoContext() {
    // Drawing cut short (by an exception) may leave saves and layers open:
    // close them, so the Cairo context is handed back as it was given.
    while (!stack_.empty()) {
        if (stack_.back().isLayer())
            endTransparencyLayer();
        else
            restore();
    }
    cairo_destroy(cr_);
}

void CairoContext::save() {
    cairo_save(cr_);
    stack_.push_back({state_});
}

void CairoContext::restore() {
    tl::require(!stack_.empty(), "restore without save");
    // Cairo would take this for the layer's own save and stop drawing for good.
    tl::require(!stack_.back().isLayer(), "restore reaches past the start of a transparency layer");
    cairo_restore(cr_);
    state_ = stack_.back().state;
    stack_.pop_back();
}

bool CairoContext::beginTransparencyLayer(double alpha) {
    tl::require(finite(alpha), "layer alpha is not finite");
    cairo_push_group(cr_);  // saves Cairo's state as cairo_save does
    stack_.push_back({state_, std::clamp(alpha, 0.0, 1.0)});
    return true;
}

void CairoContext::endTransparencyLayer() {
    tl::require(!stack_.empty() && stack_.back().isLayer(),
                "endTransparencyLayer without an open layer (or with saves inside it not restored)");
    double alpha = stack_.back().layerAlpha;
    // Restores the state saved at the start, so the layer lands where it was drawn.
    cairo_pop_group_to_source(cr_);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_set_source_rgb(cr_, 0, 0, 0);  // lets the layer's pixels go now
    state_ = stack_.back().state;
    stack_.pop_back();
}

// A transform that cannot be inverted would put the Cairo context into a
// permanent error state (nothing drawn ever after), so it is refused here.
void CairoContext::translate(double dx, double dy) {
    tl::require(finite(dx) && finite(dy), "translation is not finite");
    cairo_translate(cr_, dx, dy);
}

void CairoContext::rotate(double radians) {
    tl::require(finite(radians), "rotation is not finite");
    cairo_rotate(cr_, radians);
}

void CairoContext::scale(double sx, double sy) {
    tl::require(finite(sx) && finite(sy) && sx != 0 && sy != 0, "scale is not finite and non-zero");
    cairo_scale(cr_, sx, sy);
}

void CairoContext::moveTo(Point p) { cairo_move_to(cr_, p.x, p.y); }

void CairoContext::lineTo(Point p) { cairo_line_to(cr_, p.x, p.y); }

void CairoContext::addArc(Point centre, double radius, double start, double end, bool clockwise) {
    // Angles grow clockwise on screen (y points down), which is Cairo's positive direction.
    if (clockwise)
        cairo_arc(cr_, centre.x, centre.y, radius, start, end);
    else
        cairo_arc_negative(cr_, centre.x, centre.y, radius, start, end);
}

void CairoContext::closePath() { cairo_close_path(cr_); }

void CairoContext::fill(bool preserve) {
    setSource(cr_, state_.fill);
    if (preserve)
        cairo_fill_preserve(cr_);
    else
        cairo_fill(cr_);
}

void CairoContext::stroke() {
    setSource(cr_, state_.stroke);
    cairo_set_line_width(cr_, state_.lineWidth);
    cairo_stroke(cr_);
}

void CairoContext::drawPath(PathMode mode) {
    switch (mode) {
        case PathMode::fill:
            fill(false);
            break;
        case PathMode::stroke:
            stroke();
            break;
        case PathMode::fillStroke:
            fill(true);
            stroke();
            break;
    }
}

void CairoContext::fillRect(Rect r) {
    PathAside aside(cr_);
    cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    fill(false);
}

void CairoContext::strokeRect(Rect r) {
    PathAside aside(cr_);
    cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    stroke();
}

void CairoContext::showText(std::string_view line, Point baselineLeft, const Font& font, Rgba colour) {
    double size = font.pointSize();
    // Below a thousandth of a point nothing would show, and the scale could not be inverted.
    if (line.empty() || !(size >= 1e-3) || !finite(size) || !finite(baselineLeft.x) || !finite(baselineLeft.y))
        return;
    // Nor below a small share of a device pixel, where Pango cannot size
    // the colour emoji face (it asks for a negative size and draws nothing).
    if (!(size * deviceScale(cr_) >= kSmallestDeviceTextSize)) return;
    detail::PangoSpec spec = detail::pangoSpecFor(font.face());

    PathAside aside(cr_);
    cairo_save(cr_);
    // Set at the reference size and scaled down, exactly as the advances were measured.
    cairo_translate(cr_, baselineLeft.x, baselineLeft.y);
    double k = size / detail::kReferenceSize;
    cairo_scale(cr_, k, k);
    cairo_move_to(cr_, 0, 0);
    setSource(cr_, colour);

    PangoLayout* layout = shaped_->layout(cr_, spec, line);
    // A layout line is drawn with its baseline's left end at the current point.
    PangoLayoutLine* first = pango_layout_get_line(layout, 0);
    detail::evenDigits(first, pango_layout_get_text(layout), spec.digitWidth);
    pango_cairo_show_layout_line(cr_, first);
    cairo_restore(cr_);
}

// ---------------------------------------------------------------------------

namespace {

int pixels(double points, double scale) {
    double exact = points * scale;
    double rounded = std::round(exact);
    // Sizes such as 0.1 × 3 land a hair above a whole number: don't add a pixel for that.
    return static_cast<int>(std::abs(exact - rounded) < 1e-9 ? rounded : std::ceil(exact));
}

}  // namespace

ImageSurface::ImageSurface(double width, double height, double scale, Start start)
    : width_(width), height_(height), scale_(scale) {
    tl::require(finite(width) && finite(height) && finite(scale) && width > 0 && height > 0 && scale > 0,
                "image size and scale must be positive");
    tl::require(width * scale <= 32767 && height * scale <= 32767, "image is too large");
    const int pixelWidth = pixels(width, scale), pixelHeight = pixels(height, scale);
    const auto refuse = [&](cairo_status_t status) {
        throw tl::PreconditionError("an image of " + std::to_string(pixelWidth) + " × " + std::to_string(pixelHeight) +
                                    " pixels cannot be made: " + cairo_status_to_string(status));
    };
    surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight));
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) refuse(cairo_surface_status(surface_.get()));
    cr_.reset(cairo_create(surface_.get()));
    // A context Cairo could not make would take every drawing without a word.
    if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) refuse(cairo_status(cr_.get()));
    if (start == Start::white) {
        cairo_set_source_rgb(cr_.get(), 1, 1, 1);
        cairo_paint(cr_.get());
    }
    cairo_scale(cr_.get(), scale, scale);
    context_ = std::make_unique<CairoContext>(cr_.get());
}

int ImageSurface::pixelWidth() const { return cairo_image_surface_get_width(surface_.get()); }
int ImageSurface::pixelHeight() const { return cairo_image_surface_get_height(surface_.get()); }

Pixel ImageSurface::pixel(int x, int y) const {
    tl::require(x >= 0 && y >= 0 && x < pixelWidth() && y < pixelHeight(), "pixel outside the image");
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    int stride = cairo_image_surface_get_stride(surface_.get());
    std::uint32_t argb;  // native-endian, premultiplied
    std::memcpy(&argb, data + static_cast<std::ptrdiff_t>(y) * stride + static_cast<std::ptrdiff_t>(x) * 4, 4);
    auto a = static_cast<std::uint8_t>(argb >> 24);
    if (a == 0) return {};
    auto straight = [a](std::uint32_t c) { return static_cast<std::uint8_t>((c * 255 + a / 2) / a); };
    return {straight((argb >> 16) & 0xFF), straight((argb >> 8) & 0xFF), straight(argb & 0xFF), a};
}

cairo_status_t ImageSurface::drawingStatus() const { return cairo_status(cr_.get()); }

tl::WriteResult ImageSurface::writePng(const std::string& path) const {
    // An image whose drawing stopped half-way is no picture to keep.
    if (drawingStatus() != CAIRO_STATUS_SUCCESS)
        return tl::WriteResult::cannotWrite(path, cairo_status_to_string(drawingStatus()));
    return writePngFile(surface_.get(), path);
}

}  // namespace gfx
