#include "edit/placement/placement_matrix.h"

#include <algorithm>
#include <cmath>

namespace lv {

Placement IdentityPlacement()
{
    return {1, 0, 0, 0, 1, 0, 0, 0, 1};
}

Placement TranslatePlacement(double dx, double dy)
{
    Placement m = IdentityPlacement();
    m[2] = dy;
    m[5] = dx;
    return m;
}

Placement ScalePlacement(double cx, double cy, double sx, double sy)
{
    return {sy, 0, (1 - sy) * cy, 0, sx, (1 - sx) * cx, 0, 0, 1};
}

Placement RotatePlacement(double cx, double cy, double radians)
{
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {c, s, cy * (1 - c) - cx * s, -s, c, cx * (1 - c) + cy * s, 0, 0, 1};
}

Placement MirrorPlacement(bool rows, double c)
{
    Placement m = IdentityPlacement();
    if (rows) {
        m[0] = -1;
        m[2] = 2 * c;
    } else {
        m[4] = -1;
        m[5] = 2 * c;
    }
    return m;
}

Placement Compose(const Placement& t, const Placement& m)
{
    Placement r{};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += t[std::size_t(row * 3 + k)] * m[std::size_t(k * 3 + col)];
            r[std::size_t(row * 3 + col)] = sum;
        }
    return r;
}

bool IsUnplaced(const Placement& m)
{
    return std::all_of(m.begin(), m.end(), [](double v) { return v == 0; });
}

int RoundAway(double value)
{
    return int(std::round(value));
}

int Truncate(double value)
{
    return int(std::trunc(value));
}

Rect PlacedBoundingBox(const Rect& rect, const Placement& m)
{
    const double rows[4] = {double(rect.top), double(rect.top), double(rect.bottom), double(rect.bottom)};
    const double cols[4] = {double(rect.left), double(rect.right), double(rect.left), double(rect.right)};
    double minRow = 0, maxRow = 0, minCol = 0, maxCol = 0;
    for (int i = 0; i < 4; ++i) {
        const double row = m[0] * rows[i] + m[1] * cols[i] + m[2];
        const double col = m[3] * rows[i] + m[4] * cols[i] + m[5];
        minRow = i == 0 ? row : std::min(minRow, row);
        maxRow = i == 0 ? row : std::max(maxRow, row);
        minCol = i == 0 ? col : std::min(minCol, col);
        maxCol = i == 0 ? col : std::max(maxCol, col);
    }
    const int left = RoundAway(minCol);
    const int top = RoundAway(minRow);
    return {left, top, left + Truncate(maxCol - minCol + 0.5), top + Truncate(maxRow - minRow + 0.5)};
}

}  // namespace lv
