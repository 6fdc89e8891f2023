#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

float length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

}  // namespace

Shape Circle(Point c, float radius)
{
    return [=](Point p) { return length(p.x - c.x, p.y - c.y) - radius; };
}

Shape Ellipse(Point c, float rx, float ry)
{
    // A good approximation near the edge, which is all the smoothing needs.
    return [=](Point p) {
        const float nx = (p.x - c.x) / rx, ny = (p.y - c.y) / ry;
        const float k = length(nx, ny);
        const float gradient = length(nx / rx, ny / ry);
        return gradient > 0 ? k * (k - 1) / (k * gradient) : -std::min(rx, ry);
    };
}

Shape RoundedBox(Point c, float hw, float hh, float r)
{
    return [=](Point p) {
        const float qx = std::fabs(p.x - c.x) - hw + r, qy = std::fabs(p.y - c.y) - hh + r;
        return length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
    };
}

Shape Capsule(Point a, Point b, float thickness)
{
    return [=](Point p) {
        const float px = p.x - a.x, py = p.y - a.y, bx = b.x - a.x, by = b.y - a.y;
        const float h = std::clamp((px * bx + py * by) / std::max(1e-6f, bx * bx + by * by), 0.0f, 1.0f);
        return length(px - bx * h, py - by * h) - thickness / 2;
    };
}

Shape Polygon(std::vector<Point> v)
{
    return [v](Point p) {
        float d = (p.x - v[0].x) * (p.x - v[0].x) + (p.y - v[0].y) * (p.y - v[0].y);
        float sign = 1;
        for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            const float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
            const float wx = p.x - v[i].x, wy = p.y - v[i].y;
            const float h = std::clamp((wx * ex + wy * ey) / std::max(1e-6f, ex * ex + ey * ey), 0.0f, 1.0f);
            const float bx = wx - ex * h, by = wy - ey * h;
            d = std::min(d, bx * bx + by * by);
            const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = ex * wy > ey * wx;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
                sign = -sign;
        }
        return sign * std::sqrt(d);
    };
}

Shape Star(Point c, int points, float outer, float inner, float turn)
{
    std::vector<Point> corners;
    for (int i = 0; i < points * 2; ++i) {
        const float a = turn - std::numbers::pi_v<float> / 2 + float(i) * std::numbers::pi_v<float> / float(points);
        const float r = i % 2 == 0 ? outer : inner;
        corners.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return Polygon(corners);
}

Shape Heart(Point c, float size)
{
    // Two circles above a rounded point, joined.
    const float r = size * 0.52f;
    const Shape left = Circle({c.x - size * 0.48f, c.y - size * 0.25f}, r);
    const Shape right = Circle({c.x + size * 0.48f, c.y - size * 0.25f}, r);
    const Shape point = Polygon({{c.x - size * 0.97f, c.y - size * 0.05f},
                                 {c.x + size * 0.97f, c.y - size * 0.05f},
                                 {c.x, c.y + size * 1.05f}});
    return Union({left, right, point});
}

Shape Arc(Point c, float radius, float thickness, float a0, float a1)
{
    return [=](Point p) {
        float a = std::atan2(p.y - c.y, p.x - c.x);
        while (a < a0)
            a += 2 * std::numbers::pi_v<float>;
        if (a <= a1)
            return std::fabs(length(p.x - c.x, p.y - c.y) - radius) - thickness / 2;
        const Point e0{c.x + radius * std::cos(a0), c.y + radius * std::sin(a0)};
        const Point e1{c.x + radius * std::cos(a1), c.y + radius * std::sin(a1)};
        return std::min(length(p.x - e0.x, p.y - e0.y), length(p.x - e1.x, p.y - e1.y)) - thickness / 2;
    };
}

Shape Union(std::vector<Shape> shapes)
{
    return [shapes](Point p) {
        float d = shapes[0](p);
        for (std::size_t i = 1; i < shapes.size(); ++i)
            d = std::min(d, shapes[i](p));
        return d;
    };
}

Shape Subtract(Shape from, Shape cut)
{
    return [=](Point p) { return std::max(from(p), -cut(p)); };
}

Shape Intersect(Shape a, Shape b)
{
    return [=](Point p) { return std::max(a(p), b(p)); };
}

Shape Rotated(Shape shape, Point pivot, float angle)
{
    const float c = std::cos(-angle), s = std::sin(-angle);
    return [=](Point p) {
        const float x = p.x - pivot.x, y = p.y - pivot.y;
        return shape({pivot.x + x * c - y * s, pivot.y + x * s + y * c});
    };
}

}  // namespace lv::artwork
