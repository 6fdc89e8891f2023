// lumivista-tool scan over the scanner interface's test backend.

#include "acquire/tests/sane_test_backend.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/load_save.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv {
namespace {

using testing::Tool;

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
        EXPECT_EQ(m.width(), 236) << "80 mm at 75 dots per inch";
        EXPECT_EQ(m.height(), 295);
        EXPECT_EQ(m.bitCount(), std::string(mode) == "color" ? 24 : std::string(mode) == "gray" ? 8 : 1);
        EXPECT_EQ(m.header().biXPelsPerMeter, 2952);
        ASSERT_EQ(n.bitCount(), m.bitCount());
        for (int y = 0; y < m.height(); ++y)
            ASSERT_EQ(std::memcmp(m.row(y), n.row(y), m.stride()), 0) << mode << " row " << y;
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

}  // namespace
}  // namespace lv
