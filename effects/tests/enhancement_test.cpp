// The adjustments panel's enhancements: neutral sliders, directions, automatic fixes, and
// the slider-to-call mapping the screens and the command line share.

#include "effects/operation_codes.h"
#include "effects/slider_mapping.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

namespace lv::effects {
namespace {

using namespace lv::testing;

HDIB ApplyMode(const HDIB& picture, int mode, std::vector<int> sliders)
{
    const auto call = EnhancementCall(mode, sliders);
    return Apply(picture, call->operation, call->parameters);
}

TEST(SliderMapping, ModesCallTheirOperationsWithTheirSliders)
{
    const int sliders[] = {10, 20, 30};
    const struct {
        int mode, operation;
        std::vector<std::int32_t> parameters;
    } expected[] = {
        {0, 1, {10}}, {1, 2, {10, 20}}, {2, 3, {10, 20}}, {3, 4, {10, 20, 30}},
        {4, 9, {10}}, {5, 10, {10}},    {6, 6, {0}},      {7, 7, {0}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.mode);
        EXPECT_EQ(EnhancementCall(e.mode, sliders), (OperationCall{e.operation, e.parameters}));
        EXPECT_EQ(EnhancementSliderCount(e.mode), e.mode == 3 ? 3 : e.mode == 1 || e.mode == 2 ? 2 : e.mode >= 6 ? 0 : 1);
    }
    EXPECT_FALSE(EnhancementCall(-1, sliders) || EnhancementCall(8, sliders));
    EXPECT_EQ(EnhancementSliderCount(8), -1);
    // Sliders not given stand at 50; values beyond the track are clamped.
    EXPECT_EQ(EnhancementCall(3, std::vector<int>{70})->parameters, (std::vector<std::int32_t>{70, 50, 50}));
    EXPECT_EQ(EnhancementCall(1, std::vector<int>{-5, 400})->parameters, (std::vector<std::int32_t>{0, 100}));
}

TEST(SliderMapping, ReliefReceivesTheSliderReversedAndOthersAsIs)
{
    EXPECT_EQ(EffectCall(kOpEmboss, 30), (OperationCall{kOpEmboss, {70}}));
    EXPECT_EQ(EffectCall(kOpEmboss, 0), (OperationCall{kOpEmboss, {100}}));
    EXPECT_EQ(EffectCall(kOpOilPaint, 30), (OperationCall{kOpOilPaint, {30}}));
    EXPECT_EQ(EffectCall(kOpMosaic, 250), (OperationCall{kOpMosaic, {100}}));
}

TEST(SliderMapping, DetailSettingsAreNeutralAtFiftyAndGrowOutward)
{
    EXPECT_EQ(DetailForParameter(kOpSharpen, 50).amount, 0);
    EXPECT_EQ(DetailForParameter(kOpSoften, 50).amount, 0);
    EXPECT_GT(DetailForParameter(kOpSharpen, 100).amount, DetailForParameter(kOpSharpen, 75).amount);
    EXPECT_LT(DetailForParameter(kOpSharpen, 0).amount, 0);  // the left half softens a little
    EXPECT_GT(DetailForParameter(kOpSoften, 100).sigma, DetailForParameter(kOpSoften, 75).sigma);
    EXPECT_EQ(DetailForParameter(kOpSoften, 80).amount, -1.0);
    EXPECT_GT(DetailForParameter(kOpSoften, 0).amount, 0);  // the left half sharpens a little
}

TEST(Enhancements, SlidersAtFiftyReturnThePictureExactly)
{
    for (const bool grey : {false, true}) {
        const HDIB photo = MakeTestPhoto(37, 23, grey);
        for (int mode = 0; mode < 6; ++mode) {
            SCOPED_TRACE(std::to_string(mode) + (grey ? " grey" : ""));
            EXPECT_TRUE(SameBytes(ApplyMode(photo, mode, {50, 50, 50}), photo));
        }
    }
}

TEST(Enhancements, BrightnessAndContrastMoveTheWayTheSliderSays)
{
    const HDIB photo = MakeTestPhoto(40, 30);
    double previous = -1;
    for (const int slider : {0, 25, 50, 75, 100}) {
        const double mean = Mean(ApplyMode(photo, 0, {slider}));
        EXPECT_GT(mean, previous) << slider;
        previous = mean;
    }
    EXPECT_GT(Mean(ApplyMode(photo, 1, {80, 50})), Mean(photo) + 10);
    EXPECT_LT(Mean(ApplyMode(photo, 1, {20, 50})), Mean(photo) - 10);
    EXPECT_GT(StandardDeviation(ApplyMode(photo, 1, {50, 85})), StandardDeviation(photo) * 1.2);
    EXPECT_LT(StandardDeviation(ApplyMode(photo, 1, {50, 15})), StandardDeviation(photo) * 0.8);
    // Black stays black and white stays white at any setting.
    for (const auto& sliders : {std::vector<int>{100, 0}, std::vector<int>{0, 100}, std::vector<int>{100, 100}}) {
        EXPECT_EQ(At(ApplyMode(MakeFlat(2, 2, 0, 0, 0), 1, sliders), 0, 0), 0);
        EXPECT_EQ(At(ApplyMode(MakeFlat(2, 2, 255, 255, 255), 1, sliders), 0, 0), 255);
    }
}

// Values spread evenly over [low, high] in every channel.
HDIB Ramp(int low, int high, bool grey = false)
{
    HDIB dib = MakeFlat(64, 16, 0, 0, 0, grey);
    const Raster v = ViewOf(dib);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < v.channels; ++c)
                v.row(y)[x * v.channels + c] = std::uint8_t(low + (high - low) * (y * 64 + x) / (64 * 16 - 1));
    return dib;
}

int Extreme(const HDIB& dib, bool largest)
{
    const ConstRaster v = ViewOf(dib);
    int m = largest ? 0 : 255;
    for (int y = 0; y < v.height; ++y)
        for (std::size_t i = 0; i < v.rowSamples(); ++i)
            m = largest ? std::max(m, int(v.row(y)[i])) : std::min(m, int(v.row(y)[i]));
    return m;
}

TEST(AutomaticEnhancements, LevelsStretchAFlatHistogramToTheFullRange)
{
    for (const bool grey : {false, true}) {
        SCOPED_TRACE(grey);
        const HDIB result = Apply(Ramp(100, 150, grey), kOpAutoFix, {0});
        EXPECT_EQ(std::tuple(Extreme(result, false), Extreme(result, true)), std::tuple(0, 255));
    }
    // A picture of one colour has no range to stretch: it stays as it is.
    const HDIB flat = MakeFlat(8, 8, 90, 90, 90);
    EXPECT_NEAR(At(Apply(flat, kOpAutoFix, {0}), 3, 3), 90, 1);
}

TEST(AutomaticEnhancements, BalanceTurnsACastGreyPictureNeutral)
{
    HDIB cast = Ramp(20, 235);
    const Raster v = ViewOf(cast);
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x) {
            std::uint8_t* p = v.row(y) + 3 * x;
            p[0] = std::uint8_t(p[0] * 6 / 10);        // little blue: a yellow cast
            p[2] = std::uint8_t(std::min(255, p[2] * 11 / 10 + 8));
        }
    const HDIB balanced = Apply(cast, kOpAutoBalance, {0});
    const double b = Mean(balanced, 0), g = Mean(balanced, 1), r = Mean(balanced, 2);
    EXPECT_NEAR(b, g, 4);
    EXPECT_NEAR(r, g, 4);
    EXPECT_GT(std::abs(Mean(cast, 0) - Mean(cast, 1)), 30);
    // Grey pictures are neutral already.
    const HDIB grey = MakeTestPhoto(9, 9, true);
    EXPECT_TRUE(SameBytes(Apply(grey, kOpAutoBalance, {0}), grey));
}

}  // namespace
}  // namespace lv::effects
