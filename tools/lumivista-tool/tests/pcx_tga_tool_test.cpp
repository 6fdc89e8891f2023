#include "common/byte_source.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/pcx.h"
#include "imagelib/targa.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::RunCommand;
using testing::ShellQuote;

const std::string kBitmaps = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/bmp/";

testing::CommandResult Tool(const std::string& arguments)
{
    return RunCommand(std::string(LV_TOOL) + " " + arguments);
}

TEST(ToolPcxTarga, ConvertWritesBothFormatsAndReadsThemBack)
{
    testing::TempDir dir;
    const std::string raw = dir.file("raw.tga"), packed = dir.file("packed.tga"), pcx = dir.file("out.pcx");
    ASSERT_EQ(Tool("convert " + ShellQuote(kBitmaps + "nb_4.bmp") + " " + ShellQuote(raw)).exitCode, 0);
    ASSERT_EQ(Tool("convert --compress " + ShellQuote(raw) + " " + ShellQuote(packed)).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(raw)->at(2), 1);
    EXPECT_EQ(ReadWholeFile(packed)->at(2), 9);
    EXPECT_EQ(ReadTarga(packed).image().bitCount(), 4);  // Targa input keeps its depth

    ASSERT_EQ(Tool("convert " + ShellQuote(packed) + " " + ShellQuote(pcx)).exitCode, 0);
    EXPECT_EQ(ReadPcx(pcx).image().bitCount(), 4);
    // Paintbrush input goes through the general loader's reader, which gives 24 bits.
    const auto info = Tool("info " + ShellQuote(pcx));
    EXPECT_NE(info.out.find("format: PCX\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("bitCount: 24\n"), std::string::npos) << info.out;
}

TEST(ToolPcxTarga, SaveAsAppendsTheTypeExtensionAndHonoursCompress)
{
    testing::TempDir dir;
    const std::string target = dir.file("picture.tga");
    ASSERT_EQ(Tool("convert " + ShellQuote(kBitmaps + "pil_24.bmp") + " " + ShellQuote(target)).exitCode, 0);
    const auto again = Tool("convert --save-as --compress " + ShellQuote(kBitmaps + "pil_8.bmp") + " " + ShellQuote(target));
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(ReadWholeFile(target)->at(2), 9);  // replaced, and the backup removed
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace lv
