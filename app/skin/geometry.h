#pragma once
// Points and rectangles in window coordinates (x to the right, y down), as the skin uses them.

#include "common/geometry.h"

namespace lv::skin {

using lv::Point;
using lv::Rect;
using lv::Size;

// The packed point of a handler call: x in the low word, y in the high word.
constexpr unsigned PackPoint(Point p)
{
    return unsigned(p.x & 0xFFFF) | unsigned(p.y & 0xFFFF) << 16;
}

}  // namespace lv::skin
