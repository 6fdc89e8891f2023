#include "edit/selection/shape_mask.h"

#include "edit/selection/selection_mask.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lv {
namespace {

void setSpan(HDIB& mask, int row, int from, int to)
{
    if (row < 0 || row >= mask.height())
        return;
    from = std::max(from, 0);
    to = std::min(to, mask.width() - 1);
    std::uint8_t* bits = MaskRowFromTop(mask, row);
    for (int x = from; x <= to; ++x)
        SetMaskBitAt(bits, x);
}

// Every pixel whose square meets the ellipse through the outermost pixel centres: the
// inside and the pixels the outline crosses.
void drawEllipse(HDIB& mask)
{
    const int width = mask.width();
    const int height = mask.height();
    const double cx = (width - 1) / 2.0;
    const double cy = (height - 1) / 2.0;
    const double a = cx;
    const double b = cy;
    for (int y = 0; y < height; ++y) {
        // The widest point of the ellipse within this row's band [y - 0.5, y + 0.5].
        const double nearest = std::max(0.0, std::abs(y - cy) - 0.5);
        const double t = b > 0 ? 1.0 - (nearest / b) * (nearest / b) : 1.0;
        const double half = a * std::sqrt(std::max(t, 0.0));
        const int from = int(std::ceil(cx - half - 0.5 + 1e-9));
        const int to = int(std::floor(cx + half + 0.5 - 1e-9));
        setSpan(mask, y, from, std::max(from, to));
    }
}

void drawLine(HDIB& mask, DocumentPoint p, DocumentPoint q)
{
    const int dx = std::abs(q.x - p.x), sx = p.x < q.x ? 1 : -1;
    const int dy = -std::abs(q.y - p.y), sy = p.y < q.y ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        if (p.x >= 0 && p.y >= 0 && p.x < mask.width() && p.y < mask.height())
            SetMaskBitAt(MaskRowFromTop(mask, p.y), p.x);
        if (p == q)
            return;
        const int e2 = 2 * error;
        if (e2 >= dy)
            error += dy, p.x += sx;
        if (e2 <= dx)
            error += dx, p.y += sy;
    }
}

// The inside by the alternate (even-odd) rule at the pixel centres, then the outline.
void drawPolygon(HDIB& mask, std::span<const DocumentPoint> points)
{
    const std::size_t n = points.size();
    std::vector<double> crossings;
    for (int y = 0; y < mask.height(); ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const DocumentPoint p = points[i];
            const DocumentPoint q = points[(i + 1) % n];
            if ((p.y <= y && y < q.y) || (q.y <= y && y < p.y))
                crossings.push_back(p.x + double(y - p.y) * (q.x - p.x) / double(q.y - p.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            setSpan(mask, y, int(std::ceil(crossings[i])), int(std::floor(crossings[i + 1])));
    }
    for (std::size_t i = 0; i < n; ++i)
        drawLine(mask, points[i], points[(i + 1) % n]);
}

}  // namespace

HDIB MakeShapeMask(int width, int height, SelectionShape shape, std::span<const DocumentPoint> points)
{
    if (width <= 0 || height <= 0)
        return {};
    HDIB mask = AllocateSelectionMask(width, height);
    if (!mask)
        return {};
    switch (shape) {
    case SelectionShape::Rectangle: FillSelectionMask(mask); break;
    case SelectionShape::Ellipse: drawEllipse(mask); break;
    case SelectionShape::Polygon:
        if (!points.empty())
            drawPolygon(mask, points);
        break;
    }
    return mask;
}

}  // namespace lv
