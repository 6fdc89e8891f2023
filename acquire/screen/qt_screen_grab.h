#pragma once
// Copying the screen with the toolkit: a rectangle of the primary screen, clipped to it, as
// a packed picture at the display's depth and resolution.

#include "acquire/screen/screen_capture.h"

class QImage;

namespace lv::screen {

// The primary screen in device pixels, from (0, 0).
Rect ScreenBounds();
// Null when nothing of the rectangle lies on the screen or the copy failed.
HDIB GrabScreenRect(const Rect& rect);
// A picture the screen showed (as the desktop portal hands it over), at the display's
// depth and resolution.
HDIB PictureFromScreenImage(const QImage& image);
// The session draws through a Wayland compositor: windows can't be read off the screen.
bool IsWaylandSession();

}  // namespace lv::screen
