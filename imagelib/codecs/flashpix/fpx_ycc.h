#pragma once
// Colour rows of a row of JPEG tiles decoded as one wide picture: the chroma planes, at
// half width and height, are made full size and joined with the luma into blue-green-red
// exactly as the JPEG library does for each tile alone (its smooth upsampling with the
// tile's own edges repeated, its fixed-point colour tables), so the pixels don't depend
// on how the tiles were decoded.

#include <cstddef>
#include <cstdint>

namespace lv::flashpix {

// The planes of one row of tiles: luma `width` x 64, chroma (width / 2) x 32 each.
struct YccRow {
    const std::uint8_t* luma;
    const std::uint8_t* blue;  // Cb
    const std::uint8_t* red;   // Cr
    std::size_t width;         // a whole number of tiles
};

// The first `pixels` (at most `row.width`) pixels of output row `y` (0..63) of the tiles,
// as blue-green-red.
void TileRowToBgr(const YccRow& row, int y, std::size_t pixels, std::uint8_t* bgr);

}  // namespace lv::flashpix
