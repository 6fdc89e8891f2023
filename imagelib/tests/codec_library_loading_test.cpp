// JPEG XL files told apart without libjxl, and libjxl and libheif opened only when a file of
// theirs is coded: the program starts without them.

#include "common/testing/run_command.h"
#include "imagelib/codecs/heif/heif.h"
#include "imagelib/codecs/heif/heif_library.h"
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
    for (const Bytes& head : {Bytes{0xFF, 0x0A}, Bytes{0xFF, 0x0A, 0xFA, 0x12}, kContainer,
                              Bytes(kContainer.begin(), kContainer.begin() + 12)})
        EXPECT_TRUE(IsJxlHead(head)) << head.size();
    // Cut before the mark ends, a neighbour's mark, or one byte off.
    Bytes changed = kContainer;
    changed[10] = 0x88;
    for (const Bytes& other : {Bytes(kContainer.begin(), kContainer.begin() + 11), Bytes{0xFF}, Bytes{},
                               Bytes{0xFF, 0xD8, 0xFF, 0xE0},
                               Bytes{0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A}, changed})
        EXPECT_FALSE(IsJxlHead(other)) << other.size();
}

// Whether a library whose file name starts with `name` is mapped into this process.
bool mapped(const std::string& name)
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("/" + name) != std::string::npos)
            return true;
    return false;
}

constexpr const char* kChildVariable = "LV_CODEC_LIBRARY_CHILD";
const Bytes kHeicHead = {0, 0, 0, 0x18, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'};

// Run by the test below in a fresh process, where nothing has opened libjxl yet.
TEST(CodecLibraryChild, NotMappedUntilFirstNeeded)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "run in its own process by CodecLibraries.NotLoadedAtStart";
    const auto both = [] { return std::tuple(mapped("libjxl"), mapped("libheif")); };
    EXPECT_EQ(both(), std::tuple(false, false));
    EXPECT_TRUE(IsJxlHead(kContainer) && IsHeifHead(kHeicHead));
    EXPECT_EQ(both(), std::tuple(false, false));
    ASSERT_NE(LoadedJxlLibrary(), nullptr);
    EXPECT_EQ(both(), std::tuple(true, false));
    ASSERT_NE(LoadedHeifLibrary(), nullptr);
    EXPECT_TRUE(mapped("libheif"));
}

TEST(CodecLibraries, NotLoadedAtStart)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const testing::CommandResult child = testing::RunCommand(std::string(kChildVariable) + "=1 '" + self
                                                             + "' --gtest_filter=CodecLibraryChild.NotMappedUntilFirstNeeded");
    EXPECT_EQ(child.exitCode, 0) << child.out;
    EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
    EXPECT_EQ(child.out.find("SKIPPED"), std::string::npos) << child.out;
}

}  // namespace
}  // namespace lv
