#pragma once
// Pictures at the drawing edge: a packed DIB copied into a QImage for the painter.

#include "imagelib/dib.h"

#include <QImage>

namespace lv::app {

// The picture top row first; null for a null picture or a depth the program never draws.
QImage DibToImage(const HDIB& dib);
// A 24-bit picture of an image's colours (alpha is dropped); null when memory runs out.
HDIB ImageToDib(const QImage& image);

}  // namespace lv::app
