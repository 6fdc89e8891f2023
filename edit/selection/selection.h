#pragma once
// The document's selection as the tools change it: a new region combined with the one in
// place by the chosen mode, trimmed to its selected pixels and stored in the stack, with
// an undo step recorded first.

#include "common/geometry.h"
#include "edit/layer_stack.h"
#include "imagelib/dib.h"

#include <optional>
#include <span>

namespace lv {

// Undo codes of the selection changes.
inline constexpr int kUndoWandSelection = 7077;
inline constexpr int kUndoShapeSelection = 7078;
inline constexpr int kUndoClearSelection = 7079;
inline constexpr int kUndoMoveSelectionOutline = 5075;
inline constexpr int kUndoCrop = 12005;
// Deleting the selected pixels also drops content a move lifted: the step keeps the whole document.
inline constexpr int kUndoDeleteSelectionContent = 71000;

// How a new region meets the selection in place.
enum class CombineMode {
    New = 0,           // replaces it
    Add = 1,           // union
    Intersect = 2,     // intersection
    Xor = 3,           // either but not both
    Subtract = 4,      // in place and not new
    NewNotExisting = 5 // new and not in place
};

// A 1-bit mask and the top-down document rectangle it covers exactly.
struct SelectionRegion {
    HDIB mask;
    Rect rect;
};

// The selection in place combined with `added`; nothing when the result selects no pixel.
// Not yet trimmed.
std::optional<SelectionRegion> CombineWithSelection(const LayerStack& stack, SelectionRegion added, CombineMode mode);

// Clips a region to the document and trims it to its selected pixels; nothing when none is left.
std::optional<SelectionRegion> TrimSelection(SelectionRegion region, int documentWidth, int documentHeight);

// Stores a region (trimmed here) as the selection: flag 1 when it selects every pixel of
// its rectangle, 2 otherwise; no region clears the selection. The working copies of the
// previous selection go. Records nothing.
void StoreSelection(LayerStack& stack, std::optional<SelectionRegion> region);

// Records `undoCode`, combines `added` by `mode` and stores the result. Returns the
// rectangle to redraw (the old and new selections' union), nothing when nothing changed.
std::optional<Rect> ChangeSelection(LayerStack& stack, SelectionRegion added, CombineMode mode, int undoCode);

// A plain rectangle as a region (corners in either order).
std::optional<SelectionRegion> RectangleRegion(Rect rect);
// The ellipse inscribed in a rectangle.
std::optional<SelectionRegion> EllipseRegion(Rect rect);
// The polygon through document points (freehand outlines too), its outline included.
std::optional<SelectionRegion> PolygonRegion(std::span<const Point> points);

// The trash tool: records a step and clears the selection. False when there was none.
bool RemoveSelection(LayerStack& stack);

// Whether the selection selects pixel (x, y) of the document.
bool SelectionContains(const LayerStack& stack, Point point);

// Selected pixels of the document.
std::int64_t SelectedPixelCount(const LayerStack& stack);

// The union of two rectangles, either of which may be empty.
Rect UniteRects(const Rect& a, const Rect& b);

}  // namespace lv
