// Paintbrush and Targa files written by independent tools read to the pixels those tools decode.

#include "imagelib/dib_convert.h"
#include "imagelib/pcx.h"
#include "imagelib/targa.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

::testing::AssertionResult MatchesReference(ReadResult result, const std::string& referencePath)
{
    if (!result.ok())
        return ::testing::AssertionFailure() << "reader result " << result.value();
    HDIB picture = result.take();
    if (picture.bitCount() != 24)
        picture = DibPromoteTo24(picture);
    const auto reference = testing::ReadPpm(referencePath);
    if (!reference)
        return ::testing::AssertionFailure() << "no reference " << referencePath;
    return testing::MatchesRaster(picture, *reference);
}

TEST(PcxInterop, FilesFromOtherToolsReadToTheSamePixelsWithBothReaders)
{
    const std::string folder = "tests/fixtures/pcx/";
    const auto names = testing::FixtureNames(folder);
    ASSERT_EQ(names.size(), 14u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string path = folder + name + ".pcx";
        // The library reader takes every layout but one plane of two bits.
        if (name != "nb_packed2") {
            EXPECT_TRUE(MatchesReference(ReadPcx(path), folder + name + ".ppm"));
        }
        EXPECT_TRUE(MatchesReference(ReadPcxWhole(path), folder + name + ".ppm"));
    }
}

TEST(PcxInterop, DepthsFollowThePlaneLayout)
{
    const auto bits = [](const std::string& name) {
        return ReadPcx("tests/fixtures/pcx/" + name + ".pcx").image().bitCount();
    };
    EXPECT_EQ(bits("nb_1"), 1);
    EXPECT_EQ(bits("nb_planes2"), 4);
    EXPECT_EQ(bits("nb_4"), 4);
    EXPECT_EQ(bits("nb_packed4"), 4);
    EXPECT_EQ(bits("pil_8"), 8);
    EXPECT_EQ(bits("pil_24"), 24);
    EXPECT_EQ(ReadPcx("tests/fixtures/pcx/nb_packed2.pcx").code(), ReadCode::Failure);
}

TEST(TargaInterop, FilesFromOtherToolsReadToTheSamePixels)
{
    const std::string folder = "tests/fixtures/tga/";
    const auto names = testing::FixtureNames(folder);
    ASSERT_EQ(names.size(), 25u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(MatchesReference(ReadTarga(folder + name + ".tga"), folder + name + ".ppm"));
    }
}

}  // namespace
}  // namespace lv
