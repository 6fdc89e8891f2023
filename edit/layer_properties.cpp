#include "edit/layers.h"

#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <utility>

namespace lv {
namespace {

const LayerRecord* recordAt(const LayerStack& stack, int index)
{
    return IsLayerIndex(stack, index) ? &stack.layers[std::size_t(index)] : nullptr;
}

LayerRecord* recordAt(LayerStack& stack, int index)
{
    return IsLayerIndex(stack, index) ? &stack.layers[std::size_t(index)] : nullptr;
}

int flagOf(const LayerRecord* record, bool LayerRecord::*flag)
{
    return record ? int(record->*flag) : -1;
}

int toggle(LayerRecord* record, bool LayerRecord::*flag)
{
    if (!record)
        return -1;
    record->*flag = !(record->*flag);
    return int(record->*flag);
}

}  // namespace

int GetLayerCount(const LayerStack& stack)
{
    return stack.layerCount;
}

int GetCurrentLayer(const LayerStack& stack)
{
    return stack.currentLayer;
}

int SetCurrentLayer(LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return -1;
    return std::exchange(stack.currentLayer, index);
}

std::optional<std::string> GetLayerName(const LayerStack& stack, int index)
{
    const LayerRecord* record = recordAt(stack, index);
    return record ? std::optional<std::string>(record->name) : std::nullopt;
}

bool SetLayerName(LayerStack& stack, int index, std::string_view name)
{
    LayerRecord* record = recordAt(stack, index);
    if (!record)
        return false;
    record->name = LayerNameFrom(name);
    return true;
}

int IsLayerVisible(const LayerStack& stack, int index)
{
    return flagOf(recordAt(stack, index), &LayerRecord::visible);
}

int ToggleLayerVisible(LayerStack& stack, int index)
{
    return toggle(recordAt(stack, index), &LayerRecord::visible);
}

int IsLayerLinked(const LayerStack& stack, int index)
{
    return flagOf(recordAt(stack, index), &LayerRecord::linked);
}

int ToggleLayerLinked(LayerStack& stack, int index)
{
    return toggle(recordAt(stack, index), &LayerRecord::linked);
}

int IsLayerMaskLocked(const LayerStack& stack, int index)
{
    return flagOf(recordAt(stack, index), &LayerRecord::maskLocked);
}

int SetLayerMaskLocked(LayerStack& stack, int index, bool locked)
{
    LayerRecord* record = recordAt(stack, index);
    return record ? int(std::exchange(record->maskLocked, locked)) : -1;
}

int GetLayerOpacity(const LayerStack& stack, int index)
{
    const LayerRecord* record = recordAt(stack, index);
    return record ? int(record->opacity) : -1;
}

int SetLayerOpacity(LayerStack& stack, int index, int percent, bool recordUndo)
{
    LayerRecord* record = recordAt(stack, index);
    if (!record)
        return -1;
    if (recordUndo) {
        // The step snapshots the current layer, so the changed one stands there meanwhile.
        const int current = std::exchange(stack.currentLayer, index);
        RecordUndoStep(stack, kUndoLayerOpacity);
        stack.currentLayer = current;
    }
    return int(std::exchange(record->opacity, std::uint32_t(std::clamp(percent, 0, 100))));
}

int CountVisibleLayers(const LayerStack& stack)
{
    return int(std::count_if(stack.layers.begin(), stack.layers.begin() + stack.layerCount,
                             [](const LayerRecord& r) { return r.visible; }));
}

LayerRecord* GetLayerImageSlot(LayerStack& stack, int index)
{
    return recordAt(stack, index);
}

std::optional<LayerContent> CopyLayerContent(const LayerStack& stack, int index)
{
    const LayerRecord* record = recordAt(stack, index);
    if (!record)
        return std::nullopt;
    LayerContent content;
    content.image = DibDuplicate(record->image.read());
    content.mask = DibDuplicate(record->mask.read());
    if (!content.image && !content.mask)
        return std::nullopt;
    if (record->kind == LAYER_TEXT && record->textObject)
        content.textObject = std::make_shared<TextObject>(*record->textObject);
    return content;
}

}  // namespace lv
