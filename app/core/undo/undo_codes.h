#pragma once
// Operation codes of undo steps, grouped by what the step keeps (the code less 1000), and
// which steps undo or redo together. A step keeps only its group's values, so undoing it
// leaves everything else as it is now.

#include "edit/undo_recorder.h"

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
    LayerList,             // 12000-12999, but for the layer operations below
    LayerOpacity,          // 13100
    LayerOrder,            // 13102
    LayerInsertion,        // 13103
    LayerRemoval,          // 13104
    LayerMerge,            // 13105
    SelectionContentMove,  // 6076: the selection and the pixels it carries
    LayerAttributes,       // 20000
    LayerWord,             // 30000, 30010
    LayerIndex,            // 40000
    LayerPlacement,        // 50000
    SelectionAndWord,      // 60000
    WholeDocument,         // 70000, 90000, 95000, 97000
    LayerMove,             // 80000
    FirstLayerWord,        // 96000
    CurrentLayerWord,      // 98000
    Unknown,
};

UndoClass ClassOfUndoCode(int code);

// Which layer records a step keeps.
enum class SavedLayers {
    None,
    Concerned,            // the layer the step concerns (the current one when recorded)
    ConcernedAndNextTwo,  // that one and the two after it
    First,                // layer 0
    All,                  // every layer, and so the layer count
    ConcernedAttributes,  // the concerned record without its pictures
    ConcernedPlacement,   // its mask, kind, source pictures, aspect and placement
    ConcernedOpacity,
    AllPositions,         // every layer's x and y
    Insertion,            // the layer the operation inserts at the position it was given
    Removal,              // the layer the operation takes out (the index given, else the concerned one)
    Merge,                // the listed layers, which the operation makes one
    Order,                // a move from the first index given to the second
};

// What a step keeps of the document besides layers.
struct UndoContent {
    bool documentSize = false;
    bool zoom = false;
    bool currentLayer = false;
    bool selectionFrame = false;  // flag and rectangle
    bool selectionMask = false;
    bool selectionAux = false;
    bool floatingMask = false;
    bool projectPlacement = false;
    SavedLayers layers = SavedLayers::None;
};

// `values` are the extra values the operation recorded with (a flag, indexes).
UndoContent ContentOfUndoCode(int code, std::span<const std::int32_t> values);

// How many further records in the same direction an undo or redo of this step carries on
// through; `word` is the first extra value the step was recorded with.
int CompoundUndoCount(int code, std::int32_t word);
int CompoundRedoCount(int code, std::int32_t word);

// The group marker: a step recorded right after one of this code continues its group.
inline constexpr int kUndoGroupCode = 13106;

}  // namespace lv
