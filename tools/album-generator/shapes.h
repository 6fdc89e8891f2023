#pragma once
// Signed-distance shapes for the artwork, in pixels, y growing downwards.

#include "canvas.h"

#include <vector>

namespace lv::artwork {

Shape Circle(Point centre, float radius);
Shape Ellipse(Point centre, float rx, float ry);
Shape RoundedBox(Point centre, float halfWidth, float halfHeight, float radius);
// A line from a to b of the given thickness with round ends.
Shape Capsule(Point a, Point b, float thickness);
// Any simple polygon, corners in order.
Shape Polygon(std::vector<Point> corners);
// A star of `points` points between the two radii, the first point straight up.
Shape Star(Point centre, int points, float outer, float inner, float turn = 0);
// A heart whose width is about 2 × size.
Shape Heart(Point centre, float size);
// Thick arc of a circle from angle a0 to a1 (radians, 0 to the right, growing clockwise).
Shape Arc(Point centre, float radius, float thickness, float a0, float a1);

Shape Union(std::vector<Shape> shapes);
Shape Subtract(Shape from, Shape cut);
Shape Intersect(Shape a, Shape b);
// The shape turned by `angle` radians about `pivot`.
Shape Rotated(Shape shape, Point pivot, float angle);

}  // namespace lv::artwork
