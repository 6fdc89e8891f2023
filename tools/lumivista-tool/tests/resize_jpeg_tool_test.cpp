// `resize` from JPEG files through the real command: a photo stored turned comes out upright
// and matches the whole decode scaled; a cut photo is still scaled and said to be cut, one
// cut in its header is refused with its name.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/metadata/orient_upright.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

TEST(ToolResizeJpeg, TurnedPhotoUprightCutPhotoToldHeaderlessPhotoRefused)
{
    testing::TempDir dir;
    ASSERT_EQ(testing::RunCommand("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_scaling_photos.py' "
                                  + ShellQuote(dir.path().string())).exitCode, 0);
    const auto resize = [&](const std::string& in, const std::string& out, const std::string& size) {
        return Tool("resize " + ShellQuote(dir.file(in)) + " " + ShellQuote(dir.file(out)) + " " + size);
    };

    const auto turned = resize("turned.jpg", "turned.png", "375 500");
    ASSERT_EQ(turned.exitCode, 0) << turned.err;
    const HDIB scaled = ReadPng(dir.file("turned.png")).take();
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled.width(), 375);
    EXPECT_EQ(scaled.height(), 500);
    const HDIB whole = DibResize(OrientUpright(ReadJpeg(dir.file("turned.jpg")).take(), 6), 375, 500);
    EXPECT_LE(testing::MeanDifference(scaled, whole), 2.5);

    const auto cut = resize("cut.jpg", "cut.png", "250 187");
    EXPECT_EQ(cut.exitCode, 0) << cut.err;
    EXPECT_NE(cut.err.find("cut.jpg"), std::string::npos) << cut.err;
    EXPECT_EQ(ReadPng(dir.file("cut.png")).image().width(), 250);

    std::filesystem::resize_file(dir.file("cut.jpg"), 200);
    const auto headless = resize("cut.jpg", "headless.png", "250 187");
    EXPECT_EQ(headless.exitCode, 3);
    EXPECT_NE(headless.err.find("cut.jpg"), std::string::npos) << headless.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("headless.png")));
}

}  // namespace
}  // namespace lv
