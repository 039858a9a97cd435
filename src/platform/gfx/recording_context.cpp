#include "platform/gfx/recording_context.hpp"

#include <algorithm>
#include <cmath>

#include "base/errors.hpp"

namespace gfx {

namespace {

// The smallest rectangle holding both.
Rect united(const Rect& a, const Rect& b) {
    const double x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.maxX(), b.maxX()) - x, std::max(a.maxY(), b.maxY()) - y};
}

}  // namespace

std::vector<Point> RecordedPath::points() const {
    std::vector<Point> out;
    for (const auto& e : elements)
        if (e.kind == PathElement::Kind::move || e.kind == PathElement::Kind::line) out.push_back(e.point);
    return out;
}

double RecordingContext::Affine::lengthScale() const { return std::sqrt(std::abs(a * d - b * c)); }

std::optional<Rect> RecordingContext::drawnBounds() const {
    std::optional<Rect> bounds;
    const auto addRect = [&](const Rect& r, double reach) {
        const Rect grown{r.x - reach, r.y - reach, r.width + 2 * reach, r.height + 2 * reach};
        bounds = bounds ? united(*bounds, grown) : grown;
    };
    const auto add = [&](Point p, double reach) { addRect({p.x, p.y, 0, 0}, reach); };
    for (const RecordedOp& op : ops_) {
        if (const auto* path = std::get_if<RecordedPath>(&op)) {
            const double half = path->mode == PathMode::fill ? 0 : path->lineWidth / 2;
            for (const PathElement& e : path->elements) {
                if (e.kind == PathElement::Kind::close) continue;
                add(e.point, (e.kind == PathElement::Kind::arc ? e.radius : 0) + half);
            }
        } else if (const auto* rect = std::get_if<RecordedRect>(&op)) {
            addRect(rect->rect, rect->filled ? 0 : rect->lineWidth / 2);
        } else if (const auto* text = std::get_if<RecordedText>(&op)) {
            addRect(text->box, 0);
        }
    }
    return bounds;
}

void RecordingContext::save() { stack_.push_back(state_); }

void RecordingContext::restore() {
    tl::require(!stack_.empty(), "restore without save");
    state_ = stack_.back();
    stack_.pop_back();
}

void RecordingContext::translate(double dx, double dy) {
    auto& t = state_.transform;
    t.tx += t.a * dx + t.c * dy;
    t.ty += t.b * dx + t.d * dy;
}

void RecordingContext::rotate(double radians) {
    auto& t = state_.transform;
    double cs = std::cos(radians), sn = std::sin(radians);
    Affine r = t;
    r.a = t.a * cs + t.c * sn;
    r.b = t.b * cs + t.d * sn;
    r.c = -t.a * sn + t.c * cs;
    r.d = -t.b * sn + t.d * cs;
    t = r;
}

void RecordingContext::scale(double sx, double sy) {
    auto& t = state_.transform;
    t.a *= sx;
    t.b *= sx;
    t.c *= sy;
    t.d *= sy;
}

void RecordingContext::moveTo(Point p) {
    path_.push_back({PathElement::Kind::move, state_.transform.apply(p)});
}

void RecordingContext::lineTo(Point p) {
    path_.push_back({PathElement::Kind::line, state_.transform.apply(p)});
}

void RecordingContext::addArc(Point centre, double radius, double start, double end, bool clockwise) {
    path_.push_back({PathElement::Kind::arc, state_.transform.apply(centre), radius * state_.transform.lengthScale(),
                     start, end, clockwise});
}

void RecordingContext::closePath() { path_.push_back({PathElement::Kind::close, {}}); }

void RecordingContext::drawPath(PathMode mode) {
    ops_.push_back(RecordedPath{std::move(path_), mode, state_.stroke, state_.fill,
                                state_.lineWidth * state_.transform.lengthScale()});
    path_.clear();
}

void RecordingContext::fillRect(Rect r) {
    const Point o = state_.transform.apply(r.origin());
    const double s = state_.transform.lengthScale();
    ops_.push_back(RecordedRect{{o.x, o.y, r.width * s, r.height * s}, true, state_.fill, state_.lineWidth * s});
}

void RecordingContext::strokeRect(Rect r) {
    const Point o = state_.transform.apply(r.origin());
    const double s = state_.transform.lengthScale();
    ops_.push_back(RecordedRect{{o.x, o.y, r.width * s, r.height * s}, false, state_.stroke, state_.lineWidth * s});
}

void RecordingContext::showText(std::string_view line, Point baselineLeft, const Font& font, Rgba colour) {
    const auto& t = state_.transform;
    // The line's box in the text's own frame, then its corners transformed.
    const double left = baselineLeft.x, right = left + font.face().unitAdvance(line) * font.pointSize();
    const double top = baselineLeft.y - font.ascender(), bottom = baselineLeft.y - font.descender();
    const Point start = t.apply({left, top});
    Rect box{start.x, start.y, 0, 0};
    for (Point corner : {Point{right, top}, Point{left, bottom}, Point{right, bottom}}) {
        const Point p = t.apply(corner);
        box = united(box, {p.x, p.y, 0, 0});
    }
    ops_.push_back(RecordedText{std::string(line), t.apply(baselineLeft), std::atan2(t.b, t.a),
                                font.pointSize() * t.lengthScale(), font.kind(), font.weight(), colour, box});
}

}  // namespace gfx
