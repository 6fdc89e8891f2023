#include "app/core/undo/undo_record.h"

#include "edit/layers.h"

#include <algorithm>
#include <utility>

namespace lv {
namespace {

constexpr auto kKeep = [](const auto& live, auto& saved) { saved = live; };
constexpr auto kSwap = [](auto& live, auto& saved) {
    using std::swap;
    swap(live, saved);
};

// The document-level values the content names; `op(live, saved)` runs for each.
template <class Stack, class Op>
void visitFields(const UndoContent& c, Stack& stack, SavedDocumentFields& saved, Op op)
{
    if (c.documentSize) {
        op(stack.width, saved.width);
        op(stack.height, saved.height);
    }
    if (c.zoom)
        op(stack.view.zoomLevel, saved.zoomLevel);
    if (c.currentLayer)
        op(stack.currentLayer, saved.currentLayer);
    if (c.selectionFrame) {
        op(stack.selectionActive, saved.selectionActive);
        op(stack.selectionRect, saved.selectionRect);
    }
    if (c.selectionMask)
        op(stack.selectionMask, saved.selectionMask);
    if (c.selectionAux)
        op(stack.selectionAux, saved.selectionAux);
    if (c.floatingMask) {
        op(stack.floatingMask, saved.floatingMask);
        op(stack.floatingUnderImage, saved.floatingUnderImage);
        op(stack.floatingUnderMask, saved.floatingUnderMask);
    }
    if (c.projectPlacement)
        op(stack.projectPlacement, saved.projectPlacement);
}

// A record's values short of its pictures (and the encoded block that goes with its image).
template <class Layer, class Op>
void visitAttributes(Layer& live, LayerRecord& saved, Op op)
{
    op(live.textObject, saved.textObject);
    op(live.x, saved.x);
    op(live.y, saved.y);
    op(live.name, saved.name);
    op(live.linked, saved.linked);
    op(live.visible, saved.visible);
    op(live.maskLocked, saved.maskLocked);
    op(live.opacity, saved.opacity);
    op(live.kind, saved.kind);
    op(live.sourceImage, saved.sourceImage);
    op(live.sourceMask, saved.sourceMask);
    op(live.reserved, saved.reserved);
    op(live.textPlacement, saved.textPlacement);
    op(live.aspect, saved.aspect);
}

template <class Layer, class Op>
void visitPlacement(Layer& live, LayerRecord& saved, Op op)
{
    op(live.mask, saved.mask);
    op(live.kind, saved.kind);
    op(live.sourceImage, saved.sourceImage);
    op(live.sourceMask, saved.sourceMask);
    op(live.aspect, saved.aspect);
    op(live.textPlacement, saved.textPlacement);
}

// The values of one record the kind keeps.
template <class Layer, class Op>
void visitLayerValues(SavedLayers kind, Layer& live, LayerRecord& saved, Op op)
{
    switch (kind) {
    case SavedLayers::ConcernedAttributes: visitAttributes(live, saved, op); break;
    case SavedLayers::ConcernedPlacement: visitPlacement(live, saved, op); break;
    case SavedLayers::ConcernedOpacity: op(live.opacity, saved.opacity); break;
    case SavedLayers::AllPositions:
        op(live.x, saved.x);
        op(live.y, saved.y);
        break;
    default: op(live, saved); break;
    }
}

bool keepsWholeRecords(SavedLayers kind)
{
    switch (kind) {
    case SavedLayers::Concerned:
    case SavedLayers::ConcernedAndNextTwo:
    case SavedLayers::First:
    case SavedLayers::All:
    case SavedLayers::Insertion:
    case SavedLayers::Removal:
    case SavedLayers::Merge: return true;
    default: return false;
    }
}

// The indexes of the records the step keeps, in ascending order.
std::vector<int> keptIndexes(SavedLayers kind, const LayerStack& stack, std::span<const std::int32_t> values)
{
    const int current = stack.currentLayer;
    std::vector<int> indexes;
    switch (kind) {
    case SavedLayers::Concerned:
    case SavedLayers::ConcernedAttributes:
    case SavedLayers::ConcernedPlacement:
    case SavedLayers::ConcernedOpacity: indexes = {current}; break;
    case SavedLayers::ConcernedAndNextTwo: indexes = {current, current + 1, current + 2}; break;
    case SavedLayers::First: indexes = {0}; break;
    case SavedLayers::All:
    case SavedLayers::AllPositions:
        for (int i = 0; i < stack.layerCount; ++i)
            indexes.push_back(i);
        break;
    case SavedLayers::Removal: indexes = {values.empty() ? current : values[0]}; break;
    case SavedLayers::Merge:
        indexes.assign(values.begin(), values.end());
        std::sort(indexes.begin(), indexes.end());
        indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
        break;
    default: break;
    }
    std::erase_if(indexes, [&](int i) { return !IsLayerIndex(stack, i); });
    return indexes;
}

// Where the merged record stands after a merge of `merged`: the current layer's slot when
// it is among them, else the front-most one's, less the records removed in front of it.
int mergedIndex(const std::vector<int>& merged, int current)
{
    const int host = std::find(merged.begin(), merged.end(), current) != merged.end() ? current : merged.front();
    return host - int(std::count_if(merged.begin(), merged.end(), [host](int i) { return i < host; }));
}

// Whether taking out `out` and then putting in `in` (both ascending) fits the stack.
bool fitsStructure(const UndoRecord& r, const LayerStack& stack)
{
    if (!std::all_of(r.out.begin(), r.out.end(), [&](int i) { return IsLayerIndex(stack, i); }))
        return false;
    int count = stack.layerCount - int(r.out.size());
    for (const IndexedLayer& l : r.layers) {
        if (l.index < 0 || l.index > count)
            return false;
        ++count;
    }
    return count <= kMaxLayers;
}

bool exchangeStructure(UndoRecord& r, LayerStack& stack)
{
    // A whole table goes for the whole table, however many layers it holds now.
    if (r.content.layers == SavedLayers::All) {
        r.out.resize(std::size_t(stack.layerCount));
        for (int i = 0; i < stack.layerCount; ++i)
            r.out[std::size_t(i)] = i;
    }
    if (!fitsStructure(r, stack))
        return false;
    std::vector<IndexedLayer> taken(r.out.size());
    for (std::size_t k = r.out.size(); k-- > 0;)
        taken[k] = {r.out[k], TakeLayerRecord(stack, r.out[k])};
    r.out.clear();
    for (IndexedLayer& l : r.layers) {
        PutLayerRecord(stack, l.index, std::move(l.record));
        r.out.push_back(l.index);
    }
    r.layers = std::move(taken);
    return true;
}

bool exchangeValues(UndoRecord& r, LayerStack& stack)
{
    if (!std::all_of(r.layers.begin(), r.layers.end(), [&](const IndexedLayer& l) { return IsLayerIndex(stack, l.index); }))
        return false;
    for (IndexedLayer& l : r.layers)
        visitLayerValues(r.content.layers, stack.layers[std::size_t(l.index)], l.record, kSwap);
    return true;
}

bool exchangeOrder(UndoRecord& r, LayerStack& stack)
{
    // Moving back lets the current layer follow as the move made it follow.
    if (!MoveLayer(stack, r.to, r.from, false))
        return false;
    std::swap(r.from, r.to);
    return true;
}

}  // namespace

void FillUndoRecord(UndoRecord& record, const LayerStack& stack, int code, std::span<const std::int32_t> values)
{
    record.code = code;
    record.word = values.empty() ? 0 : values[0];
    record.content = ContentOfUndoCode(code, values);
    visitFields(record.content, stack, record.fields, kKeep);

    const SavedLayers kind = record.content.layers;
    if (kind == SavedLayers::Order) {
        record.from = values.size() > 0 ? values[0] : 0;
        record.to = values.size() > 1 ? values[1] : record.from;
        return;
    }
    if (kind == SavedLayers::Insertion) {
        record.out = {std::clamp(values.empty() ? 0 : values[0], 0, int(stack.layerCount))};
        return;
    }
    const std::vector<int> indexes = keptIndexes(kind, stack, values);
    for (const int i : indexes) {
        IndexedLayer& kept = record.layers.emplace_back();
        kept.index = i;
        visitLayerValues(kind, stack.layers[std::size_t(i)], kept.record, kKeep);
    }
    if (kind == SavedLayers::Merge && !indexes.empty())
        record.out = {mergedIndex(indexes, stack.currentLayer)};
    else if (kind != SavedLayers::Removal && keepsWholeRecords(kind))
        record.out = indexes;
}

bool ExchangeUndoRecord(UndoRecord& record, LayerStack& stack)
{
    const SavedLayers kind = record.content.layers;
    const bool exchanged = kind == SavedLayers::None    ? true
                           : kind == SavedLayers::Order ? exchangeOrder(record, stack)
                           : keepsWholeRecords(kind)    ? exchangeStructure(record, stack)
                                                        : exchangeValues(record, stack);
    if (!exchanged)
        return false;
    visitFields(record.content, stack, record.fields, kSwap);
    stack.currentLayer = stack.layerCount > 0 ? std::clamp(stack.currentLayer, 0, stack.layerCount - 1) : 0;
    return true;
}

}  // namespace lv
