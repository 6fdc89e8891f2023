#pragma once
// One dab of a stroke as the pixel rules see it: the layer's pictures, their values when the
// stroke began, and the stamp reduced to weights 0..64 (0 outside the selection and the
// layer). Coordinates are the layer's pixels, rows from the top.

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lv {

struct Dab {
    HDIB& image;
    HDIB& mask;
    const HDIB& startImage;  // the layer as the stroke found it
    const HDIB& startMask;
    bool maskLocked = false;
    int channels = 3;                      // 3 (blue, green, red in memory) or 1 (grey)
    std::array<std::uint8_t, 3> colour{};  // in memory order; grey in [0]
    int left = 0;                          // where the stamp's top-left cell lies
    int top = 0;
    int size = 0;
    Rect clip;  // the stamp's part within the layer (right and bottom exclusive)
    const std::uint8_t* weights = nullptr;  // size × size

    int weight(int x, int y) const { return weights[std::size_t(y - top) * std::size_t(size) + std::size_t(x - left)]; }
};

inline std::uint8_t* PixelFromTop(HDIB& picture, int x, int row, int bytes)
{
    return picture.row(picture.height() - 1 - row) + std::size_t(x) * std::size_t(bytes);
}
inline const std::uint8_t* PixelFromTop(const HDIB& picture, int x, int row, int bytes)
{
    return picture.row(picture.height() - 1 - row) + std::size_t(x) * std::size_t(bytes);
}

// One row of a dab from its clip's left edge: the layer's pixels and mask now and as the
// stroke found them. `next` steps all four one pixel right.
struct DabRow {
    std::uint8_t* pixel;
    std::uint8_t* cover;
    const std::uint8_t* start;
    const std::uint8_t* startCover;
    int channels;

    DabRow(const Dab& dab, int y)
        : pixel(PixelFromTop(dab.image, dab.clip.left, y, dab.channels))
        , cover(PixelFromTop(dab.mask, dab.clip.left, y, 1))
        , start(PixelFromTop(dab.startImage, dab.clip.left, y, dab.channels))
        , startCover(PixelFromTop(dab.startMask, dab.clip.left, y, 1))
        , channels(dab.channels)
    {
    }
    void next()
    {
        pixel += channels;
        start += channels;
        ++cover;
        ++startCover;
    }
};

}  // namespace lv
