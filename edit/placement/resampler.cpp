#include "edit/placement/resampler.h"

#include "edit/placement/picture_turns.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resample_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
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

}  // namespace

namespace {

// Everything a render needs before it has a picture to write: size, place and the walk.
struct Plan {
    int width = 0, height = 0;
    Rect placed;
    ResampleWalk walk;
};

std::optional<Plan> planRender(const HDIB& source, std::uint32_t background, const Placement& m)
{
    if (!source || (source.bitCount() != 24 && source.bitCount() != 8) || source.width() <= 0
        || source.height() <= 0)
        return std::nullopt;
    const double det = m[0] * m[4] - m[1] * m[3];
    if (!std::isfinite(det) || det == 0)
        return std::nullopt;
    const int sw = source.width();
    const int sh = source.height();
    const Extent e = mappedExtent(sw, sh, m);
    const double spanCol = e.maxCol - e.minCol;
    const double spanRow = e.maxRow - e.minRow;
    if (!std::isfinite(spanCol) || !std::isfinite(spanRow) || spanCol > kMaxPictureDimension
        || spanRow > kMaxPictureDimension)
        return std::nullopt;
    Plan plan;
    const int w = plan.width = std::max(1, Truncate(spanCol + 0.5));
    plan.height = std::max(1, Truncate(spanRow + 0.5));
    if (DibStride(std::uint64_t(w), unsigned(source.bitCount())) * std::uint64_t(plan.height) > kMaxPictureBytes)
        return std::nullopt;
    const int left = RoundAway(e.minCol);
    const int top = RoundAway(e.minRow);
    plan.placed = {left, top, left + w, top + plan.height};

    // Rows run from the bottom in memory on both sides, so the inverse of the matrix's
    // linear part needs no sign change: column = (m0 u + m3 v) / D, row = (m1 u + m4 v) / D.
    const double k = 8.0 / det;
    const double uOrigin = (spanCol - 1) / 2;
    ResampleWalk& walk = plan.walk;
    walk.colX.resize(std::size_t(w));
    walk.colY.resize(std::size_t(w));
    for (int i = 0; i < w; ++i) {
        const double u = i - uOrigin;
        walk.colX[std::size_t(i)] = k * m[0] * u;
        walk.colY[std::size_t(i)] = k * m[1] * u;
    }
    walk.rowXk = k * m[3];
    walk.rowYk = k * m[4];
    walk.vOrigin = (spanRow - 1) / 2;
    walk.centreX = 4.0 * (sw - 1) + 0.5;
    walk.centreY = 4.0 * (sh - 1) + 0.5;
    walk.fill[0] = std::uint8_t(background >> 16);
    walk.fill[1] = std::uint8_t(background >> 8);
    walk.fill[2] = std::uint8_t(background);
    return plan;
}

}  // namespace

HDIB ResamplePlaced(const HDIB& source, Rect& placed, std::uint32_t background, const Placement& m, int threads)
{
    const auto plan = planRender(source, background, m);
    if (!plan)
        return nullptr;
    HDIB out = BlankPictureLike(source, plan->width, plan->height);
    if (!out)
        return nullptr;
    placed = plan->placed;
    WalkRows(source, out, plan->walk, threads);
    return out;
}

std::optional<Rect> ResampledBox(const HDIB& source, const Placement& m)
{
    const auto plan = planRender(source, 0, m);
    return plan ? std::optional(plan->placed) : std::nullopt;
}

bool ResampleInto(const HDIB& source, HDIB& out, std::uint32_t background, const Placement& m, int threads)
{
    const auto plan = planRender(source, background, m);
    if (!plan || !out || out.width() != plan->width || out.height() != plan->height
        || out.bitCount() != source.bitCount())
        return false;
    WalkRows(source, out, plan->walk, threads);
    return true;
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
