#pragma once
// A layer's artwork: colour and coverage drawn together, so a layer can lie on
// transparency (lettering, ornaments, a frame around a hole) or be opaque (a background).
// Shapes and fills are the album artwork's; painting can be limited to a box, which keeps
// big pages quick to draw.

#include "canvas.h"
#include "common/geometry.h"
#include "imagelib/dib.h"

#include <optional>
#include <vector>

namespace lv::artwork {

// The box around a centre, grown by one pixel on every side for the smoothed edge.
Rect Around(Point centre, float halfWidth, float halfHeight);

class LayerArt {
public:
    // Transparent; `matte` is the colour under the transparent pixels, which keeps the
    // compressed colour picture free of halos around the lettering.
    LayerArt(int width, int height, Colour matte);
    // Opaque, filled with `fill`.
    static LayerArt Opaque(int width, int height, const Fill& fill);

    int width() const { return width_; }
    int height() const { return height_; }

    void paint(const Shape& shape, const Fill& fill, float opacity = 1, std::optional<Rect> within = {});
    void outline(const Shape& shape, Colour colour, float width, float opacity = 1, std::optional<Rect> within = {});
    void shadow(const Shape& shape, float dx, float dy, float softness, float opacity, std::optional<Rect> within = {});
    // Takes coverage away where the shape lies (softened over `softness` pixels): holes.
    void erase(const Shape& shape, float softness = 1, std::optional<Rect> within = {});
    // An 8-bit coverage picture (lettering) laid with its top-left corner at (left, top).
    void stamp(const HDIB& coverage, int left, int top, const Fill& fill, float opacity = 1);
    // Sets every pixel's colour from a function, coverage untouched.
    void each(const Fill& colourAt);

    float coverageAt(int x, int y) const { return alpha_[index(x, y)]; }
    Colour colourAt(int x, int y) const { return colour_[index(x, y)]; }

    HDIB image() const;  // 24 bits, 100 pixels an inch
    HDIB mask() const;   // 8-bit grey, 255 opaque

private:
    LayerArt(int width, int height, Colour matte, float alpha);
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }
    Rect clip(std::optional<Rect> within) const;
    void blend(int x, int y, float a, Colour c);

    int width_, height_;
    std::vector<Colour> colour_;
    std::vector<float> alpha_;
};

}  // namespace lv::artwork
