// Transitions made of lines: curtains, interlacing, random lines, blinds, combs and boxes.

#include "output/transition_families.h"
#include "output/transition_shapes.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace lv {

using namespace shapes;

TransitionPtr MakeCurtain(int variant, int width, int height)
{
    // Variant 0 is the plain copy: the whole slide in one step.
    class WholeSlide final : public Transition {
    public:
        int stepCount() const override { return 1; }
        void draw(int, int, SlideBlitter& blitter) override { blitter.copyAll(); }
    };
    const int w = width, h = height;
    switch (variant) {
    case 1: return RevealByStep(w, h, h, [&](int, int y) { return y; });
    case 2: return RevealByStep(w, h, h, [&](int, int y) { return h - 1 - y; });
    case 3: return RevealByStep(w, h, w, [&](int x, int) { return x; });
    case 4: return RevealByStep(w, h, w, [&](int x, int) { return w - 1 - x; });
    case 5:
    case 6: return RevealByStep(w, h, (w + 1) / 2, [&](int x, int) { return std::min(x, w - 1 - x); });
    case 7:
    case 8: return RevealByStep(w, h, (h + 1) / 2, [&](int, int y) { return std::min(y, h - 1 - y); });
    default: return std::make_unique<WholeSlide>();
    }
}

namespace {

// Lines or blocks 0..n-1 in the order of the passes: every 4096th first, then at each
// halved spacing those not yet taken, down to spacing 1. `onPass(position, spacing)` tells
// whether a position belongs to a pass.
template <class OnPass>
std::vector<std::uint32_t> RankByPasses(int n, OnPass onPass)
{
    std::vector<std::uint32_t> rank(std::size_t(n), 0);
    std::vector<bool> taken(std::size_t(n), false);
    std::uint32_t next = 0;
    for (int spacing = 4096; spacing >= 1; spacing /= 2)
        for (int i = 0; i < n; ++i)
            if (!taken[std::size_t(i)] && onPass(i, spacing)) {
                taken[std::size_t(i)] = true;
                rank[std::size_t(i)] = next++;
            }
    return rank;
}

}  // namespace

TransitionPtr MakeInterlace(int variant, int width, int height)
{
    const int w = width, h = height;
    if (variant == 0 || variant == 1) {
        const int lines = variant == 0 ? w : h;
        const auto rank = RankByPasses(lines, [](int i, int spacing) { return i % spacing == 0; });
        return RevealByStep(w, h, lines, [&](int x, int y) { return rank[std::size_t(variant == 0 ? x : y)]; });
    }
    const int block = variant <= 3 ? 4 : 8;
    const int columns = (w + block - 1) / block, rows = (h + block - 1) / block;
    const bool byRowAndColumn = variant % 2 == 1;
    const auto rank = RankByPasses(columns * rows, [&](int i, int spacing) {
        const int bx = i % columns, by = i / columns;
        return byRowAndColumn ? bx % spacing == 0 && by % spacing == 0 : (bx + by) % spacing == 0;
    });
    return RevealByStep(w, h, columns * rows,
                        [&](int x, int y) { return rank[std::size_t(y / block * columns + x / block)]; });
}

TransitionPtr MakeRandomLines(int variant, int width, int height, ShowRandom& random)
{
    const int w = width, h = height;
    const int thickness = variant == 2 || variant == 3 ? 4 : variant >= 4 ? 2 : 1;
    // Where each pixel's line lies, and how many lines there are.
    const auto lineOf = [&](int x, int y) {
        switch (variant) {
        case 0:
        case 2: return y / thickness;
        case 1:
        case 3: return x / thickness;
        case 4: return (x - y + h - 1) / thickness;  // falling diagonals
        default: return (x + y) / thickness;         // rising diagonals
        }
    };
    const int lines = variant <= 3 ? lineOf(variant % 2 ? w - 1 : 0, variant % 2 ? 0 : h - 1) + 1
                                   : (w + h - 2) / thickness + 1;
    const auto order = RandomPermutation(lines, random);
    return RevealByStep(w, h, lines, [&](int x, int y) { return order[std::size_t(lineOf(x, y))]; });
}

TransitionPtr MakeWindowBlade(int variant, int width, int height)
{
    const int w = width, h = height;
    const bool across = variant % 2 == 0;  // slats lying across the slide, opening downward or upward
    const int slat = across ? std::max(2, h / 12) : std::max(2, w / 16);
    const auto within = [&](int x, int y) { return (across ? y : x) % slat; };
    if (variant == 2 || variant == 3)  // each slat opens from its middle
        return RevealByStep(w, h, slat / 2 + 1, [&](int x, int y) { return std::abs(2 * within(x, y) - (slat - 1)) / 2; });
    const bool backwards = variant >= 4;
    return RevealByStep(w, h, slat, [&](int x, int y) { return backwards ? slat - 1 - within(x, y) : within(x, y); });
}

TransitionPtr MakeTwoWayInterlace(int variant, int width, int height)
{
    const int w = width, h = height;
    const int rowBand = std::max(1, h / 24), columnBand = std::max(1, w / 32);
    // Alternate bands come in from opposite sides.
    const auto alongRow = [&](int x, int y) { return (y / rowBand) % 2 ? Across(w - 1 - x, w) : Across(x, w); };
    const auto alongColumn = [&](int x, int y) { return (x / columnBand) % 2 ? Across(h - 1 - y, h) : Across(y, h); };
    const int steps = std::max(1, (std::max(variant == 1 ? h : w, variant == 2 ? h : 0) + 3) / 4);
    switch (variant) {
    case 0: return RevealByMoment(w, h, steps, alongRow);
    case 1: return RevealByMoment(w, h, steps, alongColumn);
    default: return RevealByMoment(w, h, steps, [&](int x, int y) { return std::min(alongRow(x, y), alongColumn(x, y)); });
    }
}

TransitionPtr MakeBoxInOut(int variant, int width, int height)
{
    const int w = width, h = height;
    if (variant == 1) {  // square rings from the centre out
        const auto ring = [&](int x, int y) { return std::max(std::abs(2 * x - (w - 1)), std::abs(2 * y - (h - 1))) / 2; };
        return RevealByStep(w, h, (std::max(w, h) - 1) / 2 + 1, ring);
    }
    const int rings = (std::min(w, h) + 1) / 2;
    const auto inset = [&](int x, int y) { return std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y)); };
    if (variant == 0)
        return RevealByStep(w, h, rings, inset);
    return RevealByStep(w, h, rings, [&](int x, int y) { return rings - 1 - inset(x, y); });
}

}  // namespace lv
