#pragma once
// The eight ways a photo can stand, numbered as EXIF orientation numbers them (1 upright,
// 6 turned a quarter clockwise to show, ...), and how a user's turn combines with the one a
// photo already carries.

namespace lv::orientation {

enum class Turn {
    Left,   // a quarter turn anticlockwise, as the user sees the photo
    Right,  // a quarter turn clockwise
    Upright,  // only what the stored orientation asks
};

// The transform to apply to the stored pixels so that, shown with orientation 1, the photo
// stands as `stored` showed it, then turned by `turn`. 1 means nothing to do.
int TransformForTurn(int stored, Turn turn);

// The transform that applies `first`, then `second` (both EXIF numbers; invalid ones count as 1).
int Combine(int first, int second);

}  // namespace lv::orientation
