#pragma once
// The screen mode chosen once at start-up: the main window's size and the skin variant
// follow from the screen's size, or from the "FOR_640" setting when it holds 1..3.

#include "common/geometry.h"

#include <vector>

namespace lv {

struct ScreenMode {
    int mode = 0;       // 0..3
    Size screen;        // the real screen, or the mode's row of the table when "FOR_640" chose it
};

// Mode 0 for screens of at least 801 × 601, mode 1 above 640 × 480, else mode 2. A
// "FOR_640" value of 1..3 is the mode; other values are ignored.
ScreenMode QueryScreenMode(Size screen, int for640);

// The main window's size as first created: 1024 × 768 in mode 0, 800 × 600 otherwise.
Size ModeWindowSize(int mode);

// The main window centred on the mode's screen (halves rounded towards minus infinity). The
// screen's top-left corner lies at `origin` of the desktop: the primary screen need not be
// the one at the desktop's origin.
Rect MainWindowRect(const ScreenMode& mode, Point origin = {});

// Modes 2 and 3 have no skin: the program refuses to run.
bool ModeRefused(int mode);

// Messages the start-up shows for this display, in order: 6448 (8 bits per pixel or
// fewer; start-up goes on) and 6462 (refused mode; start-up stops).
std::vector<int> DisplayMessages(int bitsPerPixel, int mode);

inline constexpr int kTrueColourMessage = 6448;
inline constexpr int kResolutionMessage = 6462;

}  // namespace lv
