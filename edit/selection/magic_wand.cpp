#include "edit/selection/magic_wand.h"

#include "edit/layers.h"
#include "edit/selection/combine_masks.h"
#include "edit/selection/select_similar.h"

#include <algorithm>

namespace lv {

std::optional<SelectionRegion> WandRegion(const LayerStack& stack, Point point, bool contiguous,
                                          ChannelLimits tolerance)
{
    const auto layerRect = GetLayerTopDownRect(stack, stack.currentLayer);
    if (!layerRect)
        return std::nullopt;
    const LayerRecord& layer = stack.layers[std::size_t(stack.currentLayer)];
    const HDIB& image = layer.image.read();
    const HDIB& mask = layer.mask.read();
    const int x = std::clamp(point.x - layerRect->left, 0, image.width() - 1);
    const int y = std::clamp(point.y - layerRect->top, 0, image.height() - 1);
    const auto select = contiguous ? SelectSimilar : SelectSimilarGlobal;
    HDIB onMask = select(mask, x, y, SimilarityMode::Tolerance, tolerance, nullptr);
    if (!onMask)
        return std::nullopt;
    // Where the layer is transparent the wand selects the transparent region itself.
    const bool opaque = mask.row(mask.height() - 1 - y)[x] != 0;
    if (!opaque)
        return SelectionRegion{std::move(onMask), *layerRect};
    HDIB onImage = select(image, x, y, SimilarityMode::Tolerance, tolerance, nullptr);
    if (!onImage)
        return std::nullopt;
    CombinedMask both = CombineMasks(onImage, onMask, 0, 0, MaskOp::Intersection);
    if (!both.mask)
        return std::nullopt;
    return SelectionRegion{std::move(both.mask), *layerRect};
}

bool MagicWandClick(LayerStack& stack, Point point, const WandSettings& settings, Rect* redraw)
{
    std::optional<SelectionRegion> region = WandRegion(stack, point, settings.contiguous, settings.tolerance);
    if (!region)
        return false;
    const auto changed = ChangeSelection(stack, std::move(*region), settings.combine, kUndoWandSelection);
    if (redraw && changed)
        *redraw = *changed;
    return true;
}

}  // namespace lv
