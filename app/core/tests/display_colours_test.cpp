#include "app/core/view/display_colours.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/dib_alloc.h"

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

}  // namespace
}  // namespace lv
