// Screen shots' rules: what each command captures, rectangles clipped to the screen, the
// captured resolution, the depth a display gives and the picture made from its pixels.

#include "acquire/screen/screen_capture.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace lv::screen {
namespace {

TEST(ScreenCapture, CommandsAndPicks)
{
    EXPECT_EQ(CaptureKindFor(103), CaptureKind::Desktop);
    EXPECT_EQ(CaptureKindFor(102), CaptureKind::ClientArea);
    EXPECT_EQ(CaptureKindFor(101), CaptureKind::WindowWithFrame);
    EXPECT_EQ(CaptureKindFor(0), CaptureKind::WindowWithFrame);
    EXPECT_EQ(MessageForPick(PickedTarget::Desktop), 111);
    EXPECT_EQ(MessageForPick(PickedTarget::Nothing), 112);
    EXPECT_EQ(MessageForPick(PickedTarget::Window), 0);
}

TEST(ScreenCapture, RectanglesAreClippedToTheScreen)
{
    // Partly off every edge.
    EXPECT_EQ(ClipToScreen({-50, -20, 150, 100}, 800, 600), (ScreenRect{0, 0, 150, 100}));
    EXPECT_EQ(ClipToScreen({700, 550, 900, 700}, 800, 600), (ScreenRect{700, 550, 800, 600}));
    EXPECT_EQ(ClipToScreen({0, 0, 800, 600}, 800, 600), (ScreenRect{0, 0, 800, 600}));
    // Empty, or wholly off: nothing.
    EXPECT_FALSE(ClipToScreen({10, 10, 10, 50}, 800, 600));
    EXPECT_FALSE(ClipToScreen({10, 50, 20, 40}, 800, 600));
    EXPECT_FALSE(ClipToScreen({-100, 0, 0, 50}, 800, 600));
    EXPECT_FALSE(ClipToScreen({800, 0, 900, 50}, 800, 600));
    EXPECT_EQ(ClipToScreen({799, 599, 1000, 1000}, 800, 600), (ScreenRect{799, 599, 800, 600}));
}

TEST(ScreenCapture, ResolutionAndDepthOfTheDisplay)
{
    EXPECT_EQ(CapturedPixelsPerMetre(96), 3780);
    EXPECT_EQ(CapturedPixelsPerMetre(120), 4724);  // 1200127 / 254
    EXPECT_EQ(CapturedPixelsPerMetre(72), 2835);
    EXPECT_EQ(CapturedPixelsPerMetre(0), 0);
    EXPECT_EQ(PictureDepthForDisplay(1, 1), 1u);
    EXPECT_EQ(PictureDepthForDisplay(4, 1), 4u) << "four planes of one bit";
    EXPECT_EQ(PictureDepthForDisplay(1, 2), 4u);
    EXPECT_EQ(PictureDepthForDisplay(1, 8), 8u);
    EXPECT_EQ(PictureDepthForDisplay(1, 15), 24u);
    EXPECT_EQ(PictureDepthForDisplay(1, 16), 24u);
    EXPECT_EQ(PictureDepthForDisplay(1, 32), 24u);
}

std::vector<std::uint32_t> Screen(int width, int height, std::size_t stride, std::uint32_t (*colour)(int, int))
{
    std::vector<std::uint32_t> pixels(stride * std::size_t(height), 0xDEADBEEF);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * stride + std::size_t(x)] = 0xFF000000 | colour(x, y);
    return pixels;
}

TEST(ScreenCapture, TrueColourPicturesAreBottomUpBlueGreenRed)
{
    // 3 × 2 with a wider line in memory than the picture.
    const auto pixels = Screen(3, 2, 5, [](int x, int y) { return std::uint32_t(0x102030 + x * 0x010000 + y); });
    HDIB picture = PictureFromScreenPixels(pixels.data(), 5, 3, 2, 24, 96);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.bitCount(), 24);
    EXPECT_EQ(picture.header().biXPelsPerMeter, 3780);
    EXPECT_EQ(picture.header().biYPelsPerMeter, 3780);
    EXPECT_EQ(picture.clrUsed(), 0u);
    // Row 0 is the screen's lower line (y = 1); pixel 2 of it is 0x122031.
    EXPECT_EQ(picture.row(0)[6], 0x31);
    EXPECT_EQ(picture.row(0)[7], 0x20);
    EXPECT_EQ(picture.row(0)[8], 0x12);
    EXPECT_EQ(picture.row(1)[2], 0x10);
    EXPECT_EQ(picture.row(1)[0], 0x30);
    EXPECT_EQ(picture.row(1)[9], 0) << "padding";
}

TEST(ScreenCapture, ShallowDisplaysGivePicturesWithTheColoursShown)
{
    const auto two = Screen(9, 2, 9, [](int x, int) { return x % 3 ? 0xFFFFFFu : 0x000080u; });
    HDIB mono = PictureFromScreenPixels(two.data(), 9, 9, 2, 1, 96);
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono.bitCount(), 1);
    EXPECT_EQ(mono.clrUsed(), 2u);
    // The first colour met is entry 0.
    EXPECT_EQ(mono.colors()[0].rgbRed, 0);
    EXPECT_EQ(mono.colors()[0].rgbBlue, 0x80);
    EXPECT_EQ(mono.colors()[1].rgbGreen, 0xFF);
    EXPECT_EQ(mono.row(0)[0], 0b01101101);
    EXPECT_EQ(mono.row(0)[1], 0b10000000);

    const auto sixteen = Screen(16, 1, 16, [](int x, int) { return std::uint32_t(x * 0x0F0F0F); });
    HDIB nibbles = PictureFromScreenPixels(sixteen.data(), 16, 16, 1, 4, 72);
    ASSERT_TRUE(nibbles);
    EXPECT_EQ(nibbles.bitCount(), 4);
    EXPECT_EQ(nibbles.clrUsed(), 16u);
    EXPECT_EQ(nibbles.row(0)[7], 0xEF);
    EXPECT_EQ(nibbles.header().biXPelsPerMeter, 2835);

    // More colours than the table holds: the colours are kept in 24 bits.
    const auto many = Screen(17, 1, 17, [](int x, int) { return std::uint32_t(x); });
    HDIB wide = PictureFromScreenPixels(many.data(), 17, 17, 1, 4, 96);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide.bitCount(), 24);
    EXPECT_EQ(wide.row(0)[16 * 3], 16);

    const auto grey = Screen(2, 2, 2, [](int x, int y) { return std::uint32_t((x + 2 * y) * 0x404040); });
    HDIB eight = PictureFromScreenPixels(grey.data(), 2, 2, 2, 8, 96);
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight.bitCount(), 8);
    EXPECT_EQ(eight.clrUsed(), 256u);
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
