#include "edit/layers.h"

#include <algorithm>

namespace lv {
namespace {

DocumentRect unite(const DocumentRect& a, const DocumentRect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Grown by one pixel to the right and bottom, as the window repaints it.
DocumentRect grown(DocumentRect rect)
{
    ++rect.right;
    ++rect.bottom;
    return rect;
}

}  // namespace

std::optional<DocumentRect> GetLayerRect(const LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return std::nullopt;
    const LayerRecord& record = stack.layers[std::size_t(index)];
    if (!record.image || record.image.width() <= 0 || record.image.height() <= 0)
        return std::nullopt;
    return DocumentRect{record.x, record.y, record.x + record.image.width(), record.y + record.image.height()};
}

std::optional<DocumentRect> GetLayerTopDownRect(const LayerStack& stack, int index)
{
    const auto rect = GetLayerRect(stack, index);
    if (!rect)
        return std::nullopt;
    const std::int32_t height = stack.height;
    return DocumentRect{rect->left, height - rect->bottom, rect->right, height - rect->top};
}

std::optional<DocumentRect> OffsetLinkedLayers(LayerStack& stack, DocumentPoint from, DocumentPoint to)
{
    if (from == to || !IsLayerIndex(stack, stack.currentLayer))
        return std::nullopt;
    const std::int32_t dx = to.x - from.x;
    const std::int32_t dy = to.y - from.y;
    const bool currentLinked = stack.layers[std::size_t(stack.currentLayer)].linked;
    std::optional<DocumentRect> damaged;
    for (int i = 0; i < stack.layerCount; ++i) {
        LayerRecord& record = stack.layers[std::size_t(i)];
        if (i != stack.currentLayer && !(record.linked && currentLinked))
            continue;
        const auto before = GetLayerTopDownRect(stack, i);
        record.x += dx;
        record.y -= dy;
        const auto after = GetLayerTopDownRect(stack, i);
        if (!before || !after)
            continue;
        const DocumentRect both = unite(grown(*before), grown(*after));
        damaged = damaged ? unite(*damaged, both) : both;
    }
    return damaged ? damaged : DocumentRect{};
}

}  // namespace lv
