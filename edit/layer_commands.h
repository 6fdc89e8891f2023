#pragma once
// The layer commands of the editing screen and the layer palette's tool bar. Each one
// records exactly one undo step before it changes anything and withdraws it when it then
// fails; false means the document is as it was.

#include "edit/layer_stack.h"

namespace lv {

inline constexpr int kUndoFlatten = 12010;
inline constexpr int kUndoLayerRename = 21000;

// A transparent layer of the document's size above the current one, named "layer%d".
bool NewTransparentLayer(LayerStack& stack);

// A copy of the current layer (pixels, mask, text, flags, name, position) above it.
bool DuplicateCurrentLayer(LayerStack& stack);

// Moves the current layer one place toward the top (`up`) or the bottom.
bool MoveCurrentLayer(LayerStack& stack, bool up);

// Folds the current layer into the one below it; the result keeps the lower layer's name
// and flags and becomes current. Links of other layers are left as they were.
bool MergeDown(LayerStack& stack);

// Every visible layer over white, as one opaque layer "Fundo" of the document's size.
bool FlattenLayers(LayerStack& stack);

// With a selection: makes its content transparent on the current layer. Without one:
// removes the current layer (the last layer of a document stays).
bool DeleteLayerOrSelection(LayerStack& stack);

// Puts the layers of `source` above the current layer, keeping their order, names and
// flags, in one step. Layers beyond the stack's room are refused whole. Given the source's
// file, a layer still called as a background ("Fundo") is named after the file instead.
bool AddLayersFrom(LayerStack& stack, const LayerStack& source, std::string_view sourcePath = {});

// Renames with an undo step (names over 255 bytes are cut on a character boundary).
bool RenameLayer(LayerStack& stack, int index, std::string_view name);

}  // namespace lv
