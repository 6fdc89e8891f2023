#include "imagelib/flashpix/fpx_raster.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/flashpix/fpx_layout.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace lv::flashpix {
namespace {

std::optional<Raster> makeRaster(int width, int height, int channels)
{
    Raster raster{width, height, channels, {}};
    try {
        raster.pixels.resize(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return raster;
}

}  // namespace

std::optional<Raster> RasterFromPicture(const HDIB& picture)
{
    const ImageType type = DibGetType(picture);
    if (type != IMG_GREY8 && type != IMG_RGB24)
        return std::nullopt;
    const int channels = type == IMG_GREY8 ? 1 : 3;
    auto raster = makeRaster(picture.width(), picture.height(), channels);
    if (!raster)
        return std::nullopt;
    const std::size_t rowBytes = std::size_t(picture.width()) * std::size_t(channels);
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(raster->row(y), picture.row(picture.height() - 1 - y), rowBytes);
    return raster;
}

std::optional<Raster> HalveRaster(const Raster& source)
{
    auto half = makeRaster((source.width + 1) / 2, (source.height + 1) / 2, source.channels);
    if (!half)
        return std::nullopt;
    const int c = source.channels;
    for (int y = 0; y < half->height; ++y) {
        const std::uint8_t* top = source.row(2 * y);
        const std::uint8_t* bottom = source.row(std::min(2 * y + 1, source.height - 1));
        std::uint8_t* out = half->row(y);
        for (int x = 0; x < half->width; ++x) {
            const int left = 2 * x * c;
            const int right = std::min(2 * x + 1, source.width - 1) * c;
            for (int k = 0; k < c; ++k)
                out[x * c + k] = std::uint8_t((top[left + k] + top[right + k] + bottom[left + k] + bottom[right + k] + 2) / 4);
        }
    }
    return half;
}

void CopyTile(const Raster& source, int tileX, int tileY, std::uint8_t* tile)
{
    const int c = source.channels;
    const int x0 = tileX * kTileSize, y0 = tileY * kTileSize;
    const int visible = std::min(kTileSize, source.width - x0);
    for (int y = 0; y < kTileSize; ++y) {
        const std::uint8_t* in = source.row(std::min(y0 + y, source.height - 1)) + std::size_t(x0) * std::size_t(c);
        std::uint8_t* out = tile + std::size_t(y) * kTileSize * std::size_t(c);
        std::memcpy(out, in, std::size_t(visible) * std::size_t(c));
        for (int x = visible; x < kTileSize; ++x)
            std::memcpy(out + x * c, in + (visible - 1) * c, std::size_t(c));
    }
}

bool TileIsOneColour(const Raster& source, int tileX, int tileY)
{
    const int c = source.channels;
    const int x0 = tileX * kTileSize, y0 = tileY * kTileSize;
    const int w = std::min(kTileSize, source.width - x0), h = std::min(kTileSize, source.height - y0);
    const std::uint8_t* first = source.row(y0) + std::size_t(x0) * std::size_t(c);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = source.row(y0 + y) + std::size_t(x0) * std::size_t(c);
        for (int x = 0; x < w * c; ++x)
            if (in[x] != first[x % c])
                return false;
    }
    return true;
}

}  // namespace lv::flashpix
