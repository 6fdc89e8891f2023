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

TEST(DistortEffects, StrengthZeroLeavesThePictureInPlace)
{
    const HDIB photo = MakeTestPhoto(30, 24);
    for (const int code : {kOpPinch, kOpTwirl, kOpSpherise, kOpZoomBlur}) {
        SCOPED_TRACE(code);
        EXPECT_LE(Compare(Apply(photo, code, {0}), photo, 0, 0).largest, 1);
        EXPECT_GT(Compare(Apply(photo, code, {100}), photo, 0, 0).mean, 1.0);
    }
}

}  // namespace
}  // namespace lv::effects
