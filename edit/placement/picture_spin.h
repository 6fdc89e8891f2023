#pragma once
// A flat picture spun as a one-layer document would be, straight to the document's
// composite: no layer, mask or second picture is made, so memory stays at the two pictures.

#include "imagelib/dib.h"

namespace lv {

// What SpinDocument leaves as the composite of a document made from `picture` (its only
// layer opaque, the transparency grid white), using up to `threads` threads. Null when the
// picture can't be spun this way (the caller takes the document's path) or memory runs out.
HDIB SpinPicture(const HDIB& picture, double degrees, int threads);

}  // namespace lv
