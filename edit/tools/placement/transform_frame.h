#pragma once
// The frame the two transform tools drag, in the window's client pixels: which handle a
// press grabs, how a drag reshapes it, the free-rotate angle and rotated outline.

#include "common/geometry.h"
#include "edit/view_mapping.h"
#include "imagelib/drawing_surface.h"

#include <array>

namespace lv {

// Handle codes: 0 outside, 1 inside, 2 top-left, 3 bottom-left, 4 top-right,
// 5 bottom-right, 6 left edge, 7 right edge, 8 top edge, 9 bottom edge.
enum FrameHandle : int {
    kHandleNone = 0,
    kHandleInside = 1,
    kHandleTopLeft = 2,
    kHandleBottomLeft = 3,
    kHandleTopRight = 4,
    kHandleBottomRight = 5,
    kHandleLeft = 6,
    kHandleRight = 7,
    kHandleTop = 8,
    kHandleBottom = 9,
};

// Client pixels a press may miss a handle by (less than this).
inline constexpr int kHandleTolerance = 4;
// Corner drags keep at least this many pixels along the side that follows the pointer.
inline constexpr int kSmallestCornerSide = 8;

// The handle under `p`; without `edges` only the corners, inside and outside.
int FrameHandleAt(const Rect& frame, Point p, bool edges);

// The frame after dragging `handle` by (dx, dy) from `saved`, corners keeping `aspect`
// (width / height). A result that would leave no room inside is refused: `previous` stays.
Rect DragFrame(const Rect& saved, const Rect& previous, int handle, int dx, int dy, double aspect);

// The direction from the centre to a point in whole degrees, 0 to the right, 90 below.
int DirectionDegrees(int dx, int dy);

// The frame's corners (top-left, top-right, bottom-right, bottom-left) rotated about its
// centre by whole degrees.
std::array<Point, 4> RotatedCorners(const Rect& frame, int degrees);

// Client pixels to document pixels and back, for frames.
Rect ClientFrame(const ViewMapping& view, const Rect& box);
Rect DocumentFrame(const ViewMapping& view, const Rect& frame);
Point DocumentPointOf(const ViewMapping& view, Point p);

}  // namespace lv
