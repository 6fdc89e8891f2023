#include "imagelib/codecs/photocd/photo_ycc.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

// Fixed-point (16 fractional bits) terms of the standard conversion:
// R = 1.3584 Y + 1.8215 (C2 - 137), G = 1.3584 Y - 0.4303 (C1 - 156) - 0.9271 (C2 - 137),
// B = 1.3584 Y + 2.2179 (C1 - 156).
struct YccTables {
    std::array<std::int32_t, 256> luma{}, redFromC2{}, greenFromC1{}, greenFromC2{}, blueFromC1{};
};

constexpr std::int32_t fixed(double v)
{
    return std::int32_t(v * 65536.0 + (v < 0 ? -0.5 : 0.5));
}

constexpr YccTables makeTables()
{
    YccTables t;
    for (int i = 0; i < 256; ++i) {
        t.luma[std::size_t(i)] = fixed(1.3584 * i) + (1 << 15);  // the rounding half folded in
        t.redFromC2[std::size_t(i)] = fixed(1.8215 * (i - 137));
        t.greenFromC1[std::size_t(i)] = fixed(-0.194 * 2.2179 * (i - 156));
        t.greenFromC2[std::size_t(i)] = fixed(-0.509 * 1.8215 * (i - 137));
        t.blueFromC1[std::size_t(i)] = fixed(2.2179 * (i - 156));
    }
    return t;
}

constexpr YccTables kTables = makeTables();

std::uint8_t clampShift(std::int32_t v)
{
    return std::uint8_t(std::clamp(v >> 16, 0, 255));
}

}  // namespace

void PhotoYccToBgr(const std::uint8_t* luma, const std::uint8_t* chroma1, const std::uint8_t* chroma2,
                   std::uint8_t* bgr, int width)
{
    for (int x = 0; x < width; ++x, bgr += 3) {
        const std::int32_t y = kTables.luma[luma[x]];
        bgr[0] = clampShift(y + kTables.blueFromC1[chroma1[x]]);
        bgr[1] = clampShift(y + kTables.greenFromC1[chroma1[x]] + kTables.greenFromC2[chroma2[x]]);
        bgr[2] = clampShift(y + kTables.redFromC2[chroma2[x]]);
    }
}

std::uint8_t PhotoYccLumaToGrey(std::uint8_t luma)
{
    return clampShift(kTables.luma[luma]);
}

}  // namespace lv
