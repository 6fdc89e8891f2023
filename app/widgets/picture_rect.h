#pragma once
// The picture library's rectangles (right and bottom exclusive) as Qt's and back.

#include "common/geometry.h"

#include <QRect>

namespace lv::app {

inline Rect ToPictureRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QRect ToQRect(const Rect& r)
{
    return {r.left, r.top, r.width(), r.height()};
}

}  // namespace lv::app
