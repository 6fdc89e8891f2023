#include "app/core/undo_record.h"

#include "app/core/undo_codes.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

SavedLayer saveLayer(const LayerRecord& r)
{
    SavedLayer s;
    s.image = IdOf(r.image);
    s.mask = IdOf(r.mask);
    s.textObject = r.textObject;
    s.x = r.x;
    s.y = r.y;
    s.name = r.name;
    s.linked = r.linked;
    s.visible = r.visible;
    s.maskLocked = r.maskLocked;
    s.opacity = r.opacity;
    s.kind = r.kind;
    s.sourceImage = r.sourceImage;
    s.sourceMask = r.sourceMask;
    s.reserved = r.reserved;
    s.textPlacement = r.textPlacement;
    s.aspect = r.aspect;
    return s;
}

LayerRecord restoreLayer(const SavedLayer& s, PicturePool& pictures)
{
    LayerRecord r;
    r.image = pictures.take(s.image);
    r.mask = pictures.take(s.mask);
    r.textObject = s.textObject;
    r.x = s.x;
    r.y = s.y;
    r.name = s.name;
    r.linked = s.linked;
    r.visible = s.visible;
    r.maskLocked = s.maskLocked;
    r.opacity = s.opacity;
    r.kind = s.kind;
    r.sourceImage = s.sourceImage;
    r.sourceMask = s.sourceMask;
    r.reserved = s.reserved;
    r.textPlacement = s.textPlacement;
    r.aspect = s.aspect;
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
    s.width = stack.width;
    s.height = stack.height;
    s.zoomLevel = stack.view.zoomLevel;
    s.selectionActive = stack.selectionActive;
    s.selectionRect = stack.selectionRect;
    s.selectionAux = IdOf(stack.selectionAux);
    s.floatingMask = IdOf(stack.floatingMask);
    s.selectionMask = IdOf(stack.selectionMask);
    s.layerCount = stack.layerCount;
    s.currentLayer = stack.currentLayer;
    s.projectPlacement = stack.projectPlacement;
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

    stack.width = target.width;
    stack.height = target.height;
    stack.view.zoomLevel = target.zoomLevel;
    stack.selectionActive = target.selectionActive;
    stack.selectionRect = target.selectionRect;
    stack.selectionAux = pictures.take(target.selectionAux);
    stack.floatingMask = pictures.take(target.floatingMask);
    stack.selectionMask = pictures.take(target.selectionMask);
    stack.layerCount = target.layerCount;
    stack.currentLayer = target.currentLayer;
    stack.projectPlacement = target.projectPlacement;
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
