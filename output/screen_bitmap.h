#pragma once
// The pixels the slide show draws with: the screen it shows and the memory bitmap holding
// the next slide. 32-bit 0xFFRRGGBB pixels, rows top-down, so every transition copy is a
// plain memory copy and the toolkit can show the screen without converting it.

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <vector>

namespace lv {

inline constexpr std::uint32_t kScreenBlack = 0xFF000000u;

constexpr std::uint32_t ScreenPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return 0xFF000000u | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
}

class ScreenBitmap {
public:
    ScreenBitmap() = default;
    // Every pixel `fill`; a side below 1 makes an empty bitmap.
    ScreenBitmap(int width, int height, std::uint32_t fill = kScreenBlack);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }

    std::uint32_t* row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const std::uint32_t* row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

    // Fills the part of `area` that lies on the bitmap.
    void fill(const Rect& area, std::uint32_t colour);

    bool operator==(const ScreenBitmap&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// A 24-bit or 8-bit picture (grey or palette) as a screen bitmap; empty for other depths
// or a null picture.
ScreenBitmap ScreenBitmapFromDib(const HDIB& picture);

// The bitmap as a 24-bit picture; null for an empty bitmap or when memory runs out.
HDIB DibFromScreenBitmap(const ScreenBitmap& bitmap);

}  // namespace lv
