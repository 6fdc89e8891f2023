#pragma once
// How far a picture read back lies from the one written: per byte of 24-bit pixels.

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lv::testing {

// The largest and the mean difference over `area` (rows in memory order), `b` first passed
// through a gamma exponent (PNG files without a gamma read through 2.2 against 0.5: 1 / 1.1).
inline std::pair<int, double> PictureDifference(const HDIB& a, const HDIB& b, const Rect& area, double exponent = 1.0)
{
    if (!a || !b || a.width() != b.width() || a.height() != b.height())
        return {256, 256};
    int largest = 0;
    double total = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = 3 * area.left; x < 3 * area.right; ++x) {
            const int expected = int(std::lround(255 * std::pow(b.row(y)[x] / 255.0, exponent)));
            const int d = std::abs(int(a.row(y)[x]) - expected);
            largest = std::max(largest, d);
            total += d;
        }
    return {largest, total / (3.0 * area.width() * area.height())};
}

}  // namespace lv::testing
