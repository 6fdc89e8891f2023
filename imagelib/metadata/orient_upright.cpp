#include "imagelib/metadata/orient_upright.h"

#include "imagelib/dib_alloc.h"

#include <cstring>
#include <utility>

namespace lv {
namespace {

struct Point {
    int x;
    int y;
};

// Where, in the stored picture, the upright picture's pixel (u, v) comes from.
Point storedPoint(int orientation, int u, int v, int width, int height)
{
    switch (orientation) {
    case 2: return {width - 1 - u, v};
    case 3: return {width - 1 - u, height - 1 - v};
    case 4: return {u, height - 1 - v};
    case 5: return {v, u};
    case 6: return {v, height - 1 - u};
    case 7: return {width - 1 - v, height - 1 - u};
    case 8: return {width - 1 - v, u};
    default: return {u, v};
    }
}

}  // namespace

HDIB OrientUpright(const HDIB& image, int orientation, FileFailure* shortage)
{
    if (!image || orientation < 2 || orientation > 8)
        return {};
    const int width = image.width();
    const int height = image.height();
    const bool swap = OrientationSwapsSides(orientation);
    const int outWidth = swap ? height : width;
    const int outHeight = swap ? width : height;
    HDIB upright = DibAllocDerived(image, outWidth, outHeight, unsigned(image.bitCount()), image.clrUsed(), shortage);
    if (!upright)
        return {};
    std::memcpy(upright.colors(), image.colors(), 4 * std::size_t(image.clrUsed()));
    if (swap)
        std::swap(upright.header().biXPelsPerMeter, upright.header().biYPelsPerMeter);
    const int bits = image.bitCount();
    const std::size_t pixelBytes = std::size_t(bits / 8);
    for (int v = 0; v < outHeight; ++v) {
        std::uint8_t* target = upright.row(outHeight - 1 - v);
        if (bits < 8)
            std::memset(target, 0, upright.stride());
        for (int u = 0; u < outWidth; ++u) {
            const Point from = storedPoint(orientation, u, v, width, height);
            const std::uint8_t* source = image.row(height - 1 - from.y);
            if (bits < 8)
                AddPackedPixel(target, u, bits, PackedPixel(source, from.x, bits));
            else
                std::memcpy(target + std::size_t(u) * pixelBytes, source + std::size_t(from.x) * pixelBytes, pixelBytes);
        }
    }
    return upright;
}

}  // namespace lv
