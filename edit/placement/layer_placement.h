#pragma once
// Moving, resizing and rotating the current layer from its untouched source, each one
// undo step. Boxes are top-down document rectangles, right and bottom exclusive.

#include "common/geometry.h"
#include "edit/layer_stack.h"

#include <optional>

namespace lv {

inline constexpr int kUndoLayerResize = 1140;
inline constexpr int kUndoLayerRotate = 1141;
inline constexpr int kUndoLayerPlacedMove = 1142;
inline constexpr int kUndoClearPlacement = 1143;

// Gives layer `index` a placement (the identity moved to where the layer stands) and its
// source pictures when it has none yet. False for a bad index or when memory runs out.
bool PreparePlacement(LayerStack& stack, int index);
inline bool PreparePlacement(LayerStack& stack)
{
    return PreparePlacement(stack, stack.currentLayer);
}

// Forgets the current layer's source and placement, so that its present pixels become
// what later transforms start from. A text layer becomes an image layer (one undo step).
// True when the layer was a text layer.
bool ClearPlacement(LayerStack& stack);

// The current layer's box, or nothing without a layer.
std::optional<Rect> CurrentLayerBox(const LayerStack& stack);

// Renders the current layer from its source into `box`. Returns the document rectangle
// that changed (old and new boxes), or nothing when nothing changed (no layer, an invalid
// box, or memory ran out: the layer then keeps everything it had).
std::optional<Rect> ResizeCurrentLayer(LayerStack& stack, Rect box);

// Puts the current layer's box at `frame`'s top-left corner without resampling.
std::optional<Rect> MoveCurrentLayer(LayerStack& stack, const Rect& frame);

// Rotates the current layer about its box centre by whole degrees (clockwise on screen);
// uncovered corners are white under a transparent mask.
std::optional<Rect> RotateCurrentLayer(LayerStack& stack, double degrees);

}  // namespace lv
