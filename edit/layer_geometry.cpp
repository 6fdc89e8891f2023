#include "edit/layers.h"

#include <algorithm>

namespace lv {
namespace {

Rect unite(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Grown by one pixel to the right and bottom, as the window repaints it.
Rect grown(Rect rect)
{
    ++rect.right;
    ++rect.bottom;
    return rect;
}

}  // namespace

// The record keeps its bottom edge counted from the document's bottom row: the rows turn
// over here, so the rectangle handed out counts them from the top like every other.
std::optional<Rect> GetLayerTopDownRect(const LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return std::nullopt;
    const LayerRecord& record = stack.layers[std::size_t(index)];
    if (!record.image || record.image.width() <= 0 || record.image.height() <= 0)
        return std::nullopt;
    const std::int32_t height = stack.height;
    return Rect{record.x, height - (record.y + record.image.height()), record.x + record.image.width(), height - record.y};
}

std::optional<Rect> OffsetLinkedLayers(LayerStack& stack, Point from, Point to)
{
    if (from == to || !IsLayerIndex(stack, stack.currentLayer))
        return std::nullopt;
    const std::int32_t dx = to.x - from.x;
    const std::int32_t dy = to.y - from.y;
    const bool currentLinked = stack.layers[std::size_t(stack.currentLayer)].linked;
    std::optional<Rect> damaged;
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
        const Rect both = unite(grown(*before), grown(*after));
        damaged = damaged ? unite(*damaged, both) : both;
    }
    return damaged ? damaged : Rect{};
}

}  // namespace lv
