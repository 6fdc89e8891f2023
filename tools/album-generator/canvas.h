#pragma once
// A small vector painter for the system albums' artwork: shapes given as signed distance
// functions (negative inside, in pixels), filled with colours or gradients with smooth
// edges, on a floating-point canvas that becomes a 24-bit picture.

#include "imagelib/dib.h"

#include <functional>
#include <vector>

namespace lv::artwork {

struct Colour {
    float r = 0, g = 0, b = 0;
};
Colour Rgb(int r, int g, int b);
Colour Mix(Colour a, Colour b, float t);
Colour Scale(Colour c, float factor);

struct Point {
    float x = 0, y = 0;
};

// Distance from a point to the shape's edge: negative inside.
using Shape = std::function<float(Point)>;
// The colour a fill gives at a point.
using Fill = std::function<Colour(Point)>;

Fill Solid(Colour c);
Fill Linear(Point from, Colour c0, Point to, Colour c1);
// Several stops along a line, positions from 0 to 1.
Fill LinearStops(Point from, Point to, std::vector<std::pair<float, Colour>> stops);
Fill Radial(Point centre, float radius, Colour inner, Colour outer);

class Canvas {
public:
    Canvas(int width, int height, Colour background);
    int width() const { return width_; }
    int height() const { return height_; }

    // Fills the shape with `fill` at `opacity`, edges smoothed over one pixel.
    void paint(const Shape& shape, const Fill& fill, float opacity = 1);
    // A line of `width` pixels along the shape's edge.
    void outline(const Shape& shape, Colour colour, float width, float opacity = 1);
    // A soft shadow of the shape, moved by (dx, dy) and blurred over `softness` pixels.
    void shadow(const Shape& shape, float dx, float dy, float softness, float opacity);
    // Sets every pixel from a function (for textures and gradients).
    void each(const std::function<Colour(Point)>& colourAt);
    Colour at(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    void set(int x, int y, Colour c) { pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = c; }

    // Rows from the top become the picture's bottom-up rows; 2835 pixels per metre (72 dpi).
    HDIB picture() const;

private:
    void blend(const std::function<float(Point)>& coverage, const Fill& fill, float opacity);

    int width_, height_;
    std::vector<Colour> pixels_;
};

}  // namespace lv::artwork
