#pragma once
// The pixels of a one-pixel line from one point to another, both included, in order
// (Bresenham's walk): for drawing lines and outlines alike.

#include <cstdlib>

namespace lv {

template <class Plot>
void WalkLine(int x0, int y0, int x1, int y1, Plot plot)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        plot(x0, y0);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * error;
        if (e2 >= dy)
            error += dy, x0 += sx;
        if (e2 <= dx)
            error += dx, y0 += sy;
    }
}

}  // namespace lv
