// lumivista-tool converting to and from TIFF and GIF with the Save-as options.

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/gif.h"
#include "imagelib/tests/pictures.h"
#include "imagelib/tiff.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::ShellQuote;

const std::string kFixtures = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/";

int Convert(const std::string& in, const std::string& out, const std::string& flags = "")
{
    const auto r = testing::RunCommand(std::string(LV_TOOL) + " convert " + ShellQuote(in) + " " + ShellQuote(out) + " " + flags);
    EXPECT_EQ(r.err, "");
    return r.exitCode;
}

std::vector<std::uint8_t> Bytes(const std::string& path)
{
    return ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

TEST(ToolTiffGif, CompressChoosesLzwForTiff)
{
    testing::TempDir dir;
    const std::string in = kFixtures + "tiff/cp_be_lzw2_rgb.tif";
    ASSERT_EQ(Convert(in, dir.file("plain.tif")), 0);
    ASSERT_EQ(Convert(in, dir.file("lzw.tif"), "--compress"), 0);
    EXPECT_EQ(LoadLE16(&Bytes(dir.file("plain.tif"))[10 + 3 * 12 + 8]), 1);
    EXPECT_EQ(LoadLE16(&Bytes(dir.file("lzw.tif"))[10 + 3 * 12 + 8]), 5);
    EXPECT_TRUE(testing::SamePixels(ReadTiff(in).image(), ReadTiff(dir.file("lzw.tif")).image()));
}

TEST(ToolTiffGif, InterlaceTransparentAndSaveAsReachTheGifWriter)
{
    testing::TempDir dir;
    const std::string in = kFixtures + "gif/im_16.gif";
    ASSERT_EQ(Convert(in, dir.file("plain.gif")), 0);
    ASSERT_EQ(Convert(in, dir.file("both.gif"), "--interlace --transparent"), 0);
    const auto plain = Bytes(dir.file("plain.gif")), both = Bytes(dir.file("both.gif"));
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "GIF87a");
    EXPECT_EQ(plain[13 + 48 + 9], 0);
    EXPECT_EQ(std::string(both.begin(), both.begin() + 6), "GIF89a");
    EXPECT_EQ(both[13 + 48 + 8 + 9], 0x40);
    EXPECT_TRUE(testing::SamePixels(ReadGifStream(in), ReadGifStream(dir.file("both.gif"))));

    // Save-as reduces a colour picture to the fixed web palette.
    ASSERT_EQ(Convert(kFixtures + "tiff/pil_rgb.tif", dir.file("web.gif"), "--save-as"), 0);
    EXPECT_EQ(ReadGif(dir.file("web.gif")).image().colors()[215].rgbGreen, 255);
}

}  // namespace
}  // namespace lv
