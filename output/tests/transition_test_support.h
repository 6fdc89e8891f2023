#pragma once
// Pictures whose every pixel tells where it came from, for checking what transitions draw.

#include "output/screen_bitmap.h"

#include <cstdint>

namespace lv::testing {

inline constexpr std::uint8_t kNewMark = 0xC8;
inline constexpr std::uint8_t kOldMark = 0x64;

// Pixel (x, y) of the new slide is red x, green y, blue kNewMark (sides up to 256).
inline ScreenBitmap CodedSlide(int width, int height)
{
    ScreenBitmap slide(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            slide.row(y)[x] = ScreenPixel(std::uint8_t(x), std::uint8_t(y), kNewMark);
    return slide;
}

// An old screen that is never black and never looks like the new slide.
inline ScreenBitmap OldScreen(int width, int height)
{
    ScreenBitmap screen(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            screen.row(y)[x] = ScreenPixel(std::uint8_t(x * 7 + y * 3 + 1), std::uint8_t(x * 5 + y * 11), kOldMark);
    return screen;
}

inline bool IsNewPixel(std::uint32_t p) { return (p & 0xFF) == kNewMark; }
inline int SourceX(std::uint32_t p) { return int((p >> 16) & 0xFF); }
inline int SourceY(std::uint32_t p) { return int((p >> 8) & 0xFF); }

}  // namespace lv::testing
