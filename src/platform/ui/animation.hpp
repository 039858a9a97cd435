// View animation: the alpha fade.
//
//     ui::animate(1.0, [&] { card->setAlpha(0); });
//
// The block runs at once and sets the model values; reading alpha() gives
// the new value straight away. What is drawn (presentedAlpha) moves from the
// value shown before to the new one over the duration on an ease-in-out
// curve. Only views in a window animate; others change at once.
#pragma once

#include <functional>

namespace ui {

/// The time animations run on, in seconds. It is the process's steady clock
/// unless a test or a tool drives it by hand.
class AnimationClock {
public:
    static double now();
    /// Switches to driven time, starting at `start`.
    static void useManualTime(double start = 0);
    static void useRealTime();
    static bool isManual();
    /// Driven time only (a broken precondition on the real clock).
    static void set(double seconds);
    static void advance(double seconds);
};

/// Drives the clock by hand for its lifetime (for tests).
class ScopedManualClock {
public:
    explicit ScopedManualClock(double start = 0) { AnimationClock::useManualTime(start); }
    ~ScopedManualClock() { AnimationClock::useRealTime(); }
    ScopedManualClock(const ScopedManualClock&) = delete;
    ScopedManualClock& operator=(const ScopedManualClock&) = delete;
};

/// Runs `block`, then animates every alpha it changed over `duration` seconds.
void animate(double duration, const std::function<void()>& block);

/// The ease-in-out curve: progress 0…1 of time to progress 0…1 of value.
double easeInOut(double t);

/// Whether any animation is still running (the host keeps redrawing).
bool animationsRunning();
/// Ends every animation: the presented values become the model values.
void finishAnimations();

}  // namespace ui
