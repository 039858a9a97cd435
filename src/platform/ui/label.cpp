#include "platform/ui/label.hpp"

#include <algorithm>
#include <cmath>

#include "base/errors.hpp"
#include "platform/gfx/context.hpp"

namespace ui {

namespace {

constexpr std::string_view kEllipsis = "…";

double advance(const TextRun& run) { return run.font->face().unitAdvance(run.text) * run.font->pointSize(); }

// Length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Byte offsets at which code points start in `s`, plus s.size().
std::vector<std::size_t> codePointStarts(std::string_view s) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < s.size(); i += sequenceLength(static_cast<unsigned char>(s[i])))
        out.push_back(i);
    out.push_back(s.size());
    return out;
}

}  // namespace

std::string AttributedText::string() const {
    std::string out;
    for (const auto& run : runs) out += run.text;
    return out;
}

Label::Label(gfx::Rect frame) : View(frame), font_(gfx::Font::system(17)) { setUserInteractionEnabled(false); }

void Label::setText(std::string text) {
    if (text == text_ && attributed_.runs.empty()) return;
    text_ = std::move(text);
    attributed_.runs.clear();
    setNeedsDisplay();
}

void Label::setAttributedText(AttributedText text) {
    text_ = text.string();
    attributed_ = std::move(text);
    setNeedsDisplay();
}

void Label::setFont(gfx::Font font) {
    font_ = std::move(font);
    setNeedsDisplay();
}

void Label::setTextColor(gfx::Rgba colour) {
    textColor_ = colour;
    setNeedsDisplay();
}

void Label::setTextAlignment(TextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void Label::setAdjustsFontSizeToFitWidth(bool value) {
    adjusts_ = value;
    setNeedsDisplay();
}

void Label::setMinimumScaleFactor(double scale) {
    tl::require(scale >= 0 && scale <= 1, "minimumScaleFactor must lie in 0…1");
    minimumScale_ = scale;
    setNeedsDisplay();
}

void Label::setBaselineAdjustment(BaselineAdjustment value) {
    baseline_ = value;
    setNeedsDisplay();
}

std::vector<TextRun> Label::runs() const {
    if (attributed_.runs.empty()) return {TextRun{text_, font_, textColor_}};
    std::vector<TextRun> out = attributed_.runs;
    for (auto& run : out) {
        if (!run.font) run.font = font_;
        if (!run.colour) run.colour = textColor_;
    }
    return out;
}

gfx::Size Label::intrinsicContentSize() const {
    double width = 0, height = 0;
    for (const auto& run : runs()) {
        width += advance(run);
        height = std::max(height, run.font->lineHeight());
    }
    if (width == 0) return {0, 0};
    return {width, height};
}

Label::TextLayout Label::layoutText(gfx::Size size) const {
    std::vector<TextRun> parts = runs();
    double full = 0, ascender = 0, lineHeight = 0;
    for (const auto& run : parts) {
        full += advance(run);
        ascender = std::max(ascender, run.font->ascender());
        lineHeight = std::max(lineHeight, run.font->lineHeight());
    }

    TextLayout out;
    double available = std::max(size.width, 0.0);
    if (adjusts_) {
        double fit = 1;
        if (full > available && full > 0) fit = available / full;
        if (lineHeight > size.height && lineHeight > 0) fit = std::min(fit, std::max(size.height, 0.0) / lineHeight);
        if (fit < 1) out.scale = std::max(fit, minimumScale_);
    }
    if (out.scale != 1)
        for (auto& run : parts) run.font = run.font->withSize(run.font->pointSize() * out.scale);

    double width = full * out.scale;
    if (width > available + 1e-9) {
        // Keep the longest head that fits with "…" after it.
        std::vector<TextRun> kept;
        width = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const TextRun& run = parts[i];
            double ellipsis = run.font->face().unitAdvance(kEllipsis) * run.font->pointSize();
            if (i + 1 < parts.size() && width + advance(run) + ellipsis <= available + 1e-9) {
                kept.push_back(run);
                width += advance(run);
                continue;
            }
            auto starts = codePointStarts(run.text);
            for (std::size_t n = starts.size() - 1; n-- > 0;) {
                TextRun head{run.text.substr(0, starts[n]) + std::string(kEllipsis), run.font, run.colour};
                if (width + advance(head) <= available + 1e-9) {
                    width += advance(head);
                    kept.push_back(std::move(head));
                    break;
                }
            }
            break;
        }
        parts = std::move(kept);
    }
    out.runs = parts;
    out.width = width;

    // A line taller than the box is centred in it however it is aligned, so
    // text shrunk to the box's height stays inside it.
    double baseline;
    if (baseline_ == BaselineAdjustment::alignCenters || lineHeight > size.height)
        baseline = (size.height - lineHeight * out.scale) / 2 + ascender * out.scale;
    else
        baseline = (size.height - lineHeight) / 2 + ascender;
    double x = 0;
    if (alignment_ == TextAlignment::center) x = (available - width) / 2;
    if (alignment_ == TextAlignment::right) x = available - width;
    out.baselineLeft = {x, baseline};
    return out;
}

std::string Label::TextLayout::shown() const {
    std::string out;
    for (const auto& run : runs) out += run.text;
    return out;
}

void Label::drawRect(gfx::Rect rect) {
    (void)rect;
    drawText(bounds());
}

void Label::drawText(gfx::Rect box, double alpha) const {
    gfx::Context* context = gfx::currentContext();
    if (!context) return;
    TextLayout layout = layoutText(box.size());
    gfx::Point at{box.x + layout.baselineLeft.x, box.y + layout.baselineLeft.y};
    for (const auto& run : layout.runs) {
        gfx::Rgba colour = *run.colour;
        colour.a *= alpha;
        if (!run.text.empty() && run.font->pointSize() > 0) context->showText(run.text, at, *run.font, colour);
        at.x += advance(run);
    }
}

}  // namespace ui
