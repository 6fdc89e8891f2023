// Round transitions and turning lines: ellipses, a web, random circles, rays, the wipe
// and the star.

#include "output/transition_families.h"
#include "output/transition_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lv {

using namespace shapes;

namespace {

constexpr double kSqrt2 = 1.4142135623730951;

// A pixel centre relative to the slide's centre, -1 to 1 across each side.
struct Centred {
    double x, y;
    Centred(int px, int py, int width, int height)
        : x((px + 0.5 - width / 2.0) / (width / 2.0))
        , y((py + 0.5 - height / 2.0) / (height / 2.0))
    {
    }
};

}  // namespace

TransitionPtr MakeCircular(int variant, int width, int height)
{
    // Ellipses of the slide's proportions, clipped to halves or quarters of it.
    const int steps = SmoothSteps(width, height);
    return RevealByMoment(width, height, steps, [&](int px, int py) {
        const Centred p(px, py, width, height);
        const double ax = std::min(std::abs(p.x), 1.0), ay = std::min(std::abs(p.y), 1.0);
        switch (variant) {
        case 0: return Length(ax, ay) / kSqrt2;              // from the centre out
        case 1: return 1 - Length(ax, ay) / kSqrt2;          // from the edges in
        case 2: return Length(1 - ax, 1 - ay) / kSqrt2;      // from the four corners, one per quarter
        case 3: return Length(1 - ax, ay) / kSqrt2;          // from the left and right edges, one per half
        case 4: return Length(ax, 1 - ay) / kSqrt2;          // from the top and bottom edges, one per half
        default: {                                               // from the centre, two quarters at a time
            const bool secondPair = (p.x >= 0) != (p.y >= 0);
            return (secondPair ? 0.5 : 0.0) + Length(ax, ay) / kSqrt2 / 2;
        }
        }
    });
}

TransitionPtr MakeCircularWeb(int variant, int width, int height)
{
    // A thread spun around the centre ring by ring, outwards clockwise or inwards the
    // other way round.
    const int rings = 6;
    const int steps = 144;
    return RevealByMoment(width, height, steps, [&](int px, int py) {
        const Centred p(px, py, width, height);
        const double reach = std::min(Length(p.x, p.y) / kSqrt2, 0.999999);
        const int ring = int(reach * rings);
        const double turn = TurnFraction(p.x * width, p.y * height);
        return variant == 0 ? (ring + turn) / rings : ((rings - 1 - ring) + (1 - turn)) / rings;
    });
}

TransitionPtr MakeRandomCircles(int variant, int width, int height, ShowRandom& random)
{
    // One circle in each cell of a grid, at a random place, starting at a random moment in
    // the first half and growing to 1.5 cells in half the time: every pixel lies within
    // 1.42 cells of its own cell's circle, so all are covered by the end.
    // Large slides work on pixel pairs both ways: a circle's edge steps by two pixels.
    const int grain = std::int64_t(width) * height > 1000000 ? 2 : 1;
    const int gridWidth = (width + grain - 1) / grain, gridHeight = (height + grain - 1) / grain;
    const int cell = std::max(1, std::max(gridWidth, gridHeight) / (variant == 0 ? 6 : 12));
    const double reach = 1.5 * cell;
    std::vector<float> moment(std::size_t(gridWidth) * std::size_t(gridHeight), 1.0f);
    for (int top = 0; top < gridHeight; top += cell)
        for (int left = 0; left < gridWidth; left += cell) {
            const double cx = left + random.fraction() * std::min(cell, gridWidth - left);
            const double cy = top + random.fraction() * std::min(cell, gridHeight - top);
            const double start = 0.5 * random.fraction();
            const int y0 = std::max(0, int(cy - reach)), y1 = std::min(gridHeight - 1, int(cy + reach));
            for (int y = y0; y <= y1; ++y) {
                const double dy = y + 0.5 - cy;
                const double half = std::sqrt(std::max(0.0, reach * reach - dy * dy));
                const int x0 = std::max(0, int(cx - half)), x1 = std::min(gridWidth - 1, int(cx + half));
                float* row = moment.data() + std::size_t(y) * std::size_t(gridWidth);
                // Only a pixel this circle reaches sooner needs the square root.
                const auto scale = float(2 * reach), begin = float(start), dy2 = float(dy * dy);
                for (int x = x0; x <= x1; ++x) {
                    const float dx = float(x + 0.5 - cx);
                    const float sooner = (row[x] - begin) * scale;
                    const float d2 = dx * dx + dy2;
                    if (sooner > 0 && d2 < sooner * sooner)
                        row[x] = begin + std::sqrt(d2) / scale;
                }
            }
        }
    return RevealByMoment(width, height, SmoothSteps(width, height), [&](int x, int y) {
        return moment[std::size_t(y / grain) * std::size_t(gridWidth) + std::size_t(x / grain)];
    });
}

TransitionPtr MakeRandomRays(int variant, int width, int height, ShowRandom& random)
{
    // Rays fan out from a point in a random order, each growing outwards.
    struct Fan {
        double x, y;       // origin
        double from, span;  // directions covered, in turns clockwise from straight up
        int rays;
    };
    const Fan fans[] = {
        {width / 2.0, height / 2.0, 0, 1, 16},
        {width / 2.0, height / 2.0, 0, 1, 32},
        {width / 2.0, 0, 0.25, 0.5, 12},
        {0, double(height), 0, 0.25, 12},
    };
    const Fan& fan = fans[variant];
    const auto order = RandomPermutation(fan.rays, random);
    double farthest = 1;
    for (const double cx : {0.0, double(width)})
        for (const double cy : {0.0, double(height)})
            farthest = std::max(farthest, Length(cx - fan.x, cy - fan.y));
    const int stagger = 2, growing = 16;
    const int steps = (fan.rays - 1) * stagger + growing;
    return RevealByStep(width, height, steps, [&](int x, int y) {
        const double dx = x + 0.5 - fan.x, dy = y + 0.5 - fan.y;
        const double within = std::clamp((TurnFraction(dx, dy) - fan.from) / fan.span, 0.0, 0.999999);
        const int ray = int(within * fan.rays);
        return order[std::size_t(ray)] * stagger + int(StepAt(Length(dx, dy) / farthest, growing));
    });
}

TransitionPtr MakeWipe(int variant, int width, int height)
{
    // A line through the centre turns by 5 degrees a step. Rows above the centre are
    // copied left of the line, rows below it right of the line: the line turns half a turn
    // over the whole slide, or (variant 2) one arm of it a whole turn, over the upper half
    // first and the lower half after.
    const bool wholeTurn = variant == 2;
    const int halfTurnSteps = 36;
    const int steps = wholeTurn ? 2 * halfTurnSteps : halfTurnSteps;
    const double cx = width / 2.0, cy = height / 2.0;
    const double degree = 3.14159265358979 / 180;
    return std::make_unique<InPlaceReveal>(width, height, steps, [&](int y, std::uint32_t* out) {
        const bool upper = y + 0.5 < cy;
        const double arm = std::abs(cy - (y + 0.5));  // distance of the row from the centre
        const int firstStep = wholeTurn && !upper ? halfTurnSteps : 0;
        std::fill(out, out + width, std::uint32_t(steps - 1));
        int done = 0;  // pixels of the row already given a step, counted from the row's start side
        for (int k = 0; k < halfTurnSteps && done < width; ++k) {
            const int angle = 5 * (k + 1);
            int reach = width;
            if (angle < 180) {
                const double line = arm * std::tan((90 - angle) * degree);  // cx minus the line's x (upper rows)
                reach = int(std::clamp(std::lround(cx - line), 0L, long(width)));
                if (!upper)
                    reach = width - int(std::clamp(std::lround(cx + line), 0L, long(width)));
            }
            for (; done < reach; ++done)
                out[upper ? done : width - 1 - done] = std::uint32_t(firstStep + k);
        }
    });
}

TransitionPtr MakeStarOut(int width, int height)
{
    // The figure's sides rise at 60 degrees from the centre: the row at distance d from the
    // middle is copied between inset(d) and its mirror, three rows each way per step, and a
    // last step copies the rest.
    const int n = std::max(width, height) + 3;
    const int growing = (n + 2) / 3;
    const int middle = height / 2;
    return std::make_unique<InPlaceReveal>(width, height, growing + 1, [&](int y, std::uint32_t* out) {
        const int d = std::abs(y - middle);
        const long inset = std::max(0L, long(width / 2) - std::lround(d * std::sqrt(3.0) / 3));
        for (int x = 0; x < width; ++x)
            out[x] = x >= inset && x < width - inset && d < n ? std::uint32_t(d / 3) : std::uint32_t(growing);
    });
}

}  // namespace lv
