#include "edit/placement/layer_placement.h"

#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/placement/layer_render.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resampler.h"
#include "edit/undo_hooks.h"
#include "imagelib/shared_picture.h"

#include <algorithm>

namespace lv {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

Rect unite(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

LayerRecord* currentLayer(LayerStack& stack)
{
    return IsLayerIndex(stack, stack.currentLayer) ? &stack.layers[std::size_t(stack.currentLayer)] : nullptr;
}

Rect sourceBox(const LayerRecord& layer)
{
    return PlacedBoundingBox({0, 0, layer.sourceImage->width(), layer.sourceImage->height()}, layer.textPlacement);
}

// Where the placement puts the middle of the source, to the fraction: the box around it was
// rounded, and turning about the box's centre would carry that rounding into every turn.
Placement RotationAboutPlacedCentre(const LayerRecord& layer, double degrees)
{
    const Placement& m = layer.textPlacement;
    const double row = layer.sourceImage->height() / 2.0;
    const double col = layer.sourceImage->width() / 2.0;
    const double centreCol = m[3] * row + m[4] * col + m[5];
    const double centreRow = m[0] * row + m[1] * col + m[2];
    return RotatePlacement(centreCol, centreRow, degrees * kApplyRadiansPerDegree);
}

void install(LayerStack& stack, LayerRecord& layer, RenderedLayer rendered, const Placement& m)
{
    layer.image = SharedPicture(std::move(rendered.image));
    layer.mask = SharedPicture(std::move(rendered.mask));
    layer.imageBlock.reset();
    layer.textPlacement = m;
    layer.x = rendered.placed.left;
    layer.y = stack.height - rendered.placed.bottom;
    layer.aspect = LayerAspect(layer.image);
}

}  // namespace

bool PreparePlacement(LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return false;
    LayerRecord& layer = stack.layers[std::size_t(index)];
    if (!layer.image || !layer.mask)
        return false;
    if (IsUnplaced(layer.textPlacement)) {
        const int top = stack.height - layer.y - layer.image.height();
        layer.textPlacement = IdentityPlacement();
        if (layer.x != 0 || top != 0)
            layer.textPlacement = Compose(TranslatePlacement(layer.x, top), layer.textPlacement);
    }
    if (!layer.sourceImage) {
        HDIB copy = CopyPicture(layer.image.read());
        if (!copy)
            return false;
        layer.sourceImage = std::make_shared<HDIB>(std::move(copy));
    }
    if (!layer.sourceMask) {
        HDIB copy = CopyPicture(layer.mask.read());
        if (!copy)
            return false;
        layer.sourceMask = std::make_shared<HDIB>(std::move(copy));
    }
    return true;
}

bool ClearPlacement(LayerStack& stack)
{
    LayerRecord* layer = currentLayer(stack);
    if (!layer)
        return false;
    const bool wasText = layer->kind == LAYER_TEXT;
    if (wasText) {
        RecordUndoStep(stack, kUndoClearPlacement);
        layer->kind = LAYER_IMAGE;
        layer->textObject.reset();
        layer->aspect = LayerAspect(layer->image);
    }
    layer->sourceImage.reset();
    layer->sourceMask.reset();
    layer->textPlacement = {};
    return wasText;
}

std::optional<Rect> CurrentLayerBox(const LayerStack& stack)
{
    return GetLayerTopDownRect(stack, stack.currentLayer);
}

std::optional<Rect> ResizeCurrentLayer(LayerStack& stack, Rect box)
{
    LayerRecord* layer = currentLayer(stack);
    const auto current = CurrentLayerBox(stack);
    if (!layer || !current || box.right < box.left || box.bottom < box.top)
        return std::nullopt;
    if (box.bottom == box.top) {
        if (box.top != current->top)
            --box.top;
        else
            ++box.bottom;
    }
    if (box.right == box.left) {
        if (box.left != current->left)
            --box.left;
        else
            ++box.right;
    }
    // The step keeps the layer as it was before it was given a source and a placement.
    RecordUndoStep(stack, kUndoLayerResize);
    if (!PreparePlacement(stack)) {
        WithdrawUndoStep(stack);
        return std::nullopt;
    }
    const Placement m = Compose(ResizePlacement(sourceBox(*layer), box), layer->textPlacement);
    auto rendered = RenderLayerFromSource(*layer, *layer->sourceImage, *layer->sourceMask, m, 0);
    if (!rendered)
        return std::nullopt;
    // The box asked for places the layer; the render has its size to within rounding.
    rendered->placed = {box.left, box.top, box.left + rendered->mask.width(), box.top + rendered->mask.height()};
    install(stack, *layer, std::move(*rendered), m);
    const Rect changed = unite(*current, *CurrentLayerBox(stack));
    CompositeLayers(stack, changed);
    return changed;
}

std::optional<Rect> MoveCurrentLayer(LayerStack& stack, const Rect& frame)
{
    LayerRecord* layer = currentLayer(stack);
    const auto current = CurrentLayerBox(stack);
    if (!layer || !current)
        return std::nullopt;
    if (stack.selectionActive && frame == stack.selectionRect)
        return std::nullopt;
    if (frame.left == current->left && frame.top == current->top)
        return std::nullopt;
    // The step keeps the layer as it was before it was given a source and a placement.
    RecordUndoStep(stack, kUndoLayerPlacedMove);
    if (!PreparePlacement(stack)) {
        WithdrawUndoStep(stack);
        return std::nullopt;
    }
    const Rect box = sourceBox(*layer);
    layer->textPlacement = Compose(TranslatePlacement(frame.left - box.left, frame.top - box.top), layer->textPlacement);
    layer->x += frame.left - current->left;
    layer->y -= frame.top - current->top;
    const Rect changed = unite(*current, *CurrentLayerBox(stack));
    CompositeLayers(stack, changed);
    return changed;
}

std::optional<Rect> RotateCurrentLayer(LayerStack& stack, double degrees)
{
    LayerRecord* layer = currentLayer(stack);
    const auto current = CurrentLayerBox(stack);
    if (!layer || !current)
        return std::nullopt;
    // The step keeps the layer as it was before it was given a source and a placement.
    RecordUndoStep(stack, kUndoLayerRotate);
    if (!PreparePlacement(stack)) {
        WithdrawUndoStep(stack);
        return std::nullopt;
    }
    const Placement m = Compose(RotationAboutPlacedCentre(*layer, degrees), layer->textPlacement);
    auto rendered = RenderLayerFromSource(*layer, *layer->sourceImage, *layer->sourceMask, m, kWhite);
    if (!rendered)
        return std::nullopt;
    install(stack, *layer, std::move(*rendered), m);
    const Rect changed = unite(*current, *CurrentLayerBox(stack));
    CompositeLayers(stack, changed);
    return changed;
}

}  // namespace lv
