// scan and capture from the command line: the scanner interface's test backend and the refusals.

#include "acquire/tests/sane_test_backend.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "imagelib/codecs/load_save.h"
#include "tool_support.h"

#include <cstring>
#include <iterator>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

// lumivista-tool scan over the scanner interface's test backend.
class ScanTool : public ::testing::Test {
protected:
    void SetUp() override { testing::UseSaneTestBackend({}); }
    testing::TempDir dir_;
};

TEST_F(ScanTool, MemoryAndNativeTransfersGiveTheSamePicture)
{
    for (const char* mode : {"color", "gray", "lineart"}) {
        const std::string memory = dir_.file(std::string(mode) + "-memory.bmp");
        const std::string native = dir_.file(std::string(mode) + "-native.bmp");
        const auto a = Tool("scan " + memory + " --resolution 75 --memory --mode " + mode);
        ASSERT_EQ(a.exitCode, 0) << a.err;
        const auto b = Tool("scan " + native + " --resolution 75 --device test:0 --mode " + mode);
        ASSERT_EQ(b.exitCode, 0) << b.err;
        const HDIB m = LoadImageFile(memory), n = LoadImageFile(native);
        ASSERT_TRUE(m && n);
        const int bits = std::string(mode) == "color" ? 24 : std::string(mode) == "gray" ? 8 : 1;
        EXPECT_EQ(std::tuple(m.width(), m.height(), m.bitCount(), m.header().biXPelsPerMeter),
                  std::tuple(236, 295, bits, 2952)) << "80 mm at 75 dots per inch";
        ASSERT_EQ(n.bitCount(), m.bitCount());
        for (int y = 0; y < m.height(); ++y)
            ASSERT_EQ(std::memcmp(m.row(y), n.row(y), m.stride()), 0) << mode << " row " << y;
        // The memory scan's file holds the picture's bytes only, not the transfer's rounded-up buffer.
        const auto file = ReadWholeFile(memory);
        ASSERT_TRUE(file);
        const std::uint32_t imageBytes = std::uint32_t(m.stride()) * std::uint32_t(m.height());
        EXPECT_EQ(LoadLE32(file->data() + 34), imageBytes) << mode << " biSizeImage";
        EXPECT_EQ(LoadLE32(file->data() + 2), file->size()) << mode << " bfSize";
        EXPECT_EQ(file->size(), LoadLE32(file->data() + 10) + imageBytes) << mode;
        EXPECT_EQ(file->size(), std::filesystem::file_size(native)) << mode;
    }
}

TEST_F(ScanTool, RefusesUnknownDevicesAndModes)
{
    const auto unknown = Tool("scan " + dir_.file("x.bmp") + " --device no-such-scanner");
    EXPECT_EQ(unknown.exitCode, 3);
    EXPECT_NE(unknown.err.find("no-such-scanner"), std::string::npos);
    testing::ExpectExitCodes({{"scan " + dir_.file("x.bmp") + " --mode sepia", 2},
                              {"scan " + dir_.file("x.bmp") + " --resolution 0", 2}, {"scan", 2}});
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "x.bmp"));
    EXPECT_EQ(Tool("scan /nonexistent/folder/x.bmp --resolution 50").exitCode, 4);
}

// The tool with something before it on the shell's line (variables, `env`).
testing::CommandResult Tool(const std::string& arguments, const std::string& before)
{
    return testing::RunCommand(before + LV_TOOL + " " + arguments);
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
