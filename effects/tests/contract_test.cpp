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
                EXPECT_EQ(std::tuple(result.width(), result.height()), std::tuple(shape.width, shape.height));
                EXPECT_EQ(std::tuple(result.bitCount(), DibGetType(result), result.header().biXPelsPerMeter,
                                     result.header().biYPelsPerMeter),
                          std::tuple(input.bitCount(), DibGetType(input), 3780, 2835));
                EXPECT_TRUE(result.hasValidLayout());
            }
}

TEST(EffectsContract, BadCallsGiveNull)
{
    const HDIB photo = MakeTestPhoto(8, 6);
    const std::int32_t one[] = {50};
    // Unknown codes, and counts of parameters the operation does not take; the automatic modes take one or none.
    const std::pair<int, std::vector<std::int32_t>> refused[] = {
        {0, {50}}, {5, {50}}, {-1, {50}}, {99999, {50}}, {kOpBrightness, {}}, {kOpBrightness, {50, 50}},
        {kOpBrightnessContrast, {50}}, {kOpColourBalance, {50, 50, 50, 50}}, {kOpOilPaint, {}}, {kOpOilPaint, {50, 50}},
        {kOpAutoFix, {0, 0}}};
    for (const auto& [code, parameters] : refused)
        EXPECT_FALSE(Apply(photo, code, parameters)) << code << " with " << parameters.size() << " parameters";
    EXPECT_FALSE(DoEnhanceAndEffect(photo, kOpOilPaint, nullptr, 1, nullptr) ||
                 DoEnhanceAndEffect(photo, kOpOilPaint, one, -3, nullptr) ||
                 DoEnhanceAndEffect(HDIB{}, kOpOilPaint, one, 1, nullptr));
    // Palette and 4-bit pictures are not layer pictures.
    EXPECT_FALSE(Apply(AllocatePicture(4, 4, 8, 16), kOpBrightness, {60}));
    EXPECT_FALSE(Apply(AllocatePicture(4, 4, 4, 16), kOpBrightness, {60}));
    // A header promising more rows than the block holds.
    HDIB lying = MakeTestPhoto(4, 4);
    lying.header().biHeight = 4000;
    EXPECT_FALSE(Apply(lying, kOpBrightness, {60}));
    EXPECT_TRUE(Apply(photo, kOpAutoFix, {0}) && Apply(photo, kOpAutoFix, {}));
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
        EXPECT_TRUE(codes.insert(e.code).second && names.insert(e.name).second && !e.parameter.empty());
        const OperationSpec* spec = FindOperation(e.code);
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(std::tuple(spec->minCount, spec->maxCount), std::tuple(1, 1));
        EXPECT_EQ(FindEffect(e.code), &e);
    }
    // The four the skin's effect buttons carry, under the names they show.
    for (const auto& [code, name] :
         {std::pair{15, "Pintura a óleo"}, {88, "Relevo"}, {338, "Mosaico"}, {594, "Esboço"}})
        EXPECT_EQ(FindEffect(code)->name, name);
    // Enhancements are not in the effects list.
    for (const int code : {0, 1, 2, 3, 4, 6, 7, 9, 10})
        EXPECT_EQ(FindEffect(code), nullptr) << code;
}

}  // namespace
}  // namespace lv::effects
