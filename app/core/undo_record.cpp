#include "app/core/undo_record.h"

#include "app/core/undo_codes.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// The values a step keeps of a layer record (all but its pictures), listed once for saving
// and restoring: `copy(layerField, savedField)` runs for each.
template <class Layer, class Saved, class Copy>
void forEachLayerValue(Layer& layer, Saved& saved, Copy copy)
{
    copy(layer.textObject, saved.textObject);
    copy(layer.x, saved.x);
    copy(layer.y, saved.y);
    copy(layer.name, saved.name);
    copy(layer.linked, saved.linked);
    copy(layer.visible, saved.visible);
    copy(layer.maskLocked, saved.maskLocked);
    copy(layer.opacity, saved.opacity);
    copy(layer.kind, saved.kind);
    copy(layer.sourceImage, saved.sourceImage);
    copy(layer.sourceMask, saved.sourceMask);
    copy(layer.reserved, saved.reserved);
    copy(layer.textPlacement, saved.textPlacement);
    copy(layer.aspect, saved.aspect);
}

// The same for the document's own values.
template <class Stack, class Saved, class Copy>
void forEachDocumentValue(Stack& stack, Saved& saved, Copy copy)
{
    copy(stack.width, saved.width);
    copy(stack.height, saved.height);
    copy(stack.view.zoomLevel, saved.zoomLevel);
    copy(stack.selectionActive, saved.selectionActive);
    copy(stack.selectionRect, saved.selectionRect);
    copy(stack.layerCount, saved.layerCount);
    copy(stack.currentLayer, saved.currentLayer);
    copy(stack.projectPlacement, saved.projectPlacement);
}

constexpr auto kSave = [](const auto& live, auto& saved) { saved = live; };
constexpr auto kRestore = [](auto& live, const auto& saved) { live = saved; };

SavedLayer saveLayer(const LayerRecord& r)
{
    SavedLayer s;
    s.image = IdOf(r.image);
    s.mask = IdOf(r.mask);
    forEachLayerValue(r, s, kSave);
    return s;
}

LayerRecord restoreLayer(const SavedLayer& s, PicturePool& pictures)
{
    LayerRecord r;
    r.image = pictures.take(s.image);
    r.mask = pictures.take(s.mask);
    forEachLayerValue(r, s, kRestore);
    return r;
}

bool isInDocument(const LayerStack& stack, PictureId id)
{
    if (id == IdOf(stack.selectionAux) || id == IdOf(stack.floatingMask) || id == IdOf(stack.selectionMask))
        return true;
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        if (id == IdOf(layer.image) || id == IdOf(layer.mask))
            return true;
    }
    return false;
}

// Copies a picture into the pool and points the saved slot at the copy.
bool copyInto(UndoRecord& record, const HDIB& picture, PictureId& slot, std::uint64_t& bytesCopied)
{
    if (!picture)
        return true;
    HDIB copy = CopyPicture(picture);
    if (!copy)
        return false;
    bytesCopied += copy.size();
    slot = IdOf(copy);
    record.pool.put(std::move(copy));
    return true;
}

}  // namespace

SavedDocument SaveDocumentState(const LayerStack& stack)
{
    SavedDocument s;
    forEachDocumentValue(stack, s, kSave);
    s.selectionAux = IdOf(stack.selectionAux);
    s.floatingMask = IdOf(stack.floatingMask);
    s.selectionMask = IdOf(stack.selectionMask);
    for (int i = 0; i < stack.layerCount; ++i)
        s.layers.push_back(saveLayer(stack.layers[std::size_t(i)]));
    return s;
}

void PicturePool::put(HDIB picture)
{
    if (picture)
        pictures_.push_back(std::move(picture));
}

HDIB PicturePool::take(PictureId id)
{
    if (!id)
        return {};
    const auto it = std::find_if(pictures_.begin(), pictures_.end(), [id](const HDIB& p) { return IdOf(p) == id; });
    if (it == pictures_.end())
        return {};
    HDIB picture = std::move(*it);
    pictures_.erase(it);
    return picture;
}

bool PicturePool::holds(PictureId id) const
{
    return std::any_of(pictures_.begin(), pictures_.end(), [id](const HDIB& p) { return IdOf(p) == id; });
}

HDIB CopyPicture(const HDIB& picture)
{
    if (!picture)
        return {};
    HDIB copy = HDIB::AllocateZeroed(picture.size());
    if (copy)
        std::memcpy(copy.data(), picture.data(), picture.size());
    return copy;
}

bool FillUndoRecord(UndoRecord& record, const LayerStack& stack, int code, std::span<const std::int32_t> values,
                    std::uint64_t& bytesCopied)
{
    record.saved = SaveDocumentState(stack);
    record.word = values.empty() ? 0 : values[0];
    const PicturesToCopy copy = PicturesCopiedFor(code, values);
    SavedDocument& s = record.saved;
    for (int i = 0; i < stack.layerCount; ++i) {
        const bool current = i == stack.currentLayer;
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        SavedLayer& saved = s.layers[std::size_t(i)];
        if (copy.allLayers || (copy.currentLayer && current)) {
            if (!copyInto(record, layer.image, saved.image, bytesCopied))
                return false;
        }
        if (copy.allLayers || ((copy.currentLayer || copy.currentMask) && current)) {
            if (!copyInto(record, layer.mask, saved.mask, bytesCopied))
                return false;
        }
    }
    return (!copy.selectionMask || copyInto(record, stack.selectionMask, s.selectionMask, bytesCopied))
           && (!copy.selectionAux || copyInto(record, stack.selectionAux, s.selectionAux, bytesCopied))
           && (!copy.floatingMask || copyInto(record, stack.floatingMask, s.floatingMask, bytesCopied));
}

bool ExchangeUndoRecord(UndoRecord& record, LayerStack& stack)
{
    SavedDocument& target = record.saved;
    const auto resolvable = [&](PictureId id) { return !id || record.pool.holds(id) || isInDocument(stack, id); };
    if (!resolvable(target.selectionAux) || !resolvable(target.floatingMask) || !resolvable(target.selectionMask))
        return false;
    for (const SavedLayer& layer : target.layers)
        if (!resolvable(layer.image) || !resolvable(layer.mask))
            return false;

    SavedDocument current = SaveDocumentState(stack);
    PicturePool pictures = std::move(record.pool);
    pictures.put(std::move(stack.selectionAux));
    pictures.put(std::move(stack.floatingMask));
    pictures.put(std::move(stack.selectionMask));
    for (LayerRecord& layer : stack.layers) {
        pictures.put(std::move(layer.image));
        pictures.put(std::move(layer.mask));
        layer = LayerRecord{};
    }

    forEachDocumentValue(stack, target, kRestore);
    stack.selectionAux = pictures.take(target.selectionAux);
    stack.floatingMask = pictures.take(target.floatingMask);
    stack.selectionMask = pictures.take(target.selectionMask);
    for (std::size_t i = 0; i < target.layers.size() && i < stack.layers.size(); ++i)
        stack.layers[i] = restoreLayer(target.layers[i], pictures);

    record.saved = std::move(current);
    record.pool = std::move(pictures);
    return true;
}

void TakeReleasedContent(UndoRecord& record, ReleasedContent released)
{
    for (ReleasedLayer& layer : released.layers) {
        record.pool.put(std::move(layer.record.image));
        record.pool.put(std::move(layer.record.mask));
    }
    record.pool.put(std::move(released.selectionAux));
    record.pool.put(std::move(released.floatingMask));
    record.pool.put(std::move(released.selectionMask));
}

}  // namespace lv
