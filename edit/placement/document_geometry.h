#pragma once
// Whole-picture geometry: every layer together, one undo step each, the selection cleared,
// positions and placements kept consistent so later transforms still start from the
// layers' sources.

#include "edit/layer_stack.h"

#include <cstdint>

namespace lv {

inline constexpr int kUndoFlipHorizontal = 12140;
inline constexpr int kUndoSpinLayers = 12141;
inline constexpr int kUndoFlipVertical = 12142;
inline constexpr int kUndoTurnLeft = 12143;
inline constexpr int kUndoTurnRight = 12144;
inline constexpr int kUndoImageSize = 12145;
inline constexpr int kUndoCanvasSize = 12146;

// Sides from this size on are refused, as for a new picture (string 2348).
inline constexpr int kRefusedDocumentSide = 10001;
inline constexpr int kDocumentTooLargeString = 2348;

// Each returns false, changing nothing, when there is nothing to do it to or memory runs
// out; the document is recomposited on success.
bool FlipDocument(LayerStack& stack, bool horizontal);
// A quarter turn clockwise (`right`) or counter-clockwise; width and height swap.
bool TurnDocument(LayerStack& stack, bool right);
// Every layer rotated by `degrees` (anticlockwise) about the document's centre from its source;
// the canvas grows to hold the rotated picture and its new corners are transparent. Rows are
// rendered on up to `threads` threads (0: every processor).
bool SpinDocument(LayerStack& stack, double degrees, int threads = 1);
// Every layer scaled so that the document becomes width × height. Sides of 10001 or more
// show string 2348 and change nothing.
bool ResizeDocument(LayerStack& stack, int width, int height);

// Where the old picture stands in a new canvas: columns and rows of three, 0 the top-left,
// 4 the centre, 8 the bottom-right.
enum class CanvasAnchor : int {
    TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight
};
// The canvas becomes width × height with the old picture at the anchor; layers keep their
// pixels. The background layer "Fundo" fills its new area with `background` (red in the
// low byte), opaque; elsewhere the new area is transparent. Sides as for ResizeDocument.
bool ResizeCanvas(LayerStack& stack, int width, int height, CanvasAnchor anchor, std::uint32_t background);

}  // namespace lv
