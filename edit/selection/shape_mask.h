#pragma once
// Selections drawn as shapes: the mask of a rectangle, the ellipse inscribed in it, or a
// polygon, as a filled shape drawn with a one-pixel pen would cover it (the pixels its
// outline passes through included).

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <span>

namespace lv {

enum class SelectionShape {
    Rectangle = 0,
    Ellipse = 1,
    Polygon = 3,
};

// A mask of width × height; the polygon's points are relative to its top-left corner and
// may lie outside it. Null for an empty size or when memory runs out.
HDIB MakeShapeMask(int width, int height, SelectionShape shape, std::span<const Point> points = {});

}  // namespace lv
