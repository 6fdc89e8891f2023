#include "edit/selection/shape_mask.h"

#include "edit/selection/selection_mask.h"
#include "imagelib/line_walk.h"

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

// The ellipse through the outermost pixel centres, as a pen draws its outline (the pixel
// nearest the curve in every row and in every column) with the inside filled.
void drawEllipse(HDIB& mask)
{
    const int width = mask.width();
    const int height = mask.height();
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    const double a = cx, b = cy;
    const auto along = [](double radius, double offset, double otherRadius) {
        const double t = otherRadius > 0 ? offset / otherRadius : 0.0;
        return radius * std::sqrt(std::max(0.0, 1.0 - t * t));
    };
    // Per column: the rows the curve crosses it at, rounded to the nearest pixel.
    std::vector<int> top(static_cast<std::size_t>(width)), bottom(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const double half = along(b, x - cx, a);
        // Ties go outward, so that a curve halfway between two pixels takes both.
        top[std::size_t(x)] = int(std::floor(cy - half + 0.5 - 1e-9));
        bottom[std::size_t(x)] = int(std::ceil(cy + half - 0.5 + 1e-9));
    }
    for (int y = 0; y < height; ++y) {
        const double half = along(a, y - cy, b);
        int from = int(std::floor(cx - half + 0.5 - 1e-9)), to = int(std::ceil(cx + half - 0.5 + 1e-9));
        // Flat parts of the curve: columns whose crossing rounds to this row or beyond.
        while (from > 0 && top[std::size_t(from - 1)] <= y && y <= bottom[std::size_t(from - 1)])
            --from;
        while (to < width - 1 && top[std::size_t(to + 1)] <= y && y <= bottom[std::size_t(to + 1)])
            ++to;
        setSpan(mask, y, from, to);
    }
}

void drawLine(HDIB& mask, Point p, Point q)
{
    WalkLine(p.x, p.y, q.x, q.y, [&mask](int x, int y) {
        if (x >= 0 && y >= 0 && x < mask.width() && y < mask.height())
            SetMaskBitAt(MaskRowFromTop(mask, y), x);
    });
}

// The inside by the alternate (even-odd) rule at the pixel centres, then the outline.
void drawPolygon(HDIB& mask, std::span<const Point> points)
{
    const std::size_t n = points.size();
    std::vector<double> crossings;
    for (int y = 0; y < mask.height(); ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const Point p = points[i];
            const Point q = points[(i + 1) % n];
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

HDIB MakeShapeMask(int width, int height, SelectionShape shape, std::span<const Point> points)
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
