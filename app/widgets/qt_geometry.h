#pragma once
// The common points, sizes and rectangles as Qt's and back: the one place the two meet.
// QRect's right() is its last pixel, so the conversions go through width and height.

#include "common/geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace lv::app {

inline QPoint ToQPoint(Point p)
{
    return {p.x, p.y};
}

inline Point FromQPoint(QPoint p)
{
    return {p.x(), p.y()};
}

inline QSize ToQSize(Size s)
{
    return {s.width, s.height};
}

inline Size FromQSize(QSize s)
{
    return {s.width(), s.height()};
}

inline QRect ToQRect(const Rect& r)
{
    return {r.left, r.top, r.width(), r.height()};
}

inline Rect FromQRect(const QRect& r)
{
    return Rect::fromSize(r.x(), r.y(), r.width(), r.height());
}

}  // namespace lv::app
