#pragma once
// The PhotoYCC colour encoding shared by Photo CD and FlashPix: 8-bit luma scaled so
// that white sits near 186 (room for highlights above it) and two chroma channels
// centred on 156 and 137.

#include <cstdint>

namespace lv {

// One row of full-resolution Y, C1 and C2 samples to blue-green-red triples, clamped.
void PhotoYccToBgr(const std::uint8_t* luma, const std::uint8_t* chroma1, const std::uint8_t* chroma2,
                   std::uint8_t* bgr, int width);

// The grey level of a luma sample, clamped.
std::uint8_t PhotoYccLumaToGrey(std::uint8_t luma);

}  // namespace lv
