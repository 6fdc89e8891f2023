#pragma once
// Pictures at the drawing edge: a packed DIB copied into a QImage for the painter.

#include "imagelib/dib.h"

#include <QImage>

namespace lv::app {

// The picture top row first; null for a null picture or a depth the program never draws.
QImage DibToImage(const HDIB& dib);

}  // namespace lv::app
