#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

struct Lut {
    std::array<std::uint8_t, 256> blue{}, green{}, red{};
};

Lut tableOf(const HDIB& source)
{
    Lut lut;
    const std::uint32_t n = std::min<std::uint32_t>(source.clrUsed(), 256);
    const RgbQuad* table = source.colors();
    for (std::uint32_t i = 0; i < n; ++i) {
        lut.blue[i] = table[i].rgbBlue;
        lut.green[i] = table[i].rgbGreen;
        lut.red[i] = table[i].rgbRed;
    }
    return lut;
}

inline void put(std::uint8_t*& out, const Lut& lut, unsigned index)
{
    *out++ = lut.blue[index];
    *out++ = lut.green[index];
    *out++ = lut.red[index];
}

void promoteRow(const std::uint8_t* in, std::uint8_t* out, int width, int bits, const Lut& lut)
{
    switch (bits) {
    case 1:
        for (int x = 0; x < width; ++x)
            put(out, lut, (in[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            put(out, lut, x & 1 ? in[x >> 1] & 0x0F : in[x >> 1] >> 4);
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            put(out, lut, in[x]);
        break;
    case 16:
        for (int x = 0; x < width; ++x, out += 3)
            WidenWord555(unsigned(in[2 * x]) | unsigned(in[2 * x + 1]) << 8, out);
        break;
    }
}

}  // namespace

HDIB DibPromoteTo24(const HDIB& source, FileFailure* shortage)
{
    if (!source)
        return {};
    const int bits = source.bitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16)
        return {};
    const int width = source.width();
    const int height = source.height();
    HDIB result = DibAllocDerived(source, width, height, 24, 0, shortage);
    if (!result)
        return {};

    const Lut lut = tableOf(source);
    for (int y = 0; y < height; ++y) {
        if (AbortRequested())
            return {};
        if (y % 16 == 0)
            ReportProgress(kProgressProcessing, int(std::int64_t(y) * 100 / height));
        promoteRow(source.row(y), result.row(y), width, bits, lut);
    }
    return result;
}

}  // namespace lv
