#include "app/core/undo_codes.h"

namespace lv {

UndoClass ClassOfUndoCode(int code)
{
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
    case 96000:
    case 98000: return UndoClass::OneWord;
    default: return UndoClass::Unknown;
    }
}

PicturesToCopy PicturesCopiedFor(int code, std::span<const std::int32_t> values)
{
    const std::int32_t flag = values.empty() ? 1 : values[0];
    PicturesToCopy p;
    switch (ClassOfUndoCode(code)) {
    case UndoClass::CurrentLayerPixels: p.currentLayer = true; break;
    case UndoClass::SelectionMask: p.selectionMask = true; break;
    case UndoClass::SelectionContent:
        p.selectionMask = p.selectionAux = true;
        p.floatingMask = flag == 1;
        break;
    case UndoClass::FloatingSelection:
    case UndoClass::SelectionAll: p.selectionMask = p.selectionAux = p.floatingMask = true; break;
    case UndoClass::CanvasOfCurrentLayer: p.currentLayer = true; break;
    case UndoClass::AllLayers: p.allLayers = flag != 0; break;
    case UndoClass::WholeDocument: p.allLayers = true; break;
    case UndoClass::LayerPlacement: p.currentMask = true; break;
    case UndoClass::SelectionAndWord: p.selectionMask = true; break;
    default: break;
    }
    return p;
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
