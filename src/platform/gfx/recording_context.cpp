#include "platform/gfx/recording_context.hpp"

#include <cmath>

#include "base/errors.hpp"

namespace gfx {

std::vector<Point> RecordedPath::points() const {
    std::vector<Point> out;
    for (const auto& e : elements)
        if (e.kind == PathElement::Kind::move || e.kind == PathElement::Kind::line) out.push_back(e.point);
    return out;
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
    double s = std::sqrt(std::abs(state_.transform.a * state_.transform.d - state_.transform.b * state_.transform.c));
    path_.push_back({PathElement::Kind::arc, state_.transform.apply(centre), radius * s, start, end, clockwise});
}

void RecordingContext::closePath() { path_.push_back({PathElement::Kind::close, {}}); }

void RecordingContext::drawPath(PathMode mode) {
    ops_.push_back(RecordedPath{std::move(path_), mode, state_.stroke, state_.fill, state_.lineWidth});
    path_.clear();
}

void RecordingContext::fillRect(Rect r) {
    Point o = state_.transform.apply(r.origin());
    ops_.push_back(RecordedRect{{o.x, o.y, r.width, r.height}, true, state_.fill, state_.lineWidth});
}

void RecordingContext::strokeRect(Rect r) {
    Point o = state_.transform.apply(r.origin());
    ops_.push_back(RecordedRect{{o.x, o.y, r.width, r.height}, false, state_.stroke, state_.lineWidth});
}

void RecordingContext::showText(std::string_view line, Point baselineLeft, const Font& font, Rgba colour) {
    const auto& t = state_.transform;
    ops_.push_back(RecordedText{std::string(line), t.apply(baselineLeft), std::atan2(t.b, t.a), font.pointSize(),
                                font.kind(), font.weight(), colour});
}

}  // namespace gfx
