#pragma once
// Where document pixels appear in a window's client area at the window's zoom level z
// (scale z + 1 for z >= 0, 1 / (1 - z) below), its scroll position and the ruler band, for
// the overlays drawn over the picture. Zoomed out, the window shows every (1 - z)-th pixel.

#include "common/geometry.h"
#include "imagelib/drawing_surface.h"

namespace lv {

struct ViewMapping {
    int zoom = 0;
    int scrollX = 0;  // scaled-document pixels scrolled out of view at the left
    int scrollY = 0;
    int originX = 0;  // client position of the picture area's corner (after the ruler band)
    int originY = 0;
    Rect clip;        // client pixels overlays may draw on

    // The first scaled-document pixel showing document column or row `d` or a later one.
    int firstScaled(int d) const
    {
        if (zoom >= 0)
            return d * (zoom + 1);
        const int k = 1 - zoom;
        return d >= 0 ? (d + k - 1) / k : -((-d) / k);
    }
    // Client column of the first pixel showing document column `x` (or a later one).
    int clientX(int x) const { return originX - scrollX + firstScaled(x); }
    int clientY(int y) const { return originY - scrollY + firstScaled(y); }
    // The client pixels showing a document rectangle (right and bottom exclusive both).
    Rect clientRect(const Rect& r) const
    {
        return {clientX(r.left), clientY(r.top), clientX(r.right), clientY(r.bottom)};
    }
    // The client pixel at the centre of a document pixel.
    Point centre(Point p) const
    {
        const int half = zoom > 0 ? zoom / 2 : 0;
        return {clientX(p.x) + half, clientY(p.y) + half};
    }
    // Document pixels per client pixel, at least 1: how far a hit may miss.
    int documentPixelsPerClientPixel() const { return zoom >= 0 ? 1 : 1 - zoom; }
};

}  // namespace lv
