// Transitions with slanted or curved fronts: diagonals, two-pass stripes, envelope flaps,
// a widening cross, rising curtains and rain.

#include "output/transition_families.h"
#include "output/transition_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lv {

using namespace shapes;

TransitionPtr MakeDiagonalIn(int variant, int width, int height)
{
    // Diagonal fronts from two opposite corners meeting on the other diagonal, or from one
    // corner sweeping across.
    return RevealByMoment(width, height, SmoothSteps(width, height), [&](int x, int y) {
        const double u = Across(x, width), v = Across(y, height);
        switch (variant) {
        case 0: return 2 * std::min((u + v) / 2, 1 - (u + v) / 2);
        case 1: return 2 * std::min((1 - u + v) / 2, 1 - (1 - u + v) / 2);
        case 2: return (u + v) / 2;
        default: return (1 - u + v) / 2;
        }
    });
}

TransitionPtr MakeDiagonalPasses(bool firstRow, int variant, int width, int height)
{
    // A diagonal front crosses the slide twice: the first time it leaves every other stripe
    // behind, the second time (back, or again from the start) it fills the stripes between.
    const bool rising = firstRow || variant == 0 || variant == 3;  // fronts from the top-left corner
    const bool back = firstRow || variant == 1 || variant == 3;
    const bool stripesAlongFront = firstRow || variant != 3;
    const int stripe = std::max(2, (width + height) / 40);
    return RevealByMoment(width, height, 2 * SmoothSteps(width, height), [&](int x, int y) {
        const int along = rising ? x + y : (width - 1 - x) + y;
        const double front = double(along) / std::max(1, width + height - 2);
        const int across = stripesAlongFront ? along : x - y + height;
        const bool firstPass = (across / stripe) % 2 == 0;
        if (firstPass)
            return front / 2;
        return 0.5 + (back ? 1 - front : front) / 2;
    });
}

TransitionPtr MakeWrapper(int variant, int width, int height)
{
    // Envelope flaps folding in from the edges: four triangles meeting in the centre, or
    // V-shaped flaps from the top and bottom or from the left and right.
    return RevealByMoment(width, height, SmoothSteps(width, height), [&](int x, int y) {
        const double u = FromMiddle(x, width), v = FromMiddle(y, height);
        switch (variant) {
        case 0: {
            const double nearer = std::max(u, v), farther = std::min(u, v);
            return nearer >= 1 ? 0.0 : (1 - nearer) / (1 - farther);
        }
        case 1: return ((1 - v) + 0.5 * u) / 1.5;
        default: return ((1 - u) + 0.5 * v) / 1.5;
        }
    });
}

TransitionPtr MakeRandomCross(int variant, int width, int height, ShowRandom& random)
{
    // A cross at a random point widens until it covers the slide: upright, or slanted.
    const double px = width * (0.2 + 0.6 * random.fraction()), py = height * (0.2 + 0.6 * random.fraction());
    const double aspect = double(width) / height;
    const auto distance = [&](double x, double y) {
        const double dx = x - px, dy = (y - py) * aspect;
        return variant == 0 ? std::min(std::abs(dx), std::abs(dy)) : std::min(std::abs(dx + dy), std::abs(dx - dy));
    };
    // The upright cross reaches the last pixel at a corner; the slanted one, whose distance
    // is ||dx| - |dy||, where a side's farthest point is level with the centre.
    const double farX = std::max(px, width - px), farY = std::max(py, height - py) * aspect;
    const double farthest = std::max(1.0, variant == 0 ? std::min(farX, farY) : std::max(farX, farY));
    return RevealByMoment(width, height, SmoothSteps(width, height),
                          [&](int x, int y) { return distance(x + 0.5, y + 0.5) / farthest; });
}

TransitionPtr MakeRaiseCurtains(int variant, int width, int height)
{
    const double pi = 3.14159265358979;
    std::vector<double> sag(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        sag[std::size_t(x)] = std::abs(std::sin(pi * 5 * Across(x, width)));
    return RevealByMoment(width, height, SmoothSteps(width, height), [&](int x, int y) {
        const double risen = Across(height - 1 - y, height);  // 0 at the bottom row
        const double u = FromMiddle(x, width);
        switch (variant) {
        case 0:  // one curtain, its hem hanging in five festoons
            return (risen + 0.15 * sag[std::size_t(x)]) / 1.15;
        case 1:  // two curtains drawn apart, held back lower down, so the opening is wider below
            return ((1 - u) + 0.3 * (1 - risen)) / 1.3;
        case 2:  // rising in an arch, the middle first
            return (risen + 0.3 * u * u) / 1.3;
        default: {  // four curtains rising one after another from the left
            const int panel = std::min(3, x * 4 / width);
            return 0.2 * panel + 0.4 * risen;
        }
        }
    });
}

TransitionPtr MakeRandomRain(int variant, int width, int height, ShowRandom& random)
{
    // Columns run down from the top, each starting at a random moment in the first half.
    // Drops as wide on a large screen as on a 640-pixel one, relative to the slide.
    static constexpr int kColumnWidths[] = {2, 6, 16};
    const int columnWidth = kColumnWidths[variant] * std::max(1, width / 640);
    const int columns = (width + columnWidth - 1) / columnWidth;
    std::vector<double> start(static_cast<std::size_t>(columns));
    for (double& s : start)
        s = 0.5 * random.fraction();
    return RevealByMoment(width, height, SmoothSteps(width, height), [&](int x, int y) {
        return start[std::size_t(x / columnWidth)] + 0.5 * Across(y, height);
    });
}

}  // namespace lv
