// JPEG files from independent encoders read to exactly what the library's own decoder
// program makes of them (see fixtures/jpeg/make_fixtures.py).

#include "common/testing/ui_recorder.h"
#include "imagelib/dib_convert.h"
#include "imagelib/jpeg.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

const std::string kFixtures = "tests/fixtures/jpeg/";

TEST(JpegInterop, FilesFromOtherEncodersReadToTheReferenceDecoding)
{
    testing::UiRecorder ui;
    const auto names = testing::FixtureNames(kFixtures);
    ASSERT_EQ(names.size(), 15u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ReadResult r = ReadJpeg(kFixtures + name + ".jpg");
        ASSERT_TRUE(r.ok());
        HDIB picture = r.take();
        const bool grey = name.find("grey") != std::string::npos;
        ASSERT_EQ(DibGetType(picture), grey ? IMG_GREY8 : IMG_RGB24);
        if (grey)
            picture = DibPromoteTo24(picture);
        const auto reference = testing::ReadPpm(kFixtures + name + ".ppm");
        ASSERT_TRUE(reference);
        EXPECT_TRUE(testing::MatchesRaster(picture, *reference));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(JpegInterop, DensityUnitsBecomePixelsPerMetre)
{
    const HDIB dpi = ReadJpeg(kFixtures + "pil_300dpi.jpg").take();
    EXPECT_EQ(dpi.header().biXPelsPerMeter, 11811);
    EXPECT_EQ(dpi.header().biYPelsPerMeter, 11811);
    const HDIB dpcm = ReadJpeg(kFixtures + "dots_per_cm.jpg").take();
    EXPECT_EQ(dpcm.header().biXPelsPerMeter, 11800);
    // cjpeg states no unit: resolution unknown.
    EXPECT_EQ(ReadJpeg(kFixtures + "cj_restart.jpg").image().header().biXPelsPerMeter, 0);
}

TEST(JpegInterop, FourComponentFilesAreRefused)
{
    testing::UiRecorder ui;
    EXPECT_EQ(ReadJpeg(kFixtures + "cmyk.jpg").code(), ReadCode::Failure);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv
