#include "canvas.h"

#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cmath>

namespace lv::artwork {
namespace {

float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

std::uint8_t toByte(float v)
{
    return std::uint8_t(std::lround(std::clamp(v, 0.0f, 255.0f)));
}

}  // namespace

Colour Rgb(int r, int g, int b)
{
    return {float(r), float(g), float(b)};
}

Colour Mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float factor)
{
    return {c.r * factor, c.g * factor, c.b * factor};
}

Fill Solid(Colour c)
{
    return [c](Point) { return c; };
}

Fill Linear(Point from, Colour c0, Point to, Colour c1)
{
    return LinearStops(from, to, {{0.0f, c0}, {1.0f, c1}});
}

Fill LinearStops(Point from, Point to, std::vector<std::pair<float, Colour>> stops)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float length2 = std::max(1e-6f, dx * dx + dy * dy);
    return [=](Point p) {
        const float t = clamp01(((p.x - from.x) * dx + (p.y - from.y) * dy) / length2);
        for (std::size_t i = 1; i < stops.size(); ++i) {
            if (t <= stops[i].first) {
                const float span = std::max(1e-6f, stops[i].first - stops[i - 1].first);
                return Mix(stops[i - 1].second, stops[i].second, (t - stops[i - 1].first) / span);
            }
        }
        return stops.back().second;
    };
}

Fill Radial(Point centre, float radius, Colour inner, Colour outer)
{
    return [=](Point p) {
        const float d = std::hypot(p.x - centre.x, p.y - centre.y) / std::max(1e-6f, radius);
        return Mix(inner, outer, clamp01(d));
    };
}

Canvas::Canvas(int width, int height, Colour background)
    : width_(width)
    , height_(height)
    , pixels_(std::size_t(width) * std::size_t(height), background)
{
}

void Canvas::blend(const std::function<float(Point)>& coverage, const Fill& fill, float opacity)
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Point p{float(x) + 0.5f, float(y) + 0.5f};
            const float a = coverage(p) * opacity;
            if (a <= 0)
                continue;
            Colour& c = pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
            c = Mix(c, fill(p), std::min(a, 1.0f));
        }
    }
}

void Canvas::paint(const Shape& shape, const Fill& fill, float opacity)
{
    blend([&](Point p) { return clamp01(0.5f - shape(p)); }, fill, opacity);
}

void Canvas::outline(const Shape& shape, Colour colour, float width, float opacity)
{
    blend([&](Point p) { return clamp01(width / 2 + 0.5f - std::fabs(shape(p))); }, Solid(colour), opacity);
}

void Canvas::shadow(const Shape& shape, float dx, float dy, float softness, float opacity)
{
    blend([&](Point p) { return clamp01(0.5f - shape({p.x - dx, p.y - dy}) / (2 * softness)); },
          Solid(Rgb(40, 40, 50)), opacity);
}

void Canvas::each(const std::function<Colour(Point)>& colourAt)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            set(x, y, colourAt({float(x) + 0.5f, float(y) + 0.5f}));
}

HDIB Canvas::picture() const
{
    HDIB out = AllocatePicture(width_, height_, 24, 0);
    if (!out)
        return out;
    out.header().biXPelsPerMeter = out.header().biYPelsPerMeter = 2835;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = out.row(height_ - 1 - y);
        for (int x = 0; x < width_; ++x, row += 3) {
            const Colour c = at(x, y);
            row[0] = toByte(c.b), row[1] = toByte(c.g), row[2] = toByte(c.r);
        }
    }
    return out;
}

}  // namespace lv::artwork
