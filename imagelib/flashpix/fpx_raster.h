#pragma once
// Pixels of one resolution while a FlashPix file is made or read: rows top-down, grey
// or blue-green-red.

#include "imagelib/dib.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lv::flashpix {

struct Raster {
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 or 3
    std::vector<std::uint8_t> pixels;

    std::uint8_t* row(int y) { return pixels.data() + std::size_t(y) * std::size_t(width) * std::size_t(channels); }
    const std::uint8_t* row(int y) const
    {
        return pixels.data() + std::size_t(y) * std::size_t(width) * std::size_t(channels);
    }
};

// An 8-bit grey or 24-bit picture's pixels; nothing for other depths or without memory.
std::optional<Raster> RasterFromPicture(const HDIB& picture);

// Half the width and height, rounded up; each pixel the mean of its 2 x 2 block, the
// last row and column repeated where the block runs past the edge.
std::optional<Raster> HalveRaster(const Raster& source);

// The 64 x 64 tile at (tileX, tileY), the edge pixels repeated past the right and bottom.
void CopyTile(const Raster& source, int tileX, int tileY, std::uint8_t* tile);

// Whether the part of that tile inside the picture is one colour.
bool TileIsOneColour(const Raster& source, int tileX, int tileY);

}  // namespace lv::flashpix
