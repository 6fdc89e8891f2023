#pragma once
// Repeatable noise tied to pixel positions in the whole picture, so the same pixel gets
// the same grain however the picture is cut into parts or threads.

#include <cstdint>

namespace lv::effects {

inline std::uint32_t HashPixel(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = std::uint32_t(x) * 0x8da6b343u ^ std::uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

// Uniform in [0, 1).
inline float UnitNoise(int x, int y, std::uint32_t seed)
{
    return float(HashPixel(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

// Bell-shaped, mean 0, standard deviation 1 (the sum of three uniforms).
inline float BellNoise(int x, int y, std::uint32_t seed)
{
    const std::uint32_t h = HashPixel(x, y, seed);
    const float a = float(h & 1023), b = float((h >> 10) & 1023), c = float((h >> 20) & 1023);
    return (a + b + c - 1534.5f) * (2.0f / 1023.0f);
}

}  // namespace lv::effects
