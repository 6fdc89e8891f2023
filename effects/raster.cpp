#include "effects/raster.h"

#include <cstring>

namespace lv::effects {

void CopyRaster(ConstRaster from, Raster to)
{
    for (int y = 0; y < from.height; ++y)
        std::memcpy(to.row(y), from.row(y), from.rowSamples());
}

OwnedRaster WidenToColour(ConstRaster grey)
{
    OwnedRaster colour(grey.width, grey.height, 3);
    const Raster out = colour.view();
    for (int y = 0; y < grey.height; ++y) {
        const std::uint8_t* g = grey.row(y);
        std::uint8_t* c = out.row(y);
        for (int x = 0; x < grey.width; ++x, c += 3)
            c[0] = c[1] = c[2] = g[x];
    }
    return colour;
}

void NarrowToGrey(ConstRaster colour, Raster grey)
{
    for (int y = 0; y < colour.height; ++y) {
        const std::uint8_t* c = colour.row(y);
        std::uint8_t* g = grey.row(y);
        for (int x = 0; x < colour.width; ++x, c += 3)
            g[x] = std::uint8_t(Luma(c));
    }
}

}  // namespace lv::effects
