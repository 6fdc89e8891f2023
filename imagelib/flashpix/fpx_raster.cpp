#include "imagelib/flashpix/fpx_raster.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/flashpix/fpx_layout.h"
#include "imagelib/flashpix/fpx_parallel.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace lv::flashpix {
namespace {

// Sums the two rows first (a loop the compiler vectorises), then the column pairs.
template <int C>
void halveRow(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out, int sourceWidth,
              std::uint16_t* sums)
{
    const int bytes = sourceWidth * C;
    for (int i = 0; i < bytes; ++i)
        sums[i] = std::uint16_t(top[i] + bottom[i]);
    const int pairs = sourceWidth / 2;
    for (int x = 0; x < pairs; ++x)
        for (int k = 0; k < C; ++k)
            out[x * C + k] = std::uint8_t((sums[2 * x * C + k] + sums[2 * x * C + C + k] + 2) >> 2);
    if (sourceWidth % 2)
        for (int k = 0; k < C; ++k)
            out[pairs * C + k] = std::uint8_t((2 * sums[(sourceWidth - 1) * C + k] + 2) >> 2);
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
        raster.own_.resize(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    raster.top_ = raster.own_.data();
    raster.stride_ = std::ptrdiff_t(width) * channels;
    return raster;
}

std::optional<Raster> HalveRaster(const Raster& source)
{
    auto half = Raster::Make((source.width + 1) / 2, (source.height + 1) / 2, source.channels);
    if (!half)
        return std::nullopt;
    const int slots = TileThreads();
    std::vector<std::vector<std::uint16_t>> sums(static_cast<std::size_t>(slots));
    try {
        for (auto& buffer : sums)
            buffer.resize(std::size_t(source.width) * std::size_t(source.channels));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // Bands of output rows, shared out like tile rows.
    constexpr int kBand = 64;
    const int bands = (half->height + kBand - 1) / kBand;
    RunTileRows(
        bands, slots,
        [&](int band, int slot) {
            std::uint16_t* rowSums = sums[std::size_t(slot)].data();
            for (int y = band * kBand; y < std::min(half->height, (band + 1) * kBand); ++y) {
                const std::uint8_t* top = source.row(2 * y);
                const std::uint8_t* bottom = source.row(std::min(2 * y + 1, source.height - 1));
                if (source.channels == 3)
                    halveRow<3>(top, bottom, half->ownRow(y), source.width, rowSums);
                else
                    halveRow<1>(top, bottom, half->ownRow(y), source.width, rowSums);
            }
            return true;
        },
        [] { return true; });
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
