#pragma once
// Whole-picture statistics for the automatic enhancements, from an even sample of the
// picture. A preview of any part uses the same figures as the full result.

#include "effects/raster.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lv::effects {

using Histogram = std::array<std::uint32_t, 256>;

struct PictureStatistics {
    std::vector<std::array<std::uint8_t, 3>> samples;  // blue, green, red (equal for grey)
    std::array<Histogram, 3> channels{};
    Histogram luma{};
};

// Samples about kStatisticsSamples pixels on a regular grid over the whole picture.
PictureStatistics GatherStatistics(ConstRaster whole);
inline constexpr int kStatisticsSamples = 1 << 18;

// The value below which `fraction` of the histogram's count lies.
int Percentile(const Histogram& histogram, double fraction);

}  // namespace lv::effects
