#include "engine/typesetter.hpp"

#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/deeper.hpp"
#include "common/drawing.hpp"
#include "common/enums.hpp"
#include "common/records.hpp"
#include "engine/typesetter_frame.hpp"
#include "platform/gfx/context.hpp"
#include "platform/gfx/text.hpp"

namespace tl {

namespace typeset {

const Engine_Row& Frame::absoluteRow(std::int64_t index) const { return at(table, index); }

const Engine_Row& Frame::row(std::int64_t offset) const { return absoluteRow(checked::add(r, offset)); }

std::string_view Frame::field(std::int64_t offset, std::int64_t index) const {
    return at(row(offset), index);
}

std::int64_t Frame::intField(std::int64_t offset, std::int64_t index) const { return parseInt(field(offset, index)); }

gfx::Font familyFont(std::string_view fontName, double size, double weight) {
    return fontName == kMonospacedFontName ? gfx::Font::monospaced(size, weight)
                                           : gfx::Font::monospacedDigit(size, weight);
}

Frame makeFrame(const Engine_Table& table, std::string_view rowText, double size, double weight,
                std::string_view fontName) {
    gfx::Font wholeFont = familyFont(fontName, size, weight);
    gfx::Font fracFont = wholeFont.withSize(kMetric::fractionSizeRatio * size);
    gfx::Font exponentFont = wholeFont.withSize(kMetric::exponentSizeRatio * size);

    const double barSpace = barSpaceFor(size);
    Metric m = makeMetric(size, wholeFont.capHeight(), 0.5 * wholeFont.capHeight(), wholeFont.ascender(),
                          wholeFont.lineHeight(), wholeFont.xHeight(), 0.5 * wholeFont.xHeight(), fracFont.capHeight(),
                          fracFont.ascender(), 2 * fracFont.capHeight() + barSpace, fracFont.pointSize(), barSpace,
                          0.5 * barSpace);
    const gfx::TextAttributes wholeAttributes{wholeFont}, fracAttributes{fracFont};
    return Frame{table, parseInt(rowText), size, weight, fontName, wholeAttributes, fracAttributes, exponentFont, m};
}

double textWidth(std::string_view text, const gfx::Font& font) { return gfx::measureText(text, font).width; }
double textHeight(std::string_view text, const gfx::Font& font) { return gfx::measureText(text, font).height; }

void drawTextAt(std::string_view text, double x, double y, gfx::TextAttributes attributes, gfx::Rgba colour) {
    attributes.foreground = colour;
    gfx::drawText(text, {x, y}, attributes);
}

bool canStroke() { return gfx::currentContext() != nullptr; }

void strokeSegment(gfx::Rgba colour, double x1, double y1, double x2, double y2, double width) {
    gfx::Context* context = gfx::currentContext();
    require(context != nullptr, "stroke without a drawing context");
    drawLine(context, colour, x1, y1, x2, y2, width);
}

}  // namespace typeset

using namespace typeset;

std::string_view defaultTableFontName() { return kDefaultTableFontName; }

double heavierFontWeight(double weight) {
    if (weight == gfx::weight::light) return gfx::weight::medium;
    if (weight == gfx::weight::medium) return gfx::weight::heavy;
    if (weight == gfx::weight::heavy) return gfx::weight::bold;
    return weight;
}

std::string_view tableRootRow(const Engine_Table& table) { return at(at(table, 0), 1); }

/// The boxes measured in one table while a TableMeasures lives. A handler
/// measures the children it places, and every ancestor has measured them
/// already, so without it a chain of n joins would take n² measurements. A
/// box depends on nothing but the table, the node, the size, the weight and
/// the family the font name selects, so a remembered one is exactly the one
/// measuring would give.
class MeasureMemo {
public:
    explicit MeasureMemo(const Engine_Table& table) : table_(table), last_(table.size(), kNone), open_(table.size()) {}

    bool holds(const Engine_Table& table) const { return &table == &table_; }

    const NodeBox* find(std::int64_t row, double size, double weight, std::string_view fontName) const {
        const bool monospaced = fontName == kMonospacedFontName;
        for (std::size_t e = at(last_, row); e != kNone; e = entries_[e].before)
            if (entries_[e].size == size && entries_[e].weight == weight && entries_[e].monospaced == monospaced)
                return &entries_[e].box;
        return nullptr;
    }

    void add(std::int64_t row, double size, double weight, std::string_view fontName, const NodeBox& box) {
        std::size_t& last = at(last_, row);
        entries_.push_back({size, weight, fontName == kMonospacedFontName, box, last});
        last = entries_.size() - 1;
    }

    /// Whether the node at `row` is being measured: its children are.
    bool open(std::int64_t row) const { return at(open_, row); }
    void setOpen(std::int64_t row, bool open) { at(open_, row) = open; }

private:
    static constexpr std::size_t kNone = SIZE_MAX;
    struct Entry {
        double size, weight;
        bool monospaced;  // the family: familyFont
        NodeBox box;
        std::size_t before;  // the row's entry added before this one, or kNone
    };
    const Engine_Table& table_;
    std::vector<std::size_t> last_;  // per row, its entry added last, or kNone
    std::vector<Entry> entries_;
    std::vector<bool> open_;
};

namespace {

bool isCancelKind(std::string_view kind) {
    return kind == "fraction_cancel_numerator_and_denominator" || kind == "fraction_cancel_numerator" ||
           kind == "fraction_cancel_denominator";
}

thread_local MeasureMemo* activeMemo = nullptr;

// Near the top of a tree the passes recurse, which costs least; below
// kRecursionDepth nodes on the way down they keep lists of their own
// instead, so that the stack they take does not grow with the depth of the
// tree.

thread_local int measureDepth = 0;
thread_local int drawDepth = 0;

NodeBox measureFrame(const Frame& f) {
    const std::string_view kind = f.field(0, 0);
    if (kind == "font") return measureFontNode(f);
    if (kind == "unary") return measureUnaryNode(f);
    if (kind == "join") return measureJoinNode(f);
    if (kind == "integer") return measureIntegerNode(f);
    if (kind == "signed_rational") return measureSignedRationalNode(f);
    if (kind == "rational") return measureRationalNode(f);
    if (kind == "message") return measureMessageNode(f);
    if (kind == "block") return measureBlockNode(f);
    if (kind == "whole") return measureWholeNode(f);
    if (kind == "fraction") return measureFractionNode(f);
    if (isCancelKind(kind)) return measureCancelNode(f, kind);
    if (kind == "extended_fraction") return measureExtendedFractionNode(f);
    if (kind == "mixed_number") return measureMixedNumberNode(f);
    if (kind == "box_grid") return measureBoxGridNode(f);
    if (kind == "box_table") return measureBoxTableNode(f);
    if (kind == "plug_in") return measurePlugInNode(f);
    return {};
}

NodeBox measureNode(double size, double weight, const Engine_Table& table, std::string_view row,
                    std::string_view fontName) {
    return measureFrame(makeFrame(table, row, size, weight, fontName));
}

/// The row a node's row text names, when it is one of the table's.
std::optional<std::int64_t> rowIndex(const Engine_Table& table, std::string_view row) {
    const std::optional<std::int64_t> r = tryParseInt(row);
    if (!r || *r < 0 || static_cast<std::size_t>(*r) >= table.size()) return std::nullopt;
    return r;
}

/// The children the measure handler of the frame's node measures. Where the
/// table is broken on the way there are none: the handler then measures them
/// itself and fails where it would.
void measuredChildren(const Frame& f, std::vector<ChildNode>& children) {
    children.clear();
    try {
        const std::string_view kind = f.field(0, 0);
        if (kind == "font") addFontMeasuredChildren(f, children);
        if (kind == "unary") addUnaryMeasuredChildren(f, children);
        if (kind == "join") addJoinMeasuredChildren(f, children);
    } catch (const PreconditionError&) {
        children.clear();
    }
}

/// Measures the node and every node below it that is not measured yet into
/// the memo, each after the children its handler measures, with a list of
/// its own for the nodes on the way down instead of the stack. A node below
/// itself is a broken table.
void measureBelow(MeasureMemo& memo, const Engine_Table& table, const ChildNode& node) {
    struct Pending {
        ChildNode node;
        std::int64_t row;
        bool opened;  // its children are on the list above it, its frame on `frames`
    };
    std::vector<Pending> pending;
    // The frames of the open nodes, the last opened last: each ends before
    // the one that holds it.
    std::vector<Frame> frames;
    std::vector<ChildNode> children;
    const auto push = [&](const ChildNode& n) {
        const std::optional<std::int64_t> r = rowIndex(table, n.row);
        // A row that is no index, or none of the table's, is left for the
        // handler to measure, and fail on.
        if (r && !memo.find(*r, n.size, n.weight, n.fontName)) pending.push_back({n, *r, false});
    };
    push(node);
    try {
        while (!pending.empty()) {
            Pending& top = pending.back();
            if (!top.opened) {
                if (memo.find(top.row, top.node.size, top.node.weight, top.node.fontName)) {
                    pending.pop_back();
                    continue;
                }
                require(!memo.open(top.row), "a table's node stands below itself");
                frames.push_back(makeFrame(table, top.node.row, top.node.size, top.node.weight, top.node.fontName));
                top.opened = true;
                memo.setOpen(top.row, true);
                measuredChildren(frames.back(), children);
                // The first child on top: the nodes are measured in the order
                // recursing would measure them, and a broken one fails first.
                for (auto c = children.rbegin(); c != children.rend(); ++c) push(*c);  // `top` dangles now
                continue;
            }
            // Its children are measured: the handler finds them in the memo.
            memo.add(top.row, top.node.size, top.node.weight, top.node.fontName, measureFrame(frames.back()));
            memo.setOpen(top.row, false);
            frames.pop_back();
            pending.pop_back();
        }
    } catch (...) {
        // The memo may outlive a failure: nothing stays open.
        for (const Pending& p : pending)
            if (p.opened) memo.setOpen(p.row, false);
        throw;
    }
}

using DrawStep = DrawPlan::Step;

/// Draws one node: a leaf at once; a node with children into its plan.
void drawNode(const DrawPlan::Child& c, const Engine_Table& table, DrawPlan& plan) {
    const ChildNode& n = c.node;
    const double x = c.x, y = c.y;
    Frame f = makeFrame(table, n.row, n.size, n.weight, n.fontName);
    const std::string_view kind = f.field(0, 0);
    if (kind == "font") return drawFontNode(f, x, y, plan);
    if (kind == "unary") return drawUnaryNode(f, x, y, plan);
    if (kind == "join") return drawJoinNode(f, x, y, plan);
    if (kind == "integer") return drawIntegerNode(f, x, y);
    if (kind == "signed_rational") return drawSignedRationalNode(f, x, y);
    if (kind == "rational") return drawRationalNode(f, x, y);
    if (kind == "message") return drawMessageNode(f, x, y);
    if (kind == "block") return drawBlockNode(f, x, y);
    if (kind == "whole") return drawWholeNode(f, x, y);
    if (kind == "fraction") return drawFractionNode(f, x, y);
    if (isCancelKind(kind)) return drawCancelNode(f, kind, x, y);
    if (kind == "extended_fraction") return drawExtendedFractionNode(f, x, y);
    if (kind == "mixed_number") return drawMixedNumberNode(f, x, y);
    if (kind == "box_grid") return drawBoxGridNode(f, x, y);
    if (kind == "box_table") return drawBoxTableNode(f, x, y);
    if (kind == "plug_in") return drawPlugInNode(f, x, y);
}

/// Draws the node: recursing near the top of the tree, with a list of its
/// own below. The list holds the steps still to take, the next one last: a
/// node's plan goes on top in reverse, so that it is worked through, children
/// and all, before the steps that follow it, the order in which recursing
/// draws.
void drawChildNode(const DrawPlan::Child& node, const Engine_Table& table) {
    if (drawDepth < kRecursionDepth) {
        const Deeper deeper(drawDepth);
        DrawPlan plan(table, false);
        drawNode(node, table, plan);
        return;
    }
    std::vector<DrawStep> pending{node};
    DrawPlan plan(table, true);
    while (!pending.empty()) {
        DrawStep step = std::move(pending.back());
        pending.pop_back();
        if (const DrawPlan::Mark* mark = std::get_if<DrawPlan::Mark>(&step)) {
            (*mark)();
            continue;
        }
        plan.steps().clear();
        drawNode(std::get<DrawPlan::Child>(step), table, plan);
        std::move(plan.steps().rbegin(), plan.steps().rend(), std::back_inserter(pending));
    }
}

}  // namespace

namespace typeset {

void DrawPlan::drawChild(const Child& c) { drawChildNode(c, table_); }

}  // namespace typeset

TableMeasures::TableMeasures(const Engine_Table& table) {
    if (activeMemo && activeMemo->holds(table)) return;
    memo_ = std::make_unique<MeasureMemo>(table);
    outer_ = activeMemo;
    activeMemo = memo_.get();
}

TableMeasures::~TableMeasures() {
    if (memo_) activeMemo = outer_;
}

NodeBox measureTableNode(double size, double weight, const Engine_Table& table, std::string_view row,
                         std::string_view fontName) {
    const bool remembering = activeMemo && activeMemo->holds(table);
    if (!remembering && measureDepth < kRecursionDepth) {
        const Deeper deeper(measureDepth);
        return measureNode(size, weight, table, row, fontName);
    }
    const std::optional<std::int64_t> r = rowIndex(table, row);
    // A row that is no index, or none of the table's, is measured to fail.
    if (!r) return measureNode(size, weight, table, row, fontName);
    if (measureDepth < kRecursionDepth) {
        // Remembering: a pass that is not has returned above.
        if (const NodeBox* known = activeMemo->find(*r, size, weight, fontName)) return *known;
        NodeBox box;
        {
            const Deeper deeper(measureDepth);
            box = measureNode(size, weight, table, row, fontName);
        }
        activeMemo->add(*r, size, weight, fontName, box);
        return box;
    }
    // A memo of its own where none remembers the table; measureBelow leaves
    // a node that one remembers as it is.
    const TableMeasures measures(table);
    MeasureMemo& memo = *activeMemo;
    measureBelow(memo, table, {row, size, weight, fontName});
    if (const NodeBox* known = memo.find(*r, size, weight, fontName)) return *known;
    return measureNode(size, weight, table, row, fontName);  // not reached: measureBelow measures or throws
}

void drawTableNode(double x, double y, double size, double weight, const Engine_Table& table, std::string_view row,
                   std::string_view fontName) {
    const TableMeasures measures(table);
    drawChildNode({x, y, {row, size, weight, fontName}}, table);
}

}  // namespace tl
