#include "edit/tools/overlay_painter.h"

#include "edit/selection/selection_outline.h"

#include <algorithm>
#include <vector>

namespace lv {

Rect OverlayPainter::clientRect(const Rect& rect) const
{
    Rect r = rect;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    Rect client = view_.clientRect(r);
    // Even a rectangle too small to show at this zoom gets a pixel.
    client.right = std::max(client.right, client.left + 1);
    client.bottom = std::max(client.bottom, client.top + 1);
    return client;
}

void OverlayPainter::rubberBand(const Rect& rect)
{
    surface_.drawRectangle(clientRect(rect), dotted());
}

void OverlayPainter::rubberEllipse(const Rect& rect)
{
    surface_.drawEllipse(clientRect(rect), dotted());
}

void OverlayPainter::polyline(std::span<const Point> points, bool closed)
{
    if (points.empty())
        return;
    std::vector<SurfaceLine> lines;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        lines.push_back({view_.centre(points[i]), view_.centre(points[i + 1])});
    if (closed && points.size() > 2)
        lines.push_back({view_.centre(points.back()), view_.centre(points.front())});
    if (lines.empty())
        lines.push_back({view_.centre(points[0]), view_.centre(points[0])});
    surface_.drawLines(lines, dotted());
}

void OverlayPainter::handle(Point centre, int size)
{
    const Point c = view_.centre(centre);
    const int half = size / 2;
    surface_.fillRectangle({c.x - half, c.y - half, c.x - half + size, c.y - half + size},
                           {0xFFFFFF, PenStyle::Inverted, 0});
}

void OverlayPainter::brushOutline(Point centre, int diameter)
{
    const int d = std::max(diameter, 1);
    const Rect r{centre.x - d / 2, centre.y - d / 2, centre.x - d / 2 + d, centre.y - d / 2 + d};
    surface_.drawEllipse(clientRect(r), {0xFFFFFF, PenStyle::Inverted, 0});
}

void OverlayPainter::selectionOutline(const SelectionOutline& outline)
{
    outline.draw(surface_, view_, phase_);
}

}  // namespace lv
