#include "edit/placement/resampler.h"

#include "edit/placement/picture_turns.h"
#include "edit/placement/placement_matrix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace lv {
namespace {

struct Extent {
    double minCol, maxCol, minRow, maxRow;
};

Extent mappedExtent(int width, int height, const Placement& m)
{
    const double rows[4] = {0, 0, double(height), double(height)};
    const double cols[4] = {0, double(width), 0, double(width)};
    Extent e{};
    for (int i = 0; i < 4; ++i) {
        const double row = m[0] * rows[i] + m[1] * cols[i] + m[2];
        const double col = m[3] * rows[i] + m[4] * cols[i] + m[5];
        e.minRow = i == 0 ? row : std::min(e.minRow, row);
        e.maxRow = i == 0 ? row : std::max(e.maxRow, row);
        e.minCol = i == 0 ? col : std::min(e.minCol, col);
        e.maxCol = i == 0 ? col : std::max(e.maxCol, col);
    }
    return e;
}

template <int Bytes>
void renderRows(const HDIB& source, HDIB& out, const std::vector<double>& colX, const std::vector<double>& colY,
                double rowXk, double rowYk, double vOrigin, double centreX, double centreY, const std::uint8_t* fill)
{
    const int sw = source.width();
    const int sh = source.height();
    const double limitX = 8.0 * sw;
    const double limitY = 8.0 * sh;
    const int w = out.width();
    for (int j = 0; j < out.height(); ++j) {
        const double v = j - vOrigin;
        const double rowX = rowXk * v + centreX;
        const double rowY = rowYk * v + centreY;
        std::uint8_t* dst = out.row(j);
        for (int i = 0; i < w; ++i, dst += Bytes) {
            const double fx = colX[std::size_t(i)] + rowX;
            const double fy = colY[std::size_t(i)] + rowY;
            // Truncation toward zero sends (-1, 0) to 0, which lies inside.
            if (!(fx > -1.0 && fy > -1.0 && fx < limitX && fy < limitY)) {
                std::memcpy(dst, fill, Bytes);
                continue;
            }
            const int sx = int(fx);
            const int sy = int(fy);
            const int wx = sx & 7;
            const int wy = sy & 7;
            const int c0 = sx >> 3;
            const int r0 = sy >> 3;
            const int c1 = std::min(c0 + 1, sw - 1);
            const int r1 = std::min(r0 + 1, sh - 1);
            const std::uint8_t* low = source.row(r0);
            const std::uint8_t* high = source.row(r1);
            const std::uint8_t* p00 = low + c0 * Bytes;
            const std::uint8_t* p10 = low + c1 * Bytes;
            const std::uint8_t* p01 = high + c0 * Bytes;
            const std::uint8_t* p11 = high + c1 * Bytes;
            const int w00 = (8 - wx) * (8 - wy), w10 = wx * (8 - wy), w01 = (8 - wx) * wy, w11 = wx * wy;
            for (int b = 0; b < Bytes; ++b)
                dst[b] = std::uint8_t((w00 * p00[b] + w10 * p10[b] + w01 * p01[b] + w11 * p11[b] + 32) >> 6);
        }
    }
}

}  // namespace

HDIB ResamplePlaced(const HDIB& source, Rect& placed, std::uint32_t background, const Placement& m)
{
    if (!source || (source.bitCount() != 24 && source.bitCount() != 8) || source.width() <= 0
        || source.height() <= 0)
        return nullptr;
    const double det = m[0] * m[4] - m[1] * m[3];
    if (!std::isfinite(det) || det == 0)
        return nullptr;
    const int sw = source.width();
    const int sh = source.height();
    const Extent e = mappedExtent(sw, sh, m);
    const double spanCol = e.maxCol - e.minCol;
    const double spanRow = e.maxRow - e.minRow;
    if (!std::isfinite(spanCol) || !std::isfinite(spanRow) || spanCol > kMaxPictureDimension
        || spanRow > kMaxPictureDimension)
        return nullptr;
    const int w = std::max(1, Truncate(spanCol + 0.5));
    const int h = std::max(1, Truncate(spanRow + 0.5));

    const int bytes = source.bitCount() / 8;
    if (DibStride(std::uint64_t(w), unsigned(source.bitCount())) * std::uint64_t(h) > kMaxPictureBytes)
        return nullptr;
    HDIB out = BlankPictureLike(source, w, h);
    if (!out)
        return nullptr;

    const int left = RoundAway(e.minCol);
    const int top = RoundAway(e.minRow);
    placed = {left, top, left + w, top + h};

    // Rows run from the bottom in memory on both sides, so the inverse of the matrix's
    // linear part needs no sign change: column = (m0 u + m3 v) / D, row = (m1 u + m4 v) / D.
    const double k = 8.0 / det;
    const double uOrigin = (spanCol - 1) / 2;
    const double vOrigin = (spanRow - 1) / 2;
    std::vector<double> colX(static_cast<std::size_t>(w)), colY(static_cast<std::size_t>(w));
    for (int i = 0; i < w; ++i) {
        const double u = i - uOrigin;
        colX[std::size_t(i)] = k * m[0] * u;
        colY[std::size_t(i)] = k * m[1] * u;
    }
    const double centreX = 4.0 * (sw - 1) + 0.5;
    const double centreY = 4.0 * (sh - 1) + 0.5;
    const std::uint8_t fill[3] = {std::uint8_t(background >> 16), std::uint8_t(background >> 8),
                                  std::uint8_t(background)};
    if (bytes == 3)
        renderRows<3>(source, out, colX, colY, k * m[3], k * m[4], vOrigin, centreX, centreY, fill);
    else
        renderRows<1>(source, out, colX, colY, k * m[3], k * m[4], vOrigin, centreX, centreY, fill);
    return out;
}

int FixedResizeCoordinate(int lowOld, int highOld, int lowNew, int highNew, bool highFirst)
{
    if (highFirst) {
        if (highNew == highOld)
            return highNew;
        if (lowNew == lowOld)
            return lowNew;
    } else {
        if (lowNew == lowOld)
            return lowOld;
        if (highNew == highOld)
            return highNew;
    }
    return std::abs(highNew - highOld) >= std::abs(lowNew - lowOld) ? (lowOld + lowNew) / 2 : (highOld + highNew) / 2;
}

Placement ResizePlacement(const Rect& from, const Rect& to)
{
    const double sx = double(to.right - to.left) / double(from.right - from.left);
    const double sy = double(to.bottom - to.top) / double(from.bottom - from.top);
    const int cx = FixedResizeCoordinate(from.left, from.right, to.left, to.right, false);
    const int cy = FixedResizeCoordinate(from.top, from.bottom, to.top, to.bottom, true);
    return ScalePlacement(cx, cy, sx, sy);
}

Placement RotationPlacement(const Rect& box, double degrees)
{
    // Half pixels and all: a centre rounded to whole pixels moves the layer at every turn.
    return RotatePlacement((box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0, degrees * kApplyRadiansPerDegree);
}

HDIB ResizeToRectangle(const HDIB& source, const Rect& from, const Rect& to, Placement& m,
                       Rect& placed)
{
    if (from.right == from.left || from.bottom == from.top || to.right == to.left || to.bottom == to.top)
        return nullptr;
    const Placement composed = Compose(ResizePlacement(from, to), m);
    HDIB out = ResamplePlaced(source, placed, 0, composed);
    if (out)
        m = composed;
    return out;
}

HDIB RotateByAngle(const HDIB& source, const Rect& box, std::uint32_t background, double degrees,
                   Placement& m, Rect& placed)
{
    const Placement composed = Compose(RotationPlacement(box, degrees), m);
    HDIB out = ResamplePlaced(source, placed, background, composed);
    if (out)
        m = composed;
    return out;
}

}  // namespace lv
