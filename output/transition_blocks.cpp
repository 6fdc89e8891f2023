// Transitions made of blocks and rectangles: spiral, grid, pop-up windows, dissolves,
// checkerboard, corner and expanding boxes.

#include "output/transition_families.h"
#include "output/transition_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lv {

using namespace shapes;

namespace {

// The cells of a columns x rows grid along a rectangular spiral from the top-left corner
// inwards, clockwise: the rank of each cell, row by row.
std::vector<std::uint32_t> SpiralRanks(int columns, int rows)
{
    std::vector<std::uint32_t> rank(std::size_t(columns) * std::size_t(rows), 0);
    int left = 0, top = 0, right = columns - 1, bottom = rows - 1;
    std::uint32_t next = 0;
    const auto take = [&](int c, int r) { rank[std::size_t(r) * std::size_t(columns) + std::size_t(c)] = next++; };
    while (left <= right && top <= bottom) {
        for (int c = left; c <= right; ++c)
            take(c, top);
        for (int r = top + 1; r <= bottom; ++r)
            take(right, r);
        if (top < bottom)
            for (int c = right - 1; c >= left; --c)
                take(c, bottom);
        if (left < right)
            for (int r = bottom - 1; r > top; --r)
                take(left, r);
        ++left, ++top, --right, --bottom;
    }
    return rank;
}

}  // namespace

TransitionPtr MakeSpiral(int variant, int width, int height)
{
    const int block = variant <= 1 ? 8 : 16;
    const int columns = (width + block - 1) / block, rows = (height + block - 1) / block;
    const int cells = columns * rows;
    const auto rank = SpiralRanks(columns, rows);
    const bool outwards = variant % 2 == 1;
    return RevealByStep(width, height, cells, [&](int x, int y) {
        const std::uint32_t r = rank[std::size_t(y / block) * std::size_t(columns) + std::size_t(x / block)];
        return outwards ? std::uint32_t(cells - 1) - r : r;
    });
}

TransitionPtr MakeGrid(int variant, int width, int height, ShowRandom& random)
{
    const EvenGrid grid{width, height, std::min(8, width), std::min(6, height)};
    const int cells = grid.columns * grid.rows;
    std::vector<int> order(static_cast<std::size_t>(cells));
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            int rank = r * grid.columns + c;  // row by row
            if (variant == 1)
                rank = c * grid.rows + r;  // column by column
            order[std::size_t(r * grid.columns + c)] = rank;
        }
    if (variant == 2 || variant == 3) {
        // Checkered: the cells of one colour, then the others; or along the diagonals.
        std::vector<int> cellsInOrder(static_cast<std::size_t>(cells));
        for (int i = 0; i < cells; ++i)
            cellsInOrder[std::size_t(i)] = i;
        const auto key = [&](int i) {
            const int c = i % grid.columns, r = i / grid.columns;
            return variant == 2 ? ((c + r) % 2) * cells + i : (c + r) * cells + r;
        };
        std::stable_sort(cellsInOrder.begin(), cellsInOrder.end(), [&](int a, int b) { return key(a) < key(b); });
        for (int i = 0; i < cells; ++i)
            order[std::size_t(cellsInOrder[std::size_t(i)])] = i;
    } else if (variant == 4) {
        order = RandomPermutation(cells, random);
    }
    return RevealByStep(width, height, cells, [&](int x, int y) {
        return order[std::size_t(grid.row(y) * grid.columns + grid.column(x))];
    });
}

TransitionPtr MakeWindowPopup(int variant, int width, int height, ShowRandom& random)
{
    static constexpr int kSides[] = {2, 3, 4, 6, 8};
    const int side = kSides[variant];
    const EvenGrid grid{width, height, std::min(side, width), std::min(side, height)};
    const int cells = grid.columns * grid.rows;
    const auto order = RandomPermutation(cells, random);
    // Each window opens from its centre over `opening` steps, the next one starting
    // `stagger` steps later.
    const int opening = 6, stagger = 2;
    const int steps = (cells - 1) * stagger + opening;
    return RevealByStep(width, height, steps, [&](int x, int y) {
        const int c = grid.column(x), r = grid.row(y);
        const int left = grid.left(c), right = grid.left(c + 1), top = grid.top(r), bottom = grid.top(r + 1);
        const double grown = std::max(FromMiddle(x - left, right - left), FromMiddle(y - top, bottom - top));
        return order[std::size_t(r * grid.columns + c)] * stagger + int(StepAt(grown, opening));
    });
}

TransitionPtr MakeExpandDissolve(int variant, int width, int height, ShowRandom& random)
{
    const int block = 4;
    const int columns = (width + block - 1) / block, rows = (height + block - 1) / block;
    // Blocks appear by their distance from where the dissolve starts, shuffled a little.
    std::vector<double> moment(std::size_t(columns) * std::size_t(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const double u = Across(c, columns), v = Across(r, rows);
            double distance = 0;
            switch (variant) {
            case 0: distance = Length(u - 0.5, v - 0.5) / std::sqrt(0.5); break;
            case 1: distance = 1 - Length(u - 0.5, v - 0.5) / std::sqrt(0.5); break;
            case 2: distance = Length(u, v) / std::sqrt(2.0); break;
            default: distance = Length(1 - u, 1 - v) / std::sqrt(2.0); break;
            }
            moment[std::size_t(r) * std::size_t(columns) + std::size_t(c)] = 0.65 * distance + 0.35 * random.fraction();
        }
    return RevealByMoment(width, height, 64, [&](int x, int y) {
        return moment[std::size_t(y / block) * std::size_t(columns) + std::size_t(x / block)];
    });
}

TransitionPtr MakeCheckerboard(int variant, int width, int height)
{
    const int square = std::max(1, std::min(width, height) / 8);
    // One colour of squares fills in first, each square swept from one side, then the other.
    return RevealByStep(width, height, 2 * square, [&](int x, int y) {
        const int phase = (x / square + y / square) % 2;
        int within = 0;
        switch (variant) {
        case 0: within = x % square; break;
        case 1: within = square - 1 - x % square; break;
        case 2: within = y % square; break;
        default: within = square - 1 - y % square; break;
        }
        return phase * square + within;
    });
}

TransitionPtr MakeCornerIn(int variant, int width, int height)
{
    // The rectangle of step k is (k + 1) * 2 / n of the slide, n the longer side; the
    // last step copies everything.
    const int n = std::max(width, height);
    const int growing = (n + 1) / 2;
    const auto firstStep = [&](int position, int side) {
        // The first k whose extent 2 (k + 1) side / n (rounded down) passes `position`.
        const std::int64_t twice = 2 * std::int64_t(side);
        return std::max<std::int64_t>(0, ((std::int64_t(position) + 1) * n + twice - 1) / twice - 1);
    };
    std::vector<std::int64_t> columnStep(static_cast<std::size_t>(width)), rowStep(static_cast<std::size_t>(height));
    for (int x = 0; x < width; ++x)
        columnStep[std::size_t(x)] = firstStep(variant == 1 ? x : width - 1 - x, width);
    for (int y = 0; y < height; ++y)
        rowStep[std::size_t(y)] = firstStep(variant == 1 ? y : height - 1 - y, height);
    return RevealByStep(width, height, growing + 1, [&](int x, int y) {
        return std::min<std::int64_t>(std::max(columnStep[std::size_t(x)], rowStep[std::size_t(y)]), growing);
    });
}

TransitionPtr MakeRandomExpansion(int variant, int width, int height, ShowRandom& random)
{
    const int px = random.below(width), py = random.below(height);
    const double reachX = std::max(px, width - 1 - px) + 1, reachY = std::max(py, height - 1 - py) + 1;
    const auto dx = [&](int x) { return std::abs(x - px) / reachX; };
    const auto dy = [&](int y) { return std::abs(y - py) / reachY; };
    const int steps = SmoothSteps(width, height);
    switch (variant) {
    case 0: return RevealByMoment(width, height, steps, [&](int x, int y) { return std::max(dx(x), dy(y)); });
    case 1:
        return RevealByMoment(width, height, steps,
                              [&](int x, int y) { return Length(dx(x), dy(y)) / std::sqrt(2.0); });
    case 2: return RevealByMoment(width, height, steps, [&](int, int y) { return dy(y); });
    default: return RevealByMoment(width, height, steps, [&](int x, int) { return dx(x); });
    }
}

}  // namespace lv
