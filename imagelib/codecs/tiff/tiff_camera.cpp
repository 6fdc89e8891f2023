#include "imagelib/codecs/tiff/tiff_camera.h"

#include <array>
#include <cstdint>

namespace lv {
namespace {

// Each colour difference's share of red, green and blue, by sample value.
struct ChromaTables {
    std::array<int, 256> redFromCr;
    std::array<int, 256> greenFromCb;
    std::array<int, 256> greenFromCr;
    std::array<int, 256> blueFromCb;

    ChromaTables()
    {
        for (int i = 0; i < 256; ++i) {
            const double d = i - 128;
            // Conversions to int truncate toward zero, as the format's decoders do.
            redFromCr[i] = int(1.402 * d + 0.5);
            greenFromCb[i] = int(0.5 - 0.34414 * d);
            greenFromCr[i] = int(0.5 - 0.71414 * d);
            blueFromCb[i] = int(1.772 * d + 0.5);
        }
    }
};

std::uint8_t clamp(int v)
{
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

void storePixel(std::uint8_t* out, int y, int cb, int cr, const ChromaTables& t)
{
    out[0] = clamp(y + t.blueFromCb[cb]);
    out[1] = clamp(y + t.greenFromCb[cb] + t.greenFromCr[cr]);
    out[2] = clamp(y + t.redFromCr[cr]);
}

// Right to left, so every pair is read before the wider pixels overwrite it.
void expandRow(std::uint8_t* row, int width, const ChromaTables& t)
{
    const int pairs = (width + 1) / 2;
    for (int p = pairs - 1; p >= 0; --p) {
        const std::uint8_t* in = row + 4 * p;
        const int leftY = in[0], rightY = in[1];
        int cb = in[2], cr = in[3];
        const bool lone = 2 * p + 1 >= width;  // an odd width's last pixel has no chroma of its own
        int leftCb = cb, leftCr = cr;
        if (p > 0) {
            const int previousCb = in[-2], previousCr = in[-1];
            if (lone)
                cb = previousCb, cr = previousCr, leftCb = cb, leftCr = cr;
            else
                leftCb = (cb + previousCb) >> 1, leftCr = (cr + previousCr) >> 1;
        }
        if (!lone)
            storePixel(row + 6 * p + 3, rightY, cb, cr, t);
        storePixel(row + 6 * p, leftY, leftCb, leftCr, t);
    }
}

}  // namespace

void ExpandCameraRows(HDIB& picture)
{
    const ChromaTables tables;
    for (int y = 0; y < picture.height(); ++y)
        expandRow(picture.row(y), picture.width(), tables);
}

}  // namespace lv
