// The largest covered rectangle against every rectangle tried, on ragged random masks.

#include "projects/panorama/covered_crop.h"

#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <random>

namespace lv::panorama {
namespace {

long long BruteForceLargest(const std::vector<std::uint8_t>& mask, int width, int height)
{
    long long best = 0;
    for (int top = 0; top < height; ++top)
        for (int left = 0; left < width; ++left)
            for (int bottom = top + 1; bottom <= height; ++bottom)
                for (int right = left + 1; right <= width; ++right) {
                    bool full = true;
                    for (int y = top; y < bottom && full; ++y)
                        for (int x = left; x < right && full; ++x)
                            full = mask[std::size_t(y * width + x)] != 0;
                    if (full)
                        best = std::max(best, (long long)(right - left) * (bottom - top));
                }
    return best;
}

TEST(CoveredCrop, LargestRectangleIsFullAndNoneLargerExists)
{
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + int(random() % 12), height = 1 + int(random() % 9);
        std::vector<std::uint8_t> mask(std::size_t(width * height));
        for (auto& covered : mask)
            covered = random() % 5 != 0;
        const Rect found = LargestCoveredRectangle(mask, width, height);
        for (int y = found.top; y < found.bottom; ++y)
            for (int x = found.left; x < found.right; ++x)
                ASSERT_TRUE(mask[std::size_t(y * width + x)]) << round;
        ASSERT_EQ((long long)found.width() * found.height(), BruteForceLargest(mask, width, height)) << round;
    }
    EXPECT_EQ(LargestCoveredRectangle({}, 4, 4).width(), 0);  // a mask shorter than the picture
}

}  // namespace
}  // namespace lv::panorama
