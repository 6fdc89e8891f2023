#pragma once
// What a refill or a drop puts into a placeholder layer, made whole before the layer is
// touched so that running out of memory leaves the layer as it was.

#include "edit/layer_stack.h"

namespace lv {

struct PlaceholderContent {
    HDIB image;
    HDIB mask;          // null: the layer keeps its mask
    HDIB sourceImage;   // null (with sourceMask): the layer is left without a source
    HDIB sourceMask;
    std::int32_t x = 0;
    std::int32_t y = 0;
    Placement placement{};  // all zero: no placement
    double aspect = 0;
};

// Brings the image and the source image to the depth the layer keeps in this document
// (grey in a grey document and for mask layers), as the transforms expect of a source.
// False when memory runs out.
bool MatchLayerDepth(PlaceholderContent& content, const LayerStack& stack, const LayerRecord& layer);

// Replaces the layer's pictures, sources, position, placement and aspect. A text layer
// becomes an image layer: its lettering is gone.
void InstallPlaceholderContent(LayerRecord& layer, PlaceholderContent content);

// Width over height as the projects keep it: the width itself for a height of 0.
inline double ProjectAspect(int width, int height)
{
    return height == 0 ? double(width) : double(width) / double(height);
}

}  // namespace lv
