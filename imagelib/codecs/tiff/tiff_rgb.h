#pragma once
// TIFF files hold red before blue, pictures blue before red: every 24-bit row is turned on
// its way in and out, so the turn is done two pixels to a word instead of byte by byte.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lv {

// Copies `pixels` 3-byte pixels from `in` to `out` with the first and third bytes of each
// exchanged; `in` and `out` may be the same row.
inline void CopySwappingRedAndBlue(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels)
{
    std::size_t x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes are read for two pixels, so a third must follow them.
        for (; x + 3 <= pixels; x += 2, in += 6, out += 6) {
            std::uint64_t v;
            std::memcpy(&v, in, 8);
            const std::uint64_t turned = (v & 0x0000FF0000FF00u) | (v & 0x0000FF0000FFu) << 16 | (v >> 16 & 0x0000FF0000FFu);
            std::memcpy(out, &turned, 6);
        }
    }
    for (; x < pixels; ++x, in += 3, out += 3) {
        const std::uint8_t first = in[0];
        out[0] = in[2];
        out[1] = in[1];
        out[2] = first;
    }
}

}  // namespace lv
