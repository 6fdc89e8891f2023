#pragma once
// A transition brings the new slide in over the old screen in a sequence of steps, each
// drawn only with block copies from the slide. After its last step the whole slide shows.

#include "output/slide_blitter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lv {

class Transition {
public:
    virtual ~Transition() = default;
    virtual int stepCount() const = 0;
    // Draws steps first..last (inclusive, first <= last). The screen afterwards is the one
    // drawing each of them in turn would leave, so steps that fall due together are drawn
    // in one go. Steps are drawn in order, each exactly once.
    virtual void draw(int first, int last, SlideBlitter& blitter) = 0;
    // Paced transitions share the transition time out over their steps; the others show
    // one step per screen refresh, as fast as the screen allows.
    virtual bool paced() const { return true; }
};

// Transitions whose pixels appear in place: each pixel of the slide is copied at one step
// and stays. Built from the step of every pixel; drawing a run of steps copies each of
// their rows' runs once, so the work of a transition is about one copy of the slide.
class InPlaceReveal : public Transition {
public:
    // `stepOfRow(y, steps)` fills the step of each pixel of row y (values from 0 to
    // `steps` - 1; larger ones count as the last step).
    using RowSteps = std::function<void(int y, std::uint32_t* steps)>;
    InPlaceReveal(int width, int height, int steps, const RowSteps& stepOfRow);

    int stepCount() const override { return steps_; }
    void draw(int first, int last, SlideBlitter& blitter) override;

private:
    struct Run {
        std::uint16_t y;
        std::uint16_t x0;
        std::uint16_t x1;
    };
    int steps_;
    std::vector<std::uint32_t> firstRun_;  // runs of step s are firstRun_[s] .. firstRun_[s + 1]
    std::vector<Run> runs_;
};

// Transitions whose picture moves: every step draws the whole moving picture, covering all
// an earlier step drew, so drawing a run of steps draws only the last.
class MovingPicture : public Transition {
public:
    void draw(int, int last, SlideBlitter& blitter) final { drawStep(last, blitter); }

protected:
    virtual void drawStep(int step, SlideBlitter& blitter) = 0;
};

}  // namespace lv
