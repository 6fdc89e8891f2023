#pragma once
// Plays a transition over its time: step s of n falls due s * T / n milliseconds after the
// start (T the transition time), so each step is followed by its share of T. At every
// screen refresh the steps that have fallen due are drawn together, which keeps a
// transition of many tiny steps on time. Unpaced transitions show one step per refresh.

#include "output/transition.h"

#include <memory>

namespace lv {

inline constexpr int kTransitionTimeMs = 100;

class TransitionPlayer {
public:
    TransitionPlayer() = default;
    TransitionPlayer(std::unique_ptr<Transition> transition, int transitionTimeMs = kTransitionTimeMs);

    // Draws what has fallen due `elapsedMs` after the start; true once every step is drawn.
    bool drawDue(long elapsedMs, SlideBlitter& blitter);
    // Draws the next step alone, whatever its time (for pictures of every step).
    void drawNext(SlideBlitter& blitter);
    // Draws every step still to come.
    void finish(SlideBlitter& blitter);
    bool finished() const { return !transition_ || drawn_ >= transition_->stepCount(); }
    int stepsDrawn() const { return drawn_; }
    int stepCount() const { return transition_ ? transition_->stepCount() : 0; }
    bool paced() const { return !transition_ || transition_->paced(); }

    // When step s of n falls due.
    static long StepDueMs(int step, int steps, int transitionTimeMs);

private:
    std::unique_ptr<Transition> transition_;
    int transitionTimeMs_ = kTransitionTimeMs;
    int drawn_ = 0;
};

}  // namespace lv
