#include "edit/layer_commands.h"

#include "common/string_table.h"
#include "edit/compositing.h"
#include "edit/layer_file_name.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/selection/selection_content.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace lv {
namespace {

// Several layers come in at once: the step keeps the whole list.
constexpr int kUndoLayersAdded = 13001;

bool isColour(const LayerStack& stack)
{
    return stack.bitCount != 8;
}

// `result` (placed at x, y from the document's bottom) over white, cut to the document.
HDIB overWhite(const LayerStack& stack, const LayerRecord& result)
{
    const bool grey = !isColour(stack);
    HDIB flat = DibCreate(stack.width, stack.height, 0xFFFFFFu, grey);
    if (!flat || !result.image || !result.mask)
        return flat;
    const int channels = grey ? 1 : 3;
    // A merge of mask layers alone comes out grey.
    const HDIB converted = HasLayerDepth(result.image.read(), grey) ? HDIB{} : ConvertLayerDepth(result.image.read(), grey);
    const HDIB& image = converted ? converted : result.image.read();
    if (!image)
        return flat;
    const HDIB& mask = result.mask.read();
    const int opacity = int(std::min<std::uint32_t>(result.opacity, 100));
    const int left = std::max(0, result.x), right = std::min<int>(stack.width, result.x + image.width());
    const int bottom = std::max(0, result.y), top = std::min<int>(stack.height, result.y + image.height());
    for (int row = bottom; row < top; ++row) {
        const std::uint8_t* src = image.row(row - result.y);
        const std::uint8_t* cover = mask.row(row - result.y);
        std::uint8_t* out = flat.row(row);
        for (int x = left; x < right; ++x) {
            const int a = cover[x - result.x] * opacity;  // 0 .. 25500
            for (int c = 0; c < channels; ++c) {
                const int v = src[(x - result.x) * channels + c];
                out[x * channels + c] = std::uint8_t((v * a + 255 * (25500 - a) + 12750) / 25500);
            }
        }
    }
    return flat;
}

// The record a new layer takes from the one it copies, short of its pictures.
void copyAttributes(LayerRecord& to, const LayerRecord& from)
{
    to.x = from.x;
    to.y = from.y;
    to.name = from.name;
    to.linked = from.linked;
    to.visible = from.visible;
    to.maskLocked = from.maskLocked;
    to.opacity = from.opacity;
    to.kind = from.kind;
    to.sourceImage = from.sourceImage;
    to.sourceMask = from.sourceMask;
    to.reserved = from.reserved;
    to.textPlacement = from.textPlacement;
    to.aspect = from.aspect;
}

}  // namespace

bool NewTransparentLayer(LayerStack& stack)
{
    if (stack.width == 0 || stack.height == 0)
        return false;
    HDIB image = DibCreate(stack.width, stack.height, 0xFFFFFFu, !isColour(stack));
    HDIB mask = MakeGreyFilled(stack.width, stack.height, 0);
    if (!image || !mask)
        return false;
    const int position = std::clamp(stack.currentLayer, 0, stack.layerCount);
    return AddLayer(stack, position, std::move(image), std::move(mask), true, false);
}

bool DuplicateCurrentLayer(LayerStack& stack)
{
    const int current = stack.currentLayer;
    if (!IsLayerIndex(stack, current))
        return false;
    auto content = CopyLayerContent(stack, current);
    if (!content || !content->image || !content->mask)
        return false;
    const LayerRecord original = stack.layers[std::size_t(current)];
    const bool keep8Bit = original.kind == LAYER_MASK;
    if (!AddLayer(stack, current, std::move(content->image), std::move(content->mask), true, keep8Bit,
                  std::move(content->textObject)))
        return false;
    copyAttributes(stack.layers[std::size_t(current)], original);
    return true;
}

bool MoveCurrentLayer(LayerStack& stack, bool up)
{
    const int from = stack.currentLayer;
    const int to = up ? from - 1 : from + 1;
    if (!IsLayerIndex(stack, from) || !IsLayerIndex(stack, to))
        return false;
    return MoveLayer(stack, from, to, true);
}

bool MergeDown(LayerStack& stack)
{
    const int upper = stack.currentLayer;
    const int lower = upper + 1;
    if (!IsLayerIndex(stack, upper) || !IsLayerIndex(stack, lower))
        return false;
    std::vector<bool> links(std::size_t(stack.layerCount));
    for (int i = 0; i < stack.layerCount; ++i)
        links[std::size_t(i)] = stack.layers[std::size_t(i)].linked;
    const bool visible = stack.layers[std::size_t(upper)].visible || stack.layers[std::size_t(lower)].visible;
    const bool recorded = RecordUndoStep(stack, kUndoMergeLinked, {upper, lower});

    // The linked merge with exactly these two linked, hosted by the lower layer.
    for (int i = 0; i < stack.layerCount; ++i)
        stack.layers[std::size_t(i)].linked = i == upper || i == lower;
    stack.currentLayer = lower;
    const int merged = MergeLayers(stack, MergeMode::Linked, false);
    const auto restoreLinks = [&](int removed) {
        for (int i = 0; i < stack.layerCount; ++i) {
            const int before = removed >= 0 && i >= removed ? i + 1 : i;
            stack.layers[std::size_t(i)].linked = links[std::size_t(before)];
        }
    };
    if (merged < 0) {
        restoreLinks(-1);
        stack.currentLayer = upper;
        if (recorded)
            WithdrawUndoStep(stack);
        return false;
    }
    restoreLinks(upper);
    stack.layers[std::size_t(merged)].visible = visible;
    stack.currentLayer = merged;
    return true;
}

bool FlattenLayers(LayerStack& stack)
{
    if (stack.layerCount == 0)
        return false;
    const bool recorded = RecordUndoStep(stack, kUndoFlatten);
    // The merge stores its result in the current record; keep that record to put back.
    const int current = std::clamp(stack.currentLayer, 0, stack.layerCount - 1);
    const LayerRecord before = stack.layers[std::size_t(current)];
    LayerRecord result;
    const int host = MergeLayers(stack, MergeMode::Visible, true);
    if (host >= 0)
        result = stack.layers[std::size_t(host)];
    HDIB flat = overWhite(stack, result);
    HDIB mask = flat ? MakeGreyFilled(stack.width, stack.height, 255) : HDIB{};
    if (!mask) {
        if (host >= 0)
            stack.layers[std::size_t(host)] = before;
        if (recorded)
            WithdrawUndoStep(stack);
        return false;
    }
    while (stack.layerCount > 0)
        TakeLayerRecord(stack, stack.layerCount - 1);
    LayerRecord background;
    background.aspect = LayerAspect(flat);
    background.image = std::move(flat);
    background.mask = std::move(mask);
    background.name = std::string(LoadString(kBackgroundNameString));
    background.visible = true;
    background.opacity = 100;
    PutLayerRecord(stack, 0, std::move(background));
    stack.currentLayer = 0;
    return true;
}

bool DeleteLayerOrSelection(LayerStack& stack)
{
    if (stack.selectionActive)
        return DeleteSelectionContent(stack).has_value();
    if (stack.layerCount < 2)
        return false;
    return DeleteLayer(stack, stack.currentLayer, true);
}

bool AddLayersFrom(LayerStack& stack, const LayerStack& source, std::string_view sourcePath)
{
    if (source.layerCount <= 0 || stack.layerCount + source.layerCount > kOrdinaryLayerLimit)
        return false;
    const int at = std::clamp(stack.currentLayer, 0, stack.layerCount);
    const int dx = (int(stack.width) - int(source.width)) / 2;
    const int dy = (int(stack.height) - int(source.height)) / 2;
    const bool recorded = RecordUndoStep(stack, kUndoLayersAdded);
    for (int i = 0; i < source.layerCount; ++i) {
        auto content = CopyLayerContent(source, i);
        const LayerRecord& from = source.layers[std::size_t(i)];
        const bool keep8Bit = from.kind == LAYER_MASK;
        if (!content || InsertLayer(stack, content->image, content->mask, at + i, keep8Bit,
                                    std::move(content->textObject)) != kInsertOk) {
            for (int k = i; k-- > 0;)
                TakeLayerRecord(stack, at + k);
            if (recorded)
                WithdrawUndoStep(stack);
            return false;
        }
        LayerRecord& added = stack.layers[std::size_t(at + i)];
        copyAttributes(added, from);
        added.x = from.x + dx;
        added.y = from.y + dy;
        if (std::string fileName = LayerNameForPicturePath(sourcePath);
            !fileName.empty() && added.name == LoadString(kBackgroundNameString))
            added.name = std::move(fileName);
    }
    stack.currentLayer = at;
    return true;
}

bool RenameLayer(LayerStack& stack, int index, std::string_view name)
{
    if (!IsLayerIndex(stack, index))
        return false;
    // The step keeps the current layer's record, so the renamed one stands there meanwhile.
    const int current = std::exchange(stack.currentLayer, index);
    RecordUndoStep(stack, kUndoLayerRename);
    stack.currentLayer = current;
    return SetLayerName(stack, index, name);
}

}  // namespace lv
