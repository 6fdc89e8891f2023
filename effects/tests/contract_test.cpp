// The call contract every operation keeps: same size and depth, input untouched, bad
// calls refused, tiny pictures survive.

#include "effects/catalogue.h"
#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "imagelib/dib_alloc.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lv::effects {
namespace {

using namespace lv::testing;

TEST(EffectsContract, EveryOperationKeepsSizeDepthAndInputOnSmallAndGreyPictures)
{
    struct Shape {
        int width, height;
        bool grey;
    };
    const Shape shapes[] = {{1, 1, false}, {2, 2, false}, {7, 3, false}, {7, 3, true}, {1, 5, true}, {3, 1, false}};
    for (const OperationSpec& spec : AllOperations())
        for (const Shape& shape : shapes)
            for (const int value : {0, 50, 100}) {
                SCOPED_TRACE("operation " + std::to_string(spec.code) + " on " + std::to_string(shape.width) + "x" +
                             std::to_string(shape.height) + (shape.grey ? " grey" : "") + " at " + std::to_string(value));
                const HDIB input = MakeTestPhoto(shape.width, shape.height, shape.grey);
                const HDIB before = DibDuplicate(input);
                const HDIB result = Apply(input, spec.code, ParametersFor(spec, value));
                ASSERT_TRUE(result);
                EXPECT_TRUE(SameBytes(input, before));
                EXPECT_EQ(std::pair(result.width(), result.height()), std::pair(shape.width, shape.height));
                EXPECT_EQ(result.bitCount(), input.bitCount());
                EXPECT_EQ(DibGetType(result), DibGetType(input));
                EXPECT_EQ(result.header().biXPelsPerMeter, 3780);
                EXPECT_EQ(result.header().biYPelsPerMeter, 2835);
                EXPECT_TRUE(result.hasValidLayout());
            }
}

TEST(EffectsContract, BadCallsGiveNull)
{
    const HDIB photo = MakeTestPhoto(8, 6);
    const std::int32_t one[] = {50};
    EXPECT_FALSE(Apply(photo, 0, {50}));
    EXPECT_FALSE(Apply(photo, 5, {50}));
    EXPECT_FALSE(Apply(photo, -1, {50}));
    EXPECT_FALSE(Apply(photo, 99999, {50}));
    EXPECT_FALSE(Apply(photo, kOpBrightness, {}));
    EXPECT_FALSE(Apply(photo, kOpBrightness, {50, 50}));
    EXPECT_FALSE(Apply(photo, kOpBrightnessContrast, {50}));
    EXPECT_FALSE(Apply(photo, kOpColourBalance, {50, 50, 50, 50}));
    EXPECT_FALSE(Apply(photo, kOpOilPaint, {}));
    EXPECT_FALSE(Apply(photo, kOpOilPaint, {50, 50}));
    EXPECT_FALSE(DoEnhanceAndEffect(photo, kOpOilPaint, nullptr, 1, nullptr));
    EXPECT_FALSE(DoEnhanceAndEffect(photo, kOpOilPaint, one, -3, nullptr));
    EXPECT_FALSE(DoEnhanceAndEffect(HDIB{}, kOpOilPaint, one, 1, nullptr));
    // Palette and 4-bit pictures are not layer pictures.
    HDIB palette = AllocatePicture(4, 4, 8, 16);
    EXPECT_FALSE(Apply(palette, kOpBrightness, {60}));
    HDIB nibbles = AllocatePicture(4, 4, 4, 16);
    EXPECT_FALSE(Apply(nibbles, kOpBrightness, {60}));
    // A header promising more rows than the block holds.
    HDIB lying = MakeTestPhoto(4, 4);
    lying.header().biHeight = 4000;
    EXPECT_FALSE(Apply(lying, kOpBrightness, {60}));
    // The automatic modes take their one (ignored) parameter or none.
    EXPECT_TRUE(Apply(photo, kOpAutoFix, {0}));
    EXPECT_TRUE(Apply(photo, kOpAutoFix, {}));
    EXPECT_FALSE(Apply(photo, kOpAutoFix, {0, 0}));
}

TEST(EffectsContract, OutOfRangeParametersAreClampedToTheEnds)
{
    const HDIB photo = MakeTestPhoto(16, 12);
    for (const int code : {kOpBrightness, kOpSharpen, kOpOilPaint, kOpEmboss, kOpPosterise, kOpNoise}) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(SameBytes(Apply(photo, code, {-40}), Apply(photo, code, {0})));
        EXPECT_TRUE(SameBytes(Apply(photo, code, {1000000}), Apply(photo, code, {100})));
    }
    EXPECT_TRUE(SameBytes(Apply(photo, kOpHueSaturation, {-1, 101}), Apply(photo, kOpHueSaturation, {0, 100})));
}

TEST(EffectsContract, NeighbourhoodEffectsLeaveOnePixelWideOrHighPicturesAlone)
{
    for (const int code : {kOpOilPaint, kOpMosaic, kOpSketch, kOpEmboss, kOpTwirl})
        for (const auto& [w, h] : {std::pair{1, 9}, std::pair{9, 1}, std::pair{1, 1}})
            for (const bool grey : {false, true}) {
                SCOPED_TRACE(std::to_string(code) + " " + std::to_string(w) + "x" + std::to_string(h));
                const HDIB input = MakeTestPhoto(w, h, grey);
                EXPECT_TRUE(SameBytes(Apply(input, code, {100}), input));
            }
}

TEST(EffectsCatalogue, ListsEveryEffectOnceWithANameAndAnOperation)
{
    const auto list = EffectCatalogue();
    EXPECT_GE(list.size(), 30u);
    std::set<int> codes;
    std::set<std::string_view> names;
    for (const EffectEntry& e : list) {
        SCOPED_TRACE(e.code);
        EXPECT_TRUE(codes.insert(e.code).second);
        EXPECT_TRUE(names.insert(e.name).second);
        EXPECT_FALSE(e.parameter.empty());
        const OperationSpec* spec = FindOperation(e.code);
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(spec->minCount, 1);
        EXPECT_EQ(spec->maxCount, 1);
        EXPECT_EQ(FindEffect(e.code), &e);
    }
    // The four the skin's effect buttons carry, under the names they show.
    EXPECT_EQ(FindEffect(15)->name, "Pintura a óleo");
    EXPECT_EQ(FindEffect(88)->name, "Relevo");
    EXPECT_EQ(FindEffect(338)->name, "Mosaico");
    EXPECT_EQ(FindEffect(594)->name, "Esboço");
    // Enhancements are not in the effects list.
    for (const int code : {1, 2, 3, 4, 6, 7, 9, 10})
        EXPECT_EQ(FindEffect(code), nullptr);
    EXPECT_EQ(FindEffect(0), nullptr);
}

}  // namespace
}  // namespace lv::effects
