// JPEG XL files told apart without libjxl, and libjxl opened only when a JPEG XL file is
// coded: the program starts without it.

#include "common/testing/run_command.h"
#include "imagelib/codecs/jxl/jxl.h"
#include "imagelib/codecs/jxl/jxl_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace lv {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kContainer = {0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A, 0, 0, 0, 0x14};

TEST(JxlHead, CodestreamAndContainerMarksOnly)
{
    EXPECT_TRUE(IsJxlHead(Bytes{0xFF, 0x0A}));
    EXPECT_TRUE(IsJxlHead(Bytes{0xFF, 0x0A, 0xFA, 0x12}));
    EXPECT_TRUE(IsJxlHead(kContainer));
    EXPECT_TRUE(IsJxlHead(Bytes(kContainer.begin(), kContainer.begin() + 12)));
    // Cut before the mark ends, a neighbour's mark, or one byte off.
    EXPECT_FALSE(IsJxlHead(Bytes(kContainer.begin(), kContainer.begin() + 11)));
    EXPECT_FALSE(IsJxlHead(Bytes{0xFF}));
    EXPECT_FALSE(IsJxlHead(Bytes{}));
    EXPECT_FALSE(IsJxlHead(Bytes{0xFF, 0xD8, 0xFF, 0xE0}));
    EXPECT_FALSE(IsJxlHead(Bytes{0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A}));
    Bytes changed = kContainer;
    changed[10] = 0x88;
    EXPECT_FALSE(IsJxlHead(changed));
}

TEST(JxlLibrary, OpensOnceWithEveryFunction)
{
    const JxlLibrary* library = LoadedJxlLibrary();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(LoadedJxlLibrary(), library);
#define LV_EXPECT_FOUND(name) EXPECT_NE(library->name, nullptr) << #name;
    LV_JXL_FUNCTIONS(LV_EXPECT_FOUND)
    LV_JXL_THREAD_FUNCTIONS(LV_EXPECT_FOUND)
#undef LV_EXPECT_FOUND
    EXPECT_GE(library->JxlThreadParallelRunnerDefaultNumWorkerThreads(), 1u);
}

bool jxlMapped()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("/libjxl") != std::string::npos)
            return true;
    return false;
}

constexpr const char* kChildVariable = "LV_JXL_LAZY_CHILD";

// Run by the test below in a fresh process, where nothing has opened libjxl yet.
TEST(JxlLibraryChild, NotMappedUntilFirstNeeded)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "run in its own process by JxlLibrary.NotLoadedAtStart";
    EXPECT_FALSE(jxlMapped());
    EXPECT_TRUE(IsJxlHead(kContainer));
    EXPECT_FALSE(jxlMapped());
    ASSERT_NE(LoadedJxlLibrary(), nullptr);
    EXPECT_TRUE(jxlMapped());
}

TEST(JxlLibrary, NotLoadedAtStart)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const testing::CommandResult child = testing::RunCommand(std::string(kChildVariable) + "=1 '" + self
                                                             + "' --gtest_filter=JxlLibraryChild.NotMappedUntilFirstNeeded");
    EXPECT_EQ(child.exitCode, 0) << child.out;
    EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
    EXPECT_EQ(child.out.find("SKIPPED"), std::string::npos) << child.out;
}

}  // namespace
}  // namespace lv
