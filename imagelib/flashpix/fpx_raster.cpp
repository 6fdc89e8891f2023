#include "imagelib/flashpix/fpx_raster.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/flashpix/fpx_layout.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace lv::flashpix {
namespace {

// Sums the tile's two rows first (a loop the compiler vectorises), then the column pairs.
template <int C>
void halveTileRows(const std::uint8_t* top, std::uint8_t* out, int width)
{
    constexpr int kBytes = kTileSize * C;
    const std::uint8_t* bottom = top + kBytes;
    std::uint16_t sums[kBytes];
    for (int i = 0; i < kBytes; ++i)
        sums[i] = std::uint16_t(top[i] + bottom[i]);
    for (int x = 0; x < width; ++x)
        for (int k = 0; k < C; ++k)
            out[x * C + k] = std::uint8_t((sums[2 * x * C + k] + sums[2 * x * C + C + k] + 2) >> 2);
}

}  // namespace

std::optional<Raster> Raster::View(const HDIB& picture)
{
    const ImageType type = DibGetType(picture);
    if (type != IMG_GREY8 && type != IMG_RGB24)
        return std::nullopt;
    Raster raster;
    raster.width = picture.width();
    raster.height = picture.height();
    raster.channels = type == IMG_GREY8 ? 1 : 3;
    raster.top_ = picture.row(picture.height() - 1);
    raster.stride_ = -std::ptrdiff_t(picture.stride());
    return raster;
}

std::optional<Raster> Raster::Make(int width, int height, int channels)
{
    Raster raster;
    raster.width = width;
    raster.height = height;
    raster.channels = channels;
    try {
        raster.own_ = std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    raster.top_ = raster.own_.get();
    raster.stride_ = std::ptrdiff_t(width) * channels;
    return raster;
}

std::optional<Raster> MakeHalf(const Raster& source)
{
    return Raster::Make((source.width + 1) / 2, (source.height + 1) / 2, source.channels);
}

void CopyTileRow(const Raster& source, int tileY, std::uint8_t* tiles)
{
    const std::size_t c = std::size_t(source.channels);
    const std::size_t tileRowBytes = std::size_t(kTileSize) * c;
    const std::size_t tileBytes = tileRowBytes * kTileSize;
    const int across = (source.width + kTileSize - 1) / kTileSize;
    const int lastWidth = source.width - (across - 1) * kTileSize;
    // Along the picture's rows, the order its memory lies in.
    for (int y = 0; y < kTileSize; ++y) {
        const std::uint8_t* in = source.row(std::min(tileY * kTileSize + y, source.height - 1));
        std::uint8_t* out = tiles + std::size_t(y) * tileRowBytes;
        for (int tx = 0; tx + 1 < across; ++tx, in += tileRowBytes, out += tileBytes)
            std::memcpy(out, in, tileRowBytes);
        std::memcpy(out, in, std::size_t(lastWidth) * c);
        for (int x = lastWidth; x < kTileSize; ++x)
            std::memcpy(out + std::size_t(x) * c, in + std::size_t(lastWidth - 1) * c, c);
    }
}

void HalveTileRow(const std::uint8_t* tiles, int tileY, Raster& half)
{
    constexpr int kHalf = kTileSize / 2;
    const std::size_t c = std::size_t(half.channels);
    const std::size_t tileBytes = std::size_t(kTileSize) * kTileSize * c;
    const int rows = std::min(kHalf, half.height - tileY * kHalf);
    for (int tx = 0; tx * kHalf < half.width; ++tx) {
        const int width = std::min(kHalf, half.width - tx * kHalf);
        const std::uint8_t* tile = tiles + std::size_t(tx) * tileBytes;
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* top = tile + std::size_t(2 * y) * kTileSize * c;
            std::uint8_t* out = half.ownRow(tileY * kHalf + y) + std::size_t(tx) * kHalf * c;
            if (c == 3)
                halveTileRows<3>(top, out, width);
            else
                halveTileRows<1>(top, out, width);
        }
    }
}

bool TileIsOneColour(const Raster& source, int tileX, int tileY)
{
    const int c = source.channels;
    const int x0 = tileX * kTileSize, y0 = tileY * kTileSize;
    const int w = std::min(kTileSize, source.width - x0), h = std::min(kTileSize, source.height - y0);
    const std::uint8_t* first = source.row(y0) + std::size_t(x0) * std::size_t(c);
    // The first row must repeat its first pixel; every other row must equal the first row.
    for (int x = 1; x < w; ++x)
        if (std::memcmp(first, first + x * c, std::size_t(c)) != 0)
            return false;
    for (int y = 1; y < h; ++y)
        if (std::memcmp(first, source.row(y0 + y) + std::size_t(x0) * std::size_t(c), std::size_t(w) * std::size_t(c)) != 0)
            return false;
    return true;
}

}  // namespace lv::flashpix
