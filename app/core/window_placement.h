#pragma once
// Where image windows go inside the workspace: one window centred, or two side by side at
// the divider with two pixels left free on each side of it.

#include "app/core/zoom.h"
#include "imagelib/rect.h"

namespace lv {

inline constexpr int kDividerGap = 2;

struct SideBySide {
    Rect existing;   // the half holding the left edge of the window already open
    Rect newWindow;  // the other half
    int divider = 0;
};

// Splits the workspace at `divider` (0: its middle) for a window already open at `existing`.
SideBySide SplitWorkspace(const Rect& workspace, int divider, const Rect& existing);

// The two halves; the one holding `x` is the side a click at x activates.
enum class Side { Left, Right };
Side SideOf(const Rect& workspace, int divider, int x);

// A window of `size` centred in `area` (integer halves), never larger than the area.
Rect CentredIn(const Rect& area, PixelSize size);

struct InitialWindow {
    int zoom = 0;
    Rect frame;
};

// The level and the frame of a new window for `document` in `area`.
InitialWindow PlaceNewWindow(PixelSize document, const Rect& area, bool fitInWindow);

}  // namespace lv
