// Texts laid out in cells: the 3 × 3 box grid of polynomial terms with its
// ruled lower-right block, and the box table of right-aligned entries.
#include <algorithm>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "engine/typesetter_frame.hpp"

namespace tl::typeset {

namespace {

/// The cell of a box grid: the widest term of the ruled block plus a digit.
double boxGridCell(const Frame& f) {
    const Engine_Row& terms = f.row(1);
    double widest = 0;
    for (int k : {5, 6, 8, 9}) widest = std::max(widest, textWidth(at(terms, k), f.wholeAttributes));
    return widest + textWidth("0", f.wholeAttributes);
}

/// The larger of the longest length so far and the text's character count.
std::int64_t longerLength(std::int64_t longest, std::string_view text) {
    return std::max(longest, characterStringCount(text));
}

struct BoxTableShape {
    std::int64_t rows, columns, longest;
};

BoxTableShape boxTableShape(const Frame& f) {
    BoxTableShape s{f.intField(0, 2), f.intField(0, 3), 0};
    const Engine_Row& entries = f.row(1);
    for (std::size_t i = 1; i < entries.size(); ++i) s.longest = longerLength(s.longest, entries[i]);
    return s;
}

}  // namespace

NodeBox measureBoxGridNode(const Frame& f) {
    double cell = boxGridCell(f);
    return {3 * cell, 3 * cell, 3 * cell * 0.5};
}

void drawBoxGridNode(const Frame& f, double x, double y) {
    double cell = boxGridCell(f);
    double h0 = textHeight("0", f.wholeAttributes);
    const Engine_Row& terms = f.row(1);
    const Engine_Row& colours = f.row(2);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            int k = 3 * i + j + 1;
            gfx::Rgba colour = colourNamed(at(colours, k));
            std::string_view text = at(terms, k);
            double tw = textWidth(text, f.wholeAttributes);
            drawTextAt(text, x + (j + 0.5) * cell - tw / 2, y - 1.5 * cell + i * cell + (cell - h0) / 2,
                       f.wholeAttributes, colour);
        }
    }
    if (!canStroke()) return;
    for (int n = 0; n < 3; ++n) {
        strokeSegment(gfx::palette::black, x + cell, y - 0.5 * cell + n * cell, x + 3 * cell, y - 0.5 * cell + n * cell,
                      defaultLineWidth);
        strokeSegment(gfx::palette::black, x + (n + 1) * cell, y - 0.5 * cell, x + (n + 1) * cell, y + 1.5 * cell,
                      defaultLineWidth);
    }
}

NodeBox measureBoxTableNode(const Frame& f) {
    BoxTableShape s = boxTableShape(f);
    double w0 = textWidth("0", f.wholeAttributes);
    std::int64_t digits = checked::sub(checked::mul(s.columns, checked::add(s.longest, 1)), 1);
    double height = static_cast<double>(s.rows) * f.metric.wholeLineHeight;
    return {w0 * static_cast<double>(digits), height, height * 0.5};
}

void drawBoxTableNode(const Frame& f, double x, double y) {
    BoxTableShape s = boxTableShape(f);
    require(s.rows >= 0 && s.columns >= 0, "box table with a negative row or column count");
    // Checked before the loops, so that a table claiming rows it does not
    // have cannot spin through them.
    if (s.columns == 0) return;
    require(checked::mul(s.rows, s.columns) < static_cast<std::int64_t>(f.row(1).size()),
            "box table with fewer entries than cells");
    double w0 = textWidth("0", f.wholeAttributes);
    double columnWidth = w0 * static_cast<double>(s.longest);
    double yOff = f.metric.wholeLineHeight * static_cast<double>(s.rows) * -0.5;
    const Engine_Row& entries = f.row(1);
    const Engine_Row& colours = f.row(2);
    for (std::int64_t i = 0; i < s.rows; ++i) {
        double xOff = 0;
        for (std::int64_t j = 0; j < s.columns; ++j) {
            std::int64_t k = checked::add(checked::add(checked::mul(i, s.columns), j), 1);
            gfx::Rgba colour = colourNamed(at(colours, k));
            std::string_view text = at(entries, k);
            drawTextAt(text, x + xOff + columnWidth - textWidth(text, f.wholeAttributes), y + yOff, f.wholeAttributes,
                       colour);
            xOff += columnWidth + w0;
        }
        yOff += f.metric.wholeLineHeight;
    }
}

}  // namespace tl::typeset
