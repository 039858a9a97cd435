// What every typesetter call builds on entry (fonts, measures, the node row)
// and the node handlers the dispatch hands it to. Internal to the typesetter.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/drawing.hpp"
#include "common/layout.hpp"
#include "common/records.hpp"
#include "common/tableau.hpp"
#include "platform/gfx/color.hpp"
#include "platform/gfx/font.hpp"
#include "platform/gfx/text.hpp"

namespace tl::typeset {

/// The working set of one call of either pass.
struct Frame {
    const Engine_Table& table;
    std::int64_t r;  // the node row
    double size;
    double weight;
    std::string_view fontName;
    gfx::TextAttributes wholeAttributes;  // only the whole-size font
    gfx::TextAttributes fracAttributes;   // only the fraction-size font
    gfx::Font exponentFont;
    Metric metric;

    /// Row r + offset (a missing row is a broken table).
    const Engine_Row& row(std::int64_t offset = 0) const;
    /// Field `index` of row r + offset.
    std::string_view field(std::int64_t offset, std::int64_t index) const;
    /// Field `index` of row r + offset, parsed as a decimal integer.
    std::int64_t intField(std::int64_t offset, std::int64_t index) const;
    /// Any row of the table by absolute index.
    const Engine_Row& absoluteRow(std::int64_t index) const;
};

/// A node set below another: its row (the text of a field) and the size,
/// weight and font name it is set at.
struct ChildNode {
    std::string_view row;
    double size, weight;
    std::string_view fontName;
};

/// The children a node's measure handler measures, appended to `out` (the
/// kinds without these have none). Deep in a tree the measuring pass
/// measures them before the node, so that the handler finds each one
/// measured and the pass goes no deeper, however deep the tree (a long sum
/// is a chain of joins as long).
void addJoinMeasuredChildren(const Frame& f, std::vector<ChildNode>& out);
void addUnaryMeasuredChildren(const Frame& f, std::vector<ChildNode>& out);
void addFontMeasuredChildren(const Frame& f, std::vector<ChildNode>& out);

/// What drawing a node with children comes to, in order: its children, each
/// drawn as drawTableNode draws it, and its own marks before, between and
/// after them. Near the top of a tree a plan draws each step as it is given
/// (a child by recursing); deeper down it keeps them, and the drawing pass
/// works through the kept plans with a list of its own, so that the stack
/// does not grow with the depth of the tree.
class DrawPlan {
public:
    struct Child {
        double x, y;
        ChildNode node;
    };
    using Mark = std::function<void()>;
    using Step = std::variant<Child, Mark>;

    DrawPlan(const Engine_Table& table, bool kept) : table_(table), kept_(kept) {}

    void child(double x, double y, double size, double weight, std::string_view row, std::string_view fontName) {
        const Child c{x, y, {row, size, weight, fontName}};
        if (kept_)
            steps_.emplace_back(c);
        else
            drawChild(c);
    }
    template <class Draw>
    void mark(Draw&& draw) {
        if (kept_)
            steps_.emplace_back(Mark(std::forward<Draw>(draw)));
        else
            draw();
    }

    std::vector<Step>& steps() { return steps_; }

private:
    void drawChild(const Child& c);

    const Engine_Table& table_;
    bool kept_;
    std::vector<Step> steps_;
};

/// Builds the working set for a call: the family by font name, the three
/// fonts at the call's weight, the Metric, and the attributes of the whole
/// and fraction fonts.
Frame makeFrame(const Engine_Table& table, std::string_view rowText, double size, double weight,
                std::string_view fontName);

/// The monospaced-digit font, or the monospaced one for "monospaced system".
gfx::Font familyFont(std::string_view fontName, double size, double weight);

double textWidth(std::string_view text, const gfx::Font& font);
double textHeight(std::string_view text, const gfx::Font& font);
inline double textWidth(std::string_view text, const gfx::TextAttributes& a) { return textWidth(text, a.font); }
inline double textHeight(std::string_view text, const gfx::TextAttributes& a) { return textHeight(text, a.font); }

/// Draws `text` with its top-left corner at (x, y): the attributes with the
/// foreground `colour`.
void drawTextAt(std::string_view text, double x, double y, gfx::TextAttributes attributes, gfx::Rgba colour);
inline void drawTextAt(std::string_view text, double x, double y, const gfx::Font& font, gfx::Rgba colour) {
    drawTextAt(text, x, y, gfx::TextAttributes{font}, colour);
}

/// Whether strokes can be drawn now (there is a current context).
bool canStroke();

/// Strokes one segment into the current context (which must exist).
void strokeSegment(gfx::Rgba colour, double x1, double y1, double x2, double y2, double width);

// Node handlers, one pair per kind (the frame's r is the node row). The draw
// handlers of the kinds with children fill a plan; the others draw at once.
NodeBox measureFontNode(const Frame& f);
void drawFontNode(const Frame& f, double x, double y, DrawPlan& plan);
NodeBox measureUnaryNode(const Frame& f);
void drawUnaryNode(const Frame& f, double x, double y, DrawPlan& plan);

NodeBox measureJoinNode(const Frame& f);
void drawJoinNode(const Frame& f, double x, double y, DrawPlan& plan);
NodeBox measureBlockNode(const Frame& f);
void drawBlockNode(const Frame& f, double x, double y);

NodeBox measureIntegerNode(const Frame& f);
void drawIntegerNode(const Frame& f, double x, double y);
NodeBox measureSignedRationalNode(const Frame& f);
void drawSignedRationalNode(const Frame& f, double x, double y);
NodeBox measureRationalNode(const Frame& f);
void drawRationalNode(const Frame& f, double x, double y);
NodeBox measureMessageNode(const Frame& f);
void drawMessageNode(const Frame& f, double x, double y);

NodeBox measureWholeNode(const Frame& f);
void drawWholeNode(const Frame& f, double x, double y);
NodeBox measureFractionNode(const Frame& f);
void drawFractionNode(const Frame& f, double x, double y);
NodeBox measureMixedNumberNode(const Frame& f);
void drawMixedNumberNode(const Frame& f, double x, double y);

NodeBox measureCancelNode(const Frame& f, std::string_view kind);
void drawCancelNode(const Frame& f, std::string_view kind, double x, double y);
NodeBox measureExtendedFractionNode(const Frame& f);
void drawExtendedFractionNode(const Frame& f, double x, double y);

NodeBox measureBoxGridNode(const Frame& f);
void drawBoxGridNode(const Frame& f, double x, double y);
NodeBox measureBoxTableNode(const Frame& f);
void drawBoxTableNode(const Frame& f, double x, double y);

NodeBox measurePlugInNode(const Frame& f);
void drawPlugInNode(const Frame& f, double x, double y);

}  // namespace tl::typeset
