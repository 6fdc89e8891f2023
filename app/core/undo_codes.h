#pragma once
// Operation codes of undo steps, grouped by what the step must keep (the code less 1000).
// Every step keeps the document's layer table and selection by reference; the groups say
// which pictures the operation changes in place and so must be copied before it runs,
// and which steps undo or redo together.

#include <cstdint>
#include <span>

namespace lv {

enum class UndoClass {
    CurrentLayerPixels,    // code - 1000 below 1000
    SelectionMask,         // 1000-1999
    SelectionContent,      // 2000-3999, 7000-7999 (floating mask with flag 1)
    FloatingSelection,     // 4000-4999
    SelectionFrame,        // 5000-5999
    SelectionAll,          // 6000-6999
    CanvasOfCurrentLayer,  // 8000-10999
    AllLayers,             // 11000-11999 (positions only with flag 0)
    LayerList,             // 12000-12999
    LayerAttributes,       // 20000
    LayerWord,             // 30000, 30010
    LayerIndex,            // 40000
    LayerPlacement,        // 50000
    SelectionAndWord,      // 60000
    WholeDocument,         // 70000, 90000, 95000, 97000
    LayerMove,             // 80000
    OneWord,               // 96000, 98000
    Unknown,
};

UndoClass ClassOfUndoCode(int code);

// Pictures copied when the step is recorded (the operation replaces them in place).
struct PicturesToCopy {
    bool currentLayer = false;  // image and mask of the current layer
    bool allLayers = false;     // image and mask of every layer
    bool currentMask = false;   // only the current layer's mask
    bool selectionMask = false;
    bool selectionAux = false;
    bool floatingMask = false;
};
PicturesToCopy PicturesCopiedFor(int code, std::span<const std::int32_t> values);

// How many further records in the same direction an undo or redo of this step carries on
// through; `word` is the first extra value the step was recorded with.
int CompoundUndoCount(int code, std::int32_t word);
int CompoundRedoCount(int code, std::int32_t word);

// The group marker: a step recorded right after one of this code continues its group.
inline constexpr int kUndoGroupCode = 13106;

}  // namespace lv
