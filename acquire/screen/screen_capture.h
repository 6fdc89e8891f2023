#pragma once
// Screen shots without a toolkit: which capture a command asks for, the rectangle clipped to
// the screen, the picture made from the screen's pixels with the display's depth and
// resolution, and what picking a window can end in.

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace lv::screen {

inline constexpr int kCaptureWindowCommand = 101;
inline constexpr int kCaptureClientCommand = 102;
inline constexpr int kCaptureDesktopCommand = 103;

inline constexpr int kDesktopWindowString = 111;  // picked the desktop
inline constexpr int kNoWindowString = 112;       // picked nothing
inline constexpr int kCapturedNameString = 113;   // "Capturado - Sem título"
inline constexpr int kCrossHairCursor = 901;

// Picking a window while the main window is hidden ends after this long.
inline constexpr std::chrono::milliseconds kPickTimeLimit{10000};
// A desktop shot waits this long from its start, so the hidden main window is gone.
inline constexpr std::chrono::milliseconds kDesktopSettleTime{500};

enum class CaptureKind { Desktop, ClientArea, WindowWithFrame };
// 103 the desktop, 102 a window's client area, anything else a window with its frame.
CaptureKind CaptureKindFor(int command);

// The part of `rect` on a screen of this size; nothing when the rectangle is empty or lies
// wholly off the screen.
std::optional<Rect> ClipToScreen(const Rect& rect, int screenWidth, int screenHeight);

// Pixels per metre of captured pictures: (dpi × 10000 + 127) / 254.
std::int32_t CapturedPixelsPerMetre(int dotsPerInch);

// The picture's depth for a display of planes × bits per pixel: 1, 4, 8 or 24.
unsigned PictureDepthForDisplay(int planes, int bitsPerPixel);

// A picture from top-down screen pixels (0xAARRGGBB, `stride` pixels per line) at the
// depth PictureDepthForDisplay gives: 24 bits, or a colour table of 2, 16 or 256 entries
// holding the colours the screen showed (24 bits after all when it showed more). Null when
// memory runs out or the size is refused.
HDIB PictureFromScreenPixels(const std::uint32_t* pixels, std::size_t stride, int width, int height,
                             unsigned displayDepth, int dotsPerInch);

enum class PickedTarget { Window, Desktop, Nothing };
// The message picking ends with: 111 for the desktop, 112 for nothing, 0 for a window.
int MessageForPick(PickedTarget target);

}  // namespace lv::screen
