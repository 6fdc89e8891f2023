#pragma once
// The skin's points and rectangles as Qt's.

#include "app/skin/geometry.h"

#include <QPoint>
#include <QRect>

namespace lv::app {

inline QPoint ToQPoint(skin::Point p)
{
    return {p.x, p.y};
}

inline skin::Point ToSkinPoint(QPoint p)
{
    return {p.x(), p.y()};
}

inline QRect ToQRect(const skin::Rect& r)
{
    return {r.x, r.y, r.width, r.height};
}

inline skin::Rect ToSkinRect(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace lv::app
