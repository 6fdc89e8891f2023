// lumivista-tool scan over the scanner interface's test backend.

#include "acquire/tests/sane_test_backend.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/load_save.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

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

// A "dll.conf" in the folder the tool is started from does not choose the scanner backends:
// the system's configuration does, unless the user named a folder.
using testing::ShellQuote;

// Whether the system's own configuration already enables the test backend.
bool SystemEnablesTestBackend()
{
    std::ifstream conf("/etc/sane.d/dll.conf");
    for (std::string line; std::getline(conf, line);)
        if (line == "test")
            return true;
    return std::filesystem::exists("/etc/sane.d/dll.d/test");
}

TEST(ScanConfiguration, APlantedDllConfInTheCurrentFolderChoosesNoBackend)
{
    if (SystemEnablesTestBackend())
        GTEST_SKIP() << "the system's dll.conf enables the test backend itself";
    lv::testing::TempDir dir;
    // The folder with "dll.conf" enabling the test backend, as an attacker would leave it.
    const std::filesystem::path planted = testing::UseSaneTestBackend({});
    const std::string scan = std::string(LV_TOOL) + " scan ";

    // Chosen by the user, the folder serves: the backend is there to be found.
    const auto chosen = testing::RunCommand("SANE_CONFIG_DIR=" + ShellQuote(planted.string()) + " " + scan +
                                            ShellQuote(dir.file("chosen.bmp")) + " --device test:0 --resolution 50");
    ASSERT_EQ(chosen.exitCode, 0) << chosen.err;

    // Started from that folder with the variable unset or empty, it is not read.
    for (const std::string unset : {"env -u SANE_CONFIG_DIR ", "env SANE_CONFIG_DIR= "}) {
        const std::string out = dir.file("planted.bmp");
        const auto planted_run = testing::RunCommand("cd " + ShellQuote(planted.string()) + " && " + unset + scan +
                                                     ShellQuote(out) + " --device test:0 --resolution 50");
        EXPECT_EQ(planted_run.exitCode, 3) << unset << planted_run.err;
        EXPECT_NE(planted_run.err.find("test:0"), std::string::npos) << planted_run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

}  // namespace
}  // namespace lv
