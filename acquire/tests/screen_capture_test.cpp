// Screen shots' rules: what each command captures, rectangles clipped to the screen, the
// captured resolution, the depth a display gives and the picture made from its pixels.

#include "acquire/screen/screen_capture.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace lv::screen {
namespace {

TEST(ScreenCapture, RectanglesAreClippedToTheScreen)
{
    // Partly off every edge; empty, or wholly off: nothing.
    const std::pair<Rect, std::optional<Rect>> cases[] = {
        {{-50, -20, 150, 100}, Rect{0, 0, 150, 100}},   {{700, 550, 900, 700}, Rect{700, 550, 800, 600}},
        {{0, 0, 800, 600}, Rect{0, 0, 800, 600}},       {{799, 599, 1000, 1000}, Rect{799, 599, 800, 600}},
        {{10, 10, 10, 50}, std::nullopt}, {{10, 50, 20, 40}, std::nullopt}, {{-100, 0, 0, 50}, std::nullopt},
        {{800, 0, 900, 50}, std::nullopt}};
    for (const auto& [rect, clipped] : cases)
        EXPECT_EQ(ClipToScreen(rect, 800, 600), clipped) << rect.left << "," << rect.top;
}

TEST(ScreenCapture, ResolutionAndDepthOfTheDisplay)
{
    // 120 dpi: 1200127 / 254.
    for (const auto& [dpi, perMetre] : {std::pair{96, 3780}, {120, 4724}, {72, 2835}, {0, 0}})
        EXPECT_EQ(CapturedPixelsPerMetre(dpi), perMetre) << dpi;
    // Four planes of one bit make four bits.
    for (const auto& [planes, bits, depth] :
         {std::tuple{1, 1, 1u}, {4, 1, 4u}, {1, 2, 4u}, {1, 8, 8u}, {1, 15, 24u}, {1, 16, 24u}, {1, 32, 24u}})
        EXPECT_EQ(PictureDepthForDisplay(planes, bits), depth) << planes << " x " << bits;
}

std::vector<std::uint32_t> Screen(int width, int height, std::size_t stride, std::uint32_t (*colour)(int, int))
{
    std::vector<std::uint32_t> pixels(stride * std::size_t(height), 0xDEADBEEF);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * stride + std::size_t(x)] = 0xFF000000 | colour(x, y);
    return pixels;
}

TEST(ScreenCapture, ShallowDisplaysGivePicturesWithTheColoursShown)
{
    const auto two = Screen(9, 2, 9, [](int x, int) { return x % 3 ? 0xFFFFFFu : 0x000080u; });
    HDIB mono = PictureFromScreenPixels(two.data(), 9, 9, 2, 1, 96);
    ASSERT_TRUE(mono);
    EXPECT_EQ(std::tuple(mono.bitCount(), mono.clrUsed()), std::tuple(1, 2u));
    // The first colour met is entry 0.
    EXPECT_EQ(std::tuple(mono.colors()[0].rgbRed, mono.colors()[0].rgbBlue, mono.colors()[1].rgbGreen),
              std::tuple(0, 0x80, 0xFF));
    EXPECT_EQ(std::tuple(mono.row(0)[0], mono.row(0)[1]), std::tuple(0b01101101, 0b10000000));

    const auto sixteen = Screen(16, 1, 16, [](int x, int) { return std::uint32_t(x * 0x0F0F0F); });
    HDIB nibbles = PictureFromScreenPixels(sixteen.data(), 16, 16, 1, 4, 72);
    ASSERT_TRUE(nibbles);
    EXPECT_EQ(std::tuple(nibbles.bitCount(), nibbles.clrUsed(), nibbles.row(0)[7], nibbles.header().biXPelsPerMeter),
              std::tuple(4, 16u, 0xEF, 2835));

    // More colours than the table holds: the colours are kept in 24 bits.
    const auto many = Screen(17, 1, 17, [](int x, int) { return std::uint32_t(x); });
    HDIB wide = PictureFromScreenPixels(many.data(), 17, 17, 1, 4, 96);
    ASSERT_TRUE(wide);
    EXPECT_EQ(std::tuple(wide.bitCount(), wide.row(0)[16 * 3]), std::tuple(24, 16));

    const auto grey = Screen(2, 2, 2, [](int x, int y) { return std::uint32_t((x + 2 * y) * 0x404040); });
    HDIB eight = PictureFromScreenPixels(grey.data(), 2, 2, 2, 8, 96);
    ASSERT_TRUE(eight);
    EXPECT_EQ(std::tuple(eight.bitCount(), eight.clrUsed()), std::tuple(8, 256u));
    EXPECT_EQ(eight.row(0)[0], 2) << "the lower line's first colour was the third met";
    EXPECT_EQ(eight.colors()[3].rgbRed, 0xC0);
}

TEST(ScreenCapture, RefusedSizesGiveNothing)
{
    testing::UiRecorder ui;
    const std::uint32_t pixel = 0;
    EXPECT_FALSE(PictureFromScreenPixels(&pixel, 1, 0, 1, 24, 96));
    EXPECT_FALSE(PictureFromScreenPixels(&pixel, 1, 1, -1, 8, 96));
}

}  // namespace
}  // namespace lv::screen
