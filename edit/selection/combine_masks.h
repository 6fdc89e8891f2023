#pragma once
// The algebra of selections: a new mask from two, per pixel of the result rectangle, a
// pixel outside a mask counting as unselected.

#include "common/geometry.h"
#include "imagelib/dib.h"

namespace lv {

enum class MaskOp {
    Union = 0,         // A or B over the union of the rectangles
    Intersection = 1,  // A and B over their intersection
    Difference = 2,    // A xor B over the union
    Subtract = 3,      // A and not B over A's rectangle
};

struct CombinedMask {
    HDIB mask;          // null when the result rectangle is empty
    Rect rect;  // in A's coordinates, right and bottom exclusive
};

// B is placed with its top-left corner at (dx, dy) in A's coordinates (rows from the top).
// The result carries A's header and table.
CombinedMask CombineMasks(const HDIB& a, const HDIB& b, int dx, int dy, MaskOp op);

}  // namespace lv
