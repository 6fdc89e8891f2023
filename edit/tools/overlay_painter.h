#pragma once
// Tools draw their marks through this: document shapes placed where the window shows
// them, in the few pens overlays use, clipped to the window.

#include "common/geometry.h"
#include "edit/view_mapping.h"
#include "imagelib/drawing_surface.h"

#include <span>

namespace lv {

class SelectionOutline;

class OverlayPainter {
public:
    OverlayPainter(DrawingSurface& surface, const ViewMapping& view, int phase)
        : surface_(surface)
        , view_(view)
        , phase_(phase)
    {
    }

    const ViewMapping& view() const { return view_; }
    DrawingSurface& surface() { return surface_; }
    // The phase of the marching outline (0 or 1), flipped by the window's tick.
    int phase() const { return phase_; }

    // The dotted outline of a rectangle's pixels (right and bottom exclusive).
    void rubberBand(const Rect& rect);
    // The dotted outline of the ellipse inscribed in a rectangle.
    void rubberEllipse(const Rect& rect);
    // Dotted lines through the centres of the points, closed back to the first when asked.
    void polyline(std::span<const Point> points, bool closed);
    // A small inverted square centred on a document pixel (a handle), `size` client pixels wide.
    void handle(Point centre, int size = 7);
    // The inverted outline of a brush of `diameter` document pixels centred on a pixel.
    void brushOutline(Point centre, int diameter);
    void selectionOutline(const SelectionOutline& outline);

private:
    Pen dotted() const { return {0x000000, PenStyle::Dotted, phase_}; }
    Rect clientRect(const Rect& rect) const;

    DrawingSurface& surface_;
    ViewMapping view_;
    int phase_;
};

}  // namespace lv
