// Join nodes (juxtaposition, the operators, powers, built-up fractions) and
// block nodes (a small column computation with two rules).
#include <algorithm>
#include <array>
#include <optional>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/item_texts.hpp"
#include "engine/number_blocks.hpp"
#include "engine/typesetter.hpp"
#include "engine/typesetter_frame.hpp"

namespace tl::typeset {

namespace {

struct Operand {
    std::optional<std::string_view> row;  // none for a BLANK operand
    NodeBox box;
};

/// The row of an operand; none for a BLANK one where that is allowed.
std::optional<std::string_view> operandRow(const Frame& f, std::int64_t field, bool blankAllowed) {
    const std::string_view text = f.field(1, field);
    if (blankAllowed && text == blankOperand) return std::nullopt;
    return text;
}

Operand operand(const Frame& f, std::int64_t field, std::string_view fontName, bool blankAllowed) {
    const std::optional<std::string_view> row = operandRow(f, field, blankAllowed);
    if (!row) return {};
    return {row, measureTableNode(f.size, f.weight, f.table, *row, fontName)};
}

void drawOperand(const Frame& f, const Operand& o, double x, double y, std::string_view fontName, DrawPlan& plan) {
    if (o.row) plan.child(x, y, f.size, f.weight, *o.row, fontName);
}

/// Side by side on a common baseline: the box reaches the tallest ascent and
/// the deepest descent.
NodeBox sideBySide(const NodeBox& l, double middle, const NodeBox& r) {
    double b = std::max(l.baseline, r.baseline);
    return {l.width + middle + r.width, b + std::max(l.height - l.baseline, r.height - r.baseline), b};
}

std::string operatorText(const Frame& f) { return std::string(" ").append(f.field(0, 1)).append(" "); }

/// How far the exponent's box reaches down into the base's box.
double exponentOverlap(const Frame& f) {
    return f.metric.wholeAscender - f.metric.wholeXHeight - f.exponentFont.descender();
}

/// An operand as measureJoinNode measures it, for the measuring pass.
void addOperand(const Frame& f, std::int64_t field, std::string_view fontName, bool blankAllowed,
                std::vector<ChildNode>& out) {
    if (const std::optional<std::string_view> row = operandRow(f, field, blankAllowed))
        out.push_back({*row, f.size, f.weight, fontName});
}

}  // namespace

void addJoinMeasuredChildren(const Frame& f, std::vector<ChildNode>& out) {
    switch (joinLayout(f.field(0, 1))) {
        case JoinLayout::juxtaposition:
            addOperand(f, 1, f.fontName, true, out);
            addOperand(f, 2, f.fontName, true, out);
            return;
        case JoinLayout::op:
            addOperand(f, 1, kDefaultTableFontName, true, out);
            addOperand(f, 2, kDefaultTableFontName, true, out);
            return;
        case JoinLayout::power:
            addOperand(f, 1, kDefaultTableFontName, false, out);
            out.push_back({f.field(1, 2), f.exponentFont.pointSize(), f.weight, kDefaultTableFontName});
            return;
        case JoinLayout::fraction:
            addOperand(f, 1, kDefaultTableFontName, false, out);
            addOperand(f, 2, kDefaultTableFontName, false, out);
            return;
        case JoinLayout::none:
            return;
    }
}

NodeBox measureJoinNode(const Frame& f) {
    switch (joinLayout(f.field(0, 1))) {
        case JoinLayout::juxtaposition: {
            Operand l = operand(f, 1, f.fontName, true);
            Operand r = operand(f, 2, f.fontName, true);
            return sideBySide(l.box, 0, r.box);
        }
        case JoinLayout::op: {
            double tw = textWidth(operatorText(f), f.wholeAttributes);
            Operand l = operand(f, 1, kDefaultTableFontName, true);
            Operand r = operand(f, 2, kDefaultTableFontName, true);
            return sideBySide(l.box, tw, r.box);
        }
        case JoinLayout::power: {
            Operand base = operand(f, 1, kDefaultTableFontName, false);
            NodeBox e = measureTableNode(f.exponentFont.pointSize(), f.weight, f.table, f.field(1, 2),
                                         kDefaultTableFontName);
            double o = exponentOverlap(f);
            const NodeBox& b = base.box;
            return {b.width + e.width, b.height + e.height - o, b.baseline + e.height - o};
        }
        case JoinLayout::fraction: {
            NodeBox n = operand(f, 1, kDefaultTableFontName, false).box;
            NodeBox d = operand(f, 2, kDefaultTableFontName, false).box;
            const Metric& m = f.metric;
            return {std::max(n.width, d.width), n.height + d.height + m.barSpace,
                    n.height + m.wholeHalfXHeight + m.halfBarSpace};
        }
        case JoinLayout::none:
            break;
    }
    return {};
}

void drawJoinNode(const Frame& f, double x, double y, DrawPlan& plan) {
    const Metric& m = f.metric;
    switch (joinLayout(f.field(0, 1))) {
        case JoinLayout::juxtaposition: {
            Operand l = operand(f, 1, f.fontName, true);
            Operand r = operand(f, 2, f.fontName, true);
            drawOperand(f, l, x, y, f.fontName, plan);
            drawOperand(f, r, x + l.box.width, y, f.fontName, plan);
            return;
        }
        case JoinLayout::op: {
            std::string t = operatorText(f);
            double tw = textWidth(t, f.wholeAttributes);
            Operand l = operand(f, 1, kDefaultTableFontName, true);
            Operand r = operand(f, 2, kDefaultTableFontName, true);
            drawOperand(f, l, x, y, kDefaultTableFontName, plan);
            drawOperand(f, r, x + l.box.width + tw, y, kDefaultTableFontName, plan);
            plan.mark([f, t = std::move(t), x = x + l.box.width, y = y - m.wholeAscender] {
                drawTextAt(t, x, y, f.wholeAttributes, colourNamed(f.field(2, 1)));
            });
            return;
        }
        case JoinLayout::power: {
            Operand base = operand(f, 1, kDefaultTableFontName, false);
            const std::string_view exponentRow = f.field(1, 2);
            double exponentSize = f.exponentFont.pointSize();
            NodeBox e = measureTableNode(exponentSize, f.weight, f.table, exponentRow, kDefaultTableFontName);
            double o = exponentOverlap(f);
            drawOperand(f, base, x, y, kDefaultTableFontName, plan);
            // Small text reads better a weight heavier; the box was measured
            // at the plain weight.
            plan.child(x + base.box.width, y - base.box.baseline + o - e.height + e.baseline, exponentSize,
                       heavierFontWeight(f.weight), exponentRow, kDefaultTableFontName);
            return;
        }
        case JoinLayout::fraction: {
            Operand n = operand(f, 1, kDefaultTableFontName, false);
            Operand d = operand(f, 2, kDefaultTableFontName, false);
            double w = std::max(n.box.width, d.box.width);
            drawOperand(f, n, x + (w - n.box.width) * 0.5,
                        y - (m.wholeHalfXHeight + n.box.height - n.box.baseline + m.halfBarSpace),
                        kDefaultTableFontName, plan);
            drawOperand(f, d, x + (w - d.box.width) * 0.5, y - m.wholeHalfXHeight + m.halfBarSpace + d.box.baseline,
                        kDefaultTableFontName, plan);
            plan.mark([f, x, y = y - m.wholeHalfXHeight, w] {
                if (canStroke()) strokeSegment(colourNamed(f.field(2, 1)), x, y, x + w, y, f.metric.halfBarSpace);
            });
            return;
        }
        case JoinLayout::none:
            return;
    }
}

namespace {

/// The rows of a column computation (e1 op e2) rel e3: the outer join j, the
/// inner join k and the three number entries.
struct BlockRows {
    std::int64_t j, k, e1, e2, e3;
};

BlockRows blockRows(const Frame& f) {
    BlockRows b{};
    b.j = f.intField(0, 1);
    const Engine_Row& outerLocator = f.absoluteRow(checked::add(b.j, 1));
    b.k = parseInt(at(outerLocator, 1));
    const Engine_Row& innerLocator = f.absoluteRow(checked::add(b.k, 1));
    b.e1 = parseInt(at(innerLocator, 1));
    b.e2 = parseInt(at(innerLocator, 2));
    b.e3 = parseInt(at(outerLocator, 2));
    return b;
}

struct BlockLayout {
    BlockRows rows;
    std::array<NumberBlockMeasure, 3> entries;
    double wholeColumn = 0, fractionColumn = 0;
    std::string op;
    double opWidth = 0;
};

BlockLayout blockLayout(const Frame& f) {
    BlockLayout l;
    l.rows = blockRows(f);
    std::array<std::int64_t, 3> e{l.rows.e1, l.rows.e2, l.rows.e3};
    for (std::size_t i = 0; i < 3; ++i) {
        l.entries[i] = measureNumberBlock(f.absoluteRow(e[i]), f.wholeAttributes, f.fracAttributes);
        l.wholeColumn = std::max(l.wholeColumn, l.entries[i].wholeWidth);
        l.fractionColumn = std::max(l.fractionColumn, l.entries[i].fractionWidth);
    }
    l.op = std::string(at(f.absoluteRow(l.rows.k), 1)) + " ";
    l.opWidth = textWidth(l.op, f.wholeAttributes);
    return l;
}

}  // namespace

NodeBox measureBlockNode(const Frame& f) {
    BlockLayout l = blockLayout(f);
    const Metric& m = f.metric;
    double h = l.entries[0].height + l.entries[1].height + l.entries[2].height + 5 * m.barSpace;
    return {l.opWidth + l.wholeColumn + l.fractionColumn, h, 0.5 * h + m.wholeHalfXHeight - m.halfBarSpace - m.barSpace};
}

void drawBlockNode(const Frame& f, double x, double y) {
    BlockLayout l = blockLayout(f);
    const Metric& m = f.metric;
    std::array<std::int64_t, 3> e{l.rows.e1, l.rows.e2, l.rows.e3};
    std::array<double, 3> ys{y - m.fracHeight - m.barSpace, y, y + m.fracHeight + 2 * m.barSpace};
    for (std::size_t i = 0; i < 3; ++i) {
        drawNumberBlockEntry(f.absoluteRow(e[i]), f.absoluteRow(checked::add(e[i], 1)), f.wholeAttributes,
                             f.fracAttributes, {l.entries[i].wholeWidth, l.entries[i].fractionWidth}, m, x + l.opWidth,
                             ys[i], l.wholeColumn, l.fractionColumn);
    }
    drawTextAt(l.op, x, y - m.wholeAscender, f.wholeAttributes,
               colourNamed(at(f.absoluteRow(checked::add(l.rows.k, 2)), 1)));
    gfx::Rgba rule = colourNamed(at(f.absoluteRow(checked::add(l.rows.j, 2)), 1));
    if (canStroke()) {
        double x1 = x + l.opWidth;
        double x2 = x1 + l.wholeColumn + l.fractionColumn;
        double y1 = y - m.wholeHalfXHeight + m.fracCapHeight + 1.5 * m.barSpace;
        double y2 = y1 + m.fracHeight + 2 * m.barSpace;
        strokeSegment(rule, x1, y1, x2, y1, m.halfBarSpace);
        strokeSegment(rule, x1, y2, x2, y2, m.halfBarSpace);
    }
}

}  // namespace tl::typeset
