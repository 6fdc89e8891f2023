#include "app/core/undo/undo_codes.h"

namespace lv {
namespace {

// The document-level values a step of the whole document keeps.
void keepDocumentFields(UndoContent& c)
{
    c.documentSize = c.zoom = c.currentLayer = true;
    c.selectionFrame = c.selectionMask = c.selectionAux = c.floatingMask = true;
}

void keepSelection(UndoContent& c)
{
    c.selectionFrame = c.selectionMask = c.selectionAux = c.floatingMask = true;
}

}  // namespace

UndoClass ClassOfUndoCode(int code)
{
    switch (code) {
    case kUndoLayerOpacity: return UndoClass::LayerOpacity;
    case kUndoLayerMove: return UndoClass::LayerOrder;
    case kUndoLayerAdd: return UndoClass::LayerInsertion;
    case kUndoLayerDelete: return UndoClass::LayerRemoval;
    case kUndoMergeLinked: return UndoClass::LayerMerge;
    case kUndoMoveSelectionContent:
    case kUndoBucketFill: return UndoClass::SelectionContentMove;
    default: break;
    }
    const int c = code - 1000;
    if (c < 1000)
        return UndoClass::CurrentLayerPixels;
    if (c < 2000)
        return UndoClass::SelectionMask;
    if (c < 4000 || (c >= 7000 && c < 8000))
        return UndoClass::SelectionContent;
    if (c < 5000)
        return UndoClass::FloatingSelection;
    if (c < 6000)
        return UndoClass::SelectionFrame;
    if (c < 7000)
        return UndoClass::SelectionAll;
    if (c < 11000)
        return UndoClass::CanvasOfCurrentLayer;
    if (c < 12000)
        return UndoClass::AllLayers;
    if (c < 13000)
        return UndoClass::LayerList;
    switch (c) {
    case 20000: return UndoClass::LayerAttributes;
    case 30000:
    case 30010: return UndoClass::LayerWord;
    case 40000: return UndoClass::LayerIndex;
    case 50000: return UndoClass::LayerPlacement;
    case 60000: return UndoClass::SelectionAndWord;
    case 70000:
    case 90000:
    case 95000:
    case 97000: return UndoClass::WholeDocument;
    case 80000: return UndoClass::LayerMove;
    case 96000: return UndoClass::FirstLayerWord;
    case 98000: return UndoClass::CurrentLayerWord;
    default: return UndoClass::Unknown;
    }
}

UndoContent ContentOfUndoCode(int code, std::span<const std::int32_t> values)
{
    const std::int32_t flag = values.empty() ? 1 : values[0];
    UndoContent c;
    switch (ClassOfUndoCode(code)) {
    case UndoClass::CurrentLayerPixels:
        c.layers = SavedLayers::Concerned;
        // The paint tools keep both working copies up to date, so both come back.
        c.documentSize = c.selectionFrame = c.selectionMask = c.selectionAux = c.floatingMask = true;
        break;
    case UndoClass::SelectionMask: c.currentLayer = c.selectionFrame = c.selectionMask = true; break;
    case UndoClass::SelectionContent:
        c.currentLayer = c.selectionFrame = c.selectionMask = c.selectionAux = true;
        c.floatingMask = flag == 1;
        break;
    case UndoClass::FloatingSelection:
        c.currentLayer = true;
        keepSelection(c);
        break;
    case UndoClass::SelectionFrame: c.currentLayer = c.selectionFrame = true; break;
    case UndoClass::SelectionAll: keepSelection(c); break;
    case UndoClass::SelectionContentMove:
        c.layers = SavedLayers::Concerned;
        c.currentLayer = true;
        keepSelection(c);
        break;
    case UndoClass::CanvasOfCurrentLayer:
        c.layers = SavedLayers::Concerned;
        c.documentSize = c.currentLayer = c.selectionFrame = true;
        break;
    case UndoClass::AllLayers:
        c.layers = flag != 0 ? SavedLayers::All : SavedLayers::AllPositions;
        keepDocumentFields(c);
        break;
    case UndoClass::LayerList:
        c.layers = SavedLayers::All;
        c.currentLayer = c.projectPlacement = true;
        break;
    case UndoClass::LayerOpacity: c.layers = SavedLayers::ConcernedOpacity; break;
    case UndoClass::LayerOrder: c.layers = SavedLayers::Order; break;
    case UndoClass::LayerInsertion:
    case UndoClass::LayerRemoval:
        // Both clear the selection and choose another current layer.
        c.layers = ClassOfUndoCode(code) == UndoClass::LayerInsertion ? SavedLayers::Insertion : SavedLayers::Removal;
        c.currentLayer = true;
        keepSelection(c);
        break;
    case UndoClass::LayerMerge:
        c.layers = SavedLayers::Merge;
        c.currentLayer = true;
        break;
    case UndoClass::LayerAttributes: c.layers = SavedLayers::ConcernedAttributes; break;
    case UndoClass::LayerWord:
        // Which word is the operation's own; the whole record keeps it.
        c.layers = SavedLayers::Concerned;
        c.currentLayer = c.selectionFrame = c.selectionMask = c.selectionAux = true;
        break;
    case UndoClass::LayerIndex: c.currentLayer = true; break;
    case UndoClass::LayerPlacement:
        c.layers = SavedLayers::ConcernedPlacement;
        c.currentLayer = true;
        break;
    case UndoClass::SelectionAndWord:
        c.layers = SavedLayers::Concerned;
        c.currentLayer = c.selectionMask = true;
        break;
    case UndoClass::LayerMove: c.layers = SavedLayers::ConcernedAndNextTwo; break;
    case UndoClass::FirstLayerWord: c.layers = SavedLayers::First; break;
    case UndoClass::CurrentLayerWord: c.layers = SavedLayers::Concerned; break;
    case UndoClass::WholeDocument:
    case UndoClass::Unknown:  // a code nobody described may change anything
        c.layers = SavedLayers::All;
        keepDocumentFields(c);
        c.projectPlacement = true;
        break;
    }
    return c;
}

int CompoundUndoCount(int code, std::int32_t word)
{
    switch (code - 1000) {
    case 40000: return 3;
    case 50000: return 1;
    case 60000: return word == 2 ? 2 : 1;
    default: return 0;
    }
}

int CompoundRedoCount(int code, std::int32_t word)
{
    return code - 1000 == 30000 ? (word != 0 ? 4 : 3) : 0;
}

}  // namespace lv
