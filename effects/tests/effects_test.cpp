// What each artistic effect family must do to a picture.

#include "effects/operation_codes.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace lv::effects {
namespace {

using namespace lv::testing;

std::set<int> DistinctSamples(const HDIB& dib, int channel)
{
    std::set<int> values;
    for (int y = 0; y < dib.height(); ++y)
        for (int x = 0; x < dib.width(); ++x)
            values.insert(At(dib, x, y, channel));
    return values;
}

TEST(ToneEffects, PointEffectsDoWhatTheirNamesSay)
{
    const HDIB photo = MakeTestPhoto(33, 21);
    EXPECT_TRUE(SameBytes(Apply(Apply(photo, kOpNegative, {50}), kOpNegative, {50}), photo));
    EXPECT_EQ(At(Apply(photo, kOpNegative, {0}), 5, 5, 1), 255 - At(photo, 5, 5, 1));
    const HDIB grey = Apply(photo, kOpGrey, {100});
    const HDIB sepia = Apply(photo, kOpSepia, {100});
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 33; ++x) {
            EXPECT_EQ(At(grey, x, y, 0), At(grey, x, y, 2));
            EXPECT_GE(At(sepia, x, y, 2), At(sepia, x, y, 1));  // red ≥ green ≥ blue: brown
            EXPECT_GE(At(sepia, x, y, 1), At(sepia, x, y, 0));
        }
    EXPECT_TRUE(SameBytes(Apply(photo, kOpGrey, {0}), photo));
    EXPECT_EQ(DistinctSamples(Apply(photo, kOpThreshold, {50}), 1), (std::set<int>{0, 255}));
    EXPECT_LE(DistinctSamples(Apply(photo, kOpPosterise, {100}), 0).size(), 2u);
    EXPECT_GT(DistinctSamples(Apply(photo, kOpPosterise, {0}), 0).size(), 2u);
    EXPECT_TRUE(SameBytes(Apply(photo, kOpSolarise, {0}), photo));
    // At full strength solarising is the negative.
    EXPECT_LE(Compare(Apply(photo, kOpSolarise, {100}), Apply(photo, kOpNegative, {0}), 0, 0).largest, 1);
}

TEST(ToneEffects, VignetteDarkensCornersAndLeavesTheCentre)
{
    const HDIB flat = MakeFlat(41, 31, 200, 200, 200);
    const HDIB framed = Apply(flat, kOpVignette, {100});
    EXPECT_EQ(At(framed, 20, 15), 200);
    EXPECT_LT(At(framed, 0, 0), 40);
    EXPECT_LT(At(framed, 40, 30), 40);
    EXPECT_TRUE(SameBytes(Apply(flat, kOpVignette, {0}), flat));
    const HDIB old = Apply(flat, kOpOldPhoto, {50});
    EXPECT_LT(Mean(old, -1), 200);
    EXPECT_GT(Mean(old, 2), Mean(old, 0));  // toned warm
}

TEST(TileEffects, MosaicTilesAreUniformAndFollowTheGrid)
{
    const HDIB photo = MakeTestPhoto(64, 48);
    const HDIB tiled = Apply(photo, kOpMosaic, {0});  // tiles of 3 pixels on a small picture
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(At(tiled, x, y, c), At(tiled, x / 3 * 3, y / 3 * 3, c));
    // Each tile holds the mean of its pixels.
    int sum = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            sum += At(photo, 3 + x, 6 + y, 1);
    EXPECT_NEAR(At(tiled, 3, 6, 1), sum / 9.0, 0.51);
}

TEST(EdgeEffects, FlatPicturesGiveFlatReliefAndNoEdges)
{
    const HDIB flat = MakeFlat(20, 14, 30, 140, 220);
    const HDIB relief = Apply(flat, kOpEmboss, {0});
    EXPECT_EQ(DistinctSamples(relief, 0), (std::set<int>{128}));
    EXPECT_EQ(DistinctSamples(Apply(flat, kOpEdges, {100}), 2), (std::set<int>{0}));
    EXPECT_EQ(DistinctSamples(Apply(flat, kOpSketch, {50}), 0), (std::set<int>{255}));
    // An edge shows in the relief, deeper when the (reversed) parameter is lower.
    const HDIB photo = MakeTestPhoto(48, 36);
    const auto spread = [](const HDIB& d) { return StandardDeviation(d); };
    EXPECT_GT(spread(Apply(photo, kOpEmboss, {0})), spread(Apply(photo, kOpEmboss, {100})));
}

TEST(DistortEffects, StrengthZeroLeavesThePictureInPlace)
{
    const HDIB photo = MakeTestPhoto(30, 24);
    for (const int code : {kOpPinch, kOpTwirl, kOpSpherise, kOpZoomBlur}) {
        SCOPED_TRACE(code);
        EXPECT_LE(Compare(Apply(photo, code, {0}), photo, 0, 0).largest, 1);
        EXPECT_GT(Compare(Apply(photo, code, {100}), photo, 0, 0).mean, 1.0);
    }
}

TEST(NoiseEffects, NoiseIsSeededAndDespeckleRemovesLoneSpecks)
{
    const HDIB flat = MakeFlat(40, 30, 120, 120, 120);
    EXPECT_TRUE(SameBytes(Apply(flat, kOpNoise, {0}), flat));
    const HDIB noisy = Apply(flat, kOpNoise, {60});
    EXPECT_FALSE(SameBytes(noisy, flat));
    EXPECT_TRUE(SameBytes(noisy, Apply(flat, kOpNoise, {60})));
    EXPECT_NEAR(Mean(noisy), 120, 2);
    HDIB specks = DibDuplicate(flat);
    ViewOf(specks).row(10)[3 * 10 + 1] = 255;
    ViewOf(specks).row(20)[3 * 30] = 0;
    EXPECT_TRUE(SameBytes(Apply(specks, kOpDespeckle, {100}), flat));
    // A low sensitivity leaves small differences alone.
    HDIB faint = DibDuplicate(flat);
    ViewOf(faint).row(5)[3 * 5] = 140;
    EXPECT_TRUE(SameBytes(Apply(faint, kOpDespeckle, {0}), faint));
}

}  // namespace
}  // namespace lv::effects
