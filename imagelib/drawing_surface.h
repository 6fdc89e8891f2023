#pragma once
// Where pictures are drawn: a window, a printed page, a test's recorder. The core draws
// through this interface; the application implements it with its toolkit.

#include "imagelib/dib.h"
#include "imagelib/rect.h"

namespace lv {

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // Draws the whole picture unscaled with its top-left corner at (x, y); y grows
    // downward. False when nothing could be drawn.
    virtual bool drawPicture(const HDIB& picture, int x, int y) = 0;
};

// The whole picture, unscaled, at (x, y).
bool DibDraw(DrawingSurface& surface, const HDIB& image, int x, int y);

// The picture centred in `target`, scaled to fit (DibScaledCopy with the fit flag) when its
// size differs from the rectangle's. `drawn`, when given, receives where it went.
bool DibDrawFitted(DrawingSurface& surface, const HDIB& image, const Rect& target, Rect* drawn = nullptr);

}  // namespace lv
