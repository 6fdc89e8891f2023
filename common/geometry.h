#pragma once
// Points, sizes and rectangles in whole pixels, as the modules hand them to each other.
// x grows to the right and y downwards: rows count from the top. A rectangle covers the
// pixels with left <= x < right and top <= y < bottom, so left and top are inclusive and
// right and bottom exclusive: width() is right - left, and two rectangles that touch share
// no pixel. One whose right is not beyond its left (or bottom not below its top) is empty
// and covers nothing. Code whose own rectangles differ (inclusive edges, rows from the
// bottom) converts where it hands them over.

#include <algorithm>

namespace lv {

struct Point {
    int x = 0;
    int y = 0;

    constexpr Point translated(int dx, int dy) const { return {x + dx, y + dy}; }
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;

    constexpr bool empty() const { return width <= 0 || height <= 0; }
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The rectangle of `width` × `height` pixels whose top-left pixel is (x, y).
    static constexpr Rect fromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    static constexpr Rect fromSize(Point topLeft, Size size)
    {
        return fromSize(topLeft.x, topLeft.y, size.width, size.height);
    }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr Point topLeft() const { return {left, top}; }
    constexpr bool empty() const { return right <= left || bottom <= top; }

    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // Whether the two share at least one pixel; an empty rectangle shares none.
    constexpr bool intersects(const Rect& o) const
    {
        return !empty() && !o.empty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    // The pixels both cover; empty (and then not necessarily {}) when they share none.
    constexpr Rect intersected(const Rect& o) const
    {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    constexpr Rect united(const Rect& o) const
    {
        if (empty())
            return o;
        if (o.empty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    constexpr Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Grown by dx on the left and right and dy on the top and bottom (shrunk when negative).
    constexpr Rect widened(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace lv
