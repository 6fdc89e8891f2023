#pragma once
// Pictures and comparisons shared by the effects tests.

#include "effects/enhance_and_effect.h"
#include "effects/run_operation.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace lv::testing {

// Smooth light, a few hard edges and a little texture, deterministic; 24-bit or grey.
inline HDIB MakeTestPhoto(int width, int height, bool grey = false)
{
    HDIB dib = AllocatePicture(width, height, grey ? 8 : 24, grey ? 256 : 0);
    if (grey)
        FillGreyRamp(dib.colors(), 256);
    dib.header().biXPelsPerMeter = 3780;
    dib.header().biYPelsPerMeter = 2835;
    std::uint32_t seed = 77;
    const effects::Raster view = effects::ViewOf(dib);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = view.row(y);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 29) - 4;
            const bool block = (x * 3 / std::max(width, 1) + y * 2 / std::max(height, 1)) % 2 == 1;
            const int light = 40 + 160 * x / std::max(width, 1) + (block ? 40 : 0);
            const int b = std::clamp(light + noise + 20 * (y % 7 == 0), 0, 255);
            const int g = std::clamp(light * 3 / 4 + 50 * y / std::max(height, 1) + noise, 0, 255);
            const int r = std::clamp(230 - light + noise, 0, 255);
            // Blue, green, red, then the grey level.
            const std::uint8_t samples[] = {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r),
                                            std::uint8_t((b + g + r) / 3)};
            std::copy_n(grey ? samples + 3 : samples, view.channels, p + x * view.channels);
        }
    }
    return dib;
}

// A picture of one value per channel (blue, green, red) or one grey level.
inline HDIB MakeFlat(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r, bool grey = false)
{
    HDIB dib = AllocatePicture(width, height, grey ? 8 : 24, grey ? 256 : 0);
    if (grey)
        FillGreyRamp(dib.colors(), 256);
    const effects::Raster view = effects::ViewOf(dib);
    const std::uint8_t colour[] = {b, g, r};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::copy_n(colour, view.channels, view.row(y) + x * view.channels);
    return dib;
}

inline bool SameBytes(const HDIB& a, const HDIB& b)
{
    return a.size() == b.size() && std::equal(a.data(), a.data() + a.size(), b.data());
}

// Sample c of pixel (x, y), rows from the top.
inline int At(const HDIB& dib, int x, int y, int c = 0)
{
    const effects::ConstRaster v = effects::ViewOf(dib);
    return v.row(y)[x * v.channels + c];
}

// Mean of channel c (or of every sample with c = -1).
inline double Mean(const HDIB& dib, int c = -1)
{
    const effects::ConstRaster v = effects::ViewOf(dib);
    double sum = 0;
    long long n = 0;
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x)
            for (int k = 0; k < v.channels; ++k)
                if (c < 0 || c == k)
                    sum += v.row(y)[x * v.channels + k], ++n;
    return n ? sum / double(n) : 0;
}

inline double StandardDeviation(const HDIB& dib)
{
    const double mean = Mean(dib);
    const effects::ConstRaster v = effects::ViewOf(dib);
    double sum = 0;
    long long n = 0;
    for (int y = 0; y < v.height; ++y)
        for (std::size_t i = 0; i < v.rowSamples(); ++i, ++n)
            sum += (v.row(y)[i] - mean) * (v.row(y)[i] - mean);
    return std::sqrt(sum / double(n));
}

struct Difference {
    int largest = 0;
    double mean = 0;
};
// How `part` differs from the rectangle of `whole` at (left, top).
inline Difference Compare(const HDIB& part, const HDIB& whole, int left, int top)
{
    const effects::ConstRaster a = effects::ViewOf(part), b = effects::ViewOf(whole);
    Difference d;
    double sum = 0;
    long long n = 0;
    for (int y = 0; y < a.height; ++y)
        for (std::size_t i = 0; i < a.rowSamples(); ++i, ++n) {
            const int diff = std::abs(a.row(y)[i] - b.row(top + y)[std::size_t(left * b.channels) + i]);
            d.largest = std::max(d.largest, diff);
            sum += diff;
        }
    d.mean = n ? sum / double(n) : 0;
    return d;
}

// Every operation takes at least one parameter (the automatic ones ignore it).
inline std::vector<std::int32_t> ParametersFor(const effects::OperationSpec& spec, int value)
{
    return std::vector<std::int32_t>(std::size_t(std::max(spec.minCount, 1)), value);
}

inline HDIB Apply(const HDIB& picture, int operation, std::vector<std::int32_t> parameters, int threads = 1)
{
    return effects::DoEnhanceAndEffect(picture, operation, parameters.data(), std::int32_t(parameters.size()), nullptr,
                                       effects::EffectOptions{threads});
}

}  // namespace lv::testing
