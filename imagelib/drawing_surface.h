#pragma once
// Where pictures are drawn: a window, a printed page, a test's recorder. The core draws
// through this interface; the application implements it with its toolkit.

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <span>

namespace lv {

// How lines are drawn over a picture (outlines, handles, rubber bands).
enum class PenStyle {
    Solid,     // in the pen's colour
    Dotted,    // the pen's colour and its inverse in pairs of pixels, fixed to the surface, so
               // that outlines meeting at corners dot alike; the phase swaps the two
    Inverted,  // every pixel inverted, so that drawing the same thing twice removes it
};

struct Pen {
    std::uint32_t colour = 0;  // 0xRRGGBB
    PenStyle style = PenStyle::Solid;
    int phase = 0;
};

// A line from one point to another, both ends included.
struct SurfaceLine {
    Point from;
    Point to;
    bool operator==(const SurfaceLine&) const = default;
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // Draws the whole picture unscaled with its top-left corner at (x, y); y grows
    // downward. False when nothing could be drawn.
    virtual bool drawPicture(const HDIB& picture, int x, int y) = 0;

    // One-pixel lines. Surfaces that cannot draw them ignore them.
    virtual void drawLine(Point, Point, const Pen&) {}
    // Many lines with one pen (an outline of many edges): one call instead of one per line.
    virtual void drawLines(std::span<const SurfaceLine> lines, const Pen& pen)
    {
        for (const SurfaceLine& line : lines)
            drawLine(line.from, line.to, pen);
    }
    // The outline of a rectangle's pixels (right and bottom exclusive).
    virtual void drawRectangle(const Rect& r, const Pen& pen)
    {
        if (r.right <= r.left || r.bottom <= r.top)
            return;
        if (r.width() == 1 || r.height() == 1) {
            drawLine({r.left, r.top}, {r.right - 1, r.bottom - 1}, pen);
            return;
        }
        // Each pixel once, so that an inverting pen drawn twice leaves nothing.
        const SurfaceLine edges[] = {{{r.left, r.top}, {r.right - 1, r.top}},
                                     {{r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1}},
                                     {{r.right - 2, r.bottom - 1}, {r.left, r.bottom - 1}},
                                     {{r.left, r.bottom - 2}, {r.left, r.top + 1}}};
        drawLines(std::span(edges, r.height() > 2 ? 4 : 3), pen);
    }
    // Every pixel of a rectangle.
    virtual void fillRectangle(const Rect& r, const Pen& pen)
    {
        for (int y = r.top; y < r.bottom; ++y)
            drawLine({r.left, y}, {r.right - 1, y}, pen);
    }
    // The outline of the ellipse inscribed in a rectangle.
    virtual void drawEllipse(const Rect&, const Pen&) {}
};

// The whole picture, unscaled, at (x, y).
bool DibDraw(DrawingSurface& surface, const HDIB& image, int x, int y);

// The picture centred in `target`, scaled to fit (DibScaledCopy with the fit flag) when its
// size differs from the rectangle's. `drawn`, when given, receives where it went.
bool DibDrawFitted(DrawingSurface& surface, const HDIB& image, const Rect& target, Rect* drawn = nullptr);

}  // namespace lv
