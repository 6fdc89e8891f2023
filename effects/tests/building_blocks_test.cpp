// The pieces the operations are built from: blurs, scaling, statistics (the thread
// splitting is the worker pool's test in common/).

#include "effects/blur.h"
#include "effects/region_preview.h"
#include "effects/statistics.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lv::effects {
namespace {

TEST(Blur, GaussianOfAnImpulseKeepsItsWeightAndHasTheAskedSpread)
{
    for (const double sigma : {0.4, 1.0, 2.5, 7.3}) {
        SCOPED_TRACE(sigma);
        const int n = 121;
        FloatImage image(n, 1, 1);
        image.samples[n / 2] = 1000.0f;
        GaussianBlur(image, sigma, 0, 1);
        double sum = 0, variance = 0;
        for (int x = 0; x < n; ++x) {
            sum += image.samples[std::size_t(x)];
            variance += image.samples[std::size_t(x)] * double(x - n / 2) * double(x - n / 2);
        }
        EXPECT_NEAR(sum, 1000.0, 0.05);
        EXPECT_NEAR(std::sqrt(variance / sum), sigma, sigma * 0.03);
        // Nothing reaches beyond the declared reach.
        const int reach = GaussianReach(sigma);
        EXPECT_EQ(image.samples[std::size_t(n / 2 - reach - 1)], 0.0f);
        EXPECT_GT(image.samples[std::size_t(n / 2 - reach)] + image.samples[std::size_t(n / 2 - reach + 1)], 0.0f);
    }
}

TEST(Scaling, PartsAverageWholePixelsAndAgreeWithTheWhole)
{
    const HDIB photo = testing::MakeTestPhoto(10, 6);
    const OwnedRaster half = ScaledPart(photo, 5, 3, {0, 0, 5, 3}, 1);
    const ConstRaster src = ViewOf(photo);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c) {
                const int sum = src.row(2 * y)[6 * x + c] + src.row(2 * y)[6 * x + 3 + c] + src.row(2 * y + 1)[6 * x + c] +
                                src.row(2 * y + 1)[6 * x + 3 + c];
                EXPECT_EQ(half.view().row(y)[3 * x + c], (sum + 2) / 4);
            }
    // Uneven scales: a part is exactly the same part of the scaled whole.
    const HDIB big = testing::MakeTestPhoto(101, 77);
    const OwnedRaster whole = ScaledPart(big, 37, 29, {0, 0, 37, 29}, 1);
    const OwnedRaster part = ScaledPart(big, 37, 29, {11, 5, 30, 21}, 2);
    for (int y = 0; y < 16; ++y)
        for (int i = 0; i < 19 * 3; ++i)
            ASSERT_EQ(part.view().row(y)[i], whole.view().row(5 + y)[33 + i]);
}

TEST(Statistics, PercentilesAndSamplesCoverTheWholePicture)
{
    Histogram h{};
    h[10] = 50;
    h[200] = 50;
    for (const auto& [fraction, value] : {std::pair{0.0, 10}, {0.49, 10}, {0.5, 200}, {1.0, 255}})
        EXPECT_EQ(Percentile(h, fraction), value) << fraction;
    EXPECT_EQ(Percentile(Histogram{}, 0.5), 255);
    // A large picture is sampled sparsely but evenly: both halves count.
    HDIB split = testing::MakeFlat(1200, 900, 0, 0, 0);
    const Raster v = ViewOf(split);
    for (int y = 0; y < 900; ++y)
        std::fill(v.row(y) + 600 * 3, v.row(y) + 1200 * 3, std::uint8_t(250));
    const PictureStatistics s = GatherStatistics(ViewOf(split));
    EXPECT_LE(s.samples.size(), std::size_t(kStatisticsSamples));
    EXPECT_GT(s.samples.size(), std::size_t(kStatisticsSamples) / 5);
    EXPECT_NEAR(double(s.luma[250]) / double(s.samples.size()), 0.5, 0.01);
}

}  // namespace
}  // namespace lv::effects
