#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lv {
namespace {

struct Box {
    int width;
    int height;
};

// Shrinks one side of the box so the picture's aspect ratio is kept.
Box fitted(int sourceWidth, int sourceHeight, Box box)
{
    const std::int64_t sw = sourceWidth, sh = sourceHeight;
    if (sw * box.height < sh * box.width)
        box.width = int((sw * box.height + sh / 2) / sh);
    else
        box.height = int((sh * box.width + sw / 2) / sw);
    // A very long panorama still gets a thumbnail one pixel thick.
    return {std::max(box.width, 1), std::max(box.height, 1)};
}

// Blue, green, red of every palette index; entries beyond the table are black.
std::array<std::array<std::uint8_t, 3>, 256> paletteOf(const HDIB& image)
{
    std::array<std::array<std::uint8_t, 3>, 256> lut{};
    const std::uint32_t n = std::min<std::uint32_t>(image.clrUsed(), 256);
    for (std::uint32_t i = 0; i < n; ++i)
        lut[i] = {image.colors()[i].rgbBlue, image.colors()[i].rgbGreen, image.colors()[i].rgbRed};
    return lut;
}

void sampleRow(const std::uint8_t* in, std::uint8_t* out, const std::vector<int>& columns, int bits,
               const std::array<std::array<std::uint8_t, 3>, 256>& lut, bool grey)
{
    for (const int x : columns) {
        switch (bits) {
        case 24:
            *out++ = in[3 * x];
            *out++ = in[3 * x + 1];
            *out++ = in[3 * x + 2];
            break;
        case 16:
            WidenWord555(unsigned(in[2 * x]) | unsigned(in[2 * x + 1]) << 8, out);
            out += 3;
            break;
        default: {
            const unsigned index = PackedPixel(in, x, bits);
            if (grey) {
                *out++ = std::uint8_t(index);
            } else {
                out = std::copy(lut[index].begin(), lut[index].end(), out);
            }
        }
        }
    }
}

}  // namespace

HDIB DibScaledCopy(const HDIB& image, int width, int height, bool fit)
{
    if (!image || image.width() < 1 || image.height() < 1)
        return {};
    const int bits = image.bitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24)
        return {};
    Box box{width, height};
    if (fit && width > 0 && height > 0)
        box = fitted(image.width(), image.height(), box);
    const bool grey = DibIsGrey(image);
    HDIB result = AllocatePicture(box.width, box.height, grey ? 8 : 24, grey ? 256 : 0);
    if (!result)
        return result;
    if (grey)
        std::copy(image.colors(), image.colors() + 256, result.colors());
    result.header().biXPelsPerMeter = image.header().biXPelsPerMeter;
    result.header().biYPelsPerMeter = image.header().biYPelsPerMeter;

    const std::int64_t sourceWidth = image.width(), sourceHeight = image.height();
    std::vector<int> columns(static_cast<std::size_t>(box.width));
    for (int x = 0; x < box.width; ++x)
        columns[std::size_t(x)] = int(x * sourceWidth / box.width);
    const auto lut = paletteOf(image);
    for (int y = 0; y < box.height; ++y)
        sampleRow(image.row(int(y * sourceHeight / box.height)), result.row(y), columns, bits, lut, grey);
    return result;
}

}  // namespace lv
