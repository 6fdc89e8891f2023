// Previews of a part of the picture: at scale 1 they match that part of the full result;
// at smaller scales they have the right size and look like the full result.

#include "effects/operation.h"
#include "effects/operation_codes.h"
#include "effects/region_preview.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

namespace lv::effects {
namespace {

using namespace lv::testing;

RegionResult Region(const HDIB& picture, int code, std::vector<std::int32_t> parameters, Rect rect, double scale)
{
    return ComputeRegion(picture, code, parameters.data(), std::int32_t(parameters.size()), rect, scale, EffectOptions{1});
}

TEST(RegionPreview, AtScaleOneEveryOperationMatchesThePartOfTheFullResult)
{
    for (const bool grey : {false, true}) {
        const HDIB photo = MakeTestPhoto(96, 72, grey);
        const Rect rects[] = {{13, 9, 61, 47}, {50, 40, 96, 72}, {0, 0, 96, 72}, {0, 30, 5, 33}};
        for (const OperationSpec& spec : AllOperations())
            for (const int value : {30, 100}) {
                const std::vector<std::int32_t> parameters = ParametersFor(spec, value);
                const HDIB full = Apply(photo, spec.code, parameters);
                for (const Rect& r : rects) {
                    SCOPED_TRACE(std::to_string(spec.code) + " at " + std::to_string(value) + " over " + std::to_string(r.left) +
                                 "," + std::to_string(r.top) + (grey ? " grey" : ""));
                    const RegionResult part = Region(photo, spec.code, parameters, r, 1.0);
                    ASSERT_TRUE(part.picture);
                    EXPECT_EQ(part.area, r);
                    EXPECT_EQ(std::tuple(part.picture.width(), part.picture.height()), std::tuple(r.width(), r.height()));
                    const auto d = Compare(part.picture, full, r.left, r.top);
                    EXPECT_LE(d.largest, 2);
                    EXPECT_LE(d.mean, 0.05);
                }
            }
    }
}

TEST(RegionPreview, ScaledPartsHaveTheViewsSizeAndLookLikeTheFullResult)
{
    const HDIB photo = MakeTestPhoto(400, 300);
    const RegionResult whole = Region(photo, kOpBrightness, {70}, {0, 0, 400, 300}, 0.25);
    ASSERT_TRUE(whole.picture);
    EXPECT_EQ(std::tuple(whole.workWidth, whole.workHeight, whole.area), std::tuple(100, 75, Rect{0, 0, 100, 75}));
    // A part that starts inside a working pixel takes all of it.
    const RegionResult part = Region(photo, kOpBrightness, {70}, {101, 42, 203, 150}, 0.25);
    EXPECT_EQ(part.area, (Rect{25, 10, 51, 38}));
    EXPECT_EQ(Compare(part.picture, whole.picture, 25, 10).largest, 0);
    // The preview of a blur looks like the full blur scaled down.
    const HDIB full = Apply(photo, kOpSoften, {80});
    const RegionResult fullScaled = Region(full, kOpBrightness, {50}, {0, 0, 400, 300}, 0.25);
    const RegionResult preview = Region(photo, kOpSoften, {80}, {0, 0, 400, 300}, 0.25);
    EXPECT_LE(Compare(preview.picture, fullScaled.picture, 0, 0).mean, 2.0);
    // Above 1 the part comes at picture resolution; the view enlarges it.
    EXPECT_EQ(Region(photo, kOpBrightness, {70}, {10, 10, 20, 20}, 3.0).picture.width(), 10);
}

TEST(RegionPreview, ReusedPreviewsAgreeWithFreshOnesAsMarginsGrow)
{
    const HDIB photo = MakeTestPhoto(120, 90);
    const Rect view{30, 20, 90, 70};
    RegionPreview preview(photo, view, 1.0, EffectOptions{1});
    // A small margin first, then larger ones, then a whole-picture one, then small again.
    const std::pair<int, int> steps[] = {{kOpBrightness, 60}, {kOpSoften, 60}, {kOpSoften, 100},
                                         {kOpTwirl, 50},      {kOpMosaic, 100}, {kOpSharpen, 90}};
    for (const auto& [code, value] : steps) {
        SCOPED_TRACE(code);
        const std::int32_t p[] = {value};
        const RegionResult reused = preview.compute(code, p, 1);
        const RegionResult fresh = Region(photo, code, {value}, view, 1.0);
        ASSERT_TRUE(reused.picture);
        EXPECT_TRUE(SameBytes(reused.picture, fresh.picture));
    }
}

TEST(RegionPreview, EmptyOrOutsideRegionsAndBadCallsGiveNull)
{
    const HDIB photo = MakeTestPhoto(50, 40);
    for (const Rect empty : {Rect{10, 10, 10, 30}, Rect{60, 10, 90, 30}, Rect{30, 10, 20, 30}})
        EXPECT_FALSE(Region(photo, kOpBrightness, {60}, empty, 1.0).picture) << empty.left;
    EXPECT_FALSE(Region(photo, 12345, {60}, {0, 0, 10, 10}, 1.0).picture);
    EXPECT_FALSE(Region(photo, kOpBrightness, {60, 60}, {0, 0, 10, 10}, 1.0).picture);
    EXPECT_FALSE(Region(HDIB{}, kOpBrightness, {60}, {0, 0, 10, 10}, 1.0).picture);
    // Parts hanging over the edge are clipped to the picture.
    const RegionResult clipped = Region(photo, kOpBrightness, {60}, {-20, 35, 10, 400}, 1.0);
    EXPECT_EQ(clipped.area, (Rect{0, 35, 10, 40}));
    // A nonsense scale counts as 1; a tiny one still gives at least one pixel.
    EXPECT_EQ(Region(photo, kOpBrightness, {60}, {0, 0, 50, 40}, std::nan("")).picture.width(), 50);
    EXPECT_EQ(Region(photo, kOpBrightness, {60}, {0, 0, 50, 40}, 1e-9).picture.width(), 1);
}

}  // namespace
}  // namespace lv::effects
