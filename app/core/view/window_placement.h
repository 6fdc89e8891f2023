#pragma once
// Where image windows go inside the workspace: one window centred, or two side by side at
// the divider with two pixels left free on each side of it. A window's frame is its picture
// at the zoom level plus its chrome: the caption strip on top and the ruler band.

#include "app/core/view/zoom.h"
#include "common/geometry.h"

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
Rect CentredIn(const Rect& area, Size size);

// What a window's frame holds besides the picture.
struct FrameChrome {
    int top = 0;           // caption strip and ruler band
    int left = 0;          // ruler band
    int minimumWidth = 0;  // room for the caption's text (within the area)
};

// The frame for a picture of `scaled` size in `area`: the chrome added, centred, never larger
// than the area.
Rect FrameFor(const Rect& area, Size scaled, FrameChrome chrome);

struct InitialWindow {
    int zoom = 0;
    Rect frame;
};

// The level and the frame of a window for `document` in `area`: fitted into the area less the
// chrome when `fitInWindow`, else at 100 %. Used for a new window and for one whose area
// changed (moved into a half beside a new one, or given the whole workspace again).
InitialWindow PlaceNewWindow(Size document, const Rect& area, bool fitInWindow, FrameChrome chrome = {});

}  // namespace lv
