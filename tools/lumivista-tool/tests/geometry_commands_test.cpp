#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/png/png.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::Fixture;
using testing::ShellQuote;
using testing::Tool;

TEST(ToolGeometry, NewResizeCropAndThumbWriteWhatTheyAreAsked)
{
    testing::TempDir dir;
    const std::string made = dir.file("made.bmp");
    ASSERT_EQ(Tool("new 40 30 255 128 0 " + ShellQuote(made)).exitCode, 0);
    HDIB picture = ReadBmp(made).take();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.width(), 40);
    EXPECT_EQ(picture.row(0)[2], 255);  // red
    EXPECT_EQ(picture.row(0)[0], 0);    // blue
    ASSERT_EQ(Tool("new 4 4 99 0 0 --grey " + ShellQuote(dir.file("grey.bmp"))).exitCode, 0);
    EXPECT_EQ(DibGetType(ReadBmp(dir.file("grey.bmp")).image()), IMG_GREY8);

    ASSERT_EQ(Tool("resize " + ShellQuote(made) + " " + ShellQuote(dir.file("r.png")) + " 13 7").exitCode, 0);
    const HDIB resized = ReadPng(dir.file("r.png")).take();
    EXPECT_EQ(resized.width(), 13);
    EXPECT_EQ(resized.height(), 7);

    // A rectangle reaching beyond the picture is clamped to it: no "Crop Image outside".
    const auto crop = Tool("crop " + ShellQuote(made) + " " + ShellQuote(dir.file("c.bmp")) + " -5 10 20 90");
    ASSERT_EQ(crop.exitCode, 0) << crop.err;
    EXPECT_EQ(crop.err, "");
    const HDIB cropped = ReadBmp(dir.file("c.bmp")).take();
    EXPECT_EQ(cropped.width(), 20);
    EXPECT_EQ(cropped.height(), 20);

    ASSERT_EQ(Tool("thumb " + Fixture("jpeg/pil_420.jpg") + " " + ShellQuote(dir.file("t.jpg")) + " 30 30").exitCode, 0);
    const HDIB thumb = ReadJpeg(dir.file("t.jpg")).take();
    EXPECT_EQ(thumb.width(), 30);
    EXPECT_EQ(thumb.height(), 21);  // 61 x 43 fitted into 30 x 30
}

TEST(ToolGeometry, BadArgumentsAndEmptyRectanglesAreUsageErrors)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    const std::string out = ShellQuote(dir.file("o.bmp"));
    testing::ExpectExitCodes({{"resize " + in + " " + out + " 0 10", 2}, {"resize " + in + " " + out + " 10", 2},
                              {"thumb " + in + " " + out + " ten 10", 2}, {"crop " + in + " " + out + " 50 50 60 60", 2},
                              {"new 10 10 256 0 0 " + out, 2}, {"new 10 10 1 2 3 " + ShellQuote(dir.file("o.xyz")), 2},
                              {"resize " + ShellQuote(dir.file("absent.bmp")) + " " + out + " 5 5", 3}});
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));
}

TEST(ToolGeometry, PngOutputWidensPalettesAndKeepsGrey)
{
    testing::TempDir dir;
    const auto info = Tool("info " + Fixture("png/pal4_i.png"));
    EXPECT_NE(info.out.find("format: PNG\n"), std::string::npos) << info.out;

    ASSERT_EQ(Tool("convert " + Fixture("bmp/nb_4.bmp") + " " + ShellQuote(dir.file("p.png"))).exitCode, 0);
    EXPECT_EQ(ReadPng(dir.file("p.png")).image().width(), 37);
    ASSERT_EQ(Tool("convert " + Fixture("bmp/pil_grey8.bmp") + " " + ShellQuote(dir.file("g.png"))).exitCode, 0);
    const auto bytes = ReadWholeFile(dir.file("g.png"));
    ASSERT_TRUE(bytes && bytes->size() > 26);
    EXPECT_EQ((*bytes)[25], 0);  // colour type grey
}

}  // namespace
}  // namespace lv
