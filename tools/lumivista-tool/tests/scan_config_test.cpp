// A "dll.conf" in the folder the tool is started from does not choose the scanner backends:
// the system's configuration does, unless the user named a folder.

#include "acquire/tests/sane_test_backend.h"
#include "common/testing/temp_dir.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lv {
namespace {

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
