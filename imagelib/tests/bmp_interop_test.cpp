// Bitmaps written by independent tools read to the pixels those tools decode.

#include "imagelib/bmp.h"
#include "imagelib/dib_convert.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

const std::string kFixtures = "tests/fixtures/bmp/";

TEST(BmpInterop, FilesFromOtherToolsReadToTheSamePixels)
{
    const auto names = testing::FixtureNames(kFixtures);
    ASSERT_EQ(names.size(), 11u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ReadResult r = ReadBmp(kFixtures + name + ".bmp");
        ASSERT_TRUE(r.ok());
        HDIB picture = r.take();
        if (picture.bitCount() != 24)
            picture = DibPromoteTo24(picture);
        const auto reference = testing::ReadPpm(kFixtures + name + ".ppm");
        ASSERT_TRUE(reference);
        EXPECT_TRUE(testing::MatchesRaster(picture, *reference));
    }
}

TEST(BmpInterop, DepthsAndHeadersAreKeptAsStored)
{
    const auto bits = [](const std::string& name) { return ReadBmp(kFixtures + name + ".bmp").image().bitCount(); };
    EXPECT_EQ(bits("pil_1"), 1);
    EXPECT_EQ(bits("nb_4"), 4);
    EXPECT_EQ(bits("py_rle4"), 4);
    EXPECT_EQ(bits("im_rle8"), 8);
    EXPECT_EQ(bits("nb_os2_8"), 8);
    EXPECT_EQ(bits("pil_24"), 24);
}

}  // namespace
}  // namespace lv
