#include "imagelib/codecs/planar_rows.h"

namespace lv {

void StoreTopDownPlanes(HDIB& picture, const RgbPlanes& planes)
{
    const int width = picture.width(), height = picture.height();
    for (int top = 0; top < height; ++top) {
        const std::uint8_t* red = planes.red + std::size_t(top) * planes.redStride;
        const std::uint8_t* green = planes.green + std::size_t(top) * planes.greenStride;
        const std::uint8_t* blue = planes.blue + std::size_t(top) * planes.blueStride;
        std::uint8_t* out = picture.row(height - 1 - top);
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = blue[x];
            out[1] = green[x];
            out[2] = red[x];
        }
    }
}

}  // namespace lv
