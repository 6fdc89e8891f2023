#pragma once
// What the selection does to the pixels under it: moving them, deleting them, and
// cropping the document to it. Each records its undo step first.

#include "edit/layer_stack.h"

#include <optional>

namespace lv {

// Moves the selection by (dx, dy) without touching a pixel (step 5075); content a move had
// lifted stays where it was put down. Returns the rectangle to draw again, nothing when
// there is no selection or no displacement.
std::optional<Rect> MoveSelectionOutline(LayerStack& stack, int dx, int dy);

// Moves the selected pixels of the current layer with the selection (step 6076). The first
// move lifts them (into the working copies) and, unless `keepSource`, leaves the layer
// transparent where they were; later moves of the lifted content put back what it had
// covered. Returns the document rectangle that changed (old and new place).
std::optional<Rect> MoveSelectionContent(LayerStack& stack, int dx, int dy, bool keepSource);

// Puts content a move lifted down for good where it lies (step 5075): the current layer
// keeps it, what it covered is forgotten, and the next move lifts afresh. Done before
// another layer becomes current, so lifted pixels never travel to it. False when nothing
// was lifted.
bool DropLiftedContent(LayerStack& stack);

// Makes another layer current as every layer switch must: lifted content goes down into
// its own layer first. The previous current index, or -1 for a bad index.
int SwitchCurrentLayer(LayerStack& stack, int index);

// Makes the current layer transparent under the selection (mask 0), keeping the selection.
// Returns the changed rectangle; nothing without a selection or a layer.
std::optional<Rect> DeleteSelectionContent(LayerStack& stack);

// Cuts every layer to the selection rectangle (step 12005); a layer outside it keeps its
// size and becomes transparent. The document takes the rectangle's size, the selection
// goes and the composite is made anew. False without a selection or when memory runs out.
bool CropToSelection(LayerStack& stack);

}  // namespace lv
