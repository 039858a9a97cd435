// The drawing context, in place of the platform's graphics context.
//
// Paths are built with moveTo/lineTo/addArc/closePath and consumed by
// drawPath. Colours and line width are state that stays set (save/restore
// push and pop it together with the transform). Text runs are drawn by
// showText with their baseline's left end at a point.
//
// There is a "current context", which may be absent: measuring works without
// one, and callers skip strokes when there is none.
#pragma once

#include <string_view>

#include "platform/gfx/color.hpp"
#include "platform/gfx/font.hpp"
#include "platform/gfx/geometry.hpp"

namespace gfx {

enum class PathMode { fill, stroke, fillStroke };

class Context {
public:
    virtual ~Context() = default;

    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(double dx, double dy) = 0;
    virtual void rotate(double radians) = 0;
    virtual void scale(double sx, double sy) = 0;

    virtual void setStrokeColor(Rgba colour) = 0;
    virtual void setFillColor(Rgba colour) = 0;
    virtual void setLineWidth(double width) = 0;

    virtual void moveTo(Point p) = 0;
    virtual void lineTo(Point p) = 0;
    /// Circular arc around `centre` from angle `start` to `end` (radians,
    /// measured from +x towards +y, i.e. clockwise on screen when increasing).
    virtual void addArc(Point centre, double radius, double start, double end, bool clockwise) = 0;
    virtual void closePath() = 0;
    /// Draws and consumes the current path with the current colours and width.
    virtual void drawPath(PathMode mode) = 0;

    virtual void fillRect(Rect r) = 0;    // with the fill colour
    virtual void strokeRect(Rect r) = 0;  // with the stroke colour and width

    /// One line of text (no line breaks) with its baseline's left end at `baselineLeft`.
    virtual void showText(std::string_view line, Point baselineLeft, const Font& font, Rgba colour) = 0;

    /// Starts drawing into an offscreen layer that endTransparencyLayer
    /// composites with `alpha` as a whole (a view's group opacity). Returns
    /// false when the context has no layers; the caller then fades each
    /// colour instead and must not call endTransparencyLayer.
    virtual bool beginTransparencyLayer(double alpha) {
        (void)alpha;
        return false;
    }
    virtual void endTransparencyLayer() {}
};

/// The current context, or nullptr when there is none.
Context* currentContext();

/// Makes `context` current for the lifetime of this object (nests).
class ContextScope {
public:
    explicit ContextScope(Context* context);
    ~ContextScope();
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    Context* previous_;
};

}  // namespace gfx
