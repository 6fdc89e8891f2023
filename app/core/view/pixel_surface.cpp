#include "app/core/view/pixel_surface.h"

#include "imagelib/line_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lv {
namespace {

// Dots in pairs fixed to the window, so that lines meeting at a corner dot alike.
bool dotOn(int x, int y, int phase)
{
    return (((x + y) >> 1) + phase) & 1;
}

std::uint32_t shade(std::uint32_t pixel, int x, int y, const Pen& pen)
{
    switch (pen.style) {
    case PenStyle::Solid: return 0xFF000000u | pen.colour;
    case PenStyle::Inverted: return pixel ^ 0x00FFFFFFu;
    case PenStyle::Dotted: return 0xFF000000u | (dotOn(x, y, pen.phase) ? pen.colour : pen.colour ^ 0xFFFFFFu);
    }
    return pixel;
}

}  // namespace

void PixelSurface::plot(int x, int y, const Pen& pen)
{
    const Rect& a = buffer_.area;
    if (x < a.left || y < a.top || x >= a.right || y >= a.bottom)
        return;
    std::uint32_t* p = buffer_.at(x, y);
    *p = shade(*p, x, y, pen);
}

void PixelSurface::horizontal(int y, int x0, int x1, const Pen& pen)
{
    const Rect& a = buffer_.area;
    if (y < a.top || y >= a.bottom)
        return;
    if (x0 > x1)
        std::swap(x0, x1);
    x0 = std::max(x0, a.left);
    x1 = std::min(x1, a.right - 1);
    std::uint32_t* p = buffer_.at(x0, y);
    for (int x = x0; x <= x1; ++x, ++p)
        *p = shade(*p, x, y, pen);
}

void PixelSurface::vertical(int x, int y0, int y1, const Pen& pen)
{
    const Rect& a = buffer_.area;
    if (x < a.left || x >= a.right)
        return;
    if (y0 > y1)
        std::swap(y0, y1);
    y0 = std::max(y0, a.top);
    y1 = std::min(y1, a.bottom - 1);
    for (int y = y0; y <= y1; ++y) {
        std::uint32_t* p = buffer_.at(x, y);
        *p = shade(*p, x, y, pen);
    }
}

bool PixelSurface::drawPicture(const HDIB& picture, int left, int top)
{
    if (!picture || picture.bitCount() != 24)
        return false;
    for (int row = 0; row < picture.height(); ++row) {
        const int y = top + row;
        if (y < buffer_.area.top || y >= buffer_.area.bottom)
            continue;
        const std::uint8_t* p = picture.row(picture.height() - 1 - row);
        for (int column = 0; column < picture.width(); ++column, p += 3) {
            const int x = left + column;
            if (x >= buffer_.area.left && x < buffer_.area.right)
                *buffer_.at(x, y) = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
        }
    }
    return true;
}

void PixelSurface::drawLine(Point from, Point to, const Pen& pen)
{
    if (from.y == to.y) {
        horizontal(from.y, from.x, to.x, pen);
        return;
    }
    if (from.x == to.x) {
        vertical(from.x, from.y, to.y, pen);
        return;
    }
    WalkLine(from.x, from.y, to.x, to.y, [&](int x, int y) { plot(x, y, pen); });
}

void PixelSurface::drawLines(std::span<const SurfaceLine> lines, const Pen& pen)
{
    for (const SurfaceLine& line : lines)
        drawLine(line.from, line.to, pen);
}

void PixelSurface::fillRectangle(const Rect& r, const Pen& pen)
{
    for (int y = r.top; y < r.bottom; ++y)
        horizontal(y, r.left, r.right - 1, pen);
}

void PixelSurface::drawEllipse(const Rect& r, const Pen& pen)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return;
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    std::vector<int> left(static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        const double t = cy > 0 ? (row - cy) / cy : 0.0;
        left[std::size_t(row)] = int(std::lround(cx - cx * std::sqrt(std::max(0.0, 1.0 - t * t))));
    }
    const auto rightOf = [&](int l) { return width - 1 - l; };
    // Each row's ends reach to the narrower neighbour's, so the outline has no gaps; every
    // pixel once, so that an inverting pen drawn twice leaves nothing.
    for (int row = 0; row < height; ++row) {
        const int y = r.top + row;
        const int l = left[std::size_t(row)];
        if (row == 0 || row == height - 1) {
            horizontal(y, r.left + l, r.left + rightOf(l), pen);
            continue;
        }
        const int narrower = std::max(left[std::size_t(row - 1)], left[std::size_t(row + 1)]);
        const int innerLeft = std::max(l, narrower - 1);
        const int innerRight = rightOf(innerLeft);
        if (innerLeft + 1 >= innerRight) {
            horizontal(y, r.left + l, r.left + rightOf(l), pen);
        } else {
            horizontal(y, r.left + l, r.left + innerLeft, pen);
            horizontal(y, r.left + innerRight, r.left + rightOf(l), pen);
        }
    }
}

}  // namespace lv
