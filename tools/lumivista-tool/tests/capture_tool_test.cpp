// lumivista-tool capture from the command line, without a camera or a display: the test
// pattern's frame, a frame from a folder of devices that holds none, and the refusals.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/load_save.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::Tool;

// The tool with something before it on the shell's line (variables, `env`).
testing::CommandResult Tool(const std::string& arguments, const std::string& before)
{
    return testing::RunCommand(before + LV_TOOL + " " + arguments);
}

TEST(CaptureTool, AFrameOfTheTestPatternIsWrittenInTheNamedFormat)
{
    testing::TempDir dir;
    // A folder without devices: only the test pattern is listed, whatever the machine has.
    const std::string env = "LUMIVISTA_VIDEO_DEVICES=" + dir.path().string() + " ";
    const auto grabbed = Tool("capture video " + dir.file("frame.tif"), env);
    ASSERT_EQ(grabbed.exitCode, 0) << grabbed.err;
    const HDIB frame = LoadImageFile(dir.file("frame.tif"));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame.width(), 640);
    EXPECT_EQ(frame.height(), 480);
    const std::uint8_t* topLeft = frame.row(479);
    EXPECT_EQ(topLeft[0] + topLeft[1] + topLeft[2], 3 * 255) << "the white bar";

    const auto named = Tool("capture video " + dir.file("named.bmp") + " --device 'LUMIVISTA - PADRÃO DE TESTE'", env);
    EXPECT_EQ(named.exitCode, 0) << named.err;
    const auto unknown = Tool("capture video " + dir.file("x.bmp") + " --device Webcam", env);
    EXPECT_EQ(unknown.exitCode, 3);
    EXPECT_NE(unknown.err.find("Lumivista - Padrão de teste"), std::string::npos) << "the drivers there are";
    EXPECT_EQ(Tool("capture video /nonexistent/folder/x.bmp", env).exitCode, 4);
}

TEST(CaptureTool, UsageAndMissingDisplayAreRefused)
{
    testing::TempDir dir;
    testing::ExpectExitCodes({{"capture", 2}, {"capture audio x.wav", 2}, {"capture video", 2},
                              {"capture screen " + dir.file("s.bmp") + " --window 1 --client 1", 2},
                              {"capture screen " + dir.file("s.bmp") + " --window zero", 2}});
    const auto noDisplay = Tool("capture screen " + dir.file("s.bmp"), "env -u DISPLAY -u WAYLAND_DISPLAY ");
    EXPECT_EQ(noDisplay.exitCode, 3);
    EXPECT_NE(noDisplay.err.find("DISPLAY"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "s.bmp"));
}

}  // namespace
}  // namespace lv
