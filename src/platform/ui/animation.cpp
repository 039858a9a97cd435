#include "platform/ui/animation.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "base/errors.hpp"
#include "platform/ui/view.hpp"
#include "platform/ui/window.hpp"

namespace ui {

namespace {

bool gManual = false;
double gManualTime = 0;

struct Fade {
    ViewHandle view;
    double from = 1, to = 1;
    double start = 0, duration = 0;
};

std::unordered_map<const View*, Fade>& fades() {
    static std::unordered_map<const View*, Fade> map;
    return map;
}

// A fade is over when its time is up or its view is gone (another view may
// since have been made at the same address).
bool over(const View* key, const Fade& fade, double now) {
    return fade.view.get() != key || now >= fade.start + fade.duration;
}

// The fade of `view` if one is running; drops finished or orphaned ones.
const Fade* runningFade(const View& view, double now) {
    auto& map = fades();
    auto it = map.find(&view);
    if (it == map.end()) return nullptr;
    if (over(&view, it->second, now)) {
        map.erase(it);
        return nullptr;
    }
    return &it->second;
}

double presented(const View& view) {
    double now = AnimationClock::now();
    const Fade* fade = runningFade(view, now);
    if (!fade) return view.alpha();
    double t = std::clamp((now - fade->start) / fade->duration, 0.0, 1.0);
    return fade->from + (fade->to - fade->from) * easeInOut(t);
}

void installHook() {
    auto& hook = viewHooks().presentedAlpha;
    if (!hook) hook = [](const View& view) { return presented(view); };
}

void collect(View& view, std::vector<View*>& out) {
    out.push_back(&view);
    for (const auto& sub : view.subviews()) collect(*sub, out);
}

// Cubic Bézier with control points (0.42, 0) and (0.58, 1): the standard ease in-out.
double bezier(double s, double p1, double p2) {
    double u = 1 - s;
    return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
}

}  // namespace

double AnimationClock::now() {
    if (gManual) return gManualTime;
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void AnimationClock::useManualTime(double start) {
    gManual = true;
    gManualTime = start;
}

void AnimationClock::useRealTime() { gManual = false; }
bool AnimationClock::isManual() { return gManual; }

void AnimationClock::set(double seconds) {
    tl::require(gManual, "the animation clock is not driven by hand");
    tl::require(std::isfinite(seconds), "clock time must be finite");
    gManualTime = seconds;
}

void AnimationClock::advance(double seconds) {
    tl::require(seconds >= 0, "the animation clock cannot go back");
    set(gManualTime + seconds);
}

double easeInOut(double t) {
    if (t <= 0) return 0;
    if (t >= 1) return 1;
    // Solve x(s) = t by bisection (x is increasing), then read y(s).
    double lo = 0, hi = 1, s = t;
    for (int i = 0; i < 60; ++i) {
        s = (lo + hi) / 2;
        if (bezier(s, 0.42, 0.58) < t)
            lo = s;
        else
            hi = s;
    }
    return bezier(s, 0, 1);
}

void animate(double duration, const std::function<void()>& block) {
    tl::require(std::isfinite(duration), "animation duration must be finite");
    installHook();
    struct Before {
        ViewHandle handle;
        double model, shown;
    };
    std::vector<Before> before;
    for (Window* window : detail::liveWindows()) {
        std::vector<View*> views;
        collect(*window, views);
        for (View* v : views) before.push_back({v->handle(), v->alpha(), v->presentedAlpha()});
    }
    if (block) block();
    if (duration <= 0) return;

    double now = AnimationClock::now();
    for (const Before& b : before) {
        View* v = b.handle.get();
        if (!v) continue;
        if (v->alpha() == b.shown) {
            // Back to what is shown (or never moved): nothing to animate.
            if (v->alpha() != b.model) fades().erase(v);
            continue;
        }
        if (v->alpha() == b.model) continue;  // untouched by the block; a running fade goes on
        fades()[v] = Fade{b.handle, b.shown, v->alpha(), now, duration};
        v->setNeedsDisplay();
    }
}

bool animationsRunning() {
    double now = AnimationClock::now();
    auto& map = fades();
    std::erase_if(map, [now](const auto& entry) { return over(entry.first, entry.second, now); });
    return !map.empty();
}

void finishAnimations() {
    for (auto& [view, fade] : fades())
        if (View* v = fade.view.get()) v->setNeedsDisplay();
    fades().clear();
}

}  // namespace ui
