#pragma once
// The picture library's drawing surface over a Qt painter, so the core's drawing procedures
// (DibDraw, DibDrawFitted) paint widgets.

#include "imagelib/drawing_surface.h"

class QPainter;

namespace lv::app {

class PainterSurface final : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter)
        : painter_(painter)
    {
    }
    bool drawPicture(const HDIB& picture, int x, int y) override;

private:
    QPainter& painter_;
};

}  // namespace lv::app
