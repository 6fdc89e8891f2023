#include "app/core/view/display_colours.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/dib_geometry.h"
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
    return DibCreate(8, 4, std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16, false);
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
    // The document keeps its own numbers; it is shown redder than the untouched numbers would be.
    EXPECT_TRUE(shown != document.row(1) && document.row(1)[2] == 220 && shown[2] > 220 && shown[1] < 40);
    // An edit shows at the next paint without anyone announcing it.
    document.row(1)[0] = document.row(1)[1] = document.row(1)[2] = 128;
    shown = colours.row(document, 1);
    // Grey still goes through the profile's tone curve.
    EXPECT_TRUE(std::abs(shown[0] - shown[2]) <= 3 && shown[0] != 128) << int(shown[0]) << ", " << int(shown[2]);
    // Shown on a display with the picture's own profile, nothing is converted.
    colours.setProfiles(eci, eci, cache);
    EXPECT_EQ(std::tuple(colours.converting(), colours.row(document, 1)), std::tuple(false, document.row(1)));
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
    EXPECT_EQ(std::tuple(colours.converting(), colours.row(document, 0)), std::tuple(false, document.row(0)));
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
    // 255 × (254 / 255)^1000 = 5.01
    const GammaTable dark = BuildGammaTable(GammaFromSetting(0));
    EXPECT_EQ(std::tuple(dark[200], dark[254], dark[255], BuildGammaTable(GammaFromSetting(20000))[1]),
              std::tuple(0, 5, 255, 180));
    const GammaTables same = BuildGammaTables(1000, 1000, 1000);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(same.green[std::size_t(i)], i);
}

TEST(Dither, CubeIndexFollowsTheMatrixThroughTheGammaTables)
{
    const GammaTables linear = BuildGammaTables(1000, 1000, 1000);
    const DitherTable table(linear);
    // 128 = level 2 with fraction 33: one level up where the threshold (0 at (0, 0), 40 at (3, 0)) is below 33.
    EXPECT_EQ((std::vector{table.cubeIndex({128, 128, 0}, 0, 0), table.cubeIndex({128, 128, 128}, 3, 0),
                           table.cubeIndex({255, 255, 255}, 5, 7), table.cubeIndex({0, 0, 0}, 2, 2)}),
              (std::vector<std::uint8_t>{3 + 18, 2 + 12 + 72, 215, 0}));
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
    // Grey 128 is (25 + 13 × 128) / 51 = 33: above threshold 0, not above 40 or 48.
    EXPECT_EQ((std::vector{OneBitIndex(linear, {255, 0, 255}, 7, 7), OneBitIndex(linear, {128, 128, 128}, 0, 0),
                           OneBitIndex(linear, {128, 128, 128}, 3, 0), OneBitIndex(linear, {128, 128, 128}, 0, 1)}),
              (std::vector<std::uint8_t>{5, 7, 0, 0}));
    EXPECT_EQ((std::vector{ColourCubeEntry(0), ColourCubeEntry(215), ColourCubeEntry(1 + 6 * 2 + 36 * 3),
                           EightColourEntry(6)}),
              (std::vector<RgbTriple>{{0, 0, 0}, {255, 255, 255}, {51, 102, 153}, {0, 255, 255}}));
}

}  // namespace
}  // namespace lv
