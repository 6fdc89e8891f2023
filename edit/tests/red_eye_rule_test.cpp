// The red-eye brush lowers red only where it clearly dominates (above 80 and above 1.5 times
// both green and blue); every other pixel under the brush stays exactly as it was.

#include "edit/tests/paint_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lv::testing {
namespace {

// Every pixel of the 40 × 30 layer its own colour: reds against greens and blues from dull
// to bright, so skin, rims, orange light and pupils all lie under one stroke.
Rgb ColourAt(int x, int y)
{
    return {std::uint8_t(40 + 5 * x), std::uint8_t((y * 37 + x * 3) % 160), std::uint8_t((y * 11 + x * 7) % 140)};
}

// The rule as documented, written out again so the test does not trust the code's own.
bool ClearlyRed(Rgb c)
{
    return c.r > 80 && 2 * c.r > 3 * std::max(c.g, c.b);
}

void Paint(FakeWindow& w)
{
    HDIB& image = w.stack->layers[0].image.write();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel24(image, x, 29 - y, ColourAt(x, y));
    CompositeLayers(*w.stack);
}

TEST(RedEyeRule, OnlyClearlyRedPixelsChangeAndTheRestStayExactly)
{
    FakeWindow w;
    Paint(w);
    w.toolSettings.paint.brush.size = 20;
    w.drag(tool(1129), {{2, 15}, {12, 15}, {24, 15}, {37, 15}, {24, 14}, {12, 16}});
    int lowered = 0, kept = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const Rgb before = ColourAt(x, y);
            const Rgb after = LayerPixel(*w.stack, 0, {x, y});
            if (!ClearlyRed(before)) {
                EXPECT_EQ(after, before) << "at " << x << ',' << y;
                ++kept;
                continue;
            }
            EXPECT_EQ(after.g, before.g);
            EXPECT_EQ(after.b, before.b);
            EXPECT_LE(after.r, before.r);
            EXPECT_GE(after.r, (before.g + before.b) / 2) << "never below the mean of the others";
            lowered += after.r < before.r;
        }
    EXPECT_GT(lowered, 50);
    EXPECT_GT(kept, 200);
}

TEST(RedEyeRule, SkinAndTheEyesRimStayWhileThePupilLosesItsRed)
{
    FakeWindow w;
    const std::vector<std::pair<Rgb, bool>> cases = {
        {{210, 160, 130}, false},  // skin in warm light: red leads by a third
        {{150, 100, 100}, false},  // exactly 1.5 times: not clearly
        {{151, 100, 100}, true},
        {{80, 10, 10}, false},  // too dark to be a red eye
        {{81, 53, 53}, true},
        {{200, 40, 140}, false},  // magenta: blue too strong
        {{220, 40, 50}, true},    // the pupil
    };
    HDIB& image = w.stack->layers[0].image.write();
    for (std::size_t i = 0; i < cases.size(); ++i)
        SetPixel24(image, 10 + int(i), 29 - 15, cases[i].first);
    w.toolSettings.paint.brush.size = 30;
    w.drag(tool(1129), {{13, 15}});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Rgb before = cases[i].first;
        const Rgb after = LayerPixel(*w.stack, 0, {10 + int(i), 15});
        if (cases[i].second)
            EXPECT_EQ(after, (Rgb{std::uint8_t((before.g + before.b) / 2), before.g, before.b})) << int(before.r);
        else
            EXPECT_EQ(after, before) << int(before.r) << ',' << int(before.g) << ',' << int(before.b);
    }
}

TEST(RedEyeRule, GreyLayersAreLeftAlone)
{
    auto grey = EmptyDocument(40, 30, 8);
    FakeWindow w(std::move(grey));
    AppendLayer(*w.stack, MakeGreyPicture(40, 30), {}, 0, 0, 100, true);
    const std::vector<std::uint8_t> before = LayerBytes(*w.stack, 0);
    w.drag(tool(1129), {{5, 5}, {30, 20}});
    EXPECT_EQ(LayerBytes(*w.stack, 0), before);
}

}  // namespace
}  // namespace lv::testing
