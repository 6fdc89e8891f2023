#pragma once
// Checks every layered-format fuzz target makes on a document it managed to read.

#include "edit/compositing.h"
#include "edit/layer_stack.h"
#include "edit/placement/layer_placement.h"

namespace lv::fuzz {

// Canvases above this are read but not composited, to keep runs fast.
inline constexpr int kMaxCompositedPixels = 1 << 20;

inline void CheckDocument(LayerStack& stack)
{
    if (stack.layerCount < 0 || stack.layerCount > kMaxLayers || !stack.composite || !stack.composite.hasValidLayout())
        __builtin_trap();
    if (stack.layerCount > 0 && (stack.currentLayer < 0 || stack.currentLayer >= stack.layerCount))
        __builtin_trap();
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& r = stack.layers[std::size_t(i)];
        if (!r.image || !r.mask || !r.image.read().hasValidLayout() || !r.mask.read().hasValidLayout() || r.mask.bitCount() != 8 ||
            r.image.width() != r.mask.width() || r.image.height() != r.mask.height() || r.opacity > 100 ||
            (r.textObject != nullptr) != (r.kind == LAYER_TEXT))
            __builtin_trap();
        if (bool(r.sourceImage) != bool(r.sourceMask))
            __builtin_trap();
        if (r.sourceImage && ((*r.sourceMask).width() != (*r.sourceImage).width() ||
                              (*r.sourceMask).height() != (*r.sourceImage).height() || (*r.sourceMask).bitCount() != 8))
            __builtin_trap();
    }
    // A stored source and matrix must render like the layer they came with.
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& r = stack.layers[std::size_t(i)];
        if (!r.sourceImage || std::int64_t(r.image.width()) * r.image.height() > kMaxCompositedPixels / 4)
            continue;
        stack.currentLayer = i;
        RotateCurrentLayer(stack, 17);
    }
    if (int(stack.width) * int(stack.height) <= kMaxCompositedPixels)
        CompositeLayers(stack);
}

}  // namespace lv::fuzz
