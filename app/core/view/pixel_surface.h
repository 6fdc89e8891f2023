#pragma once
// Overlays drawn straight into a window's 32-bit pixels (outlines, handles, rubber bands),
// clipped to the buffer's area: crisp one-pixel lines at any zoom, and fast enough for an
// outline of many thousand edges every frame.

#include "app/core/view/view_painter.h"
#include "imagelib/drawing_surface.h"

namespace lv {

class PixelSurface final : public DrawingSurface {
public:
    explicit PixelSurface(const PixelBuffer& buffer)
        : buffer_(buffer)
    {
    }

    bool drawPicture(const HDIB& picture, int x, int y) override;
    void drawLine(Point from, Point to, const Pen& pen) override;
    void drawLines(std::span<const SurfaceLine> lines, const Pen& pen) override;
    void fillRectangle(const Rect& r, const Pen& pen) override;
    void drawEllipse(const Rect& r, const Pen& pen) override;

private:
    void plot(int x, int y, const Pen& pen);
    void horizontal(int y, int x0, int x1, const Pen& pen);
    void vertical(int x, int y0, int y1, const Pen& pen);

    PixelBuffer buffer_;
};

}  // namespace lv
