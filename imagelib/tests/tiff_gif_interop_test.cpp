// TIFF and GIF files written by independent tools read to the pixels those tools decode.

#include "imagelib/dib_convert.h"
#include "imagelib/gif.h"
#include "imagelib/tiff.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

::testing::AssertionResult ShowsReference(HDIB picture, const std::string& ppm)
{
    if (!picture)
        return ::testing::AssertionFailure() << "not read";
    if (picture.bitCount() != 24)
        picture = DibPromoteTo24(picture);
    const auto reference = testing::ReadPpm(ppm);
    if (!reference)
        return ::testing::AssertionFailure() << "no reference";
    return testing::MatchesRaster(picture, *reference);
}

const std::string kTiff = "tests/fixtures/tiff/";
const std::string kGif = "tests/fixtures/gif/";

TEST(TiffInterop, FilesFromOtherToolsReadToTheSamePixels)
{
    const auto names = testing::FixtureNames(kTiff);
    ASSERT_EQ(names.size(), 25u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ShowsReference(ReadTiff(kTiff + name + ".tif").take(), kTiff + name + ".ppm"));
    }
}

TEST(TiffInterop, DepthsAndResolutionAreKept)
{
    const auto read = [](const std::string& name) { return ReadTiff(kTiff + name + ".tif").take(); };
    EXPECT_EQ(read("pil_mono").bitCount(), 1);
    EXPECT_EQ(read("nb_lzw_white_mono").bitCount(), 1);
    EXPECT_EQ(read("cp_be_pal4").bitCount(), 4);
    EXPECT_EQ(read("cp_be_lzw2_pal8").bitCount(), 8);
    EXPECT_EQ(DibGetType(read("cp_lzw2_grey8")), IMG_GREY8);
    EXPECT_EQ(read("pil_rgb").header().biXPelsPerMeter, 11811);  // 300 dots per inch
    // The predictor changes nothing in the picture, whatever the byte order.
    EXPECT_TRUE(testing::SamePixels(read("pil_rgb"), read("cp_be_lzw2_rgb")));
    EXPECT_TRUE(testing::SamePixels(read("cp_lzw_noise"), read("cp_be_lzw2_noise")));
}

TEST(GifInterop, FilesFromOtherToolsReadToTheSamePixelsThroughBothReaders)
{
    const auto names = testing::FixtureNames(kGif);
    ASSERT_EQ(names.size(), 11u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ShowsReference(ReadGif(kGif + name + ".gif").take(), kGif + name + ".ppm"));
        EXPECT_TRUE(ShowsReference(ReadGifStream(kGif + name + ".gif"), kGif + name + ".ppm"));
    }
}

TEST(GifInterop, TableSizesGiveTheDepth)
{
    const auto read = [](const std::string& name) { return ReadGif(kGif + name + ".gif").take(); };
    EXPECT_EQ(read("im_mono").bitCount(), 1);
    EXPECT_EQ(read("im_4").bitCount(), 4);
    EXPECT_EQ(read("im_4").clrUsed(), 4u);
    EXPECT_EQ(read("im_16_local").clrUsed(), 16u);
    EXPECT_EQ(read("gm_64").bitCount(), 8);
    EXPECT_EQ(read("gm_64").clrUsed(), 64u);
}

}  // namespace
}  // namespace lv
