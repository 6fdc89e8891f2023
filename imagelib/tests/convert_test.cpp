#include "common/testing/ui_recorder.h"
#include "imagelib/dib_convert.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace lv {
namespace {

using namespace testing;

HDIB FlatPicture(int width, int height, const std::vector<std::uint8_t>& greyLevels)
{
    HDIB dib = MakePicture(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = greyLevels[std::size_t(y * width + x)];
            SetPixel24(dib, x, y, {v, v, v});
        }
    return dib;
}

TEST(Promote, PalettePicturesLookUpEachIndexAndMapMissingEntriesToBlack)
{
    HDIB dib = MakePicture(3, 2, 8, 16);
    dib.row(0)[0] = 3;
    dib.row(0)[1] = 15;
    dib.row(0)[2] = 16;
    dib.row(1)[0] = 255;
    dib.header().biXPelsPerMeter = 2835;
    const HDIB wide = DibPromoteTo24(dib);
    ASSERT_TRUE(wide);
    EXPECT_EQ(std::tuple(wide.bitCount(), wide.clrUsed(), wide.header().biSizeImage, wide.header().biXPelsPerMeter),
              std::tuple(24, 0u, 12u * 2, 2835));
    EXPECT_EQ(PixelsAt(wide, {{0, 0}, {1, 0}, {2, 0}, {0, 1}}),
              (std::vector<Rgb>{{21, 252, 9}, {105, 240, 45}, {0, 0, 0}, {0, 0, 0}}));
}

TEST(Promote, SubBytePixelsAreTakenMostSignificantFirstAndPaddingSkipped)
{
    HDIB mono = MakePicture(33, 2, 1, 2);
    mono.colors()[0] = {0, 0, 0, 0};
    mono.colors()[1] = {255, 255, 255, 0};
    mono.row(1)[0] = 0x80;  // leftmost pixel of the second row
    mono.row(1)[4] = 0x80;  // pixel 32, the only one in the fifth byte
    mono.row(0)[4] = 0x7F;  // padding bits beyond pixel 32 must not leak
    const HDIB wide = DibPromoteTo24(mono);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide.stride(), 100u);
    EXPECT_EQ(PixelsAt(wide, {{0, 1}, {1, 1}, {32, 1}, {32, 0}}),
              (std::vector<Rgb>{{255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {0, 0, 0}}));

    HDIB four = MakePicture(3, 1, 4, 16);
    four.row(0)[0] = 0x1F;
    four.row(0)[1] = 0x20;
    EXPECT_EQ(PixelsAt(DibPromoteTo24(four), {{0, 0}, {1, 0}, {2, 0}}),
              (std::vector<Rgb>{{7, 254, 3}, {105, 240, 45}, {14, 253, 6}}));
}

TEST(Promote, FiveFiveFiveWordsKeepTheirLowBitsZero)
{
    HDIB dib = MakePicture(2, 1, 16);
    // red 31, green 1, blue 2 ; then all ones with the unused top bit set
    const std::uint16_t w0 = std::uint16_t(31 << 10 | 1 << 5 | 2), w1 = 0xFFFF;
    dib.row(0)[0] = std::uint8_t(w0), dib.row(0)[1] = std::uint8_t(w0 >> 8);
    dib.row(0)[2] = std::uint8_t(w1), dib.row(0)[3] = std::uint8_t(w1 >> 8);
    EXPECT_EQ(PixelsAt(DibPromoteTo24(dib), {{0, 0}, {1, 0}}), (std::vector<Rgb>{{248, 8, 16}, {248, 248, 248}}));
}

TEST(Promote, RefusesOtherDepthsStopsOnEscapeAndReportsProgressEvery16Rows)
{
    testing::UiRecorder ui;
    EXPECT_FALSE(DibPromoteTo24(MakePicture(2, 2, 24)) || DibPromoteTo24(HDIB()));

    const HDIB tall = MakePicture(4, 40, 8, 256);
    ASSERT_TRUE(DibPromoteTo24(tall));
    ASSERT_EQ(ui.progress.size(), 3u);
    EXPECT_EQ(ui.progress[1], (std::pair<std::string, int>{"Processando", 40}));
    EXPECT_EQ(ui.escapePolls, 0);  // polled only while cancellation is enabled

    testing::CancellationOn on;
    ui.escapeAfterPolls = 5;
    EXPECT_FALSE(DibPromoteTo24(tall));
    EXPECT_EQ(ui.escapePolls, 6);
}

TEST(WebPalette, MidGreyTakesLevelThreeAndCarriesMinus25)
{
    const HDIB out = DibReduceToWebPalette(FlatPicture(4, 1, {128, 128, 128, 128}));
    ASSERT_TRUE(out);
    EXPECT_EQ(std::tuple(out.bitCount(), out.clrUsed(), out.pixelOffset(), out.size()),
              std::tuple(8, 256u, std::size_t(1064), std::size_t(1064 + 4 + 10)));
    // 128 -> 153 (error -25); 103 -> 102 (error 1); 129 -> 153; 104 -> 102.
    EXPECT_EQ(std::vector<int>(out.row(0), out.row(0) + 4), (std::vector<int>{129, 86, 129, 86}));
    const RgbQuad c = out.colors()[129];
    EXPECT_EQ(std::vector<int>({c.rgbRed, c.rgbGreen, c.rgbBlue}), (std::vector<int>{153, 153, 153}));
}

TEST(WebPalette, SharesRoundHalvesAwayFromZeroAndExaminedValuesAreNotClamped)
{
    // Bottom row 52, 98 leaves errors 1 and -3; the next row's first pixel gets
    // (5 * 1 + 3 * -3) / 8 = -0.5, which rounds to -1: 26 becomes 25, level 0.
    const HDIB halves = DibReduceToWebPalette(FlatPicture(2, 2, {52, 98, 26, 100}));
    EXPECT_EQ(std::vector<int>(halves.row(0), halves.row(0) + 2), (std::vector<int>{43, 86}));
    EXPECT_EQ(std::vector<int>(halves.row(1), halves.row(1) + 2), (std::vector<int>{0, 86}));

    // 229 leaves +25; 255 + 25 = 280 keeps its unclamped error +25, which lifts the next 229 to level 5.
    const HDIB high = DibReduceToWebPalette(FlatPicture(3, 1, {229, 255, 229}));
    EXPECT_EQ(std::vector<int>(high.row(0), high.row(0) + 3), (std::vector<int>{172, 215, 215}));

    EXPECT_FALSE(DibReduceToWebPalette(MakePicture(2, 2, 8, 256)));
}

TEST(MedianCut, FewColoursGetOneEntryEachInOrderOfPixelCount)
{
    // Three colours covering 1, 2 and 3 of 6 pixels.
    HDIB dib = MakePicture(3, 2, 24);
    const Rgb a{200, 100, 50}, b{10, 240, 90}, c{90, 90, 250};
    SetPixel24(dib, 0, 0, a);
    SetPixel24(dib, 1, 0, b), SetPixel24(dib, 2, 0, b);
    SetPixel24(dib, 0, 1, c), SetPixel24(dib, 1, 1, c), SetPixel24(dib, 2, 1, c);
    const HDIB out = DibMedianCut(dib, 22);
    ASSERT_TRUE(out);
    EXPECT_EQ(std::tuple(out.bitCount(), out.clrUsed()), std::tuple(8, 256u));
    // Entries are the 5-bit colours widened by bit replication: 200 -> 25 -> 206.
    std::vector<Rgb> expected{
        {90 / 8 * 8 + 90 / 32, 90 / 8 * 8 + 90 / 32, 250 / 8 * 8 + 250 / 32}, {8, 247, 90}, {206, 99, 49}};
    expected.resize(256, Rgb{0, 0, 0});
    EXPECT_EQ(ColoursOf(out), expected);
    EXPECT_EQ(std::vector<int>(out.row(0), out.row(0) + 3), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(std::vector<int>(out.row(1), out.row(1) + 3), (std::vector<int>{0, 0, 0}));
}

TEST(MedianCut, ManyColoursFillTheTableAndStayCloseToTheSource)
{
    const HDIB photo = MakePhotoLike(160, 120);
    const HDIB out = DibMedianCut(photo, 22);
    ASSERT_TRUE(out);
    std::set<int> used;
    long long error = 0;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const int i = out.row(y)[x];
            used.insert(i);
            const Rgb s = Pixel24(photo, x, y);
            const RgbQuad q = out.colors()[i];
            error += std::abs(s.r - q.rgbRed) + std::abs(s.g - q.rgbGreen) + std::abs(s.b - q.rgbBlue);
        }
    EXPECT_GT(used.size(), 200u);
    EXPECT_LT(double(error) / (3.0 * photo.width() * photo.height()), 8.0);
}

TEST(MedianCut, RefusesPalettePicturesAndStopsOnEscape)
{
    testing::UiRecorder ui;
    EXPECT_FALSE(DibMedianCut(MakePicture(4, 4, 8, 256), 22));
    testing::CancellationOn on;
    ui.escapeAfterPolls = 50;
    EXPECT_FALSE(DibMedianCut(MakePhotoLike(8, 40), 22));
    EXPECT_EQ(ui.escapePolls, 51);  // 40 rows of counting, then the mapping pass
}

}  // namespace
}  // namespace lv
