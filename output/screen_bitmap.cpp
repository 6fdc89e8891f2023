#include "output/screen_bitmap.h"

#include "imagelib/dib_alloc.h"

#include <algorithm>

namespace lv {

ScreenBitmap::ScreenBitmap(int width, int height, std::uint32_t fill)
{
    if (width < 1 || height < 1)
        return;
    width_ = width;
    height_ = height;
    pixels_.assign(std::size_t(width) * std::size_t(height), fill);
}

void ScreenBitmap::fill(const Rect& area, std::uint32_t colour)
{
    const int left = std::max(area.left, 0), right = std::min(area.right, width_);
    const int top = std::max(area.top, 0), bottom = std::min(area.bottom, height_);
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y)
        std::fill(row(y) + left, row(y) + right, colour);
}

ScreenBitmap ScreenBitmapFromDib(const HDIB& picture)
{
    if (!picture || !picture.hasValidLayout() || (picture.bitCount() != 24 && picture.bitCount() != 8))
        return {};
    ScreenBitmap bitmap(picture.width(), picture.height());
    if (bitmap.empty())
        return bitmap;
    // An 8-bit picture without a colour table reads as grey; indexes past the table as black.
    std::uint32_t table[256];
    const std::uint32_t entries = std::min<std::uint32_t>(picture.clrUsed(), 256);
    for (std::uint32_t i = 0; i < 256; ++i) {
        const auto level = std::uint8_t(i);
        table[i] = entries == 0 ? ScreenPixel(level, level, level) : kScreenBlack;
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
        const RgbQuad& q = picture.colors()[i];
        table[i] = ScreenPixel(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* in = picture.row(bitmap.height() - 1 - y);
        std::uint32_t* out = bitmap.row(y);
        if (picture.bitCount() == 24)
            for (int x = 0; x < bitmap.width(); ++x, in += 3)
                out[x] = ScreenPixel(in[2], in[1], in[0]);
        else
            for (int x = 0; x < bitmap.width(); ++x)
                out[x] = table[in[x]];
    }
    return bitmap;
}

HDIB DibFromScreenBitmap(const ScreenBitmap& bitmap)
{
    if (bitmap.empty())
        return nullptr;
    HDIB picture = AllocatePicture(bitmap.width(), bitmap.height(), 24, 0);
    if (!picture)
        return nullptr;
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint32_t* in = bitmap.row(y);
        std::uint8_t* out = picture.row(bitmap.height() - 1 - y);
        for (int x = 0; x < bitmap.width(); ++x, out += 3) {
            out[0] = std::uint8_t(in[x]);
            out[1] = std::uint8_t(in[x] >> 8);
            out[2] = std::uint8_t(in[x] >> 16);
        }
    }
    return picture;
}

}  // namespace lv
