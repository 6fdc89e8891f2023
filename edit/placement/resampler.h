#pragma once
// Renders a layer's source through its placement matrix: inverse mapping about the two
// centres in eighths of a pixel, bilinear in 64ths. The matrix's translation only places
// the result.

#include "common/geometry.h"
#include "edit/layer_stack.h"

#include <cstdint>
#include <optional>

namespace lv {

// A new picture of the source's depth (8 or 24 bits) holding the source mapped through
// `m`; `placed` receives where it goes in the document (top-down, right and bottom
// exclusive). Pixels that come from outside the source take `background` (red in the low
// byte, blue in the third; an 8-bit source uses only the blue byte). Null when the matrix
// is degenerate, the source is not 8 or 24 bits, or memory runs out; the source is
// never changed. Rows are shared among up to `threads` threads (0: every processor).
HDIB ResamplePlaced(const HDIB& source, Rect& placed, std::uint32_t background, const Placement& m, int threads = 1);

// The box ResamplePlaced would place its result in; nothing when it would fail.
std::optional<Rect> ResampledBox(const HDIB& source, const Placement& m);
// The same render into `out`, a picture of the source's depth and of the box's size (only
// the pixels are written). False, with `out` untouched, when they do not fit.
bool ResampleInto(const HDIB& source, HDIB& out, std::uint32_t background, const Placement& m, int threads = 1);

// Composes the scale that takes `from` onto `to` (both top-down boxes), keeping the edge
// that did not move fixed, into `m` and renders with background 0.
HDIB ResizeToRectangle(const HDIB& source, const Rect& from, const Rect& to, Placement& m,
                       Rect& placed);

// Composes a rotation by `degrees` about the centre of `box` into `m` and renders.
HDIB RotateByAngle(const HDIB& source, const Rect& box, std::uint32_t background, double degrees,
                   Placement& m, Rect& placed);

// The row or column a resize keeps in place, from the old and new edges.
int FixedResizeCoordinate(int lowOld, int highOld, int lowNew, int highNew, bool highFirst);

// The operations the two composes: the scale taking `from` onto `to` (neither empty), and
// the rotation about the exact centre of `box`.
Placement ResizePlacement(const Rect& from, const Rect& to);
Placement RotationPlacement(const Rect& box, double degrees);

}  // namespace lv
