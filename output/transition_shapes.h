#pragma once
// What the transition families share: step counts, turning a pixel's moment into its
// step, random orders, and angles measured cheaply.

#include "output/show_random.h"
#include "output/transition.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace lv::shapes {

// Steps for a transition of free geometry: enough for a smooth motion at any size.
inline int SmoothSteps(int width, int height)
{
    return std::clamp(std::max(width, height) / 8, 8, 240);
}

// The step at which something due at `moment` (0 = start, 1 = end) is drawn.
inline std::uint32_t StepAt(double moment, int steps)
{
    const double s = std::floor(moment * steps);
    return s <= 0 ? 0u : s >= steps - 1 ? std::uint32_t(steps - 1) : std::uint32_t(s);
}

// The moment of step k of n: the end of its share of the transition.
inline double MomentOfStep(int step, int steps)
{
    return double(step + 1) / double(steps);
}

// 0 at the first pixel, 1 at the last, for n pixels in a line.
inline double Across(int position, int n)
{
    return n > 1 ? double(position) / double(n - 1) : 0.0;
}

// Distance from the middle: 0 at the centre, 1 at both ends.
inline double FromMiddle(int position, int n)
{
    return n > 1 ? std::abs(2.0 * position - (n - 1)) / double(n - 1) : 0.0;
}

// The length of (dx, dy); std::hypot guards against overflow at several times the cost.
inline double Length(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

// The direction of (dx, dy) (y down) as a fraction of a turn, clockwise from straight up.
// A polynomial arctangent: within a thousandth of a turn, several times faster than atan2.
double TurnFraction(double dx, double dy);

// Which cell of a columns x rows grid spread evenly over the slide a pixel lies in.
struct EvenGrid {
    int width, height, columns, rows;
    int column(int x) const { return int(std::int64_t(x) * columns / width); }
    int row(int y) const { return int(std::int64_t(y) * rows / height); }
    int left(int c) const { return int((std::int64_t(c) * width + columns - 1) / columns); }
    int top(int r) const { return int((std::int64_t(r) * height + rows - 1) / rows); }
};

// 0 .. n-1 in random order.
std::vector<int> RandomPermutation(int n, ShowRandom& random);

// A transition whose every pixel appears at the moment `moment(x, y)` (0 to 1).
template <class Moment>
std::unique_ptr<Transition> RevealByMoment(int width, int height, int steps, Moment moment)
{
    return std::make_unique<InPlaceReveal>(width, height, steps, [&](int y, std::uint32_t* out) {
        for (int x = 0; x < width; ++x)
            out[x] = StepAt(moment(x, y), steps);
    });
}

// A transition whose every pixel appears at step `step(x, y)`.
template <class Step>
std::unique_ptr<Transition> RevealByStep(int width, int height, int steps, Step step)
{
    return std::make_unique<InPlaceReveal>(width, height, steps, [&](int y, std::uint32_t* out) {
        for (int x = 0; x < width; ++x)
            out[x] = std::uint32_t(step(x, y));
    });
}

}  // namespace lv::shapes
