// Turns of a layer add up: turned back to its start, a layer of any size is where it was
// and holds its own pixels again.

#include "edit/compositing.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/resampler.h"
#include "edit/tests/layer_test_support.h"
#include "imagelib/shared_picture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace lv::testing {
namespace {

struct TurnCase {
    int width;
    int height;
    std::vector<double> turns;
};

void PrintTo(const TurnCase& c, std::ostream* out)
{
    *out << c.width << " x " << c.height << " turned";
    for (const double degrees : c.turns)
        *out << ' ' << degrees;
}

class QuarterTurns : public ::testing::TestWithParam<TurnCase> {};

TEST_P(QuarterTurns, TurnedBackTheLayerIsWhereItStartedAndEqualsItsSource)
{
    const TurnCase& c = GetParam();
    auto stack = EmptyDocument(100, 80);
    HDIB source = MakePhotoLike(c.width, c.height);
    AppendLayer(*stack, CopyPicture(source), {}, 0, 80 - c.height);
    CompositeLayers(*stack);
    const Rect start = *CurrentLayerBox(*stack);
    for (const double degrees : c.turns)
        ASSERT_TRUE(RotateCurrentLayer(*stack, degrees));
    EXPECT_EQ(*CurrentLayerBox(*stack), start);
    EXPECT_TRUE(SamePixels(stack->layers[0].image.read(), source));
}

INSTANTIATE_TEST_SUITE_P(OddEvenAndMixedSizes, QuarterTurns,
                         ::testing::Values(TurnCase{41, 29, {90, 90, 90, 90}}, TurnCase{41, 29, {180, 180}},
                                           TurnCase{41, 29, {-90, -90, -90, -90}}, TurnCase{40, 29, {90, 90, 90, 90}},
                                           TurnCase{41, 28, {180, 180}}, TurnCase{40, 28, {90, -90}},
                                           TurnCase{1, 7, {90, 90, 90, 90}}, TurnCase{41, 29, {90, 30, -30, -90}}));

TEST(QuarterTurns, AnOddLayerTurnsAboutItsOwnCentreWithoutDrift)
{
    auto stack = EmptyDocument(100, 80);
    AppendLayer(*stack, MakePhotoLike(41, 29), {}, 10, 80 - 29 - 20);  // top-left at 10, 20
    const Rect start = *CurrentLayerBox(*stack);
    ASSERT_TRUE(RotateCurrentLayer(*stack, 90));
    // The centre stays at 30.5, 34.5, so the turned box is 29 wide, 41 high about it.
    EXPECT_EQ(*CurrentLayerBox(*stack), (Rect{16, 14, 45, 55}));
    ASSERT_TRUE(RotateCurrentLayer(*stack, 90));
    EXPECT_EQ(*CurrentLayerBox(*stack), start);
}

}  // namespace
}  // namespace lv::testing
