#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <cstring>
#include <vector>

namespace lv {
namespace {
constexpr std::int32_t kBlankResolution = 7874;  // 200 dpi
}

HDIB DibCreate(int width, int height, std::uint32_t colour, bool grey)
{
    const unsigned bits = grey ? 8 : 24;
    const unsigned colours = grey ? 256 : 0;
    const std::uint64_t rows = PictureBytes(width, height, bits);
    if (rows == 0)
        return {};
    HDIB picture = HDIB::AllocateZeroed(std::size_t(kDibHeaderSize + 4 * colours + rows));
    if (!picture)
        return picture;
    WritePictureHeader(picture, width, height, bits, colours, rows);
    picture.header().biXPelsPerMeter = picture.header().biYPelsPerMeter = kBlankResolution;
    FillGreyRamp(picture.colors(), colours);

    // One row is built, then copied to the others; its padding stays zero.
    std::vector<std::uint8_t> row(picture.stride(), 0);
    const std::uint8_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    for (int x = 0; x < width; ++x) {
        if (grey) {
            row[std::size_t(x)] = red;
        } else {
            row[3 * std::size_t(x)] = blue;
            row[3 * std::size_t(x) + 1] = green;
            row[3 * std::size_t(x) + 2] = red;
        }
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(picture.row(y), row.data(), row.size());
    return picture;
}

}  // namespace lv
