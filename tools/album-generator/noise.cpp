#include "noise.h"

#include <cmath>

namespace lv::artwork {
namespace {

float lattice(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float smooth(float t)
{
    return t * t * (3 - 2 * t);
}

float noiseWrapped(float x, float y, int period, std::uint32_t seed)
{
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = smooth(x - float(x0)), fy = smooth(y - float(y0));
    const auto at = [&](int xi, int yi) {
        if (period > 0)
            xi = ((xi % period) + period) % period, yi = ((yi % period) + period) % period;
        return lattice(xi, yi, seed);
    };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

float octaves(float x, float y, int count, int period, std::uint32_t seed)
{
    float sum = 0, weight = 0.5f, total = 0;
    for (int i = 0; i < count; ++i) {
        sum += noiseWrapped(x, y, period, seed + std::uint32_t(i) * 101u) * weight;
        total += weight;
        x *= 2, y *= 2, weight *= 0.5f;
        if (period > 0)
            period *= 2;
    }
    return sum / total;
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed)
{
    return noiseWrapped(x, y, 0, seed);
}

float Fractal(float x, float y, int count, std::uint32_t seed)
{
    return octaves(x, y, count, 0, seed);
}

float TiledFractal(float x, float y, int count, int period, std::uint32_t seed)
{
    return octaves(x, y, count, period, seed);
}

}  // namespace lv::artwork
