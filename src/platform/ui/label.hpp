// Labels: one line of plain or attributed text drawn in the label's bounds,
// shrunk to fit the width and the height when asked, truncated at the tail
// with "…" when it still does not fit across.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/color.hpp"
#include "platform/gfx/font.hpp"
#include "platform/ui/view.hpp"

namespace ui {

enum class TextAlignment { left, center, right };

/// Where shrunk text sits vertically: its baseline where the full-size
/// text's baseline would be, or its centre on the bounds' centre.
enum class BaselineAdjustment { alignBaselines, alignCenters };

/// A piece of text with its own font and colour; absent ones take the label's.
struct TextRun {
    std::string text;
    std::optional<gfx::Font> font;
    std::optional<gfx::Rgba> colour;
};

/// Text made of runs, in place of the platform's attributed strings.
struct AttributedText {
    std::vector<TextRun> runs;
    /// The runs' texts, joined.
    std::string string() const;
};

class Label : public View {
public:
    /// A label takes no touches by default: taps fall through to what lies below.
    explicit Label(gfx::Rect frame = {});

    /// The plain text (for attributed text, its runs joined).
    const std::string& text() const { return text_; }
    /// Sets plain text and forgets any attributed text.
    void setText(std::string text);
    const AttributedText& attributedText() const { return attributed_; }
    void setAttributedText(AttributedText text);

    const gfx::Font& font() const { return font_; }
    void setFont(gfx::Font font);
    gfx::Rgba textColor() const { return textColor_; }
    void setTextColor(gfx::Rgba colour);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    /// Text is always drawn on one line; the count is kept for callers that set it.
    int numberOfLines() const { return lines_; }
    void setNumberOfLines(int lines) { lines_ = lines; }

    /// Shrinks the text to fit the bounds: across, and down to its line height.
    bool adjustsFontSizeToFitWidth() const { return adjusts_; }
    void setAdjustsFontSizeToFitWidth(bool value);
    /// The smallest scale shrinking may reach (0: no floor).
    double minimumScaleFactor() const { return minimumScale_; }
    void setMinimumScaleFactor(double scale);
    BaselineAdjustment baselineAdjustment() const { return baseline_; }
    void setBaselineAdjustment(BaselineAdjustment value);

    /// The full-size text's advance and line height.
    gfx::Size intrinsicContentSize() const override;

    /// Where and how the text is drawn in a box of `size`: what drawRect does.
    struct TextLayout {
        double scale = 1;               // the font scale used
        std::vector<TextRun> runs;      // what is drawn, fonts scaled, "…" where cut
        gfx::Point baselineLeft;        // the start of the drawn line's baseline
        double width = 0;               // the drawn line's advance
        std::string shown() const;      // the drawn text
    };
    TextLayout layoutText(gfx::Size size) const;

    void drawRect(gfx::Rect rect) override;
    /// Draws the text as drawRect does, laid out in `box`, with every
    /// colour's alpha multiplied by `alpha`.
    void drawText(gfx::Rect box, double alpha = 1) const;

private:
    std::vector<TextRun> runs() const;  // the text as runs with every font and colour filled in

    std::string text_;
    AttributedText attributed_;  // empty unless set
    gfx::Font font_;
    gfx::Rgba textColor_ = gfx::palette::black;
    TextAlignment alignment_ = TextAlignment::left;
    int lines_ = 1;
    bool adjusts_ = false;
    double minimumScale_ = 0;
    BaselineAdjustment baseline_ = BaselineAdjustment::alignBaselines;
};

}  // namespace ui
