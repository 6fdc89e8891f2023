#include "app/core/view/display_colours.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/dib_alloc.h"
#include "app/core/view/dither.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lv {
namespace {

std::vector<std::uint8_t> WideGamutProfile()
{
    std::ifstream in("/usr/share/color/icc/colord/ECI-RGBv2.icc", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

HDIB Filled(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    HDIB picture = AllocatePicture(8, 4, 24, 0, nullptr);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            std::uint8_t* p = picture.row(y) + 3 * x;
            p[0] = blue, p[1] = green, p[2] = red;
        }
    return picture;
}

TEST(DisplayColours, TaggedRowsConvertKeepTheDocumentAndFollowEdits)
{
    const std::vector<std::uint8_t> eci = WideGamutProfile();
    ASSERT_FALSE(eci.empty());
    ColourTransformCache cache;
    DisplayColours colours;
    HDIB document = Filled(30, 40, 220);  // a saturated wide-gamut red
    colours.setProfiles(eci, {}, cache);
    ASSERT_TRUE(colours.converting());
    const std::uint8_t* shown = colours.row(document, 1);
    EXPECT_NE(shown, document.row(1));
    EXPECT_EQ(document.row(1)[2], 220);  // the document keeps its own numbers
    EXPECT_GT(shown[2], 220);            // shown redder than the untouched numbers would be
    EXPECT_LT(shown[1], 40);
    // An edit shows at the next paint without anyone announcing it.
    document.row(1)[0] = document.row(1)[1] = document.row(1)[2] = 128;
    shown = colours.row(document, 1);
    EXPECT_NEAR(shown[0], shown[2], 3);
    EXPECT_NE(shown[0], 128);  // grey still goes through the profile's tone curve
    // Shown on a display with the picture's own profile, nothing is converted.
    colours.setProfiles(eci, eci, cache);
    EXPECT_FALSE(colours.converting());
    EXPECT_EQ(colours.row(document, 1), document.row(1));
}

TEST(DisplayColours, UntaggedPicturesAreSrgbAndUnusableOnesDrawnAsStored)
{
    ColourTransformCache cache;
    DisplayColours colours;
    HDIB document = Filled(30, 40, 220);
    colours.setProfiles({}, {}, cache);
    EXPECT_FALSE(colours.converting());
    // On a wide-gamut display an sRGB red needs smaller numbers.
    const std::vector<std::uint8_t> wideDisplay = WideGamutProfile();
    colours.setProfiles({}, wideDisplay, cache);
    ASSERT_TRUE(colours.converting());
    EXPECT_LT(colours.row(document, 0)[2], 220);
    const std::vector<std::uint8_t> unusable(300, 7);
    colours.setProfiles(unusable, {}, cache);
    EXPECT_FALSE(colours.converting());
    EXPECT_EQ(colours.row(document, 0), document.row(0));
}

TEST(Gamma, TheDefault1400BrightensTheMidTones)
{
    const GammaTable t = BuildGammaTable(GammaFromSetting(1400));
    // Computed independently: int(255 * (i / 255) ** (1 / 1.4) + 0.5).
    const std::pair<int, int> expected[] = {{0, 0}, {1, 5}, {2, 8}, {10, 25}, {64, 95},
                                            {128, 156}, {200, 214}, {254, 254}, {255, 255}};
    for (const auto& [i, v] : expected)
        EXPECT_EQ(t[std::size_t(i)], v) << i;
    int sum = 0;
    for (const auto v : t)
        sum += v;
    EXPECT_EQ(sum, 38048);
}

TEST(Gamma, StoredValuesAreClampedTo0001And16)
{
    EXPECT_DOUBLE_EQ(GammaFromSetting(-500), 0.001);
    EXPECT_DOUBLE_EQ(GammaFromSetting(99999), 16.0);
    const GammaTable dark = BuildGammaTable(GammaFromSetting(0));
    EXPECT_EQ(dark[200], 0);
    EXPECT_EQ(dark[254], 5);  // 255 × (254 / 255)^1000 = 5.01
    EXPECT_EQ(dark[255], 255);
    EXPECT_EQ(BuildGammaTable(GammaFromSetting(20000))[1], 180);
    const GammaTables same = BuildGammaTables(1000, 1000, 1000);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(same.green[std::size_t(i)], i);
}

TEST(Dither, CubeIndexFollowsTheMatrixThroughTheGammaTables)
{
    const GammaTables linear = BuildGammaTables(1000, 1000, 1000);
    const DitherTable table(linear);
    // 128 = level 2 with fraction 33: one level up where the threshold is below 33.
    EXPECT_EQ(table.cubeIndex({128, 128, 0}, 0, 0), 3 + 18);      // threshold 0
    EXPECT_EQ(table.cubeIndex({128, 128, 128}, 3, 0), 2 + 12 + 72);  // threshold 40
    EXPECT_EQ(table.cubeIndex({255, 255, 255}, 5, 7), 215);
    EXPECT_EQ(table.cubeIndex({0, 0, 0}, 2, 2), 0);
    EXPECT_EQ(table.cubeIndex({128, 0, 0}, 8, 16), table.cubeIndex({128, 0, 0}, 0, 0)) << "8-pixel period";
    int up = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            up += table.cubeIndex({128, 0, 0}, x, y) == 3;
    EXPECT_EQ(up, 33);

    const DitherTable bright(BuildGammaTables(1400, 1000, 1000));
    EXPECT_EQ(bright.cubeIndex({128, 0, 0}, 3, 0), 3) << "gamma 1.4 turns 128 into 156";
}

TEST(Dither, OneBitPerChannelAndThePalettes)
{
    const GammaTables linear = BuildGammaTables(1000, 1000, 1000);
    EXPECT_EQ(OneBitIndex(linear, {255, 0, 255}, 7, 7), 5);
    EXPECT_EQ(OneBitIndex(linear, {128, 128, 128}, 0, 0), 7);    // (25 + 13 × 128) / 51 = 33 > 0
    EXPECT_EQ(OneBitIndex(linear, {128, 128, 128}, 3, 0), 0);    // 33 is not above 40
    EXPECT_EQ(OneBitIndex(linear, {128, 128, 128}, 0, 1), 0);    // 48
    EXPECT_EQ(ColourCubeEntry(0), (RgbTriple{0, 0, 0}));
    EXPECT_EQ(ColourCubeEntry(215), (RgbTriple{255, 255, 255}));
    EXPECT_EQ(ColourCubeEntry(1 + 6 * 2 + 36 * 3), (RgbTriple{51, 102, 153}));
    EXPECT_EQ(EightColourEntry(6), (RgbTriple{0, 255, 255}));
}

}  // namespace
}  // namespace lv
