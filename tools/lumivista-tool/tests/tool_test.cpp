#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/tests/pictures.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::EntriesIn;
using testing::Fixture;
using testing::ShellQuote;
using testing::Tool;

TEST(Tool, InfoPrintsTheHeaderAsTextAndJson)
{
    const auto info = Tool("info " + Fixture("bmp/nb_4.bmp"));
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("format: BMP\nwidth: 37\nheight: 23\nbitCount: 4\nclrUsed: 16\ntype: IMG_PAL4\n"),
              std::string::npos)
        << info.out;

    const auto json = Tool("info --json " + Fixture("bmp/pil_grey8.bmp"));
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out.rfind("{\"format\":\"BMP\",\"width\":37,\"height\":23,\"bitCount\":8,\"clrUsed\":256,"
                             "\"type\":\"IMG_GREY8\",",
                             0),
              0u)
        << json.out;
    EXPECT_NE(json.out.find("\"palette\":[[0,0,0],[1,1,1],"), std::string::npos);
}

TEST(Tool, ConvertKeepsTheDepthAndConvertersChangeIt)
{
    testing::TempDir dir;
    const std::string out = dir.file("out.bmp");
    ASSERT_EQ(Tool("convert " + Fixture("bmp/py_rle4.bmp") + " " + ShellQuote(out)).exitCode, 0);
    EXPECT_EQ(ReadBmp(out).image().bitCount(), 4);

    ASSERT_EQ(Tool("promote " + ShellQuote(out) + " " + ShellQuote(dir.file("p.bmp"))).exitCode, 0);
    EXPECT_EQ(ReadBmp(dir.file("p.bmp")).image().bitCount(), 24);
    ASSERT_EQ(Tool("webpalette " + Fixture("bmp/pil_24.bmp") + " " + ShellQuote(dir.file("w.bmp"))).exitCode, 0);
    EXPECT_EQ(ReadBmp(dir.file("w.bmp")).image().colors()[215].rgbRed, 255);
    ASSERT_EQ(Tool("mediancut " + Fixture("bmp/pil_24.bmp") + " " + ShellQuote(dir.file("m.bmp"))).exitCode, 0);
    EXPECT_EQ(ReadBmp(dir.file("m.bmp")).image().bitCount(), 8);
}

TEST(Tool, SaveOptionsReachTheWriters)
{
    testing::TempDir dir;
    const auto convert = [&](const std::string& in, const std::string& out, const std::string& flags = "") {
        const auto r = Tool("convert " + flags + " " + in + " " + ShellQuote(dir.file(out)));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return ReadWholeFile(dir.file(out)).value_or(std::vector<std::uint8_t>{});
    };
    // TIFF and Targa compress when asked; the TIFF compression entry is the fourth.
    EXPECT_EQ(LoadLE16(&convert(Fixture("tiff/cp_be_lzw2_rgb.tif"), "plain.tif")[10 + 3 * 12 + 8]), 1);
    EXPECT_EQ(LoadLE16(&convert(Fixture("tiff/cp_be_lzw2_rgb.tif"), "lzw.tif", "--compress")[10 + 3 * 12 + 8]), 5);
    EXPECT_TRUE(testing::SamePixels(ReadTiff(testing::kFixtures + "tiff/cp_be_lzw2_rgb.tif").image(),
                                    ReadTiff(dir.file("lzw.tif")).image()));
    EXPECT_EQ(convert(Fixture("bmp/nb_4.bmp"), "picture.tga").at(2), 1);

    // GIF: a graphic control for the transparent colour, and interlaced rows.
    const auto plain = convert(Fixture("gif/im_16.gif"), "plain.gif");
    const auto both = convert(Fixture("gif/im_16.gif"), "both.gif", "--interlace --transparent");
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "GIF87a");
    EXPECT_EQ(plain[13 + 48 + 9], 0);
    EXPECT_EQ(std::string(both.begin(), both.begin() + 6), "GIF89a");
    EXPECT_EQ(both[13 + 48 + 8 + 9], 0x40);
    EXPECT_TRUE(testing::SamePixels(ReadGifStream(testing::kFixtures + "gif/im_16.gif"), ReadGifStream(dir.file("both.gif"))));

    // Paintbrush input comes through the general loader's reader as 24 bits.
    convert(ShellQuote(dir.file("picture.tga")), "out.pcx");
    EXPECT_EQ(ReadPcx(dir.file("out.pcx")).image().bitCount(), 4);  // Targa input keeps its depth
    const auto info = Tool("info " + ShellQuote(dir.file("out.pcx")));
    EXPECT_NE(info.out.find("format: PCX\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("bitCount: 24\n"), std::string::npos) << info.out;
}

TEST(Tool, SaveAsAppendsTheExtensionReplacesFilesAndKeepsNoBackup)
{
    testing::TempDir dir;
    const std::string target = dir.file("picture");
    const auto r = Tool("convert --save-as " + Fixture("bmp/pil_8.bmp") + " " + ShellQuote(target));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(target + ".BMP"));

    const std::string tga = dir.file("picture.tga");
    ASSERT_EQ(Tool("convert " + Fixture("bmp/nb_4.bmp") + " " + ShellQuote(tga)).exitCode, 0);
    const auto saved = Tool("convert --save-as --compress " + Fixture("bmp/pil_24.bmp") + " " + ShellQuote(tga));
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(ReadWholeFile(tga)->at(2), 10);  // replaced, run-length
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(Tool, ExitCodesTellWhatWentWrong)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    testing::ExpectExitCodes({{in, 2} /* no command */, {"frobnicate", 2}, {"convert " + in, 2},
                              {"convert --quality 101 " + in + " x.jpg", 2}, {"--help", 0},
                              {"convert " + in + " " + ShellQuote(dir.file("out.xyz")), 2},
                              {"info " + Fixture("bmp/fixtures.txt"), 3},
                              {"convert " + in + " " + ShellQuote(dir.file("no/dir/out.bmp")), 4}});
    const auto missing = Tool("info " + ShellQuote(dir.file("absent.bmp")));
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("absent.bmp"), std::string::npos);
    // A 4-bit picture as JPEG: the library's message, and no file.
    const auto refused = Tool("convert " + Fixture("bmp/nb_4.bmp") + " " + ShellQuote(dir.file("x.jpg")));
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_EQ(refused.err, "Atenção: " + std::string(kJpegIndexedMessage) + "\n");
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

TEST(Tool, PhotoCdReadsAtBaseOrTheAskedResolutionAndFlashPixRoundTrips)
{
    const auto info = Tool("info --json " + Fixture("pcd/gm.pcd"));
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.rfind("{\"format\":\"PCD\",\"width\":768,\"height\":512,\"bitCount\":24,", 0), 0u) << info.out;
    const auto small = Tool("info --pcd-resolution 0 " + Fixture("pcd/gm.pcd"));
    EXPECT_NE(small.out.find("width: 192\nheight: 128\n"), std::string::npos) << small.out;
    EXPECT_EQ(Tool("info --pcd-resolution 5 " + Fixture("pcd/gm.pcd")).exitCode, 2);

    testing::TempDir dir;
    const std::string fpx = dir.file("big.fpx");
    ASSERT_EQ(Tool("convert --pcd-resolution 3 " + Fixture("pcd/fourbase.pcd") + " " + ShellQuote(fpx)).exitCode, 0);
    const auto back = Tool("info " + ShellQuote(fpx));
    EXPECT_NE(back.out.find("format: FPX\nwidth: 1536\nheight: 1024\nbitCount: 24\n"), std::string::npos) << back.out;
    // Save as appends the FlashPix extension; a grey picture stays grey.
    ASSERT_EQ(Tool("convert --save-as " + Fixture("bmp/pil_grey8.bmp") + " " + ShellQuote(dir.file("grey.fpx"))).exitCode, 0);
    EXPECT_EQ(ReadFlashPix(dir.file("grey.fpx")).image().bitCount(), 8);
    EXPECT_EQ(Tool("convert " + Fixture("bmp/pil_24.bmp") + " " + ShellQuote(dir.file("x.pcd"))).exitCode, 2);
}

}  // namespace
}  // namespace lv
