#pragma once
// A document as one picture with its transparency, for files that keep alpha: the layers'
// own colours where anything covers a pixel, and how much covers it as the alpha.

#include "edit/layer_stack.h"
#include "imagelib/dib.h"

#include <optional>

namespace lv {

struct PictureAndAlpha {
    HDIB picture;  // the document's depth (24, or 8 with the grey table)
    HDIB alpha;    // 8-bit grey, 255 opaque; null when every pixel is opaque
};

// Nothing when memory runs out.
std::optional<PictureAndAlpha> FlattenWithAlpha(const LayerStack& stack);

// The picture composited over white, as a format without alpha holds it: 24-bit stays
// 24-bit, grey stays grey, palette pictures are widened first. Null when memory runs out.
HDIB FlattenOnWhite(const HDIB& picture, const HDIB& alpha);

}  // namespace lv
