#include "edit/text_layer/drop_shadow.h"

#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/text_render/mask_blur.h"
#include "edit/undo_hooks.h"
#include "edit/undo_recorder.h"
#include "imagelib/dib_geometry.h"

#include <vector>

namespace lv {

bool AddDropShadow(LayerStack& stack, const DropShadowSettings& settings)
{
    const int current = stack.currentLayer;
    if (!IsLayerIndex(stack, current) || stack.layerCount >= kMaxLayers)
        return false;
    if (settings.radius < 0 || settings.radius > kMaxShadowRadius || settings.intensity < 0 || settings.intensity > 100)
        return false;
    LayerRecord& text = stack.layers[std::size_t(current)];
    if (text.kind != LAYER_TEXT || !text.mask)
        return false;

    const int r = settings.radius;
    HDIB shadowMask = GaussianBlurMask(text.mask.read(), r);
    if (!shadowMask)
        return false;
    const auto grey = std::uint32_t(ShadowGrey(settings.intensity));
    HDIB shadow = DibCreate(shadowMask.width(), shadowMask.height(), grey | grey << 8 | grey << 16, stack.bitCount == 8);
    if (!shadow)
        return false;

    std::vector<bool> links;
    for (int i = 0; i < stack.layerCount; ++i) {
        links.push_back(stack.layers[std::size_t(i)].linked);
        stack.layers[std::size_t(i)].linked = false;
    }
    const bool wasVisible = text.visible;
    const std::uint32_t opacity = text.opacity;
    const std::int32_t textX = text.x;
    const std::int32_t textY = text.y;
    const auto restore = [&] {
        for (int i = 0; i < stack.layerCount && i < int(links.size()); ++i)
            stack.layers[std::size_t(i)].linked = links[std::size_t(i)];
        LayerRecord& result = stack.layers[std::size_t(current)];
        result.visible = wasVisible;
        result.opacity = opacity;
    };

    const int below = current + 1;
    // The shadow layer's insertion and its merge are one action: undo never shows the
    // shadow apart from its lettering.
    const UndoAction action(stack);
    const bool added = RecordUndoStep(stack, kUndoLayerAdd, {below});
    if (InsertLayer(stack, shadow, shadowMask, below, false, {}, LayerLimit::Lifted) != kInsertOk) {
        if (added)
            WithdrawUndoStep(stack);
        restore();
        return false;
    }
    LayerRecord& placed = stack.layers[std::size_t(below)];
    // The offset runs right and down on the screen; layer rows count from the bottom.
    placed.x = textX + settings.dx - r;
    placed.y = textY - settings.dy - r;
    stack.currentLayer = current;
    // The merge step keeps the text layer as the user left it, not as the merge needs it.
    stack.layers[std::size_t(current)].linked = links[std::size_t(current)];
    const bool merging = RecordUndoStep(stack, kUndoMergeLinked, {current, below});
    LayerRecord& lettering = stack.layers[std::size_t(current)];
    lettering.linked = placed.linked = true;
    lettering.visible = true;
    lettering.opacity = 100;
    if (MergeLayers(stack, MergeMode::Linked, false) < 0) {
        if (merging)
            WithdrawUndoStep(stack);
        TakeLayerRecord(stack, below);
        if (added)
            WithdrawUndoStep(stack);
        stack.currentLayer = current;
        restore();
        return false;
    }
    restore();
    CompositeLayers(stack);
    return true;
}

}  // namespace lv
