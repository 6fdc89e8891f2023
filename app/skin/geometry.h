#pragma once
// Points and rectangles in window coordinates (x to the right, y down), as the skin uses them.

#include <algorithm>

namespace lv::skin {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(Point p) const { return !empty() && p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    bool intersects(const Rect& o) const { return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom(); }
    Rect translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    Rect widened(int dx, int dy) const { return {x - dx, y - dy, width + 2 * dx, height + 2 * dy}; }
    bool operator==(const Rect&) const = default;
};

// The packed point of a handler call: x in the low word, y in the high word.
constexpr unsigned PackPoint(Point p)
{
    return unsigned(p.x & 0xFFFF) | unsigned(p.y & 0xFFFF) << 16;
}

}  // namespace lv::skin
