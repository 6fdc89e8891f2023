#include "effects/statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lv::effects {

PictureStatistics GatherStatistics(ConstRaster whole)
{
    PictureStatistics stats;
    const double pixels = double(whole.width) * double(whole.height);
    const int step = std::max(1, int(std::ceil(std::sqrt(pixels / kStatisticsSamples))));
    stats.samples.reserve(std::size_t((whole.width + step - 1) / step) * std::size_t((whole.height + step - 1) / step));
    for (int y = step / 2; y < whole.height; y += step) {
        const std::uint8_t* row = whole.row(y);
        for (int x = step / 2; x < whole.width; x += step) {
            std::array<std::uint8_t, 3> s{};
            if (whole.channels == 1)
                s = {row[x], row[x], row[x]};
            else
                s = {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
            stats.samples.push_back(s);
            for (std::size_t c = 0; c < 3; ++c)
                ++stats.channels[c][s[c]];
            ++stats.luma[std::size_t(Luma(s.data()))];
        }
    }
    return stats;
}

int Percentile(const Histogram& histogram, double fraction)
{
    const std::uint64_t total = std::accumulate(histogram.begin(), histogram.end(), std::uint64_t(0));
    const double wanted = fraction * double(total);
    std::uint64_t seen = 0;
    for (int v = 0; v < 256; ++v) {
        seen += histogram[std::size_t(v)];
        if (double(seen) > wanted)
            return v;
    }
    return 255;
}

}  // namespace lv::effects
