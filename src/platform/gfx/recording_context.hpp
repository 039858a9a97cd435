// A drawing context that draws nothing and keeps every operation with its
// coordinates, sizes and line widths after the current transform (sizes
// scaled by its area factor), so geometry can be tested exactly without
// pixels.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/gfx/context.hpp"

namespace gfx {

struct PathElement {
    enum class Kind { move, line, arc, close } kind;
    Point point;  // move and line: the point; arc: the centre
    double radius = 0, start = 0, end = 0;
    bool clockwise = false;
    friend bool operator==(const PathElement&, const PathElement&) = default;
};

struct RecordedPath {
    std::vector<PathElement> elements;
    PathMode mode;
    Rgba stroke, fill;
    double lineWidth;
    /// The move and line points in order (arcs and closes left out).
    std::vector<Point> points() const;
};

struct RecordedRect {
    Rect rect;
    bool filled;  // fillRect (true) or strokeRect (false)
    Rgba colour;
    double lineWidth;
};

struct RecordedText {
    std::string text;
    Point baselineLeft;
    double rotation;  // radians of the transform in force
    double size;
    FontKind kind;
    double weight;
    Rgba colour;
    Rect box;  // the line's advance by its ascender and descender, bounding the transformed box
};

using RecordedOp = std::variant<RecordedPath, RecordedRect, RecordedText>;

class RecordingContext final : public Context {
public:
    const std::vector<RecordedOp>& ops() const { return ops_; }
    void clear() { ops_.clear(); }

    /// The recorded operations of one kind, in order.
    std::vector<RecordedPath> paths() const { return only<RecordedPath>(); }
    std::vector<RecordedRect> rects() const { return only<RecordedRect>(); }
    std::vector<RecordedText> texts() const { return only<RecordedText>(); }

    /// The smallest rectangle holding everything drawn: strokes with half
    /// their width, fills, and the texts' boxes; none when nothing was drawn.
    std::optional<Rect> drawnBounds() const;

    void save() override;
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

private:
    struct Affine {
        double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
        Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
        /// How much the transform scales lengths (the root of its area factor).
        double lengthScale() const;
    };
    struct State {
        Affine transform;
        Rgba stroke = palette::black;
        Rgba fill = palette::black;
        double lineWidth = 1.0;
    };
    template <class T>
    std::vector<T> only() const {
        std::vector<T> out;
        for (const auto& op : ops_)
            if (auto* p = std::get_if<T>(&op)) out.push_back(*p);
        return out;
    }

    State state_;
    std::vector<State> stack_;
    std::vector<PathElement> path_;
    std::vector<RecordedOp> ops_;
};

}  // namespace gfx
