#pragma once
// A layer's pictures rendered afresh from its source through a placement matrix.

#include "common/geometry.h"
#include "edit/layer_stack.h"

#include <cstdint>
#include <optional>

namespace lv {

struct RenderedLayer {
    HDIB image;
    HDIB mask;
    Rect placed;  // top-down, right and bottom exclusive
};

// The mask from the source mask (background 0); the image from the source image with
// `imageBackground`, or for a text layer a block of its lettering colour. Nothing when
// either render fails. Up to `threads` threads share the rows.
std::optional<RenderedLayer> RenderLayerFromSource(const LayerRecord& layer, const HDIB& sourceImage,
                                                   const HDIB& sourceMask, const Placement& m,
                                                   std::uint32_t imageBackground, int threads = 1);

}  // namespace lv
