#include "edit/tools/placement/transform_frame.h"

#include "edit/placement/placement_matrix.h"

#include <cmath>
#include <cstdlib>

namespace lv {
namespace {

bool near(int a, int b)
{
    return std::abs(a - b) < kHandleTolerance;
}

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int toDocument(int client, int origin, int scroll, int zoom)
{
    const int scaled = client - origin + scroll;
    return zoom >= 0 ? floorDiv(scaled, zoom + 1) : scaled * (1 - zoom);
}

}  // namespace

int FrameHandleAt(const Rect& f, Point p, bool edges)
{
    if (near(p.x, f.left) && near(p.y, f.top))
        return kHandleTopLeft;
    if (near(p.x, f.left) && near(p.y, f.bottom))
        return kHandleBottomLeft;
    if (near(p.x, f.right) && near(p.y, f.top))
        return kHandleTopRight;
    if (near(p.x, f.right) && near(p.y, f.bottom))
        return kHandleBottomRight;
    if (edges) {
        const bool betweenRows = p.y > f.top && p.y < f.bottom;
        const bool betweenColumns = p.x > f.left && p.x < f.right;
        if (near(p.x, f.left) && betweenRows)
            return kHandleLeft;
        if (near(p.x, f.right) && betweenRows)
            return kHandleRight;
        if (near(p.y, f.top) && betweenColumns)
            return kHandleTop;
        if (near(p.y, f.bottom) && betweenColumns)
            return kHandleBottom;
    }
    if (p.x >= f.left && p.x < f.right && p.y >= f.top && p.y < f.bottom)
        return kHandleInside;
    return kHandleNone;
}

Rect DragFrame(const Rect& saved, const Rect& previous, int handle, int dx, int dy, double aspect)
{
    Rect f = saved;
    if (aspect == 0)
        aspect = 1;
    switch (handle) {
    case kHandleInside: f = {saved.left + dx, saved.top + dy, saved.right + dx, saved.bottom + dy}; break;
    case kHandleLeft: f.left += dx; break;
    case kHandleRight: f.right += dx; break;
    case kHandleTop: f.top += dy; break;
    case kHandleBottom: f.bottom += dy; break;
    case kHandleTopLeft:
    case kHandleBottomLeft:
    case kHandleTopRight:
    case kHandleBottomRight: {
        const bool leftSide = handle == kHandleTopLeft || handle == kHandleBottomLeft;
        const bool topSide = handle == kHandleTopLeft || handle == kHandleTopRight;
        int width = 0, height = 0;
        if (aspect >= 1) {
            width = saved.width() + (leftSide ? -dx : dx);
            if (width < kSmallestCornerSide + 1)
                width = kSmallestCornerSide;
            height = Truncate(width / aspect);
        } else {
            height = saved.height() + (topSide ? -dy : dy);
            if (height < kSmallestCornerSide + 1)
                height = kSmallestCornerSide;
            width = Truncate(height * aspect);
        }
        // The opposite corner stays.
        if (leftSide)
            f.left = saved.right - width;
        else
            f.right = saved.left + width;
        if (topSide)
            f.top = saved.bottom - height;
        else
            f.bottom = saved.top + height;
        break;
    }
    default: return previous;
    }
    if (!(f.left < f.right - 1 && f.top < f.bottom - 1))
        return previous;
    return f;
}

int DirectionDegrees(int dx, int dy)
{
    if (dx == 0)
        return dy < 0 ? 270 : dy > 0 ? 90 : 0;
    const int degrees = Truncate(std::atan(double(dy) / double(dx)) * 57.29577957855229 + 0.5);
    return dx < 0 ? degrees + 180 : degrees;
}

std::array<Point, 4> RotatedCorners(const Rect& f, int degrees)
{
    const int cx = (f.left + f.right) / 2;
    const int cy = (f.top + f.bottom) / 2;
    const double a = degrees * kToolRadiansPerDegree;
    const double c = std::cos(a), s = std::sin(a);
    const Point corners[4] = {{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}};
    std::array<Point, 4> out{};
    for (int i = 0; i < 4; ++i) {
        const double dx = corners[i].x - cx;
        const double dy = corners[i].y - cy;
        out[std::size_t(i)] = {cx + Truncate(dx * c - dy * s + 0.5), cy + Truncate(dx * s + dy * c + 0.5)};
    }
    return out;
}

Rect ClientFrame(const ViewMapping& view, const Rect& box)
{
    return view.clientRect(box);
}

Point DocumentPointOf(const ViewMapping& view, Point p)
{
    return {toDocument(p.x, view.originX, view.scrollX, view.zoom), toDocument(p.y, view.originY, view.scrollY, view.zoom)};
}

Rect DocumentFrame(const ViewMapping& view, const Rect& frame)
{
    const Point a = DocumentPointOf(view, {frame.left, frame.top});
    const Point b = DocumentPointOf(view, {frame.right, frame.bottom});
    return {a.x, a.y, b.x, b.y};
}

}  // namespace lv
