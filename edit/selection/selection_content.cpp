#include "edit/selection/selection_content.h"

#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_mask.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

Rect offsetRect(Rect r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Picture rows from the top.
const std::uint8_t* pixelAt(const HDIB& picture, int x, int row, int bytes)
{
    return picture.row(picture.height() - 1 - row) + std::size_t(x) * std::size_t(bytes);
}
std::uint8_t* pixelAt(HDIB& picture, int x, int row, int bytes)
{
    return picture.row(picture.height() - 1 - row) + std::size_t(x) * std::size_t(bytes);
}

// A picture like `source` (depth, table, resolution) of the rectangle's size, holding the
// source's pixels there (rectangle in the source's top-down coordinates; zero outside it).
HDIB copyRegion(const HDIB& source, const Rect& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDIB out = AllocatePicture(width, height, unsigned(source.bitCount()), source.clrUsed());
    if (!out)
        return {};
    std::memcpy(out.colors(), source.colors(), 4 * std::size_t(source.clrUsed()));
    out.header().biXPelsPerMeter = source.header().biXPelsPerMeter;
    out.header().biYPelsPerMeter = source.header().biYPelsPerMeter;
    const int bytes = source.bitCount() / 8;
    const int from = std::max(r.left, 0), to = std::min(r.right, source.width());
    if (from >= to)
        return out;
    for (int row = std::max(r.top, 0); row < std::min(r.bottom, source.height()); ++row)
        std::memcpy(pixelAt(out, from - r.left, row - r.top, bytes), pixelAt(source, from, row, bytes),
                    std::size_t(to - from) * std::size_t(bytes));
    return out;
}

// Writes the pixels of `source` selected by `mask` (both of the rectangle's size) into
// `target` at the rectangle, within the target.
void putThroughMask(HDIB& target, const HDIB& source, const Rect& r, const HDIB& mask)
{
    const int bytes = target.bitCount() / 8;
    const int from = std::max(r.left, 0), to = std::min(r.right, target.width());
    for (int row = std::max(r.top, 0); row < std::min(r.bottom, target.height()); ++row) {
        const std::uint8_t* bits = MaskRowFromTop(mask, row - r.top);
        for (int x = from; x < to; ++x)
            if (MaskBitAt(bits, x - r.left))
                std::memcpy(pixelAt(target, x, row, bytes), pixelAt(source, x - r.left, row - r.top, bytes),
                            std::size_t(bytes));
    }
}

// Sets the selected pixels of an 8-bit picture to a value.
void fillThroughMask(HDIB& target, const Rect& r, const HDIB& mask, std::uint8_t value)
{
    const int from = std::max(r.left, 0), to = std::min(r.right, target.width());
    for (int row = std::max(r.top, 0); row < std::min(r.bottom, target.height()); ++row) {
        const std::uint8_t* bits = MaskRowFromTop(mask, row - r.top);
        std::uint8_t* line = pixelAt(target, 0, row, 1);
        for (int x = from; x < to; ++x)
            if (MaskBitAt(bits, x - r.left))
                line[x] = value;
    }
}

struct CurrentLayer {
    LayerRecord* record = nullptr;
    Rect rect;  // top-down document rectangle
};

std::optional<CurrentLayer> currentLayer(LayerStack& stack)
{
    const auto rect = GetLayerTopDownRect(stack, stack.currentLayer);
    if (!rect)
        return std::nullopt;
    return CurrentLayer{&stack.layers[std::size_t(stack.currentLayer)], *rect};
}

// Content a move lifted and put down, still carried by the next move.
bool isLifted(const LayerStack& stack)
{
    return stack.floatingUnderImage && stack.selectionAux && stack.floatingMask;
}

}  // namespace

std::optional<Rect> MoveSelectionOutline(LayerStack& stack, int dx, int dy)
{
    if (stack.selectionActive == 0 || (dx == 0 && dy == 0))
        return std::nullopt;
    RecordUndoStep(stack, kUndoMoveSelectionOutline);
    const Rect before = stack.selectionRect;
    stack.selectionAux.reset();
    stack.floatingMask.reset();
    stack.floatingUnderImage.reset();
    stack.floatingUnderMask.reset();
    stack.selectionRect = offsetRect(before, dx, dy);
    return UniteRects(before, stack.selectionRect);
}

std::optional<Rect> MoveSelectionContent(LayerStack& stack, int dx, int dy, bool keepSource)
{
    if (stack.selectionActive == 0 || (dx == 0 && dy == 0))
        return std::nullopt;
    const auto layer = currentLayer(stack);
    if (!layer)
        return std::nullopt;
    const bool lifted = isLifted(stack);
    // Only the layer's own pixels lift: the part of the selection beyond it has none.
    std::optional<SelectionRegion> onLayer;
    const Rect& r = stack.selectionRect;
    const Rect& l = layer->rect;
    const Rect inside{std::max(r.left, l.left), std::max(r.top, l.top), std::min(r.right, l.right),
                              std::min(r.bottom, l.bottom)};
    if (!lifted && !(inside == r)) {
        if (inside.left >= inside.right || inside.top >= inside.bottom)
            return std::nullopt;
        onLayer = TrimSelection({CutSelectionMask(stack.selectionMask.read(), offsetRect(inside, -r.left, -r.top)), inside},
                                stack.width, stack.height);
        if (!onLayer)
            return std::nullopt;
    }

    RecordUndoStep(stack, kUndoMoveSelectionContent);
    const Rect before = stack.selectionRect;
    if (onLayer)
        StoreSelection(stack, std::move(onLayer));
    const HDIB& selection = stack.selectionMask.read();
    const Rect from = stack.selectionRect;
    const Rect after = offsetRect(from, dx, dy);
    // Both places in the layer's own coordinates.
    const Rect oldPlace = offsetRect(from, -layer->rect.left, -layer->rect.top);
    const Rect newPlace = offsetRect(after, -layer->rect.left, -layer->rect.top);
    LayerRecord& record = *layer->record;
    if (!lifted) {
        HDIB image = copyRegion(record.image.read(), oldPlace);
        HDIB mask = copyRegion(record.mask.read(), oldPlace);
        if (!image || !mask) {
            WithdrawUndoStep(stack);
            return std::nullopt;
        }
        stack.selectionAux = SharedPicture(std::move(image));
        stack.floatingMask = SharedPicture(std::move(mask));
        if (!keepSource)
            fillThroughMask(record.mask.write(), oldPlace, selection, 0);
    } else {
        putThroughMask(record.image.write(), stack.floatingUnderImage.read(), oldPlace, selection);
        putThroughMask(record.mask.write(), stack.floatingUnderMask.read(), oldPlace, selection);
    }
    HDIB underImage = copyRegion(record.image.read(), newPlace);
    HDIB underMask = copyRegion(record.mask.read(), newPlace);
    if (!underImage || !underMask) {
        // Out of memory half way: the step recorded first holds the state to go back to.
        stack.floatingUnderImage.reset();
        stack.floatingUnderMask.reset();
        return UniteRects(before, after);
    }
    stack.floatingUnderImage = SharedPicture(std::move(underImage));
    stack.floatingUnderMask = SharedPicture(std::move(underMask));
    putThroughMask(record.image.write(), stack.selectionAux.read(), newPlace, selection);
    putThroughMask(record.mask.write(), stack.floatingMask.read(), newPlace, selection);
    stack.selectionRect = after;
    return UniteRects(before, after);
}

bool DropLiftedContent(LayerStack& stack)
{
    if (!isLifted(stack))
        return false;
    RecordUndoStep(stack, kUndoMoveSelectionOutline);
    stack.selectionAux.reset();
    stack.floatingMask.reset();
    stack.floatingUnderImage.reset();
    stack.floatingUnderMask.reset();
    return true;
}

int SwitchCurrentLayer(LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return -1;
    if (index != stack.currentLayer)
        DropLiftedContent(stack);
    return SetCurrentLayer(stack, index);
}

std::optional<Rect> DeleteSelectionContent(LayerStack& stack)
{
    if (stack.selectionActive == 0)
        return std::nullopt;
    const auto layer = currentLayer(stack);
    if (!layer)
        return std::nullopt;
    RecordUndoStep(stack, kUndoDeleteSelectionContent);
    const Rect place = offsetRect(stack.selectionRect, -layer->rect.left, -layer->rect.top);
    fillThroughMask(layer->record->mask.write(), place, stack.selectionMask.read(), 0);
    stack.selectionAux.reset();
    stack.floatingMask.reset();
    stack.floatingUnderImage.reset();
    stack.floatingUnderMask.reset();
    return stack.selectionRect;
}

bool CropToSelection(LayerStack& stack)
{
    if (stack.selectionActive == 0)
        return false;
    const Rect crop = stack.selectionRect;
    const int width = crop.right - crop.left, height = crop.bottom - crop.top;
    HDIB composite = MakeCompositeLike(stack.composite, width, height, stack.bitCount);
    if (!composite)
        return false;
    // Every new picture first, so that running out of memory changes nothing.
    struct Cut {
        HDIB image, mask;
        Rect rect;  // top-down, in the cropped document
    };
    std::vector<Cut> cuts;
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        const Rect r = *GetLayerTopDownRect(stack, i);
        const Rect inside{std::max(r.left, crop.left), std::max(r.top, crop.top), std::min(r.right, crop.right),
                                  std::min(r.bottom, crop.bottom)};
        Cut cut;
        if (inside.left < inside.right && inside.top < inside.bottom) {
            const Rect local = offsetRect(inside, -r.left, -r.top);
            cut.image = copyRegion(layer.image.read(), local);
            cut.mask = copyRegion(layer.mask.read(), local);
            cut.rect = offsetRect(inside, -crop.left, -crop.top);
        } else {
            // Black and fully transparent, where it was: a region wholly outside is all zero.
            const Rect nowhere{-(r.right - r.left), -(r.bottom - r.top), 0, 0};
            cut.image = copyRegion(layer.image.read(), nowhere);
            cut.mask = copyRegion(layer.mask.read(), nowhere);
            cut.rect = offsetRect(r, -crop.left, -crop.top);
        }
        if (!cut.image || !cut.mask)
            return false;
        cuts.push_back(std::move(cut));
    }
    RecordUndoStep(stack, kUndoCrop);
    for (int i = 0; i < stack.layerCount; ++i) {
        LayerRecord& layer = stack.layers[std::size_t(i)];
        Cut& cut = cuts[std::size_t(i)];
        layer.image = SharedPicture(std::move(cut.image));
        layer.mask = SharedPicture(std::move(cut.mask));
        layer.x = cut.rect.left;
        layer.y = height - cut.rect.bottom;
        layer.aspect = LayerAspect(layer.image);
    }
    stack.width = std::uint16_t(width);
    stack.height = std::uint16_t(height);
    stack.composite = std::move(composite);
    ClearSelection(stack);
    CompositeLayers(stack);
    return true;
}

}  // namespace lv
