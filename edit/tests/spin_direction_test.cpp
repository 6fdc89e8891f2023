// "Girar todas as camadas" turns the way the angle dial grows: anticlockwise for a positive
// angle, clockwise for a negative one.

#include "edit/placement/document_geometry.h"
#include "edit/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

// A 41 × 41 white document with a red dot right of the centre.
std::unique_ptr<LayerStack> DotRightOfCentre()
{
    auto stack = EmptyDocument(41, 41);
    HDIB picture = SolidPicture(41, 41, {255, 255, 255});
    SetPixel24(picture, 35, 20, {255, 0, 0});
    AppendLayer(*stack, std::move(picture));
    return stack;
}

// Where the reddest pixel of the only layer lies, rows counted from the top.
Point ReddestPixel(const LayerStack& stack)
{
    const LayerRecord& layer = stack.layers[0];
    const HDIB& image = layer.image.read();
    Point best{-1, -1};
    int most = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = Pixel24(image, x, y);
            const int redness = c.r - (c.g + c.b) / 2;
            if (redness > most) {
                most = redness;
                best = {layer.x + x, int(stack.height) - 1 - (layer.y + y)};
            }
        }
    return best;
}

TEST(SpinDirection, APositiveAngleTurnsAnticlockwiseAndANegativeOneClockwise)
{
    auto up = DotRightOfCentre();
    ASSERT_TRUE(SpinDocument(*up, 90));
    const Point raised = ReddestPixel(*up);
    EXPECT_NEAR(raised.x, up->width / 2, 1);
    EXPECT_LT(raised.y, up->height / 2 - 10) << "the dot right of the centre went up";

    auto down = DotRightOfCentre();
    ASSERT_TRUE(SpinDocument(*down, -90));
    const Point lowered = ReddestPixel(*down);
    EXPECT_NEAR(lowered.x, down->width / 2, 1);
    EXPECT_GT(lowered.y, down->height / 2 + 10) << "the dot right of the centre went down";
}

TEST(SpinDirection, ASmallPositiveAngleLiftsTheRightSide)
{
    auto stack = DotRightOfCentre();
    ASSERT_TRUE(SpinDocument(*stack, 30));
    const Point p = ReddestPixel(*stack);
    // 15 pixels right of the centre, turned 30 degrees up: about 13 right and 7.5 up.
    EXPECT_NEAR(p.x - stack->width / 2.0, 13, 1.5);
    EXPECT_NEAR(stack->height / 2.0 - p.y, 7.5, 1.5);
}

}  // namespace
}  // namespace lv::testing
