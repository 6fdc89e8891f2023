#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/bmp.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::RunCommand;
using testing::ShellQuote;

const std::string kFixtures = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/bmp/";

testing::CommandResult Tool(const std::string& arguments)
{
    return RunCommand(std::string(LV_TOOL) + " " + arguments);
}

TEST(Tool, InfoPrintsTheHeaderAsTextAndJson)
{
    const auto text = Tool(ShellQuote(kFixtures + "nb_4.bmp"));
    EXPECT_EQ(text.exitCode, 2);  // no command

    const auto info = Tool("info " + ShellQuote(kFixtures + "nb_4.bmp"));
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("format: BMP\nwidth: 37\nheight: 23\nbitCount: 4\nclrUsed: 16\ntype: IMG_PAL4\n"),
              std::string::npos)
        << info.out;

    const auto json = Tool("info --json " + ShellQuote(kFixtures + "pil_grey8.bmp"));
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
    ASSERT_EQ(Tool("convert " + ShellQuote(kFixtures + "py_rle4.bmp") + " " + ShellQuote(out)).exitCode, 0);
    EXPECT_EQ(ReadBmp(out).image().bitCount(), 4);

    ASSERT_EQ(Tool("promote " + ShellQuote(out) + " " + ShellQuote(dir.file("p.bmp"))).exitCode, 0);
    EXPECT_EQ(ReadBmp(dir.file("p.bmp")).image().bitCount(), 24);
    ASSERT_EQ(Tool("webpalette " + ShellQuote(kFixtures + "pil_24.bmp") + " " + ShellQuote(dir.file("w.bmp"))).exitCode, 0);
    EXPECT_EQ(ReadBmp(dir.file("w.bmp")).image().colors()[215].rgbRed, 255);
    ASSERT_EQ(Tool("mediancut " + ShellQuote(kFixtures + "pil_24.bmp") + " " + ShellQuote(dir.file("m.bmp"))).exitCode, 0);
    EXPECT_EQ(ReadBmp(dir.file("m.bmp")).image().bitCount(), 8);
}

TEST(Tool, SaveAsAppendsTheExtensionAndKeepsNoBackup)
{
    testing::TempDir dir;
    const std::string target = dir.file("picture");
    const auto r = Tool("convert --save-as " + ShellQuote(kFixtures + "pil_8.bmp") + " " + ShellQuote(target));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(target + ".BMP"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

TEST(Tool, ExitCodesTellWhatWentWrong)
{
    testing::TempDir dir;
    const std::string in = ShellQuote(kFixtures + "pil_24.bmp");
    EXPECT_EQ(Tool("frobnicate").exitCode, 2);
    EXPECT_EQ(Tool("convert " + in).exitCode, 2);
    EXPECT_EQ(Tool("convert --quality 101 " + in + " x.jpg").exitCode, 2);
    EXPECT_EQ(Tool("convert " + in + " " + ShellQuote(dir.file("out.xyz"))).exitCode, 2);
    const auto missing = Tool("info " + ShellQuote(dir.file("absent.bmp")));
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("absent.bmp"), std::string::npos);
    EXPECT_EQ(Tool("info " + ShellQuote(kFixtures + "fixtures.txt")).exitCode, 3);
    EXPECT_EQ(Tool("convert " + in + " " + ShellQuote(dir.file("no/dir/out.bmp"))).exitCode, 4);
    EXPECT_EQ(Tool("--help").exitCode, 0);
}

}  // namespace
}  // namespace lv
