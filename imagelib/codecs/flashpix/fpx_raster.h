#pragma once
// Pixels of one resolution while a FlashPix file is made: rows top-down, grey or
// blue-green-red, either a view of a picture's rows or rows of its own.

#include "imagelib/dib.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace lv::flashpix {

class Raster {
public:
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 or 3

    const std::uint8_t* row(int y) const { return top_ + std::ptrdiff_t(y) * stride_; }

    // The rows of an 8-bit grey or 24-bit picture, which must outlive the view.
    static std::optional<Raster> View(const HDIB& picture);
    // Rows of its own, not yet filled; nothing when memory runs out.
    static std::optional<Raster> Make(int width, int height, int channels);

    std::uint8_t* ownRow(int y) { return own_.get() + std::size_t(y) * std::size_t(width) * std::size_t(channels); }

    Raster() = default;
    Raster(Raster&&) = default;
    Raster& operator=(Raster&&) = default;
    Raster(const Raster&) = delete;
    Raster& operator=(const Raster&) = delete;

private:
    std::unique_ptr<std::uint8_t[]> own_;  // not cleared: every row is written before it is read
    const std::uint8_t* top_ = nullptr;
    std::ptrdiff_t stride_ = 0;
};

// Rows for a picture of half the width and height, rounded up; nothing when memory runs out.
std::optional<Raster> MakeHalf(const Raster& source);

// The 64 x 64 tile at (`tileX`, `tileY`), row after row, the edge pixels repeated past the
// right and bottom.
void CopyTile(const Raster& source, int tileX, int tileY, std::uint8_t* tile);

// Fills rows [`first`, `end`) of `half` (see MakeHalf): each pixel the mean of its 2 x 2
// block of `source`, rounded, the last row and column repeated where the block runs past
// the edge.
void HalveRows(const Raster& source, int first, int end, Raster& half);

// Whether the part of that tile inside the picture is one colour.
bool TileIsOneColour(const Raster& source, int tileX, int tileY);

}  // namespace lv::flashpix
