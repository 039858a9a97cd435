// Font nodes (a subtree in another family) and unary nodes (a root sign,
// a pair of brackets, or a prefix text around one child).
#include "common/item_texts.hpp"
#include "engine/typesetter.hpp"
#include "engine/typesetter_frame.hpp"
#include "platform/gfx/context.hpp"

namespace tl::typeset {

namespace {

constexpr double kBracketSizeRatio = 1.125;

struct Child {
    std::string_view row;
    NodeBox box;
};

Child unaryChild(const Frame& f) {
    Child c{f.field(1, 1), {}};
    c.box = measureTableNode(f.size, f.weight, f.table, c.row, kDefaultTableFontName);
    return c;
}

/// The bracket font grows with the child; a child without height gets no
/// brackets at all (a font of size 0 has no glyphs to show).
gfx::Font bracketFont(double childHeight) {
    return gfx::Font::monospacedDigit(kBracketSizeRatio * childHeight, gfx::weight::light);
}

}  // namespace

void addFontMeasuredChildren(const Frame& f, std::vector<ChildNode>& out) {
    out.push_back({f.field(1, 1), f.size, f.weight, f.field(0, 1)});
}

void addUnaryMeasuredChildren(const Frame& f, std::vector<ChildNode>& out) {
    out.push_back({f.field(1, 1), f.size, f.weight, kDefaultTableFontName});
}

NodeBox measureFontNode(const Frame& f) {
    return measureTableNode(f.size, f.weight, f.table, f.field(1, 1), f.field(0, 1));
}

void drawFontNode(const Frame& f, double x, double y, DrawPlan& plan) {
    plan.child(x, y, f.size, f.weight, f.field(1, 1), f.field(0, 1));
}

NodeBox measureUnaryNode(const Frame& f) {
    const std::string_view op = f.field(0, 1);
    Child child = unaryChild(f);
    const NodeBox& c = child.box;
    const Metric& m = f.metric;
    switch (unaryGroup(op)) {
        case UnaryGroup::root: {
            double sw = textWidth(rootSign, f.wholeAttributes);
            return {sw + c.width, c.height + 1.25 * m.barSpace, c.baseline + m.barSpace};
        }
        case UnaryGroup::brackets: {
            if (f.field(2, 1) == "invisible" || c.height <= 0) return c;
            gfx::Font font = bracketFont(c.height);
            double lw = textWidth(op.substr(0, 1), font);
            double rw = textWidth(op.substr(op.size() - 1), font);
            return {lw + c.width + rw, c.height, c.baseline};
        }
        case UnaryGroup::prefix:
            return {textWidth(op, f.wholeAttributes) + c.width, c.height, c.baseline};
    }
    return c;
}

void drawUnaryNode(const Frame& f, double x, double y, DrawPlan& plan) {
    const std::string_view op = f.field(0, 1);
    Child child = unaryChild(f);
    const NodeBox& c = child.box;
    const Metric& m = f.metric;
    double top = y - c.baseline;
    double bottom = y - c.baseline + c.height;
    const auto drawChild = [&](double at) {
        plan.child(at, y, f.size, f.weight, child.row, kDefaultTableFontName);
    };
    switch (unaryGroup(op)) {
        case UnaryGroup::root: {
            double sw = textWidth(rootSign, f.wholeAttributes);
            drawChild(x + sw);
            plan.mark([f, op, c, x, top, bottom, sw] {
                const Metric& m = f.metric;
                if (gfx::Context* context = gfx::currentContext()) {
                    context->setStrokeColor(colourNamed(f.field(2, 1)));
                    context->setFillColor(gfx::palette::clear);
                    context->setLineWidth(m.halfBarSpace);
                    context->moveTo({x + sw + c.width, top - m.halfBarSpace});
                    context->lineTo({x + 0.8 * sw, top - m.halfBarSpace});
                    context->lineTo({x + 0.4 * sw, bottom - m.halfBarSpace});
                    context->lineTo({x + 0.1 * sw, bottom - m.halfBarSpace - 0.4 * c.height});
                    context->drawPath(gfx::PathMode::fillStroke);
                }
                if (op != rootSign) {
                    gfx::Font index =
                        gfx::Font::monospacedDigit(kMetric::exponentSizeRatio * f.size, heavierFontWeight(f.weight));
                    drawTextAt(op.substr(op.size() - 1), x + 0.05 * sw, top - m.barSpace, index,
                               colourNamed(f.field(2, 1)));
                }
            });
            return;
        }
        case UnaryGroup::brackets: {
            if (f.field(2, 1) == "invisible" || c.height <= 0) {
                drawChild(x);
                return;
            }
            gfx::Font font = bracketFont(c.height);
            gfx::Rgba colour = colourNamed(f.field(2, 1));
            double d = font.ascender() - font.capHeight();
            std::string_view left = std::string_view(op).substr(0, 1);
            std::string_view right = std::string_view(op).substr(op.size() - 1);
            drawTextAt(left, x, top - d, font, colour);
            double lw = textWidth(left, font);
            drawChild(x + lw);
            plan.mark([right, x = x + lw + c.width, y = top - d, font, colour] { drawTextAt(right, x, y, font, colour); });
            return;
        }
        case UnaryGroup::prefix: {
            double ow = textWidth(op, f.wholeAttributes);
            drawChild(x + ow);
            plan.mark([f, op, x, y = y - m.wholeAscender] {
                drawTextAt(op, x, y, f.wholeAttributes, colourNamed(f.field(2, 1)));
            });
            return;
        }
    }
}

}  // namespace tl::typeset
