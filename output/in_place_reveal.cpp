#include "output/transition.h"

#include <algorithm>

namespace lv {

InPlaceReveal::InPlaceReveal(int width, int height, int steps, const RowSteps& stepOfRow)
    : steps_(std::max(steps, 1))
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    // The step of every pixel is kept until the runs are sorted by step (a counting sort).
    std::vector<std::uint32_t> map(std::size_t(width) * std::size_t(height));
    std::vector<std::uint32_t> count(std::size_t(steps_) + 1, 0);
    const auto last = std::uint32_t(steps_ - 1);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = map.data() + std::size_t(y) * std::size_t(width);
        stepOfRow(y, row);
        for (int x = 0; x < width; ++x) {
            row[x] = std::min(row[x], last);
            if (x == 0 || row[x] != row[x - 1])
                ++count[row[x] + 1];
        }
    }
    for (std::size_t s = 1; s < count.size(); ++s)
        count[s] += count[s - 1];
    firstRun_ = count;
    runs_.resize(count.back());
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = map.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width;) {
            int end = x + 1;
            while (end < width && row[end] == row[x])
                ++end;
            runs_[count[row[x]]++] = {std::uint16_t(y), std::uint16_t(x), std::uint16_t(end)};
            x = end;
        }
    }
}

void InPlaceReveal::draw(int first, int last, SlideBlitter& blitter)
{
    first = std::clamp(first, 0, steps_ - 1);
    last = std::clamp(last, first, steps_ - 1);
    for (std::uint32_t i = firstRun_[std::size_t(first)]; i < firstRun_[std::size_t(last) + 1]; ++i)
        blitter.copySpan(runs_[i].y, runs_[i].x0, runs_[i].x1);
}

}  // namespace lv
